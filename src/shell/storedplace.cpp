#include "shell/storedplace.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace zb {
namespace {

// In 64 bits: a stored place near the ends of int would overflow the sums in int.
bool titleBarOn(const QRect& window, const QRect& area) {
    const qint64 left = window.x();
    const qint64 top = window.y();
    const qint64 width = std::max(window.width(), 1);
    const qint64 areaLeft = area.x();
    const qint64 areaTop = area.y();
    if (top < areaTop || top + kTitleBarHeight > areaTop + qint64(area.height()))
        return false;
    const qint64 overlap =
        std::min(left + width, areaLeft + qint64(area.width())) - std::max(left, areaLeft);
    return overlap >= std::min<qint64>(width, kTitleBarGrip);
}

} // namespace

QRect storedPlace(const QRect& stored, const QList<QRect>& screens, const QRect& fallback) {
    if (screens.isEmpty())
        return stored;
    for (const QRect& area : screens) {
        if (titleBarOn(stored, area))
            return stored;
    }
    return QRect(fallback.topLeft(), stored.size());
}

QList<QRect> screenAreas() {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas << screen->availableGeometry();
    return areas;
}

} // namespace zb
