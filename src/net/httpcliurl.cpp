#include "net/httpcliurl.h"

#include <algorithm>

namespace zb {

std::optional<HttpTarget> httpTarget(const QUrl& url) {
    if (!url.isValid() || url.scheme().compare(QLatin1String("http"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    HttpTarget target;
    target.host = url.host(QUrl::FullyEncoded);
    if (target.host.isEmpty())
        return std::nullopt;
    const int port = url.port(80);
    if (port <= 0 || port > 65535)
        return std::nullopt;
    target.port = static_cast<std::uint16_t>(port);
    target.path = url.path(QUrl::FullyEncoded).toLatin1();
    if (target.path.isEmpty())
        target.path = "/";
    if (url.hasQuery())
        target.path += '?' + url.query(QUrl::FullyEncoded).toLatin1();
    target.hostHeader = target.host.toLatin1();
    if (target.port != 80)
        target.hostHeader += ':' + QByteArray::number(target.port);
    return target;
}

QUrl redirectTarget(const QUrl& current, const QByteArray& location) {
    const bool control = std::any_of(location.begin(), location.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 || u == 0x7F;
    });
    if (location.isEmpty() || control)
        return {};
    const QUrl relative = QUrl::fromEncoded(location, QUrl::StrictMode);
    if (!relative.isValid())
        return {};
    return current.resolved(relative);
}

QByteArray httpRequest(const HttpTarget& target) {
    QByteArray request;
    request += "GET " + target.path + " HTTP/1.0\r\n";
    request += "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n";
    request += "User-Agent: Mozilla/3.0 (compatible)\r\n";
    request += "Host: " + target.hostHeader + "\r\n";
    request += "\r\n";
    return request;
}

} // namespace zb
