#include "net/tsock.h"

#include "net/guard.h"
#include "net/hostcache.h"

#include <QPointer>
#include <QSocketNotifier>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <utility>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zb {
namespace {

constexpr qsizetype kReadChunk = 32768;
// Long enough that a burst of connects waits in the kernel instead of being dropped; a dropped
// connect is tried again only a second later.
constexpr int kBacklog = 64;

// How many socket notifications are being handled right now. While one is, a notifier may be the
// very object whose signal is running, so retired notifiers are deleted later instead of at once.
int dispatchDepth = 0;

struct DispatchScope {
    DispatchScope() { ++dispatchDepth; }
    ~DispatchScope() { --dispatchDepth; }
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;
};

// Handlers are called through a copy: the owner may replace a handler, or delete this socket,
// while its own handler runs.
template <class Handler, class... Args> void fire(const Handler& handler, Args&&... args) {
    if (!handler)
        return;
    const Handler copy = handler;
    copy(std::forward<Args>(args)...);
}

bool isTransient(int err) {
    return err == EAGAIN || err == EWOULDBLOCK || err == EINTR;
}

[[noreturn]] void fail(const char* text) {
    throw ESockException(text);
}

void sendAtOnce(int fd) {
    const int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

QString dotted(const in_addr& address) {
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address, text, sizeof text);
    return QString::fromLatin1(text);
}

} // namespace

class TSock::Watch {
public:
    explicit Watch(TSock* sock) : sock_(sock), generation_(sock->generation_) {}
    bool alive() const { return !sock_.isNull(); }
    // Still alive and still holding the socket it held when the watch began.
    bool same() const { return sock_ && sock_->generation_ == generation_; }

private:
    QPointer<TSock> sock_;
    quint64 generation_;
};

QString socketInfoName(TSocketInfo info) {
    static const std::array<const char*, 8> names = {"Lookup",  "Connect", "Close",  "Listen",
                                                     "Receive", "Send",    "Accept", "Error"};
    const auto index = static_cast<std::size_t>(info);
    return index < names.size() ? QString::fromLatin1(names[index]) : QString();
}

TSock::TSock(QObject* parent) : QObject(parent) {}

TSock::~TSock() {
    // No report from here: the owner is usually being torn down itself and its handlers may
    // already point at destroyed members.
    retireNotifiers();
    if (fd_ >= 0)
        ::close(fd_);
}

// ---- Settings ----------------------------------------------------------------------------------

void TSock::setHostName(const QString& name) {
    hostName_ = name;
    if (connected_ && socketType_ == TSocketType::stStream)
        info(TSocketInfo::siLookup,
             QStringLiteral("Setting HostName While Connected Has No Effect"));
}

void TSock::setPortName(const QString& name) {
    portName_ = name;
    if (connected_)
        info(TSocketInfo::siLookup,
             QStringLiteral("Setting PortName While Connected Has No Effect"));
}

void TSock::setSocketType(TSocketType type) {
    if (listening_)
        fail("SocketType - Can't Assign Socket Type While Listening");
    if (fd_ >= 0)
        fail("SocketType - Can't Assign Socket Type While Connected");
    socketType_ = type;
}

quint16 TSock::localPort() const {
    if (fd_ < 0)
        return 0;
    sockaddr_in local{};
    socklen_t length = sizeof local;
    if (getsockname(fd_, reinterpret_cast<sockaddr*>(&local), &length) < 0)
        return 0;
    return ntohs(local.sin_port);
}

QString TSock::localAddress() const {
    if (fd_ < 0)
        return QString();
    sockaddr_in local{};
    socklen_t length = sizeof local;
    if (getsockname(fd_, reinterpret_cast<sockaddr*>(&local), &length) < 0)
        return QString();
    return dotted(local.sin_addr);
}

bool TSock::connectionWaiting() const {
    if (fd_ < 0 || !listening_)
        return false;
    pollfd waiting{fd_, POLLIN, 0};
    return ::poll(&waiting, 1, 0) > 0 && (waiting.revents & POLLIN) != 0;
}

void TSock::setKeepAlive(int idleSeconds, int intervalSeconds, int probes) {
    if (fd_ < 0 || socketType_ != TSocketType::stStream)
        return;
    const int on = 1;
    setsockopt(fd_, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
    setsockopt(fd_, IPPROTO_TCP, TCP_KEEPIDLE, &idleSeconds, sizeof idleSeconds);
    setsockopt(fd_, IPPROTO_TCP, TCP_KEEPINTVL, &intervalSeconds, sizeof intervalSeconds);
    setsockopt(fd_, IPPROTO_TCP, TCP_KEEPCNT, &probes, sizeof probes);
}

void TSock::clearHostCache() {
    HostCache::clear();
}

// ---- Reporting ---------------------------------------------------------------------------------

void TSock::info(TSocketInfo kind, const QString& msg) {
    if (!OnInfo)
        return;
    try {
        fire(OnInfo, this, kind, msg);
    } catch (...) {
        fail("Error here");
    }
}

void TSock::reportErrorCode(int code) {
    info(TSocketInfo::siError,
         QStringLiteral("Error #%1 (%2)").arg(code).arg(winsockErrorName(code)));
}

std::uint16_t TSock::resolvePort() {
    info(TSocketInfo::siLookup, QStringLiteral("Lookup Of Port ") + portName_);
    const auto port = lookupPort(portName_, socketType_ == TSocketType::stDatagram);
    if (!port)
        fail("Port Lookup - Could Not Find Service Entry");
    return *port;
}

std::uint32_t TSock::resolveHost() {
    if (hostName_.isEmpty())
        return htonl(INADDR_ANY);
    info(TSocketInfo::siLookup, QStringLiteral("Lookup Of Host ") + hostName_);
    const auto address = lookupHost(hostName_);
    if (!address)
        fail("Host Lookup - Could Not Find Host Entry");
    return *address;
}

// ---- Socket lifecycle --------------------------------------------------------------------------

void TSock::adopt(int fd) {
    fd_ = fd;
    ++generation_;
    connected_ = false;
    connecting_ = false;
    acceptArmed_ = false;
}

bool TSock::open() {
    if (fd_ >= 0)
        return connected_;
    const bool datagram = socketType_ == TSocketType::stDatagram;
    // Names are resolved before the socket exists, so a failed lookup leaves nothing half open
    // and the next open() tries again.
    sockaddr_in remote{};
    remote.sin_family = AF_INET;
    remote.sin_port = htons(resolvePort());
    remote.sin_addr.s_addr = resolveHost();
    if (fd_ >= 0)
        return connected_;

    const int fd =
        ::socket(AF_INET, (datagram ? SOCK_DGRAM : SOCK_STREAM) | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        reportErrorCode(winsockErrorFromErrno(errno));
        return false;
    }
    if (!datagram)
        sendAtOnce(fd);
    // A new connection starts clean: nothing of an earlier one may reach it or be read from it.
    receiveBuffer_.clear();
    sendBuffer_.clear();
    adopt(fd);
    const int err =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&remote), sizeof remote) == 0 ? 0 : errno;
    if (datagram) {
        if (err != 0) {
            reportErrorCode(winsockErrorFromErrno(err));
            return false;
        }
        connected_ = true;
        updateNotifiers();
        info(TSocketInfo::siConnect, QStringLiteral("Datagram Socket Connected"));
        return true;
    }
    if (err != 0 && err != EINPROGRESS && err != EINTR) {
        reportErrorCode(winsockErrorFromErrno(err));
        return false;
    }
    // Even an immediate success is announced from the event loop, like every other outcome.
    connecting_ = true;
    updateNotifiers();
    return false;
}

bool TSock::close() {
    retireNotifiers();
    const bool closed = fd_ >= 0 && ::close(fd_) == 0;
    fd_ = -1;
    ++generation_;
    connected_ = false;
    connecting_ = false;
    acceptArmed_ = false;
    sendBuffer_.clear();
    const bool wasListener = std::exchange(listening_, false);
    if (!wasListener) {
        try {
            info(TSocketInfo::siClose, QStringLiteral("Socket Closed"));
        } catch (...) {
        }
    }
    return closed;
}

void TSock::setListen(bool on) {
    if (!on) {
        close();
        info(TSocketInfo::siListen, QStringLiteral("Listening Stopped"));
        return;
    }
    if (listening_) {
        info(TSocketInfo::siListen, QStringLiteral("Listening Already Running"));
        return;
    }
    if (fd_ >= 0)
        fail("Listen - Socket Already In Use");
    if (socketType_ == TSocketType::stDatagram)
        fail("Listen - Cannot Listen On A Datagram Socket");

    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    local.sin_port = htons(resolvePort());
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        fail("Listen - Error Binding Socket");
    adopt(fd);
    // A restarted host must get its port back while old connections linger in TIME_WAIT; a port
    // held by another listener still refuses the bind.
    const int reuse = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
    // A failed bind keeps the socket until close(): listening again then reports it in use.
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) < 0)
        fail("Listen - Error Binding Socket");
    if (::listen(fd, kBacklog) < 0)
        fail("Listen - Error Starting Listen");
    listening_ = true;
    acceptArmed_ = true;
    updateNotifiers();
    info(TSocketInfo::siListen, QStringLiteral("Listening Started"));
}

bool TSock::accept(TSock*& newSock) {
    if (!listening_)
        fail("Accept - Socket Not In Listening Mode");
    sockaddr_in peer{};
    socklen_t length = sizeof peer;
    const int fd =
        ::accept4(fd_, reinterpret_cast<sockaddr*>(&peer), &length, SOCK_NONBLOCK | SOCK_CLOEXEC);
    acceptArmed_ = true;
    updateNotifiers();
    if (fd < 0) {
        info(TSocketInfo::siAccept, QStringLiteral("Could Not Accept Connection"));
        return false;
    }
    peerAddress_ = dotted(peer.sin_addr);
    peerPort_ = ntohs(peer.sin_port);
    sendAtOnce(fd);

    auto* sock = new TSock(this);
    sock->blocking_ = blocking_;
    sock->blockingTimeout_ = blockingTimeout_;
    sock->OnRead = OnRead;
    sock->OnWrite = OnWrite;
    sock->OnDisconnect = OnDisconnect;
    sock->OnInfo = OnInfo;
    sock->adopt(fd);
    sock->connected_ = true;
    sock->updateNotifiers();
    newSock = sock;
    sock->setPortName(portName_);
    sock->setHostName(peerAddress_);
    info(TSocketInfo::siAccept, QStringLiteral("Created New TSock Structure"));
    return true;
}

// ---- Data --------------------------------------------------------------------------------------

bool TSock::send(const QByteArray& data) {
    if (fd_ < 0)
        fail("Send - Socket Not Connected");
    if (listening_)
        fail("Send - Cannot Send On A Listener Socket");
    sendBuffer_.append(data);
    if (sendBuffer_.isEmpty())
        return true;
    const Watch watch(this);
    info(TSocketInfo::siSend, QStringLiteral("Non-Blocking Outgoing Data"));
    if (!watch.same())
        return true;
    // A connecting socket cannot take bytes yet; they leave, in order, once it is writable.
    if (!connecting_) {
        const ssize_t taken =
            ::send(fd_, sendBuffer_.constData(), sendBuffer_.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (taken > 0)
            sendBuffer_.remove(0, taken);
    }
    updateNotifiers();
    return true;
}

QByteArray TSock::receive() {
    if (listening_)
        fail("Receive - Cannot Receive On A Listener Socket");
    if (fd_ < 0 && receiveBuffer_.isEmpty())
        fail("Receive - Socket Not Connected");
    return std::exchange(receiveBuffer_, QByteArray());
}

QByteArray TSock::receive(int count) {
    if (listening_)
        fail("Receive - Cannot Receive On A Listener Socket");
    if (fd_ < 0 && receiveBuffer_.isEmpty())
        fail("Receive - Socket Not Connected");
    const qsizetype wanted = std::max(count, 0);
    if (wanted >= receiveBuffer_.size())
        return std::exchange(receiveBuffer_, QByteArray());
    QByteArray front = receiveBuffer_.left(wanted);
    receiveBuffer_.remove(0, wanted);
    return front;
}

// ---- Notifications -----------------------------------------------------------------------------

// Readiness is level-triggered, so each notifier is enabled only while its event means work:
// reading on a connected socket, accepting on a listener until the owner has accepted, writing
// while a connect is under way or bytes wait. Anything else would wake the loop forever.
void TSock::updateNotifiers() {
    bool wantRead = false;
    bool wantWrite = false;
    if (fd_ >= 0) {
        if (listening_) {
            wantRead = acceptArmed_;
        } else if (connecting_) {
            wantWrite = true;
        } else if (connected_) {
            wantRead = true;
            wantWrite = !sendBuffer_.isEmpty();
        }
    }
    setNotifier(readNotifier_, true, wantRead);
    setNotifier(writeNotifier_, false, wantWrite);
}

void TSock::setNotifier(QSocketNotifier*& notifier, bool forReading, bool on) {
    if (!on) {
        if (notifier && notifier->isEnabled())
            notifier->setEnabled(false);
        return;
    }
    if (!notifier) {
        notifier =
            new QSocketNotifier(fd_, forReading ? QSocketNotifier::Read : QSocketNotifier::Write);
        if (forReading)
            connect(notifier, &QSocketNotifier::activated, this, &TSock::onReadNotifier);
        else
            connect(notifier, &QSocketNotifier::activated, this, &TSock::onWriteNotifier);
    }
    if (!notifier->isEnabled())
        notifier->setEnabled(true);
}

// Notifiers go before the descriptor is closed, so none ever watches a number the system may
// already have handed to another socket.
void TSock::retireNotifiers() {
    for (QSocketNotifier** slot : {&readNotifier_, &writeNotifier_}) {
        QSocketNotifier* notifier = std::exchange(*slot, nullptr);
        if (!notifier)
            continue;
        notifier->setEnabled(false);
        QObject::disconnect(notifier, nullptr, this, nullptr);
        if (dispatchDepth > 0)
            notifier->deleteLater();
        else
            delete notifier;
    }
}

void TSock::onReadNotifier() {
    const DispatchScope scope;
    guarded([this] { handleReadable(); });
}

void TSock::onWriteNotifier() {
    const DispatchScope scope;
    guarded([this] {
        if (fd_ < 0)
            return;
        if (connecting_)
            handleConnectFinished();
        else if (connected_)
            handleWritable();
        else
            updateNotifiers();
    });
}

void TSock::handleReadable() {
    if (fd_ < 0)
        return;
    if (listening_) {
        handleConnectionWaiting();
        return;
    }
    const qsizetype before = receiveBuffer_.size();
    receiveBuffer_.resize(before + kReadChunk);
    const ssize_t got = ::recv(fd_, receiveBuffer_.data() + before, kReadChunk, 0);
    const int err = got < 0 ? errno : 0;
    receiveBuffer_.resize(before + std::max<qsizetype>(got, 0));
    if (got == 0 && socketType_ == TSocketType::stStream) {
        handlePeerClosed();
        return;
    }
    if (got < 0 && !isTransient(err)) {
        handleBrokenConnection(err);
        return;
    }
    const Watch watch(this);
    info(TSocketInfo::siReceive, QStringLiteral("Non-Blocking Incoming Data"));
    if (watch.alive())
        fire(OnRead, this, static_cast<int>(std::min<qsizetype>(receiveBuffer_.size(), INT_MAX)));
}

void TSock::handleConnectionWaiting() {
    // Like Winsock's FD_ACCEPT: the next waiting connection is announced after accept().
    acceptArmed_ = false;
    updateNotifiers();
    if (!autoAccept_) {
        fire(OnAccept, this);
        return;
    }
    const Watch watch(this);
    TSock* sock = nullptr;
    if (accept(sock) && watch.alive())
        fire(OnAutoAccept, this, sock);
}

void TSock::handleConnectFinished() {
    int soError = 0;
    socklen_t length = sizeof soError;
    if (getsockopt(fd_, SOL_SOCKET, SO_ERROR, &soError, &length) < 0)
        soError = errno;
    connecting_ = false;
    if (soError != 0) {
        // The failed socket stays until the owner closes it, silent: no reads, no writes.
        updateNotifiers();
        reportErrorCode(winsockErrorFromErrno(soError));
        return;
    }
    connected_ = true;
    updateNotifiers();
    const Watch watch(this);
    info(TSocketInfo::siConnect, QStringLiteral("Non-Blocking Socket Connected"));
    if (!watch.same())
        return;
    fire(OnConnect, this);
    // A freshly connected socket is writable: what was queued while connecting leaves now.
    if (watch.same())
        handleWritable();
}

void TSock::handleWritable() {
    const Watch watch(this);
    if (!sendBuffer_.isEmpty()) {
        send(QByteArray());
        if (!watch.same())
            return;
    }
    info(TSocketInfo::siSend, QStringLiteral("Non-Blocking Outgoing Data"));
    if (!watch.same())
        return;
    fire(OnWrite, this);
    if (watch.same())
        updateNotifiers();
}

void TSock::handlePeerClosed() {
    // The owner's OnDisconnect usually closes the socket itself; the close after it is part of
    // the contract (the owner then hears "Socket Closed" twice). If the owner opened a new
    // connection meanwhile, that one is left alone.
    endConnection([this] { fire(OnDisconnect, this); }, true);
}

void TSock::handleBrokenConnection(int err) {
    const int code = winsockErrorFromErrno(err);
    endConnection([this, code] { reportErrorCode(code); }, false);
}

void TSock::endConnection(const std::function<void()>& step, bool evenIfClosedMeanwhile) {
    const Watch watch(this);
    std::exception_ptr failure;
    try {
        step();
    } catch (...) {
        failure = std::current_exception();
    }
    // Closing even after a raise: an ended connection stays readable and would otherwise be
    // reported again on every turn of the event loop.
    if (watch.same() || (evenIfClosedMeanwhile && watch.alive() && fd_ < 0))
        close();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace zb
