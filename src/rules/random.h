#pragma once
// The program's one random generator: a 32-bit linear congruential state advanced as
// state * 134775813 + 1; a draw in [0, n) is the high 32 bits of n * state. With a given seed the
// same dice come every time, which the tests and the host's --seed rely on.

#include <cstdint>

namespace zb::rules {

class Random {
public:
    explicit Random(std::uint32_t seed = 0) : state_(seed) {}

    void seed(std::uint32_t seed) { state_ = seed; }
    std::uint32_t state() const { return state_; }
    // A value in [0, n) for n >= 1.
    std::uint32_t next(std::uint32_t n);
    // A die: 1..6.
    int die() { return static_cast<int>(next(6)) + 1; }

    // Milliseconds since midnight of the UTC clock: the seed the game takes at start.
    static std::uint32_t clockSeed();

private:
    std::uint32_t state_;
};

} // namespace zb::rules
