#include "net/peerreports.h"

#include <cstdio>

namespace zb {
namespace {

bool isControl(unsigned char c) {
    return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

ErrorReporter& peerReporterSlot() {
    static ErrorReporter reporter = [](const QString& line) {
        std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
        std::fflush(stderr);
    };
    return reporter;
}

QString suppressedLine(const QString& who) {
    return QStringLiteral("%1: more reports suppressed for %2 s")
        .arg(who)
        .arg(std::chrono::duration_cast<std::chrono::seconds>(kPeerReportWindow).count());
}

} // namespace

QString reportableText(QByteArrayView latin1) {
    const bool cut = latin1.size() > kReportedTextChars;
    const QByteArrayView shown = cut ? latin1.first(kReportedTextChars) : latin1;
    QString text;
    text.reserve(shown.size() + 3);
    for (const char c : shown) {
        const auto u = static_cast<unsigned char>(c);
        text += isControl(u) ? QChar(u'?') : QChar(u);
    }
    if (cut)
        text += QStringLiteral("...");
    return text;
}

ErrorReporter setPeerReporter(ErrorReporter reporter) {
    return std::exchange(peerReporterSlot(), std::move(reporter));
}

void reportPeerLine(const QString& line) {
    try {
        if (peerReporterSlot())
            peerReporterSlot()(line);
    } catch (...) {
    }
}

PeerReports::PeerReports(ReportLimiter* shared, Now now)
    : own_(kPeerReportsPerWindow, kPeerReportWindow), shared_(shared),
      now_(now ? std::move(now) : Now(&ReportLimiter::Clock::now)) {}

void PeerReports::setSource(QString source) {
    source_ = std::move(source);
    own_.reset();
}

void PeerReports::report(const QString& text) {
    const ReportLimiter::Clock::time_point now = now_();
    const ReportLimiter::Verdict mine = own_.admit(now);
    if (mine == ReportLimiter::Verdict::Quiet)
        return;
    if (shared_) {
        switch (shared_->admit(now)) {
        case ReportLimiter::Verdict::Report:
            break;
        case ReportLimiter::Verdict::Suppress:
            reportPeerLine(suppressedLine(QStringLiteral("peers")));
            return;
        case ReportLimiter::Verdict::Quiet:
            return;
        }
    }
    QString line = mine == ReportLimiter::Verdict::Report ? source_ + QStringLiteral(": ") + text
                                                          : suppressedLine(source_);
    // The texts are short already (an exception's text shows a peer's text only through
    // reportableText); this holds for any other text too, and a line break would start a line
    // the source did not write.
    if (line.size() > kMaxReportLineChars) {
        line.truncate(kMaxReportLineChars);
        line += QStringLiteral("...");
    }
    line.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    reportPeerLine(line);
}

void PeerReports::reportQuietly(const char* what) noexcept {
    try {
        report(QString::fromUtf8(what));
    } catch (...) {
    }
}

} // namespace zb
