// The steps of a turn on arbitrary values, against their definitions: a keep is worth the mean
// over every ordered roll of the missing dice, a set is worth the best of every keep within it.

#include "strategy/turnsolver.h"

#include <gtest/gtest.h>
#include <random>

using namespace zb::strategy;

namespace {

SetValues randomValues(unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> value(-50, 300);
    SetValues v{};
    for (double& x : v)
        x = value(rng);
    return v;
}

std::array<int, kFaces + 1> countsOf(int index) {
    std::array<int, kFaces + 1> c{};
    for (int f = 1; f <= kFaces; ++f)
        c[f] = DiceSets::get()[index].count[f];
    return c;
}

TEST(TurnSolver, AKeepIsWorthTheMeanOverEveryOrderedRollOfTheRest) {
    const DiceSets& sets = DiceSets::get();
    const SetValues given = randomValues(1);
    SetValues v = given;
    keepWorth(v);
    for (int i = 0; i < kSets; ++i) {
        const int missing = kDiceCount - sets[i].size;
        int outcomes = 1;
        for (int n = 0; n < missing; ++n)
            outcomes *= kFaces;
        double sum = 0;
        for (int o = 0; o < outcomes; ++o) {
            std::array<int, kFaces + 1> c = countsOf(i);
            for (int n = 0, rest = o; n < missing; ++n, rest /= kFaces)
                ++c[rest % kFaces + 1];
            sum += given[sets.indexOf(c)];
        }
        ASSERT_NEAR(v[i], sum / outcomes, 1e-9) << i;
    }
}

TEST(TurnSolver, ASetIsWorthTheBestKeepWithinIt) {
    const DiceSets& sets = DiceSets::get();
    for (unsigned seed : {2u, 3u, 4u}) {
        const SetValues given = randomValues(seed);
        SetValues v = given;
        bestKeepWithin(v);
        for (int i = 0; i < kSets; ++i) {
            // Every set of counts no larger than set i's, face by face.
            const std::array<int, kFaces + 1> top = countsOf(i);
            double best = -1e300;
            std::array<int, kFaces + 1> c{};
            auto each = [&](auto&& self, int face) -> void {
                if (face > kFaces) {
                    best = std::max(best, given[sets.indexOf(c)]);
                    return;
                }
                for (c[face] = 0; c[face] <= top[face]; ++c[face])
                    self(self, face + 1);
            };
            each(each, 1);
            ASSERT_EQ(v[i], best) << seed << " " << i;
        }
    }
}

TEST(TurnSolver, TheStartIsTheMeanOverFirstRollsOfTheirBestKeeps) {
    const DiceSets& sets = DiceSets::get();
    SetValues v = randomValues(5);
    TurnPlan plan;
    plan.final = v;
    planTurn(plan);
    // By hand from the steps: roll 3's keeps, roll 2's best keeps and keeps, roll 1's best keeps.
    SetValues w = v;
    keepWorth(w);
    EXPECT_EQ(plan.keepRoll3, w);
    bestKeepWithin(w);
    keepWorth(w);
    EXPECT_EQ(plan.keepRoll2, w);
    bestKeepWithin(w);
    double mean = 0;
    for (int r = kFirstRoll; r < kSets; ++r)
        mean += sets.rollChance(r) * w[r];
    EXPECT_NEAR(plan.start, mean, 1e-9);
    EXPECT_NEAR(turnStart(v), plan.start, 1e-9);
    EXPECT_NEAR(meanOverRolls(w), mean, 1e-9);
}

} // namespace
