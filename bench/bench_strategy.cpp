// The optimal-play strategy: the time and memory to build its tables, the time of one piece of
// advice (what a coach asks for every suggestion), and the final totals of many seeded games of
// computer players of each skill, played through the whole host (its socketless seam, game timers
// run at once), against the expected total the tables promise from the empty card.

#include "host/tserver.h"
#include "net/guard.h"
#include "rules/random.h"
#include "strategy/advisor.h"
#include "strategy/dicesets.h"
#include "strategy/scoretable.h"
#include "strategy/sharedtables.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <cmath>
#include <random>
#include <vector>

namespace {

using zb::strategy::BotSkill;
using zb::strategy::GameKind;

GameKind kindOf(int kind) {
    return kind == 1 ? GameKind::BonusDice : GameKind::Regular;
}

// Building the tables of one kind, as the host's background thread does.
void BM_BuildTables(benchmark::State& state) {
    const GameKind kind = kindOf(static_cast<int>(state.range(0)));
    std::size_t bytes = 0;
    double expected = 0;
    for (auto _ : state) {
        const auto tables = zb::strategy::Tables::build(kind);
        bytes = tables->memoryBytes();
        expected = tables->expectedFromEmpty();
        benchmark::DoNotOptimize(tables.get());
    }
    state.counters["table_MiB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
    // Shared by both kinds, built once per process.
    state.counters["fixed_KiB"] =
        static_cast<double>(sizeof(zb::strategy::DiceSets) + sizeof(zb::strategy::ScoreTable)) /
        1024.0;
    state.counters["expected_total"] = expected;
}
BENCHMARK(BM_BuildTables)
    ->ArgName("bonus")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// One piece of advice on random positions after rolls 1 to 3.
void BM_Advise(benchmark::State& state) {
    const GameKind kind = kindOf(static_cast<int>(state.range(0)));
    const auto tables = zb::strategy::SharedTables::wait(kind);
    std::mt19937 rng(7);
    std::vector<zb::strategy::Position> positions(1024);
    for (zb::strategy::Position& p : positions) {
        p.used = rng() % zb::strategy::kFullCard;
        p.upperTotal = static_cast<int>(rng() % 70);
        p.bonusFace = kind == GameKind::BonusDice ? static_cast<int>(rng() % 6) + 1 : 0;
        for (int& v : p.dice)
            v = static_cast<int>(rng() % 6) + 1;
        p.rolls = static_cast<int>(rng() % 3) + 1;
    }
    std::size_t i = 0;
    for (auto _ : state) {
        const zb::strategy::Advice a = zb::strategy::advise(*tables, positions[i++ % 1024]);
        benchmark::DoNotOptimize(a.expected);
    }
}
BENCHMARK(BM_Advise)->ArgName("bonus")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Seeded games of computer players only (the hosting player watches its seat): every card's
// final total. kind 0 regular, 1 bonus dice, 2 team (each team's shared card counted once).
void BM_CardTotals(benchmark::State& state) {
    const BotSkill skill = state.range(0) != 0 ? BotSkill::Expert : BotSkill::Classic;
    const int kind = static_cast<int>(state.range(1));
    const int games = static_cast<int>(state.range(2));
    const QByteArray start = kind == 0   ? "CMD_startgame+1+f+false\xFF"
                             : kind == 1 ? "CMD_startgame+1+t+false\xFF"
                                         : "CMD_startgame+1+f+true\xFF";
    // The expert plays from the first move, not the classic player while its tables build.
    const auto tables = zb::strategy::SharedTables::wait(kindOf(kind));
    double sum = 0;
    double sumSq = 0;
    double cards = 0;
    int fallbacks = 0;
    for (auto _ : state) {
        for (int g = 0; g < games; ++g) {
            zb::rules::Random random(static_cast<std::uint32_t>(g + 1));
            zb::TServer server([] { return 1; }, random);
            server.setBotSkill([skill] { return skill; });
            const int slot = server.attachLocal();
            server.feed(slot, start + "CMD_justwatch+1+1\xFF");
            while (server.dispatchOne()) {
            }
            while (server.game().inProgress())
                server.runGameTimersNow();
            for (int seat = 1; seat <= 2; ++seat) {
                const double total = server.players()[seat].card.total;
                sum += total;
                sumSq += total * total;
                ++cards;
            }
            fallbacks += server.game().expert().fallbacks();
        }
    }
    const double mean = sum / cards;
    const double sd = std::sqrt(std::max(0.0, (sumSq - cards * mean * mean) / (cards - 1)));
    const double se = sd / std::sqrt(cards);
    state.counters["cards"] = cards;
    state.counters["mean"] = mean;
    state.counters["sd"] = sd;
    state.counters["se"] = se;
    if (skill == BotSkill::Expert) {
        const double expected = tables->expectedFromEmpty();
        state.counters["expected"] = expected;
        state.counters["z"] = (mean - expected) / se;
        state.counters["within_3se"] = std::abs(mean - expected) <= 3 * se ? 1 : 0;
        state.counters["fallbacks"] = fallbacks;
    }
}
BENCHMARK(BM_CardTotals)
    ->ArgNames({"expert", "kind", "games"})
    ->ArgsProduct({{0, 1}, {0, 1, 2}, {10000}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    zb::setErrorReporter([](const QString&) {});
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
