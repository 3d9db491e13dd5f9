#include "tally/store/quonstrgrid.h"
#include "tally/store/tallymodel.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

using zb::TallyModel;

// A row's counts, columns 1 to 8, as one string: "1 0 1 0 1 0 1 0".
std::string counts(const TallyModel& m, int row) {
    QStringList cells;
    for (int c = 1; c <= 8; ++c)
        cells << m.cell(c, row);
    return cells.join(' ').toStdString();
}

std::string mine(const TallyModel& m) {
    QStringList cells;
    for (int c = 1; c <= 4; ++c)
        cells << m.cell(c, 0);
    return cells.join(' ').toStdString();
}

struct GameCase {
    const char* name;
    QStringList tallied;
    QStringList atTable;
    bool localWon;
    QStringList winners;                 // the other players who won
    std::string expectMine;              // row 0, columns 1 to 4
    std::vector<std::string> expectRows; // rows 1 to N, columns 1 to 8
};

const GameCase kGames[] = {
    {"a first game against an untallied Ann", {}, {"Ann"}, false, {"Ann"}, "1 0 0 0", {}},
    {"tallied Ann winning", {"Ann"}, {"Ann"}, false, {"Ann"}, "1 0 0 0", {"1 1 0 0 1 1 0 0"}},
    {"Ann and Bob tallied, the local player winning",
     {"Ann", "Bob"},
     {"Ann", "Bob"},
     true,
     {},
     "1 1 0 0",
     {"1 0 1 0 1 0 1 0", "1 0 1 0 1 0 1 0"}},
    {"Ann tallied but not at the table",
     {"Ann", "Bob"},
     {"Bob", "Klot"},
     false,
     {"Klot"},
     "1 0 0 0",
     {"0 0 0 0 0 0 0 0", "1 0 0 1 1 0 0 1"}},
    {"a team of two opponents winning",
     {"Ann", "Bob"},
     {"Ann", "Bob", "Cy"},
     false,
     {"Ann", "Cy"},
     "1 0 0 0",
     {"1 1 0 0 1 1 0 0", "1 0 0 1 1 0 0 1"}},
    {"the local player's team winning: the partner won too",
     {"Ann", "Bob"},
     {"Ann", "Bob", "Cy"},
     true,
     {"Ann"},
     "1 1 0 0",
     {"1 1 0 0 1 1 0 0", "1 0 1 0 1 0 1 0"}},
    {"a tie counts as neither won",
     {"Ann"},
     {"Ann", "Bob"},
     false,
     {},
     "1 0 0 0",
     {"1 0 0 1 1 0 0 1"}},
    {"two players of one name count once",
     {"Ann"},
     {"Ann", "Ann"},
     false,
     {"Ann"},
     "1 0 0 0",
     {"1 1 0 0 1 1 0 0"}},
};

TEST(TallyModelTest, AGameIsRecordedAgainstTheTalliedOpponentsAtTheTable) {
    for (const GameCase& g : kGames) {
        SCOPED_TRACE(g.name);
        TallyModel m;
        for (const QString& name : g.tallied)
            ASSERT_TRUE(m.choose(name));
        m.loadchecklist(g.atTable);
        m.addgame(g.localWon, g.winners);
        EXPECT_EQ(mine(m), g.expectMine);
        ASSERT_EQ(m.opponents(), int(g.expectRows.size()));
        for (int row = 1; row <= m.opponents(); ++row)
            EXPECT_EQ(counts(m, row), g.expectRows[std::size_t(row - 1)]) << "row " << row;
    }
}

TEST(TallyModelTest, GamesAddUp) {
    TallyModel m;
    m.choose("Ann");
    m.loadchecklist({"Ann", "Bob"});
    m.addgame(false, {"Ann"});
    m.addgame(true, {});
    m.addgame(false, {"Bob"});
    EXPECT_EQ(mine(m), "3 1 0 0");
    EXPECT_EQ(counts(m, 1), "3 1 1 1 3 1 1 1");
}

TEST(TallyModelTest, FiveOfAKindAndOtherCounters) {
    TallyModel m;
    m.addtomine(3);
    m.addtomine(3);
    m.addtomine(0); // not a counter of the local player's row: ignored
    m.addtomine(5);
    EXPECT_EQ(mine(m), "0 0 2 0");
    EXPECT_EQ(m.cell(0, 0), "0");
    EXPECT_EQ(m.cell(5, 0), "0");
}

struct HighCase {
    QString stored;
    QString score;
    QString expect;
};

TEST(TallyModelTest, HighScoreKeepsTheHighest) {
    const HighCase cases[] = {
        {"0", "245", "245"},   {"245", "245", "245"}, {"245", "200", "245"}, {"245", "300", "300"},
        {"245", "abc", "245"}, {"0", "", "0"},        {"10", "-5", "10"},
    };
    for (const HighCase& c : cases) {
        TallyModel m;
        m.checkhighscore(c.stored);
        m.checkhighscore(c.score);
        EXPECT_EQ(m.cell(4, 0), c.expect) << c.stored.toStdString() << " " << c.score.toStdString();
    }
}

TEST(TallyModelTest, AnEqualHighScoreChangesNothingShown) {
    TallyModel m;
    m.checkhighscore("245");
    QSignalSpy spy(&m, &TallyModel::changed);
    m.checkhighscore("200");
    EXPECT_EQ(spy.count(), 0);
    m.checkhighscore("245");
    EXPECT_EQ(m.cell(4, 0), "245");
}

TEST(TallyModelTest, ChoosingAnOpponentAddsARowOfZerosOnce) {
    TallyModel m;
    EXPECT_TRUE(m.choose("Ann"));
    EXPECT_FALSE(m.choose("Ann"));
    EXPECT_TRUE(m.choose("Bob"));
    EXPECT_EQ(m.tallied(), QStringList({"Ann", "Bob"}));
    EXPECT_EQ(m.rowOf("Bob"), 2);
    EXPECT_EQ(m.rowOf("Cy"), -1);
    EXPECT_EQ(counts(m, 2), "0 0 0 0 0 0 0 0");
}

TEST(TallyModelTest, DeletingTheOnlyOpponentLeavesRowZeroAlone) {
    TallyModel m;
    m.choose("Ann");
    m.remove(1);
    EXPECT_EQ(m.grid().size(), 1u);
    EXPECT_EQ(m.opponents(), 0);
}

TEST(TallyModelTest, DeletingTheMiddleOpponentMovesTheLastUp) {
    TallyModel m;
    for (const char* name : {"Ann", "Bob", "Cy"})
        m.choose(name);
    m.loadchecklist({"Cy"});
    m.addgame(false, {"Cy"});
    m.remove(2);
    EXPECT_EQ(m.tallied(), QStringList({"Ann", "Cy"}));
    EXPECT_EQ(counts(m, 2), "1 1 0 0 1 1 0 0");
    m.remove(0); // row 0 is never an opponent
    m.remove(3);
    EXPECT_EQ(m.opponents(), 2);
}

TEST(TallyModelTest, ResetClearsEverything) {
    TallyModel m;
    m.choose("Ann");
    m.loadchecklist({"Ann"});
    m.addgame(true, {});
    m.addtomine(3);
    m.checkhighscore("300");
    m.reset();
    EXPECT_EQ(m.grid().size(), 1u);
    for (int c = 0; c < 9; ++c)
        EXPECT_EQ(m.cell(c, 0), "0");
}

TEST(TallyModelTest, LoadingStartsTheSessionAtZeroAndFillsEmptyCounts) {
    zb::TallyGrid grid(3);
    grid[0] = {"0", "7", "3", "1", "250", "0", "0", "0", "0"};
    grid[1] = {"Ann", "4", "2", "1", "1", "4", "2", "1", "1"};
    grid[2] = {"Bob", "", "1", "0", "0", "9", "9", "9", "9"};
    TallyModel m;
    ASSERT_EQ(m.load(grid), QString());
    EXPECT_EQ(mine(m), "7 3 1 250");
    EXPECT_EQ(counts(m, 1), "4 2 1 1 0 0 0 0");
    EXPECT_EQ(counts(m, 2), "0 1 0 0 0 0 0 0");
}

TEST(TallyModelTest, ACellThatIsNoNumberRefusesTheTable) {
    TallyModel m;
    m.choose("Kept");
    zb::TallyGrid grid(2);
    grid[0] = {"0", "1", "0", "0", "0", "0", "0", "0", "0"};
    grid[1] = {"Ann", "4", "two", "1", "1", "0", "0", "0", "0"};
    EXPECT_EQ(m.load(grid), "'two' is not a valid integer value");
    EXPECT_EQ(m.tallied(), QStringList({"Kept"}));
    grid[1][2] = "99999999999";
    EXPECT_EQ(m.load(grid), "'99999999999' is not a valid integer value");
    EXPECT_EQ(m.load({}), "'' is not a valid integer value");
}

TEST(TallyModelTest, ACountAtTheTopStaysThere) {
    zb::TallyGrid grid(1);
    grid[0] = {"0", "2147483647", "0", "0", "0", "0", "0", "0", "0"};
    TallyModel m;
    ASSERT_EQ(m.load(grid), QString());
    m.addtomine(1);
    EXPECT_EQ(m.cell(1, 0), "2147483647");
    m.addit(2, 0);
    EXPECT_EQ(m.cell(2, 0), "1");
    m.addit(9, 0); // outside the table: nothing
    m.addit(1, 7);
}

TEST(TallyModelTest, NamesAreKeptAsTheFileCanHoldThem) {
    TallyModel m;
    m.choose("Ann\nBob");
    EXPECT_EQ(m.tallied(), QStringList({"Ann?Bob"}));
    m.loadchecklist({"Ann\nBob"});
    m.addgame(false, {"Ann\nBob"});
    EXPECT_EQ(counts(m, 1), "1 1 0 0 1 1 0 0");
}

TEST(TallyModelTest, NamesAreCutToTheLimitWhenRecorded) {
    const qsizetype limit = zb::QuonStrgrid::kMaxNameLength;
    const QString kept(limit, u'a');
    const QString longName = kept + "tail";
    TallyModel m;
    ASSERT_TRUE(m.choose(longName));
    EXPECT_EQ(m.tallied(), QStringList({kept}));
    EXPECT_FALSE(m.choose(kept + "other")) << "the same opponent to the tally";
    EXPECT_EQ(m.rowOf(longName), 1);
    m.loadchecklist({longName, "Bob"});
    EXPECT_EQ(m.currentPlayers(), QStringList({kept, "Bob"}));
    m.addgame(false, {longName});
    EXPECT_EQ(counts(m, 1), "1 1 0 0 1 1 0 0");
    ASSERT_TRUE(m.choose(QString(limit, u'b')));
    EXPECT_EQ(m.tallied().last(), QString(limit, u'b')) << "a name at the limit stays whole";
}

TEST(TallyModelTest, NamesAreCutToTheLimitWhenLoaded) {
    zb::TallyGrid grid(2);
    grid[0] = {"0", "1", "0", "0", "0", "0", "0", "0", "0"};
    grid[1] = {QString(5000, u'n'), "4", "2", "1", "1", "0", "0", "0", "0"};
    TallyModel m;
    ASSERT_EQ(m.load(grid), QString());
    EXPECT_EQ(m.tallied(), QStringList({QString(zb::QuonStrgrid::kMaxNameLength, u'n')}));
}

} // namespace
