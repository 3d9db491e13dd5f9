// Whole games over loopback, checked from the messages a table receives: who plays when, the
// round counters, every score recomputed from the dice, and the winner.

#include "hostfixture.h"
#include "referee.h"
#include "simpleplayer.h"

using namespace hosttest;
using namespace std::chrono_literals;

namespace {

class GameTest : public HostFixture {
protected:
    // Waits for the end of the game as watcher sees it and checks it with a referee.
    Referee judge(TestClient& watcher, std::array<bool, 5> connected) {
        EXPECT_GE(watcher.waitPrefix("CMD_winner+", 0, 60s), 0);
        Referee ref(connected);
        ref.applyAll(watcher.messages());
        EXPECT_TRUE(ref.finished);
        EXPECT_TRUE(ref.failures.isEmpty()) << ref.failures.join('\n').toStdString();
        EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
        EXPECT_FALSE(server->game().inProgress());
        return ref;
    }
};

TEST_F(GameTest, RegularGameOfOneHumanAgainstTheComputer) {
    TestClient& ann = join("Ann");
    SimplePlayer player(ann, 1);
    ann.send(T("CMD_startgame+1+f+false"));
    const Referee ref = judge(ann, {false, true, false, false, false});
    EXPECT_EQ(ref.turns, (std::array<int, 5>{0, 12, 12, 0, 0}));
    EXPECT_EQ(ref.scores, 24);
    EXPECT_EQ(ref.bonusAnnouncements, 0);
    EXPECT_EQ(player.refusals, 0);
    for (int c = 1; c <= 12; ++c) {
        EXPECT_TRUE(ref.cards[1].used(c) && ref.cards[2].used(c)) << c;
    }
    EXPECT_EQ(server->players()[2].name, "Klot");
    EXPECT_EQ(server->players()[1].round, 13);
    EXPECT_EQ(server->players()[3].round, 12);
}

TEST_F(GameTest, TeamGameOfOneHumanWithThreeComputers) {
    TestClient& ann = join("Ann");
    SimplePlayer player(ann, 1);
    ann.send(T("CMD_startgame+1+f+true"));
    const Referee ref = judge(ann, {false, true, false, false, false});
    EXPECT_EQ(ref.turns, (std::array<int, 5>{0, 6, 6, 6, 6}));
    EXPECT_EQ(ref.cards[1].entry, ref.cards[3].entry);
    EXPECT_EQ(ref.cards[2].entry, ref.cards[4].entry);
    EXPECT_EQ(ref.cards[1].total, ref.cards[3].total);
    for (int c = 1; c <= 12; ++c)
        EXPECT_TRUE(ref.cards[1].used(c) && ref.cards[2].used(c)) << c;
    EXPECT_TRUE(ref.winnerText.contains(" and "));
    EXPECT_EQ(player.refusals, 0);
}

TEST_F(GameTest, BonusDiceGame) {
    TestClient& ann = join("Ann");
    SimplePlayer player(ann, 1);
    ann.send(T("CMD_startgame+1+t+false"));
    const Referee ref = judge(ann, {false, true, false, false, false});
    EXPECT_EQ(ref.turns, (std::array<int, 5>{0, 12, 12, 0, 0}));
    EXPECT_EQ(ref.bonusAnnouncements, 25);
    const int winner = ann.findPrefix("CMD_winner+");
    EXPECT_TRUE(ann.messages()[winner - 1].startsWith("CMD_setbonusdice+"));
}

TEST_F(GameTest, AllComputerTeamGame) {
    TestClient& ann = join("Ann");
    ann.send(T("CMD_startgame+1+f+true"));
    ann.send(T("CMD_justwatch+1+1"));
    const Referee ref = judge(ann, {false, true, false, false, false});
    EXPECT_EQ(ref.turns, (std::array<int, 5>{0, 6, 6, 6, 6}));
    EXPECT_EQ(ref.scores, 24);
    EXPECT_GE(ann.findExact("CMD_justwatching+1+1"), 0);
}

TEST_F(GameTest, AllComputerRegularGame) {
    TestClient& ann = join("Ann");
    ann.send(T("CMD_startgame+1+f+false"));
    ann.send(T("CMD_justwatch+1+1"));
    const Referee ref = judge(ann, {false, true, false, false, false});
    EXPECT_EQ(ref.turns, (std::array<int, 5>{0, 12, 12, 0, 0}));
    EXPECT_EQ(ref.scores, 24);
}

TEST_F(GameTest, ThreeHumansWatchedByASpectator) {
    TestClient& ann = join("Ann");
    TestClient& bob = join("Bob");
    TestClient& cid = join("Cid");
    TestClient& dan = join("Dan");
    TestClient& eve = join("Eve");
    ASSERT_EQ(eve.slot(), 5);
    dan.close(); // seat 4 is free again, so it is skipped
    ASSERT_TRUE(zbtest::waitFor([&] { return !server->players().inUse(4); }));
    SimplePlayer p1(ann, 1);
    SimplePlayer p2(bob, 2);
    SimplePlayer p3(cid, 3);
    ann.send(T("CMD_startgame+1+f+false"));
    const Referee ref = judge(eve, {false, true, true, true, false});
    EXPECT_EQ(ref.turns, (std::array<int, 5>{0, 12, 12, 12, 0}));
    EXPECT_EQ(ref.scores, 36);
    EXPECT_EQ(p1.refusals + p2.refusals + p3.refusals, 0);
    EXPECT_EQ(server->players()[4].name, "Klick");
}

TEST_F(GameTest, GamesCanFollowOneAnother) {
    TestClient& ann = join("Ann");
    ann.send(T("CMD_startgame+1+f+true"));
    ann.send(T("CMD_justwatch+1+1"));
    const int first = ann.waitPrefix("CMD_winner+", 0, 60s);
    ASSERT_GE(first, 0);
    ann.send(T("CMD_startgame+1+t+false"));
    ann.send(T("CMD_justwatch+1+1"));
    ASSERT_GE(ann.waitPrefix("CMD_winner+", first + 1, 60s), 0);
    Referee ref({false, true, false, false, false});
    ref.applyAll(ann.messages().mid(first + 1));
    EXPECT_TRUE(ref.finished);
    EXPECT_TRUE(ref.failures.isEmpty()) << ref.failures.join('\n').toStdString();
    EXPECT_EQ(ref.turns, (std::array<int, 5>{0, 12, 12, 0, 0}));
}

} // namespace
