#include "host/tserver.h"

#include "net/dispatchtimer.h"
#include "net/guard.h"

#include <QTimer>
#include <chrono>

namespace zb {

using namespace std::chrono_literals;
using host::tplayer;
namespace toTable = zb::msg::toTable;

namespace {

constexpr auto kDispatchInterval = 10ms;
// A refused connection that does not take its one message within this time is closed anyway.
constexpr auto kRefusalGrace = 5s;
constexpr int kKeepAliveIdle = 60;
constexpr int kKeepAliveInterval = 10;
constexpr int kKeepAliveProbes = 6;

const QString kSocketClosed = QStringLiteral("Socket Closed");

void dropHandlers(TSock* sock) {
    sock->OnRead = {};
    sock->OnInfo = {};
    sock->OnDisconnect = {};
    sock->OnWrite = {};
}

} // namespace

TServer::TServer(std::function<int()> botSpeed, rules::Random& rng, QObject* parent)
    : QObject(parent) {
    setObjectName(QStringLiteral("Server"));
    Sock1 = new TSock(this);
    Sock1->setPortName(QStringLiteral("7772"));
    Sock1->OnAccept = [this](TSock* listener) { guarded([&] { Sock1Accept(listener); }); };
    game_ = new host::GameFlow(players_, *this, std::move(botSpeed), rng, this);
    socktimer = new DispatchTimer(
        kDispatchInterval, [this] { socktimerTimer(); }, [this] { return !receivedlist.empty(); },
        this);
}

TServer::~TServer() {
    socktimer->stop();
    // The connections close as the listener goes; nothing they report may reach a host that is
    // half torn down.
    for (int slot = 1; slot <= host::kSlots; ++slot) {
        if (TSock* sock = players_[slot].connection)
            dropHandlers(sock);
    }
    for (TSock* sock : Sock1->findChildren<TSock*>())
        dropHandlers(sock);
    Sock1->OnAccept = {};
    delete Sock1;
    Sock1 = nullptr;
}

void TServer::setPortName(const QString& port) {
    Sock1->setPortName(port);
}

QString TServer::portName() const {
    return Sock1->portName();
}

void TServer::setListening(bool on) {
    Sock1->setListen(on);
}

bool TServer::listening() const {
    return Sock1->listening();
}

quint16 TServer::port() const {
    return Sock1->localPort();
}

// --- Connections ---------------------------------------------------------------------------

void TServer::Sock1Accept(TSock* /*listener*/) {
    TSock* sock = nullptr;
    if (!Sock1->accept(sock) || !sock)
        return;
    if (!sock->parent())
        sock->setParent(Sock1);
    if (players_.chooseSlot() == 0) {
        refuse(sock);
        return;
    }
    admit(sock);
}

int TServer::admit(TSock* sock) {
    const int slot = players_.chooseSlot();
    if (slot == 0)
        return 0;
    players_.noteGiven(slot);
    tplayer& p = players_[slot];
    p.connected = true;
    p.connection = sock;
    p.connectionId = ++lastConnectionId_;
    p.name.clear();
    p.watching = false;
    p.framer.clear();
    p.queued = 0;
    p.cutOff = false;
    if (sock) {
        sock->setTag(slot);
        sock->OnRead = [this](TSock* s, int count) { guarded([&] { Sock1Read(s, count); }); };
        sock->OnDisconnect = [this](TSock* s) { guarded([&] { tempsockDisconnect(s); }); };
        sock->OnInfo = [this](TSock* s, TSocketInfo info, const QString& msg) {
            guarded([&] { tempsockInfo(s, info, msg); });
        };
        sock->OnWrite = {};
        sock->setKeepAlive(kKeepAliveIdle, kKeepAliveInterval, kKeepAliveProbes);
    }
    sendTo(slot, toTable::sendlogininfo(slot));
    return slot;
}

// The tenth connection is told that the game is full. It is closed only once that message has
// left, since closing with bytes still queued would lose them.
void TServer::refuse(TSock* sock) {
    dropHandlers(sock);
    sock->send(toTable::full());
    if (sock->pendingSendBytes() == 0) {
        sock->close();
        sock->deleteLater();
        return;
    }
    sock->OnWrite = [](TSock* s) {
        guarded([s] {
            if (s->pendingSendBytes() == 0 && s->hasSocket()) {
                s->close();
                s->deleteLater();
            }
        });
    };
    QTimer::singleShot(kRefusalGrace, sock, [sock] {
        guarded([sock] {
            sock->close();
            sock->deleteLater();
        });
    });
}

int TServer::slotOf(const TSock* sock) const {
    const int slot = sock->tag();
    return host::validSlot(slot) && players_[slot].connection == sock ? slot : 0;
}

void TServer::Sock1Read(TSock* sender, int /*count*/) {
    if (sender->pendingReceiveBytes() == 0)
        return;
    const QByteArray bytes = sender->receive();
    if (const int slot = slotOf(sender))
        queueFrom(slot, bytes);
}

void TServer::queueFrom(int slot, QByteArrayView bytes) {
    tplayer& p = players_[slot];
    QList<QByteArray> messages;
    bool keep = p.framer.feed(bytes, messages);
    for (QByteArray& message : messages) {
        // Empty messages and unknown words would be dropped by the dispatcher anyway; leaving
        // them out here keeps junk from taking dispatcher ticks or queue room.
        if (!handlerFor(proto::splitCommand(message).word))
            continue;
        if (p.queued >= host::kMaxQueuedPerConnection) {
            keep = false;
            break;
        }
        receivedlist.push_back({slot, p.connectionId, std::move(message)});
        ++p.queued;
    }
    if (!receivedlist.empty())
        socktimer->kick();
    if (!keep)
        disconnectsock(slot);
}

void TServer::tempsockDisconnect(TSock* sender) {
    if (slotOf(sender))
        sender->close();
}

void TServer::tempsockInfo(TSock* sender, TSocketInfo /*info*/, const QString& msg) {
    if (msg != kSocketClosed)
        return;
    // A close can be reported twice; the second report finds the slot no longer its own.
    if (const int slot = slotOf(sender))
        release(slot);
}

void TServer::disconnectsock(int slot) {
    if (!players_.inUse(slot))
        return;
    tplayer& p = players_[slot];
    const quint64 id = p.connectionId;
    if (p.connection)
        p.connection->close(); // reports "Socket Closed", which releases the slot
    if (p.connected && p.connectionId == id)
        release(slot);
}

void TServer::release(int slot) {
    tplayer& p = players_[slot];
    if (!p.connected)
        return;
    sendToOthers(slot, toTable::playerdisconnected(slot, p.name));
    TSock* sock = p.connection;
    // What the connection left in the queue must not act for the slot's next occupant, nor
    // hold up the others.
    const quint64 id = p.connectionId;
    std::erase_if(receivedlist, [&](const Received& r) { return r.connectionId == id; });
    p.connected = false;
    p.name.clear();
    p.watching = false;
    p.connection = nullptr;
    p.connectionId = 0;
    p.framer.clear();
    p.queued = 0;
    if (sock)
        sock->deleteLater();
    game_->slotLeft(slot);
}

// --- Outbox ----------------------------------------------------------------------------------

void TServer::sendToAll(const QByteArray& message) {
    for (int slot = 1; slot <= players_.count(); ++slot)
        sendTo(slot, message);
}

void TServer::sendToOthers(int except, const QByteArray& message) {
    for (int slot = 1; slot <= players_.count(); ++slot) {
        if (slot != except)
            sendTo(slot, message);
    }
}

void TServer::sendTo(int slot, const QByteArray& message) {
    if (!players_.inUse(slot))
        return;
    if (tap_)
        tap_(slot, message);
    tplayer& p = players_[slot];
    TSock* sock = p.connection;
    if (!sock || !sock->hasSocket())
        return;
    sock->send(message);
    if (sock->pendingSendBytes() > host::kMaxSendBacklog && !p.cutOff) {
        // Not here: a departure in the middle of an announcement would change the game while
        // the announcement is still going out.
        p.cutOff = true;
        const quint64 id = p.connectionId;
        QMetaObject::invokeMethod(
            this,
            [this, slot, id] {
                guarded([&] {
                    if (players_[slot].connected && players_[slot].connectionId == id)
                        disconnectsock(slot);
                });
            },
            Qt::QueuedConnection);
    }
}

// --- Seam ------------------------------------------------------------------------------------

int TServer::attachLocal() {
    return admit(nullptr);
}

void TServer::detachLocal(int slot) {
    disconnectsock(slot);
}

void TServer::feed(int slot, QByteArrayView bytes) {
    if (players_.inUse(slot))
        queueFrom(slot, bytes);
}

bool TServer::dispatchOne() {
    if (receivedlist.empty())
        return false;
    guarded([this] { socktimerTimer(); });
    return true;
}

void TServer::runGameTimersNow() {
    if (game_->stepArmed())
        guarded([this] { game_->Timer1Timer(); });
    if (game_->pausing())
        guarded([this] { game_->timer_pauserTimer(); });
}

} // namespace zb
