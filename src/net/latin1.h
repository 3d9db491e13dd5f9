#pragma once
// Text crosses the wire and the files as 8-bit Latin-1, one byte per character, and the byte 0xFF
// ends a message. The table converts at its edges: whatever a player types or gives on the
// command line goes through toWire, so no typed text can split a message or inject another.

#include <QByteArray>
#include <QString>

namespace zb {

// Latin-1 bytes; every character Latin-1 cannot hold, and U+00FF itself, becomes '?'. A character
// outside the basic plane (a surrogate pair) is one character and becomes one '?'.
QByteArray toWire(const QString& text);

// Latin-1 decoding: every byte is the character of the same number.
QString fromWire(const QByteArray& bytes);

} // namespace zb
