#include "shell/dialogs.h"

#include "net/guard.h"

#include <QMessageBox>

namespace zb {
namespace {

QMessageBox* openBox(QMessageBox::Icon icon, QWidget* parent, const QString& title,
                     const QString& text, QMessageBox::StandardButtons buttons) {
    auto* box = new QMessageBox(icon, title, text, buttons, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    return box;
}

} // namespace

void MessageBoxDialogs::information(QWidget* parent, const QString& title, const QString& text,
                                    std::function<void()> then) {
    QMessageBox* box = openBox(QMessageBox::Information, parent, title, text, QMessageBox::Ok);
    QObject::connect(box, &QDialog::finished, box, [then = std::move(then)](int) {
        if (then)
            guarded(then);
    });
    box->open();
}

void MessageBoxDialogs::question(QWidget* parent, const QString& title, const QString& text,
                                 std::function<void(bool yes)> then) {
    QMessageBox* box =
        openBox(QMessageBox::Question, parent, title, text, QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::Yes);
    QObject::connect(box, &QDialog::finished, box, [box, then = std::move(then)](int) {
        const bool yes = box->clickedButton() == box->button(QMessageBox::Yes);
        if (then)
            guarded([&] { then(yes); });
    });
    box->open();
}

Dialogs& standardDialogs() {
    static MessageBoxDialogs dialogs;
    return dialogs;
}

} // namespace zb
