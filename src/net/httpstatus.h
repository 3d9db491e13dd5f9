#pragma once
// The standard name of an HTTP status, for telling the player what a server answered. A
// server's own reason phrase is never shown: it is the server's text, not ours.

#include <QString>

namespace zb {

// "404 Not Found"; a status without a standard name is its number alone ("599").
QString httpStatusText(int status);

} // namespace zb
