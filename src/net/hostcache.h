#pragma once
// Name lookups behind TSock: service names to ports, host names to IPv4 addresses. Host names
// are remembered for the life of the process (compared without regard to case), so a name that
// once resolved never costs a second blocking lookup on the GUI thread.

#include <QString>
#include <cstdint>
#include <optional>

namespace zb {

class HostCache {
public:
    // IPv4 address in network byte order, if the name was resolved before.
    static std::optional<std::uint32_t> find(const QString& name);
    static void insert(const QString& name, std::uint32_t address);
    static void clear();
    static int size();
};

// A port name: a decimal number (0 to 65535) if it starts with a digit, else the service of that
// name for "tcp" (or "udp"). Nothing when it names no port.
std::optional<std::uint16_t> lookupPort(const QString& name, bool datagram);

// A host name: dotted IPv4 if it starts with a digit, else through the cache and, on a miss, the
// platform's resolver (first IPv4 address, then cached). Network byte order.
std::optional<std::uint32_t> lookupHost(const QString& name);

// The platform's resolver alone, with no cache: the first IPv4 address of a host name, in network
// byte order. It blocks, and touches no shared state, so it may run on any thread.
std::optional<std::uint32_t> resolveWithPlatform(const QString& name);

} // namespace zb
