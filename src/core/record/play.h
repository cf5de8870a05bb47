// Playing one move and recording it as the next ply of the game record: the
// steps every reader of games shares (the PGN reader, the program's own game
// files): the move played, its display and record texts, PlayedMoves,
// PlayedEp and LastPly.
#pragma once

#include <string_view>

#include "engine/position.h"
#include "notation/notation.h"
#include "record/gamerecord.h"

namespace orvane {

enum class PlayOutcome {
    Played,
    Illegal,     // InputMove refused the text (or its first two characters are no square)
    RecordFull,  // the record already holds MaxPlies plies; nothing was played
};

// Plays one coordinate text through InputMove and records it as the next
// ply, without the game-end test.
PlayOutcome PlayText(Position& pos, GameRecord& record, MoveInput& input, std::string_view coordinateText);

// PlayText, then the quiet game-end test, which leaves the tree at depth 0
// with the new position's legal moves (none: the game is over).
PlayOutcome PlayAndRecord(Position& pos, GameRecord& record, MoveInput& input, std::string_view coordinateText);

// Records a move a matcher has already made (in slot 0, at depth 1) as
// InputMove would have played and recorded its coordinate text: a
// promotion whose text lacks the letter of its piece is refused (the move
// is then taken back). movingLetter is the piece letter read before the
// move was made.
PlayOutcome RecordMadeMove(Position& pos, GameRecord& record, MoveInput& input, const MoveRecord& made,
                           std::string_view coordinateText, char movingLetter);

// The display text of a recorded ply, as the move list shows it before
// castling is turned into "O-O": the part of its record text after the blank.
std::string_view RecordedDisplayText(const GameRecord& record, int ply);

}  // namespace orvane
