#include "table/tablesounds.h"

#include "table/core/tablecore.h"

namespace zb {

TableSounds::TableSounds(TableCore& core, const Preferences& prefs, SoundPlayer& player,
                         QObject* parent)
    : QObject(parent), sounds_(prefs, player) {
    using Cue = TableCore::Cue;
    connect(&core, &TableCore::cue, this, [this](Cue cue) {
        switch (cue) {
        case Cue::Entered:
            return sounds_.entered();
        case Cue::DiceMine:
        case Cue::DiceOther:
            return sounds_.diceRolled(cue == Cue::DiceMine);
        case Cue::DieSet:
            return sounds_.dieSet();
        case Cue::DieUnset:
            return sounds_.dieUnset();
        case Cue::Refused:
            return sounds_.refused();
        case Cue::TurnBegins:
            return sounds_.turnBegins();
        case Cue::GameOver:
            return sounds_.gameOver();
        }
    });
    connect(&core, &TableCore::scorePosted, this,
            [this](int category, const QString& cell) { sounds_.scorePosted(category, cell); });
    const TableCore* c = &core;
    connect(&core, &TableCore::chatterReceived, this, [this, c](const QByteArray& data) {
        const auto line = sounds_.playasound(data, [c](int seat) { return c->seatName(seat); });
        if (line)
            emit chatLine(*line, Sounds::kChatterLineColour);
    });
}

} // namespace zb
