// Choosing a category, the zero-score question, the host's refusals, posted scores and the end
// of the game with its hand-over to the tally.

#include "controls/picturebutton.h"
#include "net/protocol.h"
#include "rules/rules.h"
#include "shell/latin1.h"
#include "table/board.h"
#include "table/scorecard.h"
#include "table/session.h"
#include "table/tallysink.h"
#include "table/tchat.h"
#include "table/zeropanel.h"

#include <QAction>
#include <QLabel>
#include <array>

namespace zb {

using proto::Fields;

namespace {

// The zero-score test of a category on the dice as last drawn: whether it would score anything.
bool scoresSomething(const std::array<int, 6>& dicevalues, int category) {
    const rules::Dice d{dicevalues[1], dicevalues[2], dicevalues[3], dicevalues[4], dicevalues[5]};
    switch (category) {
    case rules::FourKind:
        return rules::hasFourKind(d);
    case rules::FullHouse:
        return rules::hasFullHouse(d);
    case rules::SmStraight:
        return rules::hasSmallStraight(d);
    case rules::BigStraight:
        return rules::hasBigStraight(d);
    case rules::FiveKind:
        return rules::hasFiveKind(d);
    case rules::Freebie:
        return true;
    default:
        for (int face : d) {
            if (face == category)
                return true;
        }
        return false;
    }
}

} // namespace

void Tchat::cardClick(int category) {
    ClientState& s = session_->state();
    const bool allowed = category >= 1 && category <= rules::kCategories && s.myTurn() &&
                         s.mayact && s.loggedin && card_->rollMarkerShown(1);
    if (allowed && settings_.prefs().doubleCheck) {
        doublecheck(category);
        refreshHints();
        return;
    }
    if (allowed) {
        board_->image_throwdice()->hide();
        s.mayact = false;
        sendRequest(msg::toHost::setscore(s.myseat, category));
    }
    focusChat();
    refreshHints();
}

void Tchat::doublecheck(int category) {
    if (category < 1 || category > rules::kCategories)
        return;
    if (scoresSomething(session_->state().dicevalues, category)) {
        sendscore(category);
        return;
    }
    board_->panel_zero()->setCategory(category);
    board_->panel_zero()->show();
    board_->panel_zero()->raise();
}

void Tchat::sendscore(int category) {
    ClientState& s = session_->state();
    board_->image_throwdice()->hide();
    s.mayact = false;
    if (s.loggedin)
        sendRequest(msg::toHost::setscore(s.myseat, category));
}

void Tchat::yesClick() {
    ZeroPanel* panel = board_->panel_zero();
    const int kept = panel->category();
    if (kept == 0)
        return;
    if (session_->state().turnseat != session_->state().myseat)
        return;
    sendscore(kept);
    panel->setCategory(0);
    panel->hide();
    refreshHints();
}

void Tchat::noClick() {
    board_->panel_zero()->setCategory(0);
    board_->panel_zero()->hide();
}

void Tchat::rollagain(Fields&) {
    board_->setStatus(QStringLiteral("You need to roll the dice!"));
    board_->image_throwdice()->show();
    session_->state().mayact = true;
    sounds_.refused();
}

void Tchat::chooseagain(Fields&) {
    board_->setStatus(QStringLiteral("Invalid Choice, Choose Again!"));
    session_->state().mayact = true;
    sounds_.refused();
}

void Tchat::pscore(Fields& f) {
    const int seat = f.nextInt();
    const QByteArray total = f.next();
    const QByteArray category = f.next();
    // Every number is read before anything changes, so a bad field leaves the card as it was.
    const bool copy = category.startsWith('*');
    const int c = copy ? 0 : proto::toInt(category);
    std::array<int, ScoreCard::kRows + 1> values{};
    int count = 0;
    while (count < ScoreCard::kRows && !f.rest().isEmpty())
        values[++count] = f.nextInt();
    if (!isSeat(seat))
        return;

    card_->setTotal(seat, fromWire(total));
    for (int row = 1; row <= count; ++row)
        card_->setCell(seat, row, values[row]);
    if (copy || c < 1 || c > rules::kCategories)
        return;
    const QString cell = card_->cellText(seat, c);
    board_->setStatus(card_->seatName(seat) + QStringLiteral(" tagged ") +
                      QString::fromStdString(rules::categoryPhrase(c)) + QStringLiteral(" +") +
                      cell);
    if (seat == session_->state().myseat && c == rules::FiveKind && cell != QLatin1String("0"))
        tally_->addtomine(3);
    sounds_.scorePosted(c, cell);
}

void Tchat::winner(Fields& f) {
    const QByteArray field = f.next();
    const QString names = fromWire(field);
    const bool mine = field == toWire(playername_);
    QString message;
    if (names.contains(QLatin1String(" and ")))
        message = names + QStringLiteral(" have Won the Game!");
    else if (mine)
        message = QStringLiteral("You have Won the Game!");
    else
        message = names + QStringLiteral(" has Won the Game!");
    systemLine(message);
    card_->setHeading(QStringLiteral("Winner's Score Card"));
    card_->markTurn(0);
    board_->showWinner(message);
    if (hosting_)
        board_->button_start()->show();
    sounds_.gameOver();
    const ClientState& s = session_->state();
    if (s.isPlayer()) {
        tally_->checkhighscore(card_->label_score(s.myseat)->text());
        tally_->addgame(mine ? QStringLiteral("addtomine") : names);
    }
}

} // namespace zb
