// The game picker as the user meets it, on 28,885 games: the real dialog on
// the offscreen platform, a key typed into its filter field or a click on a
// column header, up to the list painted anew. Skips itself when the shared
// data is absent.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <QTreeView>

#include <memory>

#include "picker_collection.h"
#include "ui/qt/dlgpgn.h"

namespace {

using orvane::bench::BigPickerCollection;
using orvane::ui::PickerContent;
using orvane::ui::qt::dlgPGN;

std::unique_ptr<dlgPGN> ShownPicker(PickerContent& content) {
    const auto& big = BigPickerCollection();
    content.Caption = "Open PGN game from big.pgn";
    content.Label = "Number of games: " + std::to_string(big.Index.Count);
    content.Index = &big.Index;
    content.Visible = big.Visible;
    auto dialog = std::make_unique<dlgPGN>(content, 15, nullptr);
    dialog->show();
    QApplication::processEvents();
    return dialog;
}

// One letter typed after the others, the list painted; the letter is taken
// back outside the timing.
void FilterKeystroke(benchmark::State& state, const QString& before, Qt::Key key) {
    const auto& big = BigPickerCollection();
    if (!big.Problem.empty()) return state.SkipWithError(big.Problem.c_str());
    PickerContent content;
    auto dialog = ShownPicker(content);
    QTest::keyClicks(dialog->FilterText, before);
    int shown = 0;
    for (auto _ : state) {
        QTest::keyClick(dialog->FilterText, key);
        dialog->ListView1->viewport()->repaint();
        state.PauseTiming();
        shown = dialog->ListView1->model()->rowCount();
        QTest::keyClick(dialog->FilterText, Qt::Key_Backspace);
        state.ResumeTiming();
    }
    state.counters["shown"] = shown;
}
BENCHMARK_CAPTURE(FilterKeystroke, first_letter, QString(), Qt::Key_K)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FilterKeystroke, name, QStringLiteral("kasparo"), Qt::Key_V)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FilterKeystroke, no_game, QStringLiteral("zzz"), Qt::Key_Z)->Unit(benchmark::kMillisecond);

// A click on a header, the list painted; each click turns the order round.
void SortClick(benchmark::State& state, const char* name) {
    const auto& big = BigPickerCollection();
    if (!big.Problem.empty()) return state.SkipWithError(big.Problem.c_str());
    PickerContent content;
    auto dialog = ShownPicker(content);
    QTreeView* view = dialog->ListView1;
    QHeaderView* header = view->header();
    int column = 0;
    while (view->model()->headerData(column, Qt::Horizontal).toString() != QLatin1String(name)) ++column;
    view->scrollTo(view->model()->index(0, column));
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
    for (auto _ : state) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        view->viewport()->repaint();
    }
}
BENCHMARK_CAPTURE(SortClick, Number, "Number")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SortClick, Event, "Event")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SortClick, Date, "Date")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SortClick, White, "White")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SortClick, WhiteElo, "WhiteElo")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
