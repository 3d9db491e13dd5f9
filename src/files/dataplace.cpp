#include "files/dataplace.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <sys/stat.h>

namespace zb::files {
namespace {

// Anything at all under that name, even a dangling link or a FIFO: such a file is the player's
// (unreadable) file, and must not be passed over for an older copy elsewhere.
bool present(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

} // namespace

QString DataPlace::writePath(const QString& fileName) const {
    return QDir(folder).filePath(fileName);
}

bool DataPlace::readsFallback(const QString& fileName) const {
    return !fallback.isEmpty() && !present(writePath(fileName)) &&
           present(QDir(fallback).filePath(fileName));
}

QString DataPlace::readPath(const QString& fileName) const {
    return readsFallback(fileName) ? QDir(fallback).filePath(fileName) : writePath(fileName);
}

DataPlace chooseDataPlace(const QString& programFolder, const QString& userFolder) {
    if (programFolder.isEmpty())
        return DataPlace(userFolder);
    const QFileInfo info(programFolder);
    // An installed program lives in a shared bin/ folder (/usr/bin, ~/.local/bin): a player's
    // files do not belong there, even where it is writable, and none found there are his.
    if (info.fileName() == QLatin1String("bin") || !info.isDir())
        return DataPlace(userFolder);
    if (info.isWritable())
        return DataPlace(programFolder);
    return DataPlace(userFolder, programFolder);
}

DataPlace dataPlace() {
    return chooseDataPlace(QCoreApplication::applicationDirPath(),
                           QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

} // namespace zb::files
