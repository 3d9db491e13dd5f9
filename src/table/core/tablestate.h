#pragma once
// What a table holds of the game, as plain values: the seats' columns, the dice, the spectators.
// TableCore owns one set of these and hands them out read-only; nothing outside it writes them.

#include "rules/rules.h"

#include <QString>
#include <array>

namespace zb {

inline bool isSeat(int seat) {
    return seat >= 1 && seat <= rules::kSeats;
}
inline bool isDie(int die) {
    return die >= 1 && die <= rules::kDice;
}
inline bool isRow(int row) {
    return row >= 1 && row <= rules::kEntries;
}
inline bool isCategory(int category) {
    return category >= 1 && category <= rules::kCategories;
}
// Slots run 1..9: four seats, then the spectators.
inline bool isSlot(int slot) {
    return slot >= 1 && slot <= 9;
}

// One column of the card and the name above it.
struct SeatView {
    static inline const QString kWaiting = QStringLiteral("<Waiting>");

    QString shown = kWaiting; // the name on the seat's label
    QString stored;           // the name the seat keeps for a computer player or a returner
    bool waiting = true;      // nobody has sat here yet and no game has given it a player
    bool present = false;     // a player has sat here: the name and total are on show
    bool watching = false;
    QString total = QStringLiteral("0");          // as the host sent it
    std::array<int, rules::kEntries + 1> cells{}; // rules::kUnused for an empty cell; [0] unused

    SeatView() { cells.fill(rules::kUnused); }
    bool anyCellUsed() const {
        for (int row = 1; row <= rules::kCategories; ++row) {
            if (cells[row] != rules::kUnused)
                return true;
        }
        return false;
    }
};

// A die as last drawn. 'state' follows the protocol's letters.
struct DieView {
    enum class State : char { Open = 'o', Held = 's', NotRolled = '1' };
    int face = 0;
    State state = State::Open;
    bool bonusStyle = false; // drawn as the bonus die's face when it was placed
    bool clickable = false;  // placed during the local player's own turn
};

// A connection beyond the four seats, watching the game.
struct Spectator {
    int slot = 0;
    QString name;
    bool operator==(const Spectator&) const = default;
};

// How the local player's column is coloured: as a card just emptied (categories green, totals
// black), while another seat plays (maroon) or on the own turn (green).
enum class OwnColumn { Fresh, Waiting, OwnTurn };

} // namespace zb
