// The phrase buttons in the table window: their place on the main panel, what a click sends on a
// confirmed table, the cool-down counted by the dispatch timer, and the timer going idle again.

#include "tablefixture.h"

#include "controls/picturebutton.h"
#include "net/dispatchtimer.h"
#include "shell/phrasebuttons.h"
#include "table/tablepanel.h"

#include <QAction>
#include <QTest>

using namespace zbtest;
using zb::PhraseButtons;

namespace {

class TablePhraseTest : public TableTest {
protected:
    PhraseButtons* buttons() const { return table->phraseButtons(); }
    void press(int n) { QTest::mouseClick(buttons()->b_phrase(n), Qt::LeftButton); }
};

TEST_F(TablePhraseTest, TheButtonsSitUnderTheCardOnTheMainPanel) {
    open();
    ASSERT_EQ(buttons()->parentWidget(), static_cast<QWidget*>(table->mainPanel()));
    EXPECT_EQ(buttons()->pos(), QPoint(486, 429));
    const std::array<int, 11> left{0, 486, 514, 542, 570, 598, 627, 655, 683, 711, 739};
    for (int n = 1; n <= 10; ++n) {
        const QRect r = buttons()->b_phrase(n)->geometry().translated(buttons()->pos());
        EXPECT_EQ(r, QRect(left[n], 429, 25, 19)) << n;
        EXPECT_TRUE(buttons()->b_phrase(n)->isVisible());
    }
    EXPECT_EQ(buttons()->b_phrase(1)->toolTip(), "Way To Go!");
}

TEST_F(TablePhraseTest, BeforeTheLoginAClickSendsNothing) {
    open();
    press(1);
    EXPECT_TRUE(sentSoFar().isEmpty());
    EXPECT_TRUE(buttons()->phraseready());
}

TEST_F(TablePhraseTest, AClickSendsThePhraseInTheChatColour) {
    seated(2);
    press(1);
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_action+2+says: Way To Go!|clBlack"}));
}

TEST_F(TablePhraseTest, TheColourAndPhrasesComeFromTheSettings) {
    writeSettings("[Zorbinet]\r\nTextcolor=clTeal\r\nPhrase4=/me dances\r\n");
    seated(2);
    press(4);
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_action+2+dances|clTeal"}));
}

TEST_F(TablePhraseTest, TwoClicksWithinTheCooldownSendOne) {
    seated(2);
    press(2);
    press(3);
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_action+2+says: Good One!|clBlack"}));
    EXPECT_FALSE(buttons()->phraseready());
    ASSERT_TRUE(waitFor([&] { return buttons()->phraseready(); }));
    press(3);
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_action+2+says: Nice Try!|clBlack"}));
}

TEST_F(TablePhraseTest, TheDispatchTimerCountsTheCooldownAndThenStops) {
    seated(2);
    ASSERT_TRUE(waitFor([&] { return !session().Timer1().isActive(); }));
    press(1);
    EXPECT_TRUE(session().Timer1().isActive()) << "the cool-down wakes the idle timer";
    ASSERT_TRUE(waitFor([&] { return buttons()->phraseready(); }));
    EXPECT_EQ(buttons()->phraseticks(), 0);
    EXPECT_TRUE(waitFor([&] { return !session().Timer1().isActive(); }));
}

TEST_F(TablePhraseTest, MessagesArrivingDuringTheCooldownAreStillHandled) {
    seated(2);
    press(1);
    session().receive("CMD_existingplayers+3+Cid\xFF");
    ASSERT_TRUE(waitFor([&] { return card()->seatName(3) == "Cid"; }));
    EXPECT_TRUE(waitFor([&] { return buttons()->phraseready(); }));
}

} // namespace
