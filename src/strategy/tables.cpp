#include "strategy/tables.h"

#include "strategy/scoretable.h"

#include <algorithm>
#include <limits>

namespace zb::strategy {

unsigned usedCategories(const rules::Card& card) {
    unsigned used = 0;
    for (int c = 1; c <= rules::kCategories; ++c) {
        if (card.used(c))
            used |= categoryBit(c);
    }
    return used;
}

int cappedUpper(int upperTotal) {
    return std::clamp(upperTotal, 0, kUpperCap);
}

Gain gainOf(int upper, int category, int score) {
    if (category > rules::Sixes)
        return {upper, score};
    const int after = std::min(upper + score, kUpperCap);
    const bool bonus = upper <= rules::kBonusThreshold && after > rules::kBonusThreshold;
    return {after, score + (bonus ? rules::kBonusValue : 0)};
}

Tables::Tables(GameKind kind) : kind_(kind), values_(kStates, 0.0) {}

bool Tables::validBonusFace(int face) const {
    return kind_ == GameKind::Regular ? face == 0 : face >= 1 && face <= kFaces;
}

double Tables::expected(unsigned used, int upperTotal) const {
    return at(used & kFullCard, cappedUpper(upperTotal));
}

double Tables::scoreWorth(unsigned used, int upper, int bonusFace, int roll, int category) const {
    const int score = ScoreTable::get().score(bonusFace, roll, category);
    const Gain g = gainOf(cappedUpper(upper), category, score);
    return g.points + at(used | categoryBit(category), g.upper);
}

ZB_STRATEGY_KERNEL void Tables::finalWorth(unsigned used, int upper, int bonusFace,
                                           SetValues& values) const {
    const ScoreTable& scores = ScoreTable::get();
    upper = cappedUpper(upper);
    double* v = values.data() + kFirstRoll;
    for (int r = 0; r < kRolls; ++r)
        v[r] = -std::numeric_limits<double>::infinity();
    for (int c = 1; c <= rules::kCategories; ++c) {
        if (used & categoryBit(c))
            continue;
        const double* next = values_.data() + (used | categoryBit(c)) * (kUpperCap + 1);
        if (c > rules::Sixes) {
            const double after = next[upper];
            const std::uint8_t* s = scores.scores(bonusFace, c);
            for (int r = 0; r < kRolls; ++r) {
                const double x = s[r] + after;
                v[r] = x > v[r] ? x : v[r];
            }
            continue;
        }
        // A number category looks only at how many dice show its face.
        double worth[kDiceCount + 1];
        for (int count = 0; count <= kDiceCount; ++count) {
            const Gain g = gainOf(upper, c, scores.numberScore(bonusFace, c, count));
            worth[count] = g.points + next[g.upper];
        }
        const std::uint8_t* count = scores.faceCounts(c);
        for (int r = 0; r < kRolls; ++r) {
            const double x = worth[count[r]];
            v[r] = x > v[r] ? x : v[r];
        }
    }
}

double Tables::stateValue(unsigned used, int upper, SetValues& work) const {
    if (kind_ == GameKind::Regular) {
        finalWorth(used, upper, 0, work);
        return turnStart(work);
    }
    double sum = 0;
    int sharing = 0; // faces whose number category is used: all play like a face that matches none
    for (int face = 1; face <= kFaces; ++face) {
        if (used & categoryBit(face)) {
            ++sharing;
            continue;
        }
        finalWorth(used, upper, face, work);
        sum += turnStart(work);
    }
    if (sharing > 0) {
        finalWorth(used, upper, 0, work);
        sum += sharing * turnStart(work);
    }
    return sum / kFaces;
}

// The most the open number categories can still add to the Upper Total.
int Tables::upperStillPossible(unsigned used) const {
    const ScoreTable& scores = ScoreTable::get();
    int most = 0;
    for (int c = rules::Ones; c <= rules::Sixes; ++c) {
        if (used & categoryBit(c))
            continue;
        int best = 0;
        for (int face = 0; face <= kFaces; ++face) {
            if (validBonusFace(face))
                best = std::max(best, scores.numberScore(face, c, kDiceCount));
        }
        most += best;
    }
    return most;
}

std::unique_ptr<Tables> Tables::build(GameKind kind, const std::atomic<bool>* cancel) {
    std::unique_ptr<Tables> t(new Tables(kind));
    SetValues work{};
    // Every state leads only to states with more categories used, which have higher numbers.
    for (unsigned used = kFullCard; used-- > 0;) {
        if (cancel && cancel->load(std::memory_order_relaxed))
            return nullptr;
        // Once the bonus is earned, or out of reach, the Upper Total no longer matters: all such
        // totals play alike, so they take the value of the earned one, computed once.
        const double settled = t->stateValue(used, kUpperCap, work);
        t->at(used, kUpperCap) = settled;
        const int possible = t->upperStillPossible(used);
        for (int upper = 0; upper < kUpperCap; ++upper) {
            t->at(used, upper) = upper + possible <= rules::kBonusThreshold
                                     ? settled
                                     : t->stateValue(used, upper, work);
        }
    }
    return t;
}

} // namespace zb::strategy
