// Square names and move texts: the coordinate text the engine accepts
// (E2E4, E7E8Q) and the display text shown to the user (Ng1-f3, " e5xd6").
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "engine/position.h"

namespace orvane {

// Lower-case name of a square ("e4"), or "--" off the board.
std::string SquareNotation(const Position& pos, int SquareNum);
// Square number of an upper-case name ("E4" gives 55); 0 when the first two
// characters are no square. Characters after the second are ignored.
inline int SquareNumber(std::string_view SquareNot) {
    if (SquareNot.size() < 2) return 0;
    const char f = SquareNot[0];
    const char r = SquareNot[1];
    if (f < 'A' || f > 'H' || r < '1' || r > '8') return 0;
    return (r - '1') * 10 + 20 + (f - 'A') + 1;
}

// What the last move entered by text left behind for the caller.
struct MoveInput {
    int LastWasCapture = 0;
    int LastWasPromotion = 0;
    int LastMoveSlot = 0;
    std::string MoveText;           // the last text built by DisplayMove
    std::string CaptureChar = "x";  // "x", or ":" by setting
};

// Finds the legal move matching a coordinate text and plays it. Returns 1
// when a move was played, 0 otherwise (the freshly generated list is the only
// change then).
int InputMove(Position& pos, MoveInput& in, std::string_view Move);

// Builds in.MoveText for MoveList(CurrMove); must run before the move is made.
void DisplayMove(const Position& pos, MoveInput& in, int CurrMove);

// "O-O" / "O-O-O" for a king's castling text, the text itself otherwise.
std::string CastleText(std::string_view text);

// The promotion menu's entries Rook, Bishop, Knight, Queen, King in that
// order: which are enabled, and the default letter ("Q" normally).
struct PromotionMenu {
    std::array<bool, 5> Enabled{};
    std::string Default;
};
PromotionMenu PromotionDefault(const std::array<int, 7>& PromoChoice);

// A text right-aligned in six columns (left-padded with blanks).
std::string RightAlign6(std::string_view text);

// The upper-cased copy of an ASCII text, and the lower-cased one.
std::string Upper(std::string_view text);
std::string Lower(std::string_view text);

}  // namespace orvane
