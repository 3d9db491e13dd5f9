// The score card read from its pixels, as a player sees it: the score hints stand out from their
// cells (contrast ratio at least 4.5 to 1, on the real background: the own column's tint, the row
// stripes, the cursor and the highlight under the pointer) and from scored numbers; no text on
// the card is smaller than its category captions, "<Waiting>" seats included.

#include "controls/elidedlabel.h"
#include "controls/highlightlabel.h"
#include "table/core/scorehints.h"
#include "table/core/tablestate.h"
#include "table/scorecard.h"

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>
#include <map>

namespace {

using zb::ScoreCard;

// WCAG 2 relative luminance and contrast ratio.
double channel(int v) {
    const double c = v / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
double luminance(const QColor& c) {
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}
double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QImage render(QWidget* w) {
    QImage img(w->size(), QImage::Format_ARGB32);
    img.fill(Qt::white);
    w->render(&img);
    return img;
}

// What a rectangle of the picture shows: its background (the most common colour), the ink that
// stands out most from it, and the ink's extent (the pixels that differ from the background by
// a contrast of 1.5 or more).
struct Ink {
    QColor background;
    QColor ink;
    double ratio = 1.0;
    QRect extent;
    int pixels = 0;
};

Ink inkIn(const QImage& img, const QRect& rect) {
    std::map<QRgb, int> counts;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            ++counts[img.pixel(x, y)];
    QRgb common = 0;
    int most = -1;
    for (const auto& [rgb, n] : counts)
        if (n > most) {
            most = n;
            common = rgb;
        }
    Ink out;
    out.background = QColor::fromRgb(common);
    out.ink = out.background;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor c = QColor::fromRgb(img.pixel(x, y));
            const double r = contrast(c, out.background);
            if (r > out.ratio) {
                out.ratio = r;
                out.ink = c;
            }
            if (r >= 1.5) {
                out.extent |= QRect(x, y, 1, 1);
                ++out.pixels;
            }
        }
    return out;
}

// The ink height of a text drawn in a font, on white.
int inkHeight(const QString& text, const QFont& font) {
    QLabel label(text);
    label.setFont(font);
    label.setStyleSheet("color: black; background: white;");
    label.resize(label.sizeHint() + QSize(8, 8));
    const QImage img = render(&label);
    return inkIn(img, img.rect()).extent.height();
}

void hover(QWidget* w) {
    const QPointF local(w->width() / 2.0, w->height() / 2.0);
    QEnterEvent enter(local, local, w->mapToGlobal(local));
    QApplication::sendEvent(w, &enter);
}

class CardLooks : public ::testing::Test {
protected:
    void SetUp() override {
        card.clearall(1);
        card.setOwnColumn(1);
        zb::ScoreHints hints;
        hints.seat = 1;
        for (int c = 1; c <= ScoreCard::kCategories; ++c)
            hints.value[c] = 28;
        card.setHints(hints);
        card.show();
    }
    // The captions' size: the card's own text size.
    int captionPixels() const { return card.label(1)->font().pixelSize(); }
    QRect cell(int seat, int row) const { return card.score(seat, row)->geometry(); }

    ScoreCard card;
};

TEST_F(CardLooks, EveryHintStandsOutFromItsCell) {
    double lowest = 100;
    const QImage img = render(&card);
    for (int c = 1; c <= ScoreCard::kCategories; ++c) {
        const Ink hint = inkIn(img, cell(1, c));
        EXPECT_GE(hint.ratio, 4.5) << "row " << c << " on " << hint.background.name().toStdString()
                                   << ", ink " << hint.ink.name().toStdString();
        lowest = std::min(lowest, hint.ratio);
    }
    RecordProperty("lowest_hint_contrast", std::to_string(lowest));
}

TEST_F(CardLooks, AHintStandsOutUnderTheCursorAndTheHighlight) {
    card.setCursor(1, 3);
    card.setChoosable(true);
    hover(card.score(1, 6));
    const QImage img = render(&card);
    for (int row : {3, 6}) {
        const Ink hint = inkIn(img, cell(1, row));
        EXPECT_NE(hint.background, inkIn(img, cell(1, 1)).background)
            << "row " << row << " is marked";
        EXPECT_GE(hint.ratio, 4.5)
            << "row " << row << " on " << hint.background.name().toStdString() << ", ink "
            << hint.ink.name().toStdString();
        RecordProperty(row == 3 ? "cursor_hint_contrast" : "highlight_hint_contrast",
                       std::to_string(hint.ratio));
    }
}

TEST_F(CardLooks, HintsAreAsLargeAsScoresAndLookUnlikeThem) {
    // A scored Freebie in the own column, in its colour and bold: no hint there any more.
    zb::ScoreHints hints = card.hints();
    hints.value[12] = zb::ScoreHints::kNone;
    card.setHints(hints);
    card.setCell(1, 12, 28);
    card.setCell(2, 12, 28);
    const QImage img = render(&card);
    const Ink hint = inkIn(img, cell(1, 11));
    const Ink scored = inkIn(img, cell(1, 12));
    EXPECT_GE(hint.extent.height(), scored.extent.height()) << "the digits are as tall";
    RecordProperty("hint_digit_height", std::to_string(hint.extent.height()) + " of " +
                                            std::to_string(scored.extent.height()));
    EXPECT_GE(hint.extent.height(), inkIn(img, cell(2, 12)).extent.height());
    // Scored numbers are bold in the column's colour; hints are neither.
    const QColor a = hint.ink;
    const QColor b = scored.ink;
    const double distance =
        std::hypot(a.red() - b.red(), a.green() - b.green(), a.blue() - b.blue());
    EXPECT_GE(distance, 80) << a.name().toStdString() << " against " << b.name().toStdString();
    EXPECT_GT(scored.pixels, hint.pixels * 5 / 4) << "a scored number is drawn heavier";
}

TEST_F(CardLooks, NoTextIsSmallerThanTheCaptions) {
    for (const QLabel* label : card.findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue;
        EXPECT_GE(label->font().pixelSize(), captionPixels()) << label->objectName().toStdString();
    }
}

TEST_F(CardLooks, WaitingSeatsAndLongNamesAreDrawnAsLargeAsTheCaptions) {
    card.setSeat(3, "WWWWWWWWWWWWWWWW", "WWWWWWWWWWWWWWWW", false); // cut to fit
    card.setSeat(4, "Klot", "Klot", false);
    const QImage img = render(&card);
    QFont captionFont = card.label(1)->font();
    for (int seat = 2; seat <= 4; ++seat) {
        zb::ElidedLabel* name = card.label_playername(seat);
        const Ink shown = inkIn(img, name->geometry().adjusted(2, 0, -2, 0)); // not the rules
        captionFont.setBold(name->font().bold());
        EXPECT_GE(shown.extent.height(), inkHeight(name->text(), captionFont))
            << "seat " << seat << ": " << name->text().toStdString();
        EXPECT_GE(shown.ratio, 4.5) << "seat " << seat;
        RecordProperty("seat" + std::to_string(seat) + "_ink_height",
                       std::to_string(shown.extent.height()) + " of " +
                           std::to_string(inkHeight(name->text(), captionFont)) + ", contrast " +
                           std::to_string(shown.ratio));
    }
    EXPECT_EQ(card.seatName(2), zb::SeatView::kWaiting) << "the seat's name stays what it is";
}

} // namespace
