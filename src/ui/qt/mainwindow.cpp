#include "ui/qt/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QKeySequence>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>
#include <QWindow>

#include <chrono>
#include <cmath>
#include <thread>

#include "ui/frmmain.h"
#include "ui/qt/dlgdetails.h"
#include "ui/qt/dlgpgn.h"
#include "ui/qt/frmabout.h"
#include "ui/qt/frmoptions1.h"
#include "ui/qt/piecepictures.h"
#include "ui/qt/toolbaricons.h"

namespace orvane::ui::qt {

namespace {

QLabel* NewStatusPanel(QWidget* parent) {
    auto* panel = new QLabel(parent);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setTextFormat(Qt::PlainText);
    return panel;
}

// The file a drop hands to the program: the first local file dropped,
// whatever its name. Opened as Open opens a file, it gets the program's own
// message when it is not a game file.
QString DroppedFile(const QMimeData* mime) {
    if (mime == nullptr || !mime->hasUrls()) return {};
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile() && !url.toLocalFile().isEmpty()) return url.toLocalFile();
    return {};
}

// A message box in the middle of the main window, or of the screen while the
// window is hidden (where the window will stand when it shows). It is wide
// enough for the window manager to show its whole title beside the title
// bar's icon and buttons.
class MessageBox : public QMessageBox {
public:
    MessageBox(Icon icon, const QString& title, const QString& text, StandardButtons buttons, QWidget* over)
        : QMessageBox(icon, title, text, buttons, over->isVisible() ? over : nullptr), over_(over) {
        QFont titleFont = font();
        titleFont.setBold(true);
        const QFontMetrics metrics(titleFont);
        const int titleWidth = metrics.horizontalAdvance(title) + 4 * (metrics.height() + 8) + 2 * metrics.height();
        if (auto* grid = qobject_cast<QGridLayout*>(layout()))
            grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0,
                          1, grid->columnCount());
    }

protected:
    void showEvent(QShowEvent* event) override {
        // Sized by now.
        QMessageBox::showEvent(event);
        const QScreen* screen = over_->screen();
        if (screen == nullptr) return;
        const QRect area = screen->availableGeometry();
        move(CentredOver(over_->isVisible() ? over_->frameGeometry() : area, frameGeometry().size(), area));
    }

private:
    QWidget* over_;
};

// A filter written "Name (*.pgn)|*.pgn|Other (*.orv)|*.orv" as the file
// dialog takes it: "Name (*.pgn);;Other (*.orv)".
QString DialogFilter(const std::string& filter) {
    const QStringList parts = ShowText(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        if (!name.contains(QLatin1Char('('))) name += QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
        filters << name;
    }
    return filters.join(QStringLiteral(";;"));
}

}  // namespace

MainWindow::MainWindow()
    : panel1_(NewStatusPanel(this)), panel2_(NewStatusPanel(this)), status_(panel1_, panel2_), board_(*this) {
    setObjectName(QStringLiteral("frmMainWindow"));
    BuildMenus();
    BuildControls();
    BuildToolbar();

    // The two status panels; the opening's name may be long.
    auto* bar = new QStatusBar(this);
    bar->setSizeGripEnabled(false);
    setStatusBar(bar);
    panel1_->setObjectName(QStringLiteral("StatusBar1.Panel1"));
    panel2_->setObjectName(QStringLiteral("StatusBar1.Panel2"));
    bar->addWidget(panel1_, 2);
    bar->addWidget(panel2_, 3);

    setWindowIcon(ApplicationIcon());
    setAcceptDrops(true);
    LayoutWindow(false);
}

MainWindow::~MainWindow() = default;

// ---- building the window ------------------------------------------------

QAction* MainWindow::AddMenuItem(QMenu* menu, const char* name, const char* caption, const char* shortcut) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    if (shortcut != nullptr) action->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
    const std::string command = name;
    connect(action, &QAction::triggered, this, [this, action, command] {
        // A check mark is the behaviour's to set: undo Qt's own toggle.
        if (action->isCheckable()) {
            const QSignalBlocker block(action);
            action->setChecked(!action->isChecked());
        }
        if (form_ != nullptr) form_->MenuClick(command);
    });
    menu_.Add(command, action);
    return action;
}

void MainWindow::BuildMenus() {
    QMenuBar* bar = menuBar();
    auto addMenu = [&](const char* name, const char* caption) {
        QMenu* menu = bar->addMenu(QString::fromLatin1(caption));
        menu->setObjectName(QString::fromLatin1(name));
        menu_.Add(name, menu->menuAction());
        return menu;
    };

    // Every item has a mnemonic of its own within its menu; the shortcuts
    // are the ones the program has always had.
    QMenu* game = addMenu("mnuGame", "&Game");
    AddMenuItem(game, "New", "&New");
    AddMenuItem(game, "New1", "New &Game...", "Ctrl+N");
    game->addSeparator();
    AddMenuItem(game, "Open1", "&Open...", "Ctrl+O");
    game->addSeparator();
    AddMenuItem(game, "saveopen", "&Save");
    AddMenuItem(game, "savepgn", "Save &as PGN...");
    game->addSeparator();
    // Shifted, so the comment box keeps its own Ctrl+C and Ctrl+V.
    AddMenuItem(game, "copygame", "&Copy Game", "Ctrl+Shift+C");
    AddMenuItem(game, "copyfen", "Copy &Position", "Ctrl+Shift+F");
    AddMenuItem(game, "paste", "Pas&te", "Ctrl+Shift+V");
    game->addSeparator();
    AddMenuItem(game, "Details", "&Details...", "Ctrl+D");
    game->addSeparator();
    AddMenuItem(game, "Exit", "E&xit", "Ctrl+X");

    QMenu* play = addMenu("mnuPlay", "&Play");
    AddMenuItem(play, "First", "F&irst");
    AddMenuItem(play, "Moveback", "&Back", "Ctrl+B");
    AddMenuItem(play, "MoveForward", "&Forward", "Ctrl+F");
    AddMenuItem(play, "Last", "&Last");
    play->addSeparator();
    AddMenuItem(play, "Options", "&Options...");

    QMenu* board = addMenu("mnu_Board1", "&Board");
    AddMenuItem(board, "Turn", "&Turn Board", "Ctrl+T");
    QMenu* notation = board->addMenu(QStringLiteral("&Notation"));
    notation->setObjectName(QStringLiteral("Notation1"));
    menu_.Add("Notation1", notation->menuAction());
    AddMenuItem(notation, "Nonotation", "N&one")->setCheckable(true);

    QMenu* help = addMenu("Help", "&Help");
    AddMenuItem(help, "mnu_Help_About", "&About");
    AddMenuItem(help, "debug2", "&Debug")->setVisible(false);
}

void MainWindow::BuildToolbar() {
    // The toolbar lives on the drawing surface, in the strip above the board,
    // so that the surface's twips are measured from the toolbar's top.
    toolbar_ = new QToolBar(QStringLiteral("Toolbar1"), surface_);
    toolbar_->setObjectName(QStringLiteral("Toolbar1"));
    toolbar_->setMovable(false);
    toolbar_->setFloatable(false);
    toolbar_->setToolButtonStyle(Qt::ToolButtonIconOnly);

    struct Button {
        const char* Key;
        const char* Tip;
        ToolbarPicture Picture;
    };
    auto add = [&](const Button& b) {
        QAction* action = toolbar_->addAction(ToolbarIcon(b.Picture), QString::fromLatin1(b.Key));
        action->setObjectName(QString::fromLatin1(b.Key));
        action->setToolTip(QString::fromLatin1(b.Tip));
        const std::string key = b.Key;
        connect(action, &QAction::triggered, this, [this, key] {
            if (form_ != nullptr) form_->Toolbar1_ButtonClick(key);
        });
        toolbarCommands_.Add(key, action);
    };
    add({"New Game", "New", ToolbarPicture::NewGame});
    add({"New Variant", "New Game", ToolbarPicture::NewVariant});
    toolbar_->addSeparator();
    add({"Open", "Open", ToolbarPicture::Open});
    add({"Save", "Save", ToolbarPicture::Save});
    toolbar_->addSeparator();
    add({"First", "Back to First Move", ToolbarPicture::First});
    add({"Back", "Move Back", ToolbarPicture::Back});
    add({"Forward", "Move Forward", ToolbarPicture::Forward});
    add({"Last", "Forward to Last Move", ToolbarPicture::Last});
    auto* gap = new QWidget(toolbar_);
    gap->setFixedWidth(24);
    gap->setAttribute(Qt::WA_TransparentForMouseEvents);
    toolbar_->addWidget(gap);
    add({"Options", "Options", ToolbarPicture::Options});
    add({"TurnBoard", "Turn Board", ToolbarPicture::TurnBoard});
    add({"Switch Colors", "Switch Colors", ToolbarPicture::SwitchColors});
}

void MainWindow::BuildControls() {
    surface_ = new DrawingSurface(this);
    setCentralWidget(surface_);
    surface_->OnMouseMove = [this] {
        if (form_ != nullptr) form_->Form_MouseMove();
    };

    // Frames first, so that the controls they frame stand on top of them.
    shape1_ = new ShapeControl(ShapeControl::Kind::Rectangle, surface_);
    shape2_ = new ShapeControl(ShapeControl::Kind::Rectangle, surface_);
    line3_ = new ShapeControl(ShapeControl::Kind::HorizontalLine, surface_);
    shape1_->setObjectName(QStringLiteral("Shape1"));
    shape2_->setObjectName(QStringLiteral("Shape2"));
    line3_->setObjectName(QStringLiteral("Line3"));

    for (int i = 0; i < 64; ++i) {
        auto* square = new SquareControl(i, pictures_, surface_);
        square->SetPicture(i % 2 == (i / 8) % 2 ? EmptyLightPicture : EmptyDarkPicture);
        square->OnMouseDown = [this](int index, MouseButton button, double x, double y) {
            if (form_ != nullptr) form_->c_MouseDown(index, button, x, y);
        };
        square->OnMouseMove = [this](int index, double x, double y) {
            if (form_ != nullptr) form_->c_MouseMove(index, x, y);
        };
        square->OnMouseUp = [this](int index, MouseButton button, double x, double y) {
            if (form_ != nullptr) form_->c_MouseUp(index, button, x, y);
        };
        squares_[static_cast<std::size_t>(i)] = square;
    }

    list1_ = new ListControl(surface_);
    list2_ = new ListControl(surface_);
    list1_->setObjectName(QStringLiteral("List1"));
    list2_->setObjectName(QStringLiteral("List2"));
    list1_->OnMouseUp = [this] {
        if (form_ != nullptr) form_->List1_MouseUp();
    };
    list1_->OnKeyUp = [this](int keyCode) {
        if (form_ != nullptr) form_->List1_KeyUp(keyCode);
    };
    list2_->OnDoubleClick = [this] {
        if (form_ != nullptr) form_->List2_DblClick();
    };
    list2_->OnKeyUp = [this](int keyCode) {
        if (form_ != nullptr) form_->List2_KeyUp(keyCode);
    };

    text1_ = new TextControl(surface_);
    text2_ = new TextControl(surface_);
    text1_->setObjectName(QStringLiteral("Text1"));
    text2_->setObjectName(QStringLiteral("Text2"));
    text2_->setReadOnly(true);
    // The read-only box is never a stop on the way with Tab: the keyboard
    // goes from the move list to the available moves to the comment.
    text2_->setFocusPolicy(Qt::NoFocus);
    setTabOrder(list1_, list2_);
    setTabOrder(list2_, text1_);
    std::vector<QKeySequence> shortcuts;
    for (const QAction* action : menuBar()->findChildren<QAction*>())
        if (!action->shortcut().isEmpty()) shortcuts.push_back(action->shortcut());
    text1_->SetWindowShortcuts(std::move(shortcuts));
    text1_->OnKeyUp = [this] {
        if (form_ != nullptr) form_->Text1_KeyUp();
    };

    for (std::size_t i = 0; i < labels_.size(); ++i) {
        labels_[i] = new LabelControl(surface_);
        labels_[i]->setObjectName(QStringLiteral("Label%1").arg(i));
    }
    labels_[0]->hide();
    labels_[7]->hide();
}

// ---- the view seam -----------------------------------------------------

SquareControl* MainWindow::Square(int index) const {
    if (index < 0 || index >= 64) return nullptr;
    return squares_[static_cast<std::size_t>(index)];
}

void MainWindow::SquareArray::SetPicture(int index, int picture) {
    if (SquareControl* square = window_.Square(index)) square->SetPicture(picture);
}

int MainWindow::SquareArray::Picture(int index) const {
    const SquareControl* square = window_.Square(index);
    return square != nullptr ? square->Picture() : 0;
}

void MainWindow::SquareArray::DrawHintBox(int index, Rgb colour) {
    if (SquareControl* square = window_.Square(index)) square->DrawHintBox(colour);
}

void MainWindow::SquareArray::SetDragPointer(int index, int picture) {
    if (SquareControl* square = window_.Square(index)) square->SetDragPointer(picture);
}

Label& MainWindow::Labels(int number) {
    if (number < 1 || number > 7) return *labels_[0];
    return *labels_[static_cast<std::size_t>(number)];
}

void MainWindow::SetCaption(const std::string& caption) {
    caption_ = caption;
    setWindowTitle(ShowText(caption));
}

int ScreenTwipsPerPixel(double logicalDpi, double pixelRatio) {
    const double dpi = logicalDpi * pixelRatio;
    if (!(dpi > 0)) return 15;
    return std::max(1, static_cast<int>(std::lround(1440.0 / dpi)));
}

// The screen's own pixels, whether Qt scales the window or not: a screen of
// 120 dots per inch has 12 twips per pixel and gets the large-font layout.
int MainWindow::TwipsPerPixelX() const { return ScreenTwipsPerPixel(logicalDpiX(), devicePixelRatioF()); }

int MainWindow::TwipsPerPixelY() const { return ScreenTwipsPerPixel(logicalDpiY(), devicePixelRatioF()); }

int MainWindow::LayoutTwipsPerPixel() const { return ScreenTwipsPerPixel(logicalDpiX(), 1.0); }

void MainWindow::LayoutWindow(bool largeFont) {
    layout_ = LayoutFor(largeFont);
    const WindowLayout& l = layout_;
    const int tpp = LayoutTwipsPerPixel();
    auto place = [tpp](QWidget* widget, const TwipRect& rect) { widget->setGeometry(ToPixels(rect, tpp)); };

    surface_->SetTwipsPerPixel(tpp);
    surface_->setFixedSize(ToPixels(l.ClientWidth, tpp), ToPixels(l.ClientHeight, tpp));
    toolbar_->setGeometry(0, 0, surface_->width(), ToPixels(l.ToolbarHeight, tpp));
    const int iconSize = ToPixels(16 * 15, tpp);
    toolbar_->setIconSize(QSize(iconSize, iconSize));

    for (int i = 0; i < 64; ++i) {
        SquareControl* square = squares_[static_cast<std::size_t>(i)];
        place(square, l.Square(i));
        square->SetMetrics(tpp, l.SquareBorder, l.HintNear, l.HintFar);
    }
    place(shape1_, l.Shape1);
    place(shape2_, l.Shape2);
    line3_->setGeometry(ToPixels(l.Line3X1, tpp), ToPixels(l.Line3Y, tpp),
                        ToPixels(l.Line3X2, tpp) - ToPixels(l.Line3X1, tpp), 1);
    place(list1_, l.List1);
    place(list2_, l.List2);
    place(text1_, l.Text1);
    place(text2_, l.Text2);
    for (std::size_t i = 1; i < labels_.size(); ++i) place(labels_[i], l.Labels[i]);

    // The window keeps the size its layout gives it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
}

void MainWindow::SetToolbarEnabled(bool enabled) { toolbar_->setEnabled(enabled); }

void MainWindow::ShowWindow() {
    // The window first shows in the middle of the screen, where a message
    // of the start-up stands too.
    if (!placed_) {
        placed_ = true;
        CentreOnScreen(this);
    }
    show();
    activateWindow();
    // What start-up shows next (the picker of a file named on the command
    // line, or a message about it) comes after the window is on the screen,
    // so that it stands over the window. Input waits meanwhile.
    QElapsedTimer waited;
    waited.start();
    while (windowHandle() != nullptr && !windowHandle()->isExposed() && waited.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

MsgAnswer MainWindow::MsgBox(const std::string& text, const std::string& title, MsgIcon icon, MsgButtons buttons) {
    QMessageBox::Icon boxIcon = QMessageBox::NoIcon;
    switch (icon) {
    case MsgIcon::None: boxIcon = QMessageBox::NoIcon; break;
    case MsgIcon::Exclamation: boxIcon = QMessageBox::Warning; break;
    case MsgIcon::Question: boxIcon = QMessageBox::Question; break;
    case MsgIcon::Information: boxIcon = QMessageBox::Information; break;
    }
    const QString boxTitle = title.empty() ? QStringLiteral("Orvane") : ShowText(title);
    const QMessageBox::StandardButtons boxButtons =
        buttons == MsgButtons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok;
    MessageBox box(boxIcon, boxTitle, ShowText(text), boxButtons, this);
    if (buttons == MsgButtons::YesNo) {
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    }
    const int answer = box.exec();
    if (buttons == MsgButtons::OK) return MsgAnswer::OK;
    return answer == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
}

std::string MainWindow::PopupMenu(const std::string& menuName, const std::vector<MenuItem>& items) {
    QMenu menu(this);
    menu.setObjectName(ShowText(menuName));
    std::map<QAction*, std::string> names;
    for (const MenuItem& item : items) {
        if (item.Separator) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(ShowText(item.Caption));
        action->setObjectName(ShowText(item.Name));
        action->setCheckable(item.Checked);
        action->setChecked(item.Checked);
        action->setEnabled(item.Enabled);
        names[action] = item.Name;
    }
    QAction* chosen = menu.exec(QCursor::pos());
    const auto found = names.find(chosen);
    return found == names.end() ? std::string() : found->second;
}

void MainWindow::Pause(double seconds) {
    // Show what has been drawn so far; input waits until the pause is over.
    if (isVisible()) repaint();
    if (seconds > 0) std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

DialogClose MainWindow::ShowOptions(OptionsControls& controls) {
    frmoptions1 dialog(controls, LayoutTwipsPerPixel(), this);
    CentreOnScreen(&dialog);
    if (dialog.exec() != QDialog::Accepted) return DialogClose::Cancel;
    controls = dialog.Controls();
    return DialogClose::OK;
}

DialogClose MainWindow::ShowDetails(DetailsControls& controls,
                                    const std::function<void(const DetailsControls&)>& apply) {
    dlgDetails dialog(controls, apply, LayoutTwipsPerPixel(), this);
    CentreOnScreen(&dialog);
    if (dialog.exec() != QDialog::Accepted) return DialogClose::Cancel;
    controls = dialog.Controls();
    return DialogClose::OK;
}

void MainWindow::ShowAbout(const std::string& versionLine) {
    frmAbout dialog(ShowText(versionLine), LayoutTwipsPerPixel(), this);
    CentreOnScreen(&dialog);
    dialog.exec();
}

std::string MainWindow::OpenFileDialog(const std::string& title, const std::string& filter,
                                       const std::string& initialFolder) {
    if (OpenFileAnswer) return OpenFileAnswer();
    const QString path = QFileDialog::getOpenFileName(this, ShowText(title), QFile::decodeName(initialFolder.c_str()),
                                                      DialogFilter(filter));
    if (path.isEmpty()) return {};
    const QByteArray bytes = QFile::encodeName(path);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::string MainWindow::SaveFileDialog(const std::string& title, const std::string& filter,
                                       const std::string& initialFolder) {
    if (SaveFileAnswer) return SaveFileAnswer();
    // The program asks about an existing file itself, with its own words.
    const QString path = QFileDialog::getSaveFileName(this, ShowText(title), QFile::decodeName(initialFolder.c_str()),
                                                      DialogFilter(filter), nullptr, QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty()) return {};
    const QByteArray bytes = QFile::encodeName(path);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

long MainWindow::ShowPicker(const PickerContent& content) {
    // The pointer is normal while the user picks.
    const bool busy = overrideCursor_;
    if (busy) QApplication::restoreOverrideCursor();
    overrideCursor_ = false;
    long chosen = -1;
    {
        dlgPGN dialog(content, LayoutTwipsPerPixel(), this);
        // The picker keeps the size the user gave it while the program runs.
        if (pickerSize_.isValid()) dialog.resize(pickerSize_.expandedTo(dialog.minimumSize()));
        CentreOnScreen(&dialog);
        if (dialog.exec() == QDialog::Accepted) chosen = dialog.SelectedGame();
        pickerSize_ = dialog.size();
    }
    UpdateBusyCursor();
    return chosen;
}

void MainWindow::UpdateBusyCursor() {
    const bool busy = windowBusy_ || squaresBusy_;
    if (busy == overrideCursor_) return;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
    overrideCursor_ = busy;
}

void MainWindow::SetBusyPointer(bool busy) {
    windowBusy_ = busy;
    UpdateBusyCursor();
}

void MainWindow::SetSquaresBusyPointer(bool busy) {
    squaresBusy_ = busy;
    UpdateBusyCursor();
}

// Painting the whole window takes a few milliseconds. The batch check asks
// for a refresh and a pass of the event loop after every game, thousands of
// times a second; the eye sees no more than a few dozen frames a second, so
// both paint and take input at most every FrameMs and leave the rest to the
// next one.
namespace {
constexpr qint64 FrameMs = 40;
}

bool MainWindow::FrameDue() {
    if (lastFrame_.isValid() && lastFrame_.elapsed() < FrameMs) return false;
    lastFrame_.start();
    return true;
}

void MainWindow::Refresh() {
    if (!isVisible()) return;
    if (FrameDue())
        repaint();
    else
        update();
}

void MainWindow::DoEvents() {
    if (FrameDue()) QCoreApplication::processEvents();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty() || form_ == nullptr) return;
    event->acceptProposedAction();
    const QByteArray bytes = QFile::encodeName(path);
    // The open asks questions of its own: let the drop end first.
    const std::string local(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    QMetaObject::invokeMethod(
        this,
        [this, local] {
            if (form_ != nullptr) form_->Form_OLEDragDrop(local);
        },
        Qt::QueuedConnection);
}

std::string MainWindow::ClipboardText() {
    const QByteArray text = QGuiApplication::clipboard()->text().toUtf8();
    return std::string(text.constData(), static_cast<std::size_t>(text.size()));
}

void MainWindow::SetClipboardText(const std::string& text) { QGuiApplication::clipboard()->setText(ShowText(text)); }

void MainWindow::Quit() {
    quitRequested_ = true;
    closing_ = true;
    close();
    QCoreApplication::quit();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (closing_ || form_ == nullptr) {
        event->accept();
        return;
    }
    if (form_->Form_QueryUnload()) {
        event->ignore();
        return;
    }
    closing_ = true;
    form_->Form_Unload();
    event->accept();
}

}  // namespace orvane::ui::qt
