// PGN reading timings on a large collection: the shared collections
// concatenated several times into one temporary file, made once per run:
// the index pass, the walk over every game, one direct read, and the full
// replay of every game.
// Every case skips itself when the shared data is absent.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "common/textfile.h"
#include "pgn/collection.h"
#include "pgn/replay.h"
#include "support/shared_data.h"

namespace {

namespace fs = std::filesystem;

constexpr int Copies = 4;
const char* const Collections[] = {"Capablanca.pgn", "Fischer.pgn", "Kasparov.pgn", "Carlsen.pgn", "Nimzowitsch.pgn"};

// The big collection: its path and bytes, or why there is none.
struct BigCollection {
    fs::path Path;
    std::string Bytes;
    std::string Problem;

    ~BigCollection() {
        std::error_code ec;
        if (!Path.empty()) fs::remove(Path, ec);
    }
};

const BigCollection& Big() {
    static BigCollection big = [] {
        BigCollection b;
        std::string one;
        for (const char* name : Collections) {
            const fs::path path = orvane::testsupport::SharedDataFile(std::string("pgn/collections/") + name);
            const std::optional<std::string> bytes = orvane::ReadWholeFile(path);
            if (!bytes) {
                b.Problem = orvane::testsupport::SharedDataMissing(path);
                return b;
            }
            one += *bytes;
        }
        for (int i = 0; i < Copies; ++i) b.Bytes += one;
        b.Path = fs::temp_directory_path() / ("orvane_bench_pgn_" + std::to_string(std::random_device{}()) + ".pgn");
        std::ofstream out(b.Path, std::ios::binary | std::ios::trunc);
        out << b.Bytes;
        if (!out) b.Problem = "cannot write " + b.Path.string();
        return b;
    }();
    return big;
}

void Report(benchmark::State& state, long games) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(Big().Bytes.size()));
    state.counters["games"] = static_cast<double>(games);
}

// Pass 1: the game index of the whole file, read from disk.
void IndexPass(benchmark::State& state) {
    const BigCollection& big = Big();
    if (!big.Problem.empty()) return state.SkipWithError(big.Problem.c_str());
    long games = 0;
    for (auto _ : state) {
        const orvane::pgn::ScanResult scan = orvane::pgn::ScanFile(big.Path);
        games = scan.Index.Count;
        benchmark::DoNotOptimize(games);
    }
    Report(state, games);
}
BENCHMARK(IndexPass)->Unit(benchmark::kMillisecond);

// Every game's tags and movetext handed out in order, from bytes in memory.
void WalkEveryGame(benchmark::State& state) {
    const BigCollection& big = Big();
    if (!big.Problem.empty()) return state.SkipWithError(big.Problem.c_str());
    long games = 0;
    for (auto _ : state) {
        games = 0;
        orvane::pgn::ForEachGame(big.Bytes, [&](orvane::pgn::GameText& game) {
            benchmark::DoNotOptimize(game.Movetext.data());
            ++games;
            return true;
        });
    }
    Report(state, games);
}
BENCHMARK(WalkEveryGame)->Unit(benchmark::kMillisecond);

// One game near the end, read directly by its recorded offset.
void ReadOneGame(benchmark::State& state) {
    const BigCollection& big = Big();
    if (!big.Problem.empty()) return state.SkipWithError(big.Problem.c_str());
    const orvane::pgn::ScanResult scan = orvane::pgn::ScanFile(big.Path);
    const long game = scan.Index.Count - 10;
    for (auto _ : state) {
        const orvane::pgn::GameResultText one = orvane::pgn::ReadGame(big.Path, scan.Index, game);
        benchmark::DoNotOptimize(one.Game.Movetext.data());
    }
}
BENCHMARK(ReadOneGame)->Unit(benchmark::kMicrosecond);

// Every game replayed: the start position, every move matched, played and
// recorded with its comments. Arg 1: the fast matcher leaving the final
// move list as the window gets it; arg 0: without that list, as
// orvane-pgn check replays; arg 2: the literal matcher, for comparison.
void ReplayEveryGame(benchmark::State& state) {
    const BigCollection& big = Big();
    if (!big.Problem.empty()) return state.SkipWithError(big.Problem.c_str());
    orvane::pgn::ReplayOptions options;
    options.Matcher = state.range(0) == 2 ? orvane::pgn::MoveMatcher::Literal : orvane::pgn::MoveMatcher::Fast;
    options.FinalMoveList = state.range(0) != 0;
    orvane::Position pos;
    auto record = std::make_unique<orvane::GameRecord>();
    orvane::MoveInput input;
    long games = 0, plies = 0, errors = 0;
    for (auto _ : state) {
        games = plies = errors = 0;
        orvane::pgn::ForEachGame(big.Bytes, [&](orvane::pgn::GameText& game) {
            const orvane::pgn::ReplayInfo info = orvane::pgn::ReplayGame(game, pos, *record, input, options);
            ++games;
            plies += record->LastPly;
            if (info.Error) ++errors;
            return true;
        });
    }
    Report(state, games);
    state.counters["errors"] = static_cast<double>(errors);
    state.counters["plies"] = static_cast<double>(plies);
    state.counters["plies_per_second"] = benchmark::Counter(
        static_cast<double>(plies) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(ReplayEveryGame)->Arg(1)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
