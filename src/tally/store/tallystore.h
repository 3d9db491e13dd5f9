#pragma once
// The tally file on disk: read at start, written after every recorded game and at the end of the
// program. Writes replace the file atomically (QSaveFile), so a crash never leaves half a file.
// A file that cannot be read is not lost: the first write afterwards moves it aside as
// zorbinettally.tld.bad before the new one takes its place.

#include <QString>

namespace zb {

class TallyModel;

class TallyStore {
public:
    static inline const QString kFileName = QStringLiteral("zorbinettally.tld");
    static inline const QString kBadSuffix = QStringLiteral(".bad");

    explicit TallyStore(QString folder);

    QString path() const;
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
    QString folder_;
    bool badPending_ = false;
};

} // namespace zb
