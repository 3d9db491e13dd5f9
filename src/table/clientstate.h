#pragma once
// The table window's side of the session with the host: a handful of plain fields, owned by the
// window and read by its board, score card and chat.

#include <array>

namespace zb {

struct ClientState {
    int myseat = 0; // the seat the host gave this table: 1..4 a player, 5.. a spectator
    bool loggedin = false;
    int turnseat = 0;    // the seat whose turn it is
    bool mayact = false; // the local player may roll or choose now
    // [0] the bonus die's face, -1 for none; [1..5] the faces last drawn on dice 1..5.
    std::array<int, 6> dicevalues{};

    bool isPlayer() const { return myseat >= 1 && myseat <= 4; }
    // The local player holds the turn. A table that has no seat yet never does.
    bool myTurn() const { return loggedin && turnseat == myseat; }
};

inline bool isSeat(int seat) {
    return seat >= 1 && seat <= 4;
}
inline bool isDie(int die) {
    return die >= 1 && die <= 5;
}

} // namespace zb
