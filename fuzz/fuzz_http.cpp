// The download client's response parser on arbitrary bytes, cut into arbitrary pieces. Each input
// is parsed twice, in one piece and in the pieces the fuzzer chose, and both runs must agree;
// every run must stay within the limits whatever the bytes.
//
// Input layout: one byte of piece-length seed, then the response. Small limits let short inputs
// reach every limit.

#include "net/httpcliparser.h"
#include "net/httpcliurl.h"
#include "net/httpstatus.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void check(bool ok) {
    if (!ok)
        std::abort();
}

struct Run {
    std::string lines;
    std::string body;
    int end = 0;
    int status = 0;
    QByteArray location;
};

Run parse(const uint8_t* data, size_t size, size_t seed,
          const zb::HttpResponseParser::Limits& lim) {
    using Event = zb::HttpResponseParser::Event;
    zb::HttpResponseParser parser(lim);
    Run run;
    qint64 bodySeen = 0;
    size_t at = 0;
    size_t piece = seed == 0 ? size : seed;
    bool ended = false;
    while (!ended && at < size) {
        const size_t take = piece < size - at ? piece : size - at;
        QByteArrayView input(reinterpret_cast<const char*>(data + at),
                             static_cast<qsizetype>(take));
        at += take;
        piece = piece * 7 % 61 + 1; // uneven pieces from the seed on
        for (;;) {
            const qsizetype before = input.size();
            const Event e = parser.next(input);
            check(input.size() <= before);
            if (e == Event::HeaderLine) {
                check(parser.line().size() <= lim.maxLineBytes);
                run.lines.append(parser.line().data(), parser.line().size());
                run.lines.push_back('\n');
            } else if (e == Event::Body) {
                check(!parser.body().isEmpty());
                bodySeen += parser.body().size();
                check(bodySeen == parser.bodyBytes());
                check(bodySeen <= lim.maxBodyBytes);
                run.body.append(parser.body().data(), parser.body().size());
            } else if (e == Event::Complete || e == Event::Failed) {
                check(input.isEmpty());
                run.end = static_cast<int>(e);
                ended = true;
                break;
            } else if (e == Event::NeedMore) {
                check(input.isEmpty());
                break;
            } else {
                check(parser.headersDone());
            }
        }
    }
    if (!ended)
        run.end = static_cast<int>(parser.finish());
    if (parser.contentLength())
        check(parser.bodyBytes() <= *parser.contentLength());
    run.status = parser.statusCode();
    run.location = parser.location();
    return run;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const size_t seed = data[0] % 17;
    zb::HttpResponseParser::Limits limits;
    limits.maxLineBytes = 64;
    limits.maxHeaderLines = 8;
    limits.maxHeaderBytes = 256;
    limits.maxBodyBytes = 512;
    const Run whole = parse(data + 1, size - 1, 0, limits);
    const Run pieces = parse(data + 1, size - 1, seed + 1, limits);
    check(whole.lines == pieces.lines);
    check(whole.body == pieces.body);
    check(whole.end == pieces.end);
    check(whole.status == pieces.status);
    check(whole.location == pieces.location);
    // What the player is told of a status is its number and at most our own name for it.
    if (whole.status != 0) {
        const QString told = zb::httpStatusText(whole.status);
        check(told.startsWith(QString::number(whole.status)));
        check(told.size() < 40);
    }
    // Whatever a server names as the next address, only plain http with a host is followed.
    const QUrl next = zb::redirectTarget(QUrl(QStringLiteral("http://h/a/b")), whole.location);
    if (const auto target = zb::httpTarget(next)) {
        check(!target->host.isEmpty());
        check(!target->path.isEmpty());
        const QByteArray request = zb::httpRequest(*target);
        check(request.count("\r\n") == 5);
    }
    return 0;
}
