#pragma once
// Small helpers for widget tests of the controls: pointer enter and leave without a real mouse,
// and rendering a widget to an image for comparing looks.

#include "controls/chatdocument.h"

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QPainter>
#include <QWidget>

namespace zbtest {

// A chat text style in the test font; a link style when jump is set.
inline zb::ChatTextStyle makeStyle(QColor colour, bool jump = false) {
    zb::ChatTextStyle s;
    s.family = QStringLiteral("DejaVu Sans");
    s.pointSize = 10;
    s.color = colour;
    s.jump = jump;
    s.underline = jump;
    return s;
}

inline void hoverEnter(QWidget* w) {
    const QPointF local(w->width() / 2.0, w->height() / 2.0);
    QEnterEvent enter(local, local, w->mapToGlobal(local));
    QApplication::sendEvent(w, &enter);
}

inline void hoverLeave(QWidget* w) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w, &leave);
}

// Renders the widget afresh: QWidget::grab() of a shown widget may hand back the backing store's
// last frame when a repaint is still pending.
inline QImage look(QWidget* w) {
    const qreal dpr = w->devicePixelRatioF();
    QImage img(w->size() * dpr, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::transparent);
    w->render(&img);
    return img.convertToFormat(QImage::Format_ARGB32);
}

inline int countColour(const QImage& img, const QColor& colour, int tolerance = 0) {
    int count = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            if (qAbs(qRed(c) - colour.red()) <= tolerance &&
                qAbs(qGreen(c) - colour.green()) <= tolerance &&
                qAbs(qBlue(c) - colour.blue()) <= tolerance) {
                ++count;
            }
        }
    }
    return count;
}

} // namespace zbtest
