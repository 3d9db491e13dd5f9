#include "strategy/sharedtables.h"

#include "strategy/dicesets.h"
#include "strategy/scoretable.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace zb::strategy {
namespace {

class Registry {
public:
    static Registry& get() {
        static Registry registry;
        return registry;
    }

    std::shared_ptr<const Tables> ready(GameKind kind) {
        std::lock_guard lock(mutex_);
        Slot& s = slot(kind);
        startLocked(kind, s);
        return s.tables;
    }

    std::shared_ptr<const Tables> wait(GameKind kind) {
        std::unique_lock lock(mutex_);
        Slot& s = slot(kind);
        startLocked(kind, s);
        built_.wait(lock, [&s] { return s.tables != nullptr; });
        return s.tables;
    }

    ~Registry() {
        cancel_ = true;
        for (Slot& s : slots_) {
            if (s.worker.joinable())
                s.worker.join();
        }
    }

private:
    struct Slot {
        std::shared_ptr<const Tables> tables;
        std::thread worker;
    };

    Registry() {
        // What the builds use must outlive the registry, which joins them as the process ends:
        // made first, it is destroyed last.
        DiceSets::get();
        ScoreTable::get();
    }

    Slot& slot(GameKind kind) { return slots_[kind == GameKind::Regular ? 0 : 1]; }

    void startLocked(GameKind kind, Slot& s) {
        if (s.tables || s.worker.joinable())
            return;
        s.worker = std::thread([this, kind, &s] {
            std::shared_ptr<const Tables> built = Tables::build(kind, &cancel_);
            if (!built)
                return;
            {
                std::lock_guard lock(mutex_);
                s.tables = std::move(built);
            }
            built_.notify_all();
        });
    }

    std::mutex mutex_;
    std::condition_variable built_;
    std::atomic<bool> cancel_{false};
    std::array<Slot, 2> slots_;
};

} // namespace

void SharedTables::prepare(GameKind kind) {
    Registry::get().ready(kind);
}

std::shared_ptr<const Tables> SharedTables::ready(GameKind kind) {
    return Registry::get().ready(kind);
}

std::shared_ptr<const Tables> SharedTables::wait(GameKind kind) {
    return Registry::get().wait(kind);
}

} // namespace zb::strategy
