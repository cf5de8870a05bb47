// orvane-makebook as it is run to make the shipped book: the book rebuilt
// from the opening lists it was made from is data/orvane.bok byte for byte;
// a small list gives the book laid out as the program reads it; a move the
// tool cannot match stops it with the file, line and move.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "common/textfile.h"
#include "support/shared_data.h"
#include "support/temp_folder.h"

#ifndef ORVANE_MAKEBOOK_TOOL
#error "ORVANE_MAKEBOOK_TOOL must name the orvane-makebook program"
#endif

namespace orvane {
namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int Status = -1;
    std::string Out, Err;
};

// Runs the tool with the book and the lists as its arguments.
ToolRun RunMakebook(const fs::path& dir, const fs::path& book, const std::vector<fs::path>& lists) {
    std::string command = std::string("'") + ORVANE_MAKEBOOK_TOOL + "' '" + book.string() + "'";
    for (const fs::path& list : lists) command += " '" + list.string() + "'";
    command += " >'" + (dir / "stdout.txt").string() + "' 2>'" + (dir / "stderr.txt").string() + "'";
    const int status = std::system(command.c_str());
    ToolRun run;
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Out = ReadWholeFile(dir / "stdout.txt").value_or("?");
    run.Err = ReadWholeFile(dir / "stderr.txt").value_or("?");
    return run;
}

void WriteText(const fs::path& path, std::string_view text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    ASSERT_TRUE(out.good()) << path;
}

TEST(Makebook, RebuildsTheShippedBookByteForByte) {
    std::vector<fs::path> lists;
    for (const char* name : {"a", "b", "c", "d", "e"}) {
        const fs::path list = testsupport::SharedDataFile(std::string("openings/") + name + ".tsv");
        if (!testsupport::SharedDataPresent(list)) GTEST_SKIP() << testsupport::SharedDataMissing(list);
        lists.push_back(list);
    }
    testing::TempFolder dir;
    const fs::path book = dir.Path() / "orvane.bok";
    const ToolRun run = RunMakebook(dir.Path(), book, lists);
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, book.string() + ": 100 book lines, 3807 names\n");
    const std::optional<std::string> shipped = ReadWholeFile(fs::path(ORVANE_SOURCE_DIR) / "data" / "orvane.bok");
    const std::optional<std::string> made = ReadWholeFile(book);
    ASSERT_TRUE(shipped && made);
    ASSERT_EQ(made->size(), shipped->size());
    EXPECT_TRUE(*made == *shipped) << "the rebuilt book differs from data/orvane.bok";
}

TEST(Makebook, SmallListGivesLinesAndNames) {
    testing::TempFolder dir;
    const fs::path list = dir.Path() / "openings.tsv";
    // Castling, a capture, a pawn taking, and two lines sharing their first move.
    WriteText(list,
              "eco\tname\tpgn\r\n"
              "A04\tReti Opening: King's Indian Attack\t1. Nf3 d5 2. g3 Nf6 3. Bg2 c6 4. O-O Bg4\r\n"
              "B01\tScandinavian Defense: Main Line\t1. e4 d5 2. exd5 Qxd5 3. Nc3 Qa5\r\n"
              "\r\n"
              "C00\tFrench Defense\t1. e4 e6 2. d4 d5\r\n");
    const fs::path book = dir.Path() / "orvane.bok";
    const ToolRun run = RunMakebook(dir.Path(), book, {list});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, book.string() + ": 3 book lines, 3 names\n");
    EXPECT_EQ(ReadWholeFile(book).value_or("?"),
              "ORVANE Version=0.10\r\n"
              "start\r\n"
              "e2e4 d7d5 e4d5 d8d5 b1c3 d5a5\r\n"
              "     e7e6 d2d4 d7d5\r\n"
              "g1f3 d7d5 g2g3 g8f6 f1g2 c7c6 e1g1 c8g4\r\n"
              "names\r\n"
              "e2e4 e7e6 d2d4 d7d5~French Defense~\r\n"
              "e2e4 d7d5 e4d5 d8d5 b1c3 d5a5~Scandinavian Defense: Main Line~\r\n"
              "g1f3 d7d5 g2g3 g8f6 f1g2 c7c6 e1g1 c8g4~Reti Opening: King's Indian Attack~\r\n"
              "end\r\n");
}

TEST(Makebook, MovesThatFitNoneOrSeveralStopTheTool) {
    struct Row {
        const char* Moves;
        std::string Complaint;
    };
    const Row rows[] = {
        {"1. e4 e5 2. Ke3", "the move \"Ke3\" fits no legal move"},
        {"1. e4 e5 2. Nxf3", "the move \"Nxf3\" fits no legal move"},  // a capture sign on a quiet move
        {"1. e4 d5 2. d5", "the move \"d5\" fits no legal move"},      // a capture written as a push
        {"1. a4 a5 2. h4 h5 3. Ra3 Ra6 4. Rhh3 Rhh6 5. Rd3", "the move \"Rd3\" fits more than one legal move"},
        {"1. e4 Zz9", "cannot read the move \"Zz9\""},
        {"1.", "no moves"},
    };
    testing::TempFolder dir;
    const fs::path list = dir.Path() / "openings.tsv";
    const fs::path book = dir.Path() / "orvane.bok";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Moves);
        WriteText(list, std::string("eco\tname\tpgn\nA00\tTest Opening\t") + row.Moves + "\n");
        const ToolRun run = RunMakebook(dir.Path(), book, {list});
        EXPECT_EQ(run.Status, 1);
        EXPECT_EQ(run.Out, "");
        EXPECT_EQ(run.Err, "orvane-makebook: " + list.string() + ":2: " + row.Complaint +
                               " in \"Test Opening\": " + row.Moves + "\n");
        EXPECT_FALSE(fs::exists(book));
    }
}

}  // namespace
}  // namespace orvane
