#pragma once
// A raw table connection for host tests: connects over loopback, keeps every byte and every
// message it receives, and sends whatever a test tells it to, including things no real table
// would send.

#include "net/protocol.h"
#include "net/tsock.h"
#include "support/wait.h"

#include <QByteArray>
#include <QList>
#include <functional>

namespace hosttest {

inline QByteArray T(const char* text) {
    return QByteArray(text) + '\xFF';
}

class TestClient {
public:
    explicit TestClient(quint16 port) {
        sock_.setHostName(QStringLiteral("127.0.0.1"));
        sock_.setPortName(QString::number(port));
        sock_.OnConnect = [this](zb::TSock*) { connected_ = true; };
        sock_.OnRead = [this](zb::TSock* s, int) { onRead(s); };
        sock_.OnInfo = [this](zb::TSock*, zb::TSocketInfo, const QString& msg) {
            if (msg == QLatin1String("Socket Closed"))
                closed_ = true;
        };
        sock_.open();
    }
    ~TestClient() {
        sock_.OnRead = {};
        sock_.OnInfo = {};
    }
    TestClient(const TestClient&) = delete;
    TestClient& operator=(const TestClient&) = delete;

    // Called for every message as it arrives (after it is stored).
    std::function<void(const QByteArray& message)> onMessage;

    void send(const QByteArray& bytes) { sock_.send(bytes); }
    void close() { sock_.close(); }
    zb::TSock& socket() { return sock_; }

    bool closed() const { return closed_; }
    const QByteArray& raw() const { return raw_; }
    const QList<QByteArray>& messages() const { return messages_; }
    int count() const { return static_cast<int>(messages_.size()); }

    // Index of the first message at or after from that satisfies pred, or -1.
    int find(const std::function<bool(const QByteArray&)>& pred, int from = 0) const {
        for (int i = from; i < count(); ++i) {
            if (pred(messages_[i]))
                return i;
        }
        return -1;
    }
    int findExact(const QByteArray& message, int from = 0) const {
        return find([&](const QByteArray& m) { return m == message; }, from);
    }
    int findPrefix(const QByteArray& prefix, int from = 0) const {
        return find([&](const QByteArray& m) { return m.startsWith(prefix); }, from);
    }
    int countPrefix(const QByteArray& prefix, int from = 0) const {
        int n = 0;
        for (int i = from; i < count(); ++i)
            n += messages_[i].startsWith(prefix) ? 1 : 0;
        return n;
    }
    // Waits until such a message has arrived; its index, or -1 at the deadline.
    int waitPrefix(const QByteArray& prefix, int from = 0,
                   std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        int at = -1;
        zbtest::waitFor([&] { return (at = findPrefix(prefix, from)) >= 0; }, timeout);
        return at;
    }
    int waitExact(const QByteArray& message, int from = 0,
                  std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        int at = -1;
        zbtest::waitFor([&] { return (at = findExact(message, from)) >= 0; }, timeout);
        return at;
    }
    bool waitClosed(std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        return zbtest::waitFor([&] { return closed_; }, timeout);
    }

    // The slot from CMD_sendlogininfo, once it has arrived; 0 before.
    int slot() const {
        const int at = findPrefix("CMD_sendlogininfo+");
        return at < 0 ? 0 : messages_[at].mid(18).toInt();
    }
    int waitSlot() {
        zbtest::waitFor([&] { return slot() != 0 || closed_; });
        return slot();
    }
    // Logs in as a table does and waits for the host's welcome of itself.
    bool login(const QByteArray& name, const QByteArray& version = "1.0.4") {
        const int s = waitSlot();
        if (s == 0)
            return false;
        send(zb::msg::toHost::logininfo(s, version, name + '\xFF'));
        return waitExact("CMD_newplayerinfo+" + QByteArray::number(s) + "+" + name) >= 0;
    }

private:
    void onRead(zb::TSock* s) {
        if (s->pendingReceiveBytes() == 0)
            return;
        const QByteArray bytes = s->receive();
        raw_ += bytes;
        const int before = count();
        framer_.feed(bytes, messages_);
        for (int i = before; i < count(); ++i) {
            if (onMessage) {
                const QByteArray m = messages_[i];
                onMessage(m);
            }
        }
    }

    zb::TSock sock_;
    zb::proto::Framer framer_;
    QByteArray raw_;
    QList<QByteArray> messages_;
    bool connected_ = false;
    bool closed_ = false;
};

} // namespace hosttest
