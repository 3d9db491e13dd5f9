#pragma once
// The table's end of the connection to the host: the bytes that arrive are cut into messages
// (received bytes after the last 0xFF wait in pendingtext), queued in receivedlist, and handed one
// per tick of Timer1 to the handler of their command word. Requests leave whole through the send
// function, so the session needs no socket. The receive path never runs a handler itself, so a
// burst of messages is shown one step per tick, in the order received.

#include "net/peerreports.h"
#include "net/protocol.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <chrono>
#include <functional>
#include <utility>
#include <vector>

namespace zb {

class DispatchTimer;

class Session : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(proto::Fields& fields)>;
    using Send = std::function<void(const QByteArray& message)>;
    static constexpr std::chrono::milliseconds kTick{1};
    // What the queue may hold before the host is taken for lost: far more than any game sends
    // ahead of the table (a burst is a few dozen messages), and little memory.
    static constexpr qsizetype kMaxQueued = 2048;
    static constexpr qsizetype kMaxQueuedBytes = 4 * 1024 * 1024;

    explicit Session(QObject* parent = nullptr);
    ~Session() override;

    // Where requests go (the socket's send, or a test's recorder). It may throw.
    void setSend(Send send) { send_ = std::move(send); }

    // The dispatch table: words are compared exactly, with case, in the order added.
    void addHandler(QByteArray word, Handler handler);

    // The bytes of one read. Returns false when more than the cap has come without a terminator,
    // or when the queue would hold more than kMaxQueued messages or kMaxQueuedBytes bytes: what
    // is waiting is dropped and the connection is to be closed.
    bool receive(QByteArrayView bytes);
    // One tick: the oldest queued message goes to its handler. A handler's failure propagates.
    void processsocktimer();
    // Where the timer's ticks report what a message of the host's could not be handled: quietly,
    // briefly and seldom, never in a window, since the host may be anyone.
    PeerReports& reports() { return reports_; }

    // Sends a request built by zb::msg::toHost; without a send function it goes nowhere.
    void send(const QByteArray& message);

    qsizetype queued() const { return receivedlist_.size(); }
    qsizetype queuedBytes() const { return queuedBytes_; }
    const QByteArray& pendingtext() const { return framer_.pending(); }
    DispatchTimer& Timer1() { return *timer_; }

    // Runs after every dispatched message, whether its handler succeeded or not.
    void setAfterMessage(std::function<void()> after) { afterMessage_ = std::move(after); }

    // A second job of the tick (the phrase buttons' cool-down): while pending() is true the timer
    // keeps ticking and each tick calls tick() after the message, if any.
    void setCooldown(std::function<bool()> pending, std::function<void()> tick);
    // Work for the cool-down has begun: the timer starts if it is idle.
    void wake();

private:
    void onTick();
    bool hasWork() const;

    Send send_;
    proto::Framer framer_;
    QList<QByteArray> receivedlist_;
    qsizetype queuedBytes_ = 0;
    std::vector<std::pair<QByteArray, Handler>> handlers_;
    std::function<void()> afterMessage_;
    std::function<bool()> cooldownPending_;
    std::function<void()> cooldownTick_;
    DispatchTimer* timer_ = nullptr;
    PeerReports reports_;
};

} // namespace zb
