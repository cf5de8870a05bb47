// Window scenarios written once and run over both windows: the recording
// fake view (frmMain's event entry points) and the real Qt window (real mouse
// and key events on its widgets, offscreen). A scenario that passes over the
// fake view and fails over the Qt window points at the Qt layer: a widget
// that no longer reports what the user did, or shows something else than it
// was told.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <ostream>

#include "fakeuser.h"
#include "qtuser.h"

namespace orvane::scenarios {
namespace {

const Lines StartBoard = {"rnbqkbnr", "pppppppp", "........", "........",
                          "........", "........", "PPPPPPPP", "RNBQKBNR"};

// A window to run the scenarios over.
struct View {
    const char* name;
    std::unique_ptr<User> (*make)();
};
void PrintTo(const View& view, std::ostream* os) { *os << view.name; }

template <class TheUser>
std::unique_ptr<User> Make() {
    return std::make_unique<TheUser>();
}

class Scenario : public ::testing::TestWithParam<View> {
protected:
    // The program started in a folder of its own, with the files written
    // there before.
    User& Started() {
        if (!started_) {
            started_ = true;
            user_->Start(Folder());
        }
        return *user_;
    }
    std::filesystem::path Folder() const { return std::filesystem::path(folder_.path().toStdString()); }
    void WriteFile(const std::string& name, const std::string& bytes) const {
        std::ofstream out(Folder() / name, std::ios::binary);
        out << bytes;
    }

private:
    QTemporaryDir folder_;
    std::unique_ptr<User> user_ = GetParam().make();
    bool started_ = false;
};

// Double-clicks each entry of the available moves in turn.
void Play(User& user, const Lines& entries) {
    for (const std::string& entry : entries) {
        const Lines shown = user.List2();
        ASSERT_NE(std::find(shown.begin(), shown.end(), entry), shown.end()) << "no entry \"" << entry << "\"";
        user.DoubleClickList2(entry);
    }
}

// The last row of the move list, "" when it is empty.
std::string LastRow(const User& user) {
    const Lines rows = user.List1();
    return rows.empty() ? std::string() : rows.back();
}

const Lines OpenGame = {" e2-e4", " e7-e5", "Ng1-f3", "Nb8-c6"};
const Lines OpenGameRows = {"   1.  e2-e4", "       e7-e5", "   2. Ng1-f3", "      Nb8-c6"};
// The board after each ply of OpenGame, rank 8 to rank 1.
const Lines AfterPly1 = {"rnbqkbnr", "pppppppp", "........", "........",
                         "....P...", "........", "PPPP.PPP", "RNBQKBNR"};
const Lines AfterPly2 = {"rnbqkbnr", "pppp.ppp", "........", "....p...",
                         "....P...", "........", "PPPP.PPP", "RNBQKBNR"};
const Lines AfterPly3 = {"rnbqkbnr", "pppp.ppp", "........", "....p...",
                         "....P...", ".....N..", "PPPP.PPP", "RNBQKB.R"};
const Lines AfterPly4 = {"r.bqkbnr", "pppp.ppp", "..n.....", "....p...",
                         "....P...", ".....N..", "PPPP.PPP", "RNBQKB.R"};

TEST_P(Scenario, StartsWithTheStartPosition) {
    User& user = Started();
    EXPECT_EQ(user.Caption(), " Orvane 0.26 Beta");
    EXPECT_EQ(user.Board(), StartBoard);
    EXPECT_EQ(user.List1(), Lines{});
    EXPECT_EQ(user.List2().size(), 20u);
    EXPECT_EQ(user.Status(1), "White moves");
    EXPECT_EQ(user.Status(2), "");
    EXPECT_FALSE(user.ButtonEnabled("Back"));
    EXPECT_FALSE(user.MenuEnabled("Moveback"));
    EXPECT_FALSE(user.ButtonEnabled("Forward"));
    EXPECT_TRUE(user.ButtonEnabled("Switch Colors"));
    EXPECT_EQ(user.Met(), Events{});
}

TEST_P(Scenario, DraggingPiecesEntersMoves) {
    User& user = Started();
    user.Drag("e2", "e4");
    user.Drag("e7", "e5");
    user.Drag("g1", "f3");
    user.Drag("b8", "c6");
    EXPECT_EQ(user.List1(), OpenGameRows);
    EXPECT_EQ(user.List1Selected(), 3);
    EXPECT_EQ(user.Board(), AfterPly4);
    EXPECT_TRUE(user.ButtonEnabled("Back"));
    EXPECT_FALSE(user.ButtonEnabled("Forward"));
    // White to move again: the available moves are White's.
    const Lines moves = user.List2();
    EXPECT_NE(std::find(moves.begin(), moves.end(), "Bf1-b5"), moves.end());
    EXPECT_EQ(std::find(moves.begin(), moves.end(), " d7-d5"), moves.end());
    EXPECT_EQ(user.Met(), Events{});
}

TEST_P(Scenario, APawnReachingTheLastRankBecomesThePieceChosen) {
    User& user = Started();
    const Lines path = {"a2", "a4", "b7", "b5", "a4", "b5", "a7", "a6", "b5", "a6", "c8", "b7", "a6", "b7", "b8", "c6"};
    for (std::size_t i = 0; i + 1 < path.size(); i += 2) user.Drag(path[i], path[i + 1]);
    ASSERT_EQ(user.List1().size(), 8u);
    ASSERT_EQ(user.Met(), Events{});
    user.Answer("Knight");
    user.Drag("b7", "a8");  // takes the rook
    EXPECT_EQ(user.Met(), Events{"menu mnuPromo: Queen Rook Bishop Knight"});
    EXPECT_EQ(user.On("a8"), 'N');
    EXPECT_EQ(user.On("b7"), '.');
    EXPECT_EQ(user.List1().size(), 9u);
    EXPECT_EQ(LastRow(user), "   5.  b7xa8N");
    EXPECT_EQ(user.List1Selected(), 8);
    // Dismissed, the menu gives its default piece, the queen.
    user.Button("Back");
    user.Drag("b7", "a8");
    EXPECT_EQ(user.Met().size(), 2u);
    EXPECT_EQ(user.On("a8"), 'Q');
    EXPECT_EQ(LastRow(user), "   5.  b7xa8Q");
}

TEST_P(Scenario, ClickingAPieceWithoutDraggingMovesNothing) {
    User& user = Started();
    user.Click("e2");
    user.Click("e4");  // an empty square
    EXPECT_EQ(user.Board(), StartBoard);
    EXPECT_EQ(user.List1(), Lines{});
    EXPECT_EQ(user.Met(), Events{});
    user.Drag("e2", "e4");
    EXPECT_EQ(user.Board(), AfterPly1);
}

TEST_P(Scenario, RefusedMovesAreExplainedAndLeaveTheBoard) {
    User& user = Started();
    user.Drag("e2", "e5");  // a pawn cannot go three squares
    user.Drag("e7", "e5");  // Black's piece while White moves
    user.Drag("a1", "a3");  // the rook is shut in
    EXPECT_EQ(user.Met(),
              (Events{"box Error: Illegal move", "box Error: White moves", "box Error: You cannot move that piece"}));
    EXPECT_EQ(user.Board(), StartBoard);
    EXPECT_EQ(user.List1(), Lines{});
    // The board still takes a legal move afterwards.
    user.Drag("e2", "e4");
    EXPECT_EQ(user.List1(), Lines{"   1.  e2-e4"});
}

TEST_P(Scenario, KeysInTheMoveListStepThroughTheGame) {
    User& user = Started();
    Play(user, OpenGame);
    ASSERT_EQ(user.List1(), OpenGameRows);
    // The arrows only move the selection; Enter goes there.
    user.KeyInList1(Key::Up);
    user.KeyInList1(Key::Up);
    EXPECT_EQ(user.List1Selected(), 1);
    EXPECT_EQ(user.Board(), AfterPly4);
    user.KeyInList1(Key::Enter);
    EXPECT_EQ(user.Board(), AfterPly2);
    EXPECT_EQ(user.List1Selected(), 1);
    EXPECT_TRUE(user.ButtonEnabled("Forward"));
    EXPECT_TRUE(user.MenuEnabled("Last"));
    user.KeyInList1(Key::Home);
    user.KeyInList1(Key::Enter);
    EXPECT_EQ(user.Board(), AfterPly1);
    EXPECT_EQ(user.List1Selected(), 0);
    user.KeyInList1(Key::Down);
    user.KeyInList1(Key::Down);
    user.KeyInList1(Key::Enter);
    EXPECT_EQ(user.Board(), AfterPly3);
    user.KeyInList1(Key::End);
    user.KeyInList1(Key::Enter);
    EXPECT_EQ(user.Board(), AfterPly4);
    EXPECT_EQ(user.List1Selected(), 3);
    EXPECT_FALSE(user.ButtonEnabled("Forward"));
    // Walking never changes the game.
    EXPECT_EQ(user.List1(), OpenGameRows);
    EXPECT_EQ(user.Met(), Events{});
}

TEST_P(Scenario, ClickingARowOfTheMoveListGoesThere) {
    User& user = Started();
    Play(user, OpenGame);
    user.ClickList1(0);
    EXPECT_EQ(user.Board(), AfterPly1);
    EXPECT_EQ(user.List1Selected(), 0);
    user.ClickList1(2);
    EXPECT_EQ(user.Board(), AfterPly3);
    EXPECT_EQ(user.List1Selected(), 2);
    EXPECT_EQ(user.List1(), OpenGameRows);
}

TEST_P(Scenario, ToolbarButtonsWalkTheGame) {
    User& user = Started();
    Play(user, OpenGame);
    user.Button("First");
    EXPECT_EQ(user.Board(), StartBoard);
    EXPECT_EQ(user.List1Selected(), -1);
    EXPECT_FALSE(user.ButtonEnabled("First"));
    EXPECT_FALSE(user.ButtonEnabled("Back"));
    EXPECT_TRUE(user.ButtonEnabled("Forward"));
    EXPECT_TRUE(user.ButtonEnabled("Last"));
    user.Button("Forward");
    EXPECT_EQ(user.Board(), AfterPly1);
    EXPECT_EQ(user.List1Selected(), 0);
    user.Button("Forward");
    EXPECT_EQ(user.Board(), AfterPly2);
    user.Button("Last");
    EXPECT_EQ(user.Board(), AfterPly4);
    EXPECT_EQ(user.List1Selected(), 3);
    EXPECT_FALSE(user.ButtonEnabled("Forward"));
    EXPECT_FALSE(user.ButtonEnabled("Last"));
    user.Button("Back");
    EXPECT_EQ(user.Board(), AfterPly3);
    EXPECT_EQ(user.List1Selected(), 2);
    // A disabled button does nothing.
    user.Button("Last");
    user.Button("Forward");
    user.Button("Forward");
    EXPECT_EQ(user.Board(), AfterPly4);
    EXPECT_EQ(user.List1(), OpenGameRows);
}

TEST_P(Scenario, PlayMenuWalksTheGame) {
    User& user = Started();
    Play(user, OpenGame);
    user.Menu("First");
    EXPECT_EQ(user.Board(), StartBoard);
    EXPECT_FALSE(user.MenuEnabled("Moveback"));
    user.Menu("Moveback");  // disabled: nothing happens
    EXPECT_EQ(user.Board(), StartBoard);
    user.Menu("MoveForward");
    EXPECT_EQ(user.Board(), AfterPly1);
    user.Menu("Last");
    EXPECT_EQ(user.Board(), AfterPly4);
    EXPECT_FALSE(user.MenuEnabled("MoveForward"));
    user.Menu("Moveback");
    user.Menu("Moveback");
    EXPECT_EQ(user.Board(), AfterPly2);
    EXPECT_EQ(user.List1Selected(), 1);
    EXPECT_TRUE(user.MenuEnabled("MoveForward"));
}

TEST_P(Scenario, AMoveInsideTheGameTakesBackTheRest) {
    User& user = Started();
    Play(user, OpenGame);
    user.ClickList1(2);
    user.TypeComment("developing");
    user.Button("Back");
    ASSERT_EQ(user.Board(), AfterPly2);
    // White plays another second move: the last two rows go.
    user.Drag("d2", "d4");
    EXPECT_EQ(user.List1(), (Lines{"   1.  e2-e4", "       e7-e5", "   2.  d2-d4"}));
    EXPECT_EQ(user.List1Selected(), 2);
    EXPECT_FALSE(user.ButtonEnabled("Forward"));
    EXPECT_EQ(user.Comment(), "");
    EXPECT_EQ(user.Board(),
              (Lines{"rnbqkbnr", "pppp.ppp", "........", "....p...", "...PP...", "........", "PPP..PPP", "RNBQKBNR"}));
    // The knight's move is gone with its comment.
    user.Drag("e5", "d4");
    user.Button("Back");
    user.Button("Forward");
    EXPECT_EQ(LastRow(user), "       e5xd4");
    EXPECT_EQ(user.Comment(), "");
    // Taking back the last move and playing another replaces the last row.
    user.Button("Back");
    Play(user, {"Nb8-c6"});
    EXPECT_EQ(user.List1(), (Lines{"   1.  e2-e4", "       e7-e5", "   2.  d2-d4", "      Nb8-c6"}));
    EXPECT_EQ(user.Met(), Events{});
}

TEST_P(Scenario, ACommentTypedStaysWithItsPly) {
    User& user = Started();
    Play(user, {" e2-e4"});
    user.TypeComment("King's pawn");
    Play(user, {" e7-e5"});
    EXPECT_EQ(user.Comment(), "");
    user.TypeComment("symmetry");
    user.ClickList1(0);
    EXPECT_EQ(user.Comment(), "King's pawn");
    user.Button("Forward");
    EXPECT_EQ(user.Comment(), "symmetry");
    user.Button("First");
    EXPECT_EQ(user.Comment(), "");
    user.Button("Last");
    user.TypeComment(", again");
    user.Menu("Moveback");
    EXPECT_EQ(user.Comment(), "King's pawn");
    user.KeyInList1(Key::Down);
    user.KeyInList1(Key::Enter);
    EXPECT_EQ(user.Comment(), "symmetry, again");
}

TEST_P(Scenario, MateWaitsWithTheMatedBoardShownThenTellsTheWinner) {
    User& user = Started();
    Play(user, {" f2-f3", " e7-e5", " g2-g4"});
    user.Drag("d8", "h4");
    EXPECT_EQ(user.Met(), (Events{"pause 0.5", "box Congratulations: Black wins!"}));
    // The mating queen is on the board before the pause and the box.
    const Lines mated = {"rnb.kbnr", "pppp.ppp", "........", "....p...",
                         "......Pq", ".....P..", "PPPPP..P", "RNBQKBNR"};
    EXPECT_EQ(user.BoardWhenLastMet(), mated);
    EXPECT_EQ(user.Board(), mated);
    EXPECT_EQ(user.Status(1), "Black wins!");
    EXPECT_FALSE(user.List2Enabled());
    EXPECT_EQ(LastRow(user), "      Qd8-h4");
    // Stepping back reopens the list of moves.
    user.Button("Back");
    EXPECT_TRUE(user.List2Enabled());
    EXPECT_EQ(user.Met().size(), 2u);
}

TEST_P(Scenario, AboutBoxShowsTheVersion) {
    User& user = Started();
    Play(user, {" d2-d4"});
    user.Menu("mnu_Help_About");
    EXPECT_EQ(user.Met(), Events{"about Version 0.26 Beta"});
    EXPECT_EQ(user.List1(), Lines{"   1.  d2-d4"});
    EXPECT_EQ(user.List2().size(), 20u);
}

TEST_P(Scenario, DoubleClickedBookMovesFollowTheBook) {
    WriteFile("orvane.bok",
              "ORVANE Version=0.10\r\nstart\r\ne2e4 e7e5 g1f3\r\ne2e4 c7c5\r\nd2d4 d7d5\r\nnames\r\n"
              "e2e4~King's pawn~\r\ne2e4 e7e5~Open Game~\r\nend\r\n");
    User& user = Started();
    const Lines start = user.List2();
    EXPECT_NE(std::find(start.begin(), start.end(), " e2-e4b"), start.end());
    EXPECT_NE(std::find(start.begin(), start.end(), " d2-d4b"), start.end());
    Play(user, {" e2-e4b"});
    EXPECT_EQ(user.List1(), Lines{"   1.  e2-e4b"});
    EXPECT_EQ(user.Status(2), "King's pawn");
    const Lines answers = user.List2();
    EXPECT_NE(std::find(answers.begin(), answers.end(), " c7-c5b"), answers.end());
    Play(user, {" e7-e5b"});
    EXPECT_EQ(user.Status(2), "Open Game");
    // Leaving the book: no marker, the name stays.
    Play(user, {" d2-d4"});
    EXPECT_EQ(user.List1(), (Lines{"   1.  e2-e4b", "       e7-e5b", "   2.  d2-d4"}));
    EXPECT_EQ(user.Status(2), "Open Game");
    EXPECT_EQ(user.Met(), Events{});
}

TEST_P(Scenario, EnterInTheAvailableMovesPlaysTheSelectedOne) {
    User& user = Started();
    const Lines moves = user.List2();
    ASSERT_GE(moves.size(), 2u);
    user.KeyInList2(Key::Down);
    EXPECT_EQ(user.List2Selected(), 0);
    user.KeyInList2(Key::Down);
    EXPECT_EQ(user.List2Selected(), 1);
    EXPECT_EQ(user.List1(), Lines{});
    user.KeyInList2(Key::Enter);
    EXPECT_EQ(user.List1(), Lines{"   1. " + moves[1]});
    EXPECT_EQ(user.List2Selected(), -1);
}

TEST_P(Scenario, NewGameAsksBeforeDroppingTheMoves) {
    User& user = Started();
    user.Button("New Game");  // nothing played: no question
    EXPECT_EQ(user.Met(), Events{});
    Play(user, {" e2-e4"});
    user.Answer("No");
    user.Button("New Game");
    EXPECT_EQ(user.Met(), Events{"box Confirmation: Quit current game?"});
    EXPECT_EQ(user.List1(), Lines{"   1.  e2-e4"});
    user.Answer("Yes");
    user.Menu("New");
    EXPECT_EQ(user.Met().size(), 2u);
    EXPECT_EQ(user.List1(), Lines{});
    EXPECT_EQ(user.Board(), StartBoard);
    EXPECT_EQ(user.Status(1), "White moves");
}

// ---- opening files ---------------------------------------------------------

// Opens a file through the Open dialog and answers the picker.
void Open(User& user, const std::filesystem::path& path, const std::string& pick) {
    user.Answer(pick);
    user.Open(path);
}

// A set-up game whose FEN names an en passant target: White has just played
// e2-e4 past Black's pawn on d4.
const std::string EnPassantStart =
    "[Event \"Endgame\"]\n[SetUp \"1\"]\n[FEN \"4k3/8/8/8/3pP3/8/8/4K3 b - e3 0 1\"]\n\n1... dxe3 2. Kf1 Kd7 *\n";

TEST_P(Scenario, AnEnPassantTargetInTheFenBelongsToTheStart) {
    WriteFile("ep.pgn", EnPassantStart);
    User& user = Started();
    Open(user, Folder() / "ep.pgn", "1");
    const Lines start = {"....k...", "........", "........", "........",
                         "...pP...", "........", "........", "....K..."};
    const Lines end = {"........", "...k....", "........", "........", "........", "....p...", "........", ".....K.."};
    EXPECT_EQ(user.Board(), start);
    EXPECT_EQ(user.List1(), (Lines{"       d4xe3", "   2. Ke1-f1", "      Ke8-d7"}));
    // The capture is offered at the start, and the walk replays it.
    const Lines offered = user.List2();
    EXPECT_NE(std::find(offered.begin(), offered.end(), " d4xe3"), offered.end());
    user.Button("Last");
    EXPECT_EQ(user.Board(), end);
    EXPECT_EQ(user.List1Selected(), 2);
    EXPECT_FALSE(user.ButtonEnabled("Forward"));
    user.Button("First");
    EXPECT_EQ(user.Board(), start);
    EXPECT_EQ(user.List2(), offered);
    user.ClickList1(1);
    EXPECT_EQ(user.List1Selected(), 1);
    EXPECT_EQ(user.On("e3"), 'p');
    EXPECT_EQ(user.On("e4"), '.');
    EXPECT_EQ(user.Met(), (Events{"picker Open PGN game from ep.pgn selected=1"}));
}

const std::string TwoGames =
    "[Event \"A\"]\n[White \"Ann\"]\n[Black \"Bob\"]\n\n1. e4 e5 2. Nf3 Nc6 *\n\n"
    "[Event \"B\"]\n[White \"Cid\"]\n[Black \"Dee\"]\n\n1. d4 {Queen's pawn} d5 2. c4 e6 *\n";

TEST_P(Scenario, ACancelledPickerShowsTheGameAsItWas) {
    WriteFile("two.pgn", TwoGames);
    User& user = Started();
    Open(user, Folder() / "two.pgn", "2");
    user.Button("Last");
    user.Button("Back");
    const Lines rows = user.List1();
    const Lines moves = user.List2();
    const Lines board = user.Board();
    ASSERT_EQ(user.List1Selected(), 2);
    user.Answer("Yes");  // Quit current game?
    Open(user, Folder() / "two.pgn", "Cancel");
    EXPECT_EQ(user.Board(), board);
    EXPECT_EQ(user.List1(), rows);
    EXPECT_EQ(user.List1Selected(), 2);
    EXPECT_EQ(user.List2(), moves);
    EXPECT_TRUE(user.List2Enabled());
    EXPECT_NE(user.Status(1), "Loading PGN file...");
    EXPECT_TRUE(user.ButtonEnabled("Back"));
    EXPECT_TRUE(user.ButtonEnabled("Forward"));
    user.Button("Forward");
    EXPECT_EQ(user.List1Selected(), 3);
    EXPECT_EQ(user.On("e6"), 'p');
}

TEST_P(Scenario, AFileChangedWhileThePickerShowsIsReadAgain) {
    WriteFile("two.pgn", TwoGames);
    User& user = Started();
    // Another program rewrites the file while the user picks: the same size,
    // other moves.
    std::string changed = TwoGames;
    changed.replace(changed.find("2. c4 e6"), 8, "2. Nf3 e6");
    changed.replace(changed.find("Queen's pawn"), 12, "Queens pawn");
    ASSERT_EQ(changed.size(), TwoGames.size());
    user.WhilePickerShows([this, changed] { WriteFile("two.pgn", changed); });
    user.Answer("2");
    user.Answer("OK");
    user.Open(Folder() / "two.pgn");
    // Read again and shown again, the chosen game selected.
    EXPECT_EQ(user.Met(),
              (Events{"picker Open PGN game from two.pgn selected=1", "picker Open PGN game from two.pgn selected=2"}));
    EXPECT_EQ(user.List1(), (Lines{"   1.  d2-d4", "       d7-d5", "   2. Ng1-f3", "       e7-e6"}));
    user.Button("Last");
    EXPECT_EQ(user.On("f3"), 'N');
}

TEST_P(Scenario, AFifoIsRefusedAtOnceAndTheGameStays) {
    User& user = Started();
    Play(user, {" e2-e4", " e7-e5"});
    for (const char* name : {"pipe.pgn", "pipe.orv"}) {
        const std::filesystem::path fifo = Folder() / name;
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        user.Answer("Yes");
        user.Open(fifo);
    }
    EXPECT_EQ(user.Met(), (Events{"box Confirmation: Quit current game?", "box Error: Error in loading PGN file!",
                                  "box Confirmation: Quit current game?", "box Error: Error in loading game file!"}));
    EXPECT_EQ(user.List1(), (Lines{"   1.  e2-e4", "       e7-e5"}));
    EXPECT_EQ(user.Status(1), "White moves");
    Play(user, {"Ng1-f3"});
    EXPECT_EQ(user.List1().size(), 3u);
}

// Four games whose White players and ratings order differently.
const char* const FourGames =
    "[Event \"Club\"]\r\n[White \"Tal\"]\r\n[Black \"Ann\"]\r\n[WhiteElo \"2600\"]\r\n\r\n1. e4 e5 *\r\n\r\n"
    "[Event \"Club\"]\r\n[White \"J\xC3\xB6rg M\xC3\xBCller\"]\r\n[Black \"Bo\"]\r\n[WhiteElo \"2450\"]\r\n\r\n"
    "1. d4 d5 *\r\n\r\n"
    "[Event \"Club\"]\r\n[White \"J\xC3\x96RG Schmidt\"]\r\n[Black \"Cy\"]\r\n[WhiteElo \"950\"]\r\n\r\n"
    "1. c4 *\r\n\r\n"
    "[Event \"Club\"]\r\n[White \"Kasparov\"]\r\n[Black \"Di\"]\r\n[WhiteElo \"2851\"]\r\n\r\n1. Nf3 Nf6 *\r\n";

TEST_P(Scenario, ThePickersFilterAndOrderChooseAGameByItsNumberInTheFile) {
    WriteFile("club.pgn", FourGames);
    User& user = Started();
    // Typed in another case, the filter keeps both players named Joerg;
    // ordered by rating, then the other way, the first row is game 2.
    user.Answer("filter j\xC3\x96rg");
    user.Answer("sort WhiteElo");
    user.Answer("sort WhiteElo");
    user.Answer("OK");
    user.Open(Folder() / "club.pgn");
    EXPECT_EQ(user.Met(),
              (Events{"picker Open PGN game from club.pgn selected=1", "picker filter=\"j\xC3\x96rg\" shown=2 first=2",
                      "picker sort=WhiteElo first=3", "picker sort=WhiteElo first=2"}));
    EXPECT_EQ(user.Caption(), " club.pgn - Game: 2");
    EXPECT_EQ(user.List1(), (Lines{"   1.  d2-d4", "       d7-d5"}));

    // Ordered by name, the third row is chosen: game 4, Kasparov's.
    user.Answer("Yes");
    user.Answer("sort White");
    user.Answer("4");
    user.Open(Folder() / "club.pgn");
    EXPECT_EQ(user.Met().size(), 7u);
    EXPECT_EQ(user.Met().back(), "picker sort=White first=2");
    EXPECT_EQ(user.Caption(), " club.pgn - Game: 4");
    EXPECT_EQ(user.List1(), (Lines{"   1. Ng1-f3", "      Ng8-f6"}));
    EXPECT_EQ(user.Board(), StartBoard);  // a game opens at its start
}

INSTANTIATE_TEST_SUITE_P(Views, Scenario,
                         ::testing::Values(View{"FakeView", Make<FakeUser>}, View{"QtWindow", Make<QtUser>}),
                         [](const ::testing::TestParamInfo<View>& view) { return std::string(view.param.name); });

}  // namespace
}  // namespace orvane::scenarios
