#pragma once
// Advice on one position of a turn by the strategy that maximises the card's expected total:
// what the expert computer players play and what a coach shows. Plain C++, no Qt, so the table's
// core and the host can both call it. One call costs one turn's planning: a few microseconds.
//
// Every value is in points still to come from the position on, with best play from there: this
// turn's score, the bonus if it is still to be earned, and every later turn. The card's total so
// far (rules::Card::total) is not included, so its expected final total is that total plus the
// value.

#include "rules/rules.h"
#include "strategy/tables.h"

#include <array>
#include <optional>

namespace zb::strategy {

struct Position {
    unsigned used = 0;  // bit c-1 for each used category c (usedCategories())
    int upperTotal = 0; // the card's Upper Total, the used entries 1..6 (upperTotalOf())
    int bonusFace = 0;  // the turn's bonus die 1..6 in a bonus dice game, 0 otherwise
    rules::Dice dice{}; // dice 1..5 at index 0..4, each 1..6 (ignored before the first roll)
    std::array<bool, 5> held{}; // which dice are held now (it breaks ties between keeps)
    int rolls = 0;              // rolls made in this turn: 0 (before the first) to 3
};

// The sum of the used entries 1..6 of a card (its Upper Total, also before any score, when the
// card's entry 13 still reads 1000).
int upperTotalOf(const rules::Card& card);

// Dice kept for the next roll, as a set of dice: bit d-1 for die d.
using KeepMask = unsigned;
constexpr int kKeepMasks = 32;

struct Advice {
    // False when the position is not one of a game of these tables: a full card, a bonus face
    // that does not fit the kind of game, rolls outside 0..3, or a die outside 1..6. All else is
    // then empty.
    bool valid = false;
    // Score now (always after roll 3), or roll again holding `keep` (always before the first
    // roll, with nothing held).
    bool scoreNow = false;
    // When rolling: the dice to hold (true) and to release (false), index 0..4 for dice 1..5.
    // Of keeps worth the same, one that rolls at least one die, then the one nearest the holds
    // the player has made.
    std::array<bool, 5> keep{};
    // The best open category to score now, 1..12 (after rolls 1 to 3; of equal worth the lowest
    // number). 0 before the first roll.
    int category = 0;
    // Points still to come with best play from this position.
    double expected = 0;
    // Points still to come when scoring category 1..12 (index) now, for each open category;
    // empty for used categories and before the first roll.
    std::array<std::optional<double>, rules::kCategories + 1> scoreValue{};
    // After roll 1 or 2: points still to come when rolling again holding the dice of each mask
    // and playing best afterwards. Empty after roll 3 and before the first roll.
    std::array<std::optional<double>, kKeepMasks> keepValue{};
    // After roll 1 or 2: the worth of rolling again with the best keep (keepValue of `keep`).
    // Before the first roll: the worth of the turn, the same as `expected`. Empty after roll 3.
    std::optional<double> rollAgain;
};

// Advice for a position of a game of the kind the tables are for (bonus faces 1..6 need the
// bonus dice tables, face 0 the regular ones).
Advice advise(const Tables& tables, const Position& position);

} // namespace zb::strategy
