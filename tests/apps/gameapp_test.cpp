// Start-up inside one process: windows, the table window's frame and menu, and failures that
// reach the general error report while the program keeps running.

#include "support/ports.h"
#include "support/wait.h"

#include "apps/zorbinet/gameapp.h"
#include "controls/chatview.h"
#include "host/tserver.h"
#include "net/tsock.h"
#include "shell/chatpanel.h"
#include "shell/errorreport.h"
#include "shell/phrasebuttons.h"
#include "shell/tphrases.h"
#include "table/core/tablecore.h"
#include "table/core/tablelink.h"
#include "table/mainmenu.h"
#include "table/tablesettings.h"
#include "table/tchat.h"
#include "table/tgamestartform.h"
#include "table/tspylist.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

using namespace std::chrono_literals;
using zb::GameApp;
using zb::Tchat;
using zbtest::waitFor;

namespace {

// Every test's game keeps its settings file away from the program's folder.
QString settingsFolder() {
    static QTemporaryDir dir;
    return dir.path();
}

// A hosting copy listens on an ephemeral port and its table follows it there; a joining copy
// is pointed at a port that refuses.
zb::TableOptions optionsWith(QStringList args, QString port = QString()) {
    const bool hosts = args.isEmpty() || (args.size() >= 3 && args[2] == "true");
    zb::TableOptions o;
    o.args = std::move(args);
    o.settingsFolder = settingsFolder();
    o.gamePort = !port.isEmpty() ? port : hosts ? QStringLiteral("0") : zbtest::refusingPort();
    o.lobbyPort = zbtest::refusingPort();
    return o;
}

QStringList actionTexts(QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : zb::menuCaption(a->text()));
    return out;
}

TEST(GameAppStartup, CreatesTheWindowsInOrderAndShowsOnlyTheTableAndDownload) {
    GameApp app(optionsWith({}));
    app.start();
    const QStringList captions = [&] {
        QStringList c;
        for (QWidget* w : app.windows())
            c << w->windowTitle();
        return c;
    }();
    EXPECT_EQ(captions,
              QStringList({"Zorbinet", "Zorbinet - Tally List", "Zorbinet - About",
                           "Zorbinet - Help File", "Zorbinet -Spys", "Zorbinet - Start Game",
                           "Phrase Buttons - Zorbinet", "Download The Quon77 Lobby"}));
    const QList<QWidget*> w = app.windows();
    EXPECT_TRUE(w[0]->isVisible());
    for (int i = 1; i < 7; ++i)
        EXPECT_FALSE(w[i]->isVisible()) << captions[i].toStdString();
    EXPECT_TRUE(w[7]->isVisible()) << "the solo start offers the lobby download";
}

TEST(GameAppStartup, TheDownloadWindowStaysHiddenWhenStartedWithArguments) {
    GameApp app(optionsWith({"Ann"}));
    app.start();
    EXPECT_FALSE(app.windows()[7]->isVisible());
    EXPECT_FALSE(app.chat()->core().hosting());
    EXPECT_FALSE(app.chat()->sock()->hasSocket());
}

TEST(GameAppStartup, SoloModePlaysAsYouAndHosts) {
    GameApp app(optionsWith({}));
    app.start();
    Tchat* chat = app.chat();
    EXPECT_EQ(chat->core().playername(), "You");
    EXPECT_EQ(chat->sock()->hostName(), "127.0.0.1");
    EXPECT_EQ(chat->core().loginname(), QByteArray("You\xFF"));
    EXPECT_TRUE(chat->core().hosting());
    EXPECT_TRUE(chat->menu().StartGame1->isEnabled());
    EXPECT_TRUE(waitFor([&] { return chat->sock()->connected(); }));
    EXPECT_FALSE(chat->link().lobbySock().hasSocket()) << "no presence connection in a solo game";
    EXPECT_FALSE(app.errorReport()->isOpen());
}

TEST(GameAppStartup, HostModeConnectsTo127001WhateverTheAddressGiven) {
    GameApp app(optionsWith({"Ann", "10.0.0.5", "true", "ignored"}));
    app.start();
    Tchat* chat = app.chat();
    EXPECT_TRUE(chat->core().hosting());
    EXPECT_EQ(chat->sock()->hostName(), "127.0.0.1");
    EXPECT_TRUE(waitFor([&] { return chat->sock()->connected(); }));
    EXPECT_TRUE(chat->link().lobbySock().hasSocket());
}

TEST(GameAppStartup, JoinModeLeavesStartGameDisabled) {
    GameApp app(optionsWith({"Ann", "127.0.0.1", "false"}));
    app.start();
    Tchat* chat = app.chat();
    EXPECT_FALSE(chat->core().hosting());
    EXPECT_FALSE(chat->menu().StartGame1->isEnabled());
    EXPECT_EQ(chat->sock()->hostName(), "127.0.0.1");
    EXPECT_TRUE(chat->sock()->hasSocket());
}

// Nobody joins a solo game, so a taken game port costs it nothing: it plays on a free one.
TEST(GameAppStartup, ASoloGamePlaysOnAFreePortWhenTheGamePortIsTaken) {
    zb::TSock squatter;
    squatter.setPortName("0");
    squatter.setListen(true);
    GameApp app(optionsWith({}, QString::number(squatter.localPort())));
    app.start();
    EXPECT_FALSE(app.errorReport()->isOpen());
    ASSERT_TRUE(waitFor([&] { return app.chat()->core().myseat() == 1; }));
    EXPECT_NE(app.server().port(), squatter.localPort());
    EXPECT_EQ(app.chat()->sock()->portName(), QString::number(app.server().port()));
}

// Hosting for others needs the game port: the failure is reported and the chat says what it
// means; the window stays usable.
TEST(GameAppStartup, AHostWhoseGamePortIsTakenIsToldWhatItMeans) {
    zb::TSock squatter;
    squatter.setPortName("0");
    squatter.setListen(true);
    const QString port = QString::number(squatter.localPort());
    GameApp app(optionsWith({"Ann", "0.0.0.0", "true"}, port));
    app.start();
    ASSERT_TRUE(app.errorReport()->isOpen());
    EXPECT_EQ(app.errorReport()->firstText(), "Listen - Error Binding Socket");
    EXPECT_TRUE(app.chat()->chatPanel()->mainchat()->plainText().contains(
        "Port " + port +
        " is already in use on this machine, perhaps by another game; nobody "
        "can join this one."));
    EXPECT_TRUE(app.chat()->isVisible());
    EXPECT_TRUE(app.chat()->chatPanel()->mychat()->isEnabled());
}

TEST(GameAppStartup, AnUnknownHostNameReachesTheErrorReport) {
    GameApp app(optionsWith({"Ann", "no-such-host.invalid", "false"}));
    app.start();
    ASSERT_TRUE(app.errorReport()->isOpen());
    EXPECT_EQ(app.errorReport()->firstText(), "Host Lookup - Could Not Find Host Entry");
}

TEST(GameAppStartup, APortNameThatIsNoServiceReachesTheErrorReport) {
    GameApp app(optionsWith({"Ann", "127.0.0.1", "false"}, "no-such-service-zb"));
    app.start();
    ASSERT_TRUE(app.errorReport()->isOpen());
    EXPECT_EQ(app.errorReport()->firstText(), "Port Lookup - Could Not Find Service Entry");
}

TEST(TableWindowFrame, HasItsCaptionClientAreaAndMinimum) {
    GameApp app(optionsWith({"Ann"}));
    app.start();
    Tchat* chat = app.chat();
    EXPECT_EQ(chat->windowTitle(), "Zorbinet");
    EXPECT_EQ(chat->centralWidget()->size(), QSize(775, 466));
    chat->resize(100, 100);
    EXPECT_TRUE(waitFor([&] { return chat->centralWidget()->width() >= 499; }, 2s));
    EXPECT_GE(chat->centralWidget()->width(), 499);
    EXPECT_GE(chat->centralWidget()->height(), 324);
}

TEST(TableWindowFrame, ResetScreenLocationRestoresTheDefaultBounds) {
    GameApp app(optionsWith({"Ann"}));
    app.start();
    Tchat* chat = app.chat();
    chat->move(200, 150);
    chat->resize(900, 700);
    chat->menu().ResetScreenLocation1->trigger();
    EXPECT_TRUE(waitFor([&] { return chat->frameGeometry() == QRect(3, 3, 783, 512); }, 2s))
        << chat->frameGeometry().x() << "," << chat->frameGeometry().y() << " "
        << chat->frameGeometry().width() << "x" << chat->frameGeometry().height();
}

TEST(TableWindowFrame, MainMenuHoldsEveryItemInOrder) {
    GameApp app(optionsWith({"Ann"}));
    app.start();
    const QList<QAction*> top = app.chat()->menuBar()->actions();
    ASSERT_EQ(top.size(), 5);
    EXPECT_EQ(actionTexts(top[0]->menu()), QStringList({"Start Game", "Join Again", "-", "Exit"}));
    EXPECT_EQ(
        actionTexts(top[1]->menu()),
        QStringList({"Roll Dice", "Hold or Release Die 1", "Hold or Release Die 2",
                     "Hold or Release Die 3", "Hold or Release Die 4", "Hold or Release Die 5", "-",
                     "Card Cursor Up", "Card Cursor Down", "Card Cursor Left", "Card Cursor Right",
                     "Score the Category at the Cursor", "Yes, Score 0", "-", "Suggest a Move", "-",
                     "Go to the Chat Line"}));
    EXPECT_EQ(actionTexts(top[2]->menu()),
              QStringList({"Play Sounds", "Turn Sound", "Play Chatter Sounds", "Bot Speed",
                           "Computer Players", "-", "Text Color", "Text Size", "Scroll Chat Off",
                           "Reset Screen Location", "-", "Just Watch", "Double Check for 0 Score",
                           "Show Score Hints", "Show Best Move"}));
    EXPECT_EQ(actionTexts(top[3]->menu()), QStringList({"View Tally", "Spy List", "Phrase List"}));
    EXPECT_EQ(actionTexts(top[4]->menu()), QStringList({"Help", "About"}));
}

TEST(TableWindowFrame, BotSpeedIs750UntilChosen) {
    GameApp app(optionsWith({"Ann"}));
    app.start();
    Tchat* chat = app.chat();
    EXPECT_EQ(chat->botSpeed(), 750);
    chat->menu().Fast1->trigger();
    EXPECT_EQ(chat->botSpeed(), 500);
    chat->menu().Slow1->trigger();
    EXPECT_EQ(chat->botSpeed(), 1500);
}

TEST(TableWindowFrame, ExitClosesTheTableWindowAndFinishesTheProgram) {
    GameApp app(optionsWith({"Ann"}));
    bool finished = false;
    QObject::connect(&app, &GameApp::finished, [&] { finished = true; });
    app.start();
    app.chat()->menu().Exit1->trigger();
    EXPECT_TRUE(waitFor([&] { return finished; }));
    EXPECT_FALSE(app.chat()->isVisible());
}

TEST(GameAppWiring, TheTableReadsTheSettingsOfTheGivenFolderOnceConnected) {
    QTemporaryDir dir;
    {
        QFile f(QDir(dir.path()).filePath("quonlobby.ini"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Zorbinet]\r\nTextsize=12\r\nBotspeed=500\r\n");
    }
    zb::TableOptions o = optionsWith({});
    o.settingsFolder = dir.path();
    GameApp app(o);
    app.start();
    Tchat* chat = app.chat();
    EXPECT_EQ(chat->settings().file().folder(), dir.path());
    ASSERT_TRUE(waitFor([&] { return chat->settings().isLoaded(); }));
    EXPECT_EQ(chat->chatPanel()->textSize(), 12);
    EXPECT_EQ(chat->botSpeed(), 500) << "the host's computer players take it from here";
    EXPECT_TRUE(chat->menu().Fast1->isChecked());
}

// A stored place off every screen would put the window out of reach, and be written back at
// exit: the window goes to the default place instead, keeping its size. A place on the screen is
// the player's and is kept.
TEST(GameAppWiring, AStoredPlaceOffEveryScreenBecomesTheDefaultPlace) {
    struct Case {
        QByteArray left, top;
        QPoint expected;
    };
    const Case cases[] = {
        {"-5000", "-5000", QPoint(3, 3)},
        {"32767", "32767", QPoint(3, 3)},
        {"40", "30", QPoint(40, 30)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.left.toStdString() + "," + c.top.toStdString());
        QTemporaryDir dir;
        {
            QFile f(QDir(dir.path()).filePath("quonlobby.ini"));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("[Zorbinet]\r\nLeft=" + c.left + "\r\nTop=" + c.top +
                    "\r\nWidth=700\r\nHeight=450\r\n");
        }
        zb::TableOptions o = optionsWith({});
        o.settingsFolder = dir.path();
        GameApp app(o);
        app.start();
        Tchat* chat = app.chat();
        ASSERT_TRUE(waitFor([&] { return chat->settings().isLoaded(); }));
        EXPECT_TRUE(waitFor([&] { return chat->frameGeometry().topLeft() == c.expected; }, 2s))
            << chat->frameGeometry().x() << "," << chat->frameGeometry().y();
        EXPECT_EQ(chat->frameGeometry().size(), QSize(700, 450));
        const QRect frame = chat->frameGeometry();
        bool onAScreen = false;
        for (const QScreen* screen : QGuiApplication::screens())
            onAScreen = onAScreen || screen->availableGeometry().contains(frame.topLeft());
        EXPECT_TRUE(onAScreen);
    }
}

// The hosting player's choice of computer players reaches the host at the next game start.
TEST(GameAppWiring, ExpertComputerPlayersPlayFromTheNextGameStart) {
    QTemporaryDir dir;
    zb::TableOptions o = optionsWith({});
    o.settingsFolder = dir.path();
    GameApp app(o);
    app.setBotSpeed([] { return 2; });
    app.start();
    Tchat* chat = app.chat();
    ASSERT_TRUE(waitFor([&] { return chat->settings().isLoaded(); }));
    chat->core().startGame({});
    ASSERT_TRUE(waitFor([&] { return app.server().game().inProgress(); }));
    EXPECT_EQ(app.server().game().botSkill(), zb::strategy::BotSkill::Classic) << "the default";
    chat->menu().BotExpert1->trigger();
    EXPECT_EQ(app.server().game().botSkill(), zb::strategy::BotSkill::Classic)
        << "the running game keeps its players";
    chat->core().startGame({});
    ASSERT_TRUE(
        waitFor([&] { return app.server().game().botSkill() == zb::strategy::BotSkill::Expert; }));
    QFile f(QDir(dir.path()).filePath("quonlobby.ini"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("BotSkill=expert"));
}

TEST(GameAppWiring, PhraseListOpensTheEditorOnTheButtonsAndDoneStoresThePhrases) {
    QTemporaryDir dir;
    zb::TableOptions o = optionsWith({"Ann"});
    o.settingsFolder = dir.path();
    GameApp app(o);
    app.start();
    auto* editor = qobject_cast<zb::Tphrases*>(app.windows()[6]);
    ASSERT_NE(editor, nullptr);
    zb::PhraseButtons* buttons = app.chat()->phraseButtons();
    buttons->setPhrase(2, "Nice roll");
    app.chat()->menu().PhraseList1->trigger();
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->phrase(1)->text(), "Way To Go!");
    EXPECT_EQ(editor->phrase(2)->text(), "Nice roll");
    editor->phrase(3)->setText("Oops");
    editor->SelButton8()->click();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(buttons->phrase(3), "Oops");
    QFile f(QDir(dir.path()).filePath("quonlobby.ini"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray stored = f.readAll();
    EXPECT_TRUE(stored.contains("Phrase3=Oops"));
    EXPECT_TRUE(stored.contains("Phrase2=Nice roll"));
    EXPECT_FALSE(stored.contains("Top=")) << "the editor writes the phrases alone";
}

TEST(ErrorReportBox, OnlyOneBoxIsOpenAndLaterErrorsAreCounted) {
    zb::ErrorReport report;
    report.report("first");
    report.report("second");
    report.report("third");
    ASSERT_TRUE(report.isOpen());
    EXPECT_EQ(report.firstText(), "first");
    EXPECT_EQ(report.extraCount(), 2);
    EXPECT_EQ(report.box()->informativeText(), "2 more errors happened since.");
    report.box()->close();
    EXPECT_TRUE(waitFor([&] { return !report.isOpen(); }));
    report.report("fourth");
    EXPECT_EQ(report.firstText(), "fourth");
    EXPECT_EQ(report.extraCount(), 0);
}

TEST(GameAppStartup, TheProgramGivesTheTableItsDialogAndSpyList) {
    QTemporaryDir settingsDir;
    zb::TableOptions o;
    o.args = {"Ann"};
    o.settingsFolder = settingsDir.path();
    o.gamePort = zbtest::refusingPort();
    o.lobbyPort = zbtest::refusingPort();
    zb::GameApp app(o);
    app.start();
    const QList<QWidget*> w = app.windows();
    EXPECT_EQ(app.chat()->spyList(), w[4]);
    EXPECT_EQ(app.chat()->gameStartForm(), w[5]);
    app.chat()->menu().SpyList1->trigger();
    EXPECT_TRUE(w[4]->isVisible());
}

} // namespace
