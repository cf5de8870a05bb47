// Make and unmake. The move record is the whole undo information, so the two
// functions are mirror images and must stay side by side.
#include "common/index.h"
#include "engine/position.h"

#ifdef ORVANE_CHECK_INVARIANTS
#include <cstdio>
#include <cstdlib>
#endif

namespace orvane {

namespace {

// The king square of a side after its king (piece code king) went from
// `from` to `to`, keeping it the first of the side's kings in square order
// on a set-up board with several. tracked is the square before the move.
// Only the squares between from and to can hold the new first king, so this
// costs a few steps at most.
int KingSquareAfter(const std::array<int, BoardSize>& board, int tracked, int king, int from, int to) {
    if (tracked != from) return tracked == NoKing || to < tracked ? to : tracked;
    for (int s = from + 1; s < to; ++s)
        if (board[At(s)] == king) return s;
    return to;
}

// How many InvariantChecksPaused objects live in this thread.
thread_local int checksPaused = 0;

#ifdef ORVANE_CHECK_INVARIANTS
// Debug and sanitizer builds stop at the first make or unmake that leaves
// the position broken, naming the step, the move and what is wrong.
void CheckAfter(const Position& pos, const char* step, const MoveRecord& r) {
    if (checksPaused > 0) return;
    const std::string complaint = pos.CheckInvariants();
    if (complaint.empty()) return;
    std::fprintf(stderr, "orvane: %s of the move %d-%d broke the position: %s\n", step, r.Source, r.Dest,
                 complaint.c_str());
    std::abort();
}
#endif
}  // namespace

InvariantChecksPaused::InvariantChecksPaused() { ++checksPaused; }
InvariantChecksPaused::~InvariantChecksPaused() { --checksPaused; }
bool InvariantChecksPaused::InEffect() { return checksPaused > 0; }

void Position::PerformMove(int CurrMove) {
    if (TreeDepth >= MaxTreeDepth) throw MoveTreeOverflow(TreeTooDeepText);
    const MoveRecord& r = MoveList[At(CurrMove)];
    const int from = r.Source;
    const int to = r.Dest;
    const int mover = SideToMove;

    ++CurrentPly;
    ++TreeDepth;
    EpTarget[At(TreeDepth)] = 0;
    ++MoveCounts[At(from)];
    ++MoveCounts[At(to)];

    // Before the piece moves: an empty EpSquare marks a double push, an
    // occupied one the pawn taken en passant.
    if (r.EpSquare != 0) {
        if (Board[At(r.EpSquare)] == 0)
            EpTarget[At(TreeDepth)] = r.EpSquare;
        else
            Board[At(r.EpSquare)] = 0;
    }

    Board[At(to)] = Board[At(from)];
    Board[At(from)] = 0;

    if (r.Promotion != 0) {
        Board[At(to)] = r.Promotion * mover;
    } else if (r.CastleKind == 1) {  // rook h-file to f-file
        Board[At(to + 1)] = 0;
        Board[At(to - 1)] = Rook * mover;
    } else if (r.CastleKind == 2) {  // rook a-file to d-file
        Board[At(to - 2)] = 0;
        Board[At(to + 1)] = Rook * mover;
    }

    if (Board[At(to)] == King) WhiteKing = KingSquareAfter(Board, WhiteKing, King, from, to);
    if (Board[At(to)] == -King) BlackKing = KingSquareAfter(Board, BlackKing, -King, from, to);
    SideToMove = -SideToMove;
#ifdef ORVANE_CHECK_INVARIANTS
    CheckAfter(*this, "PerformMove", r);
#endif
}

void Position::TakeBackMove(int CurrMove) {
    const MoveRecord& r = MoveList[At(CurrMove)];
    const int from = r.Source;
    const int to = r.Dest;

    --CurrentPly;
    SideToMove = -SideToMove;
    const int mover = SideToMove;
    --TreeDepth;

    Board[At(from)] = Board[At(to)];
    Board[At(to)] = 0;

    if (r.EpSquare != 0 && r.Captured == 1) {
        Board[At(r.EpSquare)] = -mover;  // the pawn taken en passant returns
    } else if (r.Captured != 0) {
        Board[At(to)] = -(r.Captured * mover);
    }

    --MoveCounts[At(from)];
    --MoveCounts[At(to)];

    if (r.CastleKind == 1) {
        Board[At(to + 1)] = Rook * mover;
        Board[At(to - 1)] = 0;
    } else if (r.CastleKind == 2) {
        Board[At(to - 2)] = Rook * mover;
        Board[At(to + 1)] = 0;
    }

    if (r.Promotion != 0) Board[At(from)] = mover;

    if (Board[At(from)] == King) WhiteKing = KingSquareAfter(Board, WhiteKing, King, to, from);
    if (Board[At(from)] == -King) BlackKing = KingSquareAfter(Board, BlackKing, -King, to, from);
#ifdef ORVANE_CHECK_INVARIANTS
    // The window's step back takes a stored move back at the root and sets
    // the depth to the root itself afterwards: one below it is allowed here.
    const int depth = TreeDepth;
    if (TreeDepth == -1) TreeDepth = 0;
    CheckAfter(*this, "TakeBackMove", r);
    TreeDepth = depth;
#endif
}

void Position::InitGameTree() {
    if (TreeDepth != 0) {
        EpTarget[0] = EpTarget[1];
        TreeDepth = 0;
    }
}

}  // namespace orvane
