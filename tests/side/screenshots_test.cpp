// Pictures of the side windows for looking at, not run by default: run test_side with
// --gtest_also_run_disabled_tests --gtest_filter='*Screenshot*' (under Xvfb for real fonts).
// Each is saved as a PNG in the temporary folder.

#include "net/httpcli_server.h"
#include "side/lobbylauncher.h"
#include "side/tabout.h"
#include "side/tdownload.h"
#include "side/thelp.h"
#include "support/fakedialogs.h"
#include "support/wait.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace {

bool save(QWidget& window, const QString& name) {
    window.show();
    zbtest::pump(std::chrono::milliseconds(200));
    return window.grab().save(QDir(QDir::tempPath()).filePath(name));
}

class NoLauncher : public zb::LobbyLauncher {
public:
    bool startInstaller(const QString&, const QStringList&) override { return false; }
    QString findLobby() override { return {}; }
    bool startLobby(const QString&) override { return false; }
};

TEST(Screenshots, DISABLED_DownloadWindowInTheMiddleOfADownload) {
    const std::string body = zbtest::patternBody(2 * 1024 * 1024);
    std::atomic<bool> release{false};
    zbtest::HttpTestServer server([&](const auto& c, const std::string&) {
        c.send(zbtest::response(200, "Content-Length: " + std::to_string(body.size()) + "\r\n",
                                body.substr(0, 876543)));
        while (!release.load())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    QTemporaryDir folder;
    zbtest::FakeDialogs dialogs;
    NoLauncher launcher;
    zb::Tdownload window;
    window.setDownloadFolder(folder.path());
    window.setDialogs(dialogs);
    window.setLauncher(launcher);
    window.setUrl(server.url(QStringLiteral("/lobby/qlbsetup.exe")));
    window.show();
    window.getbutton->click();
    EXPECT_TRUE(zbtest::waitFor(
        [&] { return window.infolabel->text() == QStringLiteral("876543 bytes"); }));
    EXPECT_TRUE(save(window, QStringLiteral("zorbinet-download.png")));
    release = true;
    window.abortbutton->click();
    EXPECT_TRUE(zbtest::waitFor([&] { return window.getbutton->isEnabled(); }));
    EXPECT_TRUE(save(window, QStringLiteral("zorbinet-download-stopped.png")));
}

TEST(Screenshots, DISABLED_HelpAndAbout) {
    zb::Thelp help;
    EXPECT_TRUE(save(help, QStringLiteral("zorbinet-help.png")));
    help.showPage(4);
    EXPECT_TRUE(save(help, QStringLiteral("zorbinet-help-scoring.png")));
    help.showPage(3);
    EXPECT_TRUE(save(help, QStringLiteral("zorbinet-help-play.png")));
    zb::Tabout about;
    EXPECT_TRUE(save(about, QStringLiteral("zorbinet-about.png")));
}

} // namespace
