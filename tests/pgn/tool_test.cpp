// The command-line tool orvane-pgn as a user runs it: what it prints on
// stdout and stderr, and its exit status.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>

#include "common/textfile.h"
#include "pgn/collection.h"
#include "pgn_test_util.h"
#include "support/shared_data.h"
#include "support/temp_folder.h"
#include "tool_run.h"

namespace orvane::pgn {
namespace {

namespace fs = std::filesystem;

using pgntest::RunTool;
using pgntest::ToolRun;

// The header line: the picker's column names, separated by tabs.
std::string HeaderLine() {
    std::string line;
    for (const std::string_view header : IndexHeaders) (line += line.empty() ? "" : "\t") += header;
    return line + '\n';
}
const std::string Header = HeaderLine();

// Every row the tool prints is the scan's row, cell for cell, over the
// shared collections and samples.
TEST(Tool, IndexPrintsTheScansRowsOfRealCollections) {
    testing::TempFolder dir;
    int files = 0;
    for (const auto& entry : {"collections/Capablanca.pgn", "collections/Fischer.pgn", "collections/Kasparov.pgn",
                              "collections/Carlsen.pgn", "collections/Nimzowitsch.pgn", "samples/utf8-bom.pgn",
                              "samples/chessbase-empty-line.pgn", "samples/stockfish-learning.pgn"}) {
        const fs::path file = testsupport::SharedDataFile(std::string("pgn/") + entry);
        if (!testsupport::SharedDataPresent(file)) GTEST_SKIP() << testsupport::SharedDataMissing(file);
        SCOPED_TRACE(entry);
        ++files;
        const ScanResult scan = ScanFile(file);
        ASSERT_FALSE(scan.Error);
        const ToolRun run = RunTool(dir.Path(), "index '" + file.string() + "'");
        ASSERT_EQ(run.Status, 0) << run.Err;
        std::string expected = Header;
        for (long game = 1; game <= scan.Index.Count; ++game) {
            for (int k = 1; k <= IndexColumns; ++k) (expected += k > 1 ? "\t" : "") += scan.Index.Cell(game, k);
            expected += '\n';
        }
        EXPECT_EQ(run.Out, expected);
    }
    EXPECT_EQ(files, 8);
}

TEST(Tool, IndexPrintsEveryCellSeparatedByTabs) {
    testing::TempFolder dir;
    const fs::path file = dir.Path() / "two.pgn";
    pgntest::WriteBytes(file,
                        "[Event \"Open\"]\r\n[Round \"5\"]\r\n[White \"A\"]\r\n[BlackTeamCountry \"X\"]\r\n\r\n"
                        "1. e4 *\r\n\r\n[Result \"1-0\"]\r\n1. d4 1-0\r\n");
    const ToolRun run = RunTool(dir.Path(), "index '" + file.string() + "'");
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Err, "");
    // 27 cells, all empty but those given (column, value).
    auto line = [](std::initializer_list<std::pair<int, const char*>> cells) {
        std::string values[IndexColumns];
        for (const auto& [column, value] : cells) values[column - 1] = value;
        std::string text = values[0];
        for (int k = 1; k < IndexColumns; ++k) text += '\t' + values[k];
        return text + '\n';
    };
    EXPECT_EQ(run.Out, Header + line({{1, " 1"}, {2, "Open 5"}, {5, "5"}, {6, "A"}, {8, "*"}, {27, "X"}}) +
                           line({{1, " 2"}, {8, "1-0"}}));
}

TEST(Tool, FailuresExitWithTwoAndSayWhy) {
    struct Row {
        const char* Name;
        const char* Bytes;  // nullptr: no file at all
        std::string Err;    // with FILE for the path given
    };
    const Row rows[] = {
        {"not PGN", "1. e4 e5 *\n", "FILE is not a PGN file\n"},
        {"no games", "[Event \"A\"]\n", "FILE: No games found!\n"},
        {"tag line too short", "[Event \"A\"]\n\n1. e4 *\n\n [White \"\n1. d4 *\n",
         "FILE:5:2: game 2: tag line too short for its value ([White \")\n"},
    };
    testing::TempFolder dir;
    const std::string file = (dir.Path() / "games.pgn").string();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        pgntest::WriteBytes(file, row.Bytes);
        const ToolRun run = RunTool(dir.Path(), "index '" + file + "'");
        EXPECT_EQ(run.Status, 2);
        EXPECT_EQ(run.Out, "");
        std::string err = row.Err;
        err.replace(err.find("FILE"), 4, file);
        EXPECT_EQ(run.Err, err);
    }
    const ToolRun missing = RunTool(dir.Path(), "index '" + (dir.Path() / "missing.pgn").string() + "'");
    EXPECT_EQ(missing.Status, 2);
    EXPECT_NE(missing.Err.find("missing.pgn: file cannot be read"), std::string::npos) << missing.Err;
    EXPECT_EQ(RunTool(dir.Path(), "index").Status, 2);
    EXPECT_EQ(RunTool(dir.Path(), "nonsense x").Status, 2);

    // A FIFO, a device or a folder is refused at once, never waited on.
    const std::string fifo = (dir.Path() / "fifo.pgn").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo, std::string("/dev/zero"), dir.Path().string()}) {
        for (const char* command : {"index", "check", "moves"}) {
            SCOPED_TRACE(std::string(command) + " " + path);
            const ToolRun run = RunTool(dir.Path(), std::string(command) + " '" + path + "'");
            EXPECT_EQ(run.Status, 2);
            EXPECT_EQ(run.Err, path + ": not a regular file\n");
        }
    }
}

}  // namespace
}  // namespace orvane::pgn
