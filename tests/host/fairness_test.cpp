// The dispatcher takes one message per tick, each connection's in order, round-robin from the
// connections that have messages waiting; a connection may keep only as many waiting as a table
// really sends in a burst.

#include "hostfixture.h"

#include <QList>

using namespace hosttest;
using namespace std::chrono_literals;

namespace {

class FairnessSeam : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = zb::setErrorReporter([this](const QString& t) { errors.append(t); });
        server.setOutputTap([this](int slot, const QByteArray& m) {
            if (slot == 1 && m.startsWith("CMD_chat+"))
                relayed.append(m.chopped(1));
        });
        for (int slot = 1; slot <= 4; ++slot)
            ASSERT_EQ(server.attachLocal(), slot);
    }
    void TearDown() override { zb::setErrorReporter(std::move(previous_)); }
    void drain() {
        while (server.dispatchOne()) {
        }
    }
    static QByteArray chat(int slot, const char* line) {
        return T(("CMD_chat+" + QByteArray::number(slot) + "+" + line + "|c").constData());
    }
    static QByteArray relay(int slot, const char* line) {
        return "CMD_chat+" + QByteArray::number(slot) + "+ chats: " + line + "|c";
    }

    zb::rules::Random random{3};
    zb::TServer server{[] { return 1; }, random};
    QList<QByteArray> relayed;
    QStringList errors;

private:
    zb::ErrorReporter previous_;
};

struct TurnCase {
    const char* name;
    std::vector<std::pair<int, const char*>> fed; // slot, line, in the order they arrive
    std::vector<std::pair<int, const char*>> want;
};
void PrintTo(const TurnCase& c, std::ostream* os) {
    *os << c.name;
}

class RoundRobin : public FairnessSeam, public ::testing::WithParamInterface<TurnCase> {};

TEST_P(RoundRobin, EachWaitingConnectionInTurnEachInItsOwnOrder) {
    for (const auto& [slot, line] : GetParam().fed)
        server.feed(slot, chat(slot, line));
    drain();
    QList<QByteArray> want;
    for (const auto& [slot, line] : GetParam().want)
        want.append(relay(slot, line));
    EXPECT_EQ(relayed, want);
}

INSTANTIATE_TEST_SUITE_P(
    Dispatch, RoundRobin,
    ::testing::Values(
        TurnCase{"BusyConnectionsShareTheTicks",
                 {{2, "b1"}, {2, "b2"}, {2, "b3"}, {3, "c1"}, {3, "c2"}, {3, "c3"}, {4, "d1"}},
                 {{2, "b1"}, {3, "c1"}, {4, "d1"}, {2, "b2"}, {3, "c2"}, {2, "b3"}, {3, "c3"}}},
        TurnCase{"EveryWaitingConnectionOncePerRound",
                 {{2, "b1"}, {2, "b2"}, {2, "b3"}, {2, "b4"}, {3, "c1"}, {3, "c2"}, {1, "a1"}},
                 {{1, "a1"}, {2, "b1"}, {3, "c1"}, {2, "b2"}, {3, "c2"}, {2, "b3"}, {2, "b4"}}},
        TurnCase{"OneConnectionAloneKeepsItsOrder",
                 {{3, "x"}, {3, "y"}, {3, "z"}},
                 {{3, "x"}, {3, "y"}, {3, "z"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FairnessSeam, TheTurnMovesOnPastTheConnectionJustServed) {
    server.feed(2, chat(2, "b1") + chat(2, "b2"));
    server.feed(3, chat(3, "c1"));
    ASSERT_TRUE(server.dispatchOne());
    // Slot 2 was served; a new message from slot 1 waits until slot 3 has had its turn.
    server.feed(1, chat(1, "a1"));
    drain();
    EXPECT_EQ(relayed,
              (QList<QByteArray>{relay(2, "b1"), relay(3, "c1"), relay(1, "a1"), relay(2, "b2")}));
}

struct CapCase {
    const char* name;
    int messages;
    int size; // of each message
    bool keptOn;
};
void PrintTo(const CapCase& c, std::ostream* os) {
    *os << c.name;
}

class PerConnectionCap : public FairnessSeam, public ::testing::WithParamInterface<CapCase> {};

TEST_P(PerConnectionCap, ATableMayKeepABurstWaitingButNoMore) {
    const QByteArray line(GetParam().size - 13, 'x'); // "CMD_chat+2+" line "|c"
    QByteArray burst;
    for (int i = 0; i < GetParam().messages; ++i)
        burst += chat(2, line.constData());
    server.feed(2, burst);
    EXPECT_EQ(server.players().inUse(2), GetParam().keptOn);
    EXPECT_EQ(server.queuedMessages(), GetParam().keptOn ? GetParam().messages : 0);
    EXPECT_TRUE(server.players().inUse(1));
}

INSTANTIATE_TEST_SUITE_P(Dispatch, PerConnectionCap,
                         ::testing::Values(CapCase{"ThirtyTwoWaiting", 32, 20, true},
                                           CapCase{"ThirtyThreeWaiting", 33, 20, false},
                                           CapCase{"AHundred", 100, 20, false},
                                           CapCase{"SixteenOfTheLongest", 16, 65536, true},
                                           CapCase{"SeventeenOfTheLongest", 17, 65536, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FairnessSeam, MessagesDispatchedMeanwhileDoNotCountAgainstTheCap) {
    QByteArray burst;
    for (int i = 0; i < 30; ++i)
        burst += chat(2, "x");
    server.feed(2, burst);
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(server.dispatchOne());
    server.feed(2, burst.left(burst.size() * 2 / 3)); // 20 more: 30 waiting
    EXPECT_TRUE(server.players().inUse(2));
    EXPECT_EQ(server.queuedMessages(), 30);
}

// Over real connections: eight tables each queue a burst of chat lines; a quiet player's line,
// sent after them, comes back before theirs are through.
class FairnessTest : public HostFixture {};

TEST_F(FairnessTest, AQuietPlayerIsNotStuckBehindEightBusyOnes) {
    TestClient& quiet = connect();
    ASSERT_EQ(quiet.slot(), 1);
    constexpr int kBusy = 8;
    constexpr int kBurst = 30;
    for (int i = 0; i < kBusy; ++i) {
        TestClient& busy = connect();
        QByteArray burst;
        for (int k = 0; k < kBurst; ++k)
            burst += T(("CMD_chat+" + QByteArray::number(busy.slot()) + "+busy|c").constData());
        busy.send(burst);
    }
    ASSERT_TRUE(
        zbtest::waitFor([&] { return server->queuedMessages() >= kBusy * kBurst - kBusy; }));
    const int mark = quiet.count();
    quiet.send(T("CMD_chat+1+hello|c"));
    const int back = quiet.waitExact("CMD_chat+1+ chats: hello|c", mark);
    ASSERT_GE(back, 0);
    int busyFirst = 0;
    for (int i = mark; i < back; ++i)
        busyFirst += quiet.messages()[i].startsWith("CMD_chat+") ? 1 : 0;
    // One tick per busy connection, with room for lines already on their way.
    EXPECT_LT(busyFirst, 3 * kBusy);
    for (int i = 1; i <= kBusy; ++i)
        EXPECT_FALSE(clients[static_cast<std::size_t>(i)]->closed()) << i;
}

} // namespace
