#include "pgn/san.h"

#include <array>

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
    return m.Dest.size() == 2 ? SquareNumber(std::string{UpperChar(m.Dest[0]), m.Dest[1]}) : 0;
}

std::string CoordinateText(int source, const ParsedMove& m) {
    std::string text(4, ' ');
    text[0] = static_cast<char>('A' + source % 10 - 1);
    text[1] = static_cast<char>('0' + source / 10 - 1);
    text[2] = UpperChar(m.Dest[0]);
    text[3] = m.Dest[1];
    if (m.HasPromotion) text += m.Promotion;
    return text;
}

// The first legal move that fits, made (see Try); false when none fits.
bool FastMatcher::Find(MoveRecord& found) {
    const int side = pos_.SideToMove;
    const int target = pos_.Board[At(dest_)];
    // Squares holding an own piece or either king are never a destination
    // of a piece's move (en passant and castling are looked at below).
    const bool open = target == 0 || (target * side < 0 && target != King && target != -King);
    const int type = TypeOfLetter(m_.Piece);
    if (open && type != 0) {
        // The squares from which a piece of that kind reaches the
        // destination, looked up backwards from it (a slider over empty
        // squares only), in generation order.
        const int wanted = type * side;
        std::array<int, 8> sources{};
        std::size_t count = 0;
        auto add = [&](int s) {
            if (pos_.Board[At(s)] != wanted) return;
            std::size_t i = count++;
            for (; i > 0 && sources[i - 1] > s; --i) sources[i] = sources[i - 1];
            sources[i] = s;
        };
        const PieceMove& pm = orvane::PieceMoves[At(type)];
        if (type == Pawn) {
            const int ahead = 10 * side;
            for (const int s : {dest_ - ahead, dest_ - 2 * ahead, dest_ - ahead - 1, dest_ - ahead + 1}) add(s);
        } else if (pm.Slides == 0) {
            for (int k = pm.FirstDir; k <= pm.LastDir; ++k) add(dest_ - Directions[At(k)]);
        } else {
            for (int k = pm.FirstDir; k <= pm.LastDir; ++k) {
                const int step = Directions[At(k)];
                int s = dest_ - step;
                while (pos_.Board[At(s)] == 0) s -= step;
                add(s);
            }
        }
        for (std::size_t i = 0; i < count; ++i) {
            const int s = sources[i];
            if (!HintFits(m_, s)) continue;
            if (type == Pawn ? PawnMoves(s, side, target, found)
                             : Try(Record(s, dest_, target < 0 ? -target : target), found))
                return true;
        }
    }
    if (type == Pawn && EnPassant(side, found)) return true;
    if (type == King && Castling(side, found)) return true;
    return false;
}

int FastMatcher::TypeOfLetter(char letter) {
    for (int t = Pawn; t <= King; ++t)
        if (PieceLetter[At(t)] == letter) return t;
    return 0;
}

// Tries one record: promotion letter, then legality as the generator
// tests it (make, look at the mover's king). A legal move stays made, in
// slot 0 at depth 1, as InputMove would leave it; an illegal one is taken back.
bool FastMatcher::Try(const MoveRecord& r, MoveRecord& found) {
    if (!PromotionFits(m_, r)) return false;
    const char letter = PieceLetterOf(pos_.Board[At(r.Source)]);
    pos_.MoveList[0] = r;
    pos_.PerformMove(0);
    const int attacked =
        pos_.SideToMove == 1 ? pos_.IsAttacked(pos_.BlackKing, 1) : pos_.IsAttacked(pos_.WhiteKing, -1);
    if (attacked != 0 || skip_ > 0) {
        if (attacked == 0) --skip_;
        pos_.TakeBackMove(0);
        return false;
    }
    found = r;
    movingLetter_ = letter;
    return true;
}

MoveRecord FastMatcher::Record(int source, int dest, int captured, int promotion, int castle, int ep) {
    return MoveRecord{static_cast<std::int16_t>(source),
                      static_cast<std::int16_t>(dest),
                      static_cast<std::int16_t>(captured),
                      static_cast<std::int16_t>(promotion),
                      static_cast<std::int16_t>(castle),
                      static_cast<std::int16_t>(ep),
                      0};
}

// Queen, knight, bishop, rook: the order the generator registers them.
bool FastMatcher::Promotions(int source, int captured, MoveRecord& found) {
    for (int promo = PromoHigh; promo >= PromoLow; --promo)
        if (Try(Record(source, dest_, captured, promo), found)) return true;
    return false;
}

bool FastMatcher::PawnMoves(int s, int side, int target, MoveRecord& found) {
    const int ahead = 10 * side;
    const bool lastRankNext = side == 1 ? s > 80 : s <= 38;
    if (dest_ == s + ahead) {
        if (target != 0) return false;
        return lastRankNext ? Promotions(s, 0, found) : Try(Record(s, dest_, 0), found);
    }
    if (dest_ == s + 2 * ahead) {
        const bool homeRank = side == 1 ? s < 39 : s > 80;
        if (target != 0 || !homeRank || pos_.Board[At(s + ahead)] != 0) return false;
        return Try(Record(s, dest_, 0, 0, 0, s + ahead), found);
    }
    if (dest_ == s + ahead + 1 || dest_ == s + ahead - 1) {
        if (target * side >= 0) return false;  // captures only, enemy pieces only
        const int captured = target < 0 ? -target : target;
        return lastRankNext ? Promotions(s, captured, found) : Try(Record(s, dest_, captured), found);
    }
    return false;
}

bool FastMatcher::EnPassant(int side, MoveRecord& found) {
    const int t = pos_.EpTarget[At(pos_.TreeDepth)];
    if (t == 0 || !IsPlayingSquare(t) || t != dest_) return false;
    const int behind = -10 * side;  // the square of the pawn taken
    for (const int source : {t - 9 * side, t - 11 * side}) {
        if (pos_.Board[At(source)] == side && HintFits(m_, source) &&
            Try(Record(source, t, 1, 0, 0, t + behind), found))
            return true;
    }
    return false;
}

bool FastMatcher::Castling(int side, MoveRecord& found) {
    const int king = side == 1 ? 25 : 95;
    const int kingSquare = side == 1 ? pos_.WhiteKing : pos_.BlackKing;
    if (pos_.MoveCounts[At(king)] != 0 || kingSquare != king || pos_.Board[At(king)] != King * side) return false;
    if (!HintFits(m_, king)) return false;
    const int enemy = -side;
    auto safe = [&](int sq) { return pos_.IsAttacked(sq, enemy) == 0; };
    auto empty = [&](int sq) { return pos_.Board[At(sq)] == 0; };
    const int rookH = king + 3, rookA = king - 4;
    if (dest_ == king + 2 && pos_.Board[At(rookH)] == Rook * side && pos_.MoveCounts[At(rookH)] == 0 &&
        empty(king + 1) && empty(king + 2) && safe(king) && safe(king + 1) && safe(king + 2))
        return Try(Record(king, dest_, 0, 0, 1), found);
    if (dest_ == king - 2 && pos_.Board[At(rookA)] == Rook * side && pos_.MoveCounts[At(rookA)] == 0 &&
        empty(king - 1) && empty(king - 2) && empty(king - 3) && safe(king) && safe(king - 1) && safe(king - 2))
        return Try(Record(king, dest_, 0, 0, 2), found);
    return false;
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
