#include "hyperlinklabel.h"

#include <QEnterEvent>
#include <QMouseEvent>

namespace zb {

HyperlinkLabel::HyperlinkLabel(QWidget* parent) : HyperlinkLabel(QString(), QString(), parent) {}

HyperlinkLabel::HyperlinkLabel(const QString& text, const QString& url, QWidget* parent)
    : QLabel(text, parent) {
    setUrl(url);
    setAttribute(Qt::WA_Hover);
    // Plain text: a link's caption never becomes markup, whatever it holds.
    setTextFormat(Qt::PlainText);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    applyLook();
}

void HyperlinkLabel::setUrl(const QString& url) {
    url_ = url;
    setToolTip(url);
}

void HyperlinkLabel::setLinkColor(const QColor& colour) {
    linkColour_ = colour;
    applyLook();
}

void HyperlinkLabel::setHoverColor(const QColor& colour) {
    hoverColour_ = colour;
    applyLook();
}

void HyperlinkLabel::applyLook() {
    QPalette pal = palette();
    QColor colour = isHovered() ? hoverColour_ : linkColour_;
    if (!isEnabled()) {
        colour = QColor(0x80, 0x80, 0x80);
    }
    pal.setColor(QPalette::Active, QPalette::WindowText, colour);
    pal.setColor(QPalette::Inactive, QPalette::WindowText, colour);
    pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    setPalette(pal);
    if (isEnabled()) {
        setCursor(Qt::PointingHandCursor);
    } else {
        unsetCursor();
    }
}

void HyperlinkLabel::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    applyLook();
    QLabel::enterEvent(event);
}

void HyperlinkLabel::leaveEvent(QEvent* event) {
    hovered_ = false;
    pressed_ = false;
    applyLook();
    QLabel::leaveEvent(event);
}

void HyperlinkLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

void HyperlinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && pressed_) {
        pressed_ = false;
        event->accept();
        if (rect().contains(event->position().toPoint())) {
            emit activated(url_);
        }
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void HyperlinkLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        pressed_ = false;
        applyLook();
    }
    QLabel::changeEvent(event);
}

} // namespace zb
