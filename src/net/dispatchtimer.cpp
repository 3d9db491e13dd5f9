#include "net/dispatchtimer.h"

#include "net/guard.h"

#include <QPointer>
#include <algorithm>

namespace zb {

DispatchTimer::DispatchTimer(std::chrono::milliseconds interval, std::function<void()> tick,
                             std::function<bool()> hasWork, QObject* parent)
    : QObject(parent), interval_(interval), tick_(std::move(tick)), hasWork_(std::move(hasWork)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &DispatchTimer::onTimeout);
}

void DispatchTimer::wake() {
    if (timer_.isActive())
        return;
    const qint64 since = sinceLastTick_.isValid() ? sinceLastTick_.elapsed() : interval_.count();
    timer_.start(std::chrono::milliseconds(std::max<qint64>(0, interval_.count() - since)));
}

void DispatchTimer::stop() {
    timer_.stop();
}

void DispatchTimer::onTimeout() {
    sinceLastTick_.start();
    QPointer<DispatchTimer> alive(this);
    guarded([&] { tick_(); });
    if (!alive)
        return; // the tick closed the window that owns us
    // A handler may have woken us meanwhile; only re-arm when still idle.
    bool more = false;
    guarded([&] { more = hasWork_(); });
    if (more && !timer_.isActive())
        timer_.start(interval_);
}

} // namespace zb
