#include "table/gamestarter.h"

#include "net/gameoptions.h"
#include "shell/dialogs.h"
#include "table/core/tablecore.h"
#include "table/tgamestartform.h"

namespace zb {

GameStarter::GameStarter(TableCore& core, Dialogs& dialogs, QWidget* window)
    : QObject(window), core_(core), dialogs_(dialogs), window_(window) {}

void GameStarter::setDialog(Tgamestartform* dialog) {
    dialog_ = dialog;
    if (!dialog)
        return;
    dialog->setTable(window_);
    connect(dialog, &Tgamestartform::startClicked, this,
            [this](const GameOptions& options) { chosen(options); });
    connect(dialog, &Tgamestartform::dismissed, this, [this] { core_.cancelStartChoice(); });
}

void GameStarter::open() {
    core_.beginStartChoice();
    if (dialog_)
        dialog_->showOver(window_);
}

void GameStarter::chosen(const GameOptions& options) {
    if (!core_.gameRunning()) {
        core_.startGame(options);
        return;
    }
    // A new game ends the one being played for everybody at the table: never without a word.
    dialogs_.question(window_, QStringLiteral("Zorbinet"),
                      QStringLiteral("A game is in progress. Start a new game?"),
                      [this, options](bool yes) {
                          if (yes)
                              core_.startGame(options);
                          else
                              core_.cancelStartChoice();
                      });
}

} // namespace zb
