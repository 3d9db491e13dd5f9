#pragma once
// A table core that the host has given a seat: what a window's chat and phrase buttons send
// through once the login is done.

#include "table/core/session.h"
#include "table/core/tablecore.h"

#include <QByteArray>

namespace zbtest {

// The host's login request, handled at once; the core's answer is sent like any request.
inline void logIn(zb::TableCore& core, int seat) {
    core.receive("CMD_sendlogininfo+" + QByteArray::number(seat) + '\xFF');
    core.session().processsocktimer();
}

} // namespace zbtest
