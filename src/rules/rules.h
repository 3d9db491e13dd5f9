#pragma once
// The rules of the game: the value of five dice in each category, the totals and upper bonus,
// and the winner text. One implementation, used by the host when it scores and by the computer
// players and the table window when they look for patterns. No Qt, no I/O.

#include <array>
#include <cstdint>
#include <string>

namespace zb::rules {

constexpr int kSeats = 4;       // the seats at the table, the columns of every card
constexpr int kUnused = 1000;   // a card entry not used yet
constexpr int kCategories = 12; // entries 1..12 are scored by players
constexpr int kEntries = 15;    // 13 upper total, 14 bonus, 15 lower total
constexpr int kDice = 5;
constexpr int kBonusThreshold = 63; // the upper total must be greater than this
constexpr int kBonusValue = 35;
constexpr int kRegularRounds = 12;
constexpr int kTeamRounds = 6;

enum Category : int {
    Ones = 1,
    Twos,
    Threes,
    Fours,
    Fives,
    Sixes,
    FourKind = 7,
    FullHouse = 8,
    SmStraight = 9,
    BigStraight = 10,
    FiveKind = 11,
    Freebie = 12,
    UpperTotal = 13,
    Bonus = 14,
    LowerTotal = 15
};

// Dice 1..5 at index 0..4, each 1..6.
using Dice = std::array<int, 5>;

// Entries 1..15 at index 1..15 (index 0 unused), plus the card's total.
struct Card {
    std::array<std::int32_t, kEntries + 1> entry{};
    std::int32_t total = 0;
    Card() { clear(); }
    void clear(); // every entry 1000, total 0
    bool used(int category) const { return entry[category] != kUnused; }
};

// Pattern tests on five dice.
bool hasFourKind(const Dice& d);
bool hasFullHouse(const Dice& d);
bool hasSmallStraight(const Dice& d);
bool hasBigStraight(const Dice& d);
bool hasFiveKind(const Dice& d);

// Ones..Sixes: face x the count of dice showing it; with a bonus die (1..6, 0 = no bonus game)
// a die that shows the face and equals the bonus die counts twice.
int numberValue(const Dice& d, int face, int bonusDie = 0);
// The value of the dice in category 1..12; the bonus die matters only for 1..6.
int categoryValue(const Dice& d, int category, int bonusDie = 0);
// Recomputes entries 13..15 and the total from entries 1..12.
void recomputeTotals(Card& card);

// "Ones" ... "Freebie", "Upper Total", "Bonus", "Lower Total" for 1..15; "" otherwise.
std::string categoryCaption(int category);
// "the ONES" ... "a FREEBIE" for 1..12; "" otherwise.
std::string categoryPhrase(int category);

// Names of the computer players that take seats 2, 3 and 4.
std::string computerName(int seat);

// The winner text over seats 1..4 (index 0..3) and the highest total (0 when no one scored).
struct Winner {
    std::string text;
    int total = 0;
};
Winner winnerText(const std::array<std::string, 4>& names, const std::array<int, 4>& totals);

} // namespace zb::rules
