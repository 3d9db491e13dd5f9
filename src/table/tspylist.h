#pragma once
// The window "Zorbinet -Spys": one line "<seat>: <name>" per spectator, in arrival order, as the
// table core lists them. The lines come and go with the spectators' connections whether the
// window is shown or not. Spectators cannot be removed: the list's popup item "Remove From Game"
// stays greyed for good.

#include "table/core/tablestate.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

class QAction;
class QListWidget;
class QMenu;
class QPushButton;

namespace zb {

class Tspylist : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize kSize{170, 195};

    explicit Tspylist(QWidget* parent = nullptr);

    QListWidget* listbox_spys() const { return list_; }
    QPushButton* button_done() const { return done_; }
    QMenu* popup_kickhim() const { return popup_; }
    QAction* RemoveFromGame2() const { return remove_; }

    // The spectators to show, replacing what was shown.
    void setSpectators(const QList<Spectator>& spectators);
    QStringList lines() const;

    // The table window it stays on top of and is centred over.
    void setTable(QWidget* table);
    void showOver(QWidget* table = nullptr);

    // The seat of the spectator under the pointer; 0 when the pointer is over no line.
    int seatUnderPointer() const;

signals:
    // The popup item's action, were it ever enabled: remove the spectator of that seat.
    void kickRequested(int seat);

private:
    void RemoveFromGame2Click();

    QListWidget* list_ = nullptr;
    QPushButton* done_ = nullptr;
    QMenu* popup_ = nullptr;
    QAction* remove_ = nullptr;
    QList<Spectator> spectators_;
    QPointer<QWidget> table_;
};

} // namespace zb
