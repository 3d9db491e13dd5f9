// Game start, turns and dice: the table follows what the host announces and sends the local
// player's requests only while the turn is his and the host's last word allows them.

#include "net/latin1.h"
#include "net/protocol.h"
#include "table/core/tablecore.h"

#include <utility>
#include <vector>

namespace zb {

using proto::Fields;

void TableCore::beginStartChoice() {
    startOfferedBeforeChoice_ = startOffered_;
    offerStart(false);
}

void TableCore::cancelStartChoice() {
    offerStart(startOfferedBeforeChoice_);
}

void TableCore::startGame(const GameOptions& options) {
    if (loggedin_)
        send(msg::toHost::startgame(myseat_, options));
}

void TableCore::startthegame(Fields& f) {
    const int starter = f.nextInt();
    const QByteArray bonusWord = f.next();
    const QByteArray teamWord = f.next();
    if (!isSeat(starter))
        return;
    const GameOptions options = proto::gameOptions(bonusWord, teamWord);
    // Nothing of the last game stays on the board, its final score in the status line neither.
    setStatus(QStringLiteral("Welcome to Zorbinet!"));
    clearCards();
    setOwnColumn(OwnColumn::Fresh);
    setWinner(QString());
    closeZero();
    setMayact(false);
    setOwnWatching(false);
    dicevalues_[0] = -1;
    for (int d = 1; d <= rules::kDice; ++d)
        dice_[d].state = DieView::State::NotRolled;
    bonusShown_ = options.bonus;
    emit bonusChanged();
    gameRunning_ = true;
    gameSeen_ = true;
    teamGame_ = options.team;
    fiveCounted_ = false;
    hadTurn_.fill(false);

    QString line = seats_[starter].shown;
    line += options.team ? QStringLiteral(" has started a TEAM") : QStringLiteral(" has started a");
    if (options.bonus)
        line += QStringLiteral(" BONUS DICE");
    line += QStringLiteral(" game.");
    announce(line);

    // Empty seats go to the host's computer players.
    for (int s = 2; s <= rules::kSeats; ++s) {
        if (seats_[s].waiting)
            showStoredName(s);
    }
    for (int s = 1; s <= rules::kSeats; ++s)
        setWatching(s, false);
}

void TableCore::getnextplayer(Fields& f) {
    const int seat = f.nextInt();
    const QByteArray round = f.next();
    f.next(); // the seat's total; the card already shows it
    const int rolls = f.nextInt();
    if (!isSeat(seat))
        return;
    turnseat_ = seat;
    hadTurn_[seat] = true;
    // A question left open from an earlier turn would score for this one.
    closeZero();
    round_ = QStringLiteral("Round: ") + fromWire(round);
    emit roundChanged(round_);
    setRolls(rolls);
    setTurnMarker(seat);
    ownDiceShown_.reset();
    emit diceScattered();
    offerTurn(seat);
    if (myTurn())
        emit cue(Cue::TurnBegins);
}

void TableCore::offerTurn(int seat) {
    if (isPlayer())
        setOwnColumn(OwnColumn::Waiting);
    if (myTurn()) {
        setHeading(QStringLiteral("Your Turn."));
        offerThrow(rolls_ < 3);
        setMayact(true);
        setOwnColumn(OwnColumn::OwnTurn);
    } else if (seat == myseat_ && ownWatching_) {
        // The own seat while it just watches: not the player's turn to take. The own column's
        // marks say whose seat it is.
        setHeading(QStringLiteral("The computer's turn."));
        offerThrow(false);
        setMayact(false);
    } else {
        setHeading(seats_[seat].shown + QStringLiteral("'s turn."));
        offerThrow(false);
        setMayact(false);
    }
}

void TableCore::setDiceClickable(bool clickable) {
    for (int d = 1; d <= rules::kDice; ++d) {
        if (dice_[d].clickable != clickable) {
            dice_[d].clickable = clickable;
            emit dieClickableChanged(d, clickable);
        }
    }
}

std::chrono::milliseconds TableCore::now() const {
    if (clock_)
        return clock_();
    static QElapsedTimer steady;
    if (!steady.isValid())
        steady.start();
    return std::chrono::milliseconds(steady.elapsed());
}

void TableCore::roll() {
    // With every die held a roll would change nothing; the throw stays on offer.
    const bool doubleClick = ownDiceShown_ && now() - *ownDiceShown_ < rollRepeatGuard_;
    if (myTurn() && mayact_ && throwOffered_ && !allHeldThisTurn() && !doubleClick) {
        offerThrow(false);
        setMayact(false);
        send(msg::toHost::rolldice(myseat_));
    }
    settle();
}

void TableCore::thedice(Fields& f) {
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
    setRolls(rolls);
    for (const auto& [die, face] : rolled) {
        if (isDie(die) && face >= 0 && face <= 6)
            placeDie(die, face);
    }
    const bool ownSeat = seat == myseat_;
    const bool mine = ownSeat && myTurn();
    if (again == "y" && mine)
        offerThrow(true);
    if (mine) {
        setMayact(true);
        ownDiceShown_ = now();
    }
    emit cue(ownSeat ? Cue::DiceMine : Cue::DiceOther);
}

void TableCore::toggleDie(int die) {
    // A die takes clicks only on the table of the player who rolled it, and only while he may act.
    if (!isDie(die) || !dice_[die].clickable || !mayact_ || !myTurn())
        return;
    if (dice_[die].state == DieView::State::Open)
        send(msg::toHost::setdice(myseat_, die));
    else
        send(msg::toHost::unsetdice(myseat_, die));
}

void TableCore::setdice(Fields& f) {
    const int die = f.nextInt();
    if (!isDie(die))
        return;
    dice_[die].state = DieView::State::Held;
    emit dieHeld(die, true);
    emit cue(Cue::DieSet);
}

void TableCore::unsetdice(Fields& f) {
    const int die = f.nextInt();
    if (!isDie(die))
        return;
    dice_[die].state = DieView::State::Open;
    emit dieHeld(die, false);
    emit cue(Cue::DieUnset);
}

void TableCore::setbonusdice(Fields& f) {
    const int face = f.nextInt();
    if (face < 0 || face > 6)
        return;
    dicevalues_[0] = face;
    bonusShown_ = true;
    emit bonusChanged();
}

} // namespace zb
