// The help pages say what the program does: every key the menus answer is in the key list, the
// solo game's opponents, the rounds and a different version's seat are as the host has them.

#include "rules/rules.h"
#include "side/thelp.h"
#include "table/mainmenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTextBrowser>
#include <functional>
#include <gtest/gtest.h>

namespace {

QString page(int n) {
    zb::Thelp help;
    help.showPage(n);
    return help.pageText->toPlainText();
}

QString simplified(const QString& text) {
    return text.simplified();
}

TEST(HelpFacts, EveryKeyTheMenusAnswerIsInTheKeyList) {
    QMenuBar bar;
    zb::MainMenu menu;
    menu.build(&bar);
    const QString keys = page(3);
    int checked = 0;
    std::function<void(QMenu*)> walk = [&](QMenu* m) {
        for (QAction* a : m->actions()) {
            if (a->menu())
                walk(a->menu());
            for (const QKeySequence& k : a->shortcuts()) {
                QString name = k.toString(QKeySequence::NativeText);
                if (name.contains("Num+"))
                    continue; // the keypad's Enter, the same key to a player
                name.replace("Return", "Enter");
                EXPECT_TRUE(keys.contains(name)) << name.toStdString() << " ("
                                                 << zb::menuCaption(a->text()).toStdString() << ")";
                ++checked;
            }
        }
    };
    for (QAction* top : bar.actions())
        walk(top->menu());
    EXPECT_EQ(checked, 20);
    EXPECT_TRUE(keys.contains("close that window")) << "Escape in the side windows";
}

TEST(HelpFacts, ASoloRegularGameIsAgainstKlotAloneAndATeamGameAgainstTwo) {
    const QString overview = simplified(page(1));
    EXPECT_TRUE(overview.contains("against the computer player Klot alone (seat 2)"));
    EXPECT_TRUE(overview.contains("Kling (seat 3) is your partner"));
    EXPECT_FALSE(
        overview.contains("the computer plays the other three seats as Klot, Kling and Klick"));
    EXPECT_TRUE(overview.contains("empty seats 3 and 4 are left out"));
}

TEST(HelpFacts, TheRoundsAreTheRulesRounds) {
    static_assert(zb::rules::kRegularRounds == 12 && zb::rules::kTeamRounds == 6);
    EXPECT_TRUE(simplified(page(1)).contains("A regular game is twelve rounds"));
    EXPECT_TRUE(simplified(page(3)).contains("A team game lasts six rounds"));
}

TEST(HelpFacts, ADifferentVersionGetsASeatAndANotice) {
    const QString connecting = simplified(page(2));
    EXPECT_FALSE(connecting.contains("cannot join"));
    EXPECT_TRUE(connecting.contains("still gets a seat"));
    EXPECT_TRUE(connecting.contains("the versions differ"));
    EXPECT_TRUE(connecting.contains("four players and five spies"));
}

} // namespace
