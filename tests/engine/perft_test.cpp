// Leaf counts of the legal move tree against published counts: the start
// position, well-known tricky positions and a sample of random ones.
#include <gtest/gtest.h>

#include <cstdint>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/perft.h"
#include "engine/position.h"
#include "engine_test_util.h"
#include "support/perft_file.h"
#include "support/position_state.h"
#include "support/shared_data.h"

namespace orvane {
namespace {

using enginetest::LoadFen;
using testsupport::StateDifference;
using testsupport::StateScope;

// Listed depths above this many leaves are left to the perft tool; the
// sanitizer build runs these tests about ten times slower.
constexpr std::uint64_t NodeBudget = 2'000'000;

struct PerftRow {
    const char* Name;
    const char* Fen;
    int Depth;
    std::uint64_t Nodes;
};

TEST(Perft, KnownCountsNeedNoDataFiles) {
    const char* start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
    const char* kiwipete = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";
    const char* endgame = "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1";
    const char* promotions = "r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1";
    const char* discovered = "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8";
    const std::vector<PerftRow> rows = {
        {"start, depth 1", start, 1, 20},
        {"start, depth 2", start, 2, 400},
        {"start, depth 3", start, 3, 8902},
        {"start, depth 4", start, 4, 197281},
        {"Kiwipete, depth 1", kiwipete, 1, 48},
        {"Kiwipete, depth 2", kiwipete, 2, 2039},
        {"Kiwipete, depth 3", kiwipete, 3, 97862},
        {"endgame, depth 4", endgame, 4, 43238},
        {"promotions, depth 3", promotions, 3, 9467},
        {"discovered checks, depth 3", discovered, 3, 62379},
    };
    for (const PerftRow& row : rows) {
        SCOPED_TRACE(row.Name);
        Position pos;
        ASSERT_TRUE(LoadFen(pos, row.Fen));
        const Position before = pos;
        EXPECT_EQ(Perft(pos, row.Depth), row.Nodes);
        EXPECT_EQ(StateDifference(pos, before, StateScope::Restored), "");
    }
}

TEST(Perft, DepthZeroIsOneLeaf) {
    Position pos;
    EXPECT_EQ(Perft(pos, 0), 1u);
}

// A walk deeper than the tree's arrays stops with the overflow, before any
// array is written past its end. With two bare kings no game ever ends and
// no list comes near the move stack's limit, so the depth is what overflows.
TEST(Perft, AWalkDeeperThanTheTreeOverflows) {
    Position pos;
    ASSERT_TRUE(LoadFen(pos, "7k/8/8/8/8/8/8/K7 w - - 0 1"));
    try {
        Perft(pos, MaxTreeDepth + 1);
        FAIL() << "no overflow";
    } catch (const MoveTreeOverflow& e) {
        EXPECT_STREQ(e.what(), TreeTooDeepText);
    }
    EXPECT_EQ(pos.TreeDepth, MaxTreeDepth);
    EXPECT_LE(pos.MoveCount, MoveListLast);
}

// The castling letters of a FEN whose king or rook is not on the standard
// squares (king e1/e8, rooks on the corners). Such rights belong to the
// shuffled-start variant; this program castles from the standard squares only,
// so those published counts do not apply to it.
std::string RightsOffTheStandardSquares(const Position& pos, const std::string& fen) {
    std::istringstream fields(fen);
    std::string board, side, castling;
    fields >> board >> side >> castling;
    std::string odd;
    for (const char c : castling) {
        const bool white = c == 'K' || c == 'Q';
        const int kingHome = white ? 25 : 95;
        const int rookHome = (c == 'K') ? 28 : (c == 'Q') ? 21 : (c == 'k') ? 98 : (c == 'q') ? 91 : 0;
        if (rookHome == 0) continue;
        const int sign = white ? 1 : -1;
        if (pos.Board[At(kingHome)] != King * sign || pos.Board[At(rookHome)] != Rook * sign) odd += c;
    }
    return odd;
}

struct FileSummary {
    int Positions = 0;
    int CheckedCounts = 0;
    int OverBudget = 0;
    std::vector<std::string> Skipped;
};

// Checks every listed count of the chosen positions up to maxDepth.
FileSummary CheckPerftFile(const testsupport::PerftFile& file, int every, int maxDepth) {
    // Millions of moves, checked by their counts: the checks after every make
    // and unmake of debug builds rest (the counts above keep them).
    const InvariantChecksPaused paused;
    FileSummary summary;
    for (std::size_t index = 0; index < file.Positions.size(); index += static_cast<std::size_t>(every)) {
        const testsupport::PerftPosition& p = file.Positions[index];
        SCOPED_TRACE(p.Id + " (line " + std::to_string(p.Line) + "): " + p.Fen);
        ++summary.Positions;
        Position pos;
        const ReadError err = pos.ReadFen(p.Fen);
        EXPECT_FALSE(err) << "FEN refused at field " << err.Field << ", character " << err.Column;
        if (err) continue;
        const std::string odd = RightsOffTheStandardSquares(pos, p.Fen);
        if (!odd.empty()) {
            summary.Skipped.push_back(p.Id + " (" + odd + ")");
            continue;
        }
        for (const testsupport::PerftCount& c : p.Counts) {
            if (c.Depth > maxDepth) continue;
            if (c.Nodes > NodeBudget) {
                ++summary.OverBudget;
                continue;
            }
            EXPECT_EQ(Perft(pos, c.Depth), c.Nodes) << "depth " << c.Depth;
            ++summary.CheckedCounts;
        }
    }
    return summary;
}

void Report(const char* what, const FileSummary& s) {
    std::cout << "[   NOTE   ] " << what << ": " << s.Positions << " positions, " << s.CheckedCounts
              << " counts checked, " << s.OverBudget << " counts over " << NodeBudget << " leaves left out, "
              << s.Skipped.size() << " positions skipped for castling rights off the standard squares";
    for (std::size_t i = 0; i < s.Skipped.size(); ++i) std::cout << (i == 0 ? ": " : ", ") << s.Skipped[i];
    std::cout << "\n";
    testing::Test::RecordProperty("positions", s.Positions);
    testing::Test::RecordProperty("counts_checked", s.CheckedCounts);
    testing::Test::RecordProperty("skipped_castling_positions", static_cast<int>(s.Skipped.size()));
}

TEST(PerftFiles, TrickyPositions) {
    const auto path = testsupport::SharedDataFile("perft/tricky.perft");
    if (!testsupport::SharedDataPresent(path)) {
        GTEST_SKIP() << testsupport::SharedDataMissing(path);
    }
    const testsupport::PerftFile file = testsupport::ReadPerftFile(path.string());
    EXPECT_TRUE(file.Problems.empty()) << file.Problems.front();
    ASSERT_GE(file.Positions.size(), 10u);
    const FileSummary summary = CheckPerftFile(file, 1, 99);
    Report("tricky.perft", summary);
    EXPECT_GE(summary.CheckedCounts, 40);
}

TEST(PerftFiles, EveryTwentiethRandomPositionToDepthThree) {
    const auto path = testsupport::SharedDataFile("perft/random.perft");
    if (!testsupport::SharedDataPresent(path)) {
        GTEST_SKIP() << testsupport::SharedDataMissing(path);
    }
    const testsupport::PerftFile file = testsupport::ReadPerftFile(path.string());
    EXPECT_TRUE(file.Problems.empty()) << file.Problems.front();
    ASSERT_GE(file.Positions.size(), 1000u);
    const FileSummary summary = CheckPerftFile(file, 20, 3);
    Report("random.perft", summary);
    EXPECT_GE(summary.Positions, 300);
    EXPECT_EQ(summary.CheckedCounts, 3 * (summary.Positions - static_cast<int>(summary.Skipped.size())));
}

}  // namespace
}  // namespace orvane
