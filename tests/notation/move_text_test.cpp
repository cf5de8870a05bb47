// Texts shown for moves: the long algebraic text of a generated move, castling
// as O-O, the promotion menu's default, and the six-column alignment.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "common/index.h"
#include "engine/position.h"
#include "notation/notation.h"

namespace orvane {
namespace {

struct DisplayRow {
    const char* Name;
    const char* Fen;
    int Source;
    int Dest;
    int Promotion;
    const char* CaptureChar;
    const char* Expected;
};

TEST(DisplayMove, TextOfEachKindOfMove) {
    const char* start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
    const char* ruyLopez = "r1bqkbnr/pppp1ppp/2n5/1B2p3/4P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 3 3";
    const char* castling = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
    const std::vector<DisplayRow> rows = {
        {"pawn push starts with a blank", start, 35, 55, 0, "x", " e2-e4"},
        {"knight move", start, 27, 46, 0, "x", "Ng1-f3"},
        {"bishop capture", ruyLopez, 62, 73, 0, "x", "Bb5xc6"},
        {"bishop capture with colon", ruyLopez, 62, 73, 0, ":", "Bb5:c6"},
        {"knight capture with colon", "4k3/8/8/4p3/8/5N2/8/4K3 w - - 0 1", 46, 65, 0, ":", "Nf3:e5"},
        {"en passant", "rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3", 65, 74, 0, "x", " e5xd6"},
        {"castling is the king's move", castling, 25, 27, 0, "x", "Ke1-g1"},
        {"Black castles queen side", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", 95, 93, 0, "x", "Ke8-c8"},
        {"quiet promotion", "k7/4P3/8/8/8/8/8/4K3 w - - 0 1", 85, 95, Queen, "x", " e7-e8Q"},
        {"promotion capture", "r3k3/1P6/8/8/8/8/8/4K3 w - - 0 1", 82, 91, Knight, "x", " b7xa8N"},
        {"Black pawn", "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1", 83, 63, 0, "x", " c7-c5"},
        {"Black rook promotion", "4k3/8/8/8/8/8/6p1/4K2R b - - 0 1", 37, 28, Rook, "x", " g2xh1R"},
    };
    for (const DisplayRow& row : rows) {
        SCOPED_TRACE(row.Name);
        Position pos;
        ASSERT_FALSE(pos.ReadFen(row.Fen));
        pos.GenerateMoves(1);
        int slot = -1;
        for (int i = pos.DepthStart[0]; i < pos.DepthStart[1]; ++i) {
            const MoveRecord& r = pos.MoveList[At(i)];
            if (r.Source == row.Source && r.Dest == row.Dest && r.Promotion == row.Promotion) slot = i;
        }
        ASSERT_GE(slot, 0) << "move not generated";
        MoveInput in;
        in.CaptureChar = row.CaptureChar;
        DisplayMove(pos, in, slot);
        EXPECT_EQ(in.MoveText, row.Expected);
    }
}

TEST(CastleText, KingTwoSquareTextsOnly) {
    struct Row {
        const char* Text;
        const char* Expected;
    };
    const std::vector<Row> rows = {
        {"Ke1-g1", "O-O"},    {"Ke8-g8", "O-O"},    {"Ke1g1", "O-O"},     {"Ke8g8", "O-O"},
        {"Ke1-c1", "O-O-O"},  {"Ke8-c8", "O-O-O"},  {"Ke1c1", "O-O-O"},   {"Ke8c8", "O-O-O"},
        {"KE1-G1", "KE1-G1"}, {"ke1-g1", "ke1-g1"}, {"Ke1-f1", "Ke1-f1"}, {"Ke1-g1+", "Ke1-g1+"},
        {" e1-g1", " e1-g1"}, {"Ke1-g8", "Ke1-g8"}, {"Ke8-g1", "Ke8-g1"}, {"", ""},
    };
    for (const Row& row : rows) EXPECT_EQ(CastleText(row.Text), row.Expected) << '"' << row.Text << '"';
}

TEST(CastleText, FollowsDisplayMoveOfACastling) {
    Position pos;
    ASSERT_FALSE(pos.ReadFen("r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1"));
    MoveInput in;
    ASSERT_EQ(InputMove(pos, in, "E8G8"), 1);
    EXPECT_EQ(CastleText(in.MoveText), "O-O");
    ASSERT_EQ(InputMove(pos, in, "E1C1"), 1);
    EXPECT_EQ(CastleText(in.MoveText), "O-O-O");
}

struct PromotionRow {
    const char* Name;
    std::array<int, 7> PromoChoice;
    std::array<bool, 5> Enabled;  // Rook, Bishop, Knight, Queen, King
    const char* Default;
};

TEST(PromotionDefault, MenuEntriesAndDefaultLetter) {
    const std::vector<PromotionRow> rows = {
        {"values after reset", Position().PromoChoice, {true, true, true, true, false}, "Q"},
        {"only the king", {0, 0, 0, 0, 0, 0, 1}, {false, false, false, false, true}, "K"},
        {"nothing allowed", {0, 0, 0, 0, 0, 0, 0}, {false, false, false, false, false}, ""},
        {"rook and king: king never overrides", {0, 0, 1, 0, 0, 0, 1}, {true, false, false, false, true}, "R"},
        {"rook and bishop: the later entry wins", {0, 0, 1, 1, 0, 0, 0}, {true, true, false, false, false}, "B"},
        {"knight only", {0, 0, 0, 0, 1, 0, 0}, {false, false, true, false, false}, "N"},
        {"everything", {0, 0, 1, 1, 1, 1, 1}, {true, true, true, true, true}, "Q"},
        {"pawn slot ignored", {1, 1, 0, 0, 0, 0, 0}, {false, false, false, false, false}, ""},
    };
    for (const PromotionRow& row : rows) {
        SCOPED_TRACE(row.Name);
        const PromotionMenu menu = PromotionDefault(row.PromoChoice);
        EXPECT_EQ(menu.Enabled, row.Enabled);
        EXPECT_EQ(menu.Default, row.Default);
    }
}

TEST(RightAlign6, PadsOnTheLeftToSixColumns) {
    struct Row {
        const char* Text;
        const char* Expected;
    };
    const std::vector<Row> rows = {
        {"", "      "},       {"1", "     1"},      {"e4", "    e4"},       {"O-O-O", " O-O-O"},
        {"Ng1-f3", "Ng1-f3"}, {" e2-e4", " e2-e4"}, {"e7-e8Q+", "e7-e8Q+"},
    };
    for (const Row& row : rows) EXPECT_EQ(RightAlign6(row.Text), row.Expected) << '"' << row.Text << '"';
}

}  // namespace
}  // namespace orvane
