#include "strategy/scoretable.h"

namespace zb::strategy {

const ScoreTable& ScoreTable::get() {
    static const ScoreTable table;
    return table;
}

ScoreTable::ScoreTable() {
    const DiceSets& sets = DiceSets::get();
    for (int face = 0; face <= kFaces; ++face) {
        for (int r = kFirstRoll; r < kSets; ++r) {
            for (int c = 1; c <= rules::kCategories; ++c) {
                score_[face][c][r - kFirstRoll] =
                    static_cast<std::uint8_t>(rules::categoryValue(sets.rollDice(r), c, face));
            }
            if (face > 0)
                faceCount_[face][r - kFirstRoll] = sets[r].count[face];
        }
        for (int c = rules::Ones; c <= rules::Sixes; ++c) {
            for (int count = 0; count <= kDiceCount; ++count) {
                // `count` dice of the category's face, the rest of some other face.
                rules::Dice dice;
                dice.fill(c % kFaces + 1);
                for (int d = 0; d < count; ++d)
                    dice[d] = c;
                number_[face][c][count] =
                    static_cast<std::uint8_t>(rules::categoryValue(dice, c, face));
            }
        }
    }
}

} // namespace zb::strategy
