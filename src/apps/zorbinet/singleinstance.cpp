#include "apps/zorbinet/singleinstance.h"

#include "net/guard.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <unistd.h>

namespace zb {
namespace {
constexpr auto kName = "vidro5";
constexpr int kConnectWaitMs = 1000;
constexpr QByteArrayView kRaise = "raise\n";
} // namespace

SingleInstance::SingleInstance(QString folder, QObject* parent)
    : QObject(parent), folder_(folder.isEmpty() ? defaultFolder() : std::move(folder)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultFolder() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath() + QStringLiteral("/zorbinet-%1").arg(::getuid());
    return dir;
}

bool SingleInstance::acquire() {
    QDir().mkpath(folder_);
    const QString base = folder_ + QLatin1Char('/') + QLatin1String(kName);
    lock_ = std::make_unique<QLockFile>(base + QStringLiteral(".lock"));
    lock_->setStaleLockTime(0); // a lock whose process is gone is taken over
    if (!lock_->tryLock(0)) {
        lock_.reset();
        QLocalSocket peer;
        peer.connectToServer(base);
        if (peer.waitForConnected(kConnectWaitMs)) {
            peer.write(kRaise.data(), kRaise.size());
            peer.waitForBytesWritten(kConnectWaitMs);
            peer.disconnectFromServer();
        }
        return false;
    }
    QLocalServer::removeServer(base); // a socket left by a copy that crashed
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    server_->listen(base);
    return true;
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
