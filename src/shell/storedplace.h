#pragma once
// Where a window goes from the place stored for it. The stored place is the player's, but one
// that puts the title bar off every screen (a screen unplugged since, a file edited or damaged)
// would leave a window that nobody can reach or move, and it would be written back at exit. A
// place is therefore used only if at least the title bar lands on a screen: its whole height, and
// enough of its width to take hold of, within one screen's available area. Otherwise the window
// keeps its stored size and goes to the default place.

#include <QList>
#include <QRect>

namespace zb {

// The top strip of a window's outer frame that has to be on a screen.
inline constexpr int kTitleBarHeight = 24;
// How much of the title bar's width is enough to take hold of (all of it when narrower).
inline constexpr int kTitleBarGrip = 48;

// stored: outer bounds from the settings; screens: every screen's available geometry;
// fallback: the default bounds, whose place is used when stored's is not. No screens at all
// leave nothing to judge by: stored is kept. Any coordinates are safe, however far out.
QRect storedPlace(const QRect& stored, const QList<QRect>& screens, const QRect& fallback);

// The available geometry of every screen (each screen without its panels).
QList<QRect> screenAreas();

} // namespace zb
