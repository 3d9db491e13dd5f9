// Watching: seats that the host's computer players play for a while, and spectators.

#include "net/protocol.h"
#include "table/tchat.h"

namespace zb {

void Tchat::justwatching(proto::Fields& f) {
    // The watching announcement is shown by the spectator feature: the "Just Watch" check mark,
    // the notice in the chat and the seat's eyes on the card (ScoreCard::setWatching).
    (void)f;
}

} // namespace zb
