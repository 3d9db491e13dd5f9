#pragma once
// Starting a game from the table window: the start picture and File > "Start Game" open the
// start dialog while the core holds back its start offer; closing the dialog brings the offer
// back; starting while a game is being played asks first, since it ends that game for everybody.

#include <QObject>
#include <QPointer>

namespace zb {

class Dialogs;
class TableCore;
class Tgamestartform;
struct GameOptions;

class GameStarter : public QObject {
    Q_OBJECT
public:
    // window: the table window the dialog and the question belong to.
    GameStarter(TableCore& core, Dialogs& dialogs, QWidget* window);

    void setDialog(Tgamestartform* dialog);
    // The start picture or the menu item.
    void open();

private:
    void chosen(const GameOptions& options);

    TableCore& core_;
    Dialogs& dialogs_;
    QWidget* window_;
    QPointer<Tgamestartform> dialog_;
};

} // namespace zb
