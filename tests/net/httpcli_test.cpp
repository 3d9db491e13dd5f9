// The download client against a real server on a loopback port: what it asks, what it stores,
// and how every way a download can go wrong ends.

#include "httpcli_server.h"
#include "net/guard.h"
#include "net/httpcli.h"
#include "support/ports.h"
#include "support/wait.h"

#include <QBuffer>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <thread>

using namespace std::chrono_literals;
using zb::HttpCli;
using zbtest::HttpTestServer;
using zbtest::patternBody;
using zbtest::response;
using Failure = zb::HttpCli::Failure;

namespace {

class HttpCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousReporter_ = zb::setErrorReporter([this](const QString& text) { errors << text; });
        ASSERT_TRUE(dir_.isValid());
        file_.setFileName(dir_.filePath(QStringLiteral("download.bin")));
        ASSERT_TRUE(file_.open(QIODevice::WriteOnly | QIODevice::Truncate));
        client_ = std::make_unique<HttpCli>();
        client_->setRcvdStream(&file_);
        client_->OnHeaderData = [this](HttpCli*, const QByteArray& line) { lines << line; };
        client_->OnDocBegin = [this](HttpCli*) { ++docBegins; };
        client_->OnDocData = [this](HttpCli*, qint64 n) { counts.push_back(n); };
        client_->OnRequestDone = [this](HttpCli*, bool ok) {
            ++doneCalls;
            done = ok;
        };
    }
    void TearDown() override {
        client_.reset();
        zb::setErrorReporter(previousReporter_);
        EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('\n')).toStdString();
    }

    // Runs one download to its end and returns whether it succeeded.
    bool download(const QString& url, std::chrono::milliseconds deadline = 20s) {
        done.reset();
        client_->setURL(url);
        EXPECT_TRUE(client_->get());
        EXPECT_FALSE(done.has_value()) << "the outcome must come from the event loop";
        EXPECT_TRUE(zbtest::waitFor([this] { return done.has_value(); }, deadline));
        file_.flush();
        return done.value_or(false);
    }

    QByteArray stored() {
        file_.flush();
        QFile in(file_.fileName());
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    QTemporaryDir dir_;
    QFile file_;
    std::unique_ptr<HttpCli> client_;
    QList<QByteArray> lines;
    int docBegins = 0;
    std::vector<qint64> counts;
    std::optional<bool> done;
    int doneCalls = 0;
    QStringList errors;

private:
    zb::ErrorReporter previousReporter_;
};

TEST_F(HttpCliTest, SendsAnHttp10GetWithTheAgentTheTypesAndTheHost) {
    HttpTestServer server([](const auto& c, const std::string&) {
        c.send(response(200, "Content-Length: 2\r\n", "ok"));
    });
    ASSERT_TRUE(download(server.url(QStringLiteral("/lobby/qlbsetup.exe"))));
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0],
              "GET /lobby/qlbsetup.exe HTTP/1.0\r\n"
              "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n"
              "User-Agent: Mozilla/3.0 (compatible)\r\n"
              "Host: 127.0.0.1:" +
                  std::to_string(server.port()) + "\r\n\r\n");
}

TEST_F(HttpCliTest, StreamsSeveralMegabytesInManyPiecesIntoTheFile) {
    const std::string body = patternBody(4 * 1024 * 1024 + 123);
    HttpTestServer server([&body](const auto& c, const std::string&) {
        c.send("HTTP/1.0 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
               std::to_string(body.size()) + "\r\n\r\n");
        for (std::size_t at = 0; at < body.size(); at += 10007)
            if (!c.send(body.substr(at, 10007)))
                return;
    });
    ASSERT_TRUE(download(server.url(QStringLiteral("/lobby/qlbsetup.exe"))));
    EXPECT_EQ(client_->statusCode(), 200);
    EXPECT_EQ(client_->rcvdCount(), static_cast<qint64>(body.size()));
    EXPECT_EQ(lines,
              (QList<QByteArray>{"HTTP/1.0 200 OK", "Content-Type: application/octet-stream",
                                 "Content-Length: " + QByteArray::number(qint64(body.size()))}));
    EXPECT_EQ(docBegins, 1);
    ASSERT_GT(counts.size(), 100u);
    // Stored piece by piece as the socket delivers: no piece larger than one socket read.
    qint64 before = 0;
    for (const qint64 n : counts) {
        ASSERT_GT(n, before);
        ASSERT_LE(n - before, 32768);
        before = n;
    }
    EXPECT_EQ(counts.back(), static_cast<qint64>(body.size()));
    EXPECT_TRUE(stored() == QByteArray::fromStdString(body));
    EXPECT_EQ(doneCalls, 1);
}

TEST_F(HttpCliTest, ABodyWithoutALengthEndsWithTheConnection) {
    HttpTestServer server([](const auto& c, const std::string&) {
        c.send("HTTP/1.0 200 OK\r\n\r\n");
        c.send("first piece ");
        c.send("second piece");
    });
    ASSERT_TRUE(download(server.url(QStringLiteral("/x"))));
    EXPECT_EQ(stored(), QByteArray("first piece second piece"));
    // The caller can tell that no length was announced.
    EXPECT_EQ(client_->contentLength(), std::nullopt);
    EXPECT_EQ(client_->failure(), Failure::None);
}

TEST_F(HttpCliTest, TellsTheAnnouncedLengthOfTheFinalResponse) {
    HttpTestServer server([](const auto& c, const std::string& request) {
        if (request.rfind("GET /first ", 0) == 0)
            c.send(response(302, "Location: /second\r\nContent-Length: 4\r\n", "gone"));
        else
            c.send(response(200, "Content-Length: 7\r\n", "payload"));
    });
    ASSERT_TRUE(download(server.url(QStringLiteral("/first"))));
    EXPECT_EQ(client_->contentLength(), std::optional<qint64>(7));
    EXPECT_EQ(client_->rcvdCount(), 7);
}

TEST_F(HttpCliTest, BytesBeyondTheAnnouncedLengthAreNotStored) {
    HttpTestServer server([](const auto& c, const std::string&) {
        c.send(response(200, "Content-Length: 5\r\n", "12345and more"));
    });
    ASSERT_TRUE(download(server.url(QStringLiteral("/x"))));
    EXPECT_EQ(stored(), QByteArray("12345"));
}

struct FailureCase {
    const char* name;
    std::string reply;
    bool bodyBegins; // whether OnDocBegin comes before the failure
    Failure failure;
};

class HttpCliFailureTest : public HttpCliTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(HttpCliFailureTest, EndsAsFailed) {
    const FailureCase& param = GetParam();
    HttpTestServer server([&param](const auto& c, const std::string&) { c.send(param.reply); });
    EXPECT_FALSE(download(server.url(QStringLiteral("/lobby/qlbsetup.exe"))));
    EXPECT_EQ(docBegins, param.bodyBegins ? 1 : 0);
    EXPECT_EQ(doneCalls, 1);
    EXPECT_FALSE(client_->reasonText().isEmpty());
    EXPECT_EQ(client_->failure(), param.failure);
}

std::string manyHeaders(int count) {
    std::string headers;
    for (int i = 0; i < count; ++i)
        headers += "X-Filler-" + std::to_string(i) + ": x\r\n";
    return headers;
}

INSTANTIATE_TEST_SUITE_P(
    Replies, HttpCliFailureTest,
    ::testing::Values(
        FailureCase{"NotFound", response(404, "Content-Length: 9\r\n", "not found"), false,
                    Failure::Status},
        FailureCase{"ServerError", response(500, "", "broken"), false, Failure::Status},
        FailureCase{"Status418", response(418, "", ""), false, Failure::Status},
        FailureCase{"NotModified", response(304, "", ""), false, Failure::Status},
        FailureCase{"RedirectWithoutLocation", response(302, "", ""), false, Failure::Status},
        FailureCase{"Informational", response(100, "", ""), false, Failure::Status},
        FailureCase{"MalformedStatusLine", "HTTP/1.0 2x0 OK\r\n\r\nbody", false,
                    Failure::Malformed},
        FailureCase{"NoStatusLine", "<html>hello</html>\r\n\r\n", false, Failure::Malformed},
        FailureCase{"HugeHeaderLine", "HTTP/1.0 200 OK\r\nX: " + std::string(1 << 20, 'a'), false,
                    Failure::Malformed},
        FailureCase{"TenThousandHeaders", response(200, manyHeaders(10000), "body"), false,
                    Failure::Malformed},
        FailureCase{"NegativeLength", response(200, "Content-Length: -5\r\n", "body"), false,
                    Failure::Malformed},
        FailureCase{"NonNumericLength", response(200, "Content-Length: lots\r\n", "b"), false,
                    Failure::Malformed},
        FailureCase{"HugeLength", response(200, "Content-Length: 99999999999999999999999\r\n", "b"),
                    false, Failure::Malformed},
        FailureCase{"ConflictingLengths",
                    response(200, "Content-Length: 4\r\nContent-Length: 5\r\n", "body"), false,
                    Failure::Malformed},
        FailureCase{"ChunkedBody",
                    response(200, "Transfer-Encoding: chunked\r\n", "4\r\nbody\r\n0\r\n\r\n"),
                    false, Failure::Malformed},
        FailureCase{"BodyCutShort", response(200, "Content-Length: 100\r\n", "only some"), true,
                    Failure::CutShort},
        FailureCase{"HeadersCutShort", "HTTP/1.0 200 OK\r\nContent-Le", false, Failure::CutShort}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HttpCliTest, AStatusOf400OrMoreStoresNothing) {
    HttpTestServer server([](const auto& c, const std::string&) {
        c.send(response(404, "Content-Length: 9\r\n", "not found"));
    });
    EXPECT_FALSE(download(server.url(QStringLiteral("/x"))));
    EXPECT_EQ(client_->statusCode(), 404);
    EXPECT_TRUE(stored().isEmpty());
    EXPECT_TRUE(counts.empty());
}

TEST_F(HttpCliTest, ABodyCutShortKeepsWhatArrived) {
    HttpTestServer server([](const auto& c, const std::string&) {
        c.send(response(200, "Content-Length: 100\r\n", "only some"));
    });
    EXPECT_FALSE(download(server.url(QStringLiteral("/x"))));
    EXPECT_EQ(stored(), QByteArray("only some"));
    EXPECT_EQ(client_->rcvdCount(), 9);
}

TEST_F(HttpCliTest, AConnectionResetMidwayFails) {
    HttpTestServer server([](const auto& c, const std::string&) {
        c.send(response(200, "Content-Length: 100000\r\n", std::string(5000, 'z')));
        c.reset();
    });
    EXPECT_FALSE(download(server.url(QStringLiteral("/x"))));
    EXPECT_EQ(client_->failure(), Failure::CutShort);
}

TEST_F(HttpCliTest, FollowsARedirectChainAndStoresOnlyTheLastBody) {
    HttpTestServer* self = nullptr;
    HttpTestServer server([&self](const auto& c, const std::string& request) {
        const auto asked = [&](const char* path) {
            return request.rfind(std::string("GET ") + path + " ", 0) == 0;
        };
        if (asked("/one"))
            c.send(response(
                301, "Location: http://127.0.0.1:" + std::to_string(self->port()) + "/dir/two\r\n",
                "moved body"));
        else if (asked("/dir/two"))
            c.send(response(302, "Location: three?x=1\r\n", "found body"));
        else if (asked("/dir/three?x=1"))
            c.send(response(307, "Location: /four\r\nContent-Length: 3\r\n", "tmp"));
        else if (asked("/four"))
            c.send(response(200, "Content-Length: 7\r\n", "payload"));
        else
            c.send(response(404, "", ""));
    });
    self = &server;
    ASSERT_TRUE(download(server.url(QStringLiteral("/one"))));
    EXPECT_EQ(client_->redirects(), 3);
    EXPECT_EQ(server.connections(), 4);
    EXPECT_EQ(stored(), QByteArray("payload"));
    EXPECT_EQ(docBegins, 1);
    EXPECT_EQ(client_->currentUrl().path(), QStringLiteral("/four"));
}

// A server that sends the client from /r<n> to /r<n+1> up to /r<hops>, which answers.
std::unique_ptr<HttpTestServer> hopServer(int hops) {
    return std::make_unique<HttpTestServer>([hops](const auto& c, const std::string& request) {
        const int n = std::atoi(request.c_str() + 6); // "GET /r<n> ..."
        if (n < hops)
            c.send(response(302, "Location: /r" + std::to_string(n + 1) + "\r\n", ""));
        else
            c.send(response(200, "Content-Length: 4\r\n", "done"));
    });
}

TEST_F(HttpCliTest, FollowsFiveRedirects) {
    const auto server = hopServer(5);
    ASSERT_TRUE(download(server->url(QStringLiteral("/r0"))));
    EXPECT_EQ(client_->redirects(), 5);
    EXPECT_EQ(stored(), QByteArray("done"));
}

TEST_F(HttpCliTest, RefusesASixthRedirect) {
    const auto server = hopServer(6);
    EXPECT_FALSE(download(server->url(QStringLiteral("/r0"))));
    EXPECT_EQ(client_->failure(), Failure::Redirects);
    EXPECT_EQ(server->connections(), 6);
    EXPECT_TRUE(stored().isEmpty());
}

TEST_F(HttpCliTest, ARedirectLoopEndsAfterFiveHops) {
    HttpTestServer server([](const auto& c, const std::string&) {
        c.send(response(302, "Location: /loop\r\n", ""));
    });
    EXPECT_FALSE(download(server.url(QStringLiteral("/loop"))));
    EXPECT_EQ(server.connections(), 6);
}

class HttpCliSchemeTest : public HttpCliTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(HttpCliSchemeTest, ARedirectToAnotherSchemeFails) {
    const std::string location = GetParam();
    HttpTestServer server([&location](const auto& c, const std::string&) {
        c.send(response(302, "Location: " + location + "\r\n", ""));
    });
    EXPECT_FALSE(download(server.url(QStringLiteral("/x"))));
    EXPECT_EQ(server.connections(), 1);
    EXPECT_EQ(docBegins, 0);
}

INSTANTIATE_TEST_SUITE_P(Locations, HttpCliSchemeTest,
                         ::testing::Values("https://127.0.0.1/x", "ftp://127.0.0.1/x",
                                           "file:///etc/passwd", "javascript:alert(1)", "http://",
                                           "http://[::1]:80/x"));

TEST_F(HttpCliTest, ASilentServerTimesOut) {
    HttpTestServer server([](const auto& c, const std::string&) { c.waitForClientClose(); });
    client_->setTimeout(200ms);
    EXPECT_FALSE(download(server.url(QStringLiteral("/x")), 10s));
    EXPECT_TRUE(client_->reasonText().contains(QStringLiteral("no answer")))
        << client_->reasonText().toStdString();
    EXPECT_EQ(client_->failure(), Failure::Silence);
}

TEST_F(HttpCliTest, ATrickleThatNeverFallsSilentEndsAtTheDeadline) {
    std::atomic<bool> stop{false};
    HttpTestServer server([&stop](const auto& c, const std::string&) {
        c.send(response(200, "Content-Length: 1000000\r\n", ""));
        while (!stop.load() && c.send("."))
            std::this_thread::sleep_for(10ms);
    });
    client_->setTimeout(1s);
    client_->setDeadline(250ms);
    EXPECT_FALSE(download(server.url(QStringLiteral("/x")), 10s));
    stop = true;
    EXPECT_EQ(client_->failure(), Failure::Deadline);
    // Bytes kept coming until then: the silence time-out had no say.
    EXPECT_GT(client_->rcvdCount(), 1);
    EXPECT_EQ(doneCalls, 1);
}

TEST_F(HttpCliTest, TheDeadlineCoversEveryRedirectAndStartsAfreshWithEachGet) {
    std::atomic<bool> stop{false};
    HttpTestServer server([&stop](const auto& c, const std::string& request) {
        std::this_thread::sleep_for(60ms);
        if (request.rfind("GET /ok ", 0) == 0)
            c.send(response(200, "Content-Length: 2\r\n", "ok"));
        else if (!stop.load())
            c.send(response(302, "Location: /again\r\n", ""));
    });
    client_->setDeadline(200ms);
    // Each hop alone is well within the deadline; together they are not.
    EXPECT_FALSE(download(server.url(QStringLiteral("/again")), 10s));
    stop = true;
    EXPECT_EQ(client_->failure(), Failure::Deadline);
    EXPECT_LT(client_->redirects(), HttpCli::kMaxRedirects);
    EXPECT_TRUE(download(server.url(QStringLiteral("/ok")), 10s));
    EXPECT_EQ(client_->failure(), Failure::None);
}

TEST_F(HttpCliTest, TheDefaultDeadlineIsHalfAnHour) {
    EXPECT_EQ(client_->deadline(), std::chrono::minutes(30));
    EXPECT_EQ(HttpCli::kDefaultDeadline, std::chrono::minutes(30));
}

TEST_F(HttpCliTest, ABodyThatStallsTimesOut) {
    HttpTestServer server([](const auto& c, const std::string&) {
        c.send(response(200, "Content-Length: 1000\r\n", "a start"));
        c.waitForClientClose();
    });
    client_->setTimeout(200ms);
    EXPECT_FALSE(download(server.url(QStringLiteral("/x")), 10s));
    EXPECT_EQ(docBegins, 1);
    EXPECT_EQ(stored(), QByteArray("a start"));
}

TEST_F(HttpCliTest, AbortMidwayEndsAsFailedFromTheEventLoop) {
    std::atomic<bool> clientLeft{false};
    HttpTestServer server([&clientLeft](const auto& c, const std::string&) {
        c.send(response(200, "Content-Length: 10000000\r\n", std::string(100000, 'q')));
        c.waitForClientClose();
        clientLeft = true;
    });
    bool reportedInsideAbort = false;
    client_->OnDocData = [&](HttpCli* sender, qint64 n) {
        counts.push_back(n);
        if (n >= 50000 && sender->busy()) {
            sender->abort();
            reportedInsideAbort = done.has_value();
        }
    };
    EXPECT_FALSE(download(server.url(QStringLiteral("/x"))));
    EXPECT_FALSE(reportedInsideAbort);
    EXPECT_EQ(client_->reasonText(), QStringLiteral("aborted"));
    EXPECT_EQ(client_->failure(), Failure::Aborted);
    EXPECT_LT(client_->rcvdCount(), 100001);
    EXPECT_TRUE(zbtest::waitFor([&] { return clientLeft.load(); }));
    // Nothing more after the abort.
    const auto seen = counts.size();
    zbtest::pump(50ms);
    EXPECT_EQ(counts.size(), seen);
    EXPECT_EQ(doneCalls, 1);
}

TEST_F(HttpCliTest, AbortWhenIdleDoesNothing) {
    client_->abort();
    zbtest::pump(20ms);
    EXPECT_EQ(doneCalls, 0);
}

TEST_F(HttpCliTest, ARefusedConnectionFails) {
    EXPECT_FALSE(download(QStringLiteral("http://127.0.0.1:%1/x").arg(zbtest::refusingPort())));
    EXPECT_TRUE(client_->reasonText().contains(QStringLiteral("WSAECONNREFUSED")))
        << client_->reasonText().toStdString();
    EXPECT_EQ(client_->failure(), Failure::Unreachable);
}

TEST_F(HttpCliTest, AHostNameThatDoesNotResolveFails) {
    EXPECT_FALSE(download(QStringLiteral("http://nonexistent.invalid/lobby/qlbsetup.exe"), 40s));
    EXPECT_EQ(docBegins, 0);
    EXPECT_EQ(client_->failure(), Failure::Unreachable);
}

TEST_F(HttpCliTest, AnAddressThatIsNotHttpFails) {
    EXPECT_FALSE(download(QStringLiteral("ftp://127.0.0.1/lobby/qlbsetup.exe")));
    EXPECT_EQ(client_->failure(), Failure::NotHttp);
    EXPECT_FALSE(download(QStringLiteral("not an address at all")));
    EXPECT_EQ(client_->failure(), Failure::NotHttp);
    EXPECT_EQ(doneCalls, 2);
}

TEST_F(HttpCliTest, AFileThatTakesNoBytesFailsTheDownload) {
    HttpTestServer server([](const auto& c, const std::string&) {
        c.send(response(200, "Content-Length: 4\r\n", "data"));
    });
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    client_->setRcvdStream(&readOnly);
    EXPECT_FALSE(download(server.url(QStringLiteral("/x"))));
    EXPECT_EQ(client_->failure(), Failure::Write);
}

TEST_F(HttpCliTest, ABusyClientRefusesASecondGetAndCanBeUsedAgainAfterwards) {
    HttpTestServer server([](const auto& c, const std::string&) {
        c.send(response(200, "Content-Length: 2\r\n", "ok"));
    });
    client_->setURL(server.url(QStringLiteral("/x")));
    ASSERT_TRUE(client_->get());
    EXPECT_FALSE(client_->get());
    ASSERT_TRUE(zbtest::waitFor([this] { return done.has_value(); }));
    EXPECT_TRUE(*done);
    EXPECT_TRUE(download(server.url(QStringLiteral("/x"))));
    EXPECT_EQ(doneCalls, 2);
}

TEST_F(HttpCliTest, TheClientMayBeDeletedFromItsOwnCallback) {
    HttpTestServer server([](const auto& c, const std::string&) {
        c.send(response(200, "Content-Length: 100000\r\n", std::string(100000, 'd')));
    });
    QPointer<HttpCli> client(new HttpCli);
    client->OnDocData = [](HttpCli* sender, qint64) { delete sender; };
    client->setURL(server.url(QStringLiteral("/x")));
    ASSERT_TRUE(client->get());
    EXPECT_TRUE(zbtest::waitFor([&] { return client.isNull(); }));
}

} // namespace
