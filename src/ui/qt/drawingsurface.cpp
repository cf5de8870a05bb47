#include "ui/qt/drawingsurface.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "ui/qt/controls.h"
#include "ui/qt/programtext.h"
#include "ui/qt/windowlayout.h"

namespace orvane::ui::qt {

DrawingSurface::DrawingSurface(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmMain"));
    setMouseTracking(true);
}

void DrawingSurface::SetTwipsPerPixel(int twipsPerPixel) {
    twipsPerPixel_ = twipsPerPixel;
    update();
}

void DrawingSurface::Clear() {
    texts_.clear();
    rectangles_.clear();
    update();
}

// Drawing the same thing at the same place again changes nothing on screen,
// so repeated drawings (the coordinates after every move) are kept once.
void DrawingSurface::DrawText(int x, int y, const std::string& text) {
    const DrawnText drawn{QPoint(x, y), ShowText(text)};
    if (std::find(texts_.begin(), texts_.end(), drawn) != texts_.end()) return;
    texts_.push_back(drawn);
    update();
}

void DrawingSurface::DrawRectangle(int x1, int y1, int x2, int y2, Rgb colour) {
    const DrawnRectangle drawn{QPoint(x1, y1), QPoint(x2, y2), colour};
    if (std::find(rectangles_.begin(), rectangles_.end(), drawn) != rectangles_.end()) return;
    rectangles_.push_back(drawn);
    update();
}

void DrawingSurface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int tpp = twipsPerPixel_;
    for (const DrawnRectangle& r : rectangles_) {
        painter.setPen(QPen(ColourOf(r.Colour), 1));
        painter.setBrush(Qt::NoBrush);
        const int left = ToPixels(std::min(r.Corner1.x(), r.Corner2.x()), tpp);
        const int top = ToPixels(std::min(r.Corner1.y(), r.Corner2.y()), tpp);
        const int right = ToPixels(std::max(r.Corner1.x(), r.Corner2.x()), tpp);
        const int bottom = ToPixels(std::max(r.Corner1.y(), r.Corner2.y()), tpp);
        painter.drawRect(QRectF(left + 0.5, top + 0.5, right - left, bottom - top));
    }
    // A text's position is the top left corner of its line.
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(font());
    const int ascent = QFontMetrics(font()).ascent();
    for (const DrawnText& t : texts_)
        painter.drawText(QPoint(ToPixels(t.Position.x(), tpp), ToPixels(t.Position.y(), tpp) + ascent), t.Text);
}

void DrawingSurface::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    if (OnMouseMove) OnMouseMove();
}

}  // namespace orvane::ui::qt
