#pragma once
// HttpCli: the download window's HTTP/1.0 client over TSock. One GET at a time; the response body
// streams into the device it is given as it arrives, so memory stays flat for a body of any size.
// Everything runs on the GUI thread, driven by socket notifications and one timer; only a host
// name lookup runs on a thread of its own (HttpCliResolver).
//
// A request succeeds when a 2xx response arrives complete. It fails on a status of 400 or more,
// on a 1xx or a 3xx that leads nowhere followable, after a sixth redirect, on a redirect to any
// scheme but http, when nothing arrives for the silence time-out, when the whole request takes
// longer than its deadline, when the body ends before its Content-Length, on a response the
// parser rejects, and when the connection cannot be made. failure() tells which. Whether a
// successful response is what the caller wanted (its status, its announced length) is the
// caller's to judge from statusCode(), contentLength() and rcvdCount().
// The outcome is reported once, from the event loop, never inside get() or abort().

#include "net/httpcliparser.h"
#include "net/httpcliurl.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

class QIODevice;
class QTimer;

namespace zb {

class HttpCliResolver;
class TSock;
enum class TSocketInfo;

class HttpCli : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxRedirects = 5;
    static constexpr std::chrono::milliseconds kDefaultTimeout{std::chrono::seconds(30)};
    // The whole request, redirects included. A server that sends a byte just before every
    // silence time-out would otherwise hold a request for ever; half an hour still brings a
    // large installer over a slow line, and the player can stop sooner.
    static constexpr std::chrono::milliseconds kDefaultDeadline{std::chrono::minutes(30)};

    // Why a request failed.
    enum class Failure {
        None,        // it succeeded, or none has ended yet
        Aborted,     // abort()
        NotHttp,     // the address is not a plain http address
        Unreachable, // the host name did not resolve, or the connection could not be made
        Status,      // the final response's status is no success (statusCode() tells which)
        Redirects,   // too many redirects, or one to an address that is not http
        Silence,     // nothing arrived for the silence time-out
        Deadline,    // the whole request took longer than its deadline
        CutShort,    // the connection broke or closed before the response was whole
        Malformed,   // the response is not HTTP, or is over the parser's limits
        Write,       // the body could not be written where it goes
    };

    using HeaderEvent = std::function<void(HttpCli* sender, const QByteArray& line)>;
    using NotifyEvent = std::function<void(HttpCli* sender)>;
    using DataEvent = std::function<void(HttpCli* sender, qint64 received)>;
    using DoneEvent = std::function<void(HttpCli* sender, bool succeeded)>;

    explicit HttpCli(QObject* parent = nullptr);
    ~HttpCli() override;

    void setURL(const QString& url) { url_ = url; }
    QString URL() const { return url_; }
    // Where the body goes; not owned. Without one the body is counted and dropped.
    void setRcvdStream(QIODevice* device) { sink_ = device; }
    // How long the request may go without a byte (or a connect) before it fails.
    void setTimeout(std::chrono::milliseconds timeout);
    std::chrono::milliseconds timeout() const { return timeout_; }
    // How long the whole request may take, from get() to its end.
    void setDeadline(std::chrono::milliseconds deadline);
    std::chrono::milliseconds deadline() const { return deadline_; }
    void setLimits(const HttpResponseParser::Limits& limits) { limits_ = limits; }

    // Starts the request; false (and nothing happens) while one is still running or reporting.
    bool get();
    // Cancels a running request, which then ends as failed. Never raises.
    void abort();
    bool busy() const { return state_ != State::Idle; }

    // Of the last response: its status, its body bytes so far, why the request failed.
    int statusCode() const { return status_; }
    // The final response's Content-Length, if it announced one.
    std::optional<qint64> contentLength() const { return contentLength_; }
    qint64 rcvdCount() const { return received_; }
    QString reasonText() const { return reason_; }
    Failure failure() const { return failure_; }
    int redirects() const { return redirects_; }
    // The address the last request (after its redirects) went to.
    QUrl currentUrl() const { return current_; }

    // Each response header line, the status line included; redirect responses' too.
    HeaderEvent OnHeaderData;
    // The final response's body begins.
    NotifyEvent OnDocBegin;
    // A piece of the body was stored; received counts the body bytes so far.
    DataEvent OnDocData;
    // The request ended; succeeded is false after abort() and every failure.
    DoneEvent OnRequestDone;

private:
    enum class State { Idle, Resolving, Connecting, Receiving, Reporting };

    void startRequest(const QUrl& url);
    void connectTo(std::optional<std::uint32_t> address);
    void onConnected();
    void onRead();
    void onInfo(TSocketInfo kind, const QString& text);
    void onConnectionClosed();
    void onSilence();
    void onDeadline();
    void process(QByteArrayView data);
    bool handleHeaders();
    bool storeBody(QByteArrayView piece);
    void finish(Failure failure, const QString& reason);
    void dropSocket();
    void restartSilence();

    QString url_;
    QUrl current_;
    std::optional<HttpTarget> target_;
    QIODevice* sink_ = nullptr;
    std::chrono::milliseconds timeout_ = kDefaultTimeout;
    std::chrono::milliseconds deadline_ = kDefaultDeadline;
    HttpResponseParser::Limits limits_;
    std::optional<HttpResponseParser> parser_;
    TSock* sock_ = nullptr;
    HttpCliResolver* resolver_ = nullptr;
    QTimer* silence_ = nullptr;
    QTimer* deadlineTimer_ = nullptr;
    State state_ = State::Idle;
    // Changes with every request and every connection, so a callback of an old one is ignored.
    quint64 generation_ = 0;
    int redirects_ = 0;
    int status_ = 0;
    std::optional<qint64> contentLength_;
    qint64 received_ = 0;
    QString reason_;
    Failure failure_ = Failure::None;
};

} // namespace zb
