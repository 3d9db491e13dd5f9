#pragma once
// The program's flat look for ordinary widgets: line edits, push and speed (tool) buttons, check
// boxes, lists, menus and framed panels. One style sheet set on a window's root reaches the whole
// widget tree. It never styles QLabel text colour, so labels whose colour the game sets keep it.

#include <QColor>
#include <QString>

class QFrame;
class QToolButton;
class QWidget;

namespace zb::flat {

// The sheet applied by applyFlatStyle(); exposed so a window can append rules of its own.
QString styleSheet();

// The check mark drawn in a ticked check box (white, or grey for a disabled box), as a resource
// path for a style sheet's url(); the pictures are drawn in code on first use.
QString tickImage(bool enabled = true);

// Sets the flat style sheet on root (and so on every widget below it) and a matching palette.
void applyFlatStyle(QWidget* root);

// A framed panel: filled with fill, a 1-pixel line of border (none if invalid).
void makePanel(QFrame* frame, const QColor& fill, const QColor& border = QColor());

// A speed button: flat, no focus frame, raised only under the pointer.
void makeSpeedButton(QToolButton* button);

} // namespace zb::flat
