// The table follows its window: at the design's size everything stands where it was laid out,
// any other client area draws the whole main panel to fit and in proportion, and clicks on the
// larger or smaller table still reach the control under the pointer.

#include "tablefixture.h"

#include "controls/highlightlabel.h"
#include "controls/picturebutton.h"
#include "shell/phrasebuttons.h"
#include "table/tablepanel.h"
#include "table/tablescaler.h"

#include <QGraphicsProxyWidget>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <cmath>

using namespace zbtest;
using zb::Tchat;

namespace {

class ScalingTest : public TableTest {
protected:
    QWidget* client() const { return table->centralWidget(); }

    void setClient(QSize size) {
        table->resize(size.width(), size.height() + table->menuBar()->height());
        ASSERT_TRUE(waitFor([&] { return client()->size() == size; }))
            << client()->width() << "x" << client()->height();
    }

    // A widget's rectangle as the player sees it on the client area.
    QRectF seen(const QWidget* w) const {
        const QPoint topLeft = table->scaler()->toClient(w, QPoint(0, 0));
        const QPoint bottomRight = table->scaler()->toClient(w, QPoint(w->width(), w->height()));
        return QRectF(topLeft, bottomRight);
    }

    // A left click where the player sees the middle of w.
    void clickSeen(QWidget* w) {
        const QPoint at = table->scaler()->toClient(w, w->rect().center());
        QWidget* under = client()->childAt(at);
        ASSERT_NE(under, nullptr);
        QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFrom(client(), at));
    }

    std::vector<QWidget*> parts() const {
        return {board(), card(), table->chatPanel(), table->phraseButtons()};
    }
};

TEST_F(ScalingTest, AtTheDesignSizeNothingMoves) {
    open();
    setClient(Tchat::kInitialClient);
    EXPECT_EQ(table->scaler()->scale(), 1.0);
    EXPECT_EQ(table->mainPanel()->parentWidget(), client());
    EXPECT_EQ(table->mainPanel()->geometry(), Tchat::kMainPanel);
    EXPECT_FALSE(table->scaler()->isVisible());
    EXPECT_EQ(board()->geometry(), QRect(zb::TablePanel::kBoardPlace, zb::Board::kSize));
    EXPECT_EQ(card()->pos(), zb::TablePanel::kCardPlace);
    EXPECT_EQ(table->chatPanel()->pos(), zb::TablePanel::kChatPlace);
}

struct Slack {
    QSize extra;
    qreal scale;
};

class ScaleStepTest : public ScalingTest, public ::testing::WithParamInterface<Slack> {};

TEST_P(ScaleStepTest, TheScaleGrowsInTenthsOfTheDesign) {
    open();
    const Slack s = GetParam();
    setClient(Tchat::kInitialClient + s.extra);
    EXPECT_DOUBLE_EQ(table->scaler()->scale(), s.scale);
    EXPECT_EQ(table->mainPanel()->parentWidget() == client(), s.scale == 1.0);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ScaleStepTest,
                         ::testing::Values(Slack{{8, 21}, 1.0},  // a thin frame's default bounds
                                           Slack{{77, 46}, 1.0}, // just under a tenth larger
                                           Slack{{78, 47}, 1.1}, // a tenth larger
                                           Slack{{465, 280}, 1.6},
                                           Slack{{900, 47}, 1.1}, // the height decides
                                           Slack{{78, 900}, 1.1}, // the width decides
                                           // Smaller than designed it fits exactly.
                                           Slack{{-155, 0}, 620.0 / 775},
                                           Slack{{0, -93}, 373.0 / 466},
                                           Slack{{-1, 40}, 774.0 / 775}));

// At every size from the smallest client area up, the whole panel is on the client area and a
// click where the player sees a control reaches it.
class ScaleFitTest : public ScalingTest, public ::testing::WithParamInterface<QSize> {};

TEST_P(ScaleFitTest, EverythingIsVisibleAndEveryClickLands) {
    seated(1);
    myRoll(1, {4, 4, 1, 6, 2}, 2);
    setClient(GetParam());
    const QRectF area(client()->rect());
    for (QWidget* part : parts())
        EXPECT_TRUE(area.contains(seen(part).adjusted(1, 1, -1, -1)))
            << part->objectName().toStdString() << " at " << GetParam().width() << "x"
            << GetParam().height();
    EXPECT_TRUE(area.contains(seen(card()->label_score(4)).adjusted(1, 1, -1, -1)));
    EXPECT_TRUE(area.contains(seen(table->chatPanel()->mychat()).adjusted(1, 1, -1, -1)));
    clickSeen(board()->dice(1));
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_setdice+1+1"}));
    clickSeen(card()->score(4, 12));
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_setscore+1+12"}));
}

INSTANTIATE_TEST_SUITE_P(Sizes, ScaleFitTest,
                         ::testing::Values(Tchat::kMinimumClient, QSize(620, 373),
                                           Tchat::kInitialClient, QSize(1240, 746),
                                           QSize(1920, 1080)));

TEST_F(ScalingTest, AtOnePointSixThePartsKeepTheirProportions) {
    open();
    setClient(QSize(1240, 746));
    ASSERT_DOUBLE_EQ(table->scaler()->scale(), 1.6);
    const QRectF panel = seen(table->mainPanel());
    // Centred in the client area.
    EXPECT_NEAR(panel.center().x(),
                1240 / 2.0 +
                    (Tchat::kMainPanel.center().x() + 0.5 - Tchat::kInitialClient.width() / 2.0) *
                        1.6,
                1.0);
    for (QWidget* part : parts()) {
        const QRectF r = seen(part);
        const QRect design = part->geometry(); // in the panel, unscaled
        EXPECT_NEAR(r.left() - panel.left(), design.left() * 1.6, 1.0)
            << part->objectName().toStdString();
        EXPECT_NEAR(r.top() - panel.top(), design.top() * 1.6, 1.0)
            << part->objectName().toStdString();
        EXPECT_NEAR(r.width(), design.width() * 1.6, 1.0) << part->objectName().toStdString();
        EXPECT_NEAR(r.height(), design.height() * 1.6, 1.0) << part->objectName().toStdString();
    }
    // The widgets themselves keep the design's geometry.
    EXPECT_EQ(board()->geometry(), QRect(zb::TablePanel::kBoardPlace, zb::Board::kSize));
    EXPECT_EQ(board()->dice(1)->size(), QSize(69, 70));
}

TEST_F(ScalingTest, PicturesAreDrawnWithThePixelsTheyCover) {
    open();
    setClient(QSize(1240, 746));
    const qreal screen = board()->dice(1)->devicePixelRatioF();
    table->scaler()->viewport()->grab();
    const QPixmap die = board()->dice(1)->pixmap();
    EXPECT_DOUBLE_EQ(die.devicePixelRatio(), 1.6 * screen);
    EXPECT_EQ(die.deviceIndependentSize().toSize(), QSize(69, 70));
    setClient(Tchat::kInitialClient);
    table->mainPanel()->grab();
    EXPECT_DOUBLE_EQ(board()->dice(1)->pixmap().devicePixelRatio(), screen);
}

TEST_F(ScalingTest, ClicksOnTheLargerTableReachTheDieAndTheCell) {
    seated(1);
    myRoll(1, {4, 4, 1, 6, 2}, 3);
    setClient(QSize(1240, 746));
    clickSeen(board()->dice(3));
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_setdice+1+3"}));
    clickSeen(card()->score(1, 4));
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_setscore+1+4"}));
}

TEST_F(ScalingTest, MenusAndBoxesFromTheLargerTableAreWindowsOfTheirOwn) {
    open();
    setClient(QSize(1240, 746));
    QMenu menu(table->chatPanel());
    menu.addAction("a");
    menu.popup(table->chatPanel()->mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(waitFor([&] { return menu.isVisible(); }));
    EXPECT_EQ(menu.graphicsProxyWidget(), nullptr);
    QMessageBox box(QMessageBox::Information, "Zorbinet", "x", QMessageBox::Ok,
                    table->chatPanel()->window());
    box.show();
    ASSERT_TRUE(waitFor([&] { return box.isVisible(); }));
    EXPECT_EQ(box.graphicsProxyWidget(), nullptr);
}

TEST_F(ScalingTest, BackAtTheDesignSizeThePanelIsLaidOutAsBefore) {
    open();
    table->chatPanel()->mychat()->setFocus();
    setClient(QSize(1240, 746));
    ASSERT_FALSE(table->mainPanel()->parentWidget() == client());
    setClient(Tchat::kInitialClient);
    EXPECT_EQ(table->mainPanel()->parentWidget(), client());
    EXPECT_EQ(table->mainPanel()->geometry(), Tchat::kMainPanel);
    EXPECT_TRUE(table->mainPanel()->isVisible());
    EXPECT_EQ(table->focusWidget(), table->chatPanel()->mychat());
}

TEST_F(ScalingTest, TheClientAreaNeverGetsSmallerThanTheDesignMinimum) {
    open();
    table->resize(100, 60);
    ASSERT_TRUE(waitFor([&] { return client()->size() != Tchat::kInitialClient; }));
    EXPECT_GE(client()->width(), Tchat::kMinimumClient.width());
    EXPECT_GE(client()->height(), Tchat::kMinimumClient.height());
    EXPECT_DOUBLE_EQ(table->scaler()->scale(), 499.0 / 775) << "the panel shrinks to fit";
}

} // namespace
