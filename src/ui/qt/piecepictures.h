// The pictures of the board: the 38 pictures of the piece image list
// (ImageList2) and the application icon, drawn from vector shapes.
//
// Picture numbers are 1-based. For each piece kind there are three in a row
// from its base number (bishop 1, king 4, knight 7, pawn 10, queen 13,
// rook 16): the Black piece on a dark square, on a light square, and the
// piece alone on a transparent background (the pointer while it is dragged).
// White adds 20. Picture 19 is an empty dark square, 20 an empty light one.
#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QRectF>

class QPainter;

namespace orvane::ui::qt {

inline constexpr int PictureCount = 38;
inline constexpr int EmptyDarkPicture = 19;
inline constexpr int EmptyLightPicture = 20;

enum class PieceKind { Bishop, King, Knight, Pawn, Queen, Rook };

// What one picture shows.
struct PictureContent {
    bool HasPiece = false;
    PieceKind Kind = PieceKind::Pawn;
    bool WhitePiece = false;
    bool LightSquare = false;
    bool Transparent = false;  // the drag variant: no square behind the piece
};

// The content of picture 1..38; a number outside that range shows an empty
// dark square.
PictureContent DescribePicture(int picture);

// The square colours of the board.
QColor DarkSquareColour();
QColor LightSquareColour();

// Paints a piece into box (a square area; the piece keeps a small margin).
void PaintPiece(QPainter& painter, PieceKind kind, bool whitePiece, const QRectF& box);

// Picture 1..38 as an image of sizePx x sizePx device-independent pixels,
// rendered at the device pixel ratio dpr.
QImage RenderPicture(int picture, int sizePx, qreal dpr);

// The application icon: a white knight on a board square.
QImage RenderApplicationIcon(int sizePx);
// The same at the sizes desktops ask for.
QIcon ApplicationIcon();

}  // namespace orvane::ui::qt
