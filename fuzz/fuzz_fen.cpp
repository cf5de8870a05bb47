// The FEN reader on arbitrary text. A refused FEN leaves the position as it
// was; an accepted one gives a position whose invariants hold, whose legal
// moves can be generated, and where every move made and taken back restores
// it exactly (and one reply below a chosen move as well).
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/position.h"
#include "fuzz_support.h"

namespace {

using orvane::Position;
using orvane::fuzz::Fail;
using orvane::fuzz::Require;

std::size_t At(int i) { return static_cast<std::size_t>(i); }

int KingsOnBoard(const Position& pos, int king) {
    int count = 0;
    for (int s = 21; s <= 98; ++s)
        if (pos.Board[At(s)] == king) ++count;
    return count;
}

// Everything that make and unmake must restore. A king square is compared
// only where its side has exactly one king: with two, taking back a move of
// the one not named leaves it named (such positions are not chess).
bool SameState(const Position& a, const Position& b) {
    if (a.Board != b.Board || a.MoveCounts != b.MoveCounts || a.SideToMove != b.SideToMove ||
        a.TreeDepth != b.TreeDepth || a.CurrentPly != b.CurrentPly)
        return false;
    if (KingsOnBoard(a, orvane::King) == 1 && a.WhiteKing != b.WhiteKing) return false;
    if (KingsOnBoard(a, -orvane::King) == 1 && a.BlackKing != b.BlackKing) return false;
    for (int d = 0; d <= a.TreeDepth; ++d)
        if (a.EpTarget[At(d)] != b.EpTarget[At(d)]) return false;
    return true;
}

std::string MoveName(const Position& pos, int slot) {
    const orvane::MoveRecord& r = pos.MoveList[At(slot)];
    return std::to_string(r.Source) + "-" + std::to_string(r.Dest);
}

// Makes and takes back every legal move at the current depth; below the move
// `deeper` (a slot offset) it does the same one ply further.
void WalkMoves(Position& pos, int plies, std::size_t deeper) {
    pos.GenerateMoves(1);
    const int first = pos.DepthStart[At(pos.TreeDepth)];
    const int end = pos.DepthStart[At(pos.TreeDepth) + 1];
    Require(first <= end && end <= orvane::MoveListLast + 1, "move list bounds");
    Require(end == pos.MoveCount, "MoveCount is not the end of the list just generated");
    if (end == first) return;
    const int chosen = first + static_cast<int>(deeper % static_cast<std::size_t>(end - first));
    for (int slot = first; slot < end; ++slot) {
        const Position before = pos;
        pos.PerformMove(slot);
        const std::string after = pos.CheckInvariants();
        if (!after.empty()) Fail("after " + MoveName(pos, slot) + ": " + after);
        // A legal move never leaves the mover's own king attacked (where the
        // mover has one king: the test knows one king square a side).
        const int mover = -pos.SideToMove;
        const int king = mover == 1 ? pos.WhiteKing : pos.BlackKing;
        if (KingsOnBoard(pos, orvane::King * mover) == 1 && pos.Board[At(king)] == orvane::King * mover)
            if (pos.IsAttacked(king, -mover) != 0) Fail("move " + MoveName(pos, slot) + " leaves its king attacked");
        if (plies > 1 && slot == chosen) WalkMoves(pos, plies - 1, deeper / 7);
        pos.TakeBackMove(slot);
        if (!SameState(pos, before)) Fail("taking back " + MoveName(pos, slot) + " does not restore the position");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Position start;
    Position pos = start;
    orvane::FenInfo info;
    const orvane::ReadError error = pos.ReadFen(orvane::fuzz::Text(data, size), &info);
    if (error) {
        Require(SameState(pos, start) && pos.StartBoard == start.StartBoard && pos.BlackStarts == start.BlackStarts,
                "a refused FEN changed the position");
        Require(error.Field >= 0 && error.Field <= 6, "error field out of range");
        Require(error.Column >= 1 && static_cast<std::size_t>(error.Column) <= size + 1,
                "error position outside the text");
        return 0;
    }
    const std::string invariants = pos.CheckInvariants();
    if (!invariants.empty()) Fail("accepted FEN: " + invariants);
    Require(info.FenSideToMove == pos.SideToMove, "FenSideToMove differs from the side to move");
    Require(pos.StartBoard == pos.Board, "StartBoard differs from Board");

    WalkMoves(pos, 2, size);
    (void)pos.InCheck();
    (void)pos.TestGameEnd();
    if (!pos.CheckInvariants().empty()) Fail("after the game-end test: " + pos.CheckInvariants());
    return 0;
}
