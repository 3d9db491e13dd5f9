#include "table/seatpopup.h"

#include <QAction>

namespace zb {

SeatPopup::SeatPopup(QWidget* parent) : QMenu(parent) {
    setObjectName(QStringLiteral("popup_kick"));
    remove_ = addAction(QStringLiteral("Remove From Game"));
    remove_->setObjectName(QStringLiteral("RemoveFromGame1"));
    setWatch_ = addAction(QStringLiteral("Set to Just Watch"));
    setWatch_->setObjectName(QStringLiteral("SettoJustWatch1"));
    unsetWatch_ = addAction(QStringLiteral("Unset Just Watch"));
    unsetWatch_->setObjectName(QStringLiteral("UnsetJustWatch1"));
}

void SeatPopup::prepare(int seat, bool hosting, bool waiting) {
    seat_ = seat;
    setWatch_->setEnabled(hosting);
    unsetWatch_->setEnabled(hosting);
    remove_->setEnabled(hosting && !waiting);
}

} // namespace zb
