#pragma once
// Every entry point from Qt's event loop (socket notification, timer tick, UI slot) runs its body
// through guarded(), so no exception ever crosses the event loop. What it catches goes to the
// process's error reporter: a message box in the game, a line on standard error in the host.

#include <QString>
#include <exception>
#include <functional>
#include <utility>

namespace zb {

using ErrorReporter = std::function<void(const QString& text)>;

// Replaces the process-wide reporter and returns the previous one (tests restore it).
ErrorReporter setErrorReporter(ErrorReporter reporter);
void reportError(const QString& text);

template <class F> void guarded(F&& body) noexcept {
    try {
        std::forward<F>(body)();
    } catch (const std::exception& e) {
        reportError(QString::fromUtf8(e.what()));
    } catch (...) {
        reportError(QStringLiteral("Unknown error"));
    }
}

} // namespace zb
