#include "table/tspylist.h"

namespace zb {

Tspylist::Tspylist(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("tspylist"));
    setWindowTitle(QStringLiteral("Zorbinet -Spys"));
}

} // namespace zb
