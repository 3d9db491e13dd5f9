// The board and the score card follow the table model: every change the handlers make to the
// model is drawn here, and nothing drawn here is read back for a decision.

#include "controls/picturebutton.h"
#include "table/board.h"
#include "table/scorecard.h"
#include "table/scorehints.h"
#include "table/tablemodel.h"
#include "table/tchat.h"
#include "table/zeropanel.h"

#include <QAction>

namespace zb {

void Tchat::bindViews() {
    const TableModel* m = model_;
    connect(m, &TableModel::seatChanged, this, [this, m](int seat) {
        const TableModel::Seat& s = m->seat(seat);
        card_->setSeat(seat, s.shown, s.stored);
        if (s.present)
            card_->showSeat(seat);
        card_->setWatching(seat, s.watching);
        card_->setTotal(seat, s.total);
    });
    connect(m, &TableModel::cellChanged, this,
            [this, m](int seat, int row) { card_->setCell(seat, row, m->seat(seat).cells[row]); });
    connect(m, &TableModel::cardsCleared, this, [this, m] { card_->clearall(m->state().myseat); });
    connect(m, &TableModel::rollsChanged, card_, &ScoreCard::setRolls);

    connect(m, &TableModel::diePlaced, this, [this, m](int die) {
        const TableModel::Die& d = m->die(die);
        board_->placedice(die, d.face, d.bonusStyle, d.clickable);
    });
    connect(m, &TableModel::dieHeld, this, [this](int die, bool held) {
        if (held)
            board_->holdDie(die);
        else
            board_->releaseDie(die);
    });
    connect(m, &TableModel::bonusChanged, this, [this, m] {
        const int face = m->state().dicevalues[0];
        if (face >= 0)
            board_->setBonusFace(face);
        board_->showBonus(m->bonusShown());
    });
    connect(m, &TableModel::throwChanged, board_->image_throwdice(), &QWidget::setVisible);
    connect(m, &TableModel::winnerChanged, this, [this](const QString& text) {
        if (text.isEmpty())
            board_->hideWinner();
        else
            board_->showWinner(text);
    });
    connect(m, &TableModel::zeroChanged, this, [this](int category) {
        ZeroPanel* panel = board_->panel_zero();
        panel->setCategory(category);
        panel->setVisible(category != 0);
        if (category != 0)
            panel->raise();
    });
    connect(m, &TableModel::ownWatchingChanged, menu_.JustWatch1, &QAction::setChecked);
    // The seats' names as a new model holds them (the computer players' names kept in store).
    for (int seat = 1; seat <= TableModel::kSeats; ++seat)
        card_->setSeat(seat, m->seat(seat).shown, m->seat(seat).stored);
}

void Tchat::showScoreHints() {
    // Drawn from the model alone, so hints come and go with the turn, the roll and the score.
    card_->setHints(settings_.prefs().scoreHints ? scoreHints(*model_) : ScoreHints());
}

} // namespace zb
