#pragma once
// Places a window by its outer bounds, frame included, as the settings file keeps them. A window
// manager may frame a window only after it was placed: its frame is then added around the size
// given, so the bounds are given again once the frame is known.

#include <QRect>
#include <optional>

class QWidget;

namespace zb {

class OuterBounds {
public:
    void apply(QWidget& window, const QRect& outer);
    // From the window's moveEvent: framing moves the client area inside the new frame.
    void windowMoved(QWidget& window);

private:
    std::optional<QRect> unframed_;
};

} // namespace zb
