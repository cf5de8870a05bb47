// Games and positions out of the window and into it: Save as PGN with its
// dialog, question and failures; Copy Game and Copy Position; Paste of a FEN,
// of a PGN text with one or several games, and of anything else.
#include <unistd.h>

#include <cstdlib>

#include "uitest.h"

namespace orvane::ui::test {
namespace {

const std::string PgnFilter = "Portable Game Notation File (*.pgn)|*.pgn|";
const std::string QuitGame = MsgLine("Confirmation", "question", "Quit current game?", "Yes");
const std::string NothingToPaste = MsgLine("Error", "exclamation", "The clipboard holds no game or position.");

std::string SavePgnLine(const std::string& path) {
    return "dialog Save: title=\"Save Game as PGN\" filter=" + fake::Quoted(PgnFilter) + " -> " + fake::Quoted(path);
}
std::string AddLine(const std::string& name, const std::string& answer) {
    return MsgLine("Confirmation", "question", name + " already exists. Add the game at its end?", answer);
}
std::string ClipboardLine(const std::string& text) { return "clipboard " + fake::Quoted(text); }

// The export text of 1.e4 e5 2.Nf3 with a comment of two lines, lines ended by eol.
std::string ShortGame(const std::string& eol) {
    return "[Event \"?\"]" + eol + "[Site \"?\"]" + eol + "[Date \"????.??.??\"]" + eol + "[Round \"?\"]" + eol +
           "[White \"?\"]" + eol + "[Black \"?\"]" + eol + "[Result \"*\"]" + eol + eol +
           "1. e4 e5 {Open game} {\"the\" classic} 2. Nf3 *" + eol + eol;
}

class ClipboardTest : public UiTest {
protected:
    std::string PathOf(const std::string& name) const { return (Home() / name).string(); }
    void PlayShortGame() {
        Run(Play({" e2-e4", " e7-e5"}));
        Run({"comment \"Open game\\n\\\"the\\\" classic\""});
        Run(Play({"Ng1-f3"}));
    }
    // The FEN Copy Position gives for the position on the board.
    std::string CopiedFen() {
        const Lines printed = Run({"menu copyfen"});
        EXPECT_EQ(printed.size(), 1U);
        return printed.empty() ? std::string() : printed[0];
    }
};

// ---- Save as PGN -------------------------------------------------------------

TEST_F(ClipboardTest, SaveAsPgnWritesTheGameToANewFile) {
    PlayShortGame();
    const std::string typed = PathOf("short");
    EXPECT_EQ(Run({"answer \"" + typed + "\"", "menu savepgn"}), Lines{SavePgnLine(typed)});
    EXPECT_EQ(ReadFile(PathOf("short.pgn")), ShortGame("\r\n"));
    EXPECT_FALSE(fs::exists(typed));
    const Screen s = Show();
    EXPECT_EQ(s.status1, "Game saved!");
    // The game stays the one of the board: no file name of its own yet.
    EXPECT_EQ(s.caption, " Orvane 0.26 Beta");
    EXPECT_EQ(Run({"answer \"\"", "button Save"}).size(), 1U);

    // Cancelled: nothing.
    EXPECT_EQ(Run({"answer \"\"", "menu savepgn"}), Lines{SavePgnLine("")});
}

TEST_F(ClipboardTest, AnExistingCollectionGetsTheGameAtItsEndOnlyWhenTheUserSaysYes) {
    // A collection with bare line feeds and no line end after its last game.
    const std::string path = PathOf("club.pgn");
    const std::string club = "[Event \"Club\"]\n[Site \"Here\"]\n\n1. d4 d5 *";
    WriteFile(path, club);
    PlayShortGame();
    EXPECT_EQ(Run({"answer \"" + path + "\"", "answer No", "menu savepgn"}),
              (Lines{SavePgnLine(path), AddLine("club.pgn", "No")}));
    EXPECT_EQ(ReadFile(path), club);
    EXPECT_NE(Show().status1, "Game saved!");

    EXPECT_EQ(Run({"answer \"" + path + "\"", "answer Yes", "menu savepgn"}),
              (Lines{SavePgnLine(path), AddLine("club.pgn", "Yes")}));
    EXPECT_EQ(ReadFile(path), club + "\n\n" + ShortGame("\n"));
    EXPECT_EQ(Show().status1, "Game saved!");

    // The collection now holds both games, the new one as it was played.
    Run({"answer Yes", "answer \"" + path + "\"", "answer 2", "menu Open1"});
    const Screen s = Show();
    EXPECT_EQ(View().picker.label, "Number of games: 2");
    EXPECT_EQ(s.list1, (Lines{"   1.  e2-e4", "       e7-e5", "   2. Ng1-f3"}));
    Run({"list1 1"});
    EXPECT_EQ(Show().text1, "Open game\n\"the\" classic");
}

TEST_F(ClipboardTest, ACollectionInWindows1252StaysSo) {
    const std::string path = PathOf("old.pgn");
    const std::string old = "[Event \"Gr\xFCnfeld\"]\r\n\r\n1. d4 Nf6 *\r\n\r\n";
    WriteFile(path, old);
    Run(Play({" e2-e4"}));
    Run({"comment \"Caf\xC3\xA9\""});
    Run({"answer \"" + path + "\"", "answer Yes", "menu savepgn"});
    const std::string text = ReadFile(path);
    EXPECT_EQ(text.substr(0, old.size()), old);
    EXPECT_NE(text.find("1. e4 {Caf\xE9} *\r\n"), std::string::npos) << text;
}

TEST_F(ClipboardTest, AFailedSaveAsPgnLeavesTheCollectionWhole) {
    const std::string path = PathOf("club.pgn");
    WriteFile(path, "[Event \"Club\"]\n\n1. d4 d5 *\n");
    fs::create_directory(path + ".tmp~");  // the new file cannot be made
    Run(Play({" e2-e4"}));
    const Lines printed = Run({"answer \"" + path + "\"", "answer Yes", "menu savepgn"});
    ASSERT_EQ(printed.size(), 3U);
    EXPECT_EQ(printed[2].rfind("msgbox title=\"Error\" icon=exclamation text=\"The game could not be saved: " + path +
                                   ": cannot be written in its folder (",
                               0),
              0U)
        << printed[2];
    EXPECT_EQ(ReadFile(path), "[Event \"Club\"]\n\n1. d4 d5 *\n");
    EXPECT_NE(Show().status1, "Game saved!");
}

// ---- Copy Game and Copy Position -------------------------------------------------

TEST_F(ClipboardTest, CopyGamePutsTheExportTextOnTheClipboard) {
    PlayShortGame();
    Run({"menu First"});  // whatever ply the board shows
    std::string text = ShortGame("\n");
    text.pop_back();  // no empty line after the game
    EXPECT_EQ(Run({"menu copygame"}), Lines{ClipboardLine(text)});
    EXPECT_EQ(View().clipboard, text);
}

struct FenRow {
    std::string name;
    Lines moves;  // List2 entries
    std::string fen;
};

class CopyPosition : public ClipboardTest, public ::testing::WithParamInterface<FenRow> {};

TEST_P(CopyPosition, FenOfThePositionOnTheBoard) {
    Run(Play(GetParam().moves));
    EXPECT_EQ(CopiedFen(), ClipboardLine(GetParam().fen));
}

// The first four rows are the examples of the PGN standard.
INSTANTIATE_TEST_SUITE_P(
    Clipboard, CopyPosition,
    ::testing::Values(
        FenRow{"Start", {}, "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"},
        FenRow{"AfterADoubleStep", {" e2-e4"}, "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1"},
        FenRow{"AfterTheReply", {" e2-e4", " c7-c5"}, "rnbqkbnr/pp1ppppp/8/2p5/4P3/8/PPPP1PPP/RNBQKBNR w KQkq c6 0 2"},
        FenRow{"AfterAPieceMove",
               {" e2-e4", " c7-c5", "Ng1-f3"},
               "rnbqkbnr/pp1ppppp/8/2p5/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 1 2"},
        FenRow{"AfterCastling",
               {" e2-e4", " e7-e5", "Ng1-f3", "Nb8-c6", "Bf1-c4", "Bf8-c5", "   O-O"},
               "r1bqk1nr/pppp1ppp/2n5/2b1p3/2B1P3/5N2/PPPP1PPP/RNBQ1RK1 b kq - 5 4"},
        FenRow{"AfterARookHasMoved",
               {" h2-h4", " a7-a5", "Rh1-h3"},
               "rnbqkbnr/1ppppppp/8/p7/7P/7R/PPPPPPP1/RNBQKBN1 b Qkq - 1 2"},
        FenRow{"RooksBackHomeKeepTheirRightsLost",
               {" h2-h4", " a7-a5", "Rh1-h3", "Ra8-a6", "Rh3-h1"},
               "1nbqkbnr/1ppppppp/r7/p7/7P/8/PPPPPPP1/RNBQKBNR b Qk - 3 3"},
        FenRow{"AfterACapture",
               {" e2-e4", " d7-d5", " e4xd5", "Qd8xd5"},
               "rnb1kbnr/ppp1pppp/8/3q4/8/8/PPPP1PPP/RNBQKBNR w KQkq - 0 3"}),
    ScenarioName());

TEST_F(ClipboardTest, CopyPositionFollowsTheBoardAndTheFenItStartedFrom) {
    Run(Play({" e2-e4", " e7-e5", "Ng1-f3"}));
    Run({"list1 0"});
    EXPECT_EQ(CopiedFen(), ClipboardLine("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1"));
    Run({"menu First"});
    EXPECT_EQ(CopiedFen(), ClipboardLine("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"));

    // From a pasted FEN: its clocks count on.
    Run({"answer Yes", "clipboard \"r3k2r/8/8/8/8/8/8/R3K2R b Kq - 7 30\"", "menu paste"});
    EXPECT_EQ(CopiedFen(), ClipboardLine("r3k2r/8/8/8/8/8/8/R3K2R b Kq - 7 30"));
    Run(Play({" O-O-O"}));
    EXPECT_EQ(CopiedFen(), ClipboardLine("2kr3r/8/8/8/8/8/8/R3K2R w K - 8 31"));
    EXPECT_EQ(Show().list1, Lines{"       O-O-O"});

    // Black to move by Switch Colors: the move list counts White's reply in
    // the first move pair, and so does the FEN.
    Run({"answer Yes", "menu New", "button \"Switch Colors\""});
    EXPECT_EQ(CopiedFen(), ClipboardLine("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1"));
    Run(Play({" e7-e5"}));
    EXPECT_EQ(CopiedFen(), ClipboardLine("rnbqkbnr/pppp1ppp/8/4p3/8/8/PPPPPPPP/RNBQKBNR w KQkq e6 0 1"));
    Run(Play({" e2-e4"}));
    EXPECT_EQ(CopiedFen(), ClipboardLine("rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 2"));
    EXPECT_EQ(Show().list1, (Lines{"   1.  e7-e5", "       e2-e4"}));
}

// ---- Paste ------------------------------------------------------------------

TEST_F(ClipboardTest, APastedFenStartsANewGame) {
    Run(Play({" e2-e4"}));
    EXPECT_EQ(Run({"answer Yes", "clipboard \"  4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 41 \\n\"", "menu paste"}),
              Lines{QuitGame});
    const Screen s = Show();
    EXPECT_EQ(s.ranks, (Lines{". . . . k . . .", ". . . . . . . .", ". . . . . . . .", ". . . p P . . .",
                              ". . . . . . . .", ". . . . . . . .", ". . . . . . . .", ". . . . K . . ."}));
    EXPECT_TRUE(s.list1.empty());
    EXPECT_EQ(s.caption, " Orvane 0.26 Beta");
    EXPECT_EQ(s.status1, "White moves");
    // The capture en passant is there, at once and after a walk back.
    EXPECT_TRUE(Contains(s.list2, " e5xd6"));
    Run(Play({" e5xd6", "Ke8-d7"}));
    EXPECT_EQ(Show().list1, (Lines{"  41.  e5xd6", "      Ke8-d7"}));
    Run({"menu First"});
    EXPECT_TRUE(Contains(Show().list2, " e5xd6"));
    // Saved and read back, it is the same game.
    const std::string path = PathOf("pasted.orv");
    Run({"answer \"" + path + "\"", "menu saveopen"});
    EXPECT_EQ(ReadFile(path),
              CrLf({"ORVANE Version=0.10",
                    "Setup=00006000" + std::string(24, '0') + "00071000" + std::string(16, '0') + "0000C000",
                    "BlackStarts=0", "Castling=-", "EnPassant=d6", "START", "e5d6", "e8d7"}));
}

TEST_F(ClipboardTest, ARefusedFenIsToldAndChangesNothing) {
    Run(Play({" e2-e4"}));
    EXPECT_EQ(Run({"clipboard \"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBN w KQkq - 0 1\"", "menu paste"}),
              Lines{MsgLine("Error", "exclamation",
                            "FEN refused: fewer than eight squares in a rank (field 1, character 43)")});
    EXPECT_EQ(Run({"clipboard \"4k3/8/8/8/8/8/8/8 w - - 0 1\"", "menu paste"}),
              Lines{MsgLine("Error", "exclamation", "FEN refused: no White king (field 1, character 18)")});
    EXPECT_EQ(Show().list1, Lines{"   1.  e2-e4"});
    // A game kept when the user says No.
    EXPECT_EQ(Run({"answer No", "clipboard \"4k3/8/8/8/8/8/8/4K3 w - - 0 1\"", "menu paste"}),
              Lines{MsgLine("Confirmation", "question", "Quit current game?", "No")});
    EXPECT_EQ(Show().list1, Lines{"   1.  e2-e4"});
}

TEST_F(ClipboardTest, APastedGameIsLoadedAtOnce) {
    // The paste works in a folder of its own, which is gone afterwards.
    const std::string tmp = Home().string();
    const char* before = std::getenv("TMPDIR");
    const std::string saved = before != nullptr ? before : "";
    ::setenv("TMPDIR", tmp.c_str(), 1);
    const std::string game =
        "[Event \"Pasted\"]\n[White \"Ann\"]\n[Black \"Bob\"]\n[Result \"1-0\"]\n\n1. e4 {Best} e5 2. Nf3 1-0\n";
    const Lines printed = Run({"clipboard " + fake::Quoted(game), "menu paste"});
    if (before != nullptr)
        ::setenv("TMPDIR", saved.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
    EXPECT_EQ(printed, Lines{}) << "no picker for one game";
    const Screen s = Show();
    EXPECT_EQ(s.caption, " Clipboard - Game: 1");
    EXPECT_EQ(s.status1, "1-0");
    EXPECT_EQ(s.list1, (Lines{"   1.  e2-e4", "       e7-e5", "   2. Ng1-f3"}));
    EXPECT_EQ(s.labels[1], "Ann");
    EXPECT_EQ(s.ranks, StartRanks());
    Run({"list1 0"});
    EXPECT_EQ(Show().text1, "Best");
    for (const auto& entry : fs::directory_iterator(Home()))
        EXPECT_EQ(entry.path().filename().string().rfind("orvane-paste-", 0), std::string::npos) << entry.path();
    // The game belongs to no file: New Variant stays off, Save asks.
    EXPECT_EQ(Run({"button \"New Variant\""}), Lines{"button \"New Variant\" is disabled"});
    EXPECT_EQ(Run({"answer \"\"", "button Save"}).size(), 1U);
}

TEST_F(ClipboardTest, APastedCollectionShowsThePickerFirst) {
    const std::string games = "[Event \"A\"]\n\n1. e4 e5 *\n\n[Event \"B\"]\n\n1. d4 d5 2. c4 *\n";
    const Lines printed = Run({"clipboard " + fake::Quoted(games), "answer 2", "menu paste"});
    ASSERT_EQ(printed.size(), 1U);
    EXPECT_EQ(printed[0],
              "dialog dlgPGN: caption=\"Open PGN game from Clipboard\" label=\"Number of games: 2\" "
              "columns=\"Number,Event,Result\" selected=0 -> 2");
    EXPECT_EQ(Show().list1, (Lines{"   1.  d2-d4", "       d7-d5", "   2.  c2-c4"}));
    EXPECT_EQ(Show().caption, " Clipboard - Game: 2");
}

TEST_F(ClipboardTest, AnythingElseIsNoGameOrPosition) {
    for (const std::string& text : {std::string(), std::string("hello"), std::string("1. e4 e5"),
                                    std::string("[Event \"no moves\"]\n"), std::string("e4/e5")}) {
        EXPECT_EQ(Run({"clipboard " + fake::Quoted(text), "menu paste"}), Lines{NothingToPaste}) << text;
    }
    EXPECT_EQ(Show().ranks, StartRanks());
}

}  // namespace
}  // namespace orvane::ui::test
