#include "table/tablemodel.h"

namespace zb {

namespace {

bool isRow(int row) {
    return row >= 1 && row <= TableModel::kRows;
}

} // namespace

TableModel::TableModel(QObject* parent) : QObject(parent) {
    state_.dicevalues.fill(0);
    for (int s = 1; s <= kSeats; ++s) {
        seats_[s].cells.fill(rules::kUnused);
        // The names under which the host's computer players take empty seats.
        if (s > 1)
            seats_[s].stored = QString::fromStdString(rules::computerName(s));
    }
}

void TableModel::setSeatName(int seat, const QString& name) {
    if (!isSeat(seat))
        return;
    seats_[seat].shown = name;
    seats_[seat].stored = name;
    emit seatChanged(seat);
}

void TableModel::showStoredName(int seat) {
    if (!isSeat(seat))
        return;
    seats_[seat].shown = seats_[seat].stored;
    emit seatChanged(seat);
}

void TableModel::setPresent(int seat) {
    if (!isSeat(seat))
        return;
    seats_[seat].present = true;
    emit seatChanged(seat);
}

void TableModel::setWatching(int seat, bool watching) {
    if (!isSeat(seat) || seats_[seat].watching == watching)
        return;
    seats_[seat].watching = watching;
    emit seatChanged(seat);
}

void TableModel::setTotal(int seat, const QString& total) {
    if (!isSeat(seat))
        return;
    seats_[seat].total = total;
    emit seatChanged(seat);
}

void TableModel::setCell(int seat, int row, int value) {
    if (!isSeat(seat) || !isRow(row))
        return;
    seats_[seat].cells[row] = value;
    emit cellChanged(seat, row);
}

QString TableModel::cellText(int seat, int row) const {
    if (!isSeat(seat) || !isRow(row) || seats_[seat].cells[row] == rules::kUnused)
        return {};
    return QString::number(seats_[seat].cells[row]);
}

void TableModel::clearCards() {
    for (int s = 1; s <= kSeats; ++s) {
        seats_[s].total = QStringLiteral("0");
        seats_[s].cells.fill(rules::kUnused);
    }
    emit cardsCleared();
}

QStringList TableModel::opponentNames() const {
    QStringList names;
    for (int s = 1; s <= kSeats; ++s) {
        if (s != state_.myseat && !seatWaiting(s))
            names << seats_[s].shown;
    }
    return names;
}

void TableModel::setRolls(int rolls) {
    if (rolls < 0 || rolls > 3)
        return;
    rolls_ = rolls;
    emit rollsChanged(rolls);
}

void TableModel::setDieState(int die, QChar state) {
    if (isDie(die))
        dice_[die].state = state;
}

void TableModel::placeDie(int die, int face) {
    if (!isDie(die))
        return;
    Die& d = dice_[die];
    d.face = face;
    d.bonusStyle = face == state_.dicevalues[0];
    d.clickable = state_.myTurn();
    d.state = QLatin1Char('o');
    state_.dicevalues[die] = face;
    emit diePlaced(die);
}

void TableModel::holdDie(int die) {
    if (!isDie(die))
        return;
    dice_[die].state = QLatin1Char('s');
    emit dieHeld(die, true);
}

void TableModel::releaseDie(int die) {
    if (!isDie(die))
        return;
    dice_[die].state = QLatin1Char('o');
    emit dieHeld(die, false);
}

bool TableModel::allHeldThisTurn() const {
    if (!rolledThisTurn())
        return false;
    for (int d = 1; d <= 5; ++d) {
        if (dice_[d].state != QLatin1Char('s'))
            return false;
    }
    return true;
}

void TableModel::showBonus(bool shown) {
    bonusShown_ = shown;
    emit bonusChanged();
}

void TableModel::setBonusFace(int face) {
    state_.dicevalues[0] = face;
    emit bonusChanged();
}

void TableModel::offerThrow(bool offered) {
    throwOffered_ = offered;
    emit throwChanged(offered);
}

void TableModel::setOwnWatching(bool watching) {
    ownWatching_ = watching;
    emit ownWatchingChanged(watching);
}

void TableModel::askZero(int category) {
    if (zeroCategory_ == category)
        return;
    zeroCategory_ = category;
    emit zeroChanged(category);
}

void TableModel::setWinner(const QString& text) {
    winner_ = text;
    emit winnerChanged(text);
}

} // namespace zb
