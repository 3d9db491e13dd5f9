#include "controls/windowcentre.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace zb {

void centreOver(QWidget* window, const QWidget* anchor) {
    if (!window)
        return;
    QPoint centre;
    if (anchor) {
        centre = anchor->frameGeometry().center();
    } else {
        const QScreen* screen =
            window->screen() ? window->screen() : QGuiApplication::primaryScreen();
        if (!screen)
            return;
        centre = screen->availableGeometry().center();
    }
    QRect frame = window->frameGeometry();
    frame.moveCenter(centre);
    window->move(frame.topLeft());
}

} // namespace zb
