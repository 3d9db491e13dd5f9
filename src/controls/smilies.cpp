// The 18 chat smilies. Each is drawn around the face's centre with the face radius 7.3, so the
// features keep their proportions when a face is made smaller to leave room for a halo or horns.

#include "pictures.h"

#include "paintkit.h"

#include <QPainter>
#include <QPainterPath>

namespace zb::pics {

using namespace detail;

namespace {

enum class Mood {
    Smile = 10,
    Wink,
    Grin,
    Sad,
    Tongue,
    Surprised,
    Cool,
    Angry,
    Laugh,
    Cry,
    Kiss,
    Confused,
    Sleepy,
    Love,
    Nerd,
    Devil,
    Angel,
    Neutral
};

const QColor kInk(0x4A, 0x2C, 0x00);
constexpr qreal kRadius = 7.3;
constexpr qreal kEyeX = 2.6;
constexpr qreal kEyeY = -1.9;

QPen inkPen(qreal width = 1.1) {
    return QPen(kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void face(QPainter& p, const QColor& light, const QColor& dark, const QColor& rim) {
    QRadialGradient g(QPointF(-2.5, -3), kRadius * 1.5);
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    p.setPen(QPen(rim, 0.9));
    p.setBrush(g);
    p.drawEllipse(QPointF(0, 0), kRadius, kRadius);
}

void dotEye(QPainter& p, qreal x, qreal y = kEyeY, qreal w = 0.95, qreal h = 1.35) {
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(x, y), w, h);
}

void dotEyes(QPainter& p) {
    dotEye(p, -kEyeX);
    dotEye(p, kEyeX);
}

// An eye shut in a smile: an arc bulging upwards.
void happyEye(QPainter& p, qreal x) {
    QPainterPath arc;
    arc.moveTo(x - 1.5, kEyeY + 0.6);
    arc.quadTo(x, kEyeY - 1.6, x + 1.5, kEyeY + 0.6);
    p.setPen(inkPen(1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
}

// An eye shut in sleep: an arc hanging downwards.
void sleepEye(QPainter& p, qreal x) {
    QPainterPath arc;
    arc.moveTo(x - 1.6, kEyeY - 0.2);
    arc.quadTo(x, kEyeY + 1.5, x + 1.6, kEyeY - 0.2);
    p.setPen(inkPen(1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
}

void curve(QPainter& p, QPointF from, QPointF control, QPointF to, qreal width = 1.1) {
    QPainterPath path;
    path.moveTo(from);
    path.quadTo(control, to);
    p.setPen(inkPen(width));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void smileMouth(QPainter& p) {
    curve(p, {-3.7, 1.5}, {0, 5.6}, {3.7, 1.5});
}

// A wide open mouth: dark inside, with a band of teeth or a tongue.
void openMouth(QPainter& p, qreal top, qreal depth, bool teeth, bool tongue) {
    QPainterPath mouth;
    mouth.moveTo(-4.2, top);
    mouth.lineTo(4.2, top);
    mouth.quadTo(3.6, top + depth, 0, top + depth);
    mouth.quadTo(-3.6, top + depth, -4.2, top);
    mouth.closeSubpath();
    p.setPen(QPen(kInk, 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0x6B, 0x1A, 0x1A));
    p.drawPath(mouth);
    p.save();
    p.setClipPath(mouth);
    p.setPen(Qt::NoPen);
    if (teeth) {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(-5, top - 0.5, 10, depth * 0.38 + 0.5));
    }
    if (tongue) {
        p.setBrush(QColor(0xF0, 0x6E, 0x8A));
        p.drawEllipse(QPointF(0, top + depth), 2.8, depth * 0.45);
    }
    p.restore();
}

void brow(QPainter& p, QPointF a, QPointF b) {
    p.setPen(inkPen(1.0));
    p.drawLine(a, b);
}

void heart(QPainter& p, QPointF c, qreal s, const QColor& fill) {
    QPainterPath h;
    h.moveTo(c.x(), c.y() + s * 0.9);
    h.cubicTo(c.x() - s * 1.6, c.y() - s * 0.1, c.x() - s * 0.7, c.y() - s * 1.3, c.x(),
              c.y() - s * 0.45);
    h.cubicTo(c.x() + s * 0.7, c.y() - s * 1.3, c.x() + s * 1.6, c.y() - s * 0.1, c.x(),
              c.y() + s * 0.9);
    p.setPen(QPen(fill.darker(150), 0.5));
    p.setBrush(fill);
    p.drawPath(h);
}

void drawMood(QPainter& p, Mood mood) {
    const QColor yellowLight(0xFF, 0xEE, 0x8A), yellow(0xF5, 0xB8, 0x00), rim(0xA8, 0x70, 0x00);
    switch (mood) {
    case Mood::Angry:
        face(p, QColor(0xFF, 0x9A, 0x6A), QColor(0xD8, 0x2C, 0x1C), QColor(0x8A, 0x14, 0x0A));
        break;
    case Mood::Devil:
        face(p, QColor(0xC0, 0x7A, 0xE8), QColor(0x6A, 0x24, 0xA0), QColor(0x3E, 0x10, 0x62));
        break;
    default:
        face(p, yellowLight, yellow, rim);
        break;
    }
    switch (mood) {
    case Mood::Smile:
        dotEyes(p);
        smileMouth(p);
        break;
    case Mood::Wink:
        dotEye(p, -kEyeX);
        curve(p, {kEyeX - 1.6, kEyeY + 0.2}, {kEyeX, kEyeY + 0.9}, {kEyeX + 1.6, kEyeY + 0.1});
        curve(p, {-3.4, 2.4}, {0.5, 5.6}, {3.9, 1.0});
        break;
    case Mood::Grin:
        dotEyes(p);
        openMouth(p, 1.0, 4.4, true, false);
        break;
    case Mood::Sad:
        dotEyes(p);
        brow(p, {-4.0, -3.9}, {-1.6, -4.7});
        brow(p, {4.0, -3.9}, {1.6, -4.7});
        curve(p, {-3.3, 4.4}, {0, 1.4}, {3.3, 4.4});
        break;
    case Mood::Tongue:
        dotEyes(p);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xF0, 0x6E, 0x8A));
        p.drawRoundedRect(QRectF(-0.6, 2.4, 3.6, 4.0), 1.7, 1.7);
        p.setPen(QPen(QColor(0xB0, 0x3A, 0x55), 0.5));
        p.drawLine(QPointF(1.2, 3.0), QPointF(1.2, 5.2));
        curve(p, {-3.8, 2.4}, {0, 3.2}, {3.8, 2.0});
        break;
    case Mood::Surprised:
        for (qreal x : {-kEyeX, kEyeX}) {
            p.setPen(QPen(kInk, 0.7));
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(x, kEyeY - 0.4), 1.9, 2.2);
            dotEye(p, x, kEyeY - 0.2, 0.9, 1.0);
        }
        p.setPen(QPen(kInk, 0.8));
        p.setBrush(QColor(0x6B, 0x1A, 0x1A));
        p.drawEllipse(QPointF(0, 3.6), 1.6, 2.0);
        break;
    case Mood::Cool: {
        QPainterPath glasses;
        glasses.addRoundedRect(QRectF(-5.4, -3.6, 4.6, 3.2), 1.2, 1.2);
        glasses.addRoundedRect(QRectF(0.8, -3.6, 4.6, 3.2), 1.2, 1.2);
        p.setPen(QPen(QColor(0x10, 0x10, 0x14), 0.8));
        p.setBrush(QColor(0x14, 0x16, 0x20));
        p.drawPath(glasses);
        p.drawLine(QPointF(-6.8, -2.9), QPointF(6.8, -2.9));
        p.setPen(QPen(QColor(255, 255, 255, 170), 0.6));
        p.drawLine(QPointF(-4.4, -2.9), QPointF(-3.4, -2.9));
        p.drawLine(QPointF(1.8, -2.9), QPointF(2.8, -2.9));
        curve(p, {-2.8, 3.2}, {1.0, 4.9}, {3.8, 2.0});
        break;
    }
    case Mood::Angry:
        brow(p, {-4.2, -4.4}, {-1.2, -2.9});
        brow(p, {4.2, -4.4}, {1.2, -2.9});
        dotEye(p, -kEyeX, kEyeY + 0.3, 0.95, 1.0);
        dotEye(p, kEyeX, kEyeY + 0.3, 0.95, 1.0);
        curve(p, {-3.0, 4.3}, {0, 2.4}, {3.0, 4.3}, 1.2);
        break;
    case Mood::Laugh:
        happyEye(p, -kEyeX);
        happyEye(p, kEyeX);
        openMouth(p, 0.8, 5.0, false, true);
        // Tears of joy at the corners of the eyes.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x5A, 0xB4, 0xF0));
        p.drawEllipse(QPointF(-5.4, -0.3), 0.9, 1.2);
        p.drawEllipse(QPointF(5.4, -0.3), 0.9, 1.2);
        break;
    case Mood::Cry:
        brow(p, {-4.0, -4.2}, {-1.4, -4.8});
        brow(p, {4.0, -4.2}, {1.4, -4.8});
        sleepEye(p, -kEyeX);
        sleepEye(p, kEyeX);
        curve(p, {-2.8, 4.6}, {0, 2.0}, {2.8, 4.6});
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x3A, 0x9A, 0xF0));
        for (qreal x : {-kEyeX, kEyeX}) {
            p.drawRoundedRect(QRectF(x - 0.8, kEyeY + 1.0, 1.6, 6.2), 0.8, 0.8);
        }
        break;
    case Mood::Kiss:
        happyEye(p, -kEyeX);
        dotEye(p, kEyeX);
        curve(p, {-0.6, 1.8}, {2.0, 2.8}, {-0.2, 3.5}, 1.0);
        curve(p, {-0.2, 3.5}, {2.0, 4.3}, {-0.6, 5.2}, 1.0);
        heart(p, QPointF(4.6, 3.6), 1.6, QColor(0xE8, 0x24, 0x44));
        break;
    case Mood::Confused:
        brow(p, {-4.0, -4.4}, {-1.4, -4.0});
        brow(p, {1.6, -5.4}, {4.0, -4.6});
        dotEye(p, -kEyeX);
        dotEye(p, kEyeX, kEyeY - 0.5);
        {
            QPainterPath wave;
            wave.moveTo(-3.6, 3.4);
            wave.cubicTo(-2.2, 1.8, -1.0, 4.8, 0.2, 3.2);
            wave.cubicTo(1.4, 1.8, 2.6, 4.6, 3.6, 2.8);
            p.setPen(inkPen());
            p.setBrush(Qt::NoBrush);
            p.drawPath(wave);
        }
        break;
    case Mood::Sleepy: {
        sleepEye(p, -kEyeX);
        sleepEye(p, kEyeX);
        p.setPen(QPen(kInk, 0.8));
        p.setBrush(QColor(0x6B, 0x1A, 0x1A));
        p.drawEllipse(QPointF(0.4, 3.5), 1.1, 1.2);
        QPainterPath z;
        z.moveTo(3.4, -7.0);
        z.lineTo(6.6, -7.0);
        z.lineTo(3.4, -4.0);
        z.lineTo(6.6, -4.0);
        p.setPen(QPen(QColor(0x2D, 0x5C, 0xC8), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(z);
        break;
    }
    case Mood::Love:
        heart(p, QPointF(-kEyeX, kEyeY), 1.9, QColor(0xE8, 0x24, 0x44));
        heart(p, QPointF(kEyeX, kEyeY), 1.9, QColor(0xE8, 0x24, 0x44));
        openMouth(p, 1.6, 3.6, false, false);
        break;
    case Mood::Nerd:
        for (qreal x : {-kEyeX - 0.2, kEyeX + 0.2}) {
            p.setPen(QPen(QColor(0x20, 0x20, 0x28), 0.9));
            p.setBrush(QColor(255, 255, 255, 200));
            p.drawEllipse(QPointF(x, kEyeY), 2.3, 2.3);
            dotEye(p, x, kEyeY, 0.8, 0.9);
        }
        p.setPen(QPen(QColor(0x20, 0x20, 0x28), 0.9));
        p.drawLine(QPointF(-0.6, kEyeY), QPointF(0.6, kEyeY));
        smileMouth(p);
        p.setPen(QPen(kInk, 0.5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(-1.3, 3.2, 1.3, 1.7));
        p.drawRect(QRectF(0.0, 3.2, 1.3, 1.7));
        break;
    case Mood::Devil:
        brow(p, {-4.0, -4.2}, {-1.2, -3.0});
        brow(p, {4.0, -4.2}, {1.2, -3.0});
        dotEye(p, -kEyeX, kEyeY + 0.2, 0.95, 1.05);
        dotEye(p, kEyeX, kEyeY + 0.2, 0.95, 1.05);
        curve(p, {-4.0, 1.4}, {0, 6.0}, {4.0, 1.4}, 1.2);
        break;
    case Mood::Angel:
        happyEye(p, -kEyeX);
        happyEye(p, kEyeX);
        smileMouth(p);
        // Rosy cheeks.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xFF, 0x80, 0x80, 120));
        p.drawEllipse(QPointF(-4.6, 1.2), 1.3, 0.9);
        p.drawEllipse(QPointF(4.6, 1.2), 1.3, 0.9);
        break;
    case Mood::Neutral:
        dotEyes(p);
        p.setPen(inkPen(1.2));
        p.drawLine(QPointF(-3.0, 3.2), QPointF(3.0, 3.2));
        break;
    }
}

void drawSmiley(QPainter& p, int number) {
    const Mood mood = static_cast<Mood>(number);
    QPointF centre(8.5, 8.0);
    qreal scale = 1.0;
    if (mood == Mood::Angel) {
        centre = QPointF(8.5, 9.2);
        scale = 0.86;
        p.setPen(QPen(QColor(0xD4, 0x9A, 0x00), 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(8.5, 1.9), 4.6, 1.4);
    } else if (mood == Mood::Devil) {
        centre = QPointF(8.5, 9.0);
        scale = 0.9;
        const QColor horn(0xB0, 0x18, 0x2A);
        for (int side : {-1, 1}) {
            QPainterPath h;
            h.moveTo(8.5 + side * 2.2, 3.6);
            h.quadTo(8.5 + side * 5.6, 2.6, 8.5 + side * 6.6, 0.2);
            h.quadTo(8.5 + side * 6.6, 3.8, 8.5 + side * 5.4, 5.2);
            h.closeSubpath();
            p.setPen(QPen(horn.darker(140), 0.5));
            p.setBrush(horn);
            p.drawPath(h);
        }
    }
    p.save();
    p.translate(centre);
    p.scale(scale, scale);
    drawMood(p, mood);
    p.restore();
}

} // namespace

QPixmap smiley(int number, QSize logicalSize, qreal dpr) {
    if (number < kFirstSmiley || number > kLastSmiley) {
        number = kFirstSmiley;
    }
    return render(QStringLiteral("smiley"), number, kSmileySize, logicalSize, dpr,
                  [number](QPainter& p) { drawSmiley(p, number); });
}

QPixmap smileyButton(QSize logicalSize, qreal dpr) {
    return render(QStringLiteral("smileybutton"), 0, kSmileyButtonSize, logicalSize, dpr,
                  [](QPainter& p) {
                      p.save();
                      p.translate(1.5, 2.0);
                      drawSmiley(p, static_cast<int>(Mood::Grin));
                      p.restore();
                      QPainterPath caret;
                      caret.moveTo(19.5, 8.5);
                      caret.lineTo(24.5, 8.5);
                      caret.lineTo(22.0, 11.5);
                      caret.closeSubpath();
                      p.setPen(Qt::NoPen);
                      p.setBrush(QColor(0x3C, 0x46, 0x58));
                      p.drawPath(caret);
                  });
}

} // namespace zb::pics
