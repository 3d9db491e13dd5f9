#pragma once
// The five dice of the running turn as the host keeps them: each die is either free, with its
// value (-1 before the turn's first roll), or held, with its value in the held row.

#include "rules/rules.h"

#include <array>

namespace zb::host {

using rules::kDice;
constexpr int kUnrolled = -1;

inline bool validDie(int die) {
    return die >= 1 && die <= kDice;
}

struct TurnDice {
    // Index 1..5. freeValue: -1 not rolled yet, 0 held, 1..6 its value. heldValue: 0 not held.
    std::array<int, kDice + 1> freeValue{};
    std::array<int, kDice + 1> heldValue{};
    int rolls = 0;

    TurnDice() { reset(); }

    void reset() {
        freeValue.fill(kUnrolled);
        heldValue.fill(0);
        rolls = 0;
    }
    bool held(int die) const { return heldValue[die] != 0; }
    int value(int die) const { return held(die) ? heldValue[die] : freeValue[die]; }
    bool rolled() const { return freeValue[1] != kUnrolled; }
    bool allHeld() const {
        for (int die = 1; die <= kDice; ++die) {
            if (!held(die))
                return false;
        }
        return true;
    }
    // The five dice as the pattern tests see them, held and free together.
    rules::Dice all() const {
        rules::Dice d{};
        for (int die = 1; die <= kDice; ++die)
            d[die - 1] = value(die);
        return d;
    }
};

} // namespace zb::host
