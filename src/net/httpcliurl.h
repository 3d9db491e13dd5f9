#pragma once
// Where a download request goes: the host, port and request target of an "http" address, the
// request bytes sent there, and the address a redirect leads to. Only plain http is followed:
// anything else (https, ftp, file, a malformed address) has no target.

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <cstdint>
#include <optional>

namespace zb {

struct HttpTarget {
    QString host; // as it goes to the resolver, in its ASCII form
    std::uint16_t port = 80;
    QByteArray path;       // path and query, percent-encoded, never empty
    QByteArray hostHeader; // host, with ":port" when the port is not 80
};

std::optional<HttpTarget> httpTarget(const QUrl& url);

// The address a Location value names, relative to the address that answered with it; invalid
// when the value is empty, holds control characters or is no address at all.
QUrl redirectTarget(const QUrl& current, const QByteArray& location);

// The GET request of the download: HTTP/1.0, the accepted types, the agent text and Host.
QByteArray httpRequest(const HttpTarget& target);

} // namespace zb
