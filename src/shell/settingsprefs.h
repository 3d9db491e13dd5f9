#pragma once
// The player's saved preferences as the table window holds them in memory. The member
// initialisers are the window's state before the settings file has been read in this run.

#include "strategy/botskill.h"

#include <QRect>
#include <QString>
#include <array>

namespace zb {

struct Preferences {
    static constexpr int kPhraseKeys = 9;       // "Phrase1".."Phrase9"; button 10 has no key
    static constexpr int kPhraseMaxLength = 50; // characters of one phrase
    static constexpr int kBotFast = 500;
    static constexpr int kBotNormal = 1000;
    static constexpr int kBotSlow = 1500;

    QRect bounds{3, 3, 783, 512};                  // the window's outer place and size
    int textSize = 10;                             // chat text size in points
    QString textColor = QStringLiteral("clBlack"); // chat colour as colour text; empty: not written
    // Phrase texts read from the file, indexed 1..9 (0 unused). Empty: keep the button's text.
    std::array<QString, kPhraseKeys + 1> phrases{};
    int botSpeed = 750; // computer player interval in milliseconds
    bool playSounds = true;
    bool doubleCheck = false;
    int turnSound = 0; // 0 "Classic", 1 "New"
    bool chatterSounds = false;
    // The faint numbers in the own column's empty cells during the own turn. A key of its own,
    // which the lobby does not know and leaves alone.
    bool scoreHints = true;
    // How the host's computer players play, from the next game start. A key of its own.
    strategy::BotSkill botSkill = strategy::BotSkill::Classic;
    // The coach's best move shown all through the own turn. A key of its own.
    bool showBestMove = false;
};

} // namespace zb
