// Small helpers for the engine tests: square names, FEN loading, the legal
// list at the current depth, and playing moves the way the program does.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "common/index.h"
#include "engine/position.h"

namespace orvane {

// Readable records in failure messages.
inline void PrintTo(const MoveRecord& r, std::ostream* os) {
    *os << r.Source << "-" << r.Dest;
    if (r.Captured != 0) *os << " captures " << r.Captured;
    if (r.Promotion != 0) *os << " promotes " << r.Promotion;
    if (r.CastleKind != 0) *os << " castles " << r.CastleKind;
    if (r.EpSquare != 0) *os << " ep " << r.EpSquare;
}

}  // namespace orvane

namespace orvane::enginetest {

// Square number of a lower-case name ("e4" -> 55); the tests' own reading,
// kept apart from the notation code under test elsewhere.
constexpr int Sq(std::string_view name) { return (name[1] - '1') * 10 + 20 + (name[0] - 'a') + 1; }

inline MoveRecord Rec(int source, int dest, int captured = 0, int promotion = 0, int castle = 0, int ep = 0) {
    return MoveRecord{static_cast<std::int16_t>(source),
                      static_cast<std::int16_t>(dest),
                      static_cast<std::int16_t>(captured),
                      static_cast<std::int16_t>(promotion),
                      static_cast<std::int16_t>(castle),
                      static_cast<std::int16_t>(ep),
                      0};
}

inline testing::AssertionResult LoadFen(Position& pos, std::string_view fen) {
    const ReadError err = pos.ReadFen(fen);
    if (!err) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "FEN refused (kind " << static_cast<int>(err.Kind) << ", field " << err.Field
                                       << ", character " << err.Column << "): " << fen;
}

// The records of the list at the current depth, after a fresh generation.
inline std::vector<MoveRecord> LegalMoves(Position& pos, int allMoves = 1) {
    pos.GenerateMoves(allMoves);
    const auto d = At(pos.TreeDepth);
    return {pos.MoveList.begin() + pos.DepthStart[d], pos.MoveList.begin() + pos.DepthStart[d + 1]};
}

// Slot of the move source-dest (with that promotion) in the list at the
// current depth, or -1.
inline int FindSlot(const Position& pos, int source, int dest, int promotion = 0) {
    const auto d = At(pos.TreeDepth);
    for (int i = pos.DepthStart[d]; i < pos.DepthStart[d + 1]; ++i) {
        const MoveRecord& r = pos.MoveList[At(i)];
        if (r.Source == source && r.Dest == dest && r.Promotion == promotion) return i;
    }
    return -1;
}

// Generates at the current depth and makes the move named "e2e4" (with a
// fifth letter q/n/b/r for a promotion), going one level down the tree. The
// slot made is stored in *slot when asked for, to take the move back.
inline testing::AssertionResult MakeMove(Position& pos, std::string_view move, int* slot = nullptr) {
    static constexpr std::string_view promotionLetters = "..rbnqk";
    int promotion = 0;
    if (move.size() == 5) promotion = static_cast<int>(promotionLetters.find(move[4]));
    pos.GenerateMoves(1);
    const int found = FindSlot(pos, Sq(move.substr(0, 2)), Sq(move.substr(2, 2)), promotion);
    if (found < 0) return testing::AssertionFailure() << "no legal move " << move;
    if (slot != nullptr) *slot = found;
    pos.PerformMove(found);
    return testing::AssertionSuccess();
}

// Plays moves as the program does between user inputs: each is chosen from
// the depth-0 list, made, and the tree folded back to depth 0.
inline testing::AssertionResult PlayLine(Position& pos, std::initializer_list<std::string_view> moves) {
    for (const std::string_view move : moves) {
        if (pos.TreeDepth != 0) return testing::AssertionFailure() << "not at the root before " << move;
        const testing::AssertionResult made = MakeMove(pos, move);
        if (!made) return made;
        pos.InitGameTree();
    }
    return testing::AssertionSuccess();
}

}  // namespace orvane::enginetest
