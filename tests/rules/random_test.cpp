#include "rules/random.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

using zb::rules::Random;

namespace {

// The generator written out the long way, without relying on unsigned wrap-around.
struct Reference {
    unsigned long long state;
    unsigned long long next(unsigned long long n) {
        state = (state * 134775813ULL + 1ULL) % 4294967296ULL;
        return (n * state) / 4294967296ULL;
    }
};

std::vector<int> firstDice(std::uint32_t seed, int count) {
    Random r(seed);
    std::vector<int> dice;
    for (int i = 0; i < count; ++i)
        dice.push_back(r.die());
    return dice;
}

TEST(Random, FirstDiceOfSeedZero) {
    EXPECT_EQ(firstDice(0, 10), (std::vector<int>{1, 1, 6, 2, 2, 5, 2, 1, 3, 3}));
}

TEST(Random, FirstDiceOfSeed12345) {
    EXPECT_EQ(firstDice(12345, 10), (std::vector<int>{3, 2, 1, 4, 4, 3, 3, 1, 1, 6}));
}

TEST(Random, StateAdvancesBeforeTheDraw) {
    Random r(0);
    EXPECT_EQ(r.next(6), 0u);
    EXPECT_EQ(r.state(), 1u);
    r.next(6);
    EXPECT_EQ(r.state(), 134775814u);
    r.next(6);
    EXPECT_EQ(r.state(), 3698175007u);

    Random s(12345);
    s.next(1);
    EXPECT_EQ(s.state(), 1655067934u);
}

TEST(Random, MatchesTheLongFormForManyRangesAndSeeds) {
    for (std::uint32_t seed : {0u, 1u, 12345u, 0x7FFFFFFFu, 0xFFFFFFFFu, 86399999u}) {
        Random r(seed);
        Reference ref{seed};
        for (std::uint32_t n : {1u, 2u, 6u, 100u, 1000u, 0xFFFFFFFFu}) {
            for (int i = 0; i < 200; ++i)
                ASSERT_EQ(r.next(n), ref.next(n)) << "seed " << seed << " n " << n;
        }
    }
}

TEST(Random, DrawsStayInRange) {
    Random r(4242);
    for (int i = 0; i < 10000; ++i) {
        const int d = r.die();
        ASSERT_GE(d, 1);
        ASSERT_LE(d, 6);
        ASSERT_LT(r.next(13), 13u);
        ASSERT_EQ(r.next(1), 0u);
    }
}

TEST(Random, ReseedingRepeatsTheSequence) {
    Random r(777);
    const int a = r.die(), b = r.die(), c = r.die();
    r.seed(777);
    EXPECT_EQ(r.die(), a);
    EXPECT_EQ(r.die(), b);
    EXPECT_EQ(r.die(), c);
}

TEST(Random, ClockSeedIsTheMillisecondOfTheUtcDay) {
    using namespace std::chrono;
    const auto before = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    const std::uint32_t seed = Random::clockSeed();
    const auto after = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    constexpr long long day = 86400000;
    EXPECT_LT(seed, day);
    const long long lo = before % day;
    const long long hi = after % day;
    if (lo <= hi) { // not across midnight
        EXPECT_GE(static_cast<long long>(seed), lo);
        EXPECT_LE(static_cast<long long>(seed), hi);
    }
}

} // namespace
