#include "table/outerbounds.h"

#include <QWidget>

namespace zb {

void OuterBounds::apply(QWidget& window, const QRect& outer) {
    const QRect frame = window.frameGeometry();
    const QRect inner = window.geometry();
    const int extraW = frame.width() - inner.width();
    const int extraH = frame.height() - inner.height();
    // Without a frame the window manager may simply not have framed the window yet.
    unframed_ = (extraW == 0 && extraH == 0) ? std::optional<QRect>(outer) : std::nullopt;
    window.move(outer.topLeft());
    window.resize(outer.width() - extraW, outer.height() - extraH);
}

void OuterBounds::windowMoved(QWidget& window) {
    if (unframed_ && window.frameGeometry() != window.geometry() &&
        window.windowState() == Qt::WindowNoState)
        apply(window, *unframed_);
}

} // namespace zb
