// Watching and removal on one table against the fake host: "Just Watch", the seat popup on the
// host's table and on a joined one, the host's watching announcements, and the spy list's greyed
// removal.

#include "tablefixture.h"

#include "table/seatpopup.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>

using namespace zbtest;
using zb::ScoreCard;

namespace {

class SpectatorTest : public TableTest {
protected:
    // A hosting table in seat 1 (Ann) with Bob in seat 2; seats 3 and 4 are empty.
    void hostingTable() {
        open("Ann", true);
        login(1);
        feed("CMD_newplayerinfo+1+Ann\xFF"
             "CMD_existingplayers+2+Bob\xFF");
        sentSoFar(); // the bot speed
    }

    zb::SeatPopup* popup() const { return table->popup_kick(); }

    void closePopup() {
        popup()->hide();
        ASSERT_TRUE(waitFor([&] { return !popup()->isVisible(); }));
    }

    // Enabled state of "Remove From Game", "Set to Just Watch", "Unset Just Watch".
    std::array<bool, 3> offered() const {
        return {popup()->RemoveFromGame1()->isEnabled(), popup()->SettoJustWatch1()->isEnabled(),
                popup()->UnsetJustWatch1()->isEnabled()};
    }
};

using Offer = std::array<bool, 3>;

// ---- "Just Watch" ------------------------------------------------------------------------------

TEST_F(SpectatorTest, JustWatchAsksTheHostAndItsTickFollowsOnlyTheAnnouncement) {
    open();
    login(2);
    feed("CMD_newplayerinfo+2+Ann\xFF");
    QAction* item = table->menu().JustWatch1;
    ASSERT_TRUE(item->isCheckable());

    item->trigger();
    EXPECT_FALSE(item->isChecked()) << "choosing the item does not tick it";
    item->trigger();
    EXPECT_FALSE(item->isChecked());
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_justwatch+2+1", "CMD_justwatch+2+1"}))
        << "both requests ask to watch, since the host has not answered yet";

    feed("CMD_justwatching+2+1\xFF");
    EXPECT_TRUE(item->isChecked());
    EXPECT_EQ(chatLines().last(), "Ann is just watching");
    EXPECT_FALSE(card()->image_eyes(2)->isHidden());

    item->trigger();
    EXPECT_TRUE(item->isChecked()) << "still watching until the host says otherwise";
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_justwatch+2+2"}));

    feed("CMD_justwatching+2+2\xFF");
    EXPECT_FALSE(item->isChecked());
    EXPECT_EQ(chatLines().last(), "Ann now playing again");
    EXPECT_TRUE(card()->image_eyes(2)->isHidden());
}

TEST_F(SpectatorTest, JustWatchBeforeTheLoginSendsNothing) {
    open();
    table->menu().JustWatch1->trigger();
    EXPECT_FALSE(table->menu().JustWatch1->isChecked());
    EXPECT_TRUE(sentSoFar().isEmpty());
}

TEST_F(SpectatorTest, AnotherSeatWatchingShowsItsEyesButLeavesTheOwnTick) {
    seated(1);
    feed("CMD_justwatching+2+1\xFF");
    EXPECT_EQ(chatLines().last(), "Bob is just watching");
    EXPECT_FALSE(card()->image_eyes(2)->isHidden());
    EXPECT_TRUE(card()->image_eyes(1)->isHidden());
    EXPECT_FALSE(table->menu().JustWatch1->isChecked());
    // Any flag but "1" means playing again.
    feed("CMD_justwatching+2+0\xFF");
    EXPECT_EQ(chatLines().last(), "Bob now playing again");
    EXPECT_TRUE(card()->image_eyes(2)->isHidden());
}

TEST_F(SpectatorTest, AGameStartEndsEveryonesWatching) {
    seated(1);
    feed("CMD_justwatching+1+1\xFF"
         "CMD_justwatching+2+1\xFF");
    ASSERT_TRUE(table->menu().JustWatch1->isChecked());
    feed("CMD_startgame+1+f+false\xFF");
    EXPECT_FALSE(table->menu().JustWatch1->isChecked());
    for (int seat = 1; seat <= 4; ++seat)
        EXPECT_TRUE(card()->image_eyes(seat)->isHidden()) << seat;
}

TEST_F(SpectatorTest, ASpectatorWatchingGetsOnlyItsTick) {
    open();
    login(6);
    feed("CMD_newplayerinfo+6+Ann\xFF");
    const QString before = chatText();
    feed("CMD_justwatching+6+1\xFF"
         "CMD_justwatching+5+1\xFF");
    EXPECT_TRUE(table->menu().JustWatch1->isChecked());
    EXPECT_EQ(chatText(), before);
    for (int seat = 1; seat <= 4; ++seat)
        EXPECT_TRUE(card()->image_eyes(seat)->isHidden());
    table->menu().JustWatch1->trigger();
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_justwatch+6+2"}));
}

// ---- The seat popup ----------------------------------------------------------------------------

TEST_F(SpectatorTest, OnAJoinedTableTheSeatPopupOpensAllGreyed) {
    open("Bob");
    login(2);
    feed("CMD_existingplayers+1+Ann\xFF"
         "CMD_newplayerinfo+2+Bob\xFF");
    for (int seat : {1, 2, 3}) {
        openSeatPopup(*table, seat);
        ASSERT_TRUE(waitFor([&] { return popup()->isVisible(); })) << seat;
        EXPECT_EQ(popup()->seat(), seat);
        EXPECT_EQ(offered(), Offer({false, false, false})) << seat;
        closePopup();
    }
    core().removePlayer(1);
    EXPECT_TRUE(sentSoFar().isEmpty()) << "only the host's table removes players";
}

TEST_F(SpectatorTest, TheSeatPopupHoldsItsThreeItems) {
    hostingTable();
    QStringList texts;
    for (QAction* a : popup()->actions())
        texts << a->text();
    EXPECT_EQ(texts, QStringList({"Remove From Game", "Set to Just Watch", "Unset Just Watch"}));
    EXPECT_EQ(popup()->objectName(), "popup_kick");
}

TEST_F(SpectatorTest, OnTheHostsTableAnEmptySeatCanBeWatchedButNotRemoved) {
    hostingTable();
    openSeatPopup(*table, 2);
    EXPECT_EQ(offered(), Offer({true, true, true}));
    closePopup();
    openSeatPopup(*table, 3);
    EXPECT_EQ(offered(), Offer({false, true, true})) << "the label shows <Waiting>";
    closePopup();

    // After a game start the computer's name stands on the empty seat, which can be removed.
    feed("CMD_startgame+1+f+false\xFF");
    ASSERT_EQ(card()->seatName(3), "Kling");
    openSeatPopup(*table, 3);
    EXPECT_EQ(offered(), Offer({true, true, true}));
    closePopup();
}

TEST_F(SpectatorTest, TheSeatPopupsItemsAskForTheSeatItWasOpenedOn) {
    hostingTable();
    openSeatPopup(*table, 2);
    closePopup();
    popup()->SettoJustWatch1()->trigger();
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_justwatch+2+1"}));
    popup()->UnsetJustWatch1()->trigger();
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_justwatch+2+2"}));
    openSeatPopup(*table, 4);
    closePopup();
    popup()->SettoJustWatch1()->trigger();
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_justwatch+4+1"}));
    openSeatPopup(*table, 2);
    closePopup();
    popup()->RemoveFromGame1()->trigger();
    ASSERT_TRUE(host.waitForMessage());
    // The request ends with an empty field.
    EXPECT_TRUE(host.raw().endsWith(QByteArray("CMD_kickhim+1+2+\xFF")));
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_kickhim+1+2+"}));
    EXPECT_TRUE(table->isVisible()) << "nothing else happens on the table";
    EXPECT_EQ(card()->seatName(2), "Bob");
}

TEST_F(SpectatorTest, TheSeatPopupSendsNothingBeforeTheLogin) {
    open("Ann", true);
    openSeatPopup(*table, 2);
    EXPECT_EQ(offered(), Offer({false, true, true}));
    closePopup();
    popup()->SettoJustWatch1()->trigger();
    popup()->UnsetJustWatch1()->trigger();
    core().removePlayer(2);
    EXPECT_TRUE(sentSoFar().isEmpty());
}

// ---- The spy list ------------------------------------------------------------------------------

TEST_F(SpectatorTest, TheSpyListsRemovalIsAlwaysGreyed) {
    hostingTable();
    QAction* remove = spylist->RemoveFromGame2();
    ASSERT_EQ(spylist->popup_kickhim()->actions(), QList<QAction*>({remove}));
    EXPECT_EQ(remove->text(), "Remove From Game");
    EXPECT_FALSE(remove->isEnabled());
    feed("CMD_newplayerinfo+5+Eve\xFF");
    spylist->showOver(table.get());
    EXPECT_FALSE(remove->isEnabled());
    spylist->listbox_spys()->setCurrentRow(0);
    EXPECT_FALSE(remove->isEnabled());
    remove->trigger();
    EXPECT_TRUE(sentSoFar().isEmpty());
}

TEST_F(SpectatorTest, WereTheSpyListsRemovalEverChosenTheHostsTableWouldAsk) {
    hostingTable();
    feed("CMD_newplayerinfo+6+Eve\xFF");
    emit spylist->kickRequested(6);
    EXPECT_EQ(sentSoFar(), QList<QByteArray>({"CMD_kickhim+1+6+"}));
}

TEST_F(SpectatorTest, TheSpyListReadsTheSeatOfTheLineUnderThePointer) {
    hostingTable();
    feed("CMD_newplayerinfo+5+Eve\xFF"
         "CMD_newplayerinfo+7+Fay\xFF");
    spylist->showOver(table.get());
    QListWidget* list = spylist->listbox_spys();
    ASSERT_TRUE(waitFor([&] { return list->isVisible(); }));
    const QRect second = list->visualItemRect(list->item(1));
    QCursor::setPos(list->viewport()->mapToGlobal(second.center()));
    if (QCursor::pos() != list->viewport()->mapToGlobal(second.center()))
        GTEST_SKIP() << "this platform does not move the pointer";
    EXPECT_EQ(spylist->seatUnderPointer(), 7);
    QCursor::setPos(list->viewport()->mapToGlobal(QPoint(5, list->viewport()->height() - 3)));
    EXPECT_EQ(spylist->seatUnderPointer(), 0) << "no line under the pointer";
}

} // namespace
