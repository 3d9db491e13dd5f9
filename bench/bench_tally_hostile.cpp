// What a hostile tally file costs: a file of a few dozen kilobytes that expands to one opponent
// with a name of megabytes. Loading it at start, and "View Tally" (the statistics window filled
// from it, shown and painted). Names are cut when read, so both cost what an ordinary tally does;
// the counters give the file's size, the longest name kept and the process's peak memory.
//
// The peak is the process's, so it grows from case to case: run one case alone for its own,
//   bench_tally_hostile --benchmark_filter='BM_ViewTally/16'
// and BM_Baseline alone for what the program costs without any tally.

#include "shell/dialogs.h"
#include "tally/store/lzrw1kh.h"
#include "tally/store/tallymodel.h"
#include "tally/store/tallystore.h"
#include "tally/tally.h"
#include "tally/ttallylist.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

class NoDialogs final : public zb::Dialogs {
public:
    void information(QWidget*, const QString&, const QString&, std::function<void()>) override {}
    void question(QWidget*, const QString&, const QString&, std::function<void(bool)>) override {}
};

// The tally file of one opponent whose name fills a text of the given size, built a chunk at a
// time, so that making it costs this process no more than the file: the peak memory counted
// below is the reader's and the window's.
QByteArray hostileFile(qsizetype textSize) {
    QByteArray counts;
    for (int c = 1; c < zb::kTallyColumns; ++c)
        counts += "0\r\n0\r\n";
    const QByteArray head = "9\r\n2\r\n0\r\n";
    const QByteArray tail = "\r\n" + counts;
    auto at = [&](qsizetype i) {
        if (i < head.size())
            return head[i];
        if (i >= textSize - tail.size())
            return tail[i - (textSize - tail.size())];
        return 'n';
    };
    QByteArray file = "WRZL";
    for (int i = 0; i < 4; ++i)
        file.append(char(std::uint32_t(textSize) >> (8 * i)));
    QByteArray chunk;
    QByteArray lastChunk;
    QByteArray lastBlock;
    for (qsizetype from = 0;; from += zb::lzrw1kh::kChunk) {
        const qsizetype n = std::min(zb::lzrw1kh::kChunk, textSize - from);
        chunk.resize(n);
        for (qsizetype i = 0; i < n; ++i)
            chunk[i] = at(from + i);
        if (chunk != lastChunk) {
            lastChunk = chunk;
            lastBlock = zb::lzrw1kh::compressBlock(chunk);
        }
        file.append(char(lastBlock.size() & 0xFF));
        file.append(char(lastBlock.size() >> 8));
        file.append(lastBlock);
        if (n < zb::lzrw1kh::kChunk)
            return file;
    }
}

struct Folder {
    explicit Folder(qsizetype textSize) : file(hostileFile(textSize)) {
        QFile f(QDir(dir.path()).filePath(zb::TallyStore::kFileName));
        f.open(QIODevice::WriteOnly);
        f.write(file);
    }
    QTemporaryDir dir;
    QByteArray file;
};

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// An empty tally shown: what Qt and the window cost by themselves.
void BM_Baseline(benchmark::State& state) {
    QTemporaryDir dir;
    NoDialogs dialogs;
    for (auto _ : state) {
        zb::Tally tally(dir.path(), dialogs, [](const QString&) {});
        tally.load();
        tally.showOver(nullptr);
        benchmark::DoNotOptimize(tally.window()->grab().cacheKey());
        tally.window()->hide();
    }
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_Baseline)->Unit(benchmark::kMillisecond)->Iterations(1);

// Argument: the expanded text in MiB.
void BM_LoadTally(benchmark::State& state) {
    const Folder folder(qsizetype(state.range(0)) << 20);
    qsizetype longest = 0;
    for (auto _ : state) {
        zb::TallyModel model;
        const QString error = zb::TallyStore(folder.dir.path()).load(model);
        benchmark::DoNotOptimize(error);
        longest = model.opponents() > 0 ? model.tallied().first().size() : 0;
    }
    state.counters["file_KB"] = double(folder.file.size()) / 1024.0;
    state.counters["name"] = double(longest);
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_LoadTally)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ViewTally(benchmark::State& state) {
    const Folder folder(qsizetype(state.range(0)) << 20);
    NoDialogs dialogs;
    qsizetype shown = 0;
    for (auto _ : state) {
        zb::Tally tally(folder.dir.path(), dialogs, [](const QString&) {});
        tally.load();
        tally.showOver(nullptr);
        const QPixmap painted = tally.window()->grab();
        benchmark::DoNotOptimize(painted.cacheKey());
        QListWidget* list = tally.window()->listbox_tally();
        shown = list->count() > 0 ? list->item(0)->text().size() : 0;
        tally.window()->hide();
    }
    state.counters["file_KB"] = double(folder.file.size()) / 1024.0;
    state.counters["name"] = double(shown);
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_ViewTally)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
