// Every stream connection sends each message at once (TCP_NODELAY): the protocol is many small
// messages, and Nagle's algorithm would hold one back until the previous one is acknowledged.

#include "tsock_fixture.h"

#include <QElapsedTimer>
#include <QTimer>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

using zbtest::waitFor;

namespace {

class TSockNoDelay : public zbtest::SockFixture {};

int noDelayOf(const zb::TSock& sock) {
    int value = -1;
    socklen_t len = sizeof value;
    if (getsockopt(sock.handle(), IPPROTO_TCP, TCP_NODELAY, &value, &len) != 0)
        return -1;
    return value;
}

TEST_F(TSockNoDelay, ConnectingAndAcceptedSocketsSendAtOnce) {
    startListener();
    auto client = makeClient();
    client->open();
    ASSERT_TRUE(client->hasSocket());
    EXPECT_EQ(noDelayOf(*client), 1) << "already while connecting";
    zb::TSock* server = connectClient(*client);
    ASSERT_NE(server, nullptr);
    EXPECT_EQ(noDelayOf(*client), 1);
    EXPECT_EQ(noDelayOf(*server), 1);
}

// The receiver answers the first message at once, so it delays its acknowledgements hoping to
// send them with its next message. Two messages follow back to back, and a third 20 ms later:
// held back behind the unacknowledged second one, the third used to arrive with it.
TEST_F(TSockNoDelay, MessagesSentApartArriveApart) {
    startListener();
    auto client = makeClient();
    zb::TSock* server = connectClient(*client);
    ASSERT_NE(server, nullptr);
    QElapsedTimer clock;
    clock.start();
    QList<qint64> arrivals;
    QByteArray got;
    client->OnRead = [&](zb::TSock* s, int) {
        if (s->pendingReceiveBytes() == 0)
            return;
        const QByteArray bytes = s->receive();
        for (char c : bytes) {
            if (c == 'P')
                s->send("r");
            if (c == '\xFF')
                arrivals << clock.nsecsElapsed();
        }
        got += bytes;
    };
    bool answered = false;
    server->OnRead = [&](zb::TSock* s, int) {
        if (s->pendingReceiveBytes() > 0 && s->receive() == "r")
            answered = true;
    };
    server->send("P\xFF");
    ASSERT_TRUE(waitFor([&] { return answered; }));
    server->send("A1\xFF");
    server->send("A2\xFF");
    QTimer::singleShot(20, server, [server] { server->send("B\xFF"); });
    ASSERT_TRUE(waitFor([&] { return arrivals.size() == 4; }));
    EXPECT_EQ(got, QByteArray("P\xFF"
                              "A1\xFF"
                              "A2\xFF"
                              "B\xFF"));
    EXPECT_GE((arrivals[3] - arrivals[2]) / 1000000, 10)
        << "gap " << (arrivals[3] - arrivals[2]) / 1000 << " us";
}

} // namespace
