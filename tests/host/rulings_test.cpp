// The host's own checks on what connections send: slots, ranges, rolls, holds, the pause, broken
// and flooding connections.

#include "hostfixture.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace hosttest;
using namespace std::chrono_literals;

namespace {

class RulingsTest : public HostFixture {
protected:
    // Ann in slot 1 and Bob in slot 2, both playing, a game started and nothing moving by itself.
    void twoPlayerGame(int speed = 100000) {
        botSpeed = speed;
        a = &join("Ann");
        b = &join("Bob");
        a->send(T("CMD_startgame+1+f+false"));
        ASSERT_GE(a->waitExact("CMD_nextplayer+1+1+0+0+"), 0);
        ASSERT_GE(b->waitExact("CMD_nextplayer+1+1+0+0+"), 0);
    }
    // Sends a chat from one connection (Ann's unless told) and waits until Ann receives it:
    // everything that connection sent before has been handled, since the host handles each
    // connection's messages in order. Returns its index in Ann's messages.
    int sentinel(TestClient* from = nullptr, const QByteArray& word = "sync") {
        TestClient* sender = from ? from : a;
        const QByteArray slot = QByteArray::number(sender->slot());
        const QByteArray name = server->players()[sender->slot()].name;
        sender->send(T("CMD_chat+" + slot + "+" + word + "|clBlack"));
        return a->waitExact("CMD_chat+" + slot + "+" + name + " chats: " + word + "|clBlack");
    }
    TestClient* a = nullptr;
    TestClient* b = nullptr;
};

TEST_F(RulingsTest, MessagesNamingAnotherSlotAreIgnored) {
    twoPlayerGame();
    const int from = a->count();
    b->send(T("CMD_rolldice+1"));
    b->send(T("CMD_setscore+1+3"));
    b->send(T("CMD_chat+1+spoof|clRed"));
    b->send(T("CMD_action+1+spoofs|clRed"));
    b->send(T("CMD_playasound+1+wave3+"));
    b->send(T("CMD_justwatch+1+1"));
    b->send(T("CMD_logininfo+1+1.0.4+Mallory"));
    const int sync = sentinel(b);
    ASSERT_GE(sync, 0);
    EXPECT_EQ(sync, from) << a->messages()[from].constData();
    EXPECT_EQ(server->players()[1].name, "Ann");
    a->send(T("CMD_rolldice+1"));
    EXPECT_GE(a->waitPrefix("CMD_thedice+1+y+1+"), 0);
}

TEST_F(RulingsTest, StartAndRemovalAreObeyedOnlyFromSlotOne) {
    botSpeed = 100000;
    a = &join("Ann");
    b = &join("Bob");
    TestClient& c = join("Cid");
    b->send(T("CMD_startgame+2+f+false"));
    b->send(T("CMD_startgame+1+f+false"));
    a->send(T("CMD_startgame+2+t+true")); // slot 1 naming another starter
    b->send(T("CMD_kickhim+2+3+"));
    b->send(T("CMD_kickhim+1+3+"));
    ASSERT_GE(sentinel(b), 0);
    ASSERT_GE(sentinel(a), 0);
    EXPECT_EQ(a->findPrefix("CMD_startgame"), -1);
    EXPECT_FALSE(server->game().inProgress());
    EXPECT_FALSE(c.closed());
    a->send(T("CMD_startgame+1+t+false"));
    EXPECT_GE(c.waitExact("CMD_startgame+1+t+false"), 0);
}

TEST_F(RulingsTest, SlotOneMaySetAnySeatToJustWatch) {
    botSpeed = 100000;
    a = &join("Ann");
    b = &join("Bob");
    join("Cid");
    join("Dan");
    TestClient& spy = join("Spy");
    a->send(T("CMD_justwatch+2+1"));
    EXPECT_GE(spy.waitExact("CMD_justwatching+2+1"), 0);
    EXPECT_TRUE(server->players()[2].watching);
    b->send(T("CMD_justwatch+1+1")); // another seat: not Bob's to set
    b->send(T("CMD_justwatch+3+1"));
    a->send(T("CMD_justwatch+5+1")); // not a seat
    ASSERT_GE(sentinel(b), 0);
    ASSERT_GE(sentinel(a), 0);
    EXPECT_EQ(a->countPrefix("CMD_justwatching"), 1);
    b->send(T("CMD_justwatch+2+2"));
    EXPECT_GE(a->waitExact("CMD_justwatching+2+2"), 0);
    spy.send(T("CMD_justwatch+5+1")); // its own slot
    EXPECT_GE(a->waitExact("CMD_justwatching+5+1"), 0);
}

TEST_F(RulingsTest, QueuedMessagesOfADepartedConnectionAreDropped) {
    botSpeed = 100000;
    a = &join("Ann");
    b = &join("Bob");
    for (int i = 0; i < 30; ++i)
        a->send(T("CMD_chat+1+filler|clBlack"));
    ASSERT_TRUE(zbtest::waitFor([&] { return server->queuedMessages() >= 20; }));
    b->send(T("CMD_chat+2+ghost|clRed"));
    b->close();
    ASSERT_GE(a->waitExact("CMD_playerdisconnected+2+Bob"), 0);
    TestClient& c = connect();
    ASSERT_EQ(c.slot(), 2);
    c.send(zb::msg::toHost::logininfo(2, "1.0.4", "Cid\xFF"));
    ASSERT_GE(sentinel(a, "last"), 0);
    EXPECT_EQ(a->findPrefix("CMD_chat+2+"), -1);
    EXPECT_EQ(c.findPrefix("CMD_chat+2+"), -1);
    EXPECT_GE(a->waitExact("CMD_newplayerinfo+2+Cid"), 0);
}

TEST_F(RulingsTest, NumbersOutOfRangeAreIgnored) {
    twoPlayerGame();
    a->send(T("CMD_rolldice+1"));
    ASSERT_GE(a->waitPrefix("CMD_thedice+1+"), 0);
    const int from = a->count();
    for (const char* m :
         {"CMD_setdice+1+0", "CMD_setdice+1+6", "CMD_setdice+1+-1", "CMD_unsetdice+1+9",
          "CMD_setscore+1+0", "CMD_setscore+1+13", "CMD_setscore+1+15", "CMD_setscore+1+-2",
          "CMD_justwatch+1+3", "CMD_justwatch+1+0", "CMD_justwatch+10+1", "CMD_justwatch+0+1",
          "CMD_kickhim+1+0+", "CMD_kickhim+1+10+", "CMD_kickhim+1+-5+", "CMD_rolldice+0",
          "CMD_rolldice+10", "CMD_rolldice+2147483647", "CMD_chat+11+x|y"})
        a->send(T(m));
    const int sync = sentinel();
    ASSERT_GE(sync, 0);
    EXPECT_EQ(sync, from) << a->messages()[from].constData();
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
    EXPECT_TRUE(server->players().inUse(2));
}

TEST_F(RulingsTest, NonNumericFieldIsReportedQuietlyAndDispatchGoesOn) {
    twoPlayerGame();
    const int from = a->count();
    a->send(T("CMD_rolldice+abc"));
    a->send(T("CMD_setdice+1+x"));
    a->send(T("CMD_chat+one+hi|clBlack"));
    a->send(T("CMD_rolldice+99999999999"));
    const int sync = sentinel();
    ASSERT_GE(sync, 0);
    EXPECT_EQ(sync, from) << "a malformed message is dropped";
    EXPECT_EQ(peerReports, (QStringList{"slot 1: 'abc' is not a valid integer value",
                                        "slot 1: 'x' is not a valid integer value",
                                        "slot 1: 'one' is not a valid integer value",
                                        "slot 1: more reports suppressed for 60 s"}));
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
    a->send(T("CMD_rolldice+1"));
    EXPECT_GE(a->waitPrefix("CMD_thedice+1+"), 0);
}

TEST_F(RulingsTest, HoldBeforeTheFirstRollIsRefused) {
    twoPlayerGame();
    const int from = a->count();
    a->send(T("CMD_setdice+1+3"));
    const int sync = sentinel();
    EXPECT_EQ(sync, from);
    a->send(T("CMD_rolldice+1"));
    a->send(T("CMD_setdice+1+3"));
    EXPECT_GE(b->waitExact("CMD_setdice+3"), 0);
}

TEST_F(RulingsTest, FourthRollIsIgnored) {
    twoPlayerGame();
    for (int i = 0; i < 5; ++i)
        a->send(T("CMD_rolldice+1"));
    ASSERT_GE(sentinel(), 0);
    EXPECT_EQ(b->countPrefix("CMD_thedice+"), 3);
    EXPECT_GE(b->findPrefix("CMD_thedice+1+n+3+"), 0);
    EXPECT_EQ(server->game().turnDice().rolls, 3);
    // Scoring still works after the refused roll.
    a->send(T("CMD_setscore+1+12"));
    EXPECT_GE(b->waitPrefix("CMD_pscore+1+"), 0);
}

TEST_F(RulingsTest, RollWithAllDiceHeldAnswersTheSeatAlone) {
    twoPlayerGame();
    a->send(T("CMD_rolldice+1"));
    for (int die = 1; die <= 5; ++die)
        a->send(T("CMD_setdice+1+" + QByteArray::number(die)));
    ASSERT_GE(b->waitExact("CMD_setdice+5"), 0);
    const int bFrom = b->count();
    a->send(T("CMD_rolldice+1"));
    EXPECT_GE(a->waitExact("CMD_thedice+1+y+1"), 0);
    a->send(T("CMD_unsetdice+1+2"));
    a->send(T("CMD_rolldice+1"));
    const int rolled = b->waitPrefix("CMD_thedice+1+y+2+2+");
    ASSERT_GE(rolled, 0);
    EXPECT_EQ(b->messages()[rolled].count('+'), 5); // die 2 alone was rolled
    EXPECT_EQ(b->countPrefix("CMD_thedice", bFrom), 1);
}

TEST_F(RulingsTest, SecondScoreAndRollsDuringThePauseAreIgnored) {
    twoPlayerGame(150);
    a->send(T("CMD_rolldice+1"));
    a->send(T("CMD_setscore+1+12"));
    a->send(T("CMD_setscore+1+11"));
    a->send(T("CMD_rolldice+1"));
    const int score = b->waitPrefix("CMD_pscore+1+");
    ASSERT_GE(score, 0);
    const int next = b->waitPrefix("CMD_nextplayer+2+", score);
    ASSERT_GE(next, 0);
    EXPECT_EQ(next, score + 1);
    EXPECT_EQ(b->countPrefix("CMD_pscore"), 1);
    EXPECT_FALSE(server->players()[1].card.used(11));
}

TEST_F(RulingsTest, LeavingDuringThePausePassesTheTurnOnce) {
    twoPlayerGame(100);
    a->send(T("CMD_rolldice+1"));
    a->send(T("CMD_setscore+1+12"));
    ASSERT_GE(b->waitPrefix("CMD_nextplayer+2+1+"), 0);
    b->send(T("CMD_rolldice+2"));
    b->send(T("CMD_setscore+2+12"));
    const int score = a->waitPrefix("CMD_pscore+2+");
    ASSERT_GE(score, 0);
    b->close();
    ASSERT_GE(a->waitExact("CMD_playerdisconnected+2+Bob", score), 0);
    ASSERT_GE(a->waitPrefix("CMD_nextplayer+1+2+", score), 0);
    zbtest::pump(500ms); // longer than the pause would have been
    EXPECT_EQ(a->countPrefix("CMD_nextplayer", score), 1);
    EXPECT_EQ(server->game().currentSeat(), 1);
}

TEST_F(RulingsTest, WatchingPlayerCannotActForItsSeat) {
    twoPlayerGame();
    a->send(T("CMD_rolldice+1"));
    a->send(T("CMD_justwatch+1+1"));
    ASSERT_GE(a->waitExact("CMD_justwatching+1+1"), 0);
    const int from = a->count();
    a->send(T("CMD_rolldice+1"));
    a->send(T("CMD_setdice+1+1"));
    a->send(T("CMD_setscore+1+12"));
    EXPECT_EQ(sentinel(), from);
    EXPECT_EQ(server->game().turnDice().rolls, 1);
}

TEST_F(RulingsTest, ResetConnectionReleasesItsSlot) {
    a = &join("Ann");
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ASSERT_TRUE(zbtest::waitFor([&] { return server->players().inUse(2); }));
    const linger hard{1, 0};
    ASSERT_EQ(setsockopt(fd, SOL_SOCKET, SO_LINGER, &hard, sizeof hard), 0);
    ::close(fd);
    EXPECT_GE(a->waitExact("CMD_playerdisconnected+2+"), 0);
    EXPECT_FALSE(server->players().inUse(2));
    EXPECT_EQ(connect().slot(), 2);
}

TEST_F(RulingsTest, LongLineWithoutTerminatorClosesTheConnection) {
    a = &join("Ann");
    b = &join("Bob");
    // Just under the limit is fine.
    b->send("CMD_chat+2+" + QByteArray(60000, 'x') + "|c\xFF");
    EXPECT_GE(a->waitPrefix("CMD_chat+2+Bob chats: xxx"), 0);
    b->send(QByteArray(70000, 'a'));
    EXPECT_TRUE(b->waitClosed());
    EXPECT_GE(a->waitExact("CMD_playerdisconnected+2+Bob"), 0);
    EXPECT_FALSE(server->players().inUse(2));
}

TEST_F(RulingsTest, TableThatReadsNothingIsCutOff) {
    a = &join("Ann");
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    const int small = 4096;
    setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ASSERT_TRUE(zbtest::waitFor([&] { return server->players().inUse(2); }));
    // Bursts of long lines that stay well inside what one connection may keep waiting.
    const QByteArray line = T("CMD_chat+1+" + QByteArray(60000, 'x') + "|c");
    for (int round = 0; round < 150 && server->players().inUse(2); ++round) {
        for (int i = 0; i < 4; ++i)
            a->send(line);
        ASSERT_TRUE(drained());
        zbtest::pump(5ms);
    }
    EXPECT_FALSE(server->players().inUse(2));
    EXPECT_GE(a->waitExact("CMD_playerdisconnected+2+"), 0);
    EXPECT_TRUE(server->players().inUse(1));
    ::close(fd);
}

TEST_F(RulingsTest, FloodOfMessagesClosesTheConnection) {
    a = &join("Ann");
    b = &join("Bob");
    QByteArray flood;
    for (int i = 0; i < 400; ++i)
        flood += T("CMD_chat+2+x|c");
    b->send(flood);
    EXPECT_TRUE(b->waitClosed());
    EXPECT_GE(a->waitExact("CMD_playerdisconnected+2+Bob"), 0);
    ASSERT_GE(sentinel(), 0);
    EXPECT_LT(a->countPrefix("CMD_chat+2+"), 3);
    EXPECT_EQ(server->queuedMessages(), 0);
}

} // namespace
