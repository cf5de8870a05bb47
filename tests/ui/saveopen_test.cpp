// The program's own game files through the window: Save with its dialog,
// its question and its failures, and such a file read back with Open, its
// comments on their plies and every refusal with the state it leaves.
#include <unistd.h>

#include "uitest.h"

namespace orvane::ui::test {
namespace {

const std::string SaveFilter = "Orvane File (*.orv)|*.orv|";
const std::string OpenFilter = "Portable Game Notation File (*.pgn)|*.pgn|Orvane File (*.orv)|*.orv";
const std::string StartSetup = "Setup=243563421111111100000000000000000000000000000000777777778A9BC9A8";
const std::string QuitGame = MsgLine("Confirmation", "question", "Quit current game?", "Yes");

std::string SaveLine(const std::string& path) {
    return "dialog Save: title=\"Save Game\" filter=" + fake::Quoted(SaveFilter) + " -> " + fake::Quoted(path);
}
std::string OpenLine(const std::string& path) {
    return "dialog Open: title=\"Load Game\" filter=" + fake::Quoted(OpenFilter) + " -> " + fake::Quoted(path);
}
std::string OverwriteLine(const std::string& name, const std::string& answer) {
    return MsgLine("Confirmation", "question", name + " already exists, overwrite?", answer);
}

// The file of a game from the standard position.
std::string GameBytes(const Lines& afterStart) {
    Lines lines = {"ORVANE Version=0.10", StartSetup, "BlackStarts=0", "Castling=KQkq", "EnPassant=-", "START"};
    lines.insert(lines.end(), afterStart.begin(), afterStart.end());
    return CrLf(lines);
}

bool NoTemporaryBeside(const fs::path& file) {
    for (const auto& entry : fs::directory_iterator(file.parent_path()))
        if (entry.path().filename().string().find(".tmp~") != std::string::npos) return false;
    return true;
}

class SaveOpenTest : public UiTest {
protected:
    std::string PathOf(const std::string& name) const { return (Home() / name).string(); }
    // Opens a file through the Open command (no game on the board to quit).
    Lines Open(const std::string& path) { return Run({"answer \"" + path + "\"", "menu Open1"}); }
    // The commands and lists a user needs after a load are all usable.
    void ExpectUsable() {
        EXPECT_TRUE(View().toolbarEnabled);
        EXPECT_TRUE(View().menu.Get("mnuGame").enabled);
        EXPECT_TRUE(View().menu.Get("mnuPlay").enabled);
        EXPECT_TRUE(View().menu.Get("mnu_Board1").enabled);
        EXPECT_TRUE(View().list1.enabled);
        EXPECT_TRUE(View().list2.enabled);
        EXPECT_FALSE(Show().busy);
        // The board takes clicks again: a right click opens the setup menu
        // (closed here without a choice).
        const Lines printed = Run({"answer \"\"", "rightclick h5"});
        ASSERT_EQ(printed.size(), 1U);
        EXPECT_EQ(printed[0].rfind("popup mnuSetup:", 0), 0U) << printed[0];
    }
};

// ---- Save ------------------------------------------------------------------

TEST_F(SaveOpenTest, SaveAsksForANameThenWritesTheGameWithEveryComment) {
    const std::string path = PathOf("game.orv");
    Start();
    Run({"comment \"Start\\nof it\""});
    Run(Play({" e2-e4"}));
    Run({"comment \"Open game\""});
    Run(Play({" e7-e5"}));
    Run({"comment \"My last word\""});
    EXPECT_EQ(Run({"answer \"" + path + "\"", "menu saveopen"}), Lines{SaveLine(path)});
    EXPECT_EQ(ReadFile(path), GameBytes({"{Start\xFF\xFFof it}", "e2e4", "{Open game}", "e7e5", "{My last word}"}));
    EXPECT_TRUE(NoTemporaryBeside(path));
    const Screen s = Show();
    EXPECT_EQ(s.status1, "Game saved!");
    EXPECT_EQ(s.caption, " Orvane 0.26 Beta - game.orv");

    // Save again: no dialog and no question, the file holds the longer game.
    Run(Play({"Ng1-f3"}));
    EXPECT_EQ(Run({"button Save"}), Lines{});
    EXPECT_EQ(ReadFile(path),
              GameBytes({"{Start\xFF\xFFof it}", "e2e4", "{Open game}", "e7e5", "{My last word}", "g1f3"}));
    EXPECT_EQ(Show().status1, "Game saved!");
    // The comment box keeps its own line break.
    Run({"menu First"});
    EXPECT_EQ(Show().text1, "Start\nof it");
}

TEST_F(SaveOpenTest, TheStartPositionAloneIsSixLines) {
    const std::string path = PathOf("empty.orv");
    Start();
    EXPECT_EQ(Run({"answer \"" + path + "\"", "button Save"}), Lines{SaveLine(path)});
    EXPECT_EQ(ReadFile(path), GameBytes({}));
}

TEST_F(SaveOpenTest, ANameWithoutExtensionGetsTheProgramsOwn) {
    Start();
    Run(Play({" e2-e4"}));
    const std::string typed = PathOf("mygame");
    EXPECT_EQ(Run({"answer \"" + typed + "\"", "menu saveopen"}), Lines{SaveLine(typed)});
    EXPECT_FALSE(fs::exists(typed));
    EXPECT_EQ(ReadFile(PathOf("mygame.orv")), GameBytes({"e2e4"}));
    EXPECT_EQ(Show().caption, " Orvane 0.26 Beta - mygame.orv");
    // The question about an existing file names the file written.
    EXPECT_EQ(Run({"menu New", "answer \"" + typed + "\"", "answer No", "menu saveopen"}),
              (Lines{MsgLine("Confirmation", "question", "Quit current game?", "Yes"), SaveLine(typed),
                     OverwriteLine("mygame.orv", "No")}));
    // A name with an extension of its own keeps it.
    const std::string other = PathOf("my.game");
    Run({"answer \"" + other + "\"", "menu saveopen"});
    EXPECT_TRUE(fs::exists(other));
}

TEST_F(SaveOpenTest, ACancelledDialogWritesNothing) {
    Start();
    Run(Play({" e2-e4"}));
    EXPECT_EQ(Run({"answer \"\"", "button Save"}), Lines{SaveLine("")});
    EXPECT_EQ(Show().caption, " Orvane 0.26 Beta - ");
    for (const auto& entry : fs::directory_iterator(Home())) EXPECT_NE(entry.path().extension(), ".orv");
    // Still no file of its own: Save asks again.
    EXPECT_EQ(Run({"answer \"\"", "button Save"}), Lines{SaveLine("")});
}

TEST_F(SaveOpenTest, AnExistingFileIsOverwrittenOnlyWhenTheUserSaysYes) {
    const std::string path = PathOf("kept.orv");
    WriteFile(path, "the user's own notes\r\n");
    Start();
    Run(Play({" d2-d4"}));
    EXPECT_EQ(Run({"answer \"" + path + "\"", "answer No", "menu saveopen"}),
              (Lines{SaveLine(path), OverwriteLine("kept.orv", "No")}));
    EXPECT_EQ(ReadFile(path), "the user's own notes\r\n");
    EXPECT_NE(Show().status1, "Game saved!");
    // Refused, the game belongs to no file: the next Save asks again rather
    // than writing over the file kept.
    EXPECT_EQ(Show().caption, " Orvane 0.26 Beta - ");
    EXPECT_EQ(Run({"answer \"" + path + "\"", "answer Yes", "menu saveopen"}),
              (Lines{SaveLine(path), OverwriteLine("kept.orv", "Yes")}));
    EXPECT_EQ(ReadFile(path), GameBytes({"d2d4"}));
    EXPECT_EQ(Show().caption, " Orvane 0.26 Beta - kept.orv");
}

TEST_F(SaveOpenTest, AfterAPgnGameSaveAsksForANameAndKeepsItsComments) {
    const std::string pgn = PathOf("club.pgn");
    WriteFile(pgn, CrLf({"[Event \"Club\"]", "[White \"Cid\"]", "[Black \"Dee\"]", "[Result \"*\"]", "",
                         "1. e4 {Best by test} e5 (1... c5) 2. Nf3 *"}));
    Start();
    Run({"answer \"" + pgn + "\"", "answer 1", "menu Open1"});
    EXPECT_EQ(Show().caption, " club.pgn - Game: 1");
    const std::string path = PathOf("club game.orv");
    EXPECT_EQ(Run({"answer \"" + path + "\"", "button Save"}), Lines{SaveLine(path)});
    EXPECT_EQ(ReadFile(path), GameBytes({"e2e4", "{Best by test}", "e7e5", "{1... c5}", "g1f3"}));
    EXPECT_EQ(Show().caption, " Orvane 0.26 Beta - club game.orv");
    // The PGN file itself is untouched and the next Save goes to the new file.
    EXPECT_EQ(Run({"button Save"}), Lines{});
}

TEST_F(SaveOpenTest, AFolderThatCannotBeWrittenIsNamedAndNothingIsHalfWritten) {
    Start();
    Run(Play({" e2-e4"}));
    // A "folder" that is a plain file: nothing can be created in it.
    WriteFile(Home() / "notes", "x");
    const std::string inFile = PathOf("notes/game.orv");
    EXPECT_EQ(Run({"answer \"" + inFile + "\"", "button Save"}),
              (Lines{SaveLine(inFile), MsgLine("Error", "exclamation",
                                               "The game could not be saved: " + inFile +
                                                   ": cannot be written in its folder (Not a directory)")}));
    EXPECT_EQ(ReadFile(Home() / "notes"), "x");
    EXPECT_NE(Show().status1, "Game saved!");
    // The next Save asks again, so another folder can be chosen.
    EXPECT_EQ(Run({"answer \"\"", "button Save"}), Lines{SaveLine("")});

    // A folder without write permission (root may write anywhere).
    if (::geteuid() != 0) {
        fs::create_directory(Home() / "locked");
        fs::permissions(Home() / "locked", fs::perms::owner_read | fs::perms::owner_exec);
        const std::string locked = PathOf("locked/game.orv");
        const Lines printed = Run({"answer \"" + locked + "\"", "button Save"});
        fs::permissions(Home() / "locked", fs::perms::owner_all);
        EXPECT_EQ(printed,
                  (Lines{SaveLine(locked), MsgLine("Error", "exclamation",
                                                   "The game could not be saved: " + locked +
                                                       ": cannot be written in its folder (Permission denied)")}));
        EXPECT_TRUE(fs::is_empty(Home() / "locked"));
    }
}

TEST_F(SaveOpenTest, AFailedSaveOverAnEarlierOneLeavesTheEarlierFileWhole) {
    const std::string path = PathOf("game.orv");
    Start();
    Run(Play({" e2-e4"}));
    Run({"answer \"" + path + "\"", "button Save"});
    ASSERT_EQ(ReadFile(path), GameBytes({"e2e4"}));
    // The temporary file cannot be made (a folder stands in its place), so
    // the write fails before the saved file is touched.
    fs::create_directory(path + ".tmp~");
    Run(Play({" e7-e5"}));
    const Lines printed = Run({"button Save"});
    ASSERT_EQ(printed.size(), 1U);
    EXPECT_EQ(printed[0].rfind(
                  "msgbox title=\"Error\" icon=exclamation text=\"The game could not be saved: " + path + ": ", 0),
              0U)
        << printed[0];
    EXPECT_EQ(ReadFile(path), GameBytes({"e2e4"}));
}

// ---- reading back -------------------------------------------------------------

TEST_F(SaveOpenTest, AGameReadBackShowsItsMovesAndEveryCommentOnItsPly) {
    const std::string path = PathOf("game.orv");
    const std::string bytes = GameBytes(
        {"{Before the first move}", "e2e4", "{Open game}", "e7e5", "g1f3", "{two\xFF\xFFlines}", "b8c6", "{The end}"});
    WriteFile(path, bytes);
    Start();
    // The game on the board makes New Variant available first.
    const std::string pgn = PathOf("club.pgn");
    WriteFile(pgn, CrLf({"[Event \"Club\"]", "", "1. d4 *"}));
    Run({"answer \"" + pgn + "\"", "answer 1", "menu Open1"});
    ASSERT_TRUE(View().toolbar.Get("New Variant").enabled);

    EXPECT_EQ(Run({"answer Yes", "answer \"" + path + "\"", "menu Open1"}), (Lines{QuitGame, OpenLine(path)}));
    const Screen s = Show();
    EXPECT_EQ(s.caption, " Orvane 0.26 Beta - game.orv");
    EXPECT_EQ(s.status1, "");
    EXPECT_EQ(s.ranks, StartRanks());
    EXPECT_EQ(s.list1, (Lines{"   1.  e2-e4", "       e7-e5", "   2. Ng1-f3", "      Nb8-c6"}));
    EXPECT_EQ(s.list1Selected, -1);
    EXPECT_EQ(s.labels[1], "Player");
    EXPECT_EQ(s.enabled, "First=0 Moveback=0 MoveForward=1 Last=1 List2=1");
    EXPECT_EQ(s.list2.size(), 20U);
    ExpectUsable();
    EXPECT_EQ(Run({"button \"New Variant\""}), Lines{"button \"New Variant\" is disabled"});

    // The comment of the final position is there too.
    const Lines comments = {"Before the first move", "Open game", "", "two\nlines", "The end"};
    EXPECT_EQ(s.text1, comments[0]);
    for (std::size_t ply = 1; ply < comments.size(); ++ply) {
        Run({"button Forward"});
        EXPECT_EQ(Show().text1, comments[ply]) << "after ply " << ply;
    }
    EXPECT_EQ(Show().list1Selected, 3);
    Run({"button First"});
    EXPECT_EQ(Show().text1, comments[0]);
    Run({"button Last"});
    EXPECT_EQ(Show().text1, "The end");
    EXPECT_EQ(Run({"list1 0"}), Lines{});
    EXPECT_EQ(Show().text1, "Open game");

    // Save writes the same bytes back to the file read, without a question,
    // though the current folder is another one.
    WriteFile(path, "changed");
    EXPECT_EQ(Run({"menu saveopen"}), Lines{});
    EXPECT_EQ(ReadFile(path), bytes);
    EXPECT_FALSE(fs::exists("game.orv"));
}

TEST_F(SaveOpenTest, AGameBlackStartsReadsBackWithBlackToMove) {
    const std::string path = PathOf("black.orv");
    // White king e1, Black king e8, Black pawn e7; Black starts.
    const std::string bytes =
        CrLf({"ORVANE Version=0.1", "Setup=000060000000000000000000000000000000000000000000000070000000C000",
              "BlackStarts=1", "START", "e8d8", "e1d1", "{centre}"});
    WriteFile(path, bytes);
    Start();
    EXPECT_EQ(Open(path), Lines{OpenLine(path)});
    const Screen s = Show();
    EXPECT_EQ(s.caption, " Orvane 0.26 Beta - black.orv");
    EXPECT_EQ(s.ranks[0], ". . . . k . . .");
    EXPECT_EQ(s.ranks[1], ". . . . p . . .");
    // Black's label is first and highlighted; Black's six moves are listed.
    EXPECT_EQ(s.labels[3], "Black");
    EXPECT_EQ(s.highlighted, 1);
    EXPECT_EQ(s.list2.size(), 6U);
    // Numbered from the file's first ply, as every native file is.
    EXPECT_EQ(s.list1, (Lines{"   1. Ke8-d8", "      Ke1-d1"}));
    Run({"button Last"});
    EXPECT_EQ(Show().text1, "centre");
    // Saved again: the file as it was, with the version written out and the
    // start's castling rights (none: no rook at home) and en passant target.
    Run({"button Save"});
    EXPECT_EQ(ReadFile(path),
              CrLf({"ORVANE Version=0.10", "Setup=000060000000000000000000000000000000000000000000000070000000C000",
                    "BlackStarts=1", "Castling=-", "EnPassant=-", "START", "e8d8", "e1d1", "{centre}"}));
}

TEST_F(SaveOpenTest, BlackToMoveComesBackFromEveryWayOfSettingItUp) {
    // A PGN game from a FEN with Black to move (its first move an en
    // passant capture), Switch Colors, and the setup menu: each saved and
    // read back with Black to move, the game's moves legal again.
    const std::string pgn = PathOf("fen.pgn");
    WriteFile(pgn, CrLf({"[Event \"Study\"]", "[SetUp \"1\"]",
                         "[FEN \"rnbqkbnr/ppp1pppp/8/8/3pP3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 3\"]", "",
                         "3... dxe3 4. Nf3 *"}));
    Start();
    Run({"answer \"" + pgn + "\"", "answer 1", "menu Open1"});
    const Screen fromPgn = Show();
    const std::string path = PathOf("fen.orv");
    Run({"answer \"" + path + "\"", "button Save"});
    EXPECT_NE(ReadFile(path).find("BlackStarts=1\r\nCastling=KQkq\r\nEnPassant=e3\r\nSTART\r\nd4e3\r\ng1f3\r\n"),
              std::string::npos)
        << ReadFile(path);
    EXPECT_EQ(Run({"answer Yes", "answer \"" + path + "\"", "menu Open1"}), (Lines{QuitGame, OpenLine(path)}));
    Screen s = Show();
    EXPECT_EQ(s.ranks, fromPgn.ranks);
    EXPECT_EQ(s.list2, fromPgn.list2);
    EXPECT_TRUE(Contains(s.list2, " d4xe3"));
    EXPECT_EQ(s.list1, (Lines{"   1.  d4xe3", "      Ng1-f3"}));

    // Switch Colors, no moves.
    const std::string switched = PathOf("switched.orv");
    Run({"answer Yes", "menu New", "button \"Switch Colors\"", "answer \"" + switched + "\"", "button Save"});
    Run({"answer \"" + switched + "\"", "menu Open1"});
    s = Show();
    EXPECT_EQ(s.ranks, StartRanks());
    EXPECT_EQ(Form().Pos.SideToMove, -1);
    EXPECT_TRUE(Contains(s.list2, " e7-e5"));

    // Set up with the menu: Black moves, then the position saved.
    const std::string setUp = PathOf("setup.orv");
    Run({"answer \"Black moves\"", "rightclick e4", "answer \"" + setUp + "\"", "button Save"});
    Run({"answer \"" + setUp + "\"", "menu Open1"});
    EXPECT_EQ(Form().Pos.SideToMove, -1);
    EXPECT_EQ(Show().status1, "");
}

// ---- the reader's failures ---------------------------------------------------

struct FailureRow {
    std::string name;
    std::string bytes;
    std::string message;  // the message box line
    bool fresh = true;    // a fresh game afterwards; else the game stays on the board
};

class ReadFailures : public SaveOpenTest, public ::testing::WithParamInterface<FailureRow> {};

TEST_P(ReadFailures, EachIsToldAndLeavesAGameToPlay) {
    const FailureRow& row = GetParam();
    const std::string path = PathOf("bad.orv");
    WriteFile(path, row.bytes);
    Start();
    Run(Play({" e2-e4"}));
    EXPECT_EQ(Run({"answer Yes", "answer \"" + path + "\"", "menu Open1"}),
              (Lines{QuitGame, OpenLine(path), row.message}));
    const Screen s = Show();
    EXPECT_EQ(s.list2.size(), 20U);
    EXPECT_EQ(s.text1, "");
    ExpectUsable();
    EXPECT_EQ(Run({"button \"New Variant\""}), Lines{"button \"New Variant\" is disabled"});
    if (!row.fresh) {
        // Refused before anything was read: the game stays as it was shown,
        // its move with the ply selected, Black to move.
        EXPECT_EQ(s.list1, Lines{"   1.  e2-e4"});
        EXPECT_EQ(s.list1Selected, 0);
        EXPECT_EQ(s.ranks[4], ". . . . P . . .");
        EXPECT_EQ(s.highlighted, 2);
        EXPECT_TRUE(Contains(s.list2, " e7-e5"));
        EXPECT_EQ(s.status1, "");
        EXPECT_EQ(s.enabled, "First=1 Moveback=1 MoveForward=0 Last=0 List2=1");
    } else {
        EXPECT_TRUE(s.list1.empty());
        EXPECT_EQ(s.ranks, StartRanks());
        EXPECT_EQ(s.caption, " Orvane 0.26 Beta");
        EXPECT_EQ(s.status1, "White moves");
        EXPECT_EQ(s.labels[3], "White");
        EXPECT_EQ(s.highlighted, 1);
        // The user can play at once.
        EXPECT_EQ(Run(Play({" d2-d4"})), Lines{});
        EXPECT_EQ(Show().list1, Lines{"   1.  d2-d4"});
    }
    // The file that failed is not the game's: Save asks for a name.
    EXPECT_EQ(Run({"answer \"\"", "button Save"}), Lines{SaveLine("")});
}

const std::string LoadErrorLine = MsgLine("Error", "exclamation", "Error in loading game file!");

INSTANTIATE_TEST_SUITE_P(
    SaveOpen, ReadFailures,
    ::testing::Values(
        FailureRow{"NotAnOrvaneFile", "[Event \"Club\"]\r\n\r\n1. e4 *\r\n",
                   MsgLine("Orvane", "exclamation", "bad.orv is not an Orvane file"), false},
        FailureRow{"Version026", "ORVANE Version=0.26\r\nSTART\r\ne2e4\r\n",
                   MsgLine("Error", "exclamation", "Incorrect game file!\r\nNeed version 0.10"), false},
        FailureRow{"EndBeforeStart", CrLf({"ORVANE Version=0.10", StartSetup, "BlackStarts=0"}), LoadErrorLine},
        FailureRow{"ShortSetup", CrLf({"ORVANE Version=0.10", "Setup=24356342", "START", "e2e4"}), LoadErrorLine},
        FailureRow{"MoveLineTooLong", GameBytes({"e2e4", "e7e5 e5"}), LoadErrorLine},
        FailureRow{"IllegalMove", GameBytes({"e2e4", "{fine}", "e2e5"}),
                   MsgLine("Error", "exclamation", "E2E5: Illegal move!")},
        FailureRow{"CastlingNotOfKQkq", CrLf({"ORVANE Version=0.10", StartSetup, "Castling=KX", "START", "e2e4"}),
                   LoadErrorLine},
        FailureRow{"EnPassantNoPawnPassed", CrLf({"ORVANE Version=0.10", StartSetup, "EnPassant=e6", "START", "e2e4"}),
                   LoadErrorLine},
        FailureRow{"BlackStartsIllegal", CrLf({"ORVANE Version=0.10", StartSetup, "BlackStarts=1", "START", "e2e4"}),
                   MsgLine("Error", "exclamation", "E2E4: Illegal move!")}),
    ScenarioName());

}  // namespace
}  // namespace orvane::ui::test
