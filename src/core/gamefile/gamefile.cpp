#include "gamefile/gamefile.h"

#include <cstdlib>

#include "common/encoding.h"
#include "common/linereader.h"
#include "record/play.h"

namespace orvane::gamefile {

namespace {

constexpr char LineBreakMark = '\xFF';  // two of them stand for one line break
constexpr std::string_view Crlf = "\r\n";

// Line breaks of any kind become the two-character mark, so a comment
// always stays on one line of the file. The text goes out as UTF-8, which
// never holds the mark's byte.
std::string EncodeComment(std::string_view raw) {
    const std::string text = DecodeText(raw);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += LineBreakMark;
            out += LineBreakMark;
        } else {
            out += c;
        }
    }
    return out;
}

// The marks back to line breaks. A mark's byte alone (left by a comment line
// cut short) is the character it stands for in the code page, "\xC3\xBF".
std::string DecodeComment(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == LineBreakMark && i + 1 < text.size() && text[i + 1] == LineBreakMark) {
            out += Crlf;
            ++i;
        } else if (text[i] == LineBreakMark) {
            out += "\xC3\xBF";
        } else {
            out += text[i];
        }
    }
    return out;
}

// The text of a comment line: from its second character to the one before
// its last (the closing brace), that last character taken whole also when it
// is not the brace, so no UTF-8 character is cut in two.
std::string_view CommentText(std::string_view line) {
    if (line.size() < 2) return {};
    std::size_t last = line.size() - 1;
    while (last > 1 && (static_cast<unsigned char>(line[last]) & 0xC0) == 0x80) --last;
    return line.substr(1, last - 1);
}

// The move line of a ply: from- and to-square of its record text, and the
// letter of the new piece for a promotion (e2e4, a7a8N).
std::string MoveLine(const std::string& recordText) {
    std::string line = recordText.size() >= 5 ? recordText.substr(1, 4) : std::string();
    if (recordText.size() == 14) line += recordText.back();
    return line;
}

// The parts of a text between its line-break marks, each handed to visit.
template <class Visit>
void EachPartBetweenMarks(std::string_view text, Visit visit) {
    std::size_t start = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != LineBreakMark || text[i + 1] != LineBreakMark) continue;
        visit(text.substr(start, i - start), true);
        start = i + 2;
        ++i;
    }
    visit(text.substr(start), false);
}

// A file's text as UTF-8 with its line-break marks kept: the text itself when
// every part between the marks is valid UTF-8 (what the program writes),
// else each part read as Windows-1252 (a file of the program's older
// versions, written in that code page).
std::string DecodeFileText(std::string_view bytes) {
    if (bytes.substr(0, Utf8ByteOrderMark.size()) == Utf8ByteOrderMark) bytes.remove_prefix(Utf8ByteOrderMark.size());
    bool utf8 = true;
    EachPartBetweenMarks(bytes, [&utf8](std::string_view part, bool) { utf8 = utf8 && IsValidUtf8(part); });
    if (utf8) return std::string(bytes);
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 8);
    EachPartBetweenMarks(bytes, [&text](std::string_view part, bool markFollows) {
        text += Windows1252ToUtf8(part);
        if (markFollows) text.append(2, LineBreakMark);
    });
    return text;
}

// The square a square name such as "e3" stands for, 0 for anything else.
int SquareOfName(std::string_view name) {
    if (name.size() != 2 || name[0] < 'a' || name[0] > 'h' || name[1] < '1' || name[1] > '8') return 0;
    return (name[1] - '1') * 10 + 21 + (name[0] - 'a');
}

std::string SquareNameOf(int square) {
    if (!IsPlayingSquare(square)) return "-";
    return {static_cast<char>('a' + square % 10 - 1), static_cast<char>('0' + square / 10 - 1)};
}

// The leading number of a text as the program reads numbers: blanks, an
// optional sign, digits and one decimal point; 0 when there is none.
double LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    std::string number;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) number += text[i++];
    bool point = false;
    while (i < text.size() && ((text[i] >= '0' && text[i] <= '9') || (text[i] == '.' && !point))) {
        if (text[i] == '.') point = true;
        number += text[i++];
    }
    return std::strtod(number.c_str(), nullptr);
}

ParsedGameFile Fail(ParsedGameFile parsed, ReadErrorKind kind, long line, std::string text, std::string detail = {}) {
    parsed.Error.Kind = kind;
    parsed.Error.Line = line;
    parsed.Error.Text = std::move(text);
    parsed.Error.Detail = std::move(detail);
    return parsed;
}

}  // namespace

std::string WriteGameText(const Position& pos, const GameRecord& record) {
    std::string out;
    out += Header;
    out += FormatVersion;
    out += Crlf;
    out += "Setup=" + pos.PositionString();
    out += Crlf;
    const int startSide = StartSideToMove(pos);
    out += "BlackStarts=" + std::to_string(startSide == -1 ? 1 : 0);
    out += Crlf;
    out += "Castling=" + CastlingField(pos.StartBoard, StartMoveCounts(pos, record));
    out += Crlf;
    // Only a target the start position can hold: the reader refuses others.
    const int epTarget = record.PlayedEp[0];
    out += "EnPassant=" + SquareNameOf(EnPassantTargetFits(pos.StartBoard, startSide, epTarget) ? epTarget : 0);
    out += Crlf;
    out += "START";
    out += Crlf;
    const auto commentLine = [&out, &record](int ply) {
        const std::string& comment = record.Comments[static_cast<std::size_t>(ply)];
        if (comment.empty()) return;
        out += '{' + EncodeComment(comment) + '}';
        out += Crlf;
    };
    for (int p = 0; p < record.LastPly; ++p) {
        commentLine(p);
        out += MoveLine(record.RecordText(p + 1));
        out += Crlf;
    }
    commentLine(record.LastPly);
    return out;
}

bool SameVersion(std::string_view fileVersion, std::string_view programVersion) {
    return static_cast<float>(LeadingNumber(fileVersion)) == static_cast<float>(LeadingNumber(programVersion));
}

ParsedGameFile ParseGameFile(std::string_view fileBytes, std::string_view name) {
    ParsedGameFile parsed;
    parsed.Error.File = std::string(name);
    GameFile& file = parsed.File;
    const std::string text = DecodeFileText(fileBytes);
    const std::string_view bytes = text;

    if (!bytes.starts_with(Header))
        return Fail(std::move(parsed), ReadErrorKind::NotGameFile, 1, std::string(name) + " is not an Orvane file");

    LineReader lines(bytes);
    std::string_view line;
    lines.Next(line);
    file.Version = std::string(line.substr(Header.size()));
    if (!SameVersion(file.Version, FormatVersion))
        return Fail(std::move(parsed), ReadErrorKind::WrongVersion, 1,
                    "Incorrect game file!\r\nNeed version " + std::string(FormatVersion));

    // The position, the first mover, the castling rights and the en passant
    // target, anywhere before START.
    bool started = false;
    long epLine = 0;
    while (lines.Next(line)) {
        if (line == "START") {
            started = true;
            break;
        }
        if (line.starts_with("Setup=")) {
            const std::string_view setup = line.substr(6);
            Position probe;
            if (setup.size() < 64 || probe.ReadPositionString(setup.substr(0, 64)))
                return Fail(std::move(parsed), ReadErrorKind::BadSetup, lines.LineNumber(), {},
                            "the position needs 64 characters of 0-9 and A-C");
            file.Setup = std::string(setup.substr(0, 64));
        } else if (line.starts_with("BlackStarts=")) {
            file.BlackStarts = LeadingNumber(line.substr(12)) != 0 ? 1 : 0;
            file.HasBlackStarts = true;
        } else if (line.starts_with("Castling=")) {
            const std::string_view field = line.substr(9);
            if (!IsCastlingField(field))
                return Fail(std::move(parsed), ReadErrorKind::BadSetup, lines.LineNumber(), {},
                            "the castling rights are \"-\" or letters of KQkq");
            file.Castling = std::string(field);
        } else if (line.starts_with("EnPassant=")) {
            const std::string_view square = line.substr(10);
            file.EpTarget = square == "-" ? 0 : SquareOfName(square);
            epLine = lines.LineNumber();
            if (square != "-" && file.EpTarget == 0)
                return Fail(std::move(parsed), ReadErrorKind::BadSetup, epLine, {},
                            "the en passant target is \"-\" or a square such as e3");
        }
    }
    if (!started) return Fail(std::move(parsed), ReadErrorKind::MissingStart, lines.LineNumber(), {}, "no START line");
    if (file.EpTarget != 0) {
        // Only a square a pawn has just passed over: any other would make
        // the en passant capture take something else.
        Position start;
        if (!file.Setup.empty()) start.ReadPositionString(file.Setup);
        if (!EnPassantTargetFits(start.Board, file.BlackStarts == 1 ? -1 : 1, file.EpTarget))
            return Fail(std::move(parsed), ReadErrorKind::BadSetup, epLine, {},
                        "no pawn has just passed over the en passant target");
    }

    lines.Mark();
    while (lines.Next(line)) ++file.LinesAfterStart;
    lines.Rewind();

    // Comment lines belong to the position before the next move; a later
    // one for the same position replaces an earlier one.
    std::string comment;
    bool commentSeen = false;
    while (lines.Next(line)) {
        if (line.starts_with("{")) {
            comment = DecodeComment(CommentText(line));
            commentSeen = true;
            continue;
        }
        if (line.empty()) break;
        if (line.size() > 5)
            return Fail(std::move(parsed), ReadErrorKind::BadMoveLine, lines.LineNumber(), {},
                        "a move line holds at most five characters");
        FilePly ply;
        ply.Comment = std::move(comment);
        ply.CommentSeen = commentSeen;
        std::string move(line);
        for (char& c : move)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        ply.Move = std::move(move);
        ply.Line = lines.LineNumber();
        file.Plies.push_back(std::move(ply));
        comment.clear();
        commentSeen = false;
    }
    file.FinalComment = std::move(comment);
    file.FinalCommentSeen = commentSeen;
    return parsed;
}

ReadError ReplayGameFile(const GameFile& file, Position& pos, GameRecord& record, MoveInput& input) {
    if (!file.Setup.empty()) pos.ReadPositionString(file.Setup);
    pos.BlackStarts = file.BlackStarts;
    pos.SideToMove = file.BlackStarts == 0 ? 1 : -1;
    pos.MoveCounts.fill(0);
    WithholdCastling(pos.MoveCounts, file.Castling);
    pos.InitGameTree();
    pos.EpTarget[0] = file.EpTarget;
    record.PlayedEp[0] = file.EpTarget;
    pos.GenerateMoves(1);

    const auto comment = [&record](int ply, bool seen, const std::string& text) {
        if (!seen) return;
        record.Comments[static_cast<std::size_t>(ply)] = text;
        record.HasComments = 1;
    };
    for (const FilePly& ply : file.Plies) {
        comment(pos.CurrentPly, ply.CommentSeen, ply.Comment);
        const PlayOutcome outcome = PlayAndRecord(pos, record, input, ply.Move);
        if (outcome == PlayOutcome::Played) continue;
        ReadError error;
        error.Line = ply.Line;
        error.Column = 1;
        error.Ply = pos.CurrentPly + 1;
        error.Token = ply.Move;
        if (outcome == PlayOutcome::RecordFull) {
            error.Kind = ReadErrorKind::RecordFull;
        } else {
            error.Kind = ReadErrorKind::IllegalMove;
            error.Text = ply.Move + ": Illegal move!";
        }
        return error;
    }
    comment(pos.CurrentPly, file.FinalCommentSeen, file.FinalComment);
    return {};
}

}  // namespace orvane::gamefile
