// The score card: choosing a category, the zero-score question, the host's refusals, posted
// scores with their announcements and sounds, and the end of a game.

#include "tablefixture.h"

#include "controls/highlightlabel.h"
#include "controls/picturebutton.h"
#include "table/zeropanel.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace zbtest;
using zb::ScoreCard;

namespace {

QByteArray pscoreMessage(int seat, int total, const QByteArray& category,
                         std::array<int, 15> entries) {
    QByteArray m =
        "CMD_pscore+" + QByteArray::number(seat) + "+" + QByteArray::number(total) + "+" + category;
    for (int e : entries)
        m += "+" + QByteArray::number(e);
    return m + '\xFF';
}

constexpr int U = 1000;

// ---- Choosing ----------------------------------------------------------------------------------

TEST_F(TableTest, AChoiceBeforeTheFirstRollSendsNothingButFocusesTheChat) {
    seated(1);
    feed("CMD_nextplayer+1+1+0+0+\xFF");
    click(card()->label(3));
    click(card()->score(2, 5));
    EXPECT_TRUE(sentSoFar().isEmpty());
    EXPECT_TRUE(core().mayact());
    // The window's own focus child, which holds whether or not the window is active.
    table->chatPanel()->mainchat()->setFocus();
    ASSERT_NE(table->focusWidget(), table->chatPanel()->mychat());
    click(card()->label(4));
    EXPECT_EQ(table->focusWidget(), table->chatPanel()->mychat());
}

TEST_F(TableTest, ACellOfAnyColumnChoosesItsRowAndOnlyOnce) {
    seated(1);
    myRoll(1, {4, 4, 1, 6, 2});
    EXPECT_TRUE(card()->choosable());
    click(card()->score(3, 4));
    EXPECT_FALSE(core().mayact());
    EXPECT_FALSE(board()->image_throwdice()->isVisible());
    EXPECT_FALSE(card()->choosable());
    click(card()->score(1, 6));
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_setscore+1+4"}));
}

TEST_F(TableTest, TheTotalRowsTakeNoClicks) {
    seated(1);
    myRoll(1, {4, 4, 1, 6, 2});
    for (int row : {13, 14, 15}) {
        click(card()->label(row));
        click(card()->score(1, row));
        EXPECT_FALSE(card()->label(row)->isClickable());
    }
    core().chooseCategory(13);
    EXPECT_TRUE(sentSoFar().isEmpty());
    EXPECT_TRUE(core().mayact());
    EXPECT_EQ(card()->label(14)->toolTip(),
              "Score 35 Bonus points if you score over 63 on the Upper Half");
}

TEST_F(TableTest, NotOnTheOwnTurnNothingIsChosen) {
    seated(1);
    feed("CMD_nextplayer+2+1+0+0+\xFF"
         "CMD_thedice+2+y+1+1+1+2+2+3+3+4+4+5+5\xFF");
    click(card()->label(12));
    EXPECT_TRUE(sentSoFar().isEmpty());
}

// ---- The zero-score question -------------------------------------------------------------------

TEST_F(TableTest, WithTheDoubleCheckSixesWithoutASixAsksFirst) {
    seated(1);
    table->menu().doubleCheck->trigger();
    myRoll(1, {4, 4, 1, 5, 2});
    zb::ZeroPanel* panel = board()->panel_zero();
    EXPECT_FALSE(panel->isVisible());
    click(card()->label(6));
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(core().zeroCategory(), 6);
    EXPECT_TRUE(core().mayact());
    EXPECT_TRUE(sentSoFar().isEmpty());

    click(panel->noButton());
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(core().zeroCategory(), 0);
    EXPECT_TRUE(core().mayact());
    EXPECT_TRUE(sentSoFar().isEmpty());

    click(card()->label(6));
    click(panel->yesButton());
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_setscore+1+6"}));
    EXPECT_FALSE(core().mayact());
}

TEST_F(TableTest, WithTheDoubleCheckAScoringChoiceGoesAtOnce) {
    seated(1);
    table->menu().doubleCheck->trigger();
    myRoll(1, {4, 4, 1, 5, 2});
    click(card()->label(12));
    EXPECT_FALSE(board()->panel_zero()->isVisible());
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_setscore+1+12"}));
}

// The question belongs to one choice in one turn: it closes when the turn passes and when a game
// starts, so it can never score for a later turn.
class ZeroQuestionCloserTest : public TableTest,
                               public ::testing::WithParamInterface<const char*> {};

TEST_P(ZeroQuestionCloserTest, TheQuestionClosesWithItsTurn) {
    seated(1);
    table->menu().doubleCheck->trigger();
    myRoll(1, {4, 4, 1, 5, 2});
    click(card()->label(11));
    ASSERT_TRUE(board()->panel_zero()->isVisible());
    feed(QByteArray(GetParam()) + '\xFF');
    EXPECT_FALSE(board()->panel_zero()->isVisible());
    EXPECT_EQ(core().zeroCategory(), 0);
    core().answerZero(true);
    EXPECT_TRUE(sentSoFar().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(TurnPassesOrGameStarts, ZeroQuestionCloserTest,
                         ::testing::Values("CMD_nextplayer+2+1+0+0+", "CMD_startgame+1+f+false"));

TEST_F(TableTest, AnotherChoiceWhileAskingEitherGoesOrTakesThePanelsPlace) {
    seated(1);
    table->menu().doubleCheck->trigger();
    myRoll(1, {4, 4, 1, 5, 2});
    click(card()->label(6));
    click(card()->label(3));
    EXPECT_EQ(core().zeroCategory(), 3);
    EXPECT_TRUE(sentSoFar().isEmpty());
    click(card()->label(4));
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_setscore+1+4"}));
    EXPECT_FALSE(board()->panel_zero()->isVisible()) << "the turn's score is sent";
    core().answerZero(true);
    EXPECT_TRUE(sentSoFar().isEmpty());
}

struct PatternCase {
    std::array<int, 5> dice;
    int category;
    bool sentAtOnce;
};

class ZeroScoreTest : public TableTest, public ::testing::WithParamInterface<PatternCase> {};

TEST_P(ZeroScoreTest, ThePatternTestDecides) {
    const PatternCase& c = GetParam();
    seated(1);
    table->menu().doubleCheck->trigger();
    myRoll(1, c.dice);
    core().chooseCategory(c.category);
    const QList<QByteArray> sent = sentSoFar();
    if (c.sentAtOnce) {
        EXPECT_EQ(sent, QList<QByteArray>({"CMD_setscore+1+" + QByteArray::number(c.category)}));
        EXPECT_FALSE(board()->panel_zero()->isVisible());
    } else {
        EXPECT_TRUE(sent.isEmpty());
        EXPECT_TRUE(board()->panel_zero()->isVisible());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, ZeroScoreTest,
    ::testing::Values(PatternCase{{3, 3, 3, 3, 3}, 8, true}, PatternCase{{3, 3, 3, 3, 3}, 7, true},
                      PatternCase{{3, 3, 3, 3, 3}, 11, true}, PatternCase{{2, 3, 3, 3, 3}, 7, true},
                      PatternCase{{2, 3, 2, 3, 3}, 8, true}, PatternCase{{2, 3, 2, 3, 4}, 8, false},
                      PatternCase{{2, 3, 3, 3, 3}, 8, false}, PatternCase{{1, 2, 3, 4, 6}, 9, true},
                      PatternCase{{1, 2, 3, 4, 6}, 10, false},
                      PatternCase{{2, 3, 4, 5, 6}, 9, true}, PatternCase{{2, 3, 4, 5, 6}, 10, true},
                      PatternCase{{6, 5, 4, 3, 1}, 9, true}, PatternCase{{1, 1, 2, 2, 3}, 9, false},
                      PatternCase{{2, 3, 3, 3, 3}, 11, false},
                      PatternCase{{1, 1, 2, 2, 3}, 12, true},
                      PatternCase{{1, 1, 2, 2, 3}, 6, false},
                      PatternCase{{1, 1, 2, 2, 3}, 2, true}));

// ---- The host's refusals -----------------------------------------------------------------------

TEST_F(TableTest, ChooseAgainLetsThePlayerChooseButNotRoll) {
    seated(1);
    myRoll(1, {4, 4, 1, 6, 2});
    click(card()->label(4));
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_setscore+1+4"}));
    feed("CMD_chooseagain+\xFF");
    EXPECT_EQ(board()->status(), "Invalid Choice, Choose Again!");
    EXPECT_TRUE(core().mayact());
    EXPECT_FALSE(board()->image_throwdice()->isVisible());
    EXPECT_EQ(sounds.current(), "error");
    click(board()->dice(1));
    click(card()->label(5));
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_setdice+1+1", "CMD_setscore+1+5"}));
}

TEST_F(TableTest, RollAgainOffersTheThrowAgain) {
    seated(1);
    feed("CMD_nextplayer+1+1+0+0+\xFF");
    board()->image_throwdice()->hide();
    feed("CMD_rollagain+\xFF");
    EXPECT_EQ(board()->status(), "You need to roll the dice!");
    EXPECT_TRUE(board()->image_throwdice()->isVisible());
    EXPECT_TRUE(core().mayact());
    EXPECT_EQ(sounds.current(), "error");
}

// ---- Posted scores -----------------------------------------------------------------------------

TEST_F(TableTest, AScoreFillsTheColumnAndIsAnnounced) {
    seated(1);
    feed("CMD_nextplayer+2+1+0+0+\xFF");
    feed(pscoreMessage(2, 25, "8", {U, U, U, U, U, U, U, 25, U, U, U, U, 0, 0, 25}));
    EXPECT_EQ(card()->cellText(2, 8), "25");
    EXPECT_TRUE(card()->score(2, 8)->isBold());
    EXPECT_EQ(card()->cellText(2, 1), "");
    EXPECT_EQ(card()->cellText(2, 15), "25");
    EXPECT_EQ(card()->label_score(2)->text(), "25");
    EXPECT_EQ(board()->status(), "Bob tagged a FULL HOUSE +25");
    EXPECT_EQ(sounds.played(), QStringList({"scored"}));
    EXPECT_TRUE(tally.calls.isEmpty());
}

TEST_F(TableTest, ComputerSeatsAreAnnouncedByTheirNames) {
    seated(1);
    feed(pscoreMessage(3, 8, "4", {U, U, U, 8, U, U, U, U, U, U, U, U, 8, 0, 0}));
    EXPECT_EQ(board()->status(), "Kling tagged the FOURS +8");
}

TEST_F(TableTest, CopiesOfACardAreNotAnnounced) {
    seated(1);
    const QString before = board()->status();
    feed(pscoreMessage(2, 30, "*", {U, U, U, U, U, U, U, U, 30, U, U, U, 0, 0, 30}));
    feed(pscoreMessage(3, 40, "*10", {U, U, U, U, U, U, U, U, U, 40, U, U, 0, 0, 40}));
    EXPECT_EQ(card()->cellText(2, 9), "30");
    EXPECT_EQ(card()->cellText(3, 10), "40");
    EXPECT_EQ(card()->label_score(3)->text(), "40");
    EXPECT_EQ(board()->status(), before);
    EXPECT_TRUE(sounds.played().isEmpty());
}

TEST_F(TableTest, AnUnusedTotalCellEmptiesWithoutLosingItsType) {
    seated(1);
    feed(pscoreMessage(2, 8, "*", {U, U, U, 8, U, U, U, U, U, U, U, U, 8, 0, 0}));
    ASSERT_TRUE(card()->score(2, 13)->isBold());
    feed(pscoreMessage(2, 8, "*", {U, U, U, U, U, U, U, U, U, U, U, U, U, 0, 0}));
    EXPECT_EQ(card()->cellText(2, 13), "");
    EXPECT_TRUE(card()->score(2, 13)->isBold());
    EXPECT_EQ(card()->cellText(2, 4), "");
    EXPECT_FALSE(card()->score(2, 4)->isBold());
}

TEST_F(TableTest, TheOwnFiveOfAKindIsCountedAndAZeroIsNot) {
    seated(1);
    feed(pscoreMessage(1, 0, "11", {U, U, U, U, U, U, U, U, U, U, 0, U, 0, 0, 0}));
    EXPECT_TRUE(tally.calls.isEmpty());
    EXPECT_EQ(sounds.played(), QStringList({"noscore"}));
    sounds.clear();
    feed(pscoreMessage(1, 50, "11", {U, U, U, U, U, U, U, U, U, U, 50, U, 0, 0, 50}));
    EXPECT_EQ(tally.calls, QStringList({"five of a kind"}));
    EXPECT_EQ(sounds.played(), QStringList({"fivekind"}));
    EXPECT_EQ(board()->status(), "Ann tagged a 5 OF A KIND +50");
    feed(pscoreMessage(2, 0, "11", {U, U, U, U, U, U, U, U, U, U, 50, U, 0, 0, 50}));
    EXPECT_EQ(tally.calls.size(), 1) << "another seat's 5 of a Kind is not the local player's";
    feed(pscoreMessage(1, 50, "11", {U, U, U, U, U, U, U, U, U, U, 50, U, 0, 0, 50}));
    EXPECT_EQ(tally.calls.size(), 1) << "a player scores 5 of a Kind once a game";
}

TEST_F(TableTest, ACardForASeatOutsideTheTableChangesNothing) {
    seated(1);
    const QString before = board()->status();
    feed(pscoreMessage(5, 25, "8", {U, U, U, U, U, U, U, 25, U, U, U, U, 0, 0, 25}));
    feed(pscoreMessage(0, 25, "8", {U, U, U, U, U, U, U, 25, U, U, U, U, 0, 0, 25}));
    EXPECT_EQ(board()->status(), before);
    EXPECT_TRUE(sounds.played().isEmpty());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(TableTest, ACardWithABadNumberChangesNoCell) {
    seated(1);
    QByteArray m = pscoreMessage(2, 25, "8", {U, U, U, U, U, U, U, 25, U, U, U, U, 0, 0, 25});
    m.replace("+0+0+25", "+0+zz+25");
    feed(m);
    EXPECT_EQ(peerReports, QStringList({"host: 'zz' is not a valid integer value"}));
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(card()->cellText(2, 8), "");
    EXPECT_EQ(card()->label_score(2)->text(), "0");
}

// ---- The end of a game -------------------------------------------------------------------------

TEST_F(TableTest, AnotherPlayerWinning) {
    seated(2);
    feed("CMD_existingplayers+1+Bob\xFF"
         "CMD_nextplayer+1+1+0+0+\xFF"
         "CMD_nextplayer+2+1+0+0+\xFF"
         "CMD_pscore+2+187+*+\xFF"
         "CMD_pscore+1+230+*+\xFF"
         "CMD_winner+Bob+230+\xFF");
    const QString text = "Bob has Won the Game!";
    EXPECT_TRUE(chatLines().contains(text));
    EXPECT_EQ(card()->heading(), "Winner's Score Card");
    EXPECT_TRUE(board()->image_winner()->isVisible());
    EXPECT_TRUE(board()->label_winner()->isVisible());
    EXPECT_EQ(board()->label_winner()->text(), text);
    EXPECT_EQ(sounds.current(), "gameover");
    EXPECT_EQ(tally.calls, QStringList({"game 187 won=0 winners=Bob"}));
    EXPECT_FALSE(board()->button_start()->isVisible()) << "only the hosting player starts games";
    feed("CMD_winner+Bob+230+\xFF");
    EXPECT_EQ(tally.calls.size(), 1) << "a game counts once";
}

TEST_F(TableTest, TheLocalPlayerWinning) {
    seated(1);
    feed("CMD_nextplayer+1+1+0+0+\xFF"
         "CMD_nextplayer+2+1+0+0+\xFF"
         "CMD_pscore+1+230+*+\xFF"
         "CMD_pscore+2+187+*+\xFF"
         "CMD_winner+Ann+230+\xFF");
    EXPECT_EQ(board()->label_winner()->text(), "You have Won the Game!");
    EXPECT_EQ(tally.calls, QStringList({"game 230 won=1 winners="}));
}

TEST_F(TableTest, ATieHasWonOnEveryTableAndCountsAsNeither) {
    seated(1);
    feed("CMD_nextplayer+1+1+0+0+\xFF"
         "CMD_nextplayer+2+1+0+0+\xFF"
         "CMD_pscore+1+230+*+\xFF"
         "CMD_pscore+2+230+*+\xFF"
         "CMD_winner+Ann and Bob+230+\xFF");
    EXPECT_EQ(board()->label_winner()->text(), "Ann and Bob have Won the Game!");
    EXPECT_EQ(tally.calls, QStringList({"game 230 won=0 winners="}));
}

TEST_F(TableTest, AWinnerWithoutAGameIsShownButNotCounted) {
    open();
    login(1);
    feed("CMD_newplayerinfo+1+Ann\xFF");
    for (int i = 0; i < 3; ++i)
        feed("CMD_winner+Ann+230+\xFF");
    EXPECT_EQ(board()->label_winner()->text(), "You have Won the Game!");
    EXPECT_TRUE(tally.calls.isEmpty());
}

TEST_F(TableTest, TheHostsTableOffersTheNextGameAndTheNextStartClearsTheWinner) {
    open("Ann", true);
    login(1);
    feed("CMD_newplayerinfo+1+Ann\xFF"
         "CMD_startgame+1+f+false\xFF");
    feed("CMD_winner+Klot+100+\xFF");
    EXPECT_TRUE(board()->button_start()->isVisible());
    feed("CMD_startgame+1+f+false\xFF");
    EXPECT_FALSE(board()->image_winner()->isVisible());
    EXPECT_FALSE(board()->label_winner()->isVisible());
}

TEST_F(TableTest, ASoloWinReadsYouHaveWon) {
    zb::TableOptions o;
    o.gamePort = host.port();
    o.dialogs = &dialogs;
    o.soundPlayer = &sounds;
    o.tally = &tally;
    o.settingsFolder = settingsDir.path();
    bool started = false;
    o.startHost = [&](bool) { started = true; };
    table = std::make_unique<zb::Tchat>(o, random);
    table->show();
    ASSERT_TRUE(started);
    ASSERT_TRUE(waitFor([&] { return host.accepted(); }));
    EXPECT_EQ(core().playername(), "You");
    login(1);
    feed("CMD_newplayerinfo+1+You\xFF"
         "CMD_winner+You+99+\xFF");
    EXPECT_EQ(board()->label_winner()->text(), "You have Won the Game!");
}

TEST_F(TableTest, ASpectatorsTallyIsNotTouched) {
    open();
    login(6);
    feed("CMD_existingplayers+1+Bob\xFF"
         "CMD_winner+Bob+100+\xFF");
    EXPECT_EQ(board()->label_winner()->text(), "Bob has Won the Game!");
    EXPECT_TRUE(tally.calls.isEmpty());
}

TEST_F(TableTest, TheWinnerIsReadOnlyUpToTheFirstPlus) {
    seated(1);
    feed("CMD_winner+Bo+b+230+\xFF");
    EXPECT_EQ(board()->label_winner()->text(), "Bo has Won the Game!");
}

} // namespace
