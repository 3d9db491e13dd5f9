// The table's receive queue at its caps, in messages and in bytes, exactly at each and one past,
// and after messages have been handled: what has left the queue no longer counts against it.

#include "table/core/session.h"

#include <gtest/gtest.h>

using zb::Session;

namespace {

QByteArray messages(qsizetype count, qsizetype size) {
    QByteArray one = "CMD_x+" + QByteArray(size - 6, 'p') + '\xFF';
    QByteArray all;
    all.reserve(count * one.size());
    for (qsizetype i = 0; i < count; ++i)
        all += one;
    return all;
}

constexpr qsizetype kBig = 64 * 1024; // the longest message the framer passes on
static_assert(Session::kMaxQueuedBytes % kBig == 0);
constexpr qsizetype kBigFit = Session::kMaxQueuedBytes / kBig;

TEST(SessionEdges, ExactlyTheMostMessagesAndOneMore) {
    Session s;
    EXPECT_TRUE(s.receive(messages(Session::kMaxQueued, 7)));
    EXPECT_EQ(s.queued(), Session::kMaxQueued);
    EXPECT_FALSE(s.receive(messages(1, 7)));
    EXPECT_EQ(s.queued(), 0);
    EXPECT_EQ(s.queuedBytes(), 0);
    // Bare terminators are no messages and count for nothing.
    EXPECT_TRUE(s.receive(messages(Session::kMaxQueued, 7) + QByteArray(5000, '\xFF')));
    EXPECT_EQ(s.queued(), Session::kMaxQueued);
}

TEST(SessionEdges, ExactlyTheMostBytesAndOneMore) {
    Session s;
    EXPECT_TRUE(s.receive(messages(kBigFit, kBig)));
    EXPECT_EQ(s.queuedBytes(), Session::kMaxQueuedBytes);
    EXPECT_FALSE(s.receive(messages(1, 7).replace("CMD_x+p", "CMD_x+")));
    EXPECT_EQ(s.queued(), 0);
    EXPECT_EQ(s.queuedBytes(), 0);
}

TEST(SessionEdges, HandledMessagesGiveTheirRoomBack) {
    Session s;
    ASSERT_TRUE(s.receive(messages(kBigFit, kBig)));
    s.processsocktimer();
    EXPECT_EQ(s.queuedBytes(), Session::kMaxQueuedBytes - kBig);
    EXPECT_TRUE(s.receive(messages(1, kBig))) << "exactly the bytes handled are free";
    EXPECT_FALSE(s.receive(messages(1, 7)));

    Session count;
    ASSERT_TRUE(count.receive(messages(Session::kMaxQueued, 7)));
    count.processsocktimer();
    EXPECT_TRUE(count.receive(messages(1, 7)));
    EXPECT_EQ(count.queued(), Session::kMaxQueued);
}

// A long game of large messages, each handled before the next arrives, is never cut off.
TEST(SessionEdges, ALongSessionOfLargeMessagesIsNeverCutOff) {
    Session s;
    const QByteArray three = messages(3, kBig);
    for (int i = 0; i < 400; ++i) {
        ASSERT_TRUE(s.receive(three)) << i;
        for (int k = 0; k < 3; ++k)
            s.processsocktimer();
    }
    EXPECT_EQ(s.queued(), 0);
    EXPECT_EQ(s.queuedBytes(), 0);
}

} // namespace
