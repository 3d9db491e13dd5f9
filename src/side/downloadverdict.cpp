#include "side/downloadverdict.h"

#include "net/httpstatus.h"
#include "net/peerreports.h"

namespace zb {

DownloadEnd downloadEnd(const HttpCli& client) {
    DownloadEnd end;
    end.failure = client.failure();
    end.status = client.statusCode();
    end.announced = client.contentLength();
    end.received = client.rcvdCount();
    end.host = client.currentUrl().host();
    return end;
}

QString whyNotInstalled(const DownloadEnd& end) {
    using Failure = HttpCli::Failure;
    const QString answered = QStringLiteral("The server answered ") + httpStatusText(end.status);
    switch (end.failure) {
    case Failure::None:
        break;
    case Failure::Aborted:
        return QStringLiteral("Stopped");
    case Failure::NotHttp:
        return QStringLiteral("The download address is not an http address");
    case Failure::Unreachable:
        // A redirect may have named the host: shown only as far as a report shows a peer's text.
        return QStringLiteral("Could not connect to ") + reportableText(end.host.toLatin1());
    case Failure::Status:
        return answered;
    case Failure::Redirects:
        return QStringLiteral("The server sent the download elsewhere too often or to an "
                              "address that is not http");
    case Failure::Silence:
        return QStringLiteral("The server stopped answering");
    case Failure::Deadline:
        return QStringLiteral("The download took too long");
    case Failure::CutShort:
        return QStringLiteral("The download was cut short");
    case Failure::Malformed:
        return QStringLiteral("The server's answer was not understood");
    case Failure::Write:
        return QStringLiteral("The download could not be stored");
    }
    if (end.status != 200)
        return answered;
    if (!end.announced)
        return QStringLiteral("The server did not say how long the download is");
    if (end.received != *end.announced)
        return QStringLiteral("The download was cut short");
    if (end.received == 0)
        return QStringLiteral("The server sent an empty file");
    return {};
}

} // namespace zb
