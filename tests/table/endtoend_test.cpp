// A whole game in one process: a real host on an ephemeral port, the hosting player's table in
// seat 1 and a joining table in seat 2, both played by clicks on the throw picture, the dice and
// the score card; the computer plays seats 3 and 4. At the end both tables show the host's cards
// and the winner.

#include "liveplayer.h"

#include "host/tserver.h"

using namespace zbtest;

namespace {

struct GameKind {
    bool bonus;
    bool team;
};

class TableEndToEnd : public ::testing::TestWithParam<GameKind> {};

TEST_P(TableEndToEnd, TwoTablesPlayAWholeGameAgainstTheHostAndTheComputer) {
    const GameKind kind = GetParam();
    zb::rules::Random hostRandom(20240601);
    zb::TServer server([] { return 3; }, hostRandom);
    server.setPortName("0");
    server.setListening(true);
    const QString port = QString::number(server.port());

    Player ann("Ann", true, port);
    ASSERT_TRUE(waitFor([&] { return ann.table->core().myseat() == 1; }));
    Player bob("Bob", false, port);
    ASSERT_TRUE(waitFor([&] { return bob.table->core().myseat() == 2; }));
    ASSERT_TRUE(waitFor([&] { return ann.table->card()->seatName(2) == "Bob"; }));
    ASSERT_TRUE(waitFor([&] { return bob.table->card()->seatName(1) == "Ann"; }));

    // The hosting player starts a plain game from the start picture and the dialog.
    ASSERT_TRUE(ann.table->board()->button_start()->isVisible());
    click(ann.table->board()->button_start());
    ASSERT_TRUE(ann.gamestart.isVisible());
    ann.gamestart.bonus()->setChecked(kind.bonus);
    ann.gamestart.team()->setChecked(kind.team);
    click(ann.gamestart.button_start());
    ASSERT_TRUE(waitFor([&] {
        return bob.table->board()->bonusShown() == kind.bonus && bob.table->core().turnseat() != 0;
    }));

    const bool done = waitFor(
        [&] {
            ann.act();
            bob.act();
            return ann.finished() && bob.finished();
        },
        90s);
    ASSERT_TRUE(done) << "game did not finish; Ann clicked " << ann.clicks << ", Bob "
                      << bob.clicks;

    std::array<std::string, 4> names{"Ann", "Bob", zb::rules::computerName(3),
                                     zb::rules::computerName(4)};
    std::array<int, 4> totals{};
    for (Player* p : {&ann, &bob}) {
        zb::ScoreCard* card = p->table->card();
        for (int seat = 1; seat <= 4; ++seat) {
            const zb::rules::Card& hostCard = server.players()[seat].card;
            totals[seat - 1] = hostCard.total;
            EXPECT_EQ(card->label_score(seat)->text(), QString::number(hostCard.total)) << seat;
            for (int row = 1; row <= 15; ++row)
                EXPECT_EQ(card->cellText(seat, row), expectedCell(hostCard, row))
                    << "seat " << seat << " row " << row;
        }
        EXPECT_EQ(card->heading(), "Winner's Score Card");
    }
    // In a regular game seats 3 and 4 play only while someone sits there; in a team game the
    // computer plays them and partners share a card.
    for (int seat = 1; seat <= 4; ++seat) {
        for (int row = 1; row <= 12; ++row)
            EXPECT_EQ(server.players()[seat].card.used(row), kind.team || seat <= 2)
                << seat << " " << row;
    }
    if (kind.team) {
        EXPECT_EQ(ann.table->card()->label_score(1)->text(),
                  ann.table->card()->label_score(3)->text());
        EXPECT_EQ(bob.table->card()->label_score(2)->text(),
                  bob.table->card()->label_score(4)->text());
    }

    const QString winner = QString::fromStdString(zb::rules::winnerText(names, totals).text);
    for (Player* p : {&ann, &bob}) {
        QString expected;
        if (winner.contains(" and "))
            expected = winner + " have Won the Game!";
        else if (winner == p->table->core().playername())
            expected = "You have Won the Game!";
        else
            expected = winner + " has Won the Game!";
        EXPECT_EQ(p->table->board()->label_winner()->text(), expected);
        QStringList lines;
        for (const QString& l :
             p->table->chatPanel()->mainchat()->plainText().split('\n', Qt::SkipEmptyParts))
            lines << l.simplified();
        EXPECT_TRUE(lines.contains(expected));
        // The game as the tally gets it: every seat's total, the seats that played, and the
        // local player's side winning alone.
        ASSERT_EQ(p->tally.games.size(), 1u);
        const zb::FinishedGame& g = p->tally.games.back();
        for (int seat = 1; seat <= 4; ++seat) {
            EXPECT_EQ(g.seats[seat].total, totals[seat - 1]) << seat;
            EXPECT_EQ(g.seats[seat].tookPart, kind.team || seat <= 2) << seat;
        }
        const int me = p->table->core().myseat();
        const QString side =
            kind.team
                ? QString::fromStdString(names[(me + 1) % 2] + " and " + names[(me + 1) % 2 + 2])
                : p->table->core().playername();
        EXPECT_EQ(g.localWon(), winner == side) << winner.toStdString();
        EXPECT_EQ(p->sounds.current(), "gameover");
    }
    EXPECT_TRUE(ann.table->board()->button_start()->isVisible()) << "the host may start again";
    EXPECT_FALSE(bob.table->board()->button_start()->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Games, TableEndToEnd,
                         ::testing::Values(GameKind{false, false}, GameKind{true, false},
                                           GameKind{true, true}),
                         [](const ::testing::TestParamInfo<GameKind>& info) {
                             return std::string(info.param.team ? "Team" : "Regular") +
                                    (info.param.bonus ? "Bonus" : "Plain");
                         });

} // namespace
