// The PGN standard's rules for a game in export format, checked on the text
// alone: the tag section (the seven tags first and in order, the others
// sorted by name, the escapes), the line lengths, the move number tokens, and
// every move in standard algebraic notation as the standard defines it: a
// piece letter, the least disambiguation that makes it unique among the legal
// moves, "x" exactly for captures, the promotion, and "+" or "#" exactly when
// the move checks or mates. The legal moves come from the move generator;
// the text of a move is read here with the standard's grammar, not with the
// program's reader or writer.
#pragma once

#include <cctype>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/index.h"
#include "engine/position.h"

namespace orvane::pgntest {

struct ExportCheck {
    std::vector<std::string> Problems;                      // empty when the text keeps every rule
    std::vector<std::pair<std::string, std::string>> Tags;  // names and unescaped values in order
    std::vector<MoveRecord> Moves;                          // the moves as the generator has them
    std::string Result;                                     // the termination marker
};

namespace export_detail {

inline std::size_t Characters(std::string_view text) {
    std::size_t n = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

// A tag pair line: [Name "value"] with \" and \\ the only escapes.
inline bool ParseTag(std::string_view line, std::string& name, std::string& value) {
    if (line.size() < 5 || line.front() != '[' || line.back() != ']') return false;
    std::size_t i = 1;
    while (i < line.size() && (std::isalnum(static_cast<unsigned char>(line[i])) != 0 || line[i] == '_')) ++i;
    if (i == 1 || i + 2 >= line.size() || line[i] != ' ' || line[i + 1] != '"') return false;
    name = std::string(line.substr(1, i - 1));
    value.clear();
    for (i += 2; i + 2 < line.size(); ++i) {
        if (line[i] == '"') return false;
        if (line[i] == '\\') {
            if (line[i + 1] != '"' && line[i + 1] != '\\') return false;
            ++i;
        }
        value += line[i];
    }
    return i + 2 == line.size() && line[i] == '"';
}

// The fields of a move in standard algebraic notation.
struct San {
    int Castle = 0;  // 1 O-O, 2 O-O-O
    int Piece = Pawn;
    char File = 0, Rank = 0;  // disambiguation (a pawn capture's file)
    bool Capture = false;
    int Dest = 0;
    int Promotion = 0;
    char Suffix = 0;  // '+', '#' or 0
};

inline int PieceOf(char c) {
    switch (c) {
    case 'N': return Knight;
    case 'B': return Bishop;
    case 'R': return Rook;
    case 'Q': return Queen;
    case 'K': return King;
    default: return 0;
    }
}

inline bool IsFile(char c) { return c >= 'a' && c <= 'h'; }
inline bool IsRank(char c) { return c >= '1' && c <= '8'; }

inline bool ParseSan(std::string_view t, San& san) {
    if (!t.empty() && (t.back() == '+' || t.back() == '#')) {
        san.Suffix = t.back();
        t.remove_suffix(1);
    }
    if (t == "O-O" || t == "O-O-O") {
        san.Castle = t.size() == 3 ? 1 : 2;
        return true;
    }
    if (t.size() >= 4 && t[t.size() - 2] == '=') {
        san.Promotion = PieceOf(t.back());
        if (san.Promotion == 0 || san.Promotion == King) return false;
        t.remove_suffix(2);
    }
    if (t.size() < 2 || !IsFile(t[t.size() - 2]) || !IsRank(t.back())) return false;
    san.Dest = (t.back() - '1') * 10 + 21 + (t[t.size() - 2] - 'a');
    t.remove_suffix(2);
    if (!t.empty() && t.back() == 'x') {
        san.Capture = true;
        t.remove_suffix(1);
    }
    if (!t.empty() && PieceOf(t.front()) != 0) {
        san.Piece = PieceOf(t.front());
        t.remove_prefix(1);
        if (san.Promotion != 0) return false;
        if (!t.empty() && IsFile(t.front())) {
            san.File = t.front();
            t.remove_prefix(1);
        }
        if (!t.empty() && IsRank(t.front())) {
            san.Rank = t.front();
            t.remove_prefix(1);
        }
        return t.empty();
    }
    // A pawn: nothing before the destination, or its file before a capture.
    if (t.empty()) return !san.Capture;
    if (t.size() != 1 || !IsFile(t.front()) || !san.Capture) return false;
    san.File = t.front();
    return true;
}

// The legal moves (generated at the current depth) that fit the fields,
// with the disambiguation given.
inline std::vector<int> Fitting(const Position& pos, const San& san, char file, char rank) {
    std::vector<int> slots;
    const int d = pos.TreeDepth;
    for (int i = pos.DepthStart[At(d)]; i < pos.DepthStart[At(d + 1)]; ++i) {
        const MoveRecord& m = pos.MoveList[At(i)];
        if (san.Castle != 0) {
            if (m.CastleKind == san.Castle) slots.push_back(i);
            continue;
        }
        if (m.CastleKind != 0 || m.Dest != san.Dest || std::abs(pos.Board[At(m.Source)]) != san.Piece) continue;
        if (file != 0 && 'a' + m.Source % 10 - 1 != file) continue;
        if (rank != 0 && '0' + m.Source / 10 - 1 != rank) continue;
        if (m.Promotion != san.Promotion) continue;
        slots.push_back(i);
    }
    return slots;
}

}  // namespace export_detail

// Checks one game's text, lines ended by "\n" (the text ends with the empty
// line after the movetext).
inline ExportCheck CheckExportText(std::string_view text) {
    using namespace export_detail;
    ExportCheck check;
    auto problem = [&check](std::string what) { check.Problems.push_back(std::move(what)); };

    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            problem("the text does not end with a line end");
            return check;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    std::size_t at = 0;

    // The tag section.
    static constexpr std::string_view Roster[] = {"Event", "Site", "Date", "Round", "White", "Black", "Result"};
    for (; at < lines.size() && !lines[at].empty(); ++at) {
        std::string name, value;
        if (!ParseTag(lines[at], name, value)) {
            problem("not a tag pair: " + std::string(lines[at]));
            continue;
        }
        const std::size_t k = check.Tags.size();
        if (k < 7 && name != Roster[k]) problem("tag " + std::to_string(k + 1) + " is " + name);
        if (k >= 7) {
            for (const std::string_view roster : Roster)
                if (name == roster) problem("tag " + name + " repeated");
            if (k > 7 && !(check.Tags.back().first < name)) problem("tag " + name + " out of order");
        }
        if (value.empty()) problem("tag " + name + " is empty");
        check.Tags.emplace_back(name, value);
    }
    if (check.Tags.size() < 7) problem("fewer than seven tags");
    if (at >= lines.size()) {
        problem("no empty line after the tags");
        return check;
    }
    ++at;
    std::string fen, setUp, resultTag;
    for (const auto& [name, value] : check.Tags) {
        if (name == "FEN") fen = value;
        if (name == "SetUp") setUp = value;
        if (name == "Result") resultTag = value;
    }
    if (!fen.empty() && setUp != "1") problem("FEN without SetUp \"1\"");

    // The movetext lines, then one empty line at the end.
    std::string movetext;
    for (; at < lines.size() && !lines[at].empty(); ++at) {
        const std::string_view line = lines[at];
        if (Characters(line) > 79) problem("line longer than 79 characters: " + std::string(line));
        if (line.front() == ' ' || line.back() == ' ') problem("blank at a line's end: " + std::string(line));
        if (line.front() == '[' || line.front() == '%')
            problem("line that a reader takes for another: " + std::string(line));
        if (!movetext.empty()) movetext += ' ';
        movetext += line;
    }
    if (at + 1 != lines.size()) problem("not exactly one empty line after the movetext");

    // The tokens: comments, move numbers, moves, the result last.
    Position pos;
    int fullMove = 1;
    if (!fen.empty()) {
        FenInfo info;
        if (pos.ReadFen(fen, &info)) {
            problem("FEN refused: " + fen);
            return check;
        }
        fullMove = std::atoi(info.FenMoveNumber.c_str());
    }
    bool afterComment = false, numbered = false;
    std::size_t i = 0;
    while (i < movetext.size()) {
        if (movetext[i] == ' ') {
            ++i;
            continue;
        }
        if (!check.Result.empty()) problem("text after the result");
        if (movetext[i] == '{') {
            const std::size_t close = movetext.find('}', i);
            if (close == std::string::npos) {
                problem("comment without its end");
                return check;
            }
            i = close + 1;
            afterComment = true;
            if (numbered) problem("a comment between a move number and its move");
            continue;
        }
        std::size_t end = movetext.find(' ', i);
        if (end == std::string::npos) end = movetext.size();
        const std::string token = movetext.substr(i, end - i);
        i = end;
        if (token == "1-0" || token == "0-1" || token == "1/2-1/2" || token == "*") {
            check.Result = token;
            continue;
        }
        const std::string number = std::to_string(fullMove);
        if (token == number + "." || token == number + "...") {
            const bool dots = token.back() == '.' && token.size() > number.size() + 1;
            if (numbered) problem("two move numbers: " + token);
            if (pos.SideToMove == 1 && dots) problem("White's move numbered " + token);
            if (pos.SideToMove == -1 && !dots) problem("Black's move numbered " + token);
            if (pos.SideToMove == -1 && !afterComment && !check.Moves.empty())
                problem("Black's move numbered where nothing comes between: " + token);
            numbered = true;
            continue;
        }
        San san;
        if (!ParseSan(token, san)) {
            problem("not a move: " + token);
            return check;
        }
        if (pos.SideToMove == 1 && !numbered) problem("White's move without its number: " + token);
        if (pos.SideToMove == -1 && !numbered && (afterComment || check.Moves.empty()))
            problem("Black's move without its number: " + token);
        numbered = false;
        afterComment = false;

        pos.GenerateMoves(1);
        const std::vector<int> slots = Fitting(pos, san, san.File, san.Rank);
        if (slots.size() != 1) {
            problem(token + " fits " + std::to_string(slots.size()) + " legal moves");
            return check;
        }
        const int slot = slots.front();
        const MoveRecord move = pos.MoveList[At(slot)];
        if (san.Piece != Pawn) {
            // The least disambiguation: the file when it is enough, else the
            // rank, else both.
            const std::size_t none = Fitting(pos, san, 0, 0).size();
            const std::size_t byFile = Fitting(pos, san, static_cast<char>('a' + move.Source % 10 - 1), 0).size();
            const std::size_t byRank = Fitting(pos, san, 0, static_cast<char>('0' + move.Source / 10 - 1)).size();
            const bool least = san.File == 0 && san.Rank == 0 ? none == 1
                               : san.Rank == 0                ? none > 1
                               : san.File == 0                ? none > 1 && byFile > 1
                                                              : byFile > 1 && byRank > 1;
            if (!least) problem(token + " is not disambiguated by the least that is needed");
        } else if (san.Castle == 0 && (san.File != 0) != (move.Captured != 0)) {
            problem(token + ": a pawn names its file exactly when it captures");
        }
        if (san.Castle == 0 && san.Capture != (move.Captured != 0)) problem(token + ": \"x\" exactly for a capture");
        const int moveCount = pos.MoveCount;
        pos.PerformMove(slot);
        char suffix = 0;
        if (pos.InCheck()) {
            pos.GenerateMoves(1);
            suffix = pos.CurrentMoveCount() == 0 ? '#' : '+';
        }
        pos.TakeBackMove(slot);
        pos.MoveCount = moveCount;
        if (suffix != san.Suffix)
            problem(token + ": the check sign should be " + std::string(1, suffix ? suffix : ' '));
        if (pos.SideToMove == -1) ++fullMove;
        pos.PerformMove(slot);
        pos.InitGameTree();
        check.Moves.push_back(move);
    }
    if (check.Result.empty()) problem("no result at the end");
    if (check.Result != resultTag) problem("result " + check.Result + " but tag " + resultTag);
    return check;
}

}  // namespace orvane::pgntest
