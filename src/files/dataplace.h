#pragma once
// Where the player's files (the settings and the tally) live.
//
// In the program's folder when it is writable: a copy unpacked into a folder of its own keeps
// its files beside it. Otherwise in the per-user data folder; an installed program, whose folder
// is a shared bin/ folder, always uses that one. A copy that an administrator unpacked into a
// folder the player cannot write may hold the player's files all the same: each of them is then
// read from the program's folder until the per-user folder has one of its own, and written to
// the per-user folder, so nothing that was there is lost or hidden.

#include <QString>

namespace zb::files {

struct DataPlace {
    DataPlace() = default;
    // A folder of its own, with nowhere else to read from (tests, a chosen folder).
    DataPlace(QString folder, QString fallback = {}) // NOLINT: a folder is a place
        : folder(std::move(folder)), fallback(std::move(fallback)) {}

    QString folder;   // where the files are written, and read once they exist there
    QString fallback; // where a file is read while the folder has none; empty: nowhere

    QString writePath(const QString& fileName) const;
    // The folder's file when there is one (of any kind), else the fallback's when there is one,
    // else the folder's.
    QString readPath(const QString& fileName) const;
    // Whether readPath() is the fallback's file.
    bool readsFallback(const QString& fileName) const;
};

// The choice between the two folders (either may be empty or missing).
DataPlace chooseDataPlace(const QString& programFolder, const QString& userFolder);
// The choice for this program: its own folder and QStandardPaths::AppDataLocation.
DataPlace dataPlace();

} // namespace zb::files
