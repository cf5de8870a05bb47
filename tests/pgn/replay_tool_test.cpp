// orvane-pgn check and moves as a user runs them: the lines printed for the
// games that fail, the totals, the coordinate moves, and the exit status.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/textfile.h"
#include "pgn_test_util.h"
#include "support/temp_folder.h"
#include "tool_run.h"

namespace orvane::pgn {
namespace {

namespace fs = std::filesystem;

using pgntest::RunTool;
using pgntest::ToolRun;

// Three games: one that replays, an illegal move on the second line of its
// movetext, a comment that is never closed.
constexpr const char* Mixed =
    "[White \"Anna\"]\n[Black \"Ben\"]\n\n1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Bxc6 dxc6 5. O-O 1-0\n\n"
    "[White \"Carl\"]\n[Black \"Dora\"]\n\n1. d4 d5\n2. c4 Nf7 *\n\n"
    "[White \"Eve\"]\n\n1. c4 {never closed *\n";

TEST(ReplayTool, CheckListsTheFailingGamesAndCounts) {
    testing::TempFolder dir;
    const fs::path mixed = dir.Path() / "mixed.pgn";
    const fs::path good = dir.Path() / "good.pgn";
    pgntest::WriteBytes(mixed, Mixed);
    pgntest::WriteBytes(good, "[Event \"A\"]\r\n\r\n1. f3 e5 2. g4 Qh4# 0-1\r\n");
    const std::string m = mixed.string();

    const ToolRun failing = RunTool(dir.Path(), "check '" + m + "' '" + good.string() + "'");
    EXPECT_EQ(failing.Status, 1);
    EXPECT_EQ(failing.Err, "");
    EXPECT_EQ(failing.Out, m + ":10:7: game 2 (Carl - Dora): illegal move \"Nf7\" (F7: Illegal move!), ply 4\n" + m +
                               ":14:7: game 3 (Eve - ): comment \"{\" without \"}\", ply 2\n" +
                               "4 games, 13 plies, 2 errors\n");

    const ToolRun passing = RunTool(dir.Path(), "check '" + good.string() + "'");
    EXPECT_EQ(passing.Status, 0);
    EXPECT_EQ(passing.Out, "1 games, 4 plies, 0 errors\n");

    const fs::path text = dir.Path() / "notes.txt";
    pgntest::WriteBytes(text, "1. e4 e5\n");
    const ToolRun notPgn = RunTool(dir.Path(), "check '" + text.string() + "' '" + good.string() + "'");
    EXPECT_EQ(notPgn.Status, 2);
    EXPECT_EQ(notPgn.Err, text.string() + " is not a PGN file\n");
    EXPECT_EQ(notPgn.Out, "1 games, 4 plies, 0 errors\n");

    const ToolRun missing = RunTool(dir.Path(), "check '" + (dir.Path() / "none.pgn").string() + "'");
    EXPECT_EQ(missing.Status, 2);
    EXPECT_NE(missing.Err.find("cannot be read"), std::string::npos) << missing.Err;
}

TEST(ReplayTool, MovesPrintsEachMainLineInCoordinates) {
    testing::TempFolder dir;
    const fs::path file = dir.Path() / "mixed.pgn";
    pgntest::WriteBytes(
        file, std::string(Mixed) + "\n[SetUp \"1\"]\n[FEN \"4k3/P7/8/8/8/8/8/4K3 w - - 0 1\"]\n\n1. a8=Q+ *\n");
    const ToolRun run = RunTool(dir.Path(), "moves '" + file.string() + "'");
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Out,
              "1: e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 b5c6 d7c6 e1g1\n"
              "2: error: illegal move \"Nf7\" (F7: Illegal move!), ply 4\n"
              "3: error: comment \"{\" without \"}\", ply 2\n"
              "4: a7a8q\n");
}

}  // namespace
}  // namespace orvane::pgn
