// Squares, piece types and list positions are ints, the tables they pick
// from are std::arrays and vectors. At() is the one conversion between them:
// it takes an int or the 16-bit squares of the move lists only (a char or an
// unsigned value is a compile error, so a piece letter cannot index a board
// by mistake), and in debug builds it
// stops on a negative value instead of wrapping it into a huge index.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>

namespace orvane {

template <typename T>
std::size_t At(T) = delete;

constexpr std::size_t At(int i) {
    assert(i >= 0 && "a negative square or index");
    return static_cast<std::size_t>(i);
}

constexpr std::size_t At(std::int16_t i) { return At(int{i}); }

}  // namespace orvane
