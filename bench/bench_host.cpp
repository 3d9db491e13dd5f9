// Host benchmarks: whole games between computer players over loopback at 1 ms bot speed, the
// time from a message's arrival at an idle host to its answer, the dispatcher's cost per message,
// and the computer player's average score over many seeded games.

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
