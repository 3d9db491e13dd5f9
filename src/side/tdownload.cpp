#include "side/tdownload.h"

namespace zb {

Tdownload::Tdownload(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("tdownload"));
    setWindowTitle(QStringLiteral("Download The Quon77 Lobby"));
}

} // namespace zb
