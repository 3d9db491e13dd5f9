#include "rules/random.h"

#include <chrono>

namespace zb::rules {

std::uint32_t Random::next(std::uint32_t n) {
    state_ = state_ * 134775813u + 1u; // wraps modulo 2^32 by unsigned arithmetic
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(n) * state_) >> 32);
}

std::uint32_t Random::clockSeed() {
    using namespace std::chrono;
    // The system clock counts UTC without leap seconds, so the remainder of a day is exactly
    // ((hour * 60 + minute) * 60 + second) * 1000 + millisecond.
    const auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    constexpr long long msPerDay = 24LL * 60 * 60 * 1000;
    long long ofDay = ms % msPerDay;
    if (ofDay < 0)
        ofDay += msPerDay;
    return static_cast<std::uint32_t>(ofDay);
}

} // namespace zb::rules
