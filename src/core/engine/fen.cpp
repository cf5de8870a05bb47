// FEN reading. The text is checked whole before anything is written, so a
// refused FEN leaves the position exactly as it was.
#include <utility>

#include "common/index.h"
#include "engine/position.h"

namespace orvane {

namespace {

int PieceFromFen(char c) {
    switch (c) {
    case 'P': return Pawn;
    case 'N': return Knight;
    case 'B': return Bishop;
    case 'R': return Rook;
    case 'Q': return Queen;
    case 'K': return King;
    case 'p': return -Pawn;
    case 'n': return -Knight;
    case 'b': return -Bishop;
    case 'r': return -Rook;
    case 'q': return -Queen;
    case 'k': return -King;
    default: return 0;
    }
}

ReadError Fault(ReadErrorKind kind, int field, std::size_t at) {
    ReadError error;
    error.Kind = kind;
    error.Field = field;
    error.Column = static_cast<long>(at) + 1;
    return error;
}
}  // namespace

ReadError Position::ReadFen(std::string_view fen, FenInfo* info) {
    std::array<int, BoardSize> board = BorderBoard;
    for (int s = 0; s < BoardSize; ++s) board[At(s)] = IsPlayingSquare(s) ? 0 : BorderValue;

    std::size_t pos = 0;
    while (pos < fen.size() && fen[pos] == ' ') ++pos;

    // Where each king and each pawn on an edge rank was written, for the
    // faults that only the whole board shows.
    std::size_t whiteKings = 0, blackKings = 0;
    std::size_t secondWhiteKingAt = 0, secondBlackKingAt = 0;
    bool edgePawn = false;
    std::size_t edgePawnAt = 0;

    // Field 1: ranks 8 down to 1, separated by "/".
    for (int rank = 8; rank >= 1; --rank) {
        int square = rank * 10 + 11;
        int filled = 0;
        const char end = rank == 1 ? ' ' : '/';
        while (pos < fen.size() && fen[pos] != end) {
            const char c = fen[pos];
            if (c == '/' || c == ' ') return Fault(ReadErrorKind::MissingRank, 1, pos);
            int advance;
            if (c >= '1' && c <= '8') {
                advance = c - '0';
            } else if (const int piece = PieceFromFen(c); piece != 0) {
                advance = 1;
                if (filled < 8) board[At(square)] = piece;
                if (piece == King && ++whiteKings == 2) secondWhiteKingAt = pos;
                if (piece == -King && ++blackKings == 2) secondBlackKingAt = pos;
                if ((piece == Pawn || piece == -Pawn) && (rank == 1 || rank == 8) && !edgePawn) {
                    edgePawn = true;
                    edgePawnAt = pos;
                }
            } else {
                return Fault(ReadErrorKind::BadCharacter, 1, pos);
            }
            filled += advance;
            if (filled > 8) return Fault(ReadErrorKind::RankTooLong, 1, pos);
            square += advance;
            ++pos;
        }
        if (filled < 8) {
            return Fault(pos >= fen.size() && rank != 1 ? ReadErrorKind::MissingRank : ReadErrorKind::RankTooShort, 1,
                         pos);
        }
        if (pos < fen.size())
            ++pos;  // the separator
        else if (rank != 1)
            return Fault(ReadErrorKind::MissingRank, 1, pos);
    }

    const std::size_t ranksEnd = pos == 0 ? 0 : pos - 1;

    // Field 2: side to move.
    if (pos >= fen.size()) return Fault(ReadErrorKind::MissingField, 2, pos);
    const std::size_t sideAt = pos;
    int side;
    if (fen[pos] == 'w')
        side = 1;
    else if (fen[pos] == 'b')
        side = -1;
    else
        return Fault(ReadErrorKind::BadSide, 2, pos);
    ++pos;
    if (pos < fen.size() && fen[pos] != ' ') return Fault(ReadErrorKind::BadSide, 2, pos);

    // Fields 3 to 6 may be separated by more than one blank; fieldStart is
    // where the field last read begins, so a fault points into it.
    std::size_t fieldStart = pos;
    auto nextField = [&]() -> std::string_view {
        while (pos < fen.size() && fen[pos] == ' ') ++pos;
        fieldStart = pos;
        while (pos < fen.size() && fen[pos] != ' ') ++pos;
        return fen.substr(fieldStart, pos - fieldStart);
    };

    // Field 3: castling rights. A withheld right marks the rook's home square
    // as moved, so the generator's own rule offers exactly the rights granted.
    const std::string_view castling = nextField();
    const std::size_t castlingAt = fieldStart;
    if (!castling.empty() && castling != "-") {
        for (std::size_t i = 0; i < castling.size(); ++i) {
            const char c = castling[i];
            if (c != 'K' && c != 'Q' && c != 'k' && c != 'q')
                return Fault(ReadErrorKind::BadCastling, 3, castlingAt + i);
        }
    }

    // Field 4: en passant target. It must be the square a pawn of the side not
    // to move has just passed over, else the capture would corrupt the board.
    int epTarget = 0;
    const std::string_view ep = nextField();
    const std::size_t epAt = fieldStart;
    if (!ep.empty() && ep != "-") {
        const bool named = ep.size() == 2 && ep[0] >= 'a' && ep[0] <= 'h' && ep[1] >= '1' && ep[1] <= '8';
        if (!named) return Fault(ReadErrorKind::BadEnPassant, 4, epAt);
        const int t = (ep[1] - '1') * 10 + 20 + (ep[0] - 'a') + 1;
        if (!EnPassantTargetFits(board, side, t)) return Fault(ReadErrorKind::BadEnPassant, 4, epAt);
        epTarget = t;
    }

    // Fields 5 and 6: half-move clock and full-move number.
    const std::string_view halfMoveClock = nextField();
    const std::string_view moveNumber = nextField();

    // Well formed; now the position must be one a game can reach.
    if (whiteKings == 0) return Fault(ReadErrorKind::NoWhiteKing, 1, ranksEnd);
    if (blackKings == 0) return Fault(ReadErrorKind::NoBlackKing, 1, ranksEnd);
    if (whiteKings > 1) return Fault(ReadErrorKind::SeveralWhiteKings, 1, secondWhiteKingAt);
    if (blackKings > 1) return Fault(ReadErrorKind::SeveralBlackKings, 1, secondBlackKingAt);
    if (edgePawn) return Fault(ReadErrorKind::PawnOnEdgeRank, 1, edgePawnAt);
    const int waitingKing = FirstSquareOf(board, -King * side);
    if (SquareAttacked(board, waitingKing, side) != 0) return Fault(ReadErrorKind::SideNotToMoveInCheck, 2, sideAt);

    // Accepted: write the position.
    Board = board;
    StartBoard = board;
    MoveCounts.fill(0);
    WithholdCastling(MoveCounts, castling);
    EpTarget.fill(0);
    EpTarget[At(TreeDepth)] = epTarget;
    SideToMove = side;
    BlackStarts = side == -1 ? 1 : 0;
    LocateKings();
    if (info != nullptr) {
        info->FenSideToMove = side;
        info->FenMoveNumber = std::string(moveNumber);
        info->FenHalfMoveClock = std::string(halfMoveClock);
    }
    return {};
}

namespace {

// The four castling rights: the letter, the king's and the rook's home square, the king.
struct CastlingRight {
    char Letter;
    int KingSquare;
    int RookSquare;
    int KingPiece;
};
constexpr CastlingRight CastlingRights[] = {
    {'K', 25, 28, King}, {'Q', 25, 21, King}, {'k', 95, 98, -King}, {'q', 95, 91, -King}};

char FenLetter(int piece) {
    constexpr std::string_view White = " PRBNQK";
    constexpr std::string_view Black = " prbnqk";
    if (piece > 0 && piece <= King) return White[At(piece)];
    if (piece < 0 && piece >= -King) return Black[At(-piece)];
    return '?';
}

}  // namespace

std::string CastlingField(const std::array<int, BoardSize>& board, const std::array<int, BoardSize>& moveCounts) {
    std::string field;
    for (const CastlingRight& right : CastlingRights) {
        const int rook = right.KingPiece > 0 ? Rook : -Rook;
        if (board[At(right.KingSquare)] == right.KingPiece &&
            FirstSquareOf(board, right.KingPiece) == right.KingSquare && moveCounts[At(right.KingSquare)] == 0 &&
            board[At(right.RookSquare)] == rook && moveCounts[At(right.RookSquare)] == 0)
            field += right.Letter;
    }
    return field.empty() ? "-" : field;
}

bool IsCastlingField(std::string_view text) {
    if (text == "-") return true;
    if (text.empty()) return false;
    for (const char c : text)
        if (c != 'K' && c != 'Q' && c != 'k' && c != 'q') return false;
    return true;
}

void WithholdCastling(std::array<int, BoardSize>& moveCounts, std::string_view field) {
    if (field.empty()) return;
    for (const CastlingRight& right : CastlingRights)
        if (field.find(right.Letter) == std::string_view::npos) moveCounts[At(right.RookSquare)] = 1;
}

bool EnPassantTargetFits(const std::array<int, BoardSize>& board, int sideToMove, int t) {
    if (sideToMove == 1)
        return t >= 71 && t <= 78 && board[At(t)] == 0 && board[At(t - 10)] == -Pawn && board[At(t + 10)] == 0;
    return t >= 41 && t <= 48 && board[At(t)] == 0 && board[At(t + 10)] == Pawn && board[At(t - 10)] == 0;
}

std::string WriteFen(const FenPosition& position) {
    std::string fen;
    for (int rank = 8; rank >= 1; --rank) {
        int empty = 0;
        for (int file = 1; file <= 8; ++file) {
            const int piece = position.Board[At(rank * 10 + 10 + file)];
            if (piece == 0) {
                ++empty;
                continue;
            }
            if (empty > 0) fen += static_cast<char>('0' + empty);
            empty = 0;
            fen += FenLetter(piece);
        }
        if (empty > 0) fen += static_cast<char>('0' + empty);
        if (rank > 1) fen += '/';
    }
    fen += position.SideToMove == -1 ? " b " : " w ";
    fen += position.Castling.empty() ? std::string("-") : position.Castling;
    fen += ' ';
    const int t = position.EpTarget;
    if (IsPlayingSquare(t)) {
        fen += static_cast<char>('a' + t % 10 - 1);
        fen += static_cast<char>('0' + t / 10 - 1);
    } else {
        fen += '-';
    }
    fen += ' ' + std::to_string(position.HalfMoveClock) + ' ' + std::to_string(position.FullMoveNumber);
    return fen;
}

void Position::SetUp(const FenPosition& position) {
    Board = position.Board;
    for (int s = 0; s < BoardSize; ++s)
        if (!IsPlayingSquare(s)) Board[At(s)] = BorderValue;
    StartBoard = Board;
    MoveCounts.fill(0);
    WithholdCastling(MoveCounts, position.Castling);
    ResetTree();
    EpTarget.fill(0);
    EpTarget[0] = IsPlayingSquare(position.EpTarget) ? position.EpTarget : 0;
    SideToMove = position.SideToMove == -1 ? -1 : 1;
    BlackStarts = SideToMove == -1 ? 1 : 0;
    LocateKings();
}

FenPosition Position::CurrentFen(int halfMoveClock, int fullMoveNumber) const {
    FenPosition fen;
    fen.Board = Board;
    fen.SideToMove = SideToMove;
    fen.Castling = CastlingField(Board, MoveCounts);
    fen.EpTarget = EpTarget[At(TreeDepth)];
    fen.HalfMoveClock = halfMoveClock;
    fen.FullMoveNumber = fullMoveNumber;
    return fen;
}

}  // namespace orvane
