#pragma once
// The response side of the download client: an HTTP/1.x status line, header lines and a body, fed
// in whatever pieces the network delivers. It is pull-style: next() consumes a prefix of the input
// and returns one event, so the caller may stop, redirect or give up between any two events and no
// callback ever runs inside the parser.
//
// What arrives is untrusted. The parser holds at most one header line (its limit), counts header
// lines and header bytes against limits, looks at every input byte once, and passes body bytes on
// as views into the input without copying them.
//
//   status-line = "HTTP/" DIGIT "." DIGIT SP 3DIGIT [ SP reason ] line-end
//   header-line = name ":" value line-end     (line-end is CRLF or a bare LF)
//   empty line ends the headers; the body follows, Content-Length bytes long, or up to the close.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace zb {

class HttpResponseParser {
public:
    struct Limits {
        qsizetype maxLineBytes = 8 * 1024;    // one status or header line, without its line end
        int maxHeaderLines = 100;             // the status line included
        qsizetype maxHeaderBytes = 64 * 1024; // everything up to and including the empty line
        qint64 maxBodyBytes = qint64(256) * 1024 * 1024;
    };

    enum class Event {
        NeedMore,    // the input is used up; feed more, or finish() at the close
        HeaderLine,  // line() holds the status line or a header line
        HeadersDone, // the empty line: status, length and location are known
        Body,        // body() holds the next piece of the body
        Complete,    // the whole response has arrived
        Failed,      // failure() says why; nothing more comes
    };

    HttpResponseParser();
    explicit HttpResponseParser(const Limits& limits);

    // Consumes bytes from the front of input and reports what they completed. After Complete or
    // Failed the input is consumed without effect and the same event is repeated.
    Event next(QByteArrayView& input);
    // The connection has closed: Complete for a body that runs to the close, Failed for anything
    // cut short (headers unfinished, fewer body bytes than Content-Length announced).
    Event finish();

    // Valid until the next call to next() or finish().
    QByteArrayView line() const { return line_; }
    QByteArrayView body() const { return body_; }

    int statusCode() const { return status_; }
    std::optional<qint64> contentLength() const { return contentLength_; }
    // The Location header's value, trimmed; empty when there was none.
    const QByteArray& location() const { return location_; }
    qint64 bodyBytes() const { return bodyBytes_; }
    const QString& failure() const { return failure_; }
    bool headersDone() const { return bodyStarted_; }

private:
    enum class State { StatusLine, Headers, Body, Complete, Failed };

    Event fail(const QString& why);
    Event takeLine(QByteArrayView& input);
    Event lineComplete();
    Event headerLine(QByteArrayView text);
    Event endOfHeaders();
    Event takeBody(QByteArrayView& input);
    bool parseStatusLine(QByteArrayView text);

    Limits limits_;
    State state_ = State::StatusLine;
    QByteArray pending_; // the unfinished line
    QByteArrayView line_;
    QByteArrayView body_;
    qsizetype headerBytes_ = 0;
    int headerLines_ = 0;
    int status_ = 0;
    std::optional<qint64> contentLength_;
    bool lineReady_ = false; // pending_ holds a finished line that line() still shows
    QByteArray location_;
    qint64 bodyBytes_ = 0;
    bool bodyStarted_ = false;
    QString failure_;
};

// A Content-Length value: decimal digits only (surrounding blanks allowed), at most max.
std::optional<qint64> parseContentLength(QByteArrayView value, qint64 max);

} // namespace zb
