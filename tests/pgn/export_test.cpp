// Games out in the PGN export format: the standard algebraic text of tricky
// moves, one game's whole text, and every game of the shared collections and
// of study-style files checked against the standard's rules and read back
// by the program's own reader.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/encoding.h"
#include "common/textfile.h"
#include "export_rules.h"
#include "pgn/collection.h"
#include "pgn/export.h"
#include "pgn/replay.h"
#include "replay_test_util.h"
#include "support/shared_data.h"
#include "support/study_games.h"

namespace orvane::pgn {
namespace {

// The slot of a legal move given as "e7e8q" among the moves generated at depth 0.
int SlotOf(Position& pos, std::string_view move) {
    pos.GenerateMoves(1);
    const auto square = [](std::string_view name) { return (name[1] - '1') * 10 + 21 + (name[0] - 'a'); };
    const int promotion = move.size() == 5 ? static_cast<int>(std::string_view(" prbnqk").find(move[4])) : 0;
    for (int i = pos.DepthStart[0]; i < pos.DepthStart[1]; ++i) {
        const MoveRecord& m = pos.MoveList[static_cast<std::size_t>(i)];
        if (m.Source == square(move.substr(0, 2)) && m.Dest == square(move.substr(2, 2)) && m.Promotion == promotion)
            return i;
    }
    return -1;
}

struct SanRow {
    const char* Name;
    const char* Fen;
    const char* Move;
    const char* San;
};

TEST(Export, StandardAlgebraicTextOfTrickyMoves) {
    constexpr const char* Castles = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
    constexpr const char* BlackCastles = "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1";
    const std::vector<SanRow> rows = {
        {"knights told apart by file", "4k3/8/8/8/8/8/8/1N2KN2 w - - 0 1", "b1d2", "Nbd2"},
        {"and when they take", "4k3/8/8/8/8/8/3p4/1N2KN2 w - - 0 1", "b1d2", "Nbxd2"},
        {"rooks on a file told apart by rank", "4k3/8/8/R7/8/8/8/R3K3 w - - 0 1", "a1a3", "R1a3"},
        {"the other rook", "4k3/8/8/R7/8/8/8/R3K3 w - - 0 1", "a5a3", "R5a3"},
        {"rooks on a rank told apart by file", "4k3/8/8/8/8/8/8/R4R1K w - - 0 1", "a1d1", "Rad1"},
        {"three queens need file and rank", "4k3/8/8/8/8/Q7/8/Q1Q1K3 w - - 0 1", "a1b2", "Qa1b2"},
        {"a pinned knight needs no letter", "4k3/8/8/b7/8/8/3N4/4K1N1 w - - 0 1", "g1f3", "Nf3"},
        {"promotion with check", "7k/4P3/8/8/8/8/8/4K3 w - - 0 1", "e7e8q", "e8=Q+"},
        {"under-promotion with check", "8/4P1k1/8/8/8/8/8/4K3 w - - 0 1", "e7e8n", "e8=N+"},
        {"promotion taking, with mate", "5r1k/4P2p/8/8/8/8/8/K7 w - - 0 1", "e7f8q", "exf8=Q#"},
        {"the rook does not mate there", "5r1k/4P2p/8/8/8/8/8/K7 w - - 0 1", "e7f8r", "exf8=R+"},
        {"White castles king side", Castles, "e1g1", "O-O"},
        {"White castles queen side", Castles, "e1c1", "O-O-O"},
        {"Black castles king side", BlackCastles, "e8g8", "O-O"},
        {"Black castles queen side", BlackCastles, "e8c8", "O-O-O"},
        {"castling with check", "5k2/8/8/8/8/8/8/4K2R w K - 0 1", "e1g1", "O-O+"},
        {"en passant", "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5d6", "exd6"},
        {"en passant with check", "8/8/8/8/3pP3/8/5K2/k7 b - e3 0 1", "d4e3", "dxe3+"},
        {"a pawn capture names its file", "4k3/8/8/3p4/2P1P3/8/8/4K3 w - - 0 1", "c4d5", "cxd5"},
        {"mate", "r1bqkb1r/pppp1ppp/2n2n2/4p2Q/2B1P3/8/PPPP1PPP/RNB1K1NR w KQkq - 4 4", "h5f7", "Qxf7#"},
    };
    for (const SanRow& row : rows) {
        SCOPED_TRACE(row.Name);
        Position pos;
        ASSERT_FALSE(pos.ReadFen(row.Fen)) << row.Fen;
        const int slot = SlotOf(pos, row.Move);
        ASSERT_GE(slot, 0) << row.Move;
        const Position before = pos;
        EXPECT_EQ(SanText(pos, slot), row.San);
        EXPECT_EQ(pos.Board, before.Board);
        EXPECT_EQ(pos.MoveCount, before.MoveCount);
        EXPECT_EQ(pos.TreeDepth, before.TreeDepth);
        // The rules read the text as the standard does and find that move.
        const std::string text = std::string(
                                     "[Event \"?\"]\n[Site \"?\"]\n[Date \"????.??.??\"]\n[Round \"?\"]\n"
                                     "[White \"?\"]\n[Black \"?\"]\n[Result \"*\"]\n[FEN \"") +
                                 row.Fen + "\"]\n[SetUp \"1\"]\n\n" +
                                 std::string(row.Fen).substr(std::string(row.Fen).rfind(' ') + 1) +
                                 (pos.SideToMove == 1 ? ". " : "... ") + row.San + " *\n\n";
        const pgntest::ExportCheck check = pgntest::CheckExportText(text);
        EXPECT_TRUE(check.Problems.empty()) << check.Problems.front();
        ASSERT_EQ(check.Moves.size(), 1U);
        EXPECT_EQ(check.Moves[0], pos.MoveList[static_cast<std::size_t>(slot)]);
    }
}

// Plays coordinate moves into a record as the program records them.
void Play(Position& pos, GameRecord& record, MoveInput& input, std::initializer_list<const char*> moves) {
    for (const char* move : moves) ASSERT_EQ(PlayAndRecord(pos, record, input, move), PlayOutcome::Played) << move;
}

TEST(Export, OneGameWordForWord) {
    Position pos;
    GameRecord record;
    MoveInput input;
    record.Reset("Player");
    ASSERT_FALSE(pos.ReadFen("r3k2r/8/8/8/8/8/8/R3K2R b Kq - 3 30"));
    pos.GenerateMoves(1);
    const FenPosition start = pos.CurrentFen(3, 30);
    Play(pos, record, input, {"E8C8", "E1G1", "D8D1", "A1D1", "H8H1", "G1H1"});
    record.Comments[0] = "Study \"one\"\r\nwith } brace";
    record.Comments[2] =
        "Both sides have castled; now the rooks fight for the open d-file, and the white king stays safe "
        "\xE2\x80\x94 for now.";
    record.Comments[6] = "end";
    PgnTags tags;
    tags.pgnEvent = "Club \"A\"";
    tags.pgnSite.clear();
    tags.pgnDate.clear();
    tags.RoundTag = "3";
    tags.pgnWhite = "R\xC3\xA9ti";
    tags.pgnResult.clear();
    tags.EcoTag = "A00";
    tags.WhiteEloTag = "2400";
    tags.PlyCountTag = "99";  // counted again
    const ExportedGame game = ExportGame(tags, start, record);
    ASSERT_FALSE(game.Error);
    EXPECT_EQ(game.Text,
              "[Event \"Club \\\"A\\\"\"]\n"
              "[Site \"?\"]\n"
              "[Date \"????.??.??\"]\n"
              "[Round \"3\"]\n"
              "[White \"R\xC3\xA9ti\"]\n"
              "[Black \"?\"]\n"
              "[Result \"*\"]\n"
              "[ECO \"A00\"]\n"
              "[FEN \"r3k2r/8/8/8/8/8/8/R3K2R b Kq - 3 30\"]\n"
              "[PlyCount \"6\"]\n"
              "[SetUp \"1\"]\n"
              "[WhiteElo \"2400\"]\n"
              "\n"
              "{Study \"one\"} {with ) brace} 30... O-O-O 31. O-O {Both sides have castled; now\n"
              "the rooks fight for the open d-file, and the white king stays safe \xE2\x80\x94 for now.}\n"
              "31... Rd1 32. Raxd1 Rh1+ 33. Kxh1 {end} *\n"
              "\n");
    EXPECT_TRUE(pgntest::CheckExportText(game.Text).Problems.empty());
    // In a file of the program's own line ends.
    const ExportedGame crlf = ExportGame(tags, start, record, "\r\n");
    std::string lf = crlf.Text;
    for (std::size_t at; (at = lf.find("\r\n")) != std::string::npos;) lf.erase(at, 1);
    EXPECT_EQ(lf, game.Text);
}

TEST(Export, TheResultComesFromTheTagElseFromTheBoard) {
    EXPECT_EQ(ExportResult("1/2-1/2", GameEnd::None, 1), "1/2-1/2");
    EXPECT_EQ(ExportResult("0-1", GameEnd::Checkmate, -1), "0-1");
    EXPECT_EQ(ExportResult("*", GameEnd::Checkmate, -1), "1-0");
    EXPECT_EQ(ExportResult("", GameEnd::Checkmate, 1), "0-1");
    EXPECT_EQ(ExportResult("", GameEnd::Stalemate, 1), "1/2-1/2");
    EXPECT_EQ(ExportResult("2-0", GameEnd::None, 1), "*");
}

TEST(Export, DatesInTheStandardForm) {
    GameRecord record;
    record.Reset("Player");
    Position pos;
    const FenPosition start = pos.CurrentFen(0, 1);
    const auto dateOf = [&](const char* date) {
        PgnTags tags;
        tags.pgnDate = date;
        const std::string text = ExportGame(tags, start, record).Text;
        const std::size_t at = text.find("[Date \"") + 7;
        return text.substr(at, text.find('"', at) - at);
    };
    EXPECT_EQ(dateOf(""), "????.??.??");
    EXPECT_EQ(dateOf("1925"), "1925.??.??") << "a Year tag";
    EXPECT_EQ(dateOf("1925.03.??"), "1925.03.??");
    EXPECT_EQ(dateOf("March 1925"), "March 1925") << "kept as the game has it";
}

TEST(Export, ARecordThatDoesNotFitItsStartIsRefused) {
    Position pos;
    GameRecord record;
    MoveInput input;
    record.Reset("Player");
    pos.GenerateMoves(1);
    Play(pos, record, input, {"E2E4", "E7E5"});
    FenPosition start = pos.CurrentFen(0, 1);  // the position after the moves, not before
    const ExportedGame game = ExportGame(PgnTags{}, start, record);
    EXPECT_EQ(game.Error.Kind, ReadErrorKind::IllegalMove);
    EXPECT_EQ(game.Error.Ply, 1);
}

// One game read, exported, checked against the rules and read back: "" when
// all is well, else what went wrong. Games the reader refuses are skipped.
std::string ExportAndReadBack(const GameText& game, long& exported) {
    auto original = pgntest::Replay(game, MoveMatcher::Fast);
    if (original->Info.Error) return {};
    ++exported;
    const GameRecord& record = original->Record;
    int clock = 0;
    if (original->Info.FenRead) {
        Position probe;
        FenInfo info;
        probe.ReadFen(game.Tags.FenTag, &info);
        clock = std::atoi(info.FenHalfMoveClock.c_str());
    }
    const FenPosition start =
        StartFen(original->Pos, record, clock,
                 StartFullMoveNumber(original->Info.FenRead ? "1" : "", original->Info.FenMoveNumber));
    const ExportedGame text = ExportGame(game.Tags, start, record);
    if (text.Error) return "refused: " + text.Error.Text;

    const pgntest::ExportCheck check = pgntest::CheckExportText(text.Text);
    if (!check.Problems.empty()) return check.Problems.front() + "\n" + text.Text;
    if (static_cast<int>(check.Moves.size()) != record.LastPly) return "the rules read another number of moves";
    for (int ply = 1; ply <= record.LastPly; ++ply)
        if (!(check.Moves[static_cast<std::size_t>(ply - 1)] == record.PlayedMoves[static_cast<std::size_t>(ply)]))
            return "the rules read another move at ply " + std::to_string(ply);

    // The program's own reader: the same start, moves and comments.
    std::string problem;
    long games = 0;
    ForEachGame(text.Text, [&](GameText& back) {
        ++games;
        auto read = pgntest::Replay(back, MoveMatcher::Fast);
        if (read->Info.Error) {
            problem = "read back: " + read->Info.Error.Text + "\n" + text.Text;
            return false;
        }
        if (read->Pos.StartBoard != original->Pos.StartBoard || read->Record.LastPly != record.LastPly ||
            read->Record.PlayedEp[0] != record.PlayedEp[0])
            problem = "read back with another start or length";
        for (int ply = 0; ply <= record.LastPly && problem.empty(); ++ply) {
            const std::size_t p = static_cast<std::size_t>(ply);
            if (ply > 0 && !(read->Record.PlayedMoves[p] == record.PlayedMoves[p]))
                problem = "read back with another move at ply " + std::to_string(ply);
            else if (read->Record.Comments[p] != DecodeText(record.Comments[p]))
                problem = "read back with another comment at ply " + std::to_string(ply) + ": \"" +
                          read->Record.Comments[p] + "\"";
        }
        // Written again, the movetext is the same.
        if (problem.empty()) {
            const FenPosition again =
                StartFen(read->Pos, read->Record, clock,
                         StartFullMoveNumber(read->Info.FenRead ? "1" : "", read->Info.FenMoveNumber));
            const std::string second = ExportGame(back.Tags, again, read->Record).Text;
            if (second.substr(second.find("\n\n")) != text.Text.substr(text.Text.find("\n\n")))
                problem = "written again, the movetext differs:\n" + second;
        }
        return true;
    });
    if (problem.empty() && games != 1) problem = "read back as " + std::to_string(games) + " games";
    return problem;
}

void ExportEveryGame(std::string_view bytes, const std::string& name, long& exported, long sample = 1) {
    ForEachGame(bytes, [&](GameText& game) {
        if (game.Game % sample != 0) return true;
        const std::string problem = ExportAndReadBack(game, exported);
        EXPECT_EQ(problem, "") << name << " game " << game.Game;
        return problem.empty();
    });
}

TEST(Export, StudiesKeepTheRulesAndReadBackAlike) {
    long exported = 0;
    for (const std::string& study : testsupport::WrittenStudies()) ExportEveryGame(study, "written study", exported);
    ExportEveryGame(testsupport::Windows1252Study(), "Windows-1252 study", exported);
    EXPECT_EQ(exported, 5);
}

TEST(Export, SharedCollectionsKeepTheRulesAndReadBackAlike) {
    namespace fs = std::filesystem;
    const fs::path collections = testsupport::SharedDataFile("pgn/collections");
    if (!fs::is_directory(collections)) GTEST_SKIP() << testsupport::SharedDataMissing(collections);
    // Every move of 5,390 games and 770 studies, three times over: the
    // checks after every make and unmake of debug builds rest (the engine's
    // tests keep them).
    const InvariantChecksPaused paused;
    long exported = 0;
    for (const fs::path& folder : {collections, testsupport::SharedDataFile("pgn/samples")}) {
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            const std::optional<std::string> bytes = ReadWholeFile(entry.path());
            ASSERT_TRUE(bytes) << entry.path();
            const std::string name = entry.path().filename().string();
            const long sample = testsupport::SlowBuildSample;
            ExportEveryGame(*bytes, name, exported, sample);
            // Annotated games set up from positions of the same games.
            ExportEveryGame(testsupport::DerivedStudies(*bytes, 7 * sample), "studies of " + name, exported);
        }
    }
    EXPECT_GT(exported, 6000 / testsupport::SlowBuildSample);
}

}  // namespace
}  // namespace orvane::pgn
