// Game connections do not wait for the peer's delayed acknowledgement: a message that the host
// sends while an earlier one is still unacknowledged leaves at once.

#include "hostfixture.h"

#include <QElapsedTimer>

using namespace hosttest;
using namespace std::chrono_literals;

namespace {

class LatencyTest : public HostFixture {};

// The hosting player starts a game and sets itself to watch in the same breath, as a table does
// when its player clicks fast. The host answers the start with two messages at once, the watch
// request one dispatcher tick later, and the computer's first roll one bot-speed period after
// that. A table that sends right after receiving makes its acknowledgements wait up to 40 ms for
// its next message; with Nagle's algorithm the host then held everything behind the first
// unacknowledged message, and the watch notice and the roll arrived in the same instant.
TEST_F(LatencyTest, MessagesSentABotSpeedApartArriveApart) {
    botSpeed = 20;
    TestClient& table = connect();
    ASSERT_EQ(table.slot(), 1);
    QElapsedTimer clock;
    clock.start();
    qint64 watchingAt = -1;
    qint64 diceAt = -1;
    table.onMessage = [&](const QByteArray& m) {
        if (m == "CMD_justwatching+1+1" && watchingAt < 0)
            watchingAt = clock.nsecsElapsed();
        if (m.startsWith("CMD_thedice+1+") && diceAt < 0)
            diceAt = clock.nsecsElapsed();
    };
    table.send(T("CMD_startgame+1+f+false") + T("CMD_justwatch+1+1"));
    ASSERT_TRUE(zbtest::waitFor([&] { return diceAt >= 0; }));
    ASSERT_GE(watchingAt, 0);
    // Sent 20 ms apart; a generous lower bound, not a measurement.
    EXPECT_GE((diceAt - watchingAt) / 1000000, 10)
        << "gap " << (diceAt - watchingAt) / 1000 << " us";
}

} // namespace
