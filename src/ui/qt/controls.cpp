#include "ui/qt/controls.h"

#include <QAction>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace orvane::ui::qt {

QColor ColourOf(Rgb rgb) {
    return QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>(rgb & 0xFF));
}

void SetFrame(QAbstractScrollArea* control) {
    // The colour of the desktop style's own frames around lists and fields.
    const QColor colour = control->palette().color(QPalette::Window).darker(140).lighter(108);
    control->setStyleSheet(QStringLiteral("QAbstractScrollArea { border: 1px solid %1; }").arg(colour.name()));
}

int KeyCodeOf(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return KeyEnter;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Delete: return 46;
    default: break;
    }
    // Letters and digits have their upper-case character code.
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)) return qtKey;
    return 0;
}

// ---- ListControl ---------------------------------------------------------

ListControl::ListControl(QWidget* parent) : QListWidget(parent) {
    SetFrame(this);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setSortingEnabled(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void ListControl::AddItem(const std::string& text) {
    entries_.push_back(text);
    addItem(ShowText(text));
}

void ListControl::RemoveItem(int index) {
    if (index < 0 || index >= count()) return;
    entries_.erase(entries_.begin() + index);
    delete takeItem(index);
}

void ListControl::Clear() {
    entries_.clear();
    clear();
    // Filled again, the list shows its first entry.
    verticalScrollBar()->setValue(0);
}

int ListControl::ListCount() const { return count(); }

std::string ListControl::List(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= entries_.size()) return {};
    return entries_[static_cast<std::size_t>(index)];
}

int ListControl::ListIndex() const {
    const int row = currentRow();
    if (row < 0 || !item(row)->isSelected()) return -1;
    return row;
}

void ListControl::SetListIndex(int index) {
    if (index < 0 || index >= count()) {
        setCurrentRow(-1);
        clearSelection();
        return;
    }
    setCurrentRow(index);
    scrollToItem(item(index));
}

bool ListControl::Enabled() const { return isEnabled(); }
void ListControl::SetEnabled(bool enabled) { setEnabled(enabled); }
bool ListControl::Visible() const { return !isHidden(); }
void ListControl::SetVisible(bool visible) { setVisible(visible); }

void ListControl::mousePressEvent(QMouseEvent* event) {
    // Other buttons, and the blank part below the entries, leave the
    // selection as it is.
    leftPressed_ = event->button() == Qt::LeftButton;
    if (!leftPressed_ || !indexAt(event->position().toPoint()).isValid()) {
        event->accept();
        return;
    }
    QListWidget::mousePressEvent(event);
}

void ListControl::mouseMoveEvent(QMouseEvent* event) {
    if (!leftPressed_) {
        event->accept();
        return;
    }
    QListWidget::mouseMoveEvent(event);
}

void ListControl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    const bool pressedHere = leftPressed_;
    leftPressed_ = false;
    QListWidget::mouseReleaseEvent(event);
    if (pressedHere && OnMouseUp) OnMouseUp();
}

void ListControl::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double-click: it counts as a press.
    leftPressed_ = event->button() == Qt::LeftButton;
    if (!leftPressed_ || !indexAt(event->position().toPoint()).isValid()) {
        event->accept();
        return;
    }
    QListWidget::mouseDoubleClickEvent(event);
    if (OnDoubleClick) OnDoubleClick();
}

void ListControl::keyPressEvent(QKeyEvent* event) {
    keysDown_.insert(event->key());
    // With no entry selected, Down selects the first one; Qt's current
    // entry may already be the first, and Down would go past it.
    if (event->key() == Qt::Key_Down && event->modifiers() == Qt::NoModifier && ListIndex() < 0 && count() > 0) {
        SetListIndex(0);
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void ListControl::keyReleaseEvent(QKeyEvent* event) {
    QListWidget::keyReleaseEvent(event);
    if (event->isAutoRepeat()) return;
    if (keysDown_.erase(event->key()) == 0) return;
    if (OnKeyUp) OnKeyUp(KeyCodeOf(event->key()));
}

void ListControl::focusOutEvent(QFocusEvent* event) {
    keysDown_.clear();
    leftPressed_ = false;
    QListWidget::focusOutEvent(event);
}

// ---- TextControl ---------------------------------------------------------

TextControl::TextControl(QWidget* parent) : QPlainTextEdit(parent) {
    SetFrame(this);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setTabChangesFocus(true);
}

std::string TextControl::Text() const { return text_.Get(toPlainText()); }

void TextControl::SetText(const std::string& text) { setPlainText(text_.Set(text)); }

bool TextControl::event(QEvent* event) {
    // Unclaimed, a shortcut goes to the window's menu.
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        for (const QKeySequence& shortcut : windowShortcuts_) {
            if (shortcut.matches(pressed) == QKeySequence::ExactMatch) {
                event->ignore();
                return true;
            }
        }
    }
    return QPlainTextEdit::event(event);
}

void TextControl::keyReleaseEvent(QKeyEvent* event) {
    QPlainTextEdit::keyReleaseEvent(event);
    if (OnKeyUp) OnKeyUp();
}

// ---- LabelControl --------------------------------------------------------

LabelControl::LabelControl(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

std::string LabelControl::Caption() const { return caption_; }

void LabelControl::SetCaption(const std::string& caption) {
    caption_ = caption;
    setText(ShowText(caption));
}

void LabelControl::SetColors(Rgb back, Rgb fore) {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, ColourOf(back));
    colours.setColor(QPalette::WindowText, ColourOf(fore));
    setPalette(colours);
    setAutoFillBackground(true);
}

void LabelControl::SetVisible(bool visible) { setVisible(visible); }

// ---- StatusPanels --------------------------------------------------------

QLabel* StatusPanels::Panel(int panel) const {
    if (panel < 1 || panel > 2) return nullptr;
    return panels_[static_cast<std::size_t>(panel - 1)];
}

std::string StatusPanels::PanelText(int panel) const {
    if (panel < 1 || panel > 2) return {};
    return texts_[static_cast<std::size_t>(panel - 1)];
}

void StatusPanels::SetPanelText(int panel, const std::string& text) {
    QLabel* label = Panel(panel);
    if (label == nullptr) return;
    texts_[static_cast<std::size_t>(panel - 1)] = text;
    label->setText(ShowText(text));
}

// ---- CommandSet ----------------------------------------------------------

void CommandSet::Add(const std::string& name, QAction* action) { actions_[name] = action; }

QAction* CommandSet::Find(const std::string& name) const {
    const auto found = actions_.find(name);
    return found == actions_.end() ? nullptr : found->second;
}

bool CommandSet::Enabled(const std::string& name) const {
    const QAction* action = Find(name);
    return action != nullptr && action->isEnabled();
}

void CommandSet::SetEnabled(const std::string& name, bool enabled) {
    if (QAction* action = Find(name)) action->setEnabled(enabled);
}

bool CommandSet::Checked(const std::string& name) const {
    const QAction* action = Find(name);
    return action != nullptr && action->isChecked();
}

void CommandSet::SetChecked(const std::string& name, bool checked) {
    if (QAction* action = Find(name)) {
        action->setCheckable(true);
        action->setChecked(checked);
    }
}

void CommandSet::SetVisible(const std::string& name, bool visible) {
    if (QAction* action = Find(name)) action->setVisible(visible);
}

// ---- ShapeControl --------------------------------------------------------

ShapeControl::ShapeControl(Kind kind, QWidget* parent) : QWidget(parent), kind_(kind) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (kind_ == Kind::Rectangle) {
        painter.setPen(QPen(palette().color(QPalette::Dark), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(0.5, 0.5, width() - 1, height() - 1));
    } else {
        painter.setPen(QPen(palette().color(QPalette::Mid), 1));
        painter.drawLine(QPointF(0, 0.5), QPointF(width(), 0.5));
    }
}

}  // namespace orvane::ui::qt
