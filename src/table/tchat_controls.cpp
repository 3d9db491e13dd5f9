// The player's input: clicks on the board and the card, the Game menu's keys, the menu items,
// the seat popup, the chat line, the phrase buttons and the side windows, each passed on to the
// core's intent. The core decides whether anything is sent; the window only moves the focus.

#include "net/guard.h"
#include "rules/rules.h"
#include "shell/chatpanel.h"
#include "shell/phrasebuttons.h"
#include "table/board.h"
#include "table/core/coach.h"
#include "table/core/session.h"
#include "table/core/tablecore.h"
#include "table/core/tablelink.h"
#include "table/gamestarter.h"
#include "table/keyboard.h"
#include "table/scorecard.h"
#include "table/seatpopup.h"
#include "table/tchat.h"
#include "table/tgamestartform.h"
#include "table/tspylist.h"
#include "table/zeropanel.h"

#include <QAction>
#include <QLineEdit>

namespace zb {

void Tchat::attachWindows(Tgamestartform* gamestart, Tspylist* spylist) {
    gamestart_ = gamestart;
    spylist_ = spylist;
    starter_->setDialog(gamestart);
    if (spylist_) {
        spylist_->setTable(this);
        spylist_->setSpectators(core_->spectators());
        connect(spylist_, &Tspylist::kickRequested, this,
                [this](int seat) { guarded([&] { core_->removePlayer(seat); }); });
    }
}

void Tchat::connectControls() {
    connectMenu();
    connect(board_, &Board::throwClicked, this, [this] { throwClick(); });
    connect(board_, &Board::startClicked, starter_, &GameStarter::open);
    connect(board_, &Board::dieClicked, this, [this](int die) { core_->toggleDie(die); });
    connect(card_, &ScoreCard::categoryClicked, this, [this](int c) { categoryClick(c); });
    connect(board_->panel_zero(), &ZeroPanel::yesClicked, this,
            [this] { core_->answerZero(true); });
    connect(board_->panel_zero(), &ZeroPanel::noClicked, this,
            [this] { core_->answerZero(false); });

    chat_->setSendLine([this](const QString& typed, const QString& colour) {
        return core_->sendChatLine(typed, colour);
    });
    phrases_->setSend([this](const QString& phrase,
                             const QString& colour) { return core_->sendPhrase(phrase, colour); },
                      [this](int wave) { return core_->sendChatterSound(wave); });
    // The cool-down counts ticks of the dispatch timer, which runs only while there is work.
    Session& session = core_->session();
    session.setCooldown([this] { return phrases_->coolingDown(); }, [this] { phrases_->tick(); });
    connect(phrases_, &PhraseButtons::cooldownStarted, this, [&session] { session.wake(); });
    connectKeyboard();
    popup_kick_->attach(*card_, *core_);
}

void Tchat::connectMenu() {
    auto item = [this](QAction* action, auto run) {
        connect(action, &QAction::triggered, this, [run] { guarded(run); });
    };
    item(menu_.Exit1, [this] { close(); });
    item(menu_.StartGame1, [this] { starter_->open(); });
    item(menu_.JoinAgain1, [this] { link_->joinAgain(); });
    item(menu_.SuggestMove1, [this] { coach_->suggest(); });
    connect(link_, &TableLink::joinAgainOffered, menu_.JoinAgain1, &QAction::setEnabled);
    item(menu_.ResetScreenLocation1, [this] { setOuterBounds(kDefaultBounds); });
    item(menu_.JustWatch1, [this] {
        // A checkable item ticks itself when chosen; its tick shows only what the host announced.
        menu_.JustWatch1->setChecked(core_->ownWatching());
        core_->toggleJustWatch();
    });
    connect(menu_.Help2, &QAction::triggered, this, &Tchat::showHelp);
    connect(menu_.About1, &QAction::triggered, this, &Tchat::showAbout);
    connect(menu_.ViewTally1, &QAction::triggered, this, &Tchat::showTally);
    connect(menu_.SpyList1, &QAction::triggered, this, &Tchat::showSpyList);
    connect(menu_.PhraseList1, &QAction::triggered, this, &Tchat::showPhrases);
}

void Tchat::connectKeyboard() {
    KeyboardPlay::Handlers h;
    h.throwClick = [this] { throwClick(); };
    h.dieClick = [this](int die) { core_->toggleDie(die); };
    h.categoryClick = [this](int row) { categoryClick(row); };
    h.yesClick = [this] { core_->answerZero(true); };
    h.noClick = [this] { core_->answerZero(false); };
    h.focusChat = [this] { focusChat(); };
    keyboard_ = new KeyboardPlay(*core_, std::move(h), this);
    keyboard_->attachMenu(menu_);
    keyboard_->watchChatLine(chat_->mychat());
    connect(keyboard_, &KeyboardPlay::cursorMoved, card_, &ScoreCard::setCursor);

    tellShortcuts(menu_, *board_, *card_);
}

void Tchat::throwClick() {
    core_->roll();
    focusChat();
}

void Tchat::categoryClick(int category) {
    // The zero question, when it is asked, wants the player's eyes on the board.
    if (core_->chooseCategory(category) != TableCore::Choice::Checked)
        focusChat();
}

} // namespace zb
