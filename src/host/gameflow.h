#pragma once
// The game as the host runs it: start, change of turn, rolls, holds, scores, the pause after a
// score, just-watching seats, and the end with the winner. Players' requests arrive here already
// checked by the connection layer (right connection, numbers in range); the computer players
// call the same operations. Everything announced goes out through the Outbox.

#include "host/computerplayer.h"
#include "host/expertplayer.h"
#include "host/outbox.h"
#include "host/playertable.h"
#include "host/turndice.h"
#include "strategy/botskill.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <functional>

namespace zb::rules {
class Random;
}

namespace zb::host {

class GameFlow : public QObject, private ExpertHost {
    Q_OBJECT
public:
    GameFlow(PlayerTable& players, Outbox& out, std::function<int()> botSpeed, rules::Random& rng,
             QObject* parent = nullptr);

    // The operations of a game. Seats, dice and categories are in range here.
    // Started by the hosting player, always seat 1.
    void startgame(const GameOptions& options);
    void findplayer();
    void rolldice(int seat);
    void setdice(int seat, int die) override;
    void unsetdice(int seat, int die) override;
    void setscore(int seat, int category) override;
    void justwatch(int slot, int mode);
    void checkforwin();
    void Timer1Timer();
    void timer_pauserTimer();

    // The connection layer tells of a departed slot (after its record was cleared) ...
    void slotLeft(int slot);
    // ... and asks for the state of a running game for a newcomer.
    void sendGameTo(int slot);

    // Read-only state.
    bool inProgress() const { return inProgress_; }
    int currentSeat() const { return current_; }
    const TurnDice& turnDice() const override { return dice_; }
    bool teamGame() const { return team_; }
    bool bonusGame() const { return bonus_; }
    int bonusDie() const { return bonusDie_; }
    // After a score, until the turn passes: the turn is over and takes no further request.
    bool pausing() const { return timer_pauser.isActive(); }
    int pauseCount() const { return pauseCount_; }
    bool stepArmed() const { return Timer1.isActive(); }
    int stepInterval() const { return Timer1.interval(); }
    int pauseInterval() const { return timer_pauser.interval(); }
    bool computerPlayed(int seat) const;
    const ComputerPlayer& computer() const { return computer_; }
    const ExpertPlayer& expert() const { return expert_; }

    // How the computer players play, asked at every game start (Classic when not set).
    void setBotSkill(std::function<strategy::BotSkill()> skill) { botSkill_ = std::move(skill); }
    // The skill of the running (or last) game.
    strategy::BotSkill botSkill() const { return skill_; }

private:
    const rules::Card& cardOf(int seat) const override { return players_[seat].card; }
    void armStep() override;
    void passTurn() override { findplayer(); }
    int bonusFace() const override { return bonus_ ? bonusDie_ : 0; }
    void computerplay(int seat);

    int botSpeed() const;
    bool acceptsTurnRequest(int seat) const;
    void answerAllHeld(int seat);
    int lastRound() const;

    PlayerTable& players_;
    Outbox& out_;
    std::function<int()> botSpeed_;
    rules::Random& rng_;
    ComputerPlayer computer_;
    ExpertPlayer expert_;
    std::function<strategy::BotSkill()> botSkill_;
    strategy::BotSkill skill_ = strategy::BotSkill::Classic;

    bool inProgress_ = false;
    int current_ = 0;
    TurnDice dice_;
    bool team_ = false;
    bool bonus_ = false;
    int bonusDie_ = 1;
    int pauseCount_ = 0;

    QTimer Timer1;
    QTimer timer_pauser;
};

} // namespace zb::host
