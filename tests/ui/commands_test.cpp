// The commands of the menus and the toolbar: the Options, Details and About
// dialogs, a new game, and the file commands that are not there yet.
#include <ostream>

#include "uitest.h"

namespace orvane::ui::test {
namespace {

std::string OptionsLine(int check3, int check5, int check6, int option, const std::string& closedBy) {
    return "dialog Options: Check3=" + std::to_string(check3) + " Check5=" + std::to_string(check5) +
           " Check6=" + std::to_string(check6) + " Option1(0)=" + (option == 0 ? "1" : "0") +
           " Option1(1)=" + (option == 1 ? "1" : "0") + " -> " + closedBy;
}

const std::string QuitGame = "msgbox title=\"Confirmation\" icon=question text=\"Quit current game?\"";

// ---- Options ---------------------------------------------------------------

struct OptionsEdit {
    const char* name;
    std::string answer;
    std::vector<int> settings;  // ShowMoves, CapNot, AskExit, CapCharacter afterwards
};
void PrintTo(const OptionsEdit& row, std::ostream* os) { *os << row.name; }

class OptionsDialog : public UiTest, public ::testing::WithParamInterface<OptionsEdit> {};

TEST_P(OptionsDialog, CopiesTheControlsOnlyOnOK) {
    const std::vector<int>& s = GetParam().settings;
    const std::string closedBy = GetParam().answer.substr(GetParam().answer.rfind(';') + 1);
    EXPECT_EQ(Run({"answer \"" + GetParam().answer + "\"", "options"}), Lines{OptionsLine(1, 0, 1, 0, closedBy)});
    // Opened again, the dialog shows the values in force.
    EXPECT_EQ(Run({"answer Cancel", "options"}), Lines{OptionsLine(s[0], s[1], s[2], s[3], "Cancel")});
}

INSTANTIATE_TEST_SUITE_P(
    Options, OptionsDialog,
    ::testing::Values(OptionsEdit{"OkWithoutChanges", "OK", {1, 0, 1, 0}},
                      OptionsEdit{"HideHints", "Check3=0;OK", {0, 0, 1, 0}},
                      OptionsEdit{"CapitalLetters", "Check5=1;OK", {1, 1, 1, 0}},
                      OptionsEdit{"NoQuestionOnExit", "Check6=0;OK", {1, 0, 0, 0}},
                      OptionsEdit{"ColonForCaptures", "Option1(1);OK", {1, 0, 1, 1}},
                      OptionsEdit{"Everything", "Check3=0;Check5=1;Check6=0;Option1(1);OK", {0, 1, 0, 1}},
                      OptionsEdit{"Cancel", "Check3=0;Check5=1;Check6=0;Option1(1);Cancel", {1, 0, 1, 0}},
                      OptionsEdit{"CloseBox", "Check3=0;Check5=1;Check6=0;Option1(1);Close", {1, 0, 1, 0}}),
    ScenarioName());

TEST_F(UiTest, ColonCaptureCharacterForNewTextsOnly) {
    Run({"list2 \" e2-e4\"", "list2 \" d7-d5\"", "list2 \" e4xd5\"", "list2 \" e7-e5\""});
    EXPECT_TRUE(Contains(Show().list2, " d5xe6"));
    Run({"answer \"Option1(1);OK\"", "options"});
    Screen screen = Show();
    EXPECT_TRUE(Contains(screen.list2, " d5:e6"));
    EXPECT_FALSE(Contains(screen.list2, " d5xe6"));
    EXPECT_EQ(screen.list1[2], "   2.  e4xd5");

    Run({"list2 \" d5:e6\""});
    screen = Show();
    EXPECT_EQ(screen.list1.back(), "   3.  d5:e6");
    EXPECT_TRUE(Contains(screen.list2, "Bc8:e6"));
    // Walking replays both kinds of entries.
    Run({"menu First", "menu Last"});
    EXPECT_EQ(Show().ranks[2], ". . . . P . . .");
    EXPECT_EQ(Show().list1.back(), "   3.  d5:e6");

    // Back to "x".
    Run({"answer \"Option1(0);OK\"", "options"});
    EXPECT_TRUE(Contains(Show().list2, "Bc8xe6"));
    // The game file holds the capture as its squares alone.
    EXPECT_EQ(SavedMoves(), (Lines{"e2e4", "d7d5", "e4d5", "e7e5", "d5e6"}));
}

TEST_F(UiTest, ColonFromTheOptionsAppliesToCapturesByMouse) {
    Run({"answer \"Option1(1);OK\"", "options", "list2 \" e2-e4\"", "list2 \" d7-d5\"", "hover e4", "drag e4 d5"});
    EXPECT_EQ(Show().list1.back(), "   2.  e4:d5");
}

TEST_F(UiTest, OptionsCancelStillRedrawsTheBoardAndTheList) {
    Run({"hover e2"});
    ASSERT_NE(Show().hints, "");
    Run({"answer \"Check5=1;Cancel\"", "options"});
    const Screen screen = Show();
    EXPECT_EQ(screen.hints, "") << "the board was drawn afresh";
    EXPECT_EQ(screen.letters, "abcdefgh");
    EXPECT_EQ(screen.list2.size(), 20u);
}

// ---- Details ---------------------------------------------------------------

TEST_F(UiTest, DetailsApplyThenCancelKeepsTheAppliedValues) {
    EXPECT_EQ(Run({"answer \"Event=Club;Apply;Site=Town;Cancel\"", "details"}),
              Lines{"dialog Details: Event=\"\" Site=\"\" Date=\"\" Black=\"\" White=\"\" -> Apply -> Cancel"});
    EXPECT_EQ(Run({"answer Cancel", "details"}),
              Lines{"dialog Details: Event=\"Club\" Site=\"\" Date=\"\" Black=\"\" White=\"\" -> Cancel"});
}

TEST_F(UiTest, DetailsOkCopiesAndCancelDoesNot) {
    Run({"answer \"Event=Open;Site=Hall;Date=2024.01.02;Black=Bob;White=Ann;OK\"", "details"});
    EXPECT_EQ(Run({"answer \"Event=Other;White=Zed;Cancel\"", "details"}),
              Lines{"dialog Details: Event=\"Open\" Site=\"Hall\" Date=\"2024.01.02\" Black=\"Bob\" White=\"Ann\" -> "
                    "Cancel"});
    EXPECT_EQ(Run({"answer Close", "details"}),
              Lines{"dialog Details: Event=\"Open\" Site=\"Hall\" Date=\"2024.01.02\" Black=\"Bob\" White=\"Ann\" -> "
                    "Close"});
    // The names beside the board are not taken from the dialog, and a new
    // game keeps the values.
    Run({"list2 \" e2-e4\"", "answer Yes", "menu New"});
    EXPECT_EQ(Show().labels[1], "Player");
    EXPECT_EQ(Show().labels[2], "Player");
    EXPECT_EQ(Run({"answer Cancel", "details"}),
              Lines{"dialog Details: Event=\"Open\" Site=\"Hall\" Date=\"2024.01.02\" Black=\"Bob\" White=\"Ann\" -> "
                    "Cancel"});
}

// ---- About -----------------------------------------------------------------

TEST_F(UiTest, AboutShowsTheVersion) {
    EXPECT_EQ(Run({"about"}), Lines{"dialog About: \"Version 0.26 Beta\" -> OK"});
    EXPECT_EQ(Run({"menu mnu_Help_About"}), Lines{"dialog About: \"Version 0.26 Beta\" -> OK"});
}

TEST_F(UiTest, AfterAboutTheHintsComeBackWithThePointer) {
    // Turning the board draws it without the hint boxes.
    Run({"hover e2", "menu Turn"});
    ASSERT_EQ(Show().hints, "");
    Run({"about", "hover e2"});
    EXPECT_EQ(Show().hints,
              "a2(black) b2(yellow) c2(black) d2(yellow) e2(black) f2(yellow) g2(black) h2(yellow) b1(black) "
              "g1(yellow)");
}

// ---- New -------------------------------------------------------------------

struct NewGame {
    const char* name;
    std::string command;
};
void PrintTo(const NewGame& row, std::ostream* os) { *os << row.name; }

class NewGameCommand : public UiTest, public ::testing::WithParamInterface<NewGame> {};

TEST_P(NewGameCommand, AsksNothingWithoutMoves) {
    Run({"menu Turn"});
    EXPECT_EQ(Run({GetParam().command}), Lines{});
    const Screen screen = Show();
    EXPECT_EQ(screen.ranks, StartRanks());
    EXPECT_EQ(screen.status1, "White moves");
    EXPECT_EQ(screen.list2.size(), 20u);
    EXPECT_EQ(screen.letters, "hgfedcba") << "a new game keeps the settings";
}

TEST_P(NewGameCommand, AnsweredNoKeepsTheGame) {
    Run({"list2 \" e2-e4\"", "comment note", "list2 \" e7-e5\"", "menu Moveback"});
    const Screen before = Show();
    EXPECT_EQ(Run({"answer No", GetParam().command}), Lines{QuitGame + " -> No"});
    const Screen after = Show();
    EXPECT_EQ(after.list1, before.list1);
    EXPECT_EQ(after.ranks, before.ranks);
    EXPECT_EQ(after.text1, "note");
    EXPECT_EQ(after.enabled, before.enabled);
    Run({"menu Last"});
    EXPECT_EQ(Show().ranks[3], ". . . . p . . .");
    EXPECT_EQ(SavedMoves(), (Lines{"e2e4", "e7e5"}));
}

TEST_P(NewGameCommand, AnsweredYesStartsAFreshGame) {
    Run({"list2 \" e2-e4\"", "comment note", "list2 \" e7-e5\""});
    EXPECT_EQ(Run({"answer Yes", GetParam().command}), Lines{QuitGame + " -> Yes"});
    const Screen screen = Show();
    EXPECT_EQ(screen.ranks, StartRanks());
    EXPECT_EQ(screen.list1, Lines{});
    EXPECT_EQ(screen.text1, "");
    EXPECT_EQ(screen.status1, "White moves");
    EXPECT_EQ(screen.enabled, "First=0 Moveback=0 MoveForward=0 Last=0 List2=1");
    // The fresh game takes moves and asks again only after one.
    EXPECT_EQ(Run({GetParam().command}), Lines{});
    // Nothing of the old game comes back with the new moves.
    Run({"list2 \" d2-d4\"", "menu First", "menu MoveForward"});
    EXPECT_EQ(Show().text1, "");
    EXPECT_EQ(SavedMoves(), Lines{"d2d4"});
}

TEST_P(NewGameCommand, AfterASetupWithBlackToMoveGivesTheStandardGame) {
    Run({"answer \"Clear Board\"", "rightclick a1", "answer \"Black moves\"", "rightclick a1"});
    EXPECT_EQ(Show().status1, "Black moves");
    EXPECT_EQ(Run({GetParam().command}), Lines{});
    const Screen screen = Show();
    EXPECT_EQ(screen.ranks, StartRanks());
    EXPECT_EQ(screen.status1, "White moves");
    EXPECT_EQ(screen.labels[3], "White");
    EXPECT_EQ(screen.labels[5], " 39");
    EXPECT_EQ(screen.highlighted, 1);
    EXPECT_EQ(screen.labels[6], " 39");
    Run({"list2 \" e2-e4\""});
    EXPECT_EQ(Show().list1, Lines{"   1.  e2-e4"});
    // The setup is over: a setup menu closed without a choice keeps the game.
    Run({"rightclick a3"});
    EXPECT_EQ(Show().list1, Lines{"   1.  e2-e4"});
}

TEST_P(NewGameCommand, AsksAlsoAfterWalkingBackToTheStart) {
    Run({"list2 \" e2-e4\"", "menu First"});
    EXPECT_EQ(Run({"answer No", GetParam().command}), Lines{QuitGame + " -> No"});
    EXPECT_EQ(Show().list1, Lines{"   1.  e2-e4"});
}

INSTANTIATE_TEST_SUITE_P(Commands, NewGameCommand,
                         ::testing::Values(NewGame{"Menu", "menu New"}, NewGame{"Button", "button \"New Game\""}),
                         ScenarioName());

TEST_F(UiTest, AfterSwitchColorsNewGivesWhiteToMove) {
    Run({"button \"Switch Colors\"", "menu New"});
    const Screen screen = Show();
    EXPECT_EQ(screen.status1, "White moves");
    EXPECT_EQ(screen.highlighted, 1);
    EXPECT_EQ(screen.labels[3], "White");
    EXPECT_TRUE(Contains(screen.list2, " e2-e4"));
}

// ---- commands that need a file -----------------------------------------------

TEST_F(UiTest, NewVariantNeedsAFileAndSaveAsksForOne) {
    EXPECT_EQ(Run({"button \"New Variant\"", "menu debug2"}),
              (Lines{"button \"New Variant\" is disabled", "menu debug2 is disabled"}));
    // Save is there from the start: a game without a file asks for a name.
    const std::string dialog = "dialog Save: title=\"Save Game\" filter=\"Orvane File (*.orv)|*.orv|\" -> \"\"";
    EXPECT_EQ(Run({"answer \"\"", "menu saveopen"}), Lines{dialog});
    EXPECT_EQ(Run({"answer \"\"", "button Save"}), Lines{dialog});
    // Also after a new game.
    Run({"list2 \" e2-e4\"", "answer Yes", "button \"New Game\""});
    EXPECT_EQ(Run({"button \"New Variant\""}), (Lines{"button \"New Variant\" is disabled"}));
}

}  // namespace
}  // namespace orvane::ui::test
