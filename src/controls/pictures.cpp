#include "pictures.h"
#include "controls/ink.h"

#include "paintkit.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>
#include <QtMath>

namespace zb::pics {

using namespace detail;

namespace {

struct DieColours {
    QColor top, bottom, rim, pip, firstPip;
};

// Ivory dice with ink pips; the bonus die is lacquer red with white pips and a gold rim, so a
// bonus face is told apart at a glance even among five dice.
const DieColours& dieColours(bool bonus) {
    static const DieColours normal{QColor(0xFF, 0xFE, 0xF8), QColor(0xE4, 0xE0, 0xD4),
                                   QColor(0x8A, 0x86, 0x7C), ink::text(), QColor(0xC6, 0x28, 0x28)};
    static const DieColours special{QColor(0xE5, 0x4B, 0x4B), QColor(0xA8, 0x18, 0x22),
                                    QColor(0xE8, 0xB0, 0x2A), QColor(0xFF, 0xFC, 0xF2),
                                    QColor(0xFF, 0xD5, 0x4A)};
    return bonus ? special : normal;
}

void drawDie(QPainter& p, const QRectF& area, int face, bool bonus) {
    const DieColours& c = dieColours(bonus);
    const QRectF body = area.adjusted(2.5, 2, -3.5, -4);
    const qreal radius = body.width() * 0.18;
    drawShadow(p, body.translated(1.2, 2.2), radius, 3.0, 70);
    drawBody(p, body, radius, c.top, c.bottom, c.rim, bonus ? 2.0 : 1.2);
    if (bonus) {
        // A fine inner gold line marks the bonus style even on a blank face.
        p.save();
        p.setPen(QPen(QColor(0xFF, 0xD5, 0x4A, 170), 0.9));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(body.adjusted(4, 4, -4, -4), radius * 0.7, radius * 0.7);
        p.restore();
    }
    drawPips(p, body, face, c.pip, body.width() * 0.085, c.firstPip);
}

void drawPillButton(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom,
                    const QColor& rim) {
    const qreal radius = r.height() / 2 - 1;
    drawShadow(p, r.adjusted(1, 2, -1, 0), radius, 2.0, 60);
    drawBody(p, r.adjusted(0.5, 0.5, -0.5, -1.5), radius, top, bottom, rim, 1.0);
}

} // namespace

QColor panelColour() {
    return QColor::fromRgba(kPanelRgb);
}

QPixmap dieFace(int face, bool bonusStyle, QSize logicalSize, qreal dpr) {
    if (face < 0 || face > 6) {
        face = 0;
    }
    return render(
        QStringLiteral("die"), face + (bonusStyle ? 10 : 0), kDieSize, logicalSize, dpr,
        [=](QPainter& p) { drawDie(p, QRectF(QPointF(0, 0), kDieSize), face, bonusStyle); });
}

QPixmap bonusFrame(QSize logicalSize, qreal dpr) {
    return render(QStringLiteral("bonusframe"), 0, kBonusFrameSize, logicalSize, dpr,
                  [](QPainter& p) {
                      const QRectF r(0.5, 0.5, 80, 104);
                      drawBody(p, r, 8, QColor(0x3A, 0x2A, 0x4E), QColor(0x22, 0x18, 0x30),
                               QColor(0xE8, 0xB0, 0x2A), 1.5);
                      // The well the die lies in.
                      p.setPen(Qt::NoPen);
                      p.setBrush(QColor(0, 0, 0, 70));
                      p.drawRoundedRect(QRectF(2, 3, 71, 72), 12, 12);
                      const QRectF caption(0, 76, 81, 27);
                      drawLabel(p, caption.adjusted(0, -2, 0, -8), QStringLiteral("BONUS"),
                                pixelFont(12.5), QColor(0xFF, 0xD5, 0x4A), QColor(0, 0, 0, 160));
                      drawLabel(p, caption.adjusted(0, 12, 0, 0), QStringLiteral("counts double"),
                                pixelFont(8, false), QColor(0xE8, 0xDD, 0xF5), QColor());
                  });
}

QPixmap throwPicture(QSize logicalSize, qreal dpr) {
    return render(QStringLiteral("throw"), 0, kThrowSize, logicalSize, dpr, [](QPainter& p) {
        const QRectF r(0, 0, 99, 24);
        drawPillButton(p, r, QColor(0x4C, 0xB8, 0x5A), QColor(0x2B, 0x84, 0x3A),
                       QColor(0x1E, 0x60, 0x2A));
        // Two small tumbling dice in front of the words.
        p.save();
        p.translate(14, 11);
        p.rotate(-14);
        drawBody(p, QRectF(-6, -6, 12, 12), 2.5, Qt::white, QColor(0xE6, 0xE6, 0xE6),
                 QColor(0x1E, 0x60, 0x2A), 0.8);
        drawPips(p, QRectF(-6, -6, 12, 12), 5, ink::text(), 1.05, ink::text());
        p.restore();
        drawLabel(p, QRectF(22, 0, 75, 22), QStringLiteral("Roll Dice"), pixelFont(12.5), Qt::white,
                  QColor(0, 0, 0, 90));
    });
}

QPixmap startPicture(QSize logicalSize, qreal dpr) {
    return render(QStringLiteral("start"), 0, kThrowSize, logicalSize, dpr, [](QPainter& p) {
        const QRectF r(0, 0, 99, 24);
        drawPillButton(p, r, QColor(0x4A, 0x90, 0xE2), QColor(0x25, 0x62, 0xB8),
                       QColor(0x1A, 0x47, 0x8A));
        QPainterPath play;
        play.moveTo(8.5, 7.0);
        play.lineTo(15.5, 11);
        play.lineTo(8.5, 15.0);
        play.closeSubpath();
        p.setPen(QPen(Qt::white, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::white);
        p.drawPath(play);
        drawLabel(p, QRectF(18, 0, 79, 22), QStringLiteral("Start Game"), pixelFont(11.5),
                  Qt::white, QColor(0, 0, 0, 90));
    });
}

QPixmap rollMarker(int n, QSize logicalSize, qreal dpr) {
    if (n < 1 || n > 3) {
        n = 1;
    }
    return render(QStringLiteral("roll"), n, kRollMarkerSize, logicalSize, dpr, [n](QPainter& p) {
        const QRectF body(1.5, 1.5, 16.5, 16.5);
        drawShadow(p, body.translated(0.6, 1.0), 4, 1.5, 60);
        drawBody(p, body, 4, QColor(0xFF, 0xB3, 0x47), QColor(0xEF, 0x7D, 0x12),
                 QColor(0xB0, 0x55, 0x05), 1.0);
        drawPips(p, body, n, QColor(0x4A, 0x22, 0x00), 1.7, QColor(0x4A, 0x22, 0x00));
    });
}

QPixmap eyes(QSize logicalSize, qreal dpr) {
    return render(QStringLiteral("eyes"), 0, kEyesSize, logicalSize, dpr, [](QPainter& p) {
        const QColor ink(0x22, 0x22, 0x2A);
        for (qreal cx : {6.0, 16.0}) {
            const QRectF eye(cx - 5, 1.2, 10, 10.6);
            p.setPen(QPen(ink, 1.1));
            p.setBrush(Qt::white);
            p.drawEllipse(eye);
            // Looking aside: the pupils sit towards the board.
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0x2D, 0x6C, 0xC0));
            p.drawEllipse(QPointF(cx + 1.8, 7.0), 2.9, 2.9);
            p.setBrush(ink);
            p.drawEllipse(QPointF(cx + 2.1, 7.2), 1.6, 1.6);
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(cx + 1.1, 6.0), 0.7, 0.7);
        }
    });
}

QPixmap winner(QSize logicalSize, qreal dpr) {
    return render(QStringLiteral("winner"), 0, kWinnerSize, logicalSize, dpr, [](QPainter& p) {
        const QColor gold(0xF2, 0xB8, 0x2E), goldDark(0xB0, 0x7A, 0x10);
        // Ribbon tails behind the plaque.
        const QColor ribbon(0xC8, 0x2B, 0x3A), ribbonDark(0x8E, 0x1A, 0x26);
        for (int side : {-1, 1}) {
            QPainterPath tail;
            const qreal x0 = 120 + side * 100, x1 = 120 + side * 118;
            tail.moveTo(x0, 30);
            tail.lineTo(x1, 30);
            tail.lineTo(x1 - side * 8, 43);
            tail.lineTo(x1, 56);
            tail.lineTo(x0, 56);
            tail.closeSubpath();
            p.setPen(QPen(ribbonDark, 1));
            p.setBrush(ribbon);
            p.drawPath(tail);
        }
        // The plaque the winner text is written on.
        const QRectF plaque(14, 22, 212, 42);
        drawShadow(p, plaque.translated(1.5, 2.5), 10, 4, 80);
        drawBody(p, plaque, 10, QColor(0xFF, 0xFB, 0xEA), QColor(0xF6, 0xE7, 0xB8), goldDark, 2);
        p.setPen(QPen(gold, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(plaque.adjusted(4, 4, -4, -4), 7, 7);
        // A crown on top.
        QPainterPath crown;
        crown.moveTo(102, 20);
        crown.lineTo(99, 5);
        crown.lineTo(110, 12);
        crown.lineTo(120, 1);
        crown.lineTo(130, 12);
        crown.lineTo(141, 5);
        crown.lineTo(138, 20);
        crown.closeSubpath();
        QLinearGradient crownFill(0, 1, 0, 20);
        crownFill.setColorAt(0, QColor(0xFF, 0xE0, 0x7A));
        crownFill.setColorAt(1, gold);
        p.setPen(QPen(goldDark, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(crownFill);
        p.drawPath(crown);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xD0, 0x2A, 0x3A));
        p.drawEllipse(QPointF(120, 13.5), 2.2, 2.2);
        p.setBrush(QColor(0x2A, 0x7F, 0xD0));
        p.drawEllipse(QPointF(108.5, 15.5), 1.6, 1.6);
        p.drawEllipse(QPointF(131.5, 15.5), 1.6, 1.6);
        // Stars and a little confetti below the plaque.
        drawStar(p, QPointF(120, 80), 12, 5, gold, goldDark);
        drawStar(p, QPointF(92, 76), 7, 3, gold, goldDark);
        drawStar(p, QPointF(148, 76), 7, 3, gold, goldDark);
        const QColor confetti[] = {QColor(0xE5, 0x39, 0x35), QColor(0x43, 0xA0, 0x47),
                                   QColor(0x1E, 0x88, 0xE5), QColor(0xFB, 0x8C, 0x00),
                                   QColor(0x8E, 0x24, 0xAA)};
        const QPointF bits[] = {{30, 74},  {52, 86},  {70, 70},  {170, 71}, {188, 86},
                                {210, 74}, {40, 94},  {200, 95}, {104, 94}, {136, 94},
                                {20, 12},  {220, 12}, {60, 10},  {180, 10}};
        int i = 0;
        for (const QPointF& b : bits) {
            p.save();
            p.translate(b);
            p.rotate(i * 37.0);
            p.setBrush(confetti[i % 5]);
            p.drawRoundedRect(QRectF(-2.5, -1.2, 5, 2.4), 1, 1);
            p.restore();
            ++i;
        }
    });
}

QPixmap banner(QSize logicalSize, qreal dpr) {
    return render(QStringLiteral("banner"), 0, kBannerSize, logicalSize, dpr, [](QPainter& p) {
        const QRectF r(0, 0, 114, 22);
        drawBody(p, r.adjusted(0.5, 0.5, -0.5, -0.5), 5, QColor(0x2E, 0x4A, 0x6E),
                 QColor(0x1B, 0x2D, 0x46), QColor(0x12, 0x1F, 0x33), 1);
        p.save();
        p.translate(12, 11);
        p.rotate(12);
        drawBody(p, QRectF(-6.5, -6.5, 13, 13), 3, QColor(0xE5, 0x4B, 0x4B),
                 QColor(0xA8, 0x18, 0x22), QColor(0xE8, 0xB0, 0x2A), 0.9);
        drawPips(p, QRectF(-6.5, -6.5, 13, 13), 3, Qt::white, 1.2, Qt::white);
        p.restore();
        QFont font = pixelFont(11.5);
        p.setFont(font);
        const QRectF text(23, 0, 89, 21);
        p.setPen(QColor(0xFF, 0xD5, 0x4A));
        p.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("quon77"));
        const qreal lead = QFontMetricsF(font).horizontalAdvance(QStringLiteral("quon77"));
        font.setBold(false);
        p.setFont(font);
        p.setPen(QColor(0xE3, 0xEC, 0xF7));
        p.drawText(text.adjusted(lead, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                   QStringLiteral(".com"));
    });
}

QPixmap logo(QSize logicalSize, qreal dpr) {
    return render(QStringLiteral("logo"), 0, kLogoSize, logicalSize, dpr, [](QPainter& p) {
        p.save();
        p.translate(24, 30);
        p.rotate(-12);
        drawDie(p, QRectF(-20, -20, 40, 41), 5, false);
        p.restore();
        p.save();
        p.translate(44, 38);
        p.rotate(16);
        drawDie(p, QRectF(-17, -17, 34, 35), 6, true);
        p.restore();
        const QRectF words(64, 8, 94, 40);
        QFont font = pixelFont(27);
        // The word fills the space beside the dice, whatever the font's widths.
        const qreal wide = QFontMetricsF(font).horizontalAdvance(QStringLiteral("Zorbinet"));
        if (wide > words.width()) {
            font.setPixelSize(qMax(8, static_cast<int>(27 * words.width() / wide)));
        }
        drawLabel(p, words.translated(0, 1), QStringLiteral("Zorbinet"), font, ink::text(),
                  QColor(0, 0, 0, 50));
        drawLabel(p, QRectF(64, 42, 96, 16), QStringLiteral("a game of dice"), pixelFont(10, false),
                  QColor(0xA8, 0x18, 0x22), QColor());
    });
}

QPixmap backgroundTile(QColor base, qreal dpr) {
    constexpr int tile = 96;
    dpr = sanitizedDpr(dpr);
    if (!base.isValid()) {
        base = panelColour();
    }
    const QString key = QStringLiteral("zbpic:bgtile:%1@%2").arg(base.rgba()).arg(dpr, 0, 'f', 3);
    QPixmap cached;
    if (QPixmapCache::find(key, &cached)) {
        return cached;
    }
    const int side = qMax(1, qRound(tile * dpr));
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    // A fixed generator keeps the texture the same on every run and every table.
    quint32 state = 0x9E3779B9u;
    const auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    for (int y = 0; y < side; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < side; ++x) {
            // Periodic waves over the tile keep it seamless; fine grain gives it a paper feel.
            const qreal u = 2 * M_PI * x / side, v = 2 * M_PI * y / side;
            const qreal wave = 2.2 * qSin(u + 2 * v) + 1.6 * qCos(3 * u - v) + 1.2 * qSin(2 * v);
            const qreal grain = static_cast<qreal>(next() % 1000) / 1000.0 * 6.0 - 3.0;
            const int delta = qRound(wave + grain);
            line[x] =
                qRgba(qBound(0, base.red() + delta, 255), qBound(0, base.green() + delta, 255),
                      qBound(0, base.blue() + delta, 255), base.alpha());
        }
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(dpr);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

void paintBackground(QPainter& painter, const QRect& rect, QColor base) {
    const qreal dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QPixmap tile = backgroundTile(base, dpr);
    const QSizeF logical = tile.deviceIndependentSize();
    const int w = qMax(1, qRound(logical.width())), h = qMax(1, qRound(logical.height()));
    // Anchored to the painter's origin, so neighbouring updates join without seams.
    const QPoint offset(((rect.x() % w) + w) % w, ((rect.y() % h) + h) % h);
    painter.drawTiledPixmap(rect, tile, offset);
}

QIcon appIcon() {
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addPixmap(render(QStringLiteral("icon"), 0, QSizeF(64, 64), QSize(side, side), 1.0,
                              [](QPainter& p) {
                                  p.save();
                                  p.translate(24, 26);
                                  p.rotate(-12);
                                  drawDie(p, QRectF(-21, -21, 42, 43), 5, false);
                                  p.restore();
                                  p.save();
                                  p.translate(42, 42);
                                  p.rotate(15);
                                  drawDie(p, QRectF(-19, -19, 38, 39), 6, true);
                                  p.restore();
                              }));
    }
    return icon;
}

} // namespace zb::pics
