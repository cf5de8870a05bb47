// The window's own drawing surface: the area below the menu bar that holds
// the toolbar, the board and the other controls. Texts and rectangles drawn
// on it stay until it is cleared, as on a window with persistent drawing;
// the controls stand on top of them. Pointer moves over the surface itself
// (not over a control) are reported.
#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

#include "ui/view.h"

namespace orvane::ui::qt {

class DrawingSurface : public QWidget, public Surface {
public:
    explicit DrawingSurface(QWidget* parent = nullptr);

    void SetTwipsPerPixel(int twipsPerPixel);

    void Clear() override;
    void DrawText(int x, int y, const std::string& text) override;
    void DrawRectangle(int x1, int y1, int x2, int y2, Rgb colour) override;

    // What is drawn now, for looking at it in tests.
    struct DrawnText {
        QPoint Position;  // twips
        QString Text;
        bool operator==(const DrawnText&) const = default;
    };
    struct DrawnRectangle {
        QPoint Corner1, Corner2;  // twips
        Rgb Colour;
        bool operator==(const DrawnRectangle&) const = default;
    };
    const std::vector<DrawnText>& Texts() const { return texts_; }

    std::function<void()> OnMouseMove;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    int twipsPerPixel_ = 15;
    std::vector<DrawnText> texts_;
    std::vector<DrawnRectangle> rectangles_;
};

}  // namespace orvane::ui::qt
