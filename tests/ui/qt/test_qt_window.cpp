// The real window with the real behaviour behind it, driven the way a user
// drives it: mouse events on the square controls, menu commands, answers to
// message boxes and dialogs. Runs on the offscreen platform.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>

#include "ui/frmmain.h"
#include "ui/qt/mainwindow.h"

using orvane::ui::frmMain;
using orvane::ui::ProgramPaths;
using orvane::ui::qt::MainWindow;
using orvane::ui::qt::SquareControl;
using orvane::ui::qt::ToPixels;
using orvane::ui::qt::WindowLayout;

namespace {

// Control indices of some squares with White at the bottom.
constexpr int E2 = 52;
constexpr int E4 = 36;
constexpr int A1 = 56;

// The program as main() builds it, in a folder of its own.
struct Program {
    QTemporaryDir folder;
    MainWindow window;
    std::unique_ptr<frmMain> form;

    Program() {
        ProgramPaths paths;
        paths.ProgramFolder = std::filesystem::path(folder.path().toStdString());
        form = std::make_unique<frmMain>(window, paths);
        window.SetForm(form.get());
    }
    bool Start() {
        const bool started = form->Form_Load("");
        window.ShowWindow();
        return started && QTest::qWaitForWindowExposed(&window);
    }
    QString SettingsFile() const { return folder.filePath(QStringLiteral("orvane.ini")); }
    QListWidget* List(const char* name) const { return window.findChild<QListWidget*>(QString::fromLatin1(name)); }
    QString Panel1() const { return window.findChild<QLabel*>(QStringLiteral("StatusBar1.Panel1"))->text(); }
};

// Runs act on the next modal dialog or message box once it is up; the
// caller then starts whatever opens it. Fails the test when none comes.
void AnswerModal(const std::function<void(QWidget*)>& act) {
    auto* timer = new QTimer;
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, waited, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr && ++*waited < 300) return;
        timer->stop();
        timer->deleteLater();
        if (modal != nullptr) act(modal);
    });
    timer->start(10);
}

// The same for a pop-up menu.
void AnswerPopup(const std::function<void(QMenu*)>& act) {
    auto* timer = new QTimer;
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, waited, act] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr && ++*waited < 300) return;
        timer->stop();
        timer->deleteLater();
        if (menu != nullptr) act(menu);
    });
    timer->start(10);
}

void ClickMessageButton(QWidget* modal, QMessageBox::StandardButton which, QString* text) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) return;
    if (text != nullptr) *text = box->text();
    box->button(which)->click();
}

// A pointer move on a square control while the button pressed on it is held,
// the position relative to that control.
void DragTo(SquareControl* pressed, QPoint position) {
    QMouseEvent move(QEvent::MouseMove, QPointF(position), QPointF(pressed->mapToGlobal(position)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pressed, &move);
}

// Hovering over a square with no button held.
void HoverOver(SquareControl* square) {
    const QPoint middle = square->rect().center();
    QMouseEvent move(QEvent::MouseMove, QPointF(middle), QPointF(square->mapToGlobal(middle)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(square, &move);
}

QPoint Offset(const SquareControl* from, const SquareControl* to) {
    return to->geometry().center() - from->geometry().topLeft();
}

// The middle of a list entry, scrolled into view first.
QPoint EntryCentre(QListWidget* list, const QString& text) {
    const auto found = list->findItems(text, Qt::MatchExactly);
    if (found.size() != 1) return {-1, -1};
    list->scrollToItem(found.first());
    return list->visualItemRect(found.first()).center();
}

// A point in a list below its last entry.
QPoint BelowTheEntries(QListWidget* list) {
    const QRect last = list->visualItemRect(list->item(list->count() - 1));
    return {last.center().x(), std::min(last.bottom() + 8, list->viewport()->height() - 2)};
}

// Plays a move by double-clicking its entry in List2.
bool PlayFromList2(QListWidget* list2, const QString& text) {
    const QPoint at = EntryCentre(list2, text);
    if (at.x() < 0) return false;
    QTest::mouseClick(list2->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(list2->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    return true;
}

// The colour a square control shows at a point inside it.
QColor ShownAt(SquareControl* square, QPoint point) {
    return square->grab().toImage().pixelColor(point * square->devicePixelRatioF());
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void startsWithTheStartPosition();
    void dragsAPawnFromE2ToE4();
    void marksMovablePiecesWhenThePointerReachesTheBoard();
    void refusesAnImmovablePieceWithAMessage();
    void rightClickOpensTheSetupMenuWithCheckMarks();
    void optionsDialogChangesSettingsOnlyWithOK();
    void detailsDialogAppliesAndCancels();
    void menuCommandsFollowTheGame();
    void closeBoxAsksBeforeExiting();
    void clickBelowTheEntriesKeepsTheSelection();
    void onlyTheLeftButtonActsInTheLists();
    void enterThatClosesABoxNeverPlaysAMove();
    void list2ShowsItsFirstEntryAfterARefill();
    void firstDownKeySelectsTheFirstEntry();
    void ctrlXExitsFromTheCommentBox();
    void tabWalksTheListsAndTheCommentBox();
    void layoutFollowsTheScreensDensity();
    void listsAndTextBoxesHaveFramesOnEverySide();
    void startUpErrorBoxIsCentred();
    void saveWritesTheGameAndOpenReadsItBack();
    void aDropOpensTheFirstFileWhateverItsName();
    void clipboardCommandsLeaveTheCommentBoxItsOwnKeys();
    void saveAsPgnAsksWithItsOwnDialog();
    // Exit ends the event loops of the test process too: keep it last.
    void exitCommandAsksOnlyOnce();
    void closingDuringTheBatchCheckEndsIt();
};

void WindowTest::startsWithTheStartPosition() {
    Program program;
    QVERIFY(program.Start());
    QCOMPARE(program.List("List2")->count(), 20);
    QCOMPARE(program.List("List1")->count(), 0);
    QCOMPARE(program.Panel1(), QStringLiteral("White moves"));
    QCOMPARE(program.window.windowTitle(), QStringLiteral(" Orvane 0.26 Beta"));
    // Control 0 is a8 (black rook on light), 60 is e1 (white king on dark).
    QCOMPARE(program.window.Square(0)->Picture(), 17);
    QCOMPARE(program.window.Square(60)->Picture(), 24);
    // The file letters and rank digits beside the board.
    int letters = 0;
    for (const auto& text : program.window.SurfaceWidget()->Texts())
        if (text.Text.size() == 1 && text.Text[0] >= QLatin1Char('a') && text.Text[0] <= QLatin1Char('h')) ++letters;
    QCOMPARE(letters, 8);
    // Debug and Label7 stay hidden; Open and Save are there.
    QVERIFY(!program.window.findChild<QAction*>(QStringLiteral("debug2"))->isVisible());
    QVERIFY(!program.window.findChild<QLabel*>(QStringLiteral("Label7"))->isVisible());
    QVERIFY(program.window.findChild<QAction*>(QStringLiteral("Open1"))->isEnabled());
    QVERIFY(program.window.findChild<QAction*>(QStringLiteral("saveopen"))->isEnabled());
    QVERIFY(program.window.Toolbar().Enabled("Save"));
    QVERIFY(!program.window.Toolbar().Enabled("New Variant"));
    QVERIFY(!program.window.Toolbar().Enabled("Back"));
    QVERIFY(program.window.Toolbar().Enabled("Switch Colors"));
}

void WindowTest::dragsAPawnFromE2ToE4() {
    Program program;
    QVERIFY(program.Start());
    SquareControl* e2 = program.window.Square(E2);
    SquareControl* e4 = program.window.Square(E4);
    const QPoint start = e2->rect().center();
    QTest::mousePress(e2, Qt::LeftButton, Qt::NoModifier, start);
    DragTo(e2, start + QPoint(0, -5));
    // While the piece is held, the pointer shows it and its square is empty.
    QCOMPARE(e2->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(e2->Picture(), 20);
    DragTo(e2, Offset(e2, e4));
    QTest::mouseRelease(e2, Qt::LeftButton, Qt::NoModifier, Offset(e2, e4));

    QListWidget* list1 = program.List("List1");
    QCOMPARE(list1->count(), 1);
    QCOMPARE(list1->item(0)->text(), QStringLiteral("   1.  e2-e4"));
    QCOMPARE(list1->currentRow(), 0);
    QCOMPARE(e4->Picture(), 31);  // white pawn on a light square
    QCOMPARE(e2->cursor().shape(), Qt::ArrowCursor);
    QVERIFY(program.window.Toolbar().Enabled("Back"));

    // Black answers from the list of available moves.
    QListWidget* list2 = program.List("List2");
    const auto found = list2->findItems(QStringLiteral(" e7-e5"), Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    const QRect entry = list2->visualItemRect(found.first());
    QTest::mouseClick(list2->viewport(), Qt::LeftButton, Qt::NoModifier, entry.center());
    QTest::mouseDClick(list2->viewport(), Qt::LeftButton, Qt::NoModifier, entry.center());
    QCOMPARE(list1->count(), 2);
    QCOMPARE(list1->item(1)->text(), QStringLiteral("       e7-e5"));

    // A click on the first entry of the move list goes back to it: the
    // black pawn is on e7 again and e5 is empty.
    QTest::mouseClick(list1->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list1->visualItemRect(list1->item(0)).center());
    QCOMPARE(program.window.Square(12)->Picture(), 10);
    QCOMPARE(program.window.Square(28)->Picture(), 19);
    QCOMPARE(list1->count(), 2);
}

void WindowTest::marksMovablePiecesWhenThePointerReachesTheBoard() {
    Program program;
    QVERIFY(program.Start());
    SquareControl* e2 = program.window.Square(E2);  // a light square: black boxes
    SquareControl* a1 = program.window.Square(A1);  // the rook cannot move
    SquareControl* g1 = program.window.Square(62);  // knight on a dark square: yellow boxes
    // A point on the left side of a hint box's outline.
    const WindowLayout& layout = program.window.Layout();
    const int tpp = program.window.LayoutTwipsPerPixel();
    const QPoint corner((layout.SquareBorder ? 1 : 0) + ToPixels(layout.HintNear, tpp), e2->height() / 2);
    const QColor before = ShownAt(e2, corner);
    HoverOver(program.window.Square(27));
    QCOMPARE(ShownAt(e2, corner), QColor(Qt::black));
    QCOMPARE(ShownAt(g1, corner), QColor(Qt::yellow));
    QCOMPARE(ShownAt(a1, corner), ShownAt(program.window.Square(A1 + 2), corner));  // plain dark square
    QVERIFY(before != QColor(Qt::black));

    // A new picture wipes the box away.
    program.window.Board().SetPicture(E2, 31);
    QCOMPARE(ShownAt(e2, corner), before);
}

void WindowTest::refusesAnImmovablePieceWithAMessage() {
    Program program;
    QVERIFY(program.Start());
    QString text, title;
    AnswerModal([&](QWidget* modal) {
        title = modal->windowTitle();
        ClickMessageButton(modal, QMessageBox::Ok, &text);
    });
    QTest::mousePress(program.window.Square(A1), Qt::LeftButton);
    QCOMPARE(text, QStringLiteral("You cannot move that piece"));
    QCOMPARE(title, QStringLiteral("Error"));
    QTest::mouseRelease(program.window.Square(A1), Qt::LeftButton);
    QCOMPARE(program.window.Square(A1)->Picture(), 36);  // the rook stays
}

void WindowTest::rightClickOpensTheSetupMenuWithCheckMarks() {
    Program program;
    QVERIFY(program.Start());
    QStringList checked;
    QStringList captions;
    AnswerPopup([&](QMenu* menu) {
        for (QAction* action : menu->actions()) {
            if (action->isSeparator()) continue;
            captions << action->text();
            if (action->isChecked()) checked << action->text();
        }
        // Choosing an item with the keyboard: an empty e2.
        for (QAction* action : menu->actions())
            if (action->text() == QStringLiteral("Empty")) menu->setActiveAction(action);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    SquareControl* e2 = program.window.Square(E2);
    QTest::mousePress(e2, Qt::RightButton);
    QTest::mouseRelease(e2, Qt::RightButton);
    QCOMPARE(checked, (QStringList{QStringLiteral("White Pawn"), QStringLiteral("White moves")}));
    QCOMPARE(captions.size(), 16);
    QCOMPARE(captions.first(), QStringLiteral("Clear Board"));
    QCOMPARE(e2->Picture(), 20);                   // e2 emptied: an empty light square
    QCOMPARE(program.List("List2")->count(), 29);  // the queen, the bishop and the king get out
}

void WindowTest::optionsDialogChangesSettingsOnlyWithOK() {
    Program program;
    QVERIFY(program.Start());
    QAction* options = program.window.findChild<QAction*>(QStringLiteral("Options"));
    const auto letters = [&program] {
        QStringList shown;
        for (const auto& text : program.window.SurfaceWidget()->Texts())
            if (text.Text.size() == 1 && text.Text[0].isLetter()) shown << text.Text;
        return shown.join(QString());
    };

    // Cancel: the capital letters stay off although the box was ticked.
    AnswerModal([](QWidget* modal) {
        QCOMPARE(modal->windowTitle(), QStringLiteral("Options"));
        modal->findChild<QCheckBox*>(QStringLiteral("Check5"))->setChecked(true);
        modal->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
    });
    options->trigger();
    QCOMPARE(letters(), QStringLiteral("abcdefgh"));

    // OK: the letters beside the board become capitals, the small ones go.
    AnswerModal([](QWidget* modal) {
        modal->findChild<QCheckBox*>(QStringLiteral("Check5"))->setChecked(true);
        modal->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });
    options->trigger();
    QCOMPARE(letters(), QStringLiteral("ABCDEFGH"));
}

void WindowTest::detailsDialogAppliesAndCancels() {
    Program program;
    QVERIFY(program.Start());
    AnswerModal([](QWidget* modal) {
        QCOMPARE(modal->windowTitle(), QStringLiteral(" Game Details"));
        modal->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("Club match"));
        modal->findChild<QPushButton*>(QStringLiteral("Command1"))->click();  // Apply
        modal->findChild<QLineEdit*>(QStringLiteral("Text4"))->setText(QStringLiteral("Not kept"));
        modal->findChild<QPushButton*>(QStringLiteral("CancelButton"))->click();
    });
    program.window.findChild<QAction*>(QStringLiteral("Details"))->trigger();

    // Opened again, the dialog shows what was applied. Text that is not
    // UTF-8 (as a file may hold: set here in the tags, as no dialog can
    // type it) is shown as Windows-1252 and comes back unchanged, which
    // only the tags themselves can tell.
    program.form->Tags.pgnSite =
        "K\xf8"
        "benhavn";
    QString event, black, shown;
    AnswerModal([&](QWidget* modal) {
        event = modal->findChild<QLineEdit*>(QStringLiteral("Text1"))->text();
        black = modal->findChild<QLineEdit*>(QStringLiteral("Text4"))->text();
        shown = modal->findChild<QLineEdit*>(QStringLiteral("Text2"))->text();
        modal->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
    });
    program.window.findChild<QAction*>(QStringLiteral("Details"))->trigger();
    QCOMPARE(event, QStringLiteral("Club match"));
    QCOMPARE(black, QString());
    QCOMPARE(shown, QStringLiteral("K\u00f8benhavn"));
    QCOMPARE(program.form->Tags.pgnSite, std::string("K\xf8"
                                                     "benhavn"));
}

void WindowTest::menuCommandsFollowTheGame() {
    Program program;
    QVERIFY(program.Start());
    auto action = [&](const char* name) { return program.window.findChild<QAction*>(QString::fromLatin1(name)); };
    QVERIFY(!action("Moveback")->isEnabled());

    // "None" takes the coordinates away and carries the check mark.
    action("Nonotation")->trigger();
    QVERIFY(action("Nonotation")->isChecked());
    QVERIFY(program.window.SurfaceWidget()->Texts().empty());
    action("Nonotation")->trigger();
    QVERIFY(!action("Nonotation")->isChecked());
    QCOMPARE(program.window.SurfaceWidget()->Texts().size(), std::size_t{16});

    // Turn Board puts h1 into the top left control.
    action("Turn")->trigger();
    QCOMPARE(program.window.Square(0)->Picture(), 37);  // white rook on light

    // Switch Colors from the toolbar: Black to move.
    program.window.findChild<QAction*>(QStringLiteral("Switch Colors"))->trigger();
    QCOMPARE(program.Panel1(), QStringLiteral("Black moves"));
}

void WindowTest::closeBoxAsksBeforeExiting() {
    Program program;
    QVERIFY(program.Start());
    QFile settings(program.SettingsFile());
    QVERIFY(settings.exists());  // written at start-up when missing
    QVERIFY(settings.open(QIODevice::ReadOnly));
    const QByteArray atStart = settings.readAll();
    settings.close();
    // A setting changed in this run, to be written when the program ends.
    program.window.findChild<QAction*>(QStringLiteral("Turn"))->trigger();

    QString question;
    AnswerModal([&question](QWidget* modal) { ClickMessageButton(modal, QMessageBox::No, &question); });
    program.window.close();
    QCOMPARE(question, QStringLiteral("Are you sure you want to exit?"));
    QVERIFY(program.window.isVisible());
    QVERIFY(settings.open(QIODevice::ReadOnly));
    QCOMPARE(settings.readAll(), atStart);
    settings.close();

    AnswerModal([](QWidget* modal) { ClickMessageButton(modal, QMessageBox::Yes, nullptr); });
    program.window.close();
    QVERIFY(!program.window.isVisible());
    QVERIFY(settings.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = settings.readAll().split('\n');
    QVERIFY(lines.size() >= 7);
    QCOMPARE(lines[0], QByteArray("ORVANE0.10\r"));
    QCOMPARE(lines[2], QByteArray(" 1 \r"));  // BoardTurned
}

void WindowTest::clickBelowTheEntriesKeepsTheSelection() {
    Program program;
    QVERIFY(program.Start());
    QListWidget* list1 = program.List("List1");
    QListWidget* list2 = program.List("List2");
    QVERIFY(PlayFromList2(list2, QStringLiteral(" e2-e4")));
    QVERIFY(PlayFromList2(list2, QStringLiteral(" e7-e5")));
    QCOMPARE(list1->count(), 2);
    QTest::mouseClick(list1->viewport(), Qt::LeftButton, Qt::NoModifier, BelowTheEntries(list1));
    QCOMPARE(program.form->Pos.CurrentPly, 2);
    QCOMPARE(program.window.List1().ListIndex(), 1);
    QCOMPARE(program.window.Square(28)->Picture(), 10);  // the black pawn still on e5

    // A double-click below the entries of a short List2 plays nothing,
    // though an entry is selected.
    program.window.List2().Clear();
    program.window.List2().AddItem(" d2-d4");
    program.window.List2().AddItem("Ng1-f3");
    QTest::mouseClick(list2->viewport(), Qt::LeftButton, Qt::NoModifier, EntryCentre(list2, QStringLiteral("Ng1-f3")));
    QCOMPARE(program.window.List2().ListIndex(), 1);
    QTest::mouseClick(list2->viewport(), Qt::LeftButton, Qt::NoModifier, BelowTheEntries(list2));
    QTest::mouseDClick(list2->viewport(), Qt::LeftButton, Qt::NoModifier, BelowTheEntries(list2));
    QCOMPARE(program.window.List2().ListIndex(), 1);
    QCOMPARE(list1->count(), 2);
    QCOMPARE(program.form->Pos.CurrentPly, 2);
}

void WindowTest::onlyTheLeftButtonActsInTheLists() {
    Program program;
    QVERIFY(program.Start());
    QListWidget* list1 = program.List("List1");
    QListWidget* list2 = program.List("List2");
    QVERIFY(PlayFromList2(list2, QStringLiteral(" e2-e4")));
    QVERIFY(PlayFromList2(list2, QStringLiteral(" e7-e5")));
    const QPoint first = EntryCentre(list1, QStringLiteral("   1.  e2-e4"));
    for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(list1->viewport(), button, Qt::NoModifier, first);
        QCOMPARE(program.form->Pos.CurrentPly, 2);
        QCOMPARE(program.window.List1().ListIndex(), 1);

        const QPoint knight = EntryCentre(list2, QStringLiteral("Ng1-f3"));
        QTest::mouseClick(list2->viewport(), button, Qt::NoModifier, knight);
        QTest::mouseDClick(list2->viewport(), button, Qt::NoModifier, knight);
        QCOMPARE(program.window.List2().ListIndex(), -1);
        QCOMPARE(list1->count(), 2);
    }
    // Walking back and playing with the right button keeps the rest of the game.
    QTest::mouseClick(list1->viewport(), Qt::LeftButton, Qt::NoModifier, first);
    QCOMPARE(program.form->Pos.CurrentPly, 1);
    const QPoint d5 = EntryCentre(list2, QStringLiteral(" d7-d5"));
    QTest::mouseDClick(list2->viewport(), Qt::RightButton, Qt::NoModifier, d5);
    QCOMPARE(program.form->Record.LastPly, 2);
    QCOMPARE(list1->count(), 2);
}

void WindowTest::enterThatClosesABoxNeverPlaysAMove() {
    Program program;
    QVERIFY(program.Start());
    QListWidget* list1 = program.List("List1");
    QListWidget* list2 = program.List("List2");
    QTest::mouseClick(list2->viewport(), Qt::LeftButton, Qt::NoModifier, EntryCentre(list2, QStringLiteral(" b2-b3")));
    QCOMPARE(QApplication::focusWidget(), list2);
    // The box closes on the key's press; its release reaches the list.
    auto pressEnter = [](QWidget* modal) {
        QWidget* focus = modal->focusWidget();
        QTest::keyPress(focus != nullptr ? focus : modal, Qt::Key_Return);
    };

    // "Illegal move" after a drag from e2 to e5.
    QString text;
    AnswerModal([&](QWidget* modal) {
        text = qobject_cast<QMessageBox*>(modal) != nullptr ? qobject_cast<QMessageBox*>(modal)->text() : QString();
        pressEnter(modal);
    });
    SquareControl* e2 = program.window.Square(E2);
    const QPoint e5 = Offset(e2, program.window.Square(28));
    QTest::mousePress(e2, Qt::LeftButton, Qt::NoModifier, e2->rect().center());
    DragTo(e2, e5);
    QTest::mouseRelease(e2, Qt::LeftButton, Qt::NoModifier, e5);
    QCOMPARE(text, QStringLiteral("Illegal move"));
    QTest::keyRelease(list2, Qt::Key_Return);
    QCOMPARE(list1->count(), 0);

    // Game Details closed with Enter.
    bool closed = false;
    AnswerModal([&](QWidget* modal) {
        pressEnter(modal);
        closed = !modal->isVisible();
    });
    program.window.findChild<QAction*>(QStringLiteral("Details"))->trigger();
    QVERIFY(closed);
    QTest::keyRelease(list2, Qt::Key_Return);
    QCOMPARE(list1->count(), 0);

    // A setup menu item chosen with Enter.
    AnswerPopup([](QMenu* menu) {
        for (QAction* action : menu->actions())
            if (action->text() == QStringLiteral("White moves")) menu->setActiveAction(action);
        QTest::keyPress(menu, Qt::Key_Return);
    });
    QTest::mousePress(program.window.Square(20), Qt::RightButton);
    QTest::mouseRelease(program.window.Square(20), Qt::RightButton);
    QTest::keyRelease(list2, Qt::Key_Return);
    QCOMPARE(list1->count(), 0);

    // Pressed and released in the list, Enter plays the selected move.
    QTest::mouseClick(list2->viewport(), Qt::LeftButton, Qt::NoModifier, EntryCentre(list2, QStringLiteral(" b2-b3")));
    QTest::keyClick(list2, Qt::Key_Return);
    QCOMPARE(list1->count(), 1);
    QCOMPARE(list1->item(0)->text(), QStringLiteral("   1.  b2-b3"));
}

void WindowTest::list2ShowsItsFirstEntryAfterARefill() {
    Program program;
    QVERIFY(program.Start());
    QListWidget* list2 = program.List("List2");
    QVERIFY2(list2->verticalScrollBar()->maximum() > 0, "the 20 moves need more room than the list has");
    const QString last = list2->item(list2->count() - 1)->text();
    QVERIFY(PlayFromList2(list2, last));
    QCOMPARE(program.List("List1")->count(), 1);
    QCOMPARE(list2->verticalScrollBar()->value(), 0);
    QVERIFY(list2->viewport()->rect().contains(list2->visualItemRect(list2->item(0))));

    // The same after a walk back by the toolbar.
    list2->scrollToBottom();
    program.window.findChild<QAction*>(QStringLiteral("Back"))->trigger();
    QCOMPARE(program.form->Pos.CurrentPly, 0);
    QCOMPARE(list2->verticalScrollBar()->value(), 0);
}

void WindowTest::firstDownKeySelectsTheFirstEntry() {
    Program program;
    QVERIFY(program.Start());
    QListWidget* list2 = program.List("List2");
    list2->setFocus(Qt::TabFocusReason);
    QCOMPARE(program.window.List2().ListIndex(), -1);
    QTest::keyClick(list2, Qt::Key_Down);
    QCOMPARE(program.window.List2().ListIndex(), 0);
    QTest::keyClick(list2, Qt::Key_Down);
    QCOMPARE(program.window.List2().ListIndex(), 1);
    const QString second = list2->item(1)->text();
    QTest::keyClick(list2, Qt::Key_Return);
    QCOMPARE(program.List("List1")->item(0)->text(), QStringLiteral("   1. ") + second);
}

void WindowTest::ctrlXExitsFromTheCommentBox() {
    Program program;
    QVERIFY(program.Start());
    QApplication::setActiveWindow(&program.window);
    QVERIFY(QTest::qWaitForWindowActive(&program.window));
    auto* text1 = program.window.findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
    text1->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(text1, QStringLiteral("keep"));
    text1->selectAll();
    QString question;
    AnswerModal([&question](QWidget* modal) { ClickMessageButton(modal, QMessageBox::No, &question); });
    QTest::keyClick(text1, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(question, QStringLiteral("Are you sure you want to exit?"));
    QCOMPARE(text1->toPlainText(), QStringLiteral("keep"));
    QVERIFY(!program.window.QuitRequested());
    // Ctrl+B from the comment box, as before.
    QVERIFY(PlayFromList2(program.List("List2"), QStringLiteral(" e2-e4")));
    QApplication::setActiveWindow(&program.window);
    QVERIFY(QTest::qWaitForWindowActive(&program.window));
    text1->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(text1, Qt::Key_B, Qt::ControlModifier);
    QVERIFY(!program.window.findChild<QAction*>(QStringLiteral("Moveback"))->isEnabled());
    QCOMPARE(program.List("List1")->currentRow(), -1);
}

void WindowTest::saveWritesTheGameAndOpenReadsItBack() {
    Program program;
    QVERIFY(program.Start());
    auto* saveMenu = program.window.findChild<QAction*>(QStringLiteral("saveopen"));
    QAction* saveButton = nullptr;
    for (QAction* action : program.window.ToolBar1()->actions())
        if (action->objectName() == QStringLiteral("Save")) saveButton = action;
    QVERIFY(saveMenu != nullptr && saveButton != nullptr);

    // The real dialog: the program's title and filter, saving, and no
    // question of its own about an existing file (the program asks that).
    QString title;
    QStringList filters;
    bool asksItself = true;
    bool saving = false;
    AnswerModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (dialog == nullptr) return;
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        asksItself = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        saving = dialog->acceptMode() == QFileDialog::AcceptSave;
        dialog->reject();
    });
    saveMenu->trigger();
    QCOMPARE(title, QStringLiteral("Save Game"));
    QCOMPARE(filters, QStringList{QStringLiteral("Orvane File (*.orv)")});
    QVERIFY(!asksItself);
    QVERIFY(saving);
    QCOMPARE(program.window.windowTitle(), QStringLiteral(" Orvane 0.26 Beta - "));

    // A move and a comment typed in the box, saved with the toolbar button:
    // the comment is written as UTF-8.
    QVERIFY(PlayFromList2(program.List("List2"), QStringLiteral(" e2-e4")));
    auto* text1 = program.window.findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
    text1->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(text1, QStringLiteral("Caf"));
    QTest::sendKeyEvent(QTest::Click, text1, Qt::Key_Eacute, QStringLiteral("\u00e9"), Qt::NoModifier);
    const QString path = program.folder.filePath(QStringLiteral("game.orv"));
    const std::string pathBytes = QFile::encodeName(path).toStdString();
    program.window.SaveFileAnswer = [pathBytes] { return pathBytes; };
    saveButton->trigger();
    QCOMPARE(program.Panel1(), QStringLiteral("Game saved!"));
    QCOMPARE(program.window.windowTitle(), QStringLiteral(" Orvane 0.26 Beta - game.orv"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("ORVANE Version=0.10\r\n"
                                        "Setup=243563421111111100000000000000000000000000000000777777778A9BC9A8\r\n"
                                        "BlackStarts=0\r\nCastling=KQkq\r\nEnPassant=-\r\n"
                                        "START\r\ne2e4\r\n{Caf\xC3\xA9}\r\n"));
    file.close();

    // Read back through Open: the move and the comment of its ply.
    program.window.OpenFileAnswer = [pathBytes] { return pathBytes; };
    AnswerModal([](QWidget* modal) { ClickMessageButton(modal, QMessageBox::Yes, nullptr); });
    program.window.findChild<QAction*>(QStringLiteral("Open1"))->trigger();
    QCOMPARE(program.window.windowTitle(), QStringLiteral(" Orvane 0.26 Beta - game.orv"));
    QCOMPARE(program.List("List1")->count(), 1);
    QCOMPARE(text1->toPlainText(), QString());
    program.window.findChild<QAction*>(QStringLiteral("Last"))->trigger();
    QCOMPARE(text1->toPlainText(), QStringLiteral("Caf\u00e9"));
    QVERIFY(!program.window.Toolbar().Enabled("New Variant"));
}

// Files dropped on the window: the first one is opened as Open opens a file,
// whatever its name; one that is no game file gets the program's message.
void WindowTest::aDropOpensTheFirstFileWhateverItsName() {
    Program program;
    QVERIFY(program.Start());
    const QString notes = program.folder.filePath(QStringLiteral("notes.txt"));
    const QString club = program.folder.filePath(QStringLiteral("club.pgn"));
    {
        QFile file(notes);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("hello\r\n");
    }
    {
        QFile file(club);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Event \"Club\"]\r\n[White \"Ann\"]\r\n\r\n1. e4 e5 *\r\n");
    }
    const auto drop = [&program](const QStringList& paths) {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
        mime.setUrls(urls);
        const QPoint at = program.window.rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&program.window, &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent dropped(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&program.window, &dropped);
        return true;
    };

    QString message;
    AnswerModal([&message](QWidget* modal) { ClickMessageButton(modal, QMessageBox::Ok, &message); });
    QVERIFY(drop({notes, club}));
    QTRY_COMPARE(message, QStringLiteral("notes.txt is not an Orvane file"));

    QString picked;
    AnswerModal([&picked](QWidget* modal) {
        picked = modal->windowTitle();
        if (auto* ok = modal->findChild<QPushButton*>(QStringLiteral("OKButton"))) ok->click();
    });
    QVERIFY(drop({club, notes}));
    QTRY_COMPARE(picked, QStringLiteral("Open PGN game from club.pgn"));
    QTRY_COMPARE(program.window.windowTitle(), QStringLiteral(" club.pgn - Game: 1"));
    QCOMPARE(program.List("List1")->count(), 2);
}

void WindowTest::clipboardCommandsLeaveTheCommentBoxItsOwnKeys() {
    Program program;
    QVERIFY(program.Start());
    QApplication::setActiveWindow(&program.window);
    QVERIFY(QTest::qWaitForWindowActive(&program.window));
    QClipboard* clipboard = QGuiApplication::clipboard();
    QVERIFY(PlayFromList2(program.List("List2"), QStringLiteral(" e2-e4")));
    QApplication::setActiveWindow(&program.window);
    QVERIFY(QTest::qWaitForWindowActive(&program.window));
    auto* text1 = program.window.findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
    text1->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(text1, QStringLiteral("K"));
    QTest::sendKeyEvent(QTest::Click, text1, Qt::Key_Odiaeresis, QStringLiteral("\u00f6"), Qt::NoModifier);
    QTest::keyClicks(text1, QStringLiteral("nig"));

    // Ctrl+C in the comment box copies its text; Ctrl+Shift+F the position.
    text1->selectAll();
    QTest::keyClick(text1, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("K\u00f6nig"));
    QTest::keyClick(text1, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1"));
    QCOMPARE(text1->toPlainText(), QStringLiteral("K\u00f6nig"));
    // Ctrl+Shift+C: the game in PGN, the comment in UTF-8.
    QTest::keyClick(text1, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY2(clipboard->text().endsWith(QStringLiteral("\n\n1. e4 {K\u00f6nig} *\n")), qPrintable(clipboard->text()));
    // Ctrl+V pastes into the comment box.
    clipboard->setText(QStringLiteral(" und Dame"));
    text1->moveCursor(QTextCursor::End);
    QTest::keyClick(text1, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(text1->toPlainText(), QStringLiteral("K\u00f6nig und Dame"));
    QCOMPARE(program.List("List1")->count(), 1);

    // Ctrl+Shift+V: a FEN on the clipboard becomes the board's new game.
    clipboard->setText(QStringLiteral("4k3/8/8/8/8/8/8/R3K3 b Q - 0 20"));
    AnswerModal([](QWidget* modal) { ClickMessageButton(modal, QMessageBox::Yes, nullptr); });
    QTest::keyClick(text1, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(program.List("List1")->count(), 0);
    QCOMPARE(program.Panel1(), QStringLiteral("Black moves"));
    program.window.findChild<QAction*>(QStringLiteral("copyfen"))->trigger();
    QCOMPARE(clipboard->text(), QStringLiteral("4k3/8/8/8/8/8/8/R3K3 b Q - 0 20"));
}

void WindowTest::saveAsPgnAsksWithItsOwnDialog() {
    Program program;
    QVERIFY(program.Start());
    auto* savePgn = program.window.findChild<QAction*>(QStringLiteral("savepgn"));
    QVERIFY(savePgn != nullptr);
    QCOMPARE(savePgn->text(), QStringLiteral("Save &as PGN..."));
    QString title;
    QStringList filters;
    AnswerModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (dialog == nullptr) return;
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        dialog->reject();
    });
    savePgn->trigger();
    QCOMPARE(title, QStringLiteral("Save Game as PGN"));
    QCOMPARE(filters, QStringList{QStringLiteral("Portable Game Notation File (*.pgn)")});

    const QString path = program.folder.filePath(QStringLiteral("games"));
    const std::string pathBytes = QFile::encodeName(path).toStdString();
    program.window.SaveFileAnswer = [pathBytes] { return pathBytes; };
    savePgn->trigger();
    QFile file(path + QStringLiteral(".pgn"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().endsWith("[Result \"*\"]\r\n\r\n*\r\n\r\n"));
}

void WindowTest::tabWalksTheListsAndTheCommentBox() {
    Program program;
    QVERIFY(program.Start());
    QWidget* list1 = program.List("List1");
    list1->setFocus(Qt::OtherFocusReason);
    QStringList order;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(order, (QStringList{QStringLiteral("List2"), QStringLiteral("Text1"), QStringLiteral("List1"),
                                 QStringLiteral("List2")}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), list1);
    // The read-only box takes no focus at all.
    QCOMPARE(program.window.findChild<QWidget*>(QStringLiteral("Text2"))->focusPolicy(), Qt::NoFocus);
}

void WindowTest::layoutFollowsTheScreensDensity() {
    Program program;
    QVERIFY(program.Start());
    const double dpi = program.window.logicalDpiX() * program.window.devicePixelRatioF();
    const int twipsPerPixel = program.window.TwipsPerPixelX();
    QCOMPARE(twipsPerPixel, static_cast<int>(std::lround(1440.0 / dpi)));
    // A screen of 120 dots per inch (125% text) gets the large-font layout
    // whether Qt scales the window or not.
    QCOMPARE(program.form->TwipsPerPixelX, twipsPerPixel);
    QCOMPARE(!program.window.Layout().SquareBorder, twipsPerPixel == 12);
    if (qFuzzyCompare(program.window.devicePixelRatioF(), 1.25) && program.window.logicalDpiX() == 96)
        QVERIFY(!program.window.Layout().SquareBorder);
    const int wide = ToPixels(program.window.Layout().ClientWidth, program.window.LayoutTwipsPerPixel());
    QCOMPARE(program.window.SurfaceWidget()->width(), wide);
}

// Seen on the screen's own pixels, each list and text box shows a line
// darker than the window and its own white on each of its four sides, in
// either layout.
void WindowTest::listsAndTextBoxesHaveFramesOnEverySide() {
    Program program;
    QVERIFY(program.Start());
    for (const char* name : {"List1", "List2", "Text1", "Text2"}) {
        const auto* control = program.window.findChild<QWidget*>(QString::fromLatin1(name));
        const QImage image = program.window.SurfaceWidget()->grab(control->geometry()).toImage();
        const int edge = static_cast<int>(std::ceil(image.devicePixelRatio())) + 1;
        const auto framed = [&](QPoint from, QPoint step) {
            for (int i = 0; i < edge; ++i)
                if (image.pixelColor(from + i * step).lightness() < 215) return true;
            return false;
        };
        const int w = image.width();
        const int h = image.height();
        QVERIFY2(framed({0, h / 2}, {1, 0}), name);
        QVERIFY2(framed({w - 1, h / 2}, {-1, 0}), name);
        QVERIFY2(framed({w / 2, 0}, {0, 1}), name);
        QVERIFY2(framed({w / 2, h - 1}, {0, -1}), name);
    }
}

void WindowTest::startUpErrorBoxIsCentred() {
    Program program;
    // A settings file the program can neither read nor replace: a folder.
    QVERIFY(QDir().mkpath(program.SettingsFile()));
    QString text;
    QPoint middle;
    QPoint screenMiddle;
    AnswerModal([&](QWidget* modal) {
        middle = modal->frameGeometry().center();
        screenMiddle = modal->screen()->availableGeometry().center();
        ClickMessageButton(modal, QMessageBox::Ok, &text);
    });
    QVERIFY(!program.form->Form_Load(""));
    QCOMPARE(text, QStringLiteral("Error found! Orvane will exit"));
    QVERIFY2((middle - screenMiddle).manhattanLength() <= 4,
             qPrintable(QStringLiteral("box centre %1,%2; screen centre %3,%4")
                            .arg(middle.x())
                            .arg(middle.y())
                            .arg(screenMiddle.x())
                            .arg(screenMiddle.y())));
    QVERIFY(program.window.QuitRequested());
}

void WindowTest::exitCommandAsksOnlyOnce() {
    Program program;
    QVERIFY(program.Start());
    // Answer Yes to every question, counting them.
    int questions = 0;
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&questions] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ++questions;
            box->button(QMessageBox::Yes)->click();
        }
    });
    answerer.start(10);
    QFile::remove(program.SettingsFile());
    program.window.findChild<QAction*>(QStringLiteral("Exit"))->trigger();
    answerer.stop();
    QCOMPARE(questions, 1);
    QVERIFY(program.window.QuitRequested());
    QVERIFY(!program.window.isVisible());
    QVERIFY(QFile::exists(program.SettingsFile()));
}

void WindowTest::closingDuringTheBatchCheckEndsIt() {
    Program program;
    program.form->DebugAtStart = 1;
    QVERIFY(program.Start());
    // Enough games for a check of many seconds.
    QFile file(program.folder.filePath(QStringLiteral("many.pgn")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    for (int i = 0; i < 20000; ++i) file.write("[Event \"E\"]\n\n1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Ba4 Nf6 *\n\n");
    file.close();
    const std::string path = QFile::encodeName(file.fileName()).toStdString();
    program.window.OpenFileAnswer = [path] { return path; };

    // The picker is answered; the close box comes a moment into the check,
    // and the exit question is answered Yes.
    QElapsedTimer sinceClose;
    AnswerModal([&](QWidget* picker) {
        if (auto* ok = picker->findChild<QPushButton*>(QStringLiteral("OKButton"))) ok->click();
        QTimer::singleShot(300, &program.window, [&] {
            AnswerModal([](QWidget* modal) { ClickMessageButton(modal, QMessageBox::Yes, nullptr); });
            sinceClose.start();
            program.window.close();
        });
    });
    program.window.findChild<QAction*>(QStringLiteral("debug2"))->trigger();
    QVERIFY(sinceClose.isValid());
    QVERIFY2(sinceClose.elapsed() < 1000, qPrintable(QString::number(sinceClose.elapsed())));
    QVERIFY(!program.window.isVisible());
    const QString progress = program.window.findChild<QLabel*>(QStringLiteral("Label7"))->text();
    QVERIFY2(progress != QStringLiteral("20000/20000"), qPrintable(progress));
}

QTEST_MAIN(WindowTest)
#include "test_qt_window.moc"
