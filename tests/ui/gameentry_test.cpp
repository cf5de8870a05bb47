// Entering a game from the available-moves list: the move list entries with
// their numbers, castling and promotions, the moves as the game file keeps
// them, the end of the game by mate and stalemate, and the limit of the game
// record.
#include <ostream>

#include "uitest.h"

namespace orvane::ui::test {
namespace {

// Shuffles the king's knights out and back: ply p (from 1) of the cycle
// Ng1-f3, Ng8-f6, Nf3-g1, Nf6-g8.
std::string KnightShuffle(int ply) {
    static const char* const Cycle[] = {"Ng1-f3", "Ng8-f6", "Nf3-g1", "Nf6-g8"};
    return Cycle[(ply - 1) % 4];
}

const Lines CastlingGame = {" e2-e4", " e7-e5", "Ng1-f3", "Nb8-c6", "Bf1-c4", " d7-d6",
                            " d2-d3", "Bc8-e6", "   O-O", "Qd8-d7", "Nb1-c3", " O-O-O"};

// White's a-pawn takes on a5, walks up and becomes a queen on move 6.
const Lines PromotionGame = {" b2-b4", " a7-a5", " b4xa5", "Ra8-a6", " h2-h3", "Ra6-b6",
                             " a5-a6", " h7-h6", " a6-a7", " h6-h5", " a7-a8Q"};

struct EntryScenario {
    const char* name;
    Lines moves;
    Lines list1;  // the whole move list afterwards
};
void PrintTo(const EntryScenario& row, std::ostream* os) { *os << row.name; }

class MoveListEntries : public UiTest, public ::testing::WithParamInterface<EntryScenario> {};

TEST_P(MoveListEntries, ShowOneEntryPerPly) {
    Run(Play(GetParam().moves));
    const Screen screen = Show();
    EXPECT_EQ(screen.list1, GetParam().list1);
    EXPECT_EQ(screen.list1Selected, static_cast<int>(GetParam().list1.size()) - 1);
}

INSTANTIATE_TEST_SUITE_P(
    FromAvailableMoves, MoveListEntries,
    ::testing::Values(
        EntryScenario{"FirstMovePair", {" e2-e4", " e7-e5"}, {"   1.  e2-e4", "       e7-e5"}},
        EntryScenario{"PiecesAndCaptures",
                      {" e2-e4", " d7-d5", " e4xd5", "Qd8xd5", "Nb1-c3"},
                      {"   1.  e2-e4", "       d7-d5", "   2.  e4xd5", "      Qd8xd5", "   3. Nb1-c3"}},
        EntryScenario{"CastlingBothWays",
                      CastlingGame,
                      {"   1.  e2-e4", "       e7-e5", "   2. Ng1-f3", "      Nb8-c6", "   3. Bf1-c4", "       d7-d6",
                       "   4.  d2-d3", "      Bc8-e6", "   5.    O-O", "      Qd8-d7", "   6. Nb1-c3", "       O-O-O"}},
        EntryScenario{"WhitePromotion",
                      PromotionGame,
                      {"   1.  b2-b4", "       a7-a5", "   2.  b4xa5", "      Ra8-a6", "   3.  h2-h3", "      Ra6-b6",
                       "   4.  a5-a6", "       h7-h6", "   5.  a6-a7", "       h6-h5", "   6.  a7-a8Q"}},
        EntryScenario{
            "KingMoveKeepsItsText", {" e2-e4", " e7-e5", "Ke1-e2"}, {"   1.  e2-e4", "       e7-e5", "   2. Ke1-e2"}}),
    ScenarioName());

TEST_F(UiTest, EnterOnAnAvailableMovePlaysItLikeADoubleClick) {
    Run({"list2key \" d2-d4\"", "list2key \"Ng8-f6\""});
    EXPECT_EQ(Show().list1, (Lines{"   1.  d2-d4", "      Ng8-f6"}));
}

TEST_F(UiTest, PromotionOffersEveryPieceAndPlaysTheChosenOne) {
    Lines upToPromotion(PromotionGame.begin(), PromotionGame.end() - 1);
    Run(Play(upToPromotion));
    const Lines list2 = Show().list2;
    Lines promotions;
    for (const std::string& entry : list2)
        if (entry.rfind(" a7-a8", 0) == 0) promotions.push_back(entry);
    EXPECT_EQ(promotions, (Lines{" a7-a8Q", " a7-a8N", " a7-a8B", " a7-a8R"}));

    Run(Play({" a7-a8N"}));
    const Screen screen = Show();
    EXPECT_EQ(screen.list1.back(), "   6.  a7-a8N");
    EXPECT_EQ(screen.ranks[0], "N n b q k b n r");
    // Replayed, the pawn becomes the knight again.
    Run({"menu First", "menu Last"});
    EXPECT_EQ(Show().ranks[0], "N n b q k b n r");
    EXPECT_EQ(SavedMoves().back(), "a7a8N");
}

TEST_F(UiTest, TheRecordKeepsEachMoveByItsSquares) {
    Run(Play(CastlingGame));
    // Castling is kept as the king's move; only the move list shows O-O.
    EXPECT_EQ(SavedMoves(),
              (Lines{"e2e4", "e7e5", "g1f3", "b8c6", "f1c4", "d7d6", "d2d3", "c8e6", "e1g1", "d8d7", "b1c3", "e8c8"}));
    // Replayed from the record, both castlings move their rooks too.
    Run({"menu First", "menu Last"});
    EXPECT_EQ(Show().ranks[0], ". . k r . b n r");
    EXPECT_EQ(Show().ranks[7], "R . B Q . R K .");
}

TEST_F(UiTest, APromotionIsRecordedWithItsPiece) {
    Run(Play(PromotionGame));
    EXPECT_EQ(SavedMoves(),
              (Lines{"b2b4", "a7a5", "b4a5", "a8a6", "h2h3", "a6b6", "a5a6", "h7h6", "a6a7", "h6h5", "a7a8Q"}));
}

TEST_F(UiTest, MoveEmptiesCommentBoxAndResultButLeavesTheStatusText) {
    Run({"comment \"before the game\""});
    EXPECT_EQ(Show().text1, "before the game");
    // The result is kept with the record but shown nowhere: only the
    // record itself tells that a move empties it.
    Form().Record.GameResult = "1-0";
    Run(Play({" e2-e4"}));
    const Screen screen = Show();
    EXPECT_EQ(screen.text1, "");
    EXPECT_EQ(Form().Record.GameResult, "");
    // Panel 1 keeps what the reset wrote; only the end of a game or a walk
    // through the record changes it.
    EXPECT_EQ(screen.status1, "White moves");
    EXPECT_EQ(screen.status2, "");
    EXPECT_EQ(screen.enabled, "First=1 Moveback=1 MoveForward=0 Last=0 List2=1");
    EXPECT_EQ(screen.highlighted, 2);
    // The comment before the first move stays with ply 0.
    Run({"menu First"});
    EXPECT_EQ(Show().text1, "before the game");
}

TEST_F(UiTest, MoveNumbersRightAlignedUpToThreeDigits) {
    Lines moves;
    for (int ply = 1; ply <= 200; ++ply) moves.push_back(KnightShuffle(ply));
    Run(Play(moves));
    const Lines list1 = Show().list1;
    ASSERT_EQ(list1.size(), 200u);
    EXPECT_EQ(list1[0], "   1. Ng1-f3");
    EXPECT_EQ(list1[16], "   9. Ng1-f3");
    EXPECT_EQ(list1[17], "      Ng8-f6");
    EXPECT_EQ(list1[18], "  10. Nf3-g1");
    EXPECT_EQ(list1[196], "  99. Ng1-f3");
    EXPECT_EQ(list1[198], " 100. Nf3-g1");
    EXPECT_EQ(list1[199], "      Nf6-g8");
    for (const std::string& entry : list1) EXPECT_EQ(entry.size(), 12u) << '"' << entry << '"';
}

// ---- the end of the game ------------------------------------------------

struct EndScenario {
    const char* name;
    Lines script;
    std::string message;  // the message box
    std::string status1;
    bool listEmptied;  // a move from the list empties it; one from the board leaves it, disabled
};
void PrintTo(const EndScenario& row, std::ostream* os) { *os << row.name; }

class GameEnd : public UiTest, public ::testing::WithParamInterface<EndScenario> {};

TEST_P(GameEnd, IsAnnouncedAndClosesTheAvailableMoves) {
    const Lines printed = Run(GetParam().script);
    ASSERT_FALSE(printed.empty());
    EXPECT_EQ(printed.back(), GetParam().message);
    const Screen screen = Show();
    EXPECT_EQ(screen.status1, GetParam().status1);
    EXPECT_EQ(screen.list2.empty(), GetParam().listEmptied);
    EXPECT_EQ(screen.enabled.substr(screen.enabled.find("List2=")), "List2=0");

    // The board takes no more moves.
    const Lines ranks = screen.ranks;
    EXPECT_EQ(Run({"hover e2", "drag e2 e3", "drag e7 e6", "drag b1 c3", "drag b8 c6"}), Lines{});
    EXPECT_EQ(Show().ranks, ranks);
}

// A stalemate is reached by setting up White Kf7, Qg5, Black Kh8 with White
// to move and playing Qg5-g6.
const Lines StalemateSetup = {
    "answer \"Clear Board\"", "rightclick a1", "answer \"Black King\"",  "rightclick h8",
    "answer \"White King\"",  "rightclick f7", "answer \"White Queen\"", "rightclick g5",
};

Lines Concat(Lines a, const Lines& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

INSTANTIATE_TEST_SUITE_P(
    ByTheLastMove, GameEnd,
    ::testing::Values(EndScenario{"FoolsMate", Play({" f2-f3", " e7-e5", " g2-g4", "Qd8-h4"}),
                                  MsgLine("Congratulations", "exclamation", "Black wins!"), "Black wins!", true},
                      EndScenario{"ScholarsMate",
                                  Play({" e2-e4", " e7-e5", "Bf1-c4", "Nb8-c6", "Qd1-h5", "Ng8-f6", "Qh5xf7"}),
                                  MsgLine("Congratulations", "exclamation", "White wins!"), "White wins!", true},
                      EndScenario{"Stalemate", Concat(StalemateSetup, Play({"Qg5-g6"})),
                                  MsgLine("Orvane", "exclamation", "It's draw!"), "It's draw!", true},
                      EndScenario{"MateByDraggingThePiece",
                                  Concat(Play({" f2-f3", " e7-e5", " g2-g4"}), {"hover d8", "drag d8 h4"}),
                                  MsgLine("Congratulations", "exclamation", "Black wins!"), "Black wins!", false}),
    ScenarioName());

TEST_F(UiTest, StalemateSetUpNeedsAMoveToBeAnnounced) {
    // Setting the position up announces nothing: the test runs after a move.
    Lines script = {
        "answer \"Clear Board\"", "rightclick a1", "answer \"Black King\"",  "rightclick h8",
        "answer \"White King\"",  "rightclick f7", "answer \"White Queen\"", "rightclick g6",
        "answer \"Black moves\"", "rightclick a1",
    };
    const Lines printed = Run(script);
    for (const std::string& line : printed) EXPECT_EQ(line.find("msgbox"), std::string::npos) << line;
    const Screen screen = Show();
    EXPECT_EQ(screen.status1, "Black moves");
    EXPECT_TRUE(screen.list2.empty());
    // Not over yet: the list stays enabled.
    EXPECT_EQ(screen.enabled.substr(screen.enabled.find("List2=")), "List2=1");
}

TEST_F(UiTest, MateStaysInTheRecordAndIsAnnouncedAgainWhenReplayed) {
    Run(Play({" f2-f3", " e7-e5", " g2-g4", "Qd8-h4"}));
    Run({"button Back"});
    Screen screen = Show();
    EXPECT_EQ(screen.status1, "");
    EXPECT_EQ(screen.enabled, "First=1 Moveback=1 MoveForward=1 Last=1 List2=1");
    EXPECT_TRUE(Contains(screen.list2, "Qd8-h4"));
    // The game goes on: the pointer over the board marks Black's pieces.
    Run({"hover d8"});
    EXPECT_NE(Show().hints, "");

    EXPECT_EQ(Run({"button Forward"}), (Lines{MsgLine("Congratulations", "exclamation", "Black wins!")}));
    screen = Show();
    EXPECT_EQ(screen.status1, "Black wins!");
    EXPECT_EQ(screen.enabled, "First=1 Moveback=1 MoveForward=0 Last=0 List2=0");
    EXPECT_EQ(screen.list1.size(), 4u);
}

// ---- the limit of the game record --------------------------------------

TEST_F(UiTest, RecordHoldsAtMost999Plies) {
    for (int ply = 1; ply <= MaxPlies; ++ply) {
        ASSERT_EQ(Driver().Run("list2 \"" + KnightShuffle(ply) + "\""), drive::Driver::Result::Ok) << "ply " << ply;
    }
    Run({});

    Screen before = Show();
    ASSERT_EQ(before.list1.size(), 999u);
    EXPECT_EQ(before.list1.back(), " 500. Nf3-g1");

    const std::string full =
        MsgLine("Error", "exclamation",
                "The game record is full: a game can hold at most 999 plies, so no further move can be entered.");
    EXPECT_EQ(Run({"list2 \"Nf6-g8\""}), Lines{full});
    EXPECT_EQ(Run({"hover f6", "drag f6 g8"}), Lines{full});

    const Screen after = Show();
    EXPECT_EQ(after.list1, before.list1);
    EXPECT_EQ(after.ranks, before.ranks);
    EXPECT_EQ(after.list2, before.list2);
    EXPECT_EQ(after.list1Selected, 998);
    EXPECT_EQ(after.highlighted, 2) << "Black to move";

    // Below the limit moves are taken again.
    Run({"button Back", "list2 \"Nf3-e5\""});
    EXPECT_EQ(Show().list1.back(), " 500. Nf3-e5");
    const Lines saved = SavedMoves();
    ASSERT_EQ(saved.size(), 999u);
    EXPECT_EQ(saved[997], "g8f6");
    EXPECT_EQ(saved.back(), "f3e5");
}

}  // namespace
}  // namespace orvane::ui::test
