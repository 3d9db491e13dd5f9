#pragma once
// TableCore: the table's whole game, without a window. It follows what the host announces (every
// host message is handled here, dispatched by its command word, one per tick of the session's
// timer), keeps everything a table shows as state with change signals, and turns the player's
// intents (roll, hold, choose, start, watch, chat ...) into requests where the game allows them.
// Requests leave through the session's send function, so the core runs with no socket and no
// widget: a window binds its controls to the signals and passes its clicks and keys on, a test or
// a replay drives it directly.
//
// The state is private. It changes only through the handlers and the intents below, and each of
// them emits what it changed. What follows from several fields at once (whether a category may
// be chosen, the score hints, the players of the current game) is worked out again at the end of
// every handler and intent and announced when it differs.
//
// The handlers are spread by concern: tablecore.cpp (construction, dispatch, derived state),
// tablecore_session.cpp (start-up, login, roster, notices), tablecore_turn.cpp (game start,
// turns, dice), tablecore_card.cpp (choosing, the zero question, scores, the winner) and
// tablecore_watch.cpp (watching and removal).

#include "net/gameoptions.h"
#include "table/core/scorehints.h"
#include "table/core/tablestate.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <chrono>
#include <functional>
#include <optional>

namespace zb {

class Session;
struct FinishedGame;
class TallySink;
namespace proto {
class Fields;
}

class TableCore : public QObject {
    Q_OBJECT
public:
    // System line colours ($00BBGGRR).
    static constexpr quint32 kBlue = 0xFF0000;
    static constexpr quint32 kNavy = 0x800000;

    // What a click on a category led to: a request, the zero-score check (the question, or a
    // request after it passed), or nothing at all.
    enum class Choice { Sent, Checked, Refused };

    // Sounds of game events; the window's sound rules pick the recording.
    enum class Cue {
        Entered,
        DiceMine,
        DiceOther,
        DieSet,
        DieUnset,
        Refused,
        TurnBegins,
        GameOver
    };

    // A click on the throw this soon after the dice of the previous roll appeared is the second
    // half of a double click, not a wish to spend another roll.
    static constexpr std::chrono::milliseconds kRollRepeatGuard{300};
    using Clock = std::function<std::chrono::milliseconds()>;

    explicit TableCore(QObject* parent = nullptr);
    ~TableCore() override;

    // Seams: where requests go (may throw, like a socket's send) and the tally, not owned.
    void setSend(std::function<void(const QByteArray& message)> send);
    void setTally(TallySink* tally);
    Session& session() const { return *session_; }
    // The clock the roll guard reads (a steady one by default) and the guard's length.
    void setClock(Clock clock) { clock_ = std::move(clock); }
    void setRollRepeatGuard(std::chrono::milliseconds guard) { rollRepeatGuard_ = guard; }

    // ---- Start-up --------------------------------------------------------------------------
    // The local player's name and whether this table started the host. Hosting offers the
    // hosting player's controls at once.
    void setPlayer(const QString& playername, bool hosting);
    const QString& playername() const { return playername_; }
    const QByteArray& loginname() const { return loginname_; }
    bool hosting() const { return hosting_; }
    // A system line of the table's own.
    void announce(const QString& text, quint32 colour = kBlue);

    // ---- The connection --------------------------------------------------------------------
    // The bytes of one read; false when the host is to be taken for lost (see Session).
    bool receive(QByteArrayView bytes);
    // The connect to the host on port failed; report is the socket's. The chat says what it
    // means and what to do, then the report itself.
    void connectFailed(const QString& host, const QString& port, const QString& report);
    // The own host could not listen on the game port.
    void portTaken(const QString& port);
    // The connection has closed: once what the host sent before is shown, lost() is announced.
    void connectionClosed();

    // ---- The player's intents --------------------------------------------------------------
    void roll();
    void toggleDie(int die);
    Choice chooseCategory(int category);
    void answerZero(bool yes);
    // The start picture or "Start Game": the offer goes while the player chooses the options;
    // cancelling brings it back as it was.
    void beginStartChoice();
    void cancelStartChoice();
    void startGame(const GameOptions& options);
    // "Just Watch" for the own seat: asks for the opposite of what the host last announced.
    void toggleJustWatch();
    // The hosting player's seat popup.
    void setSeatWatching(int seat, bool watching);
    void removePlayer(int seat);
    // Chat: false when nothing could be sent (not logged in yet), so the typed text can stay.
    bool sendChatLine(const QString& typed, const QString& colourText);
    bool sendPhrase(const QString& phrase, const QString& colourText);
    bool sendChatterSound(int wave);
    // The hosting player's bot speed, told to the host once the settings are read.
    void reportBotSpeed(int milliseconds);
    // "Double Check for 0 Score": whether a choice that scores nothing is asked about first.
    void setDoubleCheck(bool on);

    // ---- What the table shows --------------------------------------------------------------
    int myseat() const { return myseat_; }
    bool loggedin() const { return loggedin_; }
    int turnseat() const { return turnseat_; }
    bool mayact() const { return mayact_; }
    bool isPlayer() const { return isSeat(myseat_); }
    // The local player holds the turn. A table that has no seat yet never does, and while the
    // local seat just watches the computer holds its turns.
    bool myTurn() const { return loggedin_ && turnseat_ == myseat_ && !ownWatching_; }
    // The hosting player's rights: the own program's host, or slot 1 of any host.
    bool hostsGame() const { return hosting_ || (loggedin_ && myseat_ == 1); }

    const SeatView& seat(int seat) const;
    // The name a seat's label shows; empty outside 1..4.
    QString seatName(int seat) const;
    QString cellText(int seat, int row) const;
    const QList<Spectator>& spectators() const { return spectators_; }

    const DieView& die(int die) const;
    // The faces last drawn on dice 1..5, [0] the bonus die's face (-1 for none).
    const std::array<int, 6>& dicevalues() const { return dicevalues_; }
    bool bonusShown() const { return bonusShown_; }
    int rolls() const { return rolls_; }
    // The local player has rolled in this turn, so a category may be chosen.
    bool rolledThisTurn() const { return rolls_ >= 1; }
    // Every die held in this turn: a roll would change nothing.
    bool allHeldThisTurn() const;

    bool throwOffered() const { return throwOffered_; }
    bool startOffered() const { return startOffered_; }
    const QString& round() const { return round_; }
    const QString& heading() const { return heading_; }
    const QString& status() const { return status_; }
    int turnMarker() const { return turnMarker_; }
    OwnColumn ownColumn() const { return ownColumn_; }
    bool ownWatching() const { return ownWatching_; }
    // The zero-score question is open for a category; 0 when it is closed.
    int zeroCategory() const { return zeroCategory_; }
    const QString& winner() const { return winner_; }
    // The card's rows light up: the local player may choose a category now.
    bool choosable() const { return choosable_; }
    const ScoreHints& hints() const { return hints_; }
    // The other seats of the current game, as the tally lists them.
    const QStringList& currentPlayers() const { return currentPlayers_; }
    bool gameRunning() const { return gameRunning_; }

signals:
    // The host gave this table its slot.
    void seatAssigned(int myseat);
    void seatChanged(int seat);
    void cellChanged(int seat, int row);
    void cardsCleared();
    void spectatorsChanged();
    void rollsChanged(int rolls);
    void diePlaced(int die);
    void dieHeld(int die, bool held);
    void dieClickableChanged(int die, bool clickable);
    // All five dice go to their turn-start places; faces and states stay.
    void diceScattered();
    void bonusChanged();
    void throwOfferChanged(bool offered);
    void startOfferChanged(bool offered);
    void hostRightsChanged(bool hosts);
    void roundChanged(const QString& text);
    void headingChanged(const QString& text);
    void statusChanged(const QString& text);
    void turnMarkerChanged(int seat);
    void ownColumnChanged(zb::OwnColumn colouring);
    void ownWatchingChanged(bool watching);
    void zeroChanged(int category);
    void winnerChanged(const QString& text);
    void choosableChanged(bool choosable);
    void hintsChanged();
    // A host message or an intent has been handled and everything it changed announced: what
    // depends on many fields at once can look again now.
    void settled();

    // Events.
    void systemLine(const QString& text, quint32 colour);
    // A received CMD_chat or CMD_action, the text after the command word.
    void chatReceived(const QByteArray& data);
    // A received chatter sound, "seat+name+".
    void chatterReceived(const QByteArray& data);
    void cue(zb::TableCore::Cue cue);
    // A posted score; cell is the seat's cell of the category as now shown.
    void scorePosted(int category, const QString& cell);
    // The host announced the local player: the settings are due.
    void selfAnnounced();
    // The game is full; the window closes once the player has read it.
    void gameFull();
    // The connection is gone and everything the host sent before it is shown.
    void lost();

private:
    using Handler = void (TableCore::*)(proto::Fields& f);
    void registerHandlers();
    void dispatchTo(const char* word, Handler handler);
    void afterMessage();
    // Works out the derived state again and announces what changed.
    void settle();
    void send(const QByteArray& message);

    // Field writers: each emits its signal.
    void setMayact(bool on);
    void offerThrow(bool offered);
    void offerStart(bool offered);
    void setRolls(int rolls);
    void setHeading(const QString& text);
    void setStatus(const QString& text);
    void setTurnMarker(int seat);
    void setOwnColumn(OwnColumn colouring);
    void setOwnWatching(bool watching);
    void askZero(int category);
    void closeZero() { askZero(0); }
    void setWinner(const QString& text);
    void setSeatName(int seat, const QString& name);
    void showStoredName(int seat);
    void setWatching(int seat, bool watching);
    void setTotal(int seat, const QString& total);
    void setCell(int seat, int row, int value);
    void clearCards();
    void placeDie(int die, int face);
    void putSpectator(int slot, const QString& name);
    // The own seat's turn as the local player or the computer plays it.
    void offerTurn(int seat);
    void setDiceClickable(bool clickable);
    std::chrono::milliseconds now() const;
    // Session and seats (tablecore_session.cpp).
    void sendlogininfo(proto::Fields& f);
    void newplayerinfo(proto::Fields& f);
    void playerdisconnected(proto::Fields& f);
    void havewrongversion(proto::Fields& f);
    void wrongversion(proto::Fields& f);
    void full(proto::Fields& f);
    void chatrecieved(proto::Fields& f);
    void playasound(proto::Fields& f);
    void checkLost();
    // Game start, turns and dice (tablecore_turn.cpp).
    void startthegame(proto::Fields& f);
    void getnextplayer(proto::Fields& f);
    void thedice(proto::Fields& f);
    void setdice(proto::Fields& f);
    void unsetdice(proto::Fields& f);
    void setbonusdice(proto::Fields& f);
    // Choosing and scoring (tablecore_card.cpp).
    void sendscore(int category);
    void rollagain(proto::Fields& f);
    void chooseagain(proto::Fields& f);
    void pscore(proto::Fields& f);
    void winner(proto::Fields& f);
    FinishedGame finishedGame() const;
    // Watching (tablecore_watch.cpp).
    void justwatching(proto::Fields& f);

    Session* session_ = nullptr;
    TallySink* tally_ = nullptr;
    Clock clock_;
    std::chrono::milliseconds rollRepeatGuard_ = kRollRepeatGuard;
    // When the dice of the own last roll appeared; none at the start of a turn.
    std::optional<std::chrono::milliseconds> ownDiceShown_;

    QString playername_;
    QByteArray loginname_;
    bool hosting_ = false;
    bool doubleCheck_ = false;

    int myseat_ = 0;
    bool loggedin_ = false;
    int turnseat_ = 0;
    bool mayact_ = false;
    std::array<int, 6> dicevalues_{};

    std::array<SeatView, rules::kSeats + 1> seats_{};
    std::array<DieView, rules::kDice + 1> dice_{};
    QList<Spectator> spectators_;
    int rolls_ = 0;
    bool bonusShown_ = false;
    bool throwOffered_ = false;
    bool startOffered_ = false;
    bool startOfferedBeforeChoice_ = false;
    QString round_ = QStringLiteral("Round #");
    QString heading_ = QStringLiteral("Score Card");
    QString status_ = QStringLiteral("Welcome to Zorbinet!");
    int turnMarker_ = 0;
    OwnColumn ownColumn_ = OwnColumn::Fresh;
    bool ownWatching_ = false;
    int zeroCategory_ = 0;
    QString winner_;
    std::array<bool, rules::kSeats + 1> hadTurn_{};
    bool gameRunning_ = false; // started and not yet recorded
    bool gameSeen_ = false;    // a game has started since the table opened
    bool teamGame_ = false;
    bool fiveCounted_ = false; // the local player's 5 of a Kind of this game is in the tally

    // Derived, as last announced.
    bool choosable_ = false;
    ScoreHints hints_;
    QStringList currentPlayers_;
    bool hostRights_ = false;

    // The connection has ended; lost() waits until what the host sent before is shown.
    bool closed_ = false;
    bool fullShown_ = false;
    bool lostShown_ = false;
    bool selfAnnounced_ = false;
};

} // namespace zb
