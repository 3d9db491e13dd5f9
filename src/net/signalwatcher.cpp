#include "net/signalwatcher.h"

#include "net/guard.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace zb {
namespace {

int pipeFds[2] = {-1, -1};

void handler(int sig) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(sig);
    [[maybe_unused]] ssize_t n = ::write(pipeFds[1], &byte, 1);
    errno = saved;
}

} // namespace

SignalWatcher::SignalWatcher(std::initializer_list<int> signalNumbers,
                             std::function<void(int)> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal)) {
    if (pipeFds[0] < 0) {
        if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0)
            return;
    }
    notifier_ = new QSocketNotifier(pipeFds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SignalWatcher::onReadable);
    struct sigaction sa = {};
    sa.sa_handler = handler;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : signalNumbers)
        ::sigaction(sig, &sa, nullptr);
}

SignalWatcher::~SignalWatcher() = default;

void SignalWatcher::onReadable() {
    unsigned char byte = 0;
    while (::read(pipeFds[0], &byte, 1) == 1) {
        const int sig = byte;
        guarded([&] {
            if (onSignal_)
                onSignal_(sig);
        });
    }
}

} // namespace zb
