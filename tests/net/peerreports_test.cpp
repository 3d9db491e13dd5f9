// Reports of what a peer sent: the limiter's windows, the quiet channel, the cut of a peer's
// text, and running a peer's message so that its failure goes nowhere else.

#include "net/errors.h"
#include "net/guard.h"
#include "net/peerreports.h"
#include "net/protocol.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace std::chrono_literals;
using zb::PeerReports;
using zb::ReportLimiter;
using Verdict = zb::ReportLimiter::Verdict;

namespace {

const ReportLimiter::Clock::time_point t0{};

TEST(ReportLimiter, AFewReportsThenOneSuppressionThenQuietUntilTheWindowHasPassed) {
    ReportLimiter limiter(3, 60s);
    EXPECT_EQ(limiter.admit(t0), Verdict::Report);
    EXPECT_EQ(limiter.admit(t0 + 1s), Verdict::Report);
    EXPECT_EQ(limiter.admit(t0 + 2s), Verdict::Report);
    EXPECT_EQ(limiter.admit(t0 + 3s), Verdict::Suppress);
    EXPECT_EQ(limiter.admit(t0 + 4s), Verdict::Quiet);
    EXPECT_EQ(limiter.admit(t0 + 59s + 999ms), Verdict::Quiet);
    // The window is measured from its first report.
    EXPECT_EQ(limiter.admit(t0 + 60s), Verdict::Report);
    EXPECT_EQ(limiter.admit(t0 + 61s), Verdict::Report);
    EXPECT_EQ(limiter.admit(t0 + 62s), Verdict::Report);
    EXPECT_EQ(limiter.admit(t0 + 63s), Verdict::Suppress);
}

TEST(ReportLimiter, AQuietPeerGetsItsReportsAgain) {
    ReportLimiter limiter(2, 10s);
    EXPECT_EQ(limiter.admit(t0), Verdict::Report);
    EXPECT_EQ(limiter.admit(t0 + 30s), Verdict::Report);
    EXPECT_EQ(limiter.admit(t0 + 31s), Verdict::Report);
    EXPECT_EQ(limiter.admit(t0 + 32s), Verdict::Suppress);
}

TEST(ReportLimiter, ResetStartsAFreshBudget) {
    ReportLimiter limiter(1, 60s);
    EXPECT_EQ(limiter.admit(t0), Verdict::Report);
    EXPECT_EQ(limiter.admit(t0), Verdict::Suppress);
    EXPECT_EQ(limiter.admit(t0), Verdict::Quiet);
    limiter.reset();
    EXPECT_EQ(limiter.admit(t0 + 1s), Verdict::Report);
    EXPECT_EQ(limiter.admit(t0 + 1s), Verdict::Suppress);
}

TEST(ReportableText, KeepsShortTextAndCutsLongText) {
    EXPECT_EQ(zb::reportableText(""), QString());
    const QByteArray at(zb::kReportedTextChars, 'k');
    EXPECT_EQ(zb::reportableText(at), QString::fromLatin1(at));
    EXPECT_EQ(zb::reportableText(at + "!"), QString::fromLatin1(at) + "...");
    EXPECT_EQ(zb::reportableText("caf\xE9"), QStringLiteral("caf\u00E9"));
}

TEST(ReportableText, ControlCharactersBecomeQuestionMarks) {
    const char all[] = "\x01\x1F\x7F\x80\x9F\xA0\xFF";
    EXPECT_EQ(zb::reportableText(QByteArrayView(all, 7)), QStringLiteral("?????\u00A0\u00FF"));
    EXPECT_EQ(zb::reportableText(QByteArrayView("\0\n", 2)), QStringLiteral("??"));
}

class PeerReportsTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousPeer_ = zb::setPeerReporter([this](const QString& t) { lines << t; });
        previousError_ = zb::setErrorReporter([this](const QString& t) { errors << t; });
    }
    void TearDown() override {
        zb::setPeerReporter(std::move(previousPeer_));
        zb::setErrorReporter(std::move(previousError_));
    }
    PeerReports::Now clock() {
        return [this] { return now; };
    }

    ReportLimiter::Clock::time_point now = t0;
    QStringList lines;
    QStringList errors;

private:
    zb::ErrorReporter previousPeer_;
    zb::ErrorReporter previousError_;
};

TEST_F(PeerReportsTest, AConversionErrorGoesToTheQuietChannelOnly) {
    PeerReports reports(nullptr, clock());
    reports.setSource(QStringLiteral("slot 3"));
    bool after = false;
    reports.run([&] {
        zb::proto::toInt(QByteArray("Your Zorbinet is out of date, install the fix from "
                                    "http://example.invalid/fix.exe now"));
        after = true;
    });
    EXPECT_FALSE(after);
    EXPECT_EQ(lines, QStringList{"slot 3: 'Your Zorbinet is out of date, install th...' is not "
                                 "a valid integer value"});
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(PeerReportsTest, EveryKindOfFailureIsCaught) {
    PeerReports reports(nullptr, clock());
    reports.setSource(QStringLiteral("host"));
    reports.run([] { throw zb::ESockException("Send - Socket Not Connected"); });
    reports.run([] { throw std::runtime_error("odd"); });
    reports.run([] { throw 42; });
    EXPECT_EQ(lines, (QStringList{"host: Send - Socket Not Connected", "host: odd",
                                  "host: Unknown error"}));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(PeerReportsTest, ASourceGetsAFewReportsAWindowThenOneSuppressionLine) {
    PeerReports reports(nullptr, clock());
    reports.setSource(QStringLiteral("slot 2"));
    for (int i = 0; i < 1000; ++i)
        reports.report(QStringLiteral("r%1").arg(i));
    EXPECT_EQ(lines, (QStringList{"slot 2: r0", "slot 2: r1", "slot 2: r2",
                                  "slot 2: more reports suppressed for 60 s"}));
    now += zb::kPeerReportWindow - 1ms;
    reports.report(QStringLiteral("still quiet"));
    EXPECT_EQ(lines.size(), zb::kPeerReportsPerWindow + 1);
    now += 1ms;
    reports.report(QStringLiteral("again"));
    EXPECT_EQ(lines.last(), QStringLiteral("slot 2: again"));
}

TEST_F(PeerReportsTest, ANewSourceStartsAFreshBudget) {
    PeerReports reports(nullptr, clock());
    reports.setSource(QStringLiteral("slot 2"));
    for (int i = 0; i < 10; ++i)
        reports.report(QStringLiteral("old"));
    lines.clear();
    reports.setSource(QStringLiteral("slot 2"));
    reports.report(QStringLiteral("new"));
    EXPECT_EQ(lines, QStringList{"slot 2: new"});
}

TEST_F(PeerReportsTest, ASharedLimiterBoundsAllSourcesTogether) {
    ReportLimiter everyone(zb::kAllPeerReportsPerWindow, zb::kPeerReportWindow);
    // A peer that reconnects again and again gets a fresh source each time.
    for (int connection = 0; connection < 100; ++connection) {
        PeerReports reports(&everyone, clock());
        reports.setSource(QStringLiteral("slot 2"));
        for (int i = 0; i < 10; ++i)
            reports.report(QStringLiteral("x"));
    }
    ASSERT_EQ(lines.size(), zb::kAllPeerReportsPerWindow + 1);
    EXPECT_EQ(lines.last(), QStringLiteral("peers: more reports suppressed for 60 s"));
    EXPECT_EQ(lines.count(QStringLiteral("slot 2: x")),
              zb::kAllPeerReportsPerWindow / (zb::kPeerReportsPerWindow + 1) *
                      zb::kPeerReportsPerWindow +
                  zb::kAllPeerReportsPerWindow % (zb::kPeerReportsPerWindow + 1));
}

TEST_F(PeerReportsTest, ALineIsNeverLongAndNeverBroken) {
    PeerReports reports(nullptr, clock());
    reports.setSource(QStringLiteral("slot 4"));
    reports.report(QString(100000, QLatin1Char('z')));
    reports.report(QStringLiteral("one\ntwo\rthree"));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].size(), zb::kMaxReportLineChars + 3);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("zzz...")));
    EXPECT_EQ(lines[1], QStringLiteral("slot 4: one two three"));
}

TEST_F(PeerReportsTest, AReporterThatThrowsStaysInside) {
    zb::setPeerReporter([](const QString&) { throw std::runtime_error("broken"); });
    PeerReports reports(nullptr, clock());
    reports.run([] { throw std::runtime_error("x"); });
    EXPECT_TRUE(errors.isEmpty());
}

} // namespace
