// Admission, login, relays, departures and removal over real loopback connections.

#include "hostfixture.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

using namespace hosttest;
using namespace std::chrono_literals;

namespace {

class AdmissionTest : public HostFixture {};

TEST_F(AdmissionTest, FirstConnectionGetsSlotOne) {
    TestClient& a = connect();
    EXPECT_EQ(a.slot(), 1);
    EXPECT_TRUE(server->players().inUse(1));
    EXPECT_EQ(server->players().count(), 1);
    EXPECT_TRUE(server->players()[1].name.isEmpty());
}

TEST_F(AdmissionTest, FreedSlotIsReusedLowestFirst) {
    TestClient& a = join("Ann");
    TestClient& b = join("Bob");
    TestClient& c = join("Cid");
    ASSERT_EQ(b.slot(), 2);
    b.close();
    EXPECT_GE(a.waitExact("CMD_playerdisconnected+2+Bob"), 0);
    EXPECT_GE(c.waitExact("CMD_playerdisconnected+2+Bob"), 0);
    EXPECT_FALSE(server->players().inUse(2));
    TestClient& d = connect();
    EXPECT_EQ(d.slot(), 2);
    EXPECT_EQ(server->players().count(), 3);
}

TEST_F(AdmissionTest, TenthConnectionIsToldTheGameIsFullAndClosed) {
    for (int i = 1; i <= 9; ++i)
        ASSERT_EQ(connect().slot(), i);
    TestClient& tenth = connect();
    EXPECT_TRUE(tenth.waitClosed());
    EXPECT_EQ(tenth.raw(), T("CMD_full+"));
    EXPECT_EQ(tenth.slot(), 0);
    zbtest::pump(50ms);
    for (int slot = 1; slot <= 9; ++slot) {
        EXPECT_TRUE(server->players().inUse(slot)) << slot;
        EXPECT_FALSE(clients[slot - 1]->closed()) << slot;
    }
    EXPECT_EQ(server->players().count(), 9);
    // The nine go on as before.
    clients[0]->send(T("CMD_chat+1+still here|clBlack"));
    EXPECT_GE(clients[8]->waitExact("CMD_chat+1+ chats: still here|clBlack"), 0);
}

TEST_F(AdmissionTest, LoginListsEverySlotUpToTheHighestGiven) {
    join("Ann");
    join("Bob");
    TestClient& c = join("Cid");
    TestClient& d = join("Dan");
    join("Eve");
    c.close();
    d.close();
    ASSERT_TRUE(zbtest::waitFor(
        [&] { return !server->players().inUse(3) && !server->players().inUse(4); }));
    TestClient& f = connect();
    ASSERT_EQ(f.slot(), 3);
    const int from = f.count();
    ASSERT_TRUE(f.login("Fay"));
    ASSERT_GE(f.waitExact("CMD_existingplayers+5+Eve"), 0);
    const QList<QByteArray> got = f.messages().mid(from);
    const QList<QByteArray> want = {"CMD_newplayerinfo+3+Fay", "CMD_existingplayers+1+Ann",
                                    "CMD_existingplayers+2+Bob", "CMD_existingplayers+4+",
                                    "CMD_existingplayers+5+Eve"};
    EXPECT_EQ(got, want);
    EXPECT_GE(clients[0]->waitExact("CMD_newplayerinfo+3+Fay"), 0);
}

TEST_F(AdmissionTest, NameWithPlusArrivesWhole) {
    TestClient& a = join("A+B");
    EXPECT_EQ(server->players()[1].name, "A+B");
    TestClient& b = join("Bob");
    EXPECT_GE(b.waitExact("CMD_existingplayers+1+A+B"), 0);
    a.close();
    EXPECT_GE(b.waitExact("CMD_playerdisconnected+1+A+B"), 0);
}

TEST_F(AdmissionTest, OtherVersionIsAdmittedWithTwoNotices) {
    TestClient& host = join("Ann");
    TestClient& old = connect();
    old.send(zb::msg::toHost::logininfo(2, "1.0.3", "Old\xFF"));
    EXPECT_GE(old.waitExact("CMD_newplayerinfo+2+Old"), 0);
    EXPECT_GE(old.waitExact("CMD_wrongversion+"), 0);
    EXPECT_GE(host.waitExact("CMD_havewrongversion+Old"), 0);
    EXPECT_TRUE(server->players().inUse(2));
    EXPECT_EQ(host.findExact("CMD_wrongversion+"), -1);
    EXPECT_EQ(old.findPrefix("CMD_havewrongversion"), -1);
}

TEST_F(AdmissionTest, LoginDuringAGameGetsTheTurnAndTheCards) {
    botSpeed = 100000; // nothing moves by itself
    TestClient& host = join("Ann");
    host.send(T("CMD_startgame+1+f+false"));
    ASSERT_GE(host.waitExact("CMD_nextplayer+1+1+0+0+"), 0);
    host.send(T("CMD_rolldice+1"));
    ASSERT_GE(host.waitPrefix("CMD_thedice+1+y+1+"), 0);
    const int hostBefore = host.count();

    TestClient& late = connect();
    ASSERT_TRUE(late.login("Late"));
    ASSERT_GE(late.waitPrefix("CMD_pscore+4+"), 0);
    const int at = late.findExact("CMD_existingplayers+1+Ann");
    ASSERT_GE(at, 0);
    EXPECT_EQ(late.messages()[at + 1], "CMD_nextplayer+1+1+0+1+");
    const QByteArray unused = "+1000+1000+1000+1000+1000+1000+1000+1000+1000+1000+1000+1000+1000"
                              "+1000+1000";
    for (int seat = 1; seat <= 4; ++seat)
        EXPECT_EQ(late.messages()[at + 1 + seat],
                  "CMD_pscore+" + QByteArray::number(seat) + "+0+*" + unused);
    zbtest::pump(30ms);
    EXPECT_EQ(host.countPrefix("CMD_nextplayer", hostBefore), 0);
    EXPECT_EQ(host.countPrefix("CMD_pscore", hostBefore), 0);
}

TEST_F(AdmissionTest, ChatActionAndSoundAreRelayedToAll) {
    TestClient& a = join("Ann");
    TestClient& b = join("Bob");
    TestClient& spy = join("Spy");
    b.send(T("CMD_chat+2+hello there+ you|clRed"));
    b.send(T("CMD_action+2+waves|$00FF0000"));
    b.send(T("CMD_playasound+2+wave5+"));
    for (TestClient* c : {&a, &b, &spy}) {
        EXPECT_GE(c->waitExact("CMD_chat+2+Bob chats: hello there+ you|clRed"), 0);
        EXPECT_GE(c->waitExact("CMD_action+2+Bob waves|$00FF0000"), 0);
        EXPECT_GE(c->waitExact("CMD_playasound+2+wave5+"), 0);
    }
}

TEST_F(AdmissionTest, ChatBeforeLoginCarriesAnEmptyName) {
    TestClient& a = join("Ann");
    TestClient& b = connect();
    b.send(T("CMD_chat+2+hi|clBlack"));
    EXPECT_GE(a.waitExact("CMD_chat+2+ chats: hi|clBlack"), 0);
}

TEST_F(AdmissionTest, DoubleTerminatorOfTheLoginIsHarmless) {
    TestClient& a = join("Ann");
    a.send(T("") + T("") + T("nonsense") + T("CMD_unknown+1"));
    a.send(T("CMD_chat+1+ok|clBlack"));
    EXPECT_GE(a.waitExact("CMD_chat+1+Ann chats: ok|clBlack"), 0);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(AdmissionTest, RemovalIsObeyedOnlyFromSlotOne) {
    TestClient& a = join("Ann");
    TestClient& b = join("Bob");
    TestClient& c = join("Cid");
    b.send(T("CMD_kickhim+2+3+"));
    b.send(T("CMD_kickhim+1+3+")); // naming slot 1 does not make it slot 1
    a.send(T("CMD_kickhim+1+7+")); // a free slot
    // Each connection's messages are handled in order: once these come back, all is done.
    b.send(T("CMD_chat+2+sync|c"));
    a.send(T("CMD_chat+1+sync|c"));
    ASSERT_GE(a.waitExact("CMD_chat+2+Bob chats: sync|c"), 0);
    ASSERT_GE(a.waitExact("CMD_chat+1+Ann chats: sync|c"), 0);
    EXPECT_FALSE(c.closed());
    EXPECT_TRUE(server->players().inUse(3));
    EXPECT_EQ(a.findPrefix("CMD_playerdisconnected"), -1);

    a.send(T("CMD_kickhim+1+3+"));
    EXPECT_TRUE(c.waitClosed());
    EXPECT_GE(a.waitExact("CMD_playerdisconnected+3+Cid"), 0);
    EXPECT_GE(b.waitExact("CMD_playerdisconnected+3+Cid"), 0);
    EXPECT_EQ(c.findPrefix("CMD_playerdisconnected"), -1);
    EXPECT_FALSE(server->players().inUse(3));
}

TEST_F(AdmissionTest, SpectatorLeavingChangesNothingInTheGame) {
    botSpeed = 100000;
    TestClient& a = join("Ann");
    for (int i = 2; i <= 4; ++i)
        join("Seat" + QByteArray::number(i));
    TestClient& spy = join("Spy");
    ASSERT_EQ(spy.slot(), 5);
    a.send(T("CMD_startgame+1+f+false"));
    ASSERT_GE(a.waitExact("CMD_nextplayer+1+1+0+0+"), 0);
    const int before = a.count();
    spy.close();
    EXPECT_GE(a.waitExact("CMD_playerdisconnected+5+Spy"), 0);
    zbtest::pump(30ms);
    EXPECT_EQ(a.count(), before + 1);
    EXPECT_EQ(server->game().currentSeat(), 1);
}

TEST_F(AdmissionTest, CurrentSeatLeavingPassesTheTurnButSeatOneDoesNot) {
    botSpeed = 2;
    TestClient& a = join("Ann");
    join("Bob");
    TestClient& c = join("Cid");
    a.send(T("CMD_startgame+1+f+false"));
    ASSERT_GE(a.waitExact("CMD_nextplayer+1+1+0+0+"), 0);
    // Seats 1 and 2 are humans here; seat 3 gets the turn after them.
    a.send(T("CMD_rolldice+1"));
    a.send(T("CMD_setscore+1+12"));
    ASSERT_GE(a.waitPrefix("CMD_nextplayer+2+1+"), 0);
    clients[1]->send(T("CMD_rolldice+2"));
    clients[1]->send(T("CMD_setscore+2+12"));
    const int turn3 = a.waitPrefix("CMD_nextplayer+3+1+");
    ASSERT_GE(turn3, 0);
    c.close();
    const int gone = a.waitExact("CMD_playerdisconnected+3+Cid", turn3);
    ASSERT_GE(gone, 0);
    ASSERT_GE(a.waitPrefix("CMD_nextplayer+1+2+", gone), 0);

    // The hosting player's own departure leaves the turn with seat 1, where the computer
    // finishes it.
    TestClient& b = *clients[1];
    const int mark = b.count();
    a.close();
    const int left = b.waitExact("CMD_playerdisconnected+1+Ann", mark);
    ASSERT_GE(left, 0);
    const int rolled = b.waitPrefix("CMD_thedice+1+", left);
    ASSERT_GE(rolled, 0);
    for (int i = left; i < rolled; ++i)
        EXPECT_FALSE(b.messages()[i].startsWith("CMD_nextplayer")) << i;
}

TEST_F(AdmissionTest, AcceptedConnectionsHaveKeepAlive) {
    connect();
    const zb::TSock* sock = server->players()[1].connection;
    ASSERT_NE(sock, nullptr);
    const int fd = sock->handle();
    int value = 0;
    socklen_t len = sizeof value;
    ASSERT_EQ(getsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &value, &len), 0);
    EXPECT_EQ(value, 1);
    ASSERT_EQ(getsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &value, &len), 0);
    EXPECT_EQ(value, 60);
    ASSERT_EQ(getsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &value, &len), 0);
    EXPECT_EQ(value, 10);
    ASSERT_EQ(getsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &value, &len), 0);
    EXPECT_EQ(value, 6);
}

TEST_F(AdmissionTest, ReleasedConnectionsAreDeleted) {
    TestClient& a = join("Ann");
    for (int i = 0; i < 30; ++i) {
        auto c = std::make_unique<TestClient>(port);
        ASSERT_EQ(c->waitSlot(), 2);
        c->close();
        ASSERT_TRUE(zbtest::waitFor([&] { return !server->players().inUse(2); }));
    }
    for (int i = 0; i < 9; ++i)
        connect().close();
    EXPECT_TRUE(zbtest::waitFor([&] {
        return server->findChildren<zb::TSock*>().size() == 2; // the listener and Ann's
    })) << server->findChildren<zb::TSock*>().size();
    EXPECT_FALSE(a.closed());
}

} // namespace
