#pragma once
// Where the program's other windows appear: centred over another window (the table), or on the
// desktop's work area when there is none to centre on.

class QWidget;

namespace zb {

// Moves window so its frame's centre is anchor's centre; anchor null: the screen's.
void centreOver(QWidget* window, const QWidget* anchor);

} // namespace zb
