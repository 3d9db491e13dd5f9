#include "controls/picturebutton.h"
#include "controls/pictures.h"
#include "controls_helpers.h"
#include "net/guard.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

using zb::PictureButton;

namespace {

std::unique_ptr<PictureButton> shownButton(const QPixmap& pm) {
    auto button = std::make_unique<PictureButton>();
    button->setPixmap(pm);
    button->resize(button->sizeHint());
    button->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(button.get()));
    // A new window may open right under the platform's pointer; start from "pointer away".
    zbtest::hoverLeave(button.get());
    return button;
}

} // namespace

TEST(PictureButton, ClickEmitsClicked) {
    auto button = shownButton(zb::pics::throwPicture());
    QSignalSpy spy(button.get(), &QAbstractButton::clicked);
    QTest::mouseClick(button.get(), Qt::LeftButton);
    EXPECT_EQ(spy.count(), 1);
    QTest::mouseClick(button.get(), Qt::LeftButton, {}, QPoint(2, 12));
    EXPECT_EQ(spy.count(), 2);
}

TEST(PictureButton, DisabledButtonsStaySilent) {
    auto button = shownButton(zb::pics::throwPicture());
    QSignalSpy spy(button.get(), &QAbstractButton::clicked);
    button->setEnabled(false);
    QTest::mouseClick(button.get(), Qt::LeftButton);
    EXPECT_EQ(spy.count(), 0);
    button->setEnabled(true);
    QTest::mouseClick(button.get(), Qt::LeftButton);
    EXPECT_EQ(spy.count(), 1);
}

TEST(PictureButton, RightButtonAndReleaseOutsideAreNoClicks) {
    auto button = shownButton(zb::pics::startPicture());
    QSignalSpy spy(button.get(), &QAbstractButton::clicked);
    QTest::mouseClick(button.get(), Qt::RightButton);
    QTest::mousePress(button.get(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(button.get(), Qt::LeftButton, {}, QPoint(500, 500));
    EXPECT_EQ(spy.count(), 0);
}

TEST(PictureButton, SizeHintIsThePicturesLogicalSize) {
    PictureButton button;
    button.setPixmap(zb::pics::dieFace(3, false, zb::pics::kDieSize, 2.0));
    EXPECT_EQ(button.sizeHint(), zb::pics::kDieSize);
    button.setPixmap(zb::pics::phraseIcon(4, zb::pics::kPhraseSize, 1.0));
    EXPECT_EQ(button.sizeHint(), zb::pics::kPhraseSize);
}

TEST(PictureButton, HoverAndPressChangeTheLook) {
    auto button = shownButton(zb::pics::throwPicture());
    const QImage idle = zbtest::look(button.get());
    zbtest::hoverEnter(button.get());
    EXPECT_TRUE(button->isHovered());
    const QImage hovered = zbtest::look(button.get());
    EXPECT_NE(hovered, idle);
    button->setDown(true);
    const QImage pressed = zbtest::look(button.get());
    EXPECT_NE(pressed, hovered);
    EXPECT_NE(pressed, idle);
    button->setDown(false);
    zbtest::hoverLeave(button.get());
    EXPECT_FALSE(button->isHovered());
    EXPECT_EQ(zbtest::look(button.get()), idle);
}

TEST(PictureButton, DisabledButtonsFadeButDiceKeepTheirColours) {
    auto button = shownButton(zb::pics::dieFace(6, false));
    const QImage enabled = zbtest::look(button.get());
    button->setEnabled(false);
    EXPECT_NE(zbtest::look(button.get()), enabled);
    button->setDimWhenDisabled(false);
    EXPECT_EQ(zbtest::look(button.get()), enabled);
    // A die that takes no clicks shows no hover look either.
    zbtest::hoverEnter(button.get());
    EXPECT_FALSE(button->isHovered());
    EXPECT_EQ(zbtest::look(button.get()), enabled);
}

TEST(PictureButton, PictureSourceIsAskedForTheWidgetsRatio) {
    PictureButton button;
    int calls = 0;
    qreal askedDpr = 0;
    button.setPictureSource([&](qreal dpr) {
        ++calls;
        askedDpr = dpr;
        return zb::pics::rollMarker(2, zb::pics::kRollMarkerSize, dpr);
    });
    EXPECT_EQ(calls, 1);
    EXPECT_DOUBLE_EQ(askedDpr, button.devicePixelRatioF());
    EXPECT_EQ(button.sizeHint(), zb::pics::kRollMarkerSize);
    button.resize(button.sizeHint());
    (void)zbtest::look(&button);
    (void)zbtest::look(&button);
    // Same ratio, same picture: painting does not redraw it.
    EXPECT_EQ(calls, 1);
    button.setPixmap(zb::pics::rollMarker(3));
    (void)zbtest::look(&button);
    EXPECT_EQ(calls, 1);
}

TEST(PictureButton, EmptyButtonPaintsWithoutAPicture) {
    PictureButton button;
    EXPECT_TRUE(button.pixmap().isNull());
    button.resize(30, 30);
    EXPECT_FALSE(zbtest::look(&button).isNull());
}

TEST(PictureButton, AFailingPictureSourceIsReportedNotThrown) {
    QStringList reports;
    auto previous = zb::setErrorReporter([&](const QString& text) { reports << text; });
    PictureButton button;
    EXPECT_NO_THROW(
        button.setPictureSource([](qreal) -> QPixmap { throw std::runtime_error("no paint"); }));
    EXPECT_TRUE(button.pixmap().isNull());
    button.resize(20, 20);
    EXPECT_NO_THROW((void)zbtest::look(&button));
    zb::setErrorReporter(previous);
    ASSERT_EQ(reports.size(), 1);
    EXPECT_EQ(reports.front(), QStringLiteral("no paint"));
}
