#pragma once
// TServer, the game host: the listening socket, the player table, the receive queue shared by all
// connections and the dispatcher that hands each message to its handler; the game itself is
// GameFlow's. It never shows anything and needs Qt Core only.
//
// Each connection's messages wait in its own queue, dropped when the connection leaves; the
// dispatcher takes one message per tick, round-robin from the connections that have some. A
// message is acted on only if the slot it names is the slot of the connection it came on (the
// hosting player's table, slot 1, may name any seat in CMD_justwatch and alone may start games
// and remove players). Numbers out of range make a message ignored. A connection that has not
// logged in, or leaves a message unfinished, for too long is closed (host/timeouts.h).
//
// A connection logs in once; a later CMD_logininfo from it is ignored. A message whose number
// field does not convert is dropped and reported on the quiet channel (net/peerreports.h),
// briefly and a few times a minute at most, never through the general error report. Names are
// cut to kMaxNameBytes and a chat line that could not be relayed within the framing limit is not
// relayed, so nothing the host sends is longer than a table takes.

#include "host/gameflow.h"
#include "host/outbox.h"
#include "host/playertable.h"
#include "host/receivequeues.h"
#include "host/timeouts.h"
#include "net/peerreports.h"
#include "net/tsock.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <array>
#include <functional>

namespace zb {

class DispatchTimer;
namespace rules {
class Random;
}
namespace host {
class ConnectionDeadlines;
}

class TServer : public QObject, private host::Outbox {
    Q_OBJECT
public:
    // The longest name a login keeps: four of them fit in a winner text, and one with the
    // longest chat line a table sends fits in a relay, well within the framing limit.
    static constexpr qsizetype kMaxNameBytes = 1024;

    TServer(std::function<int()> botSpeed, rules::Random& rng, QObject* parent = nullptr);
    ~TServer() override;

    // How the computer players play, asked at every game start like the bot speed at every step:
    // a change applies from the next game start. Classic when not set.
    void setBotSkill(std::function<strategy::BotSkill()> skill) {
        game_->setBotSkill(std::move(skill));
    }

    void setPortName(const QString& port);
    QString portName() const;
    // May throw ESockException ("Listen - Error Binding Socket" ...).
    void setListening(bool on);
    bool listening() const;
    // The port actually listened on (an ephemeral one for port "0").
    quint16 port() const;

    // In the game program slot 1 belongs to the program's own table, which connects over
    // loopback right after the listener opens. With the reservation on, every connection that is
    // not the own table gets the lowest free slot from 2 up, so nobody can take the hosting
    // player's rights in the instant before the own table arrives, nor after it left. Off by
    // default: zorbinet-host gives slot 1 to its first connection.
    void setSlotOneReserved(bool on) { slotOneReserved_ = on; }
    bool slotOneReserved() const { return slotOneReserved_; }
    // Names the own table by its socket's local address and port (TSock::localAddress() and
    // localPort(), known right after its open()); the connection from there takes slot 1.
    void ownTableIs(const QString& address, quint16 port);

    // The login and unfinished-message time-outs (30 s each unless changed).
    void setTimeouts(const host::Timeouts& timeouts);
    const host::Timeouts& timeouts() const;

    // Read-only views for tests and the program around the host.
    const host::PlayerTable& players() const { return players_; }
    const host::GameFlow& game() const { return *game_; }
    qsizetype queuedMessages() const { return receivedlist.size(); }

    // Seam for tests and fuzzing: connections without sockets that run the same admission,
    // framing, queueing, dispatching and departure code as real ones. What is sent to them is
    // handed to the tap (which also sees what goes to real connections).
    using OutputTap = std::function<void(int slot, const QByteArray& message)>;
    void setOutputTap(OutputTap tap) { tap_ = std::move(tap); }
    int attachLocal();          // the new slot, or 0 when all are in use
    void detachLocal(int slot); // that connection closes
    void feed(int slot, QByteArrayView bytes);
    bool dispatchOne();      // one dispatcher tick; false when the queue was empty
    void runGameTimersNow(); // the tick of each game timer that is running

private:
    using Handler = void (TServer::*)(int from, proto::Fields& f);

    // Connections.
    void Sock1Accept(TSock* listener);
    void takeIn(TSock* sock);
    void Sock1Read(TSock* sender, int count);
    void tempsockDisconnect(TSock* sender);
    void tempsockInfo(TSock* sender, TSocketInfo info, const QString& msg);
    // The lowest slot a newcomer may get: 2 while slot 1 is kept for the own table.
    int firstSlotFor(bool ownTable) const;
    int admit(TSock* sock, int firstSlot);
    void refuse(TSock* sock);
    void queueFrom(int slot, QByteArrayView bytes);
    void release(int slot);
    void disconnectsock(int slot);
    int slotOf(const TSock* sock) const;

    // Dispatcher and handlers.
    void socktimerTimer();
    static Handler handlerFor(const QByteArray& word);
    void receivedlogininfo(int from, proto::Fields& f);
    void kickhim(int from, proto::Fields& f);
    void chat(int from, proto::Fields& f);
    void action(int from, proto::Fields& f);
    void playasound(int from, proto::Fields& f);
    void startgame(int from, proto::Fields& f);
    void justwatch(int from, proto::Fields& f);
    void rolldice(int from, proto::Fields& f);
    void setdice(int from, proto::Fields& f);
    void unsetdice(int from, proto::Fields& f);
    void setscore(int from, proto::Fields& f);
    // The seat named by a turn request, when the request may act for it; 0 otherwise.
    int requestingSeat(int from, proto::Fields& f) const;

    // Outbox.
    void sendToAll(const QByteArray& message) override;
    void sendTo(int slot, const QByteArray& message) override;
    void sendToOthers(int slot, const QByteArray& message);
    // Sends a relay to all unless it is longer than any table would take.
    void relayToAll(const QByteArray& message);

    TSock* Sock1 = nullptr;
    host::PlayerTable players_;
    host::GameFlow* game_ = nullptr;
    host::ReceiveQueues receivedlist;
    DispatchTimer* socktimer = nullptr;
    host::ConnectionDeadlines* deadlines_ = nullptr;
    bool slotOneReserved_ = false;
    QString ownAddress_;
    quint16 ownPort_ = 0;
    quint64 lastConnectionId_ = 0;
    // Whether the slot's connection has logged in.
    std::array<bool, host::kSlots + 1> loggedIn_{};
    // Reports of what each connection sent that could not be handled, and their common bound.
    ReportLimiter allPeerReports_{kAllPeerReportsPerWindow, kPeerReportWindow};
    std::array<PeerReports, host::kSlots + 1> peerReports_;
    OutputTap tap_;
};

} // namespace zb
