// The host's socketless seam, which the fuzzer drives: the same admission, framing, queueing,
// dispatching and departures as real connections.

#include "seamfixture.h"

namespace {

using hosttest::SeamTest;
using hosttest::T;

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
    EXPECT_EQ(peerReports, QStringList{"slot 1: 'zz' is not a valid integer value"});
    EXPECT_TRUE(errors.isEmpty());
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
