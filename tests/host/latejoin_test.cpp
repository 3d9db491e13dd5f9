// A login during a game: the newcomer alone is told the state of the game, byte for byte, the
// bonus die and the seats that are just watching included; every other table sees only the
// newcomer's arrival.

#include "seamfixture.h"

namespace {

using hosttest::SeamTest;
using hosttest::T;

const QByteArray kUnusedCard = "+1000+1000+1000+1000+1000+1000+1000+1000+1000+1000+1000+1000+1000"
                               "+1000+1000";

class LateJoinTest : public SeamTest {
protected:
    // Four seated players; a game started with the given options.
    void fourPlayers(const char* bonus) {
        for (const char* name : {"Ann", "Bob", "Cid", "Dan"})
            join(name);
        server.feed(1, T(QByteArray("CMD_startgame+1+") + bonus + "+false"));
        drain();
        ASSERT_TRUE(server.game().inProgress());
    }
    void send(int slot, const QByteArray& message) {
        server.feed(slot, T(message));
        drain();
    }
    // What a newcomer in slot 5 named Eve gets first, up to the state of the game.
    QList<QByteArray> welcome() const {
        QList<QByteArray> w{T("CMD_sendlogininfo+5"), T("CMD_newplayerinfo+5+Eve")};
        for (const char* e : {"1+Ann", "2+Bob", "3+Cid", "4+Dan"})
            w << T(QByteArray("CMD_existingplayers+") + e);
        return w;
    }
    QList<QByteArray> cards() const {
        QList<QByteArray> c;
        for (int seat = 1; seat <= 4; ++seat)
            c << T("CMD_pscore+" + QByteArray::number(seat) + "+0+*" + kUnusedCard);
        return c;
    }
};

TEST_F(LateJoinTest, InABonusGameTheNewcomerAlsoGetsTheBonusDieAndTheWatchingSeats) {
    fourPlayers("t");
    send(1, "CMD_justwatch+4+1");
    send(1, "CMD_justwatch+2+1");
    send(1, "CMD_rolldice+1");
    const QByteArray bonus = QByteArray::number(server.game().bonusDie());
    const qsizetype m = mark();
    join("Eve");

    const QList<QByteArray> rest{T("CMD_setbonusdice+" + bonus), T("CMD_justwatching+2+1"),
                                 T("CMD_justwatching+4+1")};
    EXPECT_EQ(to(5), welcome() + QList<QByteArray>{T("CMD_nextplayer+1+1+0+1+")} + cards() + rest);
    for (int seat = 1; seat <= 4; ++seat)
        EXPECT_EQ(to(seat, m), QList<QByteArray>{T("CMD_newplayerinfo+5+Eve")}) << seat;
}

TEST_F(LateJoinTest, InAPlainGameWithNobodyWatchingTheStreamIsTheTurnAndTheCards) {
    fourPlayers("f");
    send(1, "CMD_justwatch+3+1");
    send(1, "CMD_justwatch+3+2"); // playing again
    const qsizetype m = mark();
    join("Eve");

    EXPECT_EQ(to(5), welcome() + QList<QByteArray>{T("CMD_nextplayer+1+1+0+0+")} + cards());
    for (int seat = 1; seat <= 4; ++seat)
        EXPECT_EQ(to(seat, m), QList<QByteArray>{T("CMD_newplayerinfo+5+Eve")}) << seat;
}

TEST_F(LateJoinTest, EveryWatchingSeatIsListedInSeatOrderAndNoSpectator) {
    fourPlayers("f");
    for (int seat : {3, 1, 4, 2})
        send(seat, "CMD_justwatch+" + QByteArray::number(seat) + "+1");
    join("Eve"); // slot 5
    send(5, "CMD_justwatch+5+1");
    const qsizetype m = mark();
    const int late = join("Fay"); // slot 6
    const QList<QByteArray> got = to(late, m);
    ASSERT_GE(got.size(), 4);
    EXPECT_EQ(got.mid(got.size() - 4),
              (QList<QByteArray>{T("CMD_justwatching+1+1"), T("CMD_justwatching+2+1"),
                                 T("CMD_justwatching+3+1"), T("CMD_justwatching+4+1")}));
    EXPECT_EQ(got[got.size() - 5].left(13), QByteArray("CMD_pscore+4+"));
}

TEST_F(LateJoinTest, ASeatThatLeftWhileWatchingIsNotListed) {
    fourPlayers("t");
    send(1, "CMD_justwatch+3+1");
    server.detachLocal(3);
    const qsizetype m = mark();
    join("Eve"); // takes the free seat 3
    const QList<QByteArray> got = to(3, m);
    ASSERT_FALSE(got.isEmpty());
    EXPECT_TRUE(got.last().startsWith("CMD_setbonusdice+")) << got.last().constData();
    for (const QByteArray& message : got)
        EXPECT_FALSE(message.startsWith("CMD_justwatching")) << message.constData();
}

TEST_F(LateJoinTest, AfterTheGameTheNewcomerGetsNoGameState) {
    fourPlayers("t");
    send(1, "CMD_justwatch+2+1");
    server.detachLocal(2);
    server.detachLocal(3);
    server.detachLocal(4);
    send(1, "CMD_justwatch+1+1");
    for (int guard = 0; guard < 10000 && server.game().inProgress(); ++guard)
        server.runGameTimersNow();
    ASSERT_FALSE(server.game().inProgress());
    const qsizetype m = mark();
    const int late = join("Eve");
    for (const QByteArray& message : to(late, m)) {
        EXPECT_FALSE(message.startsWith("CMD_setbonusdice")) << message.constData();
        EXPECT_FALSE(message.startsWith("CMD_justwatching")) << message.constData();
        EXPECT_FALSE(message.startsWith("CMD_pscore")) << message.constData();
    }
}

} // namespace
