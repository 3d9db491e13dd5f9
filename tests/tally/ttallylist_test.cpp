#include "support/fakedialogs.h"

#include "controls/elidedlabel.h"
#include "tally/store/tallymodel.h"
#include "tally/ttallylist.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using zb::TallyModel;
using zb::Ttallylist;

class TallyWindowTest : public ::testing::Test {
protected:
    TallyModel model;
    zbtest::FakeDialogs dialogs;
    Ttallylist window{model, dialogs};

    QStringList texts(QListWidget* list) const {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text() + (list->item(i)->checkState() == Qt::Checked ? "+" : "-");
        return out;
    }
    QStringList shown() const {
        QStringList out;
        for (int i = 1; i <= 8; ++i)
            out << window.label(i)->text();
        return out;
    }
    // Three games with Ann and Bob at the table: Ann wins, the local player wins, Bob wins.
    void playThree() {
        model.choose("Ann");
        model.choose("Bob");
        model.loadchecklist({"Ann", "Bob"});
        model.addgame(false, {"Ann"});
        model.addgame(true, {});
        model.addgame(false, {"Bob"});
    }
};

TEST_F(TallyWindowTest, ShowsItsCaptionSizeAndTexts) {
    EXPECT_EQ(window.windowTitle(), "Zorbinet - Tally List");
    EXPECT_EQ(window.size(), QSize(465, 396));
    QStringList labels;
    for (const QLabel* label : window.findChildren<QLabel*>())
        labels << label->text();
    for (const char* expected :
         {"Your Total Tally", "Total Games:", "Your Wins:", "5 of a Kind:", "Highest Scoring Game",
          "Total", "Session", "Number of Games", "XX Wins:", "Neither Won:", "XX's Tally",
          "Players In Current Game", "Players Being Tallied"})
        EXPECT_TRUE(labels.contains(expected)) << expected;
    EXPECT_EQ(window.button_reset()->text(), "Reset Tally");
    EXPECT_EQ(window.button_done()->text(), "Done");
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(window.mylabel(i)->text(), "0");
    EXPECT_EQ(shown(), QStringList(8, "0"));
}

TEST_F(TallyWindowTest, NoTextIsCutOff) {
    playThree();
    model.loadchecklist({"Ann", "Bob", "Cy"});
    model.checkhighscore("1234");
    window.listbox_tally()->setCurrentRow(0);
    window.show();
    // A screenshot for looking at the window: two tallied opponents and one player not followed.
    if (const QByteArray dir = qgetenv("ZB_SCREENSHOT_DIR"); !dir.isEmpty())
        window.grab().save(QString::fromLocal8Bit(dir) + "/tally.png");

    model.choose("Maximilian-Alexander");
    window.listbox_tally()->setCurrentRow(2);
    EXPECT_EQ(window.label_hisname()->toolTip(), "Maximilian-Alexander Wins:");
    EXPECT_FALSE(window.label_hisname()->fits()) << "shown cut";
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        // A label that cuts its text itself is told by fits() above.
        if (!label->isVisible() || qobject_cast<const zb::ElidedLabel*>(label))
            continue;
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()),
                  label->contentsRect().width())
            << label->text().toStdString();
        const QRect inWindow(label->mapTo(&window, QPoint(0, 0)), label->size());
        EXPECT_TRUE(window.rect().contains(inWindow)) << label->text().toStdString();
    }
}

TEST_F(TallyWindowTest, LabelsFollowTheTally) {
    playThree();
    model.addtomine(3);
    model.checkhighscore("287");
    EXPECT_EQ(window.mylabel(1)->text(), "3");
    EXPECT_EQ(window.mylabel(2)->text(), "1");
    EXPECT_EQ(window.mylabel(3)->text(), "1");
    EXPECT_EQ(window.mylabel(4)->text(), "287");
    EXPECT_EQ(texts(window.listbox_tally()), QStringList({"Ann+", "Bob+"}));
}

TEST_F(TallyWindowTest, SelectingAnOpponentShowsHisRecord) {
    playThree();
    window.listbox_tally()->setCurrentRow(1);
    EXPECT_EQ(window.label_hisname()->text(), "Bob Wins:");
    EXPECT_EQ(window.label_hisnametop()->text(), "Bob's Tally");
    EXPECT_EQ(shown(), QStringList({"3", "1", "1", "1", "3", "1", "1", "1"}));
    // A game recorded while he is shown updates the display.
    model.addgame(false, {"Bob"});
    EXPECT_EQ(shown(), QStringList({"4", "2", "1", "1", "4", "2", "1", "1"}));
    EXPECT_EQ(window.listbox_tally()->currentRow(), 1);
}

TEST_F(TallyWindowTest, NamesAreShownAsTyped) {
    model.choose("<b>Bo</b>");
    window.listbox_tally()->setCurrentRow(0);
    EXPECT_EQ(window.label_hisname()->textFormat(), Qt::PlainText);
    EXPECT_EQ(window.label_hisnametop()->textFormat(), Qt::PlainText);
    EXPECT_EQ(window.label_hisnametop()->text(), "<b>Bo</b>'s Tally");
}

TEST_F(TallyWindowTest, CheckingAPlayerOfTheGameStartsTallyingHim) {
    model.choose("Ann");
    model.loadchecklist({"Ann", "Bob"});
    EXPECT_EQ(texts(window.checklist()), QStringList({"Ann+", "Bob-"}));

    window.checklist()->item(1)->setCheckState(Qt::Checked);
    EXPECT_EQ(model.tallied(), QStringList({"Ann", "Bob"}));
    EXPECT_EQ(texts(window.listbox_tally()), QStringList({"Ann+", "Bob+"}));
    EXPECT_EQ(texts(window.checklist()), QStringList({"Ann+", "Bob+"}));

    // Clearing the box of a tallied player changes nothing.
    window.checklist()->item(0)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(model.tallied(), QStringList({"Ann", "Bob"}));
    EXPECT_EQ(texts(window.checklist()), QStringList({"Ann+", "Bob+"}));
    EXPECT_EQ(dialogs.openCount(), 0u);
}

TEST_F(TallyWindowTest, ClickingTheBoxWithTheMouseChoosesTheName) {
    model.loadchecklist({"Cy"});
    window.show();
    QListWidget* list = window.checklist();
    const QRect item = list->visualItemRect(list->item(0));
    // The check box sits at the start of the row.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      QPoint(item.left() + 9, item.center().y()));
    EXPECT_EQ(model.tallied(), QStringList({"Cy"}));
}

TEST_F(TallyWindowTest, DeletingAnOpponentAsksFirst) {
    playThree();
    window.listbox_tally()->item(0)->setCheckState(Qt::Unchecked);
    ASSERT_EQ(dialogs.openCount(), 1u);
    EXPECT_EQ(dialogs.lastText(), "This will delete Ann's Tally, Are you want to delete it?");
    dialogs.answer(false);
    EXPECT_EQ(model.tallied(), QStringList({"Ann", "Bob"}));
    EXPECT_EQ(texts(window.listbox_tally()), QStringList({"Ann+", "Bob+"}));

    window.listbox_tally()->item(0)->setCheckState(Qt::Unchecked);
    dialogs.answer(true);
    EXPECT_EQ(model.tallied(), QStringList({"Bob"}));
    EXPECT_EQ(texts(window.listbox_tally()), QStringList({"Bob+"}));
}

TEST_F(TallyWindowTest, ADeleteAnsweredAfterTheTableChangedRemovesTheRightOpponent) {
    playThree();
    model.choose("Cy");
    window.listbox_tally()->item(2)->setCheckState(Qt::Unchecked); // Cy, row 3
    model.remove(1);                                               // Ann goes meanwhile
    dialogs.answer(true);
    EXPECT_EQ(model.tallied(), QStringList({"Bob"}));

    window.listbox_tally()->item(0)->setCheckState(Qt::Unchecked); // Bob
    model.reset();                                                 // and everything goes
    dialogs.answer(true);
    EXPECT_EQ(model.opponents(), 0);
}

TEST_F(TallyWindowTest, ResetAsksAndThenClearsEverything) {
    playThree();
    window.listbox_tally()->setCurrentRow(0);
    window.button_reset()->click();
    ASSERT_EQ(dialogs.openCount(), 1u);
    EXPECT_EQ(dialogs.lastText(), "Are you sure you want to reset the Tally?");
    dialogs.answer(false);
    EXPECT_EQ(model.opponents(), 2);

    window.button_reset()->click();
    dialogs.answer(true);
    EXPECT_EQ(model.opponents(), 0);
    EXPECT_EQ(window.listbox_tally()->count(), 0);
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(window.mylabel(i)->text(), "0");
    EXPECT_EQ(shown(), QStringList(8, "0"));
    EXPECT_EQ(window.label_hisname()->text(), "XX Wins:");
}

TEST_F(TallyWindowTest, DoneHidesAndShowOverCentresOnTheTable) {
    QWidget table;
    table.setGeometry(100, 100, 800, 600);
    table.show();
    window.showOver(&table);
    EXPECT_TRUE(window.isVisible());
    EXPECT_LE((window.frameGeometry().center() - table.frameGeometry().center()).manhattanLength(),
              4);
    window.button_done()->click();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(TallyWindowTest, AWindowOfItsOwnStillWorks) {
    Ttallylist own;
    own.model().choose("Ann");
    EXPECT_EQ(own.listbox_tally()->count(), 1);
}

} // namespace
