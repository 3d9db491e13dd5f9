// The opening of a solo game, byte for byte, as the hosting player's table sees it.

#include "hostfixture.h"

#include "rules/rules.h"

#include <QElapsedTimer>

using namespace hosttest;
namespace toHost = zb::msg::toHost;

namespace {

class ExchangeTest : public HostFixture {};

TEST_F(ExchangeTest, OpeningOfASoloGame) {
    botSpeed = 20;
    // The dice the host will roll: one draw for the bonus die at the change of turn, then five.
    zb::rules::Random expected(kSeed);
    expected.die();
    zb::rules::Dice dice{};
    for (int& d : dice)
        d = expected.die();

    TestClient& table = connect();
    QByteArray want = T("CMD_sendlogininfo+1");
    ASSERT_TRUE(zbtest::waitFor([&] { return table.raw().size() >= want.size(); }));
    EXPECT_EQ(table.raw(), want);

    table.send(toHost::logininfo(1, "1.0.4", "You\xFF"));
    EXPECT_EQ(toHost::logininfo(1, "1.0.4", "You\xFF"), "CMD_logininfo+1+1.0.4+You\xFF\xFF");
    want += T("CMD_newplayerinfo+1+You");
    ASSERT_GE(table.waitExact("CMD_newplayerinfo+1+You"), 0);

    table.send(T("CMD_botspeed+1+1000+"));
    table.send(T("CMD_startgame+1+f+false"));
    want += T("CMD_startgame+1+f+false");
    want += T("CMD_nextplayer+1+1+0+0+");
    ASSERT_GE(table.waitPrefix("CMD_nextplayer+"), 0);

    table.send(T("CMD_rolldice+1"));
    QByteArray thedice = "CMD_thedice+1+y+1";
    for (int die = 1; die <= 5; ++die)
        thedice += "+" + QByteArray::number(die) + "+" + QByteArray::number(dice[die - 1]);
    want += T(thedice);
    ASSERT_GE(table.waitPrefix("CMD_thedice+"), 0);

    table.send(T("CMD_setscore+1+4"));
    const int fours = zb::rules::categoryValue(dice, 4);
    const int bonus = fours > 63 ? 35 : 0;
    QByteArray pscore = "CMD_pscore+1+" + QByteArray::number(fours + bonus) + "+4";
    for (int c = 1; c <= 12; ++c)
        pscore += c == 4 ? "+" + QByteArray::number(fours) : QByteArray("+1000");
    pscore += "+" + QByteArray::number(fours) + "+0+0";
    want += T(pscore);
    want += T("CMD_nextplayer+2+1+0+0+");
    const int pscoreAt = table.waitPrefix("CMD_pscore+");
    ASSERT_GE(pscoreAt, 0);
    ASSERT_GE(table.waitPrefix("CMD_nextplayer+2+"), 0);
    EXPECT_EQ(table.raw().left(want.size()), want);
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

TEST_F(ExchangeTest, NextTurnWaitsThreeBotSpeedPeriods) {
    botSpeed = 60;
    TestClient& table = join("You");
    table.send(T("CMD_startgame+1+f+false"));
    ASSERT_GE(table.waitPrefix("CMD_nextplayer+1+"), 0);
    table.send(T("CMD_rolldice+1"));
    ASSERT_GE(table.waitPrefix("CMD_thedice+"), 0);
    table.send(T("CMD_setscore+1+12"));
    QElapsedTimer clock;
    const int at = table.waitPrefix("CMD_pscore+");
    clock.start();
    ASSERT_GE(at, 0);
    ASSERT_GE(table.waitPrefix("CMD_nextplayer+2+", at), 0);
    EXPECT_GE(clock.elapsed(), 3 * 60 - 15);
    EXPECT_LT(clock.elapsed(), 3 * 60 + 400);
}

} // namespace
