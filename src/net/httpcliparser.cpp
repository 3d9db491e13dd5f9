#include "net/httpcliparser.h"

#include <algorithm>
#include <cstring>

namespace zb {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

QByteArrayView trimmed(QByteArrayView text) {
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

bool sameName(QByteArrayView a, const char* b) {
    return a.compare(QByteArrayView(b), Qt::CaseInsensitive) == 0;
}

// Statuses whose responses never carry a body, whatever their headers say.
bool hasNoBody(int status) {
    return (status >= 100 && status < 200) || status == 204 || status == 304;
}

} // namespace

std::optional<qint64> parseContentLength(QByteArrayView value, qint64 max) {
    value = trimmed(value);
    if (value.isEmpty())
        return std::nullopt;
    qint64 length = 0;
    for (const char c : value) {
        if (!isDigit(c))
            return std::nullopt;
        // Checked before multiplying, so twenty digits cannot overflow.
        if (length > (max - (c - '0')) / 10)
            return std::nullopt;
        length = length * 10 + (c - '0');
    }
    return length;
}

HttpResponseParser::HttpResponseParser() : HttpResponseParser(Limits{}) {}

HttpResponseParser::HttpResponseParser(const Limits& limits) : limits_(limits) {}

HttpResponseParser::Event HttpResponseParser::fail(const QString& why) {
    state_ = State::Failed;
    failure_ = why;
    pending_.clear();
    line_ = {};
    body_ = {};
    return Event::Failed;
}

HttpResponseParser::Event HttpResponseParser::next(QByteArrayView& input) {
    line_ = {};
    body_ = {};
    Event event = Event::Failed;
    switch (state_) {
    case State::StatusLine:
    case State::Headers:
        event = takeLine(input);
        break;
    case State::Body:
        event = takeBody(input);
        break;
    case State::Complete:
        event = Event::Complete;
        break;
    case State::Failed:
        break;
    }
    // Whatever follows the end of a response is not part of it.
    if (event == Event::Complete || event == Event::Failed)
        input = {};
    return event;
}

HttpResponseParser::Event HttpResponseParser::takeLine(QByteArrayView& input) {
    if (lineReady_) {
        pending_.clear();
        lineReady_ = false;
    }
    if (input.isEmpty())
        return Event::NeedMore;
    const void* found = std::memchr(input.data(), '\n', static_cast<size_t>(input.size()));
    const qsizetype take =
        found ? static_cast<const char*>(found) - input.data() + 1 : input.size();
    // A line may end in CR LF, so one byte more than the limit may wait before its LF arrives.
    if (pending_.size() + take > limits_.maxLineBytes + 2)
        return fail(QStringLiteral("a header line is too long"));
    headerBytes_ += take;
    if (headerBytes_ > limits_.maxHeaderBytes)
        return fail(QStringLiteral("the headers are too long"));
    pending_.append(input.first(take));
    input = input.sliced(take);
    if (!found)
        return Event::NeedMore;
    pending_.chop(1);
    if (pending_.endsWith('\r'))
        pending_.chop(1);
    if (pending_.size() > limits_.maxLineBytes)
        return fail(QStringLiteral("a header line is too long"));
    lineReady_ = true;
    return lineComplete();
}

HttpResponseParser::Event HttpResponseParser::lineComplete() {
    const QByteArrayView text(pending_);
    if (state_ == State::Headers && text.isEmpty())
        return endOfHeaders();
    if (++headerLines_ > limits_.maxHeaderLines)
        return fail(QStringLiteral("too many header lines"));
    if (state_ == State::StatusLine) {
        if (!parseStatusLine(text))
            return fail(QStringLiteral("malformed status line"));
        state_ = State::Headers;
        line_ = text;
        return Event::HeaderLine;
    }
    return headerLine(text);
}

bool HttpResponseParser::parseStatusLine(QByteArrayView text) {
    if (text.size() < 12 || !text.startsWith("HTTP/") || !isDigit(text[5]) || text[6] != '.' ||
        !isDigit(text[7]) || text[8] != ' ')
        return false;
    const QByteArrayView code = text.sliced(9, 3);
    if (!std::all_of(code.begin(), code.end(), isDigit))
        return false;
    if (text.size() > 12 && text[12] != ' ')
        return false;
    status_ = (code[0] - '0') * 100 + (code[1] - '0') * 10 + (code[2] - '0');
    return status_ >= 100;
}

HttpResponseParser::Event HttpResponseParser::headerLine(QByteArrayView text) {
    line_ = text;
    // A folded continuation belongs to the line before it; none of the headers read here is
    // ever folded by a sane server, so it only counts against the limits.
    if (isBlank(text.front()))
        return Event::HeaderLine;
    const qsizetype colon = text.indexOf(':');
    if (colon <= 0)
        return fail(QStringLiteral("malformed header line"));
    const QByteArrayView name = text.first(colon);
    if (std::any_of(name.begin(), name.end(), [](char c) { return isBlank(c); }))
        return fail(QStringLiteral("malformed header line"));
    const QByteArrayView value = trimmed(text.sliced(colon + 1));
    if (sameName(name, "Content-Length")) {
        const auto length = parseContentLength(value, limits_.maxBodyBytes);
        if (!length)
            return fail(QStringLiteral("bad or too large Content-Length"));
        if (contentLength_ && *contentLength_ != *length)
            return fail(QStringLiteral("conflicting Content-Length"));
        contentLength_ = length;
    } else if (sameName(name, "Location")) {
        location_ = value.toByteArray();
    } else if (sameName(name, "Transfer-Encoding")) {
        // The request is HTTP/1.0, so no server may encode the body; writing chunk framing into
        // the installer would corrupt it.
        if (!sameName(value, "identity"))
            return fail(QStringLiteral("unsupported transfer encoding"));
    }
    return Event::HeaderLine;
}

HttpResponseParser::Event HttpResponseParser::endOfHeaders() {
    if (hasNoBody(status_))
        contentLength_ = 0;
    state_ = State::Body;
    bodyStarted_ = true;
    return Event::HeadersDone;
}

HttpResponseParser::Event HttpResponseParser::takeBody(QByteArrayView& input) {
    if (contentLength_) {
        const qint64 remaining = *contentLength_ - bodyBytes_;
        if (remaining == 0) {
            state_ = State::Complete;
            return Event::Complete;
        }
        if (input.isEmpty())
            return Event::NeedMore;
        const qsizetype take = static_cast<qsizetype>(std::min<qint64>(remaining, input.size()));
        body_ = input.first(take);
        input = input.sliced(take);
        bodyBytes_ += take;
        return Event::Body;
    }
    if (input.isEmpty())
        return Event::NeedMore;
    // Up to the limit the body is passed on, so the outcome does not depend on the pieces.
    const qint64 room = limits_.maxBodyBytes - bodyBytes_;
    if (room == 0)
        return fail(QStringLiteral("the body is too large"));
    const qsizetype take = static_cast<qsizetype>(std::min<qint64>(room, input.size()));
    body_ = input.first(take);
    input = input.sliced(take);
    bodyBytes_ += take;
    return Event::Body;
}

HttpResponseParser::Event HttpResponseParser::finish() {
    line_ = {};
    body_ = {};
    switch (state_) {
    case State::StatusLine:
    case State::Headers:
        return fail(QStringLiteral("the connection closed before the headers ended"));
    case State::Body:
        if (contentLength_ && bodyBytes_ < *contentLength_)
            return fail(QStringLiteral("the body ended before its announced length"));
        state_ = State::Complete;
        return Event::Complete;
    case State::Complete:
        return Event::Complete;
    case State::Failed:
        return Event::Failed;
    }
    return Event::Failed;
}

} // namespace zb
