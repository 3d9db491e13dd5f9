#include "rules/rules.h"

#include <gtest/gtest.h>

using namespace zb::rules;

namespace {

struct ValueCase {
    Dice dice;
    int category;
    int bonusDie;
    int value;
};

void PrintTo(const ValueCase& c, std::ostream* os) {
    *os << c.dice[0] << c.dice[1] << c.dice[2] << c.dice[3] << c.dice[4] << " cat " << c.category
        << " bonus " << c.bonusDie;
}

class CategoryValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(CategoryValueTest, ScoresAsTheRulesSay) {
    const ValueCase& c = GetParam();
    EXPECT_EQ(categoryValue(c.dice, c.category, c.bonusDie), c.value);
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, CategoryValueTest,
                         ::testing::Values(ValueCase{{3, 3, 5, 3, 1}, Threes, 0, 9},
                                           ValueCase{{3, 3, 5, 3, 1}, Threes, 3, 18},
                                           ValueCase{{3, 3, 5, 3, 1}, Threes, 5, 9},
                                           ValueCase{{3, 3, 5, 3, 1}, Fives, 5, 10},
                                           ValueCase{{6, 6, 6, 6, 2}, FourKind, 0, 26},
                                           ValueCase{{4, 4, 4, 4, 4}, FullHouse, 0, 25},
                                           ValueCase{{4, 4, 4, 4, 4}, FourKind, 0, 20},
                                           ValueCase{{1, 2, 3, 4, 6}, SmStraight, 0, 30},
                                           ValueCase{{1, 2, 3, 5, 6}, SmStraight, 0, 0},
                                           ValueCase{{2, 3, 4, 5, 6}, BigStraight, 0, 40},
                                           ValueCase{{2, 3, 4, 5, 6}, SmStraight, 0, 30},
                                           ValueCase{{5, 5, 2, 2, 2}, Freebie, 0, 16}));

INSTANTIATE_TEST_SUITE_P(FiveAlike, CategoryValueTest,
                         ::testing::Values(ValueCase{{2, 2, 2, 2, 2}, FourKind, 0, 10},
                                           ValueCase{{2, 2, 2, 2, 2}, FullHouse, 0, 25},
                                           ValueCase{{2, 2, 2, 2, 2}, FiveKind, 0, 50},
                                           ValueCase{{2, 2, 2, 2, 2}, Freebie, 0, 10},
                                           ValueCase{{2, 2, 2, 2, 2}, SmStraight, 0, 0},
                                           ValueCase{{2, 2, 2, 2, 2}, BigStraight, 0, 0},
                                           ValueCase{{2, 2, 2, 2, 2}, Twos, 0, 10},
                                           ValueCase{{2, 2, 2, 2, 2}, Threes, 0, 0}));

// The bonus die doubles its own number category only; the pattern categories never see it.
INSTANTIATE_TEST_SUITE_P(BonusDie, CategoryValueTest,
                         ::testing::Values(ValueCase{{6, 6, 6, 6, 6}, Sixes, 6, 60},
                                           ValueCase{{6, 6, 6, 6, 6}, FourKind, 6, 30},
                                           ValueCase{{6, 6, 6, 6, 6}, Freebie, 6, 30},
                                           ValueCase{{6, 6, 6, 6, 6}, FiveKind, 6, 50},
                                           ValueCase{{6, 6, 6, 6, 6}, FullHouse, 6, 25},
                                           ValueCase{{6, 6, 6, 6, 6}, Sixes, 5, 30},
                                           ValueCase{{1, 1, 2, 3, 1}, Ones, 1, 6},
                                           ValueCase{{1, 1, 2, 3, 1}, Twos, 1, 2},
                                           ValueCase{{1, 1, 2, 3, 1}, Twos, 2, 4},
                                           ValueCase{{1, 2, 3, 4, 5}, SmStraight, 3, 30},
                                           ValueCase{{1, 2, 3, 4, 5}, BigStraight, 3, 40}));

INSTANTIATE_TEST_SUITE_P(Misses, CategoryValueTest,
                         ::testing::Values(ValueCase{{2, 2, 5, 5, 6}, FullHouse, 0, 0},
                                           ValueCase{{3, 3, 3, 1, 2}, FullHouse, 0, 0},
                                           ValueCase{{3, 3, 3, 1, 2}, FourKind, 0, 0},
                                           ValueCase{{1, 2, 3, 4, 6}, BigStraight, 0, 0},
                                           ValueCase{{6, 6, 6, 6, 2}, FiveKind, 0, 0},
                                           ValueCase{{1, 1, 1, 1, 1}, Sixes, 0, 0},
                                           ValueCase{{1, 2, 3, 4, 5}, 0, 0, 0},
                                           ValueCase{{1, 2, 3, 4, 5}, UpperTotal, 0, 0},
                                           ValueCase{{1, 2, 3, 4, 5}, -3, 0, 0}));

TEST(Patterns, FourAlikeInAnyPosition) {
    EXPECT_TRUE(hasFourKind({2, 6, 6, 6, 6}));
    EXPECT_TRUE(hasFourKind({6, 2, 6, 6, 6}));
    EXPECT_TRUE(hasFourKind({6, 6, 6, 2, 6}));
    EXPECT_TRUE(hasFourKind({6, 6, 6, 6, 2}));
    EXPECT_TRUE(hasFourKind({5, 5, 5, 5, 5}));
    EXPECT_FALSE(hasFourKind({6, 6, 2, 6, 2}));
    EXPECT_FALSE(hasFourKind({1, 2, 3, 4, 5}));
}

TEST(Patterns, FullHouseInAnyOrder) {
    EXPECT_TRUE(hasFullHouse({5, 5, 2, 2, 2}));
    EXPECT_TRUE(hasFullHouse({2, 5, 2, 5, 2}));
    EXPECT_TRUE(hasFullHouse({2, 2, 2, 5, 5}));
    EXPECT_TRUE(hasFullHouse({5, 2, 2, 2, 5}));
    EXPECT_TRUE(hasFullHouse({1, 1, 1, 1, 1}));
    EXPECT_FALSE(hasFullHouse({2, 2, 5, 5, 6}));
    EXPECT_FALSE(hasFullHouse({6, 2, 2, 5, 5}));
    EXPECT_FALSE(hasFullHouse({3, 3, 3, 1, 2}));
    EXPECT_FALSE(hasFullHouse({1, 3, 3, 3, 2}));
    EXPECT_FALSE(hasFullHouse({3, 3, 3, 3, 2}));
    EXPECT_FALSE(hasFullHouse({2, 3, 3, 3, 3}));
}

TEST(Patterns, SmallStraightRunsWithAFreeFifthDie) {
    EXPECT_TRUE(hasSmallStraight({4, 3, 2, 1, 1}));
    EXPECT_TRUE(hasSmallStraight({5, 2, 4, 3, 5}));
    EXPECT_TRUE(hasSmallStraight({6, 5, 4, 3, 1}));
    EXPECT_TRUE(hasSmallStraight({1, 2, 3, 4, 5}));
    EXPECT_FALSE(hasSmallStraight({1, 2, 4, 5, 6}));
    EXPECT_FALSE(hasSmallStraight({1, 1, 2, 2, 3}));
}

TEST(Patterns, BigStraightNeedsFiveInARow) {
    EXPECT_TRUE(hasBigStraight({5, 4, 3, 2, 1}));
    EXPECT_TRUE(hasBigStraight({6, 2, 4, 3, 5}));
    EXPECT_FALSE(hasBigStraight({1, 2, 3, 4, 4}));
    EXPECT_FALSE(hasBigStraight({1, 3, 4, 5, 6}));
}

TEST(Patterns, FiveAlikeOnly) {
    EXPECT_TRUE(hasFiveKind({3, 3, 3, 3, 3}));
    EXPECT_FALSE(hasFiveKind({3, 3, 3, 3, 4}));
    EXPECT_FALSE(hasFiveKind({4, 3, 3, 3, 3}));
}

TEST(Patterns, FacesOutsideOneToSixAreNeverAStraight) {
    EXPECT_FALSE(hasSmallStraight({0, 7, 8, 9, 10}));
    EXPECT_FALSE(hasBigStraight({-1, 0, 7, 100, 6}));
}

TEST(NumberValue, CountsEachMatchingDieTwiceWithTheBonusDie) {
    EXPECT_EQ(numberValue({4, 4, 1, 6, 2}, 4), 8);
    EXPECT_EQ(numberValue({4, 4, 1, 6, 2}, 4, 4), 16);
    EXPECT_EQ(numberValue({4, 4, 1, 6, 2}, 4, 6), 8);
    EXPECT_EQ(numberValue({4, 4, 1, 6, 2}, 6, 6), 12);
    EXPECT_EQ(numberValue({4, 4, 1, 6, 2}, 5, 5), 0);
    EXPECT_EQ(numberValue({4, 4, 1, 6, 2}, 3, 0), 0);
}

TEST(CategoryValue, EveryValueOfEveryRollIsWithinItsRange) {
    // All 7776 rolls, with and without each bonus die: nothing odd in any category.
    for (int code = 0; code < 7776; ++code) {
        Dice d;
        int rest = code;
        for (int& v : d) {
            v = rest % 6 + 1;
            rest /= 6;
        }
        const int sum = d[0] + d[1] + d[2] + d[3] + d[4];
        for (int bonus = 0; bonus <= 6; ++bonus) {
            for (int k = Ones; k <= Sixes; ++k) {
                const int v = categoryValue(d, k, bonus);
                ASSERT_EQ(v % k, 0);
                ASSERT_LE(v, 10 * k);
                if (bonus != k) {
                    ASSERT_EQ(v, categoryValue(d, k, 0));
                }
            }
            ASSERT_TRUE(categoryValue(d, FourKind, bonus) == 0 ||
                        categoryValue(d, FourKind, bonus) == sum);
            ASSERT_EQ(categoryValue(d, Freebie, bonus), sum);
        }
        // A big straight is always a small one; five alike is always a full house and four alike.
        if (hasBigStraight(d)) {
            ASSERT_TRUE(hasSmallStraight(d));
        }
        if (hasFiveKind(d)) {
            ASSERT_TRUE(hasFullHouse(d));
            ASSERT_TRUE(hasFourKind(d));
        }
    }
}

} // namespace
