#pragma once
// Shared ground for the socket tests: a log of every info report, and a fixture with a listener on
// an ephemeral loopback port that accepts every connection and hands the test both ends.

#include "net/guard.h"
#include "net/tsock.h"
#include "support/ports.h"
#include "support/wait.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace zbtest {

struct InfoEntry {
    const zb::TSock* sock;
    zb::TSocketInfo kind;
    QString text;
};

class InfoLog {
public:
    zb::TSock::InfoEvent handler() {
        return [this](zb::TSock* sock, zb::TSocketInfo kind, const QString& text) {
            entries_.push_back({sock, kind, text});
        };
    }
    QStringList texts(const zb::TSock* sock) const {
        QStringList out;
        for (const auto& e : entries_) {
            if (e.sock == sock)
                out << e.text;
        }
        return out;
    }
    int count(const zb::TSock* sock, const QString& text) const {
        return static_cast<int>(texts(sock).count(text));
    }
    bool has(const zb::TSock* sock, const QString& text) const { return count(sock, text) > 0; }
    const std::vector<InfoEntry>& entries() const { return entries_; }
    // Records a callback among the reports, as "[name]", so tests can check their order.
    void note(const zb::TSock* sock, const char* callback) {
        entries_.push_back({sock, zb::TSocketInfo::siLookup, QStringLiteral("[%1]").arg(callback)});
    }

private:
    std::vector<InfoEntry> entries_;
};

class SockFixture : public ::testing::Test {
protected:
    void SetUp() override {
        previousReporter_ = zb::setErrorReporter([this](const QString& text) { errors << text; });
    }
    void TearDown() override { zb::setErrorReporter(previousReporter_); }

    // Listens on an ephemeral port; every waiting connection is accepted into `accepted`.
    void startListener() {
        listener = std::make_unique<zb::TSock>();
        listener->setPortName(QStringLiteral("0"));
        listener->OnInfo = log.handler();
        listener->OnAccept = [this](zb::TSock* sender) {
            zb::TSock* sock = nullptr;
            if (sender->accept(sock))
                accepted << QPointer<zb::TSock>(sock);
        };
        listener->setListen(true);
        ASSERT_TRUE(listener->listening());
        ASSERT_NE(listener->localPort(), 0);
    }

    QString portText() const { return QString::number(listener->localPort()); }

    // A client socket aimed at the listener, not yet opened.
    std::unique_ptr<zb::TSock> makeClient() {
        auto client = std::make_unique<zb::TSock>();
        client->setHostName(QStringLiteral("127.0.0.1"));
        client->setPortName(portText());
        client->OnInfo = log.handler();
        return client;
    }

    // Opens a client and waits until both ends are connected; returns the accepted end.
    zb::TSock* connectClient(zb::TSock& client) {
        const auto before = accepted.size();
        client.open();
        const bool ok = waitFor([&] { return client.connected() && accepted.size() > before; });
        EXPECT_TRUE(ok) << "connection was not established";
        return ok ? accepted.back().data() : nullptr;
    }

    // A port nobody listens on, held bound for the life of the test process so that no test
    // running beside this one can take it.
    static QString freePort() { return zbtest::refusingPort(); }

    InfoLog log;
    QStringList errors;
    std::unique_ptr<zb::TSock> listener;
    QList<QPointer<zb::TSock>> accepted;

private:
    zb::ErrorReporter previousReporter_;
};

// Runs body and returns the text of the ESockException it raised ("" if none).
template <class F> QString raisedText(F&& body) {
    try {
        body();
    } catch (const zb::ESockException& e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}

} // namespace zbtest
