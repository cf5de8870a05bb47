// The movetext reader: sets up a game's start position, reads its tokens
// (moves, move numbers, results, comments, variations, glyphs), matches each
// standard algebraic move to a legal move and plays and records it.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/readerror.h"
#include "engine/position.h"
#include "notation/notation.h"
#include "pgn/collection.h"
#include "record/gamerecord.h"

namespace orvane::pgn {

// How a standard algebraic move is found among the legal moves.
enum class MoveMatcher {
    // Looks only at the pieces that can reach the destination and tests
    // legality for those; plays the move found without a fresh list.
    Fast,
    // Walks the full generated list of every position and plays each move
    // through InputMove, as the program's steps are written. The fast matcher
    // must give exactly its results; tests compare the two.
    Literal,
};

struct ReplayOptions {
    MoveMatcher Matcher = MoveMatcher::Fast;
    // Called after every ply is played and recorded (ply = CurrentPly), with
    // the tree at depth 0; the move list is current only with the literal matcher.
    std::function<void(const Position&, const GameRecord&, int ply)> AfterPly;
    // The fast matcher ends with the final position's legal moves generated,
    // as the literal one does. A caller that never reads that list (a batch
    // check) may turn it off: the game-end test then only asks whether any
    // move is legal, and the move list and EpTarget(1) are scratch.
    bool FinalMoveList = true;
};

// What a replay leaves besides the position and the record.
struct ReplayInfo {
    bool FenRead = false;       // the SetUp tag was "1" and its FEN was read
    int FenSideToMove = 1;      // of the FEN read, 1 when none
    std::string FenMoveNumber;  // the FEN's full-move field, "" when none or absent
    int GameHasMoves = 0;
    int GameOver = 0;  // the side to move at the end is mated or stalemated
    ReadError Error;   // IllegalMove or a load error; None when the game replayed
};

// Replays a game from its text into pos, record and input: the start
// position (the standard array, or the FEN when the SetUp tag is exactly
// "1"), then every move of the main line with the comments, variation texts
// and glyph texts that follow it. The record is reset first (its player
// names are kept); results are left to the caller. On failure the position
// and record hold the moves read so far and the caller resets the game.
// The tree is left at depth 0 with the legal moves of the final position
// generated, whichever matcher ran (unless options.FinalMoveList is off).
ReplayInfo ReplayGame(const GameText& game, Position& pos, GameRecord& record, MoveInput& input,
                      const ReplayOptions& options = {});

// The game ply number N of a ply, from which the move list numbers its
// entries: the ply itself, or for a game started from a FEN counted on from
// the FEN's full-move number and side to move.
int GamePlyNumber(const ReplayInfo& info, int ply);

// The display text of a recorded ply, as the move list shows it before
// castling is turned into "O-O": the part of its record text after the blank.
std::string_view RecordedDisplayText(const GameRecord& record, int ply);

enum class SanMatch {
    Found,       // exactly one legal move fits
    Unreadable,  // the token names no destination square
    None,        // no legal move fits, or a promotion lacks its piece letter
    Several,     // more than one legal move fits; found is the first
};

// Matches one standard algebraic move token ("Nbd2", "exd8=Q+", "O-O") to
// the legal moves of pos as the reader does (the fast matcher): without its
// marks, the first legal move in generation order with the token's
// destination, piece letter, from-hint and promotion letter; a capture sign
// is not looked at. The tree must stand at depth 0. The position is left as
// it was; only slot 0 of the move list is overwritten.
SanMatch MatchSanMove(Position& pos, std::string_view token, MoveRecord& found);

enum class PlayOutcome {
    Played,
    Illegal,     // InputMove refused the text (or its first two characters are no square)
    RecordFull,  // the record already holds MaxPlies plies; nothing was played
};

// Plays one coordinate text and records it as the next ply (the steps every
// file reader shares): InputMove, the display and record texts, PlayedMoves,
// PlayedEp, LastPly, then the quiet game-end test, which leaves the tree at
// depth 0 with the new position's legal moves (none: the game is over).
PlayOutcome PlayAndRecord(Position& pos, GameRecord& record, MoveInput& input, std::string_view coordinateText);

}  // namespace orvane::pgn
