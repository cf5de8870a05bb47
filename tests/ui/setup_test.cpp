// Setting up a position with the right-click menu, which becomes the start
// of a new game when the menu closes, and Switch Colors.
#include <ostream>

#include "uitest.h"

namespace orvane::ui::test {
namespace {

// The pop-up line of the setup menu with check marks on the given piece item
// and side item.
std::string SetupPopup(const std::string& piece, const std::string& side, const std::string& chosen) {
    const Lines items = {"Empty",        "White Pawn",  "White Rook", "White Knight", "White Bishop",
                         "White Queen",  "White King",  "Black Pawn", "Black Rook",   "Black Knight",
                         "Black Bishop", "Black Queen", "Black King"};
    std::string line = "popup mnuSetup: \"Clear Board\" |";
    for (const std::string& item : items) line += " " + std::string(item == piece ? "[x]" : "") + "\"" + item + "\"";
    line += " | " + std::string(side == "Black moves" ? "[x]" : "") + "\"Black moves\"";
    line += " " + std::string(side == "White moves" ? "[x]" : "") + "\"White moves\"";
    return line + " -> " + (chosen.empty() ? std::string("dismissed") : "\"" + chosen + "\"");
}

struct MenuMarks {
    const char* name;
    Lines before;
    std::string square;
    std::string piece;
    std::string side;
};
void PrintTo(const MenuMarks& row, std::ostream* os) { *os << row.name; }

class SetupMenu : public UiTest, public ::testing::WithParamInterface<MenuMarks> {};

TEST_P(SetupMenu, MarksWhatIsOnTheSquareAndWhoMoves) {
    Run(GetParam().before);
    EXPECT_EQ(Run({"rightclick " + GetParam().square}), Lines{SetupPopup(GetParam().piece, GetParam().side, "")});
}

INSTANTIATE_TEST_SUITE_P(
    RightClick, SetupMenu,
    ::testing::Values(MenuMarks{"WhitePawn", {}, "e2", "White Pawn", "White moves"},
                      MenuMarks{"EmptySquare", {}, "e4", "Empty", "White moves"},
                      MenuMarks{"BlackKnight", {}, "b8", "Black Knight", "White moves"},
                      MenuMarks{"BlackQueen", {}, "d8", "Black Queen", "White moves"},
                      MenuMarks{"WhiteKing", {}, "e1", "White King", "White moves"},
                      MenuMarks{"AfterWhitesMove", {"list2 \" e2-e4\""}, "e4", "White Pawn", "Black moves"},
                      MenuMarks{"AfterSwitchColors", {"button \"Switch Colors\""}, "a1", "White Rook", "Black moves"},
                      MenuMarks{"TurnedBoard", {"menu Turn"}, "h8", "Black Rook", "White moves"}),
    ScenarioName());

struct PutPiece {
    const char* name;
    std::string item;
    char shown;  // on e4 afterwards
};
void PrintTo(const PutPiece& row, std::ostream* os) { *os << row.name; }

class SetupItem : public UiTest, public ::testing::WithParamInterface<PutPiece> {};

TEST_P(SetupItem, PutsItsPieceAndStartsAnEmptyGame) {
    Run({"list2 \" d2-d4\"", "list2 \" d7-d5\""});
    EXPECT_EQ(Run({"answer \"" + GetParam().item + "\"", "rightclick e4"}),
              Lines{SetupPopup("Empty", "White moves", GetParam().item)});
    const Screen screen = Show();
    std::string rank4 = ". . . P . . . .";
    rank4[8] = GetParam().shown;
    EXPECT_EQ(screen.ranks[4], rank4);
    EXPECT_EQ(screen.ranks[3], ". . . p . . . .");
    EXPECT_EQ(screen.list1, Lines{});
    EXPECT_EQ(screen.enabled, "First=0 Moveback=0 MoveForward=0 Last=0 List2=1");
    EXPECT_EQ(screen.status1, "White moves");
    // The position set up is where the game starts: a walk back comes to it.
    Run({"list2 \" a2-a3\"", "menu First"});
    EXPECT_EQ(Show().ranks, screen.ranks);
    // Once edited, even a menu closed without a choice starts a new game
    // from the board.
    EXPECT_EQ(Run({"rightclick a1"}), Lines{SetupPopup("White Rook", "White moves", "")});
    EXPECT_EQ(Show().list1, Lines{});
    EXPECT_EQ(Show().ranks, screen.ranks);
    // The menu opened again shows the new piece checked.
    EXPECT_EQ(Run({"rightclick e4"}), Lines{SetupPopup(GetParam().item, "White moves", "")});
    // Saved and read back, the game starts from the position set up.
    Run({"list2 \" a2-a3\""});
    EXPECT_EQ(SavedMoves("setup.orv"), Lines{"a2a3"});
    Run({"answer Yes", "answer \"" + (Home() / "setup.orv").string() + "\"", "menu Open1"});
    EXPECT_EQ(Show().ranks, screen.ranks);
    EXPECT_EQ(Show().list1, Lines{"   1.  a2-a3"});
}

INSTANTIATE_TEST_SUITE_P(
    RightClick, SetupItem,
    ::testing::Values(PutPiece{"Empty", "Empty", '.'}, PutPiece{"WhitePawn", "White Pawn", 'P'},
                      PutPiece{"WhiteRook", "White Rook", 'R'}, PutPiece{"WhiteKnight", "White Knight", 'N'},
                      PutPiece{"WhiteBishop", "White Bishop", 'B'}, PutPiece{"WhiteQueen", "White Queen", 'Q'},
                      PutPiece{"BlackPawn", "Black Pawn", 'p'}, PutPiece{"BlackRook", "Black Rook", 'r'},
                      PutPiece{"BlackKnight", "Black Knight", 'n'}, PutPiece{"BlackBishop", "Black Bishop", 'b'},
                      PutPiece{"BlackQueen", "Black Queen", 'q'}),
    ScenarioName());

TEST_F(UiTest, WhiteQueenOnE4CanMoveAtOnce) {
    Run({"answer \"White Queen\"", "rightclick e4"});
    const Screen screen = Show();
    EXPECT_TRUE(Contains(screen.list2, "Qe4xe7")) << "the queen's moves are listed";
    EXPECT_EQ(screen.labels[5], " 48");
    Run({"list2 \"Qe4xe7\""});
    EXPECT_EQ(Show().list1, Lines{"   1. Qe4xe7"});
}

TEST_F(UiTest, KingItemsMoveTheKingSquare) {
    Run({"answer \"Black King\"", "rightclick a1"});
    EXPECT_EQ(Form().Pos.BlackKing, 21);
    // The old king stays on e8 until it is removed.
    EXPECT_EQ(Show().ranks[0], "r n b q k b n r");
    EXPECT_EQ(Show().ranks[7], "k N B Q K B N R");
    // With two kings of a side, the first in square order is the one that
    // counts: e1 comes before h8.
    Run({"answer \"White King\"", "rightclick h8"});
    EXPECT_EQ(Form().Pos.WhiteKing, 25);
    EXPECT_EQ(Show().ranks[0], "r n b q k b n K");
    Run({"answer Empty", "rightclick e8", "answer Empty", "rightclick e1"});
    EXPECT_EQ(Form().Pos.BlackKing, 21);
    EXPECT_EQ(Form().Pos.WhiteKing, 98);
    Run({"answer \"Black Knight\"", "rightclick a1"});
    EXPECT_EQ(Form().Pos.BlackKing, NoKing);
    EXPECT_EQ(Form().Pos.CheckInvariants(), "");
}

// ---- the king squares follow the board ---------------------------------------

TEST_F(UiTest, AKingPutDownAndTakenAwayAgainLeavesTheStartPositionPlayable) {
    const Lines startMoves = Show().list2;
    ASSERT_EQ(startMoves.size(), 20u);
    Run({"answer \"White King\"", "rightclick d6", "answer Empty", "rightclick d6"});
    Screen screen = Show();
    EXPECT_EQ(screen.ranks, StartRanks());
    EXPECT_EQ(screen.list2, startMoves) << "White's twenty moves, not none";

    // A drag is taken as well, without a message.
    EXPECT_EQ(Run({"hover e2", "drag e2 e4", "hover g8", "drag g8 f6"}), Lines{});
    screen = Show();
    EXPECT_EQ(screen.list1, (Lines{"   1.  e2-e4", "      Ng8-f6"}));
    EXPECT_TRUE(Contains(screen.list2, "   O-O") == false);
    EXPECT_TRUE(Contains(screen.list2, "Ke1-e2"));
}

TEST_F(UiTest, AKingCoveredByAnotherPieceNoLongerHidesACheck) {
    // A Black King put on g8 and covered by a Black Knight again: the king
    // that counts is the one on e8, which the knight on d6 checks.
    Run({"answer \"Black King\"", "rightclick g8", "answer \"Black Knight\"", "rightclick g8"});
    EXPECT_EQ(Show().ranks, StartRanks());
    Run(Play({"Nb1-c3", " a7-a6", "Nc3-b5", " a6-a5", "Nb5-d6"}));
    Screen screen = Show();
    EXPECT_EQ(screen.ranks[2], ". . . N . . . .");
    EXPECT_EQ(screen.list2, (Lines{" c7xd6", " e7xd6"})) << "only the captures of the checking knight";

    // h7-h6 leaves the king in check: the board refuses it too, and e7-e6.
    EXPECT_EQ(Run({"hover h7", "drag h7 h6"}), Lines{MsgLine("Error", "exclamation", "You cannot move that piece")});
    EXPECT_EQ(Run({"hover e7", "drag e7 e6"}), Lines{IllegalMove});
    EXPECT_EQ(Show().list1.size(), 5u);
    Run(Play({" e7xd6"}));
    EXPECT_EQ(Show().list1.back(), "       e7xd6");
}

TEST_F(UiTest, MateIsFoundAgainstTheKingThatStands) {
    // The king squares named e1/e8 before; here the only Black king stands on
    // h8 after setup, and Qg7 mates it there.
    Run({"answer \"Clear Board\"", "rightclick a1", "answer \"Black King\"", "rightclick h8", "answer \"White King\"",
         "rightclick f6", "answer \"White Queen\"", "rightclick g1"});
    EXPECT_EQ(Run(Play({"Qg1-g7"})), Lines{MsgLine("Congratulations", "exclamation", "White wins!")});
    const Screen screen = Show();
    EXPECT_EQ(screen.status1, "White wins!");
    EXPECT_EQ(screen.enabled.substr(screen.enabled.find("List2=")), "List2=0");
    // The game is over: the board takes no move.
    EXPECT_EQ(Run({"hover h8", "drag h8 g7"}), Lines{});
    EXPECT_EQ(Show().ranks, screen.ranks);
}

TEST_F(UiTest, ClearBoardEmptiesEverySquare) {
    Run({"list2 \" e2-e4\"", "answer \"Clear Board\"", "rightclick c3"});
    const Screen screen = Show();
    EXPECT_EQ(screen.ranks, Lines(8, ". . . . . . . ."));
    EXPECT_EQ(screen.list1, Lines{});
    EXPECT_EQ(screen.list2, Lines{});
    EXPECT_EQ(screen.labels[5], " 0");
    EXPECT_EQ(screen.labels[6], " 0");
    for (const int picture : View().squares.pictures) EXPECT_TRUE(picture == 19 || picture == 20) << picture;
}

TEST_F(UiTest, BlackMovesSwapsTheMaterialLabels) {
    Run({"answer Empty", "rightclick a2"});
    Screen screen = Show();
    EXPECT_EQ(screen.labels[5], " 38");
    EXPECT_EQ(screen.labels[6], " 39");
    EXPECT_EQ(Run({"answer \"Black moves\"", "rightclick h4"}),
              Lines{SetupPopup("Empty", "White moves", "Black moves")});
    screen = Show();
    EXPECT_EQ(screen.status1, "Black moves");
    EXPECT_EQ(screen.labels[3], "Black");
    EXPECT_EQ(screen.labels[4], "White");
    EXPECT_EQ(screen.labels[5], " 39");
    EXPECT_EQ(screen.labels[6], " 38");
    EXPECT_EQ(screen.highlighted, 1);
    EXPECT_TRUE(Contains(screen.list2, "Ng8-f6"));
    // Black's first move is numbered as the game's first.
    Run({"list2 \" e7-e5\""});
    screen = Show();
    EXPECT_EQ(screen.list1, Lines{"   1.  e7-e5"});
    EXPECT_EQ(screen.highlighted, 2);
    // White moves again.
    Run({"answer \"White moves\"", "rightclick h4"});
    screen = Show();
    EXPECT_EQ(screen.status1, "White moves");
    EXPECT_EQ(screen.labels[3], "White");
    EXPECT_EQ(screen.labels[5], " 38");
    EXPECT_EQ(screen.list1, Lines{});
}

TEST_F(UiTest, ClosingTheMenuWithoutAChoiceCommitsOnceAPositionWasEdited) {
    // Before any edit a dismissed menu changes nothing.
    Run({"list2 \" e2-e4\"", "list2 \" e7-e5\"", "rightclick a3"});
    EXPECT_EQ(Show().list1.size(), 2u);

    Run({"answer Empty", "rightclick a2", "list2 \"Ng1-f3\"", "list2 \"Nb8-c6\""});
    EXPECT_EQ(Show().list1, (Lines{"   1. Ng1-f3", "      Nb8-c6"}));
    // Escape: the position after the two moves is the new start.
    EXPECT_EQ(Run({"answer \"\"", "rightclick a3"}), Lines{SetupPopup("Empty", "White moves", "")});
    const Screen screen = Show();
    EXPECT_EQ(screen.list1, Lines{});
    EXPECT_EQ(screen.ranks[2], ". . n . . . . .");
    EXPECT_EQ(screen.ranks[5], ". . . . . N . .");
    EXPECT_EQ(screen.enabled, "First=0 Moveback=0 MoveForward=0 Last=0 List2=1");
    // The game starts there: a walk back comes to it, and so does the game
    // saved and read back.
    Run({"list2 \" b2-b3\"", "menu First"});
    EXPECT_EQ(Show().ranks, screen.ranks);
    EXPECT_EQ(SavedMoves("setup.orv"), Lines{"b2b3"});
    Run({"answer Yes", "answer \"" + (Home() / "setup.orv").string() + "\"", "menu Open1"});
    EXPECT_EQ(Show().ranks, screen.ranks);
}

TEST_F(UiTest, PressAfterASetupIsIgnoredUntilThePointerMoves) {
    Run({"answer Empty", "rightclick a2"});
    EXPECT_EQ(Run({"drag e2 e4"}), Lines{});
    EXPECT_EQ(Show().list1, Lines{});
    Run({"hover e2", "drag e2 e4"});
    EXPECT_EQ(Show().list1, Lines{"   1.  e2-e4"});
}

TEST_F(UiTest, SetupGivesCastlingBackSwitchColorsDoesNot) {
    // Both kings walk out and back: neither side may castle any more.
    Run({"list2 \" e2-e4\"", "list2 \" e7-e5\"", "list2 \"Ke1-e2\"", "list2 \"Ke8-e7\"", "list2 \"Ke2-e1\"",
         "list2 \"Ke7-e8\"", "list2 \"Ng1-f3\"", "list2 \"Ng8-f6\"", "list2 \"Bf1-c4\"", "list2 \"Bf8-c5\""});
    EXPECT_FALSE(Contains(Show().list2, "   O-O"));
    Run({"button \"Switch Colors\"", "button \"Switch Colors\""});
    EXPECT_FALSE(Contains(Show().list2, "   O-O"));
    // A setup makes every piece of the new start position unmoved.
    Run({"answer \"White Pawn\"", "rightclick e4"});
    EXPECT_TRUE(Contains(Show().list2, "   O-O"));
    Run({"list2 \"   O-O\""});
    EXPECT_EQ(Show().list1, Lines{"   1.    O-O"});
    EXPECT_TRUE(Contains(Show().list2, "   O-O"));
}

// ---- a position without Black's king ---------------------------------------

TEST_F(UiTest, GameWithoutBlacksKingCanBePlayedAndWalked) {
    Run({"answer Empty", "rightclick e8"});
    Screen screen = Show();
    EXPECT_EQ(screen.ranks[0], "r n b q . b n r");
    EXPECT_EQ(screen.list2.size(), 20u);

    Run({"list2 \" e2-e4\"", "list2 \" d7-d5\"", "list2 \" e4xd5\"", "list2 \"Qd8xd5\"", "list2 \"Nb1-c3\""});
    screen = Show();
    EXPECT_EQ(screen.list1.size(), 5u);
    EXPECT_FALSE(screen.list2.empty());
    EXPECT_EQ(screen.enabled.substr(screen.enabled.find("List2=")), "List2=1");

    Run({"menu First"});
    screen = Show();
    EXPECT_EQ(screen.ranks[0], "r n b q . b n r");
    EXPECT_EQ(screen.ranks[7], "R N B Q K B N R");
    Run({"menu Last"});
    EXPECT_EQ(Show().ranks[3], ". . . q . . . .");
    Run({"menu Moveback", "menu Moveback", "menu MoveForward"});
    EXPECT_EQ(Show().list1Selected, 3);
    EXPECT_EQ(Show().ranks[3], ". . . q . . . .");

    // Switch Colors there, with White to move: Black moves in the same position.
    Run({"button \"Switch Colors\""});
    screen = Show();
    EXPECT_EQ(screen.status1, "Black moves");
    EXPECT_EQ(screen.list1, Lines{});
    EXPECT_EQ(screen.ranks[3], ". . . q . . . .");
    EXPECT_FALSE(screen.list2.empty());
    Run({"list2 \"Qd5-a5\"", "list2 \"Nb1-c3\""});
    EXPECT_EQ(Show().list1, (Lines{"   1. Qd5-a5", "      Nb1-c3"}));
}

TEST_F(UiTest, BoardWithoutKingsTakesMoves) {
    Run({"answer \"Clear Board\"", "rightclick a1", "answer \"White Pawn\"", "rightclick a2", "answer \"Black Pawn\"",
         "rightclick h7"});
    Screen screen = Show();
    EXPECT_EQ(screen.list2, (Lines{" a2-a3", " a2-a4"}));
    Run({"list2 \" a2-a4\"", "list2 \" h7-h5\"", "menu First", "menu Last"});
    screen = Show();
    EXPECT_EQ(screen.list1, (Lines{"   1.  a2-a4", "       h7-h5"}));
    EXPECT_EQ(screen.list2, Lines{" a4-a5"});
}

// ---- Switch Colors ----------------------------------------------------------

TEST_F(UiTest, SwitchColorsGivesTheMoveToBlack) {
    Run({"button \"Switch Colors\""});
    const Screen screen = Show();
    EXPECT_EQ(screen.status1, "Black moves");
    EXPECT_EQ(screen.list1, Lines{});
    EXPECT_EQ(screen.ranks, StartRanks());
    EXPECT_EQ(screen.hints,
              "b8(yellow) g8(black) a7(yellow) b7(black) c7(yellow) d7(black) e7(yellow) f7(black) g7(yellow) "
              "h7(black)");
    EXPECT_TRUE(Contains(screen.list2, " e7-e5"));
    // The labels follow at once: Black, who moves first now, stands in the
    // first row and is highlighted.
    EXPECT_EQ(screen.labels[3], "Black");
    EXPECT_EQ(screen.labels[4], "White");
    EXPECT_EQ(screen.highlighted, 1);
    // The first move shows Black as the side that started.
    Run({"list2 \" e7-e5\""});
    const Screen after = Show();
    EXPECT_EQ(after.list1, Lines{"   1.  e7-e5"});
    EXPECT_EQ(after.labels[3], "Black");
    EXPECT_EQ(after.labels[4], "White");
    EXPECT_EQ(after.highlighted, 2);
}

TEST_F(UiTest, SwitchColorsMarksPiecesWhateverTheHintSetting) {
    Run({"answer \"Check3=0;OK\"", "options", "button \"Switch Colors\""});
    EXPECT_EQ(Show().hints,
              "b8(yellow) g8(black) a7(yellow) b7(black) c7(yellow) d7(black) e7(yellow) f7(black) g7(yellow) "
              "h7(black)");
}

TEST_F(UiTest, SwitchColorsTwiceReturnsToWhite) {
    Run({"button \"Switch Colors\"", "button \"Switch Colors\""});
    const Screen screen = Show();
    EXPECT_EQ(screen.status1, "White moves");
    EXPECT_EQ(screen.list1, Lines{});
    EXPECT_EQ(screen.ranks, StartRanks());
    EXPECT_EQ(screen.hints,
              "a2(black) b2(yellow) c2(black) d2(yellow) e2(black) f2(yellow) g2(black) h2(yellow) b1(black) "
              "g1(yellow)");
    EXPECT_EQ(screen.labels[3], "White");
    EXPECT_EQ(screen.highlighted, 1);
    EXPECT_EQ(screen.enabled, "First=0 Moveback=0 MoveForward=0 Last=0 List2=1");
}

TEST_F(UiTest, SwitchColorsAfterMovesKeepsThePositionAndEmptiesTheRecord) {
    Run({"list2 \" e2-e4\"", "comment \"a comment\"", "button \"Switch Colors\""});
    const Screen screen = Show();
    EXPECT_EQ(screen.status1, "White moves");
    EXPECT_EQ(screen.list1, Lines{});
    EXPECT_EQ(screen.text1, "");
    EXPECT_EQ(screen.ranks[4], ". . . . P . . .");
    EXPECT_TRUE(Contains(screen.list2, " e4-e5"));
    EXPECT_EQ(screen.enabled, "First=0 Moveback=0 MoveForward=0 Last=0 List2=1");
}

}  // namespace
}  // namespace orvane::ui::test
