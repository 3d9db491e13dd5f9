// The host's per-connection receive queues and its connection deadlines at their edges: exactly
// at each cap and one past it, in messages and in bytes; several slots and several deadlines at
// once; and what is left after messages are taken and slots are released.

#include "host/deadlines.h"
#include "host/receivequeues.h"
#include "support/wait.h"

#include <gtest/gtest.h>
#include <vector>

using namespace std::chrono_literals;
using zb::host::ConnectionDeadlines;
using zb::host::kMaxQueuedBytesPerConnection;
using zb::host::kMaxQueuedPerConnection;
using zb::host::ReceiveQueues;

namespace {

// --- Receive queues ------------------------------------------------------------------------------

struct Fill {
    const char* name;
    int messages;
    qsizetype size; // of each but the last
    qsizetype last; // of the last one pushed
    bool lastTaken; // whether the last push is accepted
};
void PrintTo(const Fill& f, std::ostream* os) {
    *os << f.name;
}

class QueueCap : public ::testing::TestWithParam<Fill> {};

TEST_P(QueueCap, AtTheCapInCountAndBytesAndOnePast) {
    const Fill& f = GetParam();
    ReceiveQueues q;
    for (int i = 0; i + 1 < f.messages; ++i)
        ASSERT_TRUE(q.push(3, QByteArray(f.size, 'm'))) << i;
    EXPECT_EQ(q.push(3, QByteArray(f.last, 'l')), f.lastTaken);
    EXPECT_EQ(q.size(3), f.lastTaken ? f.messages : f.messages - 1);
    // A refusal keeps nothing, and another slot has its own room.
    EXPECT_TRUE(q.push(4, QByteArray(kMaxQueuedBytesPerConnection, 'o')));
}

constexpr qsizetype kSixtyFour = 64 * 1024;
INSTANTIATE_TEST_SUITE_P(
    Edges, QueueCap,
    ::testing::Values(
        Fill{"CountAtTheCap", kMaxQueuedPerConnection, 1, 1, true},
        Fill{"CountOnePast", kMaxQueuedPerConnection + 1, 1, 1, false},
        Fill{"EmptyMessagesCountToo", kMaxQueuedPerConnection + 1, 0, 0, false},
        Fill{"BytesAtTheCap", 16, kSixtyFour, kSixtyFour, true},
        Fill{"BytesOnePast", 16, kSixtyFour, kSixtyFour + 1, false},
        Fill{"OneMessageOfTheWholeCap", 1, 0, kMaxQueuedBytesPerConnection, true},
        Fill{"OneMessageOneBytePast", 1, 0, kMaxQueuedBytesPerConnection + 1, false},
        Fill{"BytesFillUpAfterManySmall", 31, 1, kMaxQueuedBytesPerConnection - 30, true},
        Fill{"BytesOnePastAfterManySmall", 31, 1, kMaxQueuedBytesPerConnection - 29, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReceiveQueuesEdges, TakenMessagesGiveTheirRoomBack) {
    ReceiveQueues q;
    for (int i = 0; i < 16; ++i)
        ASSERT_TRUE(q.push(2, QByteArray(kSixtyFour, 'a')));
    ASSERT_FALSE(q.push(2, QByteArray(1, 'b')));
    ASSERT_TRUE(q.takeNext());
    EXPECT_TRUE(q.push(2, QByteArray(kSixtyFour, 'c'))) << "exactly the bytes taken are free";
    EXPECT_FALSE(q.push(2, QByteArray(1, 'd')));
    // A long session of the largest messages, each taken before the next: never refused.
    ReceiveQueues s;
    for (int i = 0; i < 1000; ++i) {
        ASSERT_TRUE(s.push(5, QByteArray(kMaxQueuedBytesPerConnection, 'x'))) << i;
        ASSERT_TRUE(s.takeNext());
    }
    EXPECT_TRUE(s.empty());
}

TEST(ReceiveQueuesEdges, AClearedSlotStartsWithAllItsRoom) {
    ReceiveQueues q;
    for (int i = 0; i < kMaxQueuedPerConnection; ++i)
        ASSERT_TRUE(q.push(9, QByteArray(kSixtyFour / 2, 'a')));
    ASSERT_TRUE(q.push(1, "other"));
    q.clear(9);
    EXPECT_EQ(q.size(), 1);
    EXPECT_EQ(q.size(9), 0);
    // The next occupant may queue a whole burst and the whole byte budget.
    EXPECT_TRUE(q.push(9, QByteArray(kMaxQueuedBytesPerConnection, 'n')));
    q.clear(9);
    for (int i = 0; i < kMaxQueuedPerConnection; ++i)
        ASSERT_TRUE(q.push(9, "x")) << i;
    q.clear(9);
    q.clear(1);
    EXPECT_TRUE(q.empty());
    EXPECT_EQ(q.size(), 0);
    EXPECT_FALSE(q.takeNext());
}

TEST(ReceiveQueuesEdges, SlotsOutsideOneToNineKeepNothing) {
    ReceiveQueues q;
    EXPECT_FALSE(q.push(0, "x"));
    EXPECT_FALSE(q.push(10, "x"));
    EXPECT_FALSE(q.push(-1, "x"));
    EXPECT_TRUE(q.empty());
    EXPECT_TRUE(q.push(1, "first"));
    EXPECT_TRUE(q.push(9, "last"));
    EXPECT_EQ(q.size(), 2);
}

// The turn goes round all nine slots: past slot 9 it comes back to slot 1.
TEST(ReceiveQueuesEdges, TheTurnWrapsFromTheLastSlotToTheFirst) {
    ReceiveQueues q;
    q.push(9, "9a");
    q.push(9, "9b");
    q.push(8, "8a");
    std::vector<QByteArray> order;
    const auto take = [&] {
        const auto t = q.takeNext();
        order.push_back(t ? QByteArray::number(t->slot) + ":" + t->message : "none");
    };
    take(); // 8 is the first waiting from slot 1 on
    take(); // then 9
    q.push(1, "1a");
    take(); // after 9 comes 1
    take();
    take();
    EXPECT_EQ(order, (std::vector<QByteArray>{"8:8a", "9:9a", "1:1a", "9:9b", "none"}));
}

// --- Connection deadlines ------------------------------------------------------------------------

using Clock = std::chrono::steady_clock;

class DeadlineEdges : public ::testing::Test {
protected:
    void use(std::chrono::milliseconds login, std::chrono::milliseconds unfinished) {
        zb::host::Timeouts t;
        t.login = login;
        t.unfinishedMessage = unfinished;
        deadlines.setTimeouts(t);
    }
    // Runs step and tells whether the timer is then armed for what step made due after `wait`.
    bool armedFor(std::chrono::milliseconds wait, const std::function<void()>& step) {
        const auto before = Clock::now();
        step();
        const auto after = Clock::now();
        const auto at = deadlines.armedFor();
        return at && *at >= before + wait && *at <= after + wait;
    }

    std::vector<int> expired;
    ConnectionDeadlines deadlines{[this](int slot) { expired.push_back(slot); }};
};

TEST_F(DeadlineEdges, TheTimerIsArmedForTheEarliestOfSeveral) {
    use(10s, 20s);
    ASSERT_TRUE(armedFor(10s, [&] { deadlines.admitted(1); }));
    use(2s, 20s);
    EXPECT_TRUE(armedFor(2s, [&] { deadlines.admitted(5); })) << "earlier than slot 1's";
    use(5s, 20s);
    const auto second = deadlines.armedFor();
    deadlines.admitted(9); // later than slot 5's: the timer stays where it is
    EXPECT_EQ(deadlines.armedFor(), second);
    use(5s, 1s);
    EXPECT_TRUE(armedFor(1s, [&] { deadlines.received(9, true, true); }))
        << "an unfinished message's deadline counts as much as a login's";
}

TEST_F(DeadlineEdges, WhenTheEarliestGoesTheNextOneIsArmed) {
    use(10s, 20s);
    deadlines.admitted(1);
    const auto slotOne = deadlines.armedFor();
    use(3s, 20s);
    deadlines.admitted(2);
    ASSERT_LT(deadlines.armedFor(), slotOne);
    deadlines.released(2);
    EXPECT_EQ(deadlines.armedFor(), slotOne) << "slot 1's deadline is what is left";
    deadlines.loggedIn(1);
    EXPECT_FALSE(deadlines.armed()) << "nothing left, nothing armed";
}

struct Leaving {
    const char* name;
    std::function<void(ConnectionDeadlines&, int)> leave;
};
void PrintTo(const Leaving& l, std::ostream* os) {
    *os << l.name;
}

class DeadlineLeaves : public DeadlineEdges, public ::testing::WithParamInterface<Leaving> {};

// Every way a deadline ends leaves no timer running once none is due.
TEST_P(DeadlineLeaves, ASlotWithoutDeadlinesLeavesNothingArmed) {
    use(30s, 30s);
    deadlines.admitted(4);
    deadlines.received(4, true, true);
    ASSERT_TRUE(deadlines.armed());
    GetParam().leave(deadlines, 4);
    EXPECT_FALSE(deadlines.armed());
    EXPECT_FALSE(deadlines.armedFor());
}

INSTANTIATE_TEST_SUITE_P(Edges, DeadlineLeaves,
                         ::testing::Values(Leaving{"Released", [](ConnectionDeadlines& d,
                                                                  int s) { d.released(s); }},
                                           Leaving{"LoggedInAndFinished",
                                                   [](ConnectionDeadlines& d, int s) {
                                                       d.loggedIn(s);
                                                       d.received(s, false, true);
                                                   }},
                                           Leaving{"FinishedAndLoggedIn",
                                                   [](ConnectionDeadlines& d, int s) {
                                                       d.received(s, false, false);
                                                       d.loggedIn(s);
                                                   }}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DeadlineEdges, AMessageTricklingInKeepsItsFirstDeadlineAndTheNextOneGetsItsOwn) {
    use(60s, 5s);
    deadlines.loggedIn(3); // no login due: only the message counts
    ASSERT_TRUE(armedFor(5s, [&] { deadlines.received(3, true, true); }));
    const auto first = deadlines.armedFor();
    zbtest::pump(20ms);
    deadlines.received(3, true, false); // more of the same message
    EXPECT_EQ(deadlines.armedFor(), first);
    EXPECT_TRUE(armedFor(5s, [&] { deadlines.received(3, true, true); }))
        << "a message that began in this delivery is due from now";
    EXPECT_GT(deadlines.armedFor(), first);
}

TEST_F(DeadlineEdges, SlotsOutsideOneToNineArmNothing) {
    use(1s, 1s);
    for (const int slot : {0, 10, -3}) {
        deadlines.admitted(slot);
        deadlines.received(slot, true, true);
    }
    EXPECT_FALSE(deadlines.armed());
    deadlines.admitted(9);
    EXPECT_TRUE(deadlines.armed());
}

TEST_F(DeadlineEdges, SeveralDueFireEarliestFirstAndAReleasedOneNever) {
    use(30s, 30s);
    deadlines.admitted(1); // not due during the test
    use(40ms, 30s);
    deadlines.admitted(6);
    deadlines.admitted(7);
    deadlines.released(7);
    use(120ms, 30s);
    deadlines.admitted(2);
    ASSERT_TRUE(zbtest::waitFor([&] { return expired.size() >= 2; }, 5s));
    EXPECT_EQ(expired, (std::vector<int>{6, 2}));
    EXPECT_TRUE(deadlines.armed()) << "slot 1 is still due";
    deadlines.released(1);
    EXPECT_FALSE(deadlines.armed());
}

} // namespace
