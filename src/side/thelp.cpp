#include "side/thelp.h"

namespace zb {

Thelp::Thelp(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("thelp"));
    setWindowTitle(QStringLiteral("Zorbinet - Help File"));
}

} // namespace zb
