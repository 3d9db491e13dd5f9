// The download client at the edges of each class of input: the statuses around every class
// boundary and the redirect statuses beside them, a status line of exactly the shortest form,
// header lines and header bytes exactly at their limits and one past, and the ports of an
// address at both ends of their range.

#include "httpcli_server.h"
#include "net/httpcli.h"
#include "net/httpcliparser.h"
#include "net/httpcliurl.h"
#include "support/wait.h"

#include <QBuffer>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <thread>

using namespace std::chrono_literals;
using zb::HttpCli;
using zb::HttpResponseParser;
using zbtest::HttpTestServer;
using zbtest::response;
using Event = HttpResponseParser::Event;
using Failure = HttpCli::Failure;

namespace {

// --- Statuses, over a real connection -------------------------------------------------------

struct StatusCase {
    int status;
    bool located;    // the response names a Location (which answers 200 "final")
    Failure failure; // how the request ends
    int redirects;   // how many were followed
};
void PrintTo(const StatusCase& c, std::ostream* os) {
    *os << c.status << (c.located ? " with a Location" : "");
}

class HttpStatusEdges : public ::testing::TestWithParam<StatusCase> {};

TEST_P(HttpStatusEdges, EachClassEndsAsItsOwnAndOnlyRedirectsAreFollowed) {
    const StatusCase& c = GetParam();
    HttpTestServer server([&c](const auto& conn, const std::string& request) {
        if (request.rfind("GET /final ", 0) == 0)
            conn.send(response(200, "Content-Length: 5\r\n", "final"));
        else
            conn.send(response(c.status,
                               (c.located ? "Location: /final\r\n" : std::string()) +
                                   "Content-Length: 3\r\n",
                               "abc"));
    });
    QBuffer body;
    body.open(QIODevice::WriteOnly);
    HttpCli client;
    client.setRcvdStream(&body);
    std::optional<bool> done;
    client.OnRequestDone = [&](HttpCli*, bool ok) { done = ok; };
    client.setURL(server.url(QStringLiteral("/first")));
    ASSERT_TRUE(client.get());
    ASSERT_TRUE(zbtest::waitFor([&] { return done.has_value(); }));
    EXPECT_EQ(client.failure(), c.failure);
    EXPECT_EQ(*done, c.failure == Failure::None);
    EXPECT_EQ(client.redirects(), c.redirects);
    const QByteArray expected = c.failure != Failure::None ? "" : c.redirects ? "final" : "abc";
    EXPECT_EQ(body.data(), expected) << "nothing of a failed status is stored";
}

INSTANTIATE_TEST_SUITE_P(
    Classes, HttpStatusEdges,
    ::testing::Values(
        StatusCase{199, false, Failure::Status, 0}, StatusCase{200, false, Failure::None, 0},
        StatusCase{299, false, Failure::None, 0}, StatusCase{300, true, Failure::Status, 0},
        StatusCase{301, true, Failure::None, 1}, StatusCase{302, true, Failure::None, 1},
        StatusCase{303, true, Failure::None, 1}, StatusCase{304, true, Failure::Status, 0},
        StatusCase{305, true, Failure::Status, 0}, StatusCase{306, true, Failure::Status, 0},
        StatusCase{307, true, Failure::None, 1}, StatusCase{308, true, Failure::None, 1},
        StatusCase{309, true, Failure::Status, 0}, StatusCase{399, false, Failure::Status, 0},
        StatusCase{400, false, Failure::Status, 0}, StatusCase{400, true, Failure::Status, 0}),
    [](const auto& info) {
        return std::to_string(info.param.status) + (info.param.located ? "Located" : "");
    });

// The silence time-out counts from the last byte, not from the start: a body that takes twice
// the time-out, a byte a third of it apart, arrives whole.
TEST(HttpSilenceEdges, EachByteStartsTheSilenceAfresh) {
    HttpTestServer server([](const auto& conn, const std::string&) {
        conn.send(response(200, "Content-Length: 6\r\n", ""));
        for (const char c : std::string("slowly")) {
            std::this_thread::sleep_for(100ms);
            conn.send(std::string(1, c));
        }
    });
    QBuffer body;
    body.open(QIODevice::WriteOnly);
    HttpCli client;
    client.setRcvdStream(&body);
    client.setTimeout(300ms);
    std::optional<bool> done;
    client.OnRequestDone = [&](HttpCli*, bool ok) { done = ok; };
    client.setURL(server.url(QStringLiteral("/slow")));
    ASSERT_TRUE(client.get());
    ASSERT_TRUE(zbtest::waitFor([&] { return done.has_value(); }));
    EXPECT_EQ(client.failure(), Failure::None);
    EXPECT_EQ(body.data(), QByteArray("slowly"));
}

// --- The parser's limits, exactly -------------------------------------------------------------

// Feeds the whole response at once, then the close; the last event.
Event parse(const std::string& text, const HttpResponseParser::Limits& limits = {},
            std::string* failure = nullptr) {
    HttpResponseParser parser(limits);
    QByteArrayView input(text.data(), text.size());
    Event e = Event::NeedMore;
    for (;;) {
        e = parser.next(input);
        if (e == Event::NeedMore || e == Event::Complete || e == Event::Failed)
            break;
    }
    if (e == Event::NeedMore)
        e = parser.finish();
    if (failure)
        *failure = parser.failure().toStdString();
    return e;
}

TEST(HttpParserEdges, TheShortestStatusLineIsTwelveCharacters) {
    const struct {
        const char* line;
        Event end;
    } cases[] = {
        {"HTTP/1.0 200", Event::Complete},   {"HTTP/1.0 20", Event::Failed},
        {"HTTP/1.0 200 ", Event::Complete},  {"HTTP/1.0 200X", Event::Failed},
        {"HTTP/1.0 100", Event::Complete},   {"HTTP/1.0 999 Odd", Event::Complete},
        {"HTTP/1.0  200 OK", Event::Failed}, {"HTTP/1.0 200\tOK", Event::Failed},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parse(std::string(c.line) + "\r\nContent-Length: 0\r\n\r\n"), c.end) << c.line;
}

std::string headerLines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "X-" + std::to_string(i) + ": 1\r\n";
    return text;
}

TEST(HttpParserEdges, HeaderLinesUpToTheLimitWithTheStatusLineCounted) {
    HttpResponseParser::Limits limits;
    const int room = limits.maxHeaderLines - 1; // after the status line
    std::string why;
    EXPECT_EQ(parse("HTTP/1.0 200 OK\r\n" + headerLines(room) + "\r\n", limits), Event::Complete);
    EXPECT_EQ(parse("HTTP/1.0 200 OK\r\n" + headerLines(room + 1) + "\r\n", limits, &why),
              Event::Failed);
    EXPECT_EQ(why, "too many header lines");
}

TEST(HttpParserEdges, HeaderBytesUpToTheLimitWithTheEmptyLineCounted) {
    HttpResponseParser::Limits limits;
    limits.maxHeaderBytes = 100;
    const std::string status = "HTTP/1.0 200 OK\r\n"; // 17 bytes, and 2 for the empty line
    const std::string fits = "X: " + std::string(100 - 17 - 2 - 5, 'v') + "\r\n";
    ASSERT_EQ(status.size() + fits.size() + 2, 100u);
    std::string why;
    EXPECT_EQ(parse(status + fits + "\r\n", limits), Event::Complete);
    EXPECT_EQ(parse(status + "X: v" + fits.substr(3) + "\r\n", limits, &why), Event::Failed);
    EXPECT_EQ(why, "the headers are too long");
    // The default limit holds whole headers of exactly 64 KiB.
    const HttpResponseParser::Limits standard;
    std::string many = "HTTP/1.0 200 OK\r\n";
    while (many.size() + 8000 + 2 < std::size_t(standard.maxHeaderBytes))
        many += "X: " + std::string(7995, 'w') + "\r\n";
    many += "Y: " + std::string(std::size_t(standard.maxHeaderBytes) - many.size() - 7, 'y') +
            "\r\n\r\n";
    ASSERT_EQ(many.size(), std::size_t(standard.maxHeaderBytes));
    EXPECT_EQ(parse(many), Event::Complete);
    EXPECT_EQ(parse(many.substr(0, many.size() - 4) + "y\r\n\r\n"), Event::Failed);
}

TEST(HttpParserEdges, ALengthOfExactlyTheBodyLimitIsAcceptedAndOneMoreIsNot) {
    HttpResponseParser::Limits limits;
    limits.maxBodyBytes = 10;
    EXPECT_EQ(parse("HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\n0123456789", limits),
              Event::Complete);
    std::string why;
    EXPECT_EQ(parse("HTTP/1.0 200 OK\r\nContent-Length: 11\r\n\r\n01234567890", limits, &why),
              Event::Failed);
    EXPECT_EQ(why, "bad or too large Content-Length");
    EXPECT_EQ(zb::parseContentLength("9223372036854775807", INT64_MAX), INT64_MAX);
    EXPECT_EQ(zb::parseContentLength("9223372036854775808", INT64_MAX), std::nullopt);
    EXPECT_EQ(zb::parseContentLength("00000000000000000000000001", 1), 1) << "zeros add nothing";
}

// --- Ports of an address ----------------------------------------------------------------------

TEST(HttpUrlEdges, PortsFromOneTo65535AndTheDefaultLeftOutOfTheHost) {
    const struct {
        const char* url;
        int port; // 0: no target
        const char* hostHeader;
    } cases[] = {
        {"http://h:0/x", 0, ""},
        {"http://h:1/x", 1, "h:1"},
        {"http://h:79/x", 79, "h:79"},
        {"http://h:80/x", 80, "h"},
        {"http://h/x", 80, "h"},
        {"http://h:81/x", 81, "h:81"},
        {"http://h:65535/x", 65535, "h:65535"},
        {"http://h:65536/x", 0, ""},
        {"http://h:-1/x", 0, ""},
    };
    for (const auto& c : cases) {
        const auto target = zb::httpTarget(QUrl(QString::fromLatin1(c.url)));
        ASSERT_EQ(target.has_value(), c.port != 0) << c.url;
        if (!target)
            continue;
        EXPECT_EQ(target->port, c.port) << c.url;
        EXPECT_EQ(target->hostHeader, QByteArray(c.hostHeader)) << c.url;
    }
}

} // namespace
