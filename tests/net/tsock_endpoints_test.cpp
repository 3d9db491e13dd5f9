// The local endpoint of a socket, known right after a non-blocking connect starts, and the peer
// endpoint that the listener records for the connection it accepted: the host tells its own
// table from others by them.

#include "tsock_fixture.h"

using zbtest::waitFor;

namespace {

class TSockEndpoints : public zbtest::SockFixture {};

TEST_F(TSockEndpoints, WithoutASocketThereIsNoEndpoint) {
    zb::TSock sock;
    EXPECT_EQ(sock.localPort(), 0);
    EXPECT_EQ(sock.localAddress(), QString());
    EXPECT_EQ(sock.peerPort(), 0);
    EXPECT_FALSE(sock.connectionWaiting());
}

TEST_F(TSockEndpoints, TheLocalEndpointIsKnownWhileConnectingAndIsWhatTheListenerSees) {
    startListener();
    auto client = makeClient();
    client->open();
    ASSERT_FALSE(client->connected());
    const QString address = client->localAddress();
    const quint16 port = client->localPort();
    EXPECT_EQ(address, QStringLiteral("127.0.0.1"));
    EXPECT_NE(port, 0);
    EXPECT_NE(port, listener->localPort());
    ASSERT_NE(connectClient(*client), nullptr);
    EXPECT_EQ(listener->peerAddress(), address);
    EXPECT_EQ(listener->peerPort(), port);
    EXPECT_EQ(client->localPort(), port);
}

TEST_F(TSockEndpoints, EachAcceptRecordsItsOwnPeer) {
    startListener();
    auto first = makeClient();
    auto second = makeClient();
    ASSERT_NE(connectClient(*first), nullptr);
    EXPECT_EQ(listener->peerPort(), first->localPort());
    ASSERT_NE(connectClient(*second), nullptr);
    EXPECT_EQ(listener->peerPort(), second->localPort());
    EXPECT_NE(first->localPort(), second->localPort());
}

TEST_F(TSockEndpoints, AListenerTellsWhetherAConnectionIsWaiting) {
    zb::TSock quiet; // no OnAccept: nothing is taken in behind the test's back
    quiet.setPortName(QStringLiteral("0"));
    quiet.setListen(true);
    EXPECT_FALSE(quiet.connectionWaiting());
    zb::TSock client;
    client.setHostName(QStringLiteral("127.0.0.1"));
    client.setPortName(QString::number(quiet.localPort()));
    client.open();
    ASSERT_TRUE(waitFor([&] { return quiet.connectionWaiting(); }));
    zb::TSock* accepted = nullptr;
    ASSERT_TRUE(quiet.accept(accepted));
    EXPECT_FALSE(quiet.connectionWaiting());
    EXPECT_FALSE(client.connectionWaiting()) << "only a listener has connections waiting";
    delete accepted;
}

} // namespace
