#include "net/protocol.h"

#include <gtest/gtest.h>

using namespace zb::msg;
using zb::proto::Entries;

namespace {

Entries unusedCard() {
    Entries e;
    e.fill(1000);
    return e;
}

TEST(ToHost, EveryMessageAsSent) {
    EXPECT_EQ(toHost::logininfo(1, "1.0.4", "You\xFF"), "CMD_logininfo+1+1.0.4+You\xFF\xFF");
    EXPECT_EQ(toHost::kickhim(1, 3), "CMD_kickhim+1+3+\xFF");
    EXPECT_EQ(toHost::chat(2, "hello there|clBlack"), "CMD_chat+2+hello there|clBlack\xFF");
    EXPECT_EQ(toHost::action(3, "says: Nice roll!|$00FF0000"),
              "CMD_action+3+says: Nice roll!|$00FF0000\xFF");
    EXPECT_EQ(toHost::startgame(1, {}), "CMD_startgame+1+f+false\xFF");
    EXPECT_EQ(toHost::startgame(1, {.bonus = true, .team = true}), "CMD_startgame+1+t+true\xFF");
    EXPECT_EQ(toHost::startgame(1, {.bonus = true}), "CMD_startgame+1+t+false\xFF");
    EXPECT_EQ(toHost::startgame(1, {.team = true}), "CMD_startgame+1+f+true\xFF");
    EXPECT_EQ(toHost::justwatch(3, 1), "CMD_justwatch+3+1\xFF");
    EXPECT_EQ(toHost::justwatch(2, 2), "CMD_justwatch+2+2\xFF");
    EXPECT_EQ(toHost::rolldice(4), "CMD_rolldice+4\xFF");
    EXPECT_EQ(toHost::setdice(1, 5), "CMD_setdice+1+5\xFF");
    EXPECT_EQ(toHost::unsetdice(1, 2), "CMD_unsetdice+1+2\xFF");
    EXPECT_EQ(toHost::setscore(2, 12), "CMD_setscore+2+12\xFF");
    EXPECT_EQ(toHost::playasound(2, 5), "CMD_playasound+2+wave5+\xFF");
    EXPECT_EQ(toHost::playasound(4, 20), "CMD_playasound+4+wave20+\xFF");
    EXPECT_EQ(toHost::botspeed(1, 1000), "CMD_botspeed+1+1000+\xFF");
    EXPECT_EQ(toHost::botspeed(1, 500), "CMD_botspeed+1+500+\xFF");
}

TEST(ToHost, LoginEndsWithTwoTerminatorsEvenWhenTheNameHasNone) {
    EXPECT_EQ(toHost::logininfo(2, "1.0.4", "Bob"), "CMD_logininfo+2+1.0.4+Bob\xFF\xFF");
    EXPECT_EQ(toHost::logininfo(2, "1.0.4", "\xFF"), "CMD_logininfo+2+1.0.4+\xFF\xFF");
}

TEST(ToTable, EveryMessageAsSent) {
    EXPECT_EQ(toTable::sendlogininfo(1), "CMD_sendlogininfo+1\xFF");
    EXPECT_EQ(toTable::sendlogininfo(9), "CMD_sendlogininfo+9\xFF");
    EXPECT_EQ(toTable::full(), "CMD_full+\xFF");
    EXPECT_EQ(toTable::newplayerinfo(1, "You"), "CMD_newplayerinfo+1+You\xFF");
    EXPECT_EQ(toTable::existingplayers(3, ""), "CMD_existingplayers+3+\xFF");
    EXPECT_EQ(toTable::existingplayers(2, "Bob"), "CMD_existingplayers+2+Bob\xFF");
    EXPECT_EQ(toTable::havewrongversion("Bob"), "CMD_havewrongversion+Bob\xFF");
    EXPECT_EQ(toTable::wrongversion(), "CMD_wrongversion+\xFF");
    EXPECT_EQ(toTable::playerdisconnected(6, "Spy"), "CMD_playerdisconnected+6+Spy\xFF");
    EXPECT_EQ(toTable::chat("2", "Bob", "hi|clRed"), "CMD_chat+2+Bob chats: hi|clRed\xFF");
    EXPECT_EQ(toTable::action("2", "Bob", "waves|clRed"), "CMD_action+2+Bob waves|clRed\xFF");
    EXPECT_EQ(toTable::playasound("3", "wave7+"), "CMD_playasound+3+wave7+\xFF");
    EXPECT_EQ(toTable::startgame(1, {.bonus = true, .team = true}), "CMD_startgame+1+t+true\xFF");
    EXPECT_EQ(toTable::setbonusdice(6), "CMD_setbonusdice+6\xFF");
    EXPECT_EQ(toTable::nextplayer(1, 1, 0, 0), "CMD_nextplayer+1+1+0+0+\xFF");
    EXPECT_EQ(toTable::nextplayer(3, 12, 245, 2), "CMD_nextplayer+3+12+245+2+\xFF");
    EXPECT_EQ(toTable::setdice(4), "CMD_setdice+4\xFF");
    EXPECT_EQ(toTable::unsetdice(4), "CMD_unsetdice+4\xFF");
    EXPECT_EQ(toTable::rollagain(), "CMD_rollagain+\xFF");
    EXPECT_EQ(toTable::chooseagain(), "CMD_chooseagain+\xFF");
    EXPECT_EQ(toTable::justwatching(3, 1), "CMD_justwatching+3+1\xFF");
    EXPECT_EQ(toTable::justwatching(2, 2), "CMD_justwatching+2+2\xFF");
    EXPECT_EQ(toTable::winner("Klot", 210), "CMD_winner+Klot+210+\xFF");
    EXPECT_EQ(toTable::winner("No One and You and Klot and Kling and Klick", 0),
              "CMD_winner+No One and You and Klot and Kling and Klick+0+\xFF");
}

TEST(ToTable, RelayedFieldsPassUnchanged) {
    // The host relays what it received, pluses and odd slot text included.
    EXPECT_EQ(toTable::chat("07", "A+B", "x+y|z|clRed"), "CMD_chat+07+A+B chats: x+y|z|clRed\xFF");
    EXPECT_EQ(toTable::action("1", "", ""), "CMD_action+1+ \xFF");
}

TEST(GameOptionsOnTheWire, OnlyTheExactWordsTurnAChoiceOn) {
    using zb::proto::gameOptions;
    EXPECT_EQ(gameOptions("t", "true"), (zb::GameOptions{true, true}));
    EXPECT_EQ(gameOptions("f", "false"), zb::GameOptions{});
    for (const char* bonus : {"T", "true", "", "t ", "1"})
        EXPECT_FALSE(gameOptions(bonus, "true").bonus) << bonus;
    for (const char* team : {"True", "t", "", "true+x", "1"})
        EXPECT_FALSE(gameOptions("t", team).team) << team;
    // What the builders write reads back as the same choice.
    for (bool bonus : {false, true}) {
        for (bool team : {false, true}) {
            const zb::GameOptions o{bonus, team};
            EXPECT_EQ(gameOptions(zb::proto::bonusWord(o), zb::proto::teamWord(o)), o);
        }
    }
}

TEST(ToTable, TheDiceSaysYesWhileRollsRemain) {
    EXPECT_EQ(toTable::thedice(1, 1, {{1, 4}, {2, 4}, {3, 1}, {4, 6}, {5, 2}}),
              "CMD_thedice+1+y+1+1+4+2+4+3+1+4+6+5+2\xFF");
    EXPECT_EQ(toTable::thedice(2, 2, {{2, 6}, {5, 1}}), "CMD_thedice+2+y+2+2+6+5+1\xFF");
    EXPECT_EQ(toTable::thedice(3, 3, {{4, 3}}), "CMD_thedice+3+n+3+4+3\xFF");
    // Nothing rolled: the answer to a roll with every die held.
    EXPECT_EQ(toTable::thedice(4, 0, {}), "CMD_thedice+4+y+0\xFF");
    EXPECT_EQ(toTable::thedice(4, 3, {}), "CMD_thedice+4+n+3\xFF");
}

TEST(ToTable, PscoreCarriesTheFifteenEntriesInOrder) {
    Entries e = unusedCard();
    e[3] = 8;  // Fours
    e[12] = 8; // Upper Total
    e[13] = 0; // Bonus
    e[14] = 0; // Lower Total
    EXPECT_EQ(toTable::pscore(1, 8, "4", e),
              "CMD_pscore+1+8+4+1000+1000+1000+8+1000+1000+1000+1000+1000+1000+1000+1000+8+0+0"
              "\xFF");
    EXPECT_EQ(toTable::pscore(3, 8, "*4", e).left(18), "CMD_pscore+3+8+*4+");
    EXPECT_EQ(toTable::pscore(3, 8, "*", e).left(17), "CMD_pscore+3+8+*+");
    Entries numbered;
    for (int i = 0; i < 15; ++i)
        numbered[i] = i + 1;
    EXPECT_EQ(toTable::pscore(2, 99, "12", numbered),
              "CMD_pscore+2+99+12+1+2+3+4+5+6+7+8+9+10+11+12+13+14+15\xFF");
}

TEST(Builders, TerminatorBytesInTextBecomeQuestionMarks) {
    EXPECT_EQ(toHost::logininfo(1,
                                "1.0\xFF"
                                "4",
                                "Y\xFFou\xFF"),
              "CMD_logininfo+1+1.0?4+Y?ou\xFF\xFF");
    EXPECT_EQ(toHost::logininfo(1, "1.0.4", "\xFFYou\xFF\xFF"),
              "CMD_logininfo+1+1.0.4+?You?\xFF\xFF");
    EXPECT_EQ(toHost::chat(1, "a\xFF"
                              "CMD_kickhim+1+2+|clRed"),
              "CMD_chat+1+a?CMD_kickhim+1+2+|clRed\xFF");
    EXPECT_EQ(toHost::action(1, "\xFF"), "CMD_action+1+?\xFF");
    EXPECT_EQ(toTable::newplayerinfo(2, "B\xFF"), "CMD_newplayerinfo+2+B?\xFF");
    EXPECT_EQ(toTable::existingplayers(2, "\xFF\xFF"), "CMD_existingplayers+2+??\xFF");
    EXPECT_EQ(toTable::havewrongversion("x\xFFy"), "CMD_havewrongversion+x?y\xFF");
    EXPECT_EQ(toTable::playerdisconnected(5, "\xFFz"), "CMD_playerdisconnected+5+?z\xFF");
    EXPECT_EQ(toTable::chat("1\xFF", "N\xFF", "l\xFF|c"), "CMD_chat+1?+N? chats: l?|c\xFF");
    EXPECT_EQ(toTable::action("1\xFF", "N\xFF", "l\xFF|c"), "CMD_action+1?+N? l?|c\xFF");
    EXPECT_EQ(toTable::playasound("2\xFF", "wave1+\xFF"), "CMD_playasound+2?+wave1+?\xFF");
    EXPECT_EQ(toTable::pscore(1, 0, "*\xFF", unusedCard()).left(17), "CMD_pscore+1+0+*?");
    EXPECT_EQ(toTable::winner("A\xFF and B", 5), "CMD_winner+A? and B+5+\xFF");
}

TEST(Builders, OnlyTheLastByteIsATerminator) {
    const QList<QByteArray> all = {toHost::kickhim(1, 2),
                                   toHost::chat(1, "x\xFF"),
                                   toHost::action(1, "\xFF"),
                                   toHost::startgame(1, {true, true}),
                                   toHost::justwatch(1, 1),
                                   toHost::rolldice(1),
                                   toHost::setdice(1, 1),
                                   toHost::unsetdice(1, 1),
                                   toHost::setscore(1, 1),
                                   toHost::playasound(1, 1),
                                   toHost::botspeed(1, 1500),
                                   toTable::sendlogininfo(1),
                                   toTable::full(),
                                   toTable::newplayerinfo(1, "\xFF"),
                                   toTable::existingplayers(1, "\xFF"),
                                   toTable::havewrongversion("\xFF"),
                                   toTable::wrongversion(),
                                   toTable::playerdisconnected(1, "\xFF"),
                                   toTable::chat("\xFF", "\xFF", "\xFF"),
                                   toTable::action("\xFF", "\xFF", "\xFF"),
                                   toTable::playasound("\xFF", "\xFF"),
                                   toTable::startgame(1, {true, true}),
                                   toTable::setbonusdice(1),
                                   toTable::nextplayer(1, 1, 1, 1),
                                   toTable::thedice(1, 1, {{1, 1}}),
                                   toTable::setdice(1),
                                   toTable::unsetdice(1),
                                   toTable::rollagain(),
                                   toTable::chooseagain(),
                                   toTable::pscore(1, 1, "\xFF", unusedCard()),
                                   toTable::justwatching(1, 1),
                                   toTable::winner("\xFF", 1)};
    for (const QByteArray& m : all) {
        ASSERT_FALSE(m.isEmpty());
        EXPECT_EQ(m.back(), '\xFF') << m.constData();
        EXPECT_EQ(m.count('\xFF'), 1) << m.constData();
        EXPECT_TRUE(m.startsWith("CMD_")) << m.constData();
    }
}

// The opening of a solo game, both directions, byte for byte, and read back the way the
// receivers read it.
TEST(WorkedExchange, OpeningOfASoloGame) {
    Entries card = unusedCard();
    card[3] = 8;
    card[12] = 8;
    card[13] = 0;
    card[14] = 0;
    const QList<QByteArray> steps = {
        toTable::sendlogininfo(1),
        toHost::logininfo(1, zb::proto::kVersion, "You\xFF"),
        toTable::newplayerinfo(1, "You"),
        toHost::botspeed(1, 1000),
        toHost::startgame(1, {}),
        toTable::startgame(1, {}),
        toTable::nextplayer(1, 1, 0, 0),
        toHost::rolldice(1),
        toTable::thedice(1, 1, {{1, 4}, {2, 4}, {3, 1}, {4, 6}, {5, 2}}),
        toHost::setscore(1, 4),
        toTable::pscore(1, 8, "4", card),
        toTable::nextplayer(2, 1, 0, 0),
    };
    const QList<QByteArray> expected = {
        "CMD_sendlogininfo+1\xFF",
        "CMD_logininfo+1+1.0.4+You\xFF\xFF",
        "CMD_newplayerinfo+1+You\xFF",
        "CMD_botspeed+1+1000+\xFF",
        "CMD_startgame+1+f+false\xFF",
        "CMD_startgame+1+f+false\xFF",
        "CMD_nextplayer+1+1+0+0+\xFF",
        "CMD_rolldice+1\xFF",
        "CMD_thedice+1+y+1+1+4+2+4+3+1+4+6+5+2\xFF",
        "CMD_setscore+1+4\xFF",
        "CMD_pscore+1+8+4+1000+1000+1000+8+1000+1000+1000+1000+1000+1000+1000+1000+8+0+0\xFF",
        "CMD_nextplayer+2+1+0+0+\xFF",
    };
    ASSERT_EQ(steps.size(), expected.size());
    for (qsizetype i = 0; i < steps.size(); ++i)
        EXPECT_EQ(steps[i], expected[i]) << "step " << i + 1;

    // All of it in one stream: twelve messages; the empty one after the login's second
    // terminator is dropped by the framer.
    zb::proto::Framer framer;
    QList<QByteArray> received;
    ASSERT_TRUE(framer.feed(steps.join(), received));
    ASSERT_EQ(received.size(), 12);
    EXPECT_EQ(received[2], "CMD_newplayerinfo+1+You");

    const auto login = zb::proto::splitCommand(received[1]);
    EXPECT_EQ(login.word, "CMD_logininfo");
    zb::proto::Fields lf(login.args);
    EXPECT_EQ(lf.nextInt(), 1);
    EXPECT_EQ(lf.next(), "1.0.4");
    EXPECT_EQ(lf.rest(), "You");

    const auto dice = zb::proto::splitCommand(received[8]);
    EXPECT_EQ(dice.word, "CMD_thedice");
    zb::proto::Fields df(dice.args);
    EXPECT_EQ(df.nextInt(), 1);
    EXPECT_EQ(df.next(), "y");
    EXPECT_EQ(df.nextInt(), 1);
    int values[6] = {};
    while (!df.atEnd()) {
        const int die = df.nextInt();
        values[die] = df.nextInt();
    }
    EXPECT_EQ((std::vector<int>(values + 1, values + 6)), (std::vector<int>{4, 4, 1, 6, 2}));

    const auto score = zb::proto::splitCommand(received[10]);
    EXPECT_EQ(score.word, "CMD_pscore");
    zb::proto::Fields sf(score.args);
    EXPECT_EQ(sf.nextInt(), 1);
    EXPECT_EQ(sf.nextInt(), 8);
    EXPECT_EQ(sf.next(), "4");
    Entries back{};
    for (auto& v : back)
        v = sf.nextInt();
    EXPECT_EQ(back, card);
    EXPECT_TRUE(sf.atEnd());
}

TEST(Builders, LastTextFieldsReadBackWhole) {
    const auto c = zb::proto::splitCommand(toTable::newplayerinfo(4, "A+B+").chopped(1));
    zb::proto::Fields f(c.args);
    EXPECT_EQ(f.nextInt(), 4);
    EXPECT_EQ(f.rest(), "A+B+");

    // In the winner message the text is read only up to its first "+".
    const auto w = zb::proto::splitCommand(toTable::winner("A+B", 9).chopped(1));
    zb::proto::Fields wf(w.args);
    EXPECT_EQ(wf.next(), "A");
}

} // namespace
