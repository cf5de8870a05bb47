// Where the controls of the main window stand, in twips, for the two layouts:
// the normal one (designed for 15 twips per pixel) and the large-font one
// (12 twips per pixel). Positions are measured from the top left of the area
// below the menu bar, which the toolbar shares with the board and the lists.
#pragma once

#include <QRect>

#include <array>
#include <utility>
#include <vector>

class QWidget;

namespace orvane::ui::qt {

struct TwipRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

struct WindowLayout {
    int ClientWidth = 0;  // the area under the menu bar, down to the status bar
    int ClientHeight = 0;
    int ToolbarHeight = 0;
    int SquareSize = 0;
    int SquareLeft = 0;  // of screen column 0
    int SquareTop = 0;   // of screen row 0
    int SquareStep = 0;  // from one square's left (or top) to the next
    bool SquareBorder = false;
    int HintNear = 0;  // corners of a hint box inside a square's picture
    int HintFar = 0;
    std::array<TwipRect, 8> Labels{};  // Label1..Label7 at [1]..[7]
    TwipRect List1, List2, Text1, Text2, Shape1, Shape2;
    int Line3X1 = 0, Line3X2 = 0, Line3Y = 0;

    // The square control c(index), index = 8 x screen row + screen column.
    TwipRect Square(int index) const;
};

WindowLayout LayoutFor(bool largeFont);

// Whole pixels for twips at the given twips per pixel.
int ToPixels(int twips, int twipsPerPixel);
QRect ToPixels(const TwipRect& rect, int twipsPerPixel);

// Puts a dialog control at its place in twips. A control whose text needs
// more room than its designed size (the desktop's font may be wider than the
// one it was designed for) grows about its middle line, and to the right, or
// to the left for a caption that ends where its field begins.
enum class Grow { Right, Left };
void PlaceControl(QWidget* control, const TwipRect& rect, int twipsPerPixel, Grow grow = Grow::Right);

// Puts a row of buttons at their places in twips, left to right. Buttons
// that grow keep the designed gaps between them, and the row keeps its
// middle where it was designed (never closer than one gap to the left edge).
void PlaceButtonRow(const std::vector<std::pair<QWidget*, TwipRect>>& row, int twipsPerPixel);

// Fixes a dialog's client size; grows it when a control would be cut off.
void FixDialogSize(QWidget* dialog, int widthTwips, int heightTwips, int twipsPerPixel);

// Moves a window to the middle of its screen's free area. A window larger
// than that area is made smaller where it can be resized, and otherwise
// keeps its top left corner (and title bar) on the screen.
void CentreOnScreen(QWidget* window);

// Where a window of the given size stands centred over another area (a
// window's frame), kept inside the free area of the screen.
QPoint CentredOver(const QRect& over, QSize size, const QRect& screenArea);

}  // namespace orvane::ui::qt
