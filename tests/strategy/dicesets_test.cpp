// The multisets of dice the strategy counts with, and the scores it looks up, against the rules
// and against counting by hand.

#include "strategy/dicesets.h"
#include "strategy/scoretable.h"

#include <gtest/gtest.h>
#include <set>

using namespace zb::strategy;
using zb::rules::Dice;

namespace {

TEST(DiceSets, EverySetOfUpToFiveDiceOnceSmallestFirst) {
    const DiceSets& sets = DiceSets::get();
    std::set<std::array<std::uint8_t, 7>> seen;
    int previousSize = 0;
    std::array<int, 6> perSize{};
    for (int i = 0; i < kSets; ++i) {
        const DiceSet& s = sets[i];
        int size = 0;
        for (int f = 1; f <= kFaces; ++f)
            size += s.count[f];
        EXPECT_EQ(s.size, size) << i;
        EXPECT_GE(s.size, previousSize) << i;
        previousSize = s.size;
        ++perSize[s.size];
        EXPECT_TRUE(seen.insert(s.count).second) << i;
    }
    EXPECT_EQ(perSize, (std::array<int, 6>{1, 6, 21, 56, 126, 252}));
    EXPECT_EQ(sets[kFirstRoll - 1].size, 4);
    EXPECT_EQ(sets[kFirstRoll].size, 5);
}

TEST(DiceSets, NeighboursDifferByOneDie) {
    const DiceSets& sets = DiceSets::get();
    for (int i = 0; i < kSets; ++i) {
        const DiceSet& s = sets[i];
        for (int f = 1; f <= kFaces; ++f) {
            const int flat = sets.neighbours().plus[i * kFaces + f - 1];
            if (s.size == kDiceCount) {
                EXPECT_EQ(s.plus[f], -1);
                EXPECT_EQ(flat, i); // padded with itself
                continue;
            }
            EXPECT_EQ(flat, s.plus[f]);
            const DiceSet& p = sets[s.plus[f]];
            for (int g = 1; g <= kFaces; ++g)
                EXPECT_EQ(p.count[g], s.count[g] + (g == f ? 1 : 0));
        }
        int present = 0;
        for (int f = 1; f <= kFaces; ++f)
            present += s.count[f] > 0 ? 1 : 0;
        ASSERT_EQ(s.minusCount, present) << i;
        for (int k = 0; k < kDiceCount; ++k) {
            const int m = sets.neighbours().minus[i * kDiceCount + k];
            if (k >= present) {
                EXPECT_EQ(m, i);
                continue;
            }
            int missing = 0; // the face one die of which is taken away
            for (int f = 1; f <= kFaces; ++f) {
                const int less = s.count[f] - sets[m].count[f];
                EXPECT_TRUE(less == 0 || less == 1);
                if (less == 1) {
                    EXPECT_EQ(missing, 0);
                    missing = f;
                }
            }
            ASSERT_NE(missing, 0);
            EXPECT_EQ(sets[m].plus[missing], i);
        }
    }
}

TEST(DiceSets, RollChancesCountOrderedRolls) {
    const DiceSets& sets = DiceSets::get();
    double sum = 0;
    for (int r = kFirstRoll; r < kSets; ++r)
        sum += sets.rollChance(r);
    EXPECT_NEAR(sum, 1.0, 1e-12);
    EXPECT_DOUBLE_EQ(sets.rollChance(sets.indexOfDice({4, 4, 4, 4, 4})), 1.0 / 7776);
    EXPECT_DOUBLE_EQ(sets.rollChance(sets.indexOfDice({1, 2, 3, 4, 5})), 120.0 / 7776);
    EXPECT_DOUBLE_EQ(sets.rollChance(sets.indexOfDice({2, 2, 6, 6, 6})), 10.0 / 7776);
}

TEST(DiceSets, DiceFindTheirSetInAnyOrder) {
    const DiceSets& sets = DiceSets::get();
    const int a = sets.indexOfDice({6, 1, 3, 1, 6});
    EXPECT_EQ(a, sets.indexOfDice({1, 1, 3, 6, 6}));
    EXPECT_EQ(sets.rollDice(a), (Dice{1, 1, 3, 6, 6}));
    EXPECT_NE(a, sets.indexOfDice({1, 1, 3, 6, 5}));
    EXPECT_EQ(sets.indexOfDice({0, 1, 1, 1, 1}), -1);
    EXPECT_EQ(sets.indexOfDice({1, 1, 1, 1, 7}), -1);
    EXPECT_EQ(sets.indexOfDice({-1, 2, 3, 4, 5}), -1);
    EXPECT_EQ(sets.indexOf({0, 0, 0, 0, 0, 0, 0}), 0);
    EXPECT_EQ(sets.indexOf({0, 0, 0, 0, 0, 0, 6}), -1);
    EXPECT_EQ(sets.indexOf({0, 1, 1, 1, 1, 1, 1}), -1);
    EXPECT_EQ(sets.indexOf({0, 0, 0, 0, 0, 0, -1}), -1);
    EXPECT_EQ(sets[sets.indexOf({0, 0, 0, 0, 0, 0, 5})].size, 5);
}

TEST(ScoreTable, EveryRollScoresAsTheRulesSay) {
    const DiceSets& sets = DiceSets::get();
    const ScoreTable& table = ScoreTable::get();
    for (int face = 0; face <= kFaces; ++face) {
        for (int r = kFirstRoll; r < kSets; ++r) {
            const Dice& d = sets.rollDice(r);
            for (int c = 1; c <= zb::rules::kCategories; ++c) {
                ASSERT_EQ(table.score(face, r, c), zb::rules::categoryValue(d, c, face))
                    << face << " " << r << " " << c;
                ASSERT_EQ(table.scores(face, c)[r - kFirstRoll], table.score(face, r, c));
            }
            // What the strategy takes for granted: a number category looks only at its count.
            for (int c = 1; c <= 6; ++c) {
                const int count = table.faceCounts(c)[r - kFirstRoll];
                EXPECT_EQ(count, std::count(d.begin(), d.end(), c));
                EXPECT_EQ(table.numberScore(face, c, count), table.score(face, r, c));
            }
        }
    }
    EXPECT_EQ(table.numberScore(6, 6, 5), 60);
    EXPECT_EQ(table.numberScore(5, 6, 5), 30);
    EXPECT_EQ(table.numberScore(0, 3, 0), 0);
}

} // namespace
