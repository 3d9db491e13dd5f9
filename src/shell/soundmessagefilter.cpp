#include "shell/soundmessagefilter.h"

#include <QLatin1String>
#include <atomic>
#include <cstdio>

namespace zb {

namespace {

std::atomic<QtMessageHandler> nextHandler{nullptr};

void filter(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (isMissingAudioMessage(type, message))
        return;
    if (const QtMessageHandler next = nextHandler.load()) {
        next(type, context, message);
        return;
    }
    const QString line = qFormatLogMessage(type, context, message);
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
}

} // namespace

bool isMissingAudioMessage(QtMsgType type, const QString& message) {
    if (type != QtWarningMsg && type != QtDebugMsg && type != QtInfoMsg)
        return false;
    return message == QLatin1String("PulseAudioService: pa_context_connect() failed") ||
           message == QLatin1String("No audio device detected");
}

void installAudioMessageFilter() {
    const QtMessageHandler previous = qInstallMessageHandler(filter);
    if (previous != filter)
        nextHandler.store(previous);
}

} // namespace zb
