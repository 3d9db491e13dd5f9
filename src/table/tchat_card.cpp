// Choosing a category, the zero-score question, the host's refusals, posted scores and the end
// of the game with its hand-over to the tally.

#include "controls/picturebutton.h"
#include "net/protocol.h"
#include "rules/rules.h"
#include "shell/latin1.h"
#include "table/board.h"
#include "table/scorecard.h"
#include "table/session.h"
#include "table/tablemodel.h"
#include "table/tallysink.h"
#include "table/tchat.h"

#include <QAction>
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
    ClientState& s = model_->state();
    const bool allowed = category >= 1 && category <= rules::kCategories && s.myTurn() &&
                         s.mayact && s.loggedin && model_->rolledThisTurn();
    if (allowed && settings_.prefs().doubleCheck) {
        doublecheck(category);
        refreshHints();
        return;
    }
    if (allowed) {
        model_->offerThrow(false);
        model_->askZero(0); // the turn's score is on its way
        s.mayact = false;
        sendRequest(msg::toHost::setscore(s.myseat, category));
    }
    focusChat();
    refreshHints();
}

void Tchat::doublecheck(int category) {
    if (category < 1 || category > rules::kCategories)
        return;
    if (scoresSomething(model_->state().dicevalues, category)) {
        sendscore(category);
        return;
    }
    model_->askZero(category);
}

void Tchat::sendscore(int category) {
    ClientState& s = model_->state();
    model_->offerThrow(false);
    // The turn's score is on its way: a question still open for another category is moot.
    model_->askZero(0);
    s.mayact = false;
    if (s.loggedin)
        sendRequest(msg::toHost::setscore(s.myseat, category));
}

void Tchat::yesClick() {
    const int kept = model_->zeroCategory();
    if (kept == 0)
        return;
    if (model_->state().turnseat != model_->state().myseat)
        return;
    sendscore(kept);
    refreshHints();
}

void Tchat::noClick() {
    model_->askZero(0);
}

void Tchat::rollagain(Fields&) {
    board_->setStatus(QStringLiteral("You need to roll the dice!"));
    model_->offerThrow(true);
    model_->state().mayact = true;
    sounds_.refused();
}

void Tchat::chooseagain(Fields&) {
    board_->setStatus(QStringLiteral("Invalid Choice, Choose Again!"));
    model_->state().mayact = true;
    sounds_.refused();
}

void Tchat::pscore(Fields& f) {
    const int seat = f.nextInt();
    const QByteArray total = f.next();
    const QByteArray category = f.next();
    // Every number is read before anything changes, so a bad field leaves the card as it was.
    const bool copy = category.startsWith('*');
    const int c = copy ? 0 : proto::toInt(category);
    std::array<int, TableModel::kRows + 1> values{};
    int count = 0;
    while (count < TableModel::kRows && !f.rest().isEmpty())
        values[++count] = f.nextInt();
    if (!isSeat(seat))
        return;

    TableModel& m = *model_;
    m.setTotal(seat, fromWire(total));
    for (int row = 1; row <= count; ++row)
        m.setCell(seat, row, values[row]);
    if (copy || c < 1 || c > rules::kCategories)
        return;
    const QString cell = m.cellText(seat, c);
    board_->setStatus(m.seat(seat).shown + QStringLiteral(" tagged ") +
                      QString::fromStdString(rules::categoryPhrase(c)) + QStringLiteral(" +") +
                      cell);
    if (seat == m.state().myseat && c == rules::FiveKind && cell != QLatin1String("0"))
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
    model_->setWinner(message);
    if (hostsGame())
        board_->button_start()->show();
    sounds_.gameOver();
    const ClientState& s = model_->state();
    if (s.isPlayer()) {
        tally_->checkhighscore(model_->seat(s.myseat).total);
        tally_->addgame(mine ? QStringLiteral("addtomine") : names);
    }
}

} // namespace zb
