// The collection scan on small files: recognition, the state machine and the
// index rows it builds, progress and the game limit, line ends and the
// byte-order mark, the movetext collection, and the direct read of one game.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "pgn/collection.h"
#include "pgn_test_util.h"
#include "support/temp_folder.h"

namespace orvane::pgn {
namespace {

namespace fs = std::filesystem;
using pgntest::Joined;
using pgntest::Rows;
using pgntest::WriteBytes;
using Strings = std::vector<std::string>;

TEST(Recognition, FirstThousandBytesBeginWithATagOfAnyName) {
    struct Row {
        const char* Name;
        std::string Bytes;
        bool Pgn;
    };
    static constexpr char Utf16[] = "\xFF\xFE[\0E\0v\0e\0n\0t\0 \0\"\0x\0\"\0]\0";
    static constexpr char Binary[] =
        "\x7F"
        "ELF\x02\x01\x01\0\0[\x01\x02";
    const std::string utf16(Utf16, sizeof Utf16 - 1);
    const Row rows[] = {
        {"Event", "[Event \"x\"]\n", true},
        {"a name the scan does not index", "[Ram \"x\"]", true},
        {"a study export's first tag", "[Termination \"Normal\"]\n[Event \"x\"]", true},
        {"Annotator", "[Annotator \"x\"]", true},
        {"FEN", "[FEN \"8/8/8/8/8/8/8/8 w - - 0 1\"]", true},
        {"lower case", "[event \"x\"]", true},
        {"digits and underscores after the first letter", "[Source_2b \"x\"]", true},
        {"a one-letter name", "[X \"x\"]", true},
        {"remark line", "[! hello]", true},
        {"text before the first bracket", "Games of the club\r\n1. e4\r\n[White \"x\"]", true},
        {"byte-order mark", "\xEF\xBB\xBF[Event \"x\"]", true},
        {"a name that begins with a digit", "[2nd \"x\"]", false},
        {"a name that begins with an underscore", "[_x \"x\"]", false},
        {"a hyphen in the name", "[White-Elo \"x\"]", false},
        {"two spaces", "[Event  \"x\"]", false},
        {"a tab for the space", "[Event\t\"x\"]", false},
        {"no quote", "[Event x]", false},
        {"no name", "[ \"x\"]", false},
        {"remark without its space", "[!hello]", false},
        {"only the first bracket counts", "[Note] [Event \"x\"]", false},
        {"no bracket at all", "1. e4 e5 2. Nf3 *", false},
        {"UTF-16", utf16, false},
        {"binary", std::string(Binary, sizeof Binary - 1), false},
        {"empty", "", false},
        {"the opening quote is byte 1001", std::string(993, ' ') + "[Event \"x\"]", false},
        {"the opening quote is byte 1000", std::string(992, ' ') + "[Event \"x\"]", true},
        {"bracket alone at the end", "text [", false},
        {"name cut off at the end", "[Even", false},
    };
    for (const Row& row : rows) EXPECT_EQ(LooksLikePgn(row.Bytes), row.Pgn) << row.Name;
}

struct ScanCase {
    const char* Name;
    Strings Lines;
    Strings Expected;  // the index rows
};

// The state machine on small files, each with its index rows.
TEST(Scan, SmallFilesGiveTheirIndexRows) {
    const ScanCase cases[] = {
        {"text before the first tag is skipped, even a movetext-like line",
         {"Games of the club", "1. e4 e5 *", "", "[Event \"A\"]", "", "1. d4 *"},
         {"Number= 1; Event=A; Result=*"}},
        {"a remark line starts a section and shows in no cell",
         {"[! Club archive]", "[Event \"A\"]", "[Result \"1-0\"]", "1. e4 1-0", "[! second]", "[White \"W\"]",
          "1. d4 *"},
         {"Number= 1; Event=A; Result=1-0", "Number= 2; White=W; Result=*"}},
        {"a bracketed remark inside movetext is skipped",
         {"[Event \"A\"]", "1. e4 e5", "[a note]", "2. Nf3 *", "", "[Event \"B\"]", "", "1. d4 *"},
         {"Number= 1; Event=A; Result=*", "Number= 2; Event=B; Result=*"}},
        {"a remark line inside movetext begins a game without tags",
         {"[Event \"A\"]", "1. e4", "[! note]", "2. Nf3 *"},
         {"Number= 1; Event=A; Result=*", "Number= 2; Result=*"}},
        {"two games with no tag lines between them are one",
         {"[Event \"A\"]", "", "1. e4 e5 *", "", "1. d4 d5 *", "", "[Event \"B\"]", "1. c4 *"},
         {"Number= 1; Event=A; Result=*", "Number= 2; Event=B; Result=*"}},
        {"a tag line straight after movetext starts the next game",
         {"[Event \"A\"]", "1. e4 *", "[Event \"B\"]", "1. d4 *"},
         {"Number= 1; Event=A; Result=*", "Number= 2; Event=B; Result=*"}},
        {"an indented tag line after movetext starts the next game",
         {"[Event \"A\"]", "1. e4 *", "   [Event \"B\"]   ", "1. d4 *"},
         {"Number= 1; Event=A; Result=*", "Number= 2; Event=B; Result=*"}},
        {"a quoteless bracket line inside a tag section is ignored",
         {"[Event \"A\"]", "[Something]", "[Round \"5\"]", "1. e4 *"},
         {"Number= 1; Event=A 5; Round=5; Result=*"}},
        {"Event and Round, Year for Date, City after Site, the other spellings",
         {"[Event \"Open\"]", "[Round \"5\"]", "[Year \"1921\"]", "[Site \"Bern\"]", "[City \"Zurich\"]",
          "[WhiteELO \"2100\"]", "[eco \"C20\"]", "[Setup \"1\"]", "[Result \"1/2-1/2\"]", "1. e4 1/2-1/2"},
         {"Number= 1; Event=Open 5; Site=Zurich, Bern; Date=1921; Round=5; Result=1/2-1/2; Setup=1; ECO=C20; "
          "WhiteElo=2100"}},
        {"every other column",
         {"[BlackElo \"1\"]",
          "[Annotator \"2\"]",
          "[PlyCount \"3\"]",
          "[EventDate \"4\"]",
          "[WhiteTitle \"5\"]",
          "[BlackTitle \"6\"]",
          "[WhiteCountry \"7\"]",
          "[BlackCountry \"8\"]",
          "[Opening \"9\"]",
          "[Variation \"10\"]",
          "[Source \"11\"]",
          "[SourceDate \"12\"]",
          "[WhiteTeam \"13\"]",
          "[BlackTeam \"14\"]",
          "[WhiteTeamCountry \"15\"]",
          "[BlackTeamCountry \"16\"]",
          "[White \"W\"]",
          "[Black \"B\"]",
          "[Date \"D\"]",
          "1. e4 *"},
         {"Number= 1; Date=D; White=W; Black=B; Result=*; BlackElo=1; Annotator=2; PlyCount=3; EventDate=4; "
          "WhiteTitle=5; BlackTitle=6; WhiteCountry=7; BlackCountry=8; Opening=9; Variation=10; Source=11; "
          "SourceDate=12; WhiteTeam=13; BlackTeam=14; WhiteTeamCountry=15; BlackTeamCountry=16"}},
        {"tags are reset between games, the FEN is not",
         {"[Event \"A\"]", "[FEN \"8/8/8/8/8/8/8/K6k w - - 0 1\"]", "[SetUp \"1\"]", "1. Kb1 *", "[White \"W\"]",
          "1. e4 *"},
         {"Number= 1; Event=A; Result=*; Setup=1", "Number= 2; White=W; Result=*"}},
        {"a line of spaces only is empty",
         {"[Event \"A\"]", "     ", "1. e4 *", "    ", "[Event \"B\"]", "1. d4 *"},
         {"Number= 1; Event=A; Result=*", "Number= 2; Event=B; Result=*"}},
    };
    testing::TempFolder dir;
    for (const ScanCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const fs::path file = dir.Path() / "games.pgn";
        WriteBytes(file, Joined(c.Lines, "\r\n"));
        const ScanResult scan = ScanFile(file);
        EXPECT_FALSE(scan.Error) << ReadErrorKindText(scan.Error.Kind);
        EXPECT_EQ(Rows(scan.Index), c.Expected);
        EXPECT_FALSE(scan.Index.Aborted);
        EXPECT_EQ(scan.Index.Count, static_cast<long>(c.Expected.size()));
    }
}

// Every kind of line end, and mixtures, give the same games.
TEST(Scan, EveryLineEndGivesTheSameGames) {
    const Strings lines = {"[Event \"A\"]", "[Round \"1\"]",    "", "1. e4 e5", "2. Nf3 *", "",
                           "[Event \"B\"]", "[Result \"0-1\"]", "", "1. d4 0-1"};
    const Strings expected = {"Number= 1; Event=A 1; Round=1; Result=*", "Number= 2; Event=B; Result=0-1"};
    std::string mixed;
    const char* ends[] = {"\n", "\r\n", "\r"};
    for (std::size_t i = 0; i < lines.size(); ++i) mixed += lines[i] + ends[i % 3];
    // A CR LF in the first 285 bytes and LF further on: the old reader took
    // such a file for a CR LF file and read all the rest as one line.
    const std::string crFirst = lines[0] + "\r\n" + Joined(Strings(lines.begin() + 1, lines.end()), "\n");
    struct Row {
        const char* Name;
        std::string Bytes;
    };
    const Row rows[] = {
        {"LF", Joined(lines, "\n")},
        {"CR LF", Joined(lines, "\r\n")},
        {"CR", Joined(lines, "\r")},
        {"no line end after the last line", Joined(lines, "\n").substr(0, Joined(lines, "\n").size() - 1)},
        {"mixed", mixed},
        {"CR LF first, LF later", crFirst},
        {"byte-order mark", "\xEF\xBB\xBF" + Joined(lines, "\n")},
        {"byte-order mark, CR LF", "\xEF\xBB\xBF" + Joined(lines, "\r\n")},
    };
    testing::TempFolder dir;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        const fs::path file = dir.Path() / "ends.pgn";
        WriteBytes(file, row.Bytes);
        const ScanResult scan = ScanFile(file);
        EXPECT_FALSE(scan.Error);
        EXPECT_EQ(Rows(scan.Index), expected);
        const std::vector<GameText> games = pgntest::AllGames(row.Bytes);
        ASSERT_EQ(games.size(), 2u);
        EXPECT_EQ(games[0].Movetext, "1. e4 e5 2. Nf3 *");
        EXPECT_EQ(games[1].Movetext, "1. d4 0-1");
        EXPECT_EQ(games[0].Lines.front().Line, 4);
        EXPECT_EQ(games[1].Lines.front().Line, 10);
        for (long n = 1; n <= 2; ++n) {
            const GameResultText one = ReadGame(file, scan.Index, n);
            EXPECT_FALSE(one.Error);
            EXPECT_EQ(one.Game.Movetext, games[static_cast<std::size_t>(n - 1)].Movetext);
            EXPECT_EQ(one.Game.Tags.pgnEvent, games[static_cast<std::size_t>(n - 1)].Tags.pgnEvent);
        }
    }
}

// Reading a bare-LF file leaves no copy behind, in the current folder or beside it.
TEST(Scan, WritesNoTemporaryCopy) {
    testing::TempFolder dir;
    const fs::path file = dir.Path() / "lf.pgn";
    WriteBytes(file, "[Event \"A\"]\n\n1. e4 *\n");
    const fs::path before = fs::current_path();
    fs::current_path(dir.Path());
    const ScanResult scan = ScanFile(file);
    const GameResultText game = ReadGame(file, scan.Index, 1);
    fs::current_path(before);
    EXPECT_EQ(scan.Index.Count, 1);
    EXPECT_EQ(game.Game.Movetext, "1. e4 *");
    long entries = 0;
    for ([[maybe_unused]] const fs::directory_entry& e : fs::directory_iterator(dir.Path())) ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(Scan, FailuresSayWhatAndWhere) {
    struct Row {
        const char* Name;
        std::string Bytes;
        ReadErrorKind Kind;
        long Line, Column, Game;
        const char* Text;
    };
    const Row rows[] = {
        {"not PGN", "1. e4 e5 *\n", ReadErrorKind::NotPgn, 0, 0, 0, ""},
        {"tags but no movetext", "[Event \"A\"]\n[Site \"B\"]\n\n", ReadErrorKind::NoGames, 0, 0, 0, ""},
        {"a tag line too short for its value", "[Event \"A\"]\n1. e4 *\n\n  [White \"\n1. d4 *\n",
         ReadErrorKind::TagTooShort, 4, 3, 2, ""},
    };
    testing::TempFolder dir;
    const fs::path file = dir.Path() / "games.pgn";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        WriteBytes(file, row.Bytes);
        const ScanResult scan = ScanFile(file);
        EXPECT_EQ(scan.Error.Kind, row.Kind);
        EXPECT_EQ(scan.Error.Line, row.Line);
        EXPECT_EQ(scan.Error.Column, row.Column);
        EXPECT_EQ(scan.Error.Game, row.Game);
        EXPECT_EQ(scan.Error.Text, row.Text);
        EXPECT_EQ(scan.Error.File, file.string());
        const ReadError walk = ForEachGame(row.Bytes, [](GameText&) { return true; });
        EXPECT_EQ(walk.Kind, row.Kind);
        EXPECT_EQ(walk.Line, row.Line);
    }
    const ScanResult missing = ScanFile(dir.Path() / "missing.pgn");
    EXPECT_EQ(missing.Error.Kind, ReadErrorKind::FileUnreadable);
    // Anything but a regular file is refused before it is read: a FIFO
    // without a writer would otherwise block the reader for good.
    const ScanResult folder = ScanFile(dir.Path());
    EXPECT_EQ(folder.Error.Kind, ReadErrorKind::NotRegularFile);
    const fs::path fifo = dir.Path() / "fifo.pgn";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ScanFile(fifo).Error.Kind, ReadErrorKind::NotRegularFile);
    EXPECT_EQ(ScanFile("/dev/null").Error.Kind, ReadErrorKind::NotRegularFile);
}

// n games of one line of tags and one of moves each.
std::string Games(long n) {
    std::string text;
    for (long i = 1; i <= n; ++i) text += "[White \"P" + std::to_string(i) + "\"]\n1. e4 *\n\n";
    return text;
}

TEST(Scan, ProgressEveryHundredGamesAndTheLimit) {
    struct Row {
        const char* Name;
        long Games;
        long Limit;
        Strings Progress;
        long Count;
        bool Aborted;
    };
    const Row rows[] = {
        {"99 games", 99, 0, {}, 99, false},
        {"exactly 100 games", 100, 0, {"Loading PGN file... 100 games"}, 100, false},
        {"250 games", 250, 0, {"Loading PGN file... 100 games", "Loading PGN file... 200 games"}, 250, false},
        {"limit 100 reached", 150, 100, {"Loading PGN file... 100 games"}, 100, true},
        {"limit 100 with exactly 100 games", 100, 100, {"Loading PGN file... 100 games"}, 100, true},
        {"limit 100 not reached", 99, 100, {}, 99, false},
        {"a limit between checks stops at the next hundred",
         250,
         150,
         {"Loading PGN file... 100 games", "Loading PGN file... 200 games"},
         200,
         true},
    };
    testing::TempFolder dir;
    const fs::path file = dir.Path() / "many.pgn";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        WriteBytes(file, Games(row.Games));
        Strings progress;
        ScanOptions options;
        options.Limit = row.Limit;
        options.Progress = [&](const std::string& text) { progress.push_back(text); };
        const ScanResult scan = ScanFile(file, options);
        EXPECT_FALSE(scan.Error);
        EXPECT_EQ(progress, row.Progress);
        EXPECT_EQ(scan.Index.Count, row.Count);
        EXPECT_EQ(scan.Index.Aborted, row.Aborted);
        EXPECT_EQ(pgntest::RowText(scan.Index, 1), "Number= 1; White=P1; Result=*");
        EXPECT_EQ(
            pgntest::RowText(scan.Index, row.Count - 1),
            "Number= " + std::to_string(row.Count - 1) + "; White=P" + std::to_string(row.Count - 1) + "; Result=*");
        // The row where the scan stopped stays with empty cells.
        const std::string last = row.Aborted ? ""
                                             : "Number= " + std::to_string(row.Count) + "; White=P" +
                                                   std::to_string(row.Count) + "; Result=*";
        EXPECT_EQ(pgntest::RowText(scan.Index, row.Count), last);
        EXPECT_EQ(scan.Index.Cell(row.Count + 1, 1), "");
        // The empty last row can still be opened.
        const GameResultText game = ReadGame(file, scan.Index, row.Count);
        EXPECT_FALSE(game.Error);
        EXPECT_EQ(game.Game.Tags.pgnWhite, "P" + std::to_string(row.Count));
    }
}

// Counts, values and lines beyond 16 bits, and the window's own limit.
TEST(Scan, NoSixteenBitLimits) {
    testing::TempFolder dir;
    const fs::path file = dir.Path() / "big.pgn";
    std::string bytes;
    for (long i = 1; i <= 33000; ++i) bytes += "[White \"P\"]\n1. e4 *\n";
    const std::string longValue(70000, 'v');
    std::string longComment = "1. e4 {";
    for (int i = 0; i < 40000; ++i) longComment += "x\n\n";
    longComment += "} e5 " + std::string(70000, 'm') + " *";
    bytes += "[Event \"" + longValue + "\"]\n" + longComment + "\n";
    WriteBytes(file, bytes);

    long progress = 0;
    ScanOptions options;
    options.Progress = [&](const std::string&) { ++progress; };
    const ScanResult all = ScanFile(file, options);
    ASSERT_FALSE(all.Error);
    EXPECT_EQ(all.Index.Count, 33001);
    EXPECT_EQ(progress, 330);
    EXPECT_EQ(all.Index.Cell(33000, 1), " 33000");
    EXPECT_EQ(all.Index.Cell(33001, 2), longValue);
    EXPECT_EQ(all.Index.ColumnUsed[2], 70000);
    const GameResultText last = ReadGame(file, all.Index, 33001);
    ASSERT_FALSE(last.Error);
    EXPECT_EQ(last.Game.Movetext.size(), longComment.size());  // every line end became one space
    EXPECT_EQ(last.Game.Lines.size(), 80001u);
    EXPECT_EQ(last.Game.Locate(last.Game.Movetext.size() - 1).Line, 33000 * 2 + 1 + 80001);

    options.Limit = 30000;
    const ScanResult limited = ScanFile(file, options);
    EXPECT_EQ(limited.Index.Count, 30000);
    EXPECT_TRUE(limited.Index.Aborted);
    EXPECT_EQ(limited.Index.Cell(29999, 6), "P");
    EXPECT_EQ(limited.Index.Cell(30000, 6), "");
}

TEST(Scan, ColumnUsedHoldsTheLongestValue) {
    testing::TempFolder dir;
    const fs::path file = dir.Path() / "used.pgn";
    WriteBytes(file, Joined({"[Event \"Open\"]", "[Round \"12\"]", "[Opening \"\"]", "1. e4 *", "[Event \"A\"]",
                             "[White \"Somebody\"]", "1. d4 *"}));
    const ScanResult scan = ScanFile(file);
    std::vector<int> used(scan.Index.ColumnUsed.begin() + 1, scan.Index.ColumnUsed.end());
    const std::vector<int> expected = {2, 7, 0, 0, 2, 8, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(used, expected);
    EXPECT_EQ(scan.Index.ColumnUsed[0], 0);
}

// The movetext as the reader gets it, and where each of its lines came from.
TEST(Movetext, LinesAreJoinedUpToAnEmptyLineOrATagLine) {
    struct Row {
        const char* Name;
        Strings MovetextLines;  // the lines after one tag line
        Strings Movetexts;      // of every game found
    };
    const Row rows[] = {
        {"following lines are joined untrimmed",
         {"1. e4 e5  ", "  2. Nf3 Nc6   ", "3. Bb5 *   "},
         {"1. e4 e5   2. Nf3 Nc6    3. Bb5 *"}},
        {"an empty line ends the movetext, the scan goes on to the next tag line",
         {"1. e4 e5", "", "1. d4 d5 *", "[Event \"B\"]", "1. c4 *"},
         {"1. e4 e5", "1. c4 *"}},
        {"a bracket line without quote is movetext", {"1. e4", "[a note]", "2. Nf3 *"}, {"1. e4 [a note] 2. Nf3 *"}},
        {"a remark line ends it", {"1. e4", "[! note]", "2. Nf3 *"}, {"1. e4", "2. Nf3 *"}},
        {"an indented tag line is movetext here but a new game for the scan",
         {"1. e4", "  [Event \"B\"]", "1. d4 *"},
         {"1. e4   [Event \"B\"] 1. d4 *", "1. d4 *"}},
        {"an empty line inside a comment does not end the movetext",
         {"1. e4 {a long", "", "note} e5", "", "2. Nf3 *"},
         {"1. e4 {a long  note} e5"}},
        {"several empty lines inside a comment",
         {"{start", "", "", "more}", "1. e4 *", "", "ignored"},
         {"{start   more} 1. e4 *"}},
        {"a comment closed before the empty line", {"1. e4 {a} e5 {b", "c}", "", "2. Nf3 *"}, {"1. e4 {a} e5 {b c}"}},
        {"an unclosed comment runs to the next tag line",
         {"1. e4 {open", "", "2. Nf3 *", "[Event \"B\"]", "1. d4 *"},
         {"1. e4 {open  2. Nf3 *", "1. d4 *"}},
        {"a closing brace outside a comment changes nothing", {"1. e4 } e5", "", "2. Nf3 *"}, {"1. e4 } e5"}},
        {"spaces-only lines are joined and trimmed off at the end", {"1. e4 *", "   "}, {"1. e4 *"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        Strings lines = {"[Event \"A\"]"};
        lines.insert(lines.end(), row.MovetextLines.begin(), row.MovetextLines.end());
        for (const char* eol : {"\n", "\r\n", "\r"}) {
            Strings movetexts;
            for (const GameText& game : pgntest::AllGames(Joined(lines, eol))) movetexts.push_back(game.Movetext);
            EXPECT_EQ(movetexts, row.Movetexts) << "line ends " << (eol[0] == '\n' ? "LF" : eol[1] ? "CR LF" : "CR");
        }
    }
}

TEST(Movetext, EveryCharacterCanBeLocated) {
    const std::string bytes = "[Event \"A\"]\n\n   1. e4 e5\n2. Nf3\n\t3. Bb5 *\n";
    const std::vector<GameText> games = pgntest::AllGames(bytes);
    ASSERT_EQ(games.size(), 1u);
    const GameText& game = games[0];
    ASSERT_EQ(game.Movetext, "1. e4 e5 2. Nf3 \t3. Bb5 *");
    struct Row {
        std::string_view Text;  // the first occurrence in the movetext
        long Line, Column;
    };
    const Row rows[] = {{"1.", 3, 4},   {"e5", 3, 10}, {"2.", 4, 1}, {"Nf3", 4, 4},
                        {"\t3.", 5, 1}, {"Bb5", 5, 5}, {"*", 5, 9}};
    for (const Row& row : rows) {
        const MovetextLine at = game.Locate(game.Movetext.find(row.Text));
        EXPECT_EQ(at.Line, row.Line) << row.Text;
        EXPECT_EQ(at.Column, row.Column) << row.Text;
    }
}

// Values carried from game to game: the last FEN read and every remark line.
TEST(Movetext, CarriedValuesAndDirectReadsAgree) {
    const Strings lines = {
        "[! Archive of the club]",
        "[Event \"One\"]",
        "1. e4 *",
        "",
        "[Event \"Two\"]",
        "[SetUp \"1\"]",
        "[FEN \"4k3/8/8/8/8/8/8/4K3 w - - 0 1\"]",
        "1. Kd2 *",
        "",
        "[! Round two]",
        "[! played indoors]",
        "[Event \"Three\"]",
        "[SetUp \"1\"]",
        "1. Ke2 *",
        "",
        "[Event \"Four\"]",
        "[FEN \"4k3/8/8/8/8/8/8/3K4 b - - 0 1\"]",
        "1... Kd7 {a",
        "",
        "b} *",
        "[Event \"Five\"]",
        "[FEN \"\"]",
        "1. e4",
        "",
        "[Event \"Six\"]",
        "1. d4 *",
    };
    struct Want {
        const char* Event;
        const char* Fen;
        const char* Remarks;
    };
    const Want want[] = {
        {"One", "", "Archive of the club\r\n"},
        {"Two", "4k3/8/8/8/8/8/8/4K3 w - - 0 1", "Archive of the club\r\n"},
        {"Three", "4k3/8/8/8/8/8/8/4K3 w - - 0 1", "Archive of the club\r\nRound two\r\nplayed indoors\r\n"},
        {"Four", "4k3/8/8/8/8/8/8/3K4 b - - 0 1", "Archive of the club\r\nRound two\r\nplayed indoors\r\n"},
        {"Five", "", "Archive of the club\r\nRound two\r\nplayed indoors\r\n"},
        {"Six", "", "Archive of the club\r\nRound two\r\nplayed indoors\r\n"},
    };
    testing::TempFolder dir;
    for (const char* eol : {"\n", "\r\n"}) {
        const std::string bytes = Joined(lines, eol);
        const fs::path file = dir.Path() / "carried.pgn";
        WriteBytes(file, bytes);
        const std::vector<GameText> games = pgntest::AllGames(bytes);
        const std::vector<pgntest::ReferenceGame> reference = pgntest::ReferenceReading(pgntest::SplitLines(bytes));
        const ScanResult scan = ScanFile(file);
        ASSERT_FALSE(scan.Error);
        ASSERT_EQ(games.size(), std::size(want));
        ASSERT_EQ(reference.size(), std::size(want));
        ASSERT_EQ(scan.Index.Count, static_cast<long>(std::size(want)));
        // Read backwards, so no read can lean on the one before.
        for (long n = scan.Index.Count; n >= 1; --n) {
            SCOPED_TRACE("game " + std::to_string(n));
            const std::size_t i = static_cast<std::size_t>(n - 1);
            EXPECT_EQ(games[i].Game, n);
            EXPECT_EQ(games[i].Tags.pgnEvent, want[i].Event);
            EXPECT_EQ(games[i].Tags.FenTag, want[i].Fen);
            EXPECT_EQ(games[i].Remarks, want[i].Remarks);
            pgntest::ExpectSameGame(games[i], reference[i]);
            const GameResultText one = ReadGame(file, scan.Index, n);
            ASSERT_FALSE(one.Error);
            EXPECT_EQ(one.Game.Game, n);
            pgntest::ExpectSameGame(one.Game, reference[i], false);
        }
        EXPECT_EQ(games[3].Movetext, "1... Kd7 {a  b} *");
    }
}

// Files of random lines from a small stock, with random line ends: the
// index, the walk and every direct read agree with the plain reading.
TEST(ReadGameDirectly, RandomFilesReadAlikeInEveryPass) {
    const char* stock[] = {"[Event \"A\"]",
                           "[Round \"2\"]",
                           "[FEN \"f1\"]",
                           "[FEN \"f2\"]",
                           "[! remark]",
                           "[note]",
                           "  [White \"W\"]",
                           " [! indented]",
                           "1. e4",
                           "e5 {",
                           "} Nf3",
                           "{ a } *",
                           "",
                           "",
                           "   ",
                           "[Result \"1-0\"]",
                           "\t",
                           "1-0",
                           "[Site  \"S\"]",
                           "[City \"C\"]",
                           "% escape {",
                           "%[Event \"Escaped\"]",
                           " % not an escape line"};
    const char* ends[] = {"\n", "\r\n", "\r"};
    std::mt19937 random(20261208);
    testing::TempFolder dir;
    const fs::path file = dir.Path() / "random.pgn";
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        std::string bytes = random() % 4 == 0 ? "\xEF\xBB\xBF" : "";
        bytes += "[Event \"First\"]";
        bytes += ends[random() % 3];
        const int lines = static_cast<int>(random() % 60);
        const bool oneEnd = random() % 2 == 0;
        const char* end = ends[random() % 3];
        for (int i = 0; i < lines; ++i) {
            bytes += stock[random() % std::size(stock)];
            bytes += oneEnd ? end : ends[random() % 3];
        }
        if (random() % 3 == 0) bytes += "1. d4";  // no line end at the end of the file
        WriteBytes(file, bytes);

        const std::vector<pgntest::ReferenceGame> reference =
            pgntest::ReferenceReading(pgntest::SplitLines(bytes.substr(bytes[0] == '\xEF' ? 3 : 0)));
        ReadError walkError;
        const std::vector<GameText> walk = pgntest::AllGames(bytes, &walkError);
        const ScanResult scan = ScanFile(file);
        const ReadErrorKind none = reference.empty() ? ReadErrorKind::NoGames : ReadErrorKind::None;
        EXPECT_EQ(walkError.Kind, none);
        EXPECT_EQ(scan.Error.Kind, none);
        ASSERT_EQ(walk.size(), reference.size());
        ASSERT_EQ(scan.Index.Count, static_cast<long>(reference.size()));
        for (long n = 1; n <= scan.Index.Count; ++n) {
            SCOPED_TRACE("game " + std::to_string(n));
            const std::size_t i = static_cast<std::size_t>(n - 1);
            pgntest::ExpectSameGame(walk[i], reference[i]);
            const GameResultText one = ReadGame(file, scan.Index, n);
            ASSERT_FALSE(one.Error);
            pgntest::ExpectSameGame(one.Game, reference[i], false);
        }
        if (::testing::Test::HasFailure()) {
            ADD_FAILURE() << "file: " << ::testing::PrintToString(bytes);
            return;
        }
    }
}

TEST(ReadGameDirectly, RefusesWhatItCannotRead) {
    testing::TempFolder dir;
    const fs::path file = dir.Path() / "two.pgn";
    WriteBytes(file, Games(2));
    const ScanResult scan = ScanFile(file);
    ASSERT_EQ(scan.Index.Count, 2);
    for (long n : {0L, -1L, 3L})
        EXPECT_EQ(ReadGame(file, scan.Index, n).Error.Kind, ReadErrorKind::FileUnreadable) << n;
    EXPECT_EQ(ReadGame(dir.Path() / "gone.pgn", scan.Index, 1).Error.Kind, ReadErrorKind::FileUnreadable);
    // A file changed since its scan is not read by stale offsets: a new
    // size, the same size written again, the same bytes in another file of
    // that name, or a folder put there.
    struct Change {
        const char* Name;
        std::function<void()> Make;
    };
    const Change changes[] = {
        {"grown", [&] { WriteBytes(file, Games(3)); }},
        {"same size, new content",
         [&] {
             std::string bytes = Games(2);
             bytes[bytes.find("P2")] = 'Q';
             WriteBytes(file, bytes);
             // Back-date the change by a second, so a coarse clock cannot hide it.
             fs::last_write_time(file, fs::last_write_time(file) - std::chrono::seconds(1));
         }},
        {"replaced by a copy with its time",
         [&] {
             const fs::path copy = dir.Path() / "copy.pgn";
             WriteBytes(copy, Games(2));
             fs::last_write_time(copy, fs::last_write_time(file));
             fs::rename(copy, file);
         }},
        {"a folder in its place",
         [&] {
             fs::remove(file);
             fs::create_directory(file);
         }},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.Name);
        fs::remove_all(file);
        WriteBytes(file, Games(2));
        const ScanResult before = ScanFile(file);
        ASSERT_FALSE(before.Error);
        change.Make();
        const ReadErrorKind kind = ReadGame(file, before.Index, 2).Error.Kind;
        EXPECT_EQ(kind, fs::is_regular_file(file) ? ReadErrorKind::FileChanged : ReadErrorKind::NotRegularFile);
    }
    fs::remove_all(file);
    WriteBytes(file, Games(2));
    // A game that runs far beyond the next game's section is read whole.
    std::string longGame = "[Event \"A\"]\n1. e4";
    for (int i = 0; i < 20000; ++i) longGame += "\n   [Event \"B\"] e5";
    longGame += "\n\n[Event \"C\"]\n1. d4 *\n";
    WriteBytes(file, longGame);
    const ScanResult longScan = ScanFile(file);
    ASSERT_EQ(longScan.Index.Count, 2);  // the indented lines are tag lines to the scan
    const std::vector<GameText> games = pgntest::AllGames(longGame);
    const GameResultText first = ReadGame(file, longScan.Index, 1);
    ASSERT_FALSE(first.Error);
    EXPECT_EQ(first.Game.Movetext, games[0].Movetext);
    EXPECT_EQ(first.Game.Lines.size(), 20001u);
    EXPECT_EQ(ReadGame(file, longScan.Index, 2).Game.Movetext, "1. d4 *");
}

}  // namespace
}  // namespace orvane::pgn
