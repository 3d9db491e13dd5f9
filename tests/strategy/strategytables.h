#pragma once
// The tables the tests look things up in, built once per test process, and the card positions
// they are asked about.

#include "strategy/sharedtables.h"

#include <initializer_list>

namespace strategytest {

inline constexpr double kTight = 1e-9;

inline const zb::strategy::Tables& regular() {
    static const auto t = zb::strategy::SharedTables::wait(zb::strategy::GameKind::Regular);
    return *t;
}
inline const zb::strategy::Tables& bonus() {
    static const auto t = zb::strategy::SharedTables::wait(zb::strategy::GameKind::BonusDice);
    return *t;
}

// Every category used but these.
inline unsigned onlyOpen(std::initializer_list<int> open) {
    unsigned used = zb::strategy::kFullCard;
    for (int c : open)
        used &= ~zb::strategy::categoryBit(c);
    return used;
}

} // namespace strategytest
