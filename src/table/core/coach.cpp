#include "table/core/coach.h"

#include "strategy/advisor.h"
#include "strategy/sharedtables.h"
#include "table/core/scorehints.h"
#include "table/core/tablecore.h"

namespace zb {

namespace {

QString number(double value) {
    return QString::number(value, 'f', 1);
}

} // namespace

Coach::Coach(const TableCore& core, QObject* parent) : QObject(parent), core_(core) {
    poll_.setInterval(kReadyPollMs);
    connect(&poll_, &QTimer::timeout, this, [this] { refresh(); });
    // Once a message or an intent is handled, the position is whole again.
    connect(&core_, &TableCore::settled, this, [this] { refresh(); });
}

void Coach::setAlways(bool on) {
    always_ = on;
    refresh();
}

void Coach::suggest() {
    asked_ = position();
    refresh();
}

std::optional<Coach::PositionKey> Coach::position() const {
    // Only the local player's own turn, while he may act: never a position the host would not
    // take a move in.
    if (!core_.isPlayer() || !core_.myTurn() || !core_.mayact())
        return std::nullopt;
    PositionKey p;
    const SeatView& own = core_.seat(core_.myseat());
    for (int c = 1; c <= rules::kCategories; ++c) {
        if (own.cells[c] == rules::kUnused)
            continue;
        p.used |= strategy::categoryBit(c);
        if (c <= rules::Sixes)
            p.upper += own.cells[c];
    }
    if (p.used == strategy::kFullCard)
        return std::nullopt;
    p.bonus = hintBonusDie(core_);
    p.rolls = core_.rolls();
    for (int d = 1; d <= rules::kDice; ++d) {
        p.dice[d - 1] = core_.dicevalues()[d];
        p.held[d - 1] = core_.die(d).state == DieView::State::Held;
        // Before the first roll of a turn the faces on the board are the last turn's.
        if (p.rolls > 0 && (p.dice[d - 1] < 1 || p.dice[d - 1] > 6))
            return std::nullopt;
    }
    if (p.rolls == 0) {
        p.dice = {1, 1, 1, 1, 1};
        p.held = {};
    }
    return p;
}

void Coach::refresh() {
    const std::optional<PositionKey> now = position();
    if (asked_ && asked_ != now)
        asked_.reset(); // the advice asked for was for another position
    if (!now || (!always_ && !asked_)) {
        poll_.stop();
        publish(std::nullopt, false);
        return;
    }
    const strategy::GameKind kind =
        now->bonus != 0 ? strategy::GameKind::BonusDice : strategy::GameKind::Regular;
    const std::shared_ptr<const strategy::Tables> tables = strategy::SharedTables::ready(kind);
    if (!tables) {
        if (!poll_.isActive())
            poll_.start();
        publish(std::nullopt, true);
        return;
    }
    poll_.stop();
    strategy::Position position;
    position.used = now->used;
    position.upperTotal = now->upper;
    position.bonusFace = now->bonus;
    position.dice = now->dice;
    position.held = now->held;
    position.rolls = now->rolls;
    const strategy::Advice advice = strategy::advise(*tables, position);
    if (!advice.valid) {
        publish(std::nullopt, false);
        return;
    }
    // The values are the points still to come; the card's total so far makes them totals.
    bool ok = false;
    const int total = core_.seat(core_.myseat()).total.toInt(&ok);
    const double sofar = ok ? total : 0;
    Suggestion s;
    s.scoreNow = advice.scoreNow;
    for (int d = 1; d <= rules::kDice; ++d)
        s.keep[d] = !advice.scoreNow && advice.keep[d - 1];
    s.category = advice.category;
    s.bestTotal = sofar + advice.expected;
    for (int c = 1; c <= rules::kCategories; ++c) {
        if (advice.scoreValue[c])
            s.categoryTotal[c] = sofar + *advice.scoreValue[c];
    }
    publish(s, false);
}

void Coach::publish(std::optional<Suggestion> suggestion, bool thinking) {
    if (suggestion == suggestion_ && thinking == thinking_)
        return;
    suggestion_ = std::move(suggestion);
    thinking_ = thinking;
    emit changed();
}

QString Coach::text() const {
    if (thinking_)
        return QStringLiteral("The coach is thinking...");
    if (!suggestion_)
        return {};
    const Suggestion& s = *suggestion_;
    const QString expected = QStringLiteral(": expected total ") + number(s.bestTotal);
    if (s.scoreNow)
        return QStringLiteral("Score ") +
               QString::fromStdString(rules::categoryCaption(s.category)) + QStringLiteral(" now") +
               expected;
    if (core_.rolls() == 0)
        return QStringLiteral("Roll the dice") + expected;
    QStringList kept;
    for (int d = 1; d <= rules::kDice; ++d) {
        if (s.keep[d])
            kept << QString::number(core_.dicevalues()[d]);
    }
    if (kept.isEmpty())
        return QStringLiteral("Roll all five dice again") + expected;
    return QStringLiteral("Keep ") + kept.join(QLatin1Char(' ')) +
           QStringLiteral(" and roll again") + expected;
}

} // namespace zb
