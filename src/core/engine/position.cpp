#include "engine/position.h"
#include "common/index.h"

#include <cstdlib>

namespace orvane {

namespace {
// The border template and the standard initial position's board, worked out
// once at compile time from the same rules LoadStartPosition follows.
constexpr std::array<int, BoardSize> BorderTemplate = [] {
    std::array<int, BoardSize> board{};
    for (int s = 0; s < BoardSize; ++s) board[static_cast<std::size_t>(s)] = IsPlayingSquare(s) ? 0 : BorderValue;
    return board;
}();
constexpr std::array<int, BoardSize> StandardBoard = [] {
    std::array<int, BoardSize> board = BorderTemplate;
    std::size_t next = 0;
    for (int s = 0; s < BoardSize; ++s) {
        if (board[static_cast<std::size_t>(s)] == BorderValue) continue;
        board[static_cast<std::size_t>(s)] = DecodePositionChar(StandardPositionString[next++]);
    }
    return board;
}();
}  // namespace

Position::Position() {
    LoadStandardPosition();
    ResetTree();
}

void Position::LoadStandardPosition() {
    BorderBoard = BorderTemplate;
    PromoChoice = {0, 0, 1, 1, 1, 1, 0};
    Board = StandardBoard;
    StartBoard = StandardBoard;
    MoveCounts.fill(0);
    EpTarget.fill(0);
    WhiteKing = 25;
    BlackKing = 95;
    SideToMove = BlackStarts == 1 ? -1 : 1;
}

void Position::ResetTree() {
    TreeDepth = 0;
    DepthStart[0] = 0;
    CurrentPly = 0;
}

void Position::LoadStartPosition() {
    std::size_t next = 0;
    for (int s = 0; s < BoardSize; ++s) {
        if (Board[At(s)] == BorderValue) continue;
        const int v = DecodePositionChar(StandardPositionString[next++]);
        Board[At(s)] = v;
        StartBoard[At(s)] = v;
    }
}

namespace {
std::string Encode(const std::array<int, BoardSize>& board) {
    std::string text;
    text.reserve(64);
    for (int s = 21; s <= 98; ++s) {
        if (!IsPlayingSquare(s)) continue;
        int v = board[At(s)];
        if (v < 0) v = 6 - v;
        if (v < 0 || v > 12) v = 0;  // never a piece code: written as empty
        text += static_cast<char>(v <= 9 ? '0' + v : 'A' + (v - 10));
    }
    return text;
}
}  // namespace

std::string Position::PositionString() const { return Encode(StartBoard); }
std::string Position::BoardPositionString() const { return Encode(Board); }

ReadError Position::ReadPositionString(std::string_view text) {
    auto fault = [](ReadErrorKind kind, std::size_t at) {
        ReadError error;
        error.Kind = kind;
        error.Column = static_cast<long>(at) + 1;
        return error;
    };
    if (text.size() != 64) return fault(ReadErrorKind::BadLength, text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (DecodePositionChar(text[i]) == BorderValue) return fault(ReadErrorKind::BadCharacter, i);
    }
    std::size_t next = 0;
    for (int s = 21; s <= 98; ++s) {
        if (!IsPlayingSquare(s)) continue;
        const int v = DecodePositionChar(text[next++]);
        Board[At(s)] = v;
        StartBoard[At(s)] = v;
    }
    LocateKings();
    return {};
}

int FirstSquareOf(const std::array<int, BoardSize>& board, int piece) {
    for (int s = 21; s <= 98; ++s)
        if (board[At(s)] == piece) return s;
    return NoKing;
}

void Position::LocateKings() {
    WhiteKing = FirstSquareOf(Board, King);
    BlackKing = FirstSquareOf(Board, -King);
}

bool Position::InCheck() const {
    return SideToMove == 1 ? IsAttacked(WhiteKing, -1) != 0 : IsAttacked(BlackKing, 1) != 0;
}

std::string Position::CheckInvariants() const {
    for (int s = 0; s < BoardSize; ++s) {
        const int v = Board[At(s)];
        if (IsPlayingSquare(s)) {
            if (v == BorderValue || v < -6 || v > 6) return "bad piece code on square " + std::to_string(s);
        } else if (v != BorderValue) {
            return "border square " + std::to_string(s) + " holds " + std::to_string(v);
        }
        if (MoveCounts[At(s)] < 0) return "negative move counter on square " + std::to_string(s);
    }
    // The king squares follow the board: where the king stands, the first
    // in square order when there are several, NoKing when there is none.
    if (WhiteKing != FirstSquareOf(Board, King))
        return "WhiteKing is " + std::to_string(WhiteKing) + ", the board's first white king " +
               std::to_string(FirstSquareOf(Board, King));
    if (BlackKing != FirstSquareOf(Board, -King))
        return "BlackKing is " + std::to_string(BlackKing) + ", the board's first black king " +
               std::to_string(FirstSquareOf(Board, -King));
    if (SideToMove != 1 && SideToMove != -1) return "SideToMove is neither 1 nor -1";
    if (TreeDepth < 0 || TreeDepth > MaxTreeDepth) return "TreeDepth out of range";
    return {};
}

const char* GameEndText(GameEnd kind, int sideToMove) {
    switch (kind) {
    case GameEnd::Stalemate: return "It's draw!";
    case GameEnd::Checkmate: return sideToMove == 1 ? "Black wins!" : "White wins!";
    case GameEnd::None: break;
    }
    return "";
}

const char* GameEndTitle(GameEnd kind) { return kind == GameEnd::Checkmate ? "Congratulations" : ""; }

}  // namespace orvane
