#include "table/core/session.h"

#include "net/dispatchtimer.h"
#include "net/guard.h"

namespace zb {

Session::Session(QObject* parent) : QObject(parent) {
    reports_.setSource(QStringLiteral("host"));
    timer_ = new DispatchTimer(
        kTick, [this] { onTick(); }, [this] { return hasWork(); }, this);
}

Session::~Session() = default;

void Session::addHandler(QByteArray word, Handler handler) {
    handlers_.emplace_back(std::move(word), std::move(handler));
}

bool Session::receive(QByteArrayView bytes) {
    const qsizetype before = receivedlist_.size();
    const bool ok = framer_.feed(bytes, receivedlist_);
    for (qsizetype i = before; i < receivedlist_.size(); ++i)
        queuedBytes_ += receivedlist_[i].size();
    if (receivedlist_.size() > kMaxQueued || queuedBytes_ > kMaxQueuedBytes) {
        receivedlist_.clear();
        queuedBytes_ = 0;
        return false;
    }
    if (receivedlist_.size() > before)
        timer_->wake();
    return ok;
}

bool Session::hasWork() const {
    return !receivedlist_.isEmpty() || (cooldownPending_ && cooldownPending_());
}

void Session::onTick() {
    // A message that fails is reported on its own, so the cool-down is still counted this tick.
    const bool hadMessage = !receivedlist_.isEmpty();
    reports_.run([&] { processsocktimer(); });
    if (hadMessage && afterMessage_)
        afterMessage_();
    if (cooldownTick_ && cooldownPending_ && cooldownPending_())
        cooldownTick_();
}

void Session::processsocktimer() {
    if (receivedlist_.isEmpty())
        return;
    const QByteArray line = receivedlist_.takeFirst();
    queuedBytes_ -= line.size();
    proto::Command command = proto::splitCommand(line);
    if (command.word.isEmpty())
        return;
    for (const auto& [word, handler] : handlers_) {
        if (word == command.word) {
            proto::Fields fields(std::move(command.args));
            handler(fields);
            return;
        }
    }
}

void Session::send(const QByteArray& message) {
    if (send_)
        send_(message);
}

void Session::setCooldown(std::function<bool()> pending, std::function<void()> tick) {
    cooldownPending_ = std::move(pending);
    cooldownTick_ = std::move(tick);
}

void Session::wake() {
    timer_->wake();
}

} // namespace zb
