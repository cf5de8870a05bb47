#include "ui/qt/windowlayout.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace orvane::ui::qt {

TwipRect WindowLayout::Square(int index) const {
    const int row = index / 8;
    const int column = index % 8;
    return {SquareLeft + SquareStep * column, SquareTop + SquareStep * row, SquareSize, SquareSize};
}

WindowLayout LayoutFor(bool largeFont) {
    WindowLayout l;
    // What both layouts share: the labels above the lists, the line under
    // them, the widths of the lists, the frames' tops and heights.
    const int rowBlack = 548;
    const int rowWhite = 848;
    l.ToolbarHeight = 420;
    l.Line3Y = 1200;
    const int listTop = 1260;
    const int shapeTop = 428;

    // Only these numbers differ between the layouts; the right-hand block
    // moves 900 twips to the left in the large-font layout.
    const int shift = largeFont ? 900 : 0;
    const int listHeight = largeFont ? 2648 : 3848;
    const int lowerTop = largeFont ? 4550 : 5500;  // Shape1, Text2

    if (largeFont) {
        l.SquareSize = 458;
        l.SquareLeft = 384;
        l.SquareTop = 474;
        l.SquareStep = 456;
        l.SquareBorder = false;
        l.HintNear = 16;
        l.HintFar = 434;
        l.ClientWidth = 8496;
        l.Shape1 = {384, lowerTop, 3691, 1695};
        l.Text1 = {504, lowerTop + 120, 3451, 1455};
        l.Shape2 = {4260, shapeTop, 4080, 3775};
    } else {
        // The designed squares of 600 twips, 585 apart from left 328, each
        // moved by its column to the left by 18 and by its row and column one
        // twip further: left 310 + 586 c, top 428 + 586 r.
        l.SquareSize = 600;
        l.SquareLeft = 310;
        l.SquareTop = 428;
        l.SquareStep = 586;
        l.SquareBorder = true;
        l.HintNear = 16;
        l.HintFar = 544;
        l.ClientWidth = 9396;
        l.Shape1 = {310, lowerTop, 4591, 1695};
        l.Text1 = {430, lowerTop + 120, 4351, 1455};
        l.Shape2 = {5160, shapeTop, 4080, 4775};
    }
    l.ClientHeight = lowerTop + 1695 + 125;

    l.Labels[4] = {5280 - shift, rowBlack, 555, 255};
    l.Labels[3] = {5280 - shift, rowWhite, 555, 255};
    l.Labels[2] = {5880 - shift, rowBlack, 2820, 255};
    l.Labels[1] = {5880 - shift, rowWhite, 2820, 255};
    l.Labels[6] = {8880 - shift, rowBlack, 330, 255};
    l.Labels[5] = {8880 - shift, rowWhite, 330, 255};
    l.Labels[7] = {5400 - shift, lowerTop - 270, 2160, 255};
    l.Line3X1 = 5160 - shift;
    l.Line3X2 = 9240 - shift;
    l.List1 = {5400 - shift, listTop, 2160, listHeight};
    l.List2 = {7680 - shift, listTop, 1440, listHeight};
    l.Text2 = {5400 - shift, lowerTop, 3720, 1695};
    return l;
}

int ToPixels(int twips, int twipsPerPixel) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / twipsPerPixel));
}

QRect ToPixels(const TwipRect& rect, int twipsPerPixel) {
    return QRect(ToPixels(rect.Left, twipsPerPixel), ToPixels(rect.Top, twipsPerPixel),
                 ToPixels(rect.Width, twipsPerPixel), ToPixels(rect.Height, twipsPerPixel));
}

void PlaceControl(QWidget* control, const TwipRect& rect, int twipsPerPixel, Grow grow) {
    QRect place = ToPixels(rect, twipsPerPixel);
    const QSize wanted = control->sizeHint();
    if (wanted.width() > place.width()) {
        if (grow == Grow::Left)
            place.setLeft(place.right() + 1 - wanted.width());
        else
            place.setWidth(wanted.width());
    }
    if (wanted.height() > place.height()) {
        const int extra = wanted.height() - place.height();
        place.setTop(place.top() - extra / 2);
        place.setHeight(wanted.height());
    }
    control->setGeometry(place);
}

void PlaceButtonRow(const std::vector<std::pair<QWidget*, TwipRect>>& row, int twipsPerPixel) {
    if (row.empty()) return;
    for (const auto& [control, rect] : row) PlaceControl(control, rect, twipsPerPixel);
    // Each button's left relative to the first, with the designed gaps.
    std::vector<int> lefts{0};
    int smallestGap = ToPixels(120, twipsPerPixel);
    for (std::size_t i = 1; i < row.size(); ++i) {
        const QRect before = ToPixels(row[i - 1].second, twipsPerPixel);
        const int gap = std::max(1, ToPixels(row[i].second, twipsPerPixel).left() - (before.right() + 1));
        smallestGap = i == 1 ? gap : std::min(smallestGap, gap);
        lefts.push_back(lefts.back() + row[i - 1].first->width() + gap);
    }
    const int width = lefts.back() + row.back().first->width();
    const QRect designedFirst = ToPixels(row.front().second, twipsPerPixel);
    const QRect designedLast = ToPixels(row.back().second, twipsPerPixel);
    const int designedMiddle = (designedFirst.left() + designedLast.right() + 1) / 2;
    const int start = std::max(smallestGap, designedMiddle - width / 2);
    for (std::size_t i = 0; i < row.size(); ++i) row[i].first->move(start + lefts[i], row[i].first->y());
}

void FixDialogSize(QWidget* dialog, int widthTwips, int heightTwips, int twipsPerPixel) {
    QSize size(ToPixels(widthTwips, twipsPerPixel), ToPixels(heightTwips, twipsPerPixel));
    const int margin = ToPixels(120, twipsPerPixel);
    for (const QWidget* child : dialog->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->isWindow()) continue;
        size.setWidth(std::max(size.width(), child->geometry().right() + 1 + margin));
        size.setHeight(std::max(size.height(), child->geometry().bottom() + 1 + margin));
    }
    dialog->setFixedSize(size);
}

namespace {

// Room for what the window manager puts around a window not yet shown.
QSize FrameAllowance(const QWidget* window) {
    const int border = window->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, window);
    const int title = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    return {2 * border, title + 2 * border};
}

}  // namespace

QPoint CentredOver(const QRect& over, QSize size, const QRect& screenArea) {
    QPoint at(over.left() + (over.width() - size.width()) / 2, over.top() + (over.height() - size.height()) / 2);
    at.setX(std::max(screenArea.left(), std::min(at.x(), screenArea.right() + 1 - size.width())));
    at.setY(std::max(screenArea.top(), std::min(at.y(), screenArea.bottom() + 1 - size.height())));
    return at;
}

void CentreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen();
    if (screen == nullptr) return;
    const QRect area = screen->availableGeometry();
    const QSize frame = window->isVisible() ? window->frameGeometry().size() - window->size() : FrameAllowance(window);
    const QSize room = area.size() - frame;
    if (window->width() > room.width() || window->height() > room.height()) {
        const QSize smaller = window->size().boundedTo(room).expandedTo(window->minimumSize());
        if (smaller != window->size()) window->resize(smaller);
    }
    const QPoint frameAt = CentredOver(area, window->size() + frame, area);
    window->move(frameAt);
}

}  // namespace orvane::ui::qt
