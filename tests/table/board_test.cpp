// The board and the turn: starting a game, a turn beginning, rolling, holding and releasing dice,
// the bonus die, and what a spectator's table offers.

#include "tablefixture.h"

#include "controls/highlightlabel.h"
#include "controls/picturebutton.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QTest>

using namespace zbtest;
using zb::Board;
using zb::ScoreCard;

namespace {

QPoint diePlace(zb::Board* b, int d) {
    return b->dice(d)->pos();
}

// ---- Starting a game ---------------------------------------------------------------------------

TEST_F(TableTest, TheHostsStartPictureOpensTheDialogWhichSendsTheChosenGame) {
    open("Ann", true);
    login(1);
    ASSERT_TRUE(board()->button_start()->isVisible());
    EXPECT_TRUE(table->menu().StartGame1->isEnabled());
    click(board()->button_start());
    EXPECT_FALSE(board()->button_start()->isVisible());
    ASSERT_TRUE(gamestart->isVisible());
    EXPECT_EQ(gamestart->windowTitle(), "Zorbinet - Start Game");
    EXPECT_FALSE(gamestart->team()->isChecked());
    EXPECT_FALSE(gamestart->bonus()->isChecked());
    gamestart->bonus()->setChecked(true);
    click(gamestart->button_start());
    EXPECT_FALSE(gamestart->isVisible());
    ASSERT_TRUE(host.waitForMessage());
    EXPECT_EQ(host.take(), QList<QByteArray>({"CMD_startgame+1+t+false"}));

    // The dialog keeps its choices for the next game.
    table->menu().StartGame1->trigger();
    EXPECT_TRUE(gamestart->bonus()->isChecked());
    gamestart->team()->setChecked(true);
    click(gamestart->button_start());
    ASSERT_TRUE(host.waitForMessage());
    EXPECT_EQ(host.take(), QList<QByteArray>({"CMD_startgame+1+t+true"}));
}

TEST_F(TableTest, StartingBeforeTheLoginSendsNothing) {
    open("Ann", true);
    table->menu().StartGame1->trigger();
    click(gamestart->button_start());
    EXPECT_TRUE(sentSoFar().isEmpty());
    EXPECT_FALSE(board()->button_start()->isVisible());
}

TEST_F(TableTest, AJoiningTableHasNoStartPicture) {
    open();
    login(2);
    EXPECT_FALSE(board()->button_start()->isVisible());
    EXPECT_FALSE(table->menu().StartGame1->isEnabled());
}

TEST_F(TableTest, GameStartResetsTheTableAndNamesTheComputerSeats) {
    open();
    login(1);
    feed("CMD_newplayerinfo+1+Ann\xFF"
         "CMD_existingplayers+3+Cid\xFF");
    feed("CMD_pscore+1+12+4+1000+1000+1000+12\xFF"
         "CMD_justwatching+2+1\xFF"
         "CMD_justwatching+1+1\xFF");
    ASSERT_EQ(card()->cellText(1, 4), "12");
    ASSERT_TRUE(table->menu().JustWatch1->isChecked());
    feed("CMD_startgame+1+f+false\xFF");
    EXPECT_TRUE(chatLines().contains("Ann has started a game."));
    EXPECT_EQ(card()->cellText(1, 4), "");
    EXPECT_EQ(card()->label_score(1)->text(), "0");
    EXPECT_EQ(card()->seatName(2), "Klot");
    EXPECT_EQ(card()->seatName(3), "Cid");
    EXPECT_EQ(card()->seatName(4), "Klick");
    EXPECT_TRUE(card()->image_eyes(2)->isHidden());
    EXPECT_FALSE(table->menu().JustWatch1->isChecked());
    EXPECT_FALSE(board()->bonusShown());
    EXPECT_EQ(core().dicevalues()[0], -1);
    EXPECT_FALSE(core().mayact());
    for (int d = 1; d <= 5; ++d)
        EXPECT_EQ(core().die(d).state, zb::DieView::State::NotRolled);
    for (int row = 1; row <= 15; ++row)
        EXPECT_EQ(card()->score(1, row)->textColor(),
                  row <= 12 ? ScoreCard::kGreen : ScoreCard::kBlack);
}

TEST_F(TableTest, ATeamBonusGameIsAnnouncedAndShowsTheBonusDie) {
    open();
    login(2);
    feed("CMD_existingplayers+1+Ann\xFF"
         "CMD_startgame+1+t+true\xFF");
    EXPECT_TRUE(chatLines().contains("Ann has started a TEAM BONUS DICE game."));
    EXPECT_TRUE(board()->bonusShown());
    feed("CMD_startgame+1+f+true\xFF");
    EXPECT_TRUE(chatLines().contains("Ann has started a TEAM game."));
    EXPECT_FALSE(board()->bonusShown());
}

// ---- A turn begins -----------------------------------------------------------------------------

TEST_F(TableTest, TheOwnTurnOffersTheThrowAndTurnsTheColumnGreen) {
    seated(1);
    feed("CMD_nextplayer+1+3+0+0+\xFF");
    EXPECT_EQ(core().turnseat(), 1);
    EXPECT_TRUE(core().mayact());
    EXPECT_EQ(card()->heading(), "Your Turn.");
    EXPECT_EQ(card()->label_roundnum()->text(), "Round: 3");
    EXPECT_TRUE(board()->image_throwdice()->isVisible());
    for (int row = 1; row <= 15; ++row)
        EXPECT_EQ(card()->score(1, row)->textColor(), ScoreCard::kGreen);
    EXPECT_EQ(sounds.played(), QStringList({"turn"}));
    for (int d = 1; d <= 5; ++d)
        EXPECT_EQ(diePlace(board(), d), Board::kTurnStart[d]);
}

TEST_F(TableTest, TheNewTurnSoundIsPlayedWhenChosen) {
    seated(1);
    table->menu().New1->trigger();
    feed("CMD_nextplayer+1+1+0+0+\xFF");
    EXPECT_EQ(sounds.played(), QStringList({"turnnew"}));
}

TEST_F(TableTest, AnotherSeatsTurnShowsItsNameAndMaroon) {
    seated(1);
    feed("CMD_nextplayer+2+1+0+0+\xFF");
    EXPECT_EQ(card()->heading(), "Bob's turn.");
    EXPECT_FALSE(core().mayact());
    EXPECT_FALSE(board()->image_throwdice()->isVisible());
    for (int row = 1; row <= 15; ++row)
        EXPECT_EQ(card()->score(1, row)->textColor(), ScoreCard::kMaroon);
    EXPECT_TRUE(sounds.played().isEmpty());
}

TEST_F(TableTest, RollMarkersFollowTheRollCount) {
    seated(1);
    feed("CMD_nextplayer+2+1+0+2+\xFF");
    EXPECT_TRUE(rollMarkerShown(1));
    EXPECT_TRUE(rollMarkerShown(2));
    EXPECT_FALSE(rollMarkerShown(3));
    feed("CMD_nextplayer+2+1+0+7+\xFF");
    EXPECT_TRUE(rollMarkerShown(2)) << "an impossible count changes nothing";
    feed("CMD_nextplayer+2+1+0+0+\xFF");
    for (int n = 1; n <= 3; ++n)
        EXPECT_FALSE(rollMarkerShown(n));
    feed("CMD_thedice+2+n+3+1+1\xFF");
    for (int n = 1; n <= 3; ++n)
        EXPECT_TRUE(rollMarkerShown(n));
}

TEST_F(TableTest, ATurnForASeatOutsideTheTableChangesNothing) {
    seated(1);
    feed("CMD_nextplayer+5+9+0+2+\xFF"
         "CMD_nextplayer+0+9+0+2+\xFF");
    EXPECT_EQ(core().turnseat(), 0);
    EXPECT_EQ(card()->label_roundnum()->text(), "Round #");
    EXPECT_FALSE(rollMarkerShown(1));
}

// ---- Rolling -----------------------------------------------------------------------------------

TEST_F(TableTest, TheThrowSendsOneRollAndHidesUntilTheHostAnswers) {
    seated(1);
    feed("CMD_nextplayer+1+1+0+0+\xFF");
    click(board()->image_throwdice());
    EXPECT_FALSE(board()->image_throwdice()->isVisible());
    EXPECT_FALSE(core().mayact());
    core().roll(); // a second click before the answer
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_rolldice+1"}));
}

TEST_F(TableTest, DiceLandInTheOpenRowAndTheHostDecidesOnAnotherThrow) {
    seated(1);
    myRoll(1, {4, 4, 1, 6, 2});
    for (int d = 1; d <= 5; ++d) {
        EXPECT_EQ(diePlace(board(), d), QPoint(Board::openLeft(d), Board::kOpenTop));
        EXPECT_EQ(core().die(d).state, zb::DieView::State::Open);
        EXPECT_TRUE(board()->dice(d)->isEnabled());
    }
    EXPECT_EQ(board()->dieFace(4), 6);
    EXPECT_EQ(core().dicevalues(), (std::array<int, 6>{-1, 4, 4, 1, 6, 2}));
    EXPECT_TRUE(board()->image_throwdice()->isVisible());
    EXPECT_TRUE(core().mayact());
    EXPECT_EQ(sounds.current(), "dice2");
    EXPECT_TRUE(rollMarkerShown(1));
}

TEST_F(TableTest, AfterTheLastRollDiceCanStillBeHeldAndACategoryChosen) {
    seated(1);
    myRoll(1, {4, 4, 1, 6, 2}, 3);
    EXPECT_FALSE(board()->image_throwdice()->isVisible());
    EXPECT_TRUE(core().mayact());
    click(board()->dice(3));
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_setdice+1+3"}));
    click(card()->label(4));
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_setscore+1+4"}));
}

TEST_F(TableTest, AnotherSeatsRollIsShownButNotClickable) {
    seated(1);
    feed("CMD_nextplayer+2+1+0+0+\xFF"
         "CMD_thedice+2+y+1+1+3+2+3+3+3+4+5+5+6\xFF");
    for (int d = 1; d <= 5; ++d)
        EXPECT_FALSE(board()->dice(d)->isEnabled());
    EXPECT_FALSE(board()->image_throwdice()->isVisible());
    EXPECT_EQ(sounds.current(), "dice");
    click(board()->dice(1));
    core().toggleDie(1);
    EXPECT_TRUE(sentSoFar().isEmpty());
}

TEST_F(TableTest, HoldingAndReleasingWaitForTheHost) {
    seated(1);
    myRoll(1, {4, 4, 1, 6, 2});
    click(board()->dice(2));
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_setdice+1+2"}));
    EXPECT_EQ(diePlace(board(), 2).y(), Board::kOpenTop) << "nothing moves before the answer";
    feed("CMD_setdice+2\xFF");
    EXPECT_EQ(diePlace(board(), 2), QPoint(Board::openLeft(2), Board::kHeldTop));
    EXPECT_EQ(core().die(2).state, zb::DieView::State::Held);
    EXPECT_EQ(sounds.current(), "setdice");
    click(board()->dice(2));
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_unsetdice+1+2"}));
    feed("CMD_unsetdice+2\xFF");
    EXPECT_EQ(diePlace(board(), 2), QPoint(Board::openLeft(2), Board::kOpenTop));
    EXPECT_EQ(sounds.current(), "unsetdice");
}

TEST_F(TableTest, AReRollMovesOnlyTheRolledDiceToTheOpenRow) {
    seated(1);
    myRoll(1, {4, 4, 1, 6, 2});
    feed("CMD_setdice+1\xFF"
         "CMD_setdice+3\xFF"
         "CMD_setdice+4\xFF");
    feed("CMD_thedice+1+y+2+2+5+5+3\xFF");
    for (int d : {1, 3, 4}) {
        EXPECT_EQ(diePlace(board(), d).y(), Board::kHeldTop) << d;
        EXPECT_EQ(core().die(d).state, zb::DieView::State::Held);
    }
    EXPECT_EQ(diePlace(board(), 2).y(), Board::kOpenTop);
    EXPECT_EQ(diePlace(board(), 5).y(), Board::kOpenTop);
    EXPECT_EQ(core().dicevalues(), (std::array<int, 6>{-1, 4, 5, 1, 6, 3}));
}

TEST_F(TableTest, NoRollIsSentWhileAllFiveDiceAreHeld) {
    seated(1);
    myRoll(1, {4, 4, 1, 6, 2});
    feed("CMD_setdice+1\xFF"
         "CMD_setdice+2\xFF"
         "CMD_setdice+3\xFF"
         "CMD_setdice+4\xFF"
         "CMD_setdice+5\xFF");
    click(board()->image_throwdice());
    EXPECT_TRUE(sentSoFar().isEmpty());
    EXPECT_TRUE(board()->image_throwdice()->isVisible());
    EXPECT_TRUE(core().mayact());
    feed("CMD_unsetdice+5\xFF");
    click(board()->image_throwdice());
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_rolldice+1"}));
}

TEST_F(TableTest, DiceHeldInAnEarlierTurnDoNotBlockTheFirstRoll) {
    // The host frees every die when a turn begins but tells no table; the dice keep their held
    // look until they are rolled again.
    seated(1);
    feed("CMD_nextplayer+2+1+0+0+\xFF"
         "CMD_thedice+2+y+1+1+3+2+3+3+3+4+3+5+3\xFF");
    for (int d = 1; d <= 5; ++d)
        feed("CMD_setdice+" + QByteArray::number(d) + "\xFF");
    feed("CMD_pscore+2+15+11+0+0+15+0+0+0+0+0+0+0+50+0+15+0+15\xFF");
    feed("CMD_nextplayer+1+1+0+0+\xFF");
    ASSERT_EQ(core().die(1).state, zb::DieView::State::Held);
    ASSERT_TRUE(board()->image_throwdice()->isVisible());
    click(board()->image_throwdice());
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_rolldice+1"}));
}

TEST_F(TableTest, DiceAndFacesOutOfRangeChangeNothing) {
    seated(1);
    myRoll(1, {4, 4, 1, 6, 2});
    feed("CMD_thedice+1+y+2+6+3+0+3+1+7+2+-1\xFF");
    EXPECT_EQ(core().dicevalues(), (std::array<int, 6>{-1, 4, 4, 1, 6, 2}));
    feed("CMD_setdice+0\xFF"
         "CMD_setdice+6\xFF"
         "CMD_unsetdice+9\xFF"
         "CMD_setbonusdice+7\xFF");
    for (int d = 1; d <= 5; ++d)
        EXPECT_EQ(core().die(d).state, zb::DieView::State::Open);
    EXPECT_FALSE(board()->bonusShown());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(TableTest, ARollWithABadPairChangesNoDieAtAll) {
    seated(1);
    myRoll(1, {4, 4, 1, 6, 2});
    feed("CMD_thedice+1+y+2+1+5+2+x\xFF");
    ASSERT_EQ(peerReports, QStringList({"host: 'x' is not a valid integer value"}));
    EXPECT_TRUE(errors.isEmpty()) << "a host's message opens no window";
    EXPECT_EQ(core().dicevalues(), (std::array<int, 6>{-1, 4, 4, 1, 6, 2}));
}

// ---- The bonus die -----------------------------------------------------------------------------

TEST_F(TableTest, DiceShowingTheBonusFaceAreDrawnInTheBonusStyle) {
    seated(1, "t");
    EXPECT_TRUE(board()->bonusShown());
    feed("CMD_setbonusdice+4\xFF");
    EXPECT_EQ(core().dicevalues()[0], 4);
    EXPECT_EQ(board()->bonusFace(), 4);
    myRoll(1, {4, 2, 4, 6, 1});
    EXPECT_TRUE(board()->dieBonusStyle(1));
    EXPECT_FALSE(board()->dieBonusStyle(2));
    EXPECT_TRUE(board()->dieBonusStyle(3));
    EXPECT_FALSE(board()->dieBonusStyle(4));
}

TEST_F(TableTest, ANewBonusFaceRestylesOnlyDiceDrawnAfterIt) {
    seated(1, "t");
    feed("CMD_setbonusdice+4\xFF");
    myRoll(1, {4, 2, 4, 6, 1});
    feed("CMD_setbonusdice+2\xFF");
    EXPECT_TRUE(board()->dieBonusStyle(1)) << "dice on the board are not redrawn";
    feed("CMD_thedice+1+y+2+2+2\xFF");
    EXPECT_TRUE(board()->dieBonusStyle(2));
}

TEST_F(TableTest, APlainGameDrawsNoDieInTheBonusStyle) {
    seated(1);
    EXPECT_FALSE(board()->bonusShown());
    myRoll(1, {1, 2, 3, 4, 5});
    for (int d = 1; d <= 5; ++d)
        EXPECT_FALSE(board()->dieBonusStyle(d));
    EXPECT_EQ(core().dicevalues()[0], -1);
}

// ---- A spectator's table -----------------------------------------------------------------------

TEST_F(TableTest, ASpectatorNeverGetsTheThrowOrClickableDice) {
    open();
    login(5);
    feed("CMD_existingplayers+1+Ann\xFF"
         "CMD_existingplayers+2+Bob\xFF"
         "CMD_startgame+1+f+false\xFF");
    for (int seat : {1, 2}) {
        feed("CMD_nextplayer+" + QByteArray::number(seat) + "+1+0+0+\xFF");
        EXPECT_EQ(card()->heading(), card()->seatName(seat) + "'s turn.");
        EXPECT_FALSE(board()->image_throwdice()->isVisible());
        feed("CMD_thedice+" + QByteArray::number(seat) + "+y+1+1+1+2+2+3+3+4+4+5+5\xFF");
        EXPECT_FALSE(board()->image_throwdice()->isVisible());
        for (int d = 1; d <= 5; ++d)
            EXPECT_FALSE(board()->dice(d)->isEnabled());
        click(card()->label(12));
        core().toggleDie(1);
        core().roll();
    }
    EXPECT_TRUE(sentSoFar().isEmpty());
    EXPECT_FALSE(card()->choosable());
}

} // namespace
