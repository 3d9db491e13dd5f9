#include "net/guard.h"

#include <cstdio>

namespace zb {
namespace {

ErrorReporter& reporterSlot() {
    static ErrorReporter reporter = [](const QString& text) {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        std::fflush(stderr);
    };
    return reporter;
}

} // namespace

ErrorReporter setErrorReporter(ErrorReporter reporter) {
    return std::exchange(reporterSlot(), std::move(reporter));
}

void reportError(const QString& text) {
    // A reporter that throws must not undo the guard that called it.
    try {
        if (reporterSlot())
            reporterSlot()(text);
    } catch (...) {
    }
}

} // namespace zb
