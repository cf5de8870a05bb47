// The board model: the standard array, position strings, the reset and the
// invariant check the other tests rely on.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/position.h"
#include "engine_test_util.h"
#include "support/position_state.h"

namespace orvane {
namespace {

using testsupport::StateDifference;
using testsupport::StateScope;

TEST(StandardPosition, DecodesEveryPieceOnItsSquare) {
    const Position pos;
    const std::vector<int> whiteBackRank = {Rook, Knight, Bishop, Queen, King, Bishop, Knight, Rook};
    for (int file = 0; file < 8; ++file) {
        const auto f = static_cast<std::size_t>(file);
        SCOPED_TRACE("file " + std::to_string(file + 1));
        EXPECT_EQ(pos.Board[At(21 + file)], whiteBackRank[f]);
        EXPECT_EQ(pos.Board[At(31 + file)], Pawn);
        EXPECT_EQ(pos.Board[At(81 + file)], -Pawn);
        EXPECT_EQ(pos.Board[At(91 + file)], -whiteBackRank[f]);
        for (int rank = 3; rank <= 6; ++rank) EXPECT_EQ(pos.Board[At(rank * 10 + 11 + file)], 0);
    }
    EXPECT_EQ(pos.StartBoard, pos.Board);
    EXPECT_EQ(pos.WhiteKing, 25);
    EXPECT_EQ(pos.BlackKing, 95);
    EXPECT_EQ(pos.SideToMove, 1);
    EXPECT_EQ(pos.CheckInvariants(), "");
}

TEST(StandardPosition, BorderHoldsTheBorderValueOnly) {
    const Position pos;
    int border = 0;
    for (int s = 0; s < BoardSize; ++s) {
        if (IsPlayingSquare(s)) continue;
        ++border;
        EXPECT_EQ(pos.Board[At(s)], BorderValue) << "square " << s;
    }
    EXPECT_EQ(border, 56);
}

TEST(StandardPosition, EncodesBackToTheSameString) {
    const Position pos;
    EXPECT_EQ(pos.PositionString(), StandardPositionString);
    EXPECT_EQ(pos.BoardPositionString(), StandardPositionString);
}

TEST(StandardPosition, ResetWithBlackStartingGivesBlackTheMove) {
    Position pos;
    pos.BlackStarts = 1;
    pos.LoadStandardPosition();
    pos.ResetTree();
    EXPECT_EQ(pos.SideToMove, -1);
    pos.BlackStarts = 0;
    pos.LoadStandardPosition();
    EXPECT_EQ(pos.SideToMove, 1);
}

TEST(StandardPosition, ResetRestoresTablesAndCounters) {
    Position pos;
    ASSERT_TRUE(enginetest::PlayLine(pos, {"e2e4", "e7e5", "g1f3"}));
    pos.PromoChoice = {0, 0, 0, 0, 0, 0, 1};
    pos.LoadStandardPosition();
    pos.ResetTree();
    const Position fresh;
    EXPECT_EQ(StateDifference(pos, fresh, StateScope::Unchanged), "");
    EXPECT_EQ(pos.EpTarget, fresh.EpTarget);
}

TEST(PositionString, DecodesCharactersAsPieceCodes) {
    struct Row {
        char Character;
        int Value;
    };
    const std::vector<Row> rows = {{'0', 0},  {'1', 1},  {'2', 2},  {'3', 3},  {'4', 4},  {'5', 5}, {'6', 6},
                                   {'7', -1}, {'8', -2}, {'9', -3}, {'A', -4}, {'B', -5}, {'C', -6}};
    for (const Row& row : rows) EXPECT_EQ(DecodePositionChar(row.Character), row.Value) << row.Character;
}

// A custom position as a string: White king g1, rook f1, pawn h2; Black king
// g8, queen d8, knight c6 (a1 first, h8 last).
std::string CustomString() {
    std::string s(64, '0');
    auto put = [&](std::string_view square, char c) {
        s[static_cast<std::size_t>((square[1] - '1') * 8 + (square[0] - 'a'))] = c;
    };
    put("g1", '6');
    put("f1", '2');
    put("h2", '1');
    put("g8", 'C');
    put("d8", 'B');
    put("c6", 'A');
    return s;
}

TEST(PositionString, ValidStringRoundTripsAndSetsKings) {
    Position pos;
    const std::string text = CustomString();
    ASSERT_FALSE(pos.ReadPositionString(text));
    EXPECT_EQ(pos.BoardPositionString(), text);
    EXPECT_EQ(pos.PositionString(), text);
    EXPECT_EQ(pos.Board[At(enginetest::Sq("g1"))], King);
    EXPECT_EQ(pos.Board[At(enginetest::Sq("d8"))], -Queen);
    EXPECT_EQ(pos.Board[At(enginetest::Sq("c6"))], -Knight);
    EXPECT_EQ(pos.WhiteKing, enginetest::Sq("g1"));
    EXPECT_EQ(pos.BlackKing, enginetest::Sq("g8"));
    EXPECT_EQ(pos.CheckInvariants(), "");
}

struct BadStringRow {
    const char* Name;
    std::string Text;
    ReadErrorKind Kind;
    int Character;  // 0-based
};

TEST(PositionString, MalformedStringsAreRefusedAndChangeNothing) {
    const std::string good(StandardPositionString);
    auto with = [&](std::size_t at, char c) {
        std::string s = good;
        s[at] = c;
        return s;
    };
    const std::vector<BadStringRow> rows = {
        {"empty", "", ReadErrorKind::BadLength, 0},
        {"one short", good.substr(0, 63), ReadErrorKind::BadLength, 63},
        {"one long", good + "0", ReadErrorKind::BadLength, 65},
        {"lower-case letter", with(60, 'c'), ReadErrorKind::BadCharacter, 60},
        {"letter past C", with(10, 'D'), ReadErrorKind::BadCharacter, 10},
        {"dash", with(0, '-'), ReadErrorKind::BadCharacter, 0},
        {"blank", with(63, ' '), ReadErrorKind::BadCharacter, 63},
    };
    for (const BadStringRow& row : rows) {
        SCOPED_TRACE(row.Name);
        Position pos;
        ASSERT_TRUE(enginetest::LoadFen(pos, "r3k2r/8/8/8/8/8/8/R3K2R b kq - 0 12"));
        const Position before = pos;
        const ReadError err = pos.ReadPositionString(row.Text);
        EXPECT_EQ(err.Kind, row.Kind);
        EXPECT_EQ(err.Field, 0);
        EXPECT_EQ(err.Column, row.Character + 1);
        EXPECT_EQ(StateDifference(pos, before, StateScope::Everything), "");
    }
}

TEST(Invariants, CheckerNoticesBrokenState) {
    struct Row {
        const char* Name;
        void (*Break)(Position&);
    };
    const std::vector<Row> rows = {
        {"border square overwritten", [](Position& p) { p.Board[20] = 0; }},
        {"piece code out of range", [](Position& p) { p.Board[44] = 7; }},
        {"border value inside", [](Position& p) { p.Board[44] = BorderValue; }},
        {"white king square stale", [](Position& p) { p.WhiteKing = 26; }},
        {"black king square stale", [](Position& p) { p.BlackKing = 94; }},
        {"negative counter", [](Position& p) { p.MoveCounts[35] = -1; }},
        {"king square kept after the king went", [](Position& p) { p.Board[25] = 0; }},
        {"no king recorded while one stands", [](Position& p) { p.BlackKing = NoKing; }},
        {"second of two kings recorded", [](Position& p) { p.Board[21] = King; }},
        {"side to move zero", [](Position& p) { p.SideToMove = 0; }},
    };
    EXPECT_EQ(Position().CheckInvariants(), "");
    for (const Row& row : rows) {
        Position pos;
        row.Break(pos);
        EXPECT_NE(pos.CheckInvariants(), "") << row.Name;
    }
}

// Walks every line of legal moves to the given depth, checking the
// invariants (the king squares among them) after every make and unmake.
int WalkChecked(Position& pos, int depth) {
    if (depth == 0) return 1;
    pos.GenerateMoves(1);
    const auto d = At(pos.TreeDepth);
    int leaves = 0;
    for (int i = pos.DepthStart[d]; i < pos.DepthStart[d + 1]; ++i) {
        pos.PerformMove(i);
        EXPECT_EQ(pos.CheckInvariants(), "")
            << "after " << pos.MoveList[At(i)].Source << "-" << pos.MoveList[At(i)].Dest;
        leaves += WalkChecked(pos, depth - 1);
        pos.TakeBackMove(i);
        EXPECT_EQ(pos.CheckInvariants(), "");
        if (testing::Test::HasFailure()) return leaves;
    }
    return leaves;
}

TEST(KingSquares, FollowTheBoardOfASetUpPositionThroughMakeAndUnmake) {
    // Position setup allows any number of kings; the king squares name the
    // first of a side's kings in square order, or NoKing, whatever moves.
    struct Row {
        const char* Name;
        std::vector<std::pair<std::size_t, char>> Pieces;  // position-string index, character
        int WhiteKing;
        int BlackKing;
        int Side;
    };
    const std::vector<Row> rows = {
        {"two white kings, the first on a1", {{0, '6'}, {6, '6'}, {60, 'C'}, {9, '2'}}, 21, 95, 1},
        {"kings side by side on one rank", {{27, '6'}, {28, '6'}, {29, '6'}, {63, 'C'}}, 54, 98, 1},
        {"three black kings, Black to move", {{4, '6'}, {56, 'C'}, {59, 'C'}, {63, 'C'}, {44, '7'}}, 25, 91, -1},
        {"no white king", {{4, '2'}, {60, 'C'}, {12, '1'}}, NoKing, 95, 1},
        {"no black king, Black to move", {{4, '6'}, {57, 'A'}, {62, '7'}}, 25, NoKing, -1},
        {"no kings at all", {{0, '2'}, {63, '8'}}, NoKing, NoKing, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        std::string text(64, '0');
        for (const auto& [index, piece] : row.Pieces) text[index] = piece;
        Position pos;
        ASSERT_FALSE(pos.ReadPositionString(text));
        pos.SideToMove = row.Side;
        EXPECT_EQ(pos.WhiteKing, row.WhiteKing);
        EXPECT_EQ(pos.BlackKing, row.BlackKing);
        ASSERT_EQ(pos.CheckInvariants(), "");
        EXPECT_GT(WalkChecked(pos, 3), 0);
        EXPECT_EQ(pos.BoardPositionString(), text);
    }
}

TEST(KingSquares, ASideWithoutAKingMayMakeEveryMoveAndIsNeverInCheck) {
    // White: rook a1 and pawn e2, no king; Black: king e8 and a rook on a8
    // attacking a1's file. Every move of White stands.
    std::string text(64, '0');
    text[0] = '2';
    text[12] = '1';
    text[60] = 'C';
    text[56] = '8';
    Position pos;
    ASSERT_FALSE(pos.ReadPositionString(text));
    EXPECT_FALSE(pos.InCheck());
    EXPECT_EQ(enginetest::LegalMoves(pos).size(), 14u + 2u);  // rook 7 + 7, pawn 2
    EXPECT_EQ(pos.TestGameEnd(), GameEnd::None);

    // Nothing left to move and no king: stalemate, not mate.
    Position empty;
    ASSERT_FALSE(empty.ReadPositionString(std::string(64, '0')));
    EXPECT_EQ(empty.WhiteKing, NoKing);
    EXPECT_EQ(empty.TestGameEnd(), GameEnd::Stalemate);
}

}  // namespace
}  // namespace orvane
