#pragma once
// A small HTTP server for the download client's tests: a thread of its own with blocking POSIX
// sockets on an ephemeral loopback port, so the client under test runs on the test's event loop
// exactly as it runs in the program. Each connection's request is read up to its empty line and
// handed to the test's script, which writes whatever response the test needs.

#include <QString>
#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <functional>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace zbtest {

class HttpTestServer {
public:
    class Connection {
    public:
        Connection(int fd, int wakeFd) : fd_(fd), wakeFd_(wakeFd) {}
        // Writes everything (blocking); false once the client has gone.
        bool send(const std::string& data) const {
            std::size_t done = 0;
            while (done < data.size()) {
                const ssize_t n = ::send(fd_, data.data() + done, data.size() - done, MSG_NOSIGNAL);
                if (n < 0 && errno == EINTR)
                    continue;
                if (n <= 0)
                    return false;
                done += static_cast<std::size_t>(n);
            }
            return true;
        }
        // Blocks until the client closes its end or the server is stopped.
        void waitForClientClose() const {
            char scratch[4096];
            for (;;) {
                pollfd fds[2] = {{fd_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
                if (::poll(fds, 2, -1) < 0 && errno != EINTR)
                    return;
                if (fds[1].revents)
                    return;
                if (fds[0].revents) {
                    const ssize_t n = ::recv(fd_, scratch, sizeof scratch, 0);
                    if (n <= 0)
                        return;
                }
            }
        }
        // Ends the connection with a reset instead of an orderly close.
        void reset() const {
            const linger hard{1, 0};
            ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
        }

    private:
        int fd_;
        int wakeFd_;
    };

    using Script = std::function<void(const Connection& connection, const std::string& request)>;

    explicit HttpTestServer(Script script) : script_(std::move(script)) {
        int wake[2];
        if (::pipe(wake) == 0) {
            wakeRead_ = wake[0];
            wakeWrite_ = wake[1];
        }
        listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
            ::listen(listenFd_, 16) == 0) {
            socklen_t len = sizeof addr;
            ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len);
            port_ = ntohs(addr.sin_port);
        }
        thread_ = std::thread([this] { run(); });
    }

    ~HttpTestServer() {
        const char byte = 1;
        [[maybe_unused]] const ssize_t ignored = ::write(wakeWrite_, &byte, 1);
        thread_.join();
        ::close(listenFd_);
        ::close(wakeRead_);
        ::close(wakeWrite_);
    }

    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    quint16 port() const { return port_; }
    QString url(const QString& path) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(path);
    }
    int connections() const { return connections_.load(); }
    std::vector<std::string> requests() const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }

private:
    void run() {
        for (;;) {
            pollfd fds[2] = {{listenFd_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
            if (::poll(fds, 2, -1) < 0 && errno != EINTR)
                return;
            if (fds[1].revents)
                return;
            if (!fds[0].revents)
                continue;
            const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0)
                continue;
            ++connections_;
            const std::string request = readRequest(fd);
            {
                const std::lock_guard<std::mutex> lock(mutex_);
                requests_.push_back(request);
            }
            script_(Connection(fd, wakeRead_), request);
            ::close(fd);
        }
    }

    // Up to the empty line that ends a request's headers (a GET has no body).
    std::string readRequest(int fd) const {
        std::string request;
        char scratch[1024];
        while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
            pollfd fds[2] = {{fd, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
            if (::poll(fds, 2, -1) < 0 && errno != EINTR)
                break;
            if (fds[1].revents)
                break;
            const ssize_t n = ::recv(fd, scratch, sizeof scratch, 0);
            if (n <= 0)
                break;
            request.append(scratch, static_cast<std::size_t>(n));
        }
        return request;
    }

    Script script_;
    int listenFd_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    quint16 port_ = 0;
    std::atomic<int> connections_{0};
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

// A body of the given size whose bytes differ from piece to piece, so a lost, doubled or moved
// piece shows in a byte-exact comparison.
inline std::string patternBody(std::size_t size) {
    std::string body(size, '\0');
    std::uint32_t x = 2463534242u;
    for (std::size_t i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        body[i] = static_cast<char>(x & 0xFF);
    }
    return body;
}

inline std::string response(int status, const std::string& headers, const std::string& body) {
    return "HTTP/1.0 " + std::to_string(status) + " Whatever\r\n" + headers + "\r\n" + body;
}

} // namespace zbtest
