// The keys every desktop program has, and a menu that names every key it answers: F1 opens the
// help, Ctrl+Q is File > Exit, and each item shows all its shortcuts ("Ctrl+R, F2").

#include "tablefixture.h"

#include "table/mainmenu.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

using namespace zbtest;

namespace {

// Every item of the menu bar, submenus included.
QList<QAction*> allItems(QMenuBar* bar) {
    QList<QAction*> out;
    std::function<void(QMenu*)> walk = [&](QMenu* menu) {
        for (QAction* a : menu->actions()) {
            if (a->isSeparator())
                continue;
            out << a;
            if (a->menu())
                walk(a->menu());
        }
    };
    for (QAction* top : bar->actions())
        if (top->menu())
            walk(top->menu());
    return out;
}

// What the menu shows in its shortcut column for an item: the text after the tab, or else the
// item's first shortcut.
QString shownKeys(const QAction* a) {
    const qsizetype tab = a->text().indexOf(u'\t');
    if (tab >= 0)
        return a->text().mid(tab + 1);
    return a->shortcut().toString(QKeySequence::NativeText);
}

class MenuKeysTest : public TableTest {
protected:
    void activate() {
        table->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(table.get()));
        table->chatPanel()->mychat()->setFocus();
    }
};

TEST_F(MenuKeysTest, EveryItemShowsEveryKeyItAnswers) {
    open();
    int keyed = 0;
    for (QAction* a : allItems(table->menuBar())) {
        const QString caption = zb::menuCaption(a->text());
        SCOPED_TRACE(caption.toStdString());
        EXPECT_EQ(shownKeys(a), zb::shortcutText(a->shortcuts()));
        EXPECT_FALSE(caption.contains(u'\t'));
        keyed += a->shortcuts().isEmpty() ? 0 : 1;
    }
    EXPECT_EQ(keyed, 18); // File 2, Game 14, Options 1 (Scroll Chat Off), Help 1
    const zb::MainMenu& m = table->menu();
    EXPECT_EQ(shownKeys(m.RollDice1), "Ctrl+R, F2");
    EXPECT_EQ(shownKeys(m.ChatLine1), "Ctrl+L, Esc");
    EXPECT_EQ(shownKeys(m.Exit1), "Ctrl+Q");
    EXPECT_EQ(shownKeys(m.Help2), "F1");
    EXPECT_EQ(shownKeys(m.StartGame1), "Ctrl+N");
    EXPECT_EQ(shownKeys(m.ScoreCursor1), "Ctrl+Return, Ctrl+Num+Enter");
    EXPECT_EQ(zb::menuCaption(m.RollDice1->text()), "Roll Dice");
    EXPECT_EQ(zb::menuCaption(m.About1->text()), "About");
}

TEST(MenuKeyTexts, JoinTheKeysAndCutTheCaption) {
    EXPECT_EQ(zb::shortcutText({}), "");
    EXPECT_EQ(zb::shortcutText({QKeySequence("Ctrl+R")}), "Ctrl+R");
    EXPECT_EQ(zb::shortcutText({QKeySequence("Ctrl+R"), QKeySequence("F2")}), "Ctrl+R, F2");
    EXPECT_EQ(zb::menuCaption("Roll Dice\tCtrl+R, F2"), "Roll Dice");
    EXPECT_EQ(zb::menuCaption("About"), "About");
    EXPECT_EQ(zb::menuCaption(""), "");
}

TEST_F(MenuKeysTest, F1OpensTheHelp) {
    open();
    activate();
    QSignalSpy help(table.get(), &zb::Tchat::showHelp);
    QTest::keyClick(table->chatPanel()->mychat(), Qt::Key_F1);
    EXPECT_EQ(help.count(), 1);
    EXPECT_EQ(table->chatPanel()->mychat()->text(), "<Enter Chat Here>") << "not typed";
}

TEST_F(MenuKeysTest, CtrlQIsFileExit) {
    open();
    activate();
    QSignalSpy closed(table.get(), &zb::Tchat::closed);
    QTest::keyClick(table->chatPanel()->mychat(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(table->isVisible());
}

TEST_F(MenuKeysTest, PlainQAndF1InTheChatLineStayThere) {
    open();
    activate();
    QSignalSpy closed(table.get(), &zb::Tchat::closed);
    QTest::keyClicks(table->chatPanel()->mychat(), "quit");
    EXPECT_EQ(closed.count(), 0);
    EXPECT_EQ(table->chatPanel()->mychat()->text(), "quit");
}

} // namespace
