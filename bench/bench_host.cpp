// Host benchmarks: whole games between computer players over loopback at 1 ms bot speed, the
// time from a message's arrival at an idle host to its answer, how late the messages of a
// computer-played turn reach the table, a quiet player's chat round trip while eight connections
// flood the host, the dispatcher's cost per message, and the computer player's average score over
// many seeded games.

#include "host/tserver.h"
#include "net/guard.h"
#include "net/protocol.h"
#include "net/tsock.h"
#include "rules/random.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <ctime>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace {

double processCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// A table connection that only counts what it is waiting for.
class Client {
public:
    explicit Client(quint16 port) {
        sock_.setHostName(QStringLiteral("127.0.0.1"));
        sock_.setPortName(QString::number(port));
        sock_.OnRead = [this](zb::TSock* s, int) {
            if (s->pendingReceiveBytes() == 0)
                return;
            QList<QByteArray> messages;
            framer_.feed(s->receive(), messages);
            for (const QByteArray& m : messages) {
                if (m.startsWith("CMD_sendlogininfo+"))
                    slot_ = m.mid(18).toInt();
                if (m.startsWith(waitingFor_))
                    ++arrived_;
            }
        };
        sock_.open();
    }
    void expect(const QByteArray& prefix) {
        waitingFor_ = prefix;
        arrived_ = 0;
    }
    // Runs the event loop until the expected message has come.
    void wait() {
        while (arrived_ == 0)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    void waitSlot() {
        while (slot_ == 0)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    void send(const QByteArray& m) { sock_.send(m); }

private:
    zb::TSock sock_;
    zb::proto::Framer framer_;
    QByteArray waitingFor_ = "\x01";
    int arrived_ = 0;
    int slot_ = 0;
};

QByteArray T(const char* text) {
    return QByteArray(text) + '\xFF';
}

struct LoopbackHost {
    zb::rules::Random random{1};
    zb::TServer server{[] { return 1; }, random};
    LoopbackHost() {
        server.setPortName(QStringLiteral("0"));
        server.setListening(true);
    }
};

// Four computer players (the hosting player watches its seat) play a team game; then the same
// for a regular game of two computer seats.
void BM_ComputerGame(benchmark::State& state) {
    const bool team = state.range(0) != 0;
    LoopbackHost host;
    Client table(host.server.port());
    table.waitSlot();
    table.expect("CMD_newplayerinfo+1+");
    table.send(zb::msg::toHost::logininfo(1, "1.0.4", "Bench\xFF"));
    table.wait();
    double cpu = 0;
    for (auto _ : state) {
        const double before = processCpuSeconds();
        table.expect("CMD_winner+");
        table.send(team ? T("CMD_startgame+1+f+true") : T("CMD_startgame+1+f+false"));
        table.send(T("CMD_justwatch+1+1"));
        table.wait();
        cpu += processCpuSeconds() - before;
    }
    state.counters["games_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["cpu_ms_per_game"] = cpu * 1000.0 / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ComputerGame)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(10);

// A chat line sent to an idle host and relayed back, one at a time with the dispatcher idle
// between them: the round trip over loopback bounds the time from arrival to answer.
void BM_IdleLatency(benchmark::State& state) {
    LoopbackHost host;
    Client table(host.server.port());
    table.waitSlot();
    std::vector<double> micros;
    QElapsedTimer clock;
    for (auto _ : state) {
        // Let the dispatcher fall idle: its last tick more than one interval ago.
        state.PauseTiming();
        QElapsedTimer idle;
        idle.start();
        while (idle.elapsed() < 12)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        state.ResumeTiming();
        clock.start();
        table.expect("CMD_chat+1+");
        table.send(T("CMD_chat+1+ping|clBlack"));
        table.wait();
        micros.push_back(static_cast<double>(clock.nsecsElapsed()) / 1000.0);
    }
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["p99_us"] = micros[micros.size() * 99 / 100];
    state.counters["max_us"] = micros.back();
}
BENCHMARK(BM_IdleLatency)->Unit(benchmark::kMicrosecond)->Iterations(300);

// A table connection that logs in, and hands every message it receives to the bench at once.
class TimedClient {
public:
    explicit TimedClient(quint16 port) {
        sock_.setHostName(QStringLiteral("127.0.0.1"));
        sock_.setPortName(QString::number(port));
        sock_.OnRead = [this](zb::TSock* s, int) {
            if (s->pendingReceiveBytes() == 0)
                return;
            QList<QByteArray> messages;
            framer_.feed(s->receive(), messages);
            for (const QByteArray& m : messages) {
                if (m.isEmpty())
                    continue;
                if (slot_ == 0 && m.startsWith("CMD_sendlogininfo+")) {
                    // Logged in at once, as a table does, so no login time-out ends a long run.
                    slot_ = m.mid(18).toInt();
                    sock_.send(zb::msg::toHost::logininfo(slot_, "1.0.4", "Bench\xFF"));
                }
                if (onMessage)
                    onMessage(m);
            }
        };
        sock_.open();
    }
    void waitSlot() {
        while (slot_ == 0)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    int slot() const { return slot_; }
    void send(const QByteArray& m) { sock_.send(m); }
    std::function<void(const QByteArray&)> onMessage;

private:
    zb::TSock sock_;
    zb::proto::Framer framer_;
    int slot_ = 0;
};

double percentile(std::vector<double> v, double p) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(p * static_cast<double>(v.size())))];
}

// The hosting player starts a game and at once sets itself to watch, so the computer plays its
// turn one bot-speed period (20 ms) per step. For every message of that turn: the time from the
// host handing it to the socket to its arrival at the table. The table answers nextplayer at once,
// as a real one does, so its acknowledgements ride on its own traffic or wait for the delayed
// acknowledgement timer; Nagle's algorithm then holds every message sent while one is
// unacknowledged.
void BM_TurnArrivals(benchmark::State& state) {
    constexpr int kBotSpeed = 20;
    zb::rules::Random random{1};
    zb::TServer server{[] { return kBotSpeed; }, random};
    server.setPortName(QStringLiteral("0"));
    server.setListening(true);
    QElapsedTimer clock;
    clock.start();
    std::deque<qint64> sentAt; // to slot 1, in order
    server.setOutputTap([&](int slot, const QByteArray&) {
        if (slot == 1)
            sentAt.push_back(clock.nsecsElapsed());
    });
    TimedClient table(server.port());
    std::vector<double> lateness;
    std::vector<double> watchToDice;
    bool recording = false;
    bool turnDone = false;
    qint64 watchingAt = -1;
    table.onMessage = [&](const QByteArray& m) {
        const qint64 now = clock.nsecsElapsed();
        const qint64 sent = sentAt.empty() ? now : sentAt.front();
        if (!sentAt.empty())
            sentAt.pop_front();
        if (!recording)
            return;
        lateness.push_back(static_cast<double>(now - sent) / 1e6);
        if (m.startsWith("CMD_nextplayer+1+"))
            table.send(T("CMD_justwatch+1+1"));
        else if (m == "CMD_justwatching+1+1")
            watchingAt = now;
        else if (m.startsWith("CMD_thedice+1+") && watchingAt >= 0) {
            watchToDice.push_back(static_cast<double>(now - watchingAt) / 1e6);
            watchingAt = -1;
        } else if (m.startsWith("CMD_pscore+1+")) {
            turnDone = true;
            recording = false;
        }
    };
    table.waitSlot();
    for (auto _ : state) {
        turnDone = false;
        watchingAt = -1;
        recording = true;
        table.send(T("CMD_startgame+1+f+false"));
        while (!turnDone)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    state.counters["late_median_ms"] = percentile(lateness, 0.5);
    state.counters["late_p90_ms"] = percentile(lateness, 0.9);
    state.counters["late_max_ms"] = percentile(lateness, 1.0);
    state.counters["watch_to_dice_median_ms"] = percentile(watchToDice, 0.5);
    state.counters["watch_to_dice_min_ms"] = percentile(watchToDice, 0.0);
}
BENCHMARK(BM_TurnArrivals)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(30);

// Eight connections each keep just under the host's per-connection cap of messages waiting,
// topping up as their lines come back; a ninth, quiet player sends one chat line at a time and
// waits for its relay.
void BM_QuietChatUnderFlood(benchmark::State& state) {
    constexpr int kFlooders = 8;
    const int keep = zb::host::kMaxQueuedPerConnection - 1;
    LoopbackHost host;
    TimedClient quiet(host.server.port());
    quiet.waitSlot();
    std::vector<std::unique_ptr<TimedClient>> flooders;
    std::vector<int> outstanding(kFlooders, 0);
    for (int i = 0; i < kFlooders; ++i) {
        flooders.push_back(std::make_unique<TimedClient>(host.server.port()));
        TimedClient& f = *flooders.back();
        f.waitSlot();
        const QByteArray own = "CMD_chat+" + QByteArray::number(f.slot()) + "+";
        const QByteArray line = T(own + "flood|clBlack");
        f.onMessage = [&f, &outstanding, i, own, line, keep](const QByteArray& m) {
            if (m.startsWith(own))
                --outstanding[i];
            QByteArray more;
            for (; outstanding[i] < keep; ++outstanding[i])
                more += line;
            if (!more.isEmpty())
                f.send(more);
        };
        f.onMessage(QByteArray()); // the first fill
    }
    // Until every flooder's queue is full.
    while (host.server.queuedMessages() < kFlooders * keep - kFlooders)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

    const QByteArray own = "CMD_chat+" + QByteArray::number(quiet.slot()) + "+";
    bool back = false;
    quiet.onMessage = [&](const QByteArray& m) {
        if (m.startsWith(own))
            back = true;
    };
    std::vector<double> seconds;
    QElapsedTimer clock;
    for (auto _ : state) {
        back = false;
        clock.start();
        quiet.send(T(own + "hello|clBlack"));
        while (!back)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        seconds.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e9);
    }
    state.counters["round_trip_median_s"] = percentile(seconds, 0.5);
    state.counters["round_trip_max_s"] = percentile(seconds, 1.0);
    state.counters["queued_at_end"] = static_cast<double>(host.server.queuedMessages());
}
BENCHMARK(BM_QuietChatUnderFlood)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// The dispatcher's own cost for one relayed chat line among nine connections, without sockets.
void BM_DispatchChat(benchmark::State& state) {
    zb::rules::Random random(1);
    zb::TServer server([] { return 1; }, random);
    std::size_t bytes = 0;
    server.setOutputTap(
        [&](int, const QByteArray& m) { bytes += static_cast<std::size_t>(m.size()); });
    for (int i = 0; i < 9; ++i)
        server.attachLocal();
    const QByteArray chat = T("CMD_chat+3+a line of chat of ordinary length|clBlack");
    for (auto _ : state) {
        server.feed(3, chat);
        server.dispatchOne();
    }
    benchmark::DoNotOptimize(bytes);
}
BENCHMARK(BM_DispatchChat);

// Many seeded all-computer games driven without waiting: the computer player's average score.
void BM_ComputerScore(benchmark::State& state) {
    const int games = static_cast<int>(state.range(0));
    double sum = 0;
    double sumSq = 0;
    int samples = 0;
    int best = 0;
    for (auto _ : state) {
        for (int g = 0; g < games; ++g) {
            zb::rules::Random random(static_cast<std::uint32_t>(g + 1));
            zb::TServer server([] { return 1; }, random);
            const int slot = server.attachLocal();
            server.feed(slot, T("CMD_startgame+1+f+false") + T("CMD_justwatch+1+1"));
            while (server.dispatchOne()) {
            }
            while (server.game().inProgress())
                server.runGameTimersNow();
            for (int seat = 1; seat <= 2; ++seat) {
                const int total = server.players()[seat].card.total;
                sum += total;
                sumSq += static_cast<double>(total) * total;
                best = std::max(best, total);
                ++samples;
            }
        }
    }
    const double mean = sum / samples;
    state.counters["games"] = games;
    state.counters["mean_total"] = mean;
    state.counters["stddev_total"] = std::sqrt(std::max(0.0, sumSq / samples - mean * mean));
    state.counters["best_total"] = best;
}
BENCHMARK(BM_ComputerScore)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication app(argc, argv);
    zb::setErrorReporter([](const QString&) {});
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
