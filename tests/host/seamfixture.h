#pragma once
// A host driven through its socketless seam: connections attached by hand, bytes fed to them,
// one dispatcher tick at a time, and every message the host sends recorded with its slot. Both
// reports are collected: the general error report and the quiet channel for peers' input.

#include "host/tserver.h"
#include "net/guard.h"
#include "net/peerreports.h"
#include "rules/random.h"

#include <QList>
#include <QStringList>
#include <gtest/gtest.h>
#include <utility>

namespace hosttest {

inline QByteArray T(const QByteArray& text) {
    return text + '\xFF';
}

class SeamTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = zb::setErrorReporter([this](const QString& t) { errors.append(t); });
        previousPeer_ = zb::setPeerReporter([this](const QString& t) { peerReports.append(t); });
        server.setOutputTap([this](int slot, const QByteArray& m) { sent.append({slot, m}); });
    }
    void TearDown() override {
        zb::setErrorReporter(std::move(previous_));
        zb::setPeerReporter(std::move(previousPeer_));
    }
    void drain() {
        while (server.dispatchOne()) {
        }
    }
    // A connection that has logged in with a name; its slot.
    int join(const QByteArray& name) {
        const int slot = server.attachLocal();
        const QByteArray s = QByteArray::number(slot);
        server.feed(slot, T("CMD_logininfo+" + s + "+1.0.4+" + name) + '\xFF');
        drain();
        return slot;
    }
    // What slot has been sent, from the mark on.
    QList<QByteArray> to(int slot, qsizetype mark = 0) const {
        QList<QByteArray> out;
        for (qsizetype i = mark; i < sent.size(); ++i) {
            if (sent[i].first == slot)
                out.append(sent[i].second);
        }
        return out;
    }
    qsizetype mark() const { return sent.size(); }

    zb::rules::Random random{5};
    zb::TServer server{[] { return 1; }, random};
    QList<std::pair<int, QByteArray>> sent;
    QStringList errors;
    QStringList peerReports;

private:
    zb::ErrorReporter previous_;
    zb::ErrorReporter previousPeer_;
};

} // namespace hosttest
