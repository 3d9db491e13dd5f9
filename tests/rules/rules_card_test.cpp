#include "rules/rules.h"

#include <gtest/gtest.h>

using namespace zb::rules;

namespace {

TEST(Card, StartsWithEveryEntryUnusedAndTotalZero) {
    Card card;
    for (int c = 1; c <= kEntries; ++c) {
        EXPECT_EQ(card.entry[c], kUnused) << c;
        EXPECT_FALSE(card.used(c)) << c;
    }
    EXPECT_EQ(card.total, 0);
}

TEST(Card, ClearResetsAUsedCard) {
    Card card;
    card.entry[Fours] = 8;
    recomputeTotals(card);
    card.clear();
    EXPECT_FALSE(card.used(Fours));
    EXPECT_FALSE(card.used(UpperTotal));
    EXPECT_EQ(card.total, 0);
}

TEST(Totals, FirstScoreOfTheOpeningGame) {
    Card card;
    card.entry[Fours] = 8;
    recomputeTotals(card);
    EXPECT_EQ(card.entry[UpperTotal], 8);
    EXPECT_EQ(card.entry[Bonus], 0);
    EXPECT_EQ(card.entry[LowerTotal], 0);
    EXPECT_EQ(card.total, 8);
    for (int c = Ones; c <= Freebie; ++c) {
        if (c != Fours) {
            EXPECT_EQ(card.entry[c], kUnused) << c;
        }
    }
}

TEST(Totals, UpperTotalOfSixtyThreeEarnsNoBonus) {
    Card card;
    card.entry[Ones] = 3;
    card.entry[Twos] = 6;
    card.entry[Threes] = 9;
    card.entry[Fours] = 12;
    card.entry[Fives] = 15;
    card.entry[Sixes] = 18;
    card.entry[Freebie] = 20;
    recomputeTotals(card);
    EXPECT_EQ(card.entry[UpperTotal], 63);
    EXPECT_EQ(card.entry[Bonus], 0);
    EXPECT_EQ(card.entry[LowerTotal], 20);
    EXPECT_EQ(card.total, 83);
}

TEST(Totals, UpperTotalOfSixtyFourEarnsTheBonus) {
    Card card;
    card.entry[Ones] = 4;
    card.entry[Twos] = 6;
    card.entry[Threes] = 9;
    card.entry[Fours] = 12;
    card.entry[Fives] = 15;
    card.entry[Sixes] = 18;
    card.entry[Freebie] = 20;
    recomputeTotals(card);
    EXPECT_EQ(card.entry[UpperTotal], 64);
    EXPECT_EQ(card.entry[Bonus], 35);
    EXPECT_EQ(card.total, 64 + 35 + 20);
}

TEST(Totals, BonusCountsOnAPartlyFilledUpperHalf) {
    Card card;
    card.entry[Sixes] = 30;
    card.entry[Fives] = 25;
    card.entry[Fours] = 16;
    recomputeTotals(card);
    EXPECT_EQ(card.entry[UpperTotal], 71);
    EXPECT_EQ(card.entry[Bonus], 35);
    EXPECT_EQ(card.total, 106);
}

TEST(Totals, AllZeroCard) {
    Card card;
    for (int c = Ones; c <= Freebie; ++c)
        card.entry[c] = 0;
    recomputeTotals(card);
    EXPECT_EQ(card.entry[UpperTotal], 0);
    EXPECT_EQ(card.entry[Bonus], 0);
    EXPECT_EQ(card.entry[LowerTotal], 0);
    EXPECT_EQ(card.total, 0);
}

TEST(Totals, FullCardAndRecomputingOverwritesOldTotals) {
    Card card;
    const int values[kCategories + 1] = {0, 3, 8, 12, 16, 20, 24, 28, 25, 30, 40, 50, 22};
    for (int c = Ones; c <= Freebie; ++c)
        card.entry[c] = values[c];
    card.entry[UpperTotal] = 999;
    card.entry[Bonus] = 999;
    card.entry[LowerTotal] = 999;
    card.total = -5;
    recomputeTotals(card);
    EXPECT_EQ(card.entry[UpperTotal], 83);
    EXPECT_EQ(card.entry[Bonus], 35);
    EXPECT_EQ(card.entry[LowerTotal], 195);
    EXPECT_EQ(card.total, 83 + 35 + 195);
    recomputeTotals(card);
    EXPECT_EQ(card.total, 313);
}

TEST(Texts, CaptionsOfAllFifteenEntries) {
    const char* expected[] = {"Ones",        "Twos",         "Threes",      "Fours",
                              "Fives",       "Sixes",        "4 of a Kind", "Full House",
                              "Sm Straight", "Big Straight", "5 of a Kind", "Freebie",
                              "Upper Total", "Bonus",        "Lower Total"};
    for (int c = 1; c <= kEntries; ++c)
        EXPECT_EQ(categoryCaption(c), expected[c - 1]) << c;
    EXPECT_EQ(categoryCaption(0), "");
    EXPECT_EQ(categoryCaption(16), "");
    EXPECT_EQ(categoryCaption(-1), "");
}

TEST(Texts, PhrasesOfTheTwelveCategories) {
    const char* expected[] = {"the ONES",      "the TWOS",       "the THREES",    "the FOURS",
                              "the FIVES",     "the SIXES",      "a 4 OF A KIND", "a FULL HOUSE",
                              "a SM STRAIGHT", "a BIG STRAIGHT", "a 5 OF A KIND", "a FREEBIE"};
    for (int c = 1; c <= kCategories; ++c)
        EXPECT_EQ(categoryPhrase(c), expected[c - 1]) << c;
    EXPECT_EQ(categoryPhrase(0), "");
    EXPECT_EQ(categoryPhrase(UpperTotal), "");
    EXPECT_EQ(categoryPhrase(Bonus), "");
}

TEST(Texts, ComputerPlayerNames) {
    EXPECT_EQ(computerName(2), "Klot");
    EXPECT_EQ(computerName(3), "Kling");
    EXPECT_EQ(computerName(4), "Klick");
    EXPECT_EQ(computerName(1), "");
    EXPECT_EQ(computerName(5), "");
}

TEST(Winner, SingleHighestTotal) {
    const Winner w = winnerText({"You", "Klot", "Kling", "Klick"}, {180, 210, 95, 0});
    EXPECT_EQ(w.text, "Klot");
    EXPECT_EQ(w.total, 210);
}

TEST(Winner, TieNamesTheLowerSeatFirst) {
    const Winner w = winnerText({"Ann", "Bob", "Cid", "Dee"}, {150, 200, 120, 200});
    EXPECT_EQ(w.text, "Bob and Dee");
    EXPECT_EQ(w.total, 200);
}

TEST(Winner, ThreeWayTie) {
    const Winner w = winnerText({"Ann", "Bob", "Cid", "Dee"}, {99, 40, 99, 99});
    EXPECT_EQ(w.text, "Ann and Cid and Dee");
    EXPECT_EQ(w.total, 99);
}

TEST(Winner, TeamPartnersAlwaysTie) {
    const Winner w = winnerText({"You", "Klot", "Kling", "Klick"}, {140, 230, 140, 230});
    EXPECT_EQ(w.text, "Klot and Klick");
    EXPECT_EQ(w.total, 230);
}

TEST(Winner, AllZeroIsNoOneAndEverySeat) {
    const Winner w = winnerText({"You", "Klot", "Kling", "Klick"}, {0, 0, 0, 0});
    EXPECT_EQ(w.text, "No One and You and Klot and Kling and Klick");
    EXPECT_EQ(w.total, 0);
}

TEST(Winner, NamesAreTakenAsGiven) {
    const Winner w = winnerText({"A+B", "", "", "x"}, {0, 0, 0, 0});
    EXPECT_EQ(w.text, "No One and A+B and  and  and x");
    EXPECT_EQ(winnerText({"A+B", "", "", "x"}, {0, 7, 0, 0}).text, "");
}

} // namespace
