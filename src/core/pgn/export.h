// Games out of the program in the PGN standard's export format: moves in
// standard algebraic notation, the tag pairs, the comments, lines of at most
// 79 characters.
#pragma once

#include <string>
#include <string_view>

#include "common/readerror.h"
#include "engine/position.h"
#include "pgn/tags.h"
#include "record/gamerecord.h"

namespace orvane::pgn {

// The longest line the export writes (unless one word of a comment is longer).
inline constexpr std::size_t ExportLineLength = 79;

// The standard algebraic text of MoveList(slot), one of the legal moves of
// pos generated at its current depth: the piece letter (none for a pawn),
// the from-square's file, else its rank, else both where another piece of
// the same kind has a legal move to the same square (a pawn capture names
// its file), "x" for a capture, the destination, "=Q" for a promotion, and
// "+" or "#" when the move gives check or mate; "O-O" and "O-O-O" for
// castling. The position is left as it was (the move list beyond the
// current depth's moves is scratch).
std::string SanText(Position& pos, int slot);

// The result the export gives a game: its result tag when that is "1-0",
// "0-1" or "1/2-1/2"; else, when the final position is checkmate or
// stalemate, what the board says; else "*".
std::string ExportResult(std::string_view resultTag, GameEnd finalPosition, int sideToMoveAtEnd);

struct ExportedGame {
    std::string Text;
    // IllegalMove (with Ply) when a ply of the record is no legal move of
    // the position before it: the record does not belong to that start.
    ReadError Error;
};

// One game in export format, every line ended by lineEnd, the movetext
// followed by one empty line:
// - the seven tags Event, Site, Date, Round, White, Black, Result in that
//   order ("?" for an empty value, "????.??.??" for an empty date, a year
//   alone as "1925.??.??"), then the
//   other tags the game holds in the order of their names, with SetUp "1"
//   and the FEN of start when it is not the standard start position; PlyCount,
//   when the game has it, counts the record's plies;
// - the plies 1..record.LastPly from start in standard algebraic notation,
//   numbered from start's full-move number, Black's move as "N..." when it
//   starts the game or follows a comment;
// - every comment in braces after its ply (Comments(0) before the first
//   move), one braced comment per line of it, "}" inside replaced by ")";
// - the result.
// Tag values and comments go out as UTF-8 (text that is not valid UTF-8 is
// taken as Windows-1252); in tag values quotes and backslashes are escaped.
ExportedGame ExportGame(const PgnTags& tags, const FenPosition& start, const GameRecord& record,
                        std::string_view lineEnd = "\n");

}  // namespace orvane::pgn
