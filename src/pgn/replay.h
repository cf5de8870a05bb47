// The movetext reader: sets up a game's start position, reads its tokens
// (moves, move numbers, results, comments, variations, glyphs), matches each
// standard algebraic move to a legal move and plays and records it.
#pragma once

#include <string>
#include <string_view>

#include "common/readerror.h"
#include "engine/position.h"
#include "notation/notation.h"
#include "pgn/collection.h"
#include "record/gamerecord.h"

namespace orvane::pgn {

// What a replay leaves besides the position and the record.
struct ReplayInfo {
    int FenSideToMove = 1;       // of the FEN read, 1 when none
    std::string FenMoveNumber;   // the FEN's full-move field, "" when none
    int GameHasMoves = 0;
    int GameOver = 0;            // the last move mated or stalemated
    ReadError Error;
};

// Replays a game from its text into pos, record and input (the record is
// reset first; names and results are left to the caller).
ReplayInfo ReplayGame(const GameText& game, Position& pos, GameRecord& record, MoveInput& input);

// Plays one coordinate text and records it as the next ply (the steps every
// file reader shares): returns false when the move is illegal.
bool PlayAndRecord(Position& pos, GameRecord& record, MoveInput& input, std::string_view coordinateText);

}  // namespace orvane::pgn
