// Which download becomes the installer: the status and the length it must have, the temporary
// file it arrives in, the name it is stored under and the names it may never take, and the time
// the whole download may take.

#include "net/peerreports.h"
#include "side/downloadverdict.h"
#include "side/installerfile.h"
#include "tdownloadfixture.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <thread>

using namespace std::chrono_literals;
using downloadtest::TdownloadTest;
using zbtest::HttpTestServer;
using zbtest::response;

namespace {

const QString kInstaller = QStringLiteral("/lobby/qlbsetup.exe");

struct Reply {
    const char* name;
    std::string reply;
    const char* why; // the status line at the end; empty: the installer starts
    QByteArray installed;
};

void PrintTo(const Reply& r, std::ostream* os) {
    *os << r.name;
}

class TdownloadReplyTest : public TdownloadTest, public ::testing::WithParamInterface<Reply> {};

TEST_P(TdownloadReplyTest, OnlyAWhole200WithItsLengthAndABodyIsInstalled) {
    const Reply& param = GetParam();
    HttpTestServer server([&param](const auto& c, const std::string&) { c.send(param.reply); });
    downloadFrom(server.url(kInstaller));
    if (QByteArray(param.why).isEmpty()) {
        ASSERT_EQ(launcher.installers.size(), 1u);
        EXPECT_EQ(launcher.installers[0].first, path(QStringLiteral("qlbsetup.exe")));
        EXPECT_EQ(stored(), param.installed);
        EXPECT_EQ(files(), QStringList{QStringLiteral("qlbsetup.exe")});
        EXPECT_EQ(window.infolabel->text(),
                  QStringLiteral("Received %1 bytes").arg(param.installed.size()));
        EXPECT_EQ(window.downloadState(), zb::Tdownload::kRunning);
    } else {
        expectAborted();
        EXPECT_EQ(window.infolabel3->text(), QString::fromLatin1(param.why));
        EXPECT_TRUE(files().isEmpty()) << files().join(' ').toStdString();
    }
}

std::string withLength(int status, int announced, const std::string& body) {
    return response(status, "Content-Length: " + std::to_string(announced) + "\r\n", body);
}

INSTANTIATE_TEST_SUITE_P(
    StatusClasses, TdownloadReplyTest,
    ::testing::Values(
        Reply{"S199", withLength(199, 3, "abc"), "The server answered 199", {}},
        Reply{"S200", withLength(200, 3, "abc"), "", "abc"},
        Reply{"S201", withLength(201, 3, "abc"), "The server answered 201 Created", {}},
        Reply{"S204", withLength(204, 3, "abc"), "The server answered 204 No Content", {}},
        Reply{"S299", withLength(299, 3, "abc"), "The server answered 299", {}},
        Reply{"S300", withLength(300, 3, "abc"), "The server answered 300 Multiple Choices", {}},
        Reply{"S399", withLength(399, 3, "abc"), "The server answered 399", {}},
        Reply{"S400", withLength(400, 3, "abc"), "The server answered 400 Bad Request", {}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Lengths, TdownloadReplyTest,
    ::testing::Values(
        Reply{"Zero", withLength(200, 0, ""), "The server sent an empty file", {}},
        Reply{
            "ZeroWithBytesAfter", withLength(200, 0, "junk"), "The server sent an empty file", {}},
        Reply{"One", withLength(200, 1, "x"), "", "x"},
        Reply{"OneShort", withLength(200, 5, "1234"), "The download was cut short", {}},
        Reply{"Announced", withLength(200, 5, "12345"), "", "12345"},
        Reply{"MoreThanAnnounced", withLength(200, 5, "12345678"), "", "12345"},
        Reply{"NoneToTheClose",
              response(200, "", "echo cut"),
              "The server did not say how long the download is",
              {}},
        Reply{"NoneAndNothing",
              response(200, "", ""),
              "The server did not say how long the download is",
              {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TdownloadTest, AFailedDownloadLeavesAnEarlierInstallerAsItWas) {
    {
        QFile earlier(path(QStringLiteral("qlbsetup.exe")));
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("the earlier one");
    }
    std::atomic<int> calls{0};
    HttpTestServer server([&](const auto& c, const std::string&) {
        if (calls++ == 0)
            c.send(withLength(200, 100, "only part of the new one"));
        else
            c.send(withLength(200, 7, "new one"));
    });
    downloadFrom(server.url(kInstaller));
    expectAborted();
    EXPECT_EQ(stored(), QByteArray("the earlier one"));
    EXPECT_EQ(files(), QStringList{QStringLiteral("qlbsetup.exe")});
    downloadFrom(server.url(kInstaller));
    EXPECT_EQ(stored(), QByteArray("new one"));
    EXPECT_EQ(launcher.installers.size(), 1u);
}

TEST_F(TdownloadTest, WhileItArrivesTheInstallersNameIsNotYetTaken) {
    std::atomic<bool> release{false};
    HttpTestServer server([&](const auto& c, const std::string&) {
        c.send(withLength(200, 8, "half"));
        while (!release.load())
            std::this_thread::sleep_for(1ms);
        c.send("done");
    });
    window.setUrl(server.url(kInstaller));
    window.getbutton->click();
    ASSERT_TRUE(zbtest::waitFor([&] { return window.infolabel->text() == "4 bytes"; }));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("qlbsetup.exe"))));
    // The temporary file is beside it, unnamed where the system allows.
    EXPECT_LE(files().size(), 1);
    for (const QString& name : files())
        EXPECT_TRUE(name.startsWith(QStringLiteral("qlbsetup.exe."))) << name.toStdString();
    release = true;
    ASSERT_TRUE(zbtest::waitFor([&] { return !launcher.installers.empty(); }));
    EXPECT_EQ(stored(), QByteArray("halfdone"));
    EXPECT_EQ(files(), QStringList{QStringLiteral("qlbsetup.exe")});
}

TEST_F(TdownloadTest, TheFileIsNamedByThePathWithoutQueryOrFragment) {
    HttpTestServer server(
        [](const auto& c, const std::string&) { c.send(withLength(200, 3, "abc")); });
    downloadFrom(server.url(QStringLiteral("/lobby/qlbsetup.exe?session=a/b.ini#part/x")));
    EXPECT_EQ(window.infolabel2->text(), QStringLiteral("qlbsetup.exe"));
    EXPECT_EQ(files(), QStringList{QStringLiteral("qlbsetup.exe")});
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].rfind("GET /lobby/qlbsetup.exe?session=a/b.ini HTTP/1.0", 0),
              0u);
}

class TdownloadRefusedNameTest : public TdownloadTest,
                                 public ::testing::WithParamInterface<const char*> {};

TEST_P(TdownloadRefusedNameTest, IsRefusedBeforeAnythingIsFetchedOrWritten) {
    // The settings file is there, as it is beside every real installer.
    {
        QFile settings(path(QStringLiteral("quonlobby.ini")));
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write("[Zorbinet]\r\nLobbyURL=x\r\n");
    }
    HttpTestServer server(
        [](const auto& c, const std::string&) { c.send(withLength(404, 9, "not found")); });
    window.setUrl(server.url(QString::fromLatin1(GetParam())));
    window.getbutton->click();
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.lastText(), QStringLiteral("The download address names no file that the "
                                                 "installer may be stored as."));
    EXPECT_TRUE(window.getbutton->isEnabled());
    EXPECT_FALSE(window.abortbutton->isEnabled());
    zbtest::pump(50ms);
    EXPECT_EQ(server.connections(), 0);
    EXPECT_EQ(files(), QStringList{QStringLiteral("quonlobby.ini")});
    EXPECT_EQ(stored(QStringLiteral("quonlobby.ini")), QByteArray("[Zorbinet]\r\nLobbyURL=x\r\n"));
    EXPECT_TRUE(launcher.installers.empty());
}

INSTANTIATE_TEST_SUITE_P(Names, TdownloadRefusedNameTest,
                         ::testing::Values("/lobby/quonlobby.ini", "/lobby/QuonLobby.INI",
                                           "/quonlobby.ini?x=1", "/zorbinettally.tld",
                                           "/zorbinettally.tld.bad", "/bin/zorbinet",
                                           "/bin/zorbinet-host", "/lobby/", "", "/lobby/..",
                                           "/lobby/%2E", "/lobby/a%0Ab"));

TEST(InstallerFileName, IsTheLastPathSegment) {
    EXPECT_EQ(zb::installerFileName(QStringLiteral("http://www.quon77.com/lobby/qlbsetup.exe")),
              QStringLiteral("qlbsetup.exe"));
    EXPECT_EQ(zb::installerFileName(QStringLiteral("http://h/a/setup%20two.exe?q=1/2#f")),
              QStringLiteral("setup two.exe"));
    EXPECT_EQ(zb::installerFileName(QStringLiteral("http://h/a%2Fquonlobby.ini")), QString());
    EXPECT_EQ(zb::installerFileName(QStringLiteral("http://h")), QString());
    EXPECT_EQ(zb::installerFileName(QStringLiteral("http://h/a/quonlobby.ini.txt")),
              QStringLiteral("quonlobby.ini.txt"));
}

TEST(InstallerFileName, TheRunningProgramsOwnNameIsReserved) {
    const QString self = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    ASSERT_FALSE(self.isEmpty());
    EXPECT_TRUE(zb::isReservedFileName(self));
    EXPECT_EQ(zb::installerFileName(QStringLiteral("http://h/") + self), QString());
    EXPECT_FALSE(zb::isReservedFileName(QStringLiteral("qlbsetup.exe")));
}

TEST_F(TdownloadTest, ADownloadThatTakesTooLongEndsAsDownloadAborted) {
    // A byte just often enough to keep the silence time-out from firing.
    std::atomic<bool> stop{false};
    HttpTestServer server([&](const auto& c, const std::string&) {
        c.send(response(200, "Content-Length: 100000\r\n", ""));
        while (!stop.load() && c.send("x"))
            std::this_thread::sleep_for(20ms);
    });
    window.httpClient().setTimeout(1s);
    window.httpClient().setDeadline(300ms);
    downloadFrom(server.url(kInstaller));
    stop = true;
    expectAborted();
    EXPECT_EQ(window.infolabel3->text(), QStringLiteral("The download took too long"));
    EXPECT_TRUE(files().isEmpty());
}

TEST(DownloadVerdict, NamesEveryFailure) {
    using Failure = zb::HttpCli::Failure;
    zb::DownloadEnd end;
    end.host = QStringLiteral("lobby.example");
    const std::pair<Failure, const char*> cases[] = {
        {Failure::Aborted, "Stopped"},
        {Failure::NotHttp, "The download address is not an http address"},
        {Failure::Unreachable, "Could not connect to lobby.example"},
        {Failure::Silence, "The server stopped answering"},
        {Failure::Deadline, "The download took too long"},
        {Failure::CutShort, "The download was cut short"},
        {Failure::Malformed, "The server's answer was not understood"},
        {Failure::Write, "The download could not be stored"},
    };
    for (const auto& [failure, why] : cases) {
        end.failure = failure;
        EXPECT_EQ(zb::whyNotInstalled(end), QString::fromLatin1(why));
    }
    end.failure = Failure::Unreachable;
    end.host = QString(300, QLatin1Char('h'));
    EXPECT_EQ(zb::whyNotInstalled(end),
              "Could not connect to " + QString(zb::kReportedTextChars, QLatin1Char('h')) + "...");
}

TEST(DownloadVerdict, AcceptsOnlyAWhole200WithABody) {
    zb::DownloadEnd end;
    end.status = 200;
    end.announced = 10;
    end.received = 10;
    EXPECT_EQ(zb::whyNotInstalled(end), QString());
    end.received = 9;
    EXPECT_EQ(zb::whyNotInstalled(end), QStringLiteral("The download was cut short"));
    end.announced.reset();
    EXPECT_EQ(zb::whyNotInstalled(end),
              QStringLiteral("The server did not say how long the download is"));
    end.announced = 0;
    end.received = 0;
    EXPECT_EQ(zb::whyNotInstalled(end), QStringLiteral("The server sent an empty file"));
}

} // namespace
