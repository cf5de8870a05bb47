// The game picker's rows on 28,885 games (the shared collections written one
// after another): building them when the picker opens, one filter keystroke,
// and one sort by a column. Every case skips itself when the shared data is
// absent.
#include <benchmark/benchmark.h>

#include <string>

#include "picker_collection.h"
#include "ui/pickerrows.h"

namespace {

using orvane::bench::BigPickerCollection;
using orvane::ui::PickerRows;

void Open(benchmark::State& state) {
    const auto& big = BigPickerCollection();
    if (!big.Problem.empty()) return state.SkipWithError(big.Problem.c_str());
    for (auto _ : state) {
        PickerRows rows(big.Index, big.Visible);
        benchmark::DoNotOptimize(rows.Count());
    }
    state.counters["games"] = static_cast<double>(big.Index.Count);
}
BENCHMARK(Open)->Unit(benchmark::kMillisecond);

// The list after one more letter of the filter: each iteration types the
// whole text's last letter on top of the text before it.
void FilterKeystroke(benchmark::State& state, const std::string& text) {
    const auto& big = BigPickerCollection();
    if (!big.Problem.empty()) return state.SkipWithError(big.Problem.c_str());
    PickerRows rows(big.Index, big.Visible);
    const std::string before = text.substr(0, text.size() - 1);
    for (auto _ : state) {
        state.PauseTiming();
        rows.SetFilter(before);
        state.ResumeTiming();
        rows.SetFilter(text);
        benchmark::DoNotOptimize(rows.Count());
    }
    state.counters["shown"] = static_cast<double>(rows.Count());
}
BENCHMARK_CAPTURE(FilterKeystroke, first_letter, std::string("k"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FilterKeystroke, name, std::string("kasparov"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FilterKeystroke, result, std::string("1-0"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FilterKeystroke, umlaut, std::string("h\xC3\xBC"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FilterKeystroke, no_game, std::string("zzzz"))->Unit(benchmark::kMillisecond);

// One click on a column header: ascending and descending in turn, with the
// filter of a name active or not.
void Sort(benchmark::State& state, int column, const std::string& filter) {
    const auto& big = BigPickerCollection();
    if (!big.Problem.empty()) return state.SkipWithError(big.Problem.c_str());
    PickerRows rows(big.Index, big.Visible);
    rows.SetFilter(filter);
    bool descending = false;
    for (auto _ : state) {
        rows.SortBy(column, descending);
        descending = !descending;
        benchmark::DoNotOptimize(rows.GameAt(0));
    }
    state.counters["shown"] = static_cast<double>(rows.Count());
}
BENCHMARK_CAPTURE(Sort, Number, 1, std::string())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Sort, Event, 2, std::string())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Sort, Date, 4, std::string())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Sort, White, 6, std::string())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Sort, WhiteElo, 11, std::string())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Sort, White_filtered, 6, std::string("kasparov"))->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
