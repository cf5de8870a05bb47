// Square names: square number to lower-case name and upper-case name to number.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/position.h"
#include "notation/notation.h"

namespace orvane {
namespace {

TEST(SquareNotation, NamesAndOffBoardSquares) {
    struct Row {
        const char* Name;
        int Square;
        const char* Expected;
    };
    const std::vector<Row> rows = {
        {"a1", 21, "a1"},           {"h1", 28, "h1"},
        {"e1", 25, "e1"},           {"a2", 31, "a2"},
        {"e4", 55, "e4"},           {"a8", 91, "a8"},
        {"h8", 98, "h8"},           {"left border", 20, "--"},
        {"right border", 29, "--"}, {"right border 30", 30, "--"},
        {"zero", 0, "--"},          {"below a1", 11, "--"},
        {"above h8", 99, "--"},     {"last index", 119, "--"},
        {"negative", -5, "--"},     {"past the array", 120, "--"},
    };
    const Position pos;
    for (const Row& row : rows) EXPECT_EQ(SquareNotation(pos, row.Square), row.Expected) << row.Name;
}

TEST(SquareNumber, UpperCaseNamesOnly) {
    struct Row {
        const char* Text;
        int Expected;
    };
    const std::vector<Row> rows = {
        {"A1", 21}, {"E2", 35}, {"H1", 28}, {"H8", 98}, {"A8", 91}, {"E2E4", 35}, {"D7D8Q", 84}, {"h1", 0},  {"e2", 0},
        {"I1", 0},  {"A9", 0},  {"A0", 0},  {"@1", 0},  {"E", 0},   {"", 0},      {"1A", 0},     {" E2", 0}, {"E 2", 0},
    };
    for (const Row& row : rows) EXPECT_EQ(SquareNumber(row.Text), row.Expected) << '"' << row.Text << '"';
}

TEST(SquareNames, RoundTripForEveryPlayingSquare) {
    const Position pos;
    int playing = 0;
    for (int s = 0; s < BoardSize; ++s) {
        const std::string name = SquareNotation(pos, s);
        if (!IsPlayingSquare(s)) {
            EXPECT_EQ(name, "--") << s;
            continue;
        }
        ++playing;
        ASSERT_EQ(name.size(), 2u) << s;
        EXPECT_EQ(SquareNumber(Upper(name)), s) << name;
        EXPECT_EQ(SquareNumber(name), 0) << name;  // the lower-case name is no square to the reader
    }
    EXPECT_EQ(playing, 64);
}

TEST(CaseConversion, OnlyAsciiLettersChange) {
    EXPECT_EQ(Upper("e7e8q"), "E7E8Q");
    EXPECT_EQ(Upper("Nf3:e5 O-O"), "NF3:E5 O-O");
    EXPECT_EQ(Lower("E2E4"), "e2e4");
    EXPECT_EQ(Upper("`az{"), "`AZ{");  // neighbours of the letters stay
    EXPECT_EQ(Lower("@AZ["), "@az[");
    EXPECT_EQ(Lower("\xC3\x89"), "\xC3\x89");  // bytes beyond ASCII stay
}

}  // namespace
}  // namespace orvane
