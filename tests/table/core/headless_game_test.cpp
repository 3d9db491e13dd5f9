// Whole games played by tables without a window against a real host over loopback, the
// computer playing the empty seats at a few milliseconds: what each core shows must be the
// host's game, turn by turn and at the end.

#include "headlessplayer.h"

#include "host/tserver.h"
#include "rules/random.h"
#include "rules/rules.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using zbtest::HeadlessPlayer;
using zbtest::waitFor;

namespace {

struct Kind {
    zb::GameOptions options;
    const char* name;
};

class HeadlessGame : public ::testing::TestWithParam<Kind> {};

TEST_P(HeadlessGame, TwoTablesFollowTheHostsGameToItsEnd) {
    const zb::GameOptions options = GetParam().options;
    zb::rules::Random dice(20261209);
    zb::TServer server([] { return 2; }, dice);
    server.setPortName("0");
    server.setListening(true);
    const QString port = QString::number(server.port());

    HeadlessPlayer ann("Ann", port);
    ASSERT_TRUE(waitFor([&] { return ann.core.myseat() == 1; }));
    HeadlessPlayer bob("Bob", port);
    ASSERT_TRUE(waitFor([&] { return bob.core.myseat() == 2 && ann.core.seatName(2) == "Bob"; }));
    EXPECT_TRUE(ann.core.hostsGame()) << "slot 1 of a host has the hosting player's rights";
    EXPECT_FALSE(bob.core.hostsGame());

    ann.core.startGame(options);
    ASSERT_TRUE(waitFor([&] { return bob.core.gameRunning(); }));
    EXPECT_EQ(bob.core.bonusShown(), options.bonus);
    const bool done = waitFor(
        [&] {
            ann.act();
            bob.act();
            return ann.finished() && bob.finished();
        },
        60s);
    ASSERT_TRUE(done);

    // Every cell and total as the host has it.
    std::array<std::string, 4> names;
    std::array<int, 4> totals{};
    for (int seat = 1; seat <= 4; ++seat) {
        const zb::rules::Card& card = server.players()[seat].card;
        totals[seat - 1] = card.total;
        names[seat - 1] = ann.core.seatName(seat).toStdString();
        for (HeadlessPlayer* p : {&ann, &bob}) {
            EXPECT_EQ(p->core.seat(seat).total, QString::number(card.total)) << seat;
            for (int row = 1; row <= zb::rules::kEntries; ++row)
                EXPECT_EQ(p->core.seat(seat).cells[row], card.entry[row])
                    << "seat " << seat << " row " << row;
        }
    }
    EXPECT_EQ(names[2], "Kling") << "an empty seat shows its computer player";
    const QString winner = QString::fromStdString(zb::rules::winnerText(names, totals).text);
    for (HeadlessPlayer* p : {&ann, &bob}) {
        SCOPED_TRACE(p->core.playername().toStdString());
        EXPECT_EQ(p->core.heading(), "Winner's Score Card");
        EXPECT_EQ(p->core.turnMarker(), 0);
        const QString expected = winner.contains(" and ")         ? winner + " have Won the Game!"
                                 : winner == p->core.playername() ? "You have Won the Game!"
                                                                  : winner + " has Won the Game!";
        EXPECT_EQ(p->core.winner(), expected);
        EXPECT_TRUE(p->lines.contains(expected));
        EXPECT_TRUE(p->headingsOnOwnTurn.contains("Your Turn."));
        EXPECT_FALSE(p->headingsOnOthers.contains("Your Turn."));
        // Two rolls on each of the player's own turns: 12 turns, or 6 in a team game.
        EXPECT_EQ(p->rollsSeen,
                  2 * (options.team ? zb::rules::kTeamRounds : zb::rules::kRegularRounds));
        ASSERT_EQ(p->tally.games.size(), 1u) << "the game counts once";
    }
    EXPECT_TRUE(bob.headingsOnOthers.contains("Ann's turn."));
    EXPECT_TRUE(ann.headingsOnOthers.contains("Klot's turn.") ||
                ann.headingsOnOthers.contains("Bob's turn."));
    if (options.team) {
        EXPECT_EQ(ann.core.seat(1).cells, ann.core.seat(3).cells) << "partners share one card";
        // All four seats took part; Ann's side is seats 1 and 3.
        const zb::FinishedGame& g = ann.tally.games[0];
        for (int seat = 1; seat <= 4; ++seat)
            EXPECT_TRUE(g.seats[seat].tookPart) << seat;
        EXPECT_EQ(g.localWon(), totals[0] > totals[1]);
    } else {
        const zb::FinishedGame& g = ann.tally.games[0];
        EXPECT_TRUE(g.seats[2].tookPart);
        EXPECT_FALSE(g.seats[3].tookPart) << "nobody played seat 3";
        EXPECT_EQ(ann.tally.players, QStringList({"Bob"}));
        EXPECT_EQ(g.localWon(), totals[0] > totals[1]);
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, HeadlessGame,
                         ::testing::Values(Kind{{false, false}, "Regular"},
                                           Kind{{true, true}, "TeamBonus"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
