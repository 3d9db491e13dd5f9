#pragma once
// The sound rules of the table window: which sound marks which game event, and what the
// switches "Play Sounds", "Turn Sound" and "Play Chatter Sounds" allow. Game sounds play only
// while "Play Sounds" is ticked; chatter sounds follow their own switch and, when it is off,
// become a chat line instead. Everything goes out through one SoundPlayer, i.e. one channel.

#include "shell/settingsprefs.h"
#include "shell/soundplayer.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

namespace zb {

class Sounds {
public:
    static constexpr int kFiveOfAKind = 11;                 // score card category
    static constexpr quint32 kChatterLineColour = 0xFF0000; // blue, as $00BBGGRR

    // The switches are read from prefs at every sound, so menu changes apply at once.
    Sounds(const Preferences& prefs, SoundPlayer& player);

    // playsounds: a game sound, if "Play Sounds" is ticked. A name the set does not hold sounds
    // the default alert.
    void playsounds(const QString& name);

    // The game events.
    void entered();                  // a player or spectator announced, oneself included
    void diceRolled(bool forMySeat); // "dice2" for the own seat, "dice" for another
    void dieSet();                   // "setdice"
    void dieUnset();                 // "unsetdice"
    void refused();                  // "error": roll again / choose again
    // A score was posted; cell is the posted seat's cell of the category as now shown.
    void scorePosted(int category, const QString& cell);
    void turnBegins(); // the local player's turn: "turnnew" or "turn"
    void gameOver();   // "gameover"

    // The sound name for a posted score ("noscore", "fivekind" or "scored").
    static QString scoreSound(int category, const QString& cell);

    // Receiving a chatter sound, data "seat+name+". With "Play Chatter Sounds" ticked the sound
    // plays, whatever "Play Sounds" says, and nothing is returned. Otherwise the returned line
    // ("0+Ann: <Chatter Sound> Where have you been?") is to be added to the chat in
    // kChatterLineColour; nothing is returned for a seat outside 1..4 or a name that is no
    // entry of the chatter menu. seatName gives the shown name of a seat 1..4.
    std::optional<QString> playasound(const QByteArray& data,
                                      const std::function<QString(int seat)>& seatName);

private:
    void play(const QString& name);

    const Preferences& prefs_;
    SoundPlayer& player_;
};

} // namespace zb
