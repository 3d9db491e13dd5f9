// The computer player's decisions on given dice and cards, against a fake host that records what
// the player does.

#include "host/computerplayer.h"

#include <gtest/gtest.h>
#include <vector>

using namespace zb::host;
using namespace zb::rules;

namespace {

class FakeHost : public ComputerHost {
public:
    const TurnDice& turnDice() const override { return dice; }
    const Card& cardOf(int seat) const override { return cards[seat]; }
    void setdice(int seat, int die) override {
        held.push_back(die);
        lastSeat = seat;
        if (dice.freeValue[die] > 0) {
            dice.heldValue[die] = dice.freeValue[die];
            dice.freeValue[die] = 0;
        }
    }
    void setscore(int seat, int category) override {
        scored.push_back(category);
        lastSeat = seat;
    }
    void armStep() override { ++armed; }
    void passTurn() override { ++passed; }

    // A roll: the free dice take the given values in die order; held dice keep theirs.
    void roll(std::array<int, 5> values) {
        ++dice.rolls;
        for (int die = 1; die <= kDice; ++die) {
            if (!dice.held(die))
                dice.freeValue[die] = values[die - 1];
        }
    }
    void fill(int seat, std::initializer_list<int> categories) {
        for (int c : categories)
            cards[seat].entry[c] = 0;
    }

    TurnDice dice;
    std::array<Card, 5> cards;
    std::vector<int> held;
    std::vector<int> scored;
    int armed = 0;
    int passed = 0;
    int lastSeat = 0;
};

class ComputerPlayerTest : public ::testing::Test {
protected:
    void play(std::array<int, 5> values) {
        host.roll(values);
        bot.computerplay(seat);
    }
    FakeHost host;
    ComputerPlayer bot{host};
    int seat = 2;
};

TEST_F(ComputerPlayerTest, FullHouseOnFirstRollIsScoredAtOnceWithoutHolding) {
    play({3, 3, 3, 5, 5});
    EXPECT_EQ(host.scored, std::vector<int>{FullHouse});
    EXPECT_TRUE(host.held.empty());
    EXPECT_EQ(host.armed, 0);
    EXPECT_EQ(host.lastSeat, seat);
}

TEST_F(ComputerPlayerTest, SmallStraightIsTakenBeforeAnyStraightWorking) {
    play({1, 2, 3, 4, 6});
    EXPECT_EQ(host.scored, std::vector<int>{SmStraight});
}

TEST_F(ComputerPlayerTest, SmallStraightWhenBigStraightIsFilled) {
    host.fill(seat, {BigStraight});
    play({2, 3, 4, 5, 5});
    EXPECT_EQ(host.scored, std::vector<int>{SmStraight});
}

TEST_F(ComputerPlayerTest, BigStraightIsPreferredWhenOpen) {
    play({6, 2, 3, 5, 4});
    EXPECT_EQ(host.scored, std::vector<int>{BigStraight});
}

TEST_F(ComputerPlayerTest, BigStraightWithItsCategoryFilledIsTakenAsSmallStraight) {
    host.fill(seat, {BigStraight});
    play({1, 2, 3, 4, 5});
    EXPECT_EQ(host.scored, std::vector<int>{SmStraight});
}

TEST_F(ComputerPlayerTest, FiveAlikeFallBackToFourKindThenFullHouse) {
    play({4, 4, 4, 4, 4});
    EXPECT_EQ(host.scored.back(), FiveKind);

    FakeHost h2;
    ComputerPlayer b2{h2};
    h2.fill(seat, {FiveKind});
    h2.roll({4, 4, 4, 4, 4});
    b2.computerplay(seat);
    EXPECT_EQ(h2.scored, std::vector<int>{FourKind});

    FakeHost h3;
    ComputerPlayer b3{h3};
    h3.fill(seat, {FiveKind, FourKind});
    h3.roll({4, 4, 4, 4, 4});
    b3.computerplay(seat);
    EXPECT_EQ(h3.scored, std::vector<int>{FullHouse});
}

TEST_F(ComputerPlayerTest, HighestPairIsWorkedAndItsDiceHeld) {
    play({2, 2, 5, 5, 1});
    EXPECT_TRUE(host.scored.empty());
    EXPECT_EQ(bot.working(seat), Fives);
    EXPECT_EQ(host.held, (std::vector<int>{3, 4}));
    EXPECT_EQ(host.armed, 1);
}

TEST_F(ComputerPlayerTest, PairOfAFilledNumberIsPassedOver) {
    host.fill(seat, {Fives});
    play({2, 2, 5, 5, 1});
    EXPECT_EQ(bot.working(seat), Twos);
    EXPECT_EQ(host.held, (std::vector<int>{1, 2}));
}

TEST_F(ComputerPlayerTest, NothingToWorkOnHoldsNothingAndRollsAllAgain) {
    play({1, 2, 3, 5, 6});
    EXPECT_EQ(bot.working(seat), 0);
    EXPECT_TRUE(host.held.empty());
    EXPECT_TRUE(host.scored.empty());
    EXPECT_EQ(host.armed, 1);
}

TEST_F(ComputerPlayerTest, ThreeAlikeBeatAHigherPair) {
    play({4, 6, 4, 6, 4}); // a full house would be scored, so fill it
    EXPECT_EQ(host.scored, std::vector<int>{FullHouse});

    FakeHost h2;
    ComputerPlayer b2{h2};
    h2.fill(seat, {FullHouse});
    h2.roll({4, 6, 4, 6, 4});
    b2.computerplay(seat);
    EXPECT_EQ(b2.working(seat), Fours);
    EXPECT_EQ(h2.held, (std::vector<int>{1, 3, 5}));
}

TEST_F(ComputerPlayerTest, StraightWorkingOnlyOnceSmallStraightIsFilled) {
    host.fill(seat, {SmStraight});
    play({5, 2, 4, 4, 3});
    EXPECT_EQ(bot.working(seat), BigStraight);
    EXPECT_EQ(host.held, (std::vector<int>{1, 2, 3, 5}));
    EXPECT_FALSE(host.dice.held(4));

    FakeHost h2;
    ComputerPlayer b2{h2};
    h2.roll({5, 2, 4, 4, 3});
    b2.computerplay(seat);
    EXPECT_EQ(h2.scored, std::vector<int>{SmStraight});
}

TEST_F(ComputerPlayerTest, WorkStraightSkipsFacesAlreadyHeld) {
    host.fill(seat, {SmStraight});
    host.roll({2, 3, 1, 1, 6});
    host.setdice(seat, 1);
    host.setdice(seat, 2);
    host.held.clear();
    host.roll({0, 0, 3, 4, 5}); // dice 1 and 2 stay held at 2 and 3
    bot.workstraight(seat);
    EXPECT_EQ(host.held, (std::vector<int>{4, 5}));
}

TEST_F(ComputerPlayerTest, WorkedTurnOfSixes) {
    play({6, 6, 2, 6, 3});
    EXPECT_EQ(bot.working(seat), Sixes);
    EXPECT_EQ(host.held, (std::vector<int>{1, 2, 4}));

    // Roll 2 brings 1 and 5: nothing new to hold, the working category stays.
    play({0, 0, 1, 0, 5});
    EXPECT_EQ(bot.working(seat), Sixes);
    EXPECT_EQ(host.held.size(), 3u);
    EXPECT_EQ(host.armed, 2);

    // Roll 3 without a pattern scores Sixes and forgets the working category.
    play({0, 0, 2, 0, 5});
    EXPECT_EQ(host.scored, std::vector<int>{Sixes});
    EXPECT_EQ(bot.working(seat), 0);
}

TEST_F(ComputerPlayerTest, WorkedSixesTurnedIntoFiveAlike) {
    play({6, 6, 2, 6, 3});
    play({0, 0, 6, 0, 6});
    EXPECT_EQ(host.scored, std::vector<int>{FiveKind});
}

TEST_F(ComputerPlayerTest, WorkingCategoryIsKeptWithinTheTurn) {
    play({5, 5, 1, 2, 3}); // 1-2-3 + 5 5: no small straight
    EXPECT_EQ(bot.working(seat), Fives);
    play({0, 0, 6, 6, 1}); // a higher pair now, but the turn works on fives
    EXPECT_EQ(bot.working(seat), Fives);
    EXPECT_EQ(host.held, (std::vector<int>{1, 2}));
}

TEST_F(ComputerPlayerTest, ThirdRollWithoutWorkingScoresHighestOpenCategory) {
    host.dice.rolls = 2;
    play({1, 2, 3, 5, 6});
    EXPECT_EQ(host.scored, std::vector<int>{Freebie});

    FakeHost h2;
    ComputerPlayer b2{h2};
    h2.fill(seat, {Freebie});
    h2.dice.rolls = 2;
    h2.roll({1, 2, 3, 5, 6});
    b2.computerplay(seat);
    EXPECT_EQ(h2.scored, std::vector<int>{FiveKind});
}

TEST_F(ComputerPlayerTest, FindAnyScansFromFreebieDown) {
    EXPECT_EQ(bot.findany(seat), Freebie);
    host.fill(seat, {7, 8, 9, 10, 11, 12, 6, 5});
    EXPECT_EQ(bot.findany(seat), Fours);
    host.fill(seat, {1, 2, 3, 4});
    EXPECT_EQ(bot.findany(seat), 0);
}

TEST_F(ComputerPlayerTest, FullCardAtThirdRollPassesTheTurn) {
    host.fill(seat, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    host.dice.rolls = 2;
    play({1, 2, 3, 5, 6});
    EXPECT_TRUE(host.scored.empty());
    EXPECT_EQ(host.passed, 1);
}

TEST_F(ComputerPlayerTest, CountsOnlyFreeDice) {
    host.roll({3, 3, 3, 2, 2});
    host.setdice(seat, 1);
    host.setdice(seat, 2);
    EXPECT_EQ(bot.threes(seat), 0);
    EXPECT_EQ(bot.twos(seat), Twos);
    EXPECT_EQ(bot.straight(), 0);
}

TEST_F(ComputerPlayerTest, StraightNeedsTwoToFiveAmongFreeDice) {
    host.roll({5, 4, 3, 2, 2});
    EXPECT_EQ(bot.straight(), BigStraight);
    host.setdice(seat, 1);
    EXPECT_EQ(bot.straight(), 0);
}

TEST_F(ComputerPlayerTest, AllHeldAfterRollTwoStillSchedulesTheNextRoll) {
    host.fill(seat, {FullHouse, FourKind, FiveKind});
    play({2, 2, 2, 2, 2}); // five alike, but every pattern category is filled
    EXPECT_EQ(bot.working(seat), Twos);
    EXPECT_EQ(host.held.size(), 5u);
    EXPECT_EQ(host.armed, 1);
    host.dice.rolls = 2; // the host's roll of all-held dice counts but rolls nothing
    bot.computerplay(seat);
    EXPECT_EQ(host.armed, 2);
    host.dice.rolls = 3;
    bot.computerplay(seat);
    EXPECT_EQ(host.scored, std::vector<int>{Twos});
}

TEST_F(ComputerPlayerTest, ClearWorkingForgetsTheCategory) {
    play({2, 2, 5, 5, 1});
    ASSERT_EQ(bot.working(seat), Fives);
    bot.clearWorking(seat);
    EXPECT_EQ(bot.working(seat), 0);
    EXPECT_EQ(bot.working(0), 0);
    EXPECT_EQ(bot.working(9), 0);
}

} // namespace
