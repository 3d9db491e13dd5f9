// The table model on its own, with no window: the rules of play that the table answers from it
// and the notices its views follow.

#include "table/tablemodel.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

using zb::TableModel;

// A model whose local player holds seat 1 and has the turn.
struct OwnTurn {
    TableModel m;
    OwnTurn() {
        m.state().myseat = 1;
        m.state().loggedin = true;
        m.state().turnseat = 1;
    }
};

struct HeldCase {
    const char* name;
    int rolls;
    std::array<bool, 5> held;
    bool allHeld;
};

class AllHeldTest : public ::testing::TestWithParam<HeldCase> {};

TEST_P(AllHeldTest, OnlyDiceHeldInThisTurnCount) {
    const HeldCase& c = GetParam();
    OwnTurn t;
    for (int d = 1; d <= 5; ++d) {
        t.m.placeDie(d, d);
        if (c.held[d - 1])
            t.m.holdDie(d);
    }
    t.m.setRolls(c.rolls);
    EXPECT_EQ(t.m.allHeldThisTurn(), c.allHeld);
    EXPECT_EQ(t.m.rolledThisTurn(), c.rolls >= 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AllHeldTest,
    ::testing::Values(HeldCase{"FiveHeldAfterARoll", 1, {true, true, true, true, true}, true},
                      HeldCase{"FourHeld", 2, {true, true, false, true, true}, false},
                      HeldCase{"LeftOverFromTheLastTurn", 0, {true, true, true, true, true}, false},
                      HeldCase{"NoneHeld", 3, {}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TableModel, RollCountsOutsideZeroToThreeChangeNothing) {
    TableModel m;
    QSignalSpy spy(&m, &TableModel::rollsChanged);
    m.setRolls(2);
    for (int bad : {-1, 4, 7})
        m.setRolls(bad);
    EXPECT_EQ(m.rolls(), 2);
    EXPECT_EQ(spy.count(), 1);
}

TEST(TableModel, ADiePlacedInTheOwnTurnIsClickableAndRemembersTheBonusStyle) {
    OwnTurn t;
    t.m.setBonusFace(4);
    t.m.placeDie(2, 4);
    t.m.placeDie(3, 5);
    EXPECT_TRUE(t.m.die(2).bonusStyle);
    EXPECT_FALSE(t.m.die(3).bonusStyle);
    EXPECT_TRUE(t.m.die(2).clickable);
    EXPECT_EQ(t.m.state().dicevalues[2], 4);
    t.m.setBonusFace(5);
    t.m.holdDie(2);
    EXPECT_TRUE(t.m.die(2).bonusStyle) << "holding keeps the face as it was drawn";
    EXPECT_EQ(t.m.die(2).state, QChar('s'));

    t.m.state().turnseat = 2;
    t.m.placeDie(4, 1);
    EXPECT_FALSE(t.m.die(4).clickable) << "another seat's roll";
}

TEST(TableModel, SeatsWaitUntilNamedAndKeepTheComputerNamesInStore) {
    TableModel m;
    for (int seat = 1; seat <= 4; ++seat)
        EXPECT_TRUE(m.seatWaiting(seat));
    EXPECT_EQ(m.seat(1).stored, "");
    EXPECT_EQ(m.seat(3).stored, "Kling");
    m.showStoredName(3);
    EXPECT_FALSE(m.seatWaiting(3));
    EXPECT_EQ(m.seat(3).shown, "Kling");
    m.setSeatName(2, "Bob");
    EXPECT_EQ(m.seat(2).stored, "Bob");
}

TEST(TableModel, OpponentNamesLeaveOutTheOwnSeatAndEmptySeats) {
    TableModel m;
    m.state().myseat = 2;
    m.setSeatName(1, "Ann");
    m.setSeatName(2, "Bob");
    m.showStoredName(4);
    EXPECT_EQ(m.opponentNames(), QStringList({"Ann", "Klick"}));
    m.state().myseat = 7; // a spectator has no seat of its own to leave out
    EXPECT_EQ(m.opponentNames(), QStringList({"Ann", "Bob", "Klick"}));
}

TEST(TableModel, CellsShowTheirNumberOrNothingAndAGameStartEmptiesThem) {
    TableModel m;
    m.setCell(1, 4, 12);
    m.setCell(1, 5, 0);
    m.setTotal(1, "12");
    EXPECT_EQ(m.cellText(1, 4), "12");
    EXPECT_EQ(m.cellText(1, 5), "0");
    EXPECT_EQ(m.cellText(1, 6), "");
    m.setCell(1, 4, zb::rules::kUnused);
    EXPECT_EQ(m.cellText(1, 4), "");
    for (auto [seat, row] : {std::pair{0, 1}, {5, 1}, {1, 0}, {1, 16}}) {
        m.setCell(seat, row, 3);
        EXPECT_EQ(m.cellText(seat, row), "") << seat << " " << row;
    }
    m.setCell(2, 15, 99);
    QSignalSpy cleared(&m, &TableModel::cardsCleared);
    m.clearCards();
    EXPECT_EQ(cleared.count(), 1);
    EXPECT_EQ(m.cellText(2, 15), "");
    EXPECT_EQ(m.seat(1).total, "0");
}

TEST(TableModel, ViewsHearOfEachChange) {
    TableModel m;
    QSignalSpy seats(&m, &TableModel::seatChanged);
    QSignalSpy held(&m, &TableModel::dieHeld);
    QSignalSpy zero(&m, &TableModel::zeroChanged);
    m.setSeatName(3, "Cid");
    m.setWatching(3, true);
    m.setWatching(3, true); // no change, no notice
    m.holdDie(5);
    m.releaseDie(5);
    m.askZero(7);
    m.askZero(7);
    m.askZero(0);
    EXPECT_EQ(seats.count(), 2);
    ASSERT_EQ(held.count(), 2);
    EXPECT_EQ(held[0], QList<QVariant>({5, true}));
    EXPECT_EQ(held[1], QList<QVariant>({5, false}));
    EXPECT_EQ(zero.count(), 2);
}

} // namespace
