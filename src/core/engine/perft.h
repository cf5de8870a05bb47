// Leaf counts of the legal move tree, using the engine's own generator and
// make/unmake. Used by the perft tool, the tests and the benchmark.
#pragma once

#include <cstdint>

#include "engine/position.h"

namespace orvane {

// Number of leaf nodes at the given depth below the current position.
std::uint64_t Perft(Position& pos, int depth);

}  // namespace orvane
