// The texts of the game record: display texts, record texts, move list
// entries, the replay text of a stored ply and the book's game key.
#include <gtest/gtest.h>

#include "record/gamerecord.h"

namespace orvane {
namespace {

struct EntryRow {
    const char* name;
    int numberingPly;
    const char* display;
    const char* expected;
};

TEST(MoveListEntry, NumberFieldAndCastling) {
    const EntryRow rows[] = {
        {"first White move", 1, " e2-e4", "   1.  e2-e4"},
        {"first Black move", 2, " e7-e5", "       e7-e5"},
        {"move 9", 17, "Ng1-f3", "   9. Ng1-f3"},
        {"move 10", 19, "Ng1-f3", "  10. Ng1-f3"},
        {"move 99", 197, " a2-a3", "  99.  a2-a3"},
        {"move 100", 199, "Ng1-f3", " 100. Ng1-f3"},
        {"move 500", 999, "Bb5xc6", " 500. Bb5xc6"},
        {"White castles short", 23, "Ke1-g1", "  12.    O-O"},
        {"Black castles long", 4, "Ke8-c8", "       O-O-O"},
        {"other king move keeps its text", 1, "Ke1-e2", "   1. Ke1-e2"},
        {"promotion", 1, " e7-e8Q", "   1.  e7-e8Q"},
        {"capture with colon", 2, " e4:d5", "       e4:d5"},
    };
    for (const EntryRow& row : rows) EXPECT_EQ(MoveListEntry(row.numberingPly, row.display), row.expected) << row.name;
}

TEST(DisplayText, BuiltFromTheCoordinateText) {
    EXPECT_EQ(DisplayText(' ', "E2E4", "x", false, 0), " e2-e4");
    EXPECT_EQ(DisplayText('N', "G1F3", "x", false, 0), "Ng1-f3");
    EXPECT_EQ(DisplayText(' ', "E5D6", "x", true, 0), " e5xd6");
    EXPECT_EQ(DisplayText('B', "B5C6", ":", true, 0), "Bb5:c6");
    EXPECT_EQ(DisplayText(' ', "E7E8Q", "x", false, Queen), " e7-e8Q");
    EXPECT_EQ(DisplayText(' ', "B7A8N", "x", true, Knight), " b7xa8N");
    EXPECT_EQ(DisplayText('K', "E1G1", "x", false, 0), "Ke1-g1");
}

TEST(RecordText, TwelveCharactersFourteenForAPromotion) {
    const std::string pawn = RecordTextOf(' ', "E2E4", " e2-e4");
    EXPECT_EQ(pawn, " e2e4  e2-e4");
    EXPECT_EQ(pawn.size(), 12u);
    EXPECT_EQ(RecordTextOf('N', "G1F3", "Ng1-f3"), "Ng1f3 Ng1-f3");
    EXPECT_EQ(RecordTextOf('K', "E1G1", "Ke1-g1"), "Ke1g1 Ke1-g1");
    const std::string promotion = RecordTextOf(' ', "A7A8Q", " a7-a8Q");
    EXPECT_EQ(promotion, " a7a8q  a7-a8Q");
    EXPECT_EQ(promotion.size(), 14u);
}

TEST(GameRecord, PliesLiveInMovePairs) {
    GameRecord record;
    record.RecordText(1) = RecordTextOf(' ', "E2E4", " e2-e4");
    record.RecordText(2) = RecordTextOf(' ', "E7E5", " e7-e5");
    record.RecordText(3) = RecordTextOf('N', "G1F3", "Ng1-f3");
    EXPECT_EQ(record.MoveTexts[1].White, " e2e4  e2-e4");
    EXPECT_EQ(record.MoveTexts[1].Black, " e7e5  e7-e5");
    EXPECT_EQ(record.MoveTexts[2].White, "Ng1f3 Ng1-f3");
    EXPECT_EQ(record.GameKey(0), "");
    EXPECT_EQ(record.GameKey(1), "e2e4");
    EXPECT_EQ(record.GameKey(3), "e2e4 e7e5 g1f3");
}

TEST(GameRecord, ReplayTextCarriesOnlyItsOwnPromotionLetter) {
    GameRecord record;
    record.RecordText(1) = RecordTextOf(' ', "A2A4", " a2-a4");
    record.RecordText(2) = RecordTextOf(' ', "B2B1N", " b2-b1N");  // Black promotes
    record.RecordText(3) = RecordTextOf(' ', "A7A8Q", " a7-a8Q");
    EXPECT_EQ(record.ReplayText(1), "A2A4");
    EXPECT_EQ(record.ReplayText(2), "B2B1N");
    EXPECT_EQ(record.ReplayText(3), "A7A8Q");
}

TEST(GameRecord, ResetEmptiesCommentsAndEndMarksButKeepsTexts) {
    GameRecord record;
    record.LastPly = 3;
    record.Comments[0] = "before";
    record.Comments[1000] = "last slot";
    record.PlayedMoves[2].Source = 35;
    record.GameResult = "1-0";
    record.RecordText(1) = "kept";
    record.Reset("Player");
    EXPECT_EQ(record.LastPly, 0);
    EXPECT_EQ(record.Comments[0], "");
    EXPECT_EQ(record.Comments[1000], "");
    EXPECT_EQ(record.PlayedMoves[2].Source, 0);
    EXPECT_EQ(record.GameResult, "");
    EXPECT_EQ(record.WhiteName, "Player");
    EXPECT_EQ(record.BlackName, "Player");
    EXPECT_EQ(record.MoveTexts[1].White, "kept");
}

TEST(NumberingPly, CountsOnFromTheFen) {
    EXPECT_EQ(NumberingPly(5, "", "12", -1), 5);
    // Move 12 with Black to move: the first ply is Black's 12th move.
    EXPECT_EQ(NumberingPly(1, "1", "12", -1), 24);
    EXPECT_EQ(NumberingPly(2, "1", "12", -1), 25);
    EXPECT_EQ(NumberingPly(1, "1", "12", 1), 23);
    EXPECT_EQ(MoveListEntry(NumberingPly(2, "1", "12", -1), " e2-e4"), "  13.  e2-e4");
    // A full-move number that is no number counts as the first move.
    EXPECT_EQ(NumberingPly(1, "1", "", 1), 1);
    EXPECT_EQ(NumberingPly(1, "1", "x", -1), 2);
}

TEST(SignedText, LeadingBlankForZeroAndAbove) {
    EXPECT_EQ(SignedText(39), " 39");
    EXPECT_EQ(SignedText(0), " 0");
    EXPECT_EQ(SignedText(-3), "-3");
}

}  // namespace
}  // namespace orvane
