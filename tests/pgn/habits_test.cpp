// Files as today's sources write them: real games of the shared collections
// written again in the habits of online servers, of desktop databases and of
// study exports, then read through the window's path (the scan and the read
// of one game by its place) and the tools' path (the walk over every game).
// Each must give the moves the plain game gives, the comments where the
// program puts them, and the player names as text. Skipped when the shared
// data is absent.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/textfile.h"
#include "pgn/collection.h"
#include "pgn/replay.h"
#include "replay_test_util.h"
#include "support/shared_data.h"
#include "support/temp_folder.h"

namespace orvane::pgn {
namespace {

using testsupport::SharedDataFile;
using testsupport::SharedDataMissing;
using testsupport::SharedDataPresent;

// ---- the source games, read without the program's reader ----------------

struct SourceGame {
    std::map<std::string, std::string> Tags;
    std::vector<std::string> Sans;  // the main line's moves as written
};

// Splits a collection into games: tag lines "[Name "Value"]" and the words
// of the movetext, without comments, variations, glyphs, numbers and results.
std::vector<SourceGame> SourceGames(const std::string& bytes, std::size_t wanted) {
    std::vector<SourceGame> games;
    std::string movetext;
    SourceGame game;
    auto finish = [&] {
        if (movetext.empty()) return;
        int depth = 0;
        bool comment = false;
        std::string word;
        auto take = [&] {
            if (word.empty()) return;
            std::string w = word;
            word.clear();
            const std::size_t dots = w.rfind('.');
            if (dots != std::string::npos) w = w.substr(dots + 1);  // "12.e4", "12...Nf6"
            if (w.empty() || w[0] == '$' || w == "1-0" || w == "0-1" || w == "1/2-1/2" || w == "*") return;
            game.Sans.push_back(w);
        };
        for (const char c : movetext) {
            if (comment) {
                comment = c != '}';
            } else if (c == '{') {
                take();
                comment = true;
            } else if (c == '(') {
                take();
                ++depth;
            } else if (c == ')') {
                --depth;
            } else if (depth == 0 && (c == ' ' || c == '\t')) {
                take();
            } else if (depth == 0) {
                word += c;
            }
        }
        take();
        games.push_back(std::move(game));
        game = {};
        movetext.clear();
    };
    std::size_t at = 0;
    while (at < bytes.size() && games.size() < wanted) {
        std::size_t end = bytes.find('\n', at);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == '[') {
            finish();
            const std::size_t space = line.find(' ');
            const std::size_t quote = line.find('"');
            const std::size_t last = line.rfind('"');
            if (space != std::string::npos && quote != std::string::npos && last > quote)
                game.Tags[line.substr(1, space - 1)] = line.substr(quote + 1, last - quote - 1);
        } else if (!line.empty()) {
            movetext += ' ';
            movetext += line;
        }
    }
    finish();
    return games;
}

// ---- the habits ----------------------------------------------------------

// A game written in some habit, with what the program must read from it.
struct Written {
    std::string Bytes;
    std::vector<std::string> Sans;        // the moves the file holds, in order
    std::map<int, std::string> Comments;  // ply -> the comment box's text
    std::string White, Black;             // the names as shown (UTF-8)
    const char* StartFen = nullptr;       // a set-up start
};

// Movetext words in order; a word is a move, a number, a comment, ...
class Movetext {
public:
    void Add(std::string word) { words_.push_back(std::move(word)); }
    // All on one line.
    std::string OneLine() const {
        std::string text;
        for (const std::string& w : words_) text += (text.empty() ? "" : " ") + w;
        return text;
    }
    // Wrapped at spaces so that no line is longer than width (a longer word
    // stands alone), lines ended by eol.
    std::string Wrapped(std::size_t width, const std::string& eol) const {
        std::string text, line;
        for (const std::string& piece : Pieces()) {
            if (!line.empty() && line.size() + 1 + piece.size() > width) {
                text += line + eol;
                line.clear();
            }
            line += (line.empty() ? "" : " ") + piece;
        }
        return text + line + eol;
    }

private:
    // The words split further at the spaces inside comments, as a desktop
    // database wraps its lines inside comments too.
    std::vector<std::string> Pieces() const {
        std::vector<std::string> pieces;
        for (const std::string& w : words_) {
            std::size_t at = 0;
            for (;;) {
                const std::size_t space = w.find(' ', at);
                pieces.push_back(w.substr(at, space == std::string::npos ? std::string::npos : space - at));
                if (space == std::string::npos) break;
                at = space + 1;
            }
        }
        return pieces;
    }
    std::vector<std::string> words_;
};

std::string Tag(const std::string& name, const std::string& value, const std::string& eol) {
    return "[" + name + " \"" + value + "\"]" + eol;
}

std::string TagOr(const SourceGame& g, const std::string& name, const std::string& otherwise = "?") {
    const auto it = g.Tags.find(name);
    return it == g.Tags.end() || it->second.empty() ? otherwise : it->second;
}

// A clock text that changes from move to move.
std::string Clock(std::size_t ply, bool tenths) {
    const int seconds = 180 - static_cast<int>(ply % 170);
    std::string text =
        "0:0" + std::to_string(seconds / 60) + ":" + (seconds % 60 < 10 ? "0" : "") + std::to_string(seconds % 60);
    if (tenths) text += "." + std::to_string(ply % 10);
    return text;
}

// A server's export: its tags, then the movetext on one line with a clock
// comment after every move and Black's number repeated after it.
struct ClockStyle {
    bool Tenths = false;       // "0:02:59.9"
    bool Evaluations = false;  // "[%eval 0.17]" every third move
    bool Spaced = true;        // "{ [%clk ...] }" rather than "{[%clk ...]}"
};

Written ClockedExport(const SourceGame& g, const std::vector<std::pair<std::string, std::string>>& tags,
                      ClockStyle style) {
    Written w;
    w.Sans = g.Sans;
    w.White = TagOr(g, "White");
    w.Black = TagOr(g, "Black");
    std::string bytes;
    for (const auto& [name, value] : tags) {
        if (name == "White")
            bytes += Tag(name, w.White, "\n");
        else if (name == "Black")
            bytes += Tag(name, w.Black, "\n");
        else
            bytes += Tag(name, value, "\n");
    }
    bytes += "\n";
    Movetext m;
    for (std::size_t i = 0; i < g.Sans.size(); ++i) {
        const std::size_t ply = i + 1;
        const std::string number = std::to_string((ply + 1) / 2);
        m.Add(ply % 2 == 1 ? number + "." : number + "...");
        m.Add(g.Sans[i]);
        std::string comment =
            style.Evaluations && ply % 3 == 0 ? "[%eval 0." + std::to_string(ply % 97) + "] " : std::string();
        comment += "[%clk " + Clock(ply, style.Tenths) + "]";
        m.Add(style.Spaced ? "{ " + comment + " }" : "{" + comment + "}");
        // A blank before "}" stays in the comment.
        w.Comments[static_cast<int>(ply)] = style.Spaced ? comment + " " : comment;
    }
    m.Add(TagOr(g, "Result", "*"));
    bytes += m.OneLine() + "\n\n";
    w.Bytes = bytes;
    return w;
}

// An online server's game export: clock and evaluation comments.
Written OnlineExport(const SourceGame& g) {
    return ClockedExport(g,
                         {{"Event", "Rated Blitz game"},
                          {"Site", "https://example.org/aBcD1234"},
                          {"Date", TagOr(g, "Date", "????.??.??")},
                          {"White", ""},
                          {"Black", ""},
                          {"Result", TagOr(g, "Result", "*")},
                          {"UTCDate", "2024.05.01"},
                          {"WhiteElo", "1500"},
                          {"TimeControl", "180+0"},
                          {"Termination", "Normal"}},
                         {false, true, true});
}

// A chess club site's export: its own tags, clocks with tenths, no blanks
// inside the braces.
Written ClubSiteExport(const SourceGame& g) {
    return ClockedExport(g,
                         {{"Event", "Live Chess"},
                          {"Site", "Chess.com"},
                          {"Date", "2024.01.31"},
                          {"Round", "-"},
                          {"White", ""},
                          {"Black", ""},
                          {"Result", TagOr(g, "Result", "*")},
                          {"CurrentPosition", "8/8/8/8/8/8/8/K6k w - - 0 60"},
                          {"Timezone", "UTC"},
                          {"Link", "https://example.com/game/live/100200300"}},
                         {true, false, false});
}

// A game of the same server set up from a position, Black to move.
Written FromPosition(const SourceGame& g) {
    Written w;
    w.Sans.assign(g.Sans.begin() + 1, g.Sans.end());
    w.StartFen = "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1";
    w.White = TagOr(g, "White");
    w.Black = TagOr(g, "Black");
    std::string bytes;
    bytes += Tag("Event", "Casual correspondence game", "\n");
    bytes += Tag("White", w.White, "\n");
    bytes += Tag("Black", w.Black, "\n");
    bytes += Tag("Result", "*", "\n");
    bytes += Tag("Variant", "From Position", "\n");
    bytes += Tag("FEN", w.StartFen, "\n");
    bytes += Tag("SetUp", "1", "\n");
    bytes += "\n";
    Movetext m;
    for (std::size_t i = 0; i < w.Sans.size(); ++i) {
        const std::size_t ply = i + 2;  // of the game as numbered from its first move
        const std::string number = std::to_string((ply + 1) / 2);
        if (ply % 2 == 1)
            m.Add(number + ".");
        else if (i == 0)
            m.Add(number + "...");
        m.Add(w.Sans[i]);
    }
    m.Add("*");
    bytes += m.OneLine() + "\n\n";
    w.Bytes = bytes;
    return w;
}

// A desktop database's export: CR LF, Windows-1252 names and comments,
// movetext wrapped at 80 columns, glyphs, coloured squares and arrows in
// comments, nested variations with a null move.
Written DatabaseExport(const SourceGame& g) {
    Written w;
    w.Sans = g.Sans;
    w.White = "L\u00f3pez, Jos\u00e9";
    w.Black = "M\u00fcller, J\u00fcrgen";
    const std::string eol = "\r\n";
    std::string bytes;
    bytes += Tag("Event", "Ch \xD6sterreich", eol);
    bytes += Tag("Site", "Wien", eol);
    bytes += Tag("Date", TagOr(g, "Date", "????.??.??"), eol);
    bytes += Tag("Round", "1", eol);
    bytes += Tag("White", "L\xF3pez, Jos\xE9", eol);
    bytes += Tag("Black", "M\xFCller, J\xFCrgen", eol);
    bytes += Tag("Result", TagOr(g, "Result", "*"), eol);
    bytes += Tag("ECO", TagOr(g, "ECO", "A00"), eol);
    bytes += Tag("Annotator",
                 "Sch\xE4"
                 "fer",
                 eol);
    bytes += Tag("PlyCount", std::to_string(g.Sans.size()), eol);
    bytes += eol;
    Movetext m;
    // Comments land on the ply they follow; a glyph after White's move is
    // read with that move, so its text goes to the ply before it.
    auto add = [&w](int ply, const std::string& text) {
        std::string& c = w.Comments[ply];
        if (!c.empty()) c += "\r\n";
        c += text;
    };
    m.Add(
        "{Sch\xF6n er\xF6"
        "ffnet}");
    add(0, "Sch\u00f6n er\u00f6ffnet");
    for (std::size_t i = 0; i < g.Sans.size(); ++i) {
        const int ply = static_cast<int>(i + 1);
        if (ply % 2 == 1) m.Add(std::to_string((ply + 1) / 2) + ".");
        m.Add(g.Sans[i]);
        if (ply % 7 == 0) {
            m.Add("$1");
            add(ply % 2 == 1 ? ply - 1 : ply, "good move");
        }
        if (ply % 11 == 0) {
            m.Add("{[%csl Gd4][%cal Ge2e4] Ein \x84guter\x93 Plan}");
            add(ply, "[%csl Gd4][%cal Ge2e4] Ein \u201Eguter\u201C Plan");
            if (ply % 2 == 1 && i + 1 < g.Sans.size()) m.Add(std::to_string((ply + 1) / 2) + "...");
        }
        if (ply == 4) {
            // A variation with a nested one and a null move in it: its text
            // shows after the move it follows, its glyph as words.
            m.Add("(2... a6 (2... h6 3. -- g5) 3. a3 $14)");
            add(ply, "2... a6 (2... h6 3. -- g5) 3. a3 White has a slight advantage ");
        }
    }
    m.Add(TagOr(g, "Result", "*"));
    bytes += m.Wrapped(80, eol) + eol;
    w.Bytes = bytes;
    return w;
}

// A study export whose tag section begins with a tag of its own.
Written StudyExport(const SourceGame& g, const std::string& firstTag) {
    Written w;
    w.Sans = g.Sans;
    w.White = TagOr(g, "White");
    w.Black = TagOr(g, "Black");
    std::string bytes;
    bytes +=
        Tag(firstTag, firstTag == "FEN" ? "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1" : "Study", "\n");
    bytes += Tag("Event", "Opening study: Chapter 1", "\n");
    bytes += Tag("White", w.White, "\n");
    bytes += Tag("Black", w.Black, "\n");
    bytes += Tag("Result", "*", "\n");
    bytes += Tag("UTCDate", "2024.02.02", "\n");
    bytes += Tag("ChapterURL", "https://example.org/study/x/y", "\n");
    bytes += "\n";
    Movetext m;
    for (std::size_t i = 0; i < g.Sans.size(); ++i) {
        if (i % 2 == 0) m.Add(std::to_string(i / 2 + 1) + ".");
        m.Add(g.Sans[i]);
    }
    m.Add("*");
    bytes += m.Wrapped(255, "\n") + "\n";
    w.Bytes = bytes;
    return w;
}

// ---- reading them --------------------------------------------------------

// The plain game, numbered moves only, as the program reads it: the moves
// every habit must give.
std::string PlainMoves(const std::vector<std::string>& sans, const char* fen) {
    std::string movetext;
    for (std::size_t i = 0; i < sans.size(); ++i) {
        if (fen == nullptr && i % 2 == 0) movetext += std::to_string(i / 2 + 1) + ". ";
        movetext += sans[i] + " ";
    }
    if (fen != nullptr) movetext = "1... " + movetext;
    const auto replayed = pgntest::Replay(pgntest::MakeGame(movetext, fen), MoveMatcher::Fast);
    EXPECT_FALSE(replayed->Info.Error) << replayed->Info.Error.Text;
    EXPECT_EQ(replayed->Record.LastPly, static_cast<int>(sans.size()));
    return pgntest::Plies(replayed->Record);
}

void ExpectRead(const Written& w, const GameText& game, const std::string& plainMoves, const std::string& how) {
    SCOPED_TRACE(how);
    const auto r = pgntest::Replay(game, MoveMatcher::Fast);
    ASSERT_FALSE(r->Info.Error) << r->Info.Error.Text << " at line " << r->Info.Error.Line;
    EXPECT_EQ(pgntest::Plies(r->Record), plainMoves);
    std::map<int, std::string> comments;
    for (const auto& [ply, text] : pgntest::CommentsOf(r->Record)) comments[ply] = text;
    EXPECT_EQ(comments, w.Comments);
    EXPECT_EQ(game.Tags.pgnWhite, w.White);
    EXPECT_EQ(game.Tags.pgnBlack, w.Black);
}

struct Habit {
    const char* Name;
    Written (*Write)(const SourceGame&);
};

const Habit AllHabits[] = {
    {"online server export", OnlineExport},
    {"online game from a position", FromPosition},
    {"club site export", ClubSiteExport},
    {"desktop database export", DatabaseExport},
    {"study beginning with Termination", [](const SourceGame& g) { return StudyExport(g, "Termination"); }},
    {"study beginning with Annotator", [](const SourceGame& g) { return StudyExport(g, "Annotator"); }},
    {"study beginning with White", [](const SourceGame& g) { return StudyExport(g, "White"); }},
    {"study beginning with FEN", [](const SourceGame& g) { return StudyExport(g, "FEN"); }},
    {"study beginning with a tag of digits", [](const SourceGame& g) { return StudyExport(g, "Source_2"); }},
};

class Habits : public ::testing::TestWithParam<Habit> {};

TEST_P(Habits, RealGamesReadWithTheirMovesCommentsAndNames) {
    std::vector<SourceGame> sources;
    for (const char* name : {"Capablanca.pgn", "Fischer.pgn", "Kasparov.pgn", "Carlsen.pgn", "Nimzowitsch.pgn"}) {
        const auto path = SharedDataFile(std::string("pgn/collections/") + name);
        if (!SharedDataPresent(path)) GTEST_SKIP() << SharedDataMissing(path);
        const std::optional<std::string> bytes = ReadWholeFile(path);
        ASSERT_TRUE(bytes);
        for (SourceGame& g : SourceGames(*bytes, 25))
            if (g.Sans.size() >= 6 && g.Sans[0] == "e4") sources.push_back(std::move(g));
    }
    ASSERT_GE(sources.size(), 40u);

    const Habit& habit = GetParam();
    std::string file;
    std::vector<Written> written;
    std::vector<std::string> plain;
    for (const SourceGame& g : sources) {
        written.push_back(habit.Write(g));
        file += written.back().Bytes;
        plain.push_back(PlainMoves(written.back().Sans, written.back().StartFen));
    }
    testing::TempFolder folder;
    const std::filesystem::path path = folder.Path() / "games.pgn";
    std::ofstream(path, std::ios::binary) << file;

    const ScanResult scan = ScanFile(path);
    ASSERT_FALSE(scan.Error) << scan.Error.Text << " " << scan.Error.Detail;
    ASSERT_EQ(scan.Index.Count, static_cast<long>(written.size()));
    for (long n = 1; n <= scan.Index.Count; ++n) {
        const std::size_t i = static_cast<std::size_t>(n - 1);
        EXPECT_EQ(scan.Index.Cell(n, 6), written[i].White) << "game " << n;
        const GameResultText one = ReadGame(path, scan.Index, n);
        ASSERT_FALSE(one.Error) << one.Error.Detail;
        ExpectRead(written[i], one.Game, plain[i], "game " + std::to_string(n) + " read by its place");
    }
    std::size_t walked = 0;
    const ReadError walk = ForEachGame(file, [&](GameText& game) {
        if (walked < written.size())
            ExpectRead(written[walked], game, plain[walked], "game " + std::to_string(walked + 1) + " walked");
        ++walked;
        return true;
    });
    EXPECT_FALSE(walk);
    EXPECT_EQ(walked, written.size());
}

INSTANTIATE_TEST_SUITE_P(Pgn, Habits, ::testing::ValuesIn(AllHabits), [](const auto& row) {
    std::string name;
    for (const char* c = row.param.Name; *c != '\0'; ++c)
        if ((*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z')) name += *c;
    return name;
});

}  // namespace
}  // namespace orvane::pgn
