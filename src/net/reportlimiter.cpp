#include "net/reportlimiter.h"

namespace zb {

// A window opens with the first report after the last one has passed, so a peer that stays quiet
// for a while gets its few reports again, and one that never stops gets them once a window.
ReportLimiter::Verdict ReportLimiter::admit(Clock::time_point now) {
    if (!windowStart_ || now - *windowStart_ >= window_) {
        windowStart_ = now;
        count_ = 0;
    }
    if (count_ > perWindow_)
        return Verdict::Quiet;
    ++count_;
    return count_ <= perWindow_ ? Verdict::Report : Verdict::Suppress;
}

} // namespace zb
