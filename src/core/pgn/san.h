// A move token in standard algebraic notation ("Nbd2", "exd8=Q+", "O-O"):
// its marks removed, its fields parsed, and the legal move it names found,
// by walking the generated list (the literal matcher) or by looking only at
// the moves to its destination (the fast matcher), which must give the
// literal matcher's results.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "engine/position.h"

namespace orvane::pgn {

// The fields of a move token after its suffixes were removed.
struct ParsedMove {
    std::string_view Dest;  // a square name as written; empty when nothing was parsed
    char Piece = ' ';
    bool HasHint = false;
    char Hint = 0;  // lower-cased
    bool HasPromotion = false;
    char Promotion = 0;  // upper-cased
};

// Parses a token without its marks: by its length and the characters at
// fixed places; castling gives the king's destination for sideToMove.
ParsedMove ParseToken(std::string_view t, int sideToMove);

// A move token without its comment marks (two at most) and its check or
// mate sign.
std::string_view WithoutMarks(std::string_view t);

// The text tried when no legal move fits the token: a leading R, Q or N
// dropped, a capture cut to its squares, upper case.
std::string FallbackText(std::string_view t);

// The square a parsed token names, 0 when it names none.
int DestinationSquare(const ParsedMove& m);

// The coordinate text of a matched move: its from-square, the token's
// destination and promotion letter, upper case.
std::string CoordinateText(int source, const ParsedMove& m);
// The same, written into text, which holds it while it lives.
using CoordinateChars = std::array<char, 5>;
std::string_view CoordinateText(CoordinateChars& text, int source, const ParsedMove& m);

// The literal matcher: the slot of the first move of the generated list at
// the current depth that fits, -1 when none does.
int LiteralMatch(const Position& pos, int dest, const ParsedMove& m);

// The fast matcher. It asks the move generator for the legal moves of the
// token's piece to its destination alone, in generation order: the first
// that fits is the move the literal matcher finds in the full list.
class FastMatcher {
public:
    // check: whether the side to move stands in check, when the caller knows.
    FastMatcher(Position& pos, const ParsedMove& m, int dest, KingCheck check = KingCheck::Unknown)
        : pos_(pos), m_(m), dest_(dest), check_(check) {}

    // The first legal move that fits, made in slot 0 at depth 1 as InputMove
    // would leave it; false when none fits (the position is as it was).
    bool Find(MoveRecord& found);
    // The piece letter of the move found, read before it was made.
    char MovingLetter() const { return movingLetter_; }
    // Passes over the first n legal moves that fit: Find then gives the next.
    void SkipFits(int n) { skip_ = n; }

private:
    static int TypeOfLetter(char letter);

    Position& pos_;
    const ParsedMove& m_;
    int dest_;
    KingCheck check_;
    char movingLetter_ = ' ';
    int skip_ = 0;
};

enum class SanMatch {
    Found,       // exactly one legal move fits
    Unreadable,  // the token names no destination square
    None,        // no legal move fits, or a promotion lacks its piece letter
    Several,     // more than one legal move fits; found is the first
};

// Matches one standard algebraic move token to the legal moves of pos as
// the reader does (the fast matcher): without its marks, the first legal
// move in generation order with the token's destination, piece letter,
// from-hint and promotion letter; a capture sign is not looked at. The tree
// must stand at depth 0. The position is left as it was; only slot 0 of the
// move list is overwritten.
SanMatch MatchSanMove(Position& pos, std::string_view token, MoveRecord& found);

}  // namespace orvane::pgn
