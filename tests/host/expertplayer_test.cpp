// The expert computer player's decisions against a fake host: it plays the advice of the tables,
// releases dice the best keep drops, leaves every decision to the classic player until the tables
// are there, and on random positions is never worth less than the classic player by the tables'
// own valuation.

#include "host/expertplayer.h"
#include "strategy/advisor.h"
#include "strategy/sharedtables.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace zb::host;
using namespace zb::rules;
using zb::strategy::GameKind;
using zb::strategy::SharedTables;

namespace {

class FakeHost : public ExpertHost {
public:
    const TurnDice& turnDice() const override { return dice; }
    const Card& cardOf(int) const override { return card; }
    void setdice(int, int die) override {
        actions.push_back(die);
        if (dice.freeValue[die] > 0) {
            dice.heldValue[die] = dice.freeValue[die];
            dice.freeValue[die] = 0;
        }
    }
    void unsetdice(int, int die) override {
        actions.push_back(-die);
        if (dice.heldValue[die] > 0) {
            dice.freeValue[die] = dice.heldValue[die];
            dice.heldValue[die] = 0;
        }
    }
    void setscore(int, int category) override { scored.push_back(category); }
    void armStep() override { ++armed; }
    void passTurn() override { ++passed; }
    int bonusFace() const override { return face; }

    // Roll n of the turn showing these values; dice listed in `held` are held at their values.
    void show(int rolls, std::array<int, 5> values, std::initializer_list<int> held = {}) {
        dice.rolls = rolls;
        for (int die = 1; die <= 5; ++die) {
            dice.freeValue[die] = values[die - 1];
            dice.heldValue[die] = 0;
        }
        for (int die : held) {
            dice.heldValue[die] = values[die - 1];
            dice.freeValue[die] = 0;
        }
    }
    void leaveOpen(std::initializer_list<int> open) {
        for (int c = 1; c <= kCategories; ++c)
            card.entry[c] = 0;
        for (int c : open)
            card.entry[c] = kUnused;
        recomputeTotals(card);
    }
    unsigned heldMask() const {
        unsigned m = 0;
        for (int die = 1; die <= 5; ++die) {
            if (dice.held(die))
                m |= 1u << (die - 1);
        }
        return m;
    }

    TurnDice dice;
    Card card;
    int face = 0;
    std::vector<int> actions; // +die held, -die released, in order
    std::vector<int> scored;
    int armed = 0;
    int passed = 0;
};

class ExpertPlayerTest : public ::testing::Test {
protected:
    std::vector<GameKind> asked;
    FakeHost host;
    ComputerPlayer classic{host};
    ExpertPlayer expert{host, classic, [this](GameKind kind) {
                            asked.push_back(kind);
                            return SharedTables::wait(kind);
                        }};
    int seat = 2;
};

TEST_F(ExpertPlayerTest, AfterTheThirdRollItScoresTheBestCategory) {
    host.leaveOpen({Threes, FiveKind});
    host.show(3, {3, 3, 3, 3, 3});
    expert.computerplay(seat);
    EXPECT_EQ(host.scored, std::vector<int>{FiveKind});
    EXPECT_EQ(host.armed, 0);
    EXPECT_TRUE(host.actions.empty());
    EXPECT_EQ(asked, std::vector<GameKind>{GameKind::Regular});
}

TEST_F(ExpertPlayerTest, HoldsTheBestKeepAndRollsAgainAfterOneBotSpeedPeriod) {
    host.leaveOpen({FiveKind});
    host.show(1, {5, 2, 5, 1, 5});
    expert.computerplay(seat);
    EXPECT_EQ(host.actions, (std::vector<int>{1, 3, 5}));
    EXPECT_TRUE(host.scored.empty());
    EXPECT_EQ(host.armed, 1);
    EXPECT_EQ(expert.fallbacks(), 0);
}

TEST_F(ExpertPlayerTest, ReleasesHeldDiceTheBestKeepDrops) {
    // A pair of twos held from roll 1; roll 2 brings three fives.
    host.leaveOpen({FiveKind});
    host.show(2, {5, 5, 2, 2, 5}, {3, 4});
    expert.computerplay(seat);
    EXPECT_EQ(host.actions, (std::vector<int>{-3, -4, 1, 2, 5}));
    EXPECT_EQ(host.heldMask(), 0b10011u);
    EXPECT_EQ(host.armed, 1);
}

TEST_F(ExpertPlayerTest, KeepsHoldsThatStillBelongToTheBestKeep) {
    host.leaveOpen({FiveKind});
    host.show(2, {5, 5, 2, 1, 5}, {1, 2});
    expert.computerplay(seat);
    EXPECT_EQ(host.actions, std::vector<int>{5});
}

TEST_F(ExpertPlayerTest, ScoresEarlyWhenRollingCannotGainAndNeverRollsWithAllHeld) {
    host.leaveOpen({Freebie});
    host.show(1, {6, 6, 6, 6, 5});
    expert.computerplay(seat);
    EXPECT_EQ(host.scored, std::vector<int>{Freebie});
    EXPECT_EQ(host.armed, 0);
}

TEST_F(ExpertPlayerTest, TheBonusDieSelectsTheBonusTablesAndCounts) {
    // Bonus die 3: five threes are 30 in Threes, more than Freebie's 15 with Threes to come.
    host.face = 3;
    host.leaveOpen({Threes, Freebie});
    host.show(3, {3, 3, 3, 3, 3});
    expert.computerplay(seat);
    EXPECT_EQ(host.scored, std::vector<int>{Threes});
    EXPECT_EQ(asked, std::vector<GameKind>{GameKind::BonusDice});
    expert.prepare(false);
    expert.prepare(true);
    EXPECT_EQ(asked,
              (std::vector<GameKind>{GameKind::BonusDice, GameKind::Regular, GameKind::BonusDice}));
}

TEST_F(ExpertPlayerTest, UntilTheTablesAreReadyTheClassicPlayerDecides) {
    ExpertPlayer waiting(host, classic, [](GameKind) { return nullptr; });
    FakeHost twin;
    ComputerPlayer reference{twin};
    for (FakeHost* h : {&host, &twin})
        h->show(1, {2, 2, 5, 5, 1});
    waiting.computerplay(seat);
    reference.computerplay(seat);
    EXPECT_EQ(host.actions, twin.actions);
    EXPECT_EQ(host.actions, (std::vector<int>{3, 4}));
    EXPECT_EQ(host.armed, 1);
    EXPECT_EQ(classic.working(seat), Fives);
    EXPECT_EQ(waiting.fallbacks(), 1);
}

TEST_F(ExpertPlayerTest, AFullCardIsLeftToTheClassicPlayerWhichPassesTheTurn) {
    host.leaveOpen({});
    host.show(3, {1, 2, 3, 4, 5});
    expert.computerplay(seat);
    EXPECT_TRUE(host.scored.empty());
    EXPECT_EQ(host.passed, 1);
    EXPECT_EQ(expert.fallbacks(), 1);
}

// The worth of what a player did on the fake host, by the advice's own valuation.
double worthOfAction(const FakeHost& h, const zb::strategy::Advice& a) {
    if (!h.scored.empty())
        return *a.scoreValue[h.scored.back()];
    return *a.keepValue[h.heldMask()];
}

TEST(ExpertAgainstClassic, NeverWorthLessOnRandomPositions) {
    std::mt19937 rng(12345);
    const auto tables = SharedTables::wait(GameKind::Regular);
    int better = 0;
    int positions = 0;
    for (int i = 0; i < 3000; ++i) {
        std::array<FakeHost, 2> hosts;
        const unsigned used = rng() % zb::strategy::kFullCard;
        std::array<int, 5> values;
        for (int& v : values)
            v = static_cast<int>(rng() % 6) + 1;
        const int rolls = static_cast<int>(rng() % 3) + 1;
        for (FakeHost& h : hosts) {
            for (int c = 1; c <= kCategories; ++c) {
                if (used & zb::strategy::categoryBit(c))
                    h.card.entry[c] = c <= Sixes ? c * static_cast<int>((used >> c) % 5) : 0;
            }
            recomputeTotals(h.card);
            h.show(rolls, values);
        }
        ComputerPlayer classic(hosts[0]);
        classic.computerplay(2);
        ComputerPlayer unused(hosts[1]);
        ExpertPlayer expert(hosts[1], unused, [&](GameKind) { return tables; });
        expert.computerplay(2);

        zb::strategy::Position p;
        p.used = used;
        p.upperTotal = zb::strategy::upperTotalOf(hosts[0].card);
        p.dice = values;
        p.rolls = rolls;
        const zb::strategy::Advice a = zb::strategy::advise(*tables, p);
        ASSERT_TRUE(a.valid);
        EXPECT_EQ(expert.fallbacks(), 0);
        const double expertWorth = worthOfAction(hosts[1], a);
        EXPECT_NEAR(expertWorth, a.expected, 1e-9) << i;
        if (hosts[0].passed)
            continue;
        ++positions;
        const double classicWorth = worthOfAction(hosts[0], a);
        EXPECT_LE(classicWorth, expertWorth + 1e-9) << i;
        if (classicWorth < expertWorth - 1e-6)
            ++better;
    }
    EXPECT_EQ(positions, 3000);
    // The comparison means something: the greedy player often plays worse.
    EXPECT_GT(better, positions / 3);
}

} // namespace
