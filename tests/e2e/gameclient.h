#pragma once
// A table-like client of a game started for an end-to-end test, and waiting for the fixed ports.

#include "support/wait.h"

#include "net/tsock.h"

#include <QByteArray>
#include <QRegularExpression>
#include <memory>

namespace zbtest {

using namespace std::chrono_literals;
using zb::TSock;

// A table-like client of the game's own host.
struct Client {
    std::unique_ptr<TSock> sock;
    QByteArray received;

    void send(const QByteArray& bytes) { sock->send(bytes); }

    // Whether the host has announced a player of this name in some slot (before or after our
    // own login, depending on who connected first).
    bool announced(const QByteArray& name) const {
        static const QRegularExpression re(
            QStringLiteral("CMD_(existingplayers|newplayerinfo)\\+\\d\\+([^\\x{FF}]*)\\x{FF}"));
        for (const auto& m : re.globalMatch(QString::fromLatin1(received)))
            if (m.captured(2).toLatin1() == name)
                return true;
        return false;
    }

    // Waits for the host's slot offer and logs in under that slot.
    bool login(const QByteArray& name) {
        const QByteArray offer = "CMD_sendlogininfo+";
        if (!waitFor([&] { return received.contains(offer) && received.contains('\xFF'); }, 15s))
            return false;
        const qsizetype from = received.indexOf(offer) + offer.size();
        const QByteArray slot = received.mid(from, received.indexOf('\xFF', from) - from);
        send("CMD_logininfo+" + slot + "+1.0.4+" + name + "\xFF\xFF");
        return true;
    }

    // The game opens its listener shortly after it starts: retry until a connect succeeds.
    bool connectWhenListening() {
        return waitFor(
            [&] {
                sock = std::make_unique<TSock>();
                sock->setHostName("127.0.0.1");
                sock->setPortName("7772");
                sock->OnRead = [this](TSock* s, int) { received += s->receive(); };
                bool failed = false;
                sock->OnInfo = [&failed](TSock*, zb::TSocketInfo kind, const QString&) {
                    failed = failed || kind == zb::TSocketInfo::siError;
                };
                sock->open();
                waitFor([&] { return sock->connected() || failed; }, 2s);
                sock->OnInfo = nullptr;
                return sock->connected();
            },
            15s);
    }
};

inline bool waitForPortFree(const QString& port) {
    return waitFor(
        [&] {
            TSock probe;
            probe.setPortName(port);
            try {
                probe.setListen(true);
                return true;
            } catch (const zb::ESockException&) {
                return false;
            }
        },
        15s);
}

} // namespace zbtest
