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

int NumberingPly(int currentPly, std::string_view setupTag, std::string_view fenMoveNumber, int fenSideToMove) {
    if (setupTag.empty()) return currentPly;
    int fullMove = 0;
    const char* first = fenMoveNumber.data();
    const auto [ptr, ec] = std::from_chars(first, first + fenMoveNumber.size(), fullMove);
    if (ec != std::errc() || ptr == first || fullMove < 1 || fullMove > 10000) fullMove = 1;
    int n = (fullMove - 1) * 2 + currentPly;
    if (fenSideToMove == -1) ++n;
    return n;
}

}  // namespace orvane
