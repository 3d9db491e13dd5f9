#pragma once
// Turns SIGINT, SIGTERM and (optionally) SIGHUP into a Qt callback on the GUI thread. The signal
// handler only writes one byte to a pipe; everything else happens in the event loop.

#include <QObject>
#include <functional>
#include <initializer_list>

class QSocketNotifier;

namespace zb {

class SignalWatcher : public QObject {
    Q_OBJECT
public:
    SignalWatcher(std::initializer_list<int> signalNumbers,
                  std::function<void(int signal)> onSignal, QObject* parent = nullptr);
    ~SignalWatcher() override;

private:
    void onReadable();

    std::function<void(int)> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace zb
