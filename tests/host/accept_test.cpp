// The listener keeps a long backlog and accepts every waiting connection on each notification,
// so a burst of connects neither stalls in the kernel nor takes one event-loop turn each.

#include "hostfixture.h"

#include <QDeadlineTimer>

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace hosttest;
using namespace std::chrono_literals;

namespace {

// Plain non-blocking sockets, so that connecting them needs no event loop and the host accepts
// nothing while they connect.
class RawClients {
public:
    RawClients(int n, quint16 port) {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(port);
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        for (int i = 0; i < n; ++i) {
            const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
            if (fd < 0)
                continue;
            ::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to);
            fds_.push_back(fd);
        }
    }
    ~RawClients() {
        for (int fd : fds_)
            ::close(fd);
    }
    RawClients(const RawClients&) = delete;
    RawClients& operator=(const RawClients&) = delete;

    int size() const { return static_cast<int>(fds_.size()); }

    // How many have finished their handshake by the deadline, waiting in poll() alone.
    int connectedBy(std::chrono::milliseconds timeout) const {
        QDeadlineTimer deadline(timeout);
        std::vector<bool> done(fds_.size(), false);
        int count = 0;
        while (count < size() && !deadline.hasExpired()) {
            std::vector<pollfd> pfds;
            std::vector<std::size_t> which;
            for (std::size_t i = 0; i < fds_.size(); ++i) {
                if (!done[i]) {
                    pfds.push_back({fds_[i], POLLOUT, 0});
                    which.push_back(i);
                }
            }
            const int left = static_cast<int>(std::max<qint64>(1, deadline.remainingTime()));
            if (::poll(pfds.data(), pfds.size(), left) <= 0)
                continue;
            for (std::size_t k = 0; k < pfds.size(); ++k) {
                if (!(pfds[k].revents & (POLLOUT | POLLERR | POLLHUP)))
                    continue;
                int err = 0;
                socklen_t len = sizeof err;
                getsockopt(pfds[k].fd, SOL_SOCKET, SO_ERROR, &err, &len);
                done[which[k]] = true;
                count += err == 0 ? 1 : 0;
            }
        }
        return count;
    }

    // Everything the host sent each of them until it closed or the deadline passed.
    std::vector<QByteArray> readAll(std::chrono::milliseconds timeout) const {
        std::vector<QByteArray> got(fds_.size());
        std::vector<bool> ended(fds_.size(), false);
        QDeadlineTimer deadline(timeout);
        while (!deadline.hasExpired() &&
               std::find(ended.begin(), ended.end(), false) != ended.end()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            for (std::size_t i = 0; i < fds_.size(); ++i) {
                char buf[256];
                const ssize_t n = ::recv(fds_[i], buf, sizeof buf, MSG_DONTWAIT);
                if (n > 0)
                    got[i].append(buf, n);
                else if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
                    ended[i] = true;
                else if (got[i].startsWith("CMD_sendlogininfo+") && got[i].endsWith('\xFF'))
                    ended[i] = true; // admitted: the host keeps it open
            }
        }
        return got;
    }

private:
    std::vector<int> fds_;
};

class AcceptTest : public HostFixture {};

TEST_F(AcceptTest, ABurstOfConnectsIsTakenInByTheKernelAtOnce) {
    constexpr int kBurst = 40;
    RawClients burst(kBurst, port);
    ASSERT_EQ(burst.size(), kBurst);
    // A short backlog drops the connects beyond it; they would try again only a second later.
    EXPECT_EQ(burst.connectedBy(1500ms), kBurst);
}

TEST_F(AcceptTest, OneNotificationAcceptsEveryWaitingConnection) {
    constexpr int kBurst = 20;
    RawClients burst(kBurst, port);
    ASSERT_EQ(burst.connectedBy(1500ms), kBurst);
    ASSERT_TRUE(zbtest::waitFor([&] { return server->players().count() > 0; }));
    // The first notification took them all: nine admitted, the rest told the game is full.
    EXPECT_EQ(server->players().count(), 9);
    const std::vector<QByteArray> got = burst.readAll(5s);
    int admitted = 0;
    int full = 0;
    std::vector<int> given;
    for (const QByteArray& bytes : got) {
        if (bytes.startsWith("CMD_sendlogininfo+")) {
            ++admitted;
            given.push_back(bytes.mid(18).chopped(1).toInt());
        } else if (bytes == T("CMD_full+")) {
            ++full;
        }
    }
    EXPECT_EQ(admitted, 9);
    EXPECT_EQ(full, kBurst - 9);
    std::sort(given.begin(), given.end());
    EXPECT_EQ(given, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

} // namespace
