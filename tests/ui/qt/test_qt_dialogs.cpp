// The dialogs and message boxes on screens of any density: run at scale
// factors 1, 1.25 and 2 on an offscreen screen of 1920 x 1080 pixels. Each
// dialog, opened through the window, is its normal size (as this program
// measures it in a run at scale 1) times the scale factor and lies on the
// screen; a message box stands in the middle of the window; the game picker
// keeps the size the user gave it.
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>

#include "ui/qt/dlgpgn.h"
#include "ui/qt/mainwindow.h"

using orvane::ui::DetailsControls;
using orvane::ui::MsgButtons;
using orvane::ui::MsgIcon;
using orvane::ui::OptionsControls;
using orvane::ui::PickerContent;
using orvane::ui::qt::dlgPGN;
using orvane::ui::qt::MainWindow;

namespace {

// What was seen of a dialog while it was up.
struct Seen {
    QSize Pixels;      // its size in the screen's own pixels
    QRect Frame;       // with the window manager's frame, in Qt's pixels
    QRect ScreenArea;  // the screen's free area
    QString Title;
};

// Calls act on the next modal window once it is up, then closes it.
void OnModal(const std::function<void(QWidget*)>& act) {
    auto* timer = new QTimer;
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, waited, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if ((modal == nullptr || !modal->isVisible()) && ++*waited < 300) return;
        timer->stop();
        timer->deleteLater();
        if (modal == nullptr) return;
        act(modal);
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    });
    timer->start(10);
}

Seen SeenOf(QWidget* modal) {
    const double ratio = modal->devicePixelRatioF();
    return {QSize(static_cast<int>(std::lround(modal->width() * ratio)),
                  static_cast<int>(std::lround(modal->height() * ratio))),
            modal->frameGeometry(), modal->screen()->availableGeometry(), modal->windowTitle()};
}

// A collection of three games, scanned, as the picker is given it.
struct Collection {
    QTemporaryDir folder;
    orvane::pgn::GameIndex index;
    PickerContent content;
    Collection() {
        const std::filesystem::path path = std::filesystem::path(folder.path().toStdString()) / "club.pgn";
        std::ofstream(path, std::ios::binary)
            << "[Event \"Club\"]\r\n[White \"Ann\"]\r\n[Black \"Bob\"]\r\n\r\n1. e4 *\r\n\r\n"
               "[Event \"Club\"]\r\n[White \"Cid\"]\r\n\r\n1. d4 *\r\n\r\n"
               "[Event \"Open\"]\r\n[White \"Eve\"]\r\n\r\n1. c4 *\r\n";
        index = orvane::pgn::ScanFile(path).Index;
        content.Caption = "Open PGN game from club.pgn";
        content.Label = "Number of games: 3";
        content.Index = &index;
        for (int k = 1; k <= orvane::pgn::IndexColumns; ++k)
            content.Visible[static_cast<std::size_t>(k - 1)] =
                k == 1 || index.ColumnUsed[static_cast<std::size_t>(k)] != 0;
    }
};

// Every dialog and a message box, opened through the window the way the
// program opens them.
std::map<std::string, Seen> OpenEveryDialog() {
    MainWindow window;
    window.ShowWindow();
    std::map<std::string, Seen> seen;
    const auto record = [&seen](const std::string& name) {
        OnModal([&seen, name](QWidget* modal) { seen[name] = SeenOf(modal); });
    };
    OptionsControls options;
    record("Options");
    window.ShowOptions(options);
    DetailsControls details;
    record("Details");
    window.ShowDetails(details, [](const DetailsControls&) {});
    record("About");
    window.ShowAbout("Version 0.26 Beta");
    Collection collection;
    record("Picker");
    window.ShowPicker(collection.content);
    record("Message");
    window.MsgBox("No games found!", "Orvane", MsgIcon::None, MsgButtons::OK);
    return seen;
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void dialogsAreTheirNormalSizeTimesTheScaleFactor();
    void dialogsLieOnTheScreen();
    void aMessageBoxStandsInTheMiddleOfTheWindowWithItsWholeTitle();
    void thePickerKeepsTheSizeTheUserGaveIt();
};

void DialogsTest::dialogsAreTheirNormalSizeTimesTheScaleFactor() {
    // The normal sizes: this program at scale factor 1.
    QProcess normal;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("1"));
    normal.setProcessEnvironment(environment);
    normal.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--normal-sizes")});
    QVERIFY(normal.waitForFinished(60000));
    QCOMPARE(normal.exitCode(), 0);
    std::map<std::string, QSize> normalSizes;
    for (const QByteArray& line : normal.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        if (words.size() == 3) normalSizes[words[0].toStdString()] = QSize(words[1].toInt(), words[2].toInt());
    }
    QCOMPARE(normalSizes.size(), std::size_t{5});

    const double scale = qApp->devicePixelRatio();
    for (const auto& [name, seen] : OpenEveryDialog()) {
        const QSize expected = normalSizes[name] * scale;
        // Pixels are whole: a size may be rounded at either step.
        const QSize off = seen.Pixels - expected;
        QVERIFY2(std::abs(off.width()) <= 2 && std::abs(off.height()) <= 2,
                 qPrintable(QStringLiteral("%1 at %2: %3 x %4, normal %5 x %6")
                                .arg(QString::fromStdString(name))
                                .arg(scale)
                                .arg(seen.Pixels.width())
                                .arg(seen.Pixels.height())
                                .arg(normalSizes[name].width())
                                .arg(normalSizes[name].height())));
    }
}

void DialogsTest::dialogsLieOnTheScreen() {
    for (const auto& [name, seen] : OpenEveryDialog())
        QVERIFY2(seen.ScreenArea.contains(seen.Frame),
                 qPrintable(QString::fromStdString(name) + QStringLiteral(" stands outside the screen")));
}

void DialogsTest::aMessageBoxStandsInTheMiddleOfTheWindowWithItsWholeTitle() {
    MainWindow window;
    const auto middleOff = [&window] {
        Seen seen;
        OnModal([&seen](QWidget* modal) { seen = SeenOf(modal); });
        window.MsgBox("No games found!", "Orvane", MsgIcon::None, MsgButtons::OK);
        const QPoint off = seen.Frame.center() - window.frameGeometry().center();
        return std::make_pair(off, seen);
    };
    // Right after the window shows, as when a file named on the command line
    // cannot be read.
    window.ShowWindow();
    auto [off, seen] = middleOff();
    QVERIFY2(off.manhattanLength() <= 4,
             qPrintable(QStringLiteral("%1, %2 from the middle").arg(off.x()).arg(off.y())));
    // Room for the title in bold beside the icon and the three buttons of a
    // title bar. Under a common window manager a box of the title and seven
    // line heights showed it cut ("O... ne"); one of eight showed it whole.
    QFont bold = window.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    QVERIFY(seen.Frame.width() >= metrics.horizontalAdvance(QStringLiteral("Orvane")) + 8 * metrics.height());

    // The window moved away from the middle of the screen by the user.
    const QRect area = window.screen()->availableGeometry();
    window.move(area.topLeft() + QPoint(20, 30));
    QTRY_COMPARE(window.frameGeometry().topLeft(), area.topLeft() + QPoint(20, 30));
    off = middleOff().first;
    QVERIFY2(off.manhattanLength() <= 4,
             qPrintable(QStringLiteral("%1, %2 from the middle").arg(off.x()).arg(off.y())));
}

void DialogsTest::thePickerKeepsTheSizeTheUserGaveIt() {
    MainWindow window;
    window.ShowWindow();
    Collection collection;
    QSize first;
    QSize given;
    OnModal([&](QWidget* modal) {
        first = modal->size();
        given = first + QSize(120, 60);
        modal->resize(given);
    });
    window.ShowPicker(collection.content);
    QCOMPARE(first, dlgPGN::DesignedSize(window.LayoutTwipsPerPixel()));
    QSize again;
    OnModal([&again](QWidget* modal) {
        again = modal->size();
        // Larger than the screen, for the next time.
        modal->resize(modal->screen()->availableGeometry().size() + QSize(300, 200));
    });
    window.ShowPicker(collection.content);
    QCOMPARE(again, given);
    // That size no longer fits: the picker is made smaller, on the screen.
    Seen last;
    OnModal([&last](QWidget* modal) { last = SeenOf(modal); });
    window.ShowPicker(collection.content);
    QVERIFY(last.ScreenArea.contains(last.Frame));
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc > 1 && QByteArray(argv[1]) == "--normal-sizes") {
        for (const auto& [name, seen] : OpenEveryDialog())
            std::printf("%s %d %d\n", name.c_str(), seen.Pixels.width(), seen.Pixels.height());
        return 0;
    }
    DialogsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_qt_dialogs.moc"
