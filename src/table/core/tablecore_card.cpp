// Choosing a category, the zero-score question, the host's refusals, posted scores and the end
// of the game with its hand-over to the tally.

#include "net/latin1.h"
#include "net/protocol.h"
#include "rules/rules.h"
#include "table/core/tablecore.h"
#include "table/core/tallysink.h"

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

// A total as the host sent it; text that is no number counts as nothing.
int totalValue(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : 0;
}

} // namespace

void TableCore::setDoubleCheck(bool on) {
    doubleCheck_ = on;
}

TableCore::Choice TableCore::chooseCategory(int category) {
    const bool allowed = isCategory(category) && myTurn() && mayact_ && rolledThisTurn();
    if (!allowed) {
        settle();
        return Choice::Refused;
    }
    if (doubleCheck_) {
        if (scoresSomething(dicevalues_, category))
            sendscore(category);
        else
            askZero(category);
        settle();
        return Choice::Checked;
    }
    sendscore(category);
    settle();
    return Choice::Sent;
}

void TableCore::sendscore(int category) {
    offerThrow(false);
    // The turn's score is on its way: a question still open for another category is moot.
    closeZero();
    setMayact(false);
    if (loggedin_)
        send(msg::toHost::setscore(myseat_, category));
}

void TableCore::answerZero(bool yes) {
    const int kept = zeroCategory_;
    if (!yes) {
        closeZero();
    } else if (kept != 0 && turnseat_ == myseat_) {
        sendscore(kept);
    }
    settle();
}

void TableCore::rollagain(Fields&) {
    setStatus(QStringLiteral("You need to roll the dice!"));
    offerThrow(true);
    setMayact(true);
    emit cue(Cue::Refused);
}

void TableCore::chooseagain(Fields&) {
    setStatus(QStringLiteral("Invalid Choice, Choose Again!"));
    setMayact(true);
    emit cue(Cue::Refused);
}

void TableCore::pscore(Fields& f) {
    const int seat = f.nextInt();
    const QByteArray total = f.next();
    const QByteArray category = f.next();
    // Every number is read before anything changes, so a bad field leaves the card as it was.
    const bool copy = category.startsWith('*');
    const int c = copy ? 0 : proto::toInt(category);
    std::array<int, rules::kEntries + 1> values{};
    int count = 0;
    while (count < rules::kEntries && !f.rest().isEmpty())
        values[++count] = f.nextInt();
    if (!isSeat(seat))
        return;

    setTotal(seat, fromWire(total));
    for (int row = 1; row <= count; ++row)
        setCell(seat, row, values[row]);
    if (copy || !isCategory(c))
        return;
    const QString cell = cellText(seat, c);
    setStatus(seats_[seat].shown + QStringLiteral(" tagged ") +
              QString::fromStdString(rules::categoryPhrase(c)) + QStringLiteral(" +") + cell);
    // A player scores 5 of a Kind once a game; a host that says so again counts nothing more.
    if (seat == myseat_ && c == rules::FiveKind && cell != QLatin1String("0") && gameRunning_ &&
        !fiveCounted_) {
        fiveCounted_ = true;
        tally_->recordFiveOfAKind();
    }
    emit scorePosted(c, cell);
}

void TableCore::winner(Fields& f) {
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
    announce(message);
    setHeading(QStringLiteral("Winner's Score Card"));
    setTurnMarker(0);
    setWinner(message);
    if (hostsGame())
        offerStart(true);
    emit cue(Cue::GameOver);
    // A game counts once, and only one that this table saw start: a host cannot make the tally
    // count games at will.
    if (isPlayer() && gameRunning_)
        tally_->recordGame(finishedGame());
    gameRunning_ = false;
}

FinishedGame TableCore::finishedGame() const {
    FinishedGame game;
    game.mySeat = myseat_;
    game.team = teamGame_;
    for (int s = 1; s <= rules::kSeats; ++s) {
        const SeatView& v = seats_[s];
        game.seats[s] = {v.shown, totalValue(v.total), hadTurn_[s] || v.anyCellUsed()};
    }
    return game;
}

} // namespace zb
