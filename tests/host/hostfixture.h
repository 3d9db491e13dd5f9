#pragma once
// A host on an ephemeral loopback port with a fixed seed and a short bot speed, the errors it
// reports, and the clients a test connects to it.

#include "host/tserver.h"
#include "net/guard.h"
#include "net/peerreports.h"
#include "rules/random.h"
#include "testclient.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace hosttest {

constexpr std::uint32_t kSeed = 20240611;

class HostFixture : public ::testing::Test {
protected:
    void SetUp() override {
        previousReporter_ = zb::setErrorReporter([this](const QString& t) { errors.append(t); });
        previousPeerReporter_ =
            zb::setPeerReporter([this](const QString& t) { peerReports.append(t); });
        server = std::make_unique<zb::TServer>([this] { return botSpeed; }, random);
        server->setPortName(QStringLiteral("0"));
        server->setListening(true);
        port = server->port();
        ASSERT_NE(port, 0);
    }
    void TearDown() override {
        clients.clear();
        server.reset();
        zb::setErrorReporter(std::move(previousReporter_));
        zb::setPeerReporter(std::move(previousPeerReporter_));
    }

    // A connection that has its slot (or was refused).
    TestClient& connect() {
        clients.push_back(std::make_unique<TestClient>(port));
        TestClient& c = *clients.back();
        c.waitSlot();
        return c;
    }
    // A connection that has logged in with a name.
    TestClient& join(const QByteArray& name) {
        TestClient& c = connect();
        EXPECT_TRUE(c.login(name)) << name.constData();
        return c;
    }
    // Waits until the host's dispatcher has handled everything queued so far.
    bool drained() {
        return zbtest::waitFor([this] { return server->queuedMessages() == 0; });
    }

    int botSpeed = 2;
    zb::rules::Random random{kSeed};
    std::unique_ptr<zb::TServer> server;
    quint16 port = 0;
    std::vector<std::unique_ptr<TestClient>> clients;
    QStringList errors;      // the general error report: the host's own failures
    QStringList peerReports; // the quiet channel: what peers sent that could not be handled

private:
    zb::ErrorReporter previousReporter_;
    zb::ErrorReporter previousPeerReporter_;
};

} // namespace hosttest
