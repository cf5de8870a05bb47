// The game record: every ply as the move record that was played (to step
// back) and as a text (to step forward and to save), the comment after each
// ply, and the texts of the move list.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "engine/position.h"

namespace orvane {

inline constexpr int MaxPlies = 999;      // PlayedMoves(LastPly + 1) must exist
inline constexpr int MaxMovePairs = 500;  // MoveTexts has pairs 1..500

struct MoveTextPair {
    std::string White;  // odd ply (the first mover's move when Black starts)
    std::string Black;  // even ply
};

struct GameRecord {
    int LastPly = 0;
    std::array<MoveRecord, MaxPlies + 2> PlayedMoves{};  // 0..1000
    std::array<int, MaxPlies + 2> PlayedEp{};            // 0..1000
    std::array<std::string, MaxPlies + 2> Comments;      // 0..1000
    std::array<MoveTextPair, MaxMovePairs + 1> MoveTexts;
    std::string GameResult;
    std::string WhiteName;
    std::string BlackName;
    int HasComments = 0;

    // Empties comments and end marks of every ply; MoveTexts keep their old
    // contents (LastPly bounds what is valid).
    void Reset(const std::string& playerName);

    // The record text of ply p (1..MaxPlies): MoveTexts((p + 1) div 2), the
    // White field for odd p, the Black field for even p.
    std::string& RecordText(int ply);
    const std::string& RecordText(int ply) const;

    // The coordinate text that replays ply p: characters 2..5 of its record
    // text, plus the promotion letter when the text is 14 characters long,
    // upper-cased (E2E4, A7A8Q).
    std::string ReplayText(int ply) const;

    // The book's game key of the first plies: "e2e4 e7e5 g1f3".
    std::string GameKey(int plies) const;
};

// Display text of a move entered as a coordinate text (E2E4, E7E8Q): the
// piece letter, the from-square, "-" or the capture character, the
// to-square, all but the first character in lower case, and the promotion
// piece's letter: " e2-e4", "Ng1-f3", " e7-e8Q".
std::string DisplayText(char pieceLetter, std::string_view moveText, std::string_view captureChar, bool capture,
                        int promotionType);

// Record text: piece letter, the coordinate text in lower case, a blank and
// the display text: " e2e4  e2-e4", "Ng1f3 Ng1-f3", " e7e8q  e7-e8Q".
std::string RecordTextOf(char pieceLetter, std::string_view moveText, std::string_view displayText);

// The move list entry of a ply whose numbering ply is n: for odd n the move
// number right-aligned in four characters, ". " and the display text; for
// even n six blanks and the display text. A king move's text is passed
// through CastleText and right-aligned in six columns.
std::string MoveListEntry(int n, std::string_view displayText);

// The numbering ply of CurrentPly: itself for a game without a SetUp tag,
// else counted on from the FEN's full-move number and side to move. A
// full-move number that is not a positive number counts as 1.
int NumberingPly(int currentPly, std::string_view setupTag, std::string_view fenMoveNumber, int fenSideToMove);

// The side to move in the record's start position: pos.SideToMove, turned
// once for every ply played to reach pos.CurrentPly.
int StartSideToMove(const Position& pos);

// The move counters of the record's start position: those of pos (with its
// tree at the root) less the plies 1 .. pos.CurrentPly of the record, which
// were played to reach it. The castling rights of the start follow from them.
std::array<int, BoardSize> StartMoveCounts(const Position& pos, const GameRecord& record);

// The record's start position as a FEN describes it, with the clocks given:
// StartBoard, the side to move and castling rights of the start, and its en
// passant target PlayedEp(0).
FenPosition StartFen(const Position& pos, const GameRecord& record, int halfMoveClock, int fullMoveNumber);

// The half-move clock after ply `ply` of the record, counted from
// startClock at its start: back to 0 after a pawn move or a capture.
int HalfMoveClock(const GameRecord& record, int startClock, int ply);

// The full-move number after `ply` plies from a start with startSide to
// move and full-move number startFullMove: one more after every Black move.
int FullMoveNumber(int startFullMove, int startSide, int ply);

// The full-move number a game's move list counts from: the FEN's full-move
// number (a positive number, else 1) for a game with a SetUp tag, else 1.
int StartFullMoveNumber(std::string_view setupTag, std::string_view fenMoveNumber);

// The number as the program writes numbers into texts: a leading blank in
// the sign position for zero and above (" 57", "-3").
std::string SignedText(long value);

}  // namespace orvane
