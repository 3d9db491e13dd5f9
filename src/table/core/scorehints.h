#pragma once
// Score hints: what each empty category of the local player's own column would score with the
// dice now on the board. The points come from the same rules function that the host scores
// with, and the bonus die counts as the host counts it: in a bonus dice game only, the face the
// host announced for this turn. A hint is never a decision; the host's score is what counts.

#include "rules/rules.h"

#include <array>

namespace zb {

class TableCore;

struct ScoreHints {
    static constexpr int kNone = -1;
    int seat = 0; // the column the hints belong to; 0: no hints at all
    std::array<int, rules::kCategories + 1> value{}; // [1..12], kNone where no hint; [0] unused

    ScoreHints() { value.fill(kNone); }
    bool any() const;
    bool operator==(const ScoreHints&) const = default;
};

// The bonus die as the host applies it when it scores: 1..6 in a bonus dice game, else 0.
int hintBonusDie(const TableCore& core);

// Hints during the local player's own turn, after a roll of this turn, while he may choose (not
// while a roll or a score is on its way, not while the computer plays his seat); none otherwise.
ScoreHints scoreHints(const TableCore& core);

} // namespace zb
