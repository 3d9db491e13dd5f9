#pragma once
// The table's model of the session: what the host has told this table (its seat, whose turn, the
// dice, the seats' names, the cards as received, the winner) and what the local player may do
// now. The handlers of the host's messages change it; the board and the score card follow its
// signals. Every rule of play that is put in terms of what the window shows ("the first roll
// marker is shown", "the name label does not show <Waiting>") is answered here, so a change to
// how something looks can never change how the game plays.

#include "rules/rules.h"
#include "table/clientstate.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>

namespace zb {

class TableModel : public QObject {
    Q_OBJECT
public:
    static constexpr int kSeats = 4;
    static constexpr int kRows = 15; // twelve categories and three totals
    static inline const QString kWaiting = QStringLiteral("<Waiting>");

    // A die: 'o' open, 's' held, '1' after a game start before the first roll of its turn.
    struct Die {
        int face = 0;
        QChar state = QLatin1Char('o');
        bool bonusStyle = false; // drawn as the bonus die's face when it was placed
        bool clickable = false;  // placed during the local player's own turn
    };

    struct Seat {
        QString shown = kWaiting; // the name the seat's label shows
        QString stored;           // the name the seat keeps for a computer player or a returner
        bool present = false;     // a player has sat here: the name and total are on show
        bool watching = false;
        QString total = QStringLiteral("0");
        std::array<int, kRows + 1> cells{}; // rules::kUnused for an empty cell; [0] unused
    };

    explicit TableModel(QObject* parent = nullptr);

    // The session: seat, turn, whether the local player may act, the dice as last drawn.
    ClientState& state() { return state_; }
    const ClientState& state() const { return state_; }

    // Seats 1..4.
    const Seat& seat(int seat) const { return seats_[seat]; }
    bool seatWaiting(int seat) const { return seats_[seat].shown == kWaiting; }
    void setSeatName(int seat, const QString& name); // shows it and stores it
    void showStoredName(int seat);
    void setPresent(int seat);
    void setWatching(int seat, bool watching);
    void setTotal(int seat, const QString& total);
    void setCell(int seat, int row, int value);
    // The text a cell shows: its number, or empty.
    QString cellText(int seat, int row) const;
    // Every seat's cells empty and totals "0", as at a game start.
    void clearCards();
    // The names on the seats' labels other than the local player's own and "<Waiting>".
    QStringList opponentNames() const;

    // Roll markers shown: 0..3; any other number changes nothing.
    int rolls() const { return rolls_; }
    void setRolls(int rolls);
    // The local player has rolled in this turn, so a category may be chosen.
    bool rolledThisTurn() const { return rolls_ >= 1; }

    const Die& die(int die) const { return dice_[die]; }
    void setDieState(int die, QChar state);
    void placeDie(int die, int face);
    void holdDie(int die);
    void releaseDie(int die);
    // Every die held in this turn: a roll would change nothing. Dice held at the end of an
    // earlier turn do not count, since the host frees them silently when a turn begins.
    bool allHeldThisTurn() const;

    bool bonusShown() const { return bonusShown_; }
    void showBonus(bool shown);
    void setBonusFace(int face);

    // The throw picture is on offer.
    bool throwOffered() const { return throwOffered_; }
    void offerThrow(bool offered);

    // The local table's "Just Watch" tick, as the host last announced it.
    bool ownWatching() const { return ownWatching_; }
    void setOwnWatching(bool watching);

    // The zero-score question is open for a category; 0 when it is closed.
    int zeroCategory() const { return zeroCategory_; }
    void askZero(int category);

    // The winner announcement on the board; empty while none is shown.
    const QString& winner() const { return winner_; }
    void setWinner(const QString& text);

signals:
    void seatChanged(int seat);
    void cellChanged(int seat, int row);
    void cardsCleared();
    void rollsChanged(int rolls);
    void diePlaced(int die);
    void dieHeld(int die, bool held);
    void bonusChanged();
    void throwChanged(bool offered);
    void ownWatchingChanged(bool watching);
    void zeroChanged(int category);
    void winnerChanged(const QString& text);

private:
    ClientState state_;
    std::array<Seat, kSeats + 1> seats_{};
    std::array<Die, 6> dice_{}; // [0] unused
    int rolls_ = 0;
    bool bonusShown_ = false;
    bool throwOffered_ = false;
    bool ownWatching_ = false;
    int zeroCategory_ = 0;
    QString winner_;
};

} // namespace zb
