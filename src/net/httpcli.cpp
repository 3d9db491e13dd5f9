#include "net/httpcli.h"

#include "net/errors.h"
#include "net/guard.h"
#include "net/httpcliresolver.h"
#include "net/tsock.h"

#include <QIODevice>
#include <QPointer>
#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>

namespace zb {
namespace {

QString dotted(std::uint32_t address) {
    char text[INET_ADDRSTRLEN] = {};
    in_addr in{};
    in.s_addr = address;
    inet_ntop(AF_INET, &in, text, sizeof text);
    return QString::fromLatin1(text);
}

bool isRedirect(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

} // namespace

HttpCli::HttpCli(QObject* parent)
    : QObject(parent), resolver_(new HttpCliResolver(this)), silence_(new QTimer(this)),
      deadlineTimer_(new QTimer(this)) {
    silence_->setSingleShot(true);
    silence_->setInterval(timeout_);
    connect(silence_, &QTimer::timeout, this, [this] { guarded([this] { onSilence(); }); });
    deadlineTimer_->setSingleShot(true);
    deadlineTimer_->setInterval(deadline_);
    connect(deadlineTimer_, &QTimer::timeout, this, [this] { guarded([this] { onDeadline(); }); });
}

HttpCli::~HttpCli() {
    // Nothing is reported from here: the owner is being torn down.
    OnHeaderData = nullptr;
    OnDocBegin = nullptr;
    OnDocData = nullptr;
    OnRequestDone = nullptr;
    dropSocket();
}

void HttpCli::setTimeout(std::chrono::milliseconds timeout) {
    timeout_ = std::max(timeout, std::chrono::milliseconds(1));
    silence_->setInterval(timeout_);
}

void HttpCli::setDeadline(std::chrono::milliseconds deadline) {
    deadline_ = std::max(deadline, std::chrono::milliseconds(1));
    deadlineTimer_->setInterval(deadline_);
}

bool HttpCli::get() {
    if (state_ != State::Idle)
        return false;
    redirects_ = 0;
    status_ = 0;
    contentLength_.reset();
    received_ = 0;
    reason_.clear();
    failure_ = Failure::None;
    deadlineTimer_->start();
    startRequest(QUrl(url_));
    return true;
}

void HttpCli::abort() {
    if (state_ == State::Idle || state_ == State::Reporting)
        return;
    finish(Failure::Aborted, QStringLiteral("aborted"));
}

void HttpCli::startRequest(const QUrl& url) {
    ++generation_;
    dropSocket();
    current_ = url;
    target_ = httpTarget(url);
    parser_.emplace(limits_);
    status_ = 0;
    contentLength_.reset();
    state_ = State::Resolving;
    restartSilence();
    if (!target_) {
        finish(Failure::NotHttp, QStringLiteral("not an http address: ") + url.toString());
        return;
    }
    const quint64 generation = generation_;
    resolver_->lookup(target_->host, [this, generation](std::optional<std::uint32_t> address) {
        if (generation == generation_ && state_ == State::Resolving)
            connectTo(address);
    });
}

void HttpCli::connectTo(std::optional<std::uint32_t> address) {
    if (!address) {
        finish(Failure::Unreachable, QStringLiteral("host not found: ") + target_->host);
        return;
    }
    state_ = State::Connecting;
    sock_ = new TSock(this);
    const quint64 generation = ++generation_;
    // Each handler first checks that it still belongs to the running connection.
    sock_->OnConnect = [this, generation](TSock*) {
        if (generation == generation_)
            onConnected();
    };
    sock_->OnRead = [this, generation](TSock*, int) {
        if (generation == generation_)
            onRead();
    };
    sock_->OnInfo = [this, generation](TSock*, TSocketInfo kind, const QString& text) {
        if (generation == generation_)
            onInfo(kind, text);
    };
    sock_->setHostName(dotted(*address));
    sock_->setPortName(QString::number(target_->port));
    try {
        sock_->open();
    } catch (const ZbError& e) {
        finish(Failure::Unreachable, QString::fromUtf8(e.what()));
    }
}

void HttpCli::onConnected() {
    state_ = State::Receiving;
    restartSilence();
    try {
        sock_->send(httpRequest(*target_));
    } catch (const ZbError& e) {
        finish(Failure::CutShort, QString::fromUtf8(e.what()));
    }
}

void HttpCli::onRead() {
    if (!sock_)
        return;
    QByteArray data;
    try {
        data = sock_->receive();
    } catch (const ZbError& e) {
        finish(Failure::CutShort, QString::fromUtf8(e.what()));
        return;
    }
    if (data.isEmpty())
        return;
    restartSilence();
    process(data);
}

void HttpCli::onInfo(TSocketInfo kind, const QString& text) {
    // An error before the connection was made means it could not be made; after, it broke.
    if (kind == TSocketInfo::siError)
        finish(state_ == State::Connecting ? Failure::Unreachable : Failure::CutShort, text);
    else if (kind == TSocketInfo::siClose)
        onConnectionClosed();
}

void HttpCli::onConnectionClosed() {
    if (state_ != State::Receiving && state_ != State::Connecting)
        return;
    if (!parser_ || state_ == State::Connecting) {
        finish(Failure::Unreachable, QStringLiteral("the connection closed"));
        return;
    }
    if (parser_->finish() == HttpResponseParser::Event::Complete)
        finish(Failure::None, {});
    else
        finish(Failure::CutShort, parser_->failure());
}

void HttpCli::onSilence() {
    if (state_ == State::Idle || state_ == State::Reporting)
        return;
    finish(Failure::Silence, QStringLiteral("no answer for %1 ms").arg(timeout_.count()));
}

void HttpCli::onDeadline() {
    if (state_ == State::Idle || state_ == State::Reporting)
        return;
    finish(Failure::Deadline, QStringLiteral("not done within %1 ms").arg(deadline_.count()));
}

void HttpCli::process(QByteArrayView data) {
    // Every callback may abort this request, start another or delete this client.
    const QPointer<HttpCli> self(this);
    const quint64 generation = generation_;
    const auto current = [&] { return self && generation == generation_; };
    using Event = HttpResponseParser::Event;
    while (current()) {
        switch (parser_->next(data)) {
        case Event::NeedMore:
            return;
        case Event::HeaderLine:
            if (OnHeaderData) {
                const HeaderEvent handler = OnHeaderData;
                handler(this, parser_->line().toByteArray());
            }
            break;
        case Event::HeadersDone:
            if (!handleHeaders())
                return;
            if (current() && OnDocBegin) {
                const NotifyEvent handler = OnDocBegin;
                handler(this);
            }
            break;
        case Event::Body:
            if (!storeBody(parser_->body()))
                return;
            if (OnDocData) {
                const DataEvent handler = OnDocData;
                handler(this, received_);
            }
            break;
        case Event::Complete:
            finish(Failure::None, {});
            return;
        case Event::Failed:
            finish(Failure::Malformed, parser_->failure());
            return;
        }
    }
}

// Decides what the response's status means. True when its body is the download.
bool HttpCli::handleHeaders() {
    status_ = parser_->statusCode();
    contentLength_ = parser_->contentLength();
    if (isRedirect(status_) && !parser_->location().isEmpty()) {
        if (redirects_ >= kMaxRedirects) {
            finish(Failure::Redirects, QStringLiteral("too many redirects"));
            return false;
        }
        const QUrl next = redirectTarget(current_, parser_->location());
        if (!httpTarget(next)) {
            finish(Failure::Redirects, QStringLiteral("redirect to an address that is not http: ") +
                                           QString::fromLatin1(parser_->location()));
            return false;
        }
        ++redirects_;
        startRequest(next);
        return false;
    }
    if (status_ >= 400) {
        finish(Failure::Status, QStringLiteral("status %1").arg(status_));
        return false;
    }
    if (status_ < 200 || status_ >= 300) {
        // Neither the download nor a way to it: storing this body as the installer would only
        // start something that is not one.
        finish(Failure::Status, QStringLiteral("unexpected status %1").arg(status_));
        return false;
    }
    return true;
}

bool HttpCli::storeBody(QByteArrayView piece) {
    if (sink_ && sink_->write(piece.data(), piece.size()) != piece.size()) {
        finish(Failure::Write,
               QStringLiteral("cannot write the download: ") + sink_->errorString());
        return false;
    }
    received_ += piece.size();
    return true;
}

void HttpCli::finish(Failure failure, const QString& reason) {
    if (state_ == State::Idle || state_ == State::Reporting)
        return;
    const bool succeeded = failure == Failure::None;
    state_ = State::Reporting;
    reason_ = reason;
    failure_ = failure;
    ++generation_;
    silence_->stop();
    deadlineTimer_->stop();
    resolver_->cancel();
    dropSocket();
    QTimer::singleShot(0, this, [this, succeeded] {
        guarded([this, succeeded] {
            state_ = State::Idle;
            if (OnRequestDone) {
                const DoneEvent handler = OnRequestDone;
                handler(this, succeeded);
            }
        });
    });
}

void HttpCli::dropSocket() {
    TSock* sock = std::exchange(sock_, nullptr);
    if (!sock)
        return;
    // The socket may be the one whose notification is running right now.
    sock->OnConnect = nullptr;
    sock->OnRead = nullptr;
    sock->OnInfo = nullptr;
    sock->close();
    sock->deleteLater();
}

void HttpCli::restartSilence() {
    silence_->start();
}

} // namespace zb
