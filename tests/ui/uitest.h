// Scenario tests of the window's behaviour: each test runs the program over
// the recording fake window in a program folder of its own, drives it with
// the behaviour driver's commands and checks what a user would see.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "drive/driver.h"
#include "support/temp_folder.h"

namespace orvane::ui::test {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

using orvane::testing::TempFolder;

// What the driver's "show" prints, taken apart.
struct Screen {
    std::string caption;
    std::string status1;
    std::string status2;
    Lines ranks;  // rank 8 first, "r n b q k b n r"
    Lines list1;
    int list1Selected = -1;
    Lines list2;
    int list2Selected = -1;
    std::string text1;
    std::string text2;
    std::string label7;  // "" while Label7 is hidden
    bool label7Visible = false;
    bool busy = false;                  // the hourglass pointer shows
    std::array<std::string, 7> labels;  // captions of Label1..Label6 at 1..6
    int highlighted = 0;                // the label shown red, 0 none
    std::string enabled;                // "First=1 Moveback=1 MoveForward=0 Last=0 List2=1"
    std::string hints;                  // "e2(black) e4(yellow)", "" none
    std::string letters;                // coordinate letters left to right
    std::string digits;                 // rank digits bottom to top
};
Screen ParseShow(const std::string& text);

// The ranks of the standard start position, as "show" prints them.
Lines StartRanks();

// Writes bytes to a file as they are.
void WriteFile(const fs::path& path, const std::string& bytes);
// The whole file, "" when it cannot be read.
std::string ReadFile(const fs::path& path);
// Lines joined with CR LF after each.
std::string CrLf(const Lines& lines);

// Double-clicks of List2 entries, one a move: the script lines.
Lines Play(const Lines& moves);
bool Contains(const Lines& lines, const std::string& text);

// The line the fake window prints for a message box.
std::string MsgLine(const std::string& title, const std::string& icon, const std::string& text,
                    const std::string& answer = "OK");

class UiTest : public ::testing::Test {
protected:
    const fs::path& Home() const { return folder_.Path(); }

    // Starts the program over the test's folder; files it should find at
    // start-up must be written before. Run starts it when needed. A screen
    // of 12 twips per pixel gets the large-font layout.
    void Start(int twipsPerPixel = 15);
    // Starts the program with a command line and, when debug is set, with
    // debug1 = 1; the answers are queued before start-up runs.
    void StartWith(const std::string& commandLine, bool debug = false, const Lines& answers = {});
    bool Started() const { return driver_ != nullptr; }

    // Runs command lines and returns what they printed, one line each.
    // A command the driver refuses fails the test.
    Lines Run(const Lines& script);
    // Runs one command expecting the driver to refuse it.
    drive::Driver::Result RunRaw(const std::string& line);
    // The visible state now.
    Screen Show();
    // The six settings as the user finds them, in the settings file's order
    // (Notation, BoardTurned, ShowMoves, CapNot, AskExit, CapCharacter): the
    // check mark of Board / None, the corner square of the start position
    // (h1's rook top left on a turned board), and the boxes of the Options
    // dialog, opened and cancelled. Needs the start position on the board.
    std::vector<int> SettingsShown();
    // Saves the game under name in the program's folder through the Save
    // dialog and returns the move lines of the file written. Needs a game
    // that belongs to no game file yet (else Save asks nothing).
    Lines SavedMoves(const std::string& name = "moves.orv");

    drive::Driver& Driver();
    fake::FakeView& View() { return Driver().View(); }
    frmMain& Form() { return Driver().Form(); }
    // Everything printed since the program started.
    std::string Printed() const { return out_.str(); }

private:
    TempFolder folder_;
    std::ostringstream out_;
    std::size_t consumed_ = 0;
    std::unique_ptr<drive::Driver> driver_;
};

// Names the tests of a scenario table by the rows' name fields.
struct ScenarioName {
    template <class Row>
    std::string operator()(const ::testing::TestParamInfo<Row>& row) const {
        return row.param.name;
    }
};

// The settings of a running program as SettingsShown reads them.
std::vector<int> SettingsShown(drive::Driver& driver);

// Common message boxes.
inline const std::string IllegalMove = MsgLine("Error", "exclamation", "Illegal move");

}  // namespace orvane::ui::test
