#pragma once
// Whether a finished download is the installer, and if not, why not in the player's words.
//
// The installer is taken only from a status 200 whose body arrived whole against the length its
// Content-Length announced, and never from an empty one: a body read to the connection's close
// cannot be told from one cut short, and any other success status or an empty body is not an
// installer either.

#include "net/httpcli.h"

#include <QString>
#include <optional>

namespace zb {

struct DownloadEnd {
    HttpCli::Failure failure = HttpCli::Failure::None;
    int status = 0;
    std::optional<qint64> announced; // the Content-Length, if there was one
    qint64 received = 0;
    QString host; // where the last request went
};

DownloadEnd downloadEnd(const HttpCli& client);

// The status line's text for a download that installs nothing; empty when it is the installer.
QString whyNotInstalled(const DownloadEnd& end);

} // namespace zb
