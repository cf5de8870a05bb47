#include "ui/qt/piecepictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPixmap>

#include <array>
#include <cmath>

namespace orvane::ui::qt {

namespace {

// The shapes are drawn on a 100 x 100 grid, y downwards, the piece standing on
// a base at the bottom.
struct PieceShape {
    QPainterPath Body;     // the filled silhouette
    QPainterPath Details;  // lines drawn on top in the outline colour
    QPainterPath Dots;     // small filled marks in the outline colour (eye, nostril)
};

QPainterPath RoundedBox(qreal left, qreal top, qreal right, qreal bottom, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(QRectF(left, top, right - left, bottom - top), radius, radius);
    return path;
}

QPainterPath Ellipse(qreal cx, qreal cy, qreal rx, qreal ry) {
    QPainterPath path;
    path.addEllipse(QPointF(cx, cy), rx, ry);
    return path;
}

QPainterPath Line(qreal x1, qreal y1, qreal x2, qreal y2) {
    QPainterPath path;
    path.moveTo(x1, y1);
    path.lineTo(x2, y2);
    return path;
}

// The wide foot every piece stands on.
QPainterPath Base() { return RoundedBox(22, 80, 78, 90, 3.5); }

// The flared step between base and body of the queen and the king.
QPainterPath RoyalFoot() {
    QPainterPath foot;
    foot.moveTo(30, 81);
    foot.lineTo(36, 68);
    foot.lineTo(64, 68);
    foot.lineTo(70, 81);
    foot.closeSubpath();
    return foot;
}

PieceShape Pawn() {
    PieceShape shape;
    QPainterPath body;
    body.moveTo(42, 47);
    body.cubicTo(42, 60, 36, 70, 30, 81);
    body.lineTo(70, 81);
    body.cubicTo(64, 70, 58, 60, 58, 47);
    body.closeSubpath();
    shape.Body = Base().united(body).united(Ellipse(50, 48, 13, 4.5)).united(Ellipse(50, 32, 12, 12));
    shape.Details.addPath(Line(37.5, 48, 62.5, 48));
    shape.Details.addPath(Line(26, 81, 74, 81));
    return shape;
}

PieceShape Rook() {
    PieceShape shape;
    QPainterPath tower;
    tower.moveTo(34, 74);
    tower.lineTo(36, 38);
    tower.lineTo(64, 38);
    tower.lineTo(66, 74);
    tower.closeSubpath();
    // The parapet with three merlons and two embrasures.
    QPainterPath top;
    top.moveTo(27, 39);
    top.lineTo(27, 14);
    top.lineTo(37, 14);
    top.lineTo(37, 21);
    top.lineTo(45, 21);
    top.lineTo(45, 14);
    top.lineTo(55, 14);
    top.lineTo(55, 21);
    top.lineTo(63, 21);
    top.lineTo(63, 14);
    top.lineTo(73, 14);
    top.lineTo(73, 39);
    top.closeSubpath();
    shape.Body = Base().united(RoundedBox(28, 72, 72, 81, 2)).united(tower).united(top);
    shape.Details.addPath(Line(29, 33, 71, 33));
    shape.Details.addPath(Line(35, 39, 65, 39));
    shape.Details.addPath(Line(33, 72, 67, 72));
    shape.Details.addPath(Line(26, 81, 74, 81));
    return shape;
}

PieceShape Bishop() {
    PieceShape shape;
    QPainterPath stem;
    stem.moveTo(42, 60);
    stem.cubicTo(43, 66, 40, 72, 34, 81);
    stem.lineTo(66, 81);
    stem.cubicTo(60, 72, 57, 66, 58, 60);
    stem.closeSubpath();
    // The mitre, pointed at the top.
    QPainterPath mitre;
    mitre.moveTo(50, 16);
    mitre.cubicTo(62, 24, 69, 36, 67, 46);
    mitre.cubicTo(65, 55, 58, 59, 50, 59);
    mitre.cubicTo(42, 59, 35, 55, 33, 46);
    mitre.cubicTo(31, 36, 38, 24, 50, 16);
    mitre.closeSubpath();
    shape.Body = Base().united(stem).united(Ellipse(50, 61, 14, 4.5)).united(mitre).united(Ellipse(50, 12, 5, 5));
    shape.Details.addPath(Line(57, 28, 47, 42));  // the slit of the mitre
    shape.Details.addPath(Line(36.5, 61, 63.5, 61));
    shape.Details.addPath(Line(26, 81, 74, 81));
    return shape;
}

PieceShape Knight() {
    PieceShape shape;
    // A horse's head and neck, looking to the left.
    QPainterPath head;
    head.moveTo(31, 81);
    head.cubicTo(31, 70, 38, 62, 47, 55);
    head.cubicTo(41, 55, 33, 60, 26, 61);
    head.cubicTo(19, 62, 14, 56, 17, 50);
    head.cubicTo(21, 42, 29, 33, 33, 26);
    head.lineTo(35, 12);
    head.lineTo(43, 20);
    head.cubicTo(60, 18, 74, 32, 76, 52);
    head.cubicTo(77, 63, 73, 72, 73, 81);
    head.closeSubpath();
    shape.Body = Base().united(head);
    shape.Details.moveTo(47, 55);
    shape.Details.cubicTo(50, 50, 51, 46, 50, 42);
    shape.Details.moveTo(50, 22);
    shape.Details.cubicTo(63, 27, 69, 40, 69, 58);
    shape.Details.addPath(Line(26, 81, 74, 81));
    shape.Dots = Ellipse(36, 33, 2.8, 2.4).united(Ellipse(21, 53, 1.8, 1.8));
    return shape;
}

PieceShape Queen() {
    PieceShape shape;
    QPainterPath body;
    body.moveTo(37, 70);
    body.cubicTo(41, 58, 38, 48, 31, 38);
    body.lineTo(69, 38);
    body.cubicTo(62, 48, 59, 58, 63, 70);
    body.closeSubpath();
    // The coronet: five points, each with a ball.
    QPainterPath crown;
    crown.moveTo(31, 40);
    crown.lineTo(24, 21);
    crown.lineTo(38, 31);
    crown.lineTo(50, 15);
    crown.lineTo(62, 31);
    crown.lineTo(76, 21);
    crown.lineTo(69, 40);
    crown.closeSubpath();
    const QPainterPath foot = RoyalFoot();
    shape.Body = Base()
                     .united(foot)
                     .united(body)
                     .united(crown)
                     .united(RoundedBox(30, 37, 70, 44, 2))
                     .united(Ellipse(23, 19, 4, 4))
                     .united(Ellipse(37.5, 27, 3.5, 3.5))
                     .united(Ellipse(50, 12, 4.5, 4.5))
                     .united(Ellipse(62.5, 27, 3.5, 3.5))
                     .united(Ellipse(77, 19, 4, 4));
    shape.Details.addPath(Line(31, 44, 69, 44));
    shape.Details.addPath(Line(36, 68, 64, 68));
    shape.Details.addPath(Line(26, 81, 74, 81));
    return shape;
}

PieceShape King() {
    PieceShape shape;
    QPainterPath body;
    body.moveTo(38, 70);
    body.cubicTo(41, 60, 41, 50, 37, 42);
    body.lineTo(63, 42);
    body.cubicTo(59, 50, 59, 60, 62, 70);
    body.closeSubpath();
    // The crown: a wide band with a rounded top.
    QPainterPath dome;
    dome.moveTo(31, 42);
    dome.cubicTo(27, 30, 38, 24, 50, 27);
    dome.cubicTo(62, 24, 73, 30, 69, 42);
    dome.closeSubpath();
    const QPainterPath foot = RoyalFoot();
    QPainterPath cross = RoundedBox(46.5, 5, 53.5, 28, 1).united(RoundedBox(41, 10, 59, 17, 1));
    shape.Body = Base().united(foot).united(body).united(dome).united(RoundedBox(31, 39, 69, 46, 2)).united(cross);
    shape.Details.addPath(Line(32, 46, 68, 46));
    shape.Details.addPath(Line(32, 39, 68, 39));
    shape.Details.addPath(Line(36, 68, 64, 68));
    shape.Details.addPath(Line(26, 81, 74, 81));
    return shape;
}

PieceShape ShapeOf(PieceKind kind) {
    switch (kind) {
    case PieceKind::Bishop: return Bishop();
    case PieceKind::King: return King();
    case PieceKind::Knight: return Knight();
    case PieceKind::Pawn: return Pawn();
    case PieceKind::Queen: return Queen();
    case PieceKind::Rook: return Rook();
    }
    return Pawn();
}

// Base numbers in the order of the image list: bishop, king, knight, pawn,
// queen, rook.
constexpr std::array<PieceKind, 6> KindsByBase{PieceKind::Bishop, PieceKind::King,  PieceKind::Knight,
                                               PieceKind::Pawn,   PieceKind::Queen, PieceKind::Rook};

}  // namespace

PictureContent DescribePicture(int picture) {
    PictureContent content;
    if (picture == EmptyLightPicture) {
        content.LightSquare = true;
        return content;
    }
    if (picture < 1 || picture > PictureCount || picture == EmptyDarkPicture) return content;
    content.HasPiece = true;
    content.WhitePiece = picture > 20;
    const int offset = (content.WhitePiece ? picture - 20 : picture) - 1;  // 0..17
    content.Kind = KindsByBase[static_cast<std::size_t>(offset / 3)];
    content.LightSquare = offset % 3 == 1;
    content.Transparent = offset % 3 == 2;
    return content;
}

QColor DarkSquareColour() { return QColor(0x74, 0x8e, 0x5b); }
QColor LightSquareColour() { return QColor(0xe9, 0xe6, 0xcc); }

void PaintPiece(QPainter& painter, PieceKind kind, bool whitePiece, const QRectF& box) {
    const PieceShape shape = ShapeOf(kind);
    const QColor fill = whitePiece ? QColor(0xfb, 0xfa, 0xf3) : QColor(0x2a, 0x2a, 0x2a);
    const QColor outline = whitePiece ? QColor(0x1c, 0x1c, 0x1c) : QColor(0xe4, 0xe4, 0xdc);
    const QColor detail = whitePiece ? QColor(0x1c, 0x1c, 0x1c) : QColor(0xc8, 0xc8, 0xbe);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(box.topLeft());
    painter.scale(box.width() / 100.0, box.height() / 100.0);
    // Keep the outline at least one device pixel wide on small pictures.
    const qreal unitsPerPixel = 100.0 / (box.width() * painter.device()->devicePixelRatioF());
    const qreal outlineWidth = std::max(3.2, 1.1 * unitsPerPixel);
    QPen pen(outline, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(fill);
    painter.drawPath(shape.Body);
    pen.setColor(detail);
    pen.setWidthF(outlineWidth * 0.8);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape.Details);
    painter.setPen(Qt::NoPen);
    painter.setBrush(detail);
    painter.drawPath(shape.Dots);
    painter.restore();
}

QImage RenderPicture(int picture, int sizePx, qreal dpr) {
    const int devicePx = std::max(1, static_cast<int>(std::lround(sizePx * dpr)));
    QImage image(devicePx, devicePx, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    const PictureContent content = DescribePicture(picture);
    if (content.Transparent)
        image.fill(Qt::transparent);
    else
        image.fill(content.LightSquare ? LightSquareColour() : DarkSquareColour());
    if (content.HasPiece) {
        QPainter painter(&image);
        PaintPiece(painter, content.Kind, content.WhitePiece, QRectF(0, 0, sizePx, sizePx));
    }
    return image;
}

QImage RenderApplicationIcon(int sizePx) {
    QImage image(sizePx, sizePx, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const qreal size = sizePx;
    const qreal margin = size * 0.04;
    const QRectF square(margin, margin, size - 2 * margin, size - 2 * margin);
    const qreal radius = size * 0.14;
    // A dark square with a light quarter behind the knight's head, framed.
    painter.setPen(Qt::NoPen);
    painter.setBrush(DarkSquareColour());
    painter.drawRoundedRect(square, radius, radius);
    painter.save();
    QPainterPath clip;
    clip.addRoundedRect(square, radius, radius);
    painter.setClipPath(clip);
    painter.setBrush(LightSquareColour());
    painter.drawRect(QRectF(square.left(), square.top(), square.width() / 2, square.height() / 2));
    painter.drawRect(QRectF(square.center(), square.bottomRight()));
    painter.restore();
    painter.setPen(QPen(QColor(0x3c, 0x46, 0x30), std::max(1.0, size / 48.0)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(square, radius, radius);
    PaintPiece(painter, PieceKind::Knight, true, square.adjusted(size * 0.02, 0, -size * 0.02, -size * 0.04));
    return image;
}

QIcon ApplicationIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(RenderApplicationIcon(size)));
    return icon;
}

}  // namespace orvane::ui::qt
