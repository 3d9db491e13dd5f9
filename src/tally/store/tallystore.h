#pragma once
// The tally file on disk: read at start, written after every recorded game and at the end of the
// program. Writes replace the file atomically and are checked to their end, so neither a crash
// nor a full disk ever leaves half a file or an empty one. A file that cannot be read (corrupt,
// or no regular file at all) is not lost: the first write afterwards moves it aside as
// zorbinettally.tld.bad before the new one takes its place.
//
// While the folder has no file yet, the tally is read from the place's fallback (the program's
// folder that cannot be written), and written to the folder.

#include "files/dataplace.h"

#include <QString>

namespace zb {

class TallyModel;

class TallyStore {
public:
    static inline const QString kFileName = QStringLiteral("zorbinettally.tld");
    static inline const QString kBadSuffix = QStringLiteral(".bad");

    explicit TallyStore(files::DataPlace place);

    // Where the file is written.
    QString path() const;
    // Where it is read from.
    QString readPath() const;
    QString badPath() const;

    // Reads the file into model. Returns an empty string when the file was read or there is none,
    // otherwise the error text; the model then keeps what it held.
    QString load(TallyModel& model);
    // Writes the model. Returns an empty string, or the error text; nothing is lost by a failed
    // write, since every write carries the whole table.
    QString save(const TallyModel& model);

    // A file was found unreadable and has not been moved aside yet.
    bool keepingBadFile() const { return badPending_; }

private:
    files::DataPlace place_;
    bool badPending_ = false;
};

} // namespace zb
