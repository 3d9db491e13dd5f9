// The table's decisions with no window: what it holds after each host message, what each of the
// player's intents sends and when it sends nothing.

#include "corefixture.h"

#include <QSignalSpy>

using namespace zbtest;
using zb::DieView;
using zb::SeatView;
using zb::TableCore;

namespace {

// ---- The session ---------------------------------------------------------------------------

TEST_F(CoreTest, OnlySlotsOneToNineAreTakenAndTheLoginEndsWithTwoTerminators) {
    core.setPlayer("Ann", false);
    for (const char* bad : {"0", "10", "-1"}) {
        feed(QByteArray("CMD_sendlogininfo+") + bad + "\xFF");
        EXPECT_FALSE(core.loggedin()) << bad;
    }
    EXPECT_TRUE(sent.isEmpty());
    feed("CMD_sendlogininfo+9\xFF");
    EXPECT_EQ(core.myseat(), 9);
    EXPECT_EQ(sent, QList<QByteArray>({"CMD_logininfo+9+1.0.4+Ann\xFF\xFF"}));
    sent.clear();
    feed("CMD_sendlogininfo+1\xFF");
    EXPECT_EQ(core.myseat(), 1);
    EXPECT_TRUE(core.hostsGame()) << "slot 1 holds the hosting player's rights";
}

TEST_F(CoreTest, TheSettingsAreDueOncePerConnectionHoweverOftenTheHostAnnouncesUs) {
    QSignalSpy due(&core, &TableCore::selfAnnounced);
    feed("CMD_sendlogininfo+2\xFF"
         "CMD_newplayerinfo+3+Cy\xFF"
         "CMD_newplayerinfo+2+Ann\xFF"
         "CMD_newplayerinfo+2+Ann\xFF");
    EXPECT_EQ(due.count(), 1);
    EXPECT_EQ(lines, QStringList({"Cy is Connected.", "You are Connected.", "You are Connected."}));
}

TEST_F(CoreTest, OneSpectatorEntryPerSlotAndOnlyForSlotsFiveToNine) {
    feed("CMD_sendlogininfo+1\xFF");
    for (int i = 0; i < 50; ++i)
        feed("CMD_newplayerinfo+6+Spy" + QByteArray::number(i) + "\xFF");
    feed("CMD_newplayerinfo+5+Eve\xFF"
         "CMD_newplayerinfo+9+Ned\xFF"
         "CMD_newplayerinfo+10+Ten\xFF"
         "CMD_newplayerinfo+4+Dee\xFF");
    EXPECT_EQ(core.spectators(), QList<zb::Spectator>({{6, "Spy49"}, {5, "Eve"}, {9, "Ned"}}));
    // A spectator leaves only under the slot and name the list holds.
    feed("CMD_playerdisconnected+6+Spy48\xFF"
         "CMD_playerdisconnected+5+Ned\xFF");
    EXPECT_EQ(core.spectators().size(), 3);
    lines.clear();
    feed("CMD_playerdisconnected+6+Spy49\xFF");
    EXPECT_EQ(core.spectators(), QList<zb::Spectator>({{5, "Eve"}, {9, "Ned"}}));
    EXPECT_EQ(lines, QStringList({"Spy49 has left."}));
}

TEST_F(CoreTest, ASeatThatLeftShowsItsStoredNameWithTotalZeroAndNoMarker) {
    seated(1);
    feed("CMD_justwatching+2+1\xFF"
         "CMD_pscore+2+25+*+\xFF");
    ASSERT_TRUE(core.seat(2).watching);
    lines.clear();
    feed("CMD_playerdisconnected+2+Bob\xFF");
    EXPECT_EQ(lines, QStringList({"Bob disconnected."}));
    EXPECT_EQ(core.seat(2).shown, "Bob");
    EXPECT_EQ(core.seat(2).total, "0");
    EXPECT_FALSE(core.seat(2).watching);
}

TEST_F(CoreTest, TheLossIsAnnouncedOnceWhatCameBeforeItIsShown) {
    QSignalSpy lost(&core, &TableCore::lost);
    ASSERT_TRUE(core.receive("CMD_existingplayers+2+Bob\xFF"
                             "CMD_existingplayers+3+Cy\xFF"));
    core.connectionClosed();
    EXPECT_EQ(lost.count(), 0) << "messages are still waiting";
    ASSERT_TRUE(waitFor([&] { return lost.count() == 1; }));
    EXPECT_EQ(core.seatName(3), "Cy") << "shown before the loss";
    core.connectionClosed();
    EXPECT_EQ(lost.count(), 1);
}

TEST_F(CoreTest, GameFullIsToldOnceAndThenTheLossIsNot) {
    QSignalSpy full(&core, &TableCore::gameFull);
    QSignalSpy lost(&core, &TableCore::lost);
    feed("CMD_full+\xFF"
         "CMD_full+\xFF"
         "CMD_full\xFF");
    core.connectionClosed();
    EXPECT_EQ(full.count(), 1);
    EXPECT_EQ(lost.count(), 0) << "the full notice already closes the window";
}

TEST_F(CoreTest, AHostsMalformedMessagesAreReportedBrieflyAndSeldomNeverInAWindow) {
    QStringList quiet;
    const zb::ErrorReporter before =
        zb::setPeerReporter([&](const QString& line) { quiet << line; });
    QByteArray flood;
    for (int i = 0; i < 50; ++i)
        flood += "CMD_nextplayer+" + QByteArray(60000, '9') + "x+1+0+0+\xFF";
    flood += "CMD_existingplayers+2+Bob\xFF";
    ASSERT_TRUE(core.receive(flood));
    ASSERT_TRUE(waitFor([&] { return core.session().queued() == 0; }));
    zb::setPeerReporter(before);
    EXPECT_TRUE(errors.isEmpty()) << "nothing reaches the error report's box";
    ASSERT_EQ(quiet.size(), zb::kPeerReportsPerWindow + 1);
    for (const QString& line : quiet)
        EXPECT_LE(line.size(), zb::kMaxReportLineChars) << line.toStdString();
    EXPECT_TRUE(quiet[0].startsWith("host: '999")) << quiet[0].toStdString();
    EXPECT_EQ(core.seatName(2), "Bob") << "the messages behind them are handled";
}

// ---- Game start and turns ------------------------------------------------------------------

TEST_F(CoreTest, AGameStartResetsTheTableAndGivesEmptySeatsTheirComputerNames) {
    feed("CMD_sendlogininfo+3\xFF"
         "CMD_newplayerinfo+3+Ann\xFF"
         "CMD_pscore+3+40+*+5+1000+1000+1000+1000+1000+1000+1000+1000+1000+1000+1000+5+0+0\xFF"
         "CMD_winner+Ann+40+\xFF");
    ASSERT_FALSE(core.winner().isEmpty());
    feed("CMD_startgame+1+t+true\xFF");
    EXPECT_EQ(lines.last(), "<Waiting> has started a TEAM BONUS DICE game.");
    EXPECT_TRUE(core.winner().isEmpty());
    EXPECT_TRUE(core.bonusShown());
    EXPECT_EQ(core.dicevalues()[0], -1);
    EXPECT_EQ(core.seat(3).cells[1], zb::rules::kUnused);
    EXPECT_EQ(core.seat(3).total, "0");
    for (int d = 1; d <= 5; ++d)
        EXPECT_EQ(core.die(d).state, DieView::State::NotRolled);
    EXPECT_TRUE(core.seat(1).waiting) << "seat 1 has no computer player";
    EXPECT_EQ(core.seat(2).shown, "Klot");
    EXPECT_EQ(core.seat(3).shown, "Ann");
    EXPECT_EQ(core.seat(4).shown, "Klick");
    EXPECT_FALSE(core.seat(4).waiting);
}

TEST_F(CoreTest, TheHeadingTheThrowAndTheColumnFollowWhoseTurnItIs) {
    seated(2);
    QSignalSpy column(&core, &TableCore::ownColumnChanged);
    feed("CMD_nextplayer+1+3+0+0+\xFF");
    EXPECT_EQ(core.heading(), "Bob's turn.");
    EXPECT_EQ(core.round(), "Round: 3");
    EXPECT_FALSE(core.throwOffered());
    EXPECT_EQ(core.ownColumn(), zb::OwnColumn::Waiting);
    EXPECT_EQ(core.turnMarker(), 1);
    feed("CMD_nextplayer+2+3+0+0+\xFF");
    EXPECT_EQ(core.heading(), "Your Turn.");
    EXPECT_TRUE(core.throwOffered());
    EXPECT_EQ(core.ownColumn(), zb::OwnColumn::OwnTurn);
    EXPECT_EQ(column.count(), 3) << "maroon, maroon, then green";
    feed("CMD_nextplayer+5+3+0+0+\xFF"
         "CMD_nextplayer+0+3+0+0+\xFF");
    EXPECT_EQ(core.turnseat(), 2) << "a seat outside 1..4 takes no turn";
}

TEST_F(CoreTest, ASpectatorNeverHasTheTurn) {
    feed("CMD_sendlogininfo+5\xFF"
         "CMD_existingplayers+1+Bob\xFF"
         "CMD_startgame+1+f+false\xFF"
         "CMD_nextplayer+5+1+0+0+\xFF"
         "CMD_nextplayer+1+1+0+0+\xFF");
    EXPECT_FALSE(core.myTurn());
    EXPECT_EQ(core.heading(), "Bob's turn.");
    EXPECT_FALSE(core.throwOffered());
}

// ---- Rolling and holding -------------------------------------------------------------------

TEST_F(CoreTest, ARollIsRequestedOnceUntilTheHostAnswers) {
    seated(1);
    core.roll();
    EXPECT_TRUE(take().isEmpty()) << "not the local player's turn yet";
    feed("CMD_nextplayer+1+1+0+0+\xFF");
    core.roll();
    core.roll();
    EXPECT_EQ(take(), QList<QByteArray>({"CMD_rolldice+1"}));
    feed("CMD_thedice+1+y+1+1+3+2+3+3+3+4+3+5+3\xFF");
    EXPECT_TRUE(core.throwOffered());
    for (int d = 1; d <= 5; ++d)
        feed("CMD_setdice+" + QByteArray::number(d) + "\xFF");
    ASSERT_TRUE(core.allHeldThisTurn());
    core.roll();
    EXPECT_TRUE(take().isEmpty()) << "with every die held a roll would change nothing";
    feed("CMD_unsetdice+5\xFF");
    core.roll();
    EXPECT_EQ(take(), QList<QByteArray>({"CMD_rolldice+1"}));
    feed("CMD_thedice+1+n+3+5+2\xFF");
    core.roll();
    EXPECT_TRUE(take().isEmpty()) << "after the third roll the throw is not on offer";
    EXPECT_EQ(core.rolls(), 3);
}

TEST_F(CoreTest, OnlyTheRollersOwnDiceTakeHoldRequests) {
    seated(1);
    feed("CMD_nextplayer+2+1+0+0+\xFF"
         "CMD_thedice+2+y+1+1+3+2+3+3+3+4+3+5+3\xFF");
    for (int d = 0; d <= 6; ++d)
        core.toggleDie(d);
    EXPECT_TRUE(take().isEmpty()) << "Bob's dice";
    myRoll(1, {1, 2, 3, 4, 5});
    core.toggleDie(2);
    feed("CMD_setdice+2\xFF");
    core.toggleDie(2);
    core.toggleDie(0);
    core.toggleDie(6);
    EXPECT_EQ(take(), QList<QByteArray>({"CMD_setdice+1+2", "CMD_unsetdice+1+2"}));
}

TEST_F(CoreTest, DiceShowingTheBonusFaceAreDrawnInItsStyle) {
    seated(1, "t");
    feed("CMD_setbonusdice+4\xFF"
         "CMD_nextplayer+2+1+0+0+\xFF"
         "CMD_thedice+2+y+1+1+4+2+3+3+7+4+4\xFF");
    EXPECT_TRUE(core.die(1).bonusStyle);
    EXPECT_FALSE(core.die(2).bonusStyle);
    EXPECT_EQ(core.die(3).face, 0) << "a face outside 0..6 is not drawn";
    EXPECT_TRUE(core.die(4).bonusStyle);
    feed("CMD_setbonusdice+7\xFF");
    EXPECT_EQ(core.dicevalues()[0], 4);
}

TEST_F(CoreTest, ASecondClickRightAfterTheDiceAppearedSpendsNoRoll) {
    std::chrono::milliseconds clock{1000};
    core.setClock([&] { return clock; });
    core.setRollRepeatGuard(TableCore::kRollRepeatGuard);
    seated(1);
    myRoll(1, {1, 2, 3, 4, 5}); // the first roll of a turn follows no dice of this turn
    clock += TableCore::kRollRepeatGuard - std::chrono::milliseconds(1);
    core.roll();
    EXPECT_TRUE(take().isEmpty()) << "the double click's second half";
    clock += std::chrono::milliseconds(1);
    core.roll();
    EXPECT_EQ(take(), QList<QByteArray>({"CMD_rolldice+1"})) << "exactly at the guard's end";
    EXPECT_EQ(TableCore::kRollRepeatGuard, std::chrono::milliseconds(300));
    // The guard belongs to its turn: the next turn's first roll goes at once.
    feed("CMD_thedice+1+y+2+1+5\xFF"
         "CMD_nextplayer+2+1+0+0+\xFF"
         "CMD_nextplayer+1+2+0+0+\xFF");
    core.roll();
    EXPECT_EQ(take(), QList<QByteArray>({"CMD_rolldice+1"}));
}

TEST_F(CoreTest, WhileTheOwnSeatWatchesTheTableOffersNothingTheHostWouldIgnore) {
    seated(1);
    myRoll(1, {1, 2, 3, 4, 5});
    ASSERT_TRUE(core.throwOffered());
    ASSERT_TRUE(core.die(3).clickable);
    QSignalSpy clickable(&core, &TableCore::dieClickableChanged);
    feed("CMD_justwatching+1+1\xFF");
    // The computer takes over the turn in the middle.
    EXPECT_FALSE(core.throwOffered());
    EXPECT_FALSE(core.choosable());
    EXPECT_EQ(clickable.count(), 5);
    EXPECT_EQ(core.heading(), "The computer's turn.");
    EXPECT_EQ(core.hints(), zb::ScoreHints());
    core.roll();
    core.toggleDie(3);
    core.chooseCategory(12);
    EXPECT_TRUE(take().isEmpty());
    // Its dice and its next turn are the computer's too.
    feed("CMD_thedice+1+y+2+3+6\xFF"
         "CMD_nextplayer+2+1+0+0+\xFF"
         "CMD_nextplayer+1+2+0+0+\xFF");
    EXPECT_EQ(core.heading(), "The computer's turn.");
    EXPECT_FALSE(core.throwOffered());
    EXPECT_FALSE(core.die(3).clickable);
    // Playing again hands the turn back where it stands.
    feed("CMD_thedice+1+y+1+1+2+2+2+3+2+4+2+5+2\xFF"
         "CMD_justwatching+1+2\xFF");
    EXPECT_EQ(core.heading(), "Your Turn.");
    EXPECT_TRUE(core.throwOffered());
    EXPECT_TRUE(core.choosable());
    EXPECT_TRUE(core.die(3).clickable);
}

TEST_F(CoreTest, ANewGameStartsWithTheStatusLinesFirstText) {
    seated(1);
    feed("CMD_pscore+2+25+8+1000+1000+1000+1000+1000+1000+1000+25+1000+1000+1000+1000+0+0+25\xFF");
    ASSERT_EQ(core.status(), "Bob tagged a FULL HOUSE +25");
    feed("CMD_startgame+1+f+false\xFF");
    EXPECT_EQ(core.status(), "Welcome to Zorbinet!");
}

// ---- Choosing -----------------------------------------------------------------------------

TEST_F(CoreTest, ACategoryIsChosenOnlyOnTheOwnTurnAfterARoll) {
    seated(1);
    feed("CMD_nextplayer+1+1+0+0+\xFF");
    EXPECT_EQ(core.chooseCategory(4), TableCore::Choice::Refused) << "before the first roll";
    myRoll(1, {4, 4, 1, 5, 2});
    EXPECT_TRUE(core.choosable());
    for (int bad : {0, 13, 15})
        EXPECT_EQ(core.chooseCategory(bad), TableCore::Choice::Refused) << bad;
    EXPECT_EQ(core.chooseCategory(12), TableCore::Choice::Sent);
    EXPECT_EQ(core.chooseCategory(1), TableCore::Choice::Refused) << "one request a turn";
    EXPECT_EQ(take(), QList<QByteArray>({"CMD_setscore+1+12"}));
    EXPECT_FALSE(core.choosable());
    feed("CMD_chooseagain+\xFF");
    EXPECT_EQ(core.status(), "Invalid Choice, Choose Again!");
    EXPECT_FALSE(core.throwOffered()) << "a refused choice offers no further roll";
    EXPECT_EQ(core.chooseCategory(1), TableCore::Choice::Sent);
}

TEST_F(CoreTest, TheDoubleCheckAsksBeforeAZeroAndYesScoresIt) {
    seated(1);
    core.setDoubleCheck(true);
    myRoll(1, {4, 4, 1, 5, 2});
    QSignalSpy zero(&core, &TableCore::zeroChanged);
    EXPECT_EQ(core.chooseCategory(6), TableCore::Choice::Checked);
    EXPECT_EQ(core.zeroCategory(), 6);
    EXPECT_TRUE(take().isEmpty());
    core.answerZero(false);
    EXPECT_EQ(core.zeroCategory(), 0);
    EXPECT_TRUE(core.mayact());
    EXPECT_EQ(core.chooseCategory(11), TableCore::Choice::Checked);
    EXPECT_EQ(core.chooseCategory(4), TableCore::Choice::Checked) << "a pair of fours scores";
    EXPECT_EQ(take(), QList<QByteArray>({"CMD_setscore+1+4"}));
    EXPECT_EQ(core.zeroCategory(), 0) << "the turn's score is on its way";
    core.answerZero(true);
    EXPECT_TRUE(take().isEmpty());
    EXPECT_EQ(zero.count(), 4);
}

TEST_F(CoreTest, ZeroTestsFollowThePatternsOfTheDice) {
    struct Case {
        std::array<int, 5> dice;
        int category;
        bool asks;
    };
    const Case cases[] = {
        {{5, 5, 5, 5, 5}, 8, false}, {{5, 5, 5, 5, 5}, 7, false},  {{2, 2, 5, 5, 6}, 8, true},
        {{1, 2, 3, 4, 6}, 9, false}, {{1, 2, 3, 4, 6}, 10, true},  {{2, 3, 4, 5, 6}, 10, false},
        {{3, 3, 3, 1, 2}, 8, true},  {{6, 1, 1, 1, 2}, 12, false}, {{6, 1, 1, 1, 2}, 5, true},
    };
    for (const Case& c : cases) {
        zb::TableCore fresh;
        fresh.setSend([](const QByteArray&) {});
        fresh.setDoubleCheck(true);
        QByteArray m = "CMD_sendlogininfo+1\xFF"
                       "CMD_startgame+1+f+false\xFF"
                       "CMD_nextplayer+1+1+0+0+\xFF";
        fresh.receive(m);
        while (fresh.session().queued())
            fresh.session().processsocktimer();
        fresh.roll();
        QByteArray d = "CMD_thedice+1+y+1";
        for (int i = 1; i <= 5; ++i)
            d += "+" + QByteArray::number(i) + "+" + QByteArray::number(c.dice[i - 1]);
        fresh.receive(d + '\xFF');
        fresh.session().processsocktimer();
        fresh.chooseCategory(c.category);
        EXPECT_EQ(fresh.zeroCategory() != 0, c.asks) << c.category << " " << c.dice[0];
    }
}

// ---- Scores and the end of a game ------------------------------------------------------------

TEST_F(CoreTest, AnOwnFiveOfAKindCountsOnceAGameAndOnlyInAGame) {
    feed("CMD_sendlogininfo+1\xFF"
         "CMD_pscore+1+50+11+1000+1000+1000+1000+1000+1000+1000+1000+1000+1000+50+1000+0+0+50\xFF");
    EXPECT_EQ(tally.fives, 0) << "no game has started";
    EXPECT_EQ(core.status(), "<Waiting> tagged a 5 OF A KIND +50");
    feed("CMD_startgame+1+f+false\xFF");
    for (int i = 0; i < 3; ++i)
        feed("CMD_pscore+1+50+11+1000+1000+1000+1000+1000+1000+1000+1000+1000+1000+50+1000+0+0+"
             "50\xFF");
    EXPECT_EQ(tally.fives, 1);
}

TEST_F(CoreTest, AHostCannotMakeTheTallyCountGamesAtWill) {
    feed("CMD_sendlogininfo+1\xFF");
    for (int i = 0; i < 1000; ++i)
        feed("CMD_winner+Ann+230+\xFF");
    EXPECT_TRUE(tally.games.empty()) << "no game started";
    feed("CMD_startgame+1+f+false\xFF");
    for (int i = 0; i < 1000; ++i)
        feed("CMD_winner+Ann+230+\xFF");
    EXPECT_EQ(tally.games.size(), 1u);
    feed("CMD_startgame+1+f+false\xFF"
         "CMD_winner+Ann+230+\xFF");
    EXPECT_EQ(tally.games.size(), 2u);
}

TEST_F(CoreTest, ASpectatorsTallyIsNotTouched) {
    feed("CMD_sendlogininfo+6\xFF"
         "CMD_startgame+1+f+false\xFF"
         "CMD_winner+Ann+230+\xFF");
    EXPECT_TRUE(tally.games.empty());
}

TEST_F(CoreTest, TheTallyListsTheSeatsThatTakePartInTheCurrentGame) {
    feed("CMD_sendlogininfo+1\xFF"
         "CMD_newplayerinfo+1+Ann\xFF"
         "CMD_existingplayers+3+Cy\xFF");
    EXPECT_EQ(tally.players, QStringList({"Cy"})) << "before any game: who sits at the table";
    feed("CMD_startgame+1+f+false\xFF"
         "CMD_nextplayer+1+1+0+0+\xFF"
         "CMD_nextplayer+2+1+0+0+\xFF");
    EXPECT_EQ(tally.players, QStringList({"Klot"}));
    feed("CMD_nextplayer+3+1+0+0+\xFF");
    EXPECT_EQ(tally.players, QStringList({"Klot", "Cy"}));
}

TEST_F(CoreTest, TheWinnerTextReadsByTheNamesItHolds) {
    core.setPlayer("Ann", false);
    seated(1);
    feed("CMD_winner+Ann+230+\xFF");
    EXPECT_EQ(core.winner(), "You have Won the Game!");
    feed("CMD_winner+Bob+230+\xFF");
    EXPECT_EQ(core.winner(), "Bob has Won the Game!");
    feed("CMD_winner+Ann and Bob+230+\xFF");
    EXPECT_EQ(core.winner(), "Ann and Bob have Won the Game!");
    feed("CMD_winner+Ann+\xFF");
    EXPECT_EQ(core.heading(), "Winner's Score Card");
}

// ---- Watching, removal and the start offer -----------------------------------------------------

TEST_F(CoreTest, OnlyTheHostingPlayerSetsSeatsToWatchAndRemovesPlayers) {
    feed("CMD_sendlogininfo+2\xFF");
    take();
    core.setSeatWatching(3, true);
    core.removePlayer(3);
    EXPECT_TRUE(take().isEmpty());
    core.toggleJustWatch();
    core.toggleJustWatch();
    EXPECT_EQ(take(), QList<QByteArray>({"CMD_justwatch+2+1", "CMD_justwatch+2+1"}))
        << "the tick changes only when the host answers";
    feed("CMD_justwatching+2+1\xFF");
    core.toggleJustWatch();
    EXPECT_EQ(take(), QList<QByteArray>({"CMD_justwatch+2+2"}));

    zb::TableCore host;
    QList<QByteArray> hostSent;
    host.setSend([&](const QByteArray& m) { hostSent << m; });
    host.setPlayer("Ann", true);
    host.setSeatWatching(3, true);
    EXPECT_TRUE(hostSent.isEmpty()) << "nothing before the login";
    host.receive("CMD_sendlogininfo+1\xFF");
    host.session().processsocktimer();
    hostSent.clear();
    host.setSeatWatching(3, true);
    host.setSeatWatching(5, true);
    host.setSeatWatching(4, false);
    host.removePlayer(3);
    EXPECT_EQ(hostSent, QList<QByteArray>({"CMD_justwatch+3+1\xFF", "CMD_justwatch+4+2\xFF",
                                           "CMD_kickhim+1+3+\xFF"}));
}

TEST_F(CoreTest, TheStartOfferComesBackWhenTheChoiceIsCancelled) {
    core.setPlayer("Ann", true);
    EXPECT_TRUE(core.startOffered());
    core.beginStartChoice();
    EXPECT_FALSE(core.startOffered());
    core.cancelStartChoice();
    EXPECT_TRUE(core.startOffered());
    core.startGame({true, false});
    EXPECT_TRUE(take().isEmpty()) << "not logged in";
    feed("CMD_sendlogininfo+1\xFF");
    take();
    core.startGame({true, false});
    EXPECT_EQ(take(), QList<QByteArray>({"CMD_startgame+1+t+false"}));
}

// ---- Chat ------------------------------------------------------------------------------------

TEST_F(CoreTest, ChatChatterAndPhrasesGoOutOnlyWhenLoggedIn) {
    EXPECT_FALSE(core.sendChatLine("hi", "clRed"));
    EXPECT_FALSE(core.sendPhrase("Nice!", "clRed"));
    EXPECT_FALSE(core.sendChatterSound(5));
    feed("CMD_sendlogininfo+2\xFF");
    take();
    EXPECT_TRUE(core.sendChatLine("hi", "clRed"));
    EXPECT_TRUE(core.sendChatLine("/help", "clRed")) << "taken, though it sends nothing";
    EXPECT_TRUE(core.sendPhrase("Nice!", "clRed"));
    for (int wave : {0, 21, -1})
        EXPECT_FALSE(core.sendChatterSound(wave)) << wave;
    EXPECT_TRUE(core.sendChatterSound(1));
    EXPECT_TRUE(core.sendChatterSound(20));
    EXPECT_EQ(take(), QList<QByteArray>({"CMD_chat+2+hi|clRed", "CMD_action+2+says: Nice!|clRed",
                                         "CMD_playasound+2+wave1+", "CMD_playasound+2+wave20+"}));
    feed("CMD_sendlogininfo+5\xFF");
    take();
    EXPECT_FALSE(core.sendChatterSound(3)) << "a spectator sends no chatter";
    EXPECT_TRUE(core.sendPhrase("Hi", "clRed")) << "but may send phrases";
}

TEST_F(CoreTest, OnlyTheHostingPlayerTellsTheBotSpeed) {
    feed("CMD_sendlogininfo+2\xFF");
    take();
    core.reportBotSpeed(500);
    EXPECT_TRUE(take().isEmpty());
    feed("CMD_sendlogininfo+1\xFF");
    take();
    core.reportBotSpeed(500);
    EXPECT_EQ(take(), QList<QByteArray>({"CMD_botspeed+1+500+"}));
}

} // namespace
