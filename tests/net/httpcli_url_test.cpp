// Which addresses the download client goes to, and what it asks there.

#include "net/httpcliurl.h"

#include <gtest/gtest.h>

namespace {

TEST(HttpTarget, TakesHostPortAndPathOfAnHttpAddress) {
    const auto target =
        zb::httpTarget(QUrl(QStringLiteral("http://WWW.Quon77.com/lobby/qlbsetup.exe")));
    ASSERT_TRUE(target);
    EXPECT_EQ(target->host, QStringLiteral("www.quon77.com"));
    EXPECT_EQ(target->port, 80);
    EXPECT_EQ(target->path, QByteArray("/lobby/qlbsetup.exe"));
    EXPECT_EQ(target->hostHeader, QByteArray("www.quon77.com"));
}

TEST(HttpTarget, KeepsPortQueryAndEncoding) {
    const auto target = zb::httpTarget(QUrl(QStringLiteral("http://10.1.2.3:8080/a b?x=1&y=2")));
    ASSERT_TRUE(target);
    EXPECT_EQ(target->port, 8080);
    EXPECT_EQ(target->path, QByteArray("/a%20b?x=1&y=2"));
    EXPECT_EQ(target->hostHeader, QByteArray("10.1.2.3:8080"));
    EXPECT_EQ(zb::httpTarget(QUrl(QStringLiteral("http://h")))->path, QByteArray("/"));
}

TEST(HttpTarget, RefusesEverythingButHttp) {
    for (const char* url : {"https://h/x", "ftp://h/x", "file:///x", "http:///x", "mailto:a@b", "",
                            "h/x", "javascript:alert(1)"})
        EXPECT_FALSE(zb::httpTarget(QUrl(QString::fromLatin1(url)))) << url;
}

TEST(RedirectTarget, ResolvesAgainstTheAddressThatAnswered) {
    const QUrl base(QStringLiteral("http://h:81/lobby/old.exe"));
    struct Case {
        const char* location;
        const char* expected;
    };
    const Case cases[] = {
        {"http://other/x", "http://other/x"},     {"/top", "http://h:81/top"},
        {"new.exe", "http://h:81/lobby/new.exe"}, {"../up", "http://h:81/up"},
        {"//third/y", "http://third/y"},          {"https://h/secure", "https://h/secure"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(zb::redirectTarget(base, c.location).toString(), QString::fromLatin1(c.expected))
            << c.location;
}

TEST(RedirectTarget, RefusesControlCharactersAndEmptyValues) {
    const QUrl base(QStringLiteral("http://h/x"));
    EXPECT_FALSE(zb::redirectTarget(base, "").isValid());
    EXPECT_FALSE(zb::redirectTarget(base, QByteArray("/a\r\nHost: evil", 15)).isValid());
    EXPECT_FALSE(zb::redirectTarget(base, QByteArray("/a\0b", 4)).isValid());
}

TEST(HttpRequest, IsTheFixedHttp10Get) {
    zb::HttpTarget target;
    target.path = "/lobby/qlbsetup.exe";
    target.hostHeader = "www.quon77.com";
    EXPECT_EQ(zb::httpRequest(target),
              QByteArray("GET /lobby/qlbsetup.exe HTTP/1.0\r\n"
                         "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n"
                         "User-Agent: Mozilla/3.0 (compatible)\r\n"
                         "Host: www.quon77.com\r\n"
                         "\r\n"));
}

} // namespace
