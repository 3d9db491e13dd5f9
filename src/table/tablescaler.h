#pragma once
// Places the table's main panel in the client area. Up to the design's client size the panel is
// an ordinary child that keeps its place relative to the centre, exactly as laid out. In a larger
// client area the whole panel is drawn larger, uniformly and centred: a graphics view shows it
// through its transform, so its widgets keep their design geometry, text and the pictures drawn
// in code are drawn at the larger size rather than stretched, and a click on the view reaches
// the control under it.

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

    // The scale grows in steps of 1 / kSteps.
    static constexpr int kSteps = 10;
    // How much larger than designed the panel is drawn for a client area of this size.
    static qreal scaleFor(QSize client, QSize designClient);

    // Follows the client area's size; call after each resize.
    void follow();

    // 1 at the design's size and below.
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
