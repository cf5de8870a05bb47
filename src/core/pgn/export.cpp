// The export format: the tag pairs, then the movetext as a row of words
// (move numbers, moves, the pieces of comments, the result) filled into lines
// of at most 79 characters.
#include "pgn/export.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "common/encoding.h"
#include "common/index.h"
#include "pgn/collection.h"

namespace orvane::pgn {

namespace {

constexpr std::string_view StandardStartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

char FileLetter(int square) { return static_cast<char>('a' + square % 10 - 1); }
char RankDigit(int square) { return static_cast<char>('0' + square / 10 - 1); }

std::string SquareName(int square) { return {FileLetter(square), RankDigit(square)}; }

// The number of characters of UTF-8 text (its bytes other than continuations).
std::size_t Characters(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// A tag value between its quotes: backslash and quote escaped, line breaks
// and other control characters as blanks.
std::string TagValue(std::string_view raw) {
    const std::string value = DecodeText(raw);
    std::string out;
    out.reserve(value.size());
    for (const char c : value) {
        if (c == '\\' || c == '"') out += '\\';
        out += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    }
    return out;
}

// A date in the standard's form YYYY.MM.DD with "?" for what is unknown: a
// year alone (what a Year tag gives) gets unknown month and day.
std::string ExportDate(const std::string& date) {
    if (date.empty()) return "????.??.??";
    if (date.size() == 4 && date.find_first_not_of("0123456789?") == std::string::npos) return date + ".??.??";
    return date;
}

// The lines of a comment: split at CR LF, CR or LF.
std::vector<std::string_view> CommentLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

// Fills words into lines: one blank between words, a new line where the next
// word would pass the line length. A line never starts with "[" or "%" (a
// reader would take it for a tag pair or an escape line): comments are cut
// into words only where no such character follows.
class MovetextLines {
public:
    explicit MovetextLines(std::string_view lineEnd) : lineEnd_(lineEnd) {}

    void Word(std::string_view word) {
        const std::size_t length = Characters(word);
        if (lineLength_ > 0 && lineLength_ + 1 + length > ExportLineLength) {
            text_ += lineEnd_;
            lineLength_ = 0;
        }
        if (lineLength_ > 0) {
            text_ += ' ';
            ++lineLength_;
        }
        text_ += word;
        lineLength_ += length;
    }

    // One line of a comment as a braced comment. It is cut only at single
    // blanks between two other characters, so a reader that joins the lines
    // of the movetext with one blank reads the same text back.
    void Comment(std::string_view line) {
        std::string text = "{";
        for (const char c : line) text += c == '}' ? ')' : c;
        text += '}';
        std::size_t start = 0;
        // Not next to the braces either: "{" or "}" alone on a line reads
        // the same but looks lost.
        for (std::size_t i = 2; i + 2 < text.size(); ++i) {
            const char next = text[i + 1];
            if (text[i] != ' ' || text[i - 1] == ' ' || next == ' ' || next == '[' || next == '%') continue;
            Word(std::string_view(text).substr(start, i - start));
            start = i + 1;
        }
        Word(std::string_view(text).substr(start));
    }

    std::string Take() {
        if (lineLength_ > 0) text_ += lineEnd_;
        return std::move(text_);
    }

private:
    std::string_view lineEnd_;
    std::string text_;
    std::size_t lineLength_ = 0;
};

// The slot of the legal move (generated at depth 0) that a recorded ply played.
int SlotOf(const Position& pos, const MoveRecord& played) {
    for (int i = pos.DepthStart[0]; i < pos.DepthStart[1]; ++i) {
        const MoveRecord& m = pos.MoveList[At(i)];
        if (m.Source == played.Source && m.Dest == played.Dest && m.Promotion == played.Promotion) return i;
    }
    return -1;
}

}  // namespace

std::string SanText(Position& pos, int slot) {
    const MoveRecord move = pos.MoveList[At(slot)];
    const int piece = std::abs(pos.Board[At(move.Source)]);
    std::string san;
    if (move.CastleKind == 1) {
        san = "O-O";
    } else if (move.CastleKind == 2) {
        san = "O-O-O";
    } else if (piece == Pawn) {
        if (move.Captured != 0) {
            san += FileLetter(move.Source);
            san += 'x';
        }
        san += SquareName(move.Dest);
        if (move.Promotion > 0 && move.Promotion <= King) {
            san += '=';
            san += PieceLetter[At(move.Promotion)];
        }
    } else {
        san += piece <= King ? PieceLetter[At(piece)] : '?';
        // Other pieces of the same kind that may go to the same square.
        bool other = false, sameFile = false, sameRank = false;
        const int d = pos.TreeDepth;
        for (int i = pos.DepthStart[At(d)]; i < pos.DepthStart[At(d + 1)]; ++i) {
            const MoveRecord& m = pos.MoveList[At(i)];
            if (m.Dest != move.Dest || m.Source == move.Source || pos.Board[At(m.Source)] != pos.Board[At(move.Source)])
                continue;
            other = true;
            sameFile = sameFile || m.Source % 10 == move.Source % 10;
            sameRank = sameRank || m.Source / 10 == move.Source / 10;
        }
        if (other && (!sameFile || sameRank)) san += FileLetter(move.Source);
        if (other && sameFile) san += RankDigit(move.Source);
        if (move.Captured != 0) san += 'x';
        san += SquareName(move.Dest);
    }

    // Check, and mate when the side checked has no legal move.
    const int moveCount = pos.MoveCount;
    pos.PerformMove(slot);
    if (pos.InCheck()) {
        pos.GenerateMoves(1);
        san += pos.CurrentMoveCount() == 0 ? '#' : '+';
    }
    pos.TakeBackMove(slot);
    pos.MoveCount = moveCount;
    return san;
}

std::string ExportResult(std::string_view resultTag, GameEnd finalPosition, int sideToMoveAtEnd) {
    if (resultTag == "1-0" || resultTag == "0-1" || resultTag == "1/2-1/2") return std::string(resultTag);
    if (finalPosition == GameEnd::Checkmate) return sideToMoveAtEnd == 1 ? "0-1" : "1-0";
    if (finalPosition == GameEnd::Stalemate) return "1/2-1/2";
    return "*";
}

ExportedGame ExportGame(const PgnTags& tags, const FenPosition& start, const GameRecord& record,
                        std::string_view lineEnd) {
    ExportedGame exported;

    // The movetext first: the result tag needs the final position.
    Position pos;
    pos.SetUp(start);
    MovetextLines movetext(lineEnd);
    bool afterComment = false;
    const auto comment = [&movetext, &afterComment](const std::string& text) {
        if (text.empty()) return;
        const std::string utf8 = DecodeText(text);
        for (const std::string_view line : CommentLines(utf8)) movetext.Comment(line);
        afterComment = true;
    };
    comment(record.Comments[0]);
    int fullMove = start.FullMoveNumber;
    const int lastPly = std::min(record.LastPly, MaxPlies);
    for (int ply = 1; ply <= lastPly; ++ply) {
        pos.GenerateMoves(1);
        const int slot = SlotOf(pos, record.PlayedMoves[At(ply)]);
        if (slot < 0) {
            exported.Error.Kind = ReadErrorKind::IllegalMove;
            exported.Error.Ply = ply;
            exported.Error.Text = "ply " + std::to_string(ply) + " is not a legal move of its position";
            return exported;
        }
        if (pos.SideToMove == 1)
            movetext.Word(std::to_string(fullMove) + ".");
        else if (ply == 1 || afterComment)
            movetext.Word(std::to_string(fullMove) + "...");
        movetext.Word(SanText(pos, slot));
        afterComment = false;
        if (pos.SideToMove == -1) ++fullMove;
        pos.PerformMove(slot);
        pos.InitGameTree();
        comment(record.Comments[At(ply)]);
    }
    const int sideAtEnd = pos.SideToMove;
    const std::string result = ExportResult(tags.pgnResult, pos.TestGameEnd(), sideAtEnd);
    movetext.Word(result);

    // The seven tags, then the others by name.
    const auto tag = [&exported, lineEnd](std::string_view name, std::string_view value) {
        exported.Text += '[';
        exported.Text += name;
        exported.Text += " \"";
        exported.Text += TagValue(value);
        exported.Text += "\"]";
        exported.Text += lineEnd;
    };
    const auto known = [](const std::string& value) { return value.empty() ? std::string("?") : value; };
    tag("Event", known(tags.pgnEvent));
    tag("Site", known(tags.pgnSite));
    tag("Date", ExportDate(tags.pgnDate));
    tag("Round", known(tags.RoundTag));
    tag("White", known(tags.pgnWhite));
    tag("Black", known(tags.pgnBlack));
    tag("Result", result);

    std::vector<std::pair<std::string_view, std::string>> others;
    // The tags of the index's columns after Setup, by their headers; the
    // ply count is counted again.
    for (std::size_t k = 9; k < IndexColumnList.size(); ++k) {
        const IndexColumn& column = IndexColumnList[k];
        if (column.Value != &PgnTags::PlyCountTag && !(tags.*column.Value).empty())
            others.emplace_back(column.Header, tags.*column.Value);
    }
    if (!tags.PlyCountTag.empty()) others.emplace_back("PlyCount", std::to_string(lastPly));
    const std::string fen = WriteFen(start);
    if (fen != StandardStartFen) {
        others.emplace_back("SetUp", "1");
        others.emplace_back("FEN", fen);
    }
    std::sort(others.begin(), others.end());
    for (const auto& [name, value] : others) tag(name, value);

    exported.Text += lineEnd;
    exported.Text += movetext.Take();
    exported.Text += lineEnd;
    return exported;
}

}  // namespace orvane::pgn
