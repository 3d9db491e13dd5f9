#include "side/tabout.h"

namespace zb {

Tabout::Tabout(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("tabout"));
    setWindowTitle(QStringLiteral("Zorbinet - About"));
}

} // namespace zb
