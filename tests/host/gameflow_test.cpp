// The game flow on its own: a player table set by hand, a recording outbox, and the timers'
// ticks called directly, so every step of a game can be looked at.

#include "host/gameflow.h"
#include "rules/random.h"

#include <QList>
#include <gtest/gtest.h>

using namespace zb::host;
using namespace zb::rules;

namespace {

struct Sent {
    int slot; // 0 = to all
    QByteArray message;
};

class RecordingOutbox : public Outbox {
public:
    void sendToAll(const QByteArray& m) override { sent.append({0, m}); }
    void sendTo(int slot, const QByteArray& m) override { sent.append({slot, m}); }
    QList<Sent> sent;
};

QByteArray T(const QByteArray& text) {
    return text + '\xFF';
}

class GameFlowTest : public ::testing::Test {
protected:
    void SetUp() override { players[1].connected = true; }

    void start(bool bonus = false, bool team = false) { game.startgame({bonus, team}); }
    // Messages sent since mark, to everybody unless a slot is given.
    QList<QByteArray> since(int mark, int slot = 0) const {
        QList<QByteArray> out;
        for (int i = mark; i < outbox.sent.size(); ++i) {
            if (outbox.sent[i].slot == slot)
                out.append(outbox.sent[i].message);
        }
        return out;
    }
    int mark() const { return static_cast<int>(outbox.sent.size()); }
    int countPrefix(const QByteArray& prefix, int from = 0) const {
        int n = 0;
        for (const QByteArray& m : since(from))
            n += m.startsWith(prefix) ? 1 : 0;
        return n;
    }
    void endPause() {
        while (game.pausing())
            game.timer_pauserTimer();
    }
    // A human turn: roll once, score the first open category.
    void humanTurn() {
        const int seat = game.currentSeat();
        game.rolldice(seat);
        for (int c = 1; c <= kCategories; ++c) {
            if (!players[seat].card.used(c)) {
                game.setscore(seat, c);
                break;
            }
        }
        endPause();
    }
    void computerTurn() {
        while (game.stepArmed())
            game.Timer1Timer();
        endPause();
    }
    void playOut() {
        for (int guard = 0; game.inProgress() && guard < 200; ++guard) {
            if (game.computerPlayed(game.currentSeat()))
                computerTurn();
            else
                humanTurn();
        }
    }
    QList<int> turnOrder(int from = 0) const {
        QList<int> seats;
        for (const QByteArray& m : since(from)) {
            if (m.startsWith("CMD_nextplayer+"))
                seats.append(m.mid(15, 1).toInt());
        }
        return seats;
    }

    PlayerTable players;
    RecordingOutbox outbox;
    int speed = 5;
    Random random{777};
    GameFlow game{players, outbox, [this] { return speed; }, random};
};

TEST_F(GameFlowTest, RegularGameWithOneHumanAlternatesSeatsOneAndTwo) {
    start();
    EXPECT_EQ(outbox.sent[0].message, T("CMD_startgame+1+f+false"));
    EXPECT_EQ(outbox.sent[1].message, T("CMD_nextplayer+1+1+0+0+"));
    playOut();
    ASSERT_FALSE(game.inProgress());
    const QList<int> order = turnOrder();
    ASSERT_EQ(order.size(), 24);
    for (int i = 0; i < order.size(); ++i)
        EXPECT_EQ(order[i], i % 2 + 1) << i;
    EXPECT_EQ(players[1].round, 13);
    EXPECT_EQ(players[2].round, 12);
    EXPECT_EQ(players[3].round, 12);
    EXPECT_EQ(players[4].round, 12);
    EXPECT_EQ(game.currentSeat(), 0);
    // The last turn is seat 2's twelfth; the winner follows instead of another turn.
    const QList<QByteArray> all = since(0);
    EXPECT_TRUE(all.last().startsWith("CMD_winner+"));
    for (int c = 1; c <= kCategories; ++c) {
        EXPECT_TRUE(players[1].card.used(c));
        EXPECT_TRUE(players[2].card.used(c));
    }
    EXPECT_EQ(countPrefix("CMD_setbonusdice"), 0);
}

TEST_F(GameFlowTest, WinnerNamesTheComputerSeats) {
    players[1].name = "Ann";
    start();
    playOut();
    EXPECT_EQ(players[2].name, "Klot");
    EXPECT_EQ(players[3].name, "Kling");
    EXPECT_EQ(players[4].name, "Klick");
    const int t1 = players[1].card.total;
    const int t2 = players[2].card.total;
    QByteArray expected;
    if (t1 == t2)
        expected = "Ann and Klot";
    else
        expected = t1 > t2 ? "Ann" : "Klot";
    EXPECT_EQ(since(0).last(),
              T("CMD_winner+" + expected + "+" + QByteArray::number(std::max(t1, t2)) + "+"));
}

TEST_F(GameFlowTest, TeamGameGivesEverySeatSixTurnsOnSharedCards) {
    start(false, true);
    playOut();
    const QList<int> order = turnOrder();
    ASSERT_EQ(order.size(), 24);
    for (int i = 0; i < order.size(); ++i)
        EXPECT_EQ(order[i], i % 4 + 1) << i;
    EXPECT_EQ(players[1].card.entry, players[3].card.entry);
    EXPECT_EQ(players[1].card.total, players[3].card.total);
    EXPECT_EQ(players[2].card.entry, players[4].card.entry);
    for (int c = 1; c <= kCategories; ++c)
        EXPECT_TRUE(players[1].card.used(c) && players[2].card.used(c)) << c;
    // Every score goes out twice: once announced, once as the partner's silent copy.
    EXPECT_EQ(countPrefix("CMD_pscore+"), 48);
}

TEST_F(GameFlowTest, BonusGameAnnouncesTheBonusDieBeforeEveryTurnAndTheWinner) {
    start(true);
    playOut();
    const QList<QByteArray> all = since(0);
    int bonus = 0;
    for (int i = 0; i < all.size(); ++i) {
        if (all[i].startsWith("CMD_nextplayer+")) {
            ASSERT_GT(i, 0);
            EXPECT_TRUE(all[i - 1].startsWith("CMD_setbonusdice+")) << i;
        }
        if (all[i].startsWith("CMD_setbonusdice+")) {
            const int v = all[i].mid(17).chopped(1).toInt();
            EXPECT_TRUE(v >= 1 && v <= 6);
            ++bonus;
        }
    }
    EXPECT_EQ(bonus, 25);
    EXPECT_TRUE(all[all.size() - 2].startsWith("CMD_setbonusdice+"));
}

TEST_F(GameFlowTest, BonusDieDoublesMatchingDiceInNumberCategories) {
    start(true);
    game.rolldice(1);
    const Dice dice = game.turnDice().all();
    const int bonus = game.bonusDie();
    game.setscore(1, bonus);
    EXPECT_EQ(players[1].card.entry[bonus], categoryValue(dice, bonus, bonus));
    EXPECT_EQ(players[1].card.entry[bonus],
              2 * bonus * static_cast<int>(std::count(dice.begin(), dice.end(), bonus)));
}

TEST_F(GameFlowTest, HeldDiceAreNotRolledAgain) {
    start();
    game.rolldice(1);
    const int m = mark();
    game.setdice(1, 2);
    game.setdice(1, 4);
    EXPECT_EQ(since(m), (QList<QByteArray>{T("CMD_setdice+2"), T("CMD_setdice+4")}));
    const int held2 = game.turnDice().heldValue[2];
    const int m2 = mark();
    game.rolldice(1);
    const QList<QByteArray> rolled = since(m2);
    ASSERT_EQ(rolled.size(), 1);
    const QList<QByteArray> f = rolled[0].chopped(1).split('+');
    ASSERT_EQ(f.size(), 10);
    EXPECT_EQ(f[1], "1");
    EXPECT_EQ(f[2], "y");
    EXPECT_EQ(f[3], "2");
    EXPECT_EQ(f[4], "1");
    EXPECT_EQ(f[6], "3");
    EXPECT_EQ(f[8], "5");
    EXPECT_EQ(game.turnDice().heldValue[2], held2);
    // Holding twice or releasing a free die changes nothing and sends nothing.
    const int m3 = mark();
    game.setdice(1, 2);
    game.unsetdice(1, 1);
    EXPECT_TRUE(since(m3).isEmpty());
    game.unsetdice(1, 2);
    EXPECT_EQ(since(m3), QList<QByteArray>{T("CMD_unsetdice+2")});
    EXPECT_EQ(game.turnDice().freeValue[2], held2);
}

TEST_F(GameFlowTest, ScoringBeforeRollingOrInAUsedCategoryIsRefusedToTheSeatAlone) {
    start();
    int m = mark();
    game.setscore(1, 5);
    EXPECT_EQ(since(m, 1), QList<QByteArray>{T("CMD_rollagain+")});
    EXPECT_TRUE(since(m).isEmpty());
    game.rolldice(1);
    game.setscore(1, 5);
    endPause();
    computerTurn();
    ASSERT_EQ(game.currentSeat(), 1);
    game.rolldice(1);
    m = mark();
    game.setscore(1, 5);
    EXPECT_EQ(since(m, 1), QList<QByteArray>{T("CMD_chooseagain+")});
    EXPECT_FALSE(game.pausing());
}

TEST_F(GameFlowTest, TurnPassesThreePauseTicksAfterTheScore) {
    start();
    game.rolldice(1);
    int m = mark();
    game.setscore(1, 12);
    ASSERT_EQ(since(m).size(), 1);
    EXPECT_TRUE(since(m)[0].startsWith("CMD_pscore+1+"));
    EXPECT_TRUE(game.pausing());
    EXPECT_EQ(game.pauseCount(), 3);
    m = mark();
    game.timer_pauserTimer();
    game.timer_pauserTimer();
    EXPECT_TRUE(since(m).isEmpty());
    game.timer_pauserTimer();
    EXPECT_EQ(since(m), QList<QByteArray>{T("CMD_nextplayer+2+1+0+0+")});
    EXPECT_TRUE(game.stepArmed());
}

TEST_F(GameFlowTest, ScoredTurnTakesNoFurtherRequestDuringThePause) {
    start();
    game.rolldice(1);
    game.setscore(1, 12);
    const int m = mark();
    game.setscore(1, 11);
    game.rolldice(1);
    game.setdice(1, 1);
    game.unsetdice(1, 1);
    EXPECT_TRUE(since(m).isEmpty());
    EXPECT_TRUE(since(m, 1).isEmpty());
    EXPECT_FALSE(players[1].card.used(11));
}

TEST_F(GameFlowTest, HumanSeatKeepsThreeRollsAndAllHeldRollCountsNothing) {
    start();
    game.rolldice(1);
    for (int die = 1; die <= 5; ++die)
        game.setdice(1, die);
    int m = mark();
    game.rolldice(1);
    EXPECT_TRUE(since(m).isEmpty());
    EXPECT_EQ(since(m, 1), QList<QByteArray>{T("CMD_thedice+1+y+1")});
    EXPECT_EQ(game.turnDice().rolls, 1);
    game.unsetdice(1, 3);
    game.rolldice(1);
    game.rolldice(1);
    EXPECT_EQ(game.turnDice().rolls, 3);
    m = mark();
    game.rolldice(1);
    EXPECT_TRUE(since(m).isEmpty());
    EXPECT_TRUE(since(m, 1).isEmpty());
    EXPECT_EQ(game.turnDice().rolls, 3);
}

TEST_F(GameFlowTest, HoldBeforeTheFirstRollIsRefused) {
    start();
    const int m = mark();
    game.setdice(1, 1);
    EXPECT_TRUE(since(m).isEmpty());
    EXPECT_FALSE(game.turnDice().held(1));
}

TEST_F(GameFlowTest, JustWatchAfterTwoRollsLetsTheComputerRollAndScore) {
    start();
    game.rolldice(1);
    game.rolldice(1);
    const int m = mark();
    game.justwatch(1, 1);
    EXPECT_EQ(since(m), QList<QByteArray>{T("CMD_justwatching+1+1")});
    ASSERT_TRUE(game.stepArmed());
    game.Timer1Timer();
    const QList<QByteArray> after = since(m);
    ASSERT_GE(after.size(), 3);
    EXPECT_TRUE(after[1].startsWith("CMD_thedice+1+n+3"));
    EXPECT_TRUE(after.last().startsWith("CMD_pscore+1+"));
    EXPECT_TRUE(game.pausing());
}

TEST_F(GameFlowTest, JustWatchAfterTheThirdRollPassesTheTurnWithoutAScore) {
    start();
    for (int i = 0; i < 3; ++i)
        game.rolldice(1);
    game.justwatch(1, 1);
    const int m = mark();
    game.Timer1Timer();
    EXPECT_EQ(since(m), QList<QByteArray>{T("CMD_nextplayer+2+1+0+0+")});
    for (int c = 1; c <= kCategories; ++c)
        EXPECT_FALSE(players[1].card.used(c));
}

TEST_F(GameFlowTest, PlayingAgainStopsTheComputerMidTurn) {
    start();
    game.rolldice(1);
    game.justwatch(1, 1);
    game.justwatch(1, 2);
    const int m = mark();
    game.Timer1Timer();
    EXPECT_TRUE(since(m).isEmpty());
    EXPECT_EQ(game.turnDice().rolls, 1);
}

TEST_F(GameFlowTest, JustWatchIsIgnoredForAFreeSlotOrAnUnknownMode) {
    start();
    const int m = mark();
    game.justwatch(3, 1);
    game.justwatch(1, 3);
    EXPECT_TRUE(since(m).isEmpty());
}

TEST_F(GameFlowTest, StartDuringAGameBeginsAnew) {
    start();
    humanTurn();
    computerTurn();
    humanTurn();
    ASSERT_EQ(game.currentSeat(), 2);
    const int m = mark();
    start(false, true);
    EXPECT_EQ(since(m)[0], T("CMD_startgame+1+f+true"));
    EXPECT_EQ(since(m)[1], T("CMD_nextplayer+1+1+0+0+"));
    EXPECT_TRUE(game.teamGame());
    for (int seat = 1; seat <= 4; ++seat) {
        for (int c = 1; c <= kEntries; ++c)
            EXPECT_EQ(players[seat].card.entry[c], kUnused);
    }
    EXPECT_FALSE(game.stepArmed());
}

TEST_F(GameFlowTest, DepartureOfTheCurrentSeatPassesTheTurnOnceEvenInThePause) {
    players[3].connected = true;
    start();
    humanTurn();
    computerTurn();
    ASSERT_EQ(game.currentSeat(), 3);
    game.rolldice(3);
    game.setscore(3, 1);
    ASSERT_TRUE(game.pausing());
    players[3].connected = false;
    const int m = mark();
    game.slotLeft(3);
    EXPECT_EQ(since(m), QList<QByteArray>{T("CMD_nextplayer+1+2+" +
                                            QByteArray::number(players[1].card.total) + "+0+")});
    EXPECT_FALSE(game.pausing());
    endPause();
    EXPECT_EQ(turnOrder(m).size(), 1);
}

TEST_F(GameFlowTest, HostingPlayerLeavingKeepsTheTurnForTheComputerToFinish) {
    start();
    game.rolldice(1);
    players[1].connected = false;
    const int m = mark();
    game.slotLeft(1);
    EXPECT_TRUE(since(m).isEmpty());
    EXPECT_EQ(game.currentSeat(), 1);
    ASSERT_TRUE(game.stepArmed());
    computerTurn();
    EXPECT_EQ(game.currentSeat(), 2);
}

TEST_F(GameFlowTest, DepartureOfAnotherSeatChangesNothing) {
    start();
    const int m = mark();
    game.slotLeft(2);
    game.slotLeft(5);
    EXPECT_TRUE(since(m).isEmpty());
    EXPECT_EQ(game.currentSeat(), 1);
}

TEST_F(GameFlowTest, NewcomerDuringAGameGetsTheTurnAndFourCards) {
    start();
    game.rolldice(1);
    const int m = mark();
    game.sendGameTo(6);
    const QList<QByteArray> got = since(m, 6);
    ASSERT_EQ(got.size(), 5);
    EXPECT_EQ(got[0], T("CMD_nextplayer+1+1+0+1+"));
    for (int seat = 1; seat <= 4; ++seat) {
        QByteArray expected = "CMD_pscore+" + QByteArray::number(seat) + "+0+*";
        for (int i = 0; i < 15; ++i)
            expected += "+1000";
        EXPECT_EQ(got[seat], T(expected));
    }
    EXPECT_TRUE(since(m).isEmpty());
    game.checkforwin();
    const int m2 = mark();
    game.sendGameTo(6);
    EXPECT_TRUE(since(m2, 6).isEmpty());
}

TEST_F(GameFlowTest, BotSpeedIsReadEachTimeATimerIsArmed) {
    start();
    game.justwatch(1, 1);
    EXPECT_EQ(game.stepInterval(), 5);
    speed = 500; // "Fast" chosen in the middle of a computer turn
    game.Timer1Timer();
    if (game.stepArmed())
        EXPECT_EQ(game.stepInterval(), 500);
    else
        EXPECT_EQ(game.pauseInterval(), 500);
    computerTurn();
    speed = 0; // never below one millisecond
    EXPECT_TRUE(game.stepArmed());
    game.Timer1Timer();
    EXPECT_EQ(game.stepArmed() ? game.stepInterval() : game.pauseInterval(), 1);
}

TEST_F(GameFlowTest, SkippedSeatJoiningPlaysFromItsNextTurn) {
    start();
    humanTurn();
    computerTurn();
    players[4].connected = true; // joins during seat 1's second turn
    humanTurn();
    computerTurn();
    EXPECT_EQ(game.currentSeat(), 4);
    EXPECT_EQ(players[4].round, 2);
}

} // namespace
