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
#include <QLayout>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QSignalBlocker>
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

namespace orvane::ui::qt {

namespace {

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
