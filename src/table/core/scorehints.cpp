#include "table/core/scorehints.h"

#include "table/core/tablecore.h"

namespace zb {

bool ScoreHints::any() const {
    for (int c = 1; c <= rules::kCategories; ++c) {
        if (value[c] != kNone)
            return true;
    }
    return false;
}

int hintBonusDie(const TableCore& core) {
    // The table starts every game with no bonus face (-1), and only a bonus dice game shows the
    // bonus die; a face announced outside one would not be the host's.
    const int face = core.dicevalues()[0];
    return core.bonusShown() && face >= 1 && face <= 6 ? face : 0;
}

ScoreHints scoreHints(const TableCore& core) {
    ScoreHints hints;
    if (!core.isPlayer() || !core.choosable() || core.ownWatching())
        return hints;
    rules::Dice dice{};
    for (int d = 1; d <= rules::kDice; ++d) {
        const int face = core.dicevalues()[d];
        if (face < 1 || face > 6)
            return hints; // a die the host never rolled: nothing to count
        dice[d - 1] = face;
    }
    const int bonus = hintBonusDie(core);
    const SeatView& own = core.seat(core.myseat());
    for (int c = 1; c <= rules::kCategories; ++c) {
        if (own.cells[c] == rules::kUnused)
            hints.value[c] = rules::categoryValue(dice, c, bonus);
    }
    if (hints.any())
        hints.seat = core.myseat();
    return hints;
}

} // namespace zb
