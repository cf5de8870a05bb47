// The opening book: header and version checks, the moves and names sections,
// indented variations, the 101-continuation limit, line ends, and a cached
// parse that always answers like a fresh read of the file.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include "book/book.h"
#include "engine/position.h"
#include "support/temp_folder.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

constexpr std::string_view ProgramVersion = "0.10";
constexpr std::string_view Standard = StandardPositionString;

using TempDir = orvane::testing::TempFolder;

std::string Joined(const Lines& lines, std::string_view eol = "\r\n") {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += eol;
    }
    return text;
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    ASSERT_TRUE(out.good()) << path;
}

Lines WithHeader(const Lines& body) {
    Lines lines = {"ORVANE Version=0.10"};
    lines.insert(lines.end(), body.begin(), body.end());
    return lines;
}

// The expected continuations; every further slot is empty.
BookMoveList Moves(std::initializer_list<std::string> moves) {
    BookMoveList list{};
    std::size_t i = 0;
    for (const std::string& move : moves) list[i++] = move;
    return list;
}

BookMoveList Repeated(const std::string& move, int count) {
    BookMoveList list{};
    for (int i = 0; i < count; ++i) list[static_cast<std::size_t>(i)] = move;
    return list;
}

const char* StatusName(BookStatus status) {
    switch (status) {
    case BookStatus::Missing: return "Missing";
    case BookStatus::Refused: return "Refused";
    case BookStatus::NotStandardStart: return "NotStandardStart";
    case BookStatus::Completed: return "Completed";
    case BookStatus::Aborted: return "Aborted";
    }
    return "?";
}

void ExpectResult(const BookResult& got, BookStatus status, const BookMoveList& moves, int inBook,
                  const std::string& name) {
    EXPECT_STREQ(StatusName(got.Status), StatusName(status));
    EXPECT_EQ(got.BookMoves, moves);
    EXPECT_EQ(got.InBook, inBook);
    EXPECT_EQ(got.OpeningName, name);
}

void ExpectSame(const BookResult& got, const BookResult& want) {
    ExpectResult(got, want.Status, want.BookMoves, want.InBook, want.OpeningName);
}

// The standard position with the e-pawn already on e4.
std::string SetUpPosition() {
    std::string position(Standard);
    position[12] = '0';  // e2
    position[28] = '1';  // e4
    return position;
}

// The example book: two variations written indented under the move where
// they branch off.
const Lines ExampleBook = {
    "ORVANE Version=0.10",
    "start",
    "e2e4 e7e5 g1f3 b8c6 f1b5",
    "                    f1c4 f8c5",
    "          f2f4",
    "names",
    "e2e4~King's pawn~",
    "e2e4 e7e5~Open Game~",
    "end",
};

// A small book written with the header, a game to look up, and what the
// lookup must give.
struct BookCase {
    const char* Name;
    Lines Body;
    std::string GameKey;
    BookStatus Status;
    BookMoveList Moves;
    int InBook;
    std::string OpeningName;
};

class OpeningBookTest : public ::testing::Test {
protected:
    fs::path BookPath() const { return dir_.Path() / "orvane.bok"; }
    void WriteBook(const Lines& lines, std::string_view eol = "\r\n") { WriteBytes(BookPath(), Joined(lines, eol)); }
    BookResult LookUpFresh(std::string_view gameKey) {
        OpeningBook book(BookPath());
        return book.LookUp(gameKey, Standard, ProgramVersion);
    }
    void CheckBookCases(const std::vector<BookCase>& cases) {
        for (const BookCase& c : cases) {
            SCOPED_TRACE(c.Name);
            WriteBook(WithHeader(c.Body));
            ExpectResult(LookUpFresh(c.GameKey), c.Status, c.Moves, c.InBook, c.OpeningName);
        }
    }

private:
    TempDir dir_;
};

TEST_F(OpeningBookTest, MissingFileIsNoBook) {
    OpeningBook book(BookPath());
    ExpectResult(book.LookUp("e2e4", Standard, ProgramVersion), BookStatus::Missing, {}, 0, "");
    OpeningBook unnamed;
    ExpectResult(unnamed.LookUp("", Standard, ProgramVersion), BookStatus::Missing, {}, 0, "");
    // A folder of the book's name is no book file either.
    fs::create_directory(BookPath());
    ExpectResult(book.LookUp("e2e4", Standard, ProgramVersion), BookStatus::Missing, {}, 0, "");
}

// The checks before any book line is read, in their order: header, version,
// start position. Whatever stops the lookup leaves every result empty.
TEST_F(OpeningBookTest, HeaderVersionAndStartPosition) {
    const Lines body = {"start", "e2e4 e7e5", "names", "e2e4~King's pawn~"};
    struct Row {
        const char* Name;
        std::string Bytes;
        std::string_view ProgramVersion;
        std::string StartPosition;
        BookStatus Status;
        ReadErrorKind Error = ReadErrorKind::None;  // the kind of a refusal
    };
    const std::string setUp = SetUpPosition();
    auto bookWith = [&](const std::string& header) {
        Lines lines = {header};
        lines.insert(lines.end(), body.begin(), body.end());
        return Joined(lines);
    };
    const std::vector<Row> rows = {
        {"right header and version", bookWith("ORVANE Version=0.10"), "0.10", std::string(Standard),
         BookStatus::Completed},
        {"version 0.1 equals 0.10", bookWith("ORVANE Version=0.1"), "0.10", std::string(Standard),
         BookStatus::Completed},
        {"program version 0.1", bookWith("ORVANE Version=0.10"), "0.1", std::string(Standard), BookStatus::Completed},
        {"text after the version", bookWith("ORVANE Version=0.10 of May"), "0.10", std::string(Standard),
         BookStatus::Completed},
        {"blanks before the version", bookWith("ORVANE Version=  0.10"), "0.10", std::string(Standard),
         BookStatus::Completed},
        {"version 0.11", bookWith("ORVANE Version=0.11"), "0.10", std::string(Standard), BookStatus::Refused,
         ReadErrorKind::WrongVersion},
        {"version 1", bookWith("ORVANE Version=1"), "0.10", std::string(Standard), BookStatus::Refused,
         ReadErrorKind::WrongVersion},
        {"no version", bookWith("ORVANE Version="), "0.10", std::string(Standard), BookStatus::Refused,
         ReadErrorKind::WrongVersion},
        {"version not a number", bookWith("ORVANE Version=new"), "0.10", std::string(Standard), BookStatus::Refused,
         ReadErrorKind::WrongVersion},
        {"header in lower case", bookWith("orvane Version=0.10"), "0.10", std::string(Standard), BookStatus::Refused,
         ReadErrorKind::NotBook},
        {"blank before the header", bookWith(" ORVANE Version=0.10"), "0.10", std::string(Standard),
         BookStatus::Refused, ReadErrorKind::NotBook},
        {"header without '='", bookWith("ORVANE Version 0.10"), "0.10", std::string(Standard), BookStatus::Refused,
         ReadErrorKind::NotBook},
        {"file shorter than the header", "ORVANE Ver", "0.10", std::string(Standard), BookStatus::Refused,
         ReadErrorKind::NotBook},
        {"header broken by a line end", "ORVANE\r\nVersion=0.10\r\n", "0.10", std::string(Standard),
         BookStatus::Refused, ReadErrorKind::NotBook},
        {"empty file", "", "0.10", std::string(Standard), BookStatus::Refused, ReadErrorKind::NotBook},
        {"set-up position", bookWith("ORVANE Version=0.10"), "0.10", setUp, BookStatus::NotStandardStart},
        {"bad header before set-up position", bookWith("ORVANE Version"), "0.10", setUp, BookStatus::Refused,
         ReadErrorKind::NotBook},
        {"bad version before set-up position", bookWith("ORVANE Version=0.2"), "0.10", setUp, BookStatus::Refused,
         ReadErrorKind::WrongVersion},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        WriteBytes(BookPath(), row.Bytes);
        OpeningBook book(BookPath());
        const BookResult got = book.LookUp("e2e4", row.StartPosition, row.ProgramVersion);
        if (row.Status == BookStatus::Completed)
            ExpectResult(got, row.Status, Moves({"e7e5"}), 1, "King's pawn");
        else
            ExpectResult(got, row.Status, {}, 0, "");
        EXPECT_EQ(got.Error.Kind, row.Error);
        // The window's message names the file and, for a version, what it needs.
        if (row.Error == ReadErrorKind::NotBook) {
            EXPECT_EQ(got.Error.Text, BookNotABookText("orvane.bok"));
        }
        if (row.Error == ReadErrorKind::WrongVersion) {
            EXPECT_EQ(got.Error.Text, BookWrongVersionText("orvane.bok", row.ProgramVersion));
        }
    }
}

struct LookupRow {
    const char* Name;
    std::string GameKey;
    BookMoveList Moves;
    int InBook;
    std::string OpeningName;
};

// The example book: indented lines are compared in their expanded form, and
// the continuation is cut from the line as written.
TEST_F(OpeningBookTest, ExampleBookWithVariations) {
    WriteBook(ExampleBook);
    const std::vector<LookupRow> rows = {
        {"start of the game: first move of every line, blanks of indented lines", "", Moves({"e2e4", "    ", "    "}),
         0, ""},
        {"after e2e4 every line goes on, indented lines with blanks", "e2e4", Moves({"e7e5", "    ", "    "}), 1,
         "King's pawn"},
        {"variation branching at move 3", "e2e4 e7e5 f2f4", Moves({""}), 1, "Open Game"},
        {"variation branching at move 5", "e2e4 e7e5 g1f3 b8c6 f1c4", Moves({"f8c5"}), 1, "Open Game"},
        {"main line and a variation indented past the key", "e2e4 e7e5 g1f3", Moves({"b8c6", "    "}), 1, "Open Game"},
        {"end of the main line", "e2e4 e7e5 g1f3 b8c6 f1b5", Moves({""}), 1, "Open Game"},
        {"past the end of the main line", "e2e4 e7e5 g1f3 b8c6 f1b5 a7a6", {}, 0, "Open Game"},
        {"out of book, named by the general line", "e2e4 c7c5", {}, 0, "King's pawn"},
        {"neither in book nor named", "d2d4", {}, 0, ""},
    };
    for (const LookupRow& row : rows) {
        SCOPED_TRACE(row.Name);
        ExpectResult(LookUpFresh(row.GameKey), BookStatus::Completed, row.Moves, row.InBook, row.OpeningName);
    }
}

// Small books, each made for one rule of the moves or names section.
TEST_F(OpeningBookTest, SectionsAndLines) {
    const std::vector<BookCase> rows = {
        {"start of the game: file order, duplicates, slices of indented lines",
         {"start", "e2e4 e7e5", "d2d4 d7d5", "e2e4 c7c5", "     g8f6", "  c2c4", "names", "~Any game~",
          "e2e4~King's pawn~"},
         "",
         BookStatus::Completed,
         Moves({"e2e4", "d2d4", "e2e4", "    ", "  c2"}),
         0,
         "Any game"},
        {"only a names line beginning with '~' names the start",
         {"start", "e2e4 e7e5", "names", "e2e4~King's pawn~"},
         "",
         BookStatus::Completed,
         Moves({"e2e4"}),
         0,
         ""},
        {"two lines, one goes on after the game",
         {"start", "e2e4 e7e5 g1f3", "e2e4 c7c5"},
         "e2e4 e7e5",
         BookStatus::Completed,
         Moves({"g1f3"}),
         1,
         ""},
        {"a line ending with the game's last move gives an empty continuation",
         {"start", "e2e4 e7e5", "e2e4 e7e5 g1f3"},
         "e2e4 e7e5",
         BookStatus::Completed,
         Moves({"", "g1f3"}),
         1,
         ""},
        {"a line shorter than the game", {"start", "e2e4", "e2e4 e7"}, "e2e4 e7e5", BookStatus::Completed, {}, 0, ""},
        {"indentation past the end of the previous line",
         {"start", "e2e4", "          g1f3"},
         "e2e4",
         BookStatus::Completed,
         Moves({"", "    "}),
         1,
         ""},
        {"indentation repeats the expanded line, not the one as written",
         {"start", "e2e4 e7e5 g1f3", "          b1c3", "               g8f6"},
         "e2e4 e7e5 b1c3 g8f6",
         BookStatus::Completed,
         Moves({""}),
         1,
         ""},
        {"lines before start are ignored",
         {"e2e4 d7d5", "names", "e2e4~Old~", "start", "e2e4 e7e5"},
         "e2e4",
         BookStatus::Completed,
         Moves({"e7e5"}),
         1,
         ""},
        {"no start line", {"e2e4 e7e5", "names", "e2e4~King's pawn~", "end"}, "e2e4", BookStatus::Completed, {}, 0, ""},
        {"start must stand alone on its line",
         {"start ", "Start", " start", "e2e4 e7e5"},
         "e2e4",
         BookStatus::Completed,
         {},
         0,
         ""},
        {"moves section ended by end has no names",
         {"start", "e2e4 e7e5", "end", "names", "e2e4~King's pawn~"},
         "e2e4",
         BookStatus::Completed,
         Moves({"e7e5"}),
         1,
         ""},
        {"nothing after end is read",
         {"start", "e2e4 e7e5", "names", "e2e4~King's pawn~", "end", "e2e4 d7d5~Scandinavian~", "no tilde"},
         "e2e4 d7d5",
         BookStatus::Completed,
         {},
         0,
         "King's pawn"},
        {"names section runs to the end of the file",
         {"start", "names", "e2e4~King's pawn~"},
         "e2e4 e7e5",
         BookStatus::Completed,
         {},
         0,
         "King's pawn"},
        {"a name may hold '~'", {"start", "names", "e2e4~A~B~"}, "e2e4", BookStatus::Completed, {}, 0, "A~B"},
        {"a names line ending at its '~' gives an empty name",
         {"start", "names", "e2e4~King's pawn~", "e2e4~"},
         "e2e4",
         BookStatus::Completed,
         {},
         0,
         ""},
        {"the name's closing character may be anything",
         {"start", "names", "e2e4~King's pawn."},
         "e2e4",
         BookStatus::Completed,
         {},
         0,
         "King's pawn"},
        {"names prefix longer than the game",
         {"start", "names", "e2e4 e7e5~Open Game~"},
         "e2e4",
         BookStatus::Completed,
         {},
         0,
         ""},
        {"names are compared case-sensitively",
         {"start", "names", "E2E4~King's pawn~"},
         "e2e4",
         BookStatus::Completed,
         {},
         0,
         ""},
        {"a names line without '~' ends the lookup, keeping the name so far",
         {"start", "e2e4 e7e5", "names", "~Any game~", "e2e4~King's pawn~", "Sicilian", "e2e4 e7e5~Open Game~"},
         "e2e4 e7e5",
         BookStatus::Aborted,
         Moves({""}),
         1,
         "King's pawn"},
        {"an empty names line ends the lookup too",
         {"start", "names", "e2e4~King's pawn~", "", "end"},
         "e2e4",
         BookStatus::Aborted,
         {},
         0,
         "King's pawn"},
    };
    CheckBookCases(rows);
}

// At most 101 continuations are kept; the 102nd ends the lookup before the
// names are read.
TEST_F(OpeningBookTest, ContinuationLimit) {
    auto body = [](std::initializer_list<std::pair<std::string, int>> groups) {
        Lines lines = {"start"};
        for (const auto& [line, count] : groups) lines.insert(lines.end(), static_cast<std::size_t>(count), line);
        lines.insert(lines.end(), {"names", "~Any game~", "e2e4~King's pawn~"});
        return lines;
    };
    const std::vector<BookCase> rows = {
        {"101 continuations fit", body({{"e2e4 e7e5", 101}}), "e2e4", BookStatus::Completed, Repeated("e7e5", 101), 1,
         "King's pawn"},
        {"the 102nd continuation ends the lookup", body({{"e2e4 e7e5", 102}}), "e2e4", BookStatus::Aborted,
         Repeated("e7e5", 101), 1, ""},
        {"lines that do not follow the game do not count", body({{"d2d4 d7d5", 150}, {"e2e4 e7e5", 101}}), "e2e4",
         BookStatus::Completed, Repeated("e7e5", 101), 1, "King's pawn"},
        {"101 lines at the start of the game", body({{"e2e4 e7e5", 101}}), "", BookStatus::Completed,
         Repeated("e2e4", 101), 0, "Any game"},
        {"102 lines at the start of the game", body({{"e2e4 e7e5", 102}}), "", BookStatus::Aborted,
         Repeated("e2e4", 101), 0, ""},
    };
    CheckBookCases(rows);
}

// Where a lookup stops: the kind and the file line (and the column of a
// version), counted over empty lines, runs of equal lines and every kind of
// line end, and the same from the cached parse as from a fresh one.
TEST_F(OpeningBookTest, StopsSayWhere) {
    const auto repeated = [](Lines lines, const std::string& line, int count) {
        lines.insert(lines.end(), static_cast<std::size_t>(count), line);
        return lines;
    };
    struct Row {
        const char* Name;
        std::string Bytes;
        std::string GameKey;
        ReadErrorKind Kind;
        long Line;
        long Column;
    };
    const Lines head = {"ORVANE Version=0.10", "start"};
    const std::vector<Row> rows = {
        {"not a book", "ORVANE Book\r\nstart\r\n", "", ReadErrorKind::NotBook, 1, 1},
        {"another version", "ORVANE Version=0.2\r\nstart\r\n", "e2e4", ReadErrorKind::WrongVersion, 1, 16},
        {"names line without '~'",
         Joined({"ORVANE Version=0.10", "", "start", "e2e4 e7e5", "", "names", "e2e4~King's pawn~", "Sicilian"}),
         "e2e4", ReadErrorKind::BookNameWithoutTilde, 8, 0},
        {"names line without '~', lone CR and LF line ends",
         "ORVANE Version=0.10\rstart\n\r\ne2e4 e7e5\rnames\n\ne2e4~King's pawn~\r\n", "e2e4",
         ReadErrorKind::BookNameWithoutTilde, 6, 0},
        {"the 102nd continuation after lines that do not follow",
         Joined(repeated(repeated(head, "d2d4 d7d5", 3), "e2e4 e7e5", 102)), "e2e4", ReadErrorKind::TooManyBookMoves,
         107, 0},
        {"the 102nd continuation, an empty line among equal lines",
         Joined(repeated(repeated(repeated(head, "e2e4 e7e5", 50), "", 1), "e2e4 e7e5", 52)), "e2e4",
         ReadErrorKind::TooManyBookMoves, 105, 0},
        {"the 102nd line at the start of the game, empty lines counted",
         Joined(repeated(repeated(head, "", 2), "e2e4 e7e5", 100)), "", ReadErrorKind::TooManyBookMoves, 104, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        WriteBytes(BookPath(), row.Bytes);
        OpeningBook book(BookPath());
        for (int lookup = 0; lookup < 2; ++lookup) {
            const BookResult got = book.LookUp(row.GameKey, Standard, ProgramVersion);
            EXPECT_EQ(got.Error.Kind, row.Kind);
            EXPECT_EQ(got.Error.Line, row.Line);
            EXPECT_EQ(got.Error.Column, row.Column);
            EXPECT_EQ(got.Error.File, BookPath().string());
        }
    }
}

// Books written with CR LF, with CR alone, with LF alone, mixed, or without a
// last line end all read alike.
TEST_F(OpeningBookTest, LineEnds) {
    const std::vector<std::string> keys = {
        "", "e2e4", "e2e4 e7e5", "e2e4 e7e5 f2f4", "e2e4 e7e5 g1f3 b8c6 f1c4", "e2e4 c7c5"};
    WriteBook(ExampleBook, "\r\n");
    std::vector<BookResult> expected;
    for (const std::string& key : keys) expected.push_back(LookUpFresh(key));
    ExpectResult(expected[4], BookStatus::Completed, Moves({"f8c5"}), 1, "Open Game");

    std::string mixed;
    const std::vector<std::string_view> ends = {"\r\n", "\n", "\r"};
    for (std::size_t i = 0; i < ExampleBook.size(); ++i) mixed += ExampleBook[i] + std::string(ends[i % ends.size()]);
    std::string unfinished = Joined(ExampleBook, "\n");
    unfinished.pop_back();

    struct Row {
        const char* Name;
        std::string Bytes;
    };
    const std::vector<Row> rows = {
        {"CR only", Joined(ExampleBook, "\r")},
        {"LF only", Joined(ExampleBook, "\n")},
        {"mixed", mixed},
        {"no line end after the last line", unfinished},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        WriteBytes(BookPath(), row.Bytes);
        for (std::size_t i = 0; i < keys.size(); ++i) {
            SCOPED_TRACE("game \"" + keys[i] + "\"");
            ExpectSame(LookUpFresh(keys[i]), expected[i]);
        }
    }
}

// An empty line inside the book is a line of its own, whatever ends it.
TEST_F(OpeningBookTest, EmptyLinesCountInEveryLineEnd) {
    const Lines lines = WithHeader({"start", "e2e4 e7e5", "", "d2d4 d7d5"});
    for (std::string_view eol : {"\r\n", "\r", "\n"}) {
        SCOPED_TRACE(eol == "\r\n" ? "CR LF" : eol == "\r" ? "CR" : "LF");
        WriteBook(lines, eol);
        ExpectResult(LookUpFresh(""), BookStatus::Completed, Moves({"e2e4", "", "d2d4"}), 0, "");
    }
}

// The cached parse must follow every change of the file.
TEST_F(OpeningBookTest, ChangedFileIsReadAgain) {
    OpeningBook book(BookPath());
    WriteBook(WithHeader({"start", "e2e4 e7e5"}));
    ExpectResult(book.LookUp("e2e4", Standard, ProgramVersion), BookStatus::Completed, Moves({"e7e5"}), 1, "");

    // A different size.
    WriteBook(WithHeader({"start", "e2e4 c7c5 g1f3", "names", "e2e4 c7c5~Sicilian~"}));
    ExpectResult(book.LookUp("e2e4 c7c5", Standard, ProgramVersion), BookStatus::Completed, Moves({"g1f3"}), 1,
                 "Sicilian");

    // The same size, a different modification time.
    WriteBook(WithHeader({"start", "e2e4 e7e5 g1f3", "names", "e2e4 e7e5~Older name~"}));
    const fs::file_time_type first = fs::last_write_time(BookPath());
    const std::uintmax_t size = fs::file_size(BookPath());
    ExpectResult(book.LookUp("e2e4 e7e5", Standard, ProgramVersion), BookStatus::Completed, Moves({"g1f3"}), 1,
                 "Older name");
    WriteBook(WithHeader({"start", "e2e4 e7e5 f2f4", "names", "e2e4 e7e5~Newer name~"}));
    ASSERT_EQ(fs::file_size(BookPath()), size);
    fs::last_write_time(BookPath(), first + std::chrono::seconds(5));
    ExpectResult(book.LookUp("e2e4 e7e5", Standard, ProgramVersion), BookStatus::Completed, Moves({"f2f4"}), 1,
                 "Newer name");
}

// The change time of a file in nanoseconds; no copy can set it.
std::int64_t ChangeTime(const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return -1;
    return static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1'000'000'000 + st.st_ctim.tv_nsec;
}

// A book replaced by another of the same size and modification time, as
// "cp -p other orvane.bok" does it: the same file rewritten in place, its
// time set back. It is noticed by its change time.
TEST_F(OpeningBookTest, BookCopiedOverWithTheSameSizeAndTimeIsReadAgain) {
    OpeningBook book(BookPath());
    WriteBook(WithHeader({"start", "e2e4 e7e5"}));
    const fs::file_time_type first = fs::last_write_time(BookPath());
    const std::int64_t changed = ChangeTime(BookPath());
    ExpectResult(book.LookUp("e2e4", Standard, ProgramVersion), BookStatus::Completed, Moves({"e7e5"}), 1, "");
    // The file system's clock may tick coarsely: copy until the change time moved on.
    for (int attempt = 0; attempt < 1000 && ChangeTime(BookPath()) == changed; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        {
            std::ofstream out(BookPath(), std::ios::binary | std::ios::in | std::ios::out);
            out << Joined(WithHeader({"start", "e2e4 c7c5"}));
        }
        fs::last_write_time(BookPath(), first);
    }
    ASSERT_NE(ChangeTime(BookPath()), changed);
    ASSERT_EQ(fs::last_write_time(BookPath()), first);
    ExpectResult(book.LookUp("e2e4", Standard, ProgramVersion), BookStatus::Completed, Moves({"c7c5"}), 1, "");
    // Unchanged since: the same result from the kept parse.
    ExpectResult(book.LookUp("e2e4", Standard, ProgramVersion), BookStatus::Completed, Moves({"c7c5"}), 1, "");
}

// Another file of the same size and time renamed over the book is another
// file: noticed by its identity.
TEST_F(OpeningBookTest, BookRenamedOverWithTheSameSizeAndTimeIsReadAgain) {
    OpeningBook book(BookPath());
    WriteBook(WithHeader({"start", "e2e4 e7e5"}));
    const fs::path other = BookPath().parent_path() / "other.bok";
    WriteBytes(other, Joined(WithHeader({"start", "e2e4 c7c5"})));
    fs::last_write_time(other, fs::last_write_time(BookPath()));
    ExpectResult(book.LookUp("e2e4", Standard, ProgramVersion), BookStatus::Completed, Moves({"e7e5"}), 1, "");
    fs::rename(other, BookPath());
    ExpectResult(book.LookUp("e2e4", Standard, ProgramVersion), BookStatus::Completed, Moves({"c7c5"}), 1, "");
}

TEST_F(OpeningBookTest, RemovedAndRecreatedFile) {
    OpeningBook book(BookPath());
    WriteBook(WithHeader({"start", "e2e4 e7e5"}));
    const fs::file_time_type first = fs::last_write_time(BookPath());
    ExpectResult(book.LookUp("e2e4", Standard, ProgramVersion), BookStatus::Completed, Moves({"e7e5"}), 1, "");
    fs::remove(BookPath());
    ExpectResult(book.LookUp("e2e4", Standard, ProgramVersion), BookStatus::Missing, {}, 0, "");
    // Back with the old size and time: still read afresh.
    WriteBook(WithHeader({"start", "e2e4 c7c5"}));
    fs::last_write_time(BookPath(), first);
    ExpectResult(book.LookUp("e2e4", Standard, ProgramVersion), BookStatus::Completed, Moves({"c7c5"}), 1, "");
}

TEST_F(OpeningBookTest, SetPathReadsTheOtherFile) {
    WriteBook(WithHeader({"start", "e2e4 e7e5"}));
    const fs::path other = BookPath().parent_path() / "other.bok";
    WriteBytes(other, Joined(WithHeader({"start", "e2e4 c7c5"})));
    fs::last_write_time(other, fs::last_write_time(BookPath()));

    OpeningBook book(BookPath());
    ExpectResult(book.LookUp("e2e4", Standard, ProgramVersion), BookStatus::Completed, Moves({"e7e5"}), 1, "");
    book.SetPath(other);
    EXPECT_EQ(book.Path(), other);
    ExpectResult(book.LookUp("e2e4", Standard, ProgramVersion), BookStatus::Completed, Moves({"c7c5"}), 1, "");
}

// A refused book is refused at every lookup, and the version is compared with
// the version each lookup is given.
TEST_F(OpeningBookTest, RefusalsRepeatAtEveryLookup) {
    OpeningBook book(BookPath());
    WriteBook({"ORVANE Book", "start", "e2e4 e7e5"});
    for (int i = 0; i < 3; ++i)
        ExpectResult(book.LookUp("e2e4", Standard, ProgramVersion), BookStatus::Refused, {}, 0, "");
    EXPECT_EQ(book.LookUp("e2e4", Standard, ProgramVersion).Error.Kind, ReadErrorKind::NotBook);

    WriteBook({"ORVANE Version=0.11", "start", "e2e4 e7e5"});
    for (int i = 0; i < 3; ++i)
        ExpectResult(book.LookUp("e2e4", Standard, ProgramVersion), BookStatus::Refused, {}, 0, "");
    EXPECT_EQ(book.LookUp("e2e4", Standard, ProgramVersion).Error.Kind, ReadErrorKind::WrongVersion);
    ExpectResult(book.LookUp("e2e4", Standard, "0.11"), BookStatus::Completed, Moves({"e7e5"}), 1, "");
    ExpectResult(book.LookUp("e2e4", SetUpPosition(), "0.11"), BookStatus::NotStandardStart, {}, 0, "");
    ExpectResult(book.LookUp("e2e4", Standard, ProgramVersion), BookStatus::Refused, {}, 0, "");
}

// A cached lookup answers exactly like a fresh one, whatever came before it.
TEST_F(OpeningBookTest, CachedLookupsMatchFreshOnes) {
    WriteBook(ExampleBook);
    OpeningBook cached(BookPath());
    const std::vector<std::string> keys = {"e2e4 e7e5 g1f3", "", "e2e4", "d2d4", "e2e4 e7e5 f2f4", "", "e2e4 c7c5"};
    for (const std::string& key : keys) {
        SCOPED_TRACE("game \"" + key + "\"");
        ExpectSame(cached.LookUp(key, Standard, ProgramVersion), LookUpFresh(key));
    }
}

// The lookup as the book's format describes it, reading the text line by
// line with nothing kept or worked out in advance. The header is taken as
// right and the game as starting from the standard position.
Lines PlainLines(const std::string& bytes) {
    Lines lines;
    std::string current;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') {
            current += c;
            continue;
        }
        lines.push_back(current);
        current.clear();
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    }
    if (!bytes.empty() && bytes.back() != '\r' && bytes.back() != '\n') lines.push_back(current);
    return lines;
}

BookResult PlainLookUp(const Lines& lines, const std::string& game) {
    // Mid with a 1-based start.
    auto mid = [](const std::string& text, std::size_t start, std::size_t length) {
        return start > text.size() ? std::string() : text.substr(start - 1, length);
    };
    BookResult result;
    result.Status = BookStatus::Completed;
    std::size_t i = 1;
    while (i < lines.size() && lines[i] != "start") ++i;
    if (i == lines.size()) return result;

    std::string t;
    std::size_t n = 0;
    bool names = false;
    for (++i; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        if (l == "names" || l == "end") {
            names = l == "names";
            ++i;
            break;
        }
        if (game.empty()) {
            if (n == BookMoveSlots) {
                result.Status = BookStatus::Aborted;
                return result;
            }
            result.BookMoves[n++] = l.substr(0, 4);
            continue;
        }
        std::size_t q = 1;
        while (q <= l.size() && l[q - 1] == ' ') ++q;
        const std::string rest = l.substr(q - 1);
        if (t.size() < q - 1 + rest.size()) t.resize(q - 1 + rest.size(), ' ');
        t = t.substr(0, q - 1) + rest;
        bool same = true;
        for (std::size_t p = 1; p <= game.size(); p += 5)
            if (mid(t, p, 4) != mid(game, p, 4)) same = false;
        if (!same) continue;
        result.InBook = 1;
        if (n == BookMoveSlots) {
            result.Status = BookStatus::Aborted;
            return result;
        }
        result.BookMoves[n++] = mid(l, game.size() + 2, 4);
    }
    for (; names && i < lines.size() && lines[i] != "end"; ++i) {
        const std::string& m = lines[i];
        const std::size_t k = m.find('~');
        if (k == std::string::npos) {
            result.Status = BookStatus::Aborted;
            return result;
        }
        if (game.size() >= k && game.compare(0, k, m, 0, k) == 0)
            result.OpeningName = k + 1 < m.size() ? m.substr(k + 1, m.size() - k - 2) : std::string();
    }
    return result;
}

// Random books with heavily shared openings, variations indented at move
// boundaries and elsewhere, odd lines and unsorted stretches: every lookup
// through the kept parse answers like the plain reading.
TEST_F(OpeningBookTest, RandomBooksMatchAPlainReading) {
    const std::vector<std::string> tokens = {"e2e4", "d2d4", "g1f3", "e7e5", "c7c5",
                                             "d7d5", "g8f6", "b1c3", "f1c4", "c2c4"};
    struct Row {
        const char* Name;
        unsigned Seed;
        std::size_t Lines;
        bool BrokenNames;
        bool Repeats;  // runs of equal lines, of empty lines, and of equal names lines
    };
    const std::vector<Row> rows = {
        {"small book", 1, 40, false, false},
        {"medium book", 2, 150, false, false},
        {"large book", 3, 300, false, false},
        {"book with a broken names line", 4, 150, true, false},
        {"another large book", 5, 400, false, false},
        {"repeated and empty lines", 6, 150, false, true},
        {"repeated and empty lines, another", 7, 300, false, true},
        {"repeated lines and a broken names line", 8, 200, true, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        std::mt19937 rng(row.Seed);
        auto below = [&rng](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
        // Early tokens are likelier, so lines share their openings.
        auto token = [&]() { return tokens[std::min(below(tokens.size()), below(tokens.size()))]; };

        std::vector<std::vector<std::string>> games;
        for (std::size_t i = 0; i < row.Lines; ++i) {
            std::vector<std::string> game(1 + below(7));
            for (std::string& move : game) move = token();
            games.push_back(game);
        }
        std::sort(games.begin(), games.end());
        for (std::size_t i = 0; i + 1 < games.size(); ++i)
            if (below(10) == 0) std::swap(games[i], games[i + 1]);

        auto joined = [](const std::vector<std::string>& game, std::size_t moves) {
            std::string text;
            for (std::size_t m = 0; m < moves && m < game.size(); ++m) text += (m > 0 ? " " : "") + game[m];
            return text;
        };
        Lines lines = {"ORVANE Version=0.10", "start"};
        std::string previous;
        for (const std::vector<std::string>& game : games) {
            const std::string text = joined(game, game.size());
            std::size_t common = 0;
            while (common < text.size() && common < previous.size() && text[common] == previous[common]) ++common;
            const std::size_t kind = below(20);
            if (kind < 8) {
                lines.push_back(text);
            } else if (kind < 15) {  // a variation under the move where it branches off
                const std::size_t indent = common / 5 * 5;
                lines.push_back(std::string(indent, ' ') + text.substr(indent));
            } else if (kind < 18) {  // indented anywhere, even past the shared part
                const std::size_t indent = std::min(text.size(), below(common + 4));
                lines.push_back(std::string(indent, ' ') + text.substr(indent));
            } else {  // lines a book should not hold but might
                const std::vector<std::string> odd = {text.substr(0, 2), text + " ",          "  " + text,
                                                      text + "  e2e4",   std::string(3, ' '), ""};
                lines.push_back(odd[below(odd.size())]);
            }
            if (row.Repeats) {
                // The reader keeps one run of equal or empty lines: it must
                // count them all, also past the 101 continuations.
                const std::size_t kind2 = below(12);
                const std::size_t times = below(10) == 0 ? 60 + below(90) : 1 + below(4);
                const std::string last = lines.back();
                if (kind2 < 3)
                    lines.insert(lines.end(), times, last);
                else if (kind2 < 6)
                    lines.insert(lines.end(), times, std::string());
                else if (kind2 < 7)
                    lines.insert(lines.end(), times, std::string(1 + below(12), ' '));
            }
            previous = text;
        }
        lines.push_back("names");
        for (std::size_t i = 0; i < 40; ++i) {
            const std::string prefix = joined(games[below(games.size())], below(4));
            lines.push_back(prefix + "~Opening " + std::to_string(i) + (below(5) == 0 ? "~x~" : "~"));
            if (row.Repeats && below(4) == 0) {
                const std::string last = lines.back();
                lines.insert(lines.end(), 1 + below(3), last);
            }
            if (row.BrokenNames && i == 20) lines.push_back(row.Repeats ? "" : "Broken");
        }
        if (below(2) == 0) lines.push_back("end");

        const std::vector<std::string_view> ends = {"\r\n", "\r", "\n"};
        const std::string bytes = Joined(lines, ends[row.Seed % ends.size()]);
        WriteBytes(BookPath(), bytes);

        std::vector<std::string> keys = {""};
        for (const std::vector<std::string>& game : games)
            for (std::size_t m = 1; m <= game.size(); ++m) keys.push_back(joined(game, m));
        for (std::size_t i = 0; i < 100; ++i) {
            std::vector<std::string> game(1 + below(5));
            for (std::string& move : game) move = token();
            keys.push_back(joined(game, game.size()));
            keys.push_back(keys.back().substr(0, keys.back().size() - 2));  // cut inside a move
        }

        std::sort(keys.begin(), keys.end());
        keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
        std::shuffle(keys.begin(), keys.end(), rng);
        if (keys.size() > 300) keys.resize(300);
        keys.push_back("");

        const Lines plainLines = PlainLines(bytes);
        OpeningBook book(BookPath());
        for (const std::string& key : keys) {
            SCOPED_TRACE("game \"" + key + "\"");
            ExpectSame(book.LookUp(key, Standard, ProgramVersion), PlainLookUp(plainLines, key));
            if (HasFailure()) return;
        }
    }
}

// Books padded with runs of empty lines long enough to cross the reader's
// blocks at every alignment of a CR LF: read alike by every line end, and
// like the plain reading.
TEST_F(OpeningBookTest, LongRunsOfEmptyLinesAcrossReadBlocks) {
    for (const std::string_view eol : {"\r\n", "\r", "\n"}) {
        for (const std::size_t padding : {32767u, 32768u, 65535u, 65536u, 70001u}) {
            SCOPED_TRACE(std::to_string(padding) + " empty lines, line end of " + std::to_string(eol.size()));
            const Lines lines = [&] {
                Lines l = WithHeader({"start", "e2e4 e7e5 g1f3"});
                l.insert(l.end(), padding, "");
                l.insert(l.end(), {"          b1c3", "e2e4 c7c5", " ", "     d7d5", "names"});
                l.insert(l.end(), 3, "e2e4~King's pawn~");
                l.insert(l.end(), padding / 1000, "");
                return l;
            }();
            const std::string bytes = Joined(lines, eol);
            WriteBytes(BookPath(), bytes);
            const Lines plain = PlainLines(bytes);
            OpeningBook book(BookPath());
            for (const std::string key : {"", "e2e4", "e2e4 e7e5", "e2e4 d7d5", "     "}) {
                SCOPED_TRACE("game \"" + key + "\"");
                ExpectSame(book.LookUp(key, Standard, ProgramVersion), PlainLookUp(plain, key));
            }
            ExpectResult(book.LookUp("e2e4", Standard, ProgramVersion), BookStatus::Aborted, Moves({"e7e5", "c7c5"}), 1,
                         "King's pawn");
        }
    }
}

TEST(BookTexts, MessageTexts) {
    struct Row {
        const char* Name;
        std::string Got;
        std::string Want;
    };
    const std::vector<Row> rows = {
        {"not a book", BookNotABookText("orvane.bok"), "orvane.bok is not an Orvane Book file"},
        {"wrong version", BookWrongVersionText("orvane.bok", "0.10"),
         "Incorrect version of orvane.bok\r\nNeed version 0.10"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(row.Got, row.Want);
    }
}

TEST(BookNumbers, LeadingNumber) {
    struct Row {
        const char* Text;
        double Value;
    };
    const std::vector<Row> rows = {
        {"0.10", 0.1}, {"0.1abc", 0.1}, {"", 0.0},      {" 12 ", 12.0}, {"abc", 0.0}, {"-3.5", -3.5},
        {"+2", 2.0},   {".5", 0.5},     {"7.", 7.0},    {"1.2.3", 1.2}, {"  -", 0.0}, {".", 0.0},
        {"\t4", 4.0},  {"12e3", 12.0},  {"0012", 12.0}, {"1 2", 1.0},   {"- 5", 0.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("\"") + row.Text + "\"");
        EXPECT_DOUBLE_EQ(LeadingNumber(row.Text), row.Value);
    }
}

}  // namespace
}  // namespace orvane
