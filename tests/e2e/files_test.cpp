// The player's files of a copy unpacked where the player cannot write (by an administrator): the
// game starts from them instead of from nothing, and keeps them in the per-user folder.

#include "gameclient.h"
#include "process.h"

#include "tally/store/tallymodel.h"
#include "tally/store/tallystore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using zbtest::Client;
using zbtest::GameProcess;

namespace {

const QString kGame = QStringLiteral(ZB_GAME_BINARY);

class ProgramFolder : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(zbtest::waitForPortFree("7772")); }
};

TEST_F(ProgramFolder, AReadOnlyCopysTallyIsTheStartAndIsKeptInThePlayersFolder) {
    QTemporaryDir program;
    const QString binary = program.filePath("zorbinet");
    ASSERT_TRUE(QFile::copy(kGame, binary));
    {
        zb::TallyModel m;
        m.choose("Ann");
        m.loadchecklist({"Ann"});
        m.addgame(false, {"Ann"});
        ASSERT_EQ(zb::TallyStore(program.path()).save(m), QString());
    }
    const QString programTally = program.filePath(zb::TallyStore::kFileName);
    QFile original(programTally);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray originalBytes = original.readAll();

    GameProcess game;
    if (!game.startWithReadOnlyFolder(program.path(), binary))
        GTEST_SKIP() << "no private mounts here";
    Client client;
    ASSERT_TRUE(client.connectWhenListening());
    game.process().terminate(); // the table window closes; the tally is written
    ASSERT_TRUE(game.waitForExit(15000));

    zb::TallyModel kept;
    ASSERT_EQ(zb::TallyStore(game.dataFolder()).load(kept), QString());
    EXPECT_EQ(kept.tallied(), QStringList({"Ann"}));
    EXPECT_EQ(kept.cell(1, 0), "1");
    EXPECT_EQ(kept.cell(2, 1), "1") << "Ann's win";
    QFile after(programTally);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), originalBytes);
}

} // namespace
