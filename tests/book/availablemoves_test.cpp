// Entries of the available-moves list: the text of each legal move with the
// book marker, and the way back from an entry to the move it plays.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "book/availablemoves.h"
#include "engine/position.h"
#include "notation/notation.h"

namespace orvane {
namespace {

BookMoveList Moves(std::initializer_list<std::string> moves) {
    BookMoveList list{};
    std::size_t i = 0;
    for (const std::string& move : moves) list[i++] = move;
    return list;
}

TEST(BookAvailableMoves, EntryTexts) {
    BookMoveList lastSlotOnly{};
    lastSlotOnly.fill("a2a3");
    lastSlotOnly[BookMoveSlots - 1] = "g1f3";
    struct Row {
        const char* Name;
        std::string MoveText;
        BookMoveList Book;
        std::string Source;
        std::string Dest;
        std::string Entry;
    };
    const std::vector<Row> rows = {
        {"pawn move, no book", " e2-e4", {}, "e2", "e4", " e2-e4"},
        {"pawn move in book", " e2-e4", Moves({"d2d4", "e2e4"}), "e2", "e4", " e2-e4b"},
        {"same from-square, other to-square", " e2-e3", Moves({"e2e4"}), "e2", "e3", " e2-e3"},
        {"same to-square, other from-square", "Nc3-e4", Moves({"e2e4"}), "c3", "e4", "Nc3-e4"},
        {"capture in book", " e4xd5", Moves({"e4d5"}), "e4", "d5", " e4xd5b"},
        {"short castling", "Ke1-g1", {}, "e1", "g1", "   O-O"},
        {"short castling in book", "Ke1-g1", Moves({"e1g1"}), "e1", "g1", "   O-Ob"},
        {"long castling of Black", "Ke8-c8", {}, "e8", "c8", " O-O-O"},
        {"long castling of Black in book", "Ke8-c8", Moves({"e8c8"}), "e8", "c8", " O-O-Ob"},
        {"other king move", "Ke1-e2", Moves({"e1e2"}), "e1", "e2", "Ke1-e2b"},
        {"king capture keeps its text", "Ke1xd2", {}, "e1", "d2", "Ke1xd2"},
        {"promotion in book, piece not compared", " e7-e8Q", Moves({"e7e8"}), "e7", "e8", " e7-e8Qb"},
        {"under-promotion in book", " e7-e8N", Moves({"e7e8"}), "e7", "e8", " e7-e8Nb"},
        {"walk stops at the first empty entry", "Ng1-f3", Moves({"e2e4", "", "g1f3"}), "g1", "f3", "Ng1-f3"},
        {"blank entry does not stop the walk", "Ng1-f3", Moves({"    ", "g1f3"}), "g1", "f3", "Ng1-f3b"},
        {"walk reaches the last slot", "Ng1-f3", lastSlotOnly, "g1", "f3", "Ng1-f3b"},
        {"marked once for several matching entries", "Ng1-f3", Moves({"g1f3", "g1f3"}), "g1", "f3", "Ng1-f3b"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(AvailableMoveEntry(row.MoveText, row.Book, row.Source, row.Dest), row.Entry);
    }
}

TEST(BookAvailableMoves, ParseEntries) {
    struct Row {
        const char* Name;
        std::string Entry;
        int SideToMove;
        std::string CaptureChar;
        char PieceLetter;
        std::string MoveText;
    };
    const std::vector<Row> rows = {
        {"pawn move", " e2-e4", 1, "x", ' ', "E2E4"},
        {"pawn move with book marker", " e2-e4b", 1, "x", ' ', "E2E4"},
        {"knight move with book marker", "Ng1-f3b", 1, "x", 'N', "G1F3"},
        {"capture with x", " e4xd5", 1, "x", ' ', "E4D5"},
        {"capture with colon", " e4:d5", 1, ":", ' ', "E4D5"},
        {"piece capture", "Bb5xc6", -1, "x", 'B', "B5C6"},
        {"queen promotion", " e7-e8Q", 1, "x", ' ', "E7E8Q"},
        {"knight promotion", " e7-e8N", 1, "x", ' ', "E7E8N"},
        {"capturing promotion with book marker", " d7xc8Rb", 1, "x", ' ', "D7C8R"},
        {"capturing promotion with colon", " b2:a1B", -1, ":", ' ', "B2A1B"},
        {"short castling of White", "   O-O", 1, "x", 'K', "E1G1"},
        {"long castling of White", " O-O-O", 1, "x", 'K', "E1C1"},
        {"short castling of Black with book marker", "   O-Ob", -1, "x", 'K', "E8G8"},
        {"long castling of Black with book marker", " O-O-Ob", -1, "x", 'K', "E8C8"},
        {"other king move", "Ke1-e2", 1, "x", 'K', "E1E2"},
        {"king capture", "Ke8xd7", -1, "x", 'K', "E8D7"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        ListMove move;
        ASSERT_TRUE(ParseAvailableMoveEntry(row.Entry, row.SideToMove, row.CaptureChar, move));
        EXPECT_EQ(move.PieceLetter, row.PieceLetter);
        EXPECT_EQ(move.MoveText, row.MoveText);
    }
    ListMove move;
    EXPECT_FALSE(ParseAvailableMoveEntry("", 1, "x", move));
}

// Every legal move listed, with or without the marker and with either capture
// character, plays itself again when its entry is double-clicked.
TEST(BookAvailableMoves, EveryEntryPlaysItsMove) {
    struct Row {
        const char* Name;
        const char* Fen;
    };
    const std::vector<Row> rows = {
        {"start position", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"},
        {"both castlings of White", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1"},
        {"both castlings of Black", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1"},
        {"promotions, capturing promotions, en passant", "1n2k3/P1P5/8/3pP3/8/8/8/4K3 w - d6 0 1"},
        {"Black's promotions", "4k3/8/8/8/8/8/p1p5/1N2K3 b - - 0 1"},
        {"crowded middle game", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        Position pos;
        ASSERT_FALSE(pos.ReadFen(row.Fen));
        pos.GenerateMoves(1);
        const int first = pos.DepthStart[0];
        const int end = pos.DepthStart[1];
        ASSERT_GT(end, first);

        // A book that holds every move of the position.
        BookMoveList everyMove{};
        std::size_t slots = 0;
        for (int slot = first; slot < end && slots < everyMove.size(); ++slot) {
            const MoveRecord& r = pos.MoveList[static_cast<std::size_t>(slot)];
            everyMove[slots++] = SquareNotation(pos, r.Source) + SquareNotation(pos, r.Dest);
        }

        for (const char* captureChar : {"x", ":"}) {
            for (const bool marked : {false, true}) {
                for (int slot = first; slot < end; ++slot) {
                    const MoveRecord& r = pos.MoveList[static_cast<std::size_t>(slot)];
                    MoveInput shown;
                    shown.CaptureChar = captureChar;
                    DisplayMove(pos, shown, slot);
                    SCOPED_TRACE(shown.MoveText + (marked ? " marked, " : ", ") + captureChar);
                    const std::string entry =
                        AvailableMoveEntry(shown.MoveText, marked ? everyMove : BookMoveList{},
                                           SquareNotation(pos, r.Source), SquareNotation(pos, r.Dest));
                    EXPECT_EQ(entry.back() == 'b', marked);

                    ListMove move;
                    ASSERT_TRUE(ParseAvailableMoveEntry(entry, pos.SideToMove, captureChar, move));
                    EXPECT_EQ(move.PieceLetter, shown.MoveText.front());
                    Position replay = pos;
                    MoveInput played;
                    played.CaptureChar = captureChar;
                    ASSERT_EQ(InputMove(replay, played, move.MoveText), 1) << move.MoveText;
                    EXPECT_EQ(replay.MoveList[static_cast<std::size_t>(played.LastMoveSlot)], r);
                    EXPECT_EQ(played.MoveText, shown.MoveText);
                }
            }
        }
    }
}

}  // namespace
}  // namespace orvane
