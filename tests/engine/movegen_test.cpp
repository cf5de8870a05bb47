// Move generation: the exact order of the legal list, en passant, castling,
// promotions, and the limits of the shared move list.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/position.h"
#include "engine_test_util.h"

namespace orvane {
namespace {

using enginetest::FindSlot;
using enginetest::LegalMoves;
using enginetest::LoadFen;
using enginetest::MakeMove;
using enginetest::PlayLine;
using enginetest::Rec;
using enginetest::Sq;

TEST(GenerationOrder, StartPositionTwentyMovesInBoardOrder) {
    Position pos;
    const std::vector<MoveRecord> expected = {
        Rec(22, 41), Rec(22, 43),
        Rec(27, 46), Rec(27, 48),
        Rec(31, 41), Rec(31, 51, 0, 0, 0, 41),
        Rec(32, 42), Rec(32, 52, 0, 0, 0, 42),
        Rec(33, 43), Rec(33, 53, 0, 0, 0, 43),
        Rec(34, 44), Rec(34, 54, 0, 0, 0, 44),
        Rec(35, 45), Rec(35, 55, 0, 0, 0, 45),
        Rec(36, 46), Rec(36, 56, 0, 0, 0, 46),
        Rec(37, 47), Rec(37, 57, 0, 0, 0, 47),
        Rec(38, 48), Rec(38, 58, 0, 0, 0, 48),
    };
    EXPECT_EQ(LegalMoves(pos), expected);
    EXPECT_EQ(pos.DepthStart[0], 0);
    EXPECT_EQ(pos.DepthStart[1], 20);
    EXPECT_EQ(pos.MoveCount, 20);
    EXPECT_EQ(pos.CurrentMoveCount(), 20);
}

TEST(GenerationOrder, BlackRepliesFollowTheDepthZeroList) {
    Position pos;
    ASSERT_TRUE(MakeMove(pos, "e2e4"));
    const std::vector<MoveRecord> replies = LegalMoves(pos);
    ASSERT_EQ(replies.size(), 20u);
    EXPECT_EQ(pos.DepthStart[1], 20);
    EXPECT_EQ(pos.DepthStart[2], 40);
    // Square by square from a1 upward: Black's pawns come before its pieces.
    EXPECT_EQ(replies.front(), Rec(81, 71));
    EXPECT_EQ(replies[1], Rec(81, 61, 0, 0, 0, 71));
    EXPECT_EQ(replies[16], Rec(92, 73));  // b8-c6: offsets -19, -21 of the knight
    EXPECT_EQ(replies[17], Rec(92, 71));
    EXPECT_EQ(replies.back(), Rec(97, 76));
    // The depth-0 list is still in place below it.
    EXPECT_EQ(pos.MoveList[13], Rec(35, 55, 0, 0, 0, 45));
}

struct OrderRow {
    const char* Name;
    const char* Fen;
    std::vector<MoveRecord> Expected;
};

TEST(GenerationOrder, FullListsOfSmallPositions) {
    const std::vector<OrderRow> rows = {
        {"knight tries its eight jumps in table order",
         "4k3/8/8/8/3N4/8/8/4K3 w - - 0 1",
         {Rec(25, 34), Rec(25, 36), Rec(25, 24), Rec(25, 35), Rec(25, 26), Rec(54, 73), Rec(54, 75), Rec(54, 66),
          Rec(54, 46), Rec(54, 35), Rec(54, 33), Rec(54, 42), Rec(54, 62)}},
        {"queen slides diagonals first, then files and ranks",
         "4k3/8/8/8/8/8/8/Q3K3 w - - 0 1",
         {Rec(21, 32), Rec(21, 43), Rec(21, 54), Rec(21, 65), Rec(21, 76), Rec(21, 87), Rec(21, 98), Rec(21, 31),
          Rec(21, 41), Rec(21, 51), Rec(21, 61), Rec(21, 71), Rec(21, 81), Rec(21, 91), Rec(21, 22), Rec(21, 23),
          Rec(21, 24), Rec(25, 34), Rec(25, 36), Rec(25, 24), Rec(25, 35), Rec(25, 26)}},
        {"both en passant captures, White: the pawn on target-9 first",
         "4k3/8/8/2PpP3/8/8/8/4K3 w - d6 0 1",
         {Rec(25, 34), Rec(25, 36), Rec(25, 24), Rec(25, 35), Rec(25, 26), Rec(63, 73), Rec(65, 75),
          Rec(65, 74, 1, 0, 0, 64), Rec(63, 74, 1, 0, 0, 64)}},
        {"both en passant captures, Black: the pawn on target+9 first",
         "4k3/8/8/8/3pPp2/8/8/4K3 b - e3 0 1",
         {Rec(54, 44), Rec(56, 46), Rec(95, 86), Rec(95, 84), Rec(95, 94), Rec(95, 96), Rec(95, 85),
          Rec(54, 45, 1, 0, 0, 55), Rec(56, 45, 1, 0, 0, 55)}},
        {"promotions queen, knight, bishop, rook; push before capture",
         "r3k3/1P6/8/8/8/8/8/4K3 w - - 0 1",
         {Rec(25, 34), Rec(25, 36), Rec(25, 24), Rec(25, 35), Rec(25, 26), Rec(82, 92, 0, Queen),
          Rec(82, 92, 0, Knight), Rec(82, 92, 0, Bishop), Rec(82, 92, 0, Rook), Rec(82, 91, Rook, Queen),
          Rec(82, 91, Rook, Knight), Rec(82, 91, Rook, Bishop), Rec(82, 91, Rook, Rook)}},
        {"Black promotions, capture on h1 after the push",
         "4k3/8/8/8/8/8/6p1/4K2R b - - 0 1",
         {Rec(37, 27, 0, Queen), Rec(37, 27, 0, Knight), Rec(37, 27, 0, Bishop), Rec(37, 27, 0, Rook),
          Rec(37, 28, Rook, Queen), Rec(37, 28, Rook, Knight), Rec(37, 28, Rook, Bishop), Rec(37, 28, Rook, Rook),
          Rec(95, 86), Rec(95, 84), Rec(95, 94), Rec(95, 96), Rec(95, 85)}},
        {"pinned knight and king steps into check are left out",
         "3rr1k1/8/8/8/8/8/4N3/4K3 w - - 0 1",
         {Rec(25, 36), Rec(25, 26)}},
        {"in check from a knight only king moves remain, castling none",
         "4k3/8/8/8/8/3n4/8/R3K2R w KQ - 0 1",
         {Rec(25, 34), Rec(25, 24), Rec(25, 35), Rec(25, 26)}},
    };
    for (const OrderRow& row : rows) {
        SCOPED_TRACE(row.Name);
        Position pos;
        ASSERT_TRUE(LoadFen(pos, row.Fen));
        EXPECT_EQ(LegalMoves(pos), row.Expected);
    }
}

// A position string (a1..h8) with the given characters at the given indices.
std::string SetUpString(std::initializer_list<std::pair<std::size_t, char>> pieces) {
    std::string text(64, '0');
    for (const auto& [index, piece] : pieces) text[index] = piece;
    return text;
}

TEST(GenerationOrder, AKingInCheckIsNeverTaken) {
    // Black in check with White to move: no FEN is accepted for these, but
    // position setup makes them.
    const std::vector<std::pair<std::string, OrderRow>> rows = {
        {SetUpString({{4, '2'}, {6, '6'}, {60, 'C'}}),  // White Re1 Kg1, Black Ke8
         {"a king in check is never taken",
          "",
          {Rec(25, 24), Rec(25, 23), Rec(25, 22), Rec(25, 21), Rec(25, 35), Rec(25, 45), Rec(25, 55), Rec(25, 65),
           Rec(25, 75), Rec(25, 85), Rec(25, 26), Rec(27, 36), Rec(27, 38), Rec(27, 26), Rec(27, 37), Rec(27, 28)}}},
        {SetUpString({{0, '6'}, {49, '1'}, {56, 'C'}}),  // White Ka1 b7, Black Ka8
         {"a promotion capture of a king adds nothing",
          "",
          {Rec(21, 32), Rec(21, 31), Rec(21, 22), Rec(82, 92, 0, Queen), Rec(82, 92, 0, Knight), Rec(82, 92, 0, Bishop),
           Rec(82, 92, 0, Rook)}}},
    };
    for (const auto& [text, row] : rows) {
        SCOPED_TRACE(row.Name);
        Position pos;
        ASSERT_FALSE(pos.ReadPositionString(text));
        EXPECT_EQ(LegalMoves(pos), row.Expected);
    }
}

TEST(GenerationOrder, CapturesOnlyListIsTheFullListFiltered) {
    // AllMoves <= 0 leaves out quiet moves but keeps captures, promotions
    // (quiet ones too), en passant and castling, in the same order.
    for (const char* fen :
         {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
          "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", "r3k3/1P6/8/8/8/8/8/4K3 w - - 0 1",
          "4k3/8/8/2PpP3/8/8/8/4K3 w - d6 0 1", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1"}) {
        SCOPED_TRACE(fen);
        Position pos;
        ASSERT_TRUE(LoadFen(pos, fen));
        std::vector<MoveRecord> filtered;
        for (const MoveRecord& r : LegalMoves(pos, 1))
            if (r.Captured != 0 || r.Promotion != 0 || r.CastleKind != 0) filtered.push_back(r);
        EXPECT_FALSE(filtered.empty());
        EXPECT_EQ(LegalMoves(pos, 0), filtered);
        EXPECT_EQ(LegalMoves(pos, -1), filtered);
    }
}

bool HasEnPassant(const std::vector<MoveRecord>& moves) {
    for (const MoveRecord& r : moves)
        if (r.Captured == 1 && r.EpSquare != 0) return true;
    return false;
}

TEST(EnPassant, OfferedOnlyRightAfterTheDoublePush) {
    Position pos;
    ASSERT_TRUE(LoadFen(pos, "4k3/3p4/8/4P3/8/8/8/4K3 b - - 0 1"));
    ASSERT_TRUE(MakeMove(pos, "d7d5"));
    EXPECT_EQ(pos.TreeDepth, 1);
    EXPECT_EQ(pos.EpTarget[1], Sq("d6"));
    const std::vector<MoveRecord> afterPush = LegalMoves(pos);
    EXPECT_EQ(afterPush.back(), Rec(Sq("e5"), Sq("d6"), 1, 0, 0, Sq("d5")));
    EXPECT_EQ(pos.DepthStart[1], 6);  // the reply list starts after Black's six moves

    ASSERT_TRUE(MakeMove(pos, "e1d1"));
    EXPECT_EQ(pos.EpTarget[2], 0);
    ASSERT_TRUE(MakeMove(pos, "e8e7"));
    EXPECT_EQ(pos.EpTarget[3], 0);
    EXPECT_FALSE(HasEnPassant(LegalMoves(pos)));
}

TEST(EnPassant, SinglePushGivesNoTarget) {
    Position pos;
    ASSERT_TRUE(LoadFen(pos, "4k3/3p4/8/4P3/8/8/8/4K3 b - - 0 1"));
    ASSERT_TRUE(MakeMove(pos, "d7d6"));
    EXPECT_EQ(pos.EpTarget[1], 0);
    EXPECT_FALSE(HasEnPassant(LegalMoves(pos)));
}

TEST(EnPassant, TargetSurvivesFoldingTheTreeToTheRoot) {
    Position pos;
    ASSERT_TRUE(LoadFen(pos, "4k3/8/8/8/3p4/8/4P3/4K3 w - - 0 1"));
    ASSERT_TRUE(PlayLine(pos, {"e2e4"}));
    EXPECT_EQ(pos.TreeDepth, 0);
    EXPECT_EQ(pos.EpTarget[0], Sq("e3"));
    const std::vector<MoveRecord> replies = LegalMoves(pos);
    ASSERT_FALSE(replies.empty());
    EXPECT_EQ(replies.back(), Rec(Sq("d4"), Sq("e3"), 1, 0, 0, Sq("e4")));
    EXPECT_EQ(pos.DepthStart[0], 0);

    // One quiet move each later the chance is gone.
    ASSERT_TRUE(PlayLine(pos, {"e8d8", "e1d1"}));
    EXPECT_EQ(pos.EpTarget[0], 0);
    EXPECT_FALSE(HasEnPassant(LegalMoves(pos)));
}

TEST(EnPassant, FenTargetIsOfferedAtTheRootOnly) {
    Position pos;
    ASSERT_TRUE(LoadFen(pos, "rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3"));
    EXPECT_TRUE(HasEnPassant(LegalMoves(pos)));
    ASSERT_TRUE(MakeMove(pos, "g1f3"));
    ASSERT_TRUE(MakeMove(pos, "g8f6"));
    EXPECT_FALSE(HasEnPassant(LegalMoves(pos)));
}

struct CastlingRow {
    const char* Name;
    const char* Fen;
    std::vector<std::string_view> Before;      // moves played first
    std::vector<std::pair<int, int>> Castles;  // (king's destination, CastleKind) in list order
};

std::vector<std::pair<int, int>> CastlingMoves(Position& pos) {
    std::vector<std::pair<int, int>> castles;
    for (const MoveRecord& r : LegalMoves(pos))
        if (r.CastleKind != 0) castles.emplace_back(r.Dest, r.CastleKind);
    return castles;
}

TEST(Castling, OfferedOnlyWhenKingAndRookNeverMovedAndThePathIsSafe) {
    const char* ready = "4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1";
    const char* blackReady = "r3k2r/8/8/8/8/8/8/4K3 b kq - 0 1";
    const std::vector<CastlingRow> rows = {
        {"both free", ready, {}, {{27, 1}, {23, 2}}},
        {"king in check", "4k3/4r3/8/8/8/8/8/R3K2R w KQ - 0 1", {}, {}},
        {"king passes attacked f1", "4k3/5r2/8/8/8/8/8/R3K2R w KQ - 0 1", {}, {{23, 2}}},
        {"king lands on attacked g1", "4k3/6r1/8/8/8/8/8/R3K2R w KQ - 0 1", {}, {{23, 2}}},
        {"king passes attacked d1", "4k3/3r4/8/8/8/8/8/R3K2R w KQ - 0 1", {}, {{27, 1}}},
        {"king lands on attacked c1", "4k3/2r5/8/8/8/8/8/R3K2R w KQ - 0 1", {}, {{27, 1}}},
        {"attacked b1 does not matter", "4k3/1r6/8/8/8/8/8/R3K2R w KQ - 0 1", {}, {{27, 1}, {23, 2}}},
        {"attacked rook does not matter", "4k3/7r/8/8/8/8/8/R3K2R w KQ - 0 1", {}, {{27, 1}, {23, 2}}},
        {"knight covers d1 and f1", "4k3/8/8/8/8/4n3/8/R3K2R w KQ - 0 1", {}, {}},
        {"b1 occupied", "4k3/8/8/8/8/8/8/RN2K2R w KQ - 0 1", {}, {{27, 1}}},
        {"g1 occupied", "4k3/8/8/8/8/8/8/R3K1NR w KQ - 0 1", {}, {{23, 2}}},
        {"rooks off the corners", "4k3/8/8/8/8/8/8/1R2K1R1 w KQ - 0 1", {}, {}},
        {"king went to f1 and came back", ready, {"e1f1", "e8d8", "f1e1", "d8e8"}, {}},
        {"h-rook went to h2 and came back", ready, {"h1h2", "e8d8", "h2h1", "d8e8"}, {{23, 2}}},
        {"a-rook went to a2 and came back", ready, {"a1a2", "e8d8", "a2a1", "d8e8"}, {{27, 1}}},
        {"Black both free", blackReady, {}, {{97, 1}, {93, 2}}},
        {"Black king passes attacked f8", "r3k2r/8/8/8/8/8/8/4KR2 b kq - 0 1", {}, {{93, 2}}},
        {"Black attacked b8 does not matter", "r3k2r/8/8/8/8/8/8/1R2K3 b kq - 0 1", {}, {{97, 1}, {93, 2}}},
        {"Black king went to d8 and came back", blackReady, {"e8d8", "e1d1", "d8e8", "d1e1"}, {}},
        {"Black h-rook went to h7 and came back", blackReady, {"h8h7", "e1d1", "h7h8", "d1e1"}, {{93, 2}}},
    };
    for (const CastlingRow& row : rows) {
        SCOPED_TRACE(row.Name);
        // As the program plays: every move from the root, tree folded back.
        Position atRoot;
        ASSERT_TRUE(LoadFen(atRoot, row.Fen));
        for (const std::string_view move : row.Before) ASSERT_TRUE(PlayLine(atRoot, {move}));
        EXPECT_EQ(CastlingMoves(atRoot), row.Castles) << "played at the root";

        // The same moves down the tree, as a search of the list would make them.
        Position inTree;
        ASSERT_TRUE(LoadFen(inTree, row.Fen));
        for (const std::string_view move : row.Before) ASSERT_TRUE(MakeMove(inTree, move));
        EXPECT_EQ(CastlingMoves(inTree), row.Castles) << "made down the tree";
    }
}

TEST(Castling, RightsReturnWhenTheMovesAreTakenBack) {
    Position pos;
    ASSERT_TRUE(LoadFen(pos, "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1"));
    std::vector<int> slots;
    for (const std::string_view move : {"e1d1", "a8b8", "d1e1", "b8a8"}) {
        int slot = -1;
        ASSERT_TRUE(MakeMove(pos, move, &slot));
        slots.push_back(slot);
    }
    EXPECT_TRUE(CastlingMoves(pos).empty());
    for (auto it = slots.rbegin(); it != slots.rend(); ++it) pos.TakeBackMove(*it);
    EXPECT_EQ(pos.TreeDepth, 0);
    EXPECT_EQ(CastlingMoves(pos), (std::vector<std::pair<int, int>>{{27, 1}, {23, 2}}));
}

TEST(MoveListLimit, QuietAndCaptureRecordsOverwriteTheLastSlot) {
    Position pos;
    pos.MoveCount = MoveListLast;
    EXPECT_EQ(pos.RegisterMove(31, 41), MoveListLast);
    EXPECT_EQ(pos.MoveCount, MoveListLast);
    EXPECT_EQ(pos.MoveList[At(MoveListLast)], Rec(31, 41));

    EXPECT_EQ(pos.RegisterMove(32, 42), MoveListLast);
    EXPECT_EQ(pos.MoveList[At(MoveListLast)], Rec(32, 42));
    EXPECT_EQ(pos.MoveCount, MoveListLast);

    pos.Board[At(Sq("e3"))] = -Knight;
    EXPECT_EQ(pos.RegisterCaptureMove(Sq("d2"), Sq("e3")), MoveListLast);
    EXPECT_EQ(pos.MoveList[At(MoveListLast)], Rec(34, 45, Knight));
    EXPECT_EQ(pos.MoveCount, MoveListLast);
}

TEST(MoveListLimit, OneBelowTheLimitFillsTheLastSlot) {
    Position pos;
    pos.MoveCount = MoveListLast - 1;
    EXPECT_EQ(pos.RegisterMove(31, 41), MoveListLast - 1);
    EXPECT_EQ(pos.MoveCount, MoveListLast);

    pos.MoveCount = MoveListLast - 1;
    EXPECT_EQ(pos.RegisterEpCapture(65, 74, 64), MoveListLast - 1);
    EXPECT_EQ(pos.MoveCount, MoveListLast);
    EXPECT_EQ(pos.MoveList[At(MoveListLast - 1)], Rec(65, 74, 1, 0, 0, 64));
}

TEST(MoveListLimit, PromotionsAtTheLimitLeaveTheRookInTheLastSlot) {
    Position pos;
    ASSERT_TRUE(LoadFen(pos, "4k3/1P6/8/8/8/8/8/4K3 w - - 0 1"));
    pos.MoveCount = MoveListLast - 1;
    pos.RegisterPromotion(82, 92, 0);
    EXPECT_EQ(pos.MoveCount, MoveListLast);
    EXPECT_EQ(pos.MoveList[At(MoveListLast - 1)], Rec(82, 92, 0, Queen));
    EXPECT_EQ(pos.MoveList[At(MoveListLast)], Rec(82, 92, 0, Rook));
}

TEST(MoveListLimit, EnPassantAtTheLimitThrows) {
    Position pos;
    pos.MoveCount = MoveListLast;
    const MoveRecord last = pos.MoveList[At(MoveListLast)];
    try {
        pos.RegisterEpCapture(65, 74, 64);
        FAIL() << "no exception";
    } catch (const MoveTreeOverflow& e) {
        EXPECT_STREQ(e.what(), " ERROR: Move stack overflow");
    }
    EXPECT_EQ(pos.MoveCount, MoveListLast);
    EXPECT_EQ(pos.MoveList[At(MoveListLast)], last);
    EXPECT_THROW(pos.RegisterEpCapture(65, 74, 64), std::runtime_error);
}

TEST(MoveListLimit, RegisterPromotionWithCm1AddsNoQuietRecords) {
    Position pos;
    ASSERT_TRUE(LoadFen(pos, "r3k3/1P6/8/8/8/8/8/4K3 w - - 0 1"));
    pos.MoveCount = 0;
    pos.RegisterPromotion(82, 92, 1);
    EXPECT_EQ(pos.MoveCount, 0);
    pos.RegisterPromotion(82, 91, 1);  // a capture is registered whatever cm1 says
    EXPECT_EQ(pos.MoveCount, 4);
    EXPECT_EQ(pos.MoveList[0], Rec(82, 91, Rook, Queen));
    EXPECT_EQ(pos.MoveList[3], Rec(82, 91, Rook, Rook));
}

}  // namespace
}  // namespace orvane
