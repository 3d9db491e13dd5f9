#pragma once
// The messages waiting for the host's dispatcher: one queue per slot, each in arrival order,
// taken round-robin from the slots that have messages waiting. A quiet player's request then
// waits at most one dispatcher tick per busy connection, however much the others send.

#include "host/playertable.h"

#include <QByteArray>
#include <array>
#include <deque>
#include <optional>

namespace zb::host {

// What one connection may keep waiting. An honest table sends a handful of messages in a burst
// (a login, a start with seats set to watch, a few holds and a roll, a chat line or two), and
// under full load each of nine connections gets a tick every 90 ms; more waiting than this is a
// flood. The bytes bound a connection that sends few but huge messages (each may be up to 64 KiB
// long): nine queues hold at most 9 MiB.
constexpr int kMaxQueuedPerConnection = 32;
constexpr qsizetype kMaxQueuedBytesPerConnection = 1024 * 1024;

class ReceiveQueues {
public:
    struct Taken {
        int slot;
        QByteArray message;
    };

    // Appends a message of a slot; false (and nothing kept) when the slot's queue is full.
    bool push(int slot, QByteArray message);
    // The front message of the next slot in turn that has one; the turn then moves past it.
    std::optional<Taken> takeNext();
    // Drops everything a slot has waiting (its connection left or a new one took the slot).
    void clear(int slot);

    bool empty() const { return total_ == 0; }
    qsizetype size() const { return total_; }
    qsizetype size(int slot) const;

private:
    struct Queue {
        std::deque<QByteArray> messages;
        qsizetype bytes = 0;
    };
    static int index(int slot) { return validSlot(slot) ? slot : 0; }

    std::array<Queue, kSlots + 1> queues_; // index 0 unused
    int turn_ = 1;                         // the slot looked at first by the next take
    qsizetype total_ = 0;
};

} // namespace zb::host
