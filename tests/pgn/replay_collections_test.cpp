// Every game of the shared collections and samples replayed: the fast
// matcher against the literal one ply by ply, and the ply counts and final
// positions against a summary made by an independent PGN reader
// (tests/pgn/golden/replay_summary.txt). Skipped when the data is absent.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "common/textfile.h"
#include "pgn/collection.h"
#include "pgn/replay.h"
#include "replay_test_util.h"
#include "support/shared_data.h"

namespace orvane::pgn {
namespace {

using testsupport::SharedDataFile;
using testsupport::SharedDataMissing;
using testsupport::SharedDataPresent;

const char* const DataFiles[] = {
    "collections/Capablanca.pgn",
    "collections/Fischer.pgn",
    "collections/Kasparov.pgn",
    "collections/Carlsen.pgn",
    "collections/Nimzowitsch.pgn",
    "samples/anastasian-lewis.pgn",
    "samples/chessbase-empty-line.pgn",
    "samples/kasparov-deep-blue-1997.pgn",
    "samples/molinari-bordais-1979.pgn",
    "samples/nepomniachtchi-liren-game1.pgn",
    "samples/stockfish-learning.pgn",
    "samples/uci-moves.pgn",
    "samples/utf8-bom.pgn",
};

// The bytes of a shared PGN file, or nothing (the test is then skipped).
std::optional<std::string> DataBytes(const std::string& name) {
    const auto path = SharedDataFile("pgn/" + name);
    if (!SharedDataPresent(path)) return std::nullopt;
    return ReadWholeFile(path);
}

// What the position and MoveInput hold right after a ply.
struct PlyState {
    std::array<int, BoardSize> Board;
    std::array<int, BoardSize> MoveCounts;
    int SideToMove, WhiteKing, BlackKing, EpTarget0, CurrentPly, TreeDepth;
    int LastWasCapture, LastWasPromotion;
    std::string MoveText, RecordText, Comment;
    MoveRecord Played;

    bool operator==(const PlyState&) const = default;
};

PlyState StateAfter(const Position& pos, const GameRecord& record, const MoveInput& input, int ply) {
    return {pos.Board,
            pos.MoveCounts,
            pos.SideToMove,
            pos.WhiteKing,
            pos.BlackKing,
            pos.EpTarget[0],
            pos.CurrentPly,
            pos.TreeDepth,
            input.LastWasCapture,
            input.LastWasPromotion,
            input.MoveText,
            record.RecordText(ply),
            record.Comments[static_cast<std::size_t>(ply - 1)],
            record.PlayedMoves[static_cast<std::size_t>(ply)]};
}

// "" when the fast matcher replays the game exactly as the literal one does,
// the state after every ply included, else the first difference.
std::string MatcherDifference(const GameText& game) {
    std::vector<PlyState> literalStates;
    auto literal = std::make_unique<pgntest::Replayed>();
    ReplayOptions options{MoveMatcher::Literal, [&](const Position& pos, const GameRecord& record, int ply) {
                              literalStates.push_back(StateAfter(pos, record, literal->Input, ply));
                          }};
    literal->Info = ReplayGame(game, literal->Pos, literal->Record, literal->Input, options);

    auto fast = std::make_unique<pgntest::Replayed>();
    std::size_t next = 0;
    std::string difference;
    options = {
        MoveMatcher::Fast, [&](const Position& pos, const GameRecord& record, int ply) {
            if (!difference.empty()) return;
            if (next >= literalStates.size() || !(StateAfter(pos, record, fast->Input, ply) == literalStates[next]))
                difference = "state after ply " + std::to_string(ply) + " differs";
            ++next;
        }};
    fast->Info = ReplayGame(game, fast->Pos, fast->Record, fast->Input, options);
    if (difference.empty() && next != literalStates.size()) difference = "ply counts differ";
    if (difference.empty()) difference = pgntest::ReplayDifference(*fast, *literal);
    if (!difference.empty()) return difference;

    // Without the final move list only the game-end answer is asked.
    auto quick = std::make_unique<pgntest::Replayed>();
    options = {};
    options.FinalMoveList = false;
    quick->Info = ReplayGame(game, quick->Pos, quick->Record, quick->Input, options);
    if (quick->Info.GameOver != literal->Info.GameOver || quick->Info.Error.Kind != literal->Info.Error.Kind ||
        quick->Record.LastPly != literal->Record.LastPly || quick->Pos.Board != literal->Pos.Board ||
        quick->Pos.EpTarget[0] != literal->Pos.EpTarget[0] || quick->Pos.TreeDepth != 0)
        return "the replay without the final move list differs";
    return {};
}

// The fast matcher finds, for every token of every game, the move the
// literal matcher finds, and leaves the same state after each ply.
TEST(ReplayCollections, FastMatcherEqualsLiteralMatcher) {
    // Every legal move of every position of 5,390 games, twice: the checks
    // after every make and unmake of debug builds rest (the damaged games
    // below keep them).
    const InvariantChecksPaused paused;
    long games = 0;
    int failures = 0;
    for (const char* name : DataFiles) {
        const std::optional<std::string> bytes = DataBytes(name);
        if (!bytes) GTEST_SKIP() << SharedDataMissing(SharedDataFile(std::string("pgn/") + name));
        ForEachGame(*bytes, [&](GameText& game) {
            ++games;
            const std::string difference = MatcherDifference(game);
            if (!difference.empty() && ++failures <= 10)
                ADD_FAILURE() << name << " game " << game.Game << ": " << difference;
            return true;
        });
    }
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(games, 5376 + 14);
}

// The same on damaged games, so that the failures agree too: real games with
// words dropped, doubled or joined and annotations put in at random places.
TEST(ReplayCollections, FastMatcherEqualsLiteralMatcherOnDamagedGames) {
    const std::optional<std::string> bytes = DataBytes("collections/Fischer.pgn");
    if (!bytes) GTEST_SKIP() << SharedDataMissing(SharedDataFile("pgn/collections/Fischer.pgn"));
    const char* const inserts[] = {
        "{c}",  "{ a ) b }", "(1. d4 $2 d5)", "$1",  "$300",  "*",    "1-0",  "Z0",   "1...", "12. ...",
        "...",  "e8",        "exd8",          "O-O", "O-O-O", "Nbd7", "Kxe8", "a1=Q", "h8Q",  "(1. e4 {x} (1... c5))",
        "e.p.", "--"};
    std::mt19937 random(20261208);
    int failures = 0, damaged = 0;
    ForEachGame(*bytes, [&](GameText& game) {
        std::vector<std::string> words;
        std::istringstream in(game.Movetext);
        for (std::string w; in >> w;) words.push_back(w);
        const int changes = static_cast<int>(random() % 4) + 1;
        for (int c = 0; c < changes && !words.empty(); ++c) {
            const std::size_t at = random() % words.size();
            switch (random() % 4) {
            case 0:
                words.insert(words.begin() + static_cast<std::ptrdiff_t>(at), inserts[random() % std::size(inserts)]);
                break;
            case 1: words.erase(words.begin() + static_cast<std::ptrdiff_t>(at)); break;
            case 2: words.insert(words.begin() + static_cast<std::ptrdiff_t>(at), words[at]); break;
            default: words[at] += at + 1 < words.size() ? words[at + 1] : "+"; break;
            }
        }
        game.Movetext.clear();
        for (const std::string& w : words) (game.Movetext += game.Movetext.empty() ? "" : " ") += w;
        game.Lines = {{0, 1, 1}};
        ++damaged;
        const std::string difference = MatcherDifference(game);
        if (!difference.empty() && ++failures <= 10)
            ADD_FAILURE() << "damaged game " << game.Game << " (" << game.Movetext << "): " << difference;
        return true;
    });
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(damaged, 827);
}

std::string Fnv1a32(const std::string& text) {
    std::uint32_t h = 0x811C9DC5u;
    for (const char c : text) h = (h ^ static_cast<unsigned char>(c)) * 0x01000193u;
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", h);
    return hex;
}

// One game of the summary: its plies and final position, or refused.
struct SummaryGame {
    bool Refused = false;
    int Plies = 0;
    std::string Position;  // FEN board and side, or its hash for the collections
};

std::map<std::string, std::vector<SummaryGame>> ReadSummary() {
    std::map<std::string, std::vector<SummaryGame>> files;
    std::ifstream in(std::string(ORVANE_SOURCE_DIR) + "/tests/pgn/golden/replay_summary.txt");
    EXPECT_TRUE(in.good()) << "tests/pgn/golden/replay_summary.txt not found";
    std::string line, current;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::string first;
        words >> first;
        if (first == "file") {
            words >> current;
            continue;
        }
        SummaryGame game;
        std::string plies;
        words >> plies;
        if (plies == "error") {
            game.Refused = true;
        } else {
            game.Plies = std::stoi(plies);
            std::getline(words >> std::ws, game.Position);
        }
        files[current].push_back(game);
    }
    return files;
}

// Ply counts and final positions as the independent reader gives them. The
// one game it refuses (a null move) fails here too, on the word after it.
TEST(ReplayCollections, GoldenPliesAndFinalPositions) {
    const auto summary = ReadSummary();
    ASSERT_EQ(summary.size(), std::size(DataFiles));
    int failures = 0;
    for (const char* name : DataFiles) {
        const std::optional<std::string> bytes = DataBytes(name);
        if (!bytes) GTEST_SKIP() << SharedDataMissing(SharedDataFile(std::string("pgn/") + name));
        const auto& expected = summary.at(name);
        const bool hashed = std::string(name).rfind("collections/", 0) == 0;
        std::size_t count = 0;
        Position pos;
        auto record = std::make_unique<GameRecord>();
        MoveInput input;
        ForEachGame(*bytes, [&](GameText& game) {
            ++count;
            if (count > expected.size()) return false;
            const SummaryGame& want = expected[count - 1];
            const ReplayInfo info = ReplayGame(game, pos, *record, input);
            std::string got;
            if (info.Error) {
                got = "error: " + info.Error.Text;
            } else {
                const std::string position = pgntest::FenBoardAndSide(pos);
                got = std::to_string(record->LastPly) + " " + (hashed ? Fnv1a32(position) : position);
            }
            if (want.Refused) {
                EXPECT_EQ(info.Error.Kind, ReadErrorKind::IllegalMove) << name << " game " << game.Game << ": " << got;
                return true;
            }
            const std::string wanted = std::to_string(want.Plies) + " " + want.Position;
            if (got != wanted && ++failures <= 10)
                ADD_FAILURE() << name << " game " << game.Game << ": " << got << ", expected " << wanted;
            return true;
        });
        EXPECT_EQ(count, expected.size()) << name;
    }
    EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace orvane::pgn
