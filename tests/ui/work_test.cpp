// Each position's work done once: counted on a recording window, a game
// loaded, a step forward and a move made lists the legal moves at most twice
// and draws the board once. What the user sees is checked elsewhere; here
// only that the work is not done again for nothing.
#include <ostream>

#include "uitest.h"

namespace orvane::ui::test {
namespace {

struct Action {
    const char* name;
    Lines before;  // brings the window to where the action starts
    Lines action;
    long generations;  // at most
    long drawings;     // at most
};
void PrintTo(const Action& row, std::ostream* os) { *os << row.name; }

class WorkOnce : public UiTest, public ::testing::WithParamInterface<Action> {};

// A collection of many games: the one picked is far into it.
std::string Collection() {
    std::string text;
    for (int g = 1; g <= 300; ++g)
        text += "[Event \"E" + std::to_string(g) +
                "\"]\r\n\r\n1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Ba4 Nf6 5. O-O Be7 {a comment} 6. Re1 b5 *\r\n\r\n";
    return text;
}

TEST_P(WorkOnce, ListsTheMovesAtMostTwiceAndDrawsOnce) {
    const Action& row = GetParam();
    WriteFile(Home() / "games.pgn", Collection());
    Start();
    Lines before;
    for (const std::string& line : row.before) {
        std::string command = line;
        const std::size_t at = command.find("PATH");
        if (at != std::string::npos) command.replace(at, 4, (Home() / "games.pgn").string());
        before.push_back(command);
    }
    Run(before);
    const long generations = Form().Pos.Generations;
    // The board's drawing is the one thing that sets the material count.
    const long drawings = View().labels[5].captionsSet;
    Run(row.action);
    EXPECT_LE(Form().Pos.Generations - generations, row.generations);
    const long drawn = View().labels[5].captionsSet - drawings;
    EXPECT_LE(drawn, row.drawings);
    EXPECT_GE(drawn, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Ui, WorkOnce,
    ::testing::Values(
        Action{"LoadingAGame", {"answer \"PATH\"", "answer 270"}, {"menu Open1"}, 2, 1},
        Action{"ReadingItAgain",
               {"answer \"PATH\"", "answer 270", "menu Open1", "answer Yes", "answer OK"},
               {"button \"New Variant\""},
               2,
               1},
        Action{"StepForward", {"answer \"PATH\"", "answer 270", "menu Open1"}, {"button Forward"}, 2, 1},
        Action{"StepBack", {"answer \"PATH\"", "answer 270", "menu Open1", "button Last"}, {"button Back"}, 2, 1},
        Action{"MoveOnTheBoard", {}, {"drag e2 e4"}, 2, 1}, Action{"MoveFromTheList", {}, {"list2 \" e2-e4\""}, 2, 1}),
    [](const ::testing::TestParamInfo<Action>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace orvane::ui::test
