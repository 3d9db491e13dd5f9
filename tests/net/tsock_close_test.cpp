// Ending connections: orderly close by the peer, reset, closing by the owner, deletion from
// inside callbacks, and the keepalive that detects vanished peers.

#include "tsock_fixture.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <stdexcept>
#include <sys/socket.h>

using zb::TSock;
using zb::TSocketInfo;
using zbtest::raisedText;
using zbtest::waitFor;

namespace {

class TSockClose : public zbtest::SockFixture {
protected:
    // The accepted end of a fresh connection, with OnDisconnect noted in the log.
    TSock* connectedServer(TSock& client, bool closeInOnDisconnect) {
        listener->OnDisconnect = [this, closeInOnDisconnect](TSock* s) {
            log.note(s, "OnDisconnect");
            if (closeInOnDisconnect)
                s->close();
        };
        return connectClient(client);
    }
};

TEST_F(TSockClose, OrderlyCloseByThePeerReportsSocketClosedOnce) {
    startListener();
    auto client = makeClient();
    TSock* server = connectedServer(*client, false);
    ASSERT_NE(server, nullptr);
    const auto before = log.texts(server).size();
    client->close();
    ASSERT_TRUE(waitFor([&] { return log.has(server, "Socket Closed"); }));
    zbtest::pump(std::chrono::milliseconds(30));
    EXPECT_EQ(log.texts(server).mid(before), (QStringList{"[OnDisconnect]", "Socket Closed"}));
    EXPECT_FALSE(server->hasSocket());
    EXPECT_FALSE(server->connected());
    const auto closed = std::find_if(log.entries().rbegin(), log.entries().rend(),
                                     [&](const auto& e) { return e.sock == server; });
    EXPECT_EQ(closed->kind, TSocketInfo::siClose);
}

TEST_F(TSockClose, OrderlyCloseReportsTwiceWhenOnDisconnectCloses) {
    startListener();
    auto client = makeClient();
    TSock* server = connectedServer(*client, true);
    ASSERT_NE(server, nullptr);
    const auto before = log.texts(server).size();
    client->close();
    ASSERT_TRUE(waitFor([&] { return log.count(server, "Socket Closed") == 2; }));
    zbtest::pump(std::chrono::milliseconds(30));
    EXPECT_EQ(log.texts(server).mid(before),
              (QStringList{"[OnDisconnect]", "Socket Closed", "Socket Closed"}));
}

TEST_F(TSockClose, ResetIsAnErrorReportFollowedBySocketClosed) {
    startListener();
    auto client = makeClient();
    TSock* server = connectedServer(*client, true);
    ASSERT_NE(server, nullptr);
    const linger abort{1, 0};
    ASSERT_EQ(setsockopt(client->handle(), SOL_SOCKET, SO_LINGER, &abort, sizeof abort), 0);
    const auto before = log.texts(server).size();
    client->close();
    ASSERT_TRUE(waitFor([&] { return log.has(server, "Socket Closed"); }));
    zbtest::pump(std::chrono::milliseconds(30));
    EXPECT_EQ(log.texts(server).mid(before),
              (QStringList{"Error #10054 (WSAECONNRESET)", "Socket Closed"}));
    EXPECT_FALSE(server->hasSocket());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(TSockClose, ResetStillClosesWhenTheErrorReportRaises) {
    startListener();
    auto client = makeClient();
    TSock* server = connectClient(*client);
    ASSERT_NE(server, nullptr);
    server->OnInfo = [this](TSock* s, TSocketInfo kind, const QString& text) {
        log.handler()(s, kind, text);
        if (kind == TSocketInfo::siError)
            throw std::runtime_error("owner failed");
    };
    const linger abort{1, 0};
    setsockopt(client->handle(), SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    client->close();
    ASSERT_TRUE(waitFor([&] { return log.has(server, "Socket Closed"); }));
    EXPECT_EQ(errors, QStringList{"Error here"});
    EXPECT_FALSE(server->hasSocket());
}

TEST_F(TSockClose, CloseReportsEveryTimeAndTellsWhetherASocketWasClosed) {
    startListener();
    auto client = makeClient();
    connectClient(*client);
    EXPECT_TRUE(client->close());
    EXPECT_FALSE(client->close());
    EXPECT_EQ(log.count(client.get(), "Socket Closed"), 2);
    TSock idle;
    idle.OnInfo = log.handler();
    EXPECT_FALSE(idle.close());
    EXPECT_EQ(log.texts(&idle), QStringList{"Socket Closed"});
}

TEST_F(TSockClose, NothingRaisedLeavesClose) {
    startListener();
    auto client = makeClient();
    connectClient(*client);
    client->OnInfo = [](TSock*, TSocketInfo, const QString&) { throw std::runtime_error("x"); };
    bool closed = false;
    EXPECT_EQ(raisedText([&] { closed = client->close(); }), "");
    EXPECT_TRUE(closed);
    EXPECT_FALSE(client->hasSocket());
}

TEST_F(TSockClose, ARaisingOnDisconnectStillEndsTheConnectionOnce) {
    startListener();
    auto client = makeClient();
    TSock* server = connectClient(*client);
    ASSERT_NE(server, nullptr);
    int disconnects = 0;
    server->OnDisconnect = [&](TSock*) {
        ++disconnects;
        throw std::runtime_error("disconnect handler failed");
    };
    client->close();
    ASSERT_TRUE(waitFor([&] { return log.has(server, "Socket Closed"); }));
    zbtest::pump(std::chrono::milliseconds(50));
    EXPECT_EQ(disconnects, 1);
    EXPECT_EQ(log.count(server, "Socket Closed"), 1);
    EXPECT_EQ(errors, QStringList{"disconnect handler failed"});
}

TEST_F(TSockClose, OwnerMayDeleteLaterFromTheClosedReport) {
    startListener();
    auto client = makeClient();
    TSock* server = connectedServer(*client, true);
    ASSERT_NE(server, nullptr);
    QPointer<TSock> watched(server);
    server->OnInfo = [this](TSock* s, TSocketInfo kind, const QString& text) {
        log.handler()(s, kind, text);
        if (text == "Socket Closed")
            s->deleteLater();
    };
    client->close();
    ASSERT_TRUE(waitFor([&] { return watched.isNull(); }));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(TSockClose, OwnerMayDeleteDirectlyFromOnDisconnect) {
    startListener();
    auto client = makeClient();
    TSock* server = connectClient(*client);
    ASSERT_NE(server, nullptr);
    QPointer<TSock> watched(server);
    server->OnDisconnect = [this](TSock* s) {
        log.note(s, "OnDisconnect");
        delete s;
    };
    client->close();
    ASSERT_TRUE(waitFor([&] { return watched.isNull(); }));
    zbtest::pump(std::chrono::milliseconds(20));
    EXPECT_EQ(log.texts(server).last(), "[OnDisconnect]") << "a deleted socket reports nothing";
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(TSockClose, OwnerMayDeleteDirectlyFromOnRead) {
    startListener();
    auto client = makeClient();
    TSock* server = connectClient(*client);
    ASSERT_NE(server, nullptr);
    QPointer<TSock> watched(server);
    server->OnRead = [](TSock* s, int) { delete s; };
    int disconnects = 0;
    client->OnDisconnect = [&](TSock*) { ++disconnects; };
    client->send("bye");
    ASSERT_TRUE(waitFor([&] { return watched.isNull(); }));
    EXPECT_TRUE(waitFor([&] { return disconnects == 1; }));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(TSockClose, OwnerMayCloseFromOnReadWhileMoreIsWaiting) {
    startListener();
    auto client = makeClient();
    TSock* server = connectClient(*client);
    ASSERT_NE(server, nullptr);
    int reads = 0;
    server->OnRead = [&](TSock* s, int) {
        ++reads;
        s->close();
    };
    client->send(QByteArray(100000, 'x'));
    ASSERT_TRUE(waitFor([&] { return !server->hasSocket(); }));
    zbtest::pump(std::chrono::milliseconds(30));
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(log.count(server, "Socket Closed"), 1);
}

TEST_F(TSockClose, DestroyingAConnectedSocketIsSilentAndEndsTheConnection) {
    startListener();
    auto client = makeClient();
    TSock* server = connectClient(*client);
    ASSERT_NE(server, nullptr);
    int disconnects = 0;
    server->OnDisconnect = [&](TSock*) { ++disconnects; };
    const auto reports = log.texts(client.get()).size();
    const TSock* gone = client.get();
    client.reset();
    EXPECT_EQ(log.texts(gone).size(), reports);
    EXPECT_TRUE(waitFor([&] { return disconnects == 1; }));
}

TEST_F(TSockClose, KeepAliveIsSwitchedOnWithItsTimings) {
    startListener();
    auto client = makeClient();
    TSock* server = connectClient(*client);
    ASSERT_NE(server, nullptr);
    server->setKeepAlive(60, 10, 6);
    const auto option = [&](int level, int name) {
        int value = -1;
        socklen_t length = sizeof value;
        EXPECT_EQ(getsockopt(server->handle(), level, name, &value, &length), 0);
        return value;
    };
    EXPECT_EQ(option(SOL_SOCKET, SO_KEEPALIVE), 1);
    EXPECT_EQ(option(IPPROTO_TCP, TCP_KEEPIDLE), 60);
    EXPECT_EQ(option(IPPROTO_TCP, TCP_KEEPINTVL), 10);
    EXPECT_EQ(option(IPPROTO_TCP, TCP_KEEPCNT), 6);

    TSock idle;
    idle.setKeepAlive(60, 10, 6); // no socket: nothing to do, nothing raised
    EXPECT_FALSE(idle.hasSocket());
}

} // namespace
