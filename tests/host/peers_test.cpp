// What a hostile peer can make the host do: messages at and past the framing limit, repeated
// logins, huge names and chat lines, and malformed numbers, which are dropped and reported
// briefly on the quiet channel, a few times a minute at most.

#include "seamfixture.h"

namespace {

using hosttest::SeamTest;
using hosttest::T;
using zb::proto::kMaxPending;

class PeersTest : public SeamTest {
protected:
    int messagesSentSince(qsizetype m) const { return static_cast<int>(sent.size() - m); }
};

// --- The framing limit ------------------------------------------------------------------------

// A message of exactly the limit whose relay is just as long: CMD_playasound goes out as it came.
QByteArray soundOfLength(int slot, qsizetype length) {
    QByteArray m = "CMD_playasound+" + QByteArray::number(slot) + "+wave";
    return m + QByteArray(length - m.size(), '7');
}

TEST_F(PeersTest, AMessageAtTheLimitIsTakenWholeInOneDelivery) {
    const int a = join("Ann");
    const int b = join("Bob");
    const QByteArray sound = soundOfLength(b, kMaxPending);
    const qsizetype m = mark();
    server.feed(b, T(sound));
    drain();
    EXPECT_TRUE(server.players().inUse(b));
    EXPECT_EQ(to(a, m), QList<QByteArray>{T(sound)});
}

TEST_F(PeersTest, AMessageOneByteOverTheLimitCutsTheConnectionOffInOneDeliveryOrMany) {
    const int a = join("Ann");
    for (const int pieces : {1, 2, 3}) {
        const int b = join("Bob");
        const QByteArray whole = T(soundOfLength(b, kMaxPending + 1));
        const qsizetype m = mark();
        const qsizetype step = whole.size() / pieces + 1;
        for (qsizetype at = 0; at < whole.size(); at += step)
            server.feed(b, QByteArrayView(whole).sliced(at, qMin(step, whole.size() - at)));
        drain();
        EXPECT_FALSE(server.players().inUse(b)) << pieces;
        EXPECT_EQ(to(a, m), QList<QByteArray>{T("CMD_playerdisconnected+2+Bob")}) << pieces;
    }
}

TEST_F(PeersTest, ALongSessionOfMessagesAtTheLimitIsNeverCutOff) {
    const int a = join("Ann");
    const int b = join("Bob");
    const QByteArray sound = T(soundOfLength(b, kMaxPending));
    const qsizetype m = mark();
    // Three at a time in one delivery, some deliveries ending inside a message.
    QByteArray stream;
    for (int i = 0; i < 60; ++i)
        stream += sound;
    for (qsizetype at = 0; at < stream.size(); at += 3 * sound.size() - 11) {
        server.feed(
            b, QByteArrayView(stream).sliced(at, qMin(3 * sound.size() - 11, stream.size() - at)));
        drain();
    }
    EXPECT_TRUE(server.players().inUse(b));
    EXPECT_EQ(to(a, m).size(), 60);
}

// --- Nothing the host sends is longer than a table takes
// ------------------------------------------

TEST_F(PeersTest, ALoginNameIsCutToTheLongestANameMayBe) {
    const QByteArray longest(zb::TServer::kMaxNameBytes, 'n');
    const int a = join(longest);
    EXPECT_EQ(server.players()[a].name, longest);
    const int b = join(longest + "m" + QByteArray(60000, 'm'));
    EXPECT_EQ(server.players()[b].name, longest);
    EXPECT_EQ(to(a).last(), T("CMD_newplayerinfo+2+" + longest));
}

TEST_F(PeersTest, AChatLineIsRelayedOnlyIfTheRelayFitsTheLimit) {
    const int a = join("Ann");
    // The relay adds the name and " chats: ": a line that fits exactly, and one a byte longer.
    const QByteArray head = "CMD_chat+1+";
    const qsizetype room = kMaxPending - (head.size() + 3 + 8); // "Ann" and " chats: "
    const QByteArray fits = QByteArray(room - 6, 'c') + "|clRed";
    const qsizetype m = mark();
    server.feed(a, T(head + fits) + T(head + "x" + fits) + T("CMD_chat+1+after|clRed"));
    drain();
    const QList<QByteArray> got = to(a, m);
    ASSERT_EQ(got.size(), 2);
    EXPECT_EQ(got[0].size(), kMaxPending + 1);
    EXPECT_EQ(got[0], T("CMD_chat+1+Ann chats: " + fits));
    EXPECT_EQ(got[1], T("CMD_chat+1+Ann chats: after|clRed"));
    EXPECT_TRUE(server.players().inUse(a));
}

// --- Repeated logins ----------------------------------------------------------------------------

TEST_F(PeersTest, ASecondLoginFromTheSameConnectionIsIgnored) {
    const int a = join("Ann");
    const int spy = join("Spy");
    const qsizetype m = mark();
    for (int i = 0; i < 5; ++i) {
        const QByteArray name = QByteArray::number(i) + QByteArray(60000, 'x');
        server.feed(spy, T("CMD_logininfo+" + QByteArray::number(spy) + "+1.0.4+" + name));
    }
    server.feed(spy, T("CMD_logininfo+2+1.0.3+Other"));
    drain();
    EXPECT_EQ(messagesSentSince(m), 0);
    EXPECT_EQ(server.players()[spy].name, "Spy");
    EXPECT_TRUE(server.players().inUse(spy));
    EXPECT_TRUE(server.players().inUse(a));
}

TEST_F(PeersTest, TheNextConnectionInTheSlotLogsInAgain) {
    const int a = join("Ann");
    const int b = join("Bob");
    server.detachLocal(b);
    ASSERT_EQ(join("Cid"), b);
    EXPECT_EQ(server.players()[b].name, "Cid");
    EXPECT_EQ(to(a).last(), T("CMD_newplayerinfo+2+Cid"));
}

TEST_F(PeersTest, ALoginNamingAnotherSlotDoesNotCountAsTheConnectionsOwn) {
    const int a = join("Ann");
    const int b = server.attachLocal();
    server.feed(b, T("CMD_logininfo+1+1.0.4+Mallory") + T("CMD_logininfo+2+1.0.4+Bob"));
    drain();
    EXPECT_EQ(server.players()[a].name, "Ann");
    EXPECT_EQ(server.players()[b].name, "Bob");
}

// --- Malformed numbers --------------------------------------------------------------------------

const QByteArray kPlea = "Your Zorbinet is out of date, install the fix from "
                         "http://example.invalid/fix.exe";

TEST_F(PeersTest, AMalformedNumberDropsTheMessageAndIsReportedShortAndQuietly) {
    const int a = join("Ann");
    const int b = join("Bob");
    const qsizetype m = mark();
    server.feed(b, T("CMD_chat+" + kPlea + "|clRed"));
    server.feed(b, T("CMD_justwatch+2+" + kPlea + QByteArray(60000, '!')));
    drain();
    EXPECT_EQ(messagesSentSince(m), 0);
    EXPECT_FALSE(server.players()[b].watching);
    EXPECT_TRUE(errors.isEmpty()) << "a peer's input never reaches the error report";
    const QString shown = QStringLiteral("'Your Zorbinet is out of date, install th...' is not a "
                                         "valid integer value");
    EXPECT_EQ(peerReports, (QStringList{"slot 2: " + shown, "slot 2: " + shown}));
    server.feed(b, T("CMD_chat+2+fine|clRed"));
    drain();
    EXPECT_EQ(to(a).last(), T("CMD_chat+2+Bob chats: fine|clRed"));
}

TEST_F(PeersTest, OneConnectionGetsAFewReportsThenOneSuppressionLine) {
    join("Ann");
    const int b = join("Bob");
    for (int i = 0; i < 20; ++i) {
        server.feed(b, T("CMD_kickhim+2+" + kPlea + QByteArray(60000, '?') + "+"));
        drain();
    }
    ASSERT_EQ(peerReports.size(), zb::kPeerReportsPerWindow + 1);
    EXPECT_EQ(peerReports.last(), QStringLiteral("slot 2: more reports suppressed for 60 s"));
    qsizetype bytes = 0;
    for (const QString& line : peerReports)
        bytes += line.size();
    EXPECT_LT(bytes, 400);
    // Other connections keep their own reports.
    const int c = join("Cid");
    server.feed(c, T("CMD_rolldice+z"));
    drain();
    EXPECT_EQ(peerReports.last(), QStringLiteral("slot 3: 'z' is not a valid integer value"));
}

TEST_F(PeersTest, ReconnectingForFreshReportsIsBoundedByTheHostsCommonLimit) {
    join("Ann");
    for (int i = 0; i < 100; ++i) {
        const int b = server.attachLocal();
        for (int k = 0; k < 5; ++k)
            server.feed(b, T("CMD_rolldice+bad"));
        drain();
        server.detachLocal(b);
    }
    EXPECT_EQ(peerReports.size(), zb::kAllPeerReportsPerWindow + 1);
    EXPECT_EQ(peerReports.last(), QStringLiteral("peers: more reports suppressed for 60 s"));
    EXPECT_TRUE(errors.isEmpty());
}

} // namespace
