#pragma once
// How the host's computer players play: Classic, the greedy player that has always played the
// empty seats (the default), or Expert, the strategy that maximises the card's expected total.
// Plain C++, so the settings and the windows can name a skill without the host.

#include <optional>
#include <string_view>

namespace zb::strategy {

enum class BotSkill { Classic, Expert };

// "classic" or "expert": the words of the command line and of the settings.
constexpr std::string_view botSkillName(BotSkill skill) {
    return skill == BotSkill::Expert ? "expert" : "classic";
}

// The skill a word names, exactly as botSkillName() spells it; nothing else.
constexpr std::optional<BotSkill> parseBotSkill(std::string_view word) {
    if (word == "classic")
        return BotSkill::Classic;
    if (word == "expert")
        return BotSkill::Expert;
    return std::nullopt;
}

} // namespace zb::strategy
