#include "controls/elidedlabel.h"

#include <QPainter>
#include <algorithm>

namespace zb {
namespace {

// Room the label claims in a layout whatever it holds; the layout gives it the rest.
constexpr int kClaimedWidth = 40;

} // namespace

ElidedLabel::ElidedLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
}

void ElidedLabel::setTextColor(const QColor& colour) {
    colour_ = colour;
    update();
}

void ElidedLabel::setBackgroundColor(const QColor& colour) {
    background_ = colour;
    update();
}

void ElidedLabel::setMinimumPixelSize(int pixels) {
    minimumPixelSize_ = pixels;
    update();
}

QFont ElidedLabel::fittedFont(int width) const {
    QFont f = font();
    int px = f.pixelSize();
    // Every visible letter is at least a pixel wide, so the first width + 1 of them decide
    // whether the text fits: a 60 KB winner text costs no more than a short one.
    const QString probe = text().left(std::max(width, 0) + 1);
    const auto tooWide = [&] { return QFontMetrics(f).horizontalAdvance(probe) > width; };
    if (minimumPixelSize_ <= 0 || px <= 0)
        return f;
    // Narrower letters first, then smaller ones.
    if (tooWide())
        f.setStretch(QFont::SemiCondensed);
    if (tooWide())
        f.setStretch(QFont::Condensed);
    while (px > minimumPixelSize_ && tooWide())
        f.setPixelSize(--px);
    return f;
}

QSize ElidedLabel::sizeHint() const {
    return {kClaimedWidth, QLabel::sizeHint().height()};
}

QSize ElidedLabel::minimumSizeHint() const {
    return {kClaimedWidth, QLabel::minimumSizeHint().height()};
}

bool ElidedLabel::fits() const {
    const int width = contentsRect().width() - 4;
    return QFontMetrics(fittedFont(width)).horizontalAdvance(text()) <= width;
}

void ElidedLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (background_.isValid()) {
        p.setPen(Qt::NoPen);
        p.setBrush(background_);
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    }
    const QRect area = contentsRect().adjusted(2, 0, -2, 0);
    const QFont f = fittedFont(area.width());
    p.setPen(colour_);
    p.setFont(f);
    p.drawText(area, static_cast<int>(alignment()),
               QFontMetrics(f).elidedText(text(), Qt::ElideRight, area.width()));
}

} // namespace zb
