#include "qtuser.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QTreeView>

#include <gtest/gtest.h>

#include <sstream>
#include <utility>

namespace orvane::scenarios {

namespace {

Qt::Key QtKey(Key key) {
    switch (key) {
    case Key::Up: return Qt::Key_Up;
    case Key::Down: return Qt::Key_Down;
    case Key::Home: return Qt::Key_Home;
    case Key::End: return Qt::Key_End;
    case Key::Enter: return Qt::Key_Return;
    }
    return Qt::Key_unknown;
}

std::string Bytes(const QString& text) { return text.toStdString(); }

// A pointer move over a widget, with the given buttons held.
void MoveOver(QWidget* widget, QPoint position, Qt::MouseButtons held) {
    QMouseEvent move(QEvent::MouseMove, QPointF(position), QPointF(widget->mapToGlobal(position)), Qt::NoButton, held,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

}  // namespace

QtUser::QtUser() = default;

QtUser::~QtUser() {
    answerer_.stop();
    if (window_) window_->SetForm(nullptr);
    form_.reset();
    window_.reset();
}

void QtUser::Start(const std::filesystem::path& folder) {
    window_ = std::make_unique<Window>(*this);
    ui::ProgramPaths paths;
    paths.ProgramFolder = folder;
    form_ = std::make_unique<ui::frmMain>(*window_, paths);
    window_->SetForm(form_.get());
    // Boxes are answered while they wait for the user, from start-up on.
    QObject::connect(&answerer_, &QTimer::timeout, [this] { AnswerModal(); });
    answerer_.start(5);
    form_->Form_Load("");
    window_->ShowWindow();
    if (!QTest::qWaitForWindowExposed(window_.get())) ADD_FAILURE() << "the window never showed";
    if (!QTest::qWaitForWindowActive(window_.get())) ADD_FAILURE() << "the window never became active";
}

void QtUser::Window::Pause(double seconds) {
    MainWindow::Pause(seconds);
    std::ostringstream out;
    out << seconds;
    user_.Meet("pause " + out.str());
}

void QtUser::Meet(const std::string& what) {
    met_.push_back(what);
    std::vector<int> pictures;
    for (int i = 0; i < 64; ++i) pictures.push_back(Picture(i));
    boardWhenMet_ = RanksOf(pictures);
}

// A pop-up menu of the program (not one of the menu bar's) is answered by
// clicking the item with the answer's caption, or dismissed with Escape.
bool QtUser::AnswerPopup(const std::string& answer) {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr || menu->parentWidget() != window_.get() || !menu->isVisible()) return false;
    std::string line = "menu " + Bytes(menu->objectName()) + ":";
    QAction* chosen = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator() || !action->isEnabled()) continue;
        const std::string caption = Bytes(action->text());
        line += " " + caption;
        if (caption == answer) chosen = action;
    }
    Meet(line);
    if (chosen == nullptr) {
        QTest::keyClick(menu, Qt::Key_Escape);
        return true;
    }
    const QPoint at = menu->actionGeometry(chosen).center();
    MoveOver(menu, at, Qt::NoButton);
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, at);
    return true;
}

void QtUser::AnswerModal() {
    QWidget* popup = QApplication::activePopupWidget();
    QWidget* modal = QApplication::activeModalWidget();
    if (popup == nullptr && (modal == nullptr || !modal->isVisible())) return;
    std::string answer;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    if (popup != nullptr) {
        // The menu bar's menus are the user's own doing: left alone.
        if (!AnswerPopup(answer) && !answer.empty()) answers_.push_front(answer);
        return;
    }
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        Meet("box " + Bytes(box->windowTitle()) + ": " + Bytes(box->text()));
        QAbstractButton* button = box->defaultButton();
        if (answer == "Yes")
            button = box->button(QMessageBox::Yes);
        else if (answer == "No")
            button = box->button(QMessageBox::No);
        else if (answer == "OK")
            button = box->button(QMessageBox::Ok);
        if (button == nullptr) button = box->buttons().value(0);
        if (button != nullptr) QTest::mouseClick(button, Qt::LeftButton);
        return;
    }
    if (auto* picker = dynamic_cast<ui::qt::dlgPGN*>(modal)) {
        AnswerPicker(*picker, answer);
        return;
    }
    if (modal->objectName() == QStringLiteral("frmAbout")) {
        const auto* version = modal->findChild<QLabel*>(QStringLiteral("Label3"));
        Meet("about " + (version != nullptr ? Bytes(version->text()) : std::string()));
        if (auto* ok = modal->findChild<QPushButton*>(QStringLiteral("cmdOK"))) QTest::mouseClick(ok, Qt::LeftButton);
        return;
    }
    Meet("dialog " + Bytes(modal->windowTitle()));
    modal->close();
}

void QtUser::AnswerPicker(ui::qt::dlgPGN& picker, std::string answer) {
    const long selected = picker.SelectedGame();
    Meet("picker " + Bytes(picker.windowTitle()) + " selected=" + std::to_string(selected > 0 ? selected : 0));
    if (whilePicker_) std::exchange(whilePicker_, nullptr)();
    QTreeView* list = picker.ListView1;
    QAbstractItemModel* model = list->model();
    const auto gameOfRow = [model](int row) {
        return row < model->rowCount() ? Bytes(model->index(row, 0).data().toString().trimmed()) : std::string("0");
    };
    while (answer.rfind("filter ", 0) == 0 || answer.rfind("sort ", 0) == 0) {
        if (answer.rfind("filter ", 0) == 0) {
            // Typed key by key into the field, over what it held.
            const QString text = QString::fromStdString(answer.substr(7));
            QTest::keyClick(picker.FilterText, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(picker.FilterText, Qt::Key_Backspace);
            QTest::keyClicks(picker.FilterText, text);
            Meet("picker filter=\"" + answer.substr(7) + "\" shown=" + std::to_string(model->rowCount()) +
                 " first=" + gameOfRow(0));
        } else {
            const std::string name = answer.substr(5);
            QHeaderView* header = list->header();
            int column = -1;
            for (int c = 0; c < model->columnCount(); ++c)
                if (!header->isSectionHidden(c) && Bytes(model->headerData(c, Qt::Horizontal).toString()) == name)
                    column = c;
            if (column >= 0) {
                list->scrollTo(model->index(0, column));
                const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                                header->height() / 2);
                QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
            }
            Meet("picker sort=" + name + " first=" + gameOfRow(0) + (column < 0 ? " (no such column)" : ""));
        }
        answer.clear();
        if (!answers_.empty()) {
            answer = answers_.front();
            answers_.pop_front();
        }
    }
    if (answer != "OK" && answer != "Cancel" && !answer.empty()) {
        // A game's row, by the number in its first cell.
        int row = 0;
        while (row < model->rowCount() && gameOfRow(row) != answer) ++row;
        if (row == model->rowCount()) {
            answer = "Cancel";
        } else {
            list->scrollTo(model->index(row, 0));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                              list->visualRect(model->index(row, 0)).center());
            answer = "OK";
        }
    }
    if (answer == "Cancel" || !picker.OKButton->isEnabled())
        QTest::mouseClick(picker.CancelButton, Qt::LeftButton);
    else
        QTest::mouseClick(picker.OKButton, Qt::LeftButton);
}

void QtUser::Open(const std::filesystem::path& path) {
    const std::string chosen = path.string();
    window_->OpenFileAnswer = [chosen] { return chosen; };
    Menu("Open1");
    window_->OpenFileAnswer = nullptr;
}

QListWidget* QtUser::ListWidget(const char* name) const {
    return window_->findChild<QListWidget*>(QString::fromLatin1(name));
}

QPlainTextEdit* QtUser::CommentBox() const { return window_->findChild<QPlainTextEdit*>(QStringLiteral("Text1")); }

QAction* QtUser::MenuAction(const std::string& name) const {
    return window_->menuBar()->findChild<QAction*>(QString::fromStdString(name));
}

QAction* QtUser::ToolbarAction(const std::string& key) const {
    for (QAction* action : window_->ToolBar1()->actions())
        if (action->objectName() == QString::fromStdString(key)) return action;
    return nullptr;
}

void QtUser::Drag(const std::string& from, const std::string& to) {
    ui::qt::SquareControl* a = window_->Square(ControlOf(from));
    ui::qt::SquareControl* b = window_->Square(ControlOf(to));
    if (a == nullptr || b == nullptr) {
        ADD_FAILURE() << "no square " << from << " or " << to;
        return;
    }
    const QPoint start = a->rect().center();
    const QPoint end = b->geometry().center() - a->geometry().topLeft();
    MoveOver(a, start, Qt::NoButton);
    QTest::mousePress(a, Qt::LeftButton, Qt::NoModifier, start);
    // While the button is held the pressed control has the mouse.
    MoveOver(a, start + (end - start) / 2, Qt::LeftButton);
    MoveOver(a, end, Qt::LeftButton);
    QTest::mouseRelease(a, Qt::LeftButton, Qt::NoModifier, end);
}

void QtUser::Click(const std::string& square) {
    ui::qt::SquareControl* a = window_->Square(ControlOf(square));
    if (a == nullptr) {
        ADD_FAILURE() << "no square " << square;
        return;
    }
    MoveOver(a, a->rect().center(), Qt::NoButton);
    QTest::mouseClick(a, Qt::LeftButton, Qt::NoModifier, a->rect().center());
}

void QtUser::ClickList1(int row) {
    QListWidget* list = ListWidget("List1");
    if (row < 0 || row >= list->count()) return;
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(row)).center());
}

void QtUser::PressKey(QListWidget* list, Key key) {
    list->setFocus(Qt::TabFocusReason);
    QTest::keyClick(list, QtKey(key));
}

void QtUser::KeyInList1(Key key) { PressKey(ListWidget("List1"), key); }

void QtUser::KeyInList2(Key key) { PressKey(ListWidget("List2"), key); }

void QtUser::DoubleClickList2(const std::string& entry) {
    QListWidget* list = ListWidget("List2");
    const auto found = list->findItems(QString::fromStdString(entry), Qt::MatchExactly);
    if (found.size() != 1) return;
    list->scrollToItem(found.first());
    const QPoint at = list->visualItemRect(found.first()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

void QtUser::TypeComment(const std::string& text) {
    QPlainTextEdit* box = CommentBox();
    box->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(box, QString::fromStdString(text));
}

void QtUser::Menu(const std::string& name) {
    QAction* action = MenuAction(name);
    if (action == nullptr) {
        ADD_FAILURE() << "no menu item " << name;
        return;
    }
    // The menus from the bar down to the item, opened one after the other
    // with the mouse; the item is then clicked.
    std::vector<QMenu*> path;
    for (QObject* up = action->parent(); up != nullptr && up != window_->menuBar(); up = up->parent())
        if (auto* menu = qobject_cast<QMenu*>(up)) path.insert(path.begin(), menu);
    if (path.empty()) {
        ADD_FAILURE() << "menu item " << name << " is in no menu";
        return;
    }
    QMenuBar* bar = window_->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->actionGeometry(path.front()->menuAction()).center());
    for (std::size_t i = 0; i + 1 < path.size(); ++i) {
        if (!QTest::qWaitFor([&] { return path[i]->isVisible(); })) {
            ADD_FAILURE() << "menu did not open";
            return;
        }
        QTest::mouseClick(path[i], Qt::LeftButton, Qt::NoModifier,
                          path[i]->actionGeometry(path[i + 1]->menuAction()).center());
    }
    QMenu* menu = path.back();
    if (!QTest::qWaitFor([&] { return menu->isVisible(); })) {
        ADD_FAILURE() << "menu did not open";
        return;
    }
    const QPoint at = menu->actionGeometry(action).center();
    MoveOver(menu, at, Qt::NoButton);
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, at);
    // A disabled item leaves its menus open: the user closes them.
    while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
}

void QtUser::Button(const std::string& key) {
    QAction* action = ToolbarAction(key);
    if (action == nullptr) {
        ADD_FAILURE() << "no toolbar button " << key;
        return;
    }
    QWidget* button = window_->ToolBar1()->widgetForAction(action);
    if (button == nullptr) {
        ADD_FAILURE() << "toolbar button " << key << " has no widget";
        return;
    }
    QTest::mouseClick(button, Qt::LeftButton);
}

Lines QtUser::List1() const {
    Lines rows;
    QListWidget* list = ListWidget("List1");
    for (int i = 0; i < list->count(); ++i) rows.push_back(Bytes(list->item(i)->text()));
    return rows;
}

namespace {
int SelectedRow(QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}
}  // namespace

int QtUser::List1Selected() const { return SelectedRow(ListWidget("List1")); }

Lines QtUser::List2() const {
    Lines rows;
    QListWidget* list = ListWidget("List2");
    for (int i = 0; i < list->count(); ++i) rows.push_back(Bytes(list->item(i)->text()));
    return rows;
}

int QtUser::List2Selected() const { return SelectedRow(ListWidget("List2")); }
bool QtUser::List2Enabled() const { return ListWidget("List2")->isEnabled(); }
std::string QtUser::Comment() const { return Bytes(CommentBox()->toPlainText()); }

std::string QtUser::Status(int panel) const {
    const auto* label = window_->findChild<QLabel*>(QStringLiteral("StatusBar1.Panel%1").arg(panel));
    return label != nullptr ? Bytes(label->text()) : std::string();
}

std::string QtUser::Caption() const { return Bytes(window_->windowTitle()); }

bool QtUser::MenuEnabled(const std::string& name) const {
    const QAction* action = MenuAction(name);
    return action != nullptr && action->isEnabled() && action->isVisible();
}

bool QtUser::ButtonEnabled(const std::string& key) const {
    const QAction* action = ToolbarAction(key);
    return action != nullptr && action->isEnabled() && window_->ToolBar1()->isEnabled();
}

int QtUser::Picture(int control) const {
    const ui::qt::SquareControl* square = window_->Square(control);
    return square != nullptr ? square->Picture() : 0;
}

}  // namespace orvane::scenarios
