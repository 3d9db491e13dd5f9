#include "table/scorehints.h"

#include "table/tablemodel.h"

namespace zb {

bool ScoreHints::any() const {
    for (int c = 1; c <= rules::kCategories; ++c) {
        if (value[c] != kNone)
            return true;
    }
    return false;
}

int hintBonusDie(const TableModel& model) {
    // The table starts every game with no bonus face (-1), and only a bonus dice game shows the
    // bonus die; a face announced outside one would not be the host's.
    const int face = model.state().dicevalues[0];
    return model.bonusShown() && face >= 1 && face <= 6 ? face : 0;
}

ScoreHints scoreHints(const TableModel& model) {
    ScoreHints hints;
    const ClientState& s = model.state();
    if (!s.isPlayer() || !s.myTurn() || !s.mayact || !model.rolledThisTurn() || model.ownWatching())
        return hints;
    rules::Dice dice{};
    for (int d = 1; d <= 5; ++d) {
        const int face = s.dicevalues[d];
        if (face < 1 || face > 6)
            return hints; // a die the host never rolled: nothing to count
        dice[d - 1] = face;
    }
    const int bonus = hintBonusDie(model);
    const TableModel::Seat& own = model.seat(s.myseat);
    for (int c = 1; c <= rules::kCategories; ++c) {
        if (own.cells[c] == rules::kUnused)
            hints.value[c] = rules::categoryValue(dice, c, bonus);
    }
    if (hints.any())
        hints.seat = s.myseat;
    return hints;
}

} // namespace zb
