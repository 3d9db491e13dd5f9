// The process's shared tables: built once per kind, handed over whole to any thread, never
// waited for by ready().

#include "strategy/botskill.h"
#include "strategy/sharedtables.h"

#include <gtest/gtest.h>
#include <thread>
#include <vector>

using namespace zb::strategy;

namespace {

TEST(SharedTables, EachKindIsBuiltOnceAndHandedOverWhole) {
    // Many threads ask at once; every answer is null or the one table, never another.
    std::vector<std::thread> askers;
    std::array<std::shared_ptr<const Tables>, 8> seen;
    for (std::size_t i = 0; i < seen.size(); ++i)
        askers.emplace_back([&seen, i] {
            seen[i] = SharedTables::ready(i % 2 ? GameKind::BonusDice : GameKind::Regular);
        });
    for (std::thread& t : askers)
        t.join();
    const auto regular = SharedTables::wait(GameKind::Regular);
    const auto bonus = SharedTables::wait(GameKind::BonusDice);
    ASSERT_NE(regular, nullptr);
    ASSERT_NE(bonus, nullptr);
    EXPECT_NE(regular, bonus);
    EXPECT_EQ(regular->kind(), GameKind::Regular);
    EXPECT_EQ(bonus->kind(), GameKind::BonusDice);
    for (std::size_t i = 0; i < seen.size(); ++i) {
        if (seen[i]) {
            EXPECT_EQ(seen[i], i % 2 ? bonus : regular) << i;
        }
    }
    EXPECT_EQ(SharedTables::ready(GameKind::Regular), regular);
    SharedTables::prepare(GameKind::BonusDice);
    EXPECT_EQ(SharedTables::ready(GameKind::BonusDice), bonus);
    EXPECT_GT(regular->expected(0, 0), 0);
}

TEST(BotSkill, NamesAreTheWordsOfTheCommandLine) {
    EXPECT_EQ(botSkillName(BotSkill::Classic), "classic");
    EXPECT_EQ(botSkillName(BotSkill::Expert), "expert");
    EXPECT_EQ(parseBotSkill("classic"), BotSkill::Classic);
    EXPECT_EQ(parseBotSkill("expert"), BotSkill::Expert);
    for (const char* word : {"", "Expert", "expert ", "classi", "experts", "2"})
        EXPECT_FALSE(parseBotSkill(word).has_value()) << word;
}

} // namespace
