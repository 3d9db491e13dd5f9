#include "host/gameflow.h"

#include "net/guard.h"
#include "rules/random.h"

#include <algorithm>

namespace zb::host {

namespace toTable = zb::msg::toTable;

namespace {

constexpr int kPauseTicks = 3;

proto::Entries entriesOf(const rules::Card& card) {
    proto::Entries e{};
    for (int i = 1; i <= rules::kEntries; ++i)
        e[i - 1] = card.entry[i];
    return e;
}

QByteArray latin1(const std::string& text) {
    return QByteArray::fromStdString(text);
}

} // namespace

GameFlow::GameFlow(PlayerTable& players, Outbox& out, std::function<int()> botSpeed,
                   rules::Random& rng, QObject* parent)
    : QObject(parent), players_(players), out_(out), botSpeed_(std::move(botSpeed)), rng_(rng),
      computer_(*this), expert_(*this, computer_) {
    Timer1.setSingleShot(true);
    Timer1.setTimerType(Qt::PreciseTimer);
    timer_pauser.setTimerType(Qt::PreciseTimer);
    connect(&Timer1, &QTimer::timeout, this, [this] { guarded([this] { Timer1Timer(); }); });
    connect(&timer_pauser, &QTimer::timeout, this,
            [this] { guarded([this] { timer_pauserTimer(); }); });
}

bool GameFlow::computerPlayed(int seat) const {
    return validSeat(seat) && (!players_[seat].connected || players_[seat].watching);
}

int GameFlow::botSpeed() const {
    const int ms = botSpeed_ ? botSpeed_() : 1000;
    return std::max(ms, 1);
}

int GameFlow::lastRound() const {
    return team_ ? rules::kTeamRounds : rules::kRegularRounds;
}

void GameFlow::armStep() {
    Timer1.stop();
    Timer1.setInterval(botSpeed());
    Timer1.start();
}

// A turn takes requests from its seat until it is scored; the pause that follows still belongs
// to the scored turn but changes nothing any more.
bool GameFlow::acceptsTurnRequest(int seat) const {
    return inProgress_ && seat == current_ && !pausing();
}

void GameFlow::startgame(const GameOptions& options) {
    timer_pauser.stop();
    Timer1.stop();
    bonus_ = options.bonus;
    team_ = options.team;
    skill_ = botSkill_ ? botSkill_() : strategy::BotSkill::Classic;
    if (skill_ == strategy::BotSkill::Expert)
        expert_.prepare(bonus_);
    out_.sendToAll(toTable::startgame(1, options));
    for (int seat = 1; seat <= kSeats; ++seat) {
        tplayer& p = players_[seat];
        p.card.clear();
        p.watching = false;
        p.round = 0;
    }
    inProgress_ = true;
    current_ = 0;
    findplayer();
}

void GameFlow::findplayer() {
    if (!inProgress_)
        return;
    Timer1.stop();
    timer_pauser.stop();
    dice_.reset();
    // Drawn in every game, so the dice that follow do not depend on the kind of game.
    bonusDie_ = rng_.die();
    if (bonus_)
        out_.sendToAll(toTable::setbonusdice(bonusDie_));
    // Every seat the turn passes gets its round counter raised, also one that is skipped: seat 2
    // always plays, seats 3 and 4 only while connected, and in a team game all four.
    do {
        current_ = current_ % kSeats + 1;
        ++players_[current_].round;
    } while (!team_ && !(players_[current_].connected || current_ == 2));

    if (players_[1].round > lastRound()) {
        checkforwin();
        return;
    }
    computer_.clearWorking(current_);
    const tplayer& p = players_[current_];
    out_.sendToAll(toTable::nextplayer(current_, p.round, p.card.total, dice_.rolls));
    if (computerPlayed(current_))
        armStep();
}

void GameFlow::rolldice(int seat) {
    if (!acceptsTurnRequest(seat))
        return;
    const bool computer = computerPlayed(seat);
    if (!computer) {
        // The host keeps the limit of three rolls itself rather than trusting the table.
        if (dice_.rolls >= 3)
            return;
        if (dice_.allHeld()) {
            answerAllHeld(seat);
            return;
        }
    }
    ++dice_.rolls;
    if (dice_.rolls > 3) {
        findplayer();
        return;
    }
    QList<msg::toTable::RolledDie> rolled;
    for (int die = 1; die <= kDice; ++die) {
        if (dice_.freeValue[die] == 0)
            continue;
        const int value = rng_.die();
        dice_.freeValue[die] = value;
        dice_.heldValue[die] = 0;
        rolled.append({die, value});
    }
    if (!rolled.isEmpty())
        out_.sendToAll(toTable::thedice(seat, dice_.rolls, rolled));
    if (computer)
        computerplay(seat);
}

void GameFlow::computerplay(int seat) {
    if (skill_ == strategy::BotSkill::Expert)
        expert_.computerplay(seat);
    else
        computer_.computerplay(seat);
}

// A roll with every die held rolls nothing and does not count; the seat's own table is told the
// state again so that it offers the throw once more.
void GameFlow::answerAllHeld(int seat) {
    out_.sendTo(seat, toTable::thedice(seat, dice_.rolls, {}));
}

void GameFlow::setdice(int seat, int die) {
    if (!acceptsTurnRequest(seat) || !validDie(die))
        return;
    // A die not rolled in this turn has no value to hold.
    const int value = dice_.freeValue[die];
    if (value == 0 || value == kUnrolled)
        return;
    dice_.heldValue[die] = value;
    dice_.freeValue[die] = 0;
    out_.sendToAll(toTable::setdice(die));
}

void GameFlow::unsetdice(int seat, int die) {
    if (!acceptsTurnRequest(seat) || !validDie(die))
        return;
    const int value = dice_.heldValue[die];
    if (value == 0)
        return;
    dice_.freeValue[die] = value;
    dice_.heldValue[die] = 0;
    out_.sendToAll(toTable::unsetdice(die));
}

void GameFlow::setscore(int seat, int category) {
    if (!acceptsTurnRequest(seat) || category < 1 || category > rules::kCategories)
        return;
    const bool computer = computerPlayed(seat);
    tplayer& p = players_[seat];
    if (!dice_.rolled() || p.card.used(category)) {
        if (computer)
            rolldice(seat);
        else
            out_.sendTo(seat, dice_.rolled() ? toTable::chooseagain() : toTable::rollagain());
        return;
    }
    for (int die = 1; die <= kDice; ++die) {
        if (dice_.heldValue[die] == 0)
            dice_.heldValue[die] = dice_.freeValue[die];
    }
    p.card.entry[category] = rules::categoryValue(dice_.all(), category, bonus_ ? bonusDie_ : 0);
    rules::recomputeTotals(p.card);
    const proto::Entries entries = entriesOf(p.card);
    out_.sendToAll(toTable::pscore(seat, p.card.total, QByteArray::number(category), entries));
    if (team_) {
        players_[p.partner].card = p.card;
        out_.sendToAll(
            toTable::pscore(p.partner, p.card.total, "*" + QByteArray::number(category), entries));
    }
    Timer1.stop();
    timer_pauser.stop();
    timer_pauser.setInterval(botSpeed());
    pauseCount_ = kPauseTicks;
    timer_pauser.start();
}

void GameFlow::justwatch(int slot, int mode) {
    if (!players_.inUse(slot) || (mode != 1 && mode != 2))
        return;
    players_[slot].watching = mode == 1;
    out_.sendToAll(toTable::justwatching(slot, mode));
    if (mode == 1 && acceptsTurnRequest(slot))
        armStep();
}

void GameFlow::checkforwin() {
    current_ = 0;
    inProgress_ = false;
    Timer1.stop();
    timer_pauser.stop();
    std::array<std::string, kSeats> names;
    std::array<int, kSeats> totals{};
    for (int seat = 1; seat <= kSeats; ++seat) {
        tplayer& p = players_[seat];
        if (seat >= 2 && p.name.isEmpty())
            p.name = latin1(rules::computerName(seat));
        names[seat - 1] = p.name.toStdString();
        totals[seat - 1] = p.card.total;
    }
    const rules::Winner w = rules::winnerText(names, totals);
    out_.sendToAll(toTable::winner(latin1(w.text), w.total));
}

void GameFlow::Timer1Timer() {
    Timer1.stop();
    if (inProgress_ && computerPlayed(current_))
        rolldice(current_);
}

void GameFlow::timer_pauserTimer() {
    if (--pauseCount_ > 0)
        return;
    timer_pauser.stop();
    findplayer();
}

void GameFlow::slotLeft(int slot) {
    if (!inProgress_ || slot != current_)
        return;
    if (slot != 1) {
        // Also ends a running pause: the turn passes once, here.
        findplayer();
        return;
    }
    // The hosting player's seat keeps its turn; the computer finishes it unless it is scored.
    if (!pausing())
        armStep();
}

void GameFlow::sendGameTo(int slot) {
    if (!inProgress_)
        return;
    const tplayer& cur = players_[current_];
    out_.sendTo(slot, toTable::nextplayer(current_, cur.round, cur.card.total, dice_.rolls));
    for (int seat = 1; seat <= kSeats; ++seat) {
        const tplayer& p = players_[seat];
        out_.sendTo(slot, toTable::pscore(seat, p.card.total, "*", entriesOf(p.card)));
    }
    // What the others learnt from messages sent before the newcomer came: the turn's bonus die
    // and who is just watching.
    if (bonus_)
        out_.sendTo(slot, toTable::setbonusdice(bonusDie_));
    for (int seat = 1; seat <= kSeats; ++seat) {
        if (players_[seat].watching)
            out_.sendTo(slot, toTable::justwatching(seat, 1));
    }
}

} // namespace zb::host
