// The opening book: header and version checks, the moves and names sections,
// indented variations, the 101-continuation limit, line ends, and a cached
// parse that always answers like a fresh read of the file.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "book/book.h"
#include "engine/position.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

constexpr std::string_view ProgramVersion = "0.10";
constexpr std::string_view Standard = StandardPositionString;

// A folder of its own for each test, removed with everything in it afterwards.
class TempDir {
public:
    TempDir() {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "orvane_book_";
        name += info->test_suite_name();
        name += '_';
        name += info->name();
        name += '_';
        name += std::to_string(std::random_device{}());
        for (char& c : name)
            if (c == '/') c = '_';
        path_ = fs::temp_directory_path() / name;
        fs::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

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
    case BookStatus::NotABook: return "NotABook";
    case BookStatus::WrongVersion: return "WrongVersion";
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

class OpeningBookTest : public ::testing::Test {
protected:
    fs::path BookPath() const { return dir_.Path() / "orvane.bok"; }
    void WriteBook(const Lines& lines, std::string_view eol = "\r\n") { WriteBytes(BookPath(), Joined(lines, eol)); }
    BookResult LookUpFresh(std::string_view gameKey) {
        OpeningBook book(BookPath());
        return book.LookUp(gameKey, Standard, ProgramVersion);
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
    };
    const std::string setUp = SetUpPosition();
    auto bookWith = [&](const std::string& header) {
        Lines lines = {header};
        lines.insert(lines.end(), body.begin(), body.end());
        return Joined(lines);
    };
    const std::vector<Row> rows = {
        {"right header and version", bookWith("ORVANE Version=0.10"), "0.10", std::string(Standard), BookStatus::Completed},
        {"version 0.1 equals 0.10", bookWith("ORVANE Version=0.1"), "0.10", std::string(Standard), BookStatus::Completed},
        {"program version 0.1", bookWith("ORVANE Version=0.10"), "0.1", std::string(Standard), BookStatus::Completed},
        {"text after the version", bookWith("ORVANE Version=0.10 of May"), "0.10", std::string(Standard), BookStatus::Completed},
        {"blanks before the version", bookWith("ORVANE Version=  0.10"), "0.10", std::string(Standard), BookStatus::Completed},
        {"version 0.11", bookWith("ORVANE Version=0.11"), "0.10", std::string(Standard), BookStatus::WrongVersion},
        {"version 1", bookWith("ORVANE Version=1"), "0.10", std::string(Standard), BookStatus::WrongVersion},
        {"no version", bookWith("ORVANE Version="), "0.10", std::string(Standard), BookStatus::WrongVersion},
        {"version not a number", bookWith("ORVANE Version=new"), "0.10", std::string(Standard), BookStatus::WrongVersion},
        {"header in lower case", bookWith("orvane Version=0.10"), "0.10", std::string(Standard), BookStatus::NotABook},
        {"blank before the header", bookWith(" ORVANE Version=0.10"), "0.10", std::string(Standard), BookStatus::NotABook},
        {"header without '='", bookWith("ORVANE Version 0.10"), "0.10", std::string(Standard), BookStatus::NotABook},
        {"file shorter than the header", "ORVANE Ver", "0.10", std::string(Standard), BookStatus::NotABook},
        {"header broken by a line end", "ORVANE\r\nVersion=0.10\r\n", "0.10", std::string(Standard), BookStatus::NotABook},
        {"empty file", "", "0.10", std::string(Standard), BookStatus::NotABook},
        {"set-up position", bookWith("ORVANE Version=0.10"), "0.10", setUp, BookStatus::NotStandardStart},
        {"bad header before set-up position", bookWith("ORVANE Version"), "0.10", setUp, BookStatus::NotABook},
        {"bad version before set-up position", bookWith("ORVANE Version=0.2"), "0.10", setUp, BookStatus::WrongVersion},
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
        {"start of the game: first move of every line, blanks of indented lines", "",
         Moves({"e2e4", "    ", "    "}), 0, ""},
        {"after e2e4 every line goes on, indented lines with blanks", "e2e4",
         Moves({"e7e5", "    ", "    "}), 1, "King's pawn"},
        {"variation branching at move 3", "e2e4 e7e5 f2f4", Moves({""}), 1, "Open Game"},
        {"variation branching at move 5", "e2e4 e7e5 g1f3 b8c6 f1c4", Moves({"f8c5"}), 1, "Open Game"},
        {"main line and a variation indented past the key", "e2e4 e7e5 g1f3", Moves({"b8c6", "    "}), 1,
         "Open Game"},
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
    struct Row {
        const char* Name;
        Lines Body;
        std::string GameKey;
        BookStatus Status;
        BookMoveList Moves;
        int InBook;
        std::string OpeningName;
    };
    const std::vector<Row> rows = {
        {"start of the game: file order, duplicates, slices of indented lines",
         {"start", "e2e4 e7e5", "d2d4 d7d5", "e2e4 c7c5", "     g8f6", "  c2c4", "names", "~Any game~",
          "e2e4~King's pawn~"},
         "", BookStatus::Completed, Moves({"e2e4", "d2d4", "e2e4", "    ", "  c2"}), 0, "Any game"},
        {"only a names line beginning with '~' names the start",
         {"start", "e2e4 e7e5", "names", "e2e4~King's pawn~"}, "", BookStatus::Completed, Moves({"e2e4"}), 0, ""},
        {"two lines, one goes on after the game", {"start", "e2e4 e7e5 g1f3", "e2e4 c7c5"}, "e2e4 e7e5",
         BookStatus::Completed, Moves({"g1f3"}), 1, ""},
        {"a line ending with the game's last move gives an empty continuation",
         {"start", "e2e4 e7e5", "e2e4 e7e5 g1f3"}, "e2e4 e7e5", BookStatus::Completed, Moves({"", "g1f3"}), 1, ""},
        {"a line shorter than the game", {"start", "e2e4", "e2e4 e7"}, "e2e4 e7e5", BookStatus::Completed, {}, 0, ""},
        {"indentation past the end of the previous line",
         {"start", "e2e4", "          g1f3"}, "e2e4", BookStatus::Completed, Moves({"", "    "}), 1, ""},
        {"indentation repeats the expanded line, not the one as written",
         {"start", "e2e4 e7e5 g1f3", "          b1c3", "               g8f6"}, "e2e4 e7e5 b1c3 g8f6",
         BookStatus::Completed, Moves({""}), 1, ""},
        {"lines before start are ignored", {"e2e4 d7d5", "names", "e2e4~Old~", "start", "e2e4 e7e5"}, "e2e4",
         BookStatus::Completed, Moves({"e7e5"}), 1, ""},
        {"no start line", {"e2e4 e7e5", "names", "e2e4~King's pawn~", "end"}, "e2e4", BookStatus::Completed, {}, 0,
         ""},
        {"start must stand alone on its line", {"start ", "Start", " start", "e2e4 e7e5"}, "e2e4",
         BookStatus::Completed, {}, 0, ""},
        {"moves section ended by end has no names", {"start", "e2e4 e7e5", "end", "names", "e2e4~King's pawn~"},
         "e2e4", BookStatus::Completed, Moves({"e7e5"}), 1, ""},
        {"nothing after end is read",
         {"start", "e2e4 e7e5", "names", "e2e4~King's pawn~", "end", "e2e4 d7d5~Scandinavian~", "no tilde"},
         "e2e4 d7d5", BookStatus::Completed, {}, 0, "King's pawn"},
        {"names section runs to the end of the file", {"start", "names", "e2e4~King's pawn~"}, "e2e4 e7e5",
         BookStatus::Completed, {}, 0, "King's pawn"},
        {"a name may hold '~'", {"start", "names", "e2e4~A~B~"}, "e2e4", BookStatus::Completed, {}, 0, "A~B"},
        {"a names line ending at its '~' gives an empty name", {"start", "names", "e2e4~King's pawn~", "e2e4~"},
         "e2e4", BookStatus::Completed, {}, 0, ""},
        {"the name's closing character may be anything", {"start", "names", "e2e4~King's pawn."}, "e2e4",
         BookStatus::Completed, {}, 0, "King's pawn"},
        {"names prefix longer than the game", {"start", "names", "e2e4 e7e5~Open Game~"}, "e2e4",
         BookStatus::Completed, {}, 0, ""},
        {"names are compared case-sensitively", {"start", "names", "E2E4~King's pawn~"}, "e2e4",
         BookStatus::Completed, {}, 0, ""},
        {"a names line without '~' ends the lookup, keeping the name so far",
         {"start", "e2e4 e7e5", "names", "~Any game~", "e2e4~King's pawn~", "Sicilian", "e2e4 e7e5~Open Game~"},
         "e2e4 e7e5", BookStatus::Aborted, Moves({""}), 1, "King's pawn"},
        {"an empty names line ends the lookup too", {"start", "names", "e2e4~King's pawn~", "", "end"}, "e2e4",
         BookStatus::Aborted, {}, 0, "King's pawn"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        WriteBook(WithHeader(row.Body));
        ExpectResult(LookUpFresh(row.GameKey), row.Status, row.Moves, row.InBook, row.OpeningName);
    }
}

// At most 101 continuations are kept; the 102nd ends the lookup before the
// names are read.
TEST_F(OpeningBookTest, ContinuationLimit) {
    struct Row {
        const char* Name;
        Lines Body;
        std::string GameKey;
        BookStatus Status;
        BookMoveList Moves;
        int InBook;
        std::string OpeningName;
    };
    auto body = [](std::initializer_list<std::pair<std::string, int>> groups) {
        Lines lines = {"start"};
        for (const auto& [line, count] : groups) lines.insert(lines.end(), static_cast<std::size_t>(count), line);
        lines.insert(lines.end(), {"names", "~Any game~", "e2e4~King's pawn~"});
        return lines;
    };
    const std::vector<Row> rows = {
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
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        WriteBook(WithHeader(row.Body));
        ExpectResult(LookUpFresh(row.GameKey), row.Status, row.Moves, row.InBook, row.OpeningName);
    }
}

// Books written with CR LF, with CR alone, with LF alone, mixed, or without a
// last line end all read alike.
TEST_F(OpeningBookTest, LineEnds) {
    const std::vector<std::string> keys = {"", "e2e4", "e2e4 e7e5", "e2e4 e7e5 f2f4", "e2e4 e7e5 g1f3 b8c6 f1c4",
                                           "e2e4 c7c5"};
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

// Same size and time: the book is not read again (this is what saves the work).
TEST_F(OpeningBookTest, UnchangedSizeAndTimeKeepTheParse) {
    OpeningBook book(BookPath());
    WriteBook(WithHeader({"start", "e2e4 e7e5"}));
    const fs::file_time_type first = fs::last_write_time(BookPath());
    ExpectResult(book.LookUp("e2e4", Standard, ProgramVersion), BookStatus::Completed, Moves({"e7e5"}), 1, "");
    WriteBook(WithHeader({"start", "e2e4 c7c5"}));
    fs::last_write_time(BookPath(), first);
    ExpectResult(book.LookUp("e2e4", Standard, ProgramVersion), BookStatus::Completed, Moves({"e7e5"}), 1, "");
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
        ExpectResult(book.LookUp("e2e4", Standard, ProgramVersion), BookStatus::NotABook, {}, 0, "");

    WriteBook({"ORVANE Version=0.11", "start", "e2e4 e7e5"});
    for (int i = 0; i < 3; ++i)
        ExpectResult(book.LookUp("e2e4", Standard, ProgramVersion), BookStatus::WrongVersion, {}, 0, "");
    ExpectResult(book.LookUp("e2e4", Standard, "0.11"), BookStatus::Completed, Moves({"e7e5"}), 1, "");
    ExpectResult(book.LookUp("e2e4", SetUpPosition(), "0.11"), BookStatus::NotStandardStart, {}, 0, "");
    ExpectResult(book.LookUp("e2e4", Standard, ProgramVersion), BookStatus::WrongVersion, {}, 0, "");
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

TEST(BookTexts, MessageTexts) {
    struct Row {
        const char* Name;
        std::string Got;
        std::string Want;
    };
    const std::vector<Row> rows = {
        {"not a book", BookNotABookText("orvane.bok"), "orvane.bok is not an Orvane Book file"},
        {"wrong version", BookWrongVersionText("orvane.bok", "0.10"), "Incorrect version of orvane.bok\r\nNeed version 0.10"},
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
        {"0.10", 0.1},  {"0.1abc", 0.1}, {"", 0.0},      {" 12 ", 12.0}, {"abc", 0.0},    {"-3.5", -3.5},
        {"+2", 2.0},    {".5", 0.5},     {"7.", 7.0},    {"1.2.3", 1.2}, {"  -", 0.0},    {".", 0.0},
        {"\t4", 4.0},   {"12e3", 12.0},  {"0012", 12.0}, {"1 2", 1.0},   {"- 5", 0.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("\"") + row.Text + "\"");
        EXPECT_DOUBLE_EQ(LeadingNumber(row.Text), row.Value);
    }
}

}  // namespace
}  // namespace orvane
