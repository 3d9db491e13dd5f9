// What a new player meets first: the start dialog played from the keyboard and closed without
// starting, a new game asked about while one runs, the zero question beside the dice it asks
// about, and a failed join that says what it means and can be tried again.

#include "tablefixture.h"

#include "controls/picturebutton.h"
#include "table/core/tablelink.h"
#include "table/zeropanel.h"

#include <QAction>
#include <QCheckBox>
#include <QTest>

using namespace zbtest;

namespace {

// ---- The start dialog --------------------------------------------------------------------------

TEST(StartDialog, ItIsPlayedFromTheKeyboard) {
    zb::Tgamestartform form;
    QList<zb::GameOptions> started;
    int dismissed = 0;
    QObject::connect(&form, &zb::Tgamestartform::startClicked,
                     [&](const zb::GameOptions& o) { started << o; });
    QObject::connect(&form, &zb::Tgamestartform::dismissed, [&] { ++dismissed; });
    form.showOver(nullptr);
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(QApplication::focusWidget(), form.button_start()) << "the start picture is first";
    // Tab reaches every control, round the window.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form.team());
    QTest::keyClick(form.team(), Qt::Key_Space);
    EXPECT_TRUE(form.team()->isChecked());
    QTest::keyClick(form.team(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form.bonus());
    QTest::keyClick(form.bonus(), Qt::Key_Return);
    ASSERT_EQ(started.size(), 1);
    EXPECT_EQ(started[0], (zb::GameOptions{false, true}));
    EXPECT_FALSE(form.isVisible());

    // Space on the focused start picture starts too; Escape closes without starting.
    form.showOver(nullptr);
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(form.button_start(), Qt::Key_Space);
    EXPECT_EQ(started.size(), 2);
    form.showOver(nullptr);
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(started.size(), 2);
    EXPECT_EQ(dismissed, 1);
}

TEST(StartDialog, TheFocusedStartPictureIsVisiblyMarked) {
    zb::Tgamestartform form;
    form.showOver(nullptr);
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.team()->setFocus();
    const QImage without = form.button_start()->grab().toImage();
    form.button_start()->setFocus();
    const QImage with = form.button_start()->grab().toImage();
    int changed = 0;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            changed += with.pixel(x, y) != without.pixel(x, y);
    EXPECT_GT(changed, 2 * (with.width() + with.height())) << "a ring all round the picture";
}

TEST_F(TableTest, ClosingTheStartDialogBringsBackTheStartPicture) {
    open("Ann", true);
    login(1);
    ASSERT_TRUE(board()->button_start()->isVisible());
    click(board()->button_start());
    ASSERT_TRUE(gamestart->isVisible());
    EXPECT_FALSE(board()->button_start()->isVisible());
    gamestart->close(); // the close box
    EXPECT_TRUE(board()->button_start()->isVisible());
    EXPECT_TRUE(sentSoFar().isEmpty());
}

// ---- A new game while one is played ------------------------------------------------------------

TEST_F(TableTest, AStartDuringAGameIsAskedAboutFirst) {
    seated(1);
    table->menu().StartGame1->trigger();
    click(gamestart->button_start());
    ASSERT_EQ(dialogs.openCount(), 1u);
    EXPECT_EQ(dialogs.lastText(), "A game is in progress. Start a new game?");
    dialogs.answer(false);
    EXPECT_TRUE(sentSoFar().isEmpty());
    table->menu().StartGame1->trigger();
    click(gamestart->button_start());
    dialogs.answer(true);
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_startgame+1+f+false"}));
    // Between games nothing is asked.
    feed("CMD_winner+Ann+0+\xFF");
    click(board()->button_start());
    click(gamestart->button_start());
    EXPECT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_startgame+1+f+false"}));
}

// ---- The zero question -------------------------------------------------------------------------

TEST(ZeroQuestion, ItCoversNoDieWhereverTheDiceLie) {
    zb::Board board;
    const QRect question = board.panel_zero()->geometry();
    EXPECT_FALSE(question.intersects(board.image_bonusback()->geometry()));
    EXPECT_FALSE(question.intersects(board.label_status()->geometry()));
    for (int d = 1; d <= 5; ++d) {
        const QSize die = board.dice(d)->size();
        for (QPoint at : {zb::Board::kTurnStart[d], zb::Board::kFirstStart[d],
                          QPoint(zb::Board::openLeft(d), zb::Board::kOpenTop),
                          QPoint(zb::Board::openLeft(d), zb::Board::kHeldTop)})
            EXPECT_FALSE(question.intersects(QRect(at, die))) << d << " at " << at.x();
    }
    EXPECT_TRUE(board.rect().contains(question));
}

// ---- A failed join -----------------------------------------------------------------------------

TEST_F(TableTest, AFailedJoinSaysWhatItMeansAndCanBeTriedAgain) {
    // A port that refuses now and listens later.
    QString port;
    {
        zb::TSock probe;
        probe.setPortName("0");
        probe.setListen(true);
        port = QString::number(probe.localPort());
    }
    zb::TableOptions o;
    o.args = {QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("false")};
    o.gamePort = port;
    o.lobbyPort = closedPort();
    o.dialogs = &dialogs;
    o.soundPlayer = &sounds;
    o.settingsFolder = settingsDir.path();
    table = std::make_unique<zb::Tchat>(o, random);
    EXPECT_FALSE(table->menu().JoinAgain1->isEnabled());
    table->show();
    const QString advice = "Nobody is hosting a game at 127.0.0.1 on port " + port +
                           ", or a firewall blocks it. Ask the host to start the game. Then "
                           "choose File > Join Again.";
    ASSERT_TRUE(waitFor([&] { return chatLines().contains(advice); })) << chatText().toStdString();
    const QStringList lines = chatLines();
    EXPECT_EQ(lines.indexOf(advice) + 1,
              lines.indexOf("Could not connect to the game host at 127.0.0.1: Error #10061 "
                            "(WSAECONNREFUSED)"))
        << "what it means first, then the report";
    EXPECT_TRUE(table->menu().JoinAgain1->isEnabled());
    EXPECT_EQ(dialogs.openCount(), 0u);

    zb::TSock listener;
    listener.setPortName(port);
    listener.setListen(true);
    zb::TSock* accepted = nullptr;
    listener.OnAccept = [&](zb::TSock* l) { l->accept(accepted); };
    table->menu().JoinAgain1->trigger();
    ASSERT_TRUE(waitFor([&] { return accepted && table->sock()->connected(); }));
    EXPECT_FALSE(table->menu().JoinAgain1->isEnabled());
    EXPECT_EQ(dialogs.openCount(), 0u) << "closing the failed socket is no lost connection";
    delete accepted;
}

// ---- The coach ---------------------------------------------------------------------------------

TEST_F(TableTest, TheCoachShowsTheBestMoveOnTheBoardAndSendsNothing) {
    seated(1);
    myRoll(1, {6, 6, 6, 2, 1}, 1);
    EXPECT_TRUE(board()->coachText().isEmpty()) << "nothing asked";
    table->menu().SuggestMove1->trigger();
    ASSERT_TRUE(waitFor([&] { return board()->coachText().startsWith("Keep 6 6 6"); }, 60s))
        << board()->coachText().toStdString();
    EXPECT_TRUE(board()->coachMarks(1) && board()->coachMarks(2) && board()->coachMarks(3));
    EXPECT_FALSE(board()->coachMarks(4) || board()->coachMarks(5));
    EXPECT_TRUE(board()->coachText().contains("expected total "));
    // On the card: what each open box would be worth, the best one marked.
    const zb::ScoreCard::CoachMarks& marks = card()->coach();
    EXPECT_EQ(marks.seat, 1);
    EXPECT_TRUE(marks.best >= 1 && marks.best <= 12 && marks.total[marks.best]);
    for (int c = 1; c <= 12; ++c)
        EXPECT_TRUE(marks.total[c].has_value()) << "every box is open at the first turn " << c;
    // Asked once, the advice goes when the position changes; switched on it follows it.
    feed("CMD_setdice+1\xFF");
    EXPECT_TRUE(board()->coachText().isEmpty());
    EXPECT_EQ(card()->coach().seat, 0);
    table->menu().ShowBestMove1->trigger();
    ASSERT_TRUE(waitFor([&] { return !board()->coachText().isEmpty(); }, 60s));
    EXPECT_TRUE(settingsFile().contains("ShowBestMove=true"));
    feed("CMD_nextplayer+2+1+0+0+\xFF");
    EXPECT_TRUE(board()->coachText().isEmpty()) << "another seat's turn";
    EXPECT_TRUE(sentSoFar().isEmpty()) << "the coach never sends anything";
}

} // namespace
