// The opening book the program ships (data/orvane.bok): the program accepts
// it, it knows the common first moves and names well-known openings, every
// book line can be followed to its end without a lookup giving up, and every
// named opening is named by its own moves.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "book/book.h"
#include "engine/position.h"
#include "notation/notation.h"

namespace orvane {
namespace {

constexpr std::string_view ProgramVersion = "0.10";
constexpr std::string_view Standard = StandardPositionString;
constexpr std::size_t MoveColumns = 5;

const char* const ShippedBookPath = ORVANE_SHIPPED_BOOK;

// The book's lines and sections as read from the file.
struct BookFile {
    std::vector<std::string> Lines;       // without their CR LF
    std::vector<std::string> MovesLines;  // between "start" and "names", as written
    std::vector<std::string> NamesLines;  // between "names" and "end"
};

std::string ReadBytes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

BookFile ReadBook() {
    BookFile book;
    const std::string text = ReadBytes(ShippedBookPath);
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find("\r\n", pos);
        if (end == std::string::npos) {
            ADD_FAILURE() << "the last line has no CR LF";
            book.Lines.push_back(text.substr(pos));
            break;
        }
        book.Lines.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    const auto start = std::find(book.Lines.begin(), book.Lines.end(), "start");
    const auto names = std::find(start, book.Lines.end(), "names");
    const auto end = std::find(names, book.Lines.end(), "end");
    if (start != book.Lines.end() && names != book.Lines.end()) book.MovesLines.assign(start + 1, names);
    if (names != book.Lines.end() && end != book.Lines.end()) book.NamesLines.assign(names + 1, end);
    return book;
}

// The moves of a line, its indentation filled in from the line before.
std::vector<std::vector<std::string>> ExpandedLines(const std::vector<std::string>& written) {
    std::vector<std::vector<std::string>> lines;
    std::vector<std::string> previous;
    for (const std::string& line : written) {
        const std::size_t indent = line.find_first_not_of(' ');
        std::vector<std::string> moves;
        if (indent != std::string::npos && indent % MoveColumns == 0 && indent / MoveColumns <= previous.size())
            moves.assign(previous.begin(), previous.begin() + static_cast<std::ptrdiff_t>(indent / MoveColumns));
        else
            ADD_FAILURE() << "line \"" << line << "\" is not indented to a move of the line before";
        std::istringstream rest(indent == std::string::npos ? std::string() : line.substr(indent));
        moves.insert(moves.end(), std::istream_iterator<std::string>(rest), std::istream_iterator<std::string>());
        lines.push_back(moves);
        previous = moves;
    }
    return lines;
}

std::string Key(const std::vector<std::string>& moves, std::size_t count) {
    std::string key;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) key += ' ';
        key += moves[i];
    }
    return key;
}

// The continuations a reader sees: those before the first empty entry.
std::vector<std::string> Continuations(const BookResult& result) {
    std::vector<std::string> moves;
    for (const std::string& move : result.BookMoves) {
        if (move.empty()) break;
        moves.push_back(move);
    }
    return moves;
}

bool Contains(const std::vector<std::string>& moves, std::string_view move) {
    return std::find(moves.begin(), moves.end(), move) != moves.end();
}

// Plays a move given as from-square/to-square if it is legal.
bool PlayMove(Position& pos, std::string_view move) {
    pos.InitGameTree();
    pos.GenerateMoves(1);
    for (int slot = pos.DepthStart[0]; slot < pos.DepthStart[1]; ++slot) {
        const MoveRecord& r = pos.MoveList[static_cast<std::size_t>(slot)];
        if (SquareNotation(pos, r.Source) + SquareNotation(pos, r.Dest) != move) continue;
        pos.PerformMove(slot);
        return true;
    }
    return false;
}

class ShippedBookTest : public ::testing::Test {
protected:
    BookResult LookUp(std::string_view gameKey) { return book_.LookUp(gameKey, Standard, ProgramVersion); }

private:
    OpeningBook book_{ShippedBookPath};
};

TEST_F(ShippedBookTest, IsAWellFormedBookOfThisProgramsVersion) {
    const BookFile file = ReadBook();
    ASSERT_FALSE(file.Lines.empty()) << "cannot read " << ShippedBookPath;
    EXPECT_EQ(file.Lines.front(), "ORVANE Version=0.10");
    ASSERT_FALSE(file.MovesLines.empty()) << "no moves section";
    ASSERT_FALSE(file.NamesLines.empty()) << "no names section";
    EXPECT_EQ(file.Lines.back(), "end");
    // A blank line in the moves section has no meaning to the program.
    for (const std::string& line : file.MovesLines)
        EXPECT_NE(line.find_first_not_of(' '), std::string::npos) << "blank line in the moves section";

    const BookResult start = LookUp("");
    ASSERT_EQ(start.Status, BookStatus::Completed);
    EXPECT_EQ(start.InBook, 0);
    EXPECT_TRUE(Contains(Continuations(start), "e2e4"));
    EXPECT_TRUE(Contains(Continuations(start), "d2d4"));
}

TEST_F(ShippedBookTest, NamesWellKnownOpenings) {
    const struct {
        std::string_view Key;
        std::string_view NameStart;
    } cases[] = {
        {"e2e4 c7c5", "Sicilian Defense"},
        {"e2e4 c7c5 g1f3 d7d6 d2d4 c5d4 f3d4 g8f6 b1c3 a7a6", "Sicilian Defense: Najdorf"},
        {"e2e4 e7e5 g1f3 b8c6 f1b5", "Ruy Lopez"},
        {"d2d4 d7d5 c2c4", "Queen's Gambit"},
        // Names keep their UTF-8 bytes.
        {"g2g3 d7d5 f1g2 e7e5 b2b4",
         "Hungarian Opening: B\xC3\xBC"
         "cker Gambit"},
    };
    for (const auto& c : cases) {
        const BookResult result = LookUp(c.Key);
        EXPECT_EQ(result.Status, BookStatus::Completed) << c.Key;
        EXPECT_TRUE(result.OpeningName.starts_with(c.NameStart)) << c.Key << ": \"" << result.OpeningName << '"';
    }
}

// Along every book line: the position after each of its moves is still in
// the book, the lookup collects all continuations without giving up, and the
// line's next move is among those a reader sees. The moves themselves are
// legal, so the program can mark them.
TEST_F(ShippedBookTest, EveryBookLineCanBeFollowedToItsEnd) {
    const BookFile file = ReadBook();
    const std::vector<std::vector<std::string>> lines = ExpandedLines(file.MovesLines);
    ASSERT_FALSE(lines.empty());
    for (const std::vector<std::string>& line : lines) {
        ASSERT_FALSE(line.empty());
        Position pos;
        for (std::size_t ply = 0; ply < line.size(); ++ply) {
            const std::string key = Key(line, ply);
            const BookResult result = LookUp(key);
            ASSERT_EQ(result.Status, BookStatus::Completed) << "after \"" << key << '"';
            EXPECT_EQ(result.InBook, ply == 0 ? 0 : 1) << "after \"" << key << '"';
            EXPECT_TRUE(Contains(Continuations(result), line[ply]))
                << line[ply] << " is not a continuation after \"" << key << '"';
            ASSERT_TRUE(PlayMove(pos, line[ply])) << line[ply] << " is illegal after \"" << key << '"';
        }
        const BookResult end = LookUp(Key(line, line.size()));
        EXPECT_EQ(end.Status, BookStatus::Completed) << Key(line, line.size());
        EXPECT_EQ(end.InBook, 1) << Key(line, line.size());
    }
}

// The last matching names line wins, so a line that came after a more
// particular one would hide its name. The named moves are legal games.
TEST_F(ShippedBookTest, EveryNamedOpeningIsNamedByItsOwnMoves) {
    const BookFile file = ReadBook();
    ASSERT_FALSE(file.NamesLines.empty());
    for (const std::string& line : file.NamesLines) {
        const std::size_t tilde = line.find('~');
        ASSERT_NE(tilde, std::string::npos) << line;
        ASSERT_TRUE(line.size() > tilde + 2 && line.back() == '~') << line;
        const std::string key = line.substr(0, tilde);
        const std::string name = line.substr(tilde + 1, line.size() - tilde - 2);
        std::istringstream moves(key);
        Position pos;
        for (std::istream_iterator<std::string> move(moves), last; move != last; ++move)
            ASSERT_TRUE(PlayMove(pos, *move)) << *move << " is illegal in \"" << key << '"';
        const BookResult result = LookUp(key);
        EXPECT_EQ(result.Status, BookStatus::Completed) << key;
        EXPECT_EQ(result.OpeningName, name) << key;
    }
}

}  // namespace
}  // namespace orvane
