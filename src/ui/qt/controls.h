// The plain controls of the main window: list boxes, text boxes, labels, the
// status bar, the menu and toolbar commands, and the frames and line. Each
// shows what it is told through the view seam and reports what the user did
// through a callback; none of them keeps any game state.
#pragma once

#include <QColor>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QWidget>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ui/qt/programtext.h"
#include "ui/view.h"

class QAbstractScrollArea;
class QAction;

namespace orvane::ui::qt {

// The key code the window's behaviour sees for a Qt key (Enter is 13).
int KeyCodeOf(int qtKey);

// A colour given as 0xRRGGBB.
QColor ColourOf(Rgb rgb);

// Gives a list or a text box a frame of one pixel on every side, in the
// colour of the style's frames. The style's own frame loses sides on a
// screen scaled to 125% or 175%; this one shows whole at any scale.
void SetFrame(QAbstractScrollArea* control);

// List1 and List2: a list box in the fixed-pitch font, no sorting. Only the
// left button selects or acts; a click that lands on no entry keeps the
// selection. Keys act only when pressed and released while the list has the
// focus, so a key that closed a dialog or a menu never reaches it.
class ListControl : public QListWidget, public ListBox {
public:
    explicit ListControl(QWidget* parent);

    void AddItem(const std::string& text) override;
    void RemoveItem(int index) override;
    void Clear() override;
    int ListCount() const override;
    std::string List(int index) const override;
    int ListIndex() const override;
    void SetListIndex(int index) override;
    bool Enabled() const override;
    void SetEnabled(bool enabled) override;
    bool Visible() const override;
    void SetVisible(bool visible) override;

    std::function<void()> OnMouseUp;
    std::function<void()> OnDoubleClick;
    std::function<void(int keyCode)> OnKeyUp;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    std::vector<std::string> entries_;  // the bytes of each entry
    std::set<int> keysDown_;            // pressed while the list had the focus
    bool leftPressed_ = false;          // the left button went down on the list
};

// Text1 (the comment of the current ply) and Text2: multi-line text boxes.
class TextControl : public QPlainTextEdit, public TextBox {
public:
    explicit TextControl(QWidget* parent);

    std::string Text() const override;
    void SetText(const std::string& text) override;

    // Called after a key was released, when the text already shows it.
    std::function<void()> OnKeyUp;

    // The window's own shortcuts: they keep working while the box has the
    // focus, even where the box has a use of its own for the key (Ctrl+X).
    void SetWindowShortcuts(std::vector<QKeySequence> shortcuts) { windowShortcuts_ = std::move(shortcuts); }

protected:
    bool event(QEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    ShownText text_;
    std::vector<QKeySequence> windowShortcuts_;
};

// Label1..Label7.
class LabelControl : public QLabel, public Label {
public:
    explicit LabelControl(QWidget* parent);

    std::string Caption() const override;
    void SetCaption(const std::string& caption) override;
    void SetColors(Rgb back, Rgb fore) override;
    void SetVisible(bool visible) override;

private:
    std::string caption_;
};

// StatusBar1: two text panels, numbered 1 and 2.
class StatusPanels : public StatusBar {
public:
    StatusPanels(QLabel* panel1, QLabel* panel2) : panels_{panel1, panel2} {}

    std::string PanelText(int panel) const override;
    void SetPanelText(int panel, const std::string& text) override;

private:
    QLabel* Panel(int panel) const;

    std::array<QLabel*, 2> panels_;
    std::array<std::string, 2> texts_;
};

// Menu items or toolbar buttons by name. Names not registered are ignored.
class CommandSet : public Commands {
public:
    void Add(const std::string& name, QAction* action);
    QAction* Find(const std::string& name) const;

    bool Enabled(const std::string& name) const override;
    void SetEnabled(const std::string& name, bool enabled) override;
    bool Checked(const std::string& name) const override;
    void SetChecked(const std::string& name, bool checked) override;
    void SetVisible(const std::string& name, bool visible) override;

private:
    std::map<std::string, QAction*> actions_;
};

// Shape1, Shape2 (rectangle frames) and Line3 (a horizontal line). They only
// decorate: the pointer passes through them to the window.
class ShapeControl : public QWidget {
public:
    enum class Kind { Rectangle, HorizontalLine };
    ShapeControl(Kind kind, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind kind_;
};

}  // namespace orvane::ui::qt
