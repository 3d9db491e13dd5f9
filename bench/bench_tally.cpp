// The tally's block codec against memcpy of the same 32 KiB chunks, in the same run: on the
// tally table's own text form and on random bytes (which the compressor ends up storing as is).
// The ratios to memcpy's throughput are what matter; the absolute numbers depend on the machine.
// Targets: compress at least 25 %, expand at least 50 % of memcpy.

#include "tally/store/lzrw1kh.h"
#include "tally/store/quonstrgrid.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <random>
#include <vector>

namespace {

using zb::lzrw1kh::kChunk;

// A tally of a few hundred opponents with plausible counts, cut to one chunk.
std::vector<std::uint8_t> tallyChunk() {
    std::mt19937 gen(1);
    zb::TallyGrid grid(1000);
    for (std::size_t row = 0; row < grid.size(); ++row) {
        grid[row][0] = row == 0 ? QStringLiteral("0") : QStringLiteral("Player%1").arg(row);
        for (int c = 1; c < zb::kTallyColumns; ++c)
            grid[row][std::size_t(c)] = QString::number(gen() % (c <= 4 ? 300 : 12));
    }
    const QByteArray text = zb::QuonStrgrid::write(grid);
    return {text.begin(), text.begin() + kChunk};
}

std::vector<std::uint8_t> randomChunk() {
    std::mt19937 gen(2);
    std::vector<std::uint8_t> out(kChunk);
    for (auto& b : out)
        b = std::uint8_t(gen());
    return out;
}

const std::vector<std::uint8_t>& input(int kind) {
    static const std::vector<std::uint8_t> text = tallyChunk();
    static const std::vector<std::uint8_t> random = randomChunk();
    return kind == 0 ? text : random;
}

void label(benchmark::State& state) {
    state.SetLabel(state.range(0) == 0 ? "tally text" : "random");
    state.SetBytesProcessed(std::int64_t(state.iterations()) * kChunk);
}

void BM_Memcpy(benchmark::State& state) {
    const auto& src = input(int(state.range(0)));
    std::vector<std::uint8_t> dst(kChunk);
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), kChunk);
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    label(state);
}

void BM_Compress(benchmark::State& state) {
    const auto& src = input(int(state.range(0)));
    std::vector<std::uint8_t> dst(std::size_t(zb::lzrw1kh::compressCapacity(kChunk)));
    qsizetype size = 0;
    for (auto _ : state) {
        size = zb::lzrw1kh::compress(src.data(), kChunk, dst.data());
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    label(state);
    state.counters["block"] = double(size);
}

void BM_Expand(benchmark::State& state) {
    const auto& src = input(int(state.range(0)));
    std::vector<std::uint8_t> block(std::size_t(zb::lzrw1kh::compressCapacity(kChunk)));
    const qsizetype size = zb::lzrw1kh::compress(src.data(), kChunk, block.data());
    std::vector<std::uint8_t> dst(kChunk);
    for (auto _ : state) {
        benchmark::DoNotOptimize(zb::lzrw1kh::expand(block.data(), size, dst.data()));
        benchmark::ClobberMemory();
    }
    label(state);
    state.counters["block"] = double(size);
}

BENCHMARK(BM_Memcpy)->Arg(0)->Arg(1);
BENCHMARK(BM_Compress)->Arg(0)->Arg(1);
BENCHMARK(BM_Expand)->Arg(0)->Arg(1);

} // namespace

BENCHMARK_MAIN();
