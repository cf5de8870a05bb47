// Reading FEN: refused texts say what and where and leave the position
// alone; accepted ones set side, castling rights and the en passant target.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/position.h"
#include "engine_test_util.h"
#include "support/perft_file.h"
#include "support/position_state.h"
#include "support/shared_data.h"

namespace orvane {
namespace {

using enginetest::LoadFen;
using enginetest::Sq;
using testsupport::StateDifference;
using testsupport::StateScope;

constexpr const char* StartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

struct BadFenRow {
    const char* Name;
    std::string Fen;
    ReadErrorKind Kind;
    int Field;
    int Character;  // 0-based; -1: not checked
};

// A position that differs from the start in every member a FEN could write:
// moves made (counters, ply, en passant target), Black to start.
Position BusyPosition() {
    Position pos;
    pos.BlackStarts = 1;
    pos.LoadStandardPosition();
    pos.ResetTree();
    EXPECT_TRUE(enginetest::PlayLine(pos, {"e7e5", "g1f3", "e5e4", "d2d4"}));
    return pos;
}

void ExpectRefused(const std::vector<BadFenRow>& rows);

TEST(FenErrors, MalformedFenIsRefusedAndChangesNothing) {
    using K = ReadErrorKind;
    const std::vector<BadFenRow> rows = {
        {"nine pieces in a rank", "rnbqkbnrr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", K::RankTooLong, 1, 8},
        {"digit nine", "9/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", K::BadCharacter, 1, 0},
        {"digits add up to nine", "44P/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", K::RankTooLong, 1, 2},
        {"piece after a full rank", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNRK w KQkq - 0 1", K::RankTooLong, 1, 43},
        {"digit zero", "rnbqkbnr/pppppppp/08/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", K::BadCharacter, 1, 18},
        {"seven ranks", "rnbqkbnr/pppppppp/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", K::MissingRank, 1, 41},
        {"rank too short", "rnbqkbn/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", K::RankTooShort, 1, 7},
        {"last rank too short", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBN w KQkq - 0 1", K::RankTooShort, 1, 42},
        {"empty rank", "rnbqkbnr//8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", K::RankTooShort, 1, 9},
        {"bad piece letter", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBXKBNR w KQkq - 0 1", K::BadCharacter, 1, 38},
        {"bad side letter", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR x KQkq - 0 1", K::BadSide, 2, 44},
        {"side in capitals", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR W KQkq - 0 1", K::BadSide, 2, 44},
        {"side word", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR wb KQkq - 0 1", K::BadSide, 2, 45},
        {"bad castling letter", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkx - 0 1", K::BadCastling, 3, 49},
        {"castling dash and letter", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w -K - 0 1", K::BadCastling, 3, 46},
        {"castling letter after two blanks", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w  KQkx - 0 1",
         K::BadCastling, 3, 50},
        {"en passant on the fourth rank, White to move", "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e4 0 1",
         K::BadEnPassant, 4, 53},
        {"en passant with no pawn that passed it", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq e6 0 1",
         K::BadEnPassant, 4, 51},
        {"en passant with the passed square's origin occupied",
         "rnbqkbnr/pppppppp/8/4p3/8/8/PPPPPPPP/RNBQKBNR w KQkq e6 0 2", K::BadEnPassant, 4, 53},
        {"en passant for the wrong side", "rnbqkbnr/pppp1ppp/8/4p3/8/8/PPPPPPPP/RNBQKBNR b KQkq e6 0 2",
         K::BadEnPassant, 4, 53},
        {"en passant off the board", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq i6 0 1", K::BadEnPassant, 4,
         51},
        {"en passant too long", "rnbqkbnr/pppp1ppp/8/4p3/8/8/PPPPPPPP/RNBQKBNR w KQkq e66 0 2", K::BadEnPassant, 4, 53},
        {"en passant after two blanks", "rnbqkbnr/pppp1ppp/8/4p3/8/8/PPPPPPPP/RNBQKBNR w KQkq  e5 0 2", K::BadEnPassant,
         4, 54},
        {"empty text", "", K::MissingRank, 1, 0},
        {"blanks only", "   ", K::MissingRank, 1, 3},
        {"ranks only", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", K::MissingField, 2, 43},
        {"ranks and a blank", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR ", K::MissingField, 2, 44},
    };
    ExpectRefused(rows);
}

// Each row must be refused with its kind, field and character, leaving the
// position and the caller's FenInfo exactly as they were.
void ExpectRefused(const std::vector<BadFenRow>& rows) {
    for (const BadFenRow& row : rows) {
        SCOPED_TRACE(row.Name);
        Position pos = BusyPosition();
        const Position before = pos;
        FenInfo info;
        info.FenMoveNumber = "untouched";
        const ReadError err = pos.ReadFen(row.Fen, &info);
        EXPECT_EQ(err.Kind, row.Kind);
        EXPECT_EQ(err.Field, row.Field);
        if (row.Character >= 0) {
            EXPECT_EQ(err.Column, row.Character + 1);
        }
        EXPECT_TRUE(static_cast<bool>(err));
        EXPECT_EQ(StateDifference(pos, before, StateScope::Everything), "");
        EXPECT_EQ(info.FenMoveNumber, "untouched");
    }
}

TEST(FenErrors, PositionsThatAreNotChessAreRefusedAndChangeNothing) {
    // Well-formed texts whose position no game can reach. Were one taken, a
    // rook could be moved as the missing king, or a king taken.
    using K = ReadErrorKind;
    const std::vector<BadFenRow> rows = {
        {"no kings at all", "4r3/8/8/8/8/8/8/4R3 w - - 0 1", K::NoWhiteKing, 1, 19},
        {"no white king", "4k3/8/8/8/8/8/8/4R3 w - - 0 1", K::NoWhiteKing, 1, 19},
        {"no black king", "8/8/8/8/8/8/8/4K3 b - - 0 1", K::NoBlackKing, 1, 17},
        {"no black king, en passant given", "8/8/8/3pP3/8/8/8/4K3 w - d6 0 1", K::NoBlackKing, 1, 20},
        {"two white kings", "4k3/8/8/8/8/8/8/K3K3 w - - 0 1", K::SeveralWhiteKings, 1, 18},
        {"three white kings: the second written is named", "4k3/8/8/8/8/8/K7/K3K3 w - - 0 1", K::SeveralWhiteKings, 1,
         17},
        {"two black kings", "k3k3/8/8/8/8/8/8/4K3 b - - 0 1", K::SeveralBlackKings, 1, 2},
        {"kings missing outrank kings several", "k3k3/8/8/8/8/8/8/8 w - - 0 1", K::NoWhiteKing, 1, 18},
        {"white pawn on the first rank", "4k3/8/8/8/8/8/8/P3K3 w - - 0 1", K::PawnOnEdgeRank, 1, 16},
        {"black pawn on the first rank", "4k3/8/8/8/8/8/8/4K2p b - - 0 1", K::PawnOnEdgeRank, 1, 19},
        {"white pawn on the last rank", "4k2P/8/8/8/8/8/8/4K3 w - - 0 1", K::PawnOnEdgeRank, 1, 3},
        {"black pawn on the last rank, the first one named", "p3k2p/8/8/8/8/8/8/4K3 w - - 0 1", K::PawnOnEdgeRank, 1,
         0},
        {"black in check, white to move", "4k3/8/8/8/8/8/8/4R1K1 w - - 0 1", K::SideNotToMoveInCheck, 2, 22},
        {"white in check from a pawn, black to move", "4k3/8/8/8/8/8/3p4/4K3 b - - 0 1", K::SideNotToMoveInCheck, 2,
         22},
        {"both in check", "r3k2R/8/8/8/8/8/8/R3K2r w - - 0 1", K::SideNotToMoveInCheck, 2, 24},
        {"a malformed field still wins", "4r3/8/8/8/8/8/8/4R3 x - - 0 1", K::BadSide, 2, 20},
        {"bad castling before a missing king", "4r3/8/8/8/8/8/8/4R3 w X - 0 1", K::BadCastling, 3, 22},
    };
    ExpectRefused(rows);
}

TEST(FenErrors, EachRowIsOneFaultAwayFromAnAcceptedFen) {
    // The refused rows above are edits of texts like these; were these not
    // accepted, the rows would prove nothing.
    for (const char* fen :
         {StartFen, "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1",
          "rnbqkbnr/pppp1ppp/8/4p3/8/8/PPPPPPPP/RNBQKBNR w KQkq e6 0 2",
          "rnbqkbnr/pppp1ppp/8/4p3/8/8/PPPPPPPP/RNBQKBNR w  KQkq  e6  0  2", "4k3/8/8/8/8/8/8/4R1K1 b - - 0 1",
          "4k3/8/8/8/8/8/3p4/4K3 w - - 0 1", "4k3/8/8/8/8/8/8/K7 w - - 0 1", "4k3/7P/8/8/8/8/p7/4K3 w - - 0 1",
          "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1"}) {
        Position pos;
        EXPECT_TRUE(LoadFen(pos, fen));
    }
}

struct SideRow {
    const char* Name;
    const char* Fen;
    int Side;
    int BlackStarts;
    const char* MoveNumber;
    int EpTarget;
};

TEST(FenRead, SideMoveNumberAndEnPassantTarget) {
    const std::vector<SideRow> rows = {
        {"start", StartFen, 1, 0, "1", 0},
        {"black after e4", "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1", -1, 1, "1", Sq("e3")},
        {"white after d5", "rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3", 1, 0, "3", Sq("d6")},
        {"late move number", "8/5k2/8/8/8/8/2K5/8 b - - 40 117", -1, 1, "117", 0},
        {"no counters", "8/5k2/8/8/8/8/2K5/8 w - -", 1, 0, "", 0},
    };
    for (const SideRow& row : rows) {
        SCOPED_TRACE(row.Name);
        Position pos = BusyPosition();  // Black starts there: the FEN must override it
        FenInfo info;
        ASSERT_FALSE(pos.ReadFen(row.Fen, &info));
        EXPECT_EQ(pos.SideToMove, row.Side);
        EXPECT_EQ(pos.BlackStarts, row.BlackStarts);
        EXPECT_EQ(info.FenSideToMove, row.Side);
        EXPECT_EQ(info.FenMoveNumber, row.MoveNumber);
        EXPECT_EQ(pos.EpTarget[At(pos.TreeDepth)], row.EpTarget);
        EXPECT_EQ(pos.StartBoard, pos.Board);
        EXPECT_EQ(pos.CheckInvariants(), "");
    }
}

TEST(FenRead, PiecesAndKingsLandOnTheirSquares) {
    Position pos;
    ASSERT_TRUE(LoadFen(pos, "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1"));
    EXPECT_EQ(pos.WhiteKing, Sq("a5"));
    EXPECT_EQ(pos.BlackKing, Sq("h4"));
    EXPECT_EQ(pos.Board[At(Sq("b5"))], Pawn);
    EXPECT_EQ(pos.Board[At(Sq("h5"))], -Rook);
    EXPECT_EQ(pos.Board[At(Sq("b4"))], Rook);
    EXPECT_EQ(pos.Board[At(Sq("f4"))], -Pawn);
    EXPECT_EQ(pos.Board[At(Sq("c7"))], -Pawn);
    EXPECT_EQ(pos.Board[At(Sq("e2"))], Pawn);
    int pieces = 0;
    for (int s = 21; s <= 98; ++s)
        if (IsPlayingSquare(s) && pos.Board[At(s)] != 0) ++pieces;
    EXPECT_EQ(pieces, 10);
}

TEST(FenRead, StartFenGivesTheStandardPosition) {
    Position pos = BusyPosition();
    ASSERT_TRUE(LoadFen(pos, StartFen));
    pos.ResetTree();
    Position fresh;
    EXPECT_EQ(StateDifference(pos, fresh, StateScope::Unchanged), "");
    EXPECT_EQ(pos.BoardPositionString(), StandardPositionString);
}

struct CastlingRow {
    const char* Name;
    const char* Side;
    const char* Rights;
    std::vector<std::pair<int, int>> Castles;  // (king's destination, CastleKind) in list order
};

std::vector<std::pair<int, int>> CastlingMoves(Position& pos) {
    std::vector<std::pair<int, int>> castles;
    for (const MoveRecord& r : enginetest::LegalMoves(pos))
        if (r.CastleKind != 0) castles.emplace_back(r.Dest, r.CastleKind);
    return castles;
}

TEST(FenRead, CastlingFieldDecidesWhichCastlingMovesExist) {
    const std::vector<CastlingRow> rows = {
        {"no rights", "w", "-", {}},
        {"white king side only", "w", "K", {{27, 1}}},
        {"white queen side only", "w", "Q", {{23, 2}}},
        {"Kq seen by White", "w", "Kq", {{27, 1}}},
        {"Kq seen by Black", "b", "Kq", {{93, 2}}},
        {"Black rights only, White to move", "w", "kq", {}},
        {"full rights, White", "w", "KQkq", {{27, 1}, {23, 2}}},
        {"full rights, Black", "b", "KQkq", {{97, 1}, {93, 2}}},
    };
    for (const CastlingRow& row : rows) {
        SCOPED_TRACE(row.Name);
        Position pos;
        ASSERT_TRUE(LoadFen(pos, std::string("r3k2r/8/8/8/8/8/8/R3K2R ") + row.Side + " " + row.Rights + " - 0 1"));
        EXPECT_EQ(CastlingMoves(pos), row.Castles);
    }
}

TEST(FenRead, FullRightsBehaveLikeAFreshlySetUpBoard) {
    // A set-up board starts with every counter at zero; a FEN granting all
    // four rights must give exactly the same moves.
    Position fromFen;
    ASSERT_TRUE(LoadFen(fromFen, "r3k2r/pppq1ppp/2n2n2/3pp3/1b2P1b1/2NP1N2/PPPBQPPP/R3K2R w KQkq - 0 1"));
    Position setUp;
    ASSERT_FALSE(setUp.ReadPositionString(fromFen.BoardPositionString()));
    EXPECT_EQ(fromFen.MoveCounts, setUp.MoveCounts);
    EXPECT_EQ(enginetest::LegalMoves(fromFen), enginetest::LegalMoves(setUp));
    EXPECT_EQ(CastlingMoves(fromFen).size(), 2u);
}

// ---- writing ----------------------------------------------------------------

// The FEN of a position read from a FEN, with the move counters given.
std::string Rewritten(std::string_view fen) {
    Position pos;
    FenInfo info;
    if (const ReadError err = pos.ReadFen(fen, &info)) return "refused";
    return WriteFen(pos.CurrentFen(std::stoi(info.FenHalfMoveClock), std::stoi(info.FenMoveNumber)));
}

// Whether every right of a FEN's castling field has its king and rook on
// the standard home squares (Chess960 positions grant others).
bool StandardRights(std::string_view fen) {
    std::string squares;  // a8..h8, a7..h7, ..., a1..h1
    std::size_t i = 0;
    for (; i < fen.size() && fen[i] != ' '; ++i) {
        if (fen[i] >= '1' && fen[i] <= '8')
            squares.append(static_cast<std::size_t>(fen[i] - '0'), '.');
        else if (fen[i] != '/')
            squares += fen[i];
    }
    if (squares.size() != 64) return false;
    const auto at = [&squares](char file, int rank) {
        return squares[static_cast<std::size_t>((8 - rank) * 8 + (file - 'a'))];
    };
    const std::size_t field = fen.find(' ', i + 1);
    for (std::size_t k = field + 1; k < fen.size() && fen[k] != ' '; ++k) {
        const char c = fen[k];
        if (c == 'K' && !(at('e', 1) == 'K' && at('h', 1) == 'R')) return false;
        if (c == 'Q' && !(at('e', 1) == 'K' && at('a', 1) == 'R')) return false;
        if (c == 'k' && !(at('e', 8) == 'k' && at('h', 8) == 'r')) return false;
        if (c == 'q' && !(at('e', 8) == 'k' && at('a', 8) == 'r')) return false;
    }
    return true;
}

TEST(FenWrite, PositionsOfThePerftVectorsComeOutAsTheyWentIn) {
    // Written by another program; their castling fields name only rights
    // whose king and rook stand at home, their en passant fields only squares
    // a pawn has just passed over, so every field must come back the same.
    std::size_t positions = 0;
    for (const char* name : {"perft/tricky.perft", "perft/random.perft"}) {
        const auto path = testsupport::SharedDataFile(name);
        if (!testsupport::SharedDataPresent(path)) GTEST_SKIP() << testsupport::SharedDataMissing(path);
        const testsupport::PerftFile file = testsupport::ReadPerftFile(path.string());
        ASSERT_TRUE(file.Problems.empty()) << file.Problems.front();
        for (const testsupport::PerftPosition& p : file.Positions) {
            const std::string fen = p.Fen + " 0 1";
            if (!StandardRights(fen)) continue;
            ASSERT_EQ(Rewritten(fen), fen) << name << " line " << p.Line;
            ++positions;
        }
    }
    EXPECT_GT(positions, 6000U);
}

TEST(FenWrite, FieldsFromTheBoardAndTheCounters) {
    const std::vector<std::pair<const char*, std::string>> rows = {
        {"counters written as given", "8/5k2/8/8/8/8/2K5/8 b - - 40 117"},
        {"rights whose pieces are gone are not written", "4k2r/8/8/8/8/8/8/R3K3 w KQkq - 0 1"},
        {"a right withheld stays withheld", "r3k2r/8/8/8/8/8/8/R3K2R w Kq - 0 1"},
        {"both sides to move", "r3k2r/8/8/8/8/8/8/R3K2R b KQ - 3 30"},
    };
    const std::vector<std::string> expected = {
        "8/5k2/8/8/8/8/2K5/8 b - - 40 117",
        "4k2r/8/8/8/8/8/8/R3K3 w Qk - 0 1",
        "r3k2r/8/8/8/8/8/8/R3K2R w Kq - 0 1",
        "r3k2r/8/8/8/8/8/8/R3K2R b KQ - 3 30",
    };
    for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(Rewritten(rows[i].second), expected[i]) << rows[i].first;
}

TEST(FenWrite, CastlingFieldFollowsTheMovesMade) {
    // A moved king or rook loses its rights even when it comes back; a rook
    // taken on its square takes its right with it.
    struct Row {
        const char* Name;
        std::vector<const char*> Moves;
        const char* Castling;
    };
    const std::vector<Row> rows = {
        {"nothing moved", {}, "KQkq"},
        {"h1 rook out and back", {"h1h2", "a8a7", "h2h1"}, "Qk"},
        {"king out and back", {"e1e2", "e8d8", "e2e1", "d8e8"}, "-"},
        {"rook a8 taken on its square", {"a1a8"}, "Kk"},
        {"castled king side", {"e1g1"}, "kq"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        Position pos;
        ASSERT_TRUE(LoadFen(pos, "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1"));
        for (const char* move : row.Moves) ASSERT_TRUE(enginetest::PlayLine(pos, {move}));
        EXPECT_EQ(CastlingField(pos.Board, pos.MoveCounts), row.Castling);
        // The field, read back, offers the same castling moves.
        Position back;
        ASSERT_TRUE(LoadFen(back, WriteFen(pos.CurrentFen(0, 1))));
        EXPECT_EQ(CastlingMoves(back), CastlingMoves(pos));
    }
}

TEST(FenWrite, SetUpMakesTheFenPositionTheRoot) {
    const char* fen = "r3k2r/ppp2ppp/8/3pP3/8/8/PPP2PPP/R3K2R w Kq d6 0 12";
    Position read;
    ASSERT_TRUE(LoadFen(read, fen));
    Position set = BusyPosition();
    FenPosition position = read.CurrentFen(0, 12);
    set.SetUp(position);
    EXPECT_EQ(StateDifference(set, read, StateScope::Unchanged), "");
    EXPECT_EQ(WriteFen(set.CurrentFen(0, 12)), fen);
}

}  // namespace
}  // namespace orvane
