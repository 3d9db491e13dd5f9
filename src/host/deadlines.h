#pragma once
// The deadlines of the host's connections: the login that is due and the message left
// unfinished. One single-shot timer is armed for the earliest of them and stays stopped while
// nothing is due, so an idle host costs no CPU.

#include "host/playertable.h"
#include "host/timeouts.h"

#include <QObject>
#include <QTimer>
#include <array>
#include <chrono>
#include <functional>
#include <optional>

namespace zb::host {

class ConnectionDeadlines : public QObject {
    Q_OBJECT
public:
    // Called (through the guard) for each slot whose deadline has passed; the slot's deadlines
    // are cleared before the call.
    using Expired = std::function<void(int slot)>;
    explicit ConnectionDeadlines(Expired expired, QObject* parent = nullptr);

    void setTimeouts(const Timeouts& timeouts) { timeouts_ = timeouts; }
    const Timeouts& timeouts() const { return timeouts_; }

    // A connection took the slot: its login is due.
    void admitted(int slot);
    void loggedIn(int slot);
    // After a delivery: whether the slot's connection now has a message unfinished, and whether
    // that message began in this delivery (a terminator came, or nothing was pending before).
    void received(int slot, bool unfinished, bool startedNow);
    void released(int slot);

    bool armed() const { return timer_.isActive(); }
    // The deadline the timer is armed for, if it is: which of several is due first is then
    // checked exactly, without waiting for a timer.
    std::optional<std::chrono::steady_clock::time_point> armedFor() const {
        return timer_.isActive() ? armedFor_ : std::nullopt;
    }

private:
    using Clock = std::chrono::steady_clock;
    struct Due {
        std::optional<Clock::time_point> login;
        std::optional<Clock::time_point> finish;
    };

    void rearm();
    void onTimeout();

    std::array<Due, kSlots + 1> due_{}; // index 0 unused
    Timeouts timeouts_;
    Expired expired_;
    QTimer timer_;
    std::optional<Clock::time_point> armedFor_;
};

} // namespace zb::host
