#include "controls/escapecloses.h"

#include "net/guard.h"

#include <QKeyEvent>
#include <QWidget>

namespace zb {
namespace {

// Sees the window's own key events and those its widgets pass up unhandled.
class EscapeCloses final : public QObject {
public:
    explicit EscapeCloses(QWidget* window) : QObject(window), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != window_ || event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier)
            return false;
        guarded([&] { window_->close(); });
        return true;
    }

private:
    QWidget* window_;
};

} // namespace

void closeOnEscape(QWidget* window) {
    if (window)
        window->installEventFilter(new EscapeCloses(window));
}

} // namespace zb
