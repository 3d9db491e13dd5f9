#include "table/tablescaler.h"

#include "controls/flatstyle.h"

#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QPointer>
#include <algorithm>
#include <cmath>

namespace zb {

TableScaler::TableScaler(QWidget* panel, QSize designClient, QPoint place, QWidget* client)
    : QGraphicsView(client), panel_(panel), client_(client), design_(designClient), place_(place) {
    setObjectName(QStringLiteral("tablescaler"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                   QPainter::SmoothPixmapTransform);
    setBackgroundBrush(Qt::white);
    // Partial updates of a scaled proxy leave seams at their edges; the panel is small.
    setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    setScene(new QGraphicsScene(this));
    hide();
}

qreal TableScaler::scaleFor(QSize client, QSize designClient) {
    const qreal fits = std::min(qreal(client.width()) / designClient.width(),
                                qreal(client.height()) / designClient.height());
    // Smaller than designed, the panel shrinks to fit exactly, so nothing is cut off down to the
    // smallest client area. Larger, it grows in tenths: a window a few pixels larger than
    // designed, as the default bounds give under a thin frame, stays exactly as laid out, and a
    // scale holds while the window is dragged.
    if (fits < 1.0)
        return fits;
    return std::floor(fits * kSteps + 1e-9) / kSteps;
}

void TableScaler::follow() {
    scale_ = scaleFor(client_->size(), design_);
    if (scale_ == 1.0) {
        release();
        const int dx = (client_->width() - design_.width()) / 2;
        const int dy = (client_->height() - design_.height()) / 2;
        panel_->move(place_.x() + dx, place_.y() + dy);
        return;
    }
    setGeometry(client_->rect());
    embed();
    fit();
}

QPoint TableScaler::toClient(const QWidget* inside, QPoint at) const {
    const QPoint inPanel = inside->mapTo(panel_, at);
    if (!proxy_)
        return panel_->mapTo(client_, inPanel);
    const QPointF scene = proxy_->mapToScene(QPointF(inPanel) + QPointF(0.5, 0.5));
    return viewport()->mapTo(client_, mapFromScene(scene));
}

void TableScaler::embed() {
    if (proxy_)
        return;
    // The keyboard stays where it was: typing still goes to the chat line.
    const QPointer<QWidget> focus = client_->window()->focusWidget();
    const bool focusInside = focus && panel_->isAncestorOf(focus);
    // Only a widget without parent can be embedded; it keeps the window's look by its own sheet.
    panel_->setParent(nullptr);
    // Menus and message boxes opened from the panel stay windows of their own on the desktop:
    // inside the view they would be clipped at its edges and drawn scaled.
    panel_->setWindowFlag(Qt::BypassGraphicsProxyWidget);
    flat::applyFlatStyle(panel_);
    proxy_ = scene()->addWidget(panel_);
    proxy_->setPos(place_);
    show();
    if (focusInside && focus)
        focus->setFocus();
}

void TableScaler::release() {
    if (!proxy_)
        return;
    const QPointer<QWidget> focus = panel_->focusWidget();
    proxy_->setWidget(nullptr);
    delete proxy_;
    proxy_ = nullptr;
    hide();
    panel_->setParent(client_);
    panel_->show();
    if (focus && panel_->isAncestorOf(focus))
        focus->setFocus();
}

void TableScaler::fit() {
    const QSize view = viewport()->size();
    const qreal dx = (view.width() - design_.width() * scale_) / 2;
    const qreal dy = (view.height() - design_.height() * scale_) / 2;
    setTransform(QTransform::fromScale(scale_, scale_));
    setSceneRect(-dx / scale_, -dy / scale_, view.width() / scale_, view.height() / scale_);
}

} // namespace zb
