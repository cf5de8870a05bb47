// Opening book lookups against a generated book of 3,800 lines: at the start
// of the game, four plies deep, and a first lookup that reads and parses the
// file. And a hostile book: 10 MB of empty lines after the header, read
// afresh and consulted after each of five moves, as the window does.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "book/book.h"
#include "engine/position.h"
#include "generated_book.h"
#include "notation/notation.h"

namespace {

namespace fs = std::filesystem;
using orvane::bench::GeneratedBook;
using orvane::bench::WriteBook;

constexpr std::string_view Version = "0.10";

void LookUpStart(benchmark::State& state, const fs::path& file) {
    orvane::OpeningBook book(file);
    for (auto _ : state) {
        orvane::BookResult result = book.LookUp("", orvane::StandardPositionString, Version);
        benchmark::DoNotOptimize(result);
    }
}

void LookUpFourPlies(benchmark::State& state, const fs::path& file, const std::string& key) {
    orvane::OpeningBook book(file);
    const orvane::BookResult check = book.LookUp(key, orvane::StandardPositionString, Version);
    if (check.Status != orvane::BookStatus::Completed || check.InBook != 1) {
        state.SkipWithError("the four-ply game is not in the book");
        return;
    }
    int continuations = 0;
    while (continuations < orvane::BookMoveSlots && !check.BookMoves[static_cast<std::size_t>(continuations)].empty())
        ++continuations;
    state.counters["continuations"] = continuations;
    for (auto _ : state) {
        orvane::BookResult result = book.LookUp(key, orvane::StandardPositionString, Version);
        benchmark::DoNotOptimize(result);
    }
}

void FirstLookUp(benchmark::State& state, const fs::path& file, const std::string& key) {
    for (auto _ : state) {
        orvane::OpeningBook book(file);
        orvane::BookResult result = book.LookUp(key, orvane::StandardPositionString, Version);
        benchmark::DoNotOptimize(result);
    }
}

// A book whose moves section is ten million empty lines (LF only), 10 MB.
fs::path WriteEmptyLinesBook(const fs::path& folder) {
    const fs::path file = folder / "emptylines.bok";
    std::ofstream out(file, std::ios::binary);
    out << "ORVANE Version=0.10\r\nstart\r\n";
    const std::string block(1'000'000, '\n');
    for (int i = 0; i < 10; ++i) out.write(block.data(), static_cast<std::streamsize>(block.size()));
    return file;
}

// The five lookups after 1. e4 e5 2. Nf3 Nc6 3. Bb5 with a book read afresh.
void FiveMovesFreshBook(benchmark::State& state, const fs::path& file) {
    const std::string keys[] = {"e2e4", "e2e4 e7e5", "e2e4 e7e5 g1f3", "e2e4 e7e5 g1f3 b8c6",
                                "e2e4 e7e5 g1f3 b8c6 f1b5"};
    for (auto _ : state) {
        orvane::OpeningBook book(file);
        for (const std::string& key : keys) {
            orvane::BookResult result = book.LookUp(key, orvane::StandardPositionString, Version);
            benchmark::DoNotOptimize(result);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const GeneratedBook book = WriteBook();
    if (book.FourPlyKey.empty()) {
        std::cerr << "no four-ply game with a few continuations in the generated book\n";
        return 1;
    }
    std::cerr << "book: " << fs::file_size(book.File) << " bytes; four-ply game \"" << book.FourPlyKey << "\"\n";

    benchmark::RegisterBenchmark("BookLookUp/Start", LookUpStart, book.File);
    benchmark::RegisterBenchmark("BookLookUp/FourPlies", LookUpFourPlies, book.File, book.FourPlyKey);
    benchmark::RegisterBenchmark("BookLookUp/FirstRead", FirstLookUp, book.File, book.FourPlyKey);
    const fs::path emptyLines = WriteEmptyLinesBook(book.Folder);
    benchmark::RegisterBenchmark("BookLookUp/TenMillionEmptyLinesFiveMoves", FiveMovesFreshBook, emptyLines)
        ->Unit(benchmark::kMillisecond);

    benchmark::Initialize(&argc, argv);
    int status = 0;
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        status = 1;
    } else {
        benchmark::RunSpecifiedBenchmarks();
    }
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(book.Folder, ec);
    return status;
}
