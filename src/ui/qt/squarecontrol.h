// One square control of the board, c(index): it shows one picture of the
// piece image list, an optional hint box on top, and a pointer of its own
// while a piece is dragged from it. Mouse events go out with the control's
// index and the position in twips relative to the control; while a button is
// held the control keeps the mouse, so moves and the release arrive here
// wherever the pointer is.
#pragma once

#include <QPixmap>
#include <QWidget>

#include <functional>
#include <map>
#include <optional>
#include <tuple>

#include "ui/view.h"

namespace orvane::ui::qt {

// The piece pictures drawn once per size and pixel density.
class PictureCache {
public:
    QPixmap Picture(int picture, int sizePx, qreal dpr);

private:
    std::map<std::tuple<int, int, int>, QPixmap> pixmaps_;
};

class SquareControl : public QWidget {
public:
    SquareControl(int index, PictureCache& pictures, QWidget* parent);

    int Index() const { return index_; }
    // Geometry of the layout: twips per pixel, whether a one-pixel border
    // frames the picture, and the hint box corners in twips.
    void SetMetrics(int twipsPerPixel, bool border, int hintNear, int hintFar);

    int Picture() const { return picture_; }
    void SetPicture(int picture);
    void DrawHintBox(Rgb colour);
    void SetDragPointer(int picture);

    // The picture's size in pixels (the control less its border).
    int PictureSize() const;
    // The pixmap shown for a picture at this control's size.
    QPixmap PixmapOf(int picture) const;

    std::function<void(int index, MouseButton button, double x, double y)> OnMouseDown;
    std::function<void(int index, double x, double y)> OnMouseMove;
    std::function<void(int index, MouseButton button, double x, double y)> OnMouseUp;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::optional<MouseButton> ButtonOf(Qt::MouseButton button) const;
    double ToTwips(qreal pixels) const { return pixels * twipsPerPixel_; }

    int index_;
    PictureCache& pictures_;
    int picture_ = 0;
    std::optional<Rgb> hint_;
    int twipsPerPixel_ = 15;
    bool border_ = true;
    int hintNear_ = 16;
    int hintFar_ = 544;
};

}  // namespace orvane::ui::qt
