// The movetext reader: a game's movetext read token by token (move numbers,
// results, comments, variations, glyphs and moves), each move matched to a
// legal move and played and recorded, the comments, variation texts and
// glyph texts kept as the comment of the ply they follow.
#pragma once

#include <functional>
#include <string>

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

// Reads the movetext of game from the position pos holds: every move of the
// main line played and recorded, with the texts that follow it. Stops at the
// end of the movetext or at the first failure, which goes to info.Error.
// With the literal matcher the position's legal moves must be generated.
void ReadMovetext(const GameText& game, Position& pos, GameRecord& record, MoveInput& input,
                  const ReplayOptions& options, ReplayInfo& info);

}  // namespace orvane::pgn
