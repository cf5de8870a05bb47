// The moves to one square and the test for any legal move, held against the
// full list; the check a move gives, held against the attack test. On tricky
// positions, on every position of the shared perft files and the positions
// one and two plies from them, and on hand-made positions where castling,
// en passant, pins, king steps and discovered checks decide.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/position.h"
#include "engine_test_util.h"
#include "support/perft_file.h"
#include "support/position_state.h"
#include "support/shared_data.h"

namespace orvane {
namespace {

using enginetest::LegalMoves;
using enginetest::LoadFen;
using enginetest::PlayLine;
using enginetest::Sq;
using testsupport::StateDifference;
using testsupport::StateScope;

// The records GenerateMovesTo left at the current depth.
std::vector<MoveRecord> ListAtDepth(const Position& pos) {
    const auto d = At(pos.TreeDepth);
    return {pos.MoveList.begin() + pos.DepthStart[d], pos.MoveList.begin() + pos.DepthStart[d + 1]};
}

enum class Types {
    All,             // the moves of every piece only
    WhereMovesLead,  // each piece type too, on the squares some move goes to
    Everywhere,      // each piece type too, on every square
};

// Compares, at the position's current depth, the moves onto every square
// (of every piece, and of each type as asked) with the full list filtered by
// destination and type, and HasLegalMove with the full list's size. Returns
// the first disagreement, "" when there is none.
std::string CompareWithFullList(Position& pos, Types types = Types::WhereMovesLead) {
    const Position before = pos;
    const std::vector<MoveRecord> full = LegalMoves(pos);
    std::array<bool, BoardSize> reached{};
    for (const MoveRecord& r : full) reached[At(r.Dest)] = true;
    const auto d = At(pos.TreeDepth);
    // The 64 squares and a few off the board, which have no moves.
    for (int dest = 0; dest < BoardSize; ++dest) {
        if (!IsPlayingSquare(dest) && dest != 0 && dest != 29 && dest != 99 && dest != BoardSize - 1) continue;
        const int lastType =
            types == Types::Everywhere || (types == Types::WhereMovesLead && reached[At(dest)]) ? King : 0;
        for (int type = 0; type <= lastType; ++type) {
            const int count = pos.GenerateMovesTo(dest, type);
            const auto first = pos.MoveList.begin() + pos.DepthStart[d];
            const auto last = pos.MoveList.begin() + pos.DepthStart[d + 1];
            auto next = first;
            bool same = count == last - first;
            for (const MoveRecord& r : full) {
                const int piece = before.Board[At(r.Source)];
                if (r.Dest != dest || (type != 0 && piece != type && piece != -type)) continue;
                if (next == last || !(*next == r)) {
                    same = false;
                    break;
                }
                ++next;
            }
            const auto where = [dest, type] {
                return "square " + std::to_string(dest) + ", piece type " + std::to_string(type);
            };
            if (!same || next != last) return where() + ": the moves onto it differ from the full list's";
            if (pos.MoveCount != pos.DepthStart[d + 1] || pos.DepthStart[d] != before.DepthStart[d])
                return where() + ": the list bounds do not follow the moves";
        }
    }
    std::string changed = StateDifference(pos, before, StateScope::Restored);
    if (!changed.empty()) return "GenerateMovesTo changed the position: " + changed;

    const bool any = pos.HasLegalMove();
    if (any != !full.empty())
        return std::string("HasLegalMove says ") + (any ? "yes" : "no") + " with " + std::to_string(full.size()) +
               " legal moves";
    if (pos.CurrentMoveCount() != 0 || pos.MoveCount != pos.DepthStart[d]) return "HasLegalMove leaves a list behind";
    changed = StateDifference(pos, before, StateScope::Restored);
    if (!changed.empty()) return "HasLegalMove changed the position: " + changed;
    return {};
}

// Tricky positions kept with the tests: castling with attacked paths, en
// passant against pins along the rank and diagonal, promotions with and
// without capture, discovered and double checks, pins in all directions.
constexpr std::array<const char*, 16> TrickyPositions = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1",
    "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
    "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
    "8/8/8/KPp4r/8/8/8/4k3 w - c6 0 1",
    "8/8/8/8/k2Pp2Q/8/8/3K4 b - d3 0 1",
    "8/8/8/8/1k1Pp3/8/8/4K1B1 b - d3 0 1",
    "4k3/8/8/2b5/3pP3/8/8/5K2 b - e3 0 1",
    "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1",
    "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1",
    "r3k2r/1b4bq/8/8/8/8/7B/R3K2R w KQkq - 0 1",
    "n1n5/PPPk4/8/8/8/8/4Kppp/5N1N b - - 0 1",
    "4k3/8/8/8/8/8/3n1n2/R3K2R w KQ - 0 1",
    "4q2k/8/8/1b6/8/3RNB2/4K3/8 w - - 0 1",
};

// The positions one ply below pos, each made at the next depth of the tree.
// follow picks the moves to go down.
template <typename Follow, typename Visit>
void ForEachChild(Position& pos, Follow follow, Visit visit) {
    pos.GenerateMoves(1);
    const auto d = At(pos.TreeDepth);
    const int first = pos.DepthStart[d];
    const int last = pos.DepthStart[d + 1];
    for (int i = first; i < last; ++i) {
        if (!follow(pos, pos.MoveList[At(i)])) continue;
        pos.PerformMove(i);
        visit(pos);
        pos.TakeBackMove(i);
        // The visit generated below this depth only; this list is intact.
    }
}

bool EveryMove(const Position&, const MoveRecord&) { return true; }

// Moves after which the side that moved first meets something new: an en
// passant target, castling done, a king or rook leaving its home square for
// the first time.
bool ChangesRights(const Position& pos, const MoveRecord& r) {
    const int from = r.Source;
    const bool home = from == 21 || from == 25 || from == 28 || from == 91 || from == 95 || from == 98;
    return (r.EpSquare != 0 && r.Captured == 0) || r.CastleKind != 0 || (home && pos.MoveCounts[At(from)] == 0);
}

struct Tally {
    long Positions = 0;
    std::vector<std::string> Failures;
};

// The position itself, every position one ply below it, and those two plies
// below reached by a move that changes rights; each piece type compared as
// atRoot and below say.
void CompareTree(Position& pos, const std::string& name, Tally& tally, Types atRoot, Types below) {
    const auto check = [&](Position& p, const std::string& where, Types types) {
        ++tally.Positions;
        const std::string problem = CompareWithFullList(p, types);
        if (!problem.empty() && tally.Failures.size() < 10) tally.Failures.push_back(where + ": " + problem);
    };
    check(pos, name, atRoot);
    ForEachChild(pos, EveryMove, [&](Position& child) {
        check(child, name + " +1", below);
        ForEachChild(child, ChangesRights, [&](Position& grandchild) { check(grandchild, name + " +2", below); });
    });
}

TEST(MovesToOneSquare, AgreeWithTheFullListOnTrickyPositions) {
    Tally tally;
    for (const char* fen : TrickyPositions) {
        Position pos;
        ASSERT_TRUE(LoadFen(pos, fen));
        CompareTree(pos, fen, tally, Types::Everywhere, Types::Everywhere);
    }
    for (const std::string& failure : tally.Failures) ADD_FAILURE() << failure;
    EXPECT_GT(tally.Positions, 1000);
}

void CompareFile(const char* relative, long every, Types below) {
    const auto path = testsupport::SharedDataFile(relative);
    if (!testsupport::SharedDataPresent(path)) {
        GTEST_SKIP() << testsupport::SharedDataMissing(path);
    }
    const testsupport::PerftFile file = testsupport::ReadPerftFile(path.string());
    ASSERT_TRUE(file.Problems.empty()) << file.Problems.front();
    // Hundreds of thousands of positions, compared as a whole: the checks of
    // debug builds after every make and unmake rest (the tricky positions
    // above keep them).
    const InvariantChecksPaused paused;
    Tally tally;
    long roots = 0;
    for (std::size_t i = 0; i < file.Positions.size(); i += static_cast<std::size_t>(every)) {
        const testsupport::PerftPosition& p = file.Positions[i];
        Position pos;
        const ReadError err = pos.ReadFen(p.Fen);
        EXPECT_FALSE(err) << p.Id << ": " << p.Fen;
        if (err) continue;
        ++roots;
        CompareTree(pos, p.Id + " (" + p.Fen + ")", tally, Types::WhereMovesLead, below);
    }
    for (const std::string& failure : tally.Failures) ADD_FAILURE() << failure;
    std::cout << "[   NOTE   ] " << relative << ": " << roots << " positions and " << tally.Positions - roots
              << " below them compared\n";
    EXPECT_GT(roots, 0);
}

TEST(MovesToOneSquare, AgreeWithTheFullListOnTheTrickyPerftFile) {
    CompareFile("perft/tricky.perft", 1, Types::WhereMovesLead);
}

// Every position of the file (in debug builds every eighth), each piece type
// at the root only.
TEST(MovesToOneSquare, AgreeWithTheFullListOnTheRandomPerftFile) {
    CompareFile("perft/random.perft", testsupport::SlowBuildSample, Types::All);
}

// Coordinate text of a record, "e1g1", for readable expectations.
std::string Text(const MoveRecord& r) {
    const auto name = [](int sq) {
        return std::string{static_cast<char>('a' + sq % 10 - 1), static_cast<char>('0' + sq / 10 - 1)};
    };
    std::string text = name(r.Source) + name(r.Dest);
    if (r.Promotion != 0) text += "..rbnqk"[At(r.Promotion)];
    return text;
}

struct SquareRow {
    const char* Name;
    const char* Fen;
    std::vector<std::string_view> Before;  // played from the root first
    const char* Square;
    std::vector<std::string> Expected;  // the legal moves onto Square, in list order
};

TEST(MovesToOneSquare, CraftedPositionsGiveTheLegalMovesOnly) {
    const char* ready = "4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1";
    const std::vector<SquareRow> rows = {
        {"castling with a safe path, after the rook's own move", ready, {}, "g1", {"h1g1", "e1g1"}},
        {"castling queen side: the rook's move first, castling last", ready, {}, "c1", {"a1c1", "e1c1"}},
        {"castling through an attacked f1", "4k3/5r2/8/8/8/8/8/R3K2R w KQ - 0 1", {}, "g1", {"h1g1"}},
        {"castling through an attacked d1", "4k3/3r4/8/8/8/8/8/R3K2R w KQ - 0 1", {}, "c1", {"a1c1"}},
        {"castling into an attacked g1", "4k3/6r1/8/8/8/8/8/R3K2R w KQ - 0 1", {}, "g1", {"h1g1"}},
        {"castling into an attacked c1", "4k3/2r5/8/8/8/8/8/R3K2R w KQ - 0 1", {}, "c1", {"a1c1"}},
        {"castling out of check, nor the rook's move that leaves the check",
         "4k3/4r3/8/8/8/8/8/R3K2R w KQ - 0 1",
         {},
         "g1",
         {}},
        {"castling past an attacked b1 is allowed", "4k3/1r6/8/8/8/8/8/R3K2R w KQ - 0 1", {}, "c1", {"a1c1", "e1c1"}},
        {"Black castling through an attacked f8", "r3k2r/8/8/8/8/8/8/4KR2 b kq - 0 1", {}, "g8", {"h8g8"}},
        {"Black castling into an attacked c8", "r3k2r/8/8/8/8/8/8/2R1K3 b kq - 0 1", {}, "c8", {"a8c8"}},
        {"the h-rook went away and came back", ready, {"h1h2", "e8d8", "h2h1", "d8e8"}, "g1", {"h1g1"}},
        {"the a-rook untouched keeps its castling", ready, {"h1h2", "e8d8", "h2h1", "d8e8"}, "c1", {"a1c1", "e1c1"}},
        {"the king went away and came back", ready, {"e1f1", "e8d8", "f1e1", "d8e8"}, "c1", {"a1c1"}},
        {"Black's rook went away and came back",
         "r3k2r/8/8/8/8/8/8/4K3 b kq - 0 1",
         {"a8a7", "e1d1", "a7a8", "d1e1"},
         "c8",
         {"a8c8"}},
        {"en passant would uncover a rook along the rank", "8/8/8/KPp4r/8/8/8/4k3 w - c6 0 1", {}, "c6", {}},
        {"en passant with the rank closed", "8/8/8/KPp3Br/8/8/8/4k3 w - c6 0 1", {}, "c6", {"b5c6"}},
        {"Black's en passant would uncover a queen along the rank", "8/8/8/8/k2Pp2Q/8/8/3K4 b - d3 0 1", {}, "d3", {}},
        {"the double step played on the board, en passant uncovering the rank",
         "4k3/2p5/8/KP5r/8/8/8/8 b - - 0 1",
         {"c7c5"},
         "c6",
         {}},
        {"en passant along the diagonal of a pin", "4K3/8/8/2k5/3pP3/8/8/6B1 b - e3 0 1", {}, "e3", {"d4e3"}},
        {"a pawn pinned on the diagonal does not push", "4K3/8/8/2k5/3pP3/8/8/6B1 b - e3 0 1", {}, "d3", {}},
        {"en passant takes the checking pawn", "8/8/8/2k5/3Pp3/8/8/4K3 b - d3 0 1", {}, "d3", {"e4d3"}},
        {"a pinned knight stays", "4k3/4r3/8/8/8/8/4N3/4K3 w - - 0 1", {}, "c3", {}},
        {"a pinned rook moves along the pin", "4k3/4r3/8/8/8/8/4R3/4K3 w - - 0 1", {}, "e5", {"e2e5"}},
        {"a pinned rook takes its pinner", "4k3/4r3/8/8/8/8/4R3/4K3 w - - 0 1", {}, "e7", {"e2e7"}},
        {"a pinned rook does not leave the file, the king may",
         "4k3/4r3/8/8/8/8/4R3/4K3 w - - 0 1",
         {},
         "d2",
         {"e1d2"}},
        {"a pawn pinned on the diagonal takes the bishop", "4k3/8/8/8/8/2b5/3P4/4K3 w - - 0 1", {}, "c3", {"d2c3"}},
        {"a pawn pinned on the diagonal does not step off it", "4k3/8/8/8/8/2b5/3P4/4K3 w - - 0 1", {}, "d4", {}},
        {"a king steps into a pawn's attack", "4k3/8/8/8/8/3p4/8/4K3 w - - 0 1", {}, "e2", {}},
        {"a king steps beside the pawn's attack", "4k3/8/8/8/8/3p4/8/4K3 w - - 0 1", {}, "d2", {"e1d2"}},
        {"a king steps along the checking rook's line", "4k3/8/8/8/8/8/8/r3K3 w - - 0 1", {}, "f1", {}},
        {"a king steps out of the line", "4k3/8/8/8/8/8/8/r3K3 w - - 0 1", {}, "f2", {"e1f2"}},
        {"in check a knight blocks; the king may not step along the line",
         "4k3/8/8/8/1b6/8/8/RN2K3 w - - 0 1",
         {},
         "d2",
         {"b1d2"}},
        {"in check, a rook move that ignores the check is out", "4k3/8/8/8/1b6/8/8/RN2K3 w - - 0 1", {}, "a3", {}},
        {"double check: no block", "4k3/8/8/8/1b6/8/8/RN2K2r w - - 0 1", {}, "d2", {}},
        {"double check: the king steps away", "4k3/8/8/8/1b6/8/8/RN2K2r w - - 0 1", {}, "e2", {"e1e2"}},
        {"promotions queen, knight, bishop, rook",
         "1r2k3/P7/8/8/8/8/8/4K3 w - - 0 1",
         {},
         "b8",
         {"a7b8q", "a7b8n", "a7b8b", "a7b8r"}},
        {"knights, king and rook onto one square, in board order",
         "4k3/3R4/8/8/8/5N2/8/1N2K3 w - - 0 1",
         {},
         "d2",
         {"b1d2", "e1d2", "f3d2", "d7d2"}},
        {"an own piece's square has no moves", "4k3/8/8/8/8/8/8/4KR2 w - - 0 1", {}, "f1", {}},
    };
    for (const SquareRow& row : rows) {
        SCOPED_TRACE(row.Name);
        Position pos;
        ASSERT_TRUE(LoadFen(pos, row.Fen));
        for (const std::string_view move : row.Before) ASSERT_TRUE(PlayLine(pos, {move}));
        const int count = pos.GenerateMovesTo(Sq(row.Square));
        std::vector<std::string> got;
        for (const MoveRecord& r : ListAtDepth(pos)) got.push_back(Text(r));
        EXPECT_EQ(got, row.Expected);
        EXPECT_EQ(count, static_cast<int>(row.Expected.size()));
        EXPECT_EQ(CompareWithFullList(pos), "");
    }
}

TEST(MovesToOneSquare, AMoveOfTheListIsMadeAndTakenBackLikeAnyOther) {
    // The list sits at the current depth, here depth 1 after e2-e4 was made
    // in the tree: the reply d7-d5 is made from it, and en passant follows.
    Position pos;
    ASSERT_TRUE(enginetest::MakeMove(pos, "e2e4"));
    ASSERT_TRUE(enginetest::MakeMove(pos, "a7a6"));
    ASSERT_TRUE(enginetest::MakeMove(pos, "e4e5"));
    const Position before = pos;
    ASSERT_EQ(pos.GenerateMovesTo(Sq("d5")), 1);
    const int slot = pos.DepthStart[At(pos.TreeDepth)];
    EXPECT_EQ(pos.MoveList[At(slot)], enginetest::Rec(Sq("d7"), Sq("d5"), 0, 0, 0, Sq("d6")));
    pos.PerformMove(slot);
    EXPECT_EQ(pos.EpTarget[At(pos.TreeDepth)], Sq("d6"));
    ASSERT_EQ(pos.GenerateMovesTo(Sq("d6")), 1);
    EXPECT_EQ(pos.DepthStart[At(pos.TreeDepth)], before.DepthStart[At(before.TreeDepth)] + 1);
    EXPECT_EQ(pos.MoveList[At(pos.DepthStart[At(pos.TreeDepth)])],
              enginetest::Rec(Sq("e5"), Sq("d6"), 1, 0, 0, Sq("d5")));
    pos.TakeBackMove(slot);
    EXPECT_EQ(StateDifference(pos, before, StateScope::Restored), "");
}

// The check after each legal move of pos, as CheckAfterMove finds it from
// the squares the move changed, held against the attack test of the king;
// the moves onto each square given that answer must be the ones found
// without it. Returns the first disagreement, "" when there is none.
std::string CompareCheckAfterMoves(Position& pos) {
    std::string problem;
    pos.GenerateMoves(1);
    const auto d = At(pos.TreeDepth);
    const int first = pos.DepthStart[d];
    const int last = pos.DepthStart[d + 1];
    for (int i = first; i < last && problem.empty(); ++i) {
        const MoveRecord played = pos.MoveList[At(i)];
        pos.PerformMove(i);
        const KingCheck expected = pos.InCheck() ? KingCheck::Yes : KingCheck::No;
        const KingCheck got = pos.CheckAfterMove(played);
        if (got != expected) {
            problem = "after " + Text(played) + " the check is " + (got == KingCheck::Yes ? "yes" : "not yes") +
                      ", the attack test says " + (expected == KingCheck::Yes ? "yes" : "no");
        } else {
            // The reply lists onto every square, with the answer given and without.
            for (int dest = 21; dest <= 98 && problem.empty(); ++dest) {
                if (!IsPlayingSquare(dest)) continue;
                pos.GenerateMovesTo(dest);
                const std::vector<MoveRecord> plain = ListAtDepth(pos);
                pos.GenerateMovesTo(dest, 0, got);
                if (ListAtDepth(pos) != plain)
                    problem = "after " + Text(played) + " the replies onto " + std::to_string(dest) +
                              " differ with the check given";
            }
        }
        pos.TakeBackMove(i);
    }
    return problem;
}

// Positions where a move gives check in the ways that do not show on the
// square it lands on: discovered along each kind of line, by the rook of
// castling, by en passant opening a rank or a diagonal, by promotion.
constexpr std::array<const char*, 8> CheckingPositions = {
    "5k2/8/8/8/8/8/8/4K2R w K - 0 1",      // O-O: the rook on f1 gives check
    "4k2r/8/8/8/8/8/8/5K2 b k - 0 1",      // O-O for Black: the rook on f8
    "8/8/8/8/8/8/8/R3K2k w Q - 0 1",       // O-O-O: the rook on d1 along the rank
    "8/8/8/k2pP2R/8/8/8/4K3 w - d6 0 1",   // exd6 e.p. opens the fifth rank
    "8/1k6/8/3pP3/8/8/8/4K2B w - d6 0 1",  // exd6 e.p. opens the long diagonal
    "4k3/8/4N3/8/8/8/8/4R1K1 w - - 0 1",   // the knight steps off the e-file
    "k7/8/8/3N4/8/8/8/4K2Q w - - 0 1",     // the knight leaves the long diagonal
    "8/1P6/2k5/8/8/8/8/4K3 w - - 0 1",     // b8=N gives check, the other promotions do not
};

TEST(CheckAfterMove, AgreesWithTheAttackTestOnTrickyPositions) {
    for (const char* fen : TrickyPositions) {
        SCOPED_TRACE(fen);
        Position pos;
        ASSERT_TRUE(LoadFen(pos, fen));
        EXPECT_EQ(CompareCheckAfterMoves(pos), "");
    }
    for (const char* fen : CheckingPositions) {
        SCOPED_TRACE(fen);
        Position pos;
        ASSERT_TRUE(LoadFen(pos, fen));
        EXPECT_EQ(CompareCheckAfterMoves(pos), "");
    }
}

TEST(CheckAfterMove, AgreesWithTheAttackTestOnThePerftFiles) {
    for (const char* relative : {"perft/tricky.perft", "perft/random.perft"}) {
        SCOPED_TRACE(relative);
        const auto path = testsupport::SharedDataFile(relative);
        if (!testsupport::SharedDataPresent(path)) GTEST_SKIP() << testsupport::SharedDataMissing(path);
        const testsupport::PerftFile file = testsupport::ReadPerftFile(path.string());
        ASSERT_TRUE(file.Problems.empty()) << file.Problems.front();
        const InvariantChecksPaused paused;
        long compared = 0;
        const std::size_t every = static_cast<std::size_t>(4 * testsupport::SlowBuildSample);
        for (std::size_t i = 0; i < file.Positions.size(); i += every) {
            Position pos;
            if (pos.ReadFen(file.Positions[i].Fen)) continue;
            ++compared;
            const std::string problem = CompareCheckAfterMoves(pos);
            if (!problem.empty()) {
                ADD_FAILURE() << file.Positions[i].Id << " (" << file.Positions[i].Fen << "): " << problem;
                break;
            }
        }
        EXPECT_GT(compared, 0);
    }
}

}  // namespace
}  // namespace orvane
