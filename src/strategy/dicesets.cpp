#include "strategy/dicesets.h"

namespace zb::strategy {

const DiceSets& DiceSets::get() {
    static const DiceSets sets;
    return sets;
}

int DiceSets::code(const std::array<int, kFaces + 1>& count) {
    int c = 0;
    for (int f = kFaces; f >= 1; --f)
        c = c * 6 + count[f];
    return c;
}

DiceSets::DiceSets() {
    byCode_.fill(-1);
    int next = 0;
    std::array<int, kFaces + 1> count{};
    // Every count vector of each size, smaller sets first.
    auto place = [&](auto&& self, int face, int left) -> void {
        if (face == kFaces) {
            count[face] = left;
            DiceSet& s = sets_[next];
            for (int f = 1; f <= kFaces; ++f)
                s.count[f] = static_cast<std::uint8_t>(count[f]);
            byCode_[code(count)] = static_cast<std::int16_t>(next);
            ++next;
            return;
        }
        for (int n = left; n >= 0; --n) {
            count[face] = n;
            self(self, face + 1, left - n);
        }
    };
    for (int size = 0; size <= kDiceCount; ++size)
        place(place, 1, size);
    // Sizes, neighbours, and for whole rolls their faces and chance.
    const double allRolls = 7776.0; // 6^5 ordered rolls
    for (int i = 0; i < kSets; ++i) {
        DiceSet& s = sets_[i];
        std::array<int, kFaces + 1> c{};
        for (int f = 1; f <= kFaces; ++f) {
            c[f] = s.count[f];
            s.size += c[f];
        }
        s.minusCount = 0;
        for (int f = 1; f <= kFaces; ++f) {
            s.plus[f] = -1;
            if (s.size < kDiceCount) {
                ++c[f];
                s.plus[f] = byCode_[code(c)];
                --c[f];
            }
            if (c[f] > 0) {
                --c[f];
                s.minus[s.minusCount++] = byCode_[code(c)];
                ++c[f];
            }
        }
        for (int f = 1; f <= kFaces; ++f)
            neighbours_.plus[i * kFaces + f - 1] =
                s.plus[f] < 0 ? static_cast<std::int16_t>(i) : s.plus[f];
        for (int k = 0; k < kDiceCount; ++k)
            neighbours_.minus[i * kDiceCount + k] =
                k < s.minusCount ? s.minus[k] : static_cast<std::int16_t>(i);
        if (s.size == kDiceCount) {
            // 5! / (c1! ... c6!) orderings of the same faces.
            int orderings = 120;
            int d = 0;
            rules::Dice& faces = dice_[i - kFirstRoll];
            for (int f = 1; f <= kFaces; ++f) {
                for (int n = 2; n <= c[f]; ++n)
                    orderings /= n;
                for (int n = 0; n < c[f]; ++n)
                    faces[d++] = f;
            }
            chance_[i - kFirstRoll] = orderings / allRolls;
        }
    }
}

int DiceSets::indexOf(const std::array<int, kFaces + 1>& count) const {
    int size = 0;
    for (int f = 1; f <= kFaces; ++f) {
        if (count[f] < 0 || count[f] > kDiceCount)
            return -1;
        size += count[f];
    }
    if (size > kDiceCount)
        return -1;
    return byCode_[code(count)];
}

int DiceSets::indexOfDice(const rules::Dice& dice) const {
    std::array<int, kFaces + 1> count{};
    for (int v : dice) {
        if (v < 1 || v > kFaces)
            return -1;
        ++count[v];
    }
    return indexOf(count);
}

} // namespace zb::strategy
