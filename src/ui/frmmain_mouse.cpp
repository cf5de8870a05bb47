// Move entry by mouse: press a piece of the side to move, drag it, release
// it over the destination square.
#include <cmath>
#include <cstdlib>

#include "common/index.h"
#include "ui/frmmain.h"

namespace orvane::ui {

namespace {

constexpr int DropStep = 568;         // twips per square when working out the drop square
constexpr int LargeDropStep = 456;    // the large-font layout's squares are 456 twips apart
constexpr int RightClickReach = 570;  // a right release within this many twips opens the setup menu

bool ShowsEmptySquare(int picture) { return picture == 19 || picture == 20; }

// Whole squares from the pressed square's top left corner to the pointer,
// rounded down: a pointer exactly one step to the left or above is in the
// neighbouring square, not two squares away.
int SquaresAway(int twips, int step) { return twips >= 0 ? twips / step : -((-twips + step - 1) / step); }

}  // namespace

bool frmMain::HasMoveFrom(int square) const {
    const int first = Pos.DepthStart[At(Pos.TreeDepth)];
    const int end = Pos.DepthStart[At(Pos.TreeDepth + 1)];
    for (int i = first; i < end; ++i)
        if (Pos.MoveList[At(i)].Source == square) return true;
    return false;
}

// Marks every piece of the side to move that has a legal move.
void frmMain::ShowMovableHints() {
    const int first = Pos.DepthStart[At(Pos.TreeDepth)];
    const int end = Pos.DepthStart[At(Pos.TreeDepth + 1)];
    for (int i = first; i < end; ++i) {
        const int source = Pos.MoveList[At(i)].Source;
        const int index = ControlOfSquare(source);
        view_.Board().SetPicture(index, PlainPicture(source));
        DrawHint(index, source);
    }
}

void frmMain::ForgetPress() {
    if (Mouse.DragSource >= 0) {
        view_.Board().SetDragPointer(Mouse.DragSource, 0);
        view_.Board().SetPicture(Mouse.DragSource, PlainPicture(SquareOfControl(Mouse.DragSource)));
    }
    Mouse.DragSource = -1;
    Mouse.DragStarted = 0;
    Mouse.DragX = 0;
    Mouse.DragY = 0;
    Mouse.EmptyPress = 0;
    Mouse.HintsShown = 0;
}

void frmMain::Form_MouseMove() {
    if (Config.ShowMoves == 1) Mouse.HintsShown = 0;
}

void frmMain::c_MouseMove(int index, double x, double y) {
    if (Mouse.EmptyPress == 1 || Loading == 1 || GameOver == 1) return;
    Mouse.SetupJustEdited = 0;

    if (Config.ShowMoves == 1 && Mouse.HintsShown == 0) {
        Mouse.HintsShown = 1;
        ShowMovableHints();
    }
    if (Mouse.DragSource == -1) {
        const int square = SquareOfControl(index);
        if (HasMoveFrom(square)) {
            Mouse.HoverSquare = square;
            Mouse.HoverControl = index;
        }
    }
    if (Mouse.DragSource >= 0 && Mouse.DragStarted == 0) {
        // The first move of a drag: the piece leaves its square and follows the pointer.
        Mouse.DragStarted = 1;
        const int source = SquareOfControl(Mouse.DragSource);
        view_.Board().SetDragPointer(Mouse.DragSource, CursorPicture(source));
        SquareColour(source);
        view_.Board().SetPicture(Mouse.DragSource, Mouse.SquareIsLight == 1 ? 20 : 19);
        DrawHint(Mouse.DragSource, source);
    }
    Mouse.DragX = static_cast<int>(std::lround(x));
    Mouse.DragY = static_cast<int>(std::lround(y));
}

void frmMain::c_MouseDown(int index, MouseButton button, double /*x*/, double /*y*/) {
    // A left press while the last one is still held means its release never
    // arrived (the window system sent it elsewhere): that press is forgotten,
    // its piece put back, before this one is taken.
    if (button == MouseButton::Left && (Mouse.DragSource >= 0 || Mouse.EmptyPress == 1)) ForgetPress();
    if (Loading == 1 || Mouse.RightPressControl >= 0 || Mouse.SetupJustEdited == 1) return;
    if (button == MouseButton::Right) {
        if (Mouse.HintsShown != 1) Mouse.RightPressControl = index;
        return;
    }
    if (ShowsEmptySquare(view_.Board().Picture(index))) {
        if (Mouse.PopupJustClosed == 0) {
            Mouse.EmptyPress = 1;
            Mouse.HintsShown = 0;
        }
        Mouse.PopupJustClosed = 0;
        return;
    }
    if (GameOver == 1) return;

    Mouse.DragSource = index;
    const int square = SquareOfControl(index);
    SquareColour(square);
    view_.Board().SetPicture(index, Mouse.SquareIsLight == 1 ? 20 : 19);  // the piece is lifted

    const int piece = Pos.Board[At(square)];
    if (piece * Pos.SideToMove <= 0) {
        view_.Board().SetPicture(index, PlainPicture(square));
        ReadError error;
        error.Kind = ReadErrorKind::WrongSide;
        error.Token = SquareNotation(Pos, square);
        ShowError(error, ErrorContext::EnterMove);
        Mouse.DragSource = -1;
        return;
    }
    if (!HasMoveFrom(square)) {
        view_.Board().SetPicture(index, PlainPicture(square));
        ReadError error;
        error.Kind = ReadErrorKind::NoMoveFromSquare;
        error.Token = SquareNotation(Pos, square);
        ShowError(error, ErrorContext::EnterMove);
        Mouse.DragSource = -1;
        return;
    }
    view_.Board().SetDragPointer(index, CursorPicture(square));
    if (Config.ShowMoves == 1 && Mouse.HoverControl >= 0) DrawHint(Mouse.HoverControl, square);
    Mouse.DragStarted = 0;
    if (Config.ShowMoves != 1) return;

    // Only the hovered piece keeps its marks; its destinations are marked.
    const int first = Pos.DepthStart[At(Pos.TreeDepth)];
    const int end = Pos.DepthStart[At(Pos.TreeDepth + 1)];
    for (int i = first; i < end; ++i) {
        const int source = Pos.MoveList[At(i)].Source;
        if (source != Mouse.HoverSquare) view_.Board().SetPicture(ControlOfSquare(source), PlainPicture(source));
    }
    if (end > first) {
        Mouse.HintsShown = 1;
        for (int i = first; i < end; ++i) {
            const MoveRecord& r = Pos.MoveList[At(i)];
            if (r.Source == Mouse.HoverSquare) DrawHint(ControlOfSquare(r.Dest), r.Dest);
        }
    }
}

void frmMain::c_MouseUp(int index, MouseButton button, double x, double y) {
    if (Loading == 1) return;
    if (button == MouseButton::Right) {
        Mouse.RightPressControl = -1;
        if (Mouse.DragSource == -1 && x >= 0 && x <= RightClickReach && y >= 0 && y <= RightClickReach)
            OpenSetupMenu(index);
        return;
    }
    if (Mouse.EmptyPress == 1) {
        Mouse.EmptyPress = 0;
        DrawBoard();
        return;
    }
    if (Mouse.DragSource < 0) return;
    view_.Board().SetDragPointer(Mouse.DragSource, 0);

    const int source = SquareOfControl(Mouse.DragSource);
    const int target = DropSquare(source);
    if (target == 0 || target == source) {
        PutPieceBack(source);
        return;
    }
    std::string moveText = Upper(SquareNotation(Pos, source) + SquareNotation(Pos, target));
    const char pieceLetter = PieceLetter[At(std::abs(Pos.Board[At(source)]))];
    ForgetDrag();

    if (RecordFull()) {
        DrawBoard();
        RefuseFullRecord();
        Mouse.HintsShown = 0;
        return;
    }
    // A pawn reaching the last rank asks for its new piece.
    const bool lastRank = Pos.SideToMove == 1 ? target >= 91 && target <= 98 : target >= 21 && target <= 28;
    if (pieceLetter == ' ' && lastRank) moveText += AskPromotionPiece();

    if (InputMove(Pos, Input, moveText) == 0) {
        Mouse.DragX = 0;
        Mouse.DragY = 0;
        DrawBoard();
        ReadError error;
        error.Kind = ReadErrorKind::IllegalMove;
        error.Ply = Pos.CurrentPly + 1;
        error.Token = moveText;
        ShowError(error, ErrorContext::EnterMove);
        Mouse.HintsShown = 0;
        return;
    }
    RecordBoardMove(pieceLetter, moveText);
}

// The square a piece lifted from source is dropped on, counted in whole
// squares from the pressed control by the pointer's offset; 0 off the board.
int frmMain::DropSquare(int source) const {
    const int column = source % 10;
    const int row = source / 10;
    // With 568 twips a square the large-font layout, whose squares are 456
    // twips apart, would drop a piece short of where it was dragged.
    const int step = TwipsPerPixelX == 12 ? LargeDropStep : DropStep;
    const int cx = SquaresAway(Mouse.DragX, step);
    const int ry = SquaresAway(Mouse.DragY, step);
    int target;
    bool onBoard;
    if (Config.BoardTurned == 1) {
        target = source - cx + 10 * ry;
        onBoard = column - cx >= 1 && column - cx <= 8 && row + ry >= 2 && row + ry <= 9;
    } else {
        target = source + cx - 10 * ry;
        onBoard = column + cx >= 1 && column + cx <= 8 && row - ry >= 2 && row - ry <= 9;
    }
    return onBoard && target > 0 ? target : 0;
}

// A piece dropped off the board or on its own square goes back.
void frmMain::PutPieceBack(int source) {
    view_.Board().SetPicture(Mouse.DragSource, PlainPicture(source));
    Mouse.DragSource = -1;
    Mouse.HintsShown = 0;
    Mouse.DragStarted = 0;
    DrawBoard();
}

// The drag is over: the pointer state of the move is forgotten.
void frmMain::ForgetDrag() {
    Mouse.DragSource = -1;
    Mouse.PopupJustClosed = 0;
    Mouse.HoverSquare = 0;
    Mouse.HoverControl = -1;
    Mouse.DragX = 0;
    Mouse.DragY = 0;
    Mouse.EmptyPress = 0;
    Mouse.DragStarted = 0;
    Mouse.RightPressControl = -1;
    Mouse.SetupJustEdited = 0;
}

// The promotion menu: the letter of the piece chosen, or of the default
// piece when the menu is dismissed.
std::string frmMain::AskPromotionPiece() {
    const PromotionMenu menu = PromotionDefault(Pos.PromoChoice);
    Mouse.PromoLetter = menu.Default;
    // Menu entries in their order; Enabled is indexed Rook, Bishop, Knight, Queen, King.
    const std::vector<MenuItem> items = {
        {"promoking", "King", false, menu.Enabled[4], false},
        {"promoqueen", "Queen", false, menu.Enabled[3], false},
        {"promorook", "Rook", false, menu.Enabled[0], false},
        {"promobishop", "Bishop", false, menu.Enabled[1], false},
        {"promoknight", "Knight", false, menu.Enabled[2], false},
    };
    const std::string chosen = view_.PopupMenu("mnuPromo", items);
    if (chosen == "promoking")
        Mouse.PromoLetter = "K";
    else if (chosen == "promoqueen")
        Mouse.PromoLetter = "Q";
    else if (chosen == "promorook")
        Mouse.PromoLetter = "R";
    else if (chosen == "promobishop")
        Mouse.PromoLetter = "B";
    else if (chosen == "promoknight")
        Mouse.PromoLetter = "N";
    return Mouse.PromoLetter;
}

// The steps after a move entered on the board was played.
void frmMain::RecordBoardMove(char pieceLetter, const std::string& moveText) {
    AppendPly(pieceLetter, moveText, Pos.CurrentPly, true);
    CheckGameEnd(0);
    if (GameOver == 1) {
        SwapPlayerNames();
        DrawBoard();
    } else {
        // The game-end test has just listed the new position's moves.
        ListGeneratedMoves();
    }
    Mouse.HintsShown = 0;
}

}  // namespace orvane::ui
