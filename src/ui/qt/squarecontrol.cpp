#include "ui/qt/squarecontrol.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

#include "ui/qt/controls.h"
#include "ui/qt/piecepictures.h"
#include "ui/qt/windowlayout.h"

namespace orvane::ui::qt {

QPixmap PictureCache::Picture(int picture, int sizePx, qreal dpr) {
    const auto key = std::make_tuple(picture, sizePx, static_cast<int>(std::lround(dpr * 100)));
    const auto found = pixmaps_.find(key);
    if (found != pixmaps_.end()) return found->second;
    QPixmap pixmap = QPixmap::fromImage(RenderPicture(picture, sizePx, dpr));
    pixmaps_.emplace(key, pixmap);
    return pixmap;
}

SquareControl::SquareControl(int index, PictureCache& pictures, QWidget* parent)
    : QWidget(parent), index_(index), pictures_(pictures) {
    setObjectName(QStringLiteral("c(%1)").arg(index));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SquareControl::SetMetrics(int twipsPerPixel, bool border, int hintNear, int hintFar) {
    twipsPerPixel_ = twipsPerPixel;
    border_ = border;
    hintNear_ = hintNear;
    hintFar_ = hintFar;
    update();
}

void SquareControl::SetPicture(int picture) {
    picture_ = picture;
    hint_.reset();
    update();
}

void SquareControl::DrawHintBox(Rgb colour) {
    hint_ = colour;
    update();
}

void SquareControl::SetDragPointer(int picture) {
    if (picture <= 0) {
        unsetCursor();
        return;
    }
    // The dragged piece follows the pointer, held at its middle.
    setCursor(QCursor(PixmapOf(picture)));
}

int SquareControl::PictureSize() const { return std::max(1, width() - (border_ ? 2 : 0)); }

QPixmap SquareControl::PixmapOf(int picture) const {
    return pictures_.Picture(picture, PictureSize(), devicePixelRatioF());
}

void SquareControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int inset = border_ ? 1 : 0;
    if (border_) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x40, 0x40, 0x40));
        painter.drawRect(rect());
    }
    painter.drawPixmap(inset, inset, PixmapOf(picture_));
    if (hint_) {
        const QColor colour = ColourOf(*hint_);
        const int nearPx = inset + ToPixels(hintNear_, twipsPerPixel_);
        const int farPx = inset + ToPixels(hintFar_, twipsPerPixel_);
        painter.setPen(QPen(colour, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(nearPx + 0.5, nearPx + 0.5, farPx - nearPx, farPx - nearPx));
    }
}

std::optional<MouseButton> SquareControl::ButtonOf(Qt::MouseButton button) const {
    switch (button) {
    case Qt::LeftButton: return MouseButton::Left;
    case Qt::RightButton: return MouseButton::Right;
    case Qt::MiddleButton: return MouseButton::Middle;
    default: return std::nullopt;
    }
}

void SquareControl::mousePressEvent(QMouseEvent* event) {
    const auto button = ButtonOf(event->button());
    if (button && OnMouseDown)
        OnMouseDown(index_, *button, ToTwips(event->position().x()), ToTwips(event->position().y()));
}

void SquareControl::mouseMoveEvent(QMouseEvent* event) {
    if (OnMouseMove) OnMouseMove(index_, ToTwips(event->position().x()), ToTwips(event->position().y()));
}

void SquareControl::mouseReleaseEvent(QMouseEvent* event) {
    const auto button = ButtonOf(event->button());
    if (button && OnMouseUp) OnMouseUp(index_, *button, ToTwips(event->position().x()), ToTwips(event->position().y()));
}

}  // namespace orvane::ui::qt
