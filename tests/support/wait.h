#pragma once
// Waiting in tests: run the event loop until a condition holds or a deadline passes. Tests never
// sleep for luck; they wait for what they need and fail with a clear message at the deadline.

#include "support/qtprint.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>
#include <chrono>
#include <functional>

namespace zbtest {

inline bool waitFor(const std::function<bool()>& cond,
                    std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    QDeadlineTimer deadline(timeout);
    while (!cond()) {
        if (deadline.hasExpired())
            return cond();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // Qt 6 has no query for pending events; a short nap keeps the wait from spinning.
        QThread::usleep(200);
    }
    return true;
}

// Runs the event loop for a while; used only to show that something does NOT happen.
inline void pump(std::chrono::milliseconds span) {
    QDeadlineTimer deadline(span);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

} // namespace zbtest
