// Escape closes the help window and the about box, whichever of their controls has the focus.

#include "side/tabout.h"
#include "side/thelp.h"

#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace {

TEST(SideWindowsEscape, EscapeClosesTheHelpFromItsPageAndItsButtons) {
    zb::Thelp help;
    for (QWidget* focus : {static_cast<QWidget*>(help.pageText),
                           static_cast<QWidget*>(help.button[3]), static_cast<QWidget*>(&help)}) {
        help.show();
        QTest::keyClick(focus, Qt::Key_Escape);
        EXPECT_FALSE(help.isVisible()) << focus->objectName().toStdString();
    }
}

TEST(SideWindowsEscape, EscapeClosesTheAboutBox) {
    zb::Tabout about;
    about.show();
    QTest::keyClick(about.done, Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());
    about.show();
    QTest::keyClick(&about, Qt::Key_Escape, Qt::ControlModifier);
    EXPECT_TRUE(about.isVisible()) << "only a plain Escape";
}

} // namespace
