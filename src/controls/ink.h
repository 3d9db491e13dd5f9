#pragma once
// The program's ink: the dark blue of the text, the pips and the outlines on every light surface
// of the table and its windows, spelt once.

#include <QColor>
#include <QString>

namespace zb::ink {

inline constexpr QRgb kText = 0xFF1F2A44;
inline QColor text() {
    return QColor::fromRgba(kText);
}
// "#1f2a44", for style sheets.
inline QString textName() {
    return text().name();
}
// A label drawn in the ink straight on the surface under it.
inline QString labelStyle() {
    return QStringLiteral("color: %1; background: transparent;").arg(textName());
}

} // namespace zb::ink
