// What a hostile host's floods cost a table window: the receive queue after bare terminators and
// after a flood of messages, the time until a valid message behind them is handled, and the
// boxes that a burst of "game is full" notices opens.
#include "net/guard.h"
#include "rules/random.h"
#include "shell/dialogs.h"
#include "shell/soundplayer.h"
#include "table/core/session.h"
#include "table/core/tablecore.h"
#include "table/tchat.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

class CountingDialogs final : public zb::Dialogs {
public:
    void information(QWidget*, const QString&, const QString&, std::function<void()>) override {
        ++opened;
    }
    void question(QWidget*, const QString&, const QString&, std::function<void(bool)>) override {
        ++opened;
    }
    int opened = 0;
};

struct Table {
    Table() {
        zb::TableOptions o;
        o.args = {QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("false")};
        o.settingsFolder = dir.path();
        o.dialogs = &dialogs;
        o.soundPlayer = &sounds;
        window = std::make_unique<zb::Tchat>(o, random);
    }
    // Runs the dispatcher until the queue is empty, as its timer would.
    void drain() {
        while (window->core().session().queued() > 0)
            zb::guarded([&] { window->core().session().processsocktimer(); });
    }
    QTemporaryDir dir;
    CountingDialogs dialogs;
    zb::SilentSoundPlayer sounds;
    zb::rules::Random random;
    std::unique_ptr<zb::Tchat> window;
};

// 2 MB of bare terminators in the largest reads a socket hands over, then one valid message.
void BM_BareTerminatorsThenAMessage(benchmark::State& state) {
    const QByteArray read(32768, '\xFF');
    qsizetype peak = 0;
    for (auto _ : state) {
        Table t;
        for (int i = 0; i < 64; ++i) {
            t.window->core().session().receive(read);
            peak = std::max(peak, t.window->core().session().queued());
        }
        t.window->core().session().receive("CMD_chat+2+hello\xFF");
        QElapsedTimer clock;
        clock.start();
        t.drain();
        state.counters["until_handled_ms"] = double(clock.nsecsElapsed()) / 1e6;
    }
    state.counters["peak_queued"] = double(peak);
}
BENCHMARK(BM_BareTerminatorsThenAMessage)->Unit(benchmark::kMillisecond)->Iterations(3);

// A flood of short chat lines: the queue never holds more than its cap.
void BM_MessageFlood(benchmark::State& state) {
    QByteArray read;
    while (read.size() < 4096 - 16)
        read += "CMD_chat+2+x\xFF";
    qsizetype peak = 0;
    bool cut = false;
    for (auto _ : state) {
        Table t;
        for (int i = 0; i < 512 && !cut; ++i) {
            cut = !t.window->core().session().receive(read);
            peak = std::max(peak, t.window->core().session().queued());
        }
    }
    state.counters["peak_queued"] = double(peak);
    state.counters["cut_off"] = cut ? 1 : 0;
}
BENCHMARK(BM_MessageFlood)->Unit(benchmark::kMillisecond)->Iterations(3);

// 2,000 "game is full" notices (20 KB from the host): how many boxes open.
void BM_FullNotices(benchmark::State& state) {
    QByteArray burst;
    for (int i = 0; i < 2000; ++i)
        burst += "CMD_full+\xFF";
    int opened = 0;
    for (auto _ : state) {
        Table t;
        t.window->core().session().receive(burst);
        t.drain();
        opened = t.dialogs.opened;
    }
    state.counters["boxes"] = opened;
}
BENCHMARK(BM_FullNotices)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    zb::setErrorReporter([](const QString&) {});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
