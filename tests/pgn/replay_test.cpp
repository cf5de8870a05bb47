// The movetext reader: tokens and movetexts with the plies, comments and
// failures they give, each replayed with both the fast and the literal
// matcher; the start position, the record texts and the limits.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "common/readerror.h"
#include "pgn/collection.h"
#include "pgn/replay.h"
#include "replay_test_util.h"
#include "support/position_state.h"

namespace orvane::pgn {
namespace {

using pgntest::CommentsOf;
using pgntest::MakeGame;
using pgntest::Plies;
using pgntest::PlyComments;
using pgntest::Replay;
using pgntest::ReplayDifference;

constexpr const char* CastleFen = "r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq - 0 1";
constexpr const char* PromoFen = "3r3k/4P3/8/8/8/8/8/4K3 w - - 0 1";
constexpr const char* BlackPromoFen = "4k3/8/8/8/8/8/3p4/2R3K1 b - - 0 1";
constexpr const char* KnightsFen = "4k3/8/8/4N3/8/8/8/4K1N1 w - - 0 1";         // knights e5 and g1 reach f3
constexpr const char* RooksRankFen = "4k3/8/8/8/8/8/8/R4R1K w - - 0 1";         // rooks a1 and f1 reach d1
constexpr const char* RooksFileFen = "4k3/8/8/R7/8/8/8/R6K w - - 0 1";          // rooks a1 and a5 reach a3
constexpr const char* KnightCaptureFen = "1N5k/3p4/5N2/8/8/8/8/4K3 w - - 0 1";  // b8 and f6 take on d7
constexpr const char* BlackFirstFen = "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1";

struct MoveRow {
    const char* Name;
    const char* Fen;  // nullptr: the standard start
    std::string Movetext;
    std::string Plies;  // the plies read, also those before a failure
    PlyComments Comments = {};
    ReadErrorKind Error = ReadErrorKind::None;
    std::string ErrorText = {};  // the window's text of an illegal move
    long Column = 0;             // where the failure is, on line 1
    int Ply = 0;
};

void PrintTo(const MoveRow& row, std::ostream* os) { *os << row.Name; }

// Castling through, into and out of check; a rook that went away and came
// back; the queen side's b-square may be attacked.
constexpr const char* ThroughCheckFen = "4k3/8/b7/8/8/8/8/4K2R w K - 0 1";  // a6 bishop sees f1
constexpr const char* IntoCheckFen = "4k1r1/8/8/8/8/8/8/4K2R w K - 0 1";    // g8 rook sees g1
constexpr const char* OutOfCheckFen = "4r1k1/8/8/8/8/8/8/4K2R w K - 0 1";   // e8 rook checks
constexpr const char* QueenSideFen = "1r2k3/8/8/8/8/8/8/R3K3 w Q - 0 1";    // b8 rook sees b1 only
constexpr const char* QueenSideD1Fen = "3rk3/8/8/8/8/8/8/R3K3 w Q - 0 1";   // d8 rook sees d1

using K = ReadErrorKind;
const std::vector<MoveRow> MovetextRows = {
    // Move numbers.
    {"blanks after the dots", nullptr, "1. e4 e5 2. Nf3", "e2e4 e7e5 g1f3"},
    {"no blanks after the dots", nullptr, "1.e4 e5 2.Nf3", "e2e4 e7e5 g1f3"},
    {"Black's number after a comment", nullptr, "1. e4 {c} 1... e5 2. Nf3", "e2e4 e7e5 g1f3", {{1, "c"}}},
    {"Black's number joined to the move", nullptr, "1. e4 {c} 1...e5 2. Nf3", "e2e4 e7e5 g1f3", {{1, "c"}}},
    {"Black's number with its dots alone", nullptr, "1. e4 {c} 1. ... e5 2. Nf3", "e2e4 e7e5 g1f3", {{1, "c"}}},
    {"FEN, Black first, 1...e5", BlackFirstFen, "1...e5 2. Nf3 Nc6", "e7e5 g1f3 b8c6"},
    {"FEN, Black first, 1... e5", BlackFirstFen, "1... e5 2. Nf3 Nc6", "e7e5 g1f3 b8c6"},
    {"FEN, Black first, 1. ... e5", BlackFirstFen, "1. ... e5 2. Nf3 Nc6", "e7e5 g1f3 b8c6"},
    // Comments, variations and glyphs before and after moves.
    {"comment after White", nullptr, "1. e4 {Best by test} e5", "e2e4 e7e5", {{1, "Best by test"}}},
    {"comment before the first move", nullptr, "{Opening} 1. e4 e5", "e2e4 e7e5", {{0, "Opening"}}},
    {"comment after Black", nullptr, "1. e4 e5 {Open game} 2. Nf3", "e2e4 e7e5 g1f3", {{2, "Open game"}}},
    {"comment keeps trailing blanks", nullptr, "1. e4 e5 {  text }", "e2e4 e7e5", {{2, "text "}}},
    {"two comments, one per line", nullptr, "1. e4 {a} {b} e5", "e2e4 e7e5", {{1, "a\r\nb"}}},
    {"variation after White", nullptr, "1. e4 (1. d4 d5) e5", "e2e4 e7e5", {{1, "1. d4 d5"}}},
    {"variation after Black", nullptr, "1. e4 e5 (1... c5 2. Nf3) 2. Nf3", "e2e4 e7e5 g1f3", {{2, "1... c5 2. Nf3"}}},
    {"nested variation", nullptr, "1. e4 (1. d4 (1. c4) d5) e5", "e2e4 e7e5", {{1, "1. d4 (1. c4) d5"}}},
    {"a ) in a comment of a variation",
     nullptr,
     "1. e4 (1. d4 {see :) here} d5) e5",
     "e2e4 e7e5",
     {{1, "1. d4 {see :) here} d5"}}},
    {"comment, variation, comment", nullptr, "1. e4 {a} (1. d4) {b} e5", "e2e4 e7e5", {{1, "a\r\n1. d4\r\nb"}}},
    {"glyph after White: the position before", nullptr, "1. e4 $1 e5", "e2e4 e7e5", {{0, "good move"}}},
    {"glyph after Black", nullptr, "1. e4 e5 $2 2. Nf3", "e2e4 e7e5 g1f3", {{2, "poor move"}}},
    {"glyph and comment after Black", nullptr, "1. e4 e5 $2 {x} 2. Nf3", "e2e4 e7e5 g1f3", {{2, "poor move\r\nx"}}},
    {"comment and glyph after White", nullptr, "1. e4 {c} $1 e5", "e2e4 e7e5", {{1, "c\r\ngood move"}}},
    {"movetext ends in a glyph after a comment", nullptr, "1. e4 {c} $3", "e2e4", {{1, "c\r\nvery good move"}}},
    {"unknown glyph: an empty line", nullptr, "1. e4 {a} $200 e5", "e2e4 e7e5", {{1, "a\r\n"}}},
    {"glyphs inside a variation", nullptr, "1. e4 (1. d4 $2 d5) e5", "e2e4 e7e5", {{1, "1. d4 poor move  d5"}}},
    {"glyph ending a variation", nullptr, "1. e4 (1. d4 $1) e5", "e2e4 e7e5", {{1, "1. d4 good move "}}},
    {"null move Z0 after a comment", nullptr, "1. e4 {c} Z0 e5", "e2e4 e7e5", {{1, "c"}}},
    // Results wherever they stand.
    {"results between moves", nullptr, "1. e4 1-0 e5 0-1 2. Nf3 1/2-1/2 Nc6 * 3. Bb5", "e2e4 e7e5 g1f3 b8c6 f1b5"},
    {"* after a comment", nullptr, "1. e4 e5 { text } *", "e2e4 e7e5", {{2, "text "}}},
    {"* after a variation", nullptr, "1. e4! (1. d4? { ... }) *", "e2e4", {{1, "1. d4? { ... }"}}},
    {"result after a variation", nullptr, "1. e4 e5 (1... c5) 1-0", "e2e4 e7e5", {{2, "1... c5"}}},
    // Suffixes.
    {"every suffix", nullptr, "1. e4! e5? 2. Bc4!! Nc6?? 3. Qh5!? Nf6?! 4. Qxf7#",
     "e2e4 e7e5 f1c4 b8c6 d1h5 g8f6 h5f7"},
    {"check and two marks", nullptr, "1. e4 e5 2. Bc4 Nc6 3. Qh5 Nf6 4. Qxf7+??", "e2e4 e7e5 f1c4 b8c6 d1h5 g8f6 h5f7"},
    {"check and !?", nullptr, "1. e4 e5 2. Bc4 Nc6 3. Qh5 Nf6 4. Qxf7+!?", "e2e4 e7e5 f1c4 b8c6 d1h5 g8f6 h5f7"},
    // Disambiguation.
    {"Nbd7", nullptr, "1. d4 d5 2. Nf3 Nf6 3. e3 Nbd7", "d2d4 d7d5 g1f3 g8f6 e2e3 b8d7"},
    {"Nfd7", nullptr, "1. d4 d5 2. Nf3 Nf6 3. e3 Nfd7", "d2d4 d7d5 g1f3 g8f6 e2e3 f6d7"},
    {"Nf3: the first in generation order", KnightsFen, "1. Nf3", "g1f3"},
    {"N1f3", KnightsFen, "1. N1f3", "g1f3"},
    {"N5f3", KnightsFen, "1. N5f3", "e5f3"},
    {"Nef3", KnightsFen, "1. Nef3", "e5f3"},
    {"Rd1: the first in generation order", RooksRankFen, "1. Rd1", "a1d1"},
    {"Rad1", RooksRankFen, "1. Rad1", "a1d1"},
    {"Rfd1", RooksRankFen, "1. Rfd1", "f1d1"},
    {"R1a3", RooksFileFen, "1. R1a3", "a1a3"},
    {"R5a3", RooksFileFen, "1. R5a3", "a5a3"},
    {"Nbxd7", KnightCaptureFen, "1. Nbxd7", "b8d7"},
    {"Nfxd7", KnightCaptureFen, "1. Nfxd7", "f6d7"},
    // Castling.
    {"O-O both sides", CastleFen, "1. O-O O-O", "e1g1 e8g8"},
    {"0-0 both sides", CastleFen, "1. 0-0 0-0", "e1g1 e8g8"},
    {"O-O-O both sides", CastleFen, "1. O-O-O O-O-O", "e1c1 e8c8"},
    {"0-0-0 both sides", CastleFen, "1. 0-0-0 0-0-0", "e1c1 e8c8"},
    {"castling in a game", nullptr, "1. e4 e5 2. Nf3 Nf6 3. Bc4 Bc5 4. O-O O-O",
     "e2e4 e7e5 g1f3 g8f6 f1c4 f8c5 e1g1 e8g8"},
    // Promotions and en passant.
    {"e8=Q", PromoFen, "1. e8=Q", "e7e8q"},
    {"e8Q", PromoFen, "1. e8Q", "e7e8q"},
    {"e8=N", PromoFen, "1. e8=N", "e7e8n"},
    {"exd8=Q", PromoFen, "1. exd8=Q", "e7d8q"},
    {"exd8Q", PromoFen, "1. exd8Q", "e7d8q"},
    {"exd8=R", PromoFen, "1. exd8=R+", "e7d8r"},
    {"e8 without its letter", PromoFen, "1. e8", "", {}, K::IllegalMove, "E7E8: Illegal move!", 4, 1},
    {"exd8 without its letter", PromoFen, "1. exd8", "", {}, K::IllegalMove, "E7D8: Illegal move!", 4, 1},
    {"Black dxc1=N", BlackPromoFen, "1... dxc1=N", "d2c1n"},
    {"Black d1=B", BlackPromoFen, "1... d1=B", "d2d1b"},
    {"Black d1 without its letter", BlackPromoFen, "1... d1", "", {}, K::IllegalMove, "D2D1: Illegal move!", 6, 1},
    {"en passant", nullptr, "1. e4 a6 2. e5 d5 3. exd6", "e2e4 a7a6 e4e5 d7d5 e5d6"},
    // Other forms.
    {"coordinate moves through the fallback text", nullptr, "e2e4 e7e5 g1f3 b8c6", "e2e4 e7e5 g1f3 b8c6"},
    {"coordinate moves with numbers", nullptr, "1. e2e4 e7e5 2. Ng1f3", "e2e4 e7e5 g1f3"},
    {"empty movetext", nullptr, "", ""},
    // Failures and their places.
    {"no knight reaches f6", nullptr, "1. e4 e5 2. Nf6", "e2e4 e7e5", {}, K::IllegalMove, "F6: Illegal move!", 13, 3},
    {"castling after the king moved",
     nullptr,
     "1. e4 e5 2. Ke2 Ke7 3. Ke1 Ke8 4. Nf3 Nf6 5. Bc4 Bc5 6. O-O",
     "e2e4 e7e5 e1e2 e8e7 e2e1 e7e8 g1f3 g8f6 f1c4 f8c5",
     {},
     K::IllegalMove,
     "O-O: Illegal move!",
     57,
     11},
    {"an x on a quiet move is not checked", nullptr, "1. Nxf3", "g1f3"},
    {"a bishop where none can go",
     nullptr,
     "1. e4 e5 2. Bxf7",
     "e2e4 e7e5",
     {},
     K::IllegalMove,
     "BXF7: Illegal move!",
     13,
     3},
    {"a word that is no move", nullptr, "1. e4 hello", "e2e4", {}, K::IllegalMove, "HELLO: Illegal move!", 7, 2},
    {"{ without }", nullptr, "1. e4 {oops e5", "e2e4", {}, K::UnclosedComment, "", 7, 2},
    {"( without )", nullptr, "1. e4 (1. d4 e5", "e2e4", {}, K::UnclosedVariation, "", 7, 2},
    {"{ without } in a variation", nullptr, "1. e4 (1. d4 {x) e5", "e2e4", {}, K::UnclosedComment, "", 14, 2},
    {"glyph beyond the 16-bit range",
     nullptr,
     "1. e4 e5 $40000 2. Nf3",
     "e2e4 e7e5",
     {},
     K::GlyphOutOfRange,
     "",
     10,
     3},
    {"glyph beyond the range in a variation",
     nullptr,
     "1. e4 (1. d4 $99999) e5",
     "e2e4",
     {},
     K::GlyphOutOfRange,
     "",
     14,
     2},
    {"null move then a move number",
     nullptr,
     "1. e4 Z0 2. Nf3",
     "e2e4",
     {},
     K::IllegalMove,
     "2.: Illegal move!",
     10,
     2},
    // Glyph numbers at the edge of the 16-bit range.
    {"glyph 32767", nullptr, "1. e4 e5 $32767 2. Nf3", "e2e4 e7e5 g1f3"},
    {"glyph 32768", nullptr, "1. e4 e5 $32768 2. Nf3", "e2e4 e7e5", {}, K::GlyphOutOfRange, "", 10, 3},
    {"glyph -32768", nullptr, "1. e4 e5 $-32768 2. Nf3", "e2e4 e7e5 g1f3"},
    {"glyph -32769", nullptr, "1. e4 e5 $-32769 2. Nf3", "e2e4 e7e5", {}, K::GlyphOutOfRange, "", 10, 3},
    // Castling and check.
    {"castling through check", ThroughCheckFen, "1. O-O", "", {}, K::IllegalMove, "O-O: Illegal move!", 4, 1},
    {"castling into check", IntoCheckFen, "1. O-O", "", {}, K::IllegalMove, "O-O: Illegal move!", 4, 1},
    {"castling out of check", OutOfCheckFen, "1. O-O", "", {}, K::IllegalMove, "O-O: Illegal move!", 4, 1},
    {"castling past an attacked b-square", QueenSideFen, "1. O-O-O", "e1c1"},
    {"castling through an attacked d-square",
     QueenSideD1Fen,
     "1. O-O-O",
     "",
     {},
     K::IllegalMove,
     "O-O-O: Illegal move!",
     4,
     1},
    {"castling after the rook went away and came back",
     "4k3/8/8/8/8/8/8/4K2R w K - 0 1",
     "1. Rg1 Kd7 2. Rh1 Ke8 3. O-O",
     "h1g1 e8d7 g1h1 d7e8",
     {},
     K::IllegalMove,
     "O-O: Illegal move!",
     26,
     5},
};

class Movetexts : public ::testing::TestWithParam<MoveRow> {};

TEST_P(Movetexts, GiveTheirPliesCommentsAndFailures) {
    const MoveRow& row = GetParam();
    const GameText game = MakeGame(row.Movetext, row.Fen);
    const auto fast = Replay(game, MoveMatcher::Fast);
    const auto literal = Replay(game, MoveMatcher::Literal);
    EXPECT_EQ(ReplayDifference(*fast, *literal), "");
    EXPECT_EQ(Plies(fast->Record), row.Plies);
    const ReadError& e = fast->Info.Error;
    EXPECT_EQ(e.Kind, row.Error) << e.Text;
    if (row.Error == ReadErrorKind::None) {
        EXPECT_EQ(CommentsOf(fast->Record), row.Comments);
        return;
    }
    EXPECT_EQ(e.Text, row.ErrorText);
    EXPECT_EQ(e.Line, 1);
    EXPECT_EQ(e.Column, row.Column);
    EXPECT_EQ(e.Ply, row.Ply);
    EXPECT_EQ(e.Game, 1);
}

INSTANTIATE_TEST_SUITE_P(Replay, Movetexts, ::testing::ValuesIn(MovetextRows),
                         [](const ::testing::TestParamInfo<MoveRow>& row) {
                             std::string name;
                             for (const char* c = row.param.Name; *c != '\0'; ++c) {
                                 if ((*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9'))
                                     name += *c;
                                 else if (*c == '-')
                                     name += "minus";
                             }
                             return name + "_" + std::to_string(row.index);
                         });

TEST(Replay, RecordTextsAndMoveInput) {
    const GameText game = MakeGame("1. e4 a6 2. e5 d5 3. exd6 Nf6 4. Nf3 e6 5. Be2 Be7 6. O-O");
    for (const MoveMatcher matcher : {MoveMatcher::Fast, MoveMatcher::Literal}) {
        auto r = std::make_unique<pgntest::Replayed>();
        r->Input.CaptureChar = ":";
        r->Info = ReplayGame(game, r->Pos, r->Record, r->Input, {matcher, {}});
        ASSERT_FALSE(r->Info.Error) << r->Info.Error.Text;
        const GameRecord& rec = r->Record;
        EXPECT_EQ(rec.LastPly, 11);
        EXPECT_EQ(rec.RecordText(1), " e2e4  e2-e4");
        EXPECT_EQ(rec.RecordText(5), " e5d6  e5:d6");
        EXPECT_EQ(rec.RecordText(7), "Ng1f3 Ng1-f3");
        EXPECT_EQ(rec.RecordText(11), "Ke1g1 Ke1-g1");
        EXPECT_EQ(RecordedDisplayText(rec, 5), " e5:d6");
        EXPECT_EQ(RecordedDisplayText(rec, 11), "Ke1-g1");
        EXPECT_EQ(rec.PlayedEp[1], 45);  // e2-e4 passed e3
        EXPECT_EQ(rec.PlayedEp[4], 74);  // d7-d5 passed d6
        EXPECT_EQ(rec.PlayedEp[5], 0);
        EXPECT_EQ(rec.PlayedMoves[5], (MoveRecord{65, 74, 1, 0, 0, 64, 0}));
        EXPECT_EQ(rec.PlayedMoves[11], (MoveRecord{25, 27, 0, 0, 1, 0, 0}));
        EXPECT_EQ(rec.PlayedMoves[12].Source, 0);
        EXPECT_EQ(r->Input.MoveText, "Ke1-g1");
        EXPECT_EQ(r->Info.GameHasMoves, 1);
        EXPECT_EQ(rec.HasComments, 0);
        EXPECT_EQ(r->Pos.TreeDepth, 0);
        EXPECT_EQ(r->Pos.CurrentPly, 11);
    }
    const auto promo = Replay(MakeGame("1. exd8=N", PromoFen), MoveMatcher::Fast);
    EXPECT_EQ(promo->Record.RecordText(1), " e7d8n  e7xd8N");
    EXPECT_EQ(promo->Input.MoveText, " e7xd8N");
    EXPECT_EQ(promo->Record.PlayedMoves[1], (MoveRecord{85, 94, 2, 4, 0, 0, 0}));
}

TEST(Replay, StartPositionAndNumbering) {
    // A set-up game with Black to move: numbered on from the full-move field.
    const auto black =
        Replay(MakeGame("12... e5 13. Nf3", "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 12"),
               MoveMatcher::Fast);
    ASSERT_FALSE(black->Info.Error) << black->Info.Error.Text;
    EXPECT_TRUE(black->Info.FenRead);
    EXPECT_EQ(black->Info.FenSideToMove, -1);
    EXPECT_EQ(black->Info.FenMoveNumber, "12");
    EXPECT_EQ(GamePlyNumber(black->Info, 1), 24);
    EXPECT_EQ(GamePlyNumber(black->Info, 2), 25);
    EXPECT_EQ(black->Pos.BlackStarts, 0);
    EXPECT_EQ(black->Pos.StartBoard[55], Pawn);
    EXPECT_EQ(Plies(black->Record), "e7e5 g1f3");

    // A SetUp tag other than "1": no FEN is read, plies count from 1.
    const auto notSet = Replay(MakeGame("1. e4 e5", "8/8/8/8/8/8/8/K6k w - - 0 40", "0"), MoveMatcher::Fast);
    ASSERT_FALSE(notSet->Info.Error);
    EXPECT_FALSE(notSet->Info.FenRead);
    EXPECT_EQ(GamePlyNumber(notSet->Info, 1), 1);
    EXPECT_EQ(GamePlyNumber(notSet->Info, 2), 2);
    EXPECT_EQ(Plies(notSet->Record), "e2e4 e7e5");

    // A FEN without its move fields numbers its first move 1.
    const auto short1 = Replay(MakeGame("1. O-O", "4k3/8/8/8/8/8/8/4K2R w K -"), MoveMatcher::Fast);
    ASSERT_FALSE(short1->Info.Error);
    EXPECT_EQ(short1->Info.FenMoveNumber, "");
    EXPECT_EQ(GamePlyNumber(short1->Info, 1), 1);
    EXPECT_EQ(Plies(short1->Record), "e1g1");
    const auto short2 = Replay(MakeGame("1... Kd8", "4k3/8/8/8/8/8/8/4K2R b K"), MoveMatcher::Fast);
    ASSERT_FALSE(short2->Info.Error);
    EXPECT_EQ(GamePlyNumber(short2->Info, 1), 2);

    // A FEN the engine refuses is a load error that names the fault.
    const auto bad =
        Replay(MakeGame("1. e4", "rnbqkbnr/pppppppp/9/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"), MoveMatcher::Fast);
    EXPECT_EQ(bad->Info.Error.Kind, ReadErrorKind::BadFen);
    EXPECT_EQ(bad->Info.Error.Game, 1);
    EXPECT_NE(bad->Info.Error.Detail.find("field 1"), std::string::npos) << bad->Info.Error.Detail;
    EXPECT_EQ(bad->Record.LastPly, 0);
}

// Knight moves out and back: 4 plies a cycle, any number of plies.
std::string KnightShuffle(int plies) {
    static const char* const moves[] = {"Nf3", "Nf6", "Ng1", "Ng8"};
    std::string text;
    for (int ply = 1; ply <= plies; ++ply) {
        if (ply % 2 == 1) text += std::to_string((ply + 1) / 2) + ". ";
        text += moves[(ply - 1) % 4];
        text += ' ';
    }
    return text;
}

TEST(Replay, NoSixteenBitLimits) {
    const std::string longComment(40000, 'c');
    std::string longVariation = "1. d4 ";
    while (longVariation.size() < 40000) longVariation += "(1. c4 {a (b) c}) ";
    const std::string text = KnightShuffle(4) + "{" + longComment + "} (" + longVariation + ") " + KnightShuffle(995);
    const auto r = Replay(MakeGame(text), MoveMatcher::Fast);
    ASSERT_FALSE(r->Info.Error) << r->Info.Error.Text << " column " << r->Info.Error.Column;
    EXPECT_EQ(r->Record.LastPly, 4 + 995);
    EXPECT_EQ(r->Record.Comments[4], longComment + "\r\n" + longVariation);
    EXPECT_EQ(r->Record.HasComments, 1);
}

TEST(Replay, RecordHoldsAtMost999Plies) {
    const auto full = Replay(MakeGame(KnightShuffle(999)), MoveMatcher::Fast);
    ASSERT_FALSE(full->Info.Error) << full->Info.Error.Text;
    EXPECT_EQ(full->Record.LastPly, 999);
    for (const MoveMatcher matcher : {MoveMatcher::Fast, MoveMatcher::Literal}) {
        const auto over = Replay(MakeGame(KnightShuffle(1000)), matcher);
        EXPECT_EQ(over->Info.Error.Kind, ReadErrorKind::RecordFull);
        EXPECT_EQ(over->Info.Error.Ply, 1000);
        EXPECT_EQ(over->Info.Error.Token, "Ng8");
        EXPECT_EQ(over->Record.LastPly, 999);
    }
}

TEST(Replay, GameEndAndFinalMoveList) {
    const auto mate = Replay(MakeGame("1. f3 e5 2. g4 Qh4# 0-1"), MoveMatcher::Fast);
    ASSERT_FALSE(mate->Info.Error);
    EXPECT_EQ(mate->Info.GameOver, 1);
    EXPECT_EQ(mate->Pos.CurrentMoveCount(), 0);
    const auto stalemate = Replay(MakeGame("1. Qg6", "7k/5K2/8/8/8/8/8/6Q1 w - - 0 1"), MoveMatcher::Fast);
    EXPECT_EQ(stalemate->Info.GameOver, 1);
    // Asked with the early exit only, without the final move list.
    ReplayOptions quick;
    quick.FinalMoveList = false;
    EXPECT_EQ(Replay(MakeGame("1. f3 e5 2. g4 Qh4#"), MoveMatcher::Fast, quick)->Info.GameOver, 1);
    EXPECT_EQ(Replay(MakeGame("1. Qg6", "7k/5K2/8/8/8/8/8/6Q1 w - - 0 1"), MoveMatcher::Fast, quick)->Info.GameOver, 1);
    // Only a long move escapes the check: the early probes find nothing legal.
    EXPECT_EQ(Replay(MakeGame("1. Ra8+", "7k/6pp/8/8/8/8/1r6/R5K1 w - - 0 1"), MoveMatcher::Fast, quick)->Info.GameOver,
              0);
    EXPECT_EQ(Replay(MakeGame("1. e4 e5 2. Nf3"), MoveMatcher::Fast, quick)->Info.GameOver, 0);
    const auto going = Replay(MakeGame("1. e4 e5 2. Nf3"), MoveMatcher::Fast);
    EXPECT_EQ(going->Info.GameOver, 0);
    EXPECT_EQ(going->Pos.TreeDepth, 0);
    Position fresh = going->Pos;
    fresh.GenerateMoves(1);
    EXPECT_EQ(going->Pos.CurrentMoveCount(), fresh.CurrentMoveCount());
    EXPECT_EQ(going->Pos.CurrentMoveCount(), 29);  // Black's moves after 1. e4 e5 2. Nf3
    // No moves at all: the start's list, and no game-end test.
    const auto none = Replay(MakeGame("*"), MoveMatcher::Fast);
    EXPECT_EQ(none->Info.GameHasMoves, 0);
    EXPECT_EQ(none->Pos.CurrentMoveCount(), 20);
}

TEST(Replay, PlacesAcrossLinesAndGames) {
    const std::string file =
        "[Event \"a\"]\n[White \"W\"]\n\n1. e4 e5\n2. Nf3 Nc6\n\n"
        "[Event \"b\"]\n\n1. d4 {a comment\nover two lines} d5\n2. c4 Nf7 1-0\n";
    std::vector<ReadError> errors;
    std::vector<std::string> plies;
    const ReadError scan = ForEachGame(file, [&](GameText& game) {
        const auto r = Replay(game, MoveMatcher::Fast);
        errors.push_back(r->Info.Error);
        plies.push_back(Plies(r->Record));
        return true;
    });
    ASSERT_FALSE(scan);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_FALSE(errors[0]);
    EXPECT_EQ(plies[0], "e2e4 e7e5 g1f3 b8c6");
    EXPECT_EQ(errors[1].Kind, ReadErrorKind::IllegalMove);
    EXPECT_EQ(errors[1].Game, 2);
    EXPECT_EQ(errors[1].Line, 11);
    EXPECT_EQ(errors[1].Column, 7);
    EXPECT_EQ(errors[1].Ply, 4);
    EXPECT_EQ(errors[1].Token, "Nf7");
    EXPECT_EQ(errors[1].Text, "F7: Illegal move!");
}

TEST(Replay, EveryPlyIsHandedOut) {
    std::vector<std::string> seen;
    ReplayOptions options;
    options.AfterPly = [&](const Position& pos, const GameRecord& record, int ply) {
        EXPECT_EQ(pos.CurrentPly, ply);
        EXPECT_EQ(pos.TreeDepth, 0);
        seen.push_back(record.RecordText(ply));
    };
    const auto r = Replay(MakeGame("1. e4 e5 2. Nf3"), MoveMatcher::Fast, options);
    EXPECT_EQ(seen, (std::vector<std::string>{" e2e4  e2-e4", " e7e5  e7-e5", "Ng1f3 Ng1-f3"}));
}

TEST(PlayAndRecord, PlaysRecordsAndRefuses) {
    auto r = std::make_unique<pgntest::Replayed>();
    r->Record.Reset("Player");
    EXPECT_EQ(PlayAndRecord(r->Pos, r->Record, r->Input, "E2E4"), PlayOutcome::Played);
    EXPECT_EQ(r->Record.LastPly, 1);
    EXPECT_EQ(r->Record.RecordText(1), " e2e4  e2-e4");
    EXPECT_EQ(r->Record.PlayedEp[1], 45);
    EXPECT_EQ(r->Pos.TreeDepth, 0);
    EXPECT_EQ(r->Pos.CurrentMoveCount(), 20);
    EXPECT_EQ(PlayAndRecord(r->Pos, r->Record, r->Input, "E7E4"), PlayOutcome::Illegal);
    EXPECT_EQ(PlayAndRecord(r->Pos, r->Record, r->Input, "e7e5"), PlayOutcome::Illegal);
    EXPECT_EQ(PlayAndRecord(r->Pos, r->Record, r->Input, ""), PlayOutcome::Illegal);
    EXPECT_EQ(r->Record.LastPly, 1);
    r->Pos.CurrentPly = MaxPlies;
    EXPECT_EQ(PlayAndRecord(r->Pos, r->Record, r->Input, "E7E5"), PlayOutcome::RecordFull);
}

TEST(MatchSanMove, FindsTheReadersMoveAndSaysWhenSeveralFit) {
    struct Row {
        const char* Fen;  // nullptr: the standard start
        const char* Token;
        SanMatch Result;
        const char* Move;  // the move found (the first in generation order when several fit), "" for none
    };
    constexpr const char* EnPassantFen = "4k3/8/8/2PpP3/8/8/8/4K3 w - d6 0 1";
    const Row rows[] = {
        {nullptr, "Nf3", SanMatch::Found, "g1f3"},
        {nullptr, "e4!?", SanMatch::Found, "e2e4"},
        {nullptr, "e5", SanMatch::None, ""},
        {nullptr, "Ke2", SanMatch::None, ""},
        {nullptr, "Zz9", SanMatch::Unreadable, ""},
        {nullptr, "", SanMatch::Unreadable, ""},
        {KnightsFen, "Nf3", SanMatch::Several, "g1f3"},
        {KnightsFen, "Nef3+", SanMatch::Found, "e5f3"},
        {KnightsFen, "N1f3", SanMatch::Found, "g1f3"},
        {RooksRankFen, "Rd1", SanMatch::Several, "a1d1"},
        {RooksRankFen, "Rfd1", SanMatch::Found, "f1d1"},
        {RooksFileFen, "Ra3", SanMatch::Several, "a1a3"},
        {RooksFileFen, "R5a3", SanMatch::Found, "a5a3"},
        {KnightCaptureFen, "Nxd7", SanMatch::Several, "f6d7"},
        {KnightCaptureFen, "Nbxd7", SanMatch::Found, "b8d7"},
        {CastleFen, "O-O", SanMatch::Found, "e1g1"},
        {CastleFen, "0-0-0", SanMatch::Found, "e1c1"},
        {PromoFen, "e8=Q", SanMatch::Found, "e7e8"},
        {PromoFen, "exd8=N+", SanMatch::Found, "e7d8"},
        {PromoFen, "e8", SanMatch::None, ""},  // the new piece must be named
        {BlackPromoFen, "d1=R", SanMatch::Found, "d2d1"},
        {EnPassantFen, "cxd6", SanMatch::Found, "c5d6"},
        {EnPassantFen, "d6", SanMatch::Several, "e5d6"},  // en passant from either side
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.Fen ? row.Fen : "start") + " " + row.Token);
        auto pos = std::make_unique<Position>();
        if (row.Fen != nullptr) {
            ASSERT_FALSE(pos->ReadFen(row.Fen));
        }
        const auto before = std::make_unique<Position>(*pos);
        MoveRecord found;
        EXPECT_EQ(MatchSanMove(*pos, row.Token, found), row.Result);
        if (row.Result == SanMatch::Found || row.Result == SanMatch::Several) {
            EXPECT_EQ(SquareNotation(*pos, found.Source) + SquareNotation(*pos, found.Dest), row.Move);
        }
        EXPECT_EQ(testsupport::StateDifference(*pos, *before, testsupport::StateScope::Unchanged), "");
        EXPECT_EQ(pos->CheckInvariants(), "");
    }
}

}  // namespace
}  // namespace orvane::pgn
