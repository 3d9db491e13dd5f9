#include "table/core/tablecore.h"

#include "net/commandwords.h"
#include "net/protocol.h"
#include "table/core/session.h"
#include "table/core/tallysink.h"

namespace zb {

namespace word = proto::word;

TableCore::TableCore(QObject* parent) : QObject(parent), tally_(&noTally()) {
    session_ = new Session(this);
    dicevalues_.fill(0);
    // The names under which the host's computer players take empty seats.
    for (int s = 2; s <= rules::kSeats; ++s)
        seats_[s].stored = QString::fromStdString(rules::computerName(s));
    registerHandlers();
}

TableCore::~TableCore() = default;

void TableCore::setSend(std::function<void(const QByteArray& message)> send) {
    session_->setSend(std::move(send));
}

void TableCore::setTally(TallySink* tally) {
    tally_ = tally ? tally : &noTally();
}

void TableCore::registerHandlers() {
    // The order of the dispatch table; every word is distinct, so only the words matter.
    dispatchTo(word::playasound, &TableCore::playasound);
    dispatchTo(word::sendlogininfo, &TableCore::sendlogininfo);
    dispatchTo(word::chat, &TableCore::chatrecieved);
    dispatchTo(word::action, &TableCore::chatrecieved);
    dispatchTo(word::newplayerinfo, &TableCore::newplayerinfo);
    dispatchTo(word::havewrongversion, &TableCore::havewrongversion);
    dispatchTo(word::wrongversion, &TableCore::wrongversion);
    dispatchTo(word::existingplayers, &TableCore::newplayerinfo);
    dispatchTo(word::playerdisconnected, &TableCore::playerdisconnected);
    dispatchTo(word::startgame, &TableCore::startthegame);
    dispatchTo(word::nextplayer, &TableCore::getnextplayer);
    dispatchTo(word::winner, &TableCore::winner);
    dispatchTo(word::full, &TableCore::full);
    dispatchTo(word::justwatching, &TableCore::justwatching);
    dispatchTo(word::thedice, &TableCore::thedice);
    dispatchTo(word::unsetdice, &TableCore::unsetdice);
    dispatchTo(word::setdice, &TableCore::setdice);
    dispatchTo(word::chooseagain, &TableCore::chooseagain);
    dispatchTo(word::rollagain, &TableCore::rollagain);
    dispatchTo(word::pscore, &TableCore::pscore);
    dispatchTo(word::setbonusdice, &TableCore::setbonusdice);
    session_->setAfterMessage([this] { afterMessage(); });
}

void TableCore::dispatchTo(const char* command, Handler handler) {
    session_->addHandler(command, [this, handler](proto::Fields& f) {
        // Also after a handler that failed half way: what it changed is announced all the same.
        try {
            (this->*handler)(f);
        } catch (...) {
            settle();
            throw;
        }
        settle();
    });
}

void TableCore::afterMessage() {
    checkLost();
}

bool TableCore::receive(QByteArrayView bytes) {
    return session_->receive(bytes);
}

void TableCore::send(const QByteArray& message) {
    session_->send(message);
}

void TableCore::announce(const QString& text, quint32 colour) {
    emit systemLine(text, colour);
}

// ---- Derived state -----------------------------------------------------------------------------

void TableCore::settle() {
    const bool choosable = myTurn() && mayact_ && rolledThisTurn();
    if (choosable != choosable_) {
        choosable_ = choosable;
        emit choosableChanged(choosable);
    }
    const ScoreHints hints = scoreHints(*this);
    if (!(hints == hints_)) {
        hints_ = hints;
        emit hintsChanged();
    }
    const bool rights = hostsGame();
    if (rights != hostRights_) {
        hostRights_ = rights;
        emit hostRightsChanged(rights);
    }
    QStringList players;
    for (int s = 1; s <= rules::kSeats; ++s) {
        if (s == myseat_)
            continue;
        // Before the first game the table lists whoever sits at it; from then on the seats
        // that take part in the game.
        const SeatView& v = seats_[s];
        const bool inGame = hadTurn_[s] || v.anyCellUsed();
        if (gameSeen_ ? inGame : !v.waiting)
            players << v.shown;
    }
    if (players != currentPlayers_) {
        currentPlayers_ = players;
        tally_->currentPlayers(players);
    }
    emit settled();
}

// ---- Reading -----------------------------------------------------------------------------------

const SeatView& TableCore::seat(int seat) const {
    static const SeatView none;
    return isSeat(seat) ? seats_[seat] : none;
}

QString TableCore::seatName(int seat) const {
    return isSeat(seat) ? seats_[seat].shown : QString();
}

QString TableCore::cellText(int seat, int row) const {
    if (!isSeat(seat) || !isRow(row) || seats_[seat].cells[row] == rules::kUnused)
        return {};
    return QString::number(seats_[seat].cells[row]);
}

const DieView& TableCore::die(int die) const {
    static const DieView none;
    return isDie(die) ? dice_[die] : none;
}

bool TableCore::allHeldThisTurn() const {
    // Dice held at the end of an earlier turn do not count: the host frees them silently when a
    // turn begins.
    if (!rolledThisTurn())
        return false;
    for (int d = 1; d <= rules::kDice; ++d) {
        if (dice_[d].state != DieView::State::Held)
            return false;
    }
    return true;
}

// ---- Writing: every field through one of these, each with its signal --------------------------

void TableCore::setMayact(bool on) {
    // Not shown by itself: choosable() and the hints follow it in settle().
    mayact_ = on;
}

void TableCore::offerThrow(bool offered) {
    throwOffered_ = offered;
    emit throwOfferChanged(offered);
}

void TableCore::offerStart(bool offered) {
    startOffered_ = offered;
    emit startOfferChanged(offered);
}

void TableCore::setRolls(int rolls) {
    if (rolls < 0 || rolls > 3)
        return;
    rolls_ = rolls;
    emit rollsChanged(rolls);
}

void TableCore::setHeading(const QString& text) {
    heading_ = text;
    emit headingChanged(text);
}

void TableCore::setStatus(const QString& text) {
    status_ = text;
    emit statusChanged(text);
}

void TableCore::setTurnMarker(int seat) {
    turnMarker_ = seat;
    emit turnMarkerChanged(seat);
}

void TableCore::setOwnColumn(OwnColumn colouring) {
    ownColumn_ = colouring;
    emit ownColumnChanged(colouring);
}

void TableCore::setOwnWatching(bool watching) {
    ownWatching_ = watching;
    emit ownWatchingChanged(watching);
}

void TableCore::askZero(int category) {
    if (zeroCategory_ == category)
        return;
    zeroCategory_ = category;
    emit zeroChanged(category);
}

void TableCore::setWinner(const QString& text) {
    winner_ = text;
    emit winnerChanged(text);
}

void TableCore::setSeatName(int seat, const QString& name) {
    SeatView& v = seats_[seat];
    v.shown = name;
    v.stored = name;
    v.waiting = false;
    emit seatChanged(seat);
}

void TableCore::showStoredName(int seat) {
    SeatView& v = seats_[seat];
    v.shown = v.stored;
    v.waiting = false;
    emit seatChanged(seat);
}

void TableCore::setWatching(int seat, bool watching) {
    if (seats_[seat].watching == watching)
        return;
    seats_[seat].watching = watching;
    emit seatChanged(seat);
}

void TableCore::setTotal(int seat, const QString& total) {
    seats_[seat].total = total;
    emit seatChanged(seat);
}

void TableCore::setCell(int seat, int row, int value) {
    seats_[seat].cells[row] = value;
    emit cellChanged(seat, row);
}

void TableCore::clearCards() {
    for (int s = 1; s <= rules::kSeats; ++s) {
        seats_[s].total = QStringLiteral("0");
        seats_[s].cells.fill(rules::kUnused);
    }
    emit cardsCleared();
}

void TableCore::placeDie(int die, int face) {
    DieView& d = dice_[die];
    d.face = face;
    d.bonusStyle = face == dicevalues_[0];
    d.clickable = myTurn();
    d.state = DieView::State::Open;
    dicevalues_[die] = face;
    emit diePlaced(die);
}

void TableCore::putSpectator(int slot, const QString& name) {
    // One entry per slot: a slot announced again is the same connection under a new name.
    for (Spectator& s : spectators_) {
        if (s.slot == slot) {
            s.name = name;
            emit spectatorsChanged();
            return;
        }
    }
    spectators_.append(Spectator{slot, name});
    emit spectatorsChanged();
}

} // namespace zb
