#pragma once
// Reporting what a peer sent that could not be handled, without letting the peer write on the
// player's screen or fill a log.
//
// A peer's message runs through PeerReports::run instead of guarded(): a failure in it (a number
// field that does not convert, as a rule) ends that message alone and is reported on the quiet
// channel, never through the general error report, whose message box is for the player's own
// failures. Each report names its source ("slot 3"), shows the peer's text only as
// reportableText() cuts it, and is rate-limited per source: kPeerReportsPerWindow reports per
// kPeerReportWindow, then one line saying that more are suppressed. A limiter shared by several
// sources bounds them together, so a peer that reconnects for a fresh budget gains little.
//
//   ReportLimiter everyone(kAllPeerReportsPerWindow, kPeerReportWindow);
//   PeerReports reports(&everyone);
//   reports.setSource(QStringLiteral("slot 3")); // also when a new connection takes the slot
//   reports.run([&] { handle(message); });

#include "net/guard.h"
#include "net/reportlimiter.h"

#include <QByteArrayView>
#include <QString>
#include <chrono>
#include <exception>
#include <functional>
#include <utility>

namespace zb {

// Of a peer's text, the characters shown in a report; longer text is cut and ends with "...".
constexpr qsizetype kReportedTextChars = 40;
// The longest line the quiet channel gets, whatever a report's text.
constexpr qsizetype kMaxReportLineChars = 200;
// Reports about one source, and about all sources of one limiter together, per window.
constexpr int kPeerReportsPerWindow = 3;
constexpr int kAllPeerReportsPerWindow = 30;
constexpr std::chrono::seconds kPeerReportWindow{60};

// A peer's Latin-1 text as a report may show it: at most kReportedTextChars characters, "..."
// after a cut, and every control character (C0, DEL, C1) as "?", so no text can start a new line
// or steer a terminal.
QString reportableText(QByteArrayView latin1);

// The quiet channel: standard error unless replaced. Returns the previous one (tests restore it).
ErrorReporter setPeerReporter(ErrorReporter reporter);
void reportPeerLine(const QString& line);

class PeerReports {
public:
    using Now = std::function<ReportLimiter::Clock::time_point()>;

    explicit PeerReports(ReportLimiter* shared = nullptr, Now now = {});

    // Names the source in every line and starts its budget afresh.
    void setSource(QString source);
    const QString& source() const { return source_; }

    // Reports text (already short: an exception's text built from reportableText) if the limits
    // allow, or the one line that says further reports are suppressed.
    void report(const QString& text);

    // Runs a peer's message; whatever it throws is reported here and goes no further.
    template <class F> void run(F&& body) noexcept {
        try {
            std::forward<F>(body)();
        } catch (const std::exception& e) {
            reportQuietly(e.what());
        } catch (...) {
            reportQuietly("Unknown error");
        }
    }

private:
    void reportQuietly(const char* what) noexcept;

    ReportLimiter own_;
    ReportLimiter* shared_;
    Now now_;
    QString source_;
};

} // namespace zb
