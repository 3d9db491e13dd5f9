#include "apps/zorbinet/singleinstance.h"

#include "net/guard.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QSysInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zb {
namespace {
constexpr auto kName = "vidro5";
constexpr int kConnectWaitMs = 1000;
constexpr QByteArrayView kRaise = "raise\n";

QString systemError(const QString& path, int error) {
    return QDir::toNativeSeparators(path) + QStringLiteral(": ") + qt_error_string(error);
}

// For people and for copies of the game that used QLockFile: the same three lines, so such a copy
// sees a live holder too.
QByteArray holderText() {
    return QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
           QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8() + '\n' +
           QSysInfo::machineHostName().toUtf8() + '\n';
}

} // namespace

SingleInstance::SingleInstance(QString folder, QObject* parent)
    : QObject(parent), folder_(folder.isEmpty() ? defaultFolder() : std::move(folder)) {}

SingleInstance::~SingleInstance() {
    if (fd_ >= 0)
        ::close(fd_);
}

QString SingleInstance::defaultFolder() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath() + QStringLiteral("/zorbinet-%1").arg(::geteuid());
    return dir;
}

QString SingleInstance::unfitFolder(const QString& folder) {
    if (folder.isEmpty())
        return QStringLiteral("there is no runtime folder");
    QDir().mkpath(QFileInfo(folder).absolutePath());
    const QByteArray path = QFile::encodeName(folder);
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return systemError(folder, errno);
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0)
        return systemError(folder, errno);
    const QString name = QDir::toNativeSeparators(folder);
    if (S_ISLNK(info.st_mode))
        return name + QStringLiteral(" is a symbolic link");
    if (!S_ISDIR(info.st_mode))
        return name + QStringLiteral(" is not a folder");
    if (info.st_uid != ::geteuid())
        return name + QStringLiteral(" belongs to another user");
    // Whatever others could write into it may have been put there to stop the game.
    if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return name + QStringLiteral(" can be written by other users");
    if ((info.st_mode & 0777) != 0700 && ::chmod(path.constData(), 0700) != 0)
        return systemError(folder, errno);
    return {};
}

SingleInstance::Outcome SingleInstance::fail(const QString& problem) {
    problem_ = problem;
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    return Outcome::Undetectable;
}

SingleInstance::Outcome SingleInstance::acquire() {
    if (const QString unfit = unfitFolder(folder_); !unfit.isEmpty())
        return fail(unfit);
    const QString base = folder_ + QLatin1Char('/') + QLatin1String(kName);
    const QString lockPath = base + QStringLiteral(".lock");
    // O_CLOEXEC: a program this one starts (the lobby, its installer) must not inherit the lock
    // and keep it after the game has ended.
    fd_ = ::open(QFile::encodeName(lockPath).constData(),
                 O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0600);
    if (fd_ < 0)
        return fail(systemError(lockPath, errno));
    struct stat info {};
    if (::fstat(fd_, &info) != 0)
        return fail(systemError(lockPath, errno));
    if (!S_ISREG(info.st_mode))
        return fail(QDir::toNativeSeparators(lockPath) + QStringLiteral(" is not a regular file"));
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK)
            return fail(systemError(lockPath, errno));
        ::close(fd_);
        fd_ = -1;
        askToRaise(base);
        return Outcome::Running;
    }
    // What the file said before is of no account: whoever held it is gone. The new text is only
    // a note for people; the kernel's lock is what counts, so failing to write it changes nothing.
    const QByteArray text = holderText();
    [[maybe_unused]] const bool noted =
        ::ftruncate(fd_, 0) == 0 &&
        ::write(fd_, text.constData(), size_t(text.size())) == ssize_t(text.size());
    listen(base);
    return Outcome::Only;
}

void SingleInstance::listen(const QString& base) {
    QLocalServer::removeServer(base); // a socket left by a copy that crashed
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    server_->listen(base);
}

void SingleInstance::askToRaise(const QString& base) {
    QLocalSocket peer;
    peer.connectToServer(base);
    if (!peer.waitForConnected(kConnectWaitMs))
        return;
    peer.write(kRaise.data(), kRaise.size());
    raised_ = peer.waitForBytesWritten(kConnectWaitMs) || peer.bytesToWrite() == 0;
    peer.disconnectFromServer();
}

void SingleInstance::onNewConnection() {
    while (QLocalSocket* peer = server_->nextPendingConnection()) {
        connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
            guarded([&] {
                if (peer->readAll().contains("raise") && onRaise_)
                    onRaise_();
            });
        });
        connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
    }
}

} // namespace zb
