#include "pgn/replay.h"

#include "common/index.h"

namespace orvane::pgn {

ReplayInfo ReplayGame(const GameText& game, Position& pos, GameRecord& record, MoveInput& input,
                      const ReplayOptions& options) {
    ReplayInfo info;

    // The engine half of the game reset, and the record's.
    pos.BlackStarts = 0;
    pos.LoadStandardPosition();
    pos.ResetTree();
    const std::string whiteName = record.WhiteName, blackName = record.BlackName;
    record.Reset(whiteName);
    record.BlackName = blackName;
    record.HasComments = 0;

    // The FEN of a set-up game.
    if (game.Tags.SetupTag == "1") {
        FenInfo fen;
        const ReadError fault = pos.ReadFen(game.Tags.FenTag, &fen);
        if (fault) {
            ReadError& e = info.Error;
            e.Kind = ReadErrorKind::BadFen;
            e.Game = game.Game;
            e.Ply = 1;
            e.Field = fault.Field;
            e.Detail = std::string(ReadErrorKindText(fault.Kind)) + " (field " + std::to_string(fault.Field) +
                       ", character " + std::to_string(fault.Column) + ") in \"" + game.Tags.FenTag + "\"";
            pos.GenerateMoves(1);
            return info;
        }
        pos.BlackStarts = 0;  // the side to move comes from the FEN alone
        // The FEN's en passant target belongs to the start position: the
        // moves offered at the start and every replay of the first move use it.
        record.PlayedEp[0] = pos.EpTarget[At(pos.TreeDepth)];
        info.FenRead = true;
        info.FenSideToMove = fen.FenSideToMove;
        info.FenMoveNumber = fen.FenMoveNumber;
    }

    // The moves.
    const bool literal = options.Matcher == MoveMatcher::Literal;
    if (literal) pos.GenerateMoves(1);
    ReadMovetext(game, pos, record, input, options, info);

    // The fast path leaves what the literal one leaves: the game-end test of
    // the final position and its legal moves at depth 0; or, when the caller
    // has no use for that list, only the answer whether any move is legal.
    if (!literal) {
        if (!options.FinalMoveList) {
            if (info.GameHasMoves != 0) info.GameOver = pos.TestGameEndOnly() != GameEnd::None ? 1 : 0;
        } else if (info.GameHasMoves != 0) {
            info.GameOver = pos.TestGameEnd() != GameEnd::None ? 1 : 0;
        } else {
            pos.GenerateMoves(1);
        }
    }
    return info;
}

int GamePlyNumber(const ReplayInfo& info, int ply) {
    return NumberingPly(ply, info.FenRead ? "1" : "", info.FenMoveNumber, info.FenSideToMove);
}

}  // namespace orvane::pgn
