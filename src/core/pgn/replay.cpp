#include "pgn/replay.h"

#include "common/index.h"

namespace orvane::pgn {

namespace {

// Whether the side to move has a legal move, asked with an early exit: the
// first steps of the pieces and the pawns' single pushes and captures are
// made and tested one by one until one is legal; only when none is does the
// full list decide. Leaves the tree at depth 0.
bool AnyLegalMove(Position& pos) {
    pos.InitGameTree();
    const int side = pos.SideToMove;
    auto legal = [&pos](int source, int dest, int target, int promotion) {
        const int captured = target < 0 ? -target : target;
        pos.MoveList[0] = MoveRecord{static_cast<std::int16_t>(source),
                                     static_cast<std::int16_t>(dest),
                                     static_cast<std::int16_t>(captured),
                                     static_cast<std::int16_t>(promotion),
                                     0,
                                     0,
                                     0};
        pos.PerformMove(0);
        const int attacked = pos.SideToMove == 1 ? pos.IsAttacked(pos.BlackKing, 1) : pos.IsAttacked(pos.WhiteKing, -1);
        pos.TakeBackMove(0);
        return attacked == 0;
    };
    // An enemy piece other than the king, or (quiet) an empty square.
    auto takes = [side](int target) {
        return target != BorderValue && target * side < 0 && target != King && target != -King;
    };
    for (int s = 21; s <= 98; ++s) {
        const int v = pos.Board[At(s)];
        if (v == BorderValue || v * side <= 0) continue;
        if (v == Pawn * side) {
            const int ahead = 10 * side;
            const int promotion = (side == 1 ? s > 80 : s <= 38) ? Queen : 0;
            if (pos.Board[At(s + ahead)] == 0 && legal(s, s + ahead, 0, promotion)) return true;
            for (const int to : {s + ahead + 1, s + ahead - 1})
                if (takes(pos.Board[At(to)]) && legal(s, to, pos.Board[At(to)], promotion)) return true;
            continue;
        }
        const PieceMove& pm = PieceMoves[At(v < 0 ? -v : v)];
        for (int k = pm.FirstDir; k <= pm.LastDir; ++k) {
            const int to = s + Directions[At(k)];
            const int target = pos.Board[At(to)];
            if ((target == 0 || takes(target)) && legal(s, to, target, 0)) return true;
        }
    }
    pos.GenerateMoves(1);
    return pos.CurrentMoveCount() > 0;
}

}  // namespace

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
            if (info.GameHasMoves != 0) info.GameOver = AnyLegalMove(pos) ? 0 : 1;
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
