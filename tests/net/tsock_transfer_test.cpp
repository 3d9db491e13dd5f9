// Moving bytes: queueing while connecting, the receive buffer, reads of at most 32,768 bytes, and
// a large transfer in both directions at once.

#include "tsock_fixture.h"

#include <QRandomGenerator>

using zb::TSock;
using zb::TSocketInfo;
using zbtest::raisedText;
using zbtest::waitFor;

namespace {

class TSockTransfer : public zbtest::SockFixture {};

QByteArray pattern(qsizetype size, quint32 seed) {
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(seed);
    random.fillRange(reinterpret_cast<quint32*>(bytes.data()), size / 4);
    return bytes;
}

TEST_F(TSockTransfer, SendWhileConnectingIsQueuedAndLeavesInOrder) {
    startListener();
    auto client = makeClient();
    EXPECT_FALSE(client->open());
    client->send("CMD_one\xFF");
    client->send("CMD_two\xFF");
    EXPECT_EQ(client->pendingSendBytes(), 16);
    EXPECT_EQ(log.count(client.get(), "Non-Blocking Outgoing Data"), 2);

    ASSERT_TRUE(waitFor([&] {
        return !accepted.isEmpty() && accepted.back() &&
               accepted.back()->pendingReceiveBytes() == 16;
    }));
    EXPECT_EQ(accepted.back()->receive(), "CMD_one\xFF"
                                          "CMD_two\xFF");
    EXPECT_EQ(client->pendingSendBytes(), 0);
    const auto texts = log.texts(client.get());
    EXPECT_LT(texts.indexOf("Non-Blocking Socket Connected"),
              texts.lastIndexOf("Non-Blocking Outgoing Data"));
}

TEST_F(TSockTransfer, SendWithoutASocketRaises) {
    TSock sock;
    EXPECT_EQ(raisedText([&] { sock.send("x"); }), "Send - Socket Not Connected");

    startListener();
    auto client = makeClient();
    connectClient(*client);
    client->close();
    EXPECT_EQ(raisedText([&] { client->send("x"); }), "Send - Socket Not Connected");
}

TEST_F(TSockTransfer, SendingNothingReportsNothing) {
    startListener();
    auto client = makeClient();
    connectClient(*client);
    ASSERT_TRUE(waitFor([&] { return client->pendingSendBytes() == 0; }));
    const auto reports = log.entries().size();
    EXPECT_TRUE(client->send(QByteArray()));
    EXPECT_EQ(log.entries().size(), reports);
}

TEST_F(TSockTransfer, ReadsAccumulateUntilReceived) {
    startListener();
    QList<int> counts;
    listener->OnRead = [&](TSock*, int count) { counts << count; };
    auto client = makeClient();
    TSock* server = connectClient(*client);
    ASSERT_NE(server, nullptr);

    client->send("12345");
    ASSERT_TRUE(waitFor([&] { return counts.size() == 1; }));
    client->send("678");
    ASSERT_TRUE(waitFor([&] { return counts.size() == 2; }));
    EXPECT_EQ(counts, (QList<int>{5, 8}));
    EXPECT_TRUE(log.has(server, "Non-Blocking Incoming Data"));
    EXPECT_EQ(server->receive(), "12345678");
    EXPECT_EQ(server->pendingReceiveBytes(), 0);
    EXPECT_EQ(server->receive(), QByteArray()) << "a connected socket may be empty";
}

TEST_F(TSockTransfer, ReceiveWithACountTakesFromTheFront) {
    startListener();
    auto client = makeClient();
    TSock* server = connectClient(*client);
    ASSERT_NE(server, nullptr);
    client->send("abcdefgh");
    ASSERT_TRUE(waitFor([&] { return server->pendingReceiveBytes() == 8; }));
    EXPECT_EQ(server->receive(3), "abc");
    EXPECT_EQ(server->receive(0), "");
    EXPECT_EQ(server->receive(-4), "");
    EXPECT_EQ(server->receive(100), "defgh");
    EXPECT_EQ(server->pendingReceiveBytes(), 0);
}

TEST_F(TSockTransfer, BytesOutliveThePeersClose) {
    startListener();
    auto client = makeClient();
    TSock* server = connectClient(*client);
    ASSERT_NE(server, nullptr);
    client->send("last words");
    client->close();
    ASSERT_TRUE(waitFor([&] { return log.has(server, "Socket Closed"); }));
    EXPECT_FALSE(server->hasSocket());
    EXPECT_EQ(server->receive(5), "last ");
    EXPECT_EQ(server->receive(), "words");
    EXPECT_EQ(raisedText([&] { server->receive(); }), "Receive - Socket Not Connected");
    EXPECT_EQ(raisedText([&] { server->receive(1); }), "Receive - Socket Not Connected");
}

TEST_F(TSockTransfer, IdleConnectionIsQuiet) {
    startListener();
    int writes = 0;
    int reads = 0;
    listener->OnWrite = [&](TSock*) { ++writes; };
    listener->OnRead = [&](TSock*, int) { ++reads; };
    auto client = makeClient();
    client->OnWrite = [&](TSock*) { ++writes; };
    connectClient(*client);
    client->send("ping");
    ASSERT_TRUE(waitFor([&] { return reads == 1; }));
    zbtest::pump(std::chrono::milliseconds(20));

    const auto reports = log.entries().size();
    const int writesBefore = writes;
    zbtest::pump(std::chrono::milliseconds(100));
    EXPECT_EQ(log.entries().size(), reports) << "an idle writable socket must not wake the loop";
    EXPECT_EQ(writes, writesBefore);
    EXPECT_EQ(reads, 1);
}

TEST_F(TSockTransfer, FlushOnWritableReportsSendAndCallsOnWrite) {
    startListener();
    auto client = makeClient();
    int writes = 0;
    client->OnWrite = [&](TSock*) { ++writes; };
    client->open();
    client->send("queued");
    ASSERT_TRUE(waitFor([&] { return writes == 1; }));
    const auto texts = log.texts(client.get());
    const auto connectedAt = texts.indexOf("Non-Blocking Socket Connected");
    ASSERT_GE(connectedAt, 0);
    // One report from the flush itself and one for the writable event.
    EXPECT_EQ(texts.mid(connectedAt + 1),
              (QStringList{"Non-Blocking Outgoing Data", "Non-Blocking Outgoing Data"}));
}

TEST_F(TSockTransfer, LargeTransferBothWaysArrivesIntact) {
    constexpr qsizetype kSize = 8 * 1024 * 1024;
    const QByteArray up = pattern(kSize, 1);
    const QByteArray down = pattern(kSize, 2);
    QByteArray gotUp;
    QByteArray gotDown;
    int readsUp = 0;
    int largestRead = 0;

    startListener();
    listener->OnRead = [&](TSock* s, int count) {
        ++readsUp;
        largestRead = std::max(largestRead, count);
        gotUp += s->receive();
    };
    auto client = makeClient();
    client->OnRead = [&](TSock* s, int count) {
        largestRead = std::max(largestRead, count);
        gotDown += s->receive();
    };
    TSock* server = connectClient(*client);
    ASSERT_NE(server, nullptr);

    client->send(up);
    server->send(down);
    EXPECT_GT(client->pendingSendBytes(), 0) << "the network should not take 8 MB in one call";
    ASSERT_TRUE(waitFor([&] { return gotUp.size() >= kSize && gotDown.size() >= kSize; },
                        std::chrono::seconds(60)))
        << gotUp.size() << " / " << gotDown.size();
    EXPECT_TRUE(gotUp == up);
    EXPECT_TRUE(gotDown == down);
    EXPECT_EQ(client->pendingSendBytes(), 0);
    EXPECT_EQ(server->pendingSendBytes(), 0);
    EXPECT_LE(largestRead, 32768) << "one read of at most 32,768 bytes per notification";
    EXPECT_GE(readsUp, kSize / 32768);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(TSockTransfer, ARaisingOnReadIsReportedAndReadingGoesOn) {
    startListener();
    QByteArray got;
    listener->OnRead = [&](TSock* s, int) {
        got += s->receive();
        if (got == "bad")
            throw zb::EConvertError("'bad' is not a valid integer value");
    };
    auto client = makeClient();
    connectClient(*client);
    client->send("bad");
    ASSERT_TRUE(waitFor([&] { return !errors.isEmpty(); }));
    client->send("good");
    ASSERT_TRUE(waitFor([&] { return got == "badgood"; }));
    EXPECT_EQ(errors, QStringList{"'bad' is not a valid integer value"});
}

} // namespace
