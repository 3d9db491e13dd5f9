#include "host/deadlines.h"

#include "net/guard.h"

#include <QPointer>
#include <algorithm>
#include <vector>

namespace zb::host {

ConnectionDeadlines::ConnectionDeadlines(Expired expired, QObject* parent)
    : QObject(parent), expired_(std::move(expired)) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &ConnectionDeadlines::onTimeout);
}

void ConnectionDeadlines::admitted(int slot) {
    if (!validSlot(slot))
        return;
    due_[slot] = Due{Clock::now() + timeouts_.login, std::nullopt};
    rearm();
}

void ConnectionDeadlines::loggedIn(int slot) {
    if (!validSlot(slot) || !due_[slot].login)
        return;
    due_[slot].login.reset();
    rearm();
}

void ConnectionDeadlines::received(int slot, bool unfinished, bool startedNow) {
    if (!validSlot(slot))
        return;
    std::optional<Clock::time_point>& finish = due_[slot].finish;
    if (!unfinished) {
        if (!finish)
            return;
        finish.reset();
    } else if (startedNow || !finish) {
        finish = Clock::now() + timeouts_.unfinishedMessage;
    } else {
        return; // the same message goes on trickling in; its deadline stands
    }
    rearm();
}

void ConnectionDeadlines::released(int slot) {
    if (!validSlot(slot))
        return;
    due_[slot] = Due{};
    rearm();
}

void ConnectionDeadlines::rearm() {
    std::optional<Clock::time_point> earliest;
    for (int slot = 1; slot <= kSlots; ++slot) {
        for (const auto& at : {due_[slot].login, due_[slot].finish}) {
            if (at && (!earliest || *at < *earliest))
                earliest = at;
        }
    }
    if (!earliest) {
        timer_.stop();
        armedFor_.reset();
        return;
    }
    if (timer_.isActive() && armedFor_ == earliest)
        return;
    armedFor_ = earliest;
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*earliest - Clock::now());
    timer_.start(std::max(wait, std::chrono::milliseconds(0)));
}

void ConnectionDeadlines::onTimeout() {
    armedFor_.reset();
    const auto now = Clock::now();
    std::vector<int> expired;
    for (int slot = 1; slot <= kSlots; ++slot) {
        const Due& d = due_[slot];
        if ((d.login && *d.login <= now) || (d.finish && *d.finish <= now)) {
            due_[slot] = Due{};
            expired.push_back(slot);
        }
    }
    QPointer<ConnectionDeadlines> alive(this);
    for (int slot : expired) {
        guarded([&] { expired_(slot); });
        if (!alive)
            return;
    }
    rearm();
}

} // namespace zb::host
