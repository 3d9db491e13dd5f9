#include "net/hostcache.h"

#include <QHash>

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace zb {
namespace {

QHash<QString, std::uint32_t>& cache() {
    static QHash<QString, std::uint32_t> entries;
    return entries;
}

QString keyOf(const QString& name) {
    return name.toCaseFolded();
}

bool startsWithDigit(const QString& text) {
    return !text.isEmpty() && text.front().isDigit();
}

} // namespace

std::optional<std::uint32_t> resolveWithPlatform(const QString& name) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(name.toLocal8Bit().constData(), nullptr, &hints, &found) != 0 || !found)
        return std::nullopt;
    std::optional<std::uint32_t> address;
    for (const addrinfo* it = found; it; it = it->ai_next) {
        if (it->ai_family == AF_INET && it->ai_addr) {
            address = reinterpret_cast<const sockaddr_in*>(it->ai_addr)->sin_addr.s_addr;
            break;
        }
    }
    freeaddrinfo(found);
    return address;
}

std::optional<std::uint32_t> HostCache::find(const QString& name) {
    const auto it = cache().constFind(keyOf(name));
    if (it == cache().constEnd())
        return std::nullopt;
    return *it;
}

void HostCache::insert(const QString& name, std::uint32_t address) {
    cache().insert(keyOf(name), address);
}

void HostCache::clear() {
    cache().clear();
}

int HostCache::size() {
    return static_cast<int>(cache().size());
}

std::optional<std::uint16_t> lookupPort(const QString& name, bool datagram) {
    if (startsWithDigit(name)) {
        bool ok = false;
        const uint port = name.toUInt(&ok, 10);
        if (!ok || port > 65535)
            return std::nullopt;
        return static_cast<std::uint16_t>(port);
    }
    if (name.isEmpty())
        return std::nullopt;
    const servent* entry = getservbyname(name.toLocal8Bit().constData(), datagram ? "udp" : "tcp");
    if (!entry)
        return std::nullopt;
    return ntohs(static_cast<std::uint16_t>(entry->s_port));
}

std::optional<std::uint32_t> lookupHost(const QString& name) {
    if (startsWithDigit(name)) {
        in_addr parsed{};
        if (inet_aton(name.toLatin1().constData(), &parsed) == 0)
            return std::nullopt;
        return parsed.s_addr;
    }
    if (const auto cached = HostCache::find(name))
        return cached;
    const auto resolved = resolveWithPlatform(name);
    if (resolved)
        HostCache::insert(name, *resolved);
    return resolved;
}

} // namespace zb
