// Pictures of the ten phrase buttons: each hints at its stock phrase (thumbs up for "Way To Go!",
// a star for "Good One!" ...), and button 10, which opens the chatter sounds, shows a speaker.

#include "pictures.h"

#include "paintkit.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace zb::pics {

using namespace detail;

namespace {

QPen roundPen(const QColor& c, qreal w) {
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void thumbsUp(QPainter& p) {
    const QColor fill(0xFF, 0xC8, 0x3D), line(0xA0, 0x62, 0x00);
    QPainterPath hand;
    hand.moveTo(9.5, 8.5);
    hand.lineTo(12.0, 3.6);
    hand.quadTo(13.6, 2.6, 14.0, 4.4);
    hand.lineTo(13.2, 7.6);
    hand.lineTo(17.4, 7.6);
    hand.quadTo(18.9, 7.8, 18.4, 9.6);
    hand.lineTo(17.2, 14.8);
    hand.quadTo(16.8, 16.0, 15.6, 16.0);
    hand.lineTo(9.5, 16.0);
    hand.closeSubpath();
    p.setPen(roundPen(line, 0.9));
    p.setBrush(fill);
    p.drawPath(hand);
    p.setBrush(QColor(0x2D, 0x6C, 0xC0));
    p.setPen(roundPen(QColor(0x1A, 0x47, 0x8A), 0.8));
    p.drawRoundedRect(QRectF(6.0, 8.0, 3.2, 8.4), 0.8, 0.8);
    p.setPen(roundPen(line, 0.6));
    p.drawLine(QPointF(13.6, 10.4), QPointF(17.6, 10.4));
    p.drawLine(QPointF(13.6, 12.9), QPointF(17.2, 12.9));
}

void target(QPainter& p) {
    const QPointF c(12.5, 10);
    const QColor red(0xE0, 0x35, 0x35);
    p.setPen(roundPen(red.darker(140), 0.7));
    for (auto [r, colour] :
         {std::pair{6.6, red}, std::pair{4.6, QColor(Qt::white)}, std::pair{2.6, red}}) {
        p.setBrush(colour);
        p.drawEllipse(c, r, r);
    }
    // The arrow just missed the bull's-eye.
    p.setPen(roundPen(QColor(0x3A, 0x2A, 0x1A), 1.1));
    p.drawLine(QPointF(14.2, 8.6), QPointF(20.2, 3.2));
    p.setPen(roundPen(QColor(0x2D, 0x8C, 0x3C), 1.1));
    p.drawLine(QPointF(19.0, 3.0), QPointF(20.4, 1.6));
    p.drawLine(QPointF(20.2, 4.4), QPointF(21.8, 3.2));
}

void medal(QPainter& p) {
    QPainterPath ribbon;
    ribbon.moveTo(8.0, 1.5);
    ribbon.lineTo(11.2, 1.5);
    ribbon.lineTo(13.6, 8.0);
    ribbon.lineTo(11.4, 9.0);
    ribbon.closeSubpath();
    ribbon.moveTo(17.0, 1.5);
    ribbon.lineTo(13.8, 1.5);
    ribbon.lineTo(11.4, 8.0);
    ribbon.lineTo(13.6, 9.0);
    ribbon.closeSubpath();
    p.setPen(roundPen(QColor(0x1A, 0x47, 0x8A), 0.6));
    p.setBrush(QColor(0x2D, 0x6C, 0xC0));
    p.drawPath(ribbon);
    QRadialGradient g(QPointF(11.6, 10.6), 6);
    g.setColorAt(0, QColor(0xFF, 0xE8, 0x8A));
    g.setColorAt(1, QColor(0xE0, 0x9C, 0x10));
    p.setPen(roundPen(QColor(0xA0, 0x62, 0x00), 0.8));
    p.setBrush(g);
    p.drawEllipse(QPointF(12.5, 12.0), 4.8, 4.8);
    drawStar(p, QPointF(12.5, 12.2), 2.8, 1.2, QColor(0xFF, 0xF6, 0xD0), QColor());
}

void bulb(QPainter& p) {
    const QPointF c(12.5, 8.0);
    p.setPen(roundPen(QColor(0xF0, 0xA8, 0x00), 0.9));
    for (int i = 0; i < 7; ++i) {
        const qreal a = M_PI + i * M_PI / 6;
        p.drawLine(c + QPointF(6.4 * qCos(a), 6.4 * qSin(a)),
                   c + QPointF(8.0 * qCos(a), 8.0 * qSin(a)));
    }
    QPainterPath glass;
    glass.moveTo(10.4, 12.6);
    glass.quadTo(7.4, 10.2, 8.2, 7.0);
    glass.quadTo(9.2, 3.2, 12.5, 3.2);
    glass.quadTo(15.8, 3.2, 16.8, 7.0);
    glass.quadTo(17.6, 10.2, 14.6, 12.6);
    glass.closeSubpath();
    QRadialGradient g(QPointF(11.4, 6.4), 5.5);
    g.setColorAt(0, QColor(0xFF, 0xFF, 0xE0));
    g.setColorAt(1, QColor(0xFF, 0xD8, 0x30));
    p.setPen(roundPen(QColor(0xB0, 0x80, 0x00), 0.8));
    p.setBrush(g);
    p.drawPath(glass);
    p.setPen(roundPen(QColor(0x60, 0x66, 0x70), 0.8));
    p.setBrush(QColor(0x9A, 0xA2, 0xAE));
    p.drawRoundedRect(QRectF(10.3, 12.8, 4.4, 3.4), 0.8, 0.8);
    p.drawLine(QPointF(11.4, 17.0), QPointF(13.6, 17.0));
}

void burst(QPainter& p) {
    QPainterPath star;
    const QPointF c(12.5, 9.5);
    for (int i = 0; i < 24; ++i) {
        const qreal a = -M_PI / 2 + i * M_PI / 12;
        const qreal r = i % 2 == 0 ? 8.3 : 5.6;
        const QPointF pt = c + QPointF(r * 1.15 * qCos(a), r * qSin(a));
        i == 0 ? star.moveTo(pt) : star.lineTo(pt);
    }
    star.closeSubpath();
    p.setPen(roundPen(QColor(0xB8, 0x3A, 0x00), 0.7));
    p.setBrush(QColor(0xFF, 0x8A, 0x1E));
    p.drawPath(star);
    drawLabel(p, QRectF(0, 0, 25, 19), QStringLiteral("!"), pixelFont(11), Qt::white,
              QColor(0x80, 0x20, 0x00, 160));
}

void heartIcon(QPainter& p) {
    QPainterPath h;
    h.moveTo(12.5, 16.6);
    h.cubicTo(3.0, 10.6, 6.0, 2.2, 12.5, 6.4);
    h.cubicTo(19.0, 2.2, 22.0, 10.6, 12.5, 16.6);
    QLinearGradient g(0, 3, 0, 17);
    g.setColorAt(0, QColor(0xFF, 0x6A, 0x7E));
    g.setColorAt(1, QColor(0xD0, 0x14, 0x36));
    p.setPen(roundPen(QColor(0x90, 0x0A, 0x20), 0.8));
    p.setBrush(g);
    p.drawPath(h);
    p.setPen(roundPen(QColor(255, 255, 255, 170), 0.9));
    p.drawArc(QRectF(8.0, 5.4, 4.0, 4.0), 100 * 16, 70 * 16);
}

void person(QPainter& p, qreal x, const QColor& colour) {
    p.setPen(roundPen(colour.darker(150), 0.7));
    p.setBrush(colour);
    QPainterPath body;
    body.moveTo(x - 4.2, 17.0);
    body.quadTo(x - 4.2, 10.6, x, 10.6);
    body.quadTo(x + 4.2, 10.6, x + 4.2, 17.0);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(QColor(0xFF, 0xD6, 0xA8));
    p.setPen(roundPen(QColor(0xB0, 0x78, 0x40), 0.7));
    p.drawEllipse(QPointF(x, 6.6), 2.8, 2.8);
}

void team(QPainter& p) {
    person(p, 15.6, QColor(0x2D, 0x6C, 0xC0));
    person(p, 9.4, QColor(0x2E, 0x9A, 0x45));
}

void goodGame(QPainter& p) {
    drawLabel(p, QRectF(0, 0, 25, 19), QStringLiteral("GG"), pixelFont(11.5),
              QColor(0x7B, 0x2C, 0xBF), QColor(0x7B, 0x2C, 0xBF, 60));
}

void speaker(QPainter& p) {
    QPainterPath box;
    box.moveTo(5.2, 7.4);
    box.lineTo(8.2, 7.4);
    box.lineTo(12.0, 4.0);
    box.lineTo(12.0, 15.0);
    box.lineTo(8.2, 11.6);
    box.lineTo(5.2, 11.6);
    box.closeSubpath();
    p.setPen(roundPen(QColor(0x23, 0x2A, 0x36), 0.8));
    p.setBrush(QColor(0x4A, 0x55, 0x68));
    p.drawPath(box);
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(QColor(0x2D, 0x8C, 0xC0), 1.1));
    p.drawArc(QRectF(9.6, 6.0, 6.0, 7.0), -50 * 16, 100 * 16);
    p.drawArc(QRectF(8.4, 3.4, 10.6, 12.2), -50 * 16, 100 * 16);
}

void drawPhrase(QPainter& p, int button) {
    const QRectF chip(0.5, 0.5, 24, 18);
    drawBody(p, chip, 4, QColor(0xFF, 0xFF, 0xFF), QColor(0xE4, 0xE9, 0xF0),
             QColor(0x8C, 0x98, 0xA8), 1.0);
    switch (button) {
    case 1:
        thumbsUp(p);
        break;
    case 2:
        drawStar(p, QPointF(12.5, 10.0), 7.4, 3.2, QColor(0xFF, 0xC2, 0x1E),
                 QColor(0xA8, 0x6A, 0x00));
        break;
    case 3:
        target(p);
        break;
    case 4:
        medal(p);
        break;
    case 5:
        bulb(p);
        break;
    case 6:
        burst(p);
        break;
    case 7:
        heartIcon(p);
        break;
    case 8:
        team(p);
        break;
    case 9:
        goodGame(p);
        break;
    default:
        speaker(p);
        break;
    }
}

} // namespace

QPixmap phraseIcon(int button, QSize logicalSize, qreal dpr) {
    if (button < 1 || button > kPhraseButtons) {
        button = 1;
    }
    return render(QStringLiteral("phrase"), button, kPhraseSize, logicalSize, dpr,
                  [button](QPainter& p) { drawPhrase(p, button); });
}

} // namespace zb::pics
