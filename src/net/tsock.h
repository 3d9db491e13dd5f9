#pragma once
// TSock: one IPv4 socket, non-blocking and event-driven on the GUI thread. Outgoing bytes wait in
// a send buffer until the network takes them; incoming bytes collect in a receive buffer. Every
// step is reported through OnInfo as one of eight info kinds with a fixed English text. Socket
// readiness comes from QSocketNotifier; each notification is handled through the shared guard.

#include "net/errors.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

class QSocketNotifier;

namespace zb {

enum class TSocketType { stStream, stDatagram };
enum class TLineBreak { lbCRLF, lbCR, lbLF, lbSmart };
enum class TSocketInfo {
    siLookup,
    siConnect,
    siClose,
    siListen,
    siReceive,
    siSend,
    siAccept,
    siError
};

// "Lookup", "Connect", "Close", "Listen", "Receive", "Send", "Accept", "Error".
QString socketInfoName(TSocketInfo info);
// Winsock-style number for an errno value (ECONNREFUSED -> 10061 ...), and its name
// ("WSAECONNREFUSED"); unknown numbers are named "UNKNOWN ERROR".
int winsockErrorFromErrno(int err);
QString winsockErrorName(int code);

class TSock : public QObject {
    Q_OBJECT
public:
    using NotifyEvent = std::function<void(TSock* sender)>;
    using InfoEvent = std::function<void(TSock* sender, TSocketInfo info, const QString& msg)>;
    using ReadEvent = std::function<void(TSock* sender, int count)>;
    using AutoAcceptEvent = std::function<void(TSock* sender, TSock* newSock)>;

    explicit TSock(QObject* parent = nullptr);
    ~TSock() override;

    // Settings.
    QString hostName() const { return hostName_; }
    void setHostName(const QString& name);
    QString portName() const { return portName_; }
    void setPortName(const QString& name);
    TSocketType socketType() const { return socketType_; }
    void setSocketType(TSocketType type);
    bool blocking() const { return blocking_; }
    void setBlocking(bool value) { blocking_ = value; }
    bool autoAccept() const { return autoAccept_; }
    void setAutoAccept(bool value) { autoAccept_ = value; }
    TLineBreak lineBreak() const { return lineBreak_; }
    void setLineBreak(TLineBreak value) { lineBreak_ = value; }
    int blockingTimeout() const { return blockingTimeout_; }
    void setBlockingTimeout(int ms) { blockingTimeout_ = ms; }
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }

    bool listening() const { return listening_; }
    void setListen(bool on);

    // State.
    bool connected() const { return connected_; }
    int handle() const { return fd_; }
    bool hasSocket() const { return fd_ >= 0; }
    // The local port and dotted address of an open socket (a listener on port "0" learns its
    // ephemeral port here). A connecting socket knows both right after open(), before the
    // connection is established; 0 and "" without a socket.
    quint16 localPort() const;
    QString localAddress() const;
    // On a listener: dotted address and port of the connection most recently accepted.
    QString peerAddress() const { return peerAddress_; }
    quint16 peerPort() const { return peerPort_; }
    // On a listener: whether another connection is waiting to be accepted right now.
    bool connectionWaiting() const;
    qsizetype pendingSendBytes() const { return sendBuffer_.size(); }
    qsizetype pendingReceiveBytes() const { return receiveBuffer_.size(); }

    // Operations.
    bool open();
    bool close();
    bool send(const QByteArray& data);
    QByteArray receive();
    QByteArray receive(int count);
    bool accept(TSock*& newSock);

    // TCP keepalive on an open stream socket (seconds idle, seconds between probes, probes).
    void setKeepAlive(int idleSeconds, int intervalSeconds, int probes);

    // Forgets the process-wide host-name cache (tests).
    static void clearHostCache();

    // Events, called only when assigned.
    NotifyEvent OnConnect;
    NotifyEvent OnDisconnect;
    NotifyEvent OnWrite;
    NotifyEvent OnAccept;
    InfoEvent OnInfo;
    ReadEvent OnRead;
    AutoAcceptEvent OnAutoAccept;

private:
    // Remembers which socket a notification started on: a callback may close the socket, open a
    // new one or delete this object, and nothing after it may then touch the old state.
    class Watch;

    void info(TSocketInfo kind, const QString& msg);
    void reportErrorCode(int code);
    std::uint16_t resolvePort();
    std::uint32_t resolveHost();
    void adopt(int fd);
    void updateNotifiers();
    void setNotifier(QSocketNotifier*& notifier, bool forReading, bool on);
    void retireNotifiers();
    void onReadNotifier();
    void onWriteNotifier();
    void handleReadable();
    void handleConnectionWaiting();
    void handleConnectFinished();
    void handleWritable();
    void handlePeerClosed();
    void handleBrokenConnection(int err);
    // Runs step (which may raise), then closes the connection it ended.
    void endConnection(const std::function<void()>& step, bool evenIfClosedMeanwhile);

    QString hostName_;
    QString portName_;
    TSocketType socketType_ = TSocketType::stStream;
    bool blocking_ = false;
    bool autoAccept_ = false;
    TLineBreak lineBreak_ = TLineBreak::lbSmart;
    int blockingTimeout_ = 0;
    int tag_ = 0;

    int fd_ = -1;
    // Changes whenever a socket is created or closed.
    quint64 generation_ = 0;
    bool connected_ = false;
    bool listening_ = false;
    bool connecting_ = false;
    // A listener hears of the next waiting connection only after accept() took the last one.
    bool acceptArmed_ = false;
    QString peerAddress_;
    quint16 peerPort_ = 0;
    QByteArray receiveBuffer_;
    QByteArray sendBuffer_;
    QSocketNotifier* readNotifier_ = nullptr;
    QSocketNotifier* writeNotifier_ = nullptr;
};

} // namespace zb
