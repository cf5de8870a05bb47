// Move generation. The rules of how each piece moves, en passant, castling
// and the legality test are written once below and serve three entry points:
// the full list (GenerateMoves), the list of moves to one square
// (GenerateMovesTo) and whether any move is legal (HasLegalMove).
#include <bit>
#include <cstdint>

#include "common/index.h"
#include "engine/position.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#ifdef ORVANE_CHECK_INVARIANTS
#include <cstdio>
#include <cstdlib>
#endif

namespace orvane {

namespace {
inline std::int16_t I16(int v) { return static_cast<std::int16_t>(v); }

// The depth a list is generated at; the list of the deepest depth would have
// no DepthStart slot for its end.
int GenerationDepth(const Position& pos) {
    const int d = pos.TreeDepth;
    if (d < 0 || d >= MaxTreeDepth) throw MoveTreeOverflow(TreeTooDeepText);
    return d;
}

// ---- The pseudo-legal moves: how each piece moves --------------------------

// One step of a piece other than a pawn from s onto `to`: a quiet move onto
// an empty square (only when all), a capture of an enemy piece other than a
// king. True when the square was empty, so that a sliding piece goes on.
inline bool StepOnto(Position& pos, int s, int to, bool all) {
    const int target = pos.Board[At(to)];
    if (target == 0) {
        if (all) pos.RegisterMove(s, to);
        return true;
    }
    if (target != BorderValue && target * pos.SideToMove < 0) pos.RegisterCaptureMove(s, to);
    return false;
}

// The moves of the piece of the given type (not a pawn) on s: direction by
// direction in table order, each as far as the piece goes.
inline void PieceMovesFrom(Position& pos, int s, int type, bool all) {
    const PieceMove& pm = PieceMoves[At(type)];
    for (int k = pm.FirstDir; k <= pm.LastDir; ++k) {
        const int step = Directions[At(k)];
        int to = s + step;
        while (StepOnto(pos, s, to, all) && pm.Slides != 0 && k <= 7) to += step;
    }
}

// The moves of the pawn on s of the side to move: the push (four promotions
// when it reaches the last rank), the double push from the second rank, then
// the captures on the file towards h (White) or a (Black) first. OneDest
// keeps only the moves onto dest.
template <bool OneDest>
void PawnMovesFrom(Position& pos, int s, bool all, int dest) {
    const int side = pos.SideToMove;
    const int ahead = 10 * side;
    const bool promotes = side == 1 ? s > 80 : s <= 38;
    if (pos.Board[At(s + ahead)] == 0) {
        if (promotes) {
            if (!OneDest || dest == s + ahead) pos.RegisterPromotion(s, s + ahead, 0);
        } else if (all) {
            if (!OneDest || dest == s + ahead) pos.RegisterMove(s, s + ahead);
            const bool home = side == 1 ? s < 39 : s > 80;
            if (home && pos.Board[At(s + 2 * ahead)] == 0 && (!OneDest || dest == s + 2 * ahead))
                pos.MoveList[At(pos.RegisterMove(s, s + 2 * ahead))].EpSquare = I16(s + ahead);
        }
    }
    for (const int to : {s + ahead + side, s + ahead - side}) {
        if (OneDest && to != dest) continue;
        const int target = pos.Board[At(to)];
        if (target == BorderValue || target * side >= 0) continue;
        if (promotes)
            pos.RegisterPromotion(s, to, 0);
        else
            pos.RegisterCaptureMove(s, to);
    }
}

// The en passant captures onto the target t: White's pawn on t - 9 first,
// then t - 11 (Black: t + 9, then t + 11).
void EnPassantCaptures(Position& pos, int t) {
    if (pos.SideToMove == 1) {
        if (pos.Board[At(t - 9)] == 1) pos.RegisterEpCapture(t - 9, t, t - 10);
        if (pos.Board[At(t - 11)] == 1) pos.RegisterEpCapture(t - 11, t, t - 10);
    } else {
        if (pos.Board[At(t + 9)] == -1) pos.RegisterEpCapture(t + 9, t, t + 10);
        if (pos.Board[At(t + 11)] == -1) pos.RegisterEpCapture(t + 11, t, t + 10);
    }
}

// Castling of the side to move, king side first: king and rook on their home
// squares with zero move counters, the squares between empty, the king's
// square, the one it passes and the one it lands on not attacked. dest 0
// gives both; a king's destination gives that one only.
void CastlingMoves(Position& pos, int dest) {
    const int side = pos.SideToMove;
    const int king = side == 1 ? 25 : 95;
    const int tracked = side == 1 ? pos.WhiteKing : pos.BlackKing;
    if (pos.MoveCounts[At(king)] != 0 || tracked != king || pos.Board[At(king)] != King * side) return;
    const auto empty = [&pos](int sq) { return pos.Board[At(sq)] == 0; };
    const auto safe = [&pos, side](int sq) { return pos.IsAttacked(sq, -side) == 0; };
    const int rookH = king + 3;
    const int rookA = king - 4;
    if ((dest == 0 || dest == king + 2) && pos.Board[At(rookH)] == Rook * side && pos.MoveCounts[At(rookH)] == 0 &&
        empty(king + 1) && empty(king + 2) && safe(king) && safe(king + 1) && safe(king + 2))
        pos.MoveList[At(pos.RegisterMove(king, king + 2))].CastleKind = 1;
    if ((dest == 0 || dest == king - 2) && pos.Board[At(rookA)] == Rook * side && pos.MoveCounts[At(rookA)] == 0 &&
        empty(king - 1) && empty(king - 2) && empty(king - 3) && safe(king) && safe(king - 1) && safe(king - 2))
        pos.MoveList[At(pos.RegisterMove(king, king - 2))].CastleKind = 2;
}

// ---- Legality ----------------------------------------------------------------

// The line direction (index 0..7 of Directions) that leads from one square to
// another within seven steps, by their difference + 77; -1 where none does.
// A difference that wraps around the board's edge passes a border square on
// the way, which the walks below stop at.
constexpr std::array<int, 155> LineTowards = [] {
    std::array<int, 155> table{};
    for (int& k : table) k = -1;
    for (int k = 0; k <= 7; ++k)
        for (int n = 1; n <= 7; ++n)
            table[static_cast<std::size_t>(77 + n * Directions[static_cast<std::size_t>(k)])] = k;
    return table;
}();

// Which pieces could attack across a difference of squares (+ 77) on an
// empty board: bit t for the piece type t, bit 0 for a White pawn, bit 7 for
// a Black pawn.
constexpr std::array<std::uint8_t, 155> Reach = [] {
    std::array<std::uint8_t, 155> table{};
    const auto mark = [&table](int diff, int bit) {
        table[static_cast<std::size_t>(77 + diff)] =
            static_cast<std::uint8_t>(table[static_cast<std::size_t>(77 + diff)] | (1 << bit));
    };
    for (int k = 0; k <= 7; ++k) {
        const int step = Directions[static_cast<std::size_t>(k)];
        for (int n = 1; n <= 7; ++n) {
            mark(n * step, Queen);
            mark(n * step, k <= 3 ? Bishop : Rook);
        }
        mark(step, King);
    }
    for (int k = 8; k <= 15; ++k) mark(Directions[static_cast<std::size_t>(k)], Knight);
    mark(9, 0);
    mark(11, 0);
    mark(-9, 7);
    mark(-11, 7);
    return table;
}();

// Whether the squares from s (not included) to target along step are empty
// up to target: a piece on s moving along step reaches it.
inline bool LineOpen(const std::array<int, BoardSize>& board, int s, int target, int step) {
    int sq = s + step;
    while (sq != target && board[At(sq)] == 0) sq += step;
    return sq == target;
}

// The first square after `from` along step that is not empty: a piece's or
// the border's.
inline int FirstTaken(const std::array<int, BoardSize>& board, int from, int step) {
    int sq = from + step;
    while (board[At(sq)] == 0) sq += step;
    return sq;
}

// Whether piece is a rook, bishop or queen of colour attacker that moves
// along line direction k (0..7). A king found along a line stands two or
// more steps away: it attacks nothing there.
inline bool SlidesAlong(int piece, int attacker, int k) {
    if (piece == BorderValue || piece * attacker <= 0) return false;
    const int type = piece < 0 ? -piece : piece;
    const PieceMove& pm = PieceMoves[At(type)];
    return type != King && pm.Slides != 0 && k >= pm.FirstDir && k <= pm.LastDir;
}

// Whether the piece on s (a playing square) attacks target (another one).
// Steps and jumps between playing squares never wrap around the board's
// edge: the border is a column wide on each side.
bool PieceAttacks(const std::array<int, BoardSize>& board, int s, int target) {
    const int piece = board[At(s)];
    const int diff = target - s;
    if (diff < -77 || diff > 77 || piece == 0 || piece < -King || piece > King) return false;
    const int type = piece < 0 ? -piece : piece;
    const int bit = type == Pawn ? (piece > 0 ? 0 : 7) : type;
    const auto at = At(diff + 77);
    if (((Reach[at] >> bit) & 1) == 0) return false;
    if (type == Pawn || type == Knight || type == King) return true;
    // A slider: the squares between must be empty.
    return LineOpen(board, s, target, Directions[At(LineTowards[at])]);
}

// Whether a rook, bishop or queen of colour attacker attacks the king on
// `king` along the line that runs from it through square s.
bool SliderBehind(const std::array<int, BoardSize>& board, int king, int s, int attacker) {
    const int diff = s - king;
    if (diff < -77 || diff > 77) return false;
    const int k = LineTowards[At(diff + 77)];
    if (k < 0) return false;
    return SlidesAlong(board[At(FirstTaken(board, king, Directions[At(k)]))], attacker, k);
}

// A move is legal when, made, it leaves the mover's king (the square the
// side's king field names afterwards) unattacked. Whether the king stands in
// check now is found once per list. When it does not, a move of any other
// piece can expose the king only by opening the line the piece stood on: the
// piece is pinned when it is the first along a line from the king and an
// enemy rook, bishop or queen moving along that line is the next piece
// behind it. Everything else is made and tested as the rule says: king moves
// and castling, en passant (two pawns leave one rank), pinned pieces, and
// every move while in check.
struct KingWatch {
    int King = NoKing;       // the square of the mover's king, NoKing without one
    int Side = 1;            // the mover
    bool TestEvery = false;  // in check, or a king field that does not name the king

    // Whether the mover's piece on s is pinned to the king.
    bool Pinned(const Position& pos, int s) const {
        if (King == NoKing) return false;  // nothing to expose
        const int k = LineTowards[At(s - King + 77)];
        if (k < 0) return false;
        const int step = Directions[At(k)];
        if (FirstTaken(pos.Board, King, step) != s) return false;  // another piece stands first
        return SlidesAlong(pos.Board[At(FirstTaken(pos.Board, s, step))], -Side, k);
    }
};

KingWatch WatchKing(const Position& pos, KingCheck check = KingCheck::Unknown) {
    KingWatch w;
    w.Side = pos.SideToMove;
    const int king = w.Side == 1 ? pos.WhiteKing : pos.BlackKing;
    // Without a king nothing can be attacked: only a king's own moves would
    // change that, and those are always tested.
    if (!IsPlayingSquare(king)) return w;
    w.King = king;
    if (pos.Board[At(king)] != King * w.Side) {
        w.TestEvery = true;
    } else if (check == KingCheck::Unknown) {
        w.TestEvery = pos.IsAttacked(king, -w.Side) != 0;
    } else {
        w.TestEvery = check == KingCheck::Yes;
#ifdef ORVANE_CHECK_INVARIANTS
        if (!InvariantChecksPaused::InEffect() && w.TestEvery != (pos.IsAttacked(king, -w.Side) != 0)) {
            std::fprintf(stderr, "orvane: the check given for the king on %d is not the king's\n", king);
            std::abort();
        }
#endif
    }
    return w;
}

// The rule itself: make the move, look at the mover's king, take it back.
// A step of the king the side's king field names, castling aside, changes
// only its two squares, and the field then names its new square unless
// another king of the side stands between the two in square order (as
// PerformMove finds it): the attack test then needs only those two squares
// changed for its duration.
bool LeavesKingSafe(Position& pos, int slot) {
    const MoveRecord& r = pos.MoveList[At(slot)];
    const int side = pos.SideToMove;
    const int king = King * side;
    const int from = r.Source;
    const int to = r.Dest;
    if (r.CastleKind == 0 && from == (side == 1 ? pos.WhiteKing : pos.BlackKing) && pos.Board[At(from)] == king) {
        bool another = false;
        for (int sq = from + 1; sq < to; ++sq) another = another || pos.Board[At(sq)] == king;
        if (!another) {
            const int taken = pos.Board[At(to)];
            pos.Board[At(from)] = 0;
            pos.Board[At(to)] = king;
            const int attacked = SquareAttacked(pos.Board, to, -side);
            pos.Board[At(to)] = taken;
            pos.Board[At(from)] = king;
            return attacked == 0;
        }
    }
    pos.PerformMove(slot);
    const int attacked = pos.SideToMove == 1 ? pos.IsAttacked(pos.BlackKing, 1) : pos.IsAttacked(pos.WhiteKing, -1);
    pos.TakeBackMove(slot);
    return attacked == 0;
}

bool IsLegal(Position& pos, int slot, const KingWatch& w) {
    const MoveRecord& r = pos.MoveList[At(slot)];
    const int piece = pos.Board[At(r.Source)];
    const bool enPassant = r.EpSquare != 0 && r.Captured == 1;
    if (w.TestEvery || piece == King || piece == -King || enPassant || w.Pinned(pos, r.Source))
        return LeavesKingSafe(pos, slot);
#ifdef ORVANE_CHECK_INVARIANTS
    // Debug builds hold the shortcut to the rule for every move it decides.
    if (!InvariantChecksPaused::InEffect() && !LeavesKingSafe(pos, slot)) {
        std::fprintf(stderr, "orvane: the move %d-%d was taken as legal but leaves the king attacked\n", r.Source,
                     r.Dest);
        std::abort();
    }
#endif
    return true;
}

// Keeps, in order, the legal moves among the slots first .. MoveCount - 1.
// Removing a move never changes whether another is legal, so one compacting
// pass gives the list the rule gives.
void KeepLegal(Position& pos, int first, KingCheck check = KingCheck::Unknown) {
    if (pos.MoveCount == first) return;
    const KingWatch w = WatchKing(pos, check);
    int kept = first;
    const int end = pos.MoveCount;
    for (int l = first; l < end; ++l) {
        if (!IsLegal(pos, l, w)) continue;
        if (kept != l) pos.MoveList[At(kept)] = pos.MoveList[At(l)];
        ++kept;
    }
    pos.MoveCount = kept;
}

// Whether one of the slots first .. MoveCount - 1 holds a legal move.
bool AnyLegal(Position& pos, int first, const KingWatch& w) {
    for (int l = first; l < pos.MoveCount; ++l)
        if (IsLegal(pos, l, w)) return true;
    return false;
}

// The playing squares that hold code or other, as bits in square order:
// bit 8 * (rank - 1) + (file - 1).
std::uint64_t SquaresHolding(const std::array<int, BoardSize>& board, int code, int other) {
    std::uint64_t mask = 0;
#if defined(__SSE2__)
    const __m128i want = _mm_set1_epi32(code);
    const __m128i also = _mm_set1_epi32(other);
    const auto rowBits = [&board, want, also](int row) {
        const int* first = board.data() + 21 + 10 * row;
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(first));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(first + 4));
        const __m128i low = _mm_or_si128(_mm_cmpeq_epi32(a, want), _mm_cmpeq_epi32(a, also));
        const __m128i high = _mm_or_si128(_mm_cmpeq_epi32(b, want), _mm_cmpeq_epi32(b, also));
        return static_cast<std::uint64_t>(_mm_movemask_ps(_mm_castsi128_ps(low)) |
                                          (_mm_movemask_ps(_mm_castsi128_ps(high)) << 4));
    };
    for (int row = 0; row < 8; ++row) mask |= rowBits(row) << (8 * row);
#else
    for (int bit = 0; bit < 64; ++bit) {
        const int piece = board[At(21 + 10 * (bit >> 3) + (bit & 7))];
        if (piece == code || piece == other) mask |= std::uint64_t{1} << bit;
    }
#endif
    return mask;
}

std::uint64_t SquaresHolding(const std::array<int, BoardSize>& board, int code) {
    return SquaresHolding(board, code, code);
}

// The square of bit `bit` of such a mask.
constexpr int SquareOfBit(int bit) { return 21 + 10 * (bit >> 3) + (bit & 7); }

// For each square, the playing squares on its diagonals ([0]) and on its
// rank and file ([1]), as such a mask: where a bishop or a rook could stand
// to reach it on an empty board.
constexpr std::array<std::array<std::uint64_t, BoardSize>, 2> LinesThrough = [] {
    std::array<std::array<std::uint64_t, BoardSize>, 2> table{};
    for (int bit = 0; bit < 64; ++bit) {
        const int s = SquareOfBit(bit);
        for (int k = 0; k <= 7; ++k) {
            const int step = Directions[static_cast<std::size_t>(k)];
            for (int t = s + step; IsPlayingSquare(t); t += step) {
                const int tbit = 8 * (t / 10 - 2) + (t % 10 - 1);
                table[k <= 3 ? 0 : 1][static_cast<std::size_t>(s)] |= std::uint64_t{1} << tbit;
            }
        }
    }
    return table;
}();

// The squares whose piece of the side to move reaches dest (a playing
// square) in one of its moves, in square order, the order of the full list;
// of pieces of type Type, or of any type for 0. A knight, a king and a pawn
// can come only from a few squares, which are looked at; a rook, bishop or
// queen is found among the pieces of its type; for any type they are found
// by looking back from dest along the directions pieces move in, over empty
// squares where one slides. A square holds one piece, which reaches dest in
// one way at most. Returns how many there are.
template <int Type>
int SourcesOnto(const std::array<int, BoardSize>& board, int dest, int side, std::array<int, 20>& sources) {
    int count = 0;
    if constexpr (Type == Knight || Type == King) {
        // The eight squares a knight jumps or a king steps from, in square order.
        constexpr std::array<int, 8> from = Type == Knight ? std::array<int, 8>{-21, -19, -12, -8, 8, 12, 19, 21}
                                                           : std::array<int, 8>{-11, -10, -9, -1, 1, 9, 10, 11};
        // Each square written, and kept when it holds such a piece: no
        // branch to foresee.
        const int own = side * Type;
        for (const int offset : from) {
            sources[At(count)] = dest + offset;
            count += board[At(dest + offset)] == own ? 1 : 0;
        }
    } else if constexpr (Type == Pawn) {
        // The push, the double push and the two captures, already in square order.
        const int pawn = Pawn * side;
        const std::array<int, 4> from = side == 1 ? std::array<int, 4>{dest - 20, dest - 11, dest - 10, dest - 9}
                                                  : std::array<int, 4>{dest + 9, dest + 10, dest + 11, dest + 20};
        for (const int s : from) {
            sources[At(count)] = s;
            count += board[At(s)] == pawn ? 1 : 0;
        }
    } else if constexpr (Type != 0) {
        // The few pieces of that type on a line through dest, each asked
        // whether the line to it is open: fewer unforeseeable steps than a
        // look along every direction.
        constexpr PieceMove wanted = PieceMoves[static_cast<std::size_t>(Type)];
        constexpr std::size_t lines = Type == Bishop ? 0 : 1;  // a queen's diagonals are added below
        std::uint64_t near = LinesThrough[lines][At(dest)];
        if constexpr (Type == Queen) near |= LinesThrough[0][At(dest)];
        for (std::uint64_t found = SquaresHolding(board, side * Type) & near; found != 0; found &= found - 1) {
            const int s = SquareOfBit(std::countr_zero(found));
            const int k = LineTowards[At(dest - s + 77)];
            if (k < wanted.FirstDir || k > wanted.LastDir) continue;
            if (LineOpen(board, s, dest, Directions[At(k)])) sources[At(count++)] = s;
        }
    } else {
        // Any type: back along every direction from dest, over empty squares
        // where a piece could slide, kept in square order as found.
        const auto add = [&](int s) {
            int i = count++;
            for (; i > 0 && sources[At(i - 1)] > s; --i) sources[At(i)] = sources[At(i - 1)];
            sources[At(i)] = s;
        };
        for (int k = 0; k <= 15; ++k) {
            const int step = Directions[At(k)];
            int s = dest - step;
            int steps = 1;
            if (k <= 7) {
                while (board[At(s)] == 0) {
                    s -= step;
                    ++steps;
                }
            }
            const int piece = board[At(s)];
            if (piece == BorderValue || piece * side <= 0) continue;
            const int type = piece < 0 ? -piece : piece;
            if (type == Pawn) continue;
            const PieceMove& pm = PieceMoves[At(type)];
            if (k >= pm.FirstDir && k <= pm.LastDir && (steps == 1 || pm.Slides != 0)) add(s);
        }
        const int ahead = 10 * side;
        for (const int s : {dest - ahead, dest - 2 * ahead, dest - ahead - side, dest - ahead + side})
            if (board[At(s)] == Pawn * side) add(s);
    }
    return count;
}

}  // namespace

int Position::RegisterMove(int source, int dest) {
    const int slot = MoveCount;
    MoveList[At(slot)] = MoveRecord{I16(source), I16(dest), 0, 0, 0, 0, 0};
    if (MoveCount < MoveListLast) ++MoveCount;
    return slot;
}

int Position::RegisterCaptureMove(int source, int dest) {
    const int victim = Board[At(dest)];
    if (victim == King || victim == -King) return -1;
    const int slot = MoveCount;
    MoveList[At(slot)] = MoveRecord{I16(source), I16(dest), I16(victim < 0 ? -victim : victim), 0, 0, 0, 0};
    if (MoveCount < MoveListLast) ++MoveCount;
    return slot;
}

void Position::RegisterPromotion(int source, int dest, int cm1) {
    // Queen, knight, bishop, rook: types PromoHigh down to PromoLow.
    if (Board[At(dest)] != 0) {
        for (int type = PromoHigh; type >= PromoLow; --type) {
            const int slot = RegisterCaptureMove(source, dest);
            if (slot >= 0) MoveList[At(slot)].Promotion = I16(type);
        }
    } else if (cm1 == 0) {
        for (int type = PromoHigh; type >= PromoLow; --type) {
            MoveList[At(RegisterMove(source, dest))].Promotion = I16(type);
        }
    }
}

int Position::RegisterEpCapture(int source, int target, int victim) {
    if (MoveCount >= MoveListLast) throw MoveTreeOverflow(MoveStackOverflowText);
    const int slot = MoveCount++;
    MoveList[At(slot)] = MoveRecord{I16(source), I16(target), 1, 0, 0, I16(victim), 0};
    return slot;
}

// The attack test on a given board: pawns, knights and the king by the
// squares they attack from; then each rook, bishop and queen of the
// attacker on a line with the square, and the squares between empty. The
// sliders are found by comparing the board's rows at once: fewer
// unforeseeable steps than a walk along all eight lines.
int SquareAttacked(const std::array<int, BoardSize>& board, int square, int attacker) {
    // 1 when the square at offset holds code, else 0: or-ed without branches.
    const auto holds = [&board, square](int offset, int code) {
        return static_cast<int>(board[At(square + offset)] == code);
    };
    // Pawns (a pawn's code is its colour).
    const int back = -10 * attacker;
    if ((holds(back - 1, attacker) | holds(back + 1, attacker)) != 0) return -1;
    // Knights.
    const int knight = Knight * attacker;
    if ((holds(-21, knight) | holds(-19, knight) | holds(-12, knight) | holds(-8, knight) | holds(8, knight) |
         holds(12, knight) | holds(19, knight) | holds(21, knight)) != 0)
        return -1;
    // The king, from one step.
    const int king = King * attacker;
    if ((holds(-11, king) | holds(-10, king) | holds(-9, king) | holds(-1, king) | holds(1, king) | holds(9, king) |
         holds(10, king) | holds(11, king)) != 0)
        return -1;
    // Sliders along their lines: diagonals are directions 0..3, ranks and files 4..7.
    const auto reaches = [&board, square](std::uint64_t sliders, bool diagonal) {
        for (; sliders != 0; sliders &= sliders - 1) {
            const int s = SquareOfBit(std::countr_zero(sliders));
            const int k = LineTowards[At(square - s + 77)];
            if (k >= 0 && (k <= 3) == diagonal && LineOpen(board, s, square, Directions[At(k)])) return true;
        }
        return false;
    };
    const int queen = Queen * attacker;
    if (reaches(SquaresHolding(board, Bishop * attacker, queen) & LinesThrough[0][At(square)], true)) return -1;
    if (reaches(SquaresHolding(board, Rook * attacker, queen) & LinesThrough[1][At(square)], false)) return -1;
    return 0;
}

int Position::IsAttacked(int square, int attacker) const {
    if (!IsPlayingSquare(square)) return 0;
    return SquareAttacked(Board, square, attacker);
}

void Position::GenerateMoves(int AllMoves) {
    ++Generations;
    const int d = GenerationDepth(*this);
    MoveCount = DepthStart[At(d)];
    const bool all = AllMoves > 0;

    // Square by square from a1 upward, the pieces of the side to move.
    for (int s = 21; s <= 98; ++s) {
        const int piece = Board[At(s)];
        if (piece == 0 || piece == BorderValue) continue;
        if (SideToMove == 1 ? piece < 0 : piece >= 1) continue;
        const int type = piece < 0 ? -piece : piece;
        if (type == Pawn)
            PawnMovesFrom<false>(*this, s, all, 0);
        else
            PieceMovesFrom(*this, s, type, all);
    }
    // En passant, after all squares; castling last.
    const int t = EpTarget[At(d)];
    if (t != 0 && IsPlayingSquare(t)) EnPassantCaptures(*this, t);
    CastlingMoves(*this, 0);

    KeepLegal(*this, DepthStart[At(d)]);
    DepthStart[At(d + 1)] = MoveCount;
}

int Position::GenerateMovesTo(int dest, int pieceType, KingCheck check) {
    const int d = GenerationDepth(*this);
    MoveCount = DepthStart[At(d)];
    if (IsPlayingSquare(dest) && pieceType >= 0 && pieceType <= King) {
        const int side = SideToMove;
        const int target = Board[At(dest)];
        const bool any = pieceType == 0;
        // Only an empty square or an enemy piece other than the king is the
        // destination of a piece's move.
        if (target == 0 || (target != BorderValue && target * side < 0 && target != King && target != -King)) {
            std::array<int, 20> sources;
            int count = 0;
            switch (pieceType) {
            case Pawn: count = SourcesOnto<Pawn>(Board, dest, side, sources); break;
            case Rook: count = SourcesOnto<Rook>(Board, dest, side, sources); break;
            case Bishop: count = SourcesOnto<Bishop>(Board, dest, side, sources); break;
            case Knight: count = SourcesOnto<Knight>(Board, dest, side, sources); break;
            case Queen: count = SourcesOnto<Queen>(Board, dest, side, sources); break;
            case King: count = SourcesOnto<King>(Board, dest, side, sources); break;
            default: count = SourcesOnto<0>(Board, dest, side, sources); break;
            }
            for (int i = 0; i < count; ++i) {
                const int s = sources[At(i)];
                if (Board[At(s)] == Pawn * side)
                    PawnMovesFrom<true>(*this, s, true, dest);
                else
                    StepOnto(*this, s, dest, true);
            }
        }
        if ((any || pieceType == Pawn) && EpTarget[At(d)] == dest) EnPassantCaptures(*this, dest);
        if ((any || pieceType == King) && (dest == (side == 1 ? 27 : 97) || dest == (side == 1 ? 23 : 93)))
            CastlingMoves(*this, dest);
        KeepLegal(*this, DepthStart[At(d)], check);
    }
    DepthStart[At(d + 1)] = MoveCount;
    return MoveCount - DepthStart[At(d)];
}

KingCheck Position::CheckAfterMove(const MoveRecord& played) const {
    const int side = SideToMove;
    const int king = side == 1 ? WhiteKing : BlackKing;
    if (!IsPlayingSquare(king) || Board[At(king)] != King * side) return KingCheck::Unknown;
    // The king was not attacked before the move. An attack now comes from a
    // piece that arrived (the mover's piece, a castling rook), or along a
    // line through a square that was emptied (the source, the pawn taken en
    // passant, the castling rook's home).
    if (PieceAttacks(Board, played.Dest, king)) return KingCheck::Yes;
    // Mostly the source is on no line with the king: nothing to walk then.
    if (LineTowards[At(played.Source - king + 77)] >= 0 && SliderBehind(Board, king, played.Source, -side))
        return KingCheck::Yes;
    if (played.CastleKind == 1) {
        if (PieceAttacks(Board, played.Dest - 1, king) || SliderBehind(Board, king, played.Dest + 1, -side))
            return KingCheck::Yes;
    } else if (played.CastleKind == 2) {
        if (PieceAttacks(Board, played.Dest + 1, king) || SliderBehind(Board, king, played.Dest - 2, -side))
            return KingCheck::Yes;
    } else if (played.EpSquare != 0 && played.Captured == 1) {
        if (SliderBehind(Board, king, played.EpSquare, -side)) return KingCheck::Yes;
    }
    return KingCheck::No;
}

bool Position::HasLegalMove() {
    const int d = GenerationDepth(*this);
    const int first = DepthStart[At(d)];
    const KingWatch w = WatchKing(*this);
    bool found = false;
    // The pieces one by one in the order of the full list, then en passant
    // and castling; the first legal move ends the search.
    for (int s = 21; s <= 98 && !found; ++s) {
        const int piece = Board[At(s)];
        if (piece == BorderValue || piece * SideToMove <= 0) continue;
        MoveCount = first;
        const int type = piece < 0 ? -piece : piece;
        if (type == Pawn)
            PawnMovesFrom<false>(*this, s, true, 0);
        else
            PieceMovesFrom(*this, s, type, true);
        found = AnyLegal(*this, first, w);
    }
    if (!found) {
        MoveCount = first;
        const int t = EpTarget[At(d)];
        if (t != 0 && IsPlayingSquare(t)) EnPassantCaptures(*this, t);
        CastlingMoves(*this, 0);
        found = AnyLegal(*this, first, w);
    }
    MoveCount = first;
    DepthStart[At(d + 1)] = first;
    return found;
}

}  // namespace orvane
