// Score hints: the faint numbers in the own column's empty cells during the own turn. They equal
// what the host scores for the same dice (a bonus dice game included), come only while the local
// player may choose, and the Options item that switches them is kept in the settings file.

#include "liveplayer.h"

#include "host/tserver.h"
#include "shell/settings.h"
#include "table/core/scorehints.h"
#include "table/keyboard.h"

#include <QAction>
#include <QCheckBox>

using namespace zbtest;
using zb::ScoreHints;

namespace {

constexpr int N = ScoreHints::kNone;
using Values = std::array<int, 13>; // [1..12]; [0] unused

Values hintValues(const ScoreHints& h) {
    Values v{};
    for (int c = 1; c <= 12; ++c)
        v[c] = h.value[c];
    return v;
}

// ---- The numbers -----------------------------------------------------------------------------

struct DiceCase {
    const char* name;
    std::array<int, 5> dice;
    bool bonusGame;
    int bonusFace; // announced by the host in a bonus dice game
    Values expected;
};

class HintValues : public TableTest, public ::testing::WithParamInterface<DiceCase> {};

TEST_P(HintValues, AreWhatTheRulesScoreForTheDice) {
    const DiceCase& c = GetParam();
    seated(1, c.bonusGame ? "t" : "f");
    if (c.bonusGame)
        feed("CMD_setbonusdice+" + QByteArray::number(c.bonusFace) + "\xFF");
    myRoll(1, c.dice);
    const ScoreHints h = card()->hints();
    EXPECT_EQ(h.seat, 1);
    EXPECT_EQ(hintValues(h), c.expected);
    // The host scores with this function and this bonus die (host/gameflow.cpp).
    const zb::rules::Dice d{c.dice[0], c.dice[1], c.dice[2], c.dice[3], c.dice[4]};
    for (int cat = 1; cat <= 12; ++cat)
        EXPECT_EQ(h.value[cat], zb::rules::categoryValue(d, cat, c.bonusGame ? c.bonusFace : 0))
            << cat;
}

//                                   1s 2s 3s  4s  5s  6s  4K  FH  Sm  Big 5K Free
const DiceCase kDice[] = {
    {"BigStraight", {1, 2, 3, 4, 5}, false, 0, {0, 1, 2, 3, 4, 5, 0, 0, 0, 30, 40, 0, 15}},
    {"FullHouse", {3, 5, 3, 5, 3}, false, 0, {0, 0, 0, 9, 0, 10, 0, 0, 25, 0, 0, 0, 19}},
    {"FiveOfAKind", {4, 4, 4, 4, 4}, false, 0, {0, 0, 0, 0, 20, 0, 0, 20, 25, 0, 0, 50, 20}},
    {"BonusSixesCountTwice", {6, 6, 2, 6, 6}, true, 6, {0, 0, 2, 0, 0, 0, 48, 26, 0, 0, 0, 0, 26}},
    {"BonusFoursInFiveOfAKind",
     {4, 4, 4, 4, 4},
     true,
     4,
     {0, 0, 0, 0, 40, 0, 0, 20, 25, 0, 0, 50, 20}},
    {"BonusFaceNotRolled", {2, 3, 4, 5, 6}, true, 1, {0, 0, 2, 3, 4, 5, 6, 0, 0, 30, 40, 0, 20}},
    {"BonusTwosInAFullHouse", {1, 2, 1, 2, 2}, true, 2, {0, 2, 12, 0, 0, 0, 0, 0, 25, 0, 0, 0, 8}},
};

INSTANTIATE_TEST_SUITE_P(ScoreHints, HintValues, ::testing::ValuesIn(kDice),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- When they show ----------------------------------------------------------------------------

TEST_F(TableTest, HintsShowOnlyAfterTheOwnRollAndLeaveScoredCellsEmpty) {
    seated(1);
    feed("CMD_nextplayer+1+1+0+0+\xFF");
    EXPECT_EQ(card()->hints(), ScoreHints()) << "before the turn's first roll";

    // A Fours already on the card gets no hint.
    QByteArray m = "CMD_pscore+1+8+*";
    for (int row = 1; row <= 15; ++row)
        m += row == 4 ? "+8" : row == 13 ? "+8" : row == 15 ? "+0" : "+1000";
    feed(m + '\xFF');
    myRoll(1, {4, 4, 1, 6, 2});
    EXPECT_EQ(card()->hints().seat, 1);
    EXPECT_EQ(card()->hints().value[4], N);
    EXPECT_EQ(card()->hints().value[1], 1);
    EXPECT_EQ(card()->hints().value[12], 17);
    EXPECT_EQ(card()->score(1, 1)->text(), "") << "a hint is drawn, never the cell's text";
    EXPECT_TRUE(card()->score(1, 1)->accessibleName().endsWith("would score 1"));

    // Asked to score: the hints go while the request is on its way.
    core().chooseCategory(6);
    EXPECT_EQ(card()->hints(), ScoreHints());
    // Refused: they come back.
    feed("CMD_chooseagain+\xFF");
    EXPECT_EQ(card()->hints().value[6], 6);
    core().chooseCategory(6);
    m = "CMD_pscore+1+14+6";
    for (int row = 1; row <= 15; ++row)
        m += row == 4 ? "+8" : row == 6 ? "+6" : row == 13 ? "+14" : row == 15 ? "+0" : "+1000";
    feed(m + '\xFF');
    EXPECT_EQ(card()->hints(), ScoreHints()) << "the turn is scored";
    feed("CMD_nextplayer+2+1+0+0+\xFF");
    EXPECT_EQ(card()->hints(), ScoreHints());
}

TEST_F(TableTest, NoHintsForAnotherSeatsRollOrWhileTheComputerPlaysTheOwnSeat) {
    seated(1);
    feed("CMD_nextplayer+2+1+0+0+\xFF");
    feed("CMD_thedice+2+y+1+1+6+2+6+3+6+4+6+5+6\xFF");
    EXPECT_EQ(card()->hints(), ScoreHints());

    feed("CMD_justwatching+1+1\xFF");
    feed("CMD_nextplayer+1+2+0+0+\xFF");
    feed("CMD_thedice+1+y+1+1+6+2+6+3+6+4+6+5+6\xFF");
    EXPECT_EQ(card()->hints(), ScoreHints());
}

TEST_F(TableTest, ASpectatorsTableShowsNoHints) {
    open();
    login(5);
    feed("CMD_existingplayers+1+Bob\xFF");
    feed("CMD_startgame+1+f+false\xFF");
    feed("CMD_nextplayer+1+1+0+0+\xFF");
    feed("CMD_thedice+1+y+1+1+6+2+6+3+6+4+6+5+6\xFF");
    EXPECT_EQ(card()->hints(), ScoreHints());
}

// ---- The setting -------------------------------------------------------------------------------

TEST_F(TableTest, SwitchingHintsOffHidesThemAndKeepsTheChoiceInItsOwnKey) {
    seated(1);
    myRoll(1, {1, 2, 3, 4, 5});
    zb::MainMenu& menu = table->menu();
    ASSERT_TRUE(menu.ShowScoreHints1->isChecked()) << "on by default";
    ASSERT_TRUE(card()->hints().any());

    menu.ShowScoreHints1->trigger();
    EXPECT_FALSE(menu.ShowScoreHints1->isChecked());
    EXPECT_EQ(card()->hints(), ScoreHints());
    EXPECT_TRUE(settingsFile().contains("ScoreHints=false\r\n"));
    zb::Settings again(settingsDir.path());
    again.load();
    EXPECT_FALSE(again.prefs().scoreHints);

    // A full write of every other key leaves the hints' line as it is.
    menu.PlaySounds1->trigger();
    EXPECT_TRUE(settingsFile().contains("Playsounds=false"));
    EXPECT_EQ(settingsFile().count("ScoreHints="), 1);
    EXPECT_TRUE(settingsFile().contains("ScoreHints=false\r\n"));

    menu.ShowScoreHints1->trigger();
    EXPECT_TRUE(card()->hints().any());
    EXPECT_TRUE(settingsFile().contains("ScoreHints=true\r\n"));
}

TEST_F(TableTest, HintsSwitchedOffInTheSettingsFileStayOff) {
    writeSettings("[Zorbinet]\r\nDoublecheck=false\r\nChatterSounds=false\r\nScoreHints=false\r\n");
    seated(1);
    EXPECT_FALSE(table->menu().ShowScoreHints1->isChecked());
    myRoll(1, {1, 2, 3, 4, 5});
    EXPECT_EQ(card()->hints(), ScoreHints());
}

TEST(ScoreHintsSetting, ReadsAsOnUnlessFalseAndIsNoPartOfAFullWrite) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("quonlobby.ini");
    struct Row {
        QByteArray file;
        bool on;
    };
    for (const Row& r :
         {Row{"", true}, Row{"[Zorbinet]\nScoreHints=true\n", true},
          Row{"[Zorbinet]\nScoreHints=false\n", false},
          Row{"[zorbinet]\nscorehints=false\n", false}, Row{"[Zorbinet]\nScoreHints=0\n", true}}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(r.file);
        f.close();
        zb::Settings s(dir.path());
        s.load();
        EXPECT_EQ(s.prefs().scoreHints, r.on) << r.file.toStdString();
        ASSERT_TRUE(s.saveAll());
        QFile back(path);
        ASSERT_TRUE(back.open(QIODevice::ReadOnly));
        const QByteArray written = back.readAll();
        EXPECT_EQ(written.contains("coreHints"), r.file.contains("coreHints"))
            << written.toStdString();
    }
}

// ---- Against a real host -------------------------------------------------------------------

// Ann hosts a bonus dice game against the computer and plays every turn by the keyboard: she
// rolls, holds the first die, rolls again and takes a free category, preferring the number that
// the bonus die doubles. Before each score the hint of the chosen category is noted; the host's
// score must equal it.
TEST(ScoreHintsLive, EqualTheHostsScoresInABonusDiceGame) {
    zb::rules::Random hostRandom(20261209);
    zb::TServer server([] { return 2; }, hostRandom);
    server.setPortName("0");
    server.setListening(true);
    Player ann("Ann", true, QString::number(server.port()));
    zb::Tchat& t = *ann.table;
    ASSERT_TRUE(waitFor([&] { return t.core().myseat() == 1 && t.settings().isLoaded(); }));
    click(t.board()->button_start());
    ann.gamestart.bonus()->setChecked(true);
    click(ann.gamestart.button_start());
    ASSERT_TRUE(waitFor([&] { return t.core().bonusShown(); }));

    zb::KeyboardPlay& keys = *t.keyboard();
    int scored = 0;
    int bonusMattered = 0;
    bool heldThisTurn = false;
    const bool finished = waitFor(
        [&] {
            if (ann.finished())
                return true;
            const zb::TableCore& s = t.core();
            if (!s.myTurn() || !s.mayact())
                return false;
            const int rolls = t.core().rolls();
            if (rolls == 0) {
                heldThisTurn = false;
                keys.roll();
                return false;
            }
            if (t.core().zeroCategory() != 0) {
                keys.answerYes();
                return false;
            }
            if (rolls == 1 && !heldThisTurn) {
                heldThisTurn = true;
                keys.toggleDie(1);
                return false;
            }
            if (rolls == 1 && t.core().die(1).state == zb::DieView::State::Held &&
                t.core().throwOffered()) {
                keys.roll();
                return false;
            }
            if (rolls == 1 && t.core().die(1).state != zb::DieView::State::Held)
                return false; // the hold is on its way
            // Choose: the number the bonus die doubles when it is free and rolled, else the first
            // free category.
            const int bonus = s.dicevalues()[0];
            const zb::SeatView& own = t.core().seat(1);
            int choice = 0;
            const zb::rules::Dice d{s.dicevalues()[1], s.dicevalues()[2], s.dicevalues()[3],
                                    s.dicevalues()[4], s.dicevalues()[5]};
            if (bonus >= 1 && bonus <= 6 && own.cells[bonus] == zb::rules::kUnused &&
                zb::rules::numberValue(d, bonus) > 0)
                choice = bonus;
            for (int c = 1; c <= 12 && choice == 0; ++c) {
                if (own.cells[c] == zb::rules::kUnused)
                    choice = c;
            }
            const ScoreHints hints = t.card()->hints();
            EXPECT_EQ(hints.seat, 1);
            const int hint = hints.value[choice];
            if (hint != zb::rules::categoryValue(d, choice, 0))
                ++bonusMattered;
            t.core().chooseCategory(choice);
            if (t.core().zeroCategory() != 0)
                keys.answerYes();
            EXPECT_TRUE(waitFor([&] { return own.cells[choice] != zb::rules::kUnused; }));
            EXPECT_EQ(own.cells[choice], hint) << "category " << choice;
            EXPECT_EQ(server.players()[1].card.entry[choice], hint) << "category " << choice;
            ++scored;
            return false;
        },
        60s);
    ASSERT_TRUE(finished);
    EXPECT_EQ(scored, 12);
    EXPECT_GE(bonusMattered, 1) << "the game never doubled a number";
}

} // namespace
