#pragma once
// How long the host waits on a connection before it gives up on it and releases the slot. Nine
// connections that never log in, or that trickle a message in a byte at a time, would otherwise
// hold every slot forever and turn every real player away with CMD_full. Tests inject short
// ones through TServer::setTimeouts.

#include <chrono>

namespace zb::host {

struct Timeouts {
    // From acceptance until the connection's login has been handled.
    std::chrono::milliseconds login = std::chrono::seconds(30);
    // From the first byte of a message until its terminator.
    std::chrono::milliseconds unfinishedMessage = std::chrono::seconds(30);
};

} // namespace zb::host
