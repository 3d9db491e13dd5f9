#pragma once
// The expert computer player: after each roll it plays what the optimal-play tables advise
// (strategy/advisor.h): score the best category now, or hold the best keep and roll again,
// releasing held dice where the best keep no longer has them. It acts through the same host
// operations as the classic player, at the same pace. Until the tables of the game's kind are
// built (a second or two after the first game start that needs them) the classic player decides
// for it.

#include "host/computerplayer.h"
#include "strategy/tables.h"

#include <functional>
#include <memory>

namespace zb::host {

// What the expert needs beyond what the classic player sees and does.
class ExpertHost : public ComputerHost {
public:
    virtual void unsetdice(int seat, int die) = 0;
    // The running turn's bonus die in a bonus dice game, 0 in a game without bonus dice.
    virtual int bonusFace() const = 0;
};

class ExpertPlayer {
public:
    // Where the tables come from: the process's shared ones by default, which never wait.
    using TablesSource = std::function<std::shared_ptr<const strategy::Tables>(strategy::GameKind)>;

    ExpertPlayer(ExpertHost& host, ComputerPlayer& fallback, TablesSource source = {});

    // At the start of a game the expert plays: the tables of its kind begin to build.
    void prepare(bool bonusGame);
    // One decision after a roll of the seat's turn.
    void computerplay(int seat);

    // Decisions left to the classic player: tables not ready yet, or nothing left to score.
    int fallbacks() const { return fallbacks_; }

private:
    ExpertHost& host_;
    ComputerPlayer& fallback_;
    TablesSource source_;
    int fallbacks_ = 0;
};

} // namespace zb::host
