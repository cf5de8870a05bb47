// Open probe: opens a PGN collection in the real window as a user does and
// times what the user waits for.
//
//   orvane-open-probe FILE [RUNS]          the Open command
//   orvane-open-probe --check FILE [RUNS]  the batch check (Debug)
//   orvane-open-probe --shot PREFIX FILE GAME PLIES
//                                          pictures of the screen with the
//                                          picker, and with game GAME stepped
//                                          PLIES plies on (PREFIX-picker.png,
//                                          PREFIX-game.png)
//
// Open: from the moment the file is chosen in the Open dialog to the picker's
// list first painted with its rows, and from OK on the last game to the game
// on the board with its move list filled. Batch check: from the file chosen
// to the last game replayed, in total and per game. Prints every run and the
// median of the runs.
#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "program.h"
#include "ui/frmmain.h"
#include "ui/qt/dlgpgn.h"
#include "ui/qt/mainwindow.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Notes the first paint of the picker's list, then takes the last game (or,
// for the batch check, closes the picker at once).
class PickerWatch : public QObject {
public:
    bool check = false;
    long pick = 0;  // the game to take, 0 the last
    QString shot;   // where to save a picture of the screen with the picker
    bool painted = false;
    Clock::time_point paintedAt;
    Clock::time_point okAt;
    long rows = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted) {
            auto* widget = qobject_cast<QWidget*>(watched);
            auto* dialog = widget != nullptr ? dynamic_cast<orvane::ui::qt::dlgPGN*>(widget->window()) : nullptr;
            if (dialog != nullptr && widget == dialog->ListView1->viewport()) {
                painted = true;
                paintedAt = Clock::now();
                rows = dialog->ListView1->model()->rowCount();
                QTimer::singleShot(shot.isEmpty() ? 0 : 300, dialog, [this, dialog] {
                    QTreeView* view = dialog->ListView1;
                    if (!shot.isEmpty()) dialog->screen()->grabWindow(0).save(shot);
                    const int row = pick > 0 ? static_cast<int>(pick - 1) : view->model()->rowCount() - 1;
                    const QModelIndex last = view->model()->index(row, 0);
                    view->selectionModel()->setCurrentIndex(
                        last, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
                    okAt = Clock::now();
                    if (check)
                        dialog->reject();
                    else
                        dialog->accept();
                });
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

// The real window over frmMain, as the program starts it, with its
// settings in a folder of its own and the book beside it as an installed
// program has it.
struct Program {
    QTemporaryDir folder;
    orvane::ui::qt::MainWindow window;
    orvane::ui::frmMain form;

    Program() : form(window, Paths(folder)) { window.SetForm(&form); }

    static orvane::ui::ProgramPaths Paths(const QTemporaryDir& folder) {
        orvane::ui::ProgramPaths paths = orvane::app::PathsFromSystem();
        paths.ProgramFolder = folder.path().toStdString();
        QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/orvane.bok"),
                    folder.filePath(QStringLiteral("orvane.bok")));
        return paths;
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    orvane::app::SetUpApplication();

    bool check = false;
    int first = 1;
    if (argc == 6 && std::strcmp(argv[1], "--shot") == 0) {
        const QString prefix = QString::fromLocal8Bit(argv[2]);
        const std::string file = argv[3];
        Program program;
        orvane::ui::qt::MainWindow& window = program.window;
        orvane::ui::frmMain& form = program.form;
        if (!form.Form_Load("")) return 1;
        window.ShowWindow();
        if (!QTest::qWaitForWindowExposed(&window)) return 1;
        PickerWatch watch;
        watch.pick = std::atol(argv[4]);
        watch.shot = prefix + QStringLiteral("-picker.png");
        app.installEventFilter(&watch);
        window.OpenFileAnswer = [&file] { return file; };
        form.MenuClick("Open1");
        app.removeEventFilter(&watch);
        for (int i = std::atoi(argv[5]); i > 0; --i) form.Toolbar1_ButtonClick("Forward");
        QTest::qWait(300);
        window.screen()->grabWindow(0).save(prefix + QStringLiteral("-game.png"));
        return 0;
    }
    if (argc > 1 && std::strcmp(argv[1], "--check") == 0) {
        check = true;
        first = 2;
    }
    if (argc <= first) {
        std::fprintf(stderr, "usage: orvane-open-probe [--check] FILE [RUNS]\n");
        return 2;
    }
    const std::string file = argv[first];
    const int runs = argc > first + 1 ? std::max(1, std::atoi(argv[first + 1])) : 5;

    std::vector<double> toPicker, toBoard, total;
    for (int run = 0; run < runs; ++run) {
        Program program;
        orvane::ui::qt::MainWindow& window = program.window;
        orvane::ui::frmMain& form = program.form;
        form.DebugAtStart = check ? 1 : 0;
        if (!form.Form_Load("")) return 1;
        window.ShowWindow();
        if (!QTest::qWaitForWindowExposed(&window)) return 1;
        QApplication::processEvents();

        PickerWatch watch;
        watch.check = check;
        app.installEventFilter(&watch);
        Clock::time_point chosen;
        window.OpenFileAnswer = [&chosen, &file] {
            chosen = Clock::now();
            return file;
        };
        form.MenuClick(check ? "debug2" : "Open1");
        const Clock::time_point done = Clock::now();
        app.removeEventFilter(&watch);
        if (!watch.painted) {
            std::fprintf(stderr, "the picker was not shown\n");
            return 1;
        }
        if (check) {
            total.push_back(Ms(watch.okAt, done));
            std::printf("run %d: %ld games, picker painted after %.1f ms, batch check %.1f ms (%.3f ms a game)\n",
                        run + 1, watch.rows, Ms(chosen, watch.paintedAt), Ms(watch.okAt, done),
                        Ms(watch.okAt, done) / static_cast<double>(watch.rows));
        } else {
            toPicker.push_back(Ms(chosen, watch.paintedAt));
            toBoard.push_back(Ms(watch.okAt, done));
            std::printf(
                "run %d: %ld games, picker painted after %.1f ms; OK on the last game to the board %.1f ms, "
                "%d moves listed\n",
                run + 1, watch.rows, toPicker.back(), toBoard.back(), window.List1().ListCount());
        }
    }
    if (check)
        std::printf("median of %d runs: batch check %.1f ms\n", runs, Median(total));
    else
        std::printf("median of %d runs: to the picker %.1f ms, OK to the board %.1f ms\n", runs, Median(toPicker),
                    Median(toBoard));
    return 0;
}
