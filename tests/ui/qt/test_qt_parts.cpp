// The parts of the Qt layer that can be looked at on their own: the piece
// pictures, the window's geometry in both layouts, and how 8-bit texts are
// shown and handed back.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QToolBar>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "ui/qt/dlgdetails.h"
#include "ui/qt/frmoptions1.h"
#include "ui/qt/mainwindow.h"
#include "ui/qt/piecepictures.h"
#include "ui/qt/programtext.h"

using namespace orvane::ui::qt;
using orvane::ui::DetailsControls;
using orvane::ui::OptionsControls;

namespace {

QByteArray Bytes(const QImage& image) {
    const QImage normal = image.convertToFormat(QImage::Format_ARGB32);
    return QByteArray(reinterpret_cast<const char*>(normal.constBits()), normal.sizeInBytes());
}

bool Inside(const QRect& inner, const QRect& outer) { return outer.contains(inner); }

}  // namespace

class PartsTest : public QObject {
    Q_OBJECT

private slots:
    void everyPictureIsDrawnAtTheSquaresSize();
    void picturesShowTheirSquareAndPiece();
    void picturesStaySharpOnDenseScreens();
    void bothLayoutsKeepTheControlsApart_data();
    void bothLayoutsKeepTheControlsApart();
    void screenDensityChoosesTheTwipsPerPixel();
    void dialogButtonsStandApart_data();
    void dialogButtonsStandApart();
    void everyMenuItemAndDialogControlHasItsOwnLetter();
    void textsAreShownAndHandedBackUnchanged();
    void editedTextsComeBackAsUtf8();
};

void PartsTest::everyPictureIsDrawnAtTheSquaresSize() {
    MainWindow window;
    SquareControl* square = window.Square(27);
    const int size = square->PictureSize();
    QVERIFY(size >= 30);
    QSet<QByteArray> distinct;
    for (int picture = 1; picture <= PictureCount; ++picture) {
        const QPixmap pixmap = square->PixmapOf(picture);
        QVERIFY2(!pixmap.isNull(), qPrintable(QStringLiteral("picture %1").arg(picture)));
        QCOMPARE(pixmap.deviceIndependentSize().toSize(), QSize(size, size));
        distinct.insert(Bytes(pixmap.toImage()));
    }
    // No two pictures look the same: each piece, colour and square differs.
    QCOMPARE(distinct.size(), PictureCount);
    QVERIFY(Bytes(square->PixmapOf(EmptyDarkPicture).toImage()) != Bytes(square->PixmapOf(10).toImage()));
}

void PartsTest::picturesShowTheirSquareAndPiece() {
    const int size = 40;
    auto corner = [&](int picture) { return RenderPicture(picture, size, 1.0).pixelColor(0, 0); };
    auto middle = [&](int picture) { return RenderPicture(picture, size, 1.0).pixelColor(size / 2, size * 3 / 4); };
    QCOMPARE(corner(EmptyDarkPicture), DarkSquareColour());
    QCOMPARE(corner(EmptyLightPicture), LightSquareColour());
    // Base + 0 on dark, + 1 on light, + 2 alone for the pointer; White + 20.
    for (const int base : {1, 4, 7, 10, 13, 16}) {
        for (const int colour : {0, 20}) {
            const int dark = base + colour;
            QCOMPARE(corner(dark), DarkSquareColour());
            QCOMPARE(corner(dark + 1), LightSquareColour());
            QCOMPARE(corner(dark + 2).alpha(), 0);
            // The body of the piece is filled: light for White, dark for Black.
            const int lightness = middle(dark + 2).lightness();
            if (colour == 20)
                QVERIFY2(lightness > 200, qPrintable(QStringLiteral("picture %1").arg(dark + 2)));
            else
                QVERIFY2(lightness < 80, qPrintable(QStringLiteral("picture %1").arg(dark + 2)));
        }
    }
}

void PartsTest::picturesStaySharpOnDenseScreens() {
    const QImage image = RenderPicture(24, 38, 2.0);
    QCOMPARE(image.size(), QSize(76, 76));
    QCOMPARE(image.devicePixelRatio(), 2.0);
}

void PartsTest::bothLayoutsKeepTheControlsApart_data() {
    QTest::addColumn<bool>("largeFont");
    QTest::newRow("normal") << false;
    QTest::newRow("large font") << true;
}

void PartsTest::bothLayoutsKeepTheControlsApart() {
    QFETCH(bool, largeFont);
    MainWindow window;
    window.LayoutWindow(largeFont);
    const QRect client = window.SurfaceWidget()->rect();
    auto at = [&](const char* name) {
        QWidget* widget = window.SurfaceWidget()->findChild<QWidget*>(QString::fromLatin1(name));
        return widget->geometry();
    };
    QRect board = window.Square(0)->geometry().united(window.Square(63)->geometry());
    // Squares tile the board edge to edge (the normal layout's borders overlap by one pixel).
    const int step = window.Square(1)->x() - window.Square(0)->x();
    QVERIFY(step == window.Square(0)->width() || step == window.Square(0)->width() - 1);
    QCOMPARE(window.Square(8)->y() - window.Square(0)->y(), step);

    QVERIFY(Inside(board, client));
    QVERIFY(window.ToolBar1()->geometry().bottom() < board.top());
    const QRect shape2 = at("Shape2");
    const QRect shape1 = at("Shape1");
    for (const char* name : {"List1", "List2", "Label1", "Label2", "Label3", "Label4", "Label5", "Label6"})
        QVERIFY2(Inside(at(name), shape2), name);
    QVERIFY(Inside(at("Text1"), shape1));
    for (const char* name : {"Shape1", "Shape2", "Text2", "Label7"}) {
        QVERIFY2(Inside(at(name), client), name);
        QVERIFY2(!at(name).intersects(board), name);
    }
    QVERIFY(!shape1.intersects(shape2));
    QVERIFY(!at("Text2").intersects(shape1));
    QVERIFY(!at("Text2").intersects(shape2));
    QVERIFY(!at("Label7").intersects(shape2));
    QVERIFY(!at("List1").intersects(at("List2")));
    // The labels stand above the line, the lists below it.
    const int line = at("Line3").top();
    for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6"})
        QVERIFY2(at(name).bottom() < line, name);
    QVERIFY(at("List1").top() > line);
    // The letters under the board, drawn at fixed twips, fit between board and frame.
    const int tpp = window.LayoutTwipsPerPixel();
    const int lettersTop = ToPixels(largeFont ? 4173 : 5168, tpp);
    QVERIFY(lettersTop > board.bottom());
    QVERIFY(lettersTop + QFontMetrics(window.SurfaceWidget()->font()).height() <= shape1.top());
}

void PartsTest::screenDensityChoosesTheTwipsPerPixel() {
    struct Screen {
        double logicalDpi;
        double pixelRatio;
        int twipsPerPixel;
    };
    // 120 dots per inch is 12 twips per pixel whether Qt scales or not.
    const std::vector<Screen> screens{{96, 1.0, 15},  {120, 1.0, 12}, {96, 1.25, 12}, {96, 1.5, 10},
                                      {144, 1.0, 10}, {96, 2.0, 8},   {72, 1.0, 20},  {0, 1.0, 15}};
    for (const Screen& screen : screens)
        QVERIFY2(ScreenTwipsPerPixel(screen.logicalDpi, screen.pixelRatio) == screen.twipsPerPixel,
                 qPrintable(QStringLiteral("%1 dpi x %2").arg(screen.logicalDpi).arg(screen.pixelRatio)));
}

void PartsTest::dialogButtonsStandApart_data() {
    QTest::addColumn<int>("twipsPerPixel");
    QTest::newRow("15 twips per pixel") << 15;
    QTest::newRow("12 twips per pixel") << 12;
}

void PartsTest::dialogButtonsStandApart() {
    QFETCH(int, twipsPerPixel);
    const frmoptions1 options(OptionsControls{}, twipsPerPixel, nullptr);
    const dlgDetails details(DetailsControls{}, {}, twipsPerPixel, nullptr);
    for (const QDialog* dialog : std::initializer_list<const QDialog*>{&options, &details}) {
        QList<QPushButton*> buttons = dialog->findChildren<QPushButton*>();
        QVERIFY(buttons.size() >= 2);
        std::sort(buttons.begin(), buttons.end(), [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
        for (qsizetype i = 0; i < buttons.size(); ++i) {
            const QRect place = buttons[i]->geometry();
            QVERIFY2(place.width() >= buttons[i]->sizeHint().width(), qPrintable(buttons[i]->text()));
            QVERIFY2(dialog->rect().contains(place), qPrintable(buttons[i]->text()));
            if (i == 0) continue;
            const QRect before = buttons[i - 1]->geometry();
            QVERIFY2(place.top() == before.top(), qPrintable(buttons[i]->text()));
            QVERIFY2(place.left() > before.right() + 4, qPrintable(QStringLiteral("%1 ends at %2, %3 begins at %4")
                                                                       .arg(buttons[i - 1]->text())
                                                                       .arg(before.right())
                                                                       .arg(buttons[i]->text())
                                                                       .arg(place.left())));
        }
    }
}

namespace {

// The letter after the one "&" of a caption, "" when it has none.
QString Mnemonic(const QString& text) {
    const qsizetype at = text.indexOf(QLatin1Char('&'));
    if (at < 0 || at + 1 >= text.size()) return {};
    return text.mid(at + 1, 1).toLower();
}

}  // namespace

void PartsTest::everyMenuItemAndDialogControlHasItsOwnLetter() {
    MainWindow window;
    auto distinct = [](const QStringList& captions, const QString& where) {
        QStringList letters;
        for (const QString& caption : captions) {
            const QString letter = Mnemonic(caption);
            QVERIFY2(!letter.isEmpty(), qPrintable(where + QStringLiteral(": ") + caption));
            QVERIFY2(!letters.contains(letter), qPrintable(where + QStringLiteral(": ") + caption));
            letters << letter;
        }
    };
    QStringList menus;
    for (QAction* top : window.menuBar()->actions()) {
        menus << top->text();
        QStringList items;
        for (QAction* item : top->menu()->actions())
            if (!item->isSeparator()) items << item->text();
        distinct(items, top->text());
        for (QMenu* sub : top->menu()->findChildren<QMenu*>()) {
            QStringList subItems;
            for (QAction* item : sub->actions()) subItems << item->text();
            distinct(subItems, sub->title());
        }
    }
    distinct(menus, QStringLiteral("menu bar"));

    // The dialogs: every check box, option caption and field label; OK and
    // Cancel answer Enter and Escape.
    const frmoptions1 options(OptionsControls{}, 15, nullptr);
    const dlgDetails details(DetailsControls{}, {}, 15, nullptr);
    for (const QDialog* dialog : std::initializer_list<const QDialog*>{&options, &details}) {
        QStringList captions;
        for (const QCheckBox* box : dialog->findChildren<QCheckBox*>()) captions << box->text();
        for (const QLabel* label : dialog->findChildren<QLabel*>()) {
            if (label->buddy() == nullptr) continue;
            captions << label->text();
        }
        for (const QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (button == options.cmdCancel || button == details.CancelButton) continue;
            if (button->isDefault()) continue;
            captions << button->text();
        }
        QVERIFY(captions.size() >= 4);
        distinct(captions, dialog->windowTitle());
    }
    QCOMPARE(options.findChildren<QLabel*>().size(), 1);
    QVERIFY(options.findChildren<QLabel*>().first()->buddy() != nullptr);
    QCOMPARE(details.findChildren<QLineEdit*>().size(), 5);
    for (const QLineEdit* field : details.findChildren<QLineEdit*>()) {
        bool named = false;
        for (const QLabel* label : details.findChildren<QLabel*>()) named = named || label->buddy() == field;
        QVERIFY2(named, qPrintable(field->objectName()));
    }
}

void PartsTest::textsAreShownAndHandedBackUnchanged() {
    // Valid UTF-8 is shown as UTF-8; anything else as Windows-1252.
    QCOMPARE(ShowText("Caf\xc3\xa9"), QStringLiteral("Caf\u00e9"));
    QCOMPARE(ShowText("Caf\xe9"), QStringLiteral("Caf\u00e9"));
    QCOMPARE(ShowText("\x80 5"), QStringLiteral("\u20ac 5"));
    QCOMPARE(ShowText("\x93quoted\x94"), QStringLiteral("\u201cquoted\u201d"));

    const std::vector<std::string> samples{
        "", "plain", "line one\r\nline two", "Ljubojevi\xe6", "na\xc3\xafve\r\n", "\x81\x8d\x8f\x90\x9d"};
    for (const std::string& bytes : samples) {
        ShownText text;
        const QString shown = text.Set(bytes);
        QVERIFY(!shown.contains(QLatin1Char('\r')));
        QCOMPARE(text.Get(shown), bytes);
    }

    // Through the real controls: the list keeps its entries' bytes, the text
    // box gives back what it was given.
    MainWindow window;
    window.List1().AddItem("   1.  e2-e4");
    window.List1().AddItem("Tal\xa0");
    QCOMPARE(window.List1().List(1), std::string("Tal\xa0"));
    window.Text1().SetText(
        "Zug\xfc"
        "berlegung\r\n!");
    QCOMPARE(window.Text1().Text(), std::string("Zug\xfc"
                                                "berlegung\r\n!"));
}

void PartsTest::editedTextsComeBackAsUtf8() {
    // The program's texts are UTF-8; an edited text is too, whatever it
    // was shown from.
    ShownText cp1252;
    const QString shown = cp1252.Set(
        "S\xe9"
        "bastien");
    QCOMPARE(cp1252.Get(shown + QStringLiteral("\nPar\u00eds")), std::string("S\xc3\xa9"
                                                                             "bastien\r\nPar\xc3\xads"));
    QCOMPARE(cp1252.Get(QStringLiteral("\u0141\u00f3d\u017a")), std::string("\xc5\x81\xc3\xb3\x64\xc5\xba"));

    ShownText utf8;
    utf8.Set("");
    QCOMPARE(utf8.Get(QStringLiteral("\u00e9")), std::string("\xc3\xa9"));

    // A comment typed into the text box comes back with CR LF line ends.
    MainWindow window;
    window.Text1().SetText("");
    auto* box = window.findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
    box->setPlainText(QStringLiteral("good move\nbetter: Nf3"));
    QCOMPARE(window.Text1().Text(), std::string("good move\r\nbetter: Nf3"));
}

QTEST_MAIN(PartsTest)
#include "test_qt_parts.moc"
