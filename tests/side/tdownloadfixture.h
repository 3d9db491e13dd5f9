#pragma once
// The lobby download window against a local server, with a fake launcher, fake dialogs and a
// temporary folder for the installer.

#include "net/httpcli.h"
#include "net/httpcli_server.h"
#include "side/lobbylauncher.h"
#include "side/tdownload.h"
#include "support/fakedialogs.h"
#include "support/ports.h"
#include "support/wait.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>

namespace downloadtest {

class FakeLauncher : public zb::LobbyLauncher {
public:
    bool installerStarts = true;
    QString lobby;
    bool lobbyStarts = true;
    std::vector<std::pair<QString, QStringList>> installers;
    QStringList lobbies;

    bool startInstaller(const QString& path, const QStringList& arguments) override {
        installers.emplace_back(path, arguments);
        return installerStarts;
    }
    QString findLobby() override { return lobby; }
    bool startLobby(const QString& path) override {
        lobbies << path;
        return lobbyStarts;
    }
};

class TdownloadTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        window.setDownloadFolder(folder_.path());
        window.setDialogs(dialogs);
        window.setLauncher(launcher);
    }

    QString label(QLabel* l) const { return l->text(); }
    // Runs a download to its end, collecting every progress text seen on the way.
    void downloadFrom(const QString& url,
                      std::chrono::milliseconds deadline = std::chrono::seconds(20)) {
        window.setUrl(url);
        window.getbutton->click();
        ASSERT_TRUE(zbtest::waitFor(
            [&] {
                seen.insert(window.infolabel->text());
                return window.getbutton->isEnabled() && !window.httpClient().busy();
            },
            deadline));
    }
    QByteArray stored(const QString& name = QStringLiteral("qlbsetup.exe")) const {
        QFile file(QDir(folder_.path()).filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Every file in the download folder: after a download that installs nothing, no temporary
    // file may be left either.
    QStringList files() const {
        return QDir(folder_.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }
    QString path(const QString& name) const { return QDir(folder_.path()).filePath(name); }
    void expectAborted() {
        EXPECT_EQ(window.infolabel->text(), QStringLiteral("Download Aborted"));
        EXPECT_EQ(window.downloadState(), zb::Tdownload::kFailed);
        EXPECT_TRUE(window.getbutton->isEnabled());
        EXPECT_FALSE(window.abortbutton->isEnabled());
        EXPECT_TRUE(launcher.installers.empty());
        EXPECT_EQ(exits.count(), 0);
    }

    QTemporaryDir folder_;
    zbtest::FakeDialogs dialogs;
    FakeLauncher launcher;
    zb::Tdownload window;
    QSignalSpy exits{&window, &zb::Tdownload::exitRequested};
    std::set<QString> seen;
};

} // namespace downloadtest
