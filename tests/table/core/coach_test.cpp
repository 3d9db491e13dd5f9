// The coach on positions worked by hand: it advises only on the own turn, keeps the best dice or
// scores, tells what each choice is worth, follows the position, and never sends anything.

#include "corefixture.h"

#include "table/core/coach.h"

using namespace zbtest;
using namespace std::chrono_literals;

namespace {

class CoachTest : public CoreTest {
protected:
    // The own card with every category used at 0 but the ones given, and its total.
    void cardWithOnlyOpen(std::initializer_list<int> open, int total = 0) {
        QByteArray m = "CMD_pscore+1+" + QByteArray::number(total) + "+*";
        for (int row = 1; row <= 15; ++row) {
            const bool isOpen = std::find(open.begin(), open.end(), row) != open.end();
            m += "+" + QByteArray(isOpen ? "1000" : "0");
        }
        feed(m + '\xFF');
    }
    void dice(int rolls, std::array<int, 5> faces) {
        QByteArray m =
            "CMD_thedice+1+" + QByteArray(rolls < 3 ? "y" : "n") + "+" + QByteArray::number(rolls);
        for (int d = 1; d <= 5; ++d)
            m += "+" + QByteArray::number(d) + "+" + QByteArray::number(faces[d - 1]);
        feed(m + '\xFF');
    }
    bool advised(zb::Coach& coach) {
        return waitFor([&] { return coach.suggestion().has_value(); }, 60s);
    }
};

TEST_F(CoachTest, WithOnlyFiveOfAKindLeftFourAlikeAreKeptForTwoMoreRolls) {
    zb::Coach coach(core);
    coach.setAlways(true);
    seated(1);
    cardWithOnlyOpen({11}, 120);
    feed("CMD_nextplayer+1+12+0+0+\xFF");
    ASSERT_TRUE(advised(coach)) << "before the first roll: roll";
    core.roll();
    take();
    dice(1, {4, 4, 2, 4, 4});
    ASSERT_TRUE(advised(coach));
    const zb::Suggestion s = *coach.suggestion();
    EXPECT_FALSE(s.scoreNow);
    EXPECT_EQ(s.keep, (std::array<bool, 6>{false, true, true, false, true, true}));
    // Five alike within two rolls of the fifth die: 1 - (5/6)^2, on top of the card's 120.
    EXPECT_NEAR(s.bestTotal, 120 + 50.0 * (1 - 25.0 / 36), 1e-6);
    ASSERT_TRUE(s.categoryTotal[11].has_value());
    EXPECT_NEAR(*s.categoryTotal[11], 120.0, 1e-9) << "scoring now adds nothing";
    EXPECT_EQ(coach.text(), "Keep 4 4 4 4 and roll again: expected total 135.3");
    dice(3, {4, 4, 2, 4, 4});
    ASSERT_TRUE(advised(coach));
    EXPECT_TRUE(coach.suggestion()->scoreNow);
    EXPECT_EQ(coach.suggestion()->category, 11);
    EXPECT_EQ(coach.text(), "Score 5 of a Kind now: expected total 120.0");
    EXPECT_TRUE(take().isEmpty()) << "the coach sends nothing";
}

TEST_F(CoachTest, OnlyOnTheOwnTurnAndOnlyWhenAsked) {
    zb::Coach coach(core);
    seated(1);
    cardWithOnlyOpen({12});
    feed("CMD_nextplayer+2+12+0+0+\xFF");
    coach.suggest();
    coach.setAlways(true);
    EXPECT_FALSE(coach.suggestion()) << "another seat's turn";
    coach.setAlways(false);
    feed("CMD_nextplayer+1+12+0+0+\xFF");
    core.roll();
    take();
    dice(1, {6, 6, 6, 5, 5});
    EXPECT_FALSE(coach.suggestion()) << "nothing asked";
    coach.suggest();
    ASSERT_TRUE(advised(coach));
    EXPECT_TRUE(coach.suggestion()->scoreNow) << "a Freebie of 28 is not bettered on average";
    EXPECT_NEAR(coach.suggestion()->bestTotal, 28.0, 1e-9);
    // Asked once: the advice goes with the position it was for.
    feed("CMD_setdice+1\xFF");
    EXPECT_FALSE(coach.suggestion());
    feed("CMD_nextplayer+2+12+0+0+\xFF");
    EXPECT_FALSE(coach.suggestion());
}

TEST_F(CoachTest, EveryOpenCategoryIsValuedAndTheBestIsTheHighest) {
    zb::Coach coach(core);
    coach.setAlways(true);
    seated(1);
    cardWithOnlyOpen({1, 6, 8});
    feed("CMD_nextplayer+1+10+0+0+\xFF");
    core.roll();
    dice(3, {6, 6, 6, 1, 1});
    ASSERT_TRUE(advised(coach));
    const zb::Suggestion s = *coach.suggestion();
    for (int c = 1; c <= 12; ++c)
        EXPECT_EQ(s.categoryTotal[c].has_value(), c == 1 || c == 6 || c == 8) << c;
    double best = 0;
    for (int c : {1, 6, 8})
        best = std::max(best, *s.categoryTotal[c]);
    EXPECT_DOUBLE_EQ(s.bestTotal, best);
    EXPECT_DOUBLE_EQ(*s.categoryTotal[s.category], best);
}

} // namespace
