#include "table/core/tablelink.h"

#include "net/errors.h"
#include "net/guard.h"
#include "net/tsock.h"
#include "table/core/tablecore.h"

namespace zb {

TableLink::TableLink(TableCore& core, QObject* parent)
    : QObject(parent), core_(core), alive_(&core) {
    sock_ = new TSock(this);
    sock_->setPortName(QStringLiteral("7772"));
    lobby_ = new TSock(this);
    lobby_->setHostName(QStringLiteral("127.0.0.1"));
    lobby_->setPortName(QStringLiteral("9001"));
    sock_->OnRead = [this](TSock*, int) { guarded([&] { sockRead(); }); };
    sock_->OnInfo = [this](TSock*, TSocketInfo info, const QString& msg) {
        guarded([&] { sockInfo(info, msg); });
    };
    core_.setSend([this](const QByteArray& message) { sock_->send(message); });
}

TableLink::~TableLink() {
    // The handlers point into this object; none may run while it is torn down.
    sock_->OnRead = nullptr;
    sock_->OnInfo = nullptr;
    // The core may go first (a sibling under the same parent); it then sends nowhere anyway.
    if (alive_)
        core_.setSend(nullptr);
}

void TableLink::setGamePort(const QString& port) {
    sock_->setPortName(port);
}

void TableLink::setLobbyPort(const QString& port) {
    lobby_->setPortName(port);
}

QString TableLink::hostAddress() const {
    return sock_->hostName();
}

void TableLink::start(const QStringList& args) {
    if (args.isEmpty()) {
        core_.announce(QStringLiteral("Loading Solo Game..Please wait."));
        host(QStringLiteral("You"), true);
        return;
    }
    core_.announce(QStringLiteral("Loading Multi-player Game.. Please Wait."));
    if (args.size() < 3)
        return;
    if (args[2] == QLatin1String("true"))
        host(args[0], false);
    else
        join(args[0], args[1]);
    // The presence connection for the lobby: no handlers, no traffic, silent if refused.
    lobby_->open();
}

void TableLink::host(const QString& playername, bool solo) {
    if (hosting_.startHost) {
        try {
            hosting_.startHost(false);
        } catch (const ESockException&) {
            if (!solo) {
                // The failure is reported as it is; the chat says what it means for the game.
                core_.portTaken(sock_->portName());
                throw;
            }
            hosting_.startHost(true);
        }
    }
    sock_->setHostName(QStringLiteral("127.0.0.1"));
    sock_->open();
    if (hosting_.connecting)
        hosting_.connecting(*sock_);
    core_.setPlayer(playername, true);
}

void TableLink::join(const QString& playername, const QString& address) {
    core_.setPlayer(playername, false);
    sock_->setHostName(address);
    joining_ = true;
    openJoin();
}

void TableLink::joinAgain() {
    if (!canJoinAgain())
        return;
    core_.announce(QStringLiteral("Connecting to ") + sock_->hostName() + QStringLiteral("..."));
    // The failed socket stays until it is closed; closing it is no lost connection.
    reopening_ = true;
    sock_->close();
    reopening_ = false;
    openJoin();
}

void TableLink::openJoin() {
    setFailed(false);
    try {
        sock_->open();
    } catch (const ESockException& e) {
        setFailed(true);
        core_.connectFailed(sock_->hostName(), sock_->portName(), QString::fromUtf8(e.what()));
        throw;
    }
}

void TableLink::setFailed(bool failed) {
    failed_ = failed;
    emit joinAgainOffered(canJoinAgain());
}

void TableLink::sockRead() {
    if (!core_.receive(sock_->receive())) {
        // A host that sends endless text without a terminator, or more than the table can queue,
        // is treated as lost.
        sock_->close();
    }
}

void TableLink::sockInfo(TSocketInfo info, const QString& msg) {
    if (info == TSocketInfo::siError && !sock_->connected() && !closed_) {
        // The connect failed: the player learns why, and the window stays for another try.
        setFailed(true);
        core_.connectFailed(sock_->hostName(), sock_->portName(), msg);
        return;
    }
    if (msg != QLatin1String("Socket Closed") || reopening_)
        return;
    closed_ = true;
    core_.connectionClosed();
}

} // namespace zb
