// The table window as it first appears, the places of its parts, and the two small windows of the
// table: the start-game dialog and the spy list, as the program wires them.

#include "tablefixture.h"

#include "controls/elidedlabel.h"
#include "controls/highlightlabel.h"
#include "controls/picturebutton.h"
#include "table/zeropanel.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace zbtest;
using zb::Board;
using zb::ScoreCard;

namespace {

TEST_F(TableTest, TheWindowFirstShowsAnEmptyCardAndTheDiceAtRest) {
    open();
    EXPECT_EQ(board()->status(), "Welcome to Zorbinet!");
    EXPECT_EQ(card()->heading(), "Score Card");
    EXPECT_EQ(card()->label_roundnum()->text(), "Round #");
    for (int seat = 1; seat <= 4; ++seat) {
        EXPECT_EQ(card()->seatName(seat), zb::SeatView::kWaiting);
        EXPECT_EQ(card()->label_score(seat)->text(), "0");
        EXPECT_TRUE(card()->image_eyes(seat)->isHidden());
        for (int row = 1; row <= 15; ++row) {
            EXPECT_EQ(card()->cellText(seat, row), "");
            EXPECT_EQ(card()->score(seat, row)->objectName(),
                      QString("score%1_%2").arg(seat).arg(row));
        }
    }
    const QStringList captions = {"Ones",        "Twos",         "Threes",      "Fours",
                                  "Fives",       "Sixes",        "4 of a Kind", "Full House",
                                  "Sm Straight", "Big Straight", "5 of a Kind", "Freebie",
                                  "Upper Total", "Bonus",        "Lower Total"};
    for (int row = 1; row <= 15; ++row)
        EXPECT_EQ(card()->label(row)->text(), captions[row - 1]);
    for (int n = 1; n <= 3; ++n)
        EXPECT_FALSE(rollMarkerShown(n));
    for (int d = 1; d <= 5; ++d) {
        EXPECT_EQ(board()->dice(d)->pos(), Board::kFirstStart[d]);
        EXPECT_FALSE(board()->dice(d)->isEnabled());
        EXPECT_EQ(board()->dice(d)->size(), QSize(69, 70));
    }
    EXPECT_FALSE(board()->image_throwdice()->isVisible());
    EXPECT_FALSE(board()->bonusShown());
    EXPECT_FALSE(board()->image_winner()->isVisible());
    EXPECT_FALSE(board()->panel_zero()->isVisible());
    EXPECT_EQ(table->chatPanel()->mainchat()->objectName(), "mainchat");
    EXPECT_EQ(core().myseat(), 0);
    EXPECT_FALSE(core().loggedin());
}

TEST_F(TableTest, ThePartsSitWhereTheTableWantsThem) {
    open();
    EXPECT_EQ(board()->geometry(), QRect(1, 1, 484, 312));
    EXPECT_EQ(card()->geometry(), QRect(485, 1, 281, 426));
    EXPECT_EQ(table->chatPanel()->geometry(), QRect(1, 315, 483, 134));
    EXPECT_EQ(board()->image_bonusback()->geometry(), QRect(0, 0, 81, 105));
    EXPECT_EQ(board()->image_bonus()->geometry(), QRect(3, 4, 69, 70));
    EXPECT_EQ(board()->image_throwdice()->geometry(), QRect(382, 285, 99, 24));
    EXPECT_EQ(board()->button_start()->geometry(), QRect(382, 285, 99, 24));
    EXPECT_EQ(board()->image_winner()->pos(), QPoint(120, 68));
    EXPECT_EQ(board()->label_winner()->x(), 38);
    EXPECT_EQ(board()->label_winner()->y(), 96);
    EXPECT_EQ(board()->label_winner()->width(), 401);
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(card()->image_rolls(n)->size(), QSize(20, 20));
    EXPECT_EQ(board()->panel_zero()->noButton()->text(), "NO");
    EXPECT_EQ(board()->panel_zero()->yesButton()->text(), "YES");
    EXPECT_LT(board()->panel_zero()->noButton()->x(), board()->panel_zero()->yesButton()->x());
}

TEST_F(TableTest, LongNamesAreKeptWholeThoughShownShorter) {
    open();
    login(1);
    const QString longName = "Maximilian Alexander of the Very Long Name";
    feed("CMD_existingplayers+2+" + longName.toLatin1() + '\xFF');
    EXPECT_EQ(card()->seatName(2), longName);
    EXPECT_FALSE(card()->label_playername(2)->fits());
    feed("CMD_nextplayer+2+1+0+0+\xFF");
    EXPECT_EQ(card()->heading(), longName + "'s turn.");
    EXPECT_EQ(card()->label_turn()->toolTip(), longName + "'s turn.");
}

TEST_F(TableTest, NamesAreShownAsLatin1AndNeverAsMarkup) {
    open();
    login(1);
    feed("CMD_existingplayers+2+<b>Zo\xEB</b>\xFF");
    EXPECT_EQ(card()->seatName(2), QString::fromUtf8("<b>Zoë</b>"));
    EXPECT_EQ(card()->label_playername(2)->textFormat(), Qt::PlainText);
}

// ---- The start dialog and the spy list ---------------------------------------------------------

TEST(TableWindows, TheStartDialogIsAToolWindowWithTwoUncheckedChoices) {
    zb::Tgamestartform form;
    EXPECT_EQ(form.windowTitle(), "Zorbinet - Start Game");
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::Tool));
    EXPECT_EQ(form.team()->text(), "Team Game");
    EXPECT_EQ(form.bonus()->text(), "Bonus Dice Game");
    EXPECT_EQ(form.team()->objectName(), "team");
    EXPECT_EQ(form.bonus()->objectName(), "bonus");
    EXPECT_FALSE(form.team()->isChecked());
    EXPECT_FALSE(form.bonus()->isChecked());
    QWidget table;
    table.setGeometry(100, 100, 600, 400);
    form.showOver(&table);
    EXPECT_TRUE(form.isVisible());
    EXPECT_LE((form.frameGeometry().center() - table.frameGeometry().center()).manhattanLength(),
              2);
    int started = 0;
    QObject::connect(&form, &zb::Tgamestartform::startClicked, [&] { ++started; });
    click(form.button_start());
    EXPECT_EQ(started, 1);
    EXPECT_FALSE(form.isVisible());
}

TEST(TableWindows, TheSpyListKeepsLinesInArrivalOrderAndDoneOnlyHides) {
    zb::Tspylist list;
    EXPECT_EQ(list.windowTitle(), "Zorbinet -Spys");
    EXPECT_EQ(list.size(), QSize(170, 195));
    list.setSpectators({{5, "Eve"}, {6, "Fay"}, {7, "Eve"}});
    list.setSpectators({{5, "Eve"}, {6, "Fay"}});
    EXPECT_EQ(list.lines(), QStringList({"5: Eve", "6: Fay"}));
    list.showOver();
    ASSERT_TRUE(list.isVisible());
    click(list.button_done());
    EXPECT_FALSE(list.isVisible());
    EXPECT_EQ(list.lines(), QStringList({"5: Eve", "6: Fay"}));
}

} // namespace
