// Game start, turns and dice: the table follows what the host announces and sends the local
// player's requests only while the turn is his and the host's last word allows them.

#include "controls/picturebutton.h"
#include "net/protocol.h"
#include "shell/latin1.h"
#include "table/board.h"
#include "table/scorecard.h"
#include "table/session.h"
#include "table/tablemodel.h"
#include "table/tchat.h"
#include "table/tgamestartform.h"

#include <QAction>
#include <QCheckBox>
#include <utility>
#include <vector>

namespace zb {

using proto::Fields;

void Tchat::button_startClick() {
    board_->button_start()->hide();
    if (gamestart_)
        gamestart_->showOver(this);
}

void Tchat::startgame() {
    if (!gamestart_)
        return;
    const bool bonus = gamestart_->bonus()->isChecked();
    const bool team = gamestart_->team()->isChecked();
    const ClientState& s = model_->state();
    if (s.loggedin)
        sendRequest(msg::toHost::startgame(s.myseat, bonus, team));
}

void Tchat::startthegame(Fields& f) {
    const int starter = f.nextInt();
    const QByteArray bonus = f.next();
    const QByteArray team = f.next();
    if (!isSeat(starter))
        return;
    TableModel& m = *model_;
    ClientState& s = m.state();
    m.clearCards();
    m.setWinner(QString());
    m.askZero(0);
    s.mayact = false;
    m.setOwnWatching(false);
    s.dicevalues[0] = -1;
    for (int d = 1; d <= 5; ++d)
        m.setDieState(d, QLatin1Char('1'));
    m.showBonus(bonus == "t");

    QString line = m.seat(starter).shown;
    line +=
        team == "true" ? QStringLiteral(" has started a TEAM") : QStringLiteral(" has started a");
    if (bonus == "t")
        line += QStringLiteral(" BONUS DICE");
    line += QStringLiteral(" game.");
    systemLine(line);

    // Empty seats go to the host's computer players.
    for (int seat = 2; seat <= 4; ++seat) {
        if (m.seatWaiting(seat))
            m.showStoredName(seat);
    }
    for (int seat = 1; seat <= 4; ++seat)
        m.setWatching(seat, false);
}

void Tchat::getnextplayer(Fields& f) {
    const int seat = f.nextInt();
    const QByteArray round = f.next();
    f.next(); // the seat's total; the card already shows it
    const int rolls = f.nextInt();
    if (!isSeat(seat))
        return;
    TableModel& m = *model_;
    ClientState& s = m.state();
    s.turnseat = seat;
    // A question left open from an earlier turn would score for this one.
    m.askZero(0);
    card_->setRound(QStringLiteral("Round: ") + fromWire(round));
    m.setRolls(rolls);
    card_->markTurn(seat);
    board_->scatter();
    if (s.isPlayer())
        card_->setColumnColour(s.myseat, ScoreCard::kMaroon);
    if (s.myTurn()) {
        card_->setHeading(QStringLiteral("Your Turn."));
        m.offerThrow(true);
        s.mayact = true;
        card_->setColumnColour(s.myseat, ScoreCard::kGreen);
        sounds_.turnBegins();
    } else {
        card_->setHeading(m.seat(seat).shown + QStringLiteral("'s turn."));
        m.offerThrow(false);
        s.mayact = false;
    }
}

void Tchat::image_throwdiceClick() {
    ClientState& s = model_->state();
    // With every die held a roll would change nothing; the throw stays on offer.
    if (s.myTurn() && s.mayact && s.loggedin && !model_->allHeldThisTurn()) {
        model_->offerThrow(false);
        s.mayact = false;
        sendRequest(msg::toHost::rolldice(s.myseat));
    }
    focusChat();
    refreshHints();
}

void Tchat::thedice(Fields& f) {
    const int seat = f.nextInt();
    const QByteArray again = f.next();
    const int rolls = f.nextInt();
    std::vector<std::pair<int, int>> rolled;
    while (!f.rest().isEmpty()) {
        const int die = f.nextInt();
        rolled.emplace_back(die, f.nextInt());
    }
    if (!isSeat(seat))
        return;
    ClientState& s = model_->state();
    model_->setRolls(rolls);
    for (const auto& [die, face] : rolled) {
        if (isDie(die) && face >= 0 && face <= 6)
            placedice(die, face);
    }
    const bool mine = seat == s.myseat;
    if (again == "y" && mine)
        model_->offerThrow(true);
    if (mine)
        s.mayact = true;
    sounds_.diceRolled(mine);
}

void Tchat::placedice(int die, int face) {
    model_->placeDie(die, face);
}

void Tchat::diceClick(int die) {
    const ClientState& s = model_->state();
    if (!isDie(die) || !s.mayact || !s.myTurn() || !s.loggedin)
        return;
    if (model_->die(die).state == QLatin1Char('o'))
        sendRequest(msg::toHost::setdice(s.myseat, die));
    else
        sendRequest(msg::toHost::unsetdice(s.myseat, die));
}

void Tchat::setdice(Fields& f) {
    const int die = f.nextInt();
    if (!isDie(die))
        return;
    model_->holdDie(die);
    sounds_.dieSet();
}

void Tchat::unsetdice(Fields& f) {
    const int die = f.nextInt();
    if (!isDie(die))
        return;
    model_->releaseDie(die);
    sounds_.dieUnset();
}

void Tchat::setbonusdice(Fields& f) {
    const int face = f.nextInt();
    if (face < 0 || face > 6)
        return;
    model_->setBonusFace(face);
    model_->showBonus(true);
}

} // namespace zb
