#pragma once
// The seat popup `popup_kick`: the context menu of the four seat names on the score card. Only
// the host's table may set seats to watch and remove players; elsewhere the menu still opens, all
// greyed, so every player sees the same menu. It keeps the seat it was last opened for and asks
// the table core for what its items stand for; the core decides what is sent.

#include <QMenu>

class QAction;

namespace zb {

class ScoreCard;
class TableCore;

class SeatPopup : public QMenu {
    Q_OBJECT
public:
    explicit SeatPopup(QWidget* parent = nullptr);

    // Enables the items for seat 1..4 and keeps the seat. waiting: the seat's label shows
    // "<Waiting>", so there is nobody to remove.
    void prepare(int seat, bool hosting, bool waiting);
    // Opens on a right click on each seat's name and passes the items on to the core.
    void attach(ScoreCard& card, TableCore& core);
    int seat() const { return seat_; }

    QAction* RemoveFromGame1() const { return remove_; }
    QAction* SettoJustWatch1() const { return setWatch_; }
    QAction* UnsetJustWatch1() const { return unsetWatch_; }

private:
    QAction* remove_ = nullptr;
    QAction* setWatch_ = nullptr;
    QAction* unsetWatch_ = nullptr;
    int seat_ = 0;
};

} // namespace zb
