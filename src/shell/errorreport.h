#pragma once
// The general error report of the game: a failure that ended an event handler is shown in a
// message box. Only one box is ever open; errors that arrive while it is up are counted into it,
// so no remote peer can bury the player under dialogs. The box is non-modal (open(), no exec()).

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>

#include <QMessageBox> // box() converts the QPointer, which needs the whole class
class QWidget;

namespace zb {

class ErrorReport : public QObject {
    Q_OBJECT
public:
    explicit ErrorReport(QObject* parent = nullptr);
    ~ErrorReport() override;

    // Makes this the process's error reporter (zb::reportError) until destroyed.
    void install();
    void setParentWindow(QWidget* window) { parentWindow_ = window; }

    void report(const QString& text);

    // For tests and the table window: what the open box says, if one is open.
    bool isOpen() const { return !box_.isNull(); }
    QString firstText() const { return firstText_; }
    int extraCount() const { return extra_; }
    QMessageBox* box() const { return box_; }

private:
    void refresh();

    QPointer<QMessageBox> box_;
    QPointer<QWidget> parentWindow_;
    QString firstText_;
    int extra_ = 0;
    bool installed_ = false;
};

} // namespace zb
