#include "net/protocol.h"

#include <gtest/gtest.h>
#include <vector>

using zb::proto::Framer;
using zb::proto::kMaxPending;

namespace {

using Messages = QList<QByteArray>;

Messages feedAll(Framer& f, std::initializer_list<QByteArray> deliveries) {
    Messages out;
    for (const QByteArray& d : deliveries)
        EXPECT_TRUE(f.feed(d, out));
    return out;
}

TEST(Framer, OneMessage) {
    Framer f;
    EXPECT_EQ(feedAll(f, {"CMD_rolldice+1\xFF"}), Messages{"CMD_rolldice+1"});
    EXPECT_TRUE(f.pending().isEmpty());
}

TEST(Framer, TwoMessagesInOneDeliveryKeepTheirOrder) {
    Framer f;
    EXPECT_EQ(feedAll(f, {"CMD_setdice+1+3\xFF"
                          "CMD_unsetdice+1+3\xFF"}),
              (Messages{"CMD_setdice+1+3", "CMD_unsetdice+1+3"}));
    EXPECT_TRUE(f.pending().isEmpty());
}

TEST(Framer, MessageSplitOverTwoDeliveriesArrivesOnceWhole) {
    Framer f;
    Messages out;
    EXPECT_TRUE(f.feed("CMD_newplayer", out));
    EXPECT_TRUE(out.isEmpty());
    EXPECT_EQ(f.pending(), "CMD_newplayer");
    EXPECT_TRUE(f.feed("info+2+Bob\xFF", out));
    EXPECT_EQ(out, Messages{"CMD_newplayerinfo+2+Bob"});
    EXPECT_TRUE(f.pending().isEmpty());
}

TEST(Framer, SplitRightBeforeTheTerminator) {
    Framer f;
    Messages out;
    EXPECT_TRUE(f.feed("CMD_full+", out));
    EXPECT_TRUE(out.isEmpty());
    EXPECT_TRUE(f.feed("\xFF", out));
    EXPECT_EQ(out, Messages{"CMD_full+"});
}

TEST(Framer, SplitRightAfterTheTerminator) {
    Framer f;
    Messages out;
    EXPECT_TRUE(f.feed("CMD_full+\xFF", out));
    EXPECT_TRUE(f.feed("CMD_wrongversion+\xFF", out));
    EXPECT_EQ(out, (Messages{"CMD_full+", "CMD_wrongversion+"}));
}

TEST(Framer, CompletesPendingAndCutsMoreInTheSameDelivery) {
    Framer f;
    Messages out;
    EXPECT_TRUE(f.feed("CMD_a+1", out));
    EXPECT_TRUE(f.feed("2\xFF"
                       "CMD_b+\xFF"
                       "CMD_c",
                       out));
    EXPECT_EQ(out, (Messages{"CMD_a+12", "CMD_b+"}));
    EXPECT_EQ(f.pending(), "CMD_c");
}

// Empty messages mean nothing to any receiver; a stream of bare terminators must not fill a
// receive queue.
struct EmptyCase {
    const char* name;
    std::vector<QByteArray> deliveries;
    Messages want;
};

class FramerEmpty : public ::testing::TestWithParam<EmptyCase> {};

TEST_P(FramerEmpty, EmptyMessagesAreDropped) {
    Framer f;
    Messages out;
    for (const QByteArray& d : GetParam().deliveries)
        ASSERT_TRUE(f.feed(d, out));
    EXPECT_EQ(out, GetParam().want);
    EXPECT_TRUE(f.pending().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Framer, FramerEmpty,
    ::testing::Values(EmptyCase{"TheLoginsSecondTerminator",
                                {"CMD_logininfo+1+1.0.4+You\xFF\xFF"},
                                {"CMD_logininfo+1+1.0.4+You"}},
                      EmptyCase{"LoneTerminators", {"\xFF", "\xFF\xFF"}, {}},
                      EmptyCase{"BetweenMessages",
                                {"\xFF"
                                 "CMD_a+\xFF\xFF\xFF"
                                 "CMD_b+\xFF\xFF"},
                                {"CMD_a+", "CMD_b+"}},
                      EmptyCase{
                          "AfterAMessageSplitAtItsTerminator", {"CMD_a+", "\xFF\xFF"}, {"CMD_a+"}},
                      EmptyCase{"AMegabyteOfTerminators", {QByteArray(1 << 20, '\xFF')}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Framer, EmptyDeliveryChangesNothing) {
    Framer f;
    Messages out;
    EXPECT_TRUE(f.feed("CMD_x", out));
    EXPECT_TRUE(f.feed(QByteArrayView(), out));
    EXPECT_TRUE(out.isEmpty());
    EXPECT_EQ(f.pending(), "CMD_x");
}

TEST(Framer, NameWithPlusAsLastFieldArrivesWhole) {
    Framer f;
    EXPECT_EQ(feedAll(f, {"CMD_newplayerinfo+3+A+B+\xFF"}), Messages{"CMD_newplayerinfo+3+A+B+"});
}

TEST(Framer, OtherHighBytesAndNulPassThrough) {
    Framer f;
    const QByteArray body("CMD_chat+1+\xE9\xFE\x00x|clRed", 20);
    EXPECT_EQ(feedAll(f, {body + '\xFF'}), Messages{body});
}

TEST(Framer, ByteByByte) {
    Framer f;
    const QByteArray stream = "CMD_nextplayer+1+1+0+0+\xFF\xFF"
                              "CMD_thedice+1+y+1+1+4\xFF"
                              "CMD_tail";
    Messages out;
    for (char c : stream)
        ASSERT_TRUE(f.feed(QByteArrayView(&c, 1), out));
    EXPECT_EQ(out, (Messages{"CMD_nextplayer+1+1+0+0+", "CMD_thedice+1+y+1+1+4"}));
    EXPECT_EQ(f.pending(), "CMD_tail");
}

TEST(Framer, EveryChunkingGivesTheSameMessages) {
    const QByteArray stream = "CMD_a+1\xFF\xFF"
                              "CMD_bb+22+x\xFF"
                              "\xFF"
                              "CMD_ccc+333\xFF"
                              "rest";
    Framer whole;
    Messages expected;
    ASSERT_TRUE(whole.feed(stream, expected));
    for (qsizetype step = 1; step <= stream.size(); ++step) {
        Framer f;
        Messages out;
        for (qsizetype i = 0; i < stream.size(); i += step)
            ASSERT_TRUE(
                f.feed(QByteArrayView(stream).sliced(i, qMin(step, stream.size() - i)), out));
        EXPECT_EQ(out, expected) << "step " << step;
        EXPECT_EQ(f.pending(), "rest") << "step " << step;
    }
}

TEST(Framer, PendingUpToTheCapIsKept) {
    Framer f;
    Messages out;
    EXPECT_TRUE(f.feed(QByteArray(kMaxPending, 'a'), out));
    EXPECT_EQ(f.pending().size(), kMaxPending);
    EXPECT_TRUE(f.feed("\xFF", out));
    ASSERT_EQ(out.size(), 1);
    EXPECT_EQ(out[0].size(), kMaxPending);
    EXPECT_TRUE(f.pending().isEmpty());
}

TEST(Framer, OneByteOverTheCapInOneDelivery) {
    Framer f;
    Messages out;
    EXPECT_FALSE(f.feed(QByteArray(kMaxPending + 1, 'a'), out));
    EXPECT_TRUE(out.isEmpty());
    EXPECT_TRUE(f.pending().isEmpty());
}

TEST(Framer, OneByteOverTheCapAcrossDeliveries) {
    Framer f;
    Messages out;
    EXPECT_TRUE(f.feed("CMD_ok\xFF", out));
    for (int i = 0; i < 64; ++i)
        ASSERT_TRUE(f.feed(QByteArray(1024, 'b'), out));
    EXPECT_EQ(f.pending().size(), kMaxPending);
    EXPECT_FALSE(f.feed("b", out));
    EXPECT_EQ(out, Messages{"CMD_ok"});
    EXPECT_TRUE(f.pending().isEmpty());
}

TEST(Framer, CapCountsOnlyTheBytesAfterTheLastTerminator) {
    Framer f;
    Messages out;
    QByteArray delivery(kMaxPending - 1, 'c');
    delivery += '\xFF';
    delivery += QByteArray(kMaxPending, 'd');
    EXPECT_TRUE(f.feed(delivery, out));
    ASSERT_EQ(out.size(), 1);
    EXPECT_EQ(f.pending().size(), kMaxPending);
}

TEST(Framer, MessagesBeforeAnOverflowStillArrive) {
    Framer f;
    Messages out;
    QByteArray delivery = "CMD_a+1\xFF"
                          "CMD_b+2\xFF";
    delivery += QByteArray(kMaxPending + 10, 'x');
    EXPECT_FALSE(f.feed(delivery, out));
    EXPECT_EQ(out, (Messages{"CMD_a+1", "CMD_b+2"}));
    EXPECT_TRUE(f.pending().isEmpty());
}

// The limit binds every message, whether it comes whole in one delivery, completes pending bytes
// or trickles in; it is exact at kMaxPending bytes without the terminator.
struct LimitCase {
    const char* name;
    std::vector<QByteArray> deliveries;
    bool accepted;
};

void PrintTo(const LimitCase& c, std::ostream* os) {
    *os << c.name;
}

QByteArray bytes(qsizetype n, char c = 'm') {
    return QByteArray(n, c);
}
QByteArray whole(qsizetype n) {
    return bytes(n) + '\xFF';
}

class FramerLimit : public ::testing::TestWithParam<LimitCase> {};

TEST_P(FramerLimit, EveryMessageIsBoundByTheLimit) {
    Framer f;
    Messages out;
    bool ok = true;
    for (const QByteArray& d : GetParam().deliveries)
        ok = ok && f.feed(d, out);
    const bool lastArrived = !out.isEmpty() && out.last().size() >= kMaxPending;
    EXPECT_EQ(ok, GetParam().accepted);
    EXPECT_EQ(lastArrived, GetParam().accepted);
    for (const QByteArray& m : out)
        EXPECT_LE(m.size(), kMaxPending);
    EXPECT_TRUE(f.pending().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Framer, FramerLimit,
    ::testing::Values(
        LimitCase{"AtTheLimitInOneDelivery", {whole(kMaxPending)}, true},
        LimitCase{"OverTheLimitInOneDelivery", {whole(kMaxPending + 1)}, false},
        LimitCase{
            "OverTheLimitAfterAnotherMessage", {"CMD_a+\xFF" + whole(kMaxPending + 1)}, false},
        LimitCase{
            "AtTheLimitCompletingPendingBytes", {bytes(1000), whole(kMaxPending - 1000)}, true},
        LimitCase{
            "OverTheLimitCompletingPendingBytes", {bytes(1000), whole(kMaxPending - 999)}, false},
        LimitCase{"AtTheLimitPendingThenTheTerminator", {bytes(kMaxPending), "\xFF"}, true},
        LimitCase{
            "OverTheLimitByTheLastByteBeforeTheTerminator", {bytes(kMaxPending), "m\xFF"}, false},
        LimitCase{"AtTheLimitInThreePieces",
                  {bytes(kMaxPending / 2), bytes(kMaxPending / 2 - 1), "m\xFF"},
                  true},
        LimitCase{"OverTheLimitInThreePieces",
                  {bytes(kMaxPending / 2), bytes(kMaxPending / 2), "m\xFF"},
                  false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Framer, NothingAfterAnOversizedMessageIsHandedOn) {
    Framer f;
    Messages out;
    EXPECT_FALSE(f.feed("CMD_a+1\xFF" + whole(kMaxPending + 1) + "CMD_b+2\xFF" + "CMD_c", out));
    EXPECT_EQ(out, Messages{"CMD_a+1"});
    EXPECT_TRUE(f.pending().isEmpty());
}

TEST(Framer, ALongSessionOfMessagesAtTheLimitIsNeverCutOff) {
    // Messages at the limit, one after the other, cut at many different places: a cap that
    // counted more than one message's bytes would trip somewhere along the way.
    QByteArray stream;
    for (int i = 0; i < 40; ++i)
        stream += bytes(kMaxPending - (i % 3), static_cast<char>('a' + i % 26)) + '\xFF';
    for (const qsizetype step : {qsizetype(1000), kMaxPending - 1, kMaxPending, kMaxPending + 1,
                                 kMaxPending + 2, 3 * kMaxPending + 7, stream.size()}) {
        Framer f;
        Messages out;
        for (qsizetype i = 0; i < stream.size(); i += step)
            ASSERT_TRUE(
                f.feed(QByteArrayView(stream).sliced(i, qMin(step, stream.size() - i)), out))
                << "step " << step << " at " << i;
        ASSERT_EQ(out.size(), 40) << "step " << step;
        for (int i = 0; i < 40; ++i)
            EXPECT_EQ(out[i].size(), kMaxPending - (i % 3));
    }
}

TEST(Framer, ClearDropsPendingBytes) {
    Framer f;
    Messages out;
    EXPECT_TRUE(f.feed("CMD_half", out));
    f.clear();
    EXPECT_TRUE(f.feed("+1\xFF", out));
    EXPECT_EQ(out, Messages{"+1"});
}

TEST(Framer, ManyTinyMessagesAndAByteByByteGiantStayFast) {
    // Quadratic cutting would take minutes here; linear takes milliseconds.
    QByteArray flood;
    for (int i = 0; i < 200000; ++i)
        flood += "CMD_x+1\xFF";
    Framer f;
    Messages out;
    out.reserve(200000);
    ASSERT_TRUE(f.feed(flood, out));
    EXPECT_EQ(out.size(), 200000);

    Framer g;
    Messages one;
    for (qsizetype i = 0; i < kMaxPending; ++i)
        ASSERT_TRUE(g.feed("z", one));
    ASSERT_TRUE(g.feed("\xFF", one));
    ASSERT_EQ(one.size(), 1);
    EXPECT_EQ(one[0].size(), kMaxPending);
}

} // namespace
