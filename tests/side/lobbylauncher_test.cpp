// Starting the installer and the lobby for real: stand-in scripts on a test PATH and a served
// shell script as the installer show what the system launcher runs and with which arguments.

#include "net/httpcli_server.h"
#include "side/lobbylauncher.h"
#include "side/tdownload.h"
#include "support/fakedialogs.h"
#include "support/wait.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using zb::SystemLobbyLauncher;
using zb::Tdownload;
using zbtest::HttpTestServer;
using zbtest::response;

namespace {

class LobbyLauncherTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        savedPath_ = qgetenv("PATH");
        QDir(dir_.path()).mkdir(QStringLiteral("bin"));
        binDir_ = QDir(dir_.path()).filePath(QStringLiteral("bin"));
        marker_ = QDir(dir_.path()).filePath(QStringLiteral("started.txt"));
        // Only the test's own folder and the system's shell tools.
        qputenv("PATH", (binDir_ + QStringLiteral(":/usr/bin:/bin")).toLocal8Bit());
    }
    void TearDown() override { qputenv("PATH", savedPath_); }

    // A script that writes its arguments into the marker file.
    QByteArray standIn() const {
        return "#!/bin/sh\necho \"$@\" > '" + marker_.toLocal8Bit() + "'\n";
    }
    void writeScript(const QString& path) const {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(standIn());
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString markerText() const {
        QFile file(marker_);
        return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()).trimmed()
                                              : QString();
    }
    bool markerWritten() const { return !markerText().isEmpty() || QFile::exists(marker_); }

    QTemporaryDir dir_;
    QByteArray savedPath_;
    QString binDir_;
    QString marker_;
    zbtest::FakeDialogs dialogs;
};

TEST_F(LobbyLauncherTest, PlayWithOthersStartsTheLobbyFoundOnThePath) {
    writeScript(QDir(binDir_).filePath(QStringLiteral("quon77lobby")));
    SystemLobbyLauncher launcher(QDir(dir_.path()).filePath(QStringLiteral("no/such/lobby")));
    EXPECT_EQ(launcher.findLobby(), QDir(binDir_).filePath(QStringLiteral("quon77lobby")));
    Tdownload window;
    window.setDialogs(dialogs);
    window.setLauncher(launcher);
    QSignalSpy exits(&window, &Tdownload::exitRequested);
    window.Button2->click();
    EXPECT_EQ(exits.count(), 1);
    EXPECT_TRUE(dialogs.calls.empty());
    EXPECT_TRUE(zbtest::waitFor([&] { return QFile::exists(marker_); }));
}

TEST_F(LobbyLauncherTest, PlayWithOthersWithoutALobbyShowsTheMessageAndTheGameGoesOn) {
    SystemLobbyLauncher launcher(QDir(dir_.path()).filePath(QStringLiteral("no/such/lobby")));
    EXPECT_TRUE(launcher.findLobby().isEmpty());
    Tdownload window;
    window.setDialogs(dialogs);
    window.setLauncher(launcher);
    QSignalSpy exits(&window, &Tdownload::exitRequested);
    window.Button2->click();
    EXPECT_EQ(exits.count(), 0);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_TRUE(dialogs.lastText().startsWith(QStringLiteral("Please close the game")));
}

TEST_F(LobbyLauncherTest, TheFallbackPathIsUsedWhenThePathHasNoLobby) {
    const QString fallback = QDir(dir_.path()).filePath(QStringLiteral("quon77lobby"));
    SystemLobbyLauncher launcher(fallback);
    EXPECT_TRUE(launcher.findLobby().isEmpty()) << "not there yet";
    writeScript(fallback);
    EXPECT_EQ(launcher.findLobby(), fallback);
    QFile::setPermissions(fallback, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_TRUE(launcher.findLobby().isEmpty()) << "not executable";
}

TEST_F(LobbyLauncherTest, TheDownloadedInstallerIsMadeExecutableAndStartedWithItsArguments) {
    const std::string script = standIn().toStdString();
    HttpTestServer server([&script](const auto& c, const std::string&) {
        c.send(response(200, "Content-Length: " + std::to_string(script.size()) + "\r\n", script));
    });
    SystemLobbyLauncher launcher;
    Tdownload window;
    window.setDialogs(dialogs);
    window.setLauncher(launcher);
    window.setDownloadFolder(dir_.path());
    window.setUrl(server.url(QStringLiteral("/lobby/qlbsetup.exe")));
    QSignalSpy exits(&window, &Tdownload::exitRequested);
    window.getbutton->click();
    ASSERT_TRUE(zbtest::waitFor([&] { return exits.count() == 1 || !dialogs.calls.empty(); }));
    EXPECT_EQ(exits.count(), 1) << dialogs.lastText().toStdString();
    EXPECT_TRUE(zbtest::waitFor([&] { return !markerText().isEmpty(); }));
    EXPECT_EQ(markerText(), QStringLiteral("/SP- /silent /noicons"));
}

TEST_F(LobbyLauncherTest, AnInstallerTheSystemCannotRunShowsAnError) {
    HttpTestServer server([](const auto& c, const std::string&) {
        c.send(response(200, "Content-Length: 16\r\n", std::string("MZ\x90\0not for us!!", 16)));
    });
    SystemLobbyLauncher launcher;
    Tdownload window;
    window.setDialogs(dialogs);
    window.setLauncher(launcher);
    window.setDownloadFolder(dir_.path());
    window.setUrl(server.url(QStringLiteral("/lobby/qlbsetup.exe")));
    QSignalSpy exits(&window, &Tdownload::exitRequested);
    window.getbutton->click();
    ASSERT_TRUE(zbtest::waitFor([&] { return !dialogs.calls.empty(); }));
    EXPECT_EQ(dialogs.lastText(), QStringLiteral("An Error has Occurred."));
    EXPECT_EQ(window.infolabel3->text(), QStringLiteral("The installer could not be started"));
    EXPECT_EQ(exits.count(), 0);
}

} // namespace
