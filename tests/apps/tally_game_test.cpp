// The whole program in one process: a solo game played out by the host's computer players lands
// in the tally file, and the next start of the program reads it back.

#include "support/fakedialogs.h"
#include "support/ports.h"
#include "support/wait.h"

#include "apps/zorbinet/gameapp.h"
#include "net/protocol.h"
#include "net/tsock.h"
#include "side/tabout.h"
#include "side/tdownload.h"
#include "table/core/tablecore.h"
#include "table/tchat.h"
#include "tally/store/tallymodel.h"
#include "tally/tally.h"
#include "tally/ttallylist.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace std::chrono_literals;
using zbtest::waitFor;

namespace {

zb::TableOptions soloIn(const QString& folder, zbtest::FakeDialogs& dialogs) {
    zb::TableOptions o;
    o.settingsFolder = folder;
    o.gamePort = QStringLiteral("0");
    o.lobbyPort = zbtest::refusingPort();
    o.dialogs = &dialogs;
    return o;
}

TEST(TallyGame, AFinishedGameIsInTheFileAtOnceAndTheNextStartReadsItBack) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = QDir(dir.path()).filePath("zorbinettally.tld");
    {
        zbtest::FakeDialogs dialogs;
        zb::GameApp app(soloIn(dir.path(), dialogs));
        app.setBotSpeed([] { return 2; });
        app.start();
        zb::Tchat* chat = app.chat();
        ASSERT_TRUE(waitFor([&] { return chat->core().loggedin() && chat->core().myseat() == 1; }));
        // The hosting player starts a game and lets the computer play the own seat.
        chat->core().startGame({});
        chat->menu().JustWatch1->trigger();
        ASSERT_TRUE(waitFor([&] { return !chat->core().winner().isEmpty(); }, 60s));
        // Written when the game was recorded, before the program ends.
        ASSERT_TRUE(QFile::exists(file));
        EXPECT_EQ(app.tally().model().cell(1, 0), "1") << "one game played";
        // "View Tally" lists the seats that took part in the game and shows the window: in a
        // solo regular game only Klot plays against the hosting player.
        chat->menu().ViewTally1->trigger();
        EXPECT_TRUE(app.tally().window()->isVisible());
        EXPECT_EQ(app.tally().model().currentPlayers(), QStringList({"Klot"}));
    }
    zbtest::FakeDialogs dialogs;
    zb::GameApp again(soloIn(dir.path(), dialogs));
    again.start();
    EXPECT_EQ(again.tally().model().cell(1, 0), "1");
    EXPECT_NE(again.tally().model().cell(4, 0), "0") << "the high score came back too";
}

// A started installer or lobby ends the game the way File > Exit does: the tally is written.
TEST(TallyGame, TheDownloadWindowsExitEndsTheGameAndWritesTheTally) {
    QTemporaryDir dir;
    zbtest::FakeDialogs dialogs;
    zb::GameApp app(soloIn(dir.path(), dialogs));
    app.start();
    auto* download = qobject_cast<zb::Tdownload*>(app.windows().back());
    ASSERT_NE(download, nullptr);
    ASSERT_TRUE(download->isVisible()) << "a solo start offers the download";
    bool finished = false;
    QObject::connect(&app, &zb::GameApp::finished, [&] { finished = true; });
    emit download->exitRequested();
    EXPECT_TRUE(waitFor([&] { return finished; }));
    EXPECT_FALSE(app.chat()->isVisible());
    EXPECT_TRUE(QFile::exists(QDir(dir.path()).filePath("zorbinettally.tld")));
}

// What the table tells the host is the version the about box shows.
TEST(TallyGame, TheTableReportsTheAboutBoxsVersion) {
    EXPECT_EQ(zb::proto::kVersion, QByteArray(zb::Tabout::kVersion));
}

} // namespace
