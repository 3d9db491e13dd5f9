#pragma once
// The dice of a turn as the strategy counts them: a roll or a keep is a multiset of faces, since
// which die shows a face never matters to a score. Of zero to five dice there are 462 multisets,
// 252 of them whole rolls of five. Each has a fixed index, ordered by size, so that a value of a
// keep can be worked out from the values of the keeps one die larger in a single pass.

#include "rules/rules.h"

#include <array>
#include <cstdint>

namespace zb::strategy {

constexpr int kFaces = 6;
constexpr int kDiceCount = 5;
constexpr int kSets = 462;  // multisets of 0..5 dice
constexpr int kRolls = 252; // multisets of exactly 5 dice
constexpr int kFirstRoll = kSets - kRolls;

struct DiceSet {
    std::array<std::uint8_t, kFaces + 1> count{}; // index 1..6
    int size = 0;
    // The set with one more die of face f (index 1..6), -1 at five dice.
    std::array<std::int16_t, kFaces + 1> plus{};
    // The sets with one die less, one per face present.
    std::array<std::int16_t, kDiceCount> minus{};
    int minusCount = 0;
};

// The neighbours of every set, flat, in the form the strategy's inner loops walk: set i's `plus`
// entries at i * 6 .. i * 6 + 5 (faces 1..6, the set itself at five dice), its `minus` entries
// at i * 5 .. i * 5 + 4, the missing ones naming the set itself, so that a best over them needs
// no count.
struct Neighbours {
    std::array<std::int16_t, kSets * kFaces> plus{};
    std::array<std::int16_t, kSets * kDiceCount> minus{};
};

class DiceSets {
public:
    // Built once per process on first use; safe from any thread.
    static const DiceSets& get();

    const DiceSet& operator[](int index) const { return sets_[index]; }
    const Neighbours& neighbours() const { return neighbours_; }
    // Index of the set with these counts per face (index 1..6); -1 for more than five dice.
    int indexOf(const std::array<int, kFaces + 1>& count) const;
    // Index of the set of these dice (values 1..6); -1 if a value is out of range.
    int indexOfDice(const rules::Dice& dice) const;

    // Chance of each whole roll when five dice are rolled (roll r at index r - kFirstRoll).
    double rollChance(int index) const { return chance_[index - kFirstRoll]; }
    // The five faces of a whole roll in ascending order, for the rules to score.
    const rules::Dice& rollDice(int index) const { return dice_[index - kFirstRoll]; }

private:
    DiceSets();
    // The counts of faces 1..6 as base-6 digits: unique for every set, below 6^6.
    static int code(const std::array<int, kFaces + 1>& count);

    std::array<DiceSet, kSets> sets_{};
    Neighbours neighbours_{};
    std::array<double, kRolls> chance_{};
    std::array<rules::Dice, kRolls> dice_{};
    std::array<std::int16_t, 46656> byCode_{};
};

} // namespace zb::strategy
