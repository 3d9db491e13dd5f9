#pragma once
// Reading one of the player's files whole, and only when it is a regular file: a FIFO in its
// place would hold up the start of the program for ever, and a device could be endless. The kind
// of file is judged on the file that was opened, so nothing can swap it in between.

#include <QByteArray>
#include <QString>

namespace zb::files {

struct ReadFile {
    enum class Status {
        Missing,    // no such file (or a file where one of its folders should be)
        Read,       // bytes holds the whole file
        NotRegular, // a folder, FIFO, socket or device
        TooLarge,   // more than the limit
        Failed,     // no permission, or an error while reading
    };
    Status status = Status::Missing;
    QByteArray bytes;
    QString reason; // why it was not read, for every status but Missing and Read
    bool ok() const { return status == Status::Read; }
};

ReadFile readRegularFile(const QString& path, qint64 maxSize);

} // namespace zb::files
