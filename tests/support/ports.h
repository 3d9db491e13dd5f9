#pragma once
// Ports for tests that run side by side with other test processes. A port that must refuse
// connections is held bound (not listening) for the test's life, so no other process can take
// it and answer in its place.

#include <QString>
#include <arpa/inet.h>
#include <deque>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zbtest {

class RefusingPort {
public:
    RefusingPort() {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        if (fd_ >= 0 && ::bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) {
            socklen_t len = sizeof addr;
            ::getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len);
            port_ = ntohs(addr.sin_port);
        }
    }
    ~RefusingPort() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    RefusingPort(const RefusingPort&) = delete;
    RefusingPort& operator=(const RefusingPort&) = delete;

    QString port() const { return QString::number(port_); }

private:
    int fd_ = -1;
    quint16 port_ = 0;
};

// A port where nobody listens, held for the life of the test process.
inline QString refusingPort() {
    static std::deque<RefusingPort> held; // a deque never moves what it holds
    held.emplace_back();
    return held.back().port();
}

} // namespace zbtest
