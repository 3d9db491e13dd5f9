// The procedural pictures: every kind and number exists at the asked size and device pixel ratio,
// and pictures that must be told apart are different images.

#include "controls/pictures.h"

#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

using namespace zb::pics;

namespace {

struct Kind {
    const char* name;
    QSize designSize;
    std::function<QPixmap(QSize, qreal)> make;
};

std::vector<Kind> allKinds() {
    std::vector<Kind> kinds;
    for (int face = 0; face <= 6; ++face) {
        for (bool bonus : {false, true}) {
            kinds.push_back(
                {"die", kDieSize, [=](QSize s, qreal d) { return dieFace(face, bonus, s, d); }});
        }
    }
    kinds.push_back(
        {"bonusFrame", kBonusFrameSize, [](QSize s, qreal d) { return bonusFrame(s, d); }});
    kinds.push_back({"throw", kThrowSize, [](QSize s, qreal d) { return throwPicture(s, d); }});
    kinds.push_back({"start", kThrowSize, [](QSize s, qreal d) { return startPicture(s, d); }});
    for (int n = 1; n <= 3; ++n) {
        kinds.push_back(
            {"roll", kRollMarkerSize, [=](QSize s, qreal d) { return rollMarker(n, s, d); }});
    }
    kinds.push_back({"eyes", kEyesSize, [](QSize s, qreal d) { return eyes(s, d); }});
    kinds.push_back({"winner", kWinnerSize, [](QSize s, qreal d) { return winner(s, d); }});
    for (int n = kFirstSmiley; n <= kLastSmiley; ++n) {
        kinds.push_back({"smiley", kSmileySize, [=](QSize s, qreal d) { return smiley(n, s, d); }});
    }
    kinds.push_back(
        {"smileyButton", kSmileyButtonSize, [](QSize s, qreal d) { return smileyButton(s, d); }});
    kinds.push_back({"banner", kBannerSize, [](QSize s, qreal d) { return banner(s, d); }});
    for (int b = 1; b <= kPhraseButtons; ++b) {
        kinds.push_back(
            {"phrase", kPhraseSize, [=](QSize s, qreal d) { return phraseIcon(b, s, d); }});
    }
    kinds.push_back({"logo", kLogoSize, [](QSize s, qreal d) { return logo(s, d); }});
    return kinds;
}

QImage image(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

// Pixels that carry any paint; a picture must not be an empty canvas.
int paintedPixels(const QPixmap& pixmap) {
    const QImage img = image(pixmap);
    int count = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            count += qAlpha(img.pixel(x, y)) > 0 ? 1 : 0;
        }
    }
    return count;
}

// Counts the separate blobs of pixels for which isPip holds, inside the die's inner area, so
// the rim and its gloss are never mistaken for pips.
int countBlobs(const QPixmap& die, const std::function<bool(QRgb)>& isPip) {
    const QImage img = image(die);
    const qreal dpr = die.devicePixelRatio();
    const QRect inner(qRound(9 * dpr), qRound(9 * dpr), qRound(50 * dpr), qRound(49 * dpr));
    std::vector<char> seen(static_cast<size_t>(img.width() * img.height()), 0);
    int blobs = 0;
    for (int y = inner.top(); y <= inner.bottom(); ++y) {
        for (int x = inner.left(); x <= inner.right(); ++x) {
            if (seen[y * img.width() + x] || !isPip(img.pixel(x, y))) {
                continue;
            }
            int size = 0;
            std::vector<QPoint> stack{{x, y}};
            seen[y * img.width() + x] = 1;
            while (!stack.empty()) {
                const QPoint pt = stack.back();
                stack.pop_back();
                ++size;
                for (QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint n = pt + step;
                    if (!inner.contains(n) || seen[n.y() * img.width() + n.x()] ||
                        !isPip(img.pixel(n))) {
                        continue;
                    }
                    seen[n.y() * img.width() + n.x()] = 1;
                    stack.push_back(n);
                }
            }
            blobs += size >= 4 ? 1 : 0;
        }
    }
    return blobs;
}

int luminance(QRgb c) {
    return (qRed(c) * 30 + qGreen(c) * 59 + qBlue(c) * 11) / 100;
}

} // namespace

TEST(Pictures, EveryKindHasTheRequestedSizeAtDpr1And2) {
    for (const Kind& kind : allKinds()) {
        for (qreal dpr : {1.0, 2.0}) {
            const QPixmap pm = kind.make(kind.designSize, dpr);
            SCOPED_TRACE(std::string(kind.name) + " dpr " + std::to_string(dpr));
            ASSERT_FALSE(pm.isNull());
            EXPECT_EQ(pm.size(), kind.designSize * dpr);
            EXPECT_DOUBLE_EQ(pm.devicePixelRatio(), dpr);
            EXPECT_EQ(pm.deviceIndependentSize().toSize(), kind.designSize);
            EXPECT_GT(paintedPixels(pm), pm.width() * pm.height() / 20);
        }
    }
}

TEST(Pictures, OtherSizesAndFractionalRatiosAreHonoured) {
    for (const Kind& kind : allKinds()) {
        SCOPED_TRACE(kind.name);
        const QSize bigger = kind.designSize * 2;
        const QPixmap pm = kind.make(bigger, 1.5);
        ASSERT_FALSE(pm.isNull());
        EXPECT_EQ(pm.size(), QSize(qRound(bigger.width() * 1.5), qRound(bigger.height() * 1.5)));
        EXPECT_DOUBLE_EQ(pm.devicePixelRatio(), 1.5);
    }
}

TEST(Pictures, NonsenseSizesAndRatiosFallBackToTheDesign) {
    const qreal nan = std::numeric_limits<qreal>::quiet_NaN();
    for (qreal dpr : {0.0, -2.0, nan, 1000.0}) {
        const QPixmap pm = dieFace(3, false, kDieSize, dpr);
        ASSERT_FALSE(pm.isNull());
        EXPECT_DOUBLE_EQ(pm.devicePixelRatio(), 1.0);
        EXPECT_EQ(pm.size(), kDieSize);
    }
    for (QSize size : {QSize(0, 0), QSize(-5, 10), QSize(10, -1), QSize(100000, 10)}) {
        const QPixmap pm = smiley(12, size, 2.0);
        ASSERT_FALSE(pm.isNull());
        EXPECT_EQ(pm.deviceIndependentSize().toSize(), kSmileySize);
    }
}

TEST(Pictures, EighteenSmiliesArePairwiseDifferent) {
    for (qreal dpr : {1.0, 2.0}) {
        std::vector<QImage> images;
        for (int n = kFirstSmiley; n <= kLastSmiley; ++n) {
            images.push_back(image(smiley(n, kSmileySize, dpr)));
        }
        ASSERT_EQ(images.size(), static_cast<size_t>(kSmileyCount));
        for (size_t a = 0; a < images.size(); ++a) {
            for (size_t b = a + 1; b < images.size(); ++b) {
                EXPECT_NE(images[a], images[b]) << "smilies " << a + 10 << " and " << b + 10;
            }
        }
    }
}

TEST(Pictures, OutOfRangeNumbersDrawTheFirstOfTheirSet) {
    EXPECT_EQ(image(smiley(9)), image(smiley(10)));
    EXPECT_EQ(image(smiley(28)), image(smiley(10)));
    EXPECT_EQ(image(smiley(-1)), image(smiley(10)));
    EXPECT_EQ(image(phraseIcon(0)), image(phraseIcon(1)));
    EXPECT_EQ(image(phraseIcon(11)), image(phraseIcon(1)));
    EXPECT_EQ(image(rollMarker(0)), image(rollMarker(1)));
    EXPECT_EQ(image(rollMarker(4)), image(rollMarker(1)));
    EXPECT_EQ(image(dieFace(7, false)), image(dieFace(0, false)));
    EXPECT_EQ(image(dieFace(-3, true)), image(dieFace(0, true)));
}

TEST(Pictures, DieFacesDifferAndTheBonusStyleDiffers) {
    std::vector<QImage> normal, bonus;
    for (int face = 0; face <= 6; ++face) {
        normal.push_back(image(dieFace(face, false)));
        bonus.push_back(image(dieFace(face, true)));
        EXPECT_NE(normal.back(), bonus.back()) << "face " << face;
    }
    for (int a = 0; a <= 6; ++a) {
        for (int b = a + 1; b <= 6; ++b) {
            EXPECT_NE(normal[a], normal[b]) << a << " vs " << b;
            EXPECT_NE(bonus[a], bonus[b]) << a << " vs " << b;
        }
    }
}

TEST(Pictures, EachFaceShowsItsNumberOfPips) {
    const auto darkPip = [](QRgb c) { return qAlpha(c) == 255 && luminance(c) < 110; };
    const auto lightPip = [](QRgb c) { return qAlpha(c) == 255 && qGreen(c) > 180; };
    for (qreal dpr : {1.0, 2.0}) {
        for (int face = 0; face <= 6; ++face) {
            EXPECT_EQ(countBlobs(dieFace(face, false, kDieSize, dpr), darkPip), face)
                << "normal face " << face << " dpr " << dpr;
            EXPECT_EQ(countBlobs(dieFace(face, true, kDieSize, dpr), lightPip), face)
                << "bonus face " << face << " dpr " << dpr;
        }
    }
}

TEST(Pictures, RollMarkersAndPhraseIconsAreDistinct) {
    EXPECT_NE(image(rollMarker(1)), image(rollMarker(2)));
    EXPECT_NE(image(rollMarker(2)), image(rollMarker(3)));
    EXPECT_NE(image(rollMarker(1)), image(rollMarker(3)));
    for (int b = 1; b <= kPhraseButtons; ++b) {
        const QImage img = image(phraseIcon(b));
        for (int other = 1; other < b; ++other) {
            EXPECT_NE(img, image(phraseIcon(other))) << b << " vs " << other;
        }
    }
    EXPECT_NE(image(throwPicture()), image(startPicture()));
}

TEST(Pictures, DiceHaveRoundedTransparentCorners) {
    for (bool bonus : {false, true}) {
        const QImage img = image(dieFace(5, bonus, kDieSize, 2.0));
        EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(img.pixel(img.width() - 1, 0)), 0);
        EXPECT_EQ(qAlpha(img.pixel(img.width() / 2, img.height() / 2)), 255);
    }
}

TEST(Pictures, RepeatedRequestsAreServedFromTheCacheAndSurviveEviction) {
    const QPixmap first = winner(kWinnerSize, 2.0);
    const QPixmap second = winner(kWinnerSize, 2.0);
    EXPECT_EQ(first.cacheKey(), second.cacheKey());
    const QImage before = image(first);
    QPixmapCache::clear();
    const QPixmap redrawn = winner(kWinnerSize, 2.0);
    EXPECT_EQ(image(redrawn), before);
    // Different ratios are different entries.
    EXPECT_NE(winner(kWinnerSize, 1.0).size(), redrawn.size());
}

TEST(Pictures, BackgroundCoversTheWholeAreaOpaquely) {
    QImage canvas(QSize(300, 200), QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    {
        QPainter p(&canvas);
        paintBackground(p, canvas.rect());
    }
    qint64 red = 0;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const QRgb c = canvas.pixel(x, y);
            ASSERT_EQ(qAlpha(c), 255) << x << "," << y;
            red += qRed(c);
        }
    }
    // The texture is quiet: on average it is the panel colour.
    EXPECT_NEAR(static_cast<double>(red) / (300 * 200), panelColour().red(), 3.0);
}

TEST(Pictures, BackgroundTileIsDeterministicAndFollowsTheBase) {
    const QImage a = image(backgroundTile(QColor(0x40, 0x80, 0xC0), 1.0));
    QPixmapCache::clear();
    const QImage b = image(backgroundTile(QColor(0x40, 0x80, 0xC0), 1.0));
    EXPECT_EQ(a, b);
    EXPECT_NE(a, image(backgroundTile(panelColour(), 1.0)));
    EXPECT_EQ(backgroundTile(panelColour(), 2.0).size(),
              backgroundTile(panelColour(), 1.0).size() * 2);
}

TEST(Pictures, PanelColourIsTheTableColour) {
    // $B3C8CC in the game's blue-green-red notation.
    EXPECT_EQ(panelColour(), QColor(0xCC, 0xC8, 0xB3));
}

TEST(Pictures, AppIconOffersSeveralSizes) {
    const QIcon icon = appIcon();
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(256, 256)));
    EXPECT_FALSE(icon.pixmap(32, 32).isNull());
}
