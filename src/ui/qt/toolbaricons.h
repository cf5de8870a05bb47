// The toolbar's pictures (ImageList1), drawn from vector shapes at whatever
// size and pixel density the toolbar asks for.
#pragma once

#include <QIcon>
#include <QRectF>

class QPainter;

namespace orvane::ui::qt {

enum class ToolbarPicture {
    NewGame,       // a blank page
    NewVariant,    // a page with a branching line
    Open,          // an open folder
    Save,          // a disk
    First,         // |<
    Back,          // <
    Forward,       // >
    Last,          // >|
    Options,       // a gear wheel
    TurnBoard,     // two arrows turning round
    SwitchColors,  // a white and a black square changing places
};

// Paints a picture into box; disabled pictures are drawn in faint grey.
void PaintToolbarPicture(QPainter& painter, ToolbarPicture picture, const QRectF& box, bool disabled);

// An icon that draws the picture afresh for every size and state.
QIcon ToolbarIcon(ToolbarPicture picture);

}  // namespace orvane::ui::qt
