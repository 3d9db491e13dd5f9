#include "host/tserver.h"

#include "host/deadlines.h"
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
// Connections taken in on one listener notification; any beyond wait for the next one, so a
// storm of connects cannot hold the event loop.
constexpr int kMaxAcceptsPerNotification = 64;

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
    deadlines_ = new host::ConnectionDeadlines([this](int slot) { disconnectsock(slot); }, this);
    for (PeerReports& reports : peerReports_)
        reports = PeerReports(&allPeerReports_);
}

TServer::~TServer() {
    socktimer->stop();
    delete deadlines_;
    deadlines_ = nullptr;
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

void TServer::ownTableIs(const QString& address, quint16 port) {
    ownAddress_ = address;
    ownPort_ = port;
}

void TServer::setTimeouts(const host::Timeouts& timeouts) {
    deadlines_->setTimeouts(timeouts);
}

const host::Timeouts& TServer::timeouts() const {
    return deadlines_->timeouts();
}

// --- Connections ---------------------------------------------------------------------------

// Every connection waiting is taken in at once: one per notification made a burst of connects
// wait a turn of the event loop each.
void TServer::Sock1Accept(TSock* /*listener*/) {
    for (int taken = 0; taken < kMaxAcceptsPerNotification; ++taken) {
        if (taken > 0 && !Sock1->connectionWaiting())
            return;
        TSock* sock = nullptr;
        if (!Sock1->accept(sock) || !sock)
            return;
        takeIn(sock);
    }
}

void TServer::takeIn(TSock* sock) {
    if (!sock->parent())
        sock->setParent(Sock1);
    const bool own = slotOneReserved_ && ownPort_ != 0 && Sock1->peerPort() == ownPort_ &&
                     Sock1->peerAddress() == ownAddress_;
    const int first = firstSlotFor(own);
    if (players_.chooseSlot(first) == 0) {
        refuse(sock);
        return;
    }
    if (own) {
        // Only one connection is the own table; a later one from the same port is a stranger.
        ownPort_ = 0;
        ownAddress_.clear();
    }
    admit(sock, first);
}

int TServer::firstSlotFor(bool ownTable) const {
    return slotOneReserved_ && !ownTable ? 2 : 1;
}

int TServer::admit(TSock* sock, int firstSlot) {
    const int slot = players_.chooseSlot(firstSlot);
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
    p.cutOff = false;
    peerReports_[slot].setSource(QStringLiteral("slot %1").arg(slot));
    receivedlist.clear(slot);
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
    deadlines_->admitted(slot);
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
    const bool wasUnfinished = !p.framer.pending().isEmpty();
    QList<QByteArray> messages;
    bool keep = p.framer.feed(bytes, messages);
    const bool unfinished = !p.framer.pending().isEmpty();
    // A message came whole, or nothing was pending before: what is pending now began now.
    deadlines_->received(slot, keep && unfinished, !messages.isEmpty() || !wasUnfinished);
    for (QByteArray& message : messages) {
        // Unknown words would be dropped by the dispatcher anyway; leaving them out here keeps
        // junk from taking dispatcher ticks or queue room.
        if (!handlerFor(proto::splitCommand(message).word))
            continue;
        if (!receivedlist.push(slot, std::move(message))) {
            keep = false;
            break;
        }
    }
    if (!receivedlist.empty())
        socktimer->wake();
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
    // What the connection left in the queue must not act for the slot's next occupant.
    receivedlist.clear(slot);
    deadlines_->released(slot);
    p.connected = false;
    p.name.clear();
    p.watching = false;
    p.connection = nullptr;
    p.connectionId = 0;
    p.framer.clear();
    loggedIn_[slot] = false;
    if (sock)
        sock->deleteLater();
    game_->slotLeft(slot);
}

// --- Outbox ----------------------------------------------------------------------------------

void TServer::sendToAll(const QByteArray& message) {
    for (int slot = 1; slot <= players_.count(); ++slot)
        sendTo(slot, message);
}

void TServer::relayToAll(const QByteArray& message) {
    // The message ends with its terminator, which the limit does not count.
    if (message.size() - 1 > proto::kMaxPending)
        return;
    sendToAll(message);
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
    return admit(nullptr, firstSlotFor(false));
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
