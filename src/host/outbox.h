#pragma once
// Where the game's announcements go: the connection layer of the host delivers them to every
// slot in use, in slot order, or to one slot alone.

#include <QByteArray>

namespace zb::host {

class Outbox {
public:
    virtual ~Outbox() = default;
    virtual void sendToAll(const QByteArray& message) = 0;
    // Nothing is sent when the slot is not in use.
    virtual void sendTo(int slot, const QByteArray& message) = 0;
};

} // namespace zb::host
