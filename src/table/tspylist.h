#pragma once
// The window "Zorbinet -Spys": one line "<seat>: <name>" per spectator, in arrival order. The
// lines come and go with the spectators' connections whether the window is shown or not.

#include <QPointer>
#include <QStringList>
#include <QWidget>

class QListWidget;
class QPushButton;

namespace zb {

class Tspylist : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize kSize{170, 195};

    explicit Tspylist(QWidget* parent = nullptr);

    QListWidget* listbox_spys() const { return list_; }
    QPushButton* button_done() const { return done_; }

    void addSpy(const QString& line);
    // Removes the first line equal to line; false when there is none.
    bool removeSpy(const QString& line);
    QStringList lines() const;

    // The table window it stays on top of and is centred over.
    void setTable(QWidget* table);
    void showOver(QWidget* table = nullptr);

private:
    QListWidget* list_ = nullptr;
    QPushButton* done_ = nullptr;
    QPointer<QWidget> table_;
};

} // namespace zb
