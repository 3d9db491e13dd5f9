#pragma once
// Message boxes and yes/no questions of the game ("Game is full", "Cannot open Webpage", the
// tally's questions). They never run a nested event loop: each box opens and returns at once, and
// the answer arrives later through the callback, so no handler is re-entered while a box is up and
// headless tests never hang. Windows take a Dialogs& so tests can answer in place of a player.

#include <QString>
#include <functional>

class QWidget;

namespace zb {

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Shows text with an OK button; then runs (if set) once the box is closed, however it is.
    virtual void information(QWidget* parent, const QString& title, const QString& text,
                             std::function<void()> then = {}) = 0;

    // Asks a Yes/No question; then gets true for Yes and false for No or a box closed otherwise.
    virtual void question(QWidget* parent, const QString& title, const QString& text,
                          std::function<void(bool yes)> then) = 0;
};

// The real boxes: QMessageBox opened with open() (window-modal to parent when there is one) and
// deleted when closed. Callbacks run through zb::guarded().
class MessageBoxDialogs final : public Dialogs {
public:
    void information(QWidget* parent, const QString& title, const QString& text,
                     std::function<void()> then = {}) override;
    void question(QWidget* parent, const QString& title, const QString& text,
                  std::function<void(bool yes)> then) override;
};

// The process's MessageBoxDialogs, for windows that are given no other.
Dialogs& standardDialogs();

} // namespace zb
