// Who won a finished game, as the tally counts it: the local player's side (his seat, or his
// team in a team game) alone with the highest total, an opponent's side alone, or a tie.

#include "table/core/tallysink.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    bool team;
    int mySeat;
    std::array<int, 4> totals;
    std::array<bool, 4> tookPart;
    bool localWon;
    QStringList winners;
};

zb::FinishedGame gameOf(const Case& c) {
    zb::FinishedGame g;
    g.team = c.team;
    g.mySeat = c.mySeat;
    const char* names[] = {"Ann", "Bob", "Cy", "Dee"};
    for (int s = 1; s <= 4; ++s)
        g.seats[s] = {names[s - 1], c.totals[s - 1], c.tookPart[s - 1]};
    return g;
}

const Case kCases[] = {
    {"alone on top", false, 1, {200, 150, 0, 0}, {true, true, false, false}, true, {}},
    {"one point short", false, 1, {199, 200, 0, 0}, {true, true, false, false}, false, {"Bob"}},
    {"a tie of two", false, 1, {200, 200, 0, 0}, {true, true, false, false}, false, {}},
    {"a seat that did not play cannot win",
     false,
     1,
     {150, 100, 300, 0},
     {true, true, false, false},
     true,
     {}},
    {"a tie of others above", false, 3, {50, 200, 190, 200}, {true, true, true, true}, false, {}},
    {"nobody scored", false, 2, {0, 0, 0, 0}, {true, true, false, false}, false, {}},
    {"the own team", true, 3, {180, 120, 180, 120}, {true, true, true, true}, true, {"Ann"}},
    {"the other team",
     true,
     1,
     {120, 180, 120, 180},
     {true, true, true, true},
     false,
     {"Bob", "Dee"}},
    {"teams tied", true, 2, {150, 150, 150, 150}, {true, true, true, true}, false, {}},
};

class FinishedGameTest : public ::testing::TestWithParam<Case> {};

TEST_P(FinishedGameTest, TheSideAloneOnTopWins) {
    const Case& c = GetParam();
    const zb::FinishedGame g = gameOf(c);
    EXPECT_EQ(g.localWon(), c.localWon);
    EXPECT_EQ(g.winners(), c.winners);
    EXPECT_EQ(g.myTotal(), c.totals[c.mySeat - 1]);
}

INSTANTIATE_TEST_SUITE_P(Games, FinishedGameTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) {
                             std::string n = info.param.name;
                             for (char& ch : n)
                                 ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             return n;
                         });

TEST(FinishedGame, OpponentsAreTheOtherSeatsThatTookPartInSeatOrder) {
    Case c{"", false, 2, {1, 2, 3, 4}, {true, true, false, true}, false, {}};
    EXPECT_EQ(gameOf(c).opponents(), QStringList({"Ann", "Dee"}));
}

} // namespace
