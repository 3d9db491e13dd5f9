// The sounds of the table: which recording marks which message, the switches that silence them,
// and chatter sounds, played, shown as a chat line, or sent from the tenth phrase button's menu.

#include "tablefixture.h"

#include "controls/picturebutton.h"
#include "shell/chattersoundmenu.h"
#include "shell/phrasebuttons.h"

#include <QAction>
#include <QTest>

using namespace zbtest;

namespace {

struct EventSound {
    const char* what;
    QByteArray messages; // fed after the seated start (Ann in seat 1, Bob in seat 2)
    QStringList played;
};

class TableSoundTest : public TableTest, public ::testing::WithParamInterface<EventSound> {};

TEST_P(TableSoundTest, EachMessagePlaysItsSound) {
    const EventSound& e = GetParam();
    seated(1);
    feed(e.messages);
    EXPECT_EQ(sounds.played(), e.played) << e.what;
}

const QByteArray kMyRoll = "CMD_nextplayer+1+1+0+0+\xFF"
                           "CMD_thedice+1+y+1+1+2+2+3+3+4+4+5+5+6\xFF";

INSTANTIATE_TEST_SUITE_P(
    Events, TableSoundTest,
    ::testing::Values(
        EventSound{"a player arrives", "CMD_newplayerinfo+3+Cid\xFF", {"entered"}},
        EventSound{"a spectator arrives", "CMD_newplayerinfo+5+Eve\xFF", {"entered"}},
        EventSound{"an existing player", "CMD_existingplayers+4+Dee\xFF", {"entered"}},
        EventSound{"the own turn", "CMD_nextplayer+1+1+0+0+\xFF", {"turn"}},
        EventSound{"another's turn", "CMD_nextplayer+2+1+0+0+\xFF", {}},
        EventSound{"the own roll", kMyRoll, {"turn", "dice2"}},
        EventSound{"another's roll",
                   "CMD_nextplayer+2+1+0+0+\xFF"
                   "CMD_thedice+2+y+1+1+2+2+3+3+4+4+5+5+6\xFF",
                   {"dice"}},
        EventSound{"a die held and released",
                   kMyRoll + "CMD_setdice+3\xFF"
                             "CMD_unsetdice+3\xFF",
                   {"turn", "dice2", "setdice", "unsetdice"}},
        EventSound{"roll first", "CMD_rollagain+\xFF", {"error"}},
        EventSound{"choose again", "CMD_chooseagain+\xFF", {"error"}},
        EventSound{"a score", "CMD_pscore+2+12+4+1000+1000+1000+12\xFF", {"scored"}},
        EventSound{"a zero", "CMD_pscore+2+0+4+1000+1000+1000+0\xFF", {"noscore"}},
        EventSound{"five of a kind",
                   "CMD_pscore+2+50+11+1000+1000+1000+1000+1000+1000+1000+1000+1000+1000+50\xFF",
                   {"fivekind"}},
        EventSound{"a zero five of a kind",
                   "CMD_pscore+2+0+11+1000+1000+1000+1000+1000+1000+1000+1000+1000+1000+0\xFF",
                   {"noscore"}},
        EventSound{"a copy for the partner", "CMD_pscore+4+12+*4+1000+1000+1000+12\xFF", {}},
        EventSound{"the winner", "CMD_winner+Bob+120+\xFF", {"gameover"}},
        EventSound{"a watching notice", "CMD_justwatching+2+1\xFF", {}}),
    [](const ::testing::TestParamInfo<EventSound>& info) {
        std::string name;
        for (const char* c = info.param.what; *c; ++c) {
            if (std::isalnum(static_cast<unsigned char>(*c)))
                name += *c;
        }
        return name;
    });

TEST_F(TableTest, TheNewTurnSoundFollowsTheMenu) {
    seated(1);
    table->menu().New1->trigger();
    feed("CMD_nextplayer+1+1+0+0+\xFF");
    table->menu().Classic1->trigger();
    feed("CMD_nextplayer+1+2+0+0+\xFF");
    EXPECT_EQ(sounds.played(), QStringList({"turnnew", "turn"}));
}

TEST_F(TableTest, WithPlaySoundsOffTheGameIsSilentButChatterStillPlays) {
    seated(1);
    table->menu().PlaySounds1->trigger();
    ASSERT_FALSE(table->menu().PlaySounds1->isChecked());
    table->menu().PlayChatterSounds1->trigger();
    feed(kMyRoll + "CMD_setdice+1\xFF"
                   "CMD_unsetdice+1\xFF"
                   "CMD_rollagain+\xFF"
                   "CMD_pscore+1+12+4+1000+1000+1000+12\xFF"
                   "CMD_newplayerinfo+3+Cid\xFF"
                   "CMD_winner+Bob+120+\xFF");
    EXPECT_TRUE(sounds.played().isEmpty());
    feed("CMD_playasound+2+wave13+\xFF");
    EXPECT_EQ(sounds.played(), QStringList({"wave13"}));
}

TEST_F(TableTest, WithChatterSoundsOffAChatterSoundBecomesABlueLine) {
    open("Bob");
    login(1);
    feed("CMD_existingplayers+2+Ann\xFF");
    sounds.clear();
    ASSERT_FALSE(table->menu().PlayChatterSounds1->isChecked());
    feed("CMD_playasound+2+wave5+\xFF");
    EXPECT_EQ(chatLines().last(), "Ann: <Chatter Sound> Where have you been?");
    EXPECT_EQ(table->chatPanel()->mainchat()->style(0).color.rgba(), 0xFF0000FFu);
    EXPECT_TRUE(sounds.played().isEmpty());

    // A seat without a name label, or a name that is no menu entry, shows nothing.
    const QString before = chatText();
    feed("CMD_playasound+6+wave5+\xFF"
         "CMD_playasound+2+wave21+\xFF"
         "CMD_playasound+2+dice+\xFF");
    EXPECT_EQ(chatText(), before);
    EXPECT_TRUE(sounds.played().isEmpty());
}

TEST_F(TableTest, AnUnknownChatterSoundFromAPeerPlaysTheAlertAndNothingElse) {
    open();
    login(1);
    feed("CMD_existingplayers+2+Bob\xFF");
    table->menu().PlayChatterSounds1->trigger();
    sounds.clear();
    const QString before = chatText();
    feed("CMD_playasound+2+wave99+\xFF");
    EXPECT_EQ(sounds.played(), QStringList({"alert"}));
    EXPECT_EQ(chatText(), before);
    EXPECT_TRUE(errors.isEmpty());
    feed("CMD_playasound+2+WAVE7+\xFF");
    EXPECT_EQ(sounds.current(), "wave7") << "names match without regard to case";
}

TEST_F(TableTest, TheChatterMenuOfTheTenthButtonSendsTheChosenSound) {
    seated(2);
    zb::ChatterSoundMenu* menu = table->phraseButtons()->popup_sounds();
    menu->wave(5)->trigger();
    menu->wave(0)->trigger(); // "<Cancel>"
    menu->wave(20)->trigger();
    EXPECT_EQ(sentSoFar(),
              QList<QByteArray>({"CMD_playasound+2+wave5+", "CMD_playasound+2+wave20+"}));
}

TEST_F(TableTest, ASpectatorsChatterMenuSendsNothing) {
    open();
    login(6);
    feed("CMD_newplayerinfo+6+Ann\xFF");
    table->phraseButtons()->popup_sounds()->wave(3)->trigger();
    EXPECT_TRUE(sentSoFar().isEmpty());
}

TEST_F(TableTest, TheTenthButtonOpensTheChatterMenu) {
    seated(2);
    zb::PhraseButtons* buttons = table->phraseButtons();
    QTest::mouseClick(buttons->b_phrase(10), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return buttons->popup_sounds()->isVisible(); }));
    buttons->popup_sounds()->hide();
    EXPECT_TRUE(sentSoFar().isEmpty());
}

} // namespace
