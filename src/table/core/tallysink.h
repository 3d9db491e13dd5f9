#pragma once
// What a table tells the tally about the games its player takes part in, as typed values. The
// tally fills this in; a table without a tally (tests, a fuzz run) uses the no-op one. The tally
// never asks the table anything: the table pushes the players of the current game as they
// change, and each finished game once.

#include "rules/rules.h"

#include <QString>
#include <QStringList>
#include <array>

namespace zb {

// A game as it ended on the local table.
struct FinishedGame {
    struct Seat {
        QString name;
        int total = 0;
        bool tookPart = false; // had a turn in this game (or a card of it on a late join)
    };
    std::array<Seat, rules::kSeats + 1> seats{}; // [1..4]; [0] unused
    int mySeat = 0;                              // 1..4
    bool team = false;

    // Seats 1 and 3 and seats 2 and 4 are one side each in a team game; otherwise every seat is
    // a side of its own.
    int sideOf(int seat) const;
    // The side that alone has the highest total among the seats that took part; 0 for a tie.
    int winningSide() const;
    bool localWon() const;
    // The other seats that took part, in seat order.
    QStringList opponents() const;
    // The names of the seats, other than the local one, whose side won alone.
    QStringList winners() const;
    int myTotal() const;
};

class TallySink {
public:
    virtual ~TallySink() = default;

    // The names of the other seats taking part in the current game, whenever they change.
    virtual void currentPlayers(const QStringList& names) { (void)names; }
    // A game that started and ended on this table, once.
    virtual void recordGame(const FinishedGame& game) { (void)game; }
    // The local player scored a 5 of a Kind that counts.
    virtual void recordFiveOfAKind() {}
};

// The tally that records nothing.
inline TallySink& noTally() {
    static TallySink sink;
    return sink;
}

} // namespace zb
