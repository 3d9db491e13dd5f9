#pragma once
// Places the table's main panel in the client area. At the design's client size (and a little
// above it) the panel is an ordinary child, exactly as laid out. In any other client area the
// whole panel is drawn to fit, uniformly and centred: smaller down to the smallest client area,
// larger in tenths. A graphics view shows it through its transform, so its widgets keep their
// design geometry, text and the pictures drawn in code are drawn at the size shown rather than
// stretched, and a click on the view reaches the control under it.

#include <QGraphicsView>
#include <QPoint>
#include <QSize>

class QGraphicsProxyWidget;

namespace zb {

class TableScaler : public QGraphicsView {
public:
    // panel: a child of client laid out for a client area of designClient, with its top-left
    // corner at place there.
    TableScaler(QWidget* panel, QSize designClient, QPoint place, QWidget* client);

    // Above 1 the scale grows in steps of 1 / kSteps; below 1 it fits exactly.
    static constexpr int kSteps = 10;
    // How much larger (or smaller) than designed the panel is drawn in a client area this size.
    static qreal scaleFor(QSize client, QSize designClient);

    // Follows the client area's size; call after each resize.
    void follow();

    // 1 at the design's size.
    qreal scale() const { return scale_; }
    // Where a point of a widget inside the panel is on the client area.
    QPoint toClient(const QWidget* inside, QPoint at) const;

private:
    void embed();
    void release();
    void fit();

    QWidget* panel_;
    QWidget* client_;
    QSize design_;
    QPoint place_;
    QGraphicsProxyWidget* proxy_ = nullptr;
    qreal scale_ = 1.0;
};

} // namespace zb
