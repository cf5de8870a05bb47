#include "record/play.h"

#include "common/index.h"

namespace orvane {

namespace {

char LowerChar(char c) {
    // Without a branch: the case bit set for the 26 capitals alone.
    return static_cast<char>(c | (static_cast<unsigned char>(c - 'A') < 26 ? 0x20 : 0));
}

char PieceLetterOf(int code) {
    const int type = code < 0 ? -code : code;
    return type <= King ? PieceLetter[At(type)] : '.';
}

// The promotion InputMove wants for a coordinate text: the fifth character
// when the text is exactly five characters long.
int WantedPromotion(std::string_view text) {
    if (text.size() != 5) return 0;
    switch (text[4]) {
    case 'K': return King;
    case 'Q': return Queen;
    case 'R': return Rook;
    case 'N': return Knight;
    case 'B': return Bishop;
    default: return 0;
    }
}

// The record text of a move the fast path played, written straight into
// the record's string: the same characters DisplayText and RecordTextOf
// give (tests compare the two).
void FastRecordText(std::string& text, char movingLetter, std::string_view coordinate, std::string_view captureChar,
                    bool capture, int promotion) {
    const bool promoted = promotion > 0 && promotion <= King;
    const std::size_t n = coordinate.size() + (capture ? captureChar.size() : 1) + (promoted ? 8 : 7);
    if (n >= 64) {  // a capture sign longer than any the program sets
        text = RecordTextOf(movingLetter, coordinate,
                            DisplayText(movingLetter, coordinate, captureChar, capture, promotion));
        return;
    }
    text.resize(n);
    char* out = text.data();
    *out++ = movingLetter;
    for (const char c : coordinate) *out++ = LowerChar(c);
    *out++ = ' ';
    *out++ = movingLetter;
    *out++ = LowerChar(coordinate[0]);
    *out++ = LowerChar(coordinate[1]);
    if (capture) {
        for (const char c : captureChar) *out++ = LowerChar(c);
    } else {
        *out++ = '-';
    }
    *out++ = LowerChar(coordinate[2]);
    *out++ = LowerChar(coordinate[3]);
    if (promoted) *out = PieceLetter[At(promotion)];
}

// The record of the move InputMove (or a matcher) has just played: the ply
// stored, the record text written.
void RecordPly(const Position& pos, GameRecord& record, const MoveInput& input, char movingLetter,
               std::string_view coordinateText, bool fast) {
    const int ply = pos.CurrentPly;
    const MoveRecord& played = pos.MoveList[At(input.LastMoveSlot)];
    const bool capture = input.LastWasCapture != 0;
    const int promotion = input.LastWasPromotion != 0 ? played.Promotion : 0;
    record.PlayedMoves[At(ply)] = played;
    record.PlayedEp[At(ply)] = pos.EpTarget[At(pos.TreeDepth)];
    record.LastPly = ply;
    record.GameResult.clear();
    if (fast) {
        FastRecordText(record.RecordText(ply), movingLetter, coordinateText, input.CaptureChar, capture, promotion);
    } else {
        const std::string display = DisplayText(movingLetter, coordinateText, input.CaptureChar, capture, promotion);
        record.RecordText(ply) = RecordTextOf(movingLetter, coordinateText, display);
    }
}

// DisplayMove's text for a move the fast path played, built in place.
void FastMoveText(const Position& pos, MoveInput& in, const MoveRecord& r, char movingLetter) {
    if (r.Captured != 0 && in.CaptureChar.size() != 1) {
        std::string text(1, movingLetter);
        text += SquareNotation(pos, r.Source) + in.CaptureChar + SquareNotation(pos, r.Dest);
        if (r.Promotion != 0 && r.Promotion <= King) text += PieceLetter[At(r.Promotion)];
        in.MoveText = std::move(text);
        return;
    }
    const bool promoted = r.Promotion != 0 && r.Promotion <= King;
    std::string& text = in.MoveText;
    text.resize(promoted ? 7 : 6);
    char* out = text.data();
    out[0] = movingLetter;
    out[1] = static_cast<char>('a' + r.Source % 10 - 1);
    out[2] = static_cast<char>('0' + r.Source / 10 - 1);
    out[3] = r.Captured != 0 ? in.CaptureChar[0] : '-';
    out[4] = static_cast<char>('a' + r.Dest % 10 - 1);
    out[5] = static_cast<char>('0' + r.Dest / 10 - 1);
    if (promoted) out[6] = PieceLetter[At(r.Promotion)];
}

}  // namespace

PlayOutcome PlayText(Position& pos, GameRecord& record, MoveInput& input, std::string_view coordinateText) {
    if (pos.CurrentPly >= MaxPlies) return PlayOutcome::RecordFull;
    const int from = SquareNumber(coordinateText);
    if (from == 0) return PlayOutcome::Illegal;
    const char movingLetter = PieceLetterOf(pos.Board[At(from)]);
    if (InputMove(pos, input, coordinateText) == 0) return PlayOutcome::Illegal;
    RecordPly(pos, record, input, movingLetter, coordinateText, false);
    return PlayOutcome::Played;
}

PlayOutcome RecordMadeMove(Position& pos, GameRecord& record, MoveInput& input, const MoveRecord& r,
                           std::string_view coordinate, char movingLetter) {
    input.LastWasCapture = 0;
    input.LastWasPromotion = 0;
    if (r.Promotion != 0 && r.Promotion != WantedPromotion(coordinate)) {
        pos.TakeBackMove(0);
        return PlayOutcome::Illegal;
    }
    if (r.Captured != 0) input.LastWasCapture = 1;
    if (r.Promotion > 0) input.LastWasPromotion = 1;
    FastMoveText(pos, input, r, movingLetter);
    input.LastMoveSlot = 0;
    RecordPly(pos, record, input, movingLetter, coordinate, true);
    return PlayOutcome::Played;
}

PlayOutcome PlayAndRecord(Position& pos, GameRecord& record, MoveInput& input, std::string_view coordinateText) {
    const PlayOutcome outcome = PlayText(pos, record, input, coordinateText);
    if (outcome == PlayOutcome::Played) pos.TestGameEnd();
    return outcome;
}

std::string_view RecordedDisplayText(const GameRecord& record, int ply) {
    const std::string& text = record.RecordText(ply);
    const std::size_t blank = text.find(' ', 1);
    return blank == std::string::npos ? std::string_view() : std::string_view(text).substr(blank + 1);
}

}  // namespace orvane
