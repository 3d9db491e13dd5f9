#include "rules/rules.h"

#include <algorithm>
#include <numeric>

namespace zb::rules {
namespace {

int countOf(const Dice& d, int value) {
    return static_cast<int>(std::count(d.begin(), d.end(), value));
}

int sumOf(const Dice& d) {
    return std::accumulate(d.begin(), d.end(), 0);
}

// Which faces 1..6 occur; anything outside 1..6 is simply not a face and marks nothing.
std::array<bool, 7> facesPresent(const Dice& d) {
    std::array<bool, 7> present{};
    for (int v : d) {
        if (v >= 1 && v <= 6)
            present[v] = true;
    }
    return present;
}

bool hasRun(const std::array<bool, 7>& present, int from, int length) {
    for (int v = from; v < from + length; ++v) {
        if (!present[v])
            return false;
    }
    return true;
}

} // namespace

void Card::clear() {
    entry.fill(kUnused);
    total = 0;
}

bool hasFourKind(const Dice& d) {
    // Any four alike include die 1 or die 2.
    return countOf(d, d[0]) >= 4 || countOf(d, d[1]) > 3;
}

bool hasFullHouse(const Dice& d) {
    if (hasFiveKind(d))
        return true;
    const int a = countOf(d, d[0]);
    int b = d[4];
    for (int v : d) {
        if (v != d[0]) {
            b = v;
            break;
        }
    }
    const int c = countOf(d, b);
    return (a == 3 && c == 2) || (a == 2 && c == 3);
}

bool hasSmallStraight(const Dice& d) {
    const auto present = facesPresent(d);
    return hasRun(present, 1, 4) || hasRun(present, 2, 4) || hasRun(present, 3, 4);
}

bool hasBigStraight(const Dice& d) {
    const auto present = facesPresent(d);
    return hasRun(present, 1, 5) || hasRun(present, 2, 5);
}

bool hasFiveKind(const Dice& d) {
    return countOf(d, d[0]) == 5;
}

int numberValue(const Dice& d, int face, int bonusDie) {
    int count = 0;
    for (int v : d) {
        if (v != face)
            continue;
        ++count;
        if (v == bonusDie)
            ++count;
    }
    return face * count;
}

int categoryValue(const Dice& d, int category, int bonusDie) {
    switch (category) {
    case Ones:
    case Twos:
    case Threes:
    case Fours:
    case Fives:
    case Sixes:
        return numberValue(d, category, bonusDie);
    case FourKind:
        return hasFourKind(d) ? sumOf(d) : 0;
    case FullHouse:
        return hasFullHouse(d) ? 25 : 0;
    case SmStraight:
        return hasSmallStraight(d) ? 30 : 0;
    case BigStraight:
        return hasBigStraight(d) ? 40 : 0;
    case FiveKind:
        return hasFiveKind(d) ? 50 : 0;
    case Freebie:
        return sumOf(d);
    default:
        return 0;
    }
}

void recomputeTotals(Card& card) {
    auto usedSum = [&card](int from, int to) {
        std::int32_t sum = 0;
        for (int c = from; c <= to; ++c) {
            if (card.used(c))
                sum += card.entry[c];
        }
        return sum;
    };
    const std::int32_t upper = usedSum(Ones, Sixes);
    const std::int32_t lower = usedSum(FourKind, Freebie);
    const std::int32_t bonus = upper > kBonusThreshold ? kBonusValue : 0;
    card.entry[UpperTotal] = upper;
    card.entry[Bonus] = bonus;
    card.entry[LowerTotal] = lower;
    card.total = upper + lower + bonus;
}

std::string categoryCaption(int category) {
    static const char* const captions[kEntries + 1] = {
        "",        "Ones",        "Twos",       "Threes",      "Fours",        "Fives",
        "Sixes",   "4 of a Kind", "Full House", "Sm Straight", "Big Straight", "5 of a Kind",
        "Freebie", "Upper Total", "Bonus",      "Lower Total"};
    if (category < 1 || category > kEntries)
        return {};
    return captions[category];
}

std::string categoryPhrase(int category) {
    static const char* const phrases[kCategories + 1] = {"",
                                                         "the ONES",
                                                         "the TWOS",
                                                         "the THREES",
                                                         "the FOURS",
                                                         "the FIVES",
                                                         "the SIXES",
                                                         "a 4 OF A KIND",
                                                         "a FULL HOUSE",
                                                         "a SM STRAIGHT",
                                                         "a BIG STRAIGHT",
                                                         "a 5 OF A KIND",
                                                         "a FREEBIE"};
    if (category < 1 || category > kCategories)
        return {};
    return phrases[category];
}

std::string computerName(int seat) {
    switch (seat) {
    case 2:
        return "Klot";
    case 3:
        return "Kling";
    case 4:
        return "Klick";
    default:
        return {};
    }
}

Winner winnerText(const std::array<std::string, 4>& names, const std::array<int, 4>& totals) {
    const int highest = *std::max_element(totals.begin(), totals.end());
    Winner winner;
    int named = -1; // the seat index already at the front of the text
    if (highest > 0) {
        named = static_cast<int>(std::find(totals.begin(), totals.end(), highest) - totals.begin());
        winner.text = names[named];
        winner.total = highest;
    } else {
        winner.text = "No One";
    }
    for (int i = 0; i < 4; ++i) {
        if (i != named && totals[i] == highest)
            winner.text += " and " + names[i];
    }
    return winner;
}

} // namespace zb::rules
