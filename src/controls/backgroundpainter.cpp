#include "backgroundpainter.h"

#include "pictures.h"

#include <QPaintEvent>
#include <QPainter>

namespace zb {

BackgroundPainter::BackgroundPainter(QWidget* parent)
    : BackgroundPainter(pics::panelColour(), parent) {}

BackgroundPainter::BackgroundPainter(const QColor& base, QWidget* parent)
    : QWidget(parent), base_(base) {
    setAttribute(Qt::WA_OpaquePaintEvent, base_.isValid() && base_.alpha() == 255);
}

void BackgroundPainter::setBaseColor(const QColor& colour) {
    if (base_ != colour) {
        base_ = colour;
        // An opaque panel paints every pixel itself, so Qt need not clear it first.
        setAttribute(Qt::WA_OpaquePaintEvent, base_.isValid() && base_.alpha() == 255);
        update();
    }
}

void BackgroundPainter::setTextured(bool textured) {
    if (textured_ != textured) {
        textured_ = textured;
        update();
    }
}

void BackgroundPainter::setBorderColor(const QColor& colour) {
    border_ = colour;
    update();
}

void BackgroundPainter::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QColor base = base_.isValid() ? base_ : pics::panelColour();
    if (textured_) {
        pics::paintBackground(p, event->rect(), base);
    } else {
        p.fillRect(event->rect(), base);
    }
    if (border_.isValid()) {
        // Strips rather than a pen: a 1-pixel pen on width - 1 leaves the last device column
        // bare at fractional and doubled pixel ratios.
        const int w = width(), h = height();
        p.fillRect(QRect(0, 0, w, 1), border_);
        p.fillRect(QRect(0, h - 1, w, 1), border_);
        p.fillRect(QRect(0, 0, 1, h), border_);
        p.fillRect(QRect(w - 1, 0, 1, h), border_);
    }
}

} // namespace zb
