// The game picker on the real window: a collection of the shared data opened
// through the program, the picker's label, its hidden and sized columns, the
// choice with OK, the preselection when the collection is read again, and
// the chosen game in the move list. Runs on the offscreen platform.
#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <vector>

#include "support/shared_data.h"
#include "ui/frmmain.h"
#include "ui/qt/dlgpgn.h"
#include "ui/qt/mainwindow.h"
#include "ui/qt/programtext.h"

using orvane::ui::frmMain;
using orvane::ui::ProgramPaths;
using orvane::ui::qt::dlgPGN;
using orvane::ui::qt::MainWindow;

namespace {

const char* const Collections[] = {"Capablanca.pgn", "Carlsen.pgn", "Fischer.pgn", "Kasparov.pgn", "Nimzowitsch.pgn"};

// Runs act on the picker as soon as it is shown modally; a question asked
// before it is answered Yes.
void OnPicker(const std::function<void(dlgPGN&)>& act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal); box != nullptr && box->isVisible()) {
            if (QAbstractButton* yes = box->button(QMessageBox::Yes)) yes->click();
            return;
        }
        auto* dialog = dynamic_cast<dlgPGN*>(modal);
        if (dialog == nullptr || !dialog->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        act(*dialog);
        // A check that failed left the picker open.
        if (dialog->isVisible()) dialog->reject();
    });
    timer->start();
}

// The program as main() builds it, over a folder of the test's.
struct Program {
    MainWindow window;
    frmMain form;
    explicit Program(const QTemporaryDir& folder)
        : form(window, ProgramPaths{std::filesystem::path(folder.path().toStdString()), {}, {}, false}) {
        window.SetForm(&form);
    }
    bool Start(bool debug = false) {
        form.DebugAtStart = debug ? 1 : 0;
        if (!form.Form_Load("")) return false;
        window.ShowWindow();
        return QTest::qWaitForWindowExposed(&window);
    }
};

// The shared collections one after another in one file of the folder; ""
// when the shared data is missing.
std::string AllCollections(const QTemporaryDir& folder) {
    using orvane::testsupport::SharedDataFile;
    for (const char* name : Collections)
        if (!orvane::testsupport::SharedDataPresent(SharedDataFile(std::string("pgn/collections/") + name))) return {};
    const std::string all = (std::filesystem::path(folder.path().toStdString()) / "all.pgn").string();
    std::ofstream out(all, std::ios::binary);
    for (const char* name : Collections) {
        std::ifstream in(SharedDataFile(std::string("pgn/collections/") + name), std::ios::binary);
        out << in.rdbuf() << "\n\n";
    }
    return all;
}

// A date cell as year, month and day; unknown parts are 0.
std::array<int, 3> DateOf(QString text) {
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    std::array<int, 3> date{};
    for (int i = 0; i < 3 && i < parts.size(); ++i) date[static_cast<std::size_t>(i)] = parts[i].toInt();
    return date;
}

}  // namespace

class PickerTest : public QObject {
    Q_OBJECT

private slots:
    void AllCollectionsInOnePicker();
    void FilterKeysAndHeadersChooseAGameByItsNumber();
    void TagTextsAreDecodedAndDebugShowsItsCommands();
    void ADoubleClickedRowIsChosen();
};

void PickerTest::AllCollectionsInOnePicker() {
    QTemporaryDir folder;
    const std::string all = AllCollections(folder);
    if (all.empty()) QSKIP("the shared collections are missing");

    Program program(folder);
    QVERIFY(program.Start());
    MainWindow& window = program.window;
    frmMain& form = program.form;
    window.OpenFileAnswer = [all] { return all; };

    bool seen = false;
    OnPicker([&seen](dlgPGN& dialog) {
        seen = true;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Open PGN game from all.pgn"));
        QCOMPARE(dialog.Label1->text(), QStringLiteral("Number of games: 5376"));
        QTreeView* view = dialog.ListView1;
        QCOMPARE(view->model()->rowCount(), 5376);
        QHeaderView* header = view->header();
        QCOMPARE(header->count(), 27);
        QCOMPARE(view->model()->headerData(26, Qt::Horizontal).toString(), QStringLiteral("BlackTeamCountry"));
        // No game of these collections names its source or its teams.
        for (int column : {0, 1, 5, 6, 7}) QVERIFY(!header->isSectionHidden(column));
        for (int column : {21, 22, 23, 24, 25, 26}) QVERIFY(header->isSectionHidden(column));
        // Every visible column is as wide as its widest cell and its header.
        const QFontMetrics metrics(view->font());
        const QFontMetrics headerMetrics(header->font());
        for (int column = 0; column < 27; ++column) {
            if (header->isSectionHidden(column)) continue;
            int widest = headerMetrics.horizontalAdvance(view->model()->headerData(column, Qt::Horizontal).toString());
            for (int row = 0; row < 5376; ++row)
                widest =
                    std::max(widest, metrics.horizontalAdvance(view->model()->index(row, column).data().toString()));
            QVERIFY2(
                header->sectionSize(column) >= widest,
                qPrintable(
                    QStringLiteral("column %1: %2 < %3").arg(column).arg(header->sectionSize(column)).arg(widest)));
        }
        // The first row is selected; the cells carry three spaces.
        QCOMPARE(view->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(view->selectionModel()->selectedRows().first().row(), 0);
        QCOMPARE(view->model()->index(0, 0).data().toString(), QStringLiteral(" 1   "));
        // The last game, chosen with OK.
        view->selectionModel()->setCurrentIndex(view->model()->index(5375, 0),
                                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QTest::mouseClick(dialog.OKButton, Qt::LeftButton);
    });
    window.findChild<QAction*>(QStringLiteral("Open1"))->trigger();
    QVERIFY(seen);
    QCOMPARE(window.windowTitle(), QStringLiteral(" all.pgn - Game: 5376"));
    auto* list1 = window.findChild<QListWidget*>(QStringLiteral("List1"));
    QVERIFY(list1 != nullptr);
    QVERIFY(list1->count() > 10);
    QCOMPARE(list1->item(0)->text().left(6), QStringLiteral("   1. "));
    QCOMPARE(form.Collection.GetGame1, 5376L);

    // Read again: the chosen row is selected and in view; Escape cancels.
    seen = false;
    OnPicker([&seen](dlgPGN& dialog) {
        seen = true;
        QTreeView* view = dialog.ListView1;
        QCOMPARE(view->selectionModel()->selectedRows().first().row(), 5375);
        const QRect row = view->visualRect(view->model()->index(5375, 0));
        QVERIFY(view->viewport()->rect().intersects(row));
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    form.Toolbar1_ButtonClick("New Variant");
    QVERIFY(seen);
    QCOMPARE(list1->count(), 0);
    QCOMPARE(form.Collection.GetGame1, -1L);
}

// A Windows-1252 name and a UTF-8 name both show as written; a byte-order
// mark before the first tag is skipped. Started for debugging, the window
// shows the Debug command and Label7.
void PickerTest::TagTextsAreDecodedAndDebugShowsItsCommands() {
    QTemporaryDir folder;
    const std::string path = (std::filesystem::path(folder.path().toStdString()) / "names.pgn").string();
    {
        std::ofstream out(path, std::ios::binary);
        out << "\xEF\xBB\xBF[Event \"Caf\xC3\xA9\"]\r\n[White \"J\xF6rg\"]\r\n[Black \"J\xC3\xB6rg\"]\r\n\r\n1. e4 "
               "*\r\n";
    }
    Program program(folder);
    QVERIFY(program.Start(true));
    MainWindow& window = program.window;
    QVERIFY(window.findChild<QAction*>(QStringLiteral("debug2"))->isVisible());
    QVERIFY(window.findChild<QLabel*>(QStringLiteral("Label7"))->isVisible());

    window.OpenFileAnswer = [path] { return path; };
    bool seen = false;
    OnPicker([&seen](dlgPGN& dialog) {
        seen = true;
        const QAbstractItemModel* model = dialog.ListView1->model();
        QCOMPARE(model->index(0, 1).data().toString(), QStringLiteral("Caf\u00e9   "));
        QCOMPARE(model->index(0, 5).data().toString(), QStringLiteral("J\u00f6rg   "));
        QCOMPARE(model->index(0, 6).data().toString(), QStringLiteral("J\u00f6rg   "));
        QTest::keyClick(dialog.ListView1, Qt::Key_Return);
    });
    window.findChild<QAction*>(QStringLiteral("Open1"))->trigger();
    QVERIFY(seen);
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("J\u00f6rg"));
    QCOMPARE(window.windowTitle(), QStringLiteral(" names.pgn - Game: 1"));
}

// The filter field takes the keys when the picker opens: typing keeps the
// rows that hold the text in any cell, ignoring case, and the count shows;
// Up, Down and Page Down walk the list while the field keeps the keys; a
// click on a header orders the rows, a second one the other way; Enter loads
// the game of the selected row by its number in the file.
void PickerTest::FilterKeysAndHeadersChooseAGameByItsNumber() {
    QTemporaryDir folder;
    const std::string all = AllCollections(folder);
    if (all.empty()) QSKIP("the shared collections are missing");
    // The games a plain search finds, in file order.
    const orvane::pgn::ScanResult scan = orvane::pgn::ScanFile(all);
    QVERIFY(!scan.Error);
    std::vector<long> spassky;
    for (long game = 1; game <= scan.Index.Count; ++game) {
        bool found = false;
        for (int k = 1; k <= orvane::pgn::IndexColumns; ++k)
            found = found || QString::fromStdString(std::string(scan.Index.Cell(game, k)))
                                 .contains(QStringLiteral("spassky"), Qt::CaseInsensitive);
        if (found) spassky.push_back(game);
    }
    QVERIFY(spassky.size() > 40);

    Program program(folder);
    QVERIFY(program.Start());
    MainWindow& window = program.window;
    frmMain& form = program.form;
    window.OpenFileAnswer = [all] { return all; };

    long chosen = 0;
    OnPicker([&](dlgPGN& dialog) {
        QTreeView* view = dialog.ListView1;
        QAbstractItemModel* model = view->model();
        QHeaderView* header = view->header();
        const auto gameAt = [model](int row) { return model->index(row, 0).data().toString().trimmed().toLong(); };
        const auto selectedRow = [view] {
            const QModelIndexList rows = view->selectionModel()->selectedRows();
            return rows.size() == 1 ? rows.first().row() : -1;
        };
        // The widget with the keyboard focus while the picker is active.
        QCOMPARE(dialog.focusWidget(), dialog.FilterText);
        QCOMPARE(dialog.FilterLabel->text(), QStringLiteral("&Filter:"));
        QCOMPARE(dialog.FilterLabel->buddy(), dialog.FilterText);
        std::vector<int> widths;
        for (int column = 0; column < 27; ++column)
            widths.push_back(header->isSectionHidden(column) ? -1 : header->sectionSize(column));

        QTest::keyClicks(dialog.FilterText, QStringLiteral("SPASSKY"));
        QCOMPARE(model->rowCount(), static_cast<int>(spassky.size()));
        for (int row = 0; row < model->rowCount(); ++row) QCOMPARE(gameAt(row), spassky[static_cast<std::size_t>(row)]);
        QCOMPARE(dialog.Label1->text(), QStringLiteral("Number of games: 5376   (%1 shown)").arg(spassky.size()));
        QCOMPARE(selectedRow(), 0);
        // The columns keep their widths; hidden ones stay hidden.
        for (int column = 0; column < 27; ++column)
            QCOMPARE(header->isSectionHidden(column) ? -1 : header->sectionSize(column),
                     widths[static_cast<std::size_t>(column)]);

        QTest::keyClick(dialog.FilterText, Qt::Key_Down);
        QTest::keyClick(dialog.FilterText, Qt::Key_Down);
        QCOMPARE(selectedRow(), 2);
        QTest::keyClick(dialog.FilterText, Qt::Key_PageDown);
        const int paged = selectedRow();
        QVERIFY(paged > 3);
        QTest::keyClick(dialog.FilterText, Qt::Key_Up);
        QCOMPARE(selectedRow(), paged - 1);
        QCOMPARE(dialog.focusWidget(), dialog.FilterText);
        QCOMPARE(dialog.FilterText->text(), QStringLiteral("SPASSKY"));

        // Dates in order, then the other way; the first row is selected.
        const int date = 3;
        const auto clickHeader = [&](int column) {
            view->scrollTo(model->index(0, column));
            QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                              QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                                     header->height() / 2));
        };
        clickHeader(date);
        for (int row = 1; row < model->rowCount(); ++row)
            QVERIFY(DateOf(model->index(row - 1, date).data().toString()) <=
                    DateOf(model->index(row, date).data().toString()));
        QCOMPARE(header->sortIndicatorSection(), date);
        QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
        clickHeader(date);
        for (int row = 1; row < model->rowCount(); ++row)
            QVERIFY(DateOf(model->index(row - 1, date).data().toString()) >=
                    DateOf(model->index(row, date).data().toString()));
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
        QCOMPARE(model->rowCount(), static_cast<int>(spassky.size()));
        QCOMPARE(selectedRow(), 0);
        QTest::keyClick(dialog.FilterText, Qt::Key_Down);
        chosen = gameAt(1);
        QVERIFY(chosen != spassky[1]);
        QTest::keyClick(dialog.FilterText, Qt::Key_Return);
    });
    window.findChild<QAction*>(QStringLiteral("Open1"))->trigger();
    QVERIFY(chosen > 0);
    QCOMPARE(window.windowTitle(), QStringLiteral(" all.pgn - Game: %1").arg(chosen));
    QCOMPARE(form.Collection.GetGame1, static_cast<long>(chosen));

    // Emptied, the filter brings back every row and the count alone.
    OnPicker([](dlgPGN& dialog) {
        QTest::keyClicks(dialog.FilterText, QStringLiteral("x"));
        dialog.FilterText->clear();
        QCOMPARE(dialog.ListView1->model()->rowCount(), 5376);
        QCOMPARE(dialog.Label1->text(), QStringLiteral("Number of games: 5376"));
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    form.Toolbar1_ButtonClick("New Variant");
}

// A double-click on a row means OK: that row's game is read.
void PickerTest::ADoubleClickedRowIsChosen() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("three.pgn"));
    {
        std::ofstream out(path.toStdString(), std::ios::binary);
        out << "[White \"A\"]\n\n1. e4 *\n\n[White \"B\"]\n\n1. d4 d5 *\n\n[White \"C\"]\n\n1. c4 *\n";
    }
    Program program(folder);
    QVERIFY(program.Start());
    MainWindow& window = program.window;
    const std::string chosen = path.toStdString();
    window.OpenFileAnswer = [chosen] { return chosen; };

    bool seen = false;
    OnPicker([&seen](dlgPGN& dialog) {
        seen = true;
        QTreeView* view = dialog.ListView1;
        const QRect row = view->visualRect(view->model()->index(1, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
    });
    window.findChild<QAction*>(QStringLiteral("Open1"))->trigger();
    QVERIFY(seen);
    QCOMPARE(window.windowTitle(), QStringLiteral(" three.pgn - Game: 2"));
    auto* list1 = window.findChild<QListWidget*>(QStringLiteral("List1"));
    QCOMPARE(list1->count(), 2);
    QCOMPARE(list1->item(0)->text(), QStringLiteral("   1.  d2-d4"));
}

QTEST_MAIN(PickerTest)
#include "test_qt_picker.moc"
