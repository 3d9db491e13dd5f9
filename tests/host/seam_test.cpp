// The host's socketless seam, which the fuzzer drives: the same admission, framing, queueing,
// dispatching and departures as real connections.

#include "host/tserver.h"
#include "net/guard.h"
#include "rules/random.h"

#include <QList>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

QByteArray T(const QByteArray& text) {
    return text + '\xFF';
}

class SeamTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = zb::setErrorReporter([this](const QString& t) { errors.append(t); });
        server.setOutputTap([this](int slot, const QByteArray& m) { sent.append({slot, m}); });
    }
    void TearDown() override { zb::setErrorReporter(std::move(previous_)); }
    void drain() {
        while (server.dispatchOne()) {
        }
    }
    QList<QByteArray> to(int slot) const {
        QList<QByteArray> out;
        for (const auto& [s, m] : sent) {
            if (s == slot)
                out.append(m);
        }
        return out;
    }

    zb::rules::Random random{5};
    zb::TServer server{[] { return 1; }, random};
    QList<std::pair<int, QByteArray>> sent;
    QStringList errors;

private:
    zb::ErrorReporter previous_;
};

TEST_F(SeamTest, LocalConnectionsAreAdmittedLikeRealOnes) {
    for (int slot = 1; slot <= 9; ++slot)
        EXPECT_EQ(server.attachLocal(), slot);
    EXPECT_EQ(server.attachLocal(), 0);
    EXPECT_EQ(to(4), QList<QByteArray>{T("CMD_sendlogininfo+4")});
    server.detachLocal(4);
    EXPECT_FALSE(server.players().inUse(4));
    EXPECT_EQ(to(1).last(), T("CMD_playerdisconnected+4+"));
    EXPECT_EQ(server.attachLocal(), 4);
}

TEST_F(SeamTest, BytesAreFramedQueuedAndDispatchedInOrder) {
    const int a = server.attachLocal();
    server.feed(a, "CMD_logininfo+1+1.0.4+A");
    EXPECT_EQ(server.queuedMessages(), 0);
    server.feed(a, "nn\xFF\xFF" + T("CMD_chat+1+x|c") + T("CMD_nothing+1"));
    EXPECT_EQ(server.queuedMessages(), 2);
    EXPECT_TRUE(server.dispatchOne());
    EXPECT_EQ(to(1).last(), T("CMD_newplayerinfo+1+Ann"));
    EXPECT_TRUE(server.dispatchOne());
    EXPECT_EQ(to(1).last(), T("CMD_chat+1+Ann chats: x|c"));
    EXPECT_FALSE(server.dispatchOne());
}

TEST_F(SeamTest, DepartureDropsWhatTheConnectionLeftQueued) {
    const int a = server.attachLocal();
    const int b = server.attachLocal();
    server.feed(b, T("CMD_chat+2+ghost|c"));
    server.detachLocal(b);
    EXPECT_EQ(server.queuedMessages(), 0);
    EXPECT_EQ(server.attachLocal(), b);
    drain();
    for (const QByteArray& m : to(a))
        EXPECT_FALSE(m.startsWith("CMD_chat")) << m.constData();
}

TEST_F(SeamTest, ConversionErrorsAreReportedAndTheNextMessageIsHandled) {
    const int a = server.attachLocal();
    server.feed(a, T("CMD_kickhim+1+zz+") + T("CMD_chat+1+ok|c"));
    drain();
    EXPECT_EQ(errors, QStringList{"'zz' is not a valid integer value"});
    EXPECT_EQ(to(a).last(), T("CMD_chat+1+ chats: ok|c"));
}

TEST_F(SeamTest, GameTimersCanBeDrivenDirectly) {
    const int a = server.attachLocal();
    server.feed(a, T("CMD_startgame+1+f+true") + T("CMD_justwatch+1+1"));
    drain();
    ASSERT_TRUE(server.game().inProgress());
    for (int guard = 0; guard < 10000 && server.game().inProgress(); ++guard)
        server.runGameTimersNow();
    EXPECT_FALSE(server.game().inProgress());
    EXPECT_TRUE(to(a).last().startsWith("CMD_winner+"));
}

TEST_F(SeamTest, OversizedLineOrFloodReleasesTheSlot) {
    const int a = server.attachLocal();
    const int b = server.attachLocal();
    server.feed(b, QByteArray(70000, 'a'));
    EXPECT_FALSE(server.players().inUse(b));
    EXPECT_EQ(server.attachLocal(), b);
    QByteArray flood;
    for (int i = 0; i < 300; ++i)
        flood += T("CMD_chat+2+x|c");
    server.feed(b, flood);
    EXPECT_FALSE(server.players().inUse(b));
    EXPECT_EQ(server.queuedMessages(), 0);
    EXPECT_TRUE(server.players().inUse(a));
}

} // namespace
