#pragma once
// What the lobby's installer is called on disk, and what the download must never be called: it
// is stored in the folder that also holds the program's own files, so an installer address that
// ends in one of their names would replace that file.

#include <QString>

namespace zb {

// The last segment of the address's path, without query or fragment; empty when the address
// names no file or names one the download may not take (isReservedFileName, ".", "..", or a
// name with a control character).
QString installerFileName(const QString& url);

// The program's own files: the settings file, the tally and the tally kept as unreadable, and
// the program's executables, the running one included. Compared without regard to case, as the
// settings file itself is shared with a program that does so.
bool isReservedFileName(const QString& name);

} // namespace zb
