// The chess position on a 10x12 mailbox board, the move tree and the rules.
//
// Square numbers are 10 x row + column: rows 2..9 are ranks 1..8, columns
// 1..8 are files a..h (a1 = 21, h1 = 28, a8 = 91, h8 = 98). The 56 squares
// around the playing area hold the border value 100. A piece code is the piece
// type (1 pawn, 2 rook, 3 bishop, 4 knight, 5 queen, 6 king) with the sign of
// its colour (+1 White, -1 Black, the same values as SideToMove).
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "common/readerror.h"

namespace orvane {

inline constexpr int BorderValue = 100;
inline constexpr int BoardSize = 120;
inline constexpr int MoveListLast = 1000;  // MoveList has slots 0..1000
inline constexpr int MaxTreeDepth = 100;   // EpTarget and DepthStart have 0..100

inline constexpr int Pawn = 1, Rook = 2, Bishop = 3, Knight = 4, Queen = 5, King = 6;

// The king square of a side that has no king on the board.
inline constexpr int NoKing = 0;

// The standard initial position as a position string (a1..h8).
inline constexpr std::string_view StandardPositionString =
    "243563421111111100000000000000000000000000000000777777778A9BC9A8";

// One generated or played move; it is also the complete undo information.
struct MoveRecord {
    std::int16_t Source = 0;
    std::int16_t Dest = 0;
    std::int16_t Captured = 0;    // piece type taken, 1 for en passant, 0 quiet
    std::int16_t Promotion = 0;   // piece type 2..5, 0 none
    std::int16_t CastleKind = 0;  // 1 king side, 2 queen side
    std::int16_t EpSquare = 0;    // double push: square passed; en passant: victim square
    std::int16_t Spare = 0;

    friend bool operator==(const MoveRecord&, const MoveRecord&) = default;
};

struct PieceMove {
    int FirstDir;
    int LastDir;
    int Slides;  // -1 true, 0 false
};

// Constant tables. Directions 0..3 are diagonals, 4..7 orthogonals, 8..15
// knight jumps; the order inside each group is the generation order.
inline constexpr std::array<int, 16> Directions = {-9, -11, 9, 11, -1, 10, 1, -10, 19, 21, 12, -8, -19, -21, -12, 8};
inline constexpr std::array<PieceMove, 7> PieceMoves = {
    {{0, 0, 0}, {-1, -1, 0}, {4, 7, -1}, {0, 3, -1}, {8, 15, 0}, {0, 7, -1}, {0, 7, 0}}};
inline constexpr std::array<char, 7> PieceLetter = {'.', ' ', 'R', 'B', 'N', 'Q', 'K'};
inline constexpr std::array<int, 7> PieceValue = {0, 100, 500, 325, 310, 900, 0};
inline constexpr int PromoHigh = 5;
inline constexpr int PromoLow = 2;

// Raised when the move tree outgrows its fixed arrays: an en passant
// capture registered into a full move list (" ERROR: Move stack overflow"),
// or a move made or generated deeper than MaxTreeDepth. Nothing the window
// does comes near either limit: it keeps at most two depths of the tree, and
// the move list then holds at most two positions' moves (no position has
// 300). Only a deep walk of the tree, such as perft, reaches them; the perft
// tool reports the text.
class MoveTreeOverflow : public std::runtime_error {
public:
    explicit MoveTreeOverflow(const char* what) : std::runtime_error(what) {}
};
inline constexpr const char* MoveStackOverflowText = " ERROR: Move stack overflow";
inline constexpr const char* TreeTooDeepText = "move tree deeper than its arrays";

enum class GameEnd { None, Checkmate, Stalemate };

// What a caller knows of whether the side to move's king stands in check.
enum class KingCheck { Unknown, No, Yes };

// What a FEN tells besides the board.
struct FenInfo {
    int FenSideToMove = 1;         // 1 White, -1 Black
    std::string FenMoveNumber;     // the full-move number field, "" when absent
    std::string FenHalfMoveClock;  // the half-move clock field, "" when absent
};

// A position as a FEN describes it.
struct FenPosition {
    std::array<int, BoardSize> Board{};
    int SideToMove = 1;          // 1 White, -1 Black
    std::string Castling = "-";  // the castling field: letters of KQkq in that order, or "-"
    int EpTarget = 0;            // the square a double step has just passed over, 0 none
    int HalfMoveClock = 0;       // plies since the last pawn move or capture
    int FullMoveNumber = 1;      // the number of the move pair about to be played
};

// The six fields of a FEN, separated by single blanks.
std::string WriteFen(const FenPosition& position);

// The castling rights the move generator grants on a board with these move
// counters, as a FEN's castling field: "K" when the White king stands on e1
// (the first White king in square order) and the rook on h1, neither square
// ever moved from or to; "Q", "k", "q" alike; "-" for none.
std::string CastlingField(const std::array<int, BoardSize>& board, const std::array<int, BoardSize>& moveCounts);

// Whether text is a castling field: "-", or one or more of the letters K, Q, k, q.
bool IsCastlingField(std::string_view text);

// Counts the rook home squares whose right a castling field withholds as
// moved (count 1), so the generator offers exactly the rights it grants.
// An empty field withholds nothing, "-" withholds all four.
void WithholdCastling(std::array<int, BoardSize>& moveCounts, std::string_view field);

// Whether target (a square number) can be the en passant target of a
// position with sideToMove to move: the square on the third or sixth rank
// that a pawn of the other side has just passed over with a double step
// (the square and the one it came from empty, the pawn beyond it).
bool EnPassantTargetFits(const std::array<int, BoardSize>& board, int sideToMove, int target);

// Texts of a game's end, as announced.
const char* GameEndText(GameEnd kind, int sideToMove);
// Message box title of the announcement; "" means the application's own title.
const char* GameEndTitle(GameEnd kind);

// A decoded position-string character, or BorderValue when the character has no meaning.
constexpr int DecodePositionChar(char c) {
    int v = 0;
    if (c >= '0' && c <= '9') {
        v = c - '0';
    } else if (c >= 'A' && c <= 'C') {
        v = c - 55;
    } else {
        return BorderValue;
    }
    return v > 6 ? 6 - v : v;
}

class Position {
public:
    std::array<int, BoardSize> Board{};
    std::array<int, BoardSize> StartBoard{};
    std::array<int, BoardSize> BorderBoard{};
    std::array<int, BoardSize> MoveCounts{};
    int SideToMove = 1;
    // Square of each side's king: where it stands, the first in square order
    // when a set-up board holds several, NoKing when it holds none.
    int WhiteKing = 25;
    int BlackKing = 95;
    int BlackStarts = 0;

    int TreeDepth = 0;
    int MoveCount = 0;
    int CurrentPly = 0;
    // How many times GenerateMoves has listed a position's moves: a count
    // for the tests that hold the window to doing each position's work once.
    long Generations = 0;
    std::array<int, MaxTreeDepth + 1> EpTarget{};
    std::array<int, MaxTreeDepth + 1> DepthStart{};
    std::array<MoveRecord, MoveListLast + 1> MoveList{};

    std::array<int, 7> PromoChoice{};

    Position();

    // The engine half of the game reset without a kept position: border
    // template, promotion choices, standard array, king squares, side to move
    // from BlackStarts. Does not touch the tree counters (see ResetTree).
    void LoadStandardPosition();
    // The part of every reset that returns the tree to its root.
    void ResetTree();

    // Decodes the built-in start text into Board and StartBoard.
    void LoadStartPosition();
    // The 64-character position string of StartBoard.
    std::string PositionString() const;
    // The 64-character position string of Board.
    std::string BoardPositionString() const;
    // Decodes a position string into Board and StartBoard (and the king
    // squares it shows). Anything but 64 characters of "0".."9", "A".."C" is
    // refused (Field 0, Column the 1-based character; BadLength: the length
    // plus 1) and leaves the position untouched.
    ReadError ReadPositionString(std::string_view text);

    // Sets WhiteKing and BlackKing from Board: for each side the first
    // square in square order that holds its king, NoKing when none does.
    // Called after anything but a move changed the board.
    void LocateKings();

    // Reads a FEN into Board and StartBoard: side to move (BlackStarts = 1
    // for Black), king squares, castling rights as move counters, the en
    // passant target at the current depth. A malformed FEN, and one whose
    // position no game can reach (a side without a king or with several,
    // a pawn on the first or last rank, the side not to move in check), is
    // refused with its kind, Field (1..6) and Column (the 1-based character
    // where the fault was seen) and leaves the position untouched.
    ReadError ReadFen(std::string_view fen, FenInfo* info = nullptr);

    // Makes a FEN position the position and the root of the move tree, with
    // no checks: Board, StartBoard, the move counters from its castling
    // field, its en passant target at depth 0, the side to move (BlackStarts
    // 1 for Black) and the king squares. The two clocks are not kept.
    void SetUp(const FenPosition& position);

    // The position on the board as a FEN describes it, with the clocks given:
    // the castling field from the move counters, the en passant target of
    // the current depth.
    FenPosition CurrentFen(int halfMoveClock, int fullMoveNumber) const;

    // Legal moves of the side to move into MoveList from DepthStart(TreeDepth)
    // on, in generation order. AllMoves <= 0 leaves out quiet moves other than
    // promotions and castling.
    void GenerateMoves(int AllMoves);

    // The legal moves onto one square: exactly the moves of GenerateMoves(1)
    // whose Dest is dest, in the same order, written the same way (slots
    // DepthStart(TreeDepth) .. DepthStart(TreeDepth + 1) - 1, MoveCount the
    // slot after them), so that any of them can be made with PerformMove.
    // pieceType 1..6 keeps only the moves of pieces of that type (en passant
    // is a pawn's move, castling the king's); 0 keeps all. Returns how many
    // moves there are; 0 for a square off the playing area or a type outside
    // 0..6. Only the pieces that reach dest are looked at, en passant when
    // dest is the target, castling when it is a castling king's destination.
    //
    // check may tell whether the side to move's king stands in check, when
    // the caller knows it for certain (as CheckAfterMove finds it); Unknown
    // has it tested. Debug builds hold a given answer against the test.
    int GenerateMovesTo(int dest, int pieceType = 0, KingCheck check = KingCheck::Unknown);

    // Whether the side to move's king stands in check after `played`, the
    // move just made with PerformMove, found from the squares that move
    // changed alone. It holds only when the position before the move was
    // legal (the side now to move not in check there), as in a game replayed
    // move by move from a legal start. Unknown when the king field does not
    // name the side's king.
    KingCheck CheckAfterMove(const MoveRecord& played) const;

    // Whether the side to move has a legal move; stops at the first one it
    // finds. The list at the current depth serves as scratch and is left
    // empty (DepthStart(TreeDepth + 1) = MoveCount = DepthStart(TreeDepth));
    // the position itself is unchanged.
    bool HasLegalMove();

    // Register functions return the slot written, or -1 when nothing was added.
    int RegisterMove(int source, int dest);
    int RegisterCaptureMove(int source, int dest);
    void RegisterPromotion(int source, int dest, int cm1);
    int RegisterEpCapture(int source, int target, int victim);

    // -1 when square is attacked by a piece of colour attacker (+1 / -1),
    // else 0; 0 for a square off the playing area (such as NoKing).
    int IsAttacked(int square, int attacker) const;

    // Plays MoveList(CurrMove) / takes it back. Mirror images of each other.
    void PerformMove(int CurrMove);
    void TakeBackMove(int CurrMove);
    // The current position becomes the root of the move tree.
    void InitGameTree();

    // The game-end test: tree to depth 0, legal moves at depth 0, and whether
    // the side to move is mated, stalemated or can play on.
    GameEnd TestGameEnd();
    // The same answer for callers that have no use for the legal moves: the
    // tree goes to depth 0 and HasLegalMove decides, so the list at depth 0
    // is left empty instead of holding the moves.
    GameEnd TestGameEndOnly();
    // True when the side to move's king is attacked; never without a king.
    bool InCheck() const;

    // Number of legal moves at the current depth after GenerateMoves.
    int CurrentMoveCount() const {
        return DepthStart[static_cast<std::size_t>(TreeDepth) + 1] - DepthStart[static_cast<std::size_t>(TreeDepth)];
    }

    // Checks the invariants that make and unmake must keep (border intact,
    // king squares hold kings where a king is on the board, counters not
    // negative). Returns an empty text when all hold, else what failed.
    std::string CheckInvariants() const;
};

// Debug and sanitizer builds (ORVANE_CHECK_INVARIANTS) check the position's
// invariants after every make and unmake, and every move the generator finds
// legal without making it by making it; they stop the program at the first
// step that breaks them. While an object of this class lives the checks rest:
// for walks of millions of moves whose results are checked as a whole, such
// as perft counts. In other builds there is nothing to pause.
class InvariantChecksPaused {
public:
    InvariantChecksPaused();
    ~InvariantChecksPaused();
    InvariantChecksPaused(const InvariantChecksPaused&) = delete;
    InvariantChecksPaused& operator=(const InvariantChecksPaused&) = delete;
    // True while an object of this class lives in this thread.
    static bool InEffect();
};

// The 64 playing squares among 0..BoardSize - 1, by table.
inline constexpr std::array<bool, BoardSize> PlayingSquares = [] {
    std::array<bool, BoardSize> table{};
    for (int s = 21; s <= 98; ++s) table[static_cast<std::size_t>(s)] = s % 10 >= 1 && s % 10 <= 8;
    return table;
}();

// True for the 64 playing squares.
constexpr bool IsPlayingSquare(int square) {
    return square >= 0 && square < BoardSize && PlayingSquares[static_cast<std::size_t>(square)];
}

// -1 when square (a playing square) is attacked on board by a piece of
// colour attacker, else 0: the attack test of Position::IsAttacked for a
// board that is not (yet) the position's.
int SquareAttacked(const std::array<int, BoardSize>& board, int square, int attacker);

// The first square in square order holding piece, NoKing when none does.
int FirstSquareOf(const std::array<int, BoardSize>& board, int piece);

}  // namespace orvane
