#include "host/expertplayer.h"

#include "strategy/advisor.h"
#include "strategy/sharedtables.h"

namespace zb::host {

using strategy::GameKind;

namespace {

GameKind kindOf(bool bonusGame) {
    return bonusGame ? GameKind::BonusDice : GameKind::Regular;
}

} // namespace

ExpertPlayer::ExpertPlayer(ExpertHost& host, ComputerPlayer& fallback, TablesSource source)
    : host_(host), fallback_(fallback), source_(std::move(source)) {
    if (!source_)
        source_ = [](GameKind kind) { return strategy::SharedTables::ready(kind); };
}

void ExpertPlayer::prepare(bool bonusGame) {
    source_(kindOf(bonusGame));
}

void ExpertPlayer::computerplay(int seat) {
    if (!validSeat(seat))
        return;
    const rules::Card& card = host_.cardOf(seat);
    const TurnDice& t = host_.turnDice();
    strategy::Position p;
    p.used = strategy::usedCategories(card);
    p.upperTotal = strategy::upperTotalOf(card);
    p.bonusFace = host_.bonusFace();
    p.dice = t.all();
    for (int die = 1; die <= kDice; ++die)
        p.held[die - 1] = t.held(die);
    p.rolls = t.rolls;

    const std::shared_ptr<const strategy::Tables> tables = source_(kindOf(p.bonusFace != 0));
    const strategy::Advice advice = tables ? strategy::advise(*tables, p) : strategy::Advice{};
    if (!advice.valid) {
        // Tables still building, or a card with nothing left to score: the classic player knows
        // what to do with both.
        ++fallbacks_;
        fallback_.computerplay(seat);
        return;
    }
    if (advice.scoreNow) {
        host_.setscore(seat, advice.category);
        return;
    }
    for (int die = 1; die <= kDice; ++die) {
        if (!advice.keep[die - 1] && t.held(die))
            host_.unsetdice(seat, die);
    }
    for (int die = 1; die <= kDice; ++die) {
        if (advice.keep[die - 1] && !t.held(die))
            host_.setdice(seat, die);
    }
    host_.armStep();
}

} // namespace zb::host
