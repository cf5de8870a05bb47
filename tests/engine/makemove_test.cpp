// Make and unmake: each kind of move changes exactly its squares, and taking
// it back restores the position exactly, also over long random games.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/position.h"
#include "engine_test_util.h"
#include "notation/notation.h"
#include "support/position_state.h"

namespace orvane {
namespace {

using enginetest::FindSlot;
using enginetest::LoadFen;
using enginetest::MakeMove;
using enginetest::Rec;
using enginetest::Sq;
using testsupport::StateDifference;
using testsupport::StateScope;

constexpr const char* StartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
constexpr const char* KiwipeteFen = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";

struct MakeRow {
    const char* Name;
    const char* Fen;
    std::vector<std::string_view> Before;      // made down the tree first
    MoveRecord Move;                           // the record the generator must offer
    std::vector<std::pair<int, int>> Squares;  // every square whose value changes: (square, new value)
    std::vector<int> Counted;                  // the squares whose counter goes up by one
    int EpTarget;                              // EpTarget at the new depth
};

TEST(MakeAndTakeBack, EachKindOfMoveChangesExactlyItsSquares) {
    const std::vector<MakeRow> rows = {
        {"double push e2-e4", StartFen, {}, Rec(35, 55, 0, 0, 0, 45), {{35, 0}, {55, Pawn}}, {35, 55}, 45},
        {"Black double push c7-c5",
         "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1",
         {},
         Rec(83, 63, 0, 0, 0, 73),
         {{83, 0}, {63, -Pawn}},
         {83, 63},
         73},
        {"White takes en passant after d7-d5",
         "rnbqkbnr/pppppppp/8/4P3/8/8/PPPP1PPP/RNBQKBNR b KQkq - 0 2",
         {"d7d5"},
         Rec(65, 74, 1, 0, 0, 64),
         {{65, 0}, {74, Pawn}, {64, 0}},
         {65, 74},
         0},
        {"Black takes en passant after e2-e4",
         "4k3/8/8/8/3p4/8/4P3/4K3 w - - 0 1",
         {"e2e4"},
         Rec(54, 45, 1, 0, 0, 55),
         {{54, 0}, {45, -Pawn}, {55, 0}},
         {54, 45},
         0},
        {"White castles king side",
         "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1",
         {},
         Rec(25, 27, 0, 0, 1),
         {{25, 0}, {27, King}, {28, 0}, {26, Rook}},
         {25, 27},
         0},
        {"White castles queen side",
         "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1",
         {},
         Rec(25, 23, 0, 0, 2),
         {{25, 0}, {23, King}, {21, 0}, {24, Rook}},
         {25, 23},
         0},
        {"Black castles king side",
         "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1",
         {},
         Rec(95, 97, 0, 0, 1),
         {{95, 0}, {97, -King}, {98, 0}, {96, -Rook}},
         {95, 97},
         0},
        {"Black castles queen side",
         "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1",
         {},
         Rec(95, 93, 0, 0, 2),
         {{95, 0}, {93, -King}, {91, 0}, {94, -Rook}},
         {95, 93},
         0},
        {"promotion capture b7xa8=N",
         "r3k3/1P6/8/8/8/8/8/4K3 w - - 0 1",
         {},
         Rec(82, 91, Rook, Knight),
         {{82, 0}, {91, Knight}},
         {82, 91},
         0},
        {"quiet promotion e7-e8=Q",
         "k7/4P3/8/8/8/8/8/4K3 w - - 0 1",
         {},
         Rec(85, 95, 0, Queen),
         {{85, 0}, {95, Queen}},
         {85, 95},
         0},
        {"Black promotion capture g2xh1=R",
         "4k3/8/8/8/8/8/6p1/4K2R b - - 0 1",
         {},
         Rec(37, 28, Rook, Rook),
         {{37, 0}, {28, -Rook}},
         {37, 28},
         0},
        {"king takes the queen",
         "4k3/8/8/8/8/8/3q4/4K3 w - - 0 1",
         {},
         Rec(25, 34, Queen),
         {{25, 0}, {34, King}},
         {25, 34},
         0},
        {"knight takes a pawn",
         "4k3/8/8/4p3/8/5N2/8/4K3 w - - 0 1",
         {},
         Rec(46, 65, Pawn),
         {{46, 0}, {65, Knight}},
         {46, 65},
         0},
    };
    for (const MakeRow& row : rows) {
        SCOPED_TRACE(row.Name);
        Position pos;
        ASSERT_TRUE(LoadFen(pos, row.Fen));
        for (const std::string_view move : row.Before) ASSERT_TRUE(MakeMove(pos, move));
        pos.GenerateMoves(1);
        const int slot = FindSlot(pos, row.Move.Source, row.Move.Dest, row.Move.Promotion);
        ASSERT_GE(slot, 0) << "move not generated";
        EXPECT_EQ(pos.MoveList[At(slot)], row.Move);
        const Position before = pos;
        const int mover = pos.SideToMove;

        pos.PerformMove(slot);
        Position expected = before;
        for (const auto& [square, value] : row.Squares) expected.Board[At(square)] = value;
        for (const int square : row.Counted) ++expected.MoveCounts[At(square)];
        EXPECT_EQ(testsupport::BoardDifference("Board", pos.Board, expected.Board), "");
        EXPECT_EQ(testsupport::BoardDifference("MoveCounts", pos.MoveCounts, expected.MoveCounts), "");
        EXPECT_EQ(pos.StartBoard, before.StartBoard);
        EXPECT_EQ(pos.SideToMove, -mover);
        EXPECT_EQ(pos.TreeDepth, before.TreeDepth + 1);
        EXPECT_EQ(pos.CurrentPly, before.CurrentPly + 1);
        EXPECT_EQ(pos.EpTarget[At(pos.TreeDepth)], row.EpTarget);
        EXPECT_EQ(pos.CheckInvariants(), "");

        pos.TakeBackMove(slot);
        EXPECT_EQ(StateDifference(pos, before, StateScope::Restored), "");
        EXPECT_EQ(pos.CheckInvariants(), "");
    }
}

TEST(InitGameTree, FoldsDepthOneIntoTheRootKeepingTheTarget) {
    Position pos;
    ASSERT_TRUE(MakeMove(pos, "e2e4"));
    ASSERT_EQ(pos.EpTarget[1], 45);
    const int ply = pos.CurrentPly;
    pos.InitGameTree();
    EXPECT_EQ(pos.TreeDepth, 0);
    EXPECT_EQ(pos.EpTarget[0], 45);
    EXPECT_EQ(pos.CurrentPly, ply);
    EXPECT_EQ(pos.Board[55], Pawn);
    EXPECT_EQ(pos.MoveCounts[55], 1);
}

TEST(InitGameTree, AtTheRootChangesNothing) {
    Position pos;
    ASSERT_TRUE(LoadFen(pos, "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1"));
    pos.EpTarget[1] = 66;  // scratch left by an earlier move at depth 1
    const Position before = pos;
    pos.InitGameTree();
    EXPECT_EQ(StateDifference(pos, before, StateScope::Everything), "");
}

// Squares whose value a move changes: two, three for en passant, four for castling.
int ChangedSquares(const Position& a, const Position& b) {
    int changed = 0;
    for (std::size_t s = 0; s < a.Board.size(); ++s)
        if (a.Board[s] != b.Board[s]) ++changed;
    return changed;
}

int ExpectedChanges(const MoveRecord& r) {
    if (r.CastleKind != 0) return 4;
    if (r.Captured == 1 && r.EpSquare != 0) return 3;
    return 2;
}

// Upper-case coordinate text of a record as the program's callers pass it.
std::string CoordinateText(const Position& pos, const MoveRecord& r) {
    std::string text = Upper(SquareNotation(pos, r.Source) + SquareNotation(pos, r.Dest));
    if (r.Promotion != 0) text += PieceLetter[At(r.Promotion)];
    return text;
}

struct GameStart {
    const char* Name;
    const char* Fen;
};

const std::vector<GameStart>& GameStarts() {
    static const std::vector<GameStart> starts = {
        {"start position", StartFen},
        {"Kiwipete", KiwipeteFen},
        {"promotions both ways", "r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1"},
        {"pawn endgame with en passant", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1"},
        {"castling both sides, promotion near", "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8"},
    };
    return starts;
}

// Plays random games as the program does: the legal list at depth 0, one move
// chosen, the tree folded back. Before each choice every candidate is made,
// checked, its replies generated one level down, and taken back; the position
// and the depth-0 list must be exactly as before.
TEST(MakeAndTakeBack, RandomGamesRestoreEverythingAfterEveryCandidate) {
    constexpr int pliesPerGame = 160;
    int candidates = 0;
    for (const GameStart& start : GameStarts()) {
        for (std::uint32_t seed : {1u, 2u, 3u}) {
            SCOPED_TRACE(std::string(start.Name) + ", seed " + std::to_string(seed));
            std::mt19937 rng(seed);
            Position pos;
            ASSERT_TRUE(LoadFen(pos, start.Fen));
            MoveInput input;
            for (int ply = 0; ply < pliesPerGame; ++ply) {
                SCOPED_TRACE("ply " + std::to_string(ply));
                if (pos.TestGameEnd() != GameEnd::None) break;
                ASSERT_EQ(pos.TreeDepth, 0);
                const Position before = pos;
                const int first = pos.DepthStart[0];
                const int last = pos.DepthStart[1];
                ASSERT_GT(last, first);

                for (int i = first; i < last; ++i) {
                    const MoveRecord r = pos.MoveList[At(i)];
                    const int mover = pos.SideToMove;
                    const int piece = pos.Board[At(r.Source)];
                    pos.PerformMove(i);
                    ++candidates;
                    ASSERT_EQ(pos.CheckInvariants(), "") << testing::PrintToString(r);
                    ASSERT_EQ(pos.Board[At(r.Dest)], r.Promotion != 0 ? r.Promotion * mover : piece)
                        << testing::PrintToString(r);
                    ASSERT_EQ(ChangedSquares(pos, before), ExpectedChanges(r)) << testing::PrintToString(r);
                    // A legal move never leaves the mover's own king attacked.
                    ASSERT_EQ(pos.IsAttacked(mover == 1 ? pos.WhiteKing : pos.BlackKing, -mover), 0)
                        << testing::PrintToString(r);
                    pos.GenerateMoves(1);
                    ASSERT_EQ(pos.DepthStart[1], last);
                    pos.TakeBackMove(i);
                    ASSERT_EQ(StateDifference(pos, before, StateScope::Restored), "") << testing::PrintToString(r);
                    for (int j = first; j < last; ++j)
                        ASSERT_EQ(pos.MoveList[At(j)], before.MoveList[At(j)]) << "depth-0 list, slot " << j;
                }

                const int chosen = first + static_cast<int>(rng() % static_cast<unsigned>(last - first));
                if (rng() % 2 == 0) {
                    const MoveRecord r = pos.MoveList[At(chosen)];
                    ASSERT_EQ(InputMove(pos, input, CoordinateText(pos, r)), 1) << CoordinateText(pos, r);
                    ASSERT_EQ(input.LastMoveSlot, chosen);
                } else {
                    pos.PerformMove(chosen);
                    pos.InitGameTree();
                }
                ASSERT_EQ(pos.CurrentPly, before.CurrentPly + 1);
            }
        }
    }
    EXPECT_GT(candidates, 10000);
}

// Walks random lines deep into the tree without folding it: every depth keeps
// its own list and en passant slot, and taking the whole line back returns
// the root exactly.
TEST(MakeAndTakeBack, DeepRandomLinesUnwindToTheRoot) {
    constexpr int maxDepth = 12;
    for (const GameStart& start : GameStarts()) {
        for (std::uint32_t seed = 10; seed < 30; ++seed) {
            SCOPED_TRACE(std::string(start.Name) + ", seed " + std::to_string(seed));
            std::mt19937 rng(seed);
            Position pos;
            ASSERT_TRUE(LoadFen(pos, start.Fen));
            const Position root = pos;
            std::vector<int> slots;
            std::vector<std::vector<MoveRecord>> lists;
            std::vector<Position> states;
            while (pos.TreeDepth < maxDepth) {
                const std::vector<MoveRecord> moves = enginetest::LegalMoves(pos);
                if (moves.empty()) break;
                const auto d = At(pos.TreeDepth);
                const int chosen = pos.DepthStart[d] + static_cast<int>(rng() % moves.size());
                lists.push_back(moves);
                states.push_back(pos);
                slots.push_back(chosen);
                pos.PerformMove(chosen);
                ASSERT_EQ(pos.CheckInvariants(), "");
            }
            // Generating below never disturbs the lists above.
            for (std::size_t d = 0; d < lists.size(); ++d) {
                for (std::size_t k = 0; k < lists[d].size(); ++k)
                    ASSERT_EQ(pos.MoveList[At(pos.DepthStart[d]) + k], lists[d][k]) << "depth " << d;
            }
            while (!slots.empty()) {
                pos.TakeBackMove(slots.back());
                slots.pop_back();
                ASSERT_EQ(StateDifference(pos, states.back(), StateScope::Restored), "") << "depth " << pos.TreeDepth;
                states.pop_back();
            }
            EXPECT_EQ(StateDifference(pos, root, StateScope::Restored), "");
        }
    }
}

// Debug and sanitizer builds check the position after every make and unmake
// and stop the program at the first step that leaves it broken.
TEST(MakeAndTakeBackDeathTest, ABrokenPositionStopsCheckingBuilds) {
#ifndef ORVANE_CHECK_INVARIANTS
    GTEST_SKIP() << "this build does not check the position after make and unmake";
#else
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Position pos;
    pos.GenerateMoves(1);
    const int first = pos.DepthStart[0];
    pos.WhiteKing = Sq("f1");  // stale: the king stands on e1
    EXPECT_DEATH(pos.PerformMove(first), "PerformMove of the move [0-9]+-[0-9]+ broke the position: WhiteKing is 26");
    pos.WhiteKing = Sq("e1");
    pos.PerformMove(first);
    pos.Board[20] = 0;  // a border square
    EXPECT_DEATH(pos.TakeBackMove(first),
                 "TakeBackMove of the move [0-9]+-[0-9]+ broke the position: border square 20");
    {
        const InvariantChecksPaused paused;  // the checks rest
        pos.TakeBackMove(first);
    }
    EXPECT_EQ(pos.CheckInvariants(), "border square 20 holds 0");
#endif
}

}  // namespace
}  // namespace orvane
