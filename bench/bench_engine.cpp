// Engine timings: perft from the start position (leaves per second), and for
// positions met in real games the time to produce one legal move list, the
// legal moves onto one square, and the answer whether any move is legal.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "engine/perft.h"
#include "engine/position.h"
#include "support/perft_file.h"
#include "support/shared_data.h"

namespace {

using orvane::Position;

// Leaves of the move tree per second, reported as items per second.
void PerftFromStart(benchmark::State& state) {
    const int depth = static_cast<int>(state.range(0));
    Position pos;
    std::uint64_t nodes = 0;
    for (auto _ : state) {
        nodes = orvane::Perft(pos, depth);
        benchmark::DoNotOptimize(nodes);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(nodes) * state.iterations());
    state.counters["leaves"] = static_cast<double>(nodes);
}
BENCHMARK(PerftFromStart)->Arg(5)->Unit(benchmark::kMillisecond);

struct PositionSet {
    std::vector<Position> Positions;
    std::string Problem;  // why the set is empty
};

// The first 500 positions of random.perft: positions reached by random play,
// each at the root with its own castling rights and en passant target.
const PositionSet& PerftFilePositions() {
    static const PositionSet set = [] {
        PositionSet s;
        const auto path = orvane::testsupport::SharedDataFile("perft/random.perft");
        if (!orvane::testsupport::SharedDataPresent(path)) {
            s.Problem = orvane::testsupport::SharedDataMissing(path);
            return s;
        }
        const orvane::testsupport::PerftFile file = orvane::testsupport::ReadPerftFile(path.string());
        for (const orvane::testsupport::PerftPosition& p : file.Positions) {
            if (s.Positions.size() == 500) break;
            Position pos;
            if (!pos.ReadFen(p.Fen)) s.Positions.push_back(pos);
        }
        if (s.Positions.empty()) s.Problem = "no readable position in " + path.string();
        return s;
    }();
    return set;
}

// Positions after 40 random legal plies from the start, played as the program
// plays them (each move from the root list, the tree folded back), so the
// move counters carry the castling rights lost on the way.
const PositionSet& PlayoutPositions() {
    static const PositionSet set = [] {
        PositionSet s;
        std::mt19937 rng(20240601u);
        for (int attempt = 0; attempt < 2000 && s.Positions.size() < 500; ++attempt) {
            Position pos;
            bool ended = false;
            for (int ply = 0; ply < 40 && !ended; ++ply) {
                pos.GenerateMoves(1);
                const int count = pos.CurrentMoveCount();
                if (count == 0) {
                    ended = true;
                    break;
                }
                pos.PerformMove(pos.DepthStart[0] + static_cast<int>(rng() % static_cast<unsigned>(count)));
                pos.InitGameTree();
            }
            if (!ended) s.Positions.push_back(pos);
        }
        return s;
    }();
    return set;
}

// Time for one legal list (GenerateMoves(1) at depth 0), cycling through the set.
void LegalList(benchmark::State& state, const PositionSet& (*source)()) {
    const PositionSet& set = source();
    if (set.Positions.empty()) {
        state.SkipWithError(set.Problem.c_str());
        return;
    }
    std::vector<Position> positions = set.Positions;  // generation writes the lists
    std::size_t next = 0;
    std::int64_t moves = 0;
    for (auto _ : state) {
        Position& pos = positions[next];
        pos.GenerateMoves(1);
        benchmark::DoNotOptimize(pos.MoveList.data());
        moves += pos.DepthStart[1];
        if (++next == positions.size()) next = 0;
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["positions"] = static_cast<double>(positions.size());
    state.counters["moves_per_list"] =
        state.iterations() == 0 ? 0.0 : static_cast<double>(moves) / static_cast<double>(state.iterations());
}
BENCHMARK_CAPTURE(LegalList, random_perft_first_500, &PerftFilePositions)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(LegalList, playouts_40_plies, &PlayoutPositions)->Unit(benchmark::kMicrosecond);

// Time for the legal moves onto one square (GenerateMovesTo at depth 0), as
// a move token asks for them: for every position of the set, each square
// some legal move goes to, in turn; of any piece, or (ofTheMovingPiece) of
// the type of the piece a move there moves, as a token names it.
void MovesToOneSquare(benchmark::State& state, const PositionSet& (*source)(), bool ofTheMovingPiece) {
    const PositionSet& set = source();
    if (set.Positions.empty()) {
        state.SkipWithError(set.Problem.c_str());
        return;
    }
    std::vector<Position> positions = set.Positions;
    struct Ask {
        std::size_t Position;
        int Dest;
        int Type;
    };
    std::vector<Ask> asks;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        Position& pos = positions[i];
        pos.GenerateMoves(1);
        std::vector<bool> seen(orvane::BoardSize * 7, false);
        for (int slot = pos.DepthStart[0]; slot < pos.DepthStart[1]; ++slot) {
            const orvane::MoveRecord& r = pos.MoveList[static_cast<std::size_t>(slot)];
            const int piece = pos.Board[static_cast<std::size_t>(r.Source)];
            const int type = ofTheMovingPiece ? (piece < 0 ? -piece : piece) : 0;
            const auto key = static_cast<std::size_t>(r.Dest * 7 + type);
            if (seen[key]) continue;
            seen[key] = true;
            asks.push_back({i, r.Dest, type});
        }
    }
    std::size_t next = 0;
    std::int64_t moves = 0;
    for (auto _ : state) {
        const Ask& ask = asks[next];
        moves += positions[ask.Position].GenerateMovesTo(ask.Dest, ask.Type);
        benchmark::DoNotOptimize(positions[ask.Position].MoveList.data());
        if (++next == asks.size()) next = 0;
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["asks"] = static_cast<double>(asks.size());
    state.counters["moves_per_ask"] =
        state.iterations() == 0 ? 0.0 : static_cast<double>(moves) / static_cast<double>(state.iterations());
}
BENCHMARK_CAPTURE(MovesToOneSquare, random_perft_first_500, &PerftFilePositions, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(MovesToOneSquare, playouts_40_plies, &PlayoutPositions, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(MovesToOneSquare, random_perft_first_500_one_piece_type, &PerftFilePositions, true)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(MovesToOneSquare, playouts_40_plies_one_piece_type, &PlayoutPositions, true)
    ->Unit(benchmark::kMicrosecond);

// Time for the answer whether any move is legal (HasLegalMove at depth 0),
// cycling through the set.
void AnyLegalMove(benchmark::State& state, const PositionSet& (*source)()) {
    const PositionSet& set = source();
    if (set.Positions.empty()) {
        state.SkipWithError(set.Problem.c_str());
        return;
    }
    std::vector<Position> positions = set.Positions;
    std::size_t next = 0;
    std::int64_t yes = 0;
    for (auto _ : state) {
        yes += positions[next].HasLegalMove() ? 1 : 0;
        if (++next == positions.size()) next = 0;
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["with_a_move"] =
        state.iterations() == 0 ? 0.0 : static_cast<double>(yes) / static_cast<double>(state.iterations());
}
BENCHMARK_CAPTURE(AnyLegalMove, random_perft_first_500, &PerftFilePositions)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(AnyLegalMove, playouts_40_plies, &PlayoutPositions)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
