// Member-by-member comparison of two positions, for tests that must show a
// position was restored exactly or left alone.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "engine/position.h"

namespace orvane::testsupport {

enum class StateScope {
    // What a move taken back must restore: Board, StartBoard, MoveCounts, the
    // king squares, SideToMove, TreeDepth, CurrentPly, and EpTarget and
    // DepthStart up to the current depth. Slots above the current depth are
    // scratch that the next move or generation overwrites.
    Restored,
    // Restored plus the members no move ever changes (BorderBoard,
    // BlackStarts, PromoChoice): a refused text move must leave all of these.
    // The move list and its counters may differ (a fresh list was generated).
    Unchanged,
    // Every member, the move list and all EpTarget and DepthStart slots included.
    Everything,
};

namespace detail {
template <typename Array>
std::string FirstArrayDifference(const char* name, const Array& a, const Array& b, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        if (!(a[i] == b[i])) return std::string(name) + "[" + std::to_string(i) + "] differs";
    }
    return {};
}

inline std::string Scalar(const char* name, int a, int b) {
    if (a == b) return {};
    return std::string(name) + ": " + std::to_string(a) + " vs " + std::to_string(b);
}
}  // namespace detail

// "" when the two boards (or counter arrays) agree, else the first square that
// differs with both values.
inline std::string BoardDifference(const char* name, const std::array<int, BoardSize>& a,
                                   const std::array<int, BoardSize>& b) {
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i])
            return std::string(name) + "[" + std::to_string(i) + "]: " + std::to_string(a[i]) + " vs " +
                   std::to_string(b[i]);
    }
    return {};
}

// "" when the two positions agree on the members of the scope, else a text
// naming the first member that differs (values of `actual` first).
inline std::string StateDifference(const Position& actual, const Position& expected, StateScope scope) {
    using detail::FirstArrayDifference;
    using detail::Scalar;
    std::string d;
    if (!(d = BoardDifference("Board", actual.Board, expected.Board)).empty()) return d;
    if (!(d = BoardDifference("StartBoard", actual.StartBoard, expected.StartBoard)).empty()) return d;
    if (!(d = BoardDifference("MoveCounts", actual.MoveCounts, expected.MoveCounts)).empty()) return d;
    if (!(d = Scalar("WhiteKing", actual.WhiteKing, expected.WhiteKing)).empty()) return d;
    if (!(d = Scalar("BlackKing", actual.BlackKing, expected.BlackKing)).empty()) return d;
    if (!(d = Scalar("SideToMove", actual.SideToMove, expected.SideToMove)).empty()) return d;
    if (!(d = Scalar("TreeDepth", actual.TreeDepth, expected.TreeDepth)).empty()) return d;
    if (!(d = Scalar("CurrentPly", actual.CurrentPly, expected.CurrentPly)).empty()) return d;

    const bool all = scope == StateScope::Everything;
    const std::size_t upTo =
        all ? actual.EpTarget.size() : static_cast<std::size_t>(expected.TreeDepth < 0 ? 0 : expected.TreeDepth) + 1;
    if (!(d = FirstArrayDifference("EpTarget", actual.EpTarget, expected.EpTarget, upTo)).empty()) return d;
    if (!(d = FirstArrayDifference("DepthStart", actual.DepthStart, expected.DepthStart, upTo)).empty()) return d;
    if (scope == StateScope::Restored) return {};

    if (!(d = BoardDifference("BorderBoard", actual.BorderBoard, expected.BorderBoard)).empty()) return d;
    if (!(d = Scalar("BlackStarts", actual.BlackStarts, expected.BlackStarts)).empty()) return d;
    if (!(d = FirstArrayDifference("PromoChoice", actual.PromoChoice, expected.PromoChoice, actual.PromoChoice.size()))
             .empty())
        return d;
    if (scope == StateScope::Unchanged) return {};

    if (!(d = Scalar("MoveCount", actual.MoveCount, expected.MoveCount)).empty()) return d;
    return FirstArrayDifference("MoveList", actual.MoveList, expected.MoveList, actual.MoveList.size());
}

}  // namespace orvane::testsupport
