// Move generation: pseudo-legal moves square by square in a fixed order, then
// the moves that leave the mover's king attacked are removed.
#include "common/index.h"
#include "engine/position.h"

namespace orvane {

namespace {
inline std::int16_t I16(int v) { return static_cast<std::int16_t>(v); }
}  // namespace

int Position::RegisterMove(int source, int dest) {
    const int slot = MoveCount;
    MoveList[At(slot)] = MoveRecord{I16(source), I16(dest), 0, 0, 0, 0, 0};
    if (MoveCount < MoveListLast) ++MoveCount;
    return slot;
}

int Position::RegisterCaptureMove(int source, int dest) {
    const int victim = Board[At(dest)];
    if (victim == King || victim == -King) return -1;
    const int slot = MoveCount;
    MoveList[At(slot)] = MoveRecord{I16(source), I16(dest), I16(victim < 0 ? -victim : victim), 0, 0, 0, 0};
    if (MoveCount < MoveListLast) ++MoveCount;
    return slot;
}

void Position::RegisterPromotion(int source, int dest, int cm1) {
    // Queen, knight, bishop, rook: types PromoHigh down to PromoLow.
    if (Board[At(dest)] != 0) {
        for (int type = PromoHigh; type >= PromoLow; --type) {
            const int slot = RegisterCaptureMove(source, dest);
            if (slot >= 0) MoveList[At(slot)].Promotion = I16(type);
        }
    } else if (cm1 == 0) {
        for (int type = PromoHigh; type >= PromoLow; --type) {
            MoveList[At(RegisterMove(source, dest))].Promotion = I16(type);
        }
    }
}

int Position::RegisterEpCapture(int source, int target, int victim) {
    if (MoveCount >= MoveListLast) throw MoveTreeOverflow(MoveStackOverflowText);
    const int slot = MoveCount++;
    MoveList[At(slot)] = MoveRecord{I16(source), I16(target), 1, 0, 0, I16(victim), 0};
    return slot;
}

// The attack test on a given board: pawns, knights, then the first piece met
// along each line.
int SquareAttacked(const std::array<int, BoardSize>& board, int square, int attacker) {
    // Pawns.
    if (attacker == 1) {
        if (board[At(square - 11)] == 1 || board[At(square - 9)] == 1) return -1;
    } else {
        if (board[At(square + 11)] == -1 || board[At(square + 9)] == -1) return -1;
    }
    // Knights.
    const int knight = Knight * attacker;
    for (int k = 8; k <= 15; ++k) {
        if (board[At(square + Directions[At(k)])] == knight) return -1;
    }
    // Lines: the first piece met along each direction.
    for (int k = 0; k <= 7; ++k) {
        const int step = Directions[At(k)];
        int to = square + step;
        int steps = 1;
        while (board[At(to)] == 0) {
            to += step;
            ++steps;
        }
        const int piece = board[At(to)];
        if (piece == BorderValue || piece * attacker <= 0) continue;
        const int type = piece < 0 ? -piece : piece;
        if (type == King) {
            if (steps == 1) return -1;
        } else if (k >= PieceMoves[At(type)].FirstDir && k <= PieceMoves[At(type)].LastDir) {
            return -1;
        }
    }
    return 0;
}

int Position::IsAttacked(int square, int attacker) const {
    if (!IsPlayingSquare(square)) return 0;
    return SquareAttacked(Board, square, attacker);
}

void Position::GenerateMoves(int AllMoves) {
    const int d = TreeDepth;
    if (d < 0 || d >= MaxTreeDepth) throw MoveTreeOverflow(TreeTooDeepText);
    MoveCount = DepthStart[At(d)];
    const bool all = AllMoves > 0;

    for (int s = 21; s <= 98; ++s) {
        const int piece = Board[At(s)];
        if (piece == 0 || piece == BorderValue) continue;
        if (SideToMove == 1 ? piece < 0 : piece >= 1) continue;
        const int type = piece < 0 ? -piece : piece;

        if (type != Pawn) {
            const PieceMove& pm = PieceMoves[At(type)];
            for (int k = pm.FirstDir; k <= pm.LastDir; ++k) {
                const int step = Directions[At(k)];
                int to = s;
                for (;;) {
                    to += step;
                    const int target = Board[At(to)];
                    if (target == 0) {
                        if (all) RegisterMove(s, to);
                        if (pm.Slides != 0 && k <= 7) continue;
                        break;
                    }
                    if (target != BorderValue && target * SideToMove < 0) RegisterCaptureMove(s, to);
                    break;
                }
            }
        } else if (piece == 1) {
            if (Board[At(s + 10)] == 0) {
                if (s > 80) {
                    RegisterPromotion(s, s + 10, 0);
                } else if (all) {
                    RegisterMove(s, s + 10);
                    if (s < 39 && Board[At(s + 20)] == 0) MoveList[At(RegisterMove(s, s + 20))].EpSquare = I16(s + 10);
                }
            }
            for (const int to : {s + 11, s + 9}) {
                if (Board[At(to)] < 0) {
                    if (s < 81)
                        RegisterCaptureMove(s, to);
                    else
                        RegisterPromotion(s, to, 0);
                }
            }
        } else {
            if (Board[At(s - 10)] == 0) {
                if (s <= 38) {
                    RegisterPromotion(s, s - 10, 0);
                } else if (all) {
                    RegisterMove(s, s - 10);
                    if (s > 80 && Board[At(s - 20)] == 0) MoveList[At(RegisterMove(s, s - 20))].EpSquare = I16(s - 10);
                }
            }
            for (const int to : {s - 11, s - 9}) {
                const int target = Board[At(to)];
                if (target > 0 && target != BorderValue) {
                    if (s > 38)
                        RegisterCaptureMove(s, to);
                    else
                        RegisterPromotion(s, to, 0);
                }
            }
        }
    }

    // En passant, after all squares.
    const int t = EpTarget[At(d)];
    if (t != 0 && IsPlayingSquare(t)) {
        if (SideToMove == 1) {
            if (Board[At(t - 9)] == 1) RegisterEpCapture(t - 9, t, t - 10);
            if (Board[At(t - 11)] == 1) RegisterEpCapture(t - 11, t, t - 10);
        } else {
            if (Board[At(t + 9)] == -1) RegisterEpCapture(t + 9, t, t + 10);
            if (Board[At(t + 11)] == -1) RegisterEpCapture(t + 11, t, t + 10);
        }
    }

    // Castling: king and rook on their home squares with zero move counters,
    // the squares between empty, the king's path not attacked.
    if (SideToMove == 1) {
        if (MoveCounts[25] == 0 && WhiteKing == 25 && Board[25] == King) {
            if (Board[28] == Rook && MoveCounts[28] == 0 && Board[26] == 0 && Board[27] == 0 &&
                IsAttacked(25, -1) == 0 && IsAttacked(26, -1) == 0 && IsAttacked(27, -1) == 0)
                MoveList[At(RegisterMove(25, 27))].CastleKind = 1;
            if (Board[21] == Rook && MoveCounts[21] == 0 && Board[24] == 0 && Board[23] == 0 && Board[22] == 0 &&
                IsAttacked(25, -1) == 0 && IsAttacked(24, -1) == 0 && IsAttacked(23, -1) == 0)
                MoveList[At(RegisterMove(25, 23))].CastleKind = 2;
        }
    } else {
        if (MoveCounts[95] == 0 && BlackKing == 95 && Board[95] == -King) {
            if (Board[98] == -Rook && MoveCounts[98] == 0 && Board[96] == 0 && Board[97] == 0 &&
                IsAttacked(95, 1) == 0 && IsAttacked(96, 1) == 0 && IsAttacked(97, 1) == 0)
                MoveList[At(RegisterMove(95, 97))].CastleKind = 1;
            if (Board[91] == -Rook && MoveCounts[91] == 0 && Board[94] == 0 && Board[93] == 0 && Board[92] == 0 &&
                IsAttacked(95, 1) == 0 && IsAttacked(94, 1) == 0 && IsAttacked(93, 1) == 0)
                MoveList[At(RegisterMove(95, 93))].CastleKind = 2;
        }
    }

    // Legality: make each move, test the mover's king, take it back. A side
    // without a king cannot leave it attacked: every move of it stands. Removing
    // a move never changes whether another is legal, so one compacting pass
    // gives the same list in the same order as rescanning after each removal.
    int kept = DepthStart[At(d)];
    const int end = MoveCount;
    for (int l = DepthStart[At(d)]; l < end; ++l) {
        PerformMove(l);
        const int attacked = SideToMove == 1 ? IsAttacked(BlackKing, 1) : IsAttacked(WhiteKing, -1);
        TakeBackMove(l);
        if (attacked == 0) {
            if (kept != l) MoveList[At(kept)] = MoveList[At(l)];
            ++kept;
        }
    }
    MoveCount = kept;
    DepthStart[At(d + 1)] = MoveCount;
}

}  // namespace orvane
