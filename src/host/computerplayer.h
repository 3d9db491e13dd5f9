#pragma once
// The computer players: one greedy procedure that plays every seat without a player (and the
// seat of a player who just watches). It looks only at the dice and the seat's card, grabs a
// lower-section pattern as soon as the dice show one, otherwise picks a category to work
// towards, holds dice for it, and at the third roll scores it. It acts only through the same
// operations that a player's messages reach, so every table sees ordinary game traffic.

#include "host/playertable.h"
#include "host/turndice.h"
#include "rules/rules.h"

#include <array>

namespace zb::host {

// What a computer player sees of the game and may do in it.
class ComputerHost {
public:
    virtual ~ComputerHost() = default;
    virtual const TurnDice& turnDice() const = 0;
    virtual const rules::Card& cardOf(int seat) const = 0;
    virtual void setdice(int seat, int die) = 0;
    virtual void setscore(int seat, int category) = 0;
    // The next roll, one bot-speed period from now (Timer1).
    virtual void armStep() = 0;
    // Ends the turn without a score. Only reached when the card has no open category left.
    virtual void passTurn() = 0;
};

class ComputerPlayer {
public:
    explicit ComputerPlayer(ComputerHost& host) : host_(host) {}

    // One decision after a roll of the seat's turn.
    void computerplay(int seat);
    // Scores the first lower-section pattern that the dice show in an open category.
    bool computercheck(int seat);
    // After roll 1 or 2: choose what to work towards, hold for it, schedule the next roll.
    void computerworking(int seat);

    int findworking(int seat) const;
    int findany(int seat) const;
    int threes(int seat) const;
    int twos(int seat) const;
    int straight() const;
    void worknums(int seat, int face);
    void workstraight(int seat);

    // The category the seat works towards in this turn, 0 = none.
    int working(int seat) const { return validSeat(seat) ? working_[seat] : 0; }
    // At every change of turn, for the seat that gets it.
    void clearWorking(int seat) {
        if (validSeat(seat))
            working_[seat] = 0;
    }

private:
    bool open(int seat, int category) const { return !host_.cardOf(seat).used(category); }
    // Highest face shown by at least minCount free dice whose number category is open.
    int highestFreeFace(int seat, int minCount) const;

    ComputerHost& host_;
    std::array<int, kSeats + 1> working_{};
};

} // namespace zb::host
