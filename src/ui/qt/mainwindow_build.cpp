// Building the main window: its menus, its toolbar and its controls.
#include <QAction>
#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "ui/frmmain.h"
#include "ui/qt/mainwindow.h"
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

}  // namespace orvane::ui::qt
