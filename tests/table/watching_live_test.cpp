// Watching, removal and spectators against a real host on an ephemeral port: the host's table
// sets a player to watch in the middle of his turn, removes a player, and sees a spectator come
// and go; and a whole game with two watching seats and a spectator, whose every card ends equal
// to the host's.

#include "liveplayer.h"

#include "host/tserver.h"
#include "table/seatpopup.h"

#include <QAction>

using namespace zbtest;

namespace {

constexpr int kBotSpeed = 2; // milliseconds: the computer players hurry

class LiveTest : public ::testing::Test {
protected:
    LiveTest() : hostRandom(4711), server([] { return kBotSpeed; }, hostRandom) {
        server.setPortName("0");
        server.setListening(true);
        port = QString::number(server.port());
    }

    // A table that joins (or, first, hosts) and waits for its seat.
    std::unique_ptr<Player> seat(const QString& name, int expected) {
        auto p = std::make_unique<Player>(name, expected == 1, port);
        EXPECT_TRUE(waitFor([&] { return p->table->core().myseat() == expected; })) << expected;
        EXPECT_TRUE(waitFor([&] { return p->table->settings().isLoaded(); }));
        return p;
    }

    // The host's table starts a plain game, as the player does with the start picture.
    void startGame(Player& hostTable, std::initializer_list<Player*> everyone) {
        click(hostTable.table->board()->button_start());
        ASSERT_TRUE(hostTable.gamestart.isVisible());
        click(hostTable.gamestart.button_start());
        for (Player* p : everyone)
            ASSERT_TRUE(waitFor([&] { return p->table->core().turnseat() == 1; }));
    }

    // A right click on a seat's name on the host's table and one of the popup's items.
    static void choose(Player& hostTable, int seat, QAction* (zb::SeatPopup::*item)() const) {
        zb::Tchat& t = *hostTable.table;
        openSeatPopup(t, seat);
        ASSERT_TRUE(waitFor([&] { return t.popup_kick()->isVisible(); }));
        QAction* action = (t.popup_kick()->*item)();
        ASSERT_TRUE(action->isEnabled());
        t.popup_kick()->hide();
        action->trigger();
    }

    static QStringList lines(const Player& p) {
        QStringList out;
        for (const QString& l :
             p.table->chatPanel()->mainchat()->plainText().split('\n', Qt::SkipEmptyParts))
            out << l.simplified();
        return out;
    }

    zb::rules::Random hostRandom;
    zb::TServer server;
    QString port;
};

TEST_F(LiveTest, TheHostsTableSetsAPlayerToWatchAndTheComputerFinishesHisTurn) {
    auto ann = seat("Ann", 1);
    auto bob = seat("Bob", 2);
    ASSERT_TRUE(waitFor([&] { return ann->table->card()->seatName(2) == "Bob"; }));
    startGame(*ann, {ann.get(), bob.get()});

    // Ann plays her turn; then Bob rolls once.
    ASSERT_TRUE(waitFor(
        [&] {
            ann->act();
            return bob->table->core().turnseat() == 2 && bob->table->core().mayact();
        },
        20s));
    click(bob->table->board()->image_throwdice());
    ASSERT_TRUE(waitFor([&] { return bob->rollsShown() == 1 && bob->table->core().mayact(); }));
    const int freeBefore = [&] {
        int n = 0;
        for (int row = 1; row <= 12; ++row)
            n += server.players()[2].card.used(row) ? 0 : 1;
        return n;
    }();

    choose(*ann, 2, &zb::SeatPopup::SettoJustWatch1);
    for (Player* p : {ann.get(), bob.get()}) {
        ASSERT_TRUE(waitFor([&] { return lines(*p).contains("Bob is just watching"); }));
        EXPECT_FALSE(p->table->card()->image_eyes(2)->isHidden());
    }
    EXPECT_TRUE(bob->table->menu().JustWatch1->isChecked());
    EXPECT_FALSE(ann->table->menu().JustWatch1->isChecked());

    // The computer takes Bob's turn over and scores it; the turn comes back to Ann.
    ASSERT_TRUE(waitFor([&] { return ann->table->core().turnseat() == 1; }, 20s));
    int freeAfter = 0;
    for (int row = 1; row <= 12; ++row)
        freeAfter += server.players()[2].card.used(row) ? 0 : 1;
    EXPECT_EQ(freeAfter, freeBefore - 1);
    EXPECT_TRUE(waitFor([&] { return sameCards(bob->table->card(), server.players()); }));

    choose(*ann, 2, &zb::SeatPopup::UnsetJustWatch1);
    ASSERT_TRUE(waitFor([&] { return !bob->table->menu().JustWatch1->isChecked(); }));
    EXPECT_TRUE(lines(*bob).contains("Bob now playing again"));
    EXPECT_TRUE(bob->table->card()->image_eyes(2)->isHidden());
    EXPECT_FALSE(server.players()[2].watching);
}

TEST_F(LiveTest, APlayerChoosingJustWatchIsTickedByTheHostsAnswer) {
    auto ann = seat("Ann", 1);
    auto bob = seat("Bob", 2);
    bob->table->menu().JustWatch1->trigger();
    EXPECT_FALSE(bob->table->menu().JustWatch1->isChecked());
    ASSERT_TRUE(waitFor([&] { return bob->table->menu().JustWatch1->isChecked(); }));
    EXPECT_TRUE(server.players()[2].watching);
    ASSERT_TRUE(waitFor([&] { return !ann->table->card()->image_eyes(2)->isHidden(); }));
    bob->table->menu().JustWatch1->trigger();
    EXPECT_TRUE(bob->table->menu().JustWatch1->isChecked());
    ASSERT_TRUE(waitFor([&] { return !bob->table->menu().JustWatch1->isChecked(); }));
    EXPECT_FALSE(server.players()[2].watching);
}

TEST_F(LiveTest, ARemovedPlayersTableEnds) {
    auto ann = seat("Ann", 1);
    auto bob = seat("Bob", 2);
    ASSERT_TRUE(waitFor([&] { return ann->table->card()->seatName(2) == "Bob"; }));
    choose(*ann, 2, &zb::SeatPopup::RemoveFromGame1);
    ASSERT_TRUE(waitFor([&] { return bob->dialogs.openCount() == 1; }));
    bob->dialogs.answer();
    EXPECT_FALSE(bob->table->isVisible());
    EXPECT_TRUE(waitFor([&] { return lines(*ann).contains("Bob disconnected."); }));
    EXPECT_FALSE(server.players()[2].connected);
    EXPECT_TRUE(ann->table->isVisible());
}

TEST_F(LiveTest, ASpectatorComesAndGoesInTheSpyList) {
    auto ann = seat("Ann", 1);
    auto bob = seat("Bob", 2);
    auto cid = seat("Cid", 3);
    auto dee = seat("Dee", 4);
    auto eve = seat("Eve", 5);
    ASSERT_TRUE(waitFor([&] { return ann->spylist.lines() == QStringList({"5: Eve"}); }));
    EXPECT_FALSE(ann->spylist.isVisible());
    EXPECT_TRUE(lines(*ann).contains("Eve is spying."));
    EXPECT_TRUE(lines(*eve).contains("You are spying."));
    EXPECT_EQ(eve->spylist.lines(), QStringList({"5: Eve"}));
    ann->spylist.showOver(ann->table.get());

    eve.reset(); // the spectator's program ends
    ASSERT_TRUE(waitFor([&] { return ann->spylist.lines().isEmpty(); }));
    EXPECT_TRUE(lines(*ann).contains("Eve has left."));
    EXPECT_TRUE(waitFor([&] { return bob->spylist.lines().isEmpty(); }));
}

TEST_F(LiveTest, AGameWithTwoWatchingSeatsAndASpectatorEndsWithEveryCardEqualToTheHosts) {
    auto ann = seat("Ann", 1);
    auto bob = seat("Bob", 2);
    auto cid = seat("Cid", 3);
    auto dee = seat("Dee", 4);
    auto eve = seat("Eve", 5);
    std::initializer_list<Player*> all{ann.get(), bob.get(), cid.get(), dee.get(), eve.get()};
    startGame(*ann, all);

    // Watching is set after the start, which clears it; seat 1 plays first, so both requests are
    // answered long before seat 3's turn.
    choose(*ann, 3, &zb::SeatPopup::SettoJustWatch1);
    choose(*ann, 4, &zb::SeatPopup::SettoJustWatch1);
    ASSERT_TRUE(waitFor([&] {
        return cid->table->menu().JustWatch1->isChecked() &&
               dee->table->menu().JustWatch1->isChecked();
    }));

    const bool done = waitFor(
        [&] {
            ann->act();
            bob->act();
            for (Player* p : all) {
                if (!p->finished())
                    return false;
            }
            return true;
        },
        90s);
    ASSERT_TRUE(done) << "Ann clicked " << ann->clicks << ", Bob " << bob->clicks;
    EXPECT_EQ(cid->clicks + dee->clicks, 0);

    for (Player* p : all) {
        EXPECT_TRUE(sameCards(p->table->card(), server.players()))
            << p->table->core().playername().toStdString();
        EXPECT_EQ(p->table->card()->heading(), "Winner's Score Card");
        EXPECT_EQ(p->sounds.current(), "gameover");
    }
    for (int seat = 1; seat <= 4; ++seat) {
        for (int row = 1; row <= 12; ++row)
            EXPECT_TRUE(server.players()[seat].card.used(row)) << seat << " " << row;
    }
    EXPECT_TRUE(eve->tally.calls.isEmpty()) << "a spectator keeps no tally";
    EXPECT_FALSE(cid->tally.calls.isEmpty());
}

} // namespace
