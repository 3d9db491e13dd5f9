// The response parser on its own: the same response in any pieces gives the same events, and
// each kind of bad input fails with its own reason, within the limits.

#include "net/httpcliparser.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using zb::HttpResponseParser;
using Event = HttpResponseParser::Event;

namespace {

struct Outcome {
    std::vector<std::string> lines;
    bool headersDone = false;
    std::string body;
    Event end = Event::NeedMore;
    std::string failure;
    int status = 0;
};

// Feeds the response in pieces of the given size, then (if it has not ended) the close.
Outcome run(const std::string& response, std::size_t piece, bool close = true,
            HttpResponseParser::Limits limits = {}) {
    HttpResponseParser parser(limits);
    Outcome out;
    const auto handle = [&](Event e) {
        switch (e) {
        case Event::HeaderLine:
            out.lines.emplace_back(parser.line().data(), parser.line().size());
            break;
        case Event::HeadersDone:
            out.headersDone = true;
            break;
        case Event::Body:
            out.body.append(parser.body().data(), parser.body().size());
            break;
        default:
            out.end = e;
        }
    };
    for (std::size_t at = 0; at < response.size() && out.end == Event::NeedMore; at += piece) {
        QByteArrayView input(response.data() + at, std::min(piece, response.size() - at));
        for (;;) {
            const Event e = parser.next(input);
            handle(e);
            if (e == Event::NeedMore || e == Event::Complete || e == Event::Failed)
                break;
        }
    }
    if (close && out.end == Event::NeedMore)
        handle(parser.finish());
    out.failure = parser.failure().toStdString();
    out.status = parser.statusCode();
    return out;
}

TEST(HttpResponseParser, ReadsStatusHeadersAndBody) {
    const Outcome out = run("HTTP/1.1 200 OK\r\nContent-Length: 5\r\nServer: x\r\n\r\nhello", 4096);
    EXPECT_EQ(out.lines,
              (std::vector<std::string>{"HTTP/1.1 200 OK", "Content-Length: 5", "Server: x"}));
    EXPECT_TRUE(out.headersDone);
    EXPECT_EQ(out.body, "hello");
    EXPECT_EQ(out.end, Event::Complete);
    EXPECT_EQ(out.status, 200);
}

TEST(HttpResponseParser, GivesTheSameEventsForEveryWayOfCuttingTheInput) {
    const std::string response = "HTTP/1.0 302 Found\r\nLocation: /next\nContent-Length: 12\r\n"
                                 "\r\nmoved away!!trailing";
    const Outcome whole = run(response, response.size());
    for (std::size_t piece = 1; piece < response.size(); ++piece) {
        const Outcome cut = run(response, piece);
        ASSERT_EQ(cut.lines, whole.lines) << "piece " << piece;
        ASSERT_EQ(cut.body, whole.body) << "piece " << piece;
        ASSERT_EQ(cut.end, whole.end) << "piece " << piece;
    }
    EXPECT_EQ(whole.body, "moved away!!");
    EXPECT_EQ(whole.end, Event::Complete);
}

TEST(HttpResponseParser, KeepsLocationAndLength) {
    HttpResponseParser parser;
    std::string text =
        "HTTP/1.0 301 Moved\r\nlocation:   http://a/b  \r\ncontent-length: 0\r\n\r\n";
    QByteArrayView input(text.data(), text.size());
    while (parser.next(input) != Event::Complete) {
    }
    EXPECT_EQ(parser.location(), QByteArray("http://a/b"));
    EXPECT_EQ(parser.contentLength(), 0);
}

TEST(HttpResponseParser, ABodyWithoutLengthRunsToTheClose) {
    const Outcome open = run("HTTP/1.0 200 OK\r\n\r\nabc", 2, false);
    EXPECT_EQ(open.end, Event::NeedMore);
    const Outcome closed = run("HTTP/1.0 200 OK\r\n\r\nabc", 2, true);
    EXPECT_EQ(closed.end, Event::Complete);
    EXPECT_EQ(closed.body, "abc");
}

TEST(HttpResponseParser, StatusesWithoutBodyCompleteAtTheEmptyLine) {
    for (const char* status : {"100", "204", "304"}) {
        const Outcome out =
            run(std::string("HTTP/1.0 ") + status + " X\r\nContent-Length: 9\r\n\r\n", 64, false);
        EXPECT_EQ(out.end, Event::Complete) << status;
        EXPECT_TRUE(out.body.empty()) << status;
    }
}

struct BadCase {
    const char* name;
    std::string response;
    const char* failure;
};

class HttpResponseParserBad : public ::testing::TestWithParam<BadCase> {};

TEST_P(HttpResponseParserBad, FailsWithItsReasonWhateverThePieces) {
    for (const std::size_t piece : {std::size_t(1), std::size_t(7), std::size_t(1) << 20}) {
        const Outcome out = run(GetParam().response, piece);
        EXPECT_EQ(out.end, Event::Failed) << "piece " << piece;
        EXPECT_EQ(out.failure, GetParam().failure) << "piece " << piece;
    }
}

// count lines of about length bytes each, every one within the line limit.
std::string longHeaders(int count, std::size_t length) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "X-" + std::to_string(i) + ": " + std::string(length, 'v') + "\r\n";
    return text;
}

std::string headers(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "X-" + std::to_string(i) + ": 1\r\n";
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, HttpResponseParserBad,
    ::testing::Values(
        BadCase{"Empty", "", "the connection closed before the headers ended"},
        BadCase{"NotHttp", "HTTPS/1.0 200 OK\r\n\r\n", "malformed status line"},
        BadCase{"LettersInCode", "HTTP/1.0 2o0 OK\r\n\r\n", "malformed status line"},
        BadCase{"FourDigitCode", "HTTP/1.0 2000 OK\r\n\r\n", "malformed status line"},
        BadCase{"CodeTooSmall", "HTTP/1.0 099 OK\r\n\r\n", "malformed status line"},
        BadCase{"NoCode", "HTTP/1.0\r\n\r\n", "malformed status line"},
        BadCase{"Html", "<html></html>\n", "malformed status line"},
        BadCase{"HeaderWithoutColon", "HTTP/1.0 200 OK\r\nJunk\r\n\r\n", "malformed header line"},
        BadCase{"BlankBeforeColon", "HTTP/1.0 200 OK\r\nContent-Length : 1\r\n\r\nx",
                "malformed header line"},
        BadCase{"EmptyName", "HTTP/1.0 200 OK\r\n: x\r\n\r\n", "malformed header line"},
        BadCase{"MegabyteLine", "HTTP/1.0 200 OK\r\nX: " + std::string(1 << 20, 'a') + "\r\n\r\n",
                "a header line is too long"},
        BadCase{"MegabyteStatusLine", "HTTP/1.0 200 " + std::string(1 << 20, 'a'),
                "a header line is too long"},
        BadCase{"TenThousandHeaders", "HTTP/1.0 200 OK\r\n" + headers(10000) + "\r\n",
                "too many header lines"},
        BadCase{"HeaderBytes", "HTTP/1.0 200 OK\r\n" + longHeaders(9, 8000) + "\r\n",
                "the headers are too long"},
        BadCase{"NegativeLength", "HTTP/1.0 200 OK\r\nContent-Length: -1\r\n\r\n",
                "bad or too large Content-Length"},
        BadCase{"SignedLength", "HTTP/1.0 200 OK\r\nContent-Length: +1\r\n\r\nx",
                "bad or too large Content-Length"},
        BadCase{"WordLength", "HTTP/1.0 200 OK\r\nContent-Length: ten\r\n\r\n",
                "bad or too large Content-Length"},
        BadCase{"EmptyLength", "HTTP/1.0 200 OK\r\nContent-Length:\r\n\r\n",
                "bad or too large Content-Length"},
        BadCase{"ListLength", "HTTP/1.0 200 OK\r\nContent-Length: 1, 1\r\n\r\nx",
                "bad or too large Content-Length"},
        BadCase{"OverflowingLength",
                "HTTP/1.0 200 OK\r\nContent-Length: 184467440737095516160\r\n\r\n",
                "bad or too large Content-Length"},
        BadCase{"LengthOverTheLimit", "HTTP/1.0 200 OK\r\nContent-Length: 268435457\r\n\r\n",
                "bad or too large Content-Length"},
        BadCase{"TwoLengths", "HTTP/1.0 200 OK\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\n",
                "conflicting Content-Length"},
        BadCase{"Chunked", "HTTP/1.0 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n",
                "unsupported transfer encoding"},
        BadCase{"HeadersUnfinished", "HTTP/1.0 200 OK\r\nContent-Length: 4\r\n",
                "the connection closed before the headers ended"},
        BadCase{"BodyShort", "HTTP/1.0 200 OK\r\nContent-Length: 4\r\n\r\nabc",
                "the body ended before its announced length"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HttpResponseParser, TheSameLengthTwiceIsAccepted) {
    EXPECT_EQ(run("HTTP/1.0 200 OK\r\nContent-Length: 2\r\nContent-Length: 2\r\n\r\nab", 3).end,
              Event::Complete);
}

TEST(HttpResponseParser, ALineMayReachTheLimitButNotPassIt) {
    HttpResponseParser::Limits limits;
    limits.maxLineBytes = 40;
    const std::string fits = "X: " + std::string(37, 'a'); // exactly 40
    EXPECT_EQ(run("HTTP/1.0 200 OK\r\n" + fits + "\r\n\r\n", 1, true, limits).end, Event::Complete);
    EXPECT_EQ(run("HTTP/1.0 200 OK\r\n" + fits + "a\r\n\r\n", 1, true, limits).end, Event::Failed);
    EXPECT_EQ(run("HTTP/1.0 200 OK\n" + fits + "a\n\n", 5, true, limits).end, Event::Failed);
}

TEST(HttpResponseParser, ABodyWithoutLengthStopsAtTheBodyLimit) {
    HttpResponseParser::Limits limits;
    limits.maxBodyBytes = 10;
    const Outcome fits = run("HTTP/1.0 200 OK\r\n\r\n" + std::string(10, 'b'), 3, true, limits);
    EXPECT_EQ(fits.end, Event::Complete);
    const Outcome over = run("HTTP/1.0 200 OK\r\n\r\n" + std::string(11, 'b'), 3, true, limits);
    EXPECT_EQ(over.end, Event::Failed);
    EXPECT_EQ(over.failure, "the body is too large");
}

TEST(HttpResponseParser, AfterTheEndFurtherInputChangesNothing) {
    HttpResponseParser parser;
    std::string text = "HTTP/1.0 200 OK\r\nContent-Length: 1\r\n\r\nx";
    QByteArrayView input(text.data(), text.size());
    while (parser.next(input) != Event::Complete) {
    }
    std::string more = "HTTP/1.0 500 No\r\n\r\n";
    QByteArrayView rest(more.data(), more.size());
    EXPECT_EQ(parser.next(rest), Event::Complete);
    EXPECT_TRUE(rest.isEmpty());
    EXPECT_EQ(parser.statusCode(), 200);
    EXPECT_EQ(parser.finish(), Event::Complete);
}

struct LengthCase {
    const char* text;
    std::optional<qint64> expected;
};

TEST(ParseContentLength, AcceptsDecimalDigitsWithinTheLimitOnly) {
    const std::vector<LengthCase> cases = {
        {"0", 0},
        {"  42 ", 42},
        {"1000", 1000},
        {"1001", std::nullopt},
        {"-1", std::nullopt},
        {"", std::nullopt},
        {"1e3", std::nullopt},
        {"0x10", std::nullopt},
        {"99999999999999999999999", std::nullopt},
        {"\t7\t", 7},
    };
    for (const auto& c : cases)
        EXPECT_EQ(zb::parseContentLength(QByteArrayView(c.text), 1000), c.expected) << c.text;
}

} // namespace
