// The sound rules: which sound each game event plays, what the three switches allow, chatter
// sounds played or shown as a chat line, and the sound set's names and captions.

#include "shell/soundnames.h"
#include "shell/sounds.h"
#include "support/soundrecorder.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

using zb::RecordingSoundPlayer;
using zb::Sounds;

class SoundsTest : public ::testing::Test {
protected:
    SoundsTest() { prefs_.playSounds = true; }

    QStringList played() const { return player_.played(); }
    static QString ann(int seat) {
        return seat == 2 ? QStringLiteral("Ann") : QStringLiteral("Bob");
    }

    zb::Preferences prefs_;
    RecordingSoundPlayer player_;
    Sounds sounds_{prefs_, player_};
};

TEST_F(SoundsTest, EachGameEventPlaysItsSound) {
    sounds_.entered();
    sounds_.diceRolled(true);
    sounds_.diceRolled(false);
    sounds_.dieSet();
    sounds_.dieUnset();
    sounds_.refused();
    sounds_.gameOver();
    EXPECT_EQ(played(), (QStringList{"entered", "dice2", "dice", "setdice", "unsetdice", "error",
                                     "gameover"}));
}

TEST_F(SoundsTest, PostedScoreSoundDependsOnTheCellAndCategory) {
    EXPECT_EQ(Sounds::scoreSound(11, QStringLiteral("50")), QStringLiteral("fivekind"));
    EXPECT_EQ(Sounds::scoreSound(11, QStringLiteral("0")), QStringLiteral("noscore"));
    EXPECT_EQ(Sounds::scoreSound(3, QStringLiteral("0")), QStringLiteral("noscore"));
    EXPECT_EQ(Sounds::scoreSound(3, QStringLiteral("9")), QStringLiteral("scored"));
    EXPECT_EQ(Sounds::scoreSound(12, QStringLiteral("30")), QStringLiteral("scored"));
    EXPECT_EQ(Sounds::scoreSound(1, QStringLiteral("00")), QStringLiteral("scored"));
    sounds_.scorePosted(11, QStringLiteral("50"));
    sounds_.scorePosted(8, QStringLiteral("0"));
    sounds_.scorePosted(8, QStringLiteral("25"));
    EXPECT_EQ(played(), (QStringList{"fivekind", "noscore", "scored"}));
}

TEST_F(SoundsTest, TurnSoundSwitchChoosesClassicOrNew) {
    prefs_.turnSound = 0;
    sounds_.turnBegins();
    prefs_.turnSound = 1;
    sounds_.turnBegins();
    EXPECT_EQ(played(), (QStringList{"turn", "turnnew"}));
}

TEST_F(SoundsTest, PlaySoundsOffSilencesEveryGameSound) {
    prefs_.playSounds = false;
    sounds_.entered();
    sounds_.diceRolled(true);
    sounds_.dieSet();
    sounds_.scorePosted(11, QStringLiteral("50"));
    sounds_.turnBegins();
    sounds_.gameOver();
    sounds_.playsounds(QStringLiteral("dice"));
    EXPECT_TRUE(played().isEmpty());
    prefs_.playSounds = true; // read at every sound: a menu change applies at once
    sounds_.playsounds(QStringLiteral("dice"));
    EXPECT_EQ(played(), QStringList{QStringLiteral("dice")});
}

TEST_F(SoundsTest, NamesMatchInAnyCaseAndUnknownOnesSoundTheAlert) {
    sounds_.playsounds(QStringLiteral("DICE"));
    sounds_.playsounds(QStringLiteral("Wave20"));
    sounds_.playsounds(QStringLiteral("boom"));
    sounds_.playsounds(QString());
    EXPECT_EQ(played(), (QStringList{"dice", "wave20", zb::sound::kAlert, zb::sound::kAlert}));
}

TEST_F(SoundsTest, OneChannelTheLatestSoundIsTheOneHeard) {
    sounds_.turnBegins();
    sounds_.diceRolled(false); // a roll arriving during the turn sound cuts it off
    EXPECT_EQ(player_.current(), QStringLiteral("dice"));
    prefs_.chatterSounds = true;
    sounds_.playasound("3+wave13+", ann);
    EXPECT_EQ(player_.current(), QStringLiteral("wave13")) << "chatter shares the channel";
}

TEST_F(SoundsTest, ChatterSoundsPlayEvenWithPlaySoundsOff) {
    prefs_.playSounds = false;
    prefs_.chatterSounds = true;
    EXPECT_FALSE(sounds_.playasound("2+wave5+", ann).has_value());
    EXPECT_FALSE(sounds_.playasound("9+WAVE7+", ann).has_value());
    sounds_.diceRolled(true);
    EXPECT_EQ(played(), (QStringList{"wave5", "wave7"}));
}

TEST_F(SoundsTest, UnknownChatterSoundSoundsTheAlert) {
    prefs_.chatterSounds = true;
    EXPECT_FALSE(sounds_.playasound("2+wave21+", ann).has_value());
    EXPECT_FALSE(sounds_.playasound("", ann).has_value());
    EXPECT_EQ(played(), (QStringList{zb::sound::kAlert, zb::sound::kAlert}));
}

TEST_F(SoundsTest, ChatterSoundsOffShowTheCaptionInsteadOfPlaying) {
    prefs_.chatterSounds = false;
    const auto line = sounds_.playasound("2+wave5+", ann);
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(*line, QStringLiteral("0+Ann: <Chatter Sound> Where have you been?"));
    EXPECT_EQ(Sounds::kChatterLineColour, 0xFF0000u);
    EXPECT_TRUE(played().isEmpty());

    EXPECT_EQ(sounds_.playasound("1+WAVE20+", ann).value_or(QString()),
              QStringLiteral("0+Bob: <Chatter Sound> Crying"));
    EXPECT_EQ(sounds_.playasound("4+wave1", ann).value_or(QString()),
              QStringLiteral("0+Bob: <Chatter Sound> Doh"));
    EXPECT_TRUE(played().isEmpty());
}

TEST_F(SoundsTest, ChatterLineNeedsASeatWithANameAndAMenuEntry) {
    prefs_.chatterSounds = false;
    EXPECT_FALSE(sounds_.playasound("5+wave5+", ann)) << "spectators have no name label";
    EXPECT_FALSE(sounds_.playasound("0+wave5+", ann));
    EXPECT_FALSE(sounds_.playasound("x+wave5+", ann));
    EXPECT_FALSE(sounds_.playasound("2+wave0+", ann));
    EXPECT_FALSE(sounds_.playasound("2+wave21+", ann));
    EXPECT_FALSE(sounds_.playasound("2+wave05+", ann));
    EXPECT_FALSE(sounds_.playasound("2+dice+", ann)) << "a game sound is no chatter entry";
    EXPECT_FALSE(sounds_.playasound("2+", ann));
    EXPECT_FALSE(sounds_.playasound("2+wave5+", {}));
    EXPECT_TRUE(played().isEmpty());
}

TEST_F(SoundsTest, NameWithPercentSignsIsShownAsIs) {
    prefs_.chatterSounds = false;
    const auto line = sounds_.playasound("3+wave3+", [](int) { return QStringLiteral("%2 %1"); });
    EXPECT_EQ(line.value_or(QString()), QStringLiteral("0+%2 %1: <Chatter Sound> Hello"));
}

TEST(SoundSet, HoldsThirtyTwoLowerCaseNames) {
    const QStringList& names = zb::sound::names();
    ASSERT_EQ(names.size(), 32);
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), 32);
    for (const QString& name : names)
        EXPECT_EQ(name, name.toLower());
    for (const char* game : {"dice", "dice2", "entered", "error", "fivekind", "gameover", "noscore",
                             "scored", "setdice", "turn", "turnnew", "unsetdice"})
        EXPECT_TRUE(names.contains(QLatin1String(game))) << game;
    for (int k = 1; k <= 20; ++k)
        EXPECT_TRUE(names.contains(QStringLiteral("wave%1").arg(k))) << k;
    EXPECT_FALSE(names.contains(zb::sound::kAlert));
    EXPECT_EQ(zb::sound::canonicalName(u"TurnNew"), QStringLiteral("turnnew"));
    EXPECT_TRUE(zb::sound::canonicalName(u"turn ").isEmpty());
    EXPECT_EQ(zb::sound::resourcePath(QStringLiteral("dice")), QStringLiteral(":/sounds/dice.wav"));
}

TEST(SoundSet, ChatterMenuCaptionsInOrder) {
    const QStringList captions{
        "<Cancel>",       "Doh",          "Cough", "Hello",   "Thank You", "Where have you been?",
        "Snoring",        "Sneezing",     "Sorry", "Welcome", "Yeehaa",    "Yippee",
        "Oh No",          "Applause",     "Honk",  "Oooh",    "Razzberry", "Cheer",
        "Woman Laughing", "Man Laughing", "Crying"};
    ASSERT_EQ(captions.size(), zb::sound::kChatterCount + 1);
    for (int k = 0; k <= zb::sound::kChatterCount; ++k)
        EXPECT_EQ(zb::sound::chatterCaption(k), captions[k]) << k;
    EXPECT_TRUE(zb::sound::chatterCaption(-1).isEmpty());
    EXPECT_TRUE(zb::sound::chatterCaption(21).isEmpty());

    EXPECT_TRUE(zb::sound::chatterSoundName(0).isEmpty());
    EXPECT_EQ(zb::sound::chatterSoundName(1), QStringLiteral("wave1"));
    EXPECT_EQ(zb::sound::chatterSoundName(20), QStringLiteral("wave20"));
    EXPECT_TRUE(zb::sound::chatterSoundName(21).isEmpty());

    EXPECT_EQ(zb::sound::chatterNumber(u"wave5"), 5);
    EXPECT_EQ(zb::sound::chatterNumber(u"WAVE20"), 20);
    EXPECT_EQ(zb::sound::chatterNumber(u"wave05"), 0);
    EXPECT_EQ(zb::sound::chatterNumber(u"wave0"), 0);
    EXPECT_EQ(zb::sound::chatterNumber(u"dice"), 0);
}

} // namespace
