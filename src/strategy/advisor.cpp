#include "strategy/advisor.h"

#include <bit>

namespace zb::strategy {
namespace {

// Worth that differs by less than this is the same worth, rounding aside.
constexpr double kSame = 1e-9;

bool validPosition(const Tables& tables, const Position& p) {
    if ((p.used & ~kFullCard) != 0 || p.used == kFullCard || !tables.validBonusFace(p.bonusFace))
        return false;
    if (p.rolls < 0 || p.rolls > 3)
        return false;
    if (p.rolls == 0)
        return true;
    for (int v : p.dice) {
        if (v < 1 || v > kFaces)
            return false;
    }
    return true;
}

KeepMask maskOf(const std::array<bool, 5>& dice) {
    KeepMask m = 0;
    for (int d = 0; d < kDiceCount; ++d) {
        if (dice[d])
            m |= 1u << d;
    }
    return m;
}

int setOfKept(const rules::Dice& dice, KeepMask keep) {
    std::array<int, kFaces + 1> count{};
    for (int d = 0; d < kDiceCount; ++d) {
        if (keep & (1u << d))
            ++count[dice[d]];
    }
    return DiceSets::get().indexOf(count);
}

// The best keep: most worth; then one that rolls a die; then fewest changes to the holds.
KeepMask bestKeep(const Advice& a, KeepMask held) {
    constexpr KeepMask all = kKeepMasks - 1;
    double most = *a.keepValue[0];
    for (KeepMask m = 1; m < kKeepMasks; ++m)
        most = std::max(most, *a.keepValue[m]);
    KeepMask best = all;
    auto rank = [held](KeepMask m) { return (m == all ? 100 : 0) + std::popcount(m ^ held); };
    for (KeepMask m = 0; m < kKeepMasks; ++m) {
        if (*a.keepValue[m] >= most - kSame && rank(m) < rank(best))
            best = m;
    }
    return best;
}

} // namespace

int upperTotalOf(const rules::Card& card) {
    int sum = 0;
    for (int c = rules::Ones; c <= rules::Sixes; ++c) {
        if (card.used(c))
            sum += card.entry[c];
    }
    return sum;
}

Advice advise(const Tables& tables, const Position& p) {
    Advice a;
    if (!validPosition(tables, p))
        return a;
    a.valid = true;
    const int upper = cappedUpper(p.upperTotal);
    TurnPlan plan;
    tables.finalWorth(p.used, upper, p.bonusFace, plan.final);
    planTurn(plan);
    if (p.rolls == 0) {
        a.expected = plan.start;
        a.rollAgain = plan.start;
        return a;
    }

    const int roll = DiceSets::get().indexOfDice(p.dice);
    double scoreBest = 0;
    for (int c = 1; c <= rules::kCategories; ++c) {
        if (p.used & categoryBit(c))
            continue;
        const double v = tables.scoreWorth(p.used, upper, p.bonusFace, roll, c);
        a.scoreValue[c] = v;
        if (a.category == 0 || v > scoreBest) {
            a.category = c;
            scoreBest = v;
        }
    }
    a.expected = scoreBest;
    a.scoreNow = true;
    if (p.rolls == 3)
        return a;

    const SetValues& keeps = p.rolls == 1 ? plan.keepRoll2 : plan.keepRoll3;
    for (KeepMask m = 0; m < kKeepMasks; ++m)
        a.keepValue[m] = keeps[setOfKept(p.dice, m)];
    const KeepMask keep = bestKeep(a, maskOf(p.held));
    a.rollAgain = a.keepValue[keep];
    for (int d = 0; d < kDiceCount; ++d)
        a.keep[d] = (keep & (1u << d)) != 0;
    // Roll again only for more than scoring now is worth; at the same worth the turn ends sooner.
    if (*a.rollAgain > scoreBest + kSame) {
        a.scoreNow = false;
        a.expected = *a.rollAgain;
    }
    return a;
}

} // namespace zb::strategy
