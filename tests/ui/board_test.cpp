// Drawing the board: the picture in each square control, the turned board,
// the material counts beside it, and the coordinate letters and digits.
#include <ostream>

#include "uitest.h"

namespace orvane::ui::test {
namespace {

struct Picture {
    const char* name;
    int control;  // index of the square control, 0 top left
    int picture;  // position in the piece image list
};
void PrintTo(const Picture& row, std::ostream* os) { *os << row.name; }

class StartPosition : public UiTest, public ::testing::WithParamInterface<Picture> {};

TEST_P(StartPosition, ControlShowsItsPicture) {
    Start();
    EXPECT_EQ(View().squares.pictures[static_cast<std::size_t>(GetParam().control)], GetParam().picture);
}

INSTANTIATE_TEST_SUITE_P(Board, StartPosition,
                         ::testing::Values(Picture{"BlackRookOnLightA8", 0, 17}, Picture{"BlackQueenOnDarkD8", 3, 13},
                                           Picture{"BlackKingOnLightE8", 4, 5}, Picture{"BlackPawnOnDarkA7", 8, 10},
                                           Picture{"EmptyLightA6", 16, 20}, Picture{"EmptyDarkB6", 17, 19},
                                           Picture{"WhitePawnOnLightA2", 48, 31}, Picture{"WhiteRookOnDarkA1", 56, 36},
                                           Picture{"WhiteQueenOnLightD1", 59, 34}, Picture{"WhiteKingOnDarkE1", 60, 24},
                                           Picture{"WhiteBishopOnLightF1", 61, 22},
                                           Picture{"WhiteKnightOnDarkG1", 62, 27},
                                           Picture{"WhiteRookOnLightH1", 63, 37}),
                         ScenarioName());

TEST_F(UiTest, StartPositionShowsBothSidesAndTheirLabels) {
    const Screen screen = Show();
    EXPECT_EQ(screen.ranks, StartRanks());
    EXPECT_EQ(screen.caption, " Orvane 0.26 Beta");
    EXPECT_EQ(screen.status1, "White moves");
    EXPECT_EQ(screen.labels[3], "White");
    EXPECT_EQ(screen.labels[4], "Black");
    EXPECT_EQ(screen.labels[1], "Player");
    EXPECT_EQ(screen.labels[2], "Player");
    EXPECT_EQ(screen.labels[5], " 39");
    EXPECT_EQ(screen.labels[6], " 39");
    EXPECT_EQ(screen.highlighted, 1);
    EXPECT_EQ(screen.letters, "abcdefgh");
    EXPECT_EQ(screen.digits, "12345678");
    EXPECT_EQ(screen.list2.size(), 20u);
}

TEST_F(UiTest, MovedPiecesGetThePictureOfTheirNewSquare) {
    Run({"list2 \" e2-e4\"", "list2 \"Ng8-f6\""});
    const auto& pictures = View().squares.pictures;
    EXPECT_EQ(pictures[52], 20);  // e2 light, now empty
    EXPECT_EQ(pictures[36], 31);  // white pawn on light e4
    EXPECT_EQ(pictures[6], 20);   // g8 light, now empty
    EXPECT_EQ(pictures[21], 7);   // black knight on dark f6
}

TEST_F(UiTest, TurnedBoardShowsH1TopLeft) {
    Run({"menu Turn"});
    const auto& pictures = View().squares.pictures;
    EXPECT_EQ(pictures[0], 37);   // h1: white rook on a light square
    EXPECT_EQ(pictures[3], 24);   // e1: white king on a dark square
    EXPECT_EQ(pictures[59], 5);   // e8: black king on a light square
    EXPECT_EQ(pictures[60], 13);  // d8: black queen on a dark square
    EXPECT_EQ(pictures[63], 17);  // a8: black rook on a light square
    const Screen screen = Show();
    EXPECT_EQ(screen.ranks, StartRanks());
    EXPECT_EQ(screen.letters, "hgfedcba");
    EXPECT_EQ(screen.digits, "87654321");

    // The toolbar button turns it back.
    Run({"button TurnBoard"});
    EXPECT_EQ(View().squares.pictures[0], 17);
    EXPECT_EQ(Show().letters, "abcdefgh");
    EXPECT_EQ(Show().digits, "12345678");
}

TEST_F(UiTest, TurnedBoardKeepsDrawingMovesWhereTheyAre) {
    Run({"menu Turn", "list2 \" e2-e4\""});
    const Screen screen = Show();
    EXPECT_EQ(screen.ranks[4], ". . . . P . . .");
    EXPECT_EQ(screen.ranks[6], "P P P P . P P P");
    // On the turned board e4 is in row 3 from the top, column 3 from the left.
    EXPECT_EQ(View().squares.pictures[8 * 3 + 3], 31);
}

struct Material {
    const char* name;
    Lines script;
    std::string label5;
    std::string label6;
};
void PrintTo(const Material& row, std::ostream* os) { *os << row.name; }

class MaterialCounts : public UiTest, public ::testing::WithParamInterface<Material> {};

TEST_P(MaterialCounts, ShowEachSidesPiecesInWholePawns) {
    Run(GetParam().script);
    const Screen screen = Show();
    EXPECT_EQ(screen.labels[5], GetParam().label5);
    EXPECT_EQ(screen.labels[6], GetParam().label6);
}

INSTANTIATE_TEST_SUITE_P(
    BesideTheBoard, MaterialCounts,
    ::testing::Values(
        Material{"WhiteTakesAPawn", {"list2 \" e2-e4\"", "list2 \" d7-d5\"", "list2 \" e4xd5\""}, " 39", " 38"},
        Material{"BothTakeAPawn",
                 {"list2 \" e2-e4\"", "list2 \" d7-d5\"", "list2 \" e4xd5\"", "list2 \"Qd8xd5\""},
                 " 38",
                 " 38"},
        // White's queen is lost: 3970 - 900 = 3070 counts as 30.
        Material{"WhiteLosesTheQueen",
                 {"list2 \" e2-e4\"", "list2 \" e7-e5\"", "list2 \"Qd1-h5\"", "list2 \"Ng8-f6\"", "list2 \"Qh5xf7\"",
                  "list2 \"Ke8xf7\""},
                 " 30",
                 " 38"},
        // A knight is worth 325 and a bishop 310: the sums are cut to whole pawns.
        Material{"MinorPieceSwapRoundsDown",
                 {"list2 \" e2-e4\"", "list2 \" d7-d5\"", "list2 \"Bf1-b5\"", "list2 \"Bc8-d7\"", "list2 \"Bb5xd7\"",
                  "list2 \"Nb8xd7\""},
                 " 36",
                 " 36"},
        // With Black moving first the labels swap: Label5 shows Black's count.
        Material{"BlackStartsSwapsTheLabels",
                 {"button \"Switch Colors\"", "list2 \" e7-e5\"", "list2 \" d2-d4\"", "list2 \" e5xd4\""},
                 " 39",
                 " 38"},
        Material{"EmptyBoard", {"answer \"Clear Board\"", "rightclick d4"}, " 0", " 0"}),
    ScenarioName());

TEST_F(UiTest, CapitalLettersFromTheOptions) {
    EXPECT_EQ(Run({"answer \"Check5=1;OK\"", "options"}),
              Lines{"dialog Options: Check3=1 Check5=0 Check6=1 Option1(0)=1 Option1(1)=0 -> OK"});
    Screen screen = Show();
    EXPECT_EQ(screen.letters, "ABCDEFGH");
    EXPECT_EQ(screen.digits, "12345678");
    Run({"menu Turn"});
    EXPECT_EQ(Show().letters, "HGFEDCBA");
    Run({"answer \"Check5=0;OK\"", "options"});
    EXPECT_EQ(Show().letters, "hgfedcba");
}

TEST_F(UiTest, NoCoordinatesWithNotationNone) {
    Run({"menu Nonotation"});
    Screen screen = Show();
    EXPECT_EQ(screen.letters, "");
    EXPECT_EQ(screen.digits, "");
    EXPECT_TRUE(View().menu.Get("Nonotation").checked);
    // Nothing comes back with moves, turning or capitals.
    Run({"list2 \" e2-e4\"", "menu Turn", "answer \"Check5=1;OK\"", "options"});
    screen = Show();
    EXPECT_EQ(screen.letters, "");
    EXPECT_EQ(screen.digits, "");

    Run({"menu Nonotation"});
    screen = Show();
    EXPECT_EQ(screen.letters, "HGFEDCBA");
    EXPECT_EQ(screen.digits, "87654321");
    EXPECT_FALSE(View().menu.Get("Nonotation").checked);
}

TEST_F(UiTest, LargeFontLayoutDrawsTheSameBoard) {
    Start(12);
    EXPECT_TRUE(View().largeFont);
    Run({"list2 \" e2-e4\""});
    const Screen screen = Show();
    EXPECT_EQ(screen.ranks[4], ". . . . P . . .");
    EXPECT_EQ(screen.letters, "abcdefgh");
    EXPECT_EQ(screen.digits, "12345678");
    EXPECT_EQ(View().squares.pictures[60], 24);
}

}  // namespace
}  // namespace orvane::ui::test
