// A connection that does not log in in time, or leaves a message unfinished for too long, is
// closed and its slot released, so silent or trickling connections cannot hold the slots of
// real players. The time-outs are injected short here; the defaults are 30 s each.

#include "hostfixture.h"

#include <QTimer>

using namespace hosttest;
using namespace std::chrono_literals;

namespace {

constexpr auto kShort = 300ms;
constexpr auto kLong = 60s;

class TimeoutTest : public HostFixture {
protected:
    void use(std::chrono::milliseconds login, std::chrono::milliseconds unfinished) {
        zb::host::Timeouts t;
        t.login = login;
        t.unfinishedMessage = unfinished;
        server->setTimeouts(t);
    }
};

TEST_F(TimeoutTest, DefaultsAreThirtySecondsEach) {
    EXPECT_EQ(server->timeouts().login, 30s);
    EXPECT_EQ(server->timeouts().unfinishedMessage, 30s);
}

TEST_F(TimeoutTest, AConnectionThatNeverLogsInIsClosedAndItsSlotReleased) {
    use(kShort, kLong);
    TestClient& ann = join("Ann");
    TestClient& silent = connect();
    ASSERT_EQ(silent.slot(), 2);
    EXPECT_TRUE(silent.waitClosed(5s));
    EXPECT_GE(ann.waitExact("CMD_playerdisconnected+2+"), 0);
    EXPECT_FALSE(server->players().inUse(2));
    EXPECT_FALSE(ann.closed());
    EXPECT_TRUE(server->players().inUse(1));
}

TEST_F(TimeoutTest, ALoggedInConnectionStaysPastTheLoginDeadline) {
    use(kShort, kLong);
    TestClient& ann = join("Ann");
    zbtest::pump(3 * kShort);
    EXPECT_FALSE(ann.closed());
    EXPECT_TRUE(server->players().inUse(1));
}

// Each case sends pieces of bytes one after another, a third of the time-out apart.
struct TrickleCase {
    const char* name;
    std::vector<QByteArray> pieces;
    bool closed;
};
void PrintTo(const TrickleCase& c, std::ostream* os) {
    *os << c.name;
}

class Trickle : public TimeoutTest, public ::testing::WithParamInterface<TrickleCase> {};

TEST_P(Trickle, OnlyAMessageLeftUnfinishedTooLongClosesTheConnection) {
    use(kLong, kShort);
    TestClient& ann = join("Ann");
    TestClient& bob = join("Bob");
    const std::vector<QByteArray>& pieces = GetParam().pieces;
    std::size_t next = 0;
    QTimer pacer;
    pacer.setInterval(kShort / 3);
    QObject::connect(&pacer, &QTimer::timeout, [&] {
        if (next < pieces.size() && !bob.closed())
            bob.send(pieces[next++]);
    });
    pacer.start();
    zbtest::waitFor([&] { return next == pieces.size() || bob.closed(); }, 10s);
    pacer.stop();
    if (GetParam().closed) {
        EXPECT_TRUE(bob.waitClosed(5s));
        EXPECT_GE(ann.waitExact("CMD_playerdisconnected+2+Bob"), 0);
        EXPECT_FALSE(server->players().inUse(2));
    } else {
        zbtest::pump(kShort / 3);
        EXPECT_FALSE(bob.closed());
        EXPECT_TRUE(server->players().inUse(2));
    }
    EXPECT_FALSE(ann.closed());
}

std::vector<QByteArray> bytesOf(const QByteArray& text) {
    std::vector<QByteArray> out;
    for (char c : text)
        out.push_back(QByteArray(1, c));
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Timeouts, Trickle,
    ::testing::Values(TrickleCase{"HalfAMessageAndSilence", {"CMD_chat+2+half"}, true},
                      TrickleCase{"OneByteAtATimeNeverEnding",
                                  bytesOf("CMD_chat+2+on and on and on"), true},
                      TrickleCase{"EachMessageFinishedInTime",
                                  {"CMD_chat+2+o",
                                   "ne|c\xFF"
                                   "CMD_chat+2+t",
                                   "wo|c\xFF"
                                   "CMD_chat+2+th",
                                   "ree|c\xFF"
                                   "CMD_chat+2+f",
                                   "our|c\xFF"},
                                  false},
                      TrickleCase{"CompleteMessagesOnly",
                                  {T("CMD_chat+2+a|c"), T("CMD_chat+2+b|c"), T("CMD_chat+2+c|c"),
                                   T("CMD_chat+2+d|c"), T("CMD_chat+2+e|c")},
                                  false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TimeoutTest, NineSilentConnectionsNoLongerLockEveryoneOut) {
    use(kShort, kShort);
    for (int slot = 1; slot <= 9; ++slot)
        ASSERT_EQ(connect().slot(), slot);
    TestClient& turnedAway = connect();
    EXPECT_TRUE(turnedAway.waitClosed());
    EXPECT_EQ(turnedAway.raw(), T("CMD_full+"));
    for (int i = 0; i < 9; ++i)
        EXPECT_TRUE(clients[static_cast<std::size_t>(i)]->waitClosed(5s)) << i;
    ASSERT_TRUE(zbtest::waitFor([&] { return !server->players().inUse(1); }));
    TestClient& player = join("Real");
    EXPECT_EQ(player.slot(), 1);
}

TEST_F(TimeoutTest, AnIdleHostArmsNoDeadline) {
    use(kShort, kShort);
    TestClient& ann = join("Ann");
    ann.send("CMD_chat+1+x");
    ann.send("|c\xFF");
    ASSERT_GE(ann.waitExact("CMD_chat+1+Ann chats: x|c"), 0);
    zbtest::pump(2 * kShort);
    EXPECT_FALSE(ann.closed());
}

} // namespace
