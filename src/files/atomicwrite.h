#pragma once
// Replacing one of the player's files (the settings, the tally) with new contents, all or nothing.
//
// QSaveFile writes a temporary file beside the real one and renames it over the real one at
// commit(). Its writes are buffered, though, and a flush that fails inside commit() (a full disk,
// a quota, a file size limit) does not stop the rename: the real file would be replaced by an
// empty or cut one. So every step is checked here before the commit: the write, the flush and
// the sync to the disk. On any failure the temporary file is dropped and the old file stays as
// it was.

#include <QByteArrayView>
#include <QString>
#include <functional>

namespace zb::files {

// The steps of one write, in their order.
enum class WriteStep { Open, Write, Flush, Sync, Commit };

// Writes bytes to path, creating its folder if needed. Returns an empty string, or the error text
// "<path> : <reason>" with the file on disk as it was before.
QString writeAtomically(const QString& path, QByteArrayView bytes);

// Test seam: asked before each step; true makes that step fail as on a full disk. Returns the
// seam it replaces (none by default).
using WriteFault = std::function<bool(WriteStep step)>;
WriteFault setWriteFault(WriteFault fault);

} // namespace zb::files
