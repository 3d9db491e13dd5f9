// Watching and removal: "Just Watch" for the own seat, the hosting player's requests to set
// seats to watch and to remove players, and the host's watching announcements. The table never
// decides any of it: it asks, and shows what the host announces.

#include "net/protocol.h"
#include "table/core/tablecore.h"

namespace zb {

using proto::Fields;

void TableCore::toggleJustWatch() {
    // Asks for the opposite of the host's last word; the tick changes when the host answers.
    if (loggedin_)
        send(msg::toHost::justwatch(myseat_, ownWatching_ ? 2 : 1));
}

void TableCore::setSeatWatching(int seat, bool watching) {
    if (hostsGame() && loggedin_ && isSeat(seat))
        send(msg::toHost::justwatch(seat, watching ? 1 : 2));
}

void TableCore::removePlayer(int seat) {
    // The host closes the removed player's connection; every table learns of it from the host.
    if (hostsGame() && loggedin_)
        send(msg::toHost::kickhim(myseat_, seat));
}

void TableCore::justwatching(Fields& f) {
    const int seat = f.nextInt();
    const bool watching = f.next() == "1";
    if (seat == myseat_ && watching != ownWatching_) {
        setOwnWatching(watching);
        // In the middle of the own turn the computer takes it over, or hands it back.
        if (isSeat(seat) && turnseat_ == seat) {
            closeZero();
            offerTurn(seat);
            setDiceClickable(myTurn() && rolledThisTurn());
        }
    }
    // A spectator who chose to watch has no name label and no marker: the tick is all it gets.
    if (!isSeat(seat))
        return;
    const QString& name = seats_[seat].shown;
    announce(watching ? name + QStringLiteral(" is just watching")
                      : name + QStringLiteral(" now playing again"));
    setWatching(seat, watching);
}

} // namespace zb
