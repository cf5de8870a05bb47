#include "engine/perft.h"

namespace orvane {

std::uint64_t Perft(Position& pos, int depth) {
    if (depth <= 0) return 1;
    pos.GenerateMoves(1);
    const auto d = static_cast<std::size_t>(pos.TreeDepth);
    const int first = pos.DepthStart[d];
    const int last = pos.DepthStart[d + 1];
    if (depth == 1) return static_cast<std::uint64_t>(last - first);
    std::uint64_t nodes = 0;
    for (int i = first; i < last; ++i) {
        pos.PerformMove(i);
        nodes += Perft(pos, depth - 1);
        pos.TakeBackMove(i);
    }
    return nodes;
}

}  // namespace orvane
