// Helpers of the replay tests: a game text made by hand, a replay with
// either matcher, and the record rendered as plain values to compare.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/position.h"
#include "notation/notation.h"
#include "pgn/collection.h"
#include "pgn/replay.h"
#include "record/gamerecord.h"

namespace orvane::pgntest {

// A game of one movetext line (line 1, column 1), optionally set up from a FEN.
inline pgn::GameText MakeGame(std::string movetext, const char* fen = nullptr, const char* setup = "1") {
    pgn::GameText game;
    game.Game = 1;
    game.Movetext = std::move(movetext);
    game.Lines = {{0, 1, 1}};
    if (fen != nullptr) {
        game.Tags.SetupTag = setup;
        game.Tags.FenTag = fen;
    }
    return game;
}

// Everything one replay leaves. The record is large, so it lives on the heap.
struct Replayed {
    Position Pos;
    GameRecord Record;
    MoveInput Input;
    pgn::ReplayInfo Info;
};

inline std::unique_ptr<Replayed> Replay(const pgn::GameText& game, pgn::MoveMatcher matcher,
                                        const pgn::ReplayOptions& base = {}) {
    auto r = std::make_unique<Replayed>();
    pgn::ReplayOptions options = base;
    options.Matcher = matcher;
    r->Info = pgn::ReplayGame(game, r->Pos, r->Record, r->Input, options);
    return r;
}

// The plies of the record in lower-case coordinate form, "e2e4 e7e5".
inline std::string Plies(const GameRecord& record) {
    std::string text;
    for (int ply = 1; ply <= record.LastPly; ++ply) {
        if (ply > 1) text += ' ';
        text += Lower(record.ReplayText(ply));
    }
    return text;
}

using PlyComments = std::vector<std::pair<int, std::string>>;

// The non-empty comments of plies 0 .. LastPly.
inline PlyComments CommentsOf(const GameRecord& record) {
    PlyComments comments;
    for (int ply = 0; ply <= record.LastPly; ++ply) {
        if (!record.Comments[static_cast<std::size_t>(ply)].empty())
            comments.emplace_back(ply, record.Comments[static_cast<std::size_t>(ply)]);
    }
    return comments;
}

// The FEN board and side of a position, "rnbqkbnr/... w".
inline std::string FenBoardAndSide(const Position& pos) {
    static const char order[] = {'.', 'p', 'r', 'b', 'n', 'q', 'k'};
    std::string fen;
    for (int rank = 8; rank >= 1; --rank) {
        int empty = 0;
        for (int file = 1; file <= 8; ++file) {
            const int v = pos.Board[static_cast<std::size_t>(rank * 10 + 10 + file)];
            if (v == 0) {
                ++empty;
                continue;
            }
            if (empty > 0) fen += static_cast<char>('0' + empty);
            empty = 0;
            const int type = v < 0 ? -v : v;
            const char c = order[type];
            fen += v > 0 ? static_cast<char>(c - 'a' + 'A') : c;
        }
        if (empty > 0) fen += static_cast<char>('0' + empty);
        if (rank > 1) fen += '/';
    }
    fen += pos.SideToMove == 1 ? " w" : " b";
    return fen;
}

// "" when the two replays left the same record, the same failure and the
// same final position (the move list up to its end included), else the
// first difference.
inline std::string ReplayDifference(const Replayed& a, const Replayed& b) {
    const auto& ea = a.Info.Error;
    const auto& eb = b.Info.Error;
    if (ea.Kind != eb.Kind || ea.Line != eb.Line || ea.Column != eb.Column || ea.Ply != eb.Ply ||
        ea.Token != eb.Token || ea.Text != eb.Text)
        return "failure differs: " + ea.Text + " / " + eb.Text + " at ply " + std::to_string(ea.Ply) + " / " +
               std::to_string(eb.Ply);
    if (a.Info.GameOver != b.Info.GameOver) return "GameOver differs";
    if (a.Info.GameHasMoves != b.Info.GameHasMoves) return "GameHasMoves differs";
    if (a.Record.HasComments != b.Record.HasComments) return "HasComments differs";
    if (a.Record.LastPly != b.Record.LastPly) return "LastPly differs";
    if (a.Record.GameResult != b.Record.GameResult) return "GameResult differs";
    for (int ply = 0; ply <= a.Record.LastPly; ++ply) {
        const std::size_t p = static_cast<std::size_t>(ply);
        const std::string at = " at ply " + std::to_string(ply);
        if (ply > 0 && !(a.Record.PlayedMoves[p] == b.Record.PlayedMoves[p])) return "PlayedMoves differs" + at;
        if (a.Record.PlayedEp[p] != b.Record.PlayedEp[p]) return "PlayedEp differs" + at;
        if (a.Record.Comments[p] != b.Record.Comments[p]) return "Comments differs" + at;
        if (ply > 0 && a.Record.RecordText(ply) != b.Record.RecordText(ply))
            return "record text differs" + at + ": " + a.Record.RecordText(ply) + " / " + b.Record.RecordText(ply);
    }
    const Position& p = a.Pos;
    const Position& q = b.Pos;
    if (p.Board != q.Board) return "Board differs";
    if (p.StartBoard != q.StartBoard) return "StartBoard differs";
    if (p.MoveCounts != q.MoveCounts) return "MoveCounts differs";
    if (p.SideToMove != q.SideToMove || p.WhiteKing != q.WhiteKing || p.BlackKing != q.BlackKing)
        return "side or king squares differ";
    if (p.BlackStarts != q.BlackStarts) return "BlackStarts differs";
    if (p.TreeDepth != q.TreeDepth || p.CurrentPly != q.CurrentPly) return "TreeDepth or CurrentPly differs";
    if (p.EpTarget != q.EpTarget) return "EpTarget differs";
    if (p.DepthStart[0] != q.DepthStart[0] || p.DepthStart[1] != q.DepthStart[1] || p.MoveCount != q.MoveCount)
        return "move list bounds differ";
    for (int i = 0; i < p.MoveCount; ++i)
        if (!(p.MoveList[static_cast<std::size_t>(i)] == q.MoveList[static_cast<std::size_t>(i)]))
            return "MoveList differs at slot " + std::to_string(i);
    if (a.Input.LastWasCapture != b.Input.LastWasCapture || a.Input.LastWasPromotion != b.Input.LastWasPromotion ||
        a.Input.MoveText != b.Input.MoveText)
        return "MoveInput differs: " + a.Input.MoveText + " / " + b.Input.MoveText;
    return {};
}

}  // namespace orvane::pgntest
