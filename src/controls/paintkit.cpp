#include "paintkit.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>
#include <QtMath>
#include <array>
#include <vector>

namespace zb::pics::detail {

qreal sanitizedDpr(qreal dpr) {
    // NaN fails both comparisons and lands on 1 as well.
    if (!(dpr >= 0.25 && dpr <= 8.0)) {
        return 1.0;
    }
    return dpr;
}

QSize sanitizedSize(QSize logical, QSize fallback) {
    if (logical.width() <= 0 || logical.height() <= 0 || logical.width() > 4096 ||
        logical.height() > 4096) {
        return fallback;
    }
    return logical;
}

QSize deviceSize(QSize logical, qreal dpr) {
    return {qMax(1, qRound(logical.width() * dpr)), qMax(1, qRound(logical.height() * dpr))};
}

QPixmap render(const QString& kind, int variant, QSizeF design, QSize logical, qreal dpr,
               const Drawing& draw) {
    dpr = sanitizedDpr(dpr);
    logical = sanitizedSize(logical, design.toSize());
    const QString key = QStringLiteral("zbpic:%1:%2:%3x%4@%5")
                            .arg(kind)
                            .arg(variant)
                            .arg(logical.width())
                            .arg(logical.height())
                            .arg(dpr, 0, 'f', 3);
    QPixmap cached;
    if (QPixmapCache::find(key, &cached)) {
        return cached;
    }
    QPixmap pixmap(deviceSize(logical, dpr));
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.scale(logical.width() / design.width(), logical.height() / design.height());
        draw(p);
    }
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

QFont pixelFont(qreal pixels, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qMax(1, qRound(pixels)));
    font.setBold(bold);
    return font;
}

QColor mix(const QColor& a, const QColor& b, qreal t) {
    const auto lerp = [t](qreal x, qreal y) { return x + (y - x) * t; };
    return QColor::fromRgbF(lerp(a.redF(), b.redF()), lerp(a.greenF(), b.greenF()),
                            lerp(a.blueF(), b.blueF()), lerp(a.alphaF(), b.alphaF()));
}

void drawBody(QPainter& p, const QRectF& r, qreal radius, const QColor& top, const QColor& bottom,
              const QColor& rim, qreal rimWidth) {
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0.0, top);
    fill.setColorAt(1.0, bottom);
    const qreal half = rimWidth / 2;
    const QRectF inner = r.adjusted(half, half, -half, -half);
    p.save();
    p.setPen(QPen(rim, rimWidth));
    p.setBrush(fill);
    p.drawRoundedRect(inner, radius, radius);
    // A glossy line along the top edge gives the flat body a little depth.
    QPen gloss(QColor(255, 255, 255, 110), rimWidth);
    p.setPen(gloss);
    p.setBrush(Qt::NoBrush);
    const QRectF shine = inner.adjusted(rimWidth, rimWidth, -rimWidth, -rimWidth);
    QPainterPath top_edge;
    top_edge.moveTo(shine.left() + radius, shine.top());
    top_edge.lineTo(shine.right() - radius, shine.top());
    p.drawPath(top_edge);
    p.restore();
}

void drawShadow(QPainter& p, const QRectF& r, qreal radius, qreal spread, int alpha) {
    p.save();
    p.setPen(Qt::NoPen);
    constexpr int steps = 4;
    for (int i = steps; i >= 1; --i) {
        const qreal grow = spread * i / steps;
        p.setBrush(QColor(0, 0, 0, alpha / steps));
        p.drawRoundedRect(r.adjusted(-grow / 2, -grow / 2, grow / 2, grow / 2), radius + grow / 2,
                          radius + grow / 2);
    }
    p.restore();
}

void drawPips(QPainter& p, const QRectF& body, int face, const QColor& pip, qreal pipRadius,
              const QColor& firstPip) {
    // Pip places on a 3 x 3 grid, numbered row by row from the top left (0..8).
    static const std::array<std::vector<int>, 7> layout = {{
        {},
        {4},
        {2, 6},
        {2, 4, 6},
        {0, 2, 6, 8},
        {0, 2, 4, 6, 8},
        {0, 2, 3, 5, 6, 8},
    }};
    if (face < 1 || face > 6) {
        return;
    }
    p.save();
    p.setPen(Qt::NoPen);
    for (int place : layout[face]) {
        const qreal fx = 0.24 + 0.26 * (place % 3);
        const qreal fy = 0.24 + 0.26 * (place / 3);
        const QPointF c(body.left() + fx * body.width(), body.top() + fy * body.height());
        const QColor base = face == 1 ? firstPip : pip;
        const qreal radius = face == 1 ? pipRadius * 1.35 : pipRadius;
        QRadialGradient g(c + QPointF(radius * 0.3, radius * 0.35), radius * 1.2);
        g.setColorAt(0.0, base.lighter(150));
        g.setColorAt(0.6, base);
        g.setColorAt(1.0, base.darker(130));
        p.setBrush(g);
        p.drawEllipse(c, radius, radius);
    }
    p.restore();
}

void drawLabel(QPainter& p, const QRectF& r, const QString& text, const QFont& font,
               const QColor& colour, const QColor& shadow) {
    p.save();
    p.setFont(font);
    if (shadow.isValid() && shadow.alpha() > 0) {
        p.setPen(shadow);
        p.drawText(r.translated(0, 1), Qt::AlignCenter, text);
    }
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, text);
    p.restore();
}

void drawStar(QPainter& p, QPointF centre, qreal outer, qreal inner, const QColor& fill,
              const QColor& line) {
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const qreal angle = -M_PI / 2 + i * M_PI / 5;
        const qreal radius = (i % 2 == 0) ? outer : inner;
        const QPointF point(centre.x() + radius * qCos(angle), centre.y() + radius * qSin(angle));
        if (i == 0) {
            star.moveTo(point);
        } else {
            star.lineTo(point);
        }
    }
    star.closeSubpath();
    p.save();
    p.setPen(line.isValid() ? QPen(line, 0.8) : QPen(Qt::NoPen));
    p.setBrush(fill);
    p.drawPath(star);
    p.restore();
}

} // namespace zb::pics::detail
