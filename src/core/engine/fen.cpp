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
    // Rook squares whose right is withheld (an empty field grants all four).
    std::array<int, 4> withheld{};
    std::size_t withheldCount = 0;
    if (!castling.empty()) {
        constexpr std::pair<char, int> Rights[] = {{'K', 28}, {'Q', 21}, {'k', 98}, {'q', 91}};
        for (const auto& [letter, rookSquare] : Rights)
            if (castling.find(letter) == std::string_view::npos) withheld[withheldCount++] = rookSquare;
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
        const bool fits =
            side == 1
                ? (t >= 71 && t <= 78 && board[At(t)] == 0 && board[At(t - 10)] == -Pawn && board[At(t + 10)] == 0)
                : (t >= 41 && t <= 48 && board[At(t)] == 0 && board[At(t + 10)] == Pawn && board[At(t - 10)] == 0);
        if (!fits) return Fault(ReadErrorKind::BadEnPassant, 4, epAt);
        epTarget = t;
    }

    // Fields 5 and 6: half-move clock (not used) and full-move number.
    nextField();
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
    for (std::size_t i = 0; i < withheldCount; ++i) MoveCounts[At(withheld[i])] = 1;
    EpTarget.fill(0);
    EpTarget[At(TreeDepth)] = epTarget;
    SideToMove = side;
    BlackStarts = side == -1 ? 1 : 0;
    LocateKings();
    if (info != nullptr) {
        info->FenSideToMove = side;
        info->FenMoveNumber = std::string(moveNumber);
    }
    return {};
}

}  // namespace orvane
