// The game-end test: mate, stalemate, or play on, and the texts announced.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "engine/position.h"
#include "engine_test_util.h"
#include "support/position_state.h"

namespace orvane {
namespace {

using enginetest::LoadFen;
using enginetest::PlayLine;

struct GameEndRow {
    const char* Name;
    const char* Fen;                      // nullptr: the standard start
    std::vector<std::string_view> Moves;  // played from the root first
    GameEnd Expected;
    const char* Text;
    const char* Title;
};

TEST(GameEndTest, MateStalemateOrPlayOn) {
    const std::vector<GameEndRow> rows = {
        {"White mated: 1.f3 e5 2.g4 Qh4",
         nullptr,
         {"f2f3", "e7e5", "g2g4", "d8h4"},
         GameEnd::Checkmate,
         "Black wins!",
         "Congratulations"},
        {"Black mated: 1.e4 e5 2.Bc4 Nc6 3.Qh5 Nf6 4.Qxf7",
         nullptr,
         {"e2e4", "e7e5", "f1c4", "b8c6", "d1h5", "g8f6", "h5f7"},
         GameEnd::Checkmate,
         "White wins!",
         "Congratulations"},
        {"Black stalemated in the corner", "7k/5K2/6Q1/8/8/8/8/8 b - - 0 1", {}, GameEnd::Stalemate, "It's draw!", ""},
        {"White stalemated by a pawn and king",
         "8/8/8/8/8/1k6/1p6/1K6 w - - 0 1",
         {},
         GameEnd::Stalemate,
         "It's draw!",
         ""},
        {"back-rank mate by a rook",
         "6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1",
         {"a1a8"},
         GameEnd::Checkmate,
         "White wins!",
         "Congratulations"},
        {"mate by promotion",
         "k7/2P5/1K6/8/8/8/8/8 w - - 0 1",
         {"c7c8q"},
         GameEnd::Checkmate,
         "White wins!",
         "Congratulations"},
        {"two bare kings play on", "4k3/8/8/8/8/8/8/4K3 w - - 0 1", {}, GameEnd::None, "", ""},
        {"start position", nullptr, {}, GameEnd::None, "", ""},
        {"in check but able to step away", "4k3/8/8/8/8/8/4q3/4K3 w - - 0 1", {}, GameEnd::None, "", ""},
    };
    for (const GameEndRow& row : rows) {
        SCOPED_TRACE(row.Name);
        Position pos;
        if (row.Fen != nullptr) {
            ASSERT_TRUE(LoadFen(pos, row.Fen));
        }
        for (const std::string_view move : row.Moves) ASSERT_TRUE(PlayLine(pos, {move}));
        // The answer alone, by the test that stops at the first legal move.
        Position alone = pos;
        EXPECT_EQ(alone.TestGameEndOnly(), row.Expected);
        EXPECT_EQ(alone.TreeDepth, 0);
        EXPECT_EQ(alone.DepthStart[1], alone.DepthStart[0]);

        const GameEnd end = pos.TestGameEnd();
        EXPECT_EQ(end, row.Expected);
        EXPECT_STREQ(GameEndText(end, pos.SideToMove), row.Text);
        EXPECT_STREQ(GameEndTitle(end), row.Title);
        EXPECT_EQ(pos.TreeDepth, 0);
        EXPECT_EQ(pos.DepthStart[0], 0);
        EXPECT_EQ(pos.DepthStart[1] == 0, end != GameEnd::None);
    }
}

TEST(GameEndTest, ReturnsTheTreeToTheRootAndListsTheReplies) {
    // The move was made at depth 1 and not folded: the test folds it, keeping
    // the en passant target, and leaves the replies at slots 0.. for its callers.
    Position pos;
    ASSERT_TRUE(LoadFen(pos, "4k3/8/8/8/3p4/8/4P3/4K3 w - - 0 1"));
    ASSERT_TRUE(enginetest::MakeMove(pos, "e2e4"));
    ASSERT_EQ(pos.TreeDepth, 1);
    EXPECT_EQ(pos.TestGameEnd(), GameEnd::None);
    EXPECT_EQ(pos.TreeDepth, 0);
    EXPECT_EQ(pos.EpTarget[0], 45);
    EXPECT_EQ(pos.DepthStart[0], 0);
    EXPECT_EQ(pos.DepthStart[1], 7);
    EXPECT_EQ(pos.MoveList[6], enginetest::Rec(54, 45, 1, 0, 0, 55));
}

TEST(GameEndTest, TheAnswerAloneAlsoFoldsTheTreeToTheRoot) {
    // After 1.f3 e5 2.g4 made down the tree, Qh4 mates: both tests fold the
    // tree to the root first and find the mate there.
    Position pos;
    ASSERT_TRUE(enginetest::MakeMove(pos, "f2f3"));
    pos.InitGameTree();
    ASSERT_TRUE(enginetest::MakeMove(pos, "e7e5"));
    pos.InitGameTree();
    ASSERT_TRUE(enginetest::MakeMove(pos, "g2g4"));
    pos.InitGameTree();
    ASSERT_TRUE(enginetest::MakeMove(pos, "d8h4"));
    ASSERT_EQ(pos.TreeDepth, 1);
    Position alone = pos;
    EXPECT_EQ(alone.TestGameEndOnly(), GameEnd::Checkmate);
    EXPECT_EQ(alone.TreeDepth, 0);
    EXPECT_EQ(pos.TestGameEnd(), GameEnd::Checkmate);
    EXPECT_EQ(testsupport::StateDifference(alone, pos, testsupport::StateScope::Restored), "");
}

TEST(GameEndTest, TextsOfTheAnnouncement) {
    EXPECT_STREQ(GameEndText(GameEnd::Checkmate, 1), "Black wins!");
    EXPECT_STREQ(GameEndText(GameEnd::Checkmate, -1), "White wins!");
    EXPECT_STREQ(GameEndText(GameEnd::Stalemate, 1), "It's draw!");
    EXPECT_STREQ(GameEndText(GameEnd::Stalemate, -1), "It's draw!");
    EXPECT_STREQ(GameEndText(GameEnd::None, 1), "");
    EXPECT_STREQ(GameEndTitle(GameEnd::Checkmate), "Congratulations");
    EXPECT_STREQ(GameEndTitle(GameEnd::Stalemate), "");
}

}  // namespace
}  // namespace orvane
