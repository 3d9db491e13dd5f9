#pragma once
// What every whole roll scores in every category, for each bonus face (0 = a game without bonus
// dice), looked up from the rules once so that the strategy never scores a roll its own way.

#include "strategy/dicesets.h"

#include <array>
#include <cstdint>

namespace zb::strategy {

class ScoreTable {
public:
    // Built once per process on first use; safe from any thread.
    static const ScoreTable& get();

    // The score of whole roll `roll` (a set index kFirstRoll..kSets-1) in category 1..12.
    int score(int bonusFace, int roll, int category) const {
        return score_[bonusFace][category][roll - kFirstRoll];
    }
    // The scores of all whole rolls in one category, in roll order.
    const std::uint8_t* scores(int bonusFace, int category) const {
        return score_[bonusFace][category].data();
    }
    // How many dice of each whole roll show `face`, in roll order.
    const std::uint8_t* faceCounts(int face) const { return faceCount_[face].data(); }
    // The score in number category 1..6 of a roll with `count` dice showing its face, which is
    // all that such a category looks at.
    int numberScore(int bonusFace, int category, int count) const {
        return number_[bonusFace][category][count];
    }

private:
    ScoreTable();
    // At most 60 (five sixes doubled): a byte each.
    std::array<std::array<std::array<std::uint8_t, kRolls>, rules::kCategories + 1>, kFaces + 1>
        score_{};
    std::array<std::array<std::uint8_t, kRolls>, kFaces + 1> faceCount_{};
    std::array<std::array<std::array<std::uint8_t, kDiceCount + 1>, kFaces + 1>, kFaces + 1>
        number_{};
};

} // namespace zb::strategy
