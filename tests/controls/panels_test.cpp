#include "controls/backgroundpainter.h"
#include "controls/flatstyle.h"
#include "controls/pictures.h"
#include "controls_helpers.h"

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using zb::BackgroundPainter;

TEST(BackgroundPainter, PaintsTheTableColourWithAQuietTexture) {
    BackgroundPainter panel;
    panel.resize(200, 120);
    const QImage textured = zbtest::look(&panel);
    qint64 green = 0;
    int exact = 0;
    for (int y = 0; y < textured.height(); ++y) {
        for (int x = 0; x < textured.width(); ++x) {
            const QRgb c = textured.pixel(x, y);
            green += qGreen(c);
            exact += c == zb::pics::panelColour().rgba() ? 1 : 0;
        }
    }
    EXPECT_NEAR(static_cast<double>(green) / (textured.width() * textured.height()),
                zb::pics::panelColour().green(), 3.0);
    EXPECT_LT(exact, textured.width() * textured.height());

    panel.setTextured(false);
    const QImage plain = zbtest::look(&panel);
    EXPECT_EQ(zbtest::countColour(plain, zb::pics::panelColour()), plain.width() * plain.height());
}

TEST(BackgroundPainter, BaseAndBorderColoursShow) {
    BackgroundPainter panel(Qt::white);
    panel.setTextured(false);
    panel.resize(50, 30);
    const QImage plain = zbtest::look(&panel);
    EXPECT_EQ(zbtest::countColour(plain, Qt::white), plain.width() * plain.height());
    const QColor maroon(0x80, 0x00, 0x00);
    panel.setBorderColor(maroon);
    const QImage framed = zbtest::look(&panel);
    const int w = framed.width(), h = framed.height();
    for (QPoint edge :
         {QPoint(0, h / 2), QPoint(w - 1, h / 2), QPoint(w / 2, 0), QPoint(w / 2, h - 1)}) {
        EXPECT_EQ(QColor(framed.pixel(edge)), maroon) << edge.x() << "," << edge.y();
    }
    EXPECT_EQ(QColor(framed.pixel(w / 2, h / 2)), QColor(Qt::white));
    // Only a thin line: the inside stays the base colour.
    EXPECT_GT(zbtest::countColour(framed, Qt::white), w * h * 8 / 10);
    EXPECT_EQ(panel.baseColor(), QColor(Qt::white));
}

TEST(FlatStyle, AppliesOneSheetToTheWholeTree) {
    QWidget root;
    auto* edit = new QLineEdit(&root);
    auto* box = new QCheckBox(QStringLiteral("Team Game"), &root);
    zb::flat::applyFlatStyle(&root);
    EXPECT_FALSE(root.styleSheet().isEmpty());
    EXPECT_EQ(root.styleSheet(), zb::flat::styleSheet());
    // Children take the sheet from the root, not one each.
    EXPECT_TRUE(edit->styleSheet().isEmpty());
    EXPECT_TRUE(box->styleSheet().isEmpty());
    // A check box still toggles and reports it under the sheet.
    root.resize(200, 60);
    box->setGeometry(0, 30, 150, 20);
    root.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&root));
    QSignalSpy spy(box, &QCheckBox::toggled);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, 10));
    EXPECT_EQ(spy.count(), 1);
    EXPECT_TRUE(box->isChecked());
    zb::flat::applyFlatStyle(nullptr);
}

TEST(FlatStyle, PanelRuleReachesThePanelAlone) {
    QWidget root;
    zb::flat::applyFlatStyle(&root);
    auto* panel = new QFrame(&root);
    panel->setGeometry(0, 0, 100, 60);
    auto* inner = new QFrame(panel);
    inner->setGeometry(40, 20, 20, 20);
    zb::flat::makePanel(panel, QColor(0x11, 0x22, 0x33), QColor(0x80, 0x00, 0x00));
    EXPECT_FALSE(panel->objectName().isEmpty());
    root.resize(100, 60);
    const QImage img = zbtest::look(panel);
    const qreal dpr = panel->devicePixelRatioF();
    // Inside the panel, away from the inner frame: the fill. The corner: the border line.
    EXPECT_EQ(QColor(img.pixel(qRound(10 * dpr), qRound(30 * dpr))), QColor(0x11, 0x22, 0x33));
    EXPECT_EQ(QColor(img.pixel(0, qRound(30 * dpr))), QColor(0x80, 0x00, 0x00));
    EXPECT_TRUE(inner->styleSheet().isEmpty());

    // A named panel keeps its name.
    QFrame named;
    named.setObjectName(QStringLiteral("panel_zero"));
    zb::flat::makePanel(&named, Qt::white);
    EXPECT_EQ(named.objectName(), QStringLiteral("panel_zero"));
    EXPECT_TRUE(named.styleSheet().contains(QStringLiteral("#panel_zero")));
    zb::flat::makePanel(nullptr, Qt::white);
}

TEST(FlatStyle, SpeedButtonsAreFlatAndStillClick) {
    QToolButton button;
    zb::flat::makeSpeedButton(&button);
    EXPECT_TRUE(button.autoRaise());
    EXPECT_EQ(button.focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(button.property("zbSpeed").toBool());
    button.resize(26, 20);
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    QSignalSpy spy(&button, &QToolButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(spy.count(), 1);
    zb::flat::makeSpeedButton(nullptr);
}
