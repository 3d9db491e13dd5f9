#include "controls/flatstyle.h"
#include "controls/highlightlabel.h"
#include "controls/hyperlinklabel.h"
#include "controls_helpers.h"

#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <memory>

using zb::HighlightLabel;
using zb::HyperlinkLabel;

namespace {

template <class W> void showAndWait(W* w, QSize size) {
    w->resize(size);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    // A new window may open right under the platform's pointer; start from "pointer away".
    zbtest::hoverLeave(w);
}

} // namespace

TEST(HighlightLabel, ClickableLabelEmitsClicked) {
    HighlightLabel label(QStringLiteral("Sixes"));
    showAndWait(&label, QSize(80, 18));
    label.setClickable(true);
    QSignalSpy spy(&label, &HighlightLabel::clicked);
    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_EQ(spy.count(), 1);
}

TEST(HighlightLabel, NotClickableDisabledOrRightButtonEmitsNothing) {
    HighlightLabel label(QStringLiteral("Upper Total"));
    showAndWait(&label, QSize(80, 18));
    QSignalSpy spy(&label, &HighlightLabel::clicked);
    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_EQ(spy.count(), 0);
    label.setClickable(true);
    label.setEnabled(false);
    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_EQ(spy.count(), 0);
    label.setEnabled(true);
    QTest::mouseClick(&label, Qt::RightButton);
    EXPECT_EQ(spy.count(), 0);
}

TEST(HighlightLabel, PressDraggedOffTheLabelIsNoClick) {
    HighlightLabel label(QStringLiteral("Fives"));
    showAndWait(&label, QSize(80, 18));
    label.setClickable(true);
    QSignalSpy spy(&label, &HighlightLabel::clicked);
    QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(300, 5));
    EXPECT_EQ(spy.count(), 0);
    // A release without a press on the label does nothing either.
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(spy.count(), 0);
}

TEST(HighlightLabel, HoverHighlightsOnlyClickableLabels) {
    HighlightLabel label(QStringLiteral("Full House"));
    showAndWait(&label, QSize(90, 18));
    const QImage idle = zbtest::look(&label);
    zbtest::hoverEnter(&label);
    EXPECT_FALSE(label.isHighlighted());
    EXPECT_EQ(zbtest::look(&label), idle);
    zbtest::hoverLeave(&label);

    label.setClickable(true);
    zbtest::hoverEnter(&label);
    EXPECT_TRUE(label.isHighlighted());
    const QImage lit = zbtest::look(&label);
    EXPECT_NE(lit, idle);
    EXPECT_GT(zbtest::countColour(lit, label.highlightColor()), 100);
    zbtest::hoverLeave(&label);
    EXPECT_FALSE(label.isHighlighted());
    EXPECT_EQ(zbtest::look(&label), idle);

    // Switching clicks off while the pointer rests there removes the highlight.
    zbtest::hoverEnter(&label);
    label.setClickable(false);
    EXPECT_FALSE(label.isHighlighted());
}

TEST(HighlightLabel, TextColourAndBoldnessShow) {
    HighlightLabel label(QStringLiteral("888"));
    QFont f = label.font();
    f.setPixelSize(16);
    label.setFont(f);
    showAndWait(&label, QSize(60, 22));
    const QColor green(0x00, 0x80, 0x00), maroon(0x80, 0x00, 0x00);
    label.setTextColor(green);
    EXPECT_EQ(label.textColor(), green);
    const int greenPixels = zbtest::countColour(zbtest::look(&label), green);
    EXPECT_GT(greenPixels, 5);
    label.setTextColor(maroon);
    EXPECT_EQ(zbtest::countColour(zbtest::look(&label), green), 0);
    EXPECT_GT(zbtest::countColour(zbtest::look(&label), maroon), 5);
    EXPECT_FALSE(label.isBold());
    const int thin = zbtest::countColour(zbtest::look(&label), maroon, 60);
    label.setBold(true);
    EXPECT_TRUE(label.isBold());
    EXPECT_GT(zbtest::countColour(zbtest::look(&label), maroon, 60), thin);
}

TEST(HighlightLabel, KeepsItsColourUnderTheFlatStyleSheet) {
    QWidget root;
    auto* label = new HighlightLabel(QStringLiteral("000"), &root);
    QFont f = label->font();
    f.setPixelSize(16);
    label->setFont(f);
    label->setGeometry(0, 0, 60, 22);
    zb::flat::applyFlatStyle(&root);
    showAndWait(&root, QSize(60, 22));
    label->setTextColor(QColor(0x00, 0x80, 0x00));
    EXPECT_GT(zbtest::countColour(zbtest::look(label), QColor(0x00, 0x80, 0x00)), 5);
}

TEST(HighlightLabel, BackgroundColourFillsTheLabel) {
    HighlightLabel label;
    showAndWait(&label, QSize(40, 16));
    label.setBackgroundColor(QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(zbtest::countColour(zbtest::look(&label), QColor(0x12, 0x34, 0x56)),
              label.width() * label.height() * label.devicePixelRatio() * label.devicePixelRatio());
}

TEST(HyperlinkLabel, ClickEmitsActivatedWithTheUrl) {
    HyperlinkLabel link(QStringLiteral("www.quon77.com"), QStringLiteral("http://www.quon77.com"));
    showAndWait(&link, QSize(120, 18));
    EXPECT_EQ(link.toolTip(), QStringLiteral("http://www.quon77.com"));
    QSignalSpy spy(&link, &HyperlinkLabel::activated);
    QTest::mouseClick(&link, Qt::LeftButton);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toString(), QStringLiteral("http://www.quon77.com"));
    link.setUrl(QStringLiteral("https://example.org/"));
    EXPECT_EQ(link.toolTip(), QStringLiteral("https://example.org/"));
    QTest::mouseClick(&link, Qt::LeftButton);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(1).at(0).toString(), QStringLiteral("https://example.org/"));
}

TEST(HyperlinkLabel, DisabledRightButtonOrDragOffEmitNothing) {
    HyperlinkLabel link(QStringLiteral("site"), QStringLiteral("http://a.example"));
    showAndWait(&link, QSize(80, 18));
    QSignalSpy spy(&link, &HyperlinkLabel::activated);
    QTest::mouseClick(&link, Qt::RightButton);
    QTest::mousePress(&link, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseRelease(&link, Qt::LeftButton, {}, QPoint(400, 3));
    link.setEnabled(false);
    QTest::mouseClick(&link, Qt::LeftButton);
    EXPECT_EQ(spy.count(), 0);
}

TEST(HyperlinkLabel, LooksLikeALinkAndBrightensUnderThePointer) {
    HyperlinkLabel link(QStringLiteral("quon77.com"), QStringLiteral("http://quon77.com"));
    showAndWait(&link, QSize(120, 20));
    EXPECT_TRUE(link.font().underline());
    EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
    const QImage idle = zbtest::look(&link);
    zbtest::hoverEnter(&link);
    EXPECT_TRUE(link.isHovered());
    EXPECT_NE(zbtest::look(&link), idle);
    EXPECT_EQ(link.palette().color(QPalette::WindowText), link.hoverColor());
    zbtest::hoverLeave(&link);
    EXPECT_EQ(link.palette().color(QPalette::WindowText), link.linkColor());
}

TEST(HyperlinkLabel, CaptionIsNeverMarkup) {
    HyperlinkLabel link(QStringLiteral("<b>bold</b>"), QStringLiteral("http://x.example"));
    EXPECT_EQ(link.textFormat(), Qt::PlainText);
}
