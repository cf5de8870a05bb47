#include "record/gamerecord.h"

#include <charconv>

#include "common/index.h"
#include "notation/notation.h"

namespace orvane {

void GameRecord::Reset(const std::string& playerName) {
    LastPly = 0;
    for (auto& move : PlayedMoves) move.Source = 0;
    for (auto& comment : Comments) comment.clear();
    PlayedEp[0] = 0;
    GameResult.clear();
    WhiteName = playerName;
    BlackName = playerName;
}

std::string& GameRecord::RecordText(int ply) {
    MoveTextPair& pair = MoveTexts[At((ply + 1) / 2)];
    return ply % 2 == 1 ? pair.White : pair.Black;
}

const std::string& GameRecord::RecordText(int ply) const {
    const MoveTextPair& pair = MoveTexts[At((ply + 1) / 2)];
    return ply % 2 == 1 ? pair.White : pair.Black;
}

std::string GameRecord::ReplayText(int ply) const {
    const std::string& text = RecordText(ply);
    std::string move = text.size() > 1 ? text.substr(1, 4) : std::string();
    if (text.size() == 14) move += text.back();
    return Upper(move);
}

std::string GameRecord::GameKey(int plies) const {
    std::string key;
    for (int k = 0; k < plies; ++k) {
        const MoveTextPair& pair = MoveTexts[At(k / 2 + 1)];
        const std::string& text = k % 2 == 0 ? pair.White : pair.Black;
        if (k > 0) key += ' ';
        key += text.size() > 1 ? text.substr(1, 4) : std::string();
    }
    return key;
}

std::string DisplayText(char pieceLetter, std::string_view moveText, std::string_view captureChar, bool capture,
                        int promotionType) {
    std::string text(1, pieceLetter);
    text += Lower(moveText.substr(0, 2));
    text += capture ? Lower(captureChar) : std::string("-");
    if (moveText.size() >= 4) text += Lower(moveText.substr(2, 2));
    if (promotionType > 0 && promotionType <= King) text += PieceLetter[At(promotionType)];
    return text;
}

std::string RecordTextOf(char pieceLetter, std::string_view moveText, std::string_view displayText) {
    std::string text(1, pieceLetter);
    text += Lower(moveText);
    text += ' ';
    text += displayText;
    return text;
}

std::string SignedText(long value) {
    std::string text = std::to_string(value);
    if (value >= 0) text.insert(text.begin(), ' ');
    return text;
}

std::string MoveListEntry(int n, std::string_view displayText) {
    const std::string shown =
        !displayText.empty() && displayText[0] == 'K' ? RightAlign6(CastleText(displayText)) : std::string(displayText);
    if (n % 2 == 0) return std::string(6, ' ') + shown;
    const int number = (n + 1) / 2;
    std::string entry;
    if (number < 100) entry += ' ';
    if (number < 10) entry += ' ';
    entry += SignedText(number);
    entry += ". ";
    entry += shown;
    return entry;
}

int StartFullMoveNumber(std::string_view setupTag, std::string_view fenMoveNumber) {
    if (setupTag.empty()) return 1;
    int fullMove = 0;
    const char* first = fenMoveNumber.data();
    const auto [ptr, ec] = std::from_chars(first, first + fenMoveNumber.size(), fullMove);
    if (ec != std::errc() || ptr == first || fullMove < 1 || fullMove > 10000) fullMove = 1;
    return fullMove;
}

int NumberingPly(int currentPly, std::string_view setupTag, std::string_view fenMoveNumber, int fenSideToMove) {
    if (setupTag.empty()) return currentPly;
    const int fullMove = StartFullMoveNumber(setupTag, fenMoveNumber);
    int n = (fullMove - 1) * 2 + currentPly;
    if (fenSideToMove == -1) ++n;
    return n;
}

int StartSideToMove(const Position& pos) { return pos.CurrentPly % 2 == 0 ? pos.SideToMove : -pos.SideToMove; }

std::array<int, BoardSize> StartMoveCounts(const Position& pos, const GameRecord& record) {
    std::array<int, BoardSize> counts = pos.MoveCounts;
    for (int ply = 1; ply <= pos.CurrentPly && ply <= MaxPlies; ++ply) {
        const MoveRecord& move = record.PlayedMoves[At(ply)];
        if (move.Source < 0 || move.Source >= BoardSize || move.Dest < 0 || move.Dest >= BoardSize) continue;
        --counts[At(move.Source)];
        --counts[At(move.Dest)];
    }
    return counts;
}

FenPosition StartFen(const Position& pos, const GameRecord& record, int halfMoveClock, int fullMoveNumber) {
    FenPosition fen;
    fen.Board = pos.StartBoard;
    fen.SideToMove = StartSideToMove(pos);
    fen.Castling = CastlingField(pos.StartBoard, StartMoveCounts(pos, record));
    fen.EpTarget = record.PlayedEp[0];
    fen.HalfMoveClock = halfMoveClock;
    fen.FullMoveNumber = fullMoveNumber;
    return fen;
}

int HalfMoveClock(const GameRecord& record, int startClock, int ply) {
    int clock = startClock;
    for (int p = 1; p <= ply && p <= MaxPlies; ++p) {
        const std::string& text = record.RecordText(p);
        const bool pawn = !text.empty() && text[0] == PieceLetter[At(Pawn)];
        clock = pawn || record.PlayedMoves[At(p)].Captured != 0 ? 0 : clock + 1;
    }
    return clock;
}

int FullMoveNumber(int startFullMove, int startSide, int ply) {
    const int blackMoves = startSide == -1 ? (ply + 1) / 2 : ply / 2;
    return startFullMove + blackMoves;
}

}  // namespace orvane
