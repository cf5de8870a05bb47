// The replay of a PGN game: its start position set up (the standard array or
// its FEN), then its movetext read, every move played and recorded.
#pragma once

#include <string_view>

#include "engine/position.h"
#include "notation/notation.h"
#include "pgn/collection.h"
#include "pgn/movetext.h"
#include "pgn/san.h"
#include "record/gamerecord.h"
#include "record/play.h"

namespace orvane::pgn {

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

// The names of playing and recording a ply, as the readers of games use them.
using orvane::PlayAndRecord;
using orvane::PlayOutcome;
using orvane::RecordedDisplayText;

}  // namespace orvane::pgn
