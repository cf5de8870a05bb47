#include "ui/qt/toolbaricons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <cmath>
#include <numbers>

namespace orvane::ui::qt {

namespace {

// Draws on a 16 x 16 grid; colours go grey and faint when disabled.
class Sketch {
public:
    Sketch(QPainter& painter, const QRectF& box, bool disabled) : painter_(painter), disabled_(disabled) {
        painter_.save();
        painter_.setRenderHint(QPainter::Antialiasing, true);
        painter_.translate(box.topLeft());
        painter_.scale(box.width() / 16.0, box.height() / 16.0);
    }
    ~Sketch() { painter_.restore(); }
    Sketch(const Sketch&) = delete;
    Sketch& operator=(const Sketch&) = delete;

    QColor Tone(QColor colour) const {
        if (!disabled_) return colour;
        const int grey = 150 + qGray(colour.rgb()) / 3;
        return QColor(grey, grey, grey, colour.alpha() * 3 / 4);
    }
    void Pen(QColor colour, qreal width) {
        painter_.setPen(QPen(Tone(colour), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
    void NoPen() { painter_.setPen(Qt::NoPen); }
    void Fill(QColor colour) { painter_.setBrush(Tone(colour)); }
    void NoFill() { painter_.setBrush(Qt::NoBrush); }
    QPainter& P() { return painter_; }

private:
    QPainter& painter_;
    bool disabled_;
};

const QColor Ink(0x30, 0x30, 0x30);
const QColor Arrow(0x1f, 0x5f, 0x9f);

void Page(Sketch& s) {
    QPainterPath page;
    page.moveTo(3, 1.5);
    page.lineTo(9.5, 1.5);
    page.lineTo(13, 5);
    page.lineTo(13, 14.5);
    page.lineTo(3, 14.5);
    page.closeSubpath();
    s.Pen(Ink, 1);
    s.Fill(Qt::white);
    s.P().drawPath(page);
    QPainterPath corner;
    corner.moveTo(9.5, 1.5);
    corner.lineTo(9.5, 5);
    corner.lineTo(13, 5);
    s.NoFill();
    s.P().drawPath(corner);
}

void NewVariant(Sketch& s) {
    Page(s);
    // One line of play branching into two.
    s.Pen(QColor(0x2e, 0x8b, 0x3a), 1.4);
    QPainterPath fork;
    fork.moveTo(8, 13);
    fork.lineTo(8, 9);
    fork.lineTo(5.5, 6);
    fork.moveTo(8, 9);
    fork.lineTo(10.5, 6);
    s.P().drawPath(fork);
}

void Open(Sketch& s) {
    QPainterPath back;
    back.moveTo(1.5, 13.5);
    back.lineTo(1.5, 3);
    back.lineTo(5.5, 3);
    back.lineTo(7, 4.5);
    back.lineTo(12.5, 4.5);
    back.lineTo(12.5, 7);
    s.Pen(QColor(0x80, 0x60, 0x10), 1);
    s.Fill(QColor(0xe8, 0xc0, 0x50));
    s.P().drawPath(back);
    QPainterPath flap;
    flap.moveTo(1.5, 13.5);
    flap.lineTo(4, 7);
    flap.lineTo(15, 7);
    flap.lineTo(12.5, 13.5);
    flap.closeSubpath();
    s.Fill(QColor(0xf6, 0xd8, 0x70));
    s.P().drawPath(flap);
}

void Save(Sketch& s) {
    QPainterPath disk;
    disk.moveTo(1.5, 1.5);
    disk.lineTo(12.5, 1.5);
    disk.lineTo(14.5, 3.5);
    disk.lineTo(14.5, 14.5);
    disk.lineTo(1.5, 14.5);
    disk.closeSubpath();
    s.Pen(QColor(0x1a, 0x2a, 0x50), 1);
    s.Fill(QColor(0x3a, 0x5a, 0xa0));
    s.P().drawPath(disk);
    s.NoPen();
    s.Fill(Qt::white);
    s.P().drawRect(QRectF(3.5, 2, 8.5, 5.5));  // the label
    s.Fill(QColor(0xc0, 0xc8, 0xd8));
    s.P().drawRect(QRectF(4.5, 10, 7, 4.5));  // the shutter
    s.Fill(QColor(0x1a, 0x2a, 0x50));
    s.P().drawRect(QRectF(9, 11, 1.5, 2.5));
}

// A solid triangle pointing left or right, its flat side at x.
void Triangle(Sketch& s, qreal x, bool pointLeft) {
    QPainterPath triangle;
    const qreal tip = pointLeft ? x - 6 : x + 6;
    triangle.moveTo(x, 3);
    triangle.lineTo(tip, 8);
    triangle.lineTo(x, 13);
    triangle.closeSubpath();
    s.Pen(Arrow.darker(140), 0.8);
    s.Fill(Arrow);
    s.P().drawPath(triangle);
}

void Bar(Sketch& s, qreal x) {
    s.Pen(Arrow.darker(140), 0.8);
    s.Fill(Arrow);
    s.P().drawRect(QRectF(x, 3, 2, 10));
}

void Gear(Sketch& s) {
    QPainterPath wheel;
    const int teeth = 8;
    const QPointF centre(8, 8);
    for (int i = 0; i < teeth * 2; ++i) {
        // Alternate between the tip of a tooth and the root between teeth,
        // each spanning a short arc.
        const qreal radius = (i % 2 == 0) ? 7.2 : 5.4;
        const qreal a0 = (i - 0.3) * std::numbers::pi / teeth;
        const qreal a1 = (i + 0.3) * std::numbers::pi / teeth;
        const QPointF p0 = centre + QPointF(radius * std::cos(a0), radius * std::sin(a0));
        const QPointF p1 = centre + QPointF(radius * std::cos(a1), radius * std::sin(a1));
        if (i == 0)
            wheel.moveTo(p0);
        else
            wheel.lineTo(p0);
        wheel.lineTo(p1);
    }
    wheel.closeSubpath();
    wheel.addEllipse(centre, 2.3, 2.3);
    wheel.setFillRule(Qt::OddEvenFill);
    s.Pen(QColor(0x40, 0x40, 0x48), 0.8);
    s.Fill(QColor(0x90, 0x98, 0xa8));
    s.P().drawPath(wheel);
}

// An arrow head at tip pointing along the angle (radians).
void ArrowHead(Sketch& s, QPointF tip, qreal angle, QColor colour) {
    QPainterPath head;
    const qreal length = 3.6;
    const qreal spread = 0.55;
    head.moveTo(tip);
    head.lineTo(tip - QPointF(length * std::cos(angle - spread), length * std::sin(angle - spread)));
    head.lineTo(tip - QPointF(length * std::cos(angle + spread), length * std::sin(angle + spread)));
    head.closeSubpath();
    s.NoPen();
    s.Fill(colour);
    s.P().drawPath(head);
}

void TurnBoard(Sketch& s) {
    const QColor colour(0x2e, 0x7d, 0x32);
    s.Pen(colour, 1.6);
    s.NoFill();
    const QRectF circle(2.5, 2.5, 11, 11);
    // Two half circles, each ending in an arrow head: the board turns round.
    s.P().drawArc(circle, 100 * 16, 140 * 16);
    s.P().drawArc(circle, 280 * 16, 140 * 16);
    const qreal r = 5.5;
    const QPointF c(8, 8);
    const qreal end1 = (100 + 140) * std::numbers::pi / 180;
    const qreal end2 = (280 + 140) * std::numbers::pi / 180;
    // Screen y grows downwards, so an angle a is at (cos a, -sin a); the
    // counter-clockwise tangent there is (-sin a, -cos a).
    ArrowHead(s, c + QPointF(r * std::cos(end1), -r * std::sin(end1)), std::atan2(-std::cos(end1), -std::sin(end1)),
              colour);
    ArrowHead(s, c + QPointF(r * std::cos(end2), -r * std::sin(end2)), std::atan2(-std::cos(end2), -std::sin(end2)),
              colour);
}

void SwitchColors(Sketch& s) {
    s.Pen(Ink, 1);
    s.Fill(Qt::white);
    s.P().drawRect(QRectF(1.5, 7.5, 6, 6));
    s.Fill(QColor(0x20, 0x20, 0x20));
    s.P().drawRect(QRectF(8.5, 2.5, 6, 6));
    // Curved arrows: white goes up to black's place, black down to white's.
    const QColor colour(0xc0, 0x30, 0x30);
    s.Pen(colour, 1.2);
    s.NoFill();
    QPainterPath up;
    up.moveTo(3.5, 6);
    up.quadTo(3.5, 2, 6.5, 2);
    s.P().drawPath(up);
    ArrowHead(s, QPointF(7.6, 2), 0, colour);
    s.Pen(colour, 1.2);
    s.NoFill();
    QPainterPath down;
    down.moveTo(12.5, 10);
    down.quadTo(12.5, 14, 9.5, 14);
    s.P().drawPath(down);
    ArrowHead(s, QPointF(8.4, 14), std::numbers::pi, colour);
}

class ToolbarIconEngine : public QIconEngine {
public:
    explicit ToolbarIconEngine(ToolbarPicture picture) : picture_(picture) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        const qreal side = std::min(rect.width(), rect.height());
        const QRectF box(rect.x() + (rect.width() - side) / 2, rect.y() + (rect.height() - side) / 2, side, side);
        PaintToolbarPicture(*painter, picture_, box, mode == QIcon::Disabled);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }
    QIconEngine* clone() const override { return new ToolbarIconEngine(picture_); }

private:
    ToolbarPicture picture_;
};

}  // namespace

void PaintToolbarPicture(QPainter& painter, ToolbarPicture picture, const QRectF& box, bool disabled) {
    Sketch s(painter, box, disabled);
    switch (picture) {
    case ToolbarPicture::NewGame: Page(s); break;
    case ToolbarPicture::NewVariant: NewVariant(s); break;
    case ToolbarPicture::Open: Open(s); break;
    case ToolbarPicture::Save: Save(s); break;
    case ToolbarPicture::First:
        Bar(s, 2.5);
        Triangle(s, 12, true);
        break;
    case ToolbarPicture::Back: Triangle(s, 11, true); break;
    case ToolbarPicture::Forward: Triangle(s, 5, false); break;
    case ToolbarPicture::Last:
        Triangle(s, 4, false);
        Bar(s, 11.5);
        break;
    case ToolbarPicture::Options: Gear(s); break;
    case ToolbarPicture::TurnBoard: TurnBoard(s); break;
    case ToolbarPicture::SwitchColors: SwitchColors(s); break;
    }
}

QIcon ToolbarIcon(ToolbarPicture picture) { return QIcon(new ToolbarIconEngine(picture)); }

}  // namespace orvane::ui::qt
