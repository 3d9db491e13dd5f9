// The table's session: framing and dispatch of what the host sends, the login, the roster of
// seats and spectators, version notices, a full game and the loss of the connection.

#include "tablefixture.h"

#include "controls/picturebutton.h"

#include "net/dispatchtimer.h"

#include <QAction>
#include <QLabel>

using namespace zbtest;
using zb::ScoreCard;

namespace {

constexpr QRgb kNavyRgb = 0xFF000080;
constexpr QRgb kBlueRgb = 0xFF0000FF;

QRgb statusColour(zb::Tchat& t) {
    return t.chatPanel()->mainchat()->style(0).color.rgba();
}

// ---- Framing and dispatch ----------------------------------------------------------------------

TEST_F(TableTest, TwoMessagesInOneReadAreHandledOnTwoSuccessiveTicks) {
    open();
    session().receive("CMD_existingplayers+2+Bob\xFF"
                      "CMD_existingplayers+3+Cid\xFF");
    EXPECT_EQ(session().queued(), 2);
    session().processsocktimer();
    EXPECT_EQ(card()->seatName(2), "Bob");
    EXPECT_EQ(card()->seatName(3), zb::SeatView::kWaiting) << "one message per tick";
    session().processsocktimer();
    EXPECT_EQ(card()->seatName(3), "Cid");
}

TEST_F(TableTest, AMessageSplitOverTwoReadsIsHandledOnceWhole) {
    open();
    feed("CMD_existingplayers+2+Bo");
    EXPECT_EQ(session().pendingtext(), QByteArray("CMD_existingplayers+2+Bo"));
    EXPECT_EQ(card()->seatName(2), zb::SeatView::kWaiting);
    feed("b+Jr\xFF");
    EXPECT_EQ(card()->seatName(2), "Bob+Jr") << "a last name field keeps its '+'";
    EXPECT_TRUE(session().pendingtext().isEmpty());
    EXPECT_EQ(sounds.played(), QStringList({"entered"}));
}

TEST_F(TableTest, BytesFromTheSocketArriveInPiecesAndInBursts) {
    open();
    host.send("CMD_existingplayers+2+Bo");
    ASSERT_TRUE(waitFor([&] { return !session().pendingtext().isEmpty(); }));
    host.send("b\xFF"
              "CMD_existingplayers+3+Cid\xFF"
              "CMD_existingplayers+4+D");
    ASSERT_TRUE(waitFor([&] { return card()->seatName(3) == "Cid"; }));
    EXPECT_EQ(card()->seatName(2), "Bob");
    host.send("ee\xFF");
    ASSERT_TRUE(waitFor([&] { return card()->seatName(4) == "Dee"; }));
}

TEST_F(TableTest, TheDispatchTimerIsIdleWhenNothingIsQueued) {
    open();
    feed("CMD_existingplayers+2+Bob\xFF");
    EXPECT_TRUE(waitFor([&] { return !session().Timer1().isActive(); }));
    EXPECT_EQ(session().Timer1().interval(), std::chrono::milliseconds(1));
}

TEST_F(TableTest, EmptyUnknownAndPlusLessMessagesAreDroppedSilently) {
    open();
    feed("\xFF\xFF"
         "CMD_nosuchthing+1\xFF"
         "CMD_full\xFF"
         "cmd_existingplayers+2+Bob\xFF"
         "CMD_existingplayers\xFF");
    EXPECT_EQ(card()->seatName(2), zb::SeatView::kWaiting);
    EXPECT_EQ(dialogs.openCount(), 0u) << "\"CMD_full\" without '+' is no known word";
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_TRUE(table->isVisible());
}

TEST_F(TableTest, ANonNumericFieldEndsThatMessageAndTheNextOneIsHandled) {
    open();
    feed("CMD_existingplayers+x2+Bob\xFF"
         "CMD_existingplayers+3+Cid\xFF");
    ASSERT_EQ(peerReports.size(), 1);
    EXPECT_EQ(peerReports[0], "host: 'x2' is not a valid integer value");
    EXPECT_TRUE(errors.isEmpty()) << "a host's message opens no window";
    EXPECT_EQ(card()->seatName(3), "Cid");
    for (int seat : {1, 2, 4})
        EXPECT_EQ(card()->seatName(seat), zb::SeatView::kWaiting);
}

// ---- Login -------------------------------------------------------------------------------------

TEST_F(TableTest, LoginAnswersWithSeatVersionAndNameEndingInTwoTerminators) {
    open("Ann");
    EXPECT_FALSE(core().loggedin());
    host.send("CMD_sendlogininfo+2\xFF");
    ASSERT_TRUE(host.waitForMessage());
    EXPECT_TRUE(waitFor([&] { return host.raw().endsWith("\xFF\xFF"); }));
    EXPECT_EQ(host.raw(), QByteArray("CMD_logininfo+2+1.0.4+Ann\xFF\xFF"));
    EXPECT_EQ(core().myseat(), 2);
    EXPECT_TRUE(core().loggedin());
}

TEST_F(TableTest, TheLoginNameGoesOutAsLatin1WithUnsayableCharactersAsQuestionMarks) {
    open(QString::fromUtf8("Zoë✓\u00FF"));
    host.send("CMD_sendlogininfo+1\xFF");
    ASSERT_TRUE(waitFor([&] { return host.raw().endsWith("\xFF\xFF"); }));
    EXPECT_EQ(host.raw(), QByteArray("CMD_logininfo+1+1.0.4+Zo\xEB??\xFF\xFF"));
}

TEST_F(TableTest, ASeatNumberOutsideTheSlotsIsNoLogin) {
    open();
    feed("CMD_sendlogininfo+0\xFF"
         "CMD_sendlogininfo+10\xFF"
         "CMD_sendlogininfo+-1\xFF");
    EXPECT_FALSE(core().loggedin());
    EXPECT_EQ(core().myseat(), 0);
    EXPECT_TRUE(sentSoFar().isEmpty());
}

// ---- Players announced -------------------------------------------------------------------------

TEST_F(TableTest, TheOwnAnnouncementSaysConnectedAndPlaysEntered) {
    open();
    login(1);
    feed("CMD_newplayerinfo+1+Ann\xFF");
    EXPECT_TRUE(chatLines().contains("You are Connected."));
    EXPECT_EQ(card()->seatName(1), "Ann");
    EXPECT_EQ(sounds.played(), QStringList({"entered"}));
    EXPECT_EQ(statusColour(*table), kBlueRgb);
}

TEST_F(TableTest, AnotherPlayerIsAnnouncedInTheChatAndOnTheCard) {
    open();
    login(1);
    feed("CMD_newplayerinfo+3+Cid\xFF");
    EXPECT_TRUE(chatLines().contains("Cid is Connected."));
    EXPECT_EQ(card()->seatName(3), "Cid");
    EXPECT_EQ(card()->storedName(3), "Cid");
}

TEST_F(TableTest, AnAnnouncementWithAnEmptyNameChangesNothingAndIsSilent) {
    open();
    login(1);
    const QString before = chatText();
    feed("CMD_newplayerinfo+2+\xFF"
         "CMD_existingplayers+3+\xFF");
    EXPECT_EQ(chatText(), before);
    EXPECT_EQ(card()->seatName(2), zb::SeatView::kWaiting);
    EXPECT_TRUE(sounds.played().isEmpty());
}

TEST_F(TableTest, ExistingPlayerInSeatThreeBecomesItsStoredName) {
    open();
    EXPECT_EQ(card()->storedName(3), "Kling");
    EXPECT_EQ(card()->storedName(1), "");
    feed("CMD_existingplayers+3+Cid\xFF");
    EXPECT_EQ(card()->seatName(3), "Cid");
    EXPECT_EQ(card()->storedName(3), "Cid");
}

TEST_F(TableTest, ASpectatorsOwnArrivalSaysConnectedAndSpying) {
    open();
    login(6);
    feed("CMD_newplayerinfo+6+Ann\xFF");
    EXPECT_TRUE(chatLines().join("|").contains("You are Connected.|You are spying."));
    EXPECT_EQ(spylist->lines(), QStringList({"6: Ann"}));
    EXPECT_FALSE(spylist->isVisible()) << "the list fills while its window is hidden";
    for (int seat = 1; seat <= 4; ++seat)
        EXPECT_EQ(card()->seatName(seat), zb::SeatView::kWaiting);
}

TEST_F(TableTest, AnotherSpectatorIsListed) {
    open();
    login(1);
    feed("CMD_newplayerinfo+5+Eve\xFF");
    EXPECT_TRUE(chatLines().join("|").contains("Eve is Connected.|Eve is spying."));
    EXPECT_EQ(spylist->lines(), QStringList({"5: Eve"}));
}

// ---- Departures --------------------------------------------------------------------------------

TEST_F(TableTest, APlayerLeavingKeepsTheNameAndZeroesTheTotal) {
    open();
    login(1);
    feed("CMD_existingplayers+2+Bob\xFF");
    feed("CMD_pscore+2+57+*+\xFF"
         "CMD_justwatching+2+1\xFF");
    ASSERT_EQ(card()->label_score(2)->text(), "57");
    feed("CMD_playerdisconnected+2+Bob\xFF");
    EXPECT_TRUE(chatLines().contains("Bob disconnected."));
    EXPECT_EQ(card()->seatName(2), "Bob");
    EXPECT_EQ(card()->label_score(2)->text(), "0");
    EXPECT_TRUE(card()->image_eyes(2)->isHidden());
}

TEST_F(TableTest, AnEmptySeatLeavingShowsItsComputerName) {
    open();
    login(1);
    feed("CMD_playerdisconnected+3+\xFF");
    EXPECT_TRUE(chatLines().contains("<Waiting> disconnected."));
    EXPECT_EQ(card()->seatName(3), "Kling");
}

TEST_F(TableTest, ASpectatorLeavingIsToldInNavyAndLeavesTheList) {
    open();
    login(1);
    feed("CMD_newplayerinfo+5+Eve\xFF"
         "CMD_newplayerinfo+6+Fay\xFF");
    feed("CMD_playerdisconnected+5+Eve\xFF");
    EXPECT_TRUE(chatLines().last() == "Eve has left.");
    EXPECT_EQ(statusColour(*table), kNavyRgb);
    EXPECT_EQ(spylist->lines(), QStringList({"6: Fay"}));
    const QString before = chatText();
    feed("CMD_playerdisconnected+7+Eve\xFF"
         "CMD_playerdisconnected+6+Eve\xFF");
    EXPECT_EQ(chatText(), before) << "seat and name must both match a line";
    EXPECT_EQ(spylist->lines(), QStringList({"6: Fay"}));
}

// ---- Notices and the end of the session ---------------------------------------------------------

TEST_F(TableTest, VersionNoticesGoToTheChat) {
    open();
    login(1);
    feed("CMD_havewrongversion+Bob+Jr\xFF"
         "CMD_wrongversion+\xFF");
    EXPECT_TRUE(chatLines().contains("Bob+Jr has a different version of the game then you."));
    EXPECT_TRUE(chatLines().contains("You have a differnt version of the game then the host."));
    EXPECT_TRUE(table->isVisible());
}

TEST_F(TableTest, AFullGameShowsABoxAndClosesTheWindowWhenItIsClosed) {
    open();
    feed("CMD_full+\xFF");
    ASSERT_EQ(dialogs.openCount(), 1u);
    EXPECT_EQ(dialogs.lastText(), "Game is full");
    EXPECT_TRUE(table->isVisible()) << "the box does not block and the window waits for it";
    dialogs.answer();
    EXPECT_FALSE(table->isVisible());
}

// A lost connection is told before the window goes, so the program does not seem to crash.
TEST_F(TableTest, TheHostClosingTheConnectionIsToldAndTheAnswerClosesTheWindow) {
    open();
    login(1);
    host.drop();
    ASSERT_TRUE(waitFor([&] { return dialogs.openCount() == 1; }));
    EXPECT_EQ(dialogs.lastText(), "The connection to the game host was lost.");
    pump(50ms);
    EXPECT_TRUE(table->isVisible()) << "the window waits for the notice";
    EXPECT_EQ(dialogs.openCount(), 1) << "one notice";
    dialogs.answer();
    EXPECT_FALSE(table->isVisible());
}

TEST_F(TableTest, FileExitStillEndsAtOnceWhileTheNoticeIsUp) {
    open();
    login(1);
    host.drop();
    ASSERT_TRUE(waitFor([&] { return dialogs.openCount() == 1; }));
    table->menu().Exit1->trigger();
    EXPECT_FALSE(table->isVisible());
}

// However often the host says the game is full, one box is open.
TEST_F(TableTest, ManyFullNoticesOpenOneBox) {
    open();
    QByteArray burst;
    for (int i = 0; i < 200; ++i)
        burst += "CMD_full+\xFF";
    feed(burst);
    EXPECT_EQ(dialogs.openCount(), 1);
    host.drop();
    pump(50ms);
    EXPECT_EQ(dialogs.openCount(), 1) << "the full box stands for the lost connection too";
}

TEST_F(TableTest, AFullGameIsToldEvenWhenTheHostClosesAtOnce) {
    open();
    host.send("CMD_full+\xFF");
    host.drop();
    ASSERT_TRUE(waitFor([&] { return dialogs.openCount() == 1; }));
    EXPECT_EQ(dialogs.lastText(), "Game is full");
    pump(50ms);
    EXPECT_TRUE(table->isVisible()) << "the window waits for the box";
    dialogs.answer();
    EXPECT_FALSE(table->isVisible());
}

TEST_F(TableTest, WhatTheHostSentBeforeClosingIsShownFirst) {
    open();
    login(1);
    host.send("CMD_existingplayers+2+Bob\xFF"
              "CMD_playerdisconnected+2+Bob\xFF");
    host.drop();
    ASSERT_TRUE(waitFor([&] { return dialogs.openCount() == 1; }));
    EXPECT_TRUE(chatLines().contains("Bob disconnected."));
}

TEST_F(TableTest, AHostSendingEndlessTextWithoutTerminatorIsCutOff) {
    open();
    login(1);
    host.send(QByteArray(zb::proto::kMaxPending + 10, 'a'));
    EXPECT_TRUE(waitFor([&] { return !table->sock()->hasSocket(); }));
    EXPECT_TRUE(session().pendingtext().isEmpty());
    EXPECT_TRUE(waitFor([&] { return dialogs.openCount() == 1; }));
}

// More messages than the table can queue: the host is taken for lost and the queue freed.
TEST_F(TableTest, AHostThatOverrunsTheQueueIsTreatedAsLost) {
    open();
    login(1);
    zb::Session& queue = session();
    QByteArray many;
    for (qsizetype i = 0; i <= zb::Session::kMaxQueued; ++i)
        many += "CMD_chat+2+x\xFF";
    EXPECT_FALSE(queue.receive(many));
    EXPECT_EQ(queue.queued(), 0);
    EXPECT_TRUE(queue.receive("CMD_chat+2+y\xFF")) << "below the cap all is well";
    const QByteArray big(60000, 'b');
    bool overran = false;
    for (int i = 0; i < 100 && !overran; ++i)
        overran = !queue.receive("CMD_chat+2+" + big + '\xFF');
    EXPECT_TRUE(overran) << "the byte cap holds before the message cap";
    EXPECT_EQ(queue.queued(), 0);
    // The real receive path closes the connection and tells the player.
    QByteArray flood;
    for (qsizetype i = 0; i <= zb::Session::kMaxQueued; ++i)
        flood += "CMD_chat+2+x\xFF";
    host.send(flood);
    EXPECT_TRUE(waitFor([&] { return !table->sock()->hasSocket(); }));
    EXPECT_TRUE(waitFor([&] { return dialogs.openCount() == 1; }));
}

// A join whose connect fails says why in the chat, and the window stays.
class FailedJoinTest : public TableTest {
protected:
    // A table that joins host on a port where nobody listens.
    void join(const QString& hostName) {
        zb::TableOptions o;
        o.args = {QStringLiteral("Ann"), hostName, QStringLiteral("false")};
        o.gamePort = closedPort();
        o.lobbyPort = closedPort();
        o.dialogs = &dialogs;
        o.soundPlayer = &sounds;
        o.settingsFolder = settingsDir.path();
        table = std::make_unique<zb::Tchat>(o, random);
        table->show();
    }
};

TEST_F(FailedJoinTest, ARefusedConnectSaysWhyInTheChat) {
    join(QStringLiteral("127.0.0.1"));
    const QString want =
        "Could not connect to the game host at 127.0.0.1: Error #10061 (WSAECONNREFUSED)";
    EXPECT_TRUE(waitFor([&] { return chatLines().contains(want); })) << chatText().toStdString();
    EXPECT_TRUE(table->isVisible());
    EXPECT_EQ(dialogs.openCount(), 0);
}

TEST_F(FailedJoinTest, AnUnknownHostSaysWhyInTheChat) {
    join(QStringLiteral("nosuchhost.invalid"));
    EXPECT_TRUE(chatLines().contains("Could not connect to the game host at nosuchhost.invalid: "
                                     "Host Lookup - Could Not Find Host Entry"))
        << chatText().toStdString();
    EXPECT_EQ(errors, QStringList({"Host Lookup - Could Not Find Host Entry"}));
    EXPECT_TRUE(table->isVisible());
}

// Against a headless host the first table holds slot 1 and with it the hosting player's rights.
TEST_F(TableTest, AJoiningTableInSlotOneOffersTheHostsControls) {
    open();
    EXPECT_FALSE(table->menu().StartGame1->isEnabled());
    EXPECT_FALSE(board()->button_start()->isVisible());
    login(1);
    EXPECT_TRUE(table->menu().StartGame1->isEnabled());
    EXPECT_TRUE(board()->button_start()->isVisible());
    feed("CMD_existingplayers+2+Bob\xFF");
    core().removePlayer(2);
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_kickhim+1+2+"}));
}

TEST_F(TableTest, AJoiningTableInAnotherSlotHasNoHostsControls) {
    open();
    login(2);
    EXPECT_FALSE(table->menu().StartGame1->isEnabled());
    EXPECT_FALSE(board()->button_start()->isVisible());
    feed("CMD_existingplayers+3+Cid\xFF");
    core().removePlayer(3);
    EXPECT_TRUE(sentSoFar().isEmpty());
}

TEST_F(TableTest, ChatLinesAreShownWithTheSendersColour) {
    open();
    login(1);
    feed("CMD_chat+2+Bob chats: hi there|clRed\xFF"
         "CMD_action+2+Bob waves|clGreen\xFF");
    EXPECT_TRUE(chatLines().contains("Bob chats: hi there"));
    EXPECT_TRUE(chatLines().contains("Bob waves"));
}

TEST_F(TableTest, ChatterSoundsBecomeALineWhenTheyMayNotPlay) {
    open();
    login(1);
    feed("CMD_existingplayers+2+Bob\xFF"
         "CMD_playasound+2+wave5+\xFF");
    EXPECT_TRUE(chatLines().contains("Bob: <Chatter Sound> Where have you been?"));
    sounds.clear();
    table->menu().PlayChatterSounds1->trigger();
    feed("CMD_playasound+2+wave5+\xFF");
    EXPECT_EQ(sounds.played(), QStringList({"wave5"}));
}

} // namespace
