// The picker's rows without a window: the filter over the visible cells
// (case ignored in and beyond ASCII, Windows-1252 cells as shown), the orders
// by number, date, round, rating and text, and the two together; then the
// filter on the shared collections against a plain search of every cell.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "common/encoding.h"
#include "common/index.h"
#include "pgn/collection.h"
#include "support/shared_data.h"
#include "support/temp_folder.h"
#include "ui/pickerrows.h"

namespace orvane::ui {
namespace {

namespace fs = std::filesystem;
using Games = std::vector<long>;

// Five games whose tags sort differently column by column.
const char* const FiveGames =
    "[Event \"Candidates\"]\r\n[Site \"Bled\"]\r\n[Date \"1959.??.??\"]\r\n[Round \"2.10\"]\r\n"
    "[White \"Tal, Mikhail\"]\r\n[Black \"Smyslov\"]\r\n\r\n1. e4 *\r\n\r\n"
    "[Event \"Open\"]\r\n[Date \"1995.03.12\"]\r\n[Round \"2.9\"]\r\n[White \"J\xC3\xB6rg M\xC3\xBCller\"]\r\n"
    "[Black \"Ann\"]\r\n[WhiteElo \"2450\"]\r\n\r\n1. d4 *\r\n\r\n"
    "[Event \"Open\"]\r\n[Date \"1995.??.??\"]\r\n[Round \"10\"]\r\n[White \"J\xC3\x96RG Schmidt\"]\r\n"
    "[Black \"Bo\"]\r\n[WhiteElo \"950\"]\r\n\r\n1. c4 *\r\n\r\n"
    "[Event \"Linares\"]\r\n[Round \"?\"]\r\n[White \"Kasparov\"]\r\n[Black \"Cy\"]\r\n"
    "[WhiteElo \"2851\"]\r\n\r\n1. Nf3 *\r\n\r\n"
    "[Event \"Open\"]\r\n[Date \"1995.03.12\"]\r\n[White \"Anand\"]\r\n[Black \"M\xFCller\"]\r\n"
    "[WhiteElo \"2851\"]\r\n\r\n1. g3 *\r\n";

class PickerRowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        const fs::path path = folder_.Path() / "five.pgn";
        std::ofstream(path, std::ios::binary) << FiveGames;
        pgn::ScanResult scan = pgn::ScanFile(path);
        ASSERT_FALSE(scan.Error) << scan.Error.Text;
        ASSERT_EQ(scan.Index.Count, 5);
        index_ = std::move(scan.Index);
        for (int k = 1; k <= pgn::IndexColumns; ++k) visible_[At(k - 1)] = k == 1 || index_.ColumnUsed[At(k)] != 0;
    }

    static Games Shown(const PickerRows& rows) {
        Games games;
        for (long row = 0; row < rows.Count(); ++row) games.push_back(rows.GameAt(row));
        return games;
    }

    pgn::GameIndex index_;
    std::array<bool, pgn::IndexColumns> visible_{};

private:
    orvane::testing::TempFolder folder_;
};

TEST_F(PickerRowsTest, FilterKeepsTheGamesWithTheTextInAVisibleCell) {
    struct Row {
        const char* Name;
        std::string Text;
        Games Kept;
    };
    const Row rows[] = {
        {"nothing typed", "", {1, 2, 3, 4, 5}},
        {"ASCII in another case", "TAL", {1}},
        {"a small umlaut finds the capital", "j\xC3\xB6rg", {2, 3}},
        {"a capital umlaut finds the small", "J\xC3\x96RG M", {2}},
        {"a Windows-1252 cell as it is shown", "m\xC3\xBCller", {2, 5}},
        {"typed as Windows-1252 too", "M\xDCLLER", {2, 5}},
        {"the Number cell with its leading space", " 3 ", {3}},
        {"the three spaces after a value", "open   ", {5}},
        {"never across two cells", "Mikhail   Smyslov", {}},
        {"a date's question marks", ".??.", {1, 3}},
        {"a line break is in no cell", "Open\n", {}},
        {"no game", "Karpov", {}},
    };
    PickerRows picker(index_, visible_);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        picker.SetFilter(row.Text);
        EXPECT_EQ(Shown(picker), row.Kept);
        EXPECT_EQ(picker.Filter(), row.Text);
        EXPECT_EQ(picker.Total(), 5);
    }
}

TEST_F(PickerRowsTest, AHiddenColumnIsNotSearched) {
    visible_[At(2)] = false;  // Site
    PickerRows picker(index_, visible_);
    picker.SetFilter("bled");
    EXPECT_EQ(Shown(picker), Games{});
    picker.SetFilter("smyslov");
    EXPECT_EQ(Shown(picker), Games{1});
}

TEST_F(PickerRowsTest, ColumnsSortAsNumbersDatesOrTextWithEmptyCellsLast) {
    struct Row {
        const char* Name;
        int Column;
        Games Ascending;
        Games Descending;
    };
    const Row rows[] = {
        {"Number is the file's order", 1, {1, 2, 3, 4, 5}, {5, 4, 3, 2, 1}},
        {"dates with unknown parts first in their year", 4, {1, 3, 2, 5, 4}, {2, 5, 3, 1, 4}},
        {"rounds part by part, text after numbers", 5, {2, 1, 3, 4, 5}, {3, 1, 2, 4, 5}},
        {"ratings as numbers, equal ones in file order", 11, {3, 2, 4, 5, 1}, {4, 5, 2, 3, 1}},
        {"names ignoring case", 6, {5, 2, 3, 4, 1}, {1, 4, 3, 2, 5}},
        {"Windows-1252 text as shown", 7, {2, 3, 4, 5, 1}, {1, 5, 4, 3, 2}},
    };
    PickerRows picker(index_, visible_);
    EXPECT_EQ(picker.SortColumn(), 0);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        picker.SortBy(row.Column, false);
        EXPECT_EQ(Shown(picker), row.Ascending);
        picker.SortBy(row.Column, true);
        EXPECT_EQ(Shown(picker), row.Descending);
        EXPECT_EQ(picker.SortColumn(), row.Column);
        EXPECT_TRUE(picker.Descending());
    }
}

TEST_F(PickerRowsTest, FilterAndOrderTogetherAndTheGameOfEachRow) {
    PickerRows picker(index_, visible_);
    picker.SetFilter("1995");
    picker.SortBy(4, true);
    EXPECT_EQ(Shown(picker), (Games{2, 5, 3}));
    EXPECT_EQ(picker.RowOf(3), 2);
    EXPECT_EQ(picker.RowOf(1), -1);
    EXPECT_EQ(picker.GameAt(3), 0);
    EXPECT_EQ(picker.GameAt(-1), 0);
    // A new filter keeps the order; clearing it brings every game back in it.
    picker.SetFilter("open");
    EXPECT_EQ(Shown(picker), (Games{2, 5, 3}));
    picker.SetFilter("");
    EXPECT_EQ(Shown(picker), (Games{2, 5, 3, 1, 4}));
    // Another column number restores the file's order.
    picker.SortBy(0, true);
    EXPECT_EQ(Shown(picker), (Games{1, 2, 3, 4, 5}));
    EXPECT_FALSE(picker.Descending());
}

TEST(FoldCase, LettersBecomeSmallAndTheLengthStays) {
    struct Row {
        const char* Name;
        std::string Text;
        std::string Folded;
    };
    const Row rows[] = {
        {"ASCII", "Tal, M. 1-0", "tal, m. 1-0"},
        {"Latin-1", "\xC3\x80\xC3\x89\xC3\x8E\xC3\x95\xC3\x9C\xC3\x98",
         "\xC3\xA0\xC3\xA9\xC3\xAE\xC3\xB5\xC3\xBC\xC3\xB8"},
        {"the multiplication sign is no letter", "\xC3\x97", "\xC3\x97"},
        {"Latin Extended-A", "\xC5\x81\xC3\x93\x44\xC5\xB9 \xC4\x8C", "\xC5\x82\xC3\xB3\x64\xC5\xBA \xC4\x8D"},
        {"capital I with dot stays", "\xC4\xB0", "\xC4\xB0"},
        {"Y with diaeresis", "\xC5\xB8", "\xC3\xBF"},
        {"Greek", "\xCE\x91\xCE\x92\xCE\x93", "\xCE\xB1\xCE\xB2\xCE\xB3"},
        {"Cyrillic", "\xD0\x9C\xD0\x9E\xD0\xA1\xD0\x9A\xD0\x92\xD0\x90 \xD0\x81",
         "\xD0\xBC\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0 \xD1\x91"},
        {"three-byte characters stay", "\xE2\x82\xAC", "\xE2\x82\xAC"},
        {"bytes that are no UTF-8 stay", "A\xC3", "a\xC3"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(FoldCase(row.Text), row.Folded);
    }
}

// Every game of the shared collections, filtered by a few texts, against a
// plain search of every visible cell lower-cased letter by letter.
TEST(PickerRowsCollections, FilterFindsWhatAPlainSearchFinds) {
    const char* const names[] = {"Capablanca.pgn", "Carlsen.pgn", "Fischer.pgn", "Kasparov.pgn", "Nimzowitsch.pgn"};
    orvane::testing::TempFolder folder;
    const fs::path all = folder.Path() / "all.pgn";
    {
        std::ofstream out(all, std::ios::binary);
        for (const char* name : names) {
            const fs::path file = testsupport::SharedDataFile(std::string("pgn/collections/") + name);
            if (!testsupport::SharedDataPresent(file)) GTEST_SKIP() << testsupport::SharedDataMissing(file);
            out << std::ifstream(file, std::ios::binary).rdbuf() << "\r\n\r\n";
        }
    }
    const pgn::ScanResult scan = pgn::ScanFile(all);
    ASSERT_FALSE(scan.Error) << scan.Error.Text;
    std::array<bool, pgn::IndexColumns> visible{};
    for (int k = 1; k <= pgn::IndexColumns; ++k) visible[At(k - 1)] = k == 1 || scan.Index.ColumnUsed[At(k)] != 0;

    const auto lower = [](std::string text) {
        for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    };
    PickerRows picker(scan.Index, visible);
    for (const std::string text : {"fischer", "KASPAROV, G", "1-0   ", "1962.", "b22   ", " 5376 ", "?"}) {
        SCOPED_TRACE(text);
        Games expected;
        for (long game = 1; game <= scan.Index.Count; ++game) {
            bool found = false;
            for (int k = 1; k <= pgn::IndexColumns && !found; ++k)
                found = visible[At(k - 1)] &&
                        lower(DecodeText(scan.Index.Cell(game, k)) + "   ").find(lower(text)) != std::string::npos;
            if (found) expected.push_back(game);
        }
        picker.SetFilter(text);
        Games shown;
        for (long row = 0; row < picker.Count(); ++row) shown.push_back(picker.GameAt(row));
        EXPECT_EQ(shown, expected);
        EXPECT_FALSE(expected.empty());
    }
}

}  // namespace
}  // namespace orvane::ui
