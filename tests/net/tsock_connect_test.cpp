// Opening a connection: name lookups and their reports, completion, refusal, and the settings
// that react to a connected socket.

#include "net/hostcache.h"
#include "tsock_fixture.h"

#include <QFile>
#include <stdexcept>

using zb::TSock;
using zb::TSocketInfo;
using zbtest::raisedText;
using zbtest::waitFor;

namespace {

class TSockConnect : public zbtest::SockFixture {};

TEST_F(TSockConnect, OpenLooksUpPortThenHostAndConnectsLater) {
    startListener();
    auto client = makeClient();
    int connects = 0;
    client->OnConnect = [&](TSock*) { ++connects; };

    EXPECT_FALSE(client->open());
    EXPECT_EQ(log.texts(client.get()),
              (QStringList{"Lookup Of Port " + portText(), "Lookup Of Host 127.0.0.1"}));
    EXPECT_FALSE(client->connected());
    EXPECT_TRUE(client->hasSocket());

    ASSERT_TRUE(waitFor([&] { return connects == 1; }));
    EXPECT_TRUE(client->connected());
    const auto texts = log.texts(client.get());
    ASSERT_GE(texts.size(), 3);
    EXPECT_EQ(texts[2], "Non-Blocking Socket Connected");
    const auto& entries = log.entries();
    const auto connected = std::find_if(entries.begin(), entries.end(), [&](const auto& e) {
        return e.sock == client.get() && e.text == "Non-Blocking Socket Connected";
    });
    EXPECT_EQ(connected->kind, TSocketInfo::siConnect);
    for (const auto& e : entries) {
        if (e.sock == client.get() && e.text.startsWith("Lookup Of")) {
            EXPECT_EQ(e.kind, TSocketInfo::siLookup) << e.text.toStdString();
        }
    }
}

TEST_F(TSockConnect, OpenOnAnExistingSocketOnlyReturnsTheConnectedFlag) {
    startListener();
    auto client = makeClient();
    EXPECT_FALSE(client->open());
    const auto reportsWhileConnecting = log.texts(client.get()).size();
    EXPECT_FALSE(client->open());
    EXPECT_EQ(log.texts(client.get()).size(), reportsWhileConnecting);

    ASSERT_TRUE(waitFor([&] { return client->connected(); }));
    const auto reportsConnected = log.texts(client.get()).size();
    EXPECT_TRUE(client->open());
    EXPECT_EQ(log.texts(client.get()).size(), reportsConnected);
}

TEST_F(TSockConnect, RefusedConnectIsAnErrorReportAndNothingElse) {
    auto client = std::make_unique<TSock>();
    client->setHostName("127.0.0.1");
    client->setPortName(freePort());
    client->OnInfo = log.handler();
    int connects = 0;
    int disconnects = 0;
    client->OnConnect = [&](TSock*) { ++connects; };
    client->OnDisconnect = [&](TSock*) { ++disconnects; };

    EXPECT_FALSE(client->open());
    ASSERT_TRUE(waitFor([&] { return log.has(client.get(), "Error #10061 (WSAECONNREFUSED)"); }));
    EXPECT_EQ(log.entries().back().kind, TSocketInfo::siError);

    // The failed socket must stay quiet: no close report (the table window would shut), no
    // retries, no spinning.
    const auto reports = log.entries().size();
    zbtest::pump(std::chrono::milliseconds(60));
    EXPECT_EQ(log.entries().size(), reports);
    EXPECT_EQ(connects, 0);
    EXPECT_EQ(disconnects, 0);
    EXPECT_FALSE(log.has(client.get(), "Socket Closed"));
    EXPECT_FALSE(client->connected());
    EXPECT_TRUE(client->hasSocket());
    EXPECT_TRUE(errors.isEmpty());

    EXPECT_TRUE(client->close());
    EXPECT_EQ(log.count(client.get(), "Socket Closed"), 1);
}

TEST_F(TSockConnect, UnknownServiceNameRaises) {
    TSock client;
    client.OnInfo = log.handler();
    client.setHostName("127.0.0.1");
    client.setPortName("no-such-service-zb");
    EXPECT_EQ(raisedText([&] { client.open(); }), "Port Lookup - Could Not Find Service Entry");
    EXPECT_EQ(log.texts(&client), QStringList{"Lookup Of Port no-such-service-zb"});
    EXPECT_FALSE(client.hasSocket()) << "a failed lookup leaves nothing half open";
}

TEST_F(TSockConnect, ServiceNameIsLookedUpForTcp) {
    if (!QFile::exists("/etc/services"))
        GTEST_SKIP() << "no /etc/services on this machine";
    TSock client;
    client.OnInfo = log.handler();
    client.setHostName("127.0.0.1");
    client.setPortName("http");
    EXPECT_EQ(raisedText([&] { client.open(); }), "");
    EXPECT_TRUE(client.hasSocket());
    EXPECT_EQ(log.texts(&client).mid(0, 2),
              (QStringList{"Lookup Of Port http", "Lookup Of Host 127.0.0.1"}));
}

TEST_F(TSockConnect, UnresolvableHostRaises) {
    TSock client;
    client.OnInfo = log.handler();
    client.setHostName("no-such-host.invalid");
    client.setPortName("7772");
    EXPECT_EQ(raisedText([&] { client.open(); }), "Host Lookup - Could Not Find Host Entry");
    EXPECT_EQ(log.texts(&client),
              (QStringList{"Lookup Of Port 7772", "Lookup Of Host no-such-host.invalid"}));
    EXPECT_FALSE(client.hasSocket());
}

TEST_F(TSockConnect, MalformedDottedAddressRaises) {
    TSock client;
    client.setHostName("300.1.2.3");
    client.setPortName("7772");
    EXPECT_EQ(raisedText([&] { client.open(); }), "Host Lookup - Could Not Find Host Entry");
}

TEST_F(TSockConnect, HostNameIsResolvedAndCached) {
    startListener();
    TSock::clearHostCache();
    auto client = makeClient();
    client->setHostName("LocalHost");
    connectClient(*client);
    EXPECT_TRUE(log.has(client.get(), "Lookup Of Host LocalHost"));
    EXPECT_TRUE(zb::HostCache::find("localhost"));
    TSock::clearHostCache();
    EXPECT_FALSE(zb::HostCache::find("localhost"));
}

TEST_F(TSockConnect, AClosedSocketCanBeOpenedAgain) {
    startListener();
    auto client = makeClient();
    connectClient(*client);
    EXPECT_TRUE(client->close());
    EXPECT_FALSE(client->connected());
    EXPECT_FALSE(client->hasSocket());
    TSock* second = connectClient(*client);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(accepted.size(), 2);
    client->send("again");
    ASSERT_TRUE(waitFor([&] { return second->pendingReceiveBytes() == 5; }));
}

TEST_F(TSockConnect, SettingNamesWhileConnectedIsReportedAndStored) {
    startListener();
    auto client = makeClient();
    client->setHostName("127.0.0.1");
    client->setPortName(portText());
    EXPECT_TRUE(log.texts(client.get()).isEmpty()) << "nothing to report before connecting";
    connectClient(*client);

    const auto before = log.texts(client.get()).size();
    client->setHostName("elsewhere");
    client->setPortName("7772");
    EXPECT_EQ(log.texts(client.get()).mid(before),
              (QStringList{"Setting HostName While Connected Has No Effect",
                           "Setting PortName While Connected Has No Effect"}));
    EXPECT_EQ(client->hostName(), "elsewhere");
    EXPECT_EQ(client->portName(), "7772");
    EXPECT_EQ(log.entries().back().kind, TSocketInfo::siLookup);
}

TEST_F(TSockConnect, SocketTypeIsFixedWhileASocketExists) {
    startListener();
    EXPECT_EQ(raisedText([&] { listener->setSocketType(zb::TSocketType::stDatagram); }),
              "SocketType - Can't Assign Socket Type While Listening");
    auto client = makeClient();
    connectClient(*client);
    EXPECT_EQ(raisedText([&] { client->setSocketType(zb::TSocketType::stDatagram); }),
              "SocketType - Can't Assign Socket Type While Connected");
    client->close();
    EXPECT_EQ(raisedText([&] { client->setSocketType(zb::TSocketType::stDatagram); }), "");
    EXPECT_EQ(client->socketType(), zb::TSocketType::stDatagram);
}

TEST_F(TSockConnect, DefaultsAreThoseTheGameUses) {
    TSock sock;
    EXPECT_EQ(sock.socketType(), zb::TSocketType::stStream);
    EXPECT_FALSE(sock.blocking());
    EXPECT_FALSE(sock.autoAccept());
    EXPECT_FALSE(sock.listening());
    EXPECT_EQ(sock.lineBreak(), zb::TLineBreak::lbSmart);
    EXPECT_EQ(sock.blockingTimeout(), 0);
    EXPECT_FALSE(sock.hasSocket());
    EXPECT_EQ(sock.localPort(), 0);
}

TEST_F(TSockConnect, RaisingOnInfoBecomesErrorHere) {
    TSock client;
    client.OnInfo = [](TSock*, TSocketInfo, const QString&) { throw std::runtime_error("boom"); };
    client.setHostName("127.0.0.1");
    client.setPortName("7772");
    EXPECT_EQ(raisedText([&] { client.open(); }), "Error here");
}

TEST_F(TSockConnect, RaisingOnConnectIsReportedAndQueuedBytesStillLeave) {
    startListener();
    auto client = makeClient();
    client->OnConnect = [](TSock*) { throw zb::ESockException("connect handler failed"); };
    client->open();
    client->send("queued");
    ASSERT_TRUE(waitFor([&] {
        return !accepted.isEmpty() && accepted.back() &&
               accepted.back()->pendingReceiveBytes() == 6;
    }));
    EXPECT_EQ(errors, QStringList{"connect handler failed"});
    EXPECT_EQ(accepted.back()->receive(), "queued");
}

} // namespace
