// The game file: the exact bytes the writer produces, the reader's refusals
// with their places, and writer and reader against each other.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/textfile.h"
#include "gamefile/gamefile.h"
#include "notation/notation.h"
#include "pgn/collection.h"
#include "pgn/replay.h"
#include "support/shared_data.h"

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
        record.LastPly = ply;
    }
};

std::string Lines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) out += line + "\r\n";
    return out;
}

const std::string StartSetup = "Setup=243563421111111100000000000000000000000000000000777777778A9BC9A8";

TEST(GameFileWriter, ExactBytes) {
    {
        SCOPED_TRACE("the start position with no moves is four lines");
        PlayedGame g;
        EXPECT_EQ(WriteGameText(g.pos, g.record), Lines({"ORVANE Version=0.10", StartSetup, "BlackStarts=0", "START"}));
    }
    {
        SCOPED_TRACE("1.e4 e5 with a comment after White's first move");
        PlayedGame g;
        g.Play("E2E4");
        g.record.Comments[1] = "Open game";
        g.Play("E7E5");
        EXPECT_EQ(WriteGameText(g.pos, g.record),
                  Lines({"ORVANE Version=0.10", StartSetup, "BlackStarts=0", "START", "e2e4", "{Open game}", "e7e5"}));
    }
    {
        SCOPED_TRACE("a comment of two lines, and one typed with a bare line feed");
        PlayedGame g;
        g.record.Comments[0] = "first\r\nsecond";
        g.Play("D2D4");
        g.record.Comments[1] = "a\nb";
        g.Play("D7D5");
        EXPECT_EQ(WriteGameText(g.pos, g.record),
                  Lines({"ORVANE Version=0.10", StartSetup, "BlackStarts=0", "START", "{first\xFF\xFFsecond}", "d2d4",
                         "{a\xFF\xFF"
                         "b}",
                         "d7d5"}));
    }
    {
        SCOPED_TRACE("a knight promotion and the comment of the final position");
        PlayedGame g;
        ASSERT_FALSE(g.pos.ReadFen("8/P6k/8/8/8/8/8/K7 w - - 0 1"));
        g.Play("A7A8N");
        g.record.Comments[1] = "underpromotion";
        EXPECT_EQ(WriteGameText(g.pos, g.record), Lines({"ORVANE Version=0.10", "Setup=" + g.pos.PositionString(),
                                                         "BlackStarts=0", "START", "a7a8N", "{underpromotion}"}));
    }
    {
        SCOPED_TRACE("a game Black starts");
        PlayedGame g;
        ASSERT_FALSE(g.pos.ReadFen("4k3/8/8/8/8/8/4p3/4K3 b - - 0 1"));
        g.Play("E8D7");
        EXPECT_EQ(WriteGameText(g.pos, g.record),
                  Lines({"ORVANE Version=0.10", "Setup=" + g.pos.PositionString(), "BlackStarts=1", "START", "e8d7"}));
        EXPECT_EQ(g.record.MoveTexts[1].White, "Ke8d7 Ke8-d7");
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

TEST(GameFileReader, Refusals) {
    const std::string head = "ORVANE Version=0.10\r\n";
    const RefusalRow rows[] = {
        {"not the header", "PGN Version=0.10\r\nSTART\r\n", ReadErrorKind::NotGameFile, 1,
         "game.orv is not an Orvane file"},
        {"empty file", "", ReadErrorKind::NotGameFile, 1, "game.orv is not an Orvane file"},
        {"header in lower case", "orvane Version=0.10\r\n", ReadErrorKind::NotGameFile, 1,
         "game.orv is not an Orvane file"},
        {"version 0.26", "ORVANE Version=0.26\r\nSTART\r\n", ReadErrorKind::WrongVersion, 1,
         "Incorrect game file!\r\nNeed version 0.10"},
        {"version not a number", "ORVANE Version=new\r\nSTART\r\n", ReadErrorKind::WrongVersion, 1,
         "Incorrect game file!\r\nNeed version 0.10"},
        {"end of file before START", head + StartSetup + "\r\nBlackStarts=0\r\n", ReadErrorKind::MissingStart, 3, ""},
        {"short Setup= line", head + "Setup=2435634211\r\nSTART\r\n", ReadErrorKind::BadSetup, 2, ""},
        {"bad character in Setup=",
         head + "Setup=24356342111111110000000000000000000000000000000077777777ZA9BC9A8\r\nSTART\r\n",
         ReadErrorKind::BadSetup, 2, ""},
        {"line too long to be a move", head + "START\r\ne2e4\r\ne7e5 e5\r\n", ReadErrorKind::BadMoveLine, 4, ""},
    };
    for (const RefusalRow& row : rows) {
        const ParsedGameFile parsed = ParseGameFile(row.bytes, "game.orv");
        EXPECT_EQ(parsed.Error.Kind, row.kind) << row.name;
        EXPECT_EQ(parsed.Error.Line, row.line) << row.name;
        EXPECT_EQ(parsed.Error.Text, row.text) << row.name;
        EXPECT_EQ(parsed.Error.File, "game.orv") << row.name;
    }
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

TEST(GameFileReplay, AnIllegalMoveSaysWhichAndWhere) {
    ReadBack r("ORVANE Version=0.10\r\nSTART\r\ne2e4\r\ne7e5\r\ne1e3\r\n");
    EXPECT_EQ(r.error.Kind, ReadErrorKind::IllegalMove);
    EXPECT_EQ(r.error.Text, "E1E3: Illegal move!");
    EXPECT_EQ(r.error.Line, 5);
    EXPECT_EQ(r.error.Ply, 3);
    EXPECT_EQ(r.record.LastPly, 2);
}

// Every game of the shared collections and samples, read from PGN, written
// as a game file and read back: the same start, plies, texts and comments.
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
            pgn::ForEachGame(*bytes, [&](pgn::GameText& game) {
                Position pos;
                GameRecord record;
                MoveInput input;
                record.Reset("Player");
                if (pgn::ReplayGame(game, pos, record, input).Error) return true;  // the PGN tests cover those
                ++games;
                const std::string where = entry.path().filename().string() + " game " + std::to_string(game.Game);
                ReadBack back(WriteGameText(pos, record));
                EXPECT_FALSE(back.error) << where << ": " << back.error.Text << back.error.Detail;
                EXPECT_EQ(back.pos.StartBoard, pos.StartBoard) << where;
                EXPECT_EQ(back.pos.Board, pos.Board) << where;
                EXPECT_EQ(back.record.LastPly, record.LastPly) << where;
                for (int p = 1; p <= record.LastPly; ++p)
                    if (back.record.RecordText(p) != record.RecordText(p)) {
                        ADD_FAILURE() << where << " ply " << p << ": " << back.record.RecordText(p);
                        break;
                    }
                for (int p = 0; p <= record.LastPly; ++p)
                    if (back.record.Comments[static_cast<std::size_t>(p)] !=
                        record.Comments[static_cast<std::size_t>(p)]) {
                        ADD_FAILURE() << where << " comment of ply " << p;
                        break;
                    }
                return !HasFailure();
            });
        }
    }
    EXPECT_GT(games, 5000);
}

}  // namespace
}  // namespace orvane::gamefile
