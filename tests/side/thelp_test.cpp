// The help window and the about box: their buttons, pages, headings, year lines and version.

#include "controls/hyperlinklabel.h"
#include "controls/picturebutton.h"
#include "net/protocol.h"
#include "side/tabout.h"
#include "side/thelp.h"

#include <QDate>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

using zb::Tabout;
using zb::Thelp;

namespace {

const QStringList kCaptions = {"Overview",      "Connecting", "Game Play", "Scoring",
                               "Documentation", "About",      "Done"};

TEST(Thelp, HasSevenButtonsAndOpensOnOverview) {
    Thelp help;
    EXPECT_EQ(help.windowTitle(), QStringLiteral("Zorbinet - Help File"));
    for (int n = 1; n <= Thelp::kButtons; ++n)
        EXPECT_EQ(help.button[n]->text(), kCaptions[n - 1]) << n;
    EXPECT_EQ(help.currentPage(), 1);
    EXPECT_EQ(help.heading->text(), QStringLiteral("Overview"));
    EXPECT_TRUE(help.yearLine->text().endsWith(QString::number(QDate::currentDate().year())));
}

TEST(Thelp, EachPageButtonShowsItsPageUnderItsCaption) {
    Thelp help;
    QStringList texts;
    for (int n = Thelp::kButtons - 2; n >= 1; --n) {
        QTest::mouseClick(help.button[n], Qt::LeftButton);
        EXPECT_EQ(help.currentPage(), n);
        EXPECT_EQ(help.heading->text(), kCaptions[n - 1]);
        const QString text = help.pageText->toPlainText();
        EXPECT_GT(text.size(), 400) << n;
        EXPECT_FALSE(texts.contains(text)) << "page " << n << " repeats another";
        texts << text;
    }
}

TEST(Thelp, ThePagesTellWhatAPlayerNeeds) {
    Thelp help;
    const auto page = [&help](int n) {
        help.showPage(n);
        return help.pageText->toPlainText();
    };
    const QString connecting = page(2);
    EXPECT_TRUE(connecting.contains(QStringLiteral("port 7772")));
    EXPECT_TRUE(connecting.contains(QStringLiteral("Solo game")));
    EXPECT_TRUE(connecting.contains(QStringLiteral("Multi-player game")));
    const QString play = page(3);
    EXPECT_TRUE(play.contains(QStringLiteral("Team game")));
    EXPECT_TRUE(play.contains(QStringLiteral("Bonus dice game")));
    EXPECT_TRUE(play.contains(QStringLiteral("Enter")));
    const QString scoring = page(4);
    for (const char* part :
         {"Ones", "Sixes", "4 of a Kind", "Full House", "Sm Straight", "Big Straight",
          "5 of a Kind", "Freebie", "Bonus", ": 25", ": 30", ": 40", ": 50", "35", "63"})
        EXPECT_TRUE(scoring.contains(QString::fromLatin1(part))) << part;
    EXPECT_TRUE(page(5).contains(QStringLiteral("1.0.4")));
}

TEST(Thelp, AboutShowsTheAboutBoxAndDoneHidesTheWindow) {
    Tabout about;
    Thelp help;
    help.setAboutBox(&about);
    help.show();
    QTest::mouseClick(help.button[Thelp::kAboutButton], Qt::LeftButton);
    EXPECT_TRUE(about.isVisible());
    EXPECT_EQ(help.currentPage(), 1);
    QTest::mouseClick(help.button[Thelp::kDoneButton], Qt::LeftButton);
    EXPECT_FALSE(help.isVisible());
    help.showPage(0);
    help.showPage(6);
    EXPECT_EQ(help.currentPage(), 1);
}

TEST(Thelp, IsCentredOnTheTableWindow) {
    QWidget table;
    table.setGeometry(100, 80, 783, 512);
    table.show();
    Thelp help;
    help.setAnchor(&table);
    help.show();
    EXPECT_LE((help.frameGeometry().center() - table.frameGeometry().center()).manhattanLength(),
              2);
}

TEST(Tabout, ShowsVersionYearAndAddress) {
    Tabout about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("Zorbinet - About"));
    EXPECT_EQ(about.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_EQ(about.version->text(), QStringLiteral("1.0.4"));
    EXPECT_EQ(about.versionText(), QStringLiteral("1.0.4"));
    EXPECT_EQ(about.versionText().toLatin1(), zb::proto::kVersion) << "one version everywhere";
    EXPECT_EQ(about.build->text(), QStringLiteral(".14"));
    EXPECT_TRUE(about.yearLine->text().endsWith(QString::number(QDate::currentDate().year())));
    QStringList texts;
    for (const QLabel* l : about.findChildren<QLabel*>())
        texts << l->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("Version")));
    EXPECT_TRUE(texts.contains(QStringLiteral("All Rights Reserved.")));
    EXPECT_EQ(about.done->text(), QStringLiteral("Done"));
    EXPECT_FALSE(about.logo->pixmap().isNull());
    EXPECT_EQ(about.webAddress->url(), QStringLiteral("http://www.quon77.com/"));
}

TEST(Tabout, TheAddressOpensThroughTheOpener) {
    Tabout about;
    QList<QUrl> opened;
    about.setUrlOpener([&opened](const QUrl& url) {
        opened << url;
        return true;
    });
    about.show();
    QTest::mouseClick(about.webAddress, Qt::LeftButton);
    EXPECT_EQ(opened, QList<QUrl>{QUrl(QStringLiteral("http://www.quon77.com/"))});
}

TEST(Tabout, DoneAndTheLogoHideIt) {
    Tabout about;
    for (QWidget* closer : {static_cast<QWidget*>(about.done), static_cast<QWidget*>(about.logo)}) {
        about.show();
        ASSERT_TRUE(about.isVisible());
        QTest::mouseClick(closer, Qt::LeftButton);
        EXPECT_FALSE(about.isVisible());
    }
}

} // namespace
