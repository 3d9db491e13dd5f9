#pragma once
// The dispatch tick of a receive queue. It runs only while there is work: an idle game costs no
// CPU. When work arrives at an idle dispatcher whose last tick is at least one interval ago, the
// first tick comes on the next turn of the event loop rather than a full interval later; later
// ticks keep the interval, so a burst is still handled one message per interval.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

namespace zb {

class DispatchTimer : public QObject {
    Q_OBJECT
public:
    // tick handles one unit of work (it may throw: the error goes to the error report and the
    // ticking goes on); hasWork tells whether anything is waiting.
    DispatchTimer(std::chrono::milliseconds interval, std::function<void()> tick,
                  std::function<bool()> hasWork, QObject* parent = nullptr);

    // Work has arrived; starts ticking if idle.
    void wake();
    void setInterval(std::chrono::milliseconds interval) { interval_ = interval; }
    // Stops ticking until the next wake().
    void stop();
    bool isActive() const { return timer_.isActive(); }
    std::chrono::milliseconds interval() const { return interval_; }

private:
    void onTimeout();

    std::chrono::milliseconds interval_;
    std::function<void()> tick_;
    std::function<bool()> hasWork_;
    QTimer timer_;
    QElapsedTimer sinceLastTick_;
};

} // namespace zb
