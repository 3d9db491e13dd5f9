#include "host/receivequeues.h"

namespace zb::host {

bool ReceiveQueues::push(int slot, QByteArray message) {
    if (!validSlot(slot))
        return false;
    Queue& q = queues_[slot];
    if (static_cast<int>(q.messages.size()) >= kMaxQueuedPerConnection ||
        q.bytes + message.size() > kMaxQueuedBytesPerConnection)
        return false;
    q.bytes += message.size();
    q.messages.push_back(std::move(message));
    ++total_;
    return true;
}

std::optional<ReceiveQueues::Taken> ReceiveQueues::takeNext() {
    if (total_ == 0)
        return std::nullopt;
    for (int step = 0; step < kSlots; ++step) {
        const int slot = (turn_ - 1 + step) % kSlots + 1;
        Queue& q = queues_[slot];
        if (q.messages.empty())
            continue;
        Taken taken{slot, std::move(q.messages.front())};
        q.messages.pop_front();
        q.bytes -= taken.message.size();
        --total_;
        turn_ = slot % kSlots + 1;
        return taken;
    }
    return std::nullopt;
}

void ReceiveQueues::clear(int slot) {
    Queue& q = queues_[index(slot)];
    total_ -= static_cast<qsizetype>(q.messages.size());
    q.messages.clear();
    q.bytes = 0;
}

qsizetype ReceiveQueues::size(int slot) const {
    return static_cast<qsizetype>(queues_[index(slot)].messages.size());
}

} // namespace zb::host
