#include "pgn/san.h"

#include <array>
#include <cstdint>

#include "common/index.h"
#include "notation/notation.h"

namespace orvane::pgn {

namespace {

char LowerChar(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char UpperChar(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

char PieceLetterOf(int code) {
    const int type = code < 0 ? -code : code;
    return type <= King ? PieceLetter[At(type)] : '.';
}

// The from-hint and promotion conditions of a match for a move from `source`.
bool HintFits(const ParsedMove& m, int source) {
    if (!m.HasHint) return true;
    if (static_cast<unsigned char>(m.Hint) > '9') return m.Hint == static_cast<char>('a' + source % 10 - 1);
    return m.Hint == static_cast<char>('0' + source / 10 - 1);
}

bool PromotionFits(const ParsedMove& m, const MoveRecord& r) {
    return !m.HasPromotion || (r.Promotion >= 0 && r.Promotion <= King && m.Promotion == PieceLetter[At(r.Promotion)]);
}

}  // namespace

ParsedMove ParseToken(std::string_view t, int sideToMove) {
    ParsedMove m;
    auto hint = [&m](char c) {
        m.HasHint = true;
        m.Hint = LowerChar(c);
    };
    auto promotion = [&m](char c) {
        m.HasPromotion = true;
        m.Promotion = UpperChar(c);
    };
    switch (t.size()) {
    case 2: m.Dest = t; break;
    case 3:
        if (t == "0-0" || t == "O-O") {
            m.Dest = sideToMove == 1 ? "g1" : "g8";
            m.Piece = 'K';
        } else if (t[1] != '8' && t[1] != '1') {
            m.Dest = t.substr(1, 2);
            m.Piece = t[0];
        } else {
            m.Dest = t.substr(0, 2);
            promotion(t[2]);
        }
        break;
    case 4:
        if (t[1] == 'x' && t[0] >= 'a' && t[0] <= 'h') {
            m.Dest = t.substr(2, 2);
            hint(t[0]);
        } else if (t[1] == 'x') {
            m.Dest = t.substr(2, 2);
            m.Piece = t[0];
        } else if (t[2] == '=') {
            m.Dest = t.substr(0, 2);
            promotion(t[3]);
        } else {
            m.Dest = t.substr(2, 2);
            m.Piece = t[0];
            hint(t[1]);
        }
        break;
    case 5:
        if (t == "0-0-0" || t == "O-O-O") {
            m.Dest = sideToMove == 1 ? "c1" : "c8";
            m.Piece = 'K';
        } else if (t[2] == 'x') {
            m.Dest = t.substr(3, 2);
            m.Piece = t[0];
            hint(t[1]);
        } else if (t[1] == 'x') {
            m.Dest = t.substr(2, 2);
            hint(t[0]);
            promotion(t[4]);
        }
        break;
    case 6:
        m.Dest = t.substr(2, 2);
        hint(t[0]);
        promotion(t[5]);
        break;
    default: break;
    }
    return m;
}

std::string_view WithoutMarks(std::string_view t) {
    for (int k = 0; k < 2 && !t.empty() && (t.back() == '!' || t.back() == '?'); ++k) t.remove_suffix(1);
    if (!t.empty() && (t.back() == '#' || t.back() == '+')) t.remove_suffix(1);
    return t;
}

std::string FallbackText(std::string_view t) {
    if (!t.empty() && (t[0] == 'R' || t[0] == 'Q' || t[0] == 'N')) t.remove_prefix(1);
    std::string text;
    if (t.size() >= 3 && t[2] == 'x') {
        text.append(t.substr(0, 2));
        text.append(t.substr(t.size() - 2));
    } else {
        text.assign(t);
    }
    return Upper(text);
}

int LiteralMatch(const Position& pos, int dest, const ParsedMove& m) {
    const int d = pos.TreeDepth;
    for (int i = pos.DepthStart[At(d)]; i < pos.DepthStart[At(d + 1)]; ++i) {
        const MoveRecord& r = pos.MoveList[At(i)];
        if (r.Dest != dest) continue;
        if (PieceLetterOf(pos.Board[At(r.Source)]) != m.Piece) continue;
        if (m.HasHint) {
            const std::string name = SquareNotation(pos, r.Source);
            if (static_cast<unsigned char>(m.Hint) > '9' ? m.Hint != name[0] : m.Hint != name[1]) continue;
        }
        if (!PromotionFits(m, r)) continue;
        return i;
    }
    return -1;
}

int DestinationSquare(const ParsedMove& m) {
    if (m.Dest.size() != 2) return 0;
    const char name[2] = {UpperChar(m.Dest[0]), m.Dest[1]};
    return SquareNumber(std::string_view(name, 2));
}

std::string CoordinateText(int source, const ParsedMove& m) {
    CoordinateChars text;
    return std::string(CoordinateText(text, source, m));
}

std::string_view CoordinateText(CoordinateChars& text, int source, const ParsedMove& m) {
    text[0] = static_cast<char>('A' + source % 10 - 1);
    text[1] = static_cast<char>('0' + source / 10 - 1);
    text[2] = UpperChar(m.Dest[0]);
    text[3] = m.Dest[1];
    text[4] = m.Promotion;
    return {text.data(), m.HasPromotion ? 5u : 4u};
}

bool FastMatcher::Find(MoveRecord& found) {
    const int type = TypeOfLetter(m_.Piece);
    if (type == 0) return false;
    // The legal moves of that kind of piece to the destination, in the
    // order the full list holds them: the first that fits is the literal
    // matcher's move.
    const int first = pos_.DepthStart[At(pos_.TreeDepth)];
    const int count = pos_.GenerateMovesTo(dest_, type, check_);
    for (int i = first; i < first + count; ++i) {
        // Read in place: a copy on the stack read back in other pieces
        // than it was written costs more than the copy itself.
        const MoveRecord& r = pos_.MoveList[At(i)];
        if (!HintFits(m_, r.Source) || !PromotionFits(m_, r)) continue;
        if (skip_ > 0) {
            --skip_;
            continue;
        }
        // Made from slot 0, as InputMove leaves a move it played.
        movingLetter_ = PieceLetterOf(pos_.Board[At(r.Source)]);
        if (i != 0) pos_.MoveList[0] = r;
        found = pos_.MoveList[0];
        pos_.PerformMove(0);
        return true;
    }
    return false;
}

int FastMatcher::TypeOfLetter(char letter) {
    // The type whose PieceLetter is letter, by table.
    static constexpr std::array<std::int8_t, 256> types = [] {
        std::array<std::int8_t, 256> table{};
        for (int t = King; t >= Pawn; --t)
            table[static_cast<unsigned char>(PieceLetter[static_cast<std::size_t>(t)])] = static_cast<std::int8_t>(t);
        return table;
    }();
    return types[static_cast<unsigned char>(letter)];
}

SanMatch MatchSanMove(Position& pos, std::string_view token, MoveRecord& found) {
    const ParsedMove m = ParseToken(WithoutMarks(token), pos.SideToMove);
    const int dest = DestinationSquare(m);
    if (dest == 0) return SanMatch::Unreadable;
    FastMatcher first(pos, m, dest);
    const bool fits = first.Find(found);
    if (fits) pos.TakeBackMove(0);
    SanMatch result = SanMatch::None;
    // A pawn reaching the last rank needs the letter of its new piece, as
    // the reader's InputMove step wants it.
    if (fits && (found.Promotion == 0 || m.HasPromotion)) {
        MoveRecord second;
        FastMatcher next(pos, m, dest);
        next.SkipFits(1);
        result = SanMatch::Found;
        if (next.Find(second)) {
            pos.TakeBackMove(0);
            result = SanMatch::Several;
        }
    }
    return result;
}

}  // namespace orvane::pgn
