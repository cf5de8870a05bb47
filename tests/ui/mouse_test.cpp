// Entering moves with the mouse: dragging, the drop square worked out from
// the pointer offset, refusals, promotion through the pop-up menu, castling,
// and the hint boxes on movable pieces and on a pressed piece's targets.
#include <ostream>

#include "uitest.h"

namespace orvane::ui::test {
namespace {

const std::string WhiteMoves = MsgLine("Error", "exclamation", "White moves");
const std::string BlackMoves = MsgLine("Error", "exclamation", "Black moves");
const std::string CannotMove = MsgLine("Error", "exclamation", "You cannot move that piece");

TEST_F(UiTest, DragPlaysTheMove) {
    EXPECT_EQ(Run({"hover e2", "drag e2 e4", "hover g8", "drag g8 f6"}), Lines{});
    const Screen screen = Show();
    EXPECT_EQ(screen.list1, (Lines{"   1.  e2-e4", "      Ng8-f6"}));
    EXPECT_EQ(screen.ranks[4], ". . . . P . . .");
    EXPECT_EQ(screen.ranks[2], ". . . . . n . .");
    EXPECT_EQ(screen.enabled, "First=1 Moveback=1 MoveForward=0 Last=0 List2=1");
    EXPECT_EQ(screen.hints, "");
    EXPECT_EQ(SavedMoves(), (Lines{"e2e4", "g8f6"}));
}

// Drops of White's pawn on e4 after 1.e4 f5, by the pointer offset from the
// pressed control's top left corner (x to the right, y down, in twips). The
// drop square is counted in whole steps of 568 twips.
struct Drop {
    const char* name;
    int x;
    int y;
    Lines printed;
    std::string lastEntry;  // the move list's last entry afterwards
};
void PrintTo(const Drop& row, std::ostream* os) { *os << row.name; }

class DropSquare : public UiTest, public ::testing::WithParamInterface<Drop> {};

TEST_P(DropSquare, IsCountedInStepsOf568Twips) {
    Run({"list2 \" e2-e4\"", "list2 \" f7-f5\"", "hover e4"});
    const std::string x = std::to_string(GetParam().x);
    const std::string y = std::to_string(GetParam().y);
    EXPECT_EQ(Run({"press e4", "move e4 " + x + " " + y, "release e4 left " + x + " " + y}), GetParam().printed);
    const Screen screen = Show();
    EXPECT_EQ(screen.list1.back(), GetParam().lastEntry);
    if (GetParam().lastEntry == "       f7-f5") {
        // Nothing was played: the pawn is back on e4.
        EXPECT_EQ(screen.ranks[3], ". . . . . p . .");
        EXPECT_EQ(screen.ranks[4], ". . . . P . . .");
        EXPECT_EQ(View().squares.pictures[36], 31);
    }
}

const std::string NotPlayed = "       f7-f5";

INSTANTIATE_TEST_SUITE_P(
    FromE4, DropSquare,
    ::testing::Values(Drop{"SameSquare", 300, 300, {}, NotPlayed},
                      Drop{"LastTwipOfTheSameSquare", 567, 567, {}, NotPlayed},
                      Drop{"FirstTwipsOfTheNextSquares", 568, -1, {}, "   2.  e4xf5"},
                      Drop{"Beyond580TwipsIsTheNextFile", 580, -286, {}, "   2.  e4xf5"},
                      Drop{"StraightUp", 0, -1, {}, "   2.  e4-e5"},
                      Drop{"ExactlyOneStepUp", 300, -568, {}, "   2.  e4-e5"},
                      Drop{"JustBeyondOneStepUp", 300, -569, {IllegalMove}, NotPlayed},
                      Drop{"UpAndLeft", -1, -1, {IllegalMove}, NotPlayed},
                      Drop{"OneLeft", -1, 300, {IllegalMove}, NotPlayed}, Drop{"OffTheTop", 300, -2600, {}, NotPlayed},
                      Drop{"OffTheBottom", 300, 3000, {}, NotPlayed}, Drop{"OffTheLeft", -2400, 300, {}, NotPlayed},
                      Drop{"OffTheRight", 2600, 300, {}, NotPlayed}, Drop{"FarOutside", 30000, -30000, {}, NotPlayed}),
    ScenarioName());

TEST_F(UiTest, PressAndReleaseWithoutMovingIsCancelledSilently) {
    EXPECT_EQ(Run({"hover e2", "press e2", "release e2 left 300 300"}), Lines{});
    const Screen screen = Show();
    EXPECT_EQ(screen.list1, Lines{});
    EXPECT_EQ(screen.ranks, StartRanks());
    EXPECT_EQ(View().squares.pictures[52], 31);
    // The next drag is taken as usual.
    Run({"hover d2", "drag d2 d4"});
    EXPECT_EQ(Show().list1, Lines{"   1.  d2-d4"});
}

// A press whose release never arrives (the driver can do that) is forgotten
// at the next press: no piece stays off the picture, and a drag started then
// plays as usual.
TEST_F(UiTest, PressWithoutReleaseIsForgottenAtTheNextPress) {
    // The lifted e2 pawn must come back when the next press (refused) comes.
    EXPECT_EQ(Run({"hover e2", "press e2", "move e2 300 -200", "press e7"}), Lines{WhiteMoves});
    EXPECT_EQ(Show().ranks, StartRanks());
    EXPECT_EQ(View().squares.pictures[52], 31);
    for (const int pointer : View().squares.pointers) EXPECT_EQ(pointer, 0) << "no piece follows the pointer";
    // A lost release after a press on an empty square does not swallow the next drag.
    Run({"press e4", "press e2", "move e2 300 -868", "release e2 left 300 -868"});
    const Screen screen = Show();
    EXPECT_EQ(screen.list1, Lines{"   1.  e2-e4"});
    EXPECT_EQ(screen.ranks[4], ". . . . P . . .");
    EXPECT_EQ(screen.ranks[6], "P P P P . P P P");
}

// A lost release is also forgotten when the game is reset: the knight lifted
// by a stale press (it can no longer move, so Switch Colors does not redraw
// its square as a movable piece) is shown again.
TEST_F(UiTest, PressWithoutReleaseIsForgottenWhenTheGameIsReset) {
    Run({"hover g1", "press g1", "list2 \" f2-f3\"", "list2 \" a7-a6\"", "list2 \" h2-h3\"", "list2 \" a6-a5\"",
         "hover e4"});
    EXPECT_EQ(Show().ranks[7], "R N B Q K B . R");  // lifted by the stale press
    Run({"button \"Switch Colors\""});
    EXPECT_EQ(Show().ranks[7], "R N B Q K B N R");
    for (const int pointer : View().squares.pointers) EXPECT_EQ(pointer, 0) << "no piece follows the pointer";
}

TEST_F(UiTest, TurnedBoardCountsTheOffsetTheOtherWay) {
    Run({"menu Turn", "list2 \" e2-e4\"", "list2 \" d7-d5\"", "hover e4"});
    // To the right and down the screen is toward the a-file and rank 8.
    EXPECT_EQ(Run({"press e4", "move e4 580 886", "release e4 left 580 886"}), Lines{});
    EXPECT_EQ(Show().list1.back(), "   2.  e4xd5");
}

TEST_F(UiTest, TurnedBoardDragDownTheScreenMovesTowardRankEight) {
    Run({"menu Turn", "hover h2", "press h2", "move h2 300 1472", "release h2 left 300 1472"});
    const Screen screen = Show();
    EXPECT_EQ(screen.list1, Lines{"   1.  h2-h4"});
    EXPECT_EQ(screen.ranks[4], ". . . . . . . P");
}

TEST_F(UiTest, IllegalDropPutsThePieceBack) {
    EXPECT_EQ(Run({"hover e2", "drag e2 e5"}), Lines{IllegalMove});
    const Screen screen = Show();
    EXPECT_EQ(screen.ranks, StartRanks());
    EXPECT_EQ(View().squares.pictures[52], 31);
    EXPECT_EQ(screen.list1, Lines{});
    EXPECT_EQ(screen.enabled, "First=0 Moveback=0 MoveForward=0 Last=0 List2=1");
    // Still a game without moves: New asks nothing.
    EXPECT_EQ(Run({"menu New"}), Lines{});
}

struct Refusal {
    const char* name;
    Lines before;
    std::string square;
    std::string message;
};
void PrintTo(const Refusal& row, std::ostream* os) { *os << row.name; }

class PressRefused : public UiTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(PressRefused, LeavesThePieceWhereItIs) {
    Run(GetParam().before);
    const Screen before = Show();
    const std::string& square = GetParam().square;
    // The press alone brings the message; the release that follows does nothing.
    EXPECT_EQ(Run({"hover " + square, "press " + square}), Lines{GetParam().message});
    EXPECT_EQ(Run({"move " + square + " 300 -900", "release " + square + " left 300 -900"}), Lines{});
    const Screen after = Show();
    EXPECT_EQ(after.ranks, before.ranks);
    EXPECT_EQ(after.list1, before.list1);
}

INSTANTIATE_TEST_SUITE_P(Mouse, PressRefused,
                         ::testing::Values(Refusal{"BlackPieceWhileWhiteMoves", {}, "e7", WhiteMoves},
                                           Refusal{"WhitePieceWhileBlackMoves", {"list2 \" e2-e4\""}, "d2", BlackMoves},
                                           Refusal{"RookWithoutMoves", {}, "a1", CannotMove},
                                           Refusal{"BlackRookWithoutMoves", {"list2 \" e2-e4\""}, "h8", CannotMove},
                                           Refusal{"PinnedKnight",
                                                   {"list2 \" e2-e4\"", "list2 \" d7-d6\"", "list2 \" d2-d4\"",
                                                    "list2 \"Nb8-c6\"", "list2 \"Bf1-b5\"", "list2 \" a7-a6\"",
                                                    "list2 \" a2-a3\""},
                                                   "c6",
                                                   CannotMove}),
                         ScenarioName());

TEST_F(UiTest, PressOnAnEmptySquareDoesNothing) {
    EXPECT_EQ(Run({"hover e4", "press e4", "move e4 300 -300", "release e4 left 300 -300"}), Lines{});
    EXPECT_EQ(Show().ranks, StartRanks());
}

// White's a-pawn reaches a7; its next step promotes.
const Lines PawnOnA7 = {"list2 \" b2-b4\"", "list2 \" a7-a5\"", "list2 \" b4xa5\"", "list2 \"Ra8-a6\"",
                        "list2 \" h2-h3\"", "list2 \"Ra6-b6\"", "list2 \" a5-a6\"", "list2 \" h7-h6\"",
                        "list2 \" a6-a7\"", "list2 \" h6-h5\"", "hover a7"};

const std::string PromoPopup = "popup mnuPromo: \"King\"(disabled) \"Queen\" \"Rook\" \"Bishop\" \"Knight\"";

struct Promotion {
    const char* name;
    std::string answer;
    std::string chosen;  // as the pop-up line reports it
    std::string entry;
    char piece;  // on a8 afterwards
};
void PrintTo(const Promotion& row, std::ostream* os) { *os << row.name; }

class PromotionByDrag : public UiTest, public ::testing::WithParamInterface<Promotion> {};

TEST_P(PromotionByDrag, AsksForThePiece) {
    Run(PawnOnA7);
    EXPECT_EQ(Run({"answer \"" + GetParam().answer + "\"", "drag a7 a8"}),
              Lines{PromoPopup + " -> " + GetParam().chosen});
    const Screen screen = Show();
    EXPECT_EQ(screen.list1.back(), GetParam().entry);
    EXPECT_EQ(screen.ranks[0][0], GetParam().piece);
    EXPECT_EQ(SavedMoves().back(), "a7a8" + std::string(1, GetParam().piece));
}

INSTANTIATE_TEST_SUITE_P(Mouse, PromotionByDrag,
                         ::testing::Values(Promotion{"DismissedMeansQueen", "", "dismissed", "   6.  a7-a8Q", 'Q'},
                                           Promotion{"Queen", "Queen", "\"Queen\"", "   6.  a7-a8Q", 'Q'},
                                           Promotion{"Rook", "Rook", "\"Rook\"", "   6.  a7-a8R", 'R'},
                                           Promotion{"Bishop", "Bishop", "\"Bishop\"", "   6.  a7-a8B", 'B'},
                                           Promotion{"Knight", "Knight", "\"Knight\"", "   6.  a7-a8N", 'N'},
                                           // The disabled King cannot be chosen: the menu closes without a choice.
                                           Promotion{"KingIsDisabled", "King", "dismissed", "   6.  a7-a8Q", 'Q'}),
                         ScenarioName());

TEST_F(UiTest, PromotionByCapture) {
    Run(PawnOnA7);
    EXPECT_EQ(Run({"answer Knight", "drag a7 b8"}), Lines{PromoPopup + " -> \"Knight\""});
    EXPECT_EQ(Show().list1.back(), "   6.  a7xb8N");
    EXPECT_EQ(SavedMoves().back(), "a7b8N");
}

TEST_F(UiTest, DragOnTheTurnedBoard) {
    Run({"menu Turn", "hover e2", "drag e2 e4", "hover g8", "drag g8 f6", "hover f1", "drag f1 b5"});
    EXPECT_EQ(Show().list1, (Lines{"   1.  e2-e4", "      Ng8-f6", "   2. Bf1-b5"}));
}

TEST_F(UiTest, BlackPromotionByDrag) {
    Run({"answer \"Clear Board\"", "rightclick a1", "answer \"White King\"", "rightclick e1", "answer \"Black King\"",
         "rightclick e8", "answer \"Black Pawn\"", "rightclick b2", "answer \"Black moves\"", "rightclick b2",
         "hover b2"});
    EXPECT_EQ(Run({"answer Rook", "drag b2 b1"}), Lines{PromoPopup + " -> \"Rook\""});
    const Screen screen = Show();
    EXPECT_EQ(screen.list1, Lines{"   1.  b2-b1R"});
    EXPECT_EQ(screen.ranks[7], ". r . . K . . .");
    EXPECT_EQ(SavedMoves(), Lines{"b2b1R"});
}

TEST_F(UiTest, CastlingByDraggingTheKing) {
    Run({"list2 \" e2-e4\"", "list2 \" e7-e5\"", "list2 \"Ng1-f3\"", "list2 \"Ng8-f6\"", "list2 \"Bf1-c4\"",
         "list2 \"Bf8-c5\"", "hover e1", "drag e1 g1"});
    Screen screen = Show();
    EXPECT_EQ(screen.list1.back(), "   4.    O-O");
    EXPECT_EQ(screen.ranks[7], "R N B Q . R K .");
    Run({"hover e8", "drag e8 g8"});
    screen = Show();
    EXPECT_EQ(screen.list1.back(), "         O-O");
    EXPECT_EQ(screen.ranks[0], "r n b q . r k .");
    // Kept as the king's moves.
    EXPECT_EQ(SavedMoves(), (Lines{"e2e4", "e7e5", "g1f3", "g8f6", "f1c4", "f8c5", "e1g1", "e8g8"}));
}

// ---- hint boxes -----------------------------------------------------------

const std::string StartHints =
    "a2(black) b2(yellow) c2(black) d2(yellow) e2(black) f2(yellow) g2(black) h2(yellow) b1(black) g1(yellow)";

TEST_F(UiTest, HoverMarksEveryMovablePiece) {
    EXPECT_EQ(Show().hints, "");
    Run({"hover e4"});
    EXPECT_EQ(Show().hints, StartHints);
    // A press on an empty square redraws the board without them; the
    // pointer's next move over the board draws them again.
    Run({"press e4", "release e4 left 300 300"});
    EXPECT_EQ(Show().hints, "");
    Run({"hover a1"});
    EXPECT_EQ(Show().hints, StartHints);
    // So does leaving the board for the window and coming back.
    Run({"leave", "hover h8"});
    EXPECT_EQ(Show().hints, StartHints);
}

TEST_F(UiTest, PressMarksTheTargetsOfTheHoveredPiece) {
    Run({"hover e2", "press e2"});
    EXPECT_EQ(Show().hints, "e4(black) e3(yellow) e2(black)");
    Run({"move e2 300 -872", "release e2 left 300 -872"});
    const Screen screen = Show();
    EXPECT_EQ(screen.hints, "");
    EXPECT_EQ(screen.list1, Lines{"   1.  e2-e4"});
}

TEST_F(UiTest, KnightTargets) {
    Run({"hover g1", "press g1"});
    EXPECT_EQ(Show().hints, "f3(black) h3(black) g1(yellow)");
}

TEST_F(UiTest, BlackPiecesAreMarkedWhenBlackMoves) {
    Run({"list2 \" e2-e4\"", "hover e4"});
    EXPECT_EQ(Show().hints,
              "b8(yellow) g8(black) a7(yellow) b7(black) c7(yellow) d7(black) e7(yellow) f7(black) g7(yellow) "
              "h7(black)");
}

TEST_F(UiTest, NoHintsWhenAvailableMovesAreNotShown) {
    Run({"answer \"Check3=0;OK\"", "options", "hover e2"});
    EXPECT_EQ(Show().hints, "");
    Run({"press e2"});
    EXPECT_EQ(Show().hints, "");
    // The list is still filled and the drag still works.
    EXPECT_EQ(Show().list2.size(), 20u);
    Run({"move e2 300 -872", "release e2 left 300 -872"});
    EXPECT_EQ(Show().list1, Lines{"   1.  e2-e4"});
}

// A press whose release never arrived (the driver, or a window system that
// sent the release elsewhere) is forgotten at the next press: no piece stays
// lifted off the picture.
struct LostRelease {
    const char* name;
    Lines before;  // ends with a press that is never released
};
void PrintTo(const LostRelease& row, std::ostream* os) { *os << row.name; }

class ReleaseNeverArrives : public UiTest, public ::testing::WithParamInterface<LostRelease> {};

TEST_P(ReleaseNeverArrives, IsForgottenAtTheNextPress) {
    EXPECT_EQ(Run(GetParam().before), Lines{});
    EXPECT_EQ(Run({"hover d2", "press d2", "move d2 300 -286", "release d2 300 -286"}), Lines{});
    const Screen screen = Show();
    EXPECT_EQ(screen.list1, Lines{"   1.  d2-d3"});
    EXPECT_EQ(screen.ranks[6], "P P P . P P P P") << "the pawn on e2 is shown again";
    EXPECT_EQ(screen.ranks[5], ". . . P . . . .");
    for (int i = 0; i < 64; ++i) EXPECT_EQ(View().squares.pointers[static_cast<std::size_t>(i)], 0) << i;
    // And the forgotten pawn still moves.
    Run({"hover e7", "drag e7 e5", "hover e2", "drag e2 e4"});
    EXPECT_EQ(Show().list1.back(), "   2.  e2-e4");
}

INSTANTIATE_TEST_SUITE_P(Mouse, ReleaseNeverArrives,
                         ::testing::Values(LostRelease{"PressOnly", {"hover e2", "press e2"}},
                                           LostRelease{"PressAndDrag", {"hover e2", "press e2", "move e2 300 -886"}},
                                           LostRelease{"PressOnTheSameSquareAgain",
                                                       {"hover d2", "press d2", "move d2 300 -100"}},
                                           LostRelease{"PressOnAnEmptySquare", {"hover e2", "press e4"}}),
                         ScenarioName());

TEST_F(UiTest, RightReleaseAwayFromTheSquareOpensNoMenu) {
    EXPECT_EQ(Run({"press e2 right", "release e2 right 571 300"}), Lines{});
    EXPECT_EQ(Run({"press e2 right", "release e2 right 300 -1"}), Lines{});
    EXPECT_EQ(Run({"press e2 right", "release e2 right 570 570"}).size(), 1u);
}

// ---- the large-font layout ------------------------------------------------

TEST_F(UiTest, LargeFontLayoutDragsAcrossTheWholeBoard) {
    Start(12);
    Run({"answer \"Clear Board\"", "rightclick a1", "answer \"White King\"", "rightclick e1", "answer \"Black King\"",
         "rightclick h8", "answer \"White Rook\"", "rightclick a1", "hover a1", "drag a1 a8"});
    EXPECT_EQ(Show().list1, Lines{"   1. Ra1-a8"});
    Run({"hover h8", "drag h8 h7"});
    Run({"hover a8", "drag a8 h8"});
    EXPECT_EQ(Show().list1.back(), "   2. Ra8-h8");
}

}  // namespace
}  // namespace orvane::ui::test
