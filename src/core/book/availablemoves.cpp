#include "book/availablemoves.h"

#include "notation/notation.h"

namespace orvane {

namespace {

std::string_view Left(std::string_view text, std::size_t count) { return text.substr(0, count); }

std::string_view Right(std::string_view text, std::size_t count) {
    return count >= text.size() ? text : text.substr(text.size() - count);
}

// While text contains part, cuts it out (a cut may join a new occurrence).
void CutOut(std::string& text, std::string_view part) {
    if (part.empty()) return;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part)) text.erase(at, part.size());
}

}  // namespace

std::string AvailableMoveEntry(std::string_view moveText, const BookMoveList& bookMoves, std::string_view sourceName,
                               std::string_view destName) {
    std::string entry =
        !moveText.empty() && moveText.front() == 'K' ? RightAlign6(CastleText(moveText)) : std::string(moveText);
    for (const std::string& bookMove : bookMoves) {
        if (bookMove.empty()) break;
        if (Left(bookMove, 2) == sourceName && Right(bookMove, 2) == destName) {
            entry += 'b';
            break;
        }
    }
    return entry;
}

bool ParseAvailableMoveEntry(std::string_view entry, int sideToMove, std::string_view captureChar, ListMove& out) {
    if (entry.empty()) return false;

    // The book marker would otherwise pass for a promotion letter, or make a
    // promotion entry too long to read.
    if (entry.back() == 'b') entry.remove_suffix(1);

    std::string text(entry);
    const std::size_t first = entry.find_first_not_of(' ');
    const std::string_view castling = first == std::string_view::npos ? std::string_view{} : entry.substr(first);
    if (castling == "O-O")
        text = sideToMove == 1 ? "Ke1-g1" : "Ke8-g8";
    else if (castling == "O-O-O")
        text = sideToMove == 1 ? "Ke1-c1" : "Ke8-c8";

    out.PieceLetter = text.empty() ? ' ' : text.front();
    std::string squares = text.empty() ? std::string() : text.substr(1);

    std::string promotion;
    if (squares.size() == 6) {
        promotion.assign(1, squares.back());
        squares.pop_back();
    }
    squares = Upper(squares);
    // A capture character "x" became "X" above.
    if (const std::size_t x = squares.find('X'); x != std::string::npos) squares[x] = 'x';
    CutOut(squares, captureChar);
    CutOut(squares, "-");
    out.MoveText = squares + promotion;
    return true;
}

}  // namespace orvane
