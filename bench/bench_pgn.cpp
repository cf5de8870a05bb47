// PGN reading timings on a large collection: the shared collections
// concatenated several times into one temporary file, made once per run.
// Every case skips itself when the shared data is absent.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>

#include "common/textfile.h"
#include "pgn/collection.h"
#include "support/shared_data.h"

namespace {

namespace fs = std::filesystem;

constexpr int Copies = 4;
const char* const Collections[] = {"Capablanca.pgn", "Fischer.pgn", "Kasparov.pgn", "Carlsen.pgn",
                                   "Nimzowitsch.pgn"};

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

}  // namespace

BENCHMARK_MAIN();
