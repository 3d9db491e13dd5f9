// The lobby download window: its texts, the download with its progress and status lines against a
// local server, every way a download fails, and the two ways on to the lobby.

#include "tdownloadfixture.h"

#include <QTest>
#include <atomic>
#include <thread>

using namespace std::chrono_literals;
using downloadtest::TdownloadTest;
using zb::Tdownload;
using zbtest::HttpTestServer;
using zbtest::response;

namespace {

TEST_F(TdownloadTest, ShowsItsPanelsWithEveryText) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Download The Quon77 Lobby"));
    EXPECT_EQ(window.size(), QSize(724, 500));
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(window.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_FALSE(window.isModal());
    EXPECT_EQ(window.getbutton->text(),
              QStringLiteral("Download And Install The Quon77 Lobby Now"));
    EXPECT_EQ(window.abortbutton->text(), QStringLiteral("Stop Download"));
    EXPECT_EQ(window.Button1->text(), QStringLiteral("Play Solo Game"));
    EXPECT_EQ(window.Button2->text(), QStringLiteral("Play with Others"));
    EXPECT_TRUE(window.Button1->isDefault());
    EXPECT_TRUE(window.getbutton->isEnabled());
    EXPECT_FALSE(window.abortbutton->isEnabled());
    EXPECT_TRUE(window.infolabel->text().isEmpty());
    EXPECT_TRUE(window.infolabel3->text().isEmpty());
    EXPECT_TRUE(window.infolabel2->isHidden());
    EXPECT_EQ(window.downloadState(), zb::Tdownload::kIdle);
    EXPECT_EQ(zb::Tdownload::kIdle, 0) << "the states keep their numbers";
    EXPECT_EQ(zb::Tdownload::kRunning, 1);
    EXPECT_EQ(zb::Tdownload::kFailed, 2);
    EXPECT_EQ(window.url(), QStringLiteral("http://www.quon77.com/lobby/qlbsetup.exe"));
    EXPECT_TRUE(window.hasPicture());
    EXPECT_EQ(window.image->pixmap().size(), QSize(430, 240));

    QStringList texts;
    for (const QLabel* l : window.findChildren<QLabel*>())
        texts << l->text();
    for (const char* expected :
         {"Download The Quon77 Lobby Now to play this  and other exciting games online with "
          "other players! ",
          "To proceed to the game without the ability to play against others click the button "
          "below.",
          "Note: Even if you are playing offline, you will need to configure your FIREWALL to "
          "allow the game to access the internet components.",
          "If you already have The Quon77 Lobby and you wish to play with others then click the "
          "button below to close this game and open The Quon77 Lobby."})
        EXPECT_TRUE(texts.contains(QString::fromLatin1(expected))) << expected;
    // The three panels are white.
    int white = 0;
    for (const QFrame* f : window.findChildren<QFrame*>(Qt::FindDirectChildrenOnly))
        white += f->styleSheet().contains(QStringLiteral("#ffffffff")) ? 1 : 0;
    EXPECT_EQ(white, 3);
}

TEST_F(TdownloadTest, DownloadsTheInstallerAndStartsItWithItsArguments) {
    const std::string body = zbtest::patternBody(3 * 1024 * 1024);
    std::atomic<int> go{0};
    HttpTestServer server([&](const auto& c, const std::string&) {
        c.send("HTTP/1.0 200 OK\r\nServer: test\r\nContent-Length: " + std::to_string(body.size()) +
               "\r\n\r\n");
        // Holds the body back until the test has looked at the header dots, and again half way.
        const std::size_t half = body.size() / 2;
        for (std::size_t at = 0; at < body.size();) {
            while (go.load() < (at < half ? 1 : 2))
                std::this_thread::sleep_for(1ms);
            const std::size_t end = std::min(at + 8192, at < half ? half : body.size());
            c.send(body.substr(at, end - at));
            at = end;
        }
    });
    window.setUrl(server.url(QStringLiteral("/lobby/qlbsetup.exe")));
    window.getbutton->click();
    EXPECT_EQ(window.downloadState(), zb::Tdownload::kRunning);
    EXPECT_EQ(window.infolabel->text(), QStringLiteral("Loading"));
    EXPECT_EQ(window.infolabel2->text(), QStringLiteral("qlbsetup.exe"));
    EXPECT_FALSE(window.getbutton->isEnabled());
    EXPECT_TRUE(window.abortbutton->isEnabled());
    // Status line, Server and Content-Length: one dot each.
    EXPECT_TRUE(zbtest::waitFor([&] { return window.infolabel->text() == "Loading..."; }));
    EXPECT_EQ(window.infolabel3->text(), QStringLiteral("Downloading: qlbsetup.exe"));
    go = 1;
    EXPECT_TRUE(zbtest::waitFor([&] { return window.infolabel->text() == "1572864 bytes"; }));
    EXPECT_EQ(window.infolabel3->text(), QStringLiteral("Downloading: qlbsetup.exe"));
    go = 2;
    ASSERT_TRUE(zbtest::waitFor([&] { return window.getbutton->isEnabled(); }));
    EXPECT_EQ(window.infolabel->text(), QStringLiteral("Received 3145728 bytes"));
    EXPECT_EQ(window.infolabel3->text(), QStringLiteral("Installing"));
    EXPECT_FALSE(window.abortbutton->isEnabled());
    EXPECT_EQ(window.downloadState(), zb::Tdownload::kRunning);
    EXPECT_TRUE(stored() == QByteArray::fromStdString(body));
    ASSERT_EQ(launcher.installers.size(), 1u);
    EXPECT_EQ(launcher.installers[0].first, QDir(folder_.path()).filePath("qlbsetup.exe"));
    EXPECT_EQ(launcher.installers[0].second,
              (QStringList{QStringLiteral("/SP-"), QStringLiteral("/silent"),
                           QStringLiteral("/noicons")}));
    EXPECT_EQ(exits.count(), 1);
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(TdownloadTest, TheEventsWriteTheProgressAndStatusLines) {
    window.infolabel->setText(QStringLiteral("Loading"));
    window.HttpCli1HeaderData();
    window.HttpCli1HeaderData();
    EXPECT_EQ(window.infolabel->text(), QStringLiteral("Loading.."));
    window.infolabel2->setText(QStringLiteral("qlbsetup.exe"));
    window.HttpCli1DocBegin();
    EXPECT_EQ(window.infolabel3->text(), QStringLiteral("Downloading: qlbsetup.exe"));
    window.HttpCli1DocData(123456);
    EXPECT_EQ(window.infolabel->text(), QStringLiteral("123456 bytes"));
}

struct FailureCase {
    const char* name;
    std::string reply; // empty: the server stays silent
    const char* why;   // the status line at the end
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

class TdownloadFailureTest : public TdownloadTest,
                             public ::testing::WithParamInterface<FailureCase> {};

TEST_P(TdownloadFailureTest, EndsAsDownloadAbortedAndInstallsNothing) {
    const FailureCase& param = GetParam();
    HttpTestServer server([&param](const auto& c, const std::string&) {
        if (param.reply.empty())
            c.waitForClientClose();
        else
            c.send(param.reply);
    });
    window.httpClient().setTimeout(300ms);
    downloadFrom(server.url(QStringLiteral("/lobby/qlbsetup.exe")));
    expectAborted();
    EXPECT_EQ(window.infolabel3->text(), QString::fromLatin1(param.why));
    EXPECT_TRUE(dialogs.calls.empty());
    EXPECT_TRUE(files().isEmpty()) << files().join(' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Replies, TdownloadFailureTest,
    ::testing::Values(
        FailureCase{"NotFound", response(404, "", "no such file"),
                    "The server answered 404 Not Found"},
        FailureCase{"ServerError", response(500, "", ""),
                    "The server answered 500 Internal Server Error"},
        FailureCase{"UnnamedStatus", response(599, "", ""), "The server answered 599"},
        FailureCase{"RedirectToHttps", response(302, "Location: https://127.0.0.1/x\r\n", ""),
                    "The server sent the download elsewhere too often or to an address that is "
                    "not http"},
        FailureCase{"BodyCutShort", response(200, "Content-Length: 5000\r\n", "short"),
                    "The download was cut short"},
        FailureCase{"HugeLength", response(200, "Content-Length: 99999999999999999\r\n", ""),
                    "The server's answer was not understood"},
        FailureCase{"NoLength", response(200, "", "#!/bin/sh\nrm -rf \"$HOME\"/.cut"),
                    "The server did not say how long the download is"},
        FailureCase{"NoContent", response(204, "", ""), "The server answered 204 No Content"},
        FailureCase{"Empty", response(200, "Content-Length: 0\r\n", ""),
                    "The server sent an empty file"},
        FailureCase{"Silent", "", "The server stopped answering"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TdownloadTest, ARedirectLoopEndsAsDownloadAborted) {
    HttpTestServer server([](const auto& c, const std::string&) {
        c.send(response(302, "Location: /lobby/qlbsetup.exe\r\n", ""));
    });
    downloadFrom(server.url(QStringLiteral("/lobby/qlbsetup.exe")));
    expectAborted();
    EXPECT_EQ(server.connections(), 6);
    EXPECT_EQ(window.infolabel3->text(),
              QStringLiteral("The server sent the download elsewhere too often or to an address "
                             "that is not http"));
}

TEST_F(TdownloadTest, ARefusedConnectionEndsAsDownloadAborted) {
    downloadFrom(
        QStringLiteral("http://127.0.0.1:%1/lobby/qlbsetup.exe").arg(zbtest::refusingPort()));
    expectAborted();
    EXPECT_EQ(window.infolabel3->text(), QStringLiteral("Could not connect to 127.0.0.1"));
}

TEST_F(TdownloadTest, AnUnknownHostEndsAsDownloadAborted) {
    window.httpClient().setTimeout(20s);
    downloadFrom(QStringLiteral("http://nonexistent.invalid/lobby/qlbsetup.exe"), 40s);
    expectAborted();
    EXPECT_EQ(window.infolabel3->text(),
              QStringLiteral("Could not connect to nonexistent.invalid"));
}

TEST_F(TdownloadTest, StoppingShowsDownloadAbortedInBothLines) {
    std::atomic<bool> clientLeft{false};
    HttpTestServer server([&](const auto& c, const std::string&) {
        c.send(response(200, "Content-Length: 50000000\r\n", std::string(200000, 'p')));
        c.waitForClientClose();
        clientLeft = true;
    });
    window.setUrl(server.url(QStringLiteral("/lobby/qlbsetup.exe")));
    window.getbutton->click();
    ASSERT_TRUE(zbtest::waitFor([&] { return window.infolabel->text().endsWith(" bytes"); }));
    window.abortbutton->click();
    EXPECT_EQ(window.infolabel->text(), QStringLiteral("Download has been aborted."));
    EXPECT_EQ(window.infolabel3->text(), QStringLiteral("Stopped"));
    EXPECT_EQ(window.downloadState(), zb::Tdownload::kFailed);
    ASSERT_TRUE(zbtest::waitFor([&] { return window.getbutton->isEnabled(); }));
    expectAborted();
    EXPECT_EQ(window.infolabel3->text(), QStringLiteral("Stopped"));
    EXPECT_TRUE(zbtest::waitFor([&] { return clientLeft.load(); }));
    // Nothing of it is left, under the installer's name or another.
    EXPECT_TRUE(files().isEmpty()) << files().join(' ').toStdString();
}

TEST_F(TdownloadTest, TheDownloadCanBeStartedAgainAfterAFailure) {
    std::atomic<int> calls{0};
    HttpTestServer server([&](const auto& c, const std::string&) {
        if (calls++ == 0)
            c.send(response(500, "", ""));
        else
            c.send(response(200, "Content-Length: 3\r\n", "abc"));
    });
    downloadFrom(server.url(QStringLiteral("/lobby/qlbsetup.exe")));
    expectAborted();
    downloadFrom(server.url(QStringLiteral("/lobby/qlbsetup.exe")));
    EXPECT_EQ(window.infolabel->text(), QStringLiteral("Received 3 bytes"));
    EXPECT_EQ(window.downloadState(), zb::Tdownload::kRunning);
    EXPECT_EQ(launcher.installers.size(), 1u);
    EXPECT_EQ(stored(), QByteArray("abc"));
}

TEST_F(TdownloadTest, AFileThatCannotBeCreatedShowsTheSystemsMessageAndStartsNothing) {
    HttpTestServer server([](const auto& c, const std::string&) {
        c.send(response(200, "Content-Length: 3\r\n", "abc"));
    });
    window.setDownloadFolder(QDir(folder_.path()).filePath(QStringLiteral("missing/folder")));
    window.setUrl(server.url(QStringLiteral("/lobby/qlbsetup.exe")));
    window.getbutton->click();
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_FALSE(dialogs.lastText().isEmpty());
    EXPECT_NE(dialogs.lastText(), QStringLiteral("An Error has Occurred."));
    EXPECT_TRUE(window.getbutton->isEnabled());
    EXPECT_FALSE(window.abortbutton->isEnabled());
    EXPECT_TRUE(window.infolabel->text().isEmpty());
    zbtest::pump(50ms);
    EXPECT_EQ(server.connections(), 0);
    EXPECT_TRUE(launcher.installers.empty());
}

TEST_F(TdownloadTest, AnInstallerThatDoesNotStartShowsAnErrorAndTheGameGoesOn) {
    HttpTestServer server([](const auto& c, const std::string&) {
        c.send(response(200, "Content-Length: 3\r\n", "abc"));
    });
    launcher.installerStarts = false;
    downloadFrom(server.url(QStringLiteral("/lobby/qlbsetup.exe")));
    EXPECT_EQ(launcher.installers.size(), 1u);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.lastText(), QStringLiteral("An Error has Occurred."));
    EXPECT_EQ(window.infolabel3->text(), QStringLiteral("The installer could not be started"));
    EXPECT_EQ(exits.count(), 0);
}

TEST_F(TdownloadTest, PlayWithOthersOpensTheLobbyAndEndsTheGame) {
    launcher.lobby = QStringLiteral("/somewhere/quon77lobby");
    window.Button2->click();
    EXPECT_EQ(launcher.lobbies, QStringList{QStringLiteral("/somewhere/quon77lobby")});
    EXPECT_EQ(exits.count(), 1);
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(TdownloadTest, PlayWithOthersWithoutALobbyShowsTheMessage) {
    for (const bool found : {false, true}) {
        launcher.lobby = found ? QStringLiteral("/broken/quon77lobby") : QString();
        launcher.lobbyStarts = false;
        dialogs.calls.clear();
        window.Button2->click();
        ASSERT_EQ(dialogs.calls.size(), 1u);
        EXPECT_EQ(dialogs.lastText(),
                  QStringLiteral("Please close the game and open the Quon77 Lobby using the icon "
                                 "on your desktop or using the your Window's start-up menu."));
        EXPECT_EQ(exits.count(), 0);
    }
}

TEST_F(TdownloadTest, EnterMeansPlaySoloGame) {
    window.show();
    ASSERT_TRUE(window.isVisible());
    QTest::keyClick(window.Button1, Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
    window.show();
    // With no button taking the key, the window itself turns Enter into "Play Solo Game".
    QTest::keyClick(window.infolabel, Qt::Key_Enter);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(launcher.lobbies.isEmpty());
    EXPECT_TRUE(launcher.installers.empty());
}

TEST_F(TdownloadTest, PlaySoloGameWhileDownloadingStopsTheDownload) {
    HttpTestServer server([&](const auto& c, const std::string&) {
        c.send(response(200, "Content-Length: 50000000\r\n", std::string(1000, 'p')));
        c.waitForClientClose();
    });
    window.show();
    window.setUrl(server.url(QStringLiteral("/lobby/qlbsetup.exe")));
    window.getbutton->click();
    ASSERT_TRUE(zbtest::waitFor([&] { return window.infolabel->text().endsWith(" bytes"); }));
    window.Button1->click();
    EXPECT_FALSE(window.isVisible());
    ASSERT_TRUE(zbtest::waitFor([&] { return !window.httpClient().busy(); }));
    expectAborted();
}

TEST_F(TdownloadTest, ADamagedPictureLeavesThePanelBlankAndTheWindowWorking) {
    EXPECT_FALSE(window.setPicture(QByteArray("\xFF\xD8\xFF\xE0 not really", 15)));
    EXPECT_FALSE(window.hasPicture());
    EXPECT_FALSE(window.setPicture(QByteArray()));
    EXPECT_FALSE(window.hasPicture());
    window.show();
    window.Button1->click();
    EXPECT_FALSE(window.isVisible());
}

} // namespace
