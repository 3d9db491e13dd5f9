// The tally window as a player meets it: a followed name's box in the check lists shows a tick,
// and Escape closes the window as its "Done" does.

#include "support/fakedialogs.h"
#include "tally/store/tallymodel.h"
#include "tally/ttallylist.h"

#include <QImage>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QImage render(QWidget* w) {
    QImage img(w->size(), QImage::Format_ARGB32);
    img.fill(Qt::white);
    w->render(&img);
    return img;
}

// Within one row of a list: the box of the check indicator (its blue fill) and how many much
// lighter pixels stand inside that box.
struct Indicator {
    QRect box;
    int lightInside = 0;
};

Indicator indicatorIn(const QImage& img, const QRect& row) {
    Indicator found;
    for (int y = row.top(); y <= row.bottom(); ++y)
        for (int x = row.left(); x < row.left() + 24 && x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.blue() > c.red() + 60 && c.lightness() < 160)
                found.box |= QRect(x, y, 1, 1);
        }
    for (int y = found.box.top() + 2; y <= found.box.bottom() - 2; ++y)
        for (int x = found.box.left() + 2; x <= found.box.right() - 2; ++x)
            found.lightInside += img.pixelColor(x, y).lightness() > 200 ? 1 : 0;
    return found;
}

class TallyLooks : public ::testing::Test {
protected:
    zb::TallyModel model;
    zbtest::FakeDialogs dialogs;
    zb::Ttallylist window{model, dialogs};
};

TEST_F(TallyLooks, AFollowedNameShowsATickInBothLists) {
    model.choose("Ann");
    model.loadchecklist({"Ann", "Bob"});
    window.show();
    for (QListWidget* list : {window.checklist(), window.listbox_tally()}) {
        ASSERT_GE(list->count(), 1);
        ASSERT_EQ(list->item(0)->checkState(), Qt::Checked);
        const QImage img = render(list->viewport());
        const Indicator ann = indicatorIn(img, list->visualItemRect(list->item(0)));
        EXPECT_GE(ann.box.width(), 10) << list->objectName().toStdString();
        EXPECT_GE(ann.lightInside, 8) << list->objectName().toStdString() << ": no tick";
    }
    // Bob is not followed: his box is empty, with no blue fill at all.
    const QImage img = render(window.checklist()->viewport());
    EXPECT_TRUE(indicatorIn(img, window.checklist()->visualItemRect(window.checklist()->item(1)))
                    .box.isEmpty());
}

TEST_F(TallyLooks, EscapeClosesTheWindow) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

} // namespace
