// Walking through the game record with First, Back, Forward, Last and the
// move list: the board, the comment of each ply, the selected entry, the
// enabled commands, and cutting the record by a move entered inside it.
#include <ostream>

#include "uitest.h"

namespace orvane::ui::test {
namespace {

// A set-up game of four plies with a comment on three of them; Black
// promotes to a knight on ply 2, so replaying it needs the letter.
//   White Ke1, Ph2; Black Ke8, Pa2; White to move.
const Lines PromotionGame = {
    "answer \"Clear Board\"", "rightclick a1", "answer \"White King\"", "rightclick e1",
    "answer \"Black King\"",  "rightclick e8", "answer \"Black Pawn\"", "rightclick a2",
    "answer \"White Pawn\"",  "rightclick h2", "list2 \" h2-h3\"",      "comment one",
    "list2 \" a2-a1N\"",      "comment two",   "list2 \" h3-h4\"",      "list2 \"Na1-b3\"",
    "comment four",
};

// The ranks of that game after each ply, rank 8 first.
Lines RanksAfter(int ply) {
    static const std::string kingE8 = ". . . . k . . .";
    static const std::string kingE1 = ". . . . K . . .";
    static const std::string empty = ". . . . . . . .";
    Lines ranks(8, empty);
    ranks[0] = kingE8;
    ranks[7] = kingE1;
    // White's pawn: h2, h3 after ply 1, h4 after ply 3.
    const int pawnRank = ply >= 3 ? 4 : ply >= 1 ? 3 : 2;
    ranks[static_cast<std::size_t>(8 - pawnRank)][14] = 'P';
    if (ply < 2)
        ranks[6][0] = 'p';  // a2
    else if (ply < 4)
        ranks[7][0] = 'n';  // a1
    else
        ranks[5][2] = 'n';  // b3
    return ranks;
}

struct Step {
    const char* name;
    Lines commands;
    int ply;            // the position shown afterwards
    std::string text1;  // the comment box
    std::string enabled;
    int highlighted;  // Label1 White to move, Label2 Black to move
};
void PrintTo(const Step& row, std::ostream* os) { *os << row.name; }

const std::string AtStart = "First=0 Moveback=0 MoveForward=1 Last=1 List2=1";
const std::string Inside = "First=1 Moveback=1 MoveForward=1 Last=1 List2=1";
const std::string AtEnd = "First=1 Moveback=1 MoveForward=0 Last=0 List2=1";

// Each step starts from the end of the game (ply 4).
class WalkThroughTheGame : public UiTest, public ::testing::WithParamInterface<Step> {};

TEST_P(WalkThroughTheGame, ShowsThePositionAndCommentOfThePly) {
    Run(PromotionGame);
    Run(GetParam().commands);
    const Screen screen = Show();
    const int ply = GetParam().ply;
    EXPECT_EQ(screen.ranks, RanksAfter(ply));
    EXPECT_EQ(screen.text1, GetParam().text1);
    EXPECT_EQ(screen.enabled, GetParam().enabled);
    EXPECT_EQ(screen.list1Selected, ply - 1);
    EXPECT_EQ(screen.highlighted, GetParam().highlighted);
    EXPECT_EQ(screen.status1, "");
    // The record itself is never changed by a walk.
    EXPECT_EQ(screen.list1, (Lines{"   1.  h2-h3", "       a2-a1N", "   2.  h3-h4", "      Na1-b3"}));
    Run({"menu Last"});
    EXPECT_EQ(Show().ranks, RanksAfter(4));
    EXPECT_EQ(Show().text1, "four");
}

INSTANTIATE_TEST_SUITE_P(
    FromTheLastPly, WalkThroughTheGame,
    ::testing::Values(
        Step{"BackOnce", {"menu Moveback"}, 3, "", Inside, 2},
        Step{"BackTwiceByButton", {"button Back", "button Back"}, 2, "two", Inside, 1},
        Step{"BackToTheStart", {"button Back", "button Back", "button Back", "button Back"}, 0, "", AtStart, 1},
        Step{"First", {"menu First"}, 0, "", AtStart, 1}, Step{"FirstByButton", {"button First"}, 0, "", AtStart, 1},
        Step{"FirstThenForward", {"menu First", "menu MoveForward"}, 1, "one", Inside, 2},
        Step{"ForwardOverThePromotion", {"menu First", "button Forward", "button Forward"}, 2, "two", Inside, 1},
        Step{"PromotionTakenBackAndReplayed",
             {"menu Moveback", "menu Moveback", "menu Moveback", "menu MoveForward", "menu MoveForward"},
             3,
             "",
             Inside,
             2},
        Step{"ForwardToTheEnd",
             {"menu First", "menu MoveForward", "menu MoveForward", "menu MoveForward", "menu MoveForward"},
             4,
             "four",
             AtEnd,
             1},
        Step{"FirstThenLast", {"menu First", "menu Last"}, 4, "four", AtEnd, 1},
        Step{"LastByButton", {"button First", "button Last"}, 4, "four", AtEnd, 1},
        Step{"ListEntryBackwards", {"list1 1"}, 2, "two", Inside, 1},
        Step{"ListFirstEntry", {"list1 0"}, 1, "one", Inside, 2},
        Step{"ListEntryForwards", {"menu First", "list1 2"}, 3, "", Inside, 2},
        Step{"ListLastEntryByEnter", {"menu First", "list1key 3"}, 4, "four", AtEnd, 1}),
    ScenarioName());

// A game with en passant for both sides, castling on both wings and two
// promotions by capture, one of them to a knight.
const Lines SpecialMovesGame = {
    " e2-e4", " d7-d5", " e4-e5", " f7-f5", " e5xf6", "Nb8-c6", " f6xg7", "Bc8-e6", " g7xh8Q", "Qd8-d6",
    "Ng1-f3", " O-O-O", "Bf1-e2", " d5-d4", " c2-c4", " d4xc3", "   O-O", " c3xb2", " h2-h3",  " b2xa1N",
};

TEST_F(UiTest, EveryPositionComesBackWhenWalking) {
    std::vector<Lines> ranksAfter = {Show().ranks};
    std::vector<std::size_t> list2Size = {Show().list2.size()};
    for (const std::string& move : SpecialMovesGame) {
        Run({"list2 \"" + move + "\""});
        const Screen screen = Show();
        ranksAfter.push_back(screen.ranks);
        list2Size.push_back(screen.list2.size());
    }
    const int last = static_cast<int>(SpecialMovesGame.size());
    ASSERT_EQ(Show().list1.back(), "       b2xa1N");

    for (int ply = last - 1; ply >= 0; --ply) {
        Run({"menu Moveback"});
        const Screen screen = Show();
        EXPECT_EQ(screen.ranks, ranksAfter[static_cast<std::size_t>(ply)]) << "back to ply " << ply;
        EXPECT_EQ(screen.list2.size(), list2Size[static_cast<std::size_t>(ply)]) << "back to ply " << ply;
    }
    for (int ply = 1; ply <= last; ++ply) {
        Run({"menu MoveForward"});
        const Screen screen = Show();
        EXPECT_EQ(screen.ranks, ranksAfter[static_cast<std::size_t>(ply)]) << "forward to ply " << ply;
        EXPECT_EQ(screen.list2.size(), list2Size[static_cast<std::size_t>(ply)]) << "forward to ply " << ply;
    }
    // Jumps through the move list in both directions.
    for (const int entry : {4, 15, 0, 19, 8, 9, 16, 11, 2}) {
        Run({"list1 " + std::to_string(entry)});
        EXPECT_EQ(Show().ranks, ranksAfter[static_cast<std::size_t>(entry + 1)]) << "entry " << entry;
    }
    Run({"menu First"});
    EXPECT_EQ(Show().ranks, ranksAfter[0]);
    Run({"menu Last"});
    EXPECT_EQ(Show().ranks, ranksAfter[static_cast<std::size_t>(last)]);
}

TEST_F(UiTest, BlackPromotionReplaysWithItsLetter) {
    Run(PromotionGame);
    // Back and forth over the promotion several times: always a knight.
    for (int round = 0; round < 3; ++round) {
        Run({"menu First", "menu MoveForward", "menu MoveForward"});
        EXPECT_EQ(Show().ranks[7], "n . . . K . . .") << "round " << round;
        Run({"menu Last"});
        EXPECT_EQ(Show().ranks[5], ". n . . . . . .") << "round " << round;
    }
    EXPECT_EQ(SavedMoves(), (Lines{"h2h3", "a2a1N", "h3h4", "a1b3"}));
}

TEST_F(UiTest, DisabledCommandsAtTheEndsOfTheRecord) {
    EXPECT_EQ(Run({"button Back", "button First", "menu Moveback", "menu First", "button Forward", "menu Last"}),
              (Lines{"button \"Back\" is disabled", "button \"First\" is disabled", "menu Moveback is disabled",
                     "menu First is disabled", "button \"Forward\" is disabled", "menu Last is disabled"}));
    Run(PromotionGame);
    EXPECT_EQ(Run({"button Forward", "button Last", "menu MoveForward"}),
              (Lines{"button \"Forward\" is disabled", "button \"Last\" is disabled", "menu MoveForward is disabled"}));
}

TEST_F(UiTest, ListEntryStepsBackFromPlyThreeByTwoPlies) {
    Run({"list2 \" e2-e4\"", "list2 \" e7-e5\"", "list2 \"Ng1-f3\"", "list1 0"});
    const Screen screen = Show();
    EXPECT_EQ(screen.ranks[3], ". . . . . . . .");
    EXPECT_EQ(screen.ranks[4], ". . . . P . . .");
    EXPECT_EQ(screen.ranks[7], "R N B Q K B N R");
    EXPECT_EQ(screen.list1Selected, 0);
    EXPECT_EQ(screen.highlighted, 2);
}

TEST_F(UiTest, ClickingTheCurrentEntryDoesNothing) {
    Run({"list2 \" e2-e4\"", "list2 \" e7-e5\"", "list2 \"Ng1-f3\"", "comment typed"});
    const Screen before = Show();
    EXPECT_EQ(Run({"list1 2", "list1key 2"}), Lines{});
    const Screen after = Show();
    // A walk would have emptied panel 1 and rebuilt the lists.
    EXPECT_EQ(after.status1, "White moves");
    EXPECT_EQ(after.text1, "typed");
    EXPECT_EQ(after.ranks, before.ranks);
    EXPECT_EQ(after.enabled, before.enabled);
    EXPECT_EQ(after.list1Selected, 2);
}

TEST_F(UiTest, MoveListEventWithNoEntrySelectedKeepsThePosition) {
    Run(PromotionGame);
    Run({"list1 1"});
    const Screen before = Show();
    ASSERT_EQ(before.ranks, RanksAfter(2));
    // A click below the last entry, or Enter, while no entry is selected.
    View().List1().SetListIndex(-1);
    Form().List1_MouseUp();
    Form().List1_KeyUp(KeyEnter);
    const Screen after = Show();
    EXPECT_EQ(after.ranks, before.ranks);
    EXPECT_EQ(after.text1, "two");
    EXPECT_EQ(after.enabled, before.enabled);
    // At the start with entry 0 unselected, as a walk back leaves it.
    Run({"menu First"});
    Form().List1_MouseUp();
    EXPECT_EQ(Show().ranks, RanksAfter(0));
    EXPECT_EQ(Show().list1Selected, -1);
}

TEST_F(UiTest, MoveEnteredInsideTheGameCutsTheRestAndItsComments) {
    Run(PromotionGame);
    Run({"menu First", "menu MoveForward"});
    ASSERT_EQ(Show().ranks, RanksAfter(1));
    Run({"list2 \" a2-a1Q\""});
    Screen screen = Show();
    EXPECT_EQ(screen.list1, (Lines{"   1.  h2-h3", "       a2-a1Q"}));
    EXPECT_EQ(screen.list1Selected, 1);
    EXPECT_EQ(screen.enabled, AtEnd);
    EXPECT_EQ(screen.text1, "");

    // The new ply has no comment; the earlier one keeps its comment.
    Run({"menu Moveback"});
    EXPECT_EQ(Show().text1, "one");
    Run({"menu MoveForward"});
    screen = Show();
    EXPECT_EQ(screen.text1, "");
    EXPECT_EQ(screen.ranks[7], "q . . . K . . .");
    EXPECT_EQ(screen.enabled, AtEnd);
    // Plies entered where the cut ones stood come without their comments.
    Run({"list2 \"Ke1-e2\"", "list2 \"Qa1-a2\"", "menu Moveback"});
    EXPECT_EQ(Show().text1, "");
    Run({"menu MoveForward"});
    EXPECT_EQ(Show().text1, "");
    EXPECT_EQ(SavedMoves(), (Lines{"h2h3", "a2a1Q", "e1e2", "a1a2"}));
}

TEST_F(UiTest, MoveEnteredAtTheStartReplacesTheWholeGame) {
    Run({"list2 \" e2-e4\"", "comment first", "list2 \" e7-e5\"", "comment second", "list2 \"Ng1-f3\"", "menu First",
         "list2 \" d2-d4\""});
    const Screen screen = Show();
    EXPECT_EQ(screen.list1, Lines{"   1.  d2-d4"});
    EXPECT_EQ(screen.enabled, AtEnd);
    // The old comments went with the old moves.
    Run({"list2 \" d7-d5\"", "menu First", "menu MoveForward"});
    EXPECT_EQ(Show().text1, "");
    EXPECT_EQ(Show().ranks[4], ". . . P . . . .");
    Run({"menu MoveForward"});
    EXPECT_EQ(Show().text1, "");
    EXPECT_EQ(SavedMoves(), (Lines{"d2d4", "d7d5"}));
}

TEST_F(UiTest, CommentBelongsToTheCurrentPly) {
    Run({"comment \"before\"", "list2 \" e2-e4\"", "comment \"after e4\"", "list2 \" e7-e5\"", "menu Moveback"});
    EXPECT_EQ(Show().text1, "after e4");
    // Editing it there changes that ply's comment.
    Run({"comment \", edited\"", "menu First"});
    EXPECT_EQ(Show().text1, "before");
    Run({"menu MoveForward"});
    EXPECT_EQ(Show().text1, "after e4, edited");
    Run({"menu MoveForward"});
    EXPECT_EQ(Show().text1, "");
}

TEST_F(UiTest, AStoredMoveThatCannotBePlayedEndsTheWalkThere) {
    Run({"list2 \" e2-e4\"", "comment first", "list2 \" e7-e5\"", "comment second", "list2 \"Ng1-f3\"", "menu First"});
    // Ply 2 comes to stand for a move the position does not allow.
    Form().Record.RecordText(2) = " e7e4  e7-e4";
    for (const char* walk : {"menu Last", "list1 2", "menu MoveForward"}) {
        SCOPED_TRACE(walk);
        Run({"menu First", "menu MoveForward", walk});
        const Screen screen = Show();
        // The board, the list and the comment show ply 1, the last one played.
        EXPECT_EQ(screen.ranks[4], ". . . . P . . .");
        EXPECT_EQ(screen.ranks[1], "p p p p p p p p");
        EXPECT_EQ(screen.list1Selected, 0);
        EXPECT_EQ(screen.text1, "first");
        EXPECT_EQ(screen.highlighted, 2);
        EXPECT_EQ(screen.enabled, "First=1 Moveback=1 MoveForward=0 Last=0 List2=1");
        EXPECT_EQ(screen.list2.size(), 20U);
    }
}

}  // namespace
}  // namespace orvane::ui::test
