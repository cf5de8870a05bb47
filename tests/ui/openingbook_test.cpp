// The opening book as the user meets it: the marker "b" on book moves in
// both lists, the continuations after a book move, indented variations, the
// opening's name in the status bar, and the messages for a book file of the
// wrong kind or version, which come back at every lookup.
#include <algorithm>
#include <iterator>
#include <ostream>

#include "uitest.h"

namespace orvane::ui::test {
namespace {

// The moves and names sections of the book used below. The second line
// branches off the first after four moves, the third after two.
const Lines BookBody = {
    "start",
    "e2e4 e7e5 g1f3 b8c6 f1b5",
    "                    f1c4 f8c5 e1g1",
    "          f2f4",
    "e2e4 c7c5",
    "d2d4 d7d5",
    "names",
    "e2e4~King's pawn~",
    "e2e4 e7e5~Open Game~",
    "e2e4 e7e5 g1f3 b8c6 f1b5~Ruy Lopez~",
    "e2e4 c7c5~Sicilian~",
    "d2d4 d7d5~Closed Game~",
    // The last matching line wins, even when it is the more general one.
    "d2d4~Queen's pawn~",
    "end",
};

std::string Book(const std::string& header, const std::string& eol = "\r\n") {
    std::string text = header + eol;
    for (const std::string& line : BookBody) text += line + eol;
    return text;
}

Lines Marked(const Lines& entries) {
    Lines marked;
    std::copy_if(entries.begin(), entries.end(), std::back_inserter(marked),
                 [](const std::string& e) { return !e.empty() && e.back() == 'b'; });
    return marked;
}

class OpeningBookTest : public UiTest {
protected:
    void WriteBook(const std::string& text) { WriteFile(Home() / "orvane.bok", text); }
};

struct BookScenario {
    const char* name;
    Lines moves;   // List2 entries as shown, markers included
    Lines list1;   // the move list afterwards
    Lines marked;  // the List2 entries that carry the marker
    std::string opening;
};
void PrintTo(const BookScenario& row, std::ostream* os) { *os << row.name; }

class BookLines : public OpeningBookTest, public ::testing::WithParamInterface<BookScenario> {};

TEST_P(BookLines, MarkBookMovesAndNameTheOpening) {
    WriteBook(Book("ORVANE Version=0.10"));
    const Lines printed = Run(Play(GetParam().moves));
    EXPECT_EQ(printed, Lines{});
    const Screen screen = Show();
    EXPECT_EQ(screen.list1, GetParam().list1);
    EXPECT_EQ(Marked(screen.list2), GetParam().marked);
    EXPECT_EQ(screen.status2, GetParam().opening);
    // The marker never reaches the record. The display half of a record
    // text is shown nowhere (the game file keeps only the squares), so the
    // record is read itself.
    for (int ply = 1; ply <= Form().Record.LastPly; ++ply) {
        const std::string& text = Form().Record.RecordText(ply);
        EXPECT_TRUE(text.size() == 12 || text.size() == 14) << '"' << text << '"';
        EXPECT_NE(text.back(), 'b') << '"' << text << '"';
    }
}

INSTANTIATE_TEST_SUITE_P(
    FromTheStart, BookLines,
    ::testing::Values(
        BookScenario{"StartPosition", {}, {}, {" d2-d4b", " e2-e4b"}, ""},
        BookScenario{"FirstBookMove", {" e2-e4b"}, {"   1.  e2-e4b"}, {" c7-c5b", " e7-e5b"}, "King's pawn"},
        BookScenario{"TwoBookMoves",
                     {" e2-e4b", " e7-e5b"},
                     {"   1.  e2-e4b", "       e7-e5b"},
                     {"Ng1-f3b", " f2-f4b"},
                     "Open Game"},
        BookScenario{"IndentedLineBranchesAfterTwoMoves",
                     {" e2-e4b", " e7-e5b", " f2-f4b"},
                     {"   1.  e2-e4b", "       e7-e5b", "   2.  f2-f4b"},
                     {},
                     "Open Game"},
        BookScenario{"BothLinesContinueAfterFourMoves",
                     {" e2-e4b", " e7-e5b", "Ng1-f3b", "Nb8-c6b"},
                     {"   1.  e2-e4b", "       e7-e5b", "   2. Ng1-f3b", "      Nb8-c6b"},
                     {"Bf1-c4b", "Bf1-b5b"},
                     "Open Game"},
        BookScenario{"NamedAtTheEndOfItsLine",
                     {" e2-e4b", " e7-e5b", "Ng1-f3b", "Nb8-c6b", "Bf1-b5b"},
                     {"   1.  e2-e4b", "       e7-e5b", "   2. Ng1-f3b", "      Nb8-c6b", "   3. Bf1-b5b"},
                     {},
                     "Ruy Lopez"},
        BookScenario{"CastlingInAVariation",
                     {" e2-e4b", " e7-e5b", "Ng1-f3b", "Nb8-c6b", "Bf1-c4b", "Bf8-c5b", "   O-Ob"},
                     {"   1.  e2-e4b", "       e7-e5b", "   2. Ng1-f3b", "      Nb8-c6b", "   3. Bf1-c4b",
                      "      Bf8-c5b", "   4.    O-Ob"},
                     {},
                     "Open Game"},
        BookScenario{"LeavingTheBook",
                     {" e2-e4b", " a7-a6", " d2-d4"},
                     {"   1.  e2-e4b", "       a7-a6", "   2.  d2-d4"},
                     {},
                     "King's pawn"},
        BookScenario{
            "LastMatchingNameWins", {" d2-d4b", " d7-d5b"}, {"   1.  d2-d4b", "       d7-d5b"}, {}, "Queen's pawn"},
        BookScenario{"MovesOutsideTheBookHaveNoName", {" a2-a3"}, {"   1.  a2-a3"}, {}, ""}),
    ScenarioName());

TEST_F(OpeningBookTest, NameFollowsTheShownPositionWhenWalking) {
    WriteBook(Book("ORVANE Version=0.10"));
    Run(Play({" e2-e4b", " e7-e5b", "Ng1-f3b", "Nb8-c6b", "Bf1-b5b"}));
    EXPECT_EQ(Show().status2, "Ruy Lopez");
    Run({"menu Moveback"});
    Screen screen = Show();
    EXPECT_EQ(screen.status2, "Open Game");
    EXPECT_EQ(Marked(screen.list2), (Lines{"Bf1-c4b", "Bf1-b5b"}));
    Run({"menu First"});
    screen = Show();
    EXPECT_EQ(screen.status2, "");
    EXPECT_EQ(Marked(screen.list2), (Lines{" d2-d4b", " e2-e4b"}));
    Run({"list1 0"});
    EXPECT_EQ(Show().status2, "King's pawn");
    Run({"menu Last"});
    EXPECT_EQ(Show().status2, "Ruy Lopez");
}

TEST_F(OpeningBookTest, MoveByMouseGetsTheMarkerToo) {
    WriteBook(Book("ORVANE Version=0.10"));
    Run({"hover e2", "drag e2 e4", "hover c7", "drag c7 c5"});
    const Screen screen = Show();
    EXPECT_EQ(screen.list1, (Lines{"   1.  e2-e4b", "       c7-c5b"}));
    EXPECT_EQ(screen.status2, "Sicilian");
}

// The line ends a book file may use.
class BookLineEnds : public OpeningBookTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(BookLineEnds, AreAllRead) {
    WriteBook(Book("ORVANE Version=0.10", GetParam()));
    Run(Play({" e2-e4b", " e7-e5b"}));
    const Screen screen = Show();
    EXPECT_EQ(screen.list1, (Lines{"   1.  e2-e4b", "       e7-e5b"}));
    EXPECT_EQ(Marked(screen.list2), (Lines{"Ng1-f3b", " f2-f4b"}));
    EXPECT_EQ(screen.status2, "Open Game");
}

INSTANTIATE_TEST_SUITE_P(Book, BookLineEnds, ::testing::Values("\r\n", "\n", "\r"), [](const auto& row) {
    const std::string eol = row.param;
    return eol == "\r\n" ? std::string("CrLf") : eol == "\n" ? std::string("Lf") : std::string("Cr");
});

// ---- books the program refuses ------------------------------------------

struct RefusedBook {
    const char* name;
    std::string text;
    std::string message;  // "" when the book is accepted
};
void PrintTo(const RefusedBook& row, std::ostream* os) { *os << row.name; }

const std::string NotABook = MsgLine("Orvane", "exclamation", "orvane.bok is not an Orvane Book file");
const std::string WrongVersion =
    MsgLine("Error", "exclamation", "Incorrect version of orvane.bok\r\nNeed version 0.10");

class BookHeader : public OpeningBookTest, public ::testing::WithParamInterface<RefusedBook> {};

// Start-up looks the book up once; a move from the list twice (for its own
// entry and for the new list); a step back twice.
TEST_P(BookHeader, IsCheckedAtEveryLookup) {
    WriteBook(GetParam().text);
    const std::string& message = GetParam().message;
    const auto times = [&message](int n) {
        return message.empty() ? Lines{} : Lines(static_cast<std::size_t>(n), message);
    };

    EXPECT_EQ(Run({}), times(1)) << "start-up";
    EXPECT_EQ(Run({"list2 \" e2-e4" + std::string(message.empty() ? "b" : "") + "\""}), times(2)) << "a move";
    EXPECT_EQ(Run({"list2 \" e7-e5" + std::string(message.empty() ? "b" : "") + "\""}), times(2)) << "a move";
    EXPECT_EQ(Run({"menu Moveback"}), times(2)) << "a step back";
    Lines options = times(1);
    options.insert(options.begin(), "dialog Options: Check3=1 Check5=0 Check6=1 Option1(0)=1 Option1(1)=0 -> OK");
    EXPECT_EQ(Run({"options"}), options) << "the options dialog refills the list";

    const Screen screen = Show();
    if (message.empty()) {
        EXPECT_EQ(screen.list1, (Lines{"   1.  e2-e4b", "       e7-e5b"}));
        EXPECT_EQ(Marked(screen.list2), (Lines{" c7-c5b", " e7-e5b"}));
        EXPECT_EQ(screen.status2, "King's pawn");
    } else {
        EXPECT_EQ(screen.list1, (Lines{"   1.  e2-e4", "       e7-e5"}));
        EXPECT_EQ(Marked(screen.list2), Lines{});
        EXPECT_EQ(screen.status2, "");
    }
}

INSTANTIATE_TEST_SUITE_P(OfTheBookFile, BookHeader,
                         ::testing::Values(RefusedBook{"Accepted", Book("ORVANE Version=0.10"), ""},
                                           RefusedBook{"ShortVersionIsTheSameNumber", Book("ORVANE Version=0.1"), ""},
                                           RefusedBook{"TrailingZerosAreTheSameNumber", Book("ORVANE Version=0.100"),
                                                       ""},
                                           RefusedBook{"WrongProductWord", Book("OPENING Version=0.10"), NotABook},
                                           RefusedBook{"LowerCaseHeader", Book("orvane version=0.10"), NotABook},
                                           RefusedBook{"EmptyFile", "", NotABook},
                                           RefusedBook{"NewerVersion", Book("ORVANE Version=0.11"), WrongVersion},
                                           RefusedBook{"OlderVersion", Book("ORVANE Version=0.09"), WrongVersion},
                                           RefusedBook{"NoVersion", Book("ORVANE Version="), WrongVersion}),
                         ScenarioName());

TEST_F(OpeningBookTest, NoBookMeansNoMarkersAndNoMessage) {
    EXPECT_EQ(Run(Play({" e2-e4", " e7-e5", "Ng1-f3"})), Lines{});
    EXPECT_EQ(Run({"menu Moveback"}), Lines{});
    const Screen screen = Show();
    EXPECT_EQ(screen.list1, (Lines{"   1.  e2-e4", "       e7-e5", "   2. Ng1-f3"}));
    EXPECT_EQ(Marked(screen.list2), Lines{});
    EXPECT_EQ(screen.status2, "");
}

TEST_F(OpeningBookTest, SetUpStartPositionIsNotLookedUp) {
    WriteBook(Book("ORVANE Version=0.10"));
    // Take White's a-pawn away: the position no longer is the standard one.
    const Lines printed = Run({"answer Empty", "rightclick a2", "list2 \" e2-e4\"", "list2 \" e7-e5\""});
    for (const std::string& line : printed) EXPECT_EQ(line.rfind("msgbox", 0), std::string::npos) << line;
    const Screen screen = Show();
    EXPECT_EQ(screen.list1, (Lines{"   1.  e2-e4", "       e7-e5"}));
    EXPECT_EQ(Marked(screen.list2), Lines{});
    EXPECT_EQ(screen.status2, "");
}

TEST_F(OpeningBookTest, SetUpPositionStillReportsABrokenBook) {
    // The header is checked before the start position.
    WriteBook(Book("ORVANE Version=0.11"));
    Run({});
    EXPECT_EQ(Run({"answer Empty", "rightclick a2"}).back(), WrongVersion);
    EXPECT_EQ(Run({"list2 \" e2-e4\""}), Lines(2, WrongVersion));
}

TEST_F(OpeningBookTest, NewGameFromTheStandardPositionUsesTheBookAgain) {
    WriteBook(Book("ORVANE Version=0.10"));
    Run({"answer Empty", "rightclick a2", "list2 \" e2-e4\"", "answer Yes", "menu New"});
    const Screen screen = Show();
    EXPECT_EQ(screen.ranks, StartRanks());
    EXPECT_EQ(Marked(screen.list2), (Lines{" d2-d4b", " e2-e4b"}));
    Run(Play({" e2-e4b"}));
    EXPECT_EQ(Show().status2, "King's pawn");
}

}  // namespace
}  // namespace orvane::ui::test
