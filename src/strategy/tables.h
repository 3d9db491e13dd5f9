#pragma once
// The expected-value tables of the strategy that maximises a card's expected total, one per kind
// of game. A state is the card at the start of a turn: which categories are used (4,096 sets)
// and its Upper Total capped at 64, since from 64 up the bonus is earned and nothing else in the
// upper section depends on the total (65 values: 266,240 states). Each holds the points still to
// come with best play: the scores of every turn left plus the bonus if it is still to be earned.
//
// Worked backwards from the full card, whose value is 0: a state's value is its turn played for
// the most points expected (strategy/turnsolver.h), where each final roll is worth its best open
// category: the score, the bonus when that score lifts the Upper Total over 63, and the value of
// the state it leads to. In a bonus dice game the bonus face is drawn anew each turn, 1..6 alike,
// and is known through the turn, so a state's value is the mean of six turns each played for its
// face; a face whose number category is used changes no score, so those faces share one turn.
//
// A team game fills the same twelve categories of one shared card in twelve turns, the partners
// taking turns, so the same tables serve it: who rolls does not change what a turn is worth.
//
// One kind's table is 266,240 doubles, 2.03 MiB; the scores and sets both kinds share take another
// 150 KiB. The tables are built once per process (strategy/sharedtables.h) and never change.

#include "rules/rules.h"
#include "strategy/turnsolver.h"

#include <atomic>
#include <cstddef>
#include <memory>
#include <vector>

namespace zb::strategy {

enum class GameKind { Regular, BonusDice };

constexpr int kUpperCap = 64;         // upper totals from here on are all alike
constexpr unsigned kFullCard = 0xFFF; // every category used
constexpr int kStates = (kFullCard + 1) * (kUpperCap + 1);

// Bit c-1 stands for category c (1..12).
constexpr unsigned categoryBit(int category) {
    return 1u << (category - 1);
}
// The used categories of a card (entries 1..12 that are not 1000).
unsigned usedCategories(const rules::Card& card);
// An Upper Total as the tables count it: 0..64.
int cappedUpper(int upperTotal);
// Upper Total and points gained when `score` goes into `category` at Upper Total `upper`
// (capped): the score, plus the bonus if it lifts the total over 63.
struct Gain {
    int upper;
    int points;
};
Gain gainOf(int upper, int category, int score);

class Tables {
public:
    // Builds the tables for one kind of game: about half a second of one core, two seconds with
    // bonus dice (optimised build). Returns null when *cancel becomes true during the build.
    static std::unique_ptr<Tables> build(GameKind kind, const std::atomic<bool>* cancel = nullptr);

    GameKind kind() const { return kind_; }
    // The bonus faces a turn can have: 0 alone without bonus dice, 1..6 with them.
    bool validBonusFace(int face) const;

    // Points still to come with best play before the first roll of a turn, on a card with these
    // categories used and this Upper Total (any value from 0; above 64 counts as 64).
    double expected(unsigned used, int upperTotal) const;
    // The same from the empty card: the expected final total.
    double expectedFromEmpty() const { return expected(0, 0); }

    // Worth of putting whole roll `roll` (set index) into open `category` now: its score, the
    // bonus it earns, and the value of the state it leads to.
    double scoreWorth(unsigned used, int upper, int bonusFace, int roll, int category) const;
    // For every whole roll (entries kFirstRoll..kSets-1): the worth of its best open category.
    // At least one category must be open.
    void finalWorth(unsigned used, int upper, int bonusFace, SetValues& v) const;

    // Memory the tables hold.
    std::size_t memoryBytes() const { return sizeof(*this) + values_.capacity() * sizeof(double); }

private:
    explicit Tables(GameKind kind);
    double& at(unsigned used, int upper) { return values_[used * (kUpperCap + 1) + upper]; }
    double at(unsigned used, int upper) const { return values_[used * (kUpperCap + 1) + upper]; }
    double stateValue(unsigned used, int upper, SetValues& work) const;
    int upperStillPossible(unsigned used) const;

    GameKind kind_;
    std::vector<double> values_; // [used * 65 + upper]
};

} // namespace zb::strategy
