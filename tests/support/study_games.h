// Study-style games: what a user who annotates games keeps, and what the
// shared master collections hardly have. Comments before the first move and
// after moves, of several lines, with quotes, brackets and text beyond ASCII;
// games set up from a position with either side to move, with and without
// castling rights, with an en passant capture as the first move.
//
// Some are written out here; the others are made from real games of a
// collection: each one started from the position after a few of its plies
// and annotated, written in the program's PGN export format.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "common/encoding.h"
#include "engine/position.h"
#include "notation/notation.h"
#include "pgn/collection.h"
#include "pgn/export.h"
#include "pgn/replay.h"
#include "record/gamerecord.h"

namespace orvane::testsupport {

// PGN texts of one game each, UTF-8, lines ended by LF.
inline std::vector<std::string> WrittenStudies() {
    return {
        // Comments of every kind on a game from the standard position.
        "[Event \"Study \\\"Open games\\\"\"]\n[Site \"Z\xC3\xBCrich\"]\n[Date \"1925.??.??\"]\n[Round \"1\"]\n"
        "[White \"R\xC3\xA9ti, Richard\"]\n[Black \"?\"]\n[Result \"0-1\"]\n\n"
        "{Before the first move} {a second line} 1. e4 {Best by test, \"they\" say} e5 "
        "(1... c5 2. Nf3) 2. Nf3 $1 Nc6 3. Bc4 {Italian \xE2\x80\x93 \xC2\xBD point at stake} Nd4 "
        "{[%clk 0:05] 50% of players} 4. Nxe5 Qg5 5. Nxf7 Qxg2 6. Rf1 Qxe4+ 7. Be2 Nf3# {mate; the end} 0-1\n",
        // Black to move, castling rights Kq, and an en passant capture first.
        "[Event \"Study\"]\n[SetUp \"1\"]\n[FEN \"r3k2r/ppp1pppp/8/8/3pP3/8/PPPP1PPP/R3K2R b Kq e3 0 12\"]\n\n"
        "{Black takes at once} 12... dxe3 13. dxe3 O-O-O {no king side castling for Black} 14. O-O Rd2 *\n",
        // White to move, no castling rights though kings and rooks stand at home.
        "[Event \"Study\"]\n[SetUp \"1\"]\n[FEN \"r3k2r/pppq1ppp/2n2n2/3pp3/1b2P1b1/2NP1N2/PPPBQPPP/R3K2R w - - 4 "
        "9\"]\n\n"
        "9. a3 {no castling here} Ba5 10. h3 Bh5 {neither side may castle} *\n",
        // Black to move, no rights at all, promotions and checks.
        "[Event \"Study\"]\n[SetUp \"1\"]\n[FEN \"8/1P4k1/8/8/8/8/5p2/3K4 b - - 0 50\"]\n\n"
        "50... f1=Q+ {check} 51. Kc2 Qc4+ 52. Kd2 Kf6 53. b8=N {under-promotion} *\n",
    };
}

// The first written study in Windows-1252, as older databases keep it.
inline std::string Windows1252Study() {
    std::string text;
    const bool fits = Utf8ToWindows1252(WrittenStudies().front(), text);
    EXPECT_TRUE(fits);
    return text;
}

namespace study_detail {

// The comment a derived study gives ply `ply` of game `game`, "" for none.
inline std::string CommentFor(long game, int ply) {
    if (ply == 0) return "Study of game " + std::to_string(game) + "\r\nfrom this position";
    switch ((game + ply) % 9) {
    case 1: return "A \"quiet\" move \xE2\x80\x93 but the point is \xC2\xBD of the game";
    case 3: return "first line\r\nsecond line\r\n\r\nafter an empty one";
    case 5:
        return "A long note that runs over more than one line of the export, so that it is cut at its "
               "blanks: see [Event] and 50% of the games, (and this) too.";
    case 7: return "Zwischenzug!";
    default: return {};
    }
}

}  // namespace study_detail

// Every `every`-th game of a collection (the bytes of a PGN file), started
// from the position after a few of its plies (0 to 22, so both sides start
// and castling rights and en passant targets vary) and annotated, as one
// PGN text in export format. Games that do not replay are left out.
inline std::string DerivedStudies(std::string_view collection, long every) {
    std::string text;
    pgn::ForEachGame(collection, [&](pgn::GameText& game) {
        if (game.Game % every != 0) return true;
        Position pos;
        GameRecord record;
        MoveInput input;
        record.Reset("Player");
        if (pgn::ReplayGame(game, pos, record, input).Error) return true;
        // Back to ply `from` as the window walks back.
        const int from = std::min(static_cast<int>(game.Game % 23), record.LastPly);
        for (int ply = record.LastPly; ply > from; --ply) {
            pos.MoveList[0] = record.PlayedMoves[static_cast<std::size_t>(ply)];
            pos.EpTarget[0] = record.PlayedEp[static_cast<std::size_t>(ply - 1)];
            pos.TakeBackMove(0);
            pos.TreeDepth = 0;
        }
        const FenPosition start = pos.CurrentFen(HalfMoveClock(record, 0, from), FullMoveNumber(1, 1, from));
        GameRecord study;
        study.Reset("Player");
        study.LastPly = record.LastPly - from;
        for (int ply = 0; ply <= study.LastPly; ++ply) {
            if (ply > 0)
                study.PlayedMoves[static_cast<std::size_t>(ply)] =
                    record.PlayedMoves[static_cast<std::size_t>(ply + from)];
            study.Comments[static_cast<std::size_t>(ply)] = study_detail::CommentFor(game.Game, ply);
        }
        const pgn::ExportedGame exported = pgn::ExportGame(game.Tags, start, study);
        EXPECT_FALSE(exported.Error) << "game " << game.Game;
        text += exported.Text;
        return true;
    });
    return text;
}

}  // namespace orvane::testsupport
