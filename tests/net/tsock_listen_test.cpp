// Listening and accepting: start, stop, a port already taken, the reports on the listener, and
// what an accepted connection inherits from it.

#include "tsock_fixture.h"

#include <stdexcept>

using zb::TSock;
using zb::TSocketInfo;
using zbtest::raisedText;
using zbtest::waitFor;

namespace {

class TSockListen : public zbtest::SockFixture {};

TEST_F(TSockListen, ListeningTwiceReportsAlreadyRunning) {
    startListener();
    listener->setListen(true);
    EXPECT_EQ(log.texts(listener.get()),
              (QStringList{"Lookup Of Port 0", "Listening Started", "Listening Already Running"}));
    EXPECT_EQ(log.entries()[1].kind, TSocketInfo::siListen);
    EXPECT_EQ(log.entries()[2].kind, TSocketInfo::siListen);
    EXPECT_TRUE(listener->listening());
}

TEST_F(TSockListen, PortTakenByAnotherListenerFailsToBind) {
    startListener();
    TSock second;
    second.OnInfo = log.handler();
    second.setPortName(portText());
    EXPECT_EQ(raisedText([&] { second.setListen(true); }), "Listen - Error Binding Socket");
    EXPECT_FALSE(second.listening());
    EXPECT_FALSE(log.has(&second, "Listening Started"));
    // The socket of the failed attempt stays until closed.
    EXPECT_EQ(raisedText([&] { second.setListen(true); }), "Listen - Socket Already In Use");
    second.close();
    EXPECT_EQ(raisedText([&] { second.setListen(true); }), "Listen - Error Binding Socket");
}

TEST_F(TSockListen, PortFreedByAStoppedListenerCanBeTakenAgain) {
    startListener();
    const QString port = portText();
    auto client = makeClient();
    connectClient(*client);
    listener->setListen(false);
    TSock again;
    again.setPortName(port);
    EXPECT_EQ(raisedText([&] { again.setListen(true); }), "");
    EXPECT_TRUE(again.listening());
}

TEST_F(TSockListen, ListenOnAClientSocketRaises) {
    startListener();
    auto client = makeClient();
    client->open();
    EXPECT_EQ(raisedText([&] { client->setListen(true); }), "Listen - Socket Already In Use");
}

TEST_F(TSockListen, DatagramSocketsCannotListen) {
    TSock sock;
    sock.setSocketType(zb::TSocketType::stDatagram);
    sock.setPortName("0");
    EXPECT_EQ(raisedText([&] { sock.setListen(true); }),
              "Listen - Cannot Listen On A Datagram Socket");
    EXPECT_FALSE(sock.hasSocket());
}

TEST_F(TSockListen, StoppingReportsListeningStoppedButNoSocketClosed) {
    startListener();
    const QString port = portText();
    listener->setListen(false);
    EXPECT_FALSE(listener->listening());
    EXPECT_FALSE(listener->hasSocket());
    EXPECT_EQ(log.texts(listener.get()).last(), "Listening Stopped");
    EXPECT_FALSE(log.has(listener.get(), "Socket Closed"));

    TSock client;
    client.OnInfo = log.handler();
    client.setHostName("127.0.0.1");
    client.setPortName(port);
    client.open();
    EXPECT_TRUE(waitFor([&] { return log.has(&client, "Error #10061 (WSAECONNREFUSED)"); }));
}

TEST_F(TSockListen, ClosingAListenerReportsNoSocketClosed) {
    startListener();
    EXPECT_TRUE(listener->close());
    EXPECT_FALSE(listener->listening());
    EXPECT_FALSE(log.has(listener.get(), "Socket Closed"));
}

TEST_F(TSockListen, ListenerRefusesDataOperations) {
    startListener();
    EXPECT_EQ(raisedText([&] { listener->send("x"); }), "Send - Cannot Send On A Listener Socket");
    EXPECT_EQ(raisedText([&] { listener->receive(); }),
              "Receive - Cannot Receive On A Listener Socket");
    EXPECT_EQ(raisedText([&] { listener->receive(3); }),
              "Receive - Cannot Receive On A Listener Socket");
}

TEST_F(TSockListen, AcceptNeedsAListener) {
    TSock sock;
    TSock* fresh = nullptr;
    EXPECT_EQ(raisedText([&] { sock.accept(fresh); }), "Accept - Socket Not In Listening Mode");
    EXPECT_EQ(fresh, nullptr);
}

TEST_F(TSockListen, AcceptWithNothingWaitingReportsFailure) {
    startListener();
    TSock* fresh = nullptr;
    EXPECT_FALSE(listener->accept(fresh));
    EXPECT_EQ(fresh, nullptr);
    EXPECT_EQ(log.texts(listener.get()).last(), "Could Not Accept Connection");
    EXPECT_EQ(log.entries().back().kind, TSocketInfo::siAccept);
}

TEST_F(TSockListen, AcceptedSocketInheritsHandlersAndIsConnected) {
    startListener();
    int reads = 0;
    int writes = 0;
    int disconnects = 0;
    listener->OnRead = [&](TSock*, int) { ++reads; };
    listener->OnWrite = [&](TSock*) { ++writes; };
    listener->OnDisconnect = [&](TSock*) { ++disconnects; };
    listener->OnConnect = [](TSock*) {};
    listener->setBlockingTimeout(1234);
    listener->setTag(7);

    auto client = makeClient();
    TSock* server = connectClient(*client);
    ASSERT_NE(server, nullptr);
    EXPECT_EQ(server->parent(), listener.get());
    EXPECT_TRUE(server->connected());
    EXPECT_FALSE(server->listening());
    EXPECT_EQ(server->hostName(), "127.0.0.1");
    EXPECT_EQ(server->portName(), "0");
    EXPECT_EQ(listener->peerAddress(), "127.0.0.1");
    EXPECT_EQ(server->blockingTimeout(), 1234);
    EXPECT_EQ(server->tag(), 0);
    EXPECT_TRUE(server->OnRead && server->OnWrite && server->OnDisconnect && server->OnInfo);
    EXPECT_FALSE(server->OnConnect);
    EXPECT_FALSE(server->OnAccept);

    // The accepted socket's reports went to the copied OnInfo, then the listener reported.
    QStringList sequence;
    for (const auto& e : log.entries()) {
        if (e.sock == server || (e.sock == listener.get() && e.kind == TSocketInfo::siAccept))
            sequence << e.text;
    }
    EXPECT_EQ(sequence, (QStringList{"Setting PortName While Connected Has No Effect",
                                     "Setting HostName While Connected Has No Effect",
                                     "Created New TSock Structure"}));

    client->send("hi");
    ASSERT_TRUE(waitFor([&] { return reads == 1; }));
    client->close();
    ASSERT_TRUE(waitFor([&] { return disconnects == 1; }));
}

TEST_F(TSockListen, NextConnectionIsAnnouncedOnlyAfterAccept) {
    startListener();
    int announced = 0;
    listener->OnAccept = [&](TSock*) { ++announced; };
    auto first = makeClient();
    first->open();
    ASSERT_TRUE(waitFor([&] { return announced == 1; }));
    zbtest::pump(std::chrono::milliseconds(50));
    EXPECT_EQ(announced, 1) << "an unaccepted connection must not be announced over and over";

    TSock* server = nullptr;
    ASSERT_TRUE(listener->accept(server));
    auto second = makeClient();
    second->open();
    ASSERT_TRUE(waitFor([&] { return announced == 2; }));
}

TEST_F(TSockListen, BurstOfConnectionsIsAcceptedOneByOne) {
    startListener();
    // Six fit the backlog of five (the kernel queues one more); beyond that a connect waits for
    // its SYN to be sent again, a second later.
    constexpr int kClients = 6;
    std::vector<std::unique_ptr<TSock>> clients;
    for (int i = 0; i < kClients; ++i) {
        clients.push_back(makeClient());
        clients.back()->open();
    }
    ASSERT_TRUE(waitFor([&] { return accepted.size() == kClients; }));
    ASSERT_TRUE(waitFor([&] {
        return std::all_of(clients.begin(), clients.end(),
                           [](const auto& c) { return c->connected(); });
    }));
    EXPECT_EQ(log.count(listener.get(), "Created New TSock Structure"), kClients);
}

TEST_F(TSockListen, AutoAcceptHandsOverTheNewSocket) {
    startListener();
    listener->setAutoAccept(true);
    TSock* handed = nullptr;
    listener->OnAutoAccept = [&](TSock* sender, TSock* fresh) {
        EXPECT_EQ(sender, listener.get());
        handed = fresh;
    };
    auto client = makeClient();
    client->open();
    ASSERT_TRUE(waitFor([&] { return handed != nullptr; }));
    EXPECT_TRUE(handed->connected());
    EXPECT_TRUE(accepted.isEmpty()) << "OnAccept is not used with AutoAccept";
}

TEST_F(TSockListen, DestroyingTheListenerEndsAcceptedConnections) {
    startListener();
    auto client = makeClient();
    int disconnects = 0;
    client->OnDisconnect = [&](TSock*) { ++disconnects; };
    connectClient(*client);
    listener.reset();
    EXPECT_TRUE(waitFor([&] { return disconnects == 1; }));
    EXPECT_TRUE(accepted.back().isNull());
}

TEST_F(TSockListen, RaisingOnAcceptGoesToTheErrorReport) {
    startListener();
    listener->OnAccept = [](TSock*) { throw std::runtime_error("accept handler failed"); };
    auto client = makeClient();
    client->open();
    ASSERT_TRUE(waitFor([&] { return !errors.isEmpty(); }));
    EXPECT_EQ(errors, QStringList{"accept handler failed"});
}

} // namespace
