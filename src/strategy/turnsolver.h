#pragma once
// One turn played for the most points expected. What a final roll is worth (its best category
// now, with all that follows) decides what every keep is worth before roll 3, hence what every
// roll is worth after roll 2 (its best keep), and so on back to the turn's first roll.
//
// A keep's worth is the mean of the keeps one die larger over the six faces of that die: rolling
// the missing dice one at a time gives the same chances as rolling them together. A roll's worth
// after rolls 1 and 2 is the best worth among the keeps it contains, which is the best of its own
// keep and of the sets one die smaller, taken smallest sets first.

#include "strategy/dicesets.h"

#include <array>

// The innermost loops of the table build: millions of reads of fixed tables through indices that
// the tests check exhaustively (every neighbour of every set, every score against the rules).
// The sanitizers' checks on every such read make a build some thirty times slower, too slow for
// the sanitizer test runs, so these loops alone go without them. They call nothing, since a
// function checked differently is not inlined into them.
#if defined(__GNUC__) || defined(__clang__)
#define ZB_STRATEGY_KERNEL __attribute__((no_sanitize("address", "undefined")))
#else
#define ZB_STRATEGY_KERNEL
#endif

namespace zb::strategy {

// Worth of every set of dice at one stage; only the whole-roll entries in some stages.
using SetValues = std::array<double, kSets>;

// From the worth of the whole rolls (entries kFirstRoll..kSets-1) to the worth of every smaller
// keep when the missing dice are rolled.
void keepWorth(SetValues& v);
// From the worth of every keep to the worth of every set as the best keep it contains.
void bestKeepWithin(SetValues& v);
// Chance-weighted mean over whole rolls.
double meanOverRolls(const SetValues& v);

// The whole turn, every stage kept, for advice on a position.
struct TurnPlan {
    SetValues final{};     // rolls: best category now, with everything after it
    SetValues keepRoll3{}; // every keep before roll 3
    SetValues keepRoll2{}; // every keep before roll 2
    double start = 0;      // before roll 1
};
// Fills the keeps and the start from plan.final.
void planTurn(TurnPlan& plan);

// The same, only the start, working in place in v (its whole-roll entries hold the final worth).
double turnStart(SetValues& v);

} // namespace zb::strategy
