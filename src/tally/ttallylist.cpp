#include "tally/ttallylist.h"

namespace zb {

Ttallylist::Ttallylist(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("ttallylist"));
    setWindowTitle(QStringLiteral("Zorbinet - Tally List"));
}

} // namespace zb
