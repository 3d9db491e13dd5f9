// Watching and removal: "Just Watch" for the own seat, the seat popup with which the host's table
// sets seats to watch and removes players, and the host's watching announcements. The table never
// decides any of it: it asks, and shows what the host announces.

#include "net/guard.h"
#include "net/protocol.h"
#include "table/elidedlabel.h"
#include "table/scorecard.h"
#include "table/seatpopup.h"
#include "table/session.h"
#include "table/tablemodel.h"
#include "table/tchat.h"

#include <QAction>

namespace zb {

using proto::Fields;

void Tchat::connectSpectatorControls() {
    connect(menu_.JustWatch1, &QAction::triggered, this,
            [this] { guarded([&] { JustWatch1Click(); }); });
    connect(popup_kick_->SettoJustWatch1(), &QAction::triggered, this,
            [this] { guarded([&] { SettoJustWatch1Click(); }); });
    connect(popup_kick_->UnsetJustWatch1(), &QAction::triggered, this,
            [this] { guarded([&] { UnsetJustWatch1Click(); }); });
    connect(popup_kick_->RemoveFromGame1(), &QAction::triggered, this,
            [this] { guarded([&] { kicking(popup_kick_->seat()); }); });
    for (int seat = 1; seat <= ScoreCard::kSeats; ++seat) {
        ElidedLabel* label = card_->label_playername(seat);
        label->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(label, &QWidget::customContextMenuRequested, this,
                [this, seat, label](const QPoint& at) {
                    guarded([&] { label_playernameContextPopup(seat, label->mapToGlobal(at)); });
                });
    }
}

void Tchat::JustWatch1Click() {
    // A checkable item ticks itself when chosen; its tick shows only what the host announced.
    const bool wasWatching = model_->ownWatching();
    menu_.JustWatch1->setChecked(wasWatching);
    const ClientState& s = model_->state();
    if (s.loggedin)
        sendRequest(msg::toHost::justwatch(s.myseat, wasWatching ? 2 : 1));
}

void Tchat::label_playernameContextPopup(int seat, const QPoint& globalPos) {
    if (!isSeat(seat))
        return;
    popup_kick_->prepare(seat, hostsGame(), model_->seatWaiting(seat));
    popup_kick_->popup(globalPos);
}

void Tchat::requestWatch(int seat, int mode) {
    if (model_->state().loggedin && isSeat(seat))
        sendRequest(msg::toHost::justwatch(seat, mode));
}

void Tchat::SettoJustWatch1Click() {
    requestWatch(popup_kick_->seat(), 1);
}

void Tchat::UnsetJustWatch1Click() {
    requestWatch(popup_kick_->seat(), 2);
}

void Tchat::kicking(int seat) {
    // The host closes the removed player's connection; every table learns of it from the host.
    const ClientState& s = model_->state();
    if (hostsGame() && s.loggedin)
        sendRequest(msg::toHost::kickhim(s.myseat, seat));
}

void Tchat::justwatching(Fields& f) {
    const int seat = f.nextInt();
    const bool watching = f.next() == "1";
    if (seat == model_->state().myseat)
        model_->setOwnWatching(watching);
    // A spectator who chose to watch has no name label and no marker: the tick is all it gets.
    if (!isSeat(seat))
        return;
    const QString name = model_->seat(seat).shown;
    systemLine(watching ? name + QStringLiteral(" is just watching")
                        : name + QStringLiteral(" now playing again"));
    model_->setWatching(seat, watching);
}

} // namespace zb
