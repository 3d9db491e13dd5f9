// Advice on positions of a turn: validity, what is returned at each roll, agreement with a
// brute-force turn, decisions that can be worked out by hand, and the choice among equal keeps.

#include "bruteturn.h"
#include "strategy/advisor.h"
#include "strategy/sharedtables.h"
#include "strategytables.h"

#include <gtest/gtest.h>

using namespace zb::strategy;
using namespace strategytest;
using zb::rules::Dice;
namespace R = zb::rules;

namespace {

Position at(unsigned used, Dice dice, int rolls, int upper = 0, int face = 0) {
    Position p;
    p.used = used;
    p.upperTotal = upper;
    p.bonusFace = face;
    p.dice = dice;
    p.rolls = rolls;
    return p;
}

std::array<bool, 5> dice(std::initializer_list<int> numbers) {
    std::array<bool, 5> set{};
    for (int d : numbers)
        set[d - 1] = true;
    return set;
}

TEST(Advisor, PositionsOutsideAGameOfTheTablesGetNoAdvice) {
    const Dice d{1, 2, 3, 4, 5};
    EXPECT_TRUE(advise(regular(), at(0, d, 1)).valid);
    EXPECT_FALSE(advise(regular(), at(kFullCard, d, 1)).valid);
    EXPECT_FALSE(advise(regular(), at(0x1000, d, 1)).valid);
    EXPECT_FALSE(advise(regular(), at(0, d, 1, 0, 3)).valid);
    EXPECT_FALSE(advise(bonus(), at(0, d, 1, 0, 0)).valid);
    EXPECT_FALSE(advise(bonus(), at(0, d, 1, 0, 7)).valid);
    EXPECT_TRUE(advise(bonus(), at(0, d, 1, 0, 6)).valid);
    EXPECT_FALSE(advise(regular(), at(0, d, 4)).valid);
    EXPECT_FALSE(advise(regular(), at(0, d, -1)).valid);
    EXPECT_TRUE(advise(regular(), at(0, d, 3)).valid);
    EXPECT_FALSE(advise(regular(), at(0, {1, 2, 3, 4, 0}, 1)).valid);
    EXPECT_FALSE(advise(regular(), at(0, {7, 2, 3, 4, 5}, 2)).valid);
    // Before the first roll the dice are not looked at.
    EXPECT_TRUE(advise(regular(), at(0, {0, 0, 0, 0, 0}, 0)).valid);
    const Advice none = advise(regular(), at(kFullCard, d, 1));
    EXPECT_EQ(none.category, 0);
    EXPECT_FALSE(none.rollAgain.has_value());
}

TEST(Advisor, BeforeTheFirstRollTheValueIsTheTables) {
    const unsigned used = onlyOpen({R::Sixes, R::Freebie, R::BigStraight});
    const Advice a = advise(regular(), at(used, {}, 0, 40));
    EXPECT_FALSE(a.scoreNow);
    EXPECT_EQ(a.category, 0);
    EXPECT_NEAR(a.expected, regular().expected(used, 40), kTight);
    EXPECT_NEAR(*a.rollAgain, a.expected, kTight);
    for (int c = 1; c <= 12; ++c)
        EXPECT_FALSE(a.scoreValue[c].has_value());
    EXPECT_FALSE(a.keepValue[0].has_value());
}

TEST(Advisor, TheFirstRollsAverageToTheTurnsValue) {
    const unsigned used = onlyOpen({R::Threes, R::FullHouse, R::FiveKind, R::Freebie});
    for (const auto& [t, face] : {std::pair{&regular(), 0}, std::pair{&bonus(), 3}}) {
        const DiceSets& sets = DiceSets::get();
        double sum = 0;
        for (int r = kFirstRoll; r < kSets; ++r)
            sum +=
                sets.rollChance(r) * advise(*t, at(used, sets.rollDice(r), 1, 30, face)).expected;
        EXPECT_NEAR(sum, advise(*t, at(used, {}, 0, 30, face)).expected, kTight);
    }
}

TEST(Advisor, AfterTheThirdRollItScoresTheBestOpenCategory) {
    const unsigned used = onlyOpen({R::Threes, R::FiveKind, R::Freebie});
    const Advice a = advise(regular(), at(used, {3, 3, 3, 3, 3}, 3));
    EXPECT_TRUE(a.scoreNow);
    EXPECT_EQ(a.category, R::FiveKind);
    EXPECT_FALSE(a.rollAgain.has_value());
    EXPECT_FALSE(a.keepValue[5].has_value());
    for (int c = 1; c <= 12; ++c)
        EXPECT_EQ(a.scoreValue[c].has_value(),
                  c == R::Threes || c == R::FiveKind || c == R::Freebie);
    // 50 now, and Threes and Freebie still to come.
    EXPECT_NEAR(*a.scoreValue[R::FiveKind],
                50 + regular().expected(used | categoryBit(R::FiveKind), 0), kTight);
    EXPECT_NEAR(*a.scoreValue[R::Threes], 15 + regular().expected(used | categoryBit(3), 15),
                kTight);
    EXPECT_NEAR(a.expected, *a.scoreValue[R::FiveKind], kTight);
}

TEST(Advisor, TheUpperTotalAndTheBonusFaceCountInTheScore) {
    // 63 on the card and Sixes open: one six earns the bonus with it.
    const unsigned used = onlyOpen({R::Sixes, R::Freebie});
    const Advice a = advise(regular(), at(used, {6, 1, 1, 1, 1}, 3, 63));
    EXPECT_NEAR(*a.scoreValue[R::Sixes], 6 + 35 + regular().expected(onlyOpen({R::Freebie}), 64),
                kTight);
    EXPECT_EQ(a.category, R::Sixes);
    // The bonus die doubles the sixes: 12 and the bonus.
    const Advice b = advise(bonus(), at(used, {6, 1, 1, 1, 1}, 3, 63, 6));
    EXPECT_NEAR(*b.scoreValue[R::Sixes], 12 + 35 + bonus().expected(onlyOpen({R::Freebie}), 64),
                kTight);
    const Advice c = advise(bonus(), at(used, {6, 1, 1, 1, 1}, 3, 63, 5));
    EXPECT_NEAR(*c.scoreValue[R::Sixes], 6 + 35 + bonus().expected(onlyOpen({R::Freebie}), 64),
                kTight);
}

void expectBruteForceAgrees(std::initializer_list<int> open, int upper,
                            std::initializer_list<Dice> rolls) {
    const unsigned used = onlyOpen(open);
    BruteTurn turn([&](const Dice& d) {
        double best = -1;
        for (int c : open) {
            const Gain g = gainOf(upper, c, R::categoryValue(d, c));
            best = std::max(best, g.points + regular().expected(used | categoryBit(c), g.upper));
        }
        return best;
    });
    EXPECT_NEAR(advise(regular(), at(used, {}, 0, upper)).expected, turn.start(), kTight);
    for (const Dice& d : rolls) {
        for (int rolls = 1; rolls <= 3; ++rolls) {
            const Advice a = advise(regular(), at(used, d, rolls, upper));
            EXPECT_NEAR(a.expected, turn.after(rolls, d), kTight) << rolls;
            if (rolls == 3)
                continue;
            for (unsigned m = 0; m < 32; ++m)
                EXPECT_NEAR(*a.keepValue[m], turn.keep(rolls, d, m), kTight) << rolls << " " << m;
        }
    }
}

TEST(Advisor, KeepsAndScoresAgreeWithBruteForce) {
    expectBruteForceAgrees({R::Fours, R::SmStraight, R::Freebie}, 50,
                           {Dice{4, 1, 2, 3, 4}, Dice{6, 6, 5, 4, 4}, Dice{1, 1, 1, 1, 1}});
    // Five different faces: four of them may be the keep that chases the straight.
    expectBruteForceAgrees({R::BigStraight, R::FullHouse}, 0,
                           {Dice{6, 4, 3, 2, 1}, Dice{1, 2, 3, 5, 6}, Dice{2, 2, 3, 3, 4}});
}

TEST(Advisor, OnlyFreebieLeftKeepsDiceWorthMoreThanARoll) {
    const unsigned used = onlyOpen({R::Freebie});
    // Before roll 2 a die is worth 14/3 to roll: keep 5 and 6.
    const Advice first = advise(regular(), at(used, {6, 4, 5, 3, 1}, 1));
    EXPECT_FALSE(first.scoreNow);
    EXPECT_EQ(first.keep, dice({1, 3}));
    EXPECT_NEAR(first.expected, 11 + 3 * 4.25, kTight);
    // Before roll 3 a die is worth 3.5: keep 4 to 6.
    const Advice second = advise(regular(), at(used, {6, 4, 5, 3, 1}, 2));
    EXPECT_EQ(second.keep, dice({1, 2, 3}));
    EXPECT_NEAR(second.expected, 15 + 2 * 3.5, kTight);
    EXPECT_NEAR(*second.rollAgain, second.expected, kTight);
    // Nothing worth rolling for: score at once, keeping all five is never the advice.
    const Advice done = advise(regular(), at(used, {6, 6, 6, 6, 5}, 1));
    EXPECT_TRUE(done.scoreNow);
    EXPECT_EQ(done.category, R::Freebie);
    EXPECT_NEAR(done.expected, 29, kTight);
}

TEST(Advisor, OfEqualKeepsItTakesTheOneNearestTheHolds) {
    const unsigned used = onlyOpen({R::FiveKind});
    Position p = at(used, {1, 1, 2, 2, 3}, 1);
    // Ones and twos are worth the same for five alike.
    const Advice free = advise(regular(), p);
    EXPECT_NEAR(*free.keepValue[0b00011], *free.keepValue[0b01100], kTight);
    EXPECT_EQ(free.keep, dice({1, 2}));
    p.held = dice({3, 4});
    EXPECT_EQ(advise(regular(), p).keep, dice({3, 4}));
    // Holding one of the pair: the pair it belongs to.
    p.held = dice({4, 5});
    EXPECT_EQ(advise(regular(), p).keep, dice({3, 4}));
    // Three alike beat any pair, whatever is held.
    p.dice = {5, 1, 5, 1, 5};
    p.held = dice({2, 4});
    EXPECT_EQ(advise(regular(), p).keep, dice({1, 3, 5}));
}

TEST(Advisor, CardHelpersReadTheCard) {
    R::Card card;
    EXPECT_EQ(usedCategories(card), 0u);
    EXPECT_EQ(upperTotalOf(card), 0); // entry 13 still reads 1000
    card.entry[R::Twos] = 8;
    card.entry[R::Sixes] = 0;
    card.entry[R::Freebie] = 20;
    R::recomputeTotals(card);
    EXPECT_EQ(usedCategories(card),
              categoryBit(R::Twos) | categoryBit(R::Sixes) | categoryBit(R::Freebie));
    EXPECT_EQ(upperTotalOf(card), 8);
}

} // namespace
