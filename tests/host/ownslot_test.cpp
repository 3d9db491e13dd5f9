// In the game program slot 1 is kept for the program's own table, known by its socket's local
// address and port; other connections get the lowest free slot from 2 up. Without the
// reservation (zorbinet-host) the first connection gets slot 1.

#include "hostfixture.h"

using namespace hosttest;
using namespace std::chrono_literals;

namespace {

class OwnTableTest : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        server->setSlotOneReserved(true);
    }
    // The program's own table: the host is told its endpoint right after it starts connecting.
    TestClient& ownTable() {
        clients.push_back(std::make_unique<TestClient>(port));
        TestClient& c = *clients.back();
        server->ownTableIs(c.socket().localAddress(), c.socket().localPort());
        c.waitSlot();
        return c;
    }
};

TEST_F(OwnTableTest, AStrangerWhoComesFirstGetsSlotTwo) {
    TestClient& stranger = connect();
    EXPECT_EQ(stranger.slot(), 2);
    EXPECT_FALSE(server->players().inUse(1));
    TestClient& own = ownTable();
    EXPECT_EQ(own.slot(), 1);
    EXPECT_EQ(connect().slot(), 3);
    // The hosting player's rights are the own table's, not the stranger's.
    stranger.send(T("CMD_startgame+2+f+false") + T("CMD_startgame+1+f+false"));
    own.send(T("CMD_chat+1+after|c"));
    ASSERT_GE(own.waitExact("CMD_chat+1+ chats: after|c"), 0);
    EXPECT_FALSE(server->game().inProgress());
}

TEST_F(OwnTableTest, TheOwnTableGetsSlotOneAndOthersFollow) {
    TestClient& own = ownTable();
    EXPECT_EQ(own.slot(), 1);
    EXPECT_EQ(connect().slot(), 2);
    EXPECT_EQ(connect().slot(), 3);
}

TEST_F(OwnTableTest, EightStrangersFillSlotsTwoToNineAndTheNinthIsFull) {
    for (int slot = 2; slot <= 9; ++slot)
        ASSERT_EQ(connect().slot(), slot);
    TestClient& ninth = connect();
    EXPECT_TRUE(ninth.waitClosed());
    EXPECT_EQ(ninth.raw(), T("CMD_full+"));
    EXPECT_EQ(ownTable().slot(), 1);
}

TEST_F(OwnTableTest, SlotOneIsNotHandedToAStrangerAfterTheOwnTableLeft) {
    TestClient& own = ownTable();
    ASSERT_EQ(own.slot(), 1);
    own.close();
    ASSERT_TRUE(zbtest::waitFor([&] { return !server->players().inUse(1); }));
    EXPECT_EQ(connect().slot(), 2);
}

TEST_F(OwnTableTest, TheSocketlessSeamCountsAsAStranger) {
    EXPECT_EQ(server->attachLocal(), 2);
}

class NoReservation : public HostFixture {};

TEST_F(NoReservation, TheFirstConnectionGetsSlotOneEvenWhenAnOwnTableIsNamed) {
    EXPECT_FALSE(server->slotOneReserved());
    server->ownTableIs(QStringLiteral("127.0.0.1"), 1);
    EXPECT_EQ(connect().slot(), 1);
    EXPECT_EQ(connect().slot(), 2);
}

} // namespace
