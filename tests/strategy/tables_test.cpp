// The expected-value tables against values worked out independently: closed forms for a single
// category left, a Markov chain for five alike, a brute-force turn for two categories left, and
// properties every state must have.

#include "bruteturn.h"
#include "strategy/sharedtables.h"
#include "strategytables.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace zb::strategy;
using namespace strategytest;
using zb::rules::Dice;
namespace R = zb::rules;

namespace {

double binomial(int n, int k, double p) {
    double c = 1;
    for (int i = 0; i < k; ++i)
        c = c * (n - i) / (i + 1);
    return c * std::pow(p, k) * std::pow(1 - p, n - k);
}

// The chance that one die ends on a wanted face within three rolls, held once it shows it.
constexpr double kWithinThree = 91.0 / 216.0;

// Five alike within three rolls, always keeping the dice of the most common face: a Markov chain
// over that count, each step worked out by rolling the other dice in every order.
double fiveAlikeChance() {
    // The most common face's count after rolling n dice next to k held dice of face 1.
    auto step = [](const std::array<double, 6>& from) {
        std::array<double, 6> to{};
        for (int k = 0; k <= 5; ++k) {
            if (from[k] == 0)
                continue;
            if (k == 5) {
                to[5] += from[5];
                continue;
            }
            const int n = 5 - k;
            int outcomes = 1;
            for (int i = 0; i < n; ++i)
                outcomes *= 6;
            for (int o = 0; o < outcomes; ++o) {
                std::array<int, 7> count{};
                count[1] = k;
                for (int i = 0, rest = o; i < n; ++i, rest /= 6)
                    ++count[rest % 6 + 1];
                const int most = *std::max_element(count.begin() + 1, count.end());
                to[most] += from[k] / outcomes;
            }
        }
        return to;
    };
    std::array<double, 6> p{1, 0, 0, 0, 0, 0};
    for (int roll = 0; roll < 3; ++roll)
        p = step(p);
    return p[5];
}

TEST(Tables, OnlyFiveOfAKindLeftIsFiftyTimesTheChanceOfFiveAlike) {
    const double chance = fiveAlikeChance();
    EXPECT_NEAR(chance, 2783176.0 / 60466176.0, 1e-12); // the chain's own known result
    const unsigned used = onlyOpen({R::FiveKind});
    for (int upper : {0, 63, 64}) {
        EXPECT_NEAR(regular().expected(used, upper), 50 * chance, kTight) << upper;
        EXPECT_NEAR(bonus().expected(used, upper), 50 * chance, kTight) << upper;
    }
}

TEST(Tables, OnlyFreebieLeftKeepsDiceAboveTheWorthOfRollingThem) {
    // One die: 3.5 at the last roll; keep 4..6 before it (4.25); keep 5 and 6 first (14/3).
    EXPECT_NEAR(regular().expected(onlyOpen({R::Freebie}), 0), 5 * 14.0 / 3, kTight);
    EXPECT_NEAR(bonus().expected(onlyOpen({R::Freebie}), 10), 5 * 14.0 / 3, kTight);
}

TEST(Tables, OnlyOneNumberLeftCountsItsFaceDieByDie) {
    for (int face = 1; face <= 6; ++face) {
        const double plain = face * 5 * kWithinThree;
        // Out of reach of the bonus: the Upper Total does not matter.
        EXPECT_NEAR(regular().expected(onlyOpen({face}), 0), plain, kTight) << face;
        EXPECT_NEAR(regular().expected(onlyOpen({face}), 20), plain, kTight) << face;
        // With bonus dice one turn in six doubles it.
        EXPECT_NEAR(bonus().expected(onlyOpen({face}), 0), plain * 7 / 6, kTight) << face;
    }
}

TEST(Tables, TheBonusNeedsAnUpperTotalAboveSixtyThree) {
    const unsigned used = onlyOpen({R::Sixes});
    const double sixes = 30 * kWithinThree;
    const double atLeastOne = 1 - binomial(5, 0, kWithinThree);
    const double atLeastTwo = atLeastOne - binomial(5, 1, kWithinThree);
    // 63 and 58: one six lifts the total over 63; 57: one six makes 63, which earns nothing.
    EXPECT_NEAR(regular().expected(used, 63), sixes + 35 * atLeastOne, kTight);
    EXPECT_NEAR(regular().expected(used, 58), sixes + 35 * atLeastOne, kTight);
    EXPECT_NEAR(regular().expected(used, 57), sixes + 35 * atLeastTwo, kTight);
    // 64 has it already: it is on the card, not still to come.
    EXPECT_NEAR(regular().expected(used, 64), sixes, kTight);
    EXPECT_NEAR(regular().expected(used, 200), sixes, kTight);
    EXPECT_NEAR(bonus().expected(used, 63), sixes * 7 / 6 + 35 * atLeastOne, kTight);
    EXPECT_NEAR(bonus().expected(used, 64), sixes * 7 / 6, kTight);
    // At the edge of reach: 34 needs all five sixes, 33 can never pass 63.
    const double allFive = binomial(5, 5, kWithinThree);
    EXPECT_NEAR(regular().expected(used, 34), sixes + 35 * allFive, kTight);
    EXPECT_NEAR(regular().expected(used, 33), sixes, kTight);
    // With bonus dice five doubled sixes make 60: from 4 up, a turn whose bonus die is a six.
    EXPECT_NEAR(bonus().expected(used, 4), sixes * 7 / 6 + 35 * allFive / 6, kTight);
    EXPECT_NEAR(bonus().expected(used, 3), sixes * 7 / 6, kTight);
}

TEST(Tables, GainsCountTheBonusOnceWhenTheTotalPassesSixtyThree) {
    EXPECT_EQ(gainOf(63, R::Ones, 1).points, 36);
    EXPECT_EQ(gainOf(63, R::Ones, 1).upper, 64);
    EXPECT_EQ(gainOf(62, R::Ones, 1).points, 1);
    EXPECT_EQ(gainOf(62, R::Ones, 1).upper, 63);
    EXPECT_EQ(gainOf(63, R::Ones, 0).points, 0);
    EXPECT_EQ(gainOf(64, R::Sixes, 30).points, 30);
    EXPECT_EQ(gainOf(64, R::Sixes, 30).upper, 64);
    EXPECT_EQ(gainOf(50, R::Sixes, 60).upper, 64);
    EXPECT_EQ(gainOf(63, R::Freebie, 30).points, 30);
    EXPECT_EQ(gainOf(63, R::Freebie, 30).upper, 63);
    EXPECT_EQ(gainOf(63, R::FourKind, 20).points, 20);
    EXPECT_EQ(cappedUpper(-5), 0);
    EXPECT_EQ(cappedUpper(64), 64);
    EXPECT_EQ(cappedUpper(65), 64);
}

TEST(Tables, AFullCardHasNothingToCome) {
    for (int upper : {0, 63, 64}) {
        EXPECT_EQ(regular().expected(kFullCard, upper), 0);
        EXPECT_EQ(bonus().expected(kFullCard, upper), 0);
    }
}

// Two categories left, the turn solved by brute force, the state after it from the tables.
double twoLeftByBruteForce(const Tables& t, int a, int b, int upper, int bonusFace) {
    const unsigned used = onlyOpen({a, b});
    BruteTurn turn([&](const Dice& d) {
        double best = -1;
        for (int c : {a, b}) {
            const Gain g = gainOf(upper, c, R::categoryValue(d, c, bonusFace));
            best = std::max(best, g.points + t.expected(used | categoryBit(c), g.upper));
        }
        return best;
    });
    return turn.start();
}

TEST(Tables, TwoCategoriesLeftAgreeWithBruteForce) {
    struct Case {
        int a, b, upper;
    };
    for (const Case& k : {Case{R::Sixes, R::Freebie, 40}, Case{R::FullHouse, R::SmStraight, 0},
                          Case{R::Ones, R::Twos, 55}}) {
        EXPECT_NEAR(regular().expected(onlyOpen({k.a, k.b}), k.upper),
                    twoLeftByBruteForce(regular(), k.a, k.b, k.upper, 0), kTight)
            << k.a << " " << k.b;
    }
    // With bonus dice: the mean over the six faces, each known through its turn.
    double sum = 0;
    for (int face = 1; face <= 6; ++face)
        sum += twoLeftByBruteForce(bonus(), R::Threes, R::FourKind, 50, face);
    EXPECT_NEAR(bonus().expected(onlyOpen({R::Threes, R::FourKind}), 50), sum / 6, kTight);
}

// Every state of both tables.
TEST(Tables, MoreRoomAndAHigherUpperTotalNeverLoseValue) {
    for (const Tables* t : {&regular(), &bonus()}) {
        for (unsigned used = 0; used < kFullCard; ++used) {
            for (int upper = 0; upper <= kUpperCap; ++upper) {
                const double v = t->expected(used, upper);
                ASSERT_GE(v, 0);
                // At 64 the bonus is on the card already, no longer to come.
                if (upper < kUpperCap) {
                    const double earned = upper + 1 == kUpperCap ? R::kBonusValue : 0;
                    ASSERT_LE(v, t->expected(used, upper + 1) + earned + kTight)
                        << used << " " << upper;
                }
                // Using up an open category with 0 leaves the Upper Total as it is.
                for (int c = 1; c <= R::kCategories; ++c) {
                    if (!(used & categoryBit(c))) {
                        ASSERT_LE(t->expected(used | categoryBit(c), upper), v + kTight)
                            << used << " " << upper << " " << c;
                    }
                }
            }
        }
    }
}

TEST(Tables, FromTheEmptyCardBonusDiceAreWorthMore) {
    EXPECT_EQ(regular().expectedFromEmpty(), regular().expected(0, 0));
    EXPECT_GT(bonus().expectedFromEmpty(), regular().expectedFromEmpty());
    EXPECT_EQ(regular().kind(), GameKind::Regular);
    EXPECT_EQ(bonus().kind(), GameKind::BonusDice);
    EXPECT_GE(regular().memoryBytes(), sizeof(double) * kStates);
    EXPECT_LT(regular().memoryBytes(), sizeof(double) * kStates + 4096);
}

TEST(Tables, ValidBonusFacesFollowTheKindOfGame) {
    EXPECT_TRUE(regular().validBonusFace(0));
    EXPECT_FALSE(regular().validBonusFace(1));
    EXPECT_FALSE(bonus().validBonusFace(0));
    EXPECT_TRUE(bonus().validBonusFace(1));
    EXPECT_TRUE(bonus().validBonusFace(6));
    EXPECT_FALSE(bonus().validBonusFace(7));
    EXPECT_FALSE(bonus().validBonusFace(-1));
}

TEST(Tables, ACancelledBuildGivesNothing) {
    std::atomic<bool> cancel{true};
    EXPECT_EQ(Tables::build(GameKind::BonusDice, &cancel), nullptr);
}

} // namespace
