// The entries of the available-moves list (List2): one per legal move of the
// side to move, with the book's continuations marked, and the way back from
// an entry to the move text that plays it.
#pragma once

#include <string>
#include <string_view>

#include "book/book.h"

namespace orvane {

// The List2 entry of a move: its long text (DisplayMove's MoveText), a king
// move passed through CastleText and right-aligned in 6 columns; then "b" when
// a book continuation (walking BookMoves from 0, stopping at the first empty
// entry) has its first two characters equal to sourceName and its last two
// equal to destName (the lower-case square names). The promotion piece is not
// compared.
std::string AvailableMoveEntry(std::string_view moveText, const BookMoveList& bookMoves, std::string_view sourceName,
                               std::string_view destName);

// What a double-click on a List2 entry hands to the move parser.
struct ListMove {
    char PieceLetter = ' ';  // first character of the entry (after castling is rewritten)
    std::string MoveText;    // text for InputMove: "E2E4", "G1F3", "E7E8Q", "E1G1"
};

// Turns an entry back into a move text. A trailing book marker "b" is dropped
// first. Castling entries ("   O-O", " O-O-O") become the king's move of the
// side to move (Ke1-g1/Ke1-c1 for sideToMove 1, Ke8-g8/Ke8-c8 otherwise).
// Then: drop the piece letter; if 6 characters remain the last is the
// promotion letter; upper-case; the first "X" back to "x"; cut out every
// captureChar, then every "-"; append the promotion letter.
// Returns false for an empty entry.
bool ParseAvailableMoveEntry(std::string_view entry, int sideToMove, std::string_view captureChar, ListMove& out);

}  // namespace orvane
