// Opening PGN collections: the Open command with its questions and
// messages, the game picker, the chosen game on the board with its comments,
// a set-up start, an illegal move and a broken file, New Variant and New
// Game..., the command-line open, dropping a file and the batch check.
#include <cstdio>
#include <fstream>

#include "support/shared_data.h"
#include "uitest.h"

namespace orvane::ui::test {
namespace {

using testsupport::SharedDataFile;
using testsupport::SharedDataMissing;
using testsupport::SharedDataPresent;

const std::string Filter = "Portable Game Notation File (*.pgn)|*.pgn|Orvane File (*.orv)|*.orv";
const std::string QuitGame = MsgLine("Confirmation", "question", "Quit current game?", "Yes");

std::string OpenLine(const std::string& path) {
    return "dialog Open: title=\"Load Game\" filter=" + fake::Quoted(Filter) + " -> " + fake::Quoted(path);
}

// Three short games; the second carries a comment, a variation and a glyph.
const Lines ThreeGames = {
    "[Event \"Club\"]",
    "[Site \"Here\"]",
    "[Date \"2001.01.01\"]",
    "[Round \"1\"]",
    "[White \"Ann\"]",
    "[Black \"Bob\"]",
    "[Result \"1-0\"]",
    "",
    "1. e4 e5 2. Qh5 Nc6 3. Bc4 Nf6 4. Qxf7# 1-0",
    "",
    "[Event \"Club\"]",
    "[Site \"There\"]",
    "[Round \"2\"]",
    "[White \"Cid\"]",
    "[Black \"Dee\"]",
    "[Result \"*\"]",
    "",
    "1. e4 {Best by test} e5 (1... c5 2. Nf3) 2. Nf3 $1 Nc6 3. Bb5 a6 *",
    "",
    "[Event \"Club\"]",
    "[White \"Eve\"]",
    "[Black \"Fay\"]",
    "[Result \"0-1\"]",
    "",
    "1. f3 e5 2. g4 Qh4# 0-1",
};

class FilesTest : public UiTest {
protected:
    // Writes a PGN file into the program's folder and returns its path.
    std::string Write(const std::string& name, const Lines& lines) {
        const fs::path path = Home() / name;
        WriteFile(path, CrLf(lines));
        return path.string();
    }
    std::string Write(const std::string& name, const std::string& bytes) {
        const fs::path path = Home() / name;
        WriteFile(path, bytes);
        return path.string();
    }
    // Opens a file through the menu and picks a game ("OK", "Cancel" or a number).
    Lines Open(const std::string& path, const std::string& pick) {
        return Run({"answer \"" + path + "\"", "answer " + pick, "menu Open1"});
    }
};

std::string PickerLine(const std::string& name, long count, const std::string& columns, long selected,
                       const std::string& chosen) {
    return "dialog dlgPGN: caption=\"Open PGN game from " + name +
           "\" label=\"Number of games: " + std::to_string(count) + "\" columns=\"" + columns +
           "\" selected=" + std::to_string(selected) + " -> " + chosen;
}

// ---- opening and picking ---------------------------------------------------

TEST_F(FilesTest, OpenShowsThePickerAndLoadsTheChosenGameAtItsStart) {
    const std::string path = Write("club.pgn", ThreeGames);
    EXPECT_EQ(
        Open(path, "1"),
        (Lines{OpenLine(path), PickerLine("club.pgn", 3, "Number,Event,Site,Date,Round,White,Black,Result", 0, "1")}));
    const Screen s = Show();
    EXPECT_EQ(s.caption, " club.pgn - Game: 1");
    EXPECT_EQ(s.status1, "1-0; no comments");
    EXPECT_EQ(s.ranks, StartRanks());
    EXPECT_EQ(s.list1, (Lines{"   1.  e2-e4", "       e7-e5", "   2. Qd1-h5", "      Nb8-c6", "   3. Bf1-c4",
                              "      Ng8-f6", "   4. Qh5xf7"}));
    EXPECT_EQ(s.list1Selected, -1);
    EXPECT_EQ(s.labels[1], "Ann");
    EXPECT_EQ(s.labels[2], "Bob");
    EXPECT_EQ(s.enabled, "First=0 Moveback=0 MoveForward=1 Last=1 List2=1");
    EXPECT_FALSE(s.busy);
    EXPECT_EQ(s.list2.size(), 20U);
    EXPECT_TRUE(View().toolbar.Get("New Variant").enabled);
    EXPECT_EQ(Run({"answer Cancel", "details"}),
              Lines{"dialog Details: Event=\"Club\" Site=\"Here\" Date=\"2001.01.01\" Black=\"Bob\" White=\"Ann\" -> "
                    "Cancel"});

    // Last shows the mate, and the result stays in the status line.
    Run({"button Last"});
    const Screen end = Show();
    EXPECT_EQ(end.list1Selected, 6);
    EXPECT_EQ(end.ranks[1], "p p p p . Q p p");

    // A collection is never written over: Save asks for a name.
    EXPECT_EQ(Run({"answer \"\"", "button Save"}),
              Lines{"dialog Save: title=\"Save Game\" filter=\"Orvane File (*.orv)|*.orv|\" -> \"\""});
    // New Variant reads the same file again, with the game preselected.
    EXPECT_EQ(
        Run({"answer Yes", "answer Cancel", "button \"New Variant\""}),
        (Lines{QuitGame, PickerLine("club.pgn", 3, "Number,Event,Site,Date,Round,White,Black,Result", 1, "Cancel")}));
}

TEST_F(FilesTest, FilterAndOrderOfThePickerAndTheGameChosenByItsNumber) {
    const std::string path = Write("club.pgn", ThreeGames);
    const std::string columns = "Number,Event,Site,Date,Round,White,Black,Result";
    Start();
    // Each filter and each click on a header prints the rows' count or the
    // first row's game; OK then loads the game of the first row.
    EXPECT_EQ(Run({"answer \"" + path + "\"", "answer \"filter dEE\"", "answer \"filter \"", "answer \"sort White\"",
                   "answer \"sort White\"", "answer \"sort Date\"", "answer \"sort Date\"", "answer \"sort Source\"",
                   "answer \"filter club   \"", "answer OK", "menu Open1"}),
              (Lines{OpenLine(path), "picker filter=\"dEE\" shown=1 first=2", "picker filter=\"\" shown=3 first=1",
                     "picker sort=White first=1", "picker sort=White first=3", "picker sort=Date first=1",
                     "picker sort=Date first=1", "picker sort=Source first=1 (no such column)",
                     "picker filter=\"club   \" shown=1 first=3", PickerLine("club.pgn", 3, columns, 0, "3")}));
    EXPECT_EQ(Show().caption, " club.pgn - Game: 3");
    EXPECT_EQ(View().picker.chosen, 3);

    // A number is the game's number in the file, whatever the order; a game
    // the filter hides cannot be chosen, nor OK with no row left.
    EXPECT_EQ(
        Run({"answer Yes", "answer \"sort Black\"", "answer \"sort Black\"", "answer 2", "button \"New Variant\""}),
        (Lines{QuitGame, "picker sort=Black first=1", "picker sort=Black first=3",
               PickerLine("club.pgn", 3, columns, 3, "2")}));
    EXPECT_EQ(Show().caption, " club.pgn - Game: 2");
    EXPECT_EQ(
        Run({"answer Yes", "answer \"filter Ann\"", "answer 2", "button \"New Variant\""}),
        (Lines{QuitGame, "picker filter=\"Ann\" shown=1 first=1", PickerLine("club.pgn", 3, columns, 2, "Cancel")}));
    const std::string again = Write("again.pgn", ThreeGames);
    EXPECT_EQ(Run({"answer \"" + again + "\"", "answer \"filter Zed\"", "answer OK", "menu Open1"}),
              (Lines{OpenLine(again), "picker filter=\"Zed\" shown=0 first=0",
                     PickerLine("again.pgn", 3, columns, 0, "Cancel")}));
}

TEST_F(FilesTest, CommentsVariationsAndGlyphsShowInText1PlyByPly) {
    const std::string path = Write("club.pgn", ThreeGames);
    Open(path, "2");
    const Screen start = Show();
    EXPECT_EQ(start.caption, " club.pgn - Game: 2");
    EXPECT_EQ(start.status1, "*");  // the game has comments
    EXPECT_EQ(start.labels[1], "Cid");
    EXPECT_EQ(start.list1,
              (Lines{"   1.  e2-e4", "       e7-e5", "   2. Ng1-f3", "      Nb8-c6", "   3. Bf1-b5", "       a7-a6"}));
    // The comment after a move shows with that move; the variation and the
    // glyph read before White's second move show before it is played.
    const Lines expected = {"", "Best by test", "1... c5 2. Nf3\ngood move", "", "", "", ""};
    EXPECT_EQ(start.text1, expected[0]);
    for (std::size_t ply = 1; ply < expected.size(); ++ply) {
        Run({"button Forward"});
        EXPECT_EQ(Show().text1, expected[ply]) << "after ply " << ply;
    }
    for (std::size_t ply = expected.size() - 1; ply-- > 0;) {
        Run({"button Back"});
        EXPECT_EQ(Show().text1, expected[ply]) << "back at ply " << ply;
    }
}

TEST_F(FilesTest, BookMovesOfALoadedGameCarryTheMarker) {
    WriteFile(Home() / "orvane.bok",
              CrLf({"ORVANE Version=0.10", "start", "e2e4 e7e5 g1f3 b8c6 f1b5", "                    f1c4 f8c5",
                    "d2d4 d7d5", "names", "e2e4 e7e5 g1f3 b8c6 f1b5~Ruy Lopez~", "end"}));
    // The game leaves the book at a6; nothing after that is marked.
    const std::string path = Write("ruy.pgn", Lines{"[Event \"Club\"]", "", "1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Ba4 *"});
    Open(path, "1");
    const Screen s = Show();
    EXPECT_EQ(s.list1, (Lines{"   1.  e2-e4b", "       e7-e5b", "   2. Ng1-f3b", "      Nb8-c6b", "   3. Bf1-b5b",
                              "       a7-a6", "   4. Bb5-a4"}));
    Run({"button Last"});
    EXPECT_EQ(Show().status2, "Ruy Lopez");
}

TEST_F(FilesTest, TheGameDetailsShowTheTagsOfTheGameRead) {
    const std::string path = Write("club.pgn", ThreeGames);
    Open(path, "2");
    EXPECT_EQ(Run({"answer Cancel", "details"}),
              (Lines{"dialog Details: Event=\"Club\" Site=\"There\" Date=\"\" Black=\"Dee\" White=\"Cid\" -> Cancel"}));
}

TEST_F(FilesTest, ASetUpGameWithBlackToMoveIsNumberedFromItsFen) {
    const std::string path =
        Write("fen.pgn", Lines{"[Event \"Study\"]", "[SetUp \"1\"]", "[FEN \"4k3/8/8/8/8/8/4P3/4K3 b - - 0 12\"]", "",
                               "12... Kd7 13. e4 Kd6 *"});
    Open(path, "OK");
    const Screen s = Show();
    EXPECT_EQ(s.caption, " fen.pgn - Game: 1");
    EXPECT_EQ(s.list1, (Lines{"      Ke8-d7", "  13.  e2-e4", "      Kd7-d6"}));
    EXPECT_EQ(s.ranks, (Lines{". . . . k . . .", ". . . . . . . .", ". . . . . . . .", ". . . . . . . .",
                              ". . . . . . . .", ". . . . . . . .", ". . . . P . . .", ". . . . K . . ."}));
    EXPECT_EQ(s.highlighted, 2);  // Black moves first
    Run({"button Last"});
    EXPECT_EQ(Show().ranks[2], ". . . k . . . .");
}

TEST_F(FilesTest, AnIllegalMoveIsNamedAndLeavesAFreshGame) {
    const std::string path = Write("promo.pgn", Lines{"[Event \"Promotion\"]", "[SetUp \"1\"]",
                                                      "[FEN \"8/4P3/8/8/8/8/k7/4K3 w - - 0 1\"]", "", "1. e8 *"});
    EXPECT_EQ(Open(path, "1"), (Lines{OpenLine(path), PickerLine("promo.pgn", 1, "Number,Event,Result,Setup", 0, "1"),
                                      MsgLine("Error", "exclamation", "E7E8: Illegal move!")}));
    const Screen s = Show();
    EXPECT_EQ(s.caption, " Orvane 0.26 Beta");
    EXPECT_EQ(s.ranks, StartRanks());
    EXPECT_TRUE(s.list1.empty());
    EXPECT_EQ(s.list2.size(), 20U);
    EXPECT_FALSE(s.busy);
    EXPECT_TRUE(View().list1.enabled);
    EXPECT_TRUE(View().menu.Get("mnuGame").enabled);
    EXPECT_TRUE(View().toolbarEnabled);
    EXPECT_EQ(Run({"answer Cancel", "details"}),
              Lines{"dialog Details: Event=\"\" Site=\"\" Date=\"\" Black=\"\" White=\"\" -> Cancel"});
    // The moves can be entered again at once, on the board as from the list.
    EXPECT_EQ(Run({"hover e2", "drag e2 e4"}), Lines{});
    EXPECT_EQ(Run(Play({" e7-e5"})), Lines{});
    EXPECT_EQ(Show().list1, (Lines{"   1.  e2-e4", "       e7-e5"}));
}

TEST_F(FilesTest, AnUnclosedCommentIsALoadError) {
    const std::string path = Write("broken.pgn", Lines{"[Event \"Broken\"]", "", "1. e4 {never closed e5 *"});
    EXPECT_EQ(Open(path, "1"), (Lines{OpenLine(path), PickerLine("broken.pgn", 1, "Number,Event,Result", 0, "1"),
                                      MsgLine("Error", "exclamation", "Error in loading PGN file!")}));
    const Screen s = Show();
    EXPECT_EQ(s.caption, " Orvane 0.26 Beta");
    EXPECT_EQ(s.ranks, StartRanks());
    EXPECT_TRUE(s.list1.empty());
    EXPECT_FALSE(s.busy);
    EXPECT_EQ(s.enabled, "First=0 Moveback=0 MoveForward=0 Last=0 List2=1");
    EXPECT_TRUE(View().toolbarEnabled);
}

// ---- refusals and cancels --------------------------------------------------

TEST_F(FilesTest, EveryCancelLeavesTheGameAsItWas) {
    const std::string path = Write("club.pgn", ThreeGames);
    Run(Play({" e2-e4"}));
    // No to the question: nothing is asked further.
    EXPECT_EQ(Run({"answer No", "menu Open1"}), Lines{MsgLine("Confirmation", "question", "Quit current game?", "No")});
    EXPECT_EQ(Show().list1, Lines{"   1.  e2-e4"});
    // The open dialog cancelled.
    EXPECT_EQ(Run({"answer Yes", "answer \"\"", "button Open"}), (Lines{QuitGame, OpenLine("")}));
    EXPECT_EQ(Show().list1, Lines{"   1.  e2-e4"});
    EXPECT_EQ(Run({"button \"New Variant\""}), Lines{"button \"New Variant\" is disabled"});
}

TEST_F(FilesTest, ACancelledPickerShowsTheGameAsItWas) {
    const std::string path = Write("club.pgn", ThreeGames);
    Open(path, "2");
    Run({"button Last", "button Back", "button Back"});
    const Screen before = Show();
    ASSERT_EQ(before.list1Selected, 3);
    for (const std::string& open : {std::string("menu Open1"), "drop \"" + path + "\""}) {
        SCOPED_TRACE(open);
        Lines script = {"answer Yes", "answer Cancel", open};
        if (open == "menu Open1") script.insert(script.begin() + 1, "answer \"" + path + "\"");
        Run(script);
        const Screen s = Show();
        EXPECT_EQ(s.ranks, before.ranks);
        EXPECT_EQ(s.list1, before.list1);
        EXPECT_EQ(s.list1Selected, 3);
        EXPECT_EQ(s.list2, before.list2);
        EXPECT_EQ(s.text1, before.text1);
        EXPECT_EQ(s.labels, before.labels);
        EXPECT_EQ(s.highlighted, before.highlighted);
        EXPECT_EQ(s.enabled, before.enabled);
        EXPECT_EQ(s.status1, "");
        EXPECT_FALSE(s.busy);
        // The walk goes on from there.
        Run({"button Forward"});
        EXPECT_EQ(Show().list1Selected, 4);
        Run({"button Back"});
    }
    // New Variant starts a new game first; Cancel leaves that fresh game,
    // and after the cancelled opens no game is preselected.
    EXPECT_EQ(
        Run({"answer Yes", "answer Cancel", "button \"New Variant\""}),
        (Lines{QuitGame, PickerLine("club.pgn", 3, "Number,Event,Site,Date,Round,White,Black,Result", 0, "Cancel")}));
    EXPECT_TRUE(Show().list1.empty());
    EXPECT_EQ(Show().ranks, StartRanks());
    EXPECT_EQ(Show().list2.size(), 20U);
}

TEST_F(FilesTest, FilesThatCannotBeReadAreRefusedWithTheirName) {
    const std::string missing = (Home() / "missing.pgn").string();
    EXPECT_EQ(Open(missing, "1"),
              (Lines{OpenLine(missing), MsgLine("Orvane", "exclamation", "missing.pgn does not exist")}));
    EXPECT_EQ(Run({"button \"New Variant\""}), Lines{"button \"New Variant\" is disabled"});

    const std::string notPgn = Write("notes.pgn", Lines{"Shopping list", "[milk]", "bread"});
    EXPECT_EQ(Open(notPgn, "1"),
              (Lines{OpenLine(notPgn), MsgLine("Orvane", "exclamation", "notes.pgn is not a PGN file")}));
    // Nothing was read: the status shows what it showed before.
    EXPECT_EQ(Show().status1, "White moves");
    // The rejected file stays the current one: New Variant reads it again.
    EXPECT_EQ(Run({"button \"New Variant\""}), Lines{MsgLine("Orvane", "exclamation", "notes.pgn is not a PGN file")});

    const std::string lower = Write("lower.pgn", Lines{"event \"Club\"", "", "1. e4 *"});
    EXPECT_EQ(Open(lower, "1"),
              (Lines{OpenLine(lower), MsgLine("Orvane", "exclamation", "lower.pgn is not a PGN file")}));

    const std::string noGames = Write("tags.pgn", Lines{"[! of the club]", "[Event \"Club\"]", "[White \"Ann\"]", ""});
    EXPECT_EQ(Open(noGames, "1"), (Lines{OpenLine(noGames), MsgLine("Orvane", "none", "No games found!")}));
    EXPECT_EQ(Show().status1, "");
    // The remark lines read stay in the information box.
    EXPECT_EQ(Show().text2, "of the club\n");

    const std::string native = Write("game.orv", std::string("not a game file\r\n"));
    EXPECT_EQ(Open(native, "1"),
              (Lines{OpenLine(native), MsgLine("Orvane", "exclamation", "game.orv is not an Orvane file")}));
    EXPECT_EQ(Run({"button \"New Variant\""}), Lines{"button \"New Variant\" is disabled"});
    EXPECT_EQ(Show().ranks, StartRanks());
}

// ---- the index -------------------------------------------------------------

TEST_F(FilesTest, ThePickerShowsOnlyFilledColumnsAndTheRemarksOfTheFile) {
    const std::string path =
        Write("remarks.pgn", Lines{"[! first remark]", "[Event \"A\"]", "[Annotator \"Me\"]", "", "1. e4 *", "",
                                   "[! second remark]", "[Event \"B\"]", "[Source \"Book\"]", "", "1. d4 *"});
    Open(path, "2");
    // Result always holds at least "*".
    EXPECT_EQ(View().picker.columns, (Lines{"Number", "Event", "Result", "Annotator", "Source"}));
    EXPECT_EQ(View().picker.text2, "first remark\r\nsecond remark\r\n");
    EXPECT_EQ(Show().list1, Lines{"   1.  d2-d4"});
    // Once a game is loaded the information box is empty: the remarks
    // belong to the picking, not to the game on the board.
    EXPECT_EQ(View().Text2().Text(), "");
    Run({"answer OK", "button \"New Variant\""});
    EXPECT_EQ(View().picker.text2, "first remark\r\nsecond remark\r\n");
    EXPECT_EQ(View().Text2().Text(), "");
}

TEST_F(FilesTest, ThePickerStopsAtThirtyThousandGames) {
    std::string bytes;
    bytes.reserve(30001 * 24);
    for (int i = 0; i < 30001; ++i) bytes += "[Result \"*\"]\r\n\r\n1. e4 *\r\n\r\n";
    const std::string path = Write("many.pgn", bytes);
    Open(path, "Cancel");
    EXPECT_EQ(View().picker.label, "Number of games: 30000   Aborted! Maximum number of games.");
    EXPECT_EQ(View().picker.rows, 30000);
}

// ---- New Variant, New Game..., the command line, dropping ------------------

TEST_F(FilesTest, NewVariantReadsTheGameAgainWithItsRowPreselected) {
    const std::string path = Write("club.pgn", ThreeGames);
    Open(path, "2");
    Run({"button Forward", "button Forward"});
    Run(Play({"Ng1-h3"}));
    EXPECT_EQ(Show().list1.size(), 3U);
    EXPECT_EQ(Run({"answer Yes", "answer OK", "button \"New Variant\""}),
              (Lines{QuitGame, PickerLine("club.pgn", 3, "Number,Event,Site,Date,Round,White,Black,Result", 2, "2")}));
    const Screen s = Show();
    EXPECT_EQ(s.caption, " club.pgn - Game: 2");
    EXPECT_EQ(s.list1.size(), 6U);
    EXPECT_EQ(s.list1[2], "   2. Ng1-f3");
    EXPECT_EQ(s.ranks, StartRanks());
}

TEST_F(FilesTest, NewGameDotsResetsAndAsksForAFile) {
    const std::string path = Write("club.pgn", ThreeGames);
    Open(path, "1");
    EXPECT_EQ(Run({"answer Yes", "answer \"\"", "menu New1"}), (Lines{QuitGame, OpenLine("")}));
    const Screen s = Show();
    EXPECT_EQ(s.caption, " Orvane 0.26 Beta");
    EXPECT_TRUE(s.list1.empty());
    EXPECT_EQ(Run({"button \"New Variant\""}), Lines{"button \"New Variant\" is disabled"});
    // The file chosen the next time is read.
    EXPECT_EQ(Run({"answer \"" + path + "\"", "answer 3", "menu New1"}).size(), 2U);
    EXPECT_EQ(Show().caption, " club.pgn - Game: 3");
}

TEST_F(FilesTest, AFileOnTheCommandLineOpensOnceTheWindowShows) {
    const std::string path = Write("CLUB.PGN", ThreeGames);
    StartWith(path, false, {"3"});
    EXPECT_TRUE(View().shown);
    EXPECT_EQ(Run({}).size(), 1U) << "the picker";
    EXPECT_EQ(Show().caption, " CLUB.PGN - Game: 3");
    EXPECT_EQ(Show().list1.size(), 4U);
    // It is the current file: New Variant reads it again.
    EXPECT_EQ(
        Run({"answer Yes", "answer Cancel", "button \"New Variant\""}),
        (Lines{QuitGame, PickerLine("CLUB.PGN", 3, "Number,Event,Site,Date,Round,White,Black,Result", 3, "Cancel")}));
}

TEST_F(FilesTest, ABareFileNameOnTheCommandLineNamesTheCaption) {
    Write("club.pgn", ThreeGames);
    const fs::path before = fs::current_path();
    fs::current_path(Home());
    StartWith("club.pgn", false, {"OK"});
    const std::string caption = Show().caption;
    Run({});
    const Lines again = Run({"answer Yes", "answer Cancel", "button \"New Variant\""});
    fs::current_path(before);
    EXPECT_EQ(caption, " club.pgn - Game: 1");
    EXPECT_EQ(
        again,
        (Lines{QuitGame, PickerLine("club.pgn", 3, "Number,Event,Site,Date,Round,White,Black,Result", 1, "Cancel")}));
}

TEST_F(FilesTest, AQuotedOrOtherCommandLineOpensNothing) {
    const std::string path = Write("club.pgn", ThreeGames);
    StartWith("\"" + path + "\"");
    EXPECT_EQ(Printed(), "");
    EXPECT_EQ(View().caption, " Orvane 0.26 Beta");
    EXPECT_EQ(Run({"button \"New Variant\""}), Lines{"button \"New Variant\" is disabled"});
}

TEST_F(FilesTest, ADroppedFileOpensAsOpenWould) {
    const std::string path = Write("club.pgn", ThreeGames);
    Run(Play({" d2-d4"}));
    EXPECT_EQ(Run({"answer Yes", "answer 2", "drop \"" + path + "\""}),
              (Lines{QuitGame, PickerLine("club.pgn", 3, "Number,Event,Site,Date,Round,White,Black,Result", 0, "2")}));
    EXPECT_EQ(Show().caption, " club.pgn - Game: 2");
}

// ---- the batch check --------------------------------------------------------

TEST_F(FilesTest, DebugCommandsShowOnlyWhenStartedForDebugging) {
    Start();
    EXPECT_EQ(Run({"menu debug2"}), Lines{"menu debug2 is disabled"});
    EXPECT_FALSE(Show().label7Visible);
}

TEST_F(FilesTest, TheBatchCheckReplaysEveryGameAndShowsTheLastAtItsEnd) {
    const std::string path = Write("club.pgn", ThreeGames);
    StartWith("", true);
    // The picker's choice does not matter, not even Cancel.
    EXPECT_EQ(Run({"answer \"" + path + "\"", "answer Cancel", "menu debug2"}),
              (Lines{OpenLine(path),
                     PickerLine("club.pgn", 3, "Number,Event,Site,Date,Round,White,Black,Result", 0, "Cancel")}));
    const Screen s = Show();
    EXPECT_TRUE(s.label7Visible);
    EXPECT_EQ(s.label7, "3/3");
    EXPECT_EQ(s.caption, " Orvane 0.26 Beta - club.pgn");
    EXPECT_EQ(s.list1, (Lines{"   1.  f2-f3", "       e7-e5", "   2.  g2-g4", "      Qd8-h4"}));
    EXPECT_EQ(s.ranks[4], ". . . . . . P q");  // the last game at its final position
    EXPECT_FALSE(s.busy);
    EXPECT_EQ(View().eventPasses, 3);
    // No game was picked: New Variant reads the file again with none preselected.
    EXPECT_EQ(
        Run({"answer Yes", "answer Cancel", "button \"New Variant\""}),
        (Lines{QuitGame, PickerLine("club.pgn", 3, "Number,Event,Site,Date,Round,White,Black,Result", 0, "Cancel")}));
}

TEST_F(FilesTest, CommandsWaitWhileTheBatchCheckRuns) {
    const std::string path = Write("club.pgn", ThreeGames);
    StartWith("", true);
    int clicks = 0;
    View().onEvents = [this, &clicks] {
        ++clicks;
        Form().MenuClick("Open1");
        Form().MenuClick("debug2");
        Form().Toolbar1_ButtonClick("New Game");
        Form().Form_OLEDragDrop("elsewhere.pgn");
    };
    EXPECT_EQ(Run({"answer \"" + path + "\"", "answer OK", "menu debug2"}).size(), 2U);
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(Show().label7, "3/3");
    EXPECT_EQ(Show().list1.size(), 4U);
}

TEST_F(FilesTest, TheBatchCheckStopsAtTheFirstIllegalGame) {
    Lines lines = ThreeGames;
    const Lines illegal = {"", "[Event \"Bad\"]", "[SetUp \"1\"]", "[FEN \"8/4P3/8/8/8/8/k7/4K3 w - - 0 1\"]",
                           "", "1. e8 *"};
    lines.insert(lines.begin() + 19, illegal.begin(), illegal.end());
    const std::string path = Write("bad.pgn", lines);
    StartWith("", true);
    const Lines printed = Run({"answer \"" + path + "\"", "answer OK", "menu debug2"});
    ASSERT_EQ(printed.size(), 3U);
    EXPECT_EQ(printed[2], MsgLine("Error", "exclamation", " 3\nE7E8: Illegal move!"));
    const Screen s = Show();
    EXPECT_EQ(s.label7, "3/4");
    EXPECT_EQ(s.ranks, StartRanks());
    EXPECT_TRUE(s.list1.empty());
    EXPECT_EQ(View().eventPasses, 3);
}

TEST_F(FilesTest, ClosingTheWindowStopsTheBatchCheck) {
    Lines lines;
    for (int i = 0; i < 50; ++i) lines.insert(lines.end(), ThreeGames.begin(), ThreeGames.end());
    const std::string path = Write("many.pgn", lines);
    StartWith("", true);
    // The close box while the check runs, and Yes to the exit question.
    View().onEvents = [this] {
        if (View().eventPasses != 4) return;
        View().QueueAnswer("Yes");
        if (!Form().Form_QueryUnload()) Form().Form_Unload();
    };
    Run({"answer \"" + path + "\"", "answer OK", "menu debug2"});
    // No game after the close was read.
    EXPECT_EQ(View().eventPasses, 4);
    EXPECT_EQ(Show().label7, "3/150");
    EXPECT_TRUE(fs::exists(Home() / "orvane.ini"));
}

TEST_F(FilesTest, TheBatchCheckOfAGameFileEndsAtItsLastPly) {
    const std::string path =
        Write("game.orv",
              CrLf({"ORVANE Version=0.10", "Setup=243563421111111100000000000000000000000000000000777777778A9BC9A8",
                    "BlackStarts=0", "START", "{Open}", "e2e4", "e7e5", "g1f3"}));
    StartWith("", true);
    EXPECT_EQ(Run({"answer \"" + path + "\"", "menu debug2"}), Lines{OpenLine(path)});
    const Screen s = Show();
    EXPECT_EQ(s.caption, " Orvane 0.26 Beta - game.orv");
    EXPECT_EQ(s.list1Selected, 2);
    EXPECT_EQ(s.ranks[5], ". . . . . N . .");
    EXPECT_EQ(s.enabled, "First=1 Moveback=1 MoveForward=0 Last=0 List2=1");
    EXPECT_FALSE(s.busy);
}

TEST_F(FilesTest, NamesAndCommentsInWindows1252ShowAsText) {
    const std::string path = Write(
        "latin.pgn", std::string("[Event \"Ch \xD6sterreich\"]\r\n[White \"L\xF3pez\"]\r\n[Black \"M\xFCller\"]\r\n"
                                 "\r\n1. e4 {Sch\xF6n} e5 *\r\n"));
    Open(path, "1");
    Run({"button Forward"});
    const Screen s = Show();
    EXPECT_EQ(s.labels[1], "L\u00f3pez");
    EXPECT_EQ(s.labels[2], "M\u00fcller");
    EXPECT_EQ(s.text1, "Sch\u00f6n");
    EXPECT_EQ(Run({"answer Cancel", "details"}),
              Lines{"dialog Details: Event=\"Ch \u00d6sterreich\" Site=\"\" Date=\"\" Black=\"M\u00fcller\" "
                    "White=\"L\u00f3pez\" -> Cancel"});
}

// ---- the real collections ----------------------------------------------------

TEST_F(FilesTest, RealCollectionsOpenAndTheirLastGameLoads) {
    struct Collection {
        const char* file;
        long games;
    };
    bool first = true;
    for (const Collection c : {Collection{"Kasparov.pgn", 2017}, Collection{"Fischer.pgn", 827}}) {
        const fs::path file = SharedDataFile(std::string("pgn/collections/") + c.file);
        if (!SharedDataPresent(file)) GTEST_SKIP() << SharedDataMissing(file);
        // After the first game, opening asks to quit it first.
        if (!first) Run({"answer Yes"});
        const Lines printed = Open(file.string(), std::to_string(c.games));
        ASSERT_EQ(printed.size(), first ? 2U : 3U) << printed.back();
        first = false;
        EXPECT_EQ(View().picker.label, "Number of games: " + std::to_string(c.games));
        const Screen s = Show();
        EXPECT_EQ(s.caption, std::string(" ") + c.file + " - Game: " + std::to_string(c.games));
        EXPECT_FALSE(s.list1.empty());
        EXPECT_EQ(s.ranks, StartRanks());
        Run({"button Last"});
        EXPECT_EQ(Show().list1Selected, static_cast<int>(s.list1.size()) - 1);
    }
}

TEST_F(FilesTest, TheBatchCheckPassesARealCollection) {
    const fs::path file = SharedDataFile("pgn/collections/Nimzowitsch.pgn");
    if (!SharedDataPresent(file)) GTEST_SKIP() << SharedDataMissing(file);
    StartWith("", true);
    const Lines printed = Run({"answer \"" + file.string() + "\"", "answer OK", "menu debug2"});
    EXPECT_EQ(printed.size(), 2U) << printed.back();
    EXPECT_EQ(Show().label7, "512/512");
    EXPECT_EQ(Show().caption, " Orvane 0.26 Beta - Nimzowitsch.pgn");
}

}  // namespace
}  // namespace orvane::ui::test
