#include "support/fakedialogs.h"
#include "support/files.h"
#include "support/isolation.h"

#include "table/core/tallysink.h"
#include "tally/store/tallyfile.h"
#include "tally/store/tallymodel.h"
#include "tally/store/tallystore.h"
#include "tally/tally.h"
#include "tally/ttallylist.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using zbtest::readFile;

using zb::Tally;
using zb::TallyStore;

class TallyTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    zbtest::FakeDialogs dialogs;
    QStringList errors;

    std::unique_ptr<Tally> start(const QString& folder = {}) {
        auto tally = std::make_unique<Tally>(folder.isEmpty() ? dir.path() : folder, dialogs,
                                             [this](const QString& e) { errors << e; });
        tally->load();
        tally->sink().currentPlayers({"Ann", "Bob"});
        return tally;
    }
};

// A regular game of the local player in seat 1 against the players of seats 2 and 3.
zb::FinishedGame game(int mine, int ann, int bob) {
    zb::FinishedGame g;
    g.mySeat = 1;
    g.seats[1] = {"You", mine, true};
    g.seats[2] = {"Ann", ann, true};
    g.seats[3] = {"Bob", bob, true};
    return g;
}

TEST_F(TallyTest, EveryRecordedGameIsWrittenAtOnce) {
    auto tally = start();
    tally->model().choose("Ann");
    zb::TallySink& sink = tally->sink();
    sink.recordFiveOfAKind();
    sink.recordGame(game(250, 260, 100));
    EXPECT_TRUE(QFile::exists(tally->store().path()));

    // A second program start reads what the first wrote, without any end-of-run write.
    auto again = start();
    EXPECT_EQ(again->model().cell(1, 0), "1");
    EXPECT_EQ(again->model().cell(3, 0), "1");
    EXPECT_EQ(again->model().cell(4, 0), "250");
    EXPECT_EQ(again->model().cell(2, 1), "1");
    EXPECT_EQ(again->model().cell(6, 1), "0");
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(TallyTest, AGameIsCountedAgainstTheSeatsThatTookPart) {
    auto tally = start();
    tally->model().choose("Bob");
    zb::FinishedGame g = game(300, 200, 100);
    g.seats[2].tookPart = false; // a seat the computer never played
    g.seats[4] = {"Cy", 50, true};
    tally->sink().recordGame(g);
    EXPECT_EQ(tally->model().currentPlayers(), QStringList({"Bob", "Cy"}));
    EXPECT_EQ(tally->model().cell(2, 0), "1") << "the local player won";
    EXPECT_EQ(tally->model().cell(3, 1), "1") << "a win against Bob";
    EXPECT_EQ(tally->model().cell(4, 0), "300") << "the high score";
    EXPECT_EQ(tally->window()->checklist()->count(), 2);
}

TEST_F(TallyTest, ViewTallyRefillsTheListAndShowsTheWindow) {
    auto tally = start();
    QWidget table;
    table.resize(700, 500);
    tally->showOver(&table);
    EXPECT_TRUE(tally->window()->isVisible());
    EXPECT_EQ(tally->window()->checklist()->count(), 2);
    tally->sink().currentPlayers({"Cy"});
    tally->loadchecklist();
    EXPECT_EQ(tally->window()->checklist()->item(0)->text(), "Cy");
}

TEST_F(TallyTest, ABadFileIsReportedKeptAndReplaced) {
    const QString path = QDir(dir.path()).filePath(TallyStore::kFileName);
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("!HZL\x05\x00\x00\x00garbage");
    }
    auto tally = start();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].endsWith("LZH compressed files are not supported !"));
    EXPECT_EQ(tally->window()->mylabel(1)->text(), "0");
    tally->sink().recordGame(game(1, 2, 3));
    EXPECT_EQ(readFile(path + ".bad").left(4), "!HZL");
    EXPECT_TRUE(readFile(path).startsWith("WRZL"));
    EXPECT_TRUE(tally->save());
    EXPECT_EQ(errors.size(), 1);
}

TEST_F(TallyTest, AFailedWriteIsToldOnceAndTheNextWriteCarriesEveryGame) {
    const QString blocked = dir.filePath("blocked");
    {
        QFile f(blocked);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    auto tally = start(blocked);
    tally->sink().recordGame(game(1, 2, 3));
    tally->sink().recordGame(game(1, 2, 3));
    EXPECT_EQ(errors.size(), 1);
    ASSERT_TRUE(QFile::remove(blocked));
    EXPECT_TRUE(tally->save());
    auto again = start(blocked);
    EXPECT_EQ(again->model().cell(1, 0), "2");
    EXPECT_EQ(errors.size(), 1);
}

// A name of a few hundred kilobytes in a file of a few kilobytes would cost the window's list
// its layout on every showing; it is shown, and kept, cut to the tally's limit.
TEST_F(TallyTest, AHugeNameInTheFileIsShownCut) {
    QByteArray text = "9\r\n2\r\n0\r\n" + QByteArray(300 * 1024, 'n') + "\r\n";
    for (int c = 1; c < zb::kTallyColumns; ++c)
        text += "0\r\n0\r\n";
    {
        QFile f(QDir(dir.path()).filePath(TallyStore::kFileName));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(zb::tallyfile::encode(text));
    }
    auto tally = start();
    EXPECT_TRUE(errors.isEmpty());
    QListWidget* list = tally->window()->listbox_tally();
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text().size(), 100);
    EXPECT_EQ(list->item(0)->text(), QString(100, u'n'));
}

// The tally of a game fits a buffer that only the flush at the end of the write empties: a
// full disk shows there, and must neither cut the file nor go untold.
TEST_F(TallyTest, AWriteThatFailsAtTheFlushIsToldOnceAndKeepsTheFile) {
    auto tally = start();
    tally->model().choose("Ann");
    ASSERT_TRUE(tally->save());
    const QByteArray before = readFile(tally->store().path());
    {
        zbtest::FileSizeLimit limit(16);
        tally->sink().recordGame(game(1, 2, 3));
        tally->sink().recordGame(game(1, 2, 3));
    }
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(readFile(tally->store().path()), before);
    EXPECT_TRUE(tally->save());
    auto again = start();
    EXPECT_EQ(again->model().cell(1, 0), "2");
    EXPECT_EQ(errors.size(), 1);
}

} // namespace
