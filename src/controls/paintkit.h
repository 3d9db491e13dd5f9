#pragma once
// Shared drawing helpers of the procedural pictures; not part of the public picture API.

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QRectF>
#include <QSize>
#include <QString>
#include <functional>

class QPainter;

namespace zb::pics::detail {

// Draws in the design's own coordinates (design size), scaled to the asked logical size.
using Drawing = std::function<void(QPainter& painter)>;

// Renders (or fetches from the cache) the picture named by kind and variant: a pixmap of
// logical x dpr device pixels with devicePixelRatio dpr, transparent where nothing is drawn.
QPixmap render(const QString& kind, int variant, QSizeF design, QSize logical, qreal dpr,
               const Drawing& draw);

// Device pixels for a logical size at dpr; never empty.
QSize deviceSize(QSize logical, qreal dpr);
qreal sanitizedDpr(qreal dpr);
QSize sanitizedSize(QSize logical, QSize fallback);

QFont pixelFont(qreal pixels, bool bold = true);
QColor mix(const QColor& a, const QColor& b, qreal t);

// A rounded, vertically shaded body with a darker rim: buttons, dice, badges.
void drawBody(QPainter& p, const QRectF& r, qreal radius, const QColor& top, const QColor& bottom,
              const QColor& rim, qreal rimWidth = 1.0);
// A soft shadow under a rounded rectangle.
void drawShadow(QPainter& p, const QRectF& r, qreal radius, qreal spread, int alpha);
// The pips of face 1..6 inside body; pips get a small highlight so they read as hollows.
void drawPips(QPainter& p, const QRectF& body, int face, const QColor& pip, qreal pipRadius,
              const QColor& firstPip);
// Centred text with a one-pixel shadow below it.
void drawLabel(QPainter& p, const QRectF& r, const QString& text, const QFont& font,
               const QColor& colour, const QColor& shadow);
// A five-pointed star.
void drawStar(QPainter& p, QPointF centre, qreal outer, qreal inner, const QColor& fill,
              const QColor& line);

} // namespace zb::pics::detail
