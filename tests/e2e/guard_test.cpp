// The single-instance guard as a user meets it: only a live copy keeps the game from starting,
// and both a second copy and a guard that cannot be taken say so on standard error. These run on
// the fixed game port 7772, one at a time.

#include "gameclient.h"
#include "process.h"
#include "support/wait.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace std::chrono_literals;
using zbtest::Client;
using zbtest::GameProcess;
using zbtest::waitFor;

namespace {

const QString kGame = QStringLiteral(ZB_GAME_BINARY);
const QByteArray kUndetectable = "a second copy cannot be detected. Starting anyway.";

void writeFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

class Guard : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(zbtest::waitForPortFree("7772")); }
};

TEST_F(Guard, ASecondCopySaysTheGameRunsAndWasBroughtToTheFront) {
    GameProcess first;
    first.start(kGame, {});
    Client client;
    ASSERT_TRUE(client.connectWhenListening());

    GameProcess second(first.runtimeDir());
    second.captureErrors();
    second.start(kGame, {});
    ASSERT_TRUE(second.waitForExit(15000));
    EXPECT_EQ(second.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.process().exitCode(), 0);
    EXPECT_TRUE(second.errors().contains(
        "Zorbinet is already running; its window was brought to the front.\n"))
        << second.errors().toStdString();
    EXPECT_TRUE(first.running());
}

// Left behind by a copy that crashed, half written on a full disk, or written before the machine
// changed its name: none of them is a live copy.
TEST_F(Guard, ALockFileLeftBehindDoesNotKeepTheGameFromStarting) {
    for (const QByteArray& text :
         {QByteArray(), QByteArray("garbage\n"), QByteArray("1\nzorbinet\nanother-machine\n")}) {
        SCOPED_TRACE(text.toStdString());
        GameProcess game;
        writeFile(game.runtimeDir() + "/vidro5.lock", text);
        game.captureErrors();
        game.start(kGame, {});
        Client client;
        ASSERT_TRUE(client.connectWhenListening()) << "the game did not start";
        EXPECT_TRUE(game.running());
        EXPECT_FALSE(game.errors().contains("Zorbinet")) << game.errors().toStdString();
        game.process().terminate();
        ASSERT_TRUE(game.waitForExit(15000));
        ASSERT_TRUE(zbtest::waitForPortFree("7772"));
    }
}

TEST_F(Guard, ARuntimeFolderThatCannotBeWrittenStartsTheGameAndSaysSo) {
    GameProcess game;
    game.captureErrors();
    if (!game.startWithReadOnlyFolder(game.runtimeDir(), kGame))
        GTEST_SKIP() << "no private mounts here";
    Client client;
    ASSERT_TRUE(client.connectWhenListening()) << game.errors().toStdString();
    EXPECT_TRUE(waitFor([&] { return game.errors().contains(kUndetectable); }))
        << game.errors().toStdString();
    EXPECT_TRUE(game.errors().contains(qt_error_string(EROFS).toUtf8()));
}

// Without a runtime folder the guard would fall back on a folder in /tmp; another local user who
// created it first, and left a lock there, must not be able to stop the game.
TEST_F(Guard, AFallbackFolderThatAnotherUserCreatedIsNotUsed) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can make folders for another user";
    QTemporaryDir tmp;
    const QByteArray uid = QByteArray::number(::geteuid());
    // Both the runtime folder that Qt would fall back on and the guard's own are another's.
    const QString qtRuntime = tmp.filePath("runtime-root");
    const QString fallback = tmp.filePath("zorbinet-" + uid);
    for (const QString& folder : {qtRuntime, fallback}) {
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_EQ(::chown(QFile::encodeName(folder).constData(), 65534, 65534), 0);
    }
    writeFile(fallback + "/vidro5.lock", "1\nzorbinet\nanother-machine\n");
    GameProcess game;
    game.unsetEnv("XDG_RUNTIME_DIR");
    game.setEnv("TMPDIR", tmp.path());
    game.captureErrors();
    game.start(kGame, {});
    Client client;
    ASSERT_TRUE(client.connectWhenListening()) << game.errors().toStdString();
    EXPECT_TRUE(waitFor([&] { return game.errors().contains(kUndetectable); }))
        << game.errors().toStdString();
    EXPECT_TRUE(game.errors().contains(QDir::toNativeSeparators(fallback).toUtf8() +
                                       " belongs to another user"));
}

} // namespace
