// orvane-pgn over standard input and on several threads: a pipe reads as
// the file would (messages name it "-"), and --jobs N prints byte for byte
// what one thread prints, with the file's own game numbers, lines and
// columns.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/textfile.h"
#include "pgn_test_util.h"
#include "support/shared_data.h"
#include "support/temp_folder.h"
#include "tool_run.h"

namespace orvane::pgn {
namespace {

namespace fs = std::filesystem;

using pgntest::RunTool;
using pgntest::ToolRun;

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The set-up game that gives the first block's first game its FEN.
constexpr const char* Prelude =
    "[Event \"Prelude\"]\n[SetUp \"1\"]\n[FEN \"4k3/7P/8/8/8/8/8/4K3 w - - 0 1\"]\n\n1. Kd2 *\n\n";
constexpr long PreludeLines = 6;

// Seven games, 39 lines. Hal's and Gus's games set up a position without a
// FEN tag of their own: they replay only from the FEN of the game before
// (Ida's, in the block before, and Fay's). Carl's game fails on line 17,
// Eve's comment is never closed (line 21); a remark line stands before
// Anna's game.
constexpr const char* Block =
    "[Event \"Block\"]\n[White \"Hal\"]\n[SetUp \"1\"]\n\n1. h8=Q+ Kd7 2. Qh3+ *\n\n"
    "[! a remark the program shows with the collection]\n[White \"Anna\"]\n[Black \"Ben\"]\n\n"
    "1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Bxc6 dxc6 5. O-O 1-0\n\n"
    "[White \"Carl\"]\n[Black \"Dora\"]\n\n1. d4 d5\n2. c4 Nf7 *\n\n"
    "[White \"Eve\"]\n\n1. c4 {never closed *\n\n"
    "[White \"Fay\"]\n[SetUp \"1\"]\n[FEN \"4k3/P7/8/8/8/8/8/4K3 w - - 0 1\"]\n\n1. a8=Q+ Ke7 *\n\n"
    "[White \"Gus\"]\n[SetUp \"1\"]\n\n1. a8=N Kd8 *\n\n"
    "[White \"Ida\"]\n[SetUp \"1\"]\n[FEN \"4k3/7P/8/8/8/8/8/4K3 w - - 0 1\"]\n\n1. Kf2 Kf7 *\n\n";
constexpr long BlockLines = 39;
constexpr long BlockGames = 7;
constexpr long BlockPlies = 3 + 9 + 2 + 2 + 2;  // of the games that replay

// The prelude and `blocks` blocks: enough games for several batches of the
// threads' work when blocks is large.
std::string Crafted(long blocks) {
    std::string text = Prelude;
    for (long b = 0; b < blocks; ++b) text += Block;
    return text;
}

// What check prints for Crafted(blocks), worked out from the block's layout.
std::string CraftedCheck(const std::string& file, long blocks) {
    std::string out;
    for (long b = 0; b < blocks; ++b) {
        const long line = PreludeLines + b * BlockLines;
        const long game = 1 + b * BlockGames;
        out += file + ':' + std::to_string(line + 17) + ":7: game " + std::to_string(game + 3) +
               " (Carl - Dora): illegal move \"Nf7\" (F7: Illegal move!), ply 4\n";
        out += file + ':' + std::to_string(line + 21) + ":7: game " + std::to_string(game + 4) +
               " (Eve - ): comment \"{\" without \"}\", ply 2\n";
    }
    return out + std::to_string(1 + blocks * BlockGames) + " games, " + std::to_string(1 + blocks * BlockPlies) +
           " plies, " + std::to_string(2 * blocks) + " errors\n";
}

// A faulty tag line after the crafted games: the games before it are
// checked and counted, then the file is refused.
constexpr const char* FaultyEnd = " [White \"\n1. d4 *\n";

void ExpectSameRun(const ToolRun& got, const ToolRun& want) {
    EXPECT_EQ(got.Status, want.Status);
    EXPECT_EQ(got.Out, want.Out);
    EXPECT_EQ(got.Err, want.Err);
}

// Each command reads a pipe on standard input as it reads the file, and
// names it "-": the rows, the failing games with their lines and columns,
// the refusals.
TEST(ToolStreams, StandardInputReadsAsTheFile) {
    struct Row {
        const char* Name;
        std::string Bytes;
    };
    const Row rows[] = {
        {"games that fail, a FEN carried, a remark", Crafted(2)},
        {"a faulty tag line", Crafted(1) + FaultyEnd},
        {"CR LF line ends", ReplaceAll(Crafted(1), "\n", "\r\n")},
        {"not PGN", "1. e4 e5 *\n"},
        {"nothing at all", ""},
    };
    testing::TempFolder dir;
    const std::string file = (dir.Path() / "games.pgn").string();
    for (const Row& row : rows) {
        pgntest::WriteBytes(file, row.Bytes);
        for (const char* command : {"index", "check", "moves"}) {
            SCOPED_TRACE(std::string(row.Name) + ", " + command);
            const ToolRun named = RunTool(dir.Path(), std::string(command) + " '" + file + "'");
            const ToolRun piped = RunTool(dir.Path(), std::string(command) + " -", "cat '" + file + "'");
            EXPECT_EQ(piped.Status, named.Status);
            EXPECT_EQ(piped.Out, ReplaceAll(named.Out, file, "-"));
            EXPECT_EQ(piped.Err, ReplaceAll(named.Err, file, "-"));
        }
    }

    // Standard input among other files, counted in the totals in its place.
    pgntest::WriteBytes(file, Crafted(1));
    const std::string good = (dir.Path() / "good.pgn").string();
    pgntest::WriteBytes(good, "[Event \"A\"]\r\n\r\n1. f3 e5 2. g4 Qh4# 0-1\r\n");
    const ToolRun mixed = RunTool(dir.Path(), "check '" + good + "' -", "cat '" + file + "'");
    EXPECT_EQ(mixed.Status, 1);
    EXPECT_EQ(mixed.Out, ReplaceAll(CraftedCheck("-", 1), "8 games, 19 plies", "9 games, 23 plies"));
}

// Several threads print what one prints, on games that fail, FENs carried
// from the game before across the threads' batches, remark lines, and a
// faulty tag line that ends the file after hundreds of games.
TEST(ToolStreams, JobsPrintWhatOneThreadPrints) {
    constexpr long Blocks = 150;  // 1,051 games
    testing::TempFolder dir;
    const std::string file = (dir.Path() / "crafted.pgn").string();
    const std::string faulty = (dir.Path() / "faulty.pgn").string();
    pgntest::WriteBytes(file, Crafted(Blocks));
    pgntest::WriteBytes(faulty, Crafted(Blocks) + FaultyEnd);

    const ToolRun check = RunTool(dir.Path(), "check --jobs 1 '" + file + "'");
    EXPECT_EQ(check.Status, 1);
    EXPECT_EQ(check.Out, CraftedCheck(file, Blocks));
    EXPECT_EQ(check.Err, "");
    const ToolRun refused = RunTool(dir.Path(), "check --jobs 1 '" + faulty + "'");
    EXPECT_EQ(refused.Status, 2);
    EXPECT_EQ(refused.Out, CraftedCheck(faulty, Blocks));
    EXPECT_EQ(refused.Err, faulty + ':' + std::to_string(PreludeLines + Blocks * BlockLines + 1) + ":2: game " +
                               std::to_string(2 + Blocks * BlockGames) +
                               ": tag line too short for its value ([White \")\n");
    const ToolRun moves = RunTool(dir.Path(), "moves --jobs 1 '" + file + "'");
    EXPECT_EQ(moves.Status, 1);
    const std::string firstBlock = "1: e1d2\n2: h7h8q e8d7 h8h3\n3: e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 b5c6 d7c6 e1g1\n";
    EXPECT_EQ(moves.Out.substr(0, firstBlock.size()), firstBlock);
    const ToolRun movesRefused = RunTool(dir.Path(), "moves --jobs 1 '" + faulty + "'");

    for (const char* jobs : {"--jobs 2", "--jobs 3", "--jobs 7", "--jobs=3", "-j 2", ""}) {
        SCOPED_TRACE(jobs);
        ExpectSameRun(RunTool(dir.Path(), std::string("check ") + jobs + " '" + file + "'"), check);
        ExpectSameRun(RunTool(dir.Path(), std::string("check '") + faulty + "' " + jobs), refused);
        ExpectSameRun(RunTool(dir.Path(), std::string("moves ") + jobs + " '" + file + "'"), moves);
        ExpectSameRun(RunTool(dir.Path(), std::string("moves ") + jobs + " '" + faulty + "'"), movesRefused);
    }
}

// The same over the shared collections one after another, 5,376 real games.
TEST(ToolStreams, JobsPrintWhatOneThreadPrintsOnRealCollections) {
    testing::TempFolder dir;
    const fs::path file = dir.Path() / "all.pgn";
    {
        std::ofstream all(file, std::ios::binary);
        for (const char* name : {"Capablanca", "Fischer", "Kasparov", "Carlsen", "Nimzowitsch"}) {
            const fs::path part = testsupport::SharedDataFile(std::string("pgn/collections/") + name + ".pgn");
            if (!testsupport::SharedDataPresent(part)) GTEST_SKIP() << testsupport::SharedDataMissing(part);
            all << ReadWholeFile(part).value_or("");
        }
    }
    for (const char* command : {"check", "moves"}) {
        SCOPED_TRACE(command);
        const ToolRun one = RunTool(dir.Path(), std::string(command) + " --jobs 1 '" + file.string() + "'");
        EXPECT_EQ(one.Status, 0);
        if (std::string(command) == "check") {
            EXPECT_EQ(one.Out.rfind("5376 games, ", 0), 0u) << one.Out;
        }
        for (const char* jobs : {"2", "3", "7"}) {
            SCOPED_TRACE(jobs);
            ExpectSameRun(RunTool(dir.Path(), std::string(command) + " --jobs " + jobs + " '" + file.string() + "'"),
                          one);
        }
    }
}

// The usage names the options; a wrong --jobs or an unknown option is
// refused with the usage on standard error before any file is read.
TEST(ToolStreams, OptionsAndTheirRefusals) {
    testing::TempFolder dir;
    const ToolRun help = RunTool(dir.Path(), "--help");
    EXPECT_EQ(help.Status, 0);
    EXPECT_NE(help.Out.find("-j, --jobs N"), std::string::npos) << help.Out;
    EXPECT_NE(help.Out.find("- is standard input"), std::string::npos) << help.Out;
    ExpectSameRun(RunTool(dir.Path(), "check --help"), help);

    struct Row {
        const char* Args;
        const char* Problem;
    };
    const Row rows[] = {
        {"check --jobs 0 x.pgn", "option --jobs takes a number of threads from 1 to 256, not \"0\""},
        {"check --jobs=257 x.pgn", "option --jobs takes a number of threads from 1 to 256, not \"257\""},
        {"moves -j two x.pgn", "option -j takes a number of threads from 1 to 256, not \"two\""},
        {"index x.pgn --jobs", "option --jobs needs a number of threads"},
        {"check --frobnicate x.pgn", "unknown option --frobnicate"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Args);
        const ToolRun run = RunTool(dir.Path(), row.Args);
        EXPECT_EQ(run.Status, 2);
        EXPECT_EQ(run.Out, "");
        EXPECT_EQ(run.Err, std::string("orvane-pgn: ") + row.Problem + '\n' + help.Out);
    }
}

}  // namespace
}  // namespace orvane::pgn
