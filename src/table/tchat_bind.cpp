// The table core drawn on the window: every change the core announces reaches the board, the
// score card, the chat, the menu and the side windows here, in one place. Nothing drawn here is
// read back for a decision.

#include "controls/picturebutton.h"
#include "shell/chatpanel.h"
#include "shell/dialogs.h"
#include "table/board.h"
#include "table/core/coach.h"
#include "table/core/tablecore.h"
#include "table/scorecard.h"
#include "table/tablesettings.h"
#include "table/tablesounds.h"
#include "table/tchat.h"
#include "table/tspylist.h"
#include "table/zeropanel.h"

#include <QAction>

namespace zb {

void Tchat::bindCore() {
    bindCard();
    bindBoard();
    bindSession();
}

void Tchat::bindCard() {
    const TableCore* c = core_;
    connect(c, &TableCore::seatChanged, this, [this, c](int seat) {
        const SeatView& s = c->seat(seat);
        card_->setSeat(seat, s.shown, s.stored, s.waiting);
        if (s.present)
            card_->showSeat(seat);
        card_->setWatching(seat, s.watching);
        card_->setTotal(seat, s.total);
    });
    connect(c, &TableCore::cellChanged, this,
            [this, c](int seat, int row) { card_->setCell(seat, row, c->seat(seat).cells[row]); });
    connect(c, &TableCore::cardsCleared, this, [this, c] { card_->clearall(c->myseat()); });
    connect(c, &TableCore::ownColumnChanged, this, [this, c](OwnColumn colouring) {
        if (colouring == OwnColumn::Waiting)
            card_->setColumnColour(c->myseat(), ScoreCard::kMaroon);
        else if (colouring == OwnColumn::OwnTurn)
            card_->setColumnColour(c->myseat(), ScoreCard::kGreen);
    });
    connect(c, &TableCore::rollsChanged, card_, &ScoreCard::setRolls);
    connect(c, &TableCore::roundChanged, card_, &ScoreCard::setRound);
    connect(c, &TableCore::headingChanged, card_, &ScoreCard::setHeading);
    connect(c, &TableCore::turnMarkerChanged, card_, &ScoreCard::markTurn);
    connect(c, &TableCore::choosableChanged, card_, &ScoreCard::setChoosable);
    connect(c, &TableCore::hintsChanged, this, [this] { showScoreHints(); });
    connect(c, &TableCore::hostRightsChanged, menu_.StartGame1, &QAction::setEnabled);
    connect(c, &TableCore::ownWatchingChanged, menu_.JustWatch1, &QAction::setChecked);
    // The own column's tint follows the seat the host gives.
    connect(c, &TableCore::seatAssigned, this,
            [this, c] { card_->setOwnColumn(c->isPlayer() ? c->myseat() : 0); });
    // The seats' names as a new core holds them (the computer players' names kept in store).
    for (int seat = 1; seat <= rules::kSeats; ++seat)
        card_->setSeat(seat, c->seat(seat).shown, c->seat(seat).stored, c->seat(seat).waiting);
    menu_.StartGame1->setEnabled(c->hostsGame());
}

void Tchat::bindBoard() {
    const TableCore* c = core_;
    connect(c, &TableCore::diePlaced, this, [this, c](int die) {
        const DieView& d = c->die(die);
        board_->placedice(die, d.face, d.bonusStyle, d.clickable);
    });
    connect(c, &TableCore::dieHeld, this, [this](int die, bool held) {
        if (held)
            board_->holdDie(die);
        else
            board_->releaseDie(die);
    });
    connect(c, &TableCore::diceScattered, board_, &Board::scatter);
    connect(c, &TableCore::bonusChanged, this, [this, c] {
        const int face = c->dicevalues()[0];
        if (face >= 0)
            board_->setBonusFace(face);
        board_->showBonus(c->bonusShown());
    });
    connect(c, &TableCore::throwOfferChanged, board_->image_throwdice(), &QWidget::setVisible);
    connect(c, &TableCore::startOfferChanged, board_->button_start(), &QWidget::setVisible);
    connect(c, &TableCore::statusChanged, board_, &Board::setStatus);
    connect(c, &TableCore::winnerChanged, this, [this](const QString& text) {
        if (text.isEmpty())
            board_->hideWinner();
        else
            board_->showWinner(text);
    });
    connect(c, &TableCore::zeroChanged, this, [this](int category) {
        ZeroPanel* panel = board_->panel_zero();
        panel->setVisible(category != 0);
        if (category != 0)
            panel->raise();
    });
}

void Tchat::bindSession() {
    const TableCore* c = core_;
    connect(c, &TableCore::systemLine, this, [this](const QString& text, quint32 colour) {
        addlinetochat(QStringLiteral("0+") + text, colour);
    });
    connect(c, &TableCore::chatReceived, chat_, &ChatPanel::chatrecieved);
    connect(sounds_, &TableSounds::chatLine, this, &Tchat::addlinetochat);
    connect(c, &TableCore::spectatorsChanged, this, [this, c] {
        if (spylist_)
            spylist_->setSpectators(c->spectators());
    });
    connect(c, &TableCore::selfAnnounced, this, [this] {
        settings_->load();
        core_->reportBotSpeed(settings_->prefs().botSpeed);
    });
    connect(settings_, &TableSettings::changed, this, [this] {
        core_->setDoubleCheck(settings_->prefs().doubleCheck);
        coach_->setAlways(settings_->prefs().showBestMove);
        showScoreHints();
    });
    connect(coach_, &Coach::changed, this, [this] {
        const std::optional<Suggestion>& s = coach_->suggestion();
        board_->setCoach(coach_->text(), s ? s->keep : std::array<bool, 6>{});
        ScoreCard::CoachMarks marks;
        if (s) {
            marks.seat = core_->myseat();
            marks.best = s->category;
            marks.total = s->categoryTotal;
        }
        card_->setCoach(marks);
    });
    // Closing at once would look like a crash: the window goes once the player has read why.
    connect(c, &TableCore::gameFull, this, [this] {
        dialogs_->information(this, QStringLiteral("Zorbinet"), QStringLiteral("Game is full"),
                              [this] { close(); });
    });
    connect(c, &TableCore::lost, this, [this] {
        dialogs_->information(this, QStringLiteral("Zorbinet"),
                              QStringLiteral("The connection to the game host was lost."),
                              [this] { close(); });
    });
}

void Tchat::showScoreHints() {
    // Drawn from the core alone, so hints come and go with the turn, the roll and the score.
    card_->setHints(settings_->prefs().scoreHints ? core_->hints() : ScoreHints());
}

} // namespace zb
