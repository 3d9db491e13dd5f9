#pragma once
// How often something may be reported: a few reports per window of time, then one report that
// says the rest are suppressed, then nothing until the window has passed. A peer that keeps
// sending what cannot be handled then costs a few short lines a minute, however fast it sends.

#include <chrono>
#include <optional>

namespace zb {

class ReportLimiter {
public:
    using Clock = std::chrono::steady_clock;

    enum class Verdict {
        Report,   // report it
        Suppress, // report instead that further reports are suppressed for the window
        Quiet,    // report nothing
    };

    ReportLimiter(int perWindow, Clock::duration window) : perWindow_(perWindow), window_(window) {}

    // Decides on one report at time now; counts it.
    Verdict admit(Clock::time_point now);
    // Forgets every report so far (a new connection takes the slot).
    void reset() {
        windowStart_.reset();
        count_ = 0;
    }

    int perWindow() const { return perWindow_; }
    Clock::duration window() const { return window_; }

private:
    int perWindow_;
    Clock::duration window_;
    std::optional<Clock::time_point> windowStart_;
    int count_ = 0; // reports admitted in the current window, the Suppress one included
};

} // namespace zb
