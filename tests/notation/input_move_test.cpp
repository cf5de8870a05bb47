// Playing a move from its coordinate text (E2E4, E7E8N), and what InputMove
// leaves behind for its callers.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/index.h"
#include "engine/position.h"
#include "notation/notation.h"
#include "support/position_state.h"

namespace orvane {
namespace {

using testsupport::StateDifference;
using testsupport::StateScope;

constexpr const char* PromotionFen = "k7/4P3/8/8/8/8/8/4K3 w - - 0 1";
constexpr const char* CastlingFen = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";

struct InputRow {
    const char* Name;
    const char* Fen;  // nullptr: the standard start
    const char* Text;
    int Result;
    const char* MoveText;  // when played
    int Capture;
    int Promotion;
    std::vector<std::pair<int, int>> Squares;  // (square, value) after the move
};

TEST(InputMove, AcceptedAndRefusedTexts) {
    const std::vector<InputRow> rows = {
        {"pawn double push", nullptr, "E2E4", 1, " e2-e4", 0, 0, {{35, 0}, {55, Pawn}}},
        {"knight move", nullptr, "G1F3", 1, "Ng1-f3", 0, 0, {{27, 0}, {46, Knight}}},
        {"junk fifth character on a quiet move", nullptr, "E2E4X", 1, " e2-e4", 0, 0, {{55, Pawn}}},
        {"six characters: the rest is ignored", nullptr, "G1F3=Q", 1, "Ng1-f3", 0, 0, {{46, Knight}}},
        {"lower case", nullptr, "e2e4", 0, "", 0, 0, {}},
        {"mixed case", nullptr, "E2e4", 0, "", 0, 0, {}},
        {"not a legal move", nullptr, "E2E5", 0, "", 0, 0, {}},
        {"empty source square", nullptr, "E3E4", 0, "", 0, 0, {}},
        {"opponent's pawn", nullptr, "E7E5", 0, "", 0, 0, {}},
        {"three characters", nullptr, "E2E", 0, "", 0, 0, {}},
        {"empty text", nullptr, "", 0, "", 0, 0, {}},
        {"off-board squares", nullptr, "I2I4", 0, "", 0, 0, {}},
        {"promotion needs its letter", PromotionFen, "E7E8", 0, "", 0, 0, {}},
        {"knight promotion", PromotionFen, "E7E8N", 1, " e7-e8N", 0, 1, {{85, 0}, {95, Knight}}},
        {"queen promotion", PromotionFen, "E7E8Q", 1, " e7-e8Q", 0, 1, {{85, 0}, {95, Queen}}},
        {"rook promotion", PromotionFen, "E7E8R", 1, " e7-e8R", 0, 1, {{95, Rook}}},
        {"bishop promotion", PromotionFen, "E7E8B", 1, " e7-e8B", 0, 1, {{95, Bishop}}},
        {"promotion with an equals sign", PromotionFen, "E7E8=Q", 0, "", 0, 0, {}},
        {"king promotion is never generated", PromotionFen, "E7E8K", 0, "", 0, 0, {}},
        {"promotion letter in lower case", PromotionFen, "E7E8q", 0, "", 0, 0, {}},
        {"promotion capture", "r3k3/1P6/8/8/8/8/8/4K3 w - - 0 1", "B7A8R", 1, " b7xa8R", 1, 1, {{82, 0}, {91, Rook}}},
        {"White castles king side", CastlingFen, "E1G1", 1, "Ke1-g1", 0, 0, {{25, 0}, {26, Rook}, {27, King}, {28, 0}}},
        {"White castles queen side",
         CastlingFen,
         "E1C1",
         1,
         "Ke1-c1",
         0,
         0,
         {{21, 0}, {23, King}, {24, Rook}, {25, 0}}},
        {"Black castles queen side",
         "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1",
         "E8C8",
         1,
         "Ke8-c8",
         0,
         0,
         {{91, 0}, {93, -King}, {94, -Rook}, {95, 0}}},
        {"castling through check", "r3k2r/8/8/8/8/8/5r2/R3K2R w KQkq - 0 1", "E1G1", 0, "", 0, 0, {}},
        {"en passant",
         "rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3",
         "E5D6",
         1,
         " e5xd6",
         1,
         0,
         {{64, 0}, {65, 0}, {74, Pawn}}},
        {"knight capture", "4k3/8/8/4p3/8/5N2/8/4K3 w - - 0 1", "F3E5", 1, "Nf3xe5", 1, 0, {{46, 0}, {65, Knight}}},
        {"Black pawn",
         "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1",
         "C7C5",
         1,
         " c7-c5",
         0,
         0,
         {{83, 0}, {63, -Pawn}}},
    };
    for (const InputRow& row : rows) {
        SCOPED_TRACE(row.Name);
        Position pos;
        if (row.Fen != nullptr) {
            ASSERT_FALSE(pos.ReadFen(row.Fen));
        }
        const Position before = pos;
        MoveInput in;
        in.LastWasCapture = 1;  // left from an earlier move: every call resets it
        in.LastWasPromotion = 1;
        in.MoveText = "earlier";

        EXPECT_EQ(InputMove(pos, in, row.Text), row.Result);
        EXPECT_EQ(in.LastWasCapture, row.Capture);
        EXPECT_EQ(in.LastWasPromotion, row.Promotion);
        if (row.Result == 0) {
            EXPECT_EQ(StateDifference(pos, before, StateScope::Unchanged), "");
            EXPECT_EQ(in.MoveText, "earlier");
            continue;
        }
        EXPECT_EQ(in.MoveText, row.MoveText);
        EXPECT_EQ(pos.TreeDepth, 1);
        EXPECT_EQ(pos.CurrentPly, before.CurrentPly + 1);
        EXPECT_EQ(pos.SideToMove, -before.SideToMove);
        for (const auto& [square, value] : row.Squares) EXPECT_EQ(pos.Board[At(square)], value) << "square " << square;
        // The slot played is in the depth-0 list and is the move the text names.
        ASSERT_GE(in.LastMoveSlot, pos.DepthStart[0]);
        ASSERT_LT(in.LastMoveSlot, pos.DepthStart[1]);
        const MoveRecord& r = pos.MoveList[At(in.LastMoveSlot)];
        EXPECT_EQ(r.Source, SquareNumber(row.Text));
        EXPECT_EQ(r.Dest, SquareNumber(std::string(row.Text).substr(2)));
        EXPECT_EQ(pos.CheckInvariants(), "");
    }
}

TEST(InputMove, DoublePushFromTheStart) {
    Position pos;
    MoveInput in;
    ASSERT_EQ(InputMove(pos, in, "E2E4"), 1);
    EXPECT_EQ(pos.Board[55], Pawn);
    EXPECT_EQ(pos.Board[35], 0);
    EXPECT_EQ(in.MoveText, " e2-e4");
    EXPECT_EQ(in.LastMoveSlot, 13);  // knights' four moves, then two per pawn from a2
    EXPECT_EQ(pos.EpTarget[1], 45);
    EXPECT_EQ(pos.MoveCounts[35], 1);
    EXPECT_EQ(pos.MoveCounts[55], 1);
    EXPECT_EQ(pos.SideToMove, -1);
}

TEST(InputMove, ReplayWithoutGameEndTestGeneratesOneLevelDown) {
    // Replaying the record enters moves back to back: the second list is
    // generated at depth 1, after the first, and the tree is folded before
    // the move is made.
    Position pos;
    MoveInput in;
    ASSERT_EQ(InputMove(pos, in, "E2E4"), 1);
    ASSERT_EQ(InputMove(pos, in, "E7E5"), 1);
    EXPECT_EQ(pos.TreeDepth, 1);
    EXPECT_EQ(pos.DepthStart[1], 20);
    EXPECT_EQ(in.LastMoveSlot, 29);
    EXPECT_EQ(pos.EpTarget[0], 45);
    EXPECT_EQ(pos.EpTarget[1], 75);
    EXPECT_EQ(pos.Board[55], Pawn);
    EXPECT_EQ(pos.Board[65], -Pawn);
    EXPECT_EQ(pos.SideToMove, 1);
    EXPECT_EQ(pos.CurrentPly, 2);
    EXPECT_EQ(in.MoveText, " e7-e5");
    ASSERT_EQ(InputMove(pos, in, "G1F3"), 1);
    EXPECT_EQ(pos.Board[46], Knight);
    EXPECT_EQ(pos.CurrentPly, 3);
}

TEST(InputMove, CaptureSignFollowsTheSetting) {
    Position pos;
    ASSERT_FALSE(pos.ReadFen("4k3/8/8/4p3/8/5N2/8/4K3 w - - 0 1"));
    MoveInput in;
    in.CaptureChar = ":";
    ASSERT_EQ(InputMove(pos, in, "F3E5"), 1);
    EXPECT_EQ(in.MoveText, "Nf3:e5");
    EXPECT_EQ(in.LastWasCapture, 1);
}

TEST(InputMove, PlayedGameReachesMate) {
    Position pos;
    MoveInput in;
    for (const char* move : {"F2F3", "E7E5", "G2G4", "D8H4"}) {
        ASSERT_EQ(InputMove(pos, in, move), 1) << move;
        ASSERT_EQ(pos.TestGameEnd(), move[0] == 'D' ? GameEnd::Checkmate : GameEnd::None) << move;
    }
    EXPECT_EQ(in.MoveText, "Qd8-h4");
    EXPECT_EQ(InputMove(pos, in, "E1F2"), 0);
    EXPECT_EQ(pos.CurrentMoveCount(), 0);
}

}  // namespace
}  // namespace orvane
