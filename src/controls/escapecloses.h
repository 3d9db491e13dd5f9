#pragma once
// Escape closes a window, as it closes any dialog: the side windows (tally, help, about, spy
// list, phrases) are plain windows, which Qt gives no such key. Closing goes through the
// window's close(), so a window that acts on closing (or on not being closed by "Done") keeps
// doing so. Only a plain Escape counts, whichever of the window's widgets has the focus, unless
// that widget takes the key itself.

class QWidget;

namespace zb {

void closeOnEscape(QWidget* window);

} // namespace zb
