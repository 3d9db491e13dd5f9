// The dispatch tick: silent while idle, prompt for an isolated message, paced for a burst, and
// unharmed by a tick that raises.

#include "net/dispatchtimer.h"
#include "net/errors.h"
#include "net/guard.h"
#include "support/wait.h"

#include <QElapsedTimer>
#include <QList>
#include <QStringList>
#include <gtest/gtest.h>

using namespace std::chrono_literals;
using zb::DispatchTimer;
using zbtest::waitFor;

namespace {

// A receive queue of numbered messages whose dispatch times are recorded.
class DispatchTimerTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = zb::setErrorReporter([this](const QString& text) { errors << text; });
        clock.start();
    }
    void TearDown() override { zb::setErrorReporter(previous_); }

    std::unique_ptr<DispatchTimer> make(std::chrono::milliseconds interval) {
        return std::make_unique<DispatchTimer>(
            interval,
            [this] {
                const int message = queue.takeFirst();
                handled << message;
                tickTimes << clock.elapsed();
                if (onTick)
                    onTick(message);
            },
            [this] { return !queue.isEmpty(); });
    }

    QList<int> queue;
    QList<int> handled;
    QList<qint64> tickTimes;
    QStringList errors;
    QElapsedTimer clock;
    std::function<void(int)> onTick;

private:
    zb::ErrorReporter previous_;
};

TEST_F(DispatchTimerTest, IdleDispatcherNeverTicks) {
    auto timer = make(10ms);
    zbtest::pump(60ms);
    EXPECT_TRUE(handled.isEmpty());
    EXPECT_FALSE(timer->isActive());
}

TEST_F(DispatchTimerTest, KickAtAnIdleDispatcherTicksOnTheNextLoopTurn) {
    auto timer = make(200ms);
    queue << 1;
    const qint64 kickedAt = clock.elapsed();
    timer->wake();
    EXPECT_TRUE(handled.isEmpty()) << "never inside the caller of wake()";
    ASSERT_TRUE(waitFor([&] { return handled.size() == 1; }, 1s));
    EXPECT_LT(tickTimes[0] - kickedAt, 100);
    zbtest::pump(30ms);
    EXPECT_FALSE(timer->isActive()) << "nothing left: the timer stops";
}

TEST_F(DispatchTimerTest, BurstIsHandledOneMessagePerInterval) {
    auto timer = make(40ms);
    queue << 1 << 2 << 3 << 4;
    timer->wake();
    timer->wake(); // a wake while ticking changes nothing
    ASSERT_TRUE(waitFor([&] { return handled.size() == 4; }, 2s));
    EXPECT_EQ(handled, (QList<int>{1, 2, 3, 4}));
    EXPECT_LT(tickTimes[0], 30);
    for (int i = 1; i < tickTimes.size(); ++i)
        EXPECT_GE(tickTimes[i] - tickTimes[i - 1], 38) << "tick " << i;
    zbtest::pump(100ms);
    EXPECT_EQ(handled.size(), 4);
    EXPECT_FALSE(timer->isActive());
}

TEST_F(DispatchTimerTest, MessageSoonAfterATickWaitsForTheRestOfTheInterval) {
    auto timer = make(100ms);
    queue << 1;
    timer->wake();
    ASSERT_TRUE(waitFor([&] { return handled.size() == 1; }, 1s));
    queue << 2;
    timer->wake();
    ASSERT_TRUE(waitFor([&] { return handled.size() == 2; }, 1s));
    EXPECT_GE(tickTimes[1] - tickTimes[0], 95);
}

TEST_F(DispatchTimerTest, MessageLongAfterTheLastTickIsPromptAgain) {
    auto timer = make(50ms);
    queue << 1;
    timer->wake();
    ASSERT_TRUE(waitFor([&] { return handled.size() == 1; }, 1s));
    zbtest::pump(80ms);
    queue << 2;
    const qint64 kickedAt = clock.elapsed();
    timer->wake();
    ASSERT_TRUE(waitFor([&] { return handled.size() == 2; }, 1s));
    EXPECT_LT(tickTimes[1] - kickedAt, 30);
}

TEST_F(DispatchTimerTest, RaisingTickIsReportedAndTickingGoesOn) {
    auto timer = make(5ms);
    onTick = [](int message) {
        if (message == 2)
            throw zb::ESockException("Send - Socket Not Connected");
    };
    queue << 1 << 2 << 3;
    timer->wake();
    ASSERT_TRUE(waitFor([&] { return handled.size() == 3; }, 2s));
    EXPECT_EQ(errors, QStringList{"Send - Socket Not Connected"});
}

TEST_F(DispatchTimerTest, WorkAddedByATickKeepsThePace) {
    auto timer = make(30ms);
    onTick = [&](int message) {
        if (message < 3) {
            queue << message + 1;
            timer->wake();
        }
    };
    queue << 1;
    timer->wake();
    ASSERT_TRUE(waitFor([&] { return handled.size() == 3; }, 2s));
    EXPECT_GE(tickTimes[1] - tickTimes[0], 28);
    EXPECT_GE(tickTimes[2] - tickTimes[1], 28);
}

TEST_F(DispatchTimerTest, StopHaltsUntilTheNextKick) {
    auto timer = make(20ms);
    queue << 1 << 2 << 3;
    timer->wake();
    ASSERT_TRUE(waitFor([&] { return handled.size() == 1; }, 1s));
    timer->stop();
    EXPECT_FALSE(timer->isActive());
    zbtest::pump(60ms);
    EXPECT_EQ(handled.size(), 1);
    timer->wake();
    ASSERT_TRUE(waitFor([&] { return handled.size() == 3; }, 1s));
}

TEST_F(DispatchTimerTest, IntervalCanBeChanged) {
    auto timer = make(20ms);
    EXPECT_EQ(timer->interval(), 20ms);
    timer->setInterval(1ms);
    EXPECT_EQ(timer->interval(), 1ms);
    queue << 1 << 2 << 3 << 4 << 5;
    timer->wake();
    EXPECT_TRUE(waitFor([&] { return handled.size() == 5; }, 1s));
}

} // namespace
