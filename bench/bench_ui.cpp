// The window's behaviour with a 3,800-line opening book next to the program:
// one book lookup, one whole move entered from the available-moves list
// (play, record, book marker, game-end test, board, list refilled), and the
// batch check of a collection.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <system_error>

#include "book/availablemoves.h"
#include "fakeview.h"
#include "generated_book.h"
#include "ui/frmmain.h"

namespace {

namespace fs = std::filesystem;
using orvane::ui::frmMain;
using orvane::ui::fake::FakeView;

// Selects the List2 entry that plays a book move ("g1f3") and double-clicks it.
bool PlayFromList(FakeView& view, frmMain& form, const std::string& move) {
    for (int i = 0; i < view.list2.ListCount(); ++i) {
        orvane::ListMove parsed;
        if (!orvane::ParseAvailableMoveEntry(view.list2.List(i), form.Pos.SideToMove, form.Input.CaptureChar, parsed))
            continue;
        if (orvane::Lower(parsed.MoveText.substr(0, 4)) != move) continue;
        view.list2.SetListIndex(i);
        form.List2_DblClick();
        return true;
    }
    return false;
}

struct Window {
    FakeView view;
    frmMain form;
    explicit Window(const fs::path& folder) : form(view, {folder, folder, {}}) { form.Form_Load(""); }
};

void LookUpBook(benchmark::State& state, const fs::path& folder, const std::string& key) {
    Window w(folder);
    std::istringstream moves(key);
    std::string move;
    for (int played = 0; played < state.range(0) && moves >> move; ++played) {
        if (!PlayFromList(w.view, w.form, move)) {
            state.SkipWithError("a book move is not in the list");
            return;
        }
    }
    for (auto _ : state) w.form.LookUpBook();
    state.counters["InBook"] = w.form.Book.InBook;
}

void MoveFromList(benchmark::State& state, const fs::path& folder, const std::string& key) {
    Window w(folder);
    const std::string first = key.substr(0, 4);
    for (auto _ : state) {
        if (!PlayFromList(w.view, w.form, first)) {
            state.SkipWithError("the book's first move is not in the list");
            return;
        }
        state.PauseTiming();
        w.form.StepPlies(1);
        state.ResumeTiming();
    }
}

// The batch check (the Debug menu) over a collection of range(0) short
// games, each with one remark line when range(1) is 1: its time must grow
// with the number of games alone, remarks or not.
void BatchCheck(benchmark::State& state, const fs::path& folder) {
    const long games = static_cast<long>(state.range(0));
    const bool remarks = state.range(1) != 0;
    const fs::path file = folder / ("check_" + std::to_string(games) + (remarks ? "_remarks" : "") + ".pgn");
    {
        std::ofstream out(file, std::ios::binary);
        for (long g = 1; g <= games; ++g) {
            if (remarks) out << "[! remark of game " << g << "]\r\n";
            out << "[Event \"Club\"]\r\n[Round \"" << g << "\"]\r\n\r\n1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 *\r\n\r\n";
        }
    }
    Window w(folder);
    for (auto _ : state) {
        if (w.form.GameHasMoves != 0) w.view.QueueAnswer("Yes");
        w.view.QueueAnswer(file.string());
        w.view.QueueAnswer("OK");
        w.form.CheckPgnFile();
        if (w.view.labels[7].caption != std::to_string(games) + "/" + std::to_string(games)) {
            state.SkipWithError("the check did not reach the last game");
            return;
        }
    }
    state.counters["games/s"] =
        benchmark::Counter(static_cast<double>(games), benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace

int main(int argc, char** argv) {
    const orvane::bench::GeneratedBook book = orvane::bench::WriteBook();
    std::cerr << "book: " << fs::file_size(book.File) << " bytes; game \"" << book.FourPlyKey << "\"\n";

    benchmark::RegisterBenchmark("LookUpBook/Start", LookUpBook, book.Folder, book.FourPlyKey)->Arg(0);
    benchmark::RegisterBenchmark("LookUpBook/FourPlies", LookUpBook, book.Folder, book.FourPlyKey)->Arg(4);
    benchmark::RegisterBenchmark("MoveFromList2", MoveFromList, book.Folder, book.FourPlyKey);
    benchmark::RegisterBenchmark("BatchCheck", BatchCheck, book.Folder)
        ->ArgsProduct({{6000, 12000}, {0, 1}})
        ->ArgNames({"games", "remarks"})
        ->Unit(benchmark::kMillisecond);

    benchmark::Initialize(&argc, argv);
    int status = 0;
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        status = 1;
    else
        benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(book.Folder, ec);
    return status;
}
