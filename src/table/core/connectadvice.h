#pragma once
// What a failed connection means for the player and what to do about it, in words: the socket's
// report ("Error #10061 (WSAECONNREFUSED)") says what failed, not why or what next.

#include <QString>

namespace zb {

// The advice for a join whose connect to host on port failed with the socket's report; a report
// the table does not know gets a general one.
QString joinFailureAdvice(const QString& host, const QString& port, const QString& report);

// A hosting table whose game port is taken on this machine.
QString portTakenAdvice(const QString& port);

} // namespace zb
