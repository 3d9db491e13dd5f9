// Escape closes the spy list, as its "Done" does, also with the focus in the list.

#include "table/tspylist.h"

#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(SpyListEscape, EscapeClosesTheSpyList) {
    zb::Tspylist list;
    list.show();
    QWidget* inside = list.findChild<QListWidget*>();
    ASSERT_NE(inside, nullptr);
    QTest::keyClick(inside, Qt::Key_Escape);
    EXPECT_FALSE(list.isVisible());
    list.show();
    QTest::keyClick(&list, Qt::Key_Escape);
    EXPECT_FALSE(list.isVisible());
}

} // namespace
