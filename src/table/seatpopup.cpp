#include "table/seatpopup.h"

#include "controls/elidedlabel.h"
#include "net/guard.h"
#include "rules/rules.h"
#include "table/core/tablecore.h"
#include "table/scorecard.h"

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

void SeatPopup::attach(ScoreCard& card, TableCore& core) {
    auto item = [this](QAction* action, auto run) {
        connect(action, &QAction::triggered, this, [run] { guarded(run); });
    };
    item(setWatch_, [this, &core] { core.setSeatWatching(seat_, true); });
    item(unsetWatch_, [this, &core] { core.setSeatWatching(seat_, false); });
    item(remove_, [this, &core] { core.removePlayer(seat_); });
    for (int seat = 1; seat <= rules::kSeats; ++seat) {
        ElidedLabel* label = card.label_playername(seat);
        label->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(label, &QWidget::customContextMenuRequested, this,
                [this, seat, label, &core](const QPoint& at) {
                    guarded([&] {
                        prepare(seat, core.hostsGame(), core.seat(seat).waiting);
                        popup(label->mapToGlobal(at));
                    });
                });
    }
}

void SeatPopup::prepare(int seat, bool hosting, bool waiting) {
    seat_ = seat;
    setWatch_->setEnabled(hosting);
    unsetWatch_->setEnabled(hosting);
    remove_->setEnabled(hosting && !waiting);
}

} // namespace zb
