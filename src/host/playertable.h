#pragma once
// The host's player table: one record per slot. Slots 1 to 4 are the seats of the game table,
// 5 to 9 the spectators. A slot is in use while it holds an admitted connection; the game fields
// (card, round counter, watching flag, partner) matter only for the four seats.

#include "net/protocol.h"
#include "rules/rules.h"

#include <QByteArray>
#include <QtGlobal>
#include <algorithm>
#include <array>

namespace zb {
class TSock;
}

namespace zb::host {

using rules::kSeats;
constexpr int kSlots = 9;
// A table that leaves this much unread is stuck or hostile; it is cut off before the host's
// memory grows with everything sent to it.
constexpr qsizetype kMaxSendBacklog = 1024 * 1024;

inline bool validSlot(int slot) {
    return slot >= 1 && slot <= kSlots;
}
inline bool validSeat(int seat) {
    return seat >= 1 && seat <= kSeats;
}

struct tplayer {
    QByteArray name;
    bool connected = false;
    // Null for a connection admitted through the test seam, which has no socket.
    TSock* connection = nullptr;
    // Identifies the connection for the life of the host, so that a step planned for a departed
    // connection (its cut-off) never hits the next occupant of the slot. 0 while the slot is free.
    quint64 connectionId = 0;
    proto::Framer framer;
    bool cutOff = false; // its removal for an unread backlog is on its way

    rules::Card card; // entries 1..15 and the card's total
    int round = 0;
    bool watching = false;
    int partner = 0;
};

class PlayerTable {
public:
    PlayerTable() {
        for (int seat = 1; seat <= kSeats; ++seat)
            players_[seat].partner = (seat + 1) % kSeats + 1; // 1<->3, 2<->4
    }

    tplayer& operator[](int slot) { return players_[checked(slot)]; }
    const tplayer& operator[](int slot) const { return players_[checked(slot)]; }

    // The highest slot number ever given; never decreases.
    int count() const { return count_; }

    // The slot for a newcomer: the lowest free one from first up among those given, else a new
    // number; 0 when all from first to 9 are in use. Does not mark the slot as used.
    int chooseSlot(int first = 1) const {
        for (int slot = std::max(first, 1); slot <= count_; ++slot) {
            if (!players_[slot].connected)
                return slot;
        }
        const int next = std::max(count_ + 1, first);
        return next <= kSlots ? next : 0;
    }
    void noteGiven(int slot) { count_ = std::max(count_, slot); }

    bool inUse(int slot) const { return validSlot(slot) && players_[slot].connected; }

private:
    static int checked(int slot) {
        Q_ASSERT(validSlot(slot));
        return validSlot(slot) ? slot : 0;
    }

    // Index 0 is a sink that absorbs a stray index instead of reaching outside the array.
    std::array<tplayer, kSlots + 1> players_;
    int count_ = 0;
};

} // namespace zb::host
