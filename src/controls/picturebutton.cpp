#include "picturebutton.h"

#include "net/guard.h"

#include <QEnterEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace zb {

namespace {

// The picture's shape filled with one colour, so looks follow rounded and odd outlines.
QPixmap silhouette(const QPixmap& picture, const QColor& colour) {
    QPixmap shape(picture.size());
    shape.setDevicePixelRatio(picture.devicePixelRatio());
    shape.fill(Qt::transparent);
    QPainter t(&shape);
    t.drawPixmap(0, 0, picture);
    t.setCompositionMode(QPainter::CompositionMode_SourceIn);
    t.fillRect(QRectF(QPointF(0, 0), picture.deviceIndependentSize()), colour);
    return shape;
}

} // namespace

PictureButton::PictureButton(QWidget* parent) : QAbstractButton(parent) {
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::NoFocus);
    updateCursor();
}

void PictureButton::setPixmap(const QPixmap& pixmap) {
    source_ = nullptr;
    sourceDpr_ = 0;
    pixmap_ = pixmap;
    updateGeometry();
    update();
}

void PictureButton::setPictureSource(PictureSource source) {
    source_ = std::move(source);
    sourceDpr_ = 0;
    refreshFromSource();
    updateGeometry();
    update();
}

void PictureButton::refreshFromSource(qreal drawnScale) {
    if (!source_) {
        return;
    }
    // Drawn larger than its own size (a scaled view of the table), the picture is made with as
    // many pixels as it covers on the device, so it is drawn rather than stretched.
    const qreal dpr = std::max(devicePixelRatioF(), drawnScale);
    if (dpr != sourceDpr_) {
        sourceDpr_ = dpr;
        // Runs from paint events too, so a failing source must not escape into the event loop.
        guarded([&] { pixmap_ = source_(dpr); });
    }
}

void PictureButton::setDimWhenDisabled(bool dim) {
    if (dimWhenDisabled_ != dim) {
        dimWhenDisabled_ = dim;
        update();
    }
}

QSize PictureButton::sizeHint() const {
    if (pixmap_.isNull()) {
        return {16, 16};
    }
    return pixmap_.deviceIndependentSize().toSize();
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QTransform toDevice = p.deviceTransform();
    refreshFromSource(std::hypot(toDevice.m11(), toDevice.m12()));
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::Antialiasing);
    if (pixmap_.isNull()) {
        return;
    }
    const bool active = isEnabled();
    const bool down = active && isDown();
    const QSizeF size = pixmap_.deviceIndependentSize();
    QPointF at((width() - size.width()) / 2, (height() - size.height()) / 2);
    if (down) {
        // Pushed in: the picture sinks by a pixel.
        at += QPointF(0, 1);
    }
    const bool hovered = active && !down && isHovered();
    if (hovered) {
        // A warm halo along the picture's own outline: visible on white dice as well as on
        // coloured buttons.
        const QPixmap halo = silhouette(pixmap_, QColor(0xFF, 0xB8, 0x1C, 150));
        for (QPointF step : {QPointF(-1.5, 0), QPointF(1.5, 0), QPointF(0, -1.5), QPointF(0, 1.5),
                             QPointF(-1, -1), QPointF(1, -1), QPointF(-1, 1), QPointF(1, 1)}) {
            p.drawPixmap(at + step, halo);
        }
    }
    if (!active && dimWhenDisabled_) {
        p.setOpacity(0.45);
    }
    p.drawPixmap(at, pixmap_);
    p.setOpacity(1.0);
    if (down) {
        p.drawPixmap(at, silhouette(pixmap_, QColor(0, 0, 0, 55)));
    } else if (hovered) {
        p.drawPixmap(at, silhouette(pixmap_, QColor(255, 255, 255, 45)));
    }
    if (hasFocus()) {
        // A ring the keyboard's player can see from across the room, on light and dark pictures.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0xFF, 0xFF, 0xFF), 3));
        p.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), 4, 4);
        p.setPen(QPen(QColor(0x2F, 0x6F, 0xBF), 2));
        p.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), 4, 4);
    }
}

void PictureButton::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void PictureButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        updateCursor();
        update();
    }
    QAbstractButton::changeEvent(event);
}

void PictureButton::updateCursor() {
    if (isEnabled()) {
        setCursor(Qt::PointingHandCursor);
    } else {
        unsetCursor();
    }
}

} // namespace zb
