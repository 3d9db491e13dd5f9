#pragma once
// The tables of each kind of game, built once per process on a thread of their own and handed
// over whole: a caller on the user-interface thread never waits for a build. Safe from any
// thread. A build still running when the process ends is cancelled and joined.

#include "strategy/tables.h"

#include <memory>

namespace zb::strategy {

class SharedTables {
public:
    // Starts building the tables of this kind unless that has begun already; returns at once.
    static void prepare(GameKind kind);
    // The tables once built, otherwise null; starts the build like prepare(). Never waits for it.
    static std::shared_ptr<const Tables> ready(GameKind kind);
    // Waits until the tables are built (for tools, benchmarks and tests, never the host).
    static std::shared_ptr<const Tables> wait(GameKind kind);
};

} // namespace zb::strategy
