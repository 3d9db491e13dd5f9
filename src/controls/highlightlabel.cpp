#include "highlightlabel.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

namespace zb {

HighlightLabel::HighlightLabel(QWidget* parent) : HighlightLabel(QString(), parent) {}

HighlightLabel::HighlightLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent), highlightColour_(0xFF, 0xE8, 0x9A) {
    setAttribute(Qt::WA_Hover);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void HighlightLabel::setTextColor(const QColor& colour) {
    if (textColour_ != colour) {
        textColour_ = colour;
        update();
    }
}

void HighlightLabel::setBold(bool bold) {
    if (font().bold() == bold) {
        return;
    }
    QFont f = font();
    f.setBold(bold);
    setFont(f);
    update();
}

bool HighlightLabel::isBold() const {
    return font().bold();
}

void HighlightLabel::setClickable(bool clickable) {
    if (clickable_ == clickable) {
        return;
    }
    clickable_ = clickable;
    pressed_ = false;
    updateCursor();
    update();
}

void HighlightLabel::setHighlightColor(const QColor& colour) {
    highlightColour_ = colour;
    update();
}

void HighlightLabel::setBackgroundColor(const QColor& colour) {
    backgroundColour_ = colour;
    update();
}

bool HighlightLabel::isHighlighted() const {
    return clickable_ && hovered_ && isEnabled() && highlightColour_.isValid();
}

void HighlightLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect area = rect();
    if (isHighlighted()) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(pressed_ ? highlightColour_.darker(112) : highlightColour_);
        p.drawRoundedRect(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    } else if (backgroundColour_.isValid()) {
        p.fillRect(area, backgroundColour_);
    }
    QColor ink = textColour_;
    if (!isEnabled()) {
        ink.setAlphaF(ink.alphaF() * 0.5);
    }
    p.setPen(ink);
    p.setFont(font());
    const QRect inner =
        contentsRect().adjusted(margin() + indentOrZero(), margin(), -margin(), -margin());
    p.drawText(inner, static_cast<int>(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0), text());
}

int HighlightLabel::indentOrZero() const {
    return indent() > 0 ? indent() : 0;
}

void HighlightLabel::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QLabel::enterEvent(event);
}

void HighlightLabel::leaveEvent(QEvent* event) {
    hovered_ = false;
    pressed_ = false;
    update();
    QLabel::leaveEvent(event);
}

void HighlightLabel::mousePressEvent(QMouseEvent* event) {
    if (clickable_ && event->button() == Qt::LeftButton) {
        pressed_ = true;
        update();
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

void HighlightLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (clickable_ && event->button() == Qt::LeftButton && pressed_) {
        pressed_ = false;
        update();
        event->accept();
        // A press dragged off the label and released elsewhere is no click.
        if (rect().contains(event->position().toPoint())) {
            emit clicked();
        }
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void HighlightLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        pressed_ = false;
        updateCursor();
        update();
    }
    QLabel::changeEvent(event);
}

void HighlightLabel::updateCursor() {
    if (clickable_ && isEnabled()) {
        setCursor(Qt::PointingHandCursor);
    } else {
        unsetCursor();
    }
}

} // namespace zb
