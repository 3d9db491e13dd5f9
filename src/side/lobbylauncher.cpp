#include "side/lobbylauncher.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace zb {

SystemLobbyLauncher::SystemLobbyLauncher(QString fallback) : fallback_(std::move(fallback)) {}

bool SystemLobbyLauncher::startInstaller(const QString& path, const QStringList& arguments) {
    const QFileInfo info(path);
    if (!info.isFile())
        return false;
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner | QFile::ReadOwner);
    // startDetached reports a program that the system refuses to run (not executable, not a
    // program for this machine) as a failure.
    return QProcess::startDetached(info.absoluteFilePath(), arguments, info.absolutePath());
}

QString SystemLobbyLauncher::findLobby() {
    const QString onPath = QStandardPaths::findExecutable(QString::fromLatin1(kLobbyName));
    if (!onPath.isEmpty())
        return onPath;
    const QFileInfo fallback(fallback_);
    if (!fallback_.isEmpty() && fallback.isFile() && fallback.isExecutable())
        return fallback.absoluteFilePath();
    return {};
}

bool SystemLobbyLauncher::startLobby(const QString& path) {
    return !path.isEmpty() && QProcess::startDetached(path, {});
}

LobbyLauncher& systemLobbyLauncher() {
    static SystemLobbyLauncher launcher;
    return launcher;
}

} // namespace zb
