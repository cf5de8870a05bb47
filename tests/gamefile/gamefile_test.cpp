// The game file: the exact bytes the writer produces, the reader's refusals
// with their places, and writer and reader against each other.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "common/encoding.h"
#include "common/textfile.h"
#include "gamefile/gamefile.h"
#include "notation/notation.h"
#include "pgn/collection.h"
#include "pgn/replay.h"
#include "support/shared_data.h"
#include "support/study_games.h"

namespace orvane::gamefile {
namespace {

// A game played from a position by coordinate texts, recorded as the window
// records a move entered by hand.
struct PlayedGame {
    Position pos;
    GameRecord record;
    MoveInput input;

    void Play(const std::string& move) {
        const char letter =
            PieceLetter[static_cast<std::size_t>(std::abs(pos.Board[static_cast<std::size_t>(SquareNumber(move))]))];
        ASSERT_EQ(InputMove(pos, input, move), 1) << move;
        const int ply = pos.CurrentPly;
        const MoveRecord& played = pos.MoveList[static_cast<std::size_t>(input.LastMoveSlot)];
        record.PlayedMoves[static_cast<std::size_t>(ply)] = played;
        const std::string display = DisplayText(letter, move, input.CaptureChar, input.LastWasCapture != 0,
                                                input.LastWasPromotion != 0 ? std::abs(played.Promotion) : 0);
        record.RecordText(ply) = RecordTextOf(letter, move, display);
        record.PlayedEp[static_cast<std::size_t>(ply)] = pos.EpTarget[static_cast<std::size_t>(pos.TreeDepth)];
        record.LastPly = ply;
        pos.InitGameTree();
    }

    // Sets up a FEN as the start, its en passant target kept as the window keeps it.
    testing::AssertionResult Start(const std::string& fen) {
        if (pos.ReadFen(fen)) return testing::AssertionFailure() << "FEN refused: " << fen;
        record.PlayedEp[0] = pos.EpTarget[0];
        return testing::AssertionSuccess();
    }
};

std::string Lines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) out += line + "\r\n";
    return out;
}

const std::string StartSetup = "Setup=243563421111111100000000000000000000000000000000777777778A9BC9A8";

// The lines before the moves: header, position, first mover, castling rights
// and en passant target, START.
std::vector<std::string> Head(const std::string& setup = StartSetup, const char* blackStarts = "0",
                              const char* castling = "KQkq", const char* enPassant = "-") {
    return {"ORVANE Version=0.10",
            setup,
            std::string("BlackStarts=") + blackStarts,
            std::string("Castling=") + castling,
            std::string("EnPassant=") + enPassant,
            "START"};
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(GameFileWriter, ExactBytes) {
    {
        SCOPED_TRACE("the start position with no moves is six lines");
        PlayedGame g;
        EXPECT_EQ(WriteGameText(g.pos, g.record), Lines(Head()));
    }
    {
        SCOPED_TRACE("1.e4 e5 with a comment after White's first move");
        PlayedGame g;
        g.Play("E2E4");
        g.record.Comments[1] = "Open game";
        g.Play("E7E5");
        EXPECT_EQ(WriteGameText(g.pos, g.record),
                  Lines(Head() + std::vector<std::string>{"e2e4", "{Open game}", "e7e5"}));
    }
    {
        SCOPED_TRACE("a comment of two lines, and one typed with a bare line feed");
        PlayedGame g;
        g.record.Comments[0] = "first\r\nsecond";
        g.Play("D2D4");
        g.record.Comments[1] = "a\nb";
        g.Play("D7D5");
        EXPECT_EQ(WriteGameText(g.pos, g.record),
                  Lines(Head() + std::vector<std::string>{"{first\xFF\xFFsecond}", "d2d4",
                                                          "{a\xFF\xFF"
                                                          "b}",
                                                          "d7d5"}));
    }
    {
        SCOPED_TRACE("comments in UTF-8, also those the program holds in Windows-1252");
        PlayedGame g;
        g.record.Comments[0] = "Caf\xC3\xA9 \xE2\x80\x93 \xC3\xBF";
        g.Play("D2D4");
        g.record.Comments[1] = "Caf\xE9 \x96 \xFF";
        EXPECT_EQ(WriteGameText(g.pos, g.record),
                  Lines(Head() + std::vector<std::string>{"{Caf\xC3\xA9 \xE2\x80\x93 \xC3\xBF}", "d2d4",
                                                          "{Caf\xC3\xA9 \xE2\x80\x93 \xC3\xBF}"}));
    }
    {
        SCOPED_TRACE("a knight promotion and the comment of the final position");
        PlayedGame g;
        ASSERT_TRUE(g.Start("8/P6k/8/8/8/8/8/K7 w - - 0 1"));
        g.Play("A7A8N");
        g.record.Comments[1] = "underpromotion";
        EXPECT_EQ(WriteGameText(g.pos, g.record), Lines(Head("Setup=" + g.pos.PositionString(), "0", "-") +
                                                        std::vector<std::string>{"a7a8N", "{underpromotion}"}));
    }
    {
        SCOPED_TRACE("a game Black starts");
        PlayedGame g;
        ASSERT_TRUE(g.Start("4k3/8/8/8/8/8/4p3/4K3 b - - 0 1"));
        g.Play("E8D7");
        EXPECT_EQ(WriteGameText(g.pos, g.record),
                  Lines(Head("Setup=" + g.pos.PositionString(), "1", "-") + std::vector<std::string>{"e8d7"}));
        EXPECT_EQ(g.record.MoveTexts[1].White, "Ke8d7 Ke8-d7");
    }
    {
        SCOPED_TRACE("Black to move by the FEN alone, as a PGN game sets it up");
        PlayedGame g;
        ASSERT_TRUE(g.Start("4k3/8/8/8/8/8/4p3/4K3 b - - 0 1"));
        g.pos.BlackStarts = 0;
        EXPECT_EQ(WriteGameText(g.pos, g.record), Lines(Head("Setup=" + g.pos.PositionString(), "1", "-")));
        g.Play("E8D7");
        g.Play("E1E2");
        EXPECT_EQ(WriteGameText(g.pos, g.record),
                  Lines(Head("Setup=" + g.pos.PositionString(), "1", "-") + std::vector<std::string>{"e8d7", "e1e2"}));
    }
    {
        SCOPED_TRACE("the start's castling rights and en passant target, whatever was played since");
        PlayedGame g;
        ASSERT_TRUE(g.Start("r3k2r/ppp1pppp/8/8/3pP3/8/PPPP1PPP/R3K2R b Kq e3 0 12"));
        const std::vector<std::string> head = Head("Setup=" + g.pos.PositionString(), "1", "Kq", "e3");
        EXPECT_EQ(WriteGameText(g.pos, g.record), Lines(head));
        for (const char* move : {"D4E3", "E1E2", "E8D8"}) g.Play(move);
        EXPECT_EQ(WriteGameText(g.pos, g.record), Lines(head + std::vector<std::string>{"d4e3", "e1e2", "e8d8"}));
    }
    {
        SCOPED_TRACE("a target the start cannot hold is not written, so the file stays readable");
        PlayedGame g;
        g.record.PlayedEp[0] = 45;  // e3, but no pawn has passed it
        EXPECT_EQ(WriteGameText(g.pos, g.record), Lines(Head()));
    }
}

TEST(GameFileWriter, PositionStringIsTheStartBoard) {
    PlayedGame g;
    ASSERT_FALSE(g.pos.ReadFen("8/P6k/8/8/8/8/8/K7 w - - 0 1"));
    g.Play("A7A8N");
    // a1 White king, a7 White pawn, h7 Black king: the start, not the board after the promotion.
    const std::string text = WriteGameText(g.pos, g.record);
    EXPECT_NE(text.find("Setup=6000000000000000000000000000000000000000000000001000000C00000000\r\n"),
              std::string::npos)
        << text;
}

struct RefusalRow {
    const char* name;
    std::string bytes;
    ReadErrorKind kind;
    long line;
    const char* text;
};

void PrintTo(const RefusalRow& row, std::ostream* os) { *os << row.name; }

const std::string HeaderLine = "ORVANE Version=0.10\r\n";
const std::vector<RefusalRow> RefusalRows = {
    {"not the header", "PGN Version=0.10\r\nSTART\r\n", ReadErrorKind::NotGameFile, 1,
     "game.orv is not an Orvane file"},
    {"empty file", "", ReadErrorKind::NotGameFile, 1, "game.orv is not an Orvane file"},
    {"header in lower case", "orvane Version=0.10\r\n", ReadErrorKind::NotGameFile, 1,
     "game.orv is not an Orvane file"},
    {"version 0.26", "ORVANE Version=0.26\r\nSTART\r\n", ReadErrorKind::WrongVersion, 1,
     "Incorrect game file!\r\nNeed version 0.10"},
    {"version not a number", "ORVANE Version=new\r\nSTART\r\n", ReadErrorKind::WrongVersion, 1,
     "Incorrect game file!\r\nNeed version 0.10"},
    {"end of file before START", HeaderLine + StartSetup + "\r\nBlackStarts=0\r\n", ReadErrorKind::MissingStart, 3, ""},
    {"short Setup= line", HeaderLine + "Setup=2435634211\r\nSTART\r\n", ReadErrorKind::BadSetup, 2, ""},
    {"bad character in Setup=",
     HeaderLine + "Setup=24356342111111110000000000000000000000000000000077777777ZA9BC9A8\r\nSTART\r\n",
     ReadErrorKind::BadSetup, 2, ""},
    {"line too long to be a move", HeaderLine + "START\r\ne2e4\r\ne7e5 e5\r\n", ReadErrorKind::BadMoveLine, 4, ""},
    {"a move line of six characters", HeaderLine + "START\r\ne2e4\r\ne7e5Qx\r\n", ReadErrorKind::BadMoveLine, 4, ""},
    {"castling letter not of KQkq", HeaderLine + "Castling=KQkx\r\nSTART\r\n", ReadErrorKind::BadSetup, 2, ""},
    {"castling field empty", HeaderLine + "BlackStarts=0\r\nCastling=\r\nSTART\r\n", ReadErrorKind::BadSetup, 3, ""},
    {"en passant not a square", HeaderLine + "EnPassant=e9\r\nSTART\r\n", ReadErrorKind::BadSetup, 2, ""},
    {"en passant no pawn has passed", HeaderLine + "EnPassant=e3\r\nBlackStarts=1\r\nSTART\r\n",
     ReadErrorKind::BadSetup, 2, ""},
    {"en passant for the wrong side",
     HeaderLine +
         "Setup=2435634211110111000000000000100000000000000000007777777785A9BC9A8\r\nEnPassant=e3\r\nSTART\r\n",
     ReadErrorKind::BadSetup, 3, ""},
};

class Refusals : public ::testing::TestWithParam<RefusalRow> {};

TEST_P(Refusals, SayWhatAndWhere) {
    const RefusalRow& row = GetParam();
    const ParsedGameFile parsed = ParseGameFile(row.bytes, "game.orv");
    EXPECT_EQ(parsed.Error.Kind, row.kind);
    EXPECT_EQ(parsed.Error.Line, row.line);
    EXPECT_EQ(parsed.Error.Text, row.text);
    EXPECT_EQ(parsed.Error.File, "game.orv");
}

INSTANTIATE_TEST_SUITE_P(GameFileReader, Refusals, ::testing::ValuesIn(RefusalRows),
                         [](const ::testing::TestParamInfo<RefusalRow>& row) {
                             std::string name;
                             for (const char* c = row.param.name; *c != '\0'; ++c)
                                 if ((*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9'))
                                     name += *c;
                             return name;
                         });

// A five-character move line is a promotion; its fifth character is the piece.
TEST(GameFileReader, AFiveCharacterMoveLineIsAPromotion) {
    const ParsedGameFile parsed = ParseGameFile(
        HeaderLine + "Setup=000060000000000000000000000000000000000000000000010000000000C000\r\nSTART\r\nb7b8N\r\n",
        "game.orv");
    ASSERT_FALSE(parsed.Error) << parsed.Error.Detail;
    ASSERT_EQ(parsed.File.Plies.size(), 1u);
    EXPECT_EQ(parsed.File.Plies[0].Move, "B7B8N");
}

TEST(GameFileReader, VersionsAreComparedAsNumbers) {
    EXPECT_TRUE(SameVersion("0.1", "0.10"));
    EXPECT_TRUE(SameVersion("0.10", "0.10"));
    EXPECT_TRUE(SameVersion(" 0.100 trailing", "0.10"));
    EXPECT_FALSE(SameVersion("0.26", "0.10"));
    EXPECT_FALSE(SameVersion("", "0.10"));
}

TEST(GameFileReader, ReadsWhatTheLinesSay) {
    const std::string bytes =
        "ORVANE Version=0.1\r\nsomething ignored\nBlackStarts=1\r" + StartSetup +
        "\r\nSTART\r\n{before}\r\n{before again}\r\ne2e4\r\nE7E8q\r\n{two\xFF\xFFlines}\r\ng1f3\r\n\r\nh2h3\r\n";
    const ParsedGameFile parsed = ParseGameFile(bytes, "g.orv");
    ASSERT_FALSE(parsed.Error) << parsed.Error.Detail;
    const GameFile& f = parsed.File;
    EXPECT_EQ(f.Setup, StartSetup.substr(6));
    EXPECT_EQ(f.BlackStarts, 1);
    ASSERT_EQ(f.Plies.size(), 3u) << "an empty line ends the game";
    EXPECT_EQ(f.Plies[0].Comment, "before again") << "a later comment of the same position replaces the earlier";
    EXPECT_EQ(f.Plies[0].Move, "E2E4");
    EXPECT_EQ(f.Plies[0].Line, 8);
    EXPECT_EQ(f.Plies[1].Move, "E7E8Q");
    EXPECT_EQ(f.Plies[2].Comment, "two\r\nlines");
    EXPECT_EQ(f.FinalComment, "");
    EXPECT_EQ(f.LinesAfterStart, 8);
}

TEST(GameFileReader, TextIsUtf8ElseWindows1252) {
    const std::string head = "ORVANE Version=0.10\r\nSTART\r\n";
    const struct {
        const char* name;
        std::string bytes;
        const char* comment;
    } rows[] = {
        {"UTF-8 with line breaks", head + "{Caf\xC3\xA9\xFF\xFF\xC3\xBF \xE2\x80\x93}\r\ne2e4\r\n",
         "Caf\xC3\xA9\r\n\xC3\xBF \xE2\x80\x93"},
        {"Windows-1252 of older files", head + "{Caf\xE9\xFF\xFF\x96 ok}\r\ne2e4\r\n",
         "Caf\xC3\xA9\r\n\xE2\x80\x93 ok"},
        {"one Windows-1252 \"\xC3\xBF\" is no line break", head + "{\xFF caf\xE9}\r\ne2e4\r\n", "\xC3\xBF caf\xC3\xA9"},
        {"a byte-order mark before the header", "\xEF\xBB\xBF" + head + "{\xC3\xA9}\r\ne2e4\r\n", "\xC3\xA9"},
        // The last character stands for the closing brace, whatever it is.
        {"no brace, a character of two bytes last", head + "{ab\xC3\xA9\xC3\xAB\r\ne2e4\r\n", "ab\xC3\xA9"},
        {"no brace, Windows-1252 last", head + "{ab\x93\xEB\r\ne2e4\r\n", "ab\xE2\x80\x9C"},
        {"no brace, half a line break last", head + "{ab\xFF\xFF\r\ne2e4\r\n", "ab\xC3\xBF"},
    };
    for (const auto& row : rows) {
        const ParsedGameFile parsed = ParseGameFile(row.bytes, "g.orv");
        ASSERT_FALSE(parsed.Error) << row.name;
        ASSERT_EQ(parsed.File.Plies.size(), 1u) << row.name;
        EXPECT_EQ(parsed.File.Plies[0].Comment, row.comment) << row.name;
    }
}

TEST(GameFileReader, ACommentAsTheLastLineBelongsToTheLastPly) {
    const ParsedGameFile parsed = ParseGameFile("ORVANE Version=0.10\r\nSTART\r\ne2e4\r\n{the end}", "g.orv");
    ASSERT_FALSE(parsed.Error);
    ASSERT_EQ(parsed.File.Plies.size(), 1u);
    EXPECT_EQ(parsed.File.FinalComment, "the end");
    EXPECT_TRUE(parsed.File.FinalCommentSeen);
}

TEST(GameFile, WriterAndReaderAgree) {
    PlayedGame g;
    g.record.Comments[0] = "start";
    for (const char* m : {"E2E4", "D7D5", "E4D5", "G8F6", "F1B5", "C7C6", "D5C6", "D8A5", "C6B7", "E8D8", "B7A8N"})
        g.Play(m);
    g.record.Comments[3] = "line one\r\nline two";
    g.record.Comments[11] = "final";
    const ParsedGameFile parsed = ParseGameFile(WriteGameText(g.pos, g.record), "g.orv");
    ASSERT_FALSE(parsed.Error);
    ASSERT_EQ(static_cast<int>(parsed.File.Plies.size()), g.record.LastPly);
    for (int p = 1; p <= g.record.LastPly; ++p) {
        EXPECT_EQ(parsed.File.Plies[static_cast<std::size_t>(p - 1)].Move, g.record.ReplayText(p)) << p;
        EXPECT_EQ(parsed.File.Plies[static_cast<std::size_t>(p - 1)].Comment,
                  g.record.Comments[static_cast<std::size_t>(p - 1)])
            << p;
    }
    EXPECT_EQ(parsed.File.FinalComment, "final");
    EXPECT_EQ(parsed.File.Setup, g.pos.PositionString());
}

}  // namespace
}  // namespace orvane::gamefile

// ---- reading back: the moves replayed through the shared steps ----------

namespace orvane::gamefile {
namespace {

// Reads a file's bytes into a fresh position and record, as the window does
// after its game reset.
struct ReadBack {
    Position pos;
    GameRecord record;
    MoveInput input;
    ReadError error;

    explicit ReadBack(std::string_view bytes) {
        record.Reset("Player");
        const ParsedGameFile parsed = ParseGameFile(bytes, "g.orv");
        error = parsed.Error;
        if (!error) error = ReplayGameFile(parsed.File, pos, record, input);
    }
};

TEST(GameFileReplay, MovesCommentsAndTheFirstMover) {
    {
        SCOPED_TRACE("the example game");
        ReadBack r("ORVANE Version=0.10\r\nSetup=" + std::string(StandardPositionString) +
                   "\r\nBlackStarts=0\r\nSTART\r\ne2e4\r\n{Open game}\r\ne7e5\r\n");
        ASSERT_FALSE(r.error) << r.error.Detail;
        EXPECT_EQ(r.record.LastPly, 2);
        EXPECT_EQ(r.record.MoveTexts[1].White, " e2e4  e2-e4");
        EXPECT_EQ(r.record.MoveTexts[1].Black, " e7e5  e7-e5");
        EXPECT_EQ(r.record.Comments[1], "Open game");
        EXPECT_EQ(r.record.HasComments, 1);
        EXPECT_EQ(r.pos.CurrentPly, 2);
    }
    {
        SCOPED_TRACE("a game Black starts keeps its first ply in the White field");
        PlayedGame g;
        ASSERT_FALSE(g.pos.ReadFen("4k3/8/8/8/8/8/4p3/4K3 b - - 0 1"));
        g.Play("E8D7");
        g.Play("E1E2");
        ReadBack r(WriteGameText(g.pos, g.record));
        ASSERT_FALSE(r.error) << r.error.Detail;
        EXPECT_EQ(r.pos.BlackStarts, 1);
        EXPECT_EQ(r.record.MoveTexts[1].White, "Ke8d7 Ke8-d7");
        EXPECT_EQ(r.record.MoveTexts[1].Black, "Ke1e2 Ke1xe2");
        EXPECT_EQ(r.pos.SideToMove, -1);
    }
    {
        SCOPED_TRACE("a knight promotion reads back as a knight");
        ReadBack r(
            "ORVANE Version=0.10\r\nSetup=6000000000000000000000000000000000000000000000001000000C00000000\r\n"
            "BlackStarts=0\r\nSTART\r\na7a8N\r\n");
        ASSERT_FALSE(r.error) << r.error.Detail;
        EXPECT_EQ(r.pos.Board[91], Knight);
        EXPECT_EQ(r.record.ReplayText(1), "A7A8N");
    }
}

// The legal moves at the root, after a fresh generation.
std::vector<MoveRecord> LegalMoves(Position& pos) {
    pos.GenerateMoves(1);
    return {pos.MoveList.begin() + pos.DepthStart[0], pos.MoveList.begin() + pos.DepthStart[1]};
}

TEST(GameFileReplay, TheStartPositionComesBackWhole) {
    // Side to move, castling rights and en passant target of the start, each
    // read back into the same legal moves (castling and the capture e.p.
    // among them), with and without moves played after it.
    const struct {
        const char* fen;
        std::vector<const char*> moves;
    } rows[] = {
        {"r3k2r/8/8/8/8/8/8/R3K2R w - - 0 1", {}},
        {"r3k2r/8/8/8/8/8/8/R3K2R b Kq - 0 1", {}},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", {"E1D1", "E8F8"}},
        {"rnbqkbnr/ppp1pppp/8/8/3pP3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 3", {"D4E3"}},
        {"rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3", {}},
        {"4k3/8/8/8/8/8/4p3/4K3 b - - 0 1", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.fen);
        PlayedGame g;
        ASSERT_TRUE(g.Start(row.fen));
        Position start = g.pos;
        for (const char* move : row.moves) g.Play(move);
        const std::string text = WriteGameText(g.pos, g.record);
        ReadBack back(text);
        ASSERT_FALSE(back.error) << back.error.Detail;
        EXPECT_EQ(WriteGameText(back.pos, back.record), text) << "saved again";
        EXPECT_EQ(back.pos.Board, g.pos.Board);
        EXPECT_EQ(back.pos.SideToMove, g.pos.SideToMove);
        EXPECT_EQ(back.record.PlayedEp[0], g.record.PlayedEp[0]);
        EXPECT_EQ(LegalMoves(back.pos), LegalMoves(g.pos));
        // Walked back to the start as the window walks back.
        for (int ply = back.record.LastPly; ply >= 1; --ply) {
            back.pos.MoveList[0] = back.record.PlayedMoves[static_cast<std::size_t>(ply)];
            back.pos.EpTarget[0] = back.record.PlayedEp[static_cast<std::size_t>(ply - 1)];
            back.pos.TakeBackMove(0);
            back.pos.TreeDepth = 0;
        }
        EXPECT_EQ(back.pos.Board, start.Board);
        EXPECT_EQ(back.pos.SideToMove, start.SideToMove);
        EXPECT_EQ(LegalMoves(back.pos), LegalMoves(start));
    }
}

TEST(GameFileReplay, OlderFilesReadAsTheyAlwaysDid) {
    // No castling line: the rights of the pieces at home. No BlackStarts
    // line: White moves first.
    ReadBack r(
        "ORVANE Version=0.10\r\nSetup=200060020000000000000000000000000000000000000000000000008000C008\r\nSTART\r\n");
    ASSERT_FALSE(r.error);
    EXPECT_EQ(r.pos.SideToMove, 1);
    EXPECT_EQ(CastlingField(r.pos.Board, r.pos.MoveCounts), "KQkq");
}

TEST(GameFileReplay, AnIllegalMoveSaysWhichAndWhere) {
    ReadBack r("ORVANE Version=0.10\r\nSTART\r\ne2e4\r\ne7e5\r\ne1e3\r\n");
    EXPECT_EQ(r.error.Kind, ReadErrorKind::IllegalMove);
    EXPECT_EQ(r.error.Text, "E1E3: Illegal move!");
    EXPECT_EQ(r.error.Line, 5);
    EXPECT_EQ(r.error.Ply, 3);
    EXPECT_EQ(r.record.LastPly, 2);
}

// What the window shows at a ply: the board, the side to move, the legal
// moves (the available-moves list) and the comment.
struct PlyView {
    std::array<int, BoardSize> Board;
    int Side;
    std::vector<MoveRecord> Moves;
    std::string Comment;
    bool operator==(const PlyView&) const = default;
};

// Every ply of a record as the window walks it: from the last ply back to the
// start with the stored moves, then forward through InputMove.
std::vector<PlyView> Walk(Position pos, const GameRecord& record) {
    std::vector<PlyView> views(static_cast<std::size_t>(record.LastPly) + 1);
    for (int ply = pos.CurrentPly; ply >= 1; --ply) {
        pos.MoveList[0] = record.PlayedMoves[static_cast<std::size_t>(ply)];
        pos.EpTarget[0] = record.PlayedEp[static_cast<std::size_t>(ply - 1)];
        pos.TakeBackMove(0);
        pos.TreeDepth = 0;
    }
    MoveInput input;
    for (int ply = 0; ply <= record.LastPly; ++ply) {
        const std::size_t p = static_cast<std::size_t>(ply);
        pos.EpTarget[0] = record.PlayedEp[p];
        views[p] = {pos.Board, pos.SideToMove, LegalMoves(pos), record.Comments[p]};
        if (ply == record.LastPly) break;
        EXPECT_EQ(InputMove(pos, input, record.ReplayText(ply + 1)), 1) << "ply " << ply + 1;
        pos.InitGameTree();
    }
    return views;
}

// One game read from PGN as the window reads it, saved, read back and saved
// again: "" when the file brought back everything, else the first thing it
// did not. With walk, every ply is compared as the window shows it; else the
// start and every move (which decide every ply).
std::string RoundTripProblem(const pgn::GameText& game, bool walk, long& games) {
    Position pos;
    GameRecord record;
    MoveInput input;
    record.Reset("Player");
    if (pgn::ReplayGame(game, pos, record, input).Error) return {};  // the PGN tests cover those
    ++games;
    const std::string saved = WriteGameText(pos, record);
    ReadBack back(saved);
    if (back.error) return back.error.Text + back.error.Detail;
    if (WriteGameText(back.pos, back.record) != saved) return "saved again, the file differs";
    if (back.pos.StartBoard != pos.StartBoard) return "another start position";
    if (StartSideToMove(back.pos) != StartSideToMove(pos)) return "another side to move at the start";
    if (StartMoveCounts(back.pos, back.record) != StartMoveCounts(pos, record) &&
        CastlingField(back.pos.StartBoard, StartMoveCounts(back.pos, back.record)) !=
            CastlingField(pos.StartBoard, StartMoveCounts(pos, record)))
        return "other castling rights at the start";
    if (back.record.LastPly != record.LastPly) return "another number of plies";
    if (back.pos.Board != pos.Board || back.pos.SideToMove != pos.SideToMove) return "another final position";
    for (int ply = 0; ply <= record.LastPly; ++ply) {
        const std::size_t p = static_cast<std::size_t>(ply);
        const std::string at = " at ply " + std::to_string(ply);
        if (ply > 0 && !(back.record.PlayedMoves[p] == record.PlayedMoves[p])) return "another move" + at;
        if (ply > 0 && back.record.RecordText(ply) != record.RecordText(ply)) return "another record text" + at;
        if (back.record.PlayedEp[p] != record.PlayedEp[p]) return "another en passant target" + at;
        if (back.record.Comments[p] != DecodeText(record.Comments[p]))
            return "another comment" + at + ": \"" + back.record.Comments[p] + "\"";
    }
    if (walk) {
        const std::vector<PlyView> read = Walk(back.pos, back.record);
        const std::vector<PlyView> shown = Walk(pos, record);
        for (std::size_t p = 0; p < shown.size(); ++p) {
            PlyView expected = shown[p];
            expected.Comment = DecodeText(expected.Comment);
            if (!(read[p] == expected)) return "the window shows another ply " + std::to_string(p);
        }
    }
    return {};
}

void RoundTripEveryGame(std::string_view bytes, const std::string& name, bool walk, long& games, long sample = 1) {
    pgn::ForEachGame(bytes, [&](pgn::GameText& game) {
        if (game.Game % sample != 0) return true;
        const std::string problem = RoundTripProblem(game, walk, games);
        EXPECT_EQ(problem, "") << name << " game " << game.Game;
        return problem.empty();
    });
}

TEST(GameFileReplay, RoundTripOfStudies) {
    long games = 0;
    for (const std::string& study : testsupport::WrittenStudies()) RoundTripEveryGame(study, "study", true, games);
    RoundTripEveryGame(testsupport::Windows1252Study(), "Windows-1252 study", true, games);
    EXPECT_EQ(games, 5);
}

// Every game of the shared collections and samples, and annotated studies
// made from every seventh of them (started from positions of those games),
// read from PGN, written as a game file and read back.
TEST(GameFileReplay, RoundTripOfTheSharedCollections) {
    namespace fs = std::filesystem;
    const fs::path folders[] = {testsupport::SharedDataFile("pgn/collections"),
                                testsupport::SharedDataFile("pgn/samples")};
    if (!fs::is_directory(folders[0])) GTEST_SKIP() << testsupport::SharedDataMissing(folders[0]);
    // Every move of 5,390 games, read and replayed twice: the checks after
    // every make and unmake of debug builds rest (the engine's tests keep them).
    const InvariantChecksPaused paused;
    long games = 0;
    for (const fs::path& folder : folders) {
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            const std::optional<std::string> bytes = ReadWholeFile(entry.path());
            ASSERT_TRUE(bytes) << entry.path();
            const std::string name = entry.path().filename().string();
            const long sample = testsupport::SlowBuildSample;
            RoundTripEveryGame(*bytes, name, false, games, sample);
            RoundTripEveryGame(testsupport::DerivedStudies(*bytes, 7 * sample), "studies of " + name, true, games);
        }
    }
    EXPECT_GT(games, 6000 / testsupport::SlowBuildSample);
}

}  // namespace
}  // namespace orvane::gamefile
