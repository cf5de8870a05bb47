// Drawing the board: the square pictures, the material counts, the
// coordinates beside the board and the players' labels.
#include <cstdlib>

#include "common/index.h"
#include "ui/frmmain.h"

namespace orvane::ui {

namespace {

// First picture of each piece type in the piece image list: bishop 1,
// king 4, knight 7, pawn 10, queen 13, rook 16 (Black on a dark square).
constexpr int PictureBase[7] = {0, 10, 16, 1, 7, 13, 4};
constexpr int EmptyDark = 19;
constexpr int EmptyLight = 20;

}  // namespace

int frmMain::ControlOfSquare(int square) const {
    const int r = square / 10;
    const int f = square % 10;
    return Config.BoardTurned == 1 ? 8 * (r - 1) - f : 8 * (9 - r) + f - 1;
}

int frmMain::SquareOfControl(int index) const {
    return Config.BoardTurned == 1 ? 28 + 10 * (index / 8) - index % 8 : 91 - 10 * (index / 8) + index % 8;
}

void frmMain::SquareColour(int square) {
    const int row = square / 10;
    const int column = square % 10;
    Mouse.SquareIsLight = (row % 2) == (column % 2) ? 1 : 0;
}

int frmMain::PlainPicture(int square) const {
    const int row = square / 10;
    const int light = (row % 2) == (square % 10 % 2) ? 1 : 0;
    const int piece = Pos.Board[At(square)];
    if (piece == 0 || piece == BorderValue) return light == 1 ? EmptyLight : EmptyDark;
    return PictureBase[std::abs(piece)] + (piece > 0 ? 20 : 0) + light;
}

int frmMain::CursorPicture(int square) const {
    const int piece = Pos.Board[At(square)];
    if (piece == 0 || piece == BorderValue) return 0;
    return PictureBase[std::abs(piece)] + (piece > 0 ? 20 : 0) + 2;
}

// A hint box is black on a light square and yellow on a dark one.
void frmMain::DrawHint(int index, int square) {
    SquareColour(square);
    view_.Board().DrawHintBox(index, Mouse.SquareIsLight == 1 ? Black : Yellow);
}

void frmMain::DrawBoard() {
    int whiteSum = 0;
    int blackSum = 0;
    for (int r = 9; r >= 2; --r) {
        for (int f = 1; f <= 8; ++f) {
            const int square = 10 * r + f;
            const int piece = Pos.Board[At(square)];
            if (piece > 0) whiteSum += PieceValue[At(piece)];
            if (piece < 0) blackSum += PieceValue[At(-piece)];
            SquareColour(square);
            view_.Board().SetPicture(ControlOfSquare(square), PlainPicture(square));
        }
    }

    const std::string whiteCount = SignedText(whiteSum / 100);
    const std::string blackCount = SignedText(blackSum / 100);
    view_.Labels(5).SetCaption(Pos.BlackStarts == 1 ? blackCount : whiteCount);
    view_.Labels(6).SetCaption(Pos.BlackStarts == 1 ? whiteCount : blackCount);

    if (Config.Notation == 0) {
        const bool large = TwipsPerPixelX == 12;
        for (int i = 1; i <= 8; ++i) {
            char letter = Config.BoardTurned == 1 ? static_cast<char>('h' - i + 1) : static_cast<char>('a' + i - 1);
            if (Config.CapNot == 1) letter = static_cast<char>(letter - 'a' + 'A');
            const char digit = Config.BoardTurned == 1 ? static_cast<char>('9' - i) : static_cast<char>('1' + i - 1);
            if (large) {
                view_.Canvas().DrawText(456 * i + 97, 4173, std::string(1, letter));
                view_.Canvas().DrawText(194, 4245 - 456 * i, std::string(1, digit));
            } else {
                view_.Canvas().DrawText(585 * i - 27, 5168, std::string(1, letter));
                view_.Canvas().DrawText(116, 5305 - 585 * i, std::string(1, digit));
            }
        }
    }
    view_.Canvas().DrawRectangle(366, 466, 4036, 4126, Black);
    ShowPlayers();
}

void frmMain::ShowPlayers() {
    if (Pos.BlackStarts == 1) {
        view_.Labels(3).SetCaption("Black");
        view_.Labels(4).SetCaption("White");
    } else {
        view_.Labels(4).SetCaption("Black");
        view_.Labels(3).SetCaption("White");
    }
    view_.Labels(2).SetCaption(Record.BlackName);
    view_.Labels(1).SetCaption(Record.WhiteName);

    // The label of the side to move is red with white text.
    const bool firstLabel = (Pos.SideToMove == 1) == (Pos.BlackStarts != 1);
    view_.Labels(firstLabel ? 1 : 2).SetColors(Red, White);
    view_.Labels(firstLabel ? 2 : 1).SetColors(White, Red);
}

void frmMain::SwapPlayerNames() { std::swap(Record.WhiteName, Record.BlackName); }

void frmMain::TurnBoard() {
    // Only 0 and 1 are stored, whatever the settings file held.
    Config.BoardTurned = Config.BoardTurned == 1 ? 0 : 1;
    view_.Canvas().Clear();
    DrawBoard();
}

void frmMain::ToggleNotation() {
    Config.Notation = Config.Notation == 1 ? 0 : 1;
    view_.Menu().SetChecked("Nonotation", Config.Notation == 1);
    view_.Canvas().Clear();
    DrawBoard();
}

}  // namespace orvane::ui
