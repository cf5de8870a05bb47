// The movetext reader and the replay of a PGN game.
//
// The movetext is consumed from the left. Each state of the token loop takes
// what may stand before a move (results, comments, variations, glyphs, a move
// number), then the move token, which is parsed into a destination, a piece
// letter, a from-hint and a promotion letter, matched to a legal move, played
// and recorded.
#include "pgn/replay.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "common/index.h"
#include "pgn/nag.h"

namespace orvane::pgn {

namespace {

constexpr std::string_view CrLf = "\r\n";
constexpr const char* LoadErrorText = "Error in loading PGN file!";
constexpr std::size_t None = std::string_view::npos;

char LowerChar(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char UpperChar(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char PieceLetterOf(int code) {
    const int type = code < 0 ? -code : code;
    return type <= King ? PieceLetter[At(type)] : '.';
}

// The value of a glyph's number text as the program reads numbers: blanks,
// a sign, digits and a fraction rounded half to even. False when the value
// lies beyond the 16-bit range.
bool GlyphNumber(std::string_view text, int& n) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    double value = 0;
    while (i < text.size() && IsDigit(text[i])) value = value * 10 + (text[i++] - '0');
    if (i < text.size() && text[i] == '.') {
        double scale = 0.1;
        for (++i; i < text.size() && IsDigit(text[i]); ++i, scale /= 10) value += (text[i] - '0') * scale;
    }
    value = std::nearbyint(negative ? -value : value);
    if (!(value >= -32768 && value <= 32767)) return false;
    n = static_cast<int>(value);
    return true;
}

// E.4: the fields of a move token after its suffixes were removed.
struct ParsedMove {
    std::string_view Dest;  // a square name as written; empty when nothing was parsed
    char Piece = ' ';
    bool HasHint = false;
    char Hint = 0;  // lower-cased
    bool HasPromotion = false;
    char Promotion = 0;  // upper-cased
};

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

// A move token without its comment marks (two at most) and its check or
// mate sign.
std::string_view WithoutMarks(std::string_view t) {
    for (int k = 0; k < 2 && !t.empty() && (t.back() == '!' || t.back() == '?'); ++k) t.remove_suffix(1);
    if (!t.empty() && (t.back() == '#' || t.back() == '+')) t.remove_suffix(1);
    return t;
}

// E.5: the text tried when no legal move fits the token.
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

// The from-hint and promotion conditions of E.6 for a move from `source`.
bool HintFits(const ParsedMove& m, int source) {
    if (!m.HasHint) return true;
    if (static_cast<unsigned char>(m.Hint) > '9') return m.Hint == static_cast<char>('a' + source % 10 - 1);
    return m.Hint == static_cast<char>('0' + source / 10 - 1);
}

bool PromotionFits(const ParsedMove& m, const MoveRecord& r) {
    return !m.HasPromotion || (r.Promotion >= 0 && r.Promotion <= King && m.Promotion == PieceLetter[At(r.Promotion)]);
}

// E.6 as written: the first move of the generated list that fits.
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

// The fast matcher. It produces, in generation order, only the records of
// moves to the destination by pieces with the token's letter and from-hint,
// and tests legality for those alone: the first legal one that fits is the
// move the literal matcher finds in the full list.
class FastMatcher {
public:
    FastMatcher(Position& pos, const ParsedMove& m, int dest) : pos_(pos), m_(m), dest_(dest) {}

    // The first legal move that fits, made (see Try); false when none fits.
    bool Find(MoveRecord& found) {
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

private:
    static int TypeOfLetter(char letter) {
        for (int t = Pawn; t <= King; ++t)
            if (PieceLetter[At(t)] == letter) return t;
        return 0;
    }

    // Tries one record: promotion letter, then legality as the generator
    // tests it (make, look at the mover's king). A legal move stays made, in
    // slot 0 at depth 1, as InputMove would leave it; an illegal one is taken back.
    bool Try(const MoveRecord& r, MoveRecord& found) {
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

    static MoveRecord Record(int source, int dest, int captured, int promotion = 0, int castle = 0, int ep = 0) {
        return MoveRecord{static_cast<std::int16_t>(source),
                          static_cast<std::int16_t>(dest),
                          static_cast<std::int16_t>(captured),
                          static_cast<std::int16_t>(promotion),
                          static_cast<std::int16_t>(castle),
                          static_cast<std::int16_t>(ep),
                          0};
    }

    // Queen, knight, bishop, rook: the order the generator registers them.
    bool Promotions(int source, int captured, MoveRecord& found) {
        for (int promo = PromoHigh; promo >= PromoLow; --promo)
            if (Try(Record(source, dest_, captured, promo), found)) return true;
        return false;
    }

    bool PawnMoves(int s, int side, int target, MoveRecord& found) {
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

    bool EnPassant(int side, MoveRecord& found) {
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

    bool Castling(int side, MoveRecord& found) {
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

public:
    // The piece letter of the move found, read before it was made.
    char MovingLetter() const { return movingLetter_; }
    // Passes over the first n legal moves that fit: Find then gives the next.
    void SkipFits(int n) { skip_ = n; }

private:
    Position& pos_;
    const ParsedMove& m_;
    int dest_;
    char movingLetter_ = ' ';
    int skip_ = 0;
};

// Whether the side to move has a legal move, asked with an early exit: the
// first steps of the pieces and the pawns' single pushes and captures are
// made and tested one by one until one is legal; only when none is does the
// full list decide. Leaves the tree at depth 0.
bool AnyLegalMove(Position& pos) {
    pos.InitGameTree();
    const int side = pos.SideToMove;
    auto legal = [&pos](int source, int dest, int target, int promotion) {
        const int captured = target < 0 ? -target : target;
        pos.MoveList[0] = MoveRecord{static_cast<std::int16_t>(source),
                                     static_cast<std::int16_t>(dest),
                                     static_cast<std::int16_t>(captured),
                                     static_cast<std::int16_t>(promotion),
                                     0,
                                     0,
                                     0};
        pos.PerformMove(0);
        const int attacked = pos.SideToMove == 1 ? pos.IsAttacked(pos.BlackKing, 1) : pos.IsAttacked(pos.WhiteKing, -1);
        pos.TakeBackMove(0);
        return attacked == 0;
    };
    // An enemy piece other than the king, or (quiet) an empty square.
    auto takes = [side](int target) {
        return target != BorderValue && target * side < 0 && target != King && target != -King;
    };
    for (int s = 21; s <= 98; ++s) {
        const int v = pos.Board[At(s)];
        if (v == BorderValue || v * side <= 0) continue;
        if (v == Pawn * side) {
            const int ahead = 10 * side;
            const int promotion = (side == 1 ? s > 80 : s <= 38) ? Queen : 0;
            if (pos.Board[At(s + ahead)] == 0 && legal(s, s + ahead, 0, promotion)) return true;
            for (const int to : {s + ahead + 1, s + ahead - 1})
                if (takes(pos.Board[At(to)]) && legal(s, to, pos.Board[At(to)], promotion)) return true;
            continue;
        }
        const PieceMove& pm = PieceMoves[At(v < 0 ? -v : v)];
        for (int k = pm.FirstDir; k <= pm.LastDir; ++k) {
            const int to = s + Directions[At(k)];
            const int target = pos.Board[At(to)];
            if ((target == 0 || takes(target)) && legal(s, to, target, 0)) return true;
        }
    }
    pos.GenerateMoves(1);
    return pos.CurrentMoveCount() > 0;
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

// The record text of a move the fast path played, built in place: the same
// characters DisplayText and RecordTextOf give (tests compare the two).
void FastRecordText(std::string& text, char movingLetter, std::string_view coordinate, std::string_view captureChar,
                    bool capture, int promotion) {
    char buffer[64];
    std::size_t n = 0;
    auto put = [&](char c) {
        if (n < sizeof buffer) buffer[n++] = c;
    };
    put(movingLetter);
    for (const char c : coordinate) put(LowerChar(c));
    put(' ');
    put(movingLetter);
    put(LowerChar(coordinate[0]));
    put(LowerChar(coordinate[1]));
    if (capture) {
        for (const char c : captureChar) put(LowerChar(c));
    } else {
        put('-');
    }
    put(LowerChar(coordinate[2]));
    put(LowerChar(coordinate[3]));
    if (promotion > 0 && promotion <= King) put(PieceLetter[At(promotion)]);
    if (n < sizeof buffer) {
        text.assign(buffer, n);
    } else {  // a capture sign longer than any the program sets
        text = RecordTextOf(movingLetter, coordinate,
                            DisplayText(movingLetter, coordinate, captureChar, capture, promotion));
    }
}

// F.4 to F.6 for the move InputMove (or the fast path) has just played.
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
    char buffer[8];
    std::size_t n = 0;
    buffer[n++] = movingLetter;
    buffer[n++] = static_cast<char>('a' + r.Source % 10 - 1);
    buffer[n++] = static_cast<char>('0' + r.Source / 10 - 1);
    buffer[n++] = r.Captured != 0 ? in.CaptureChar[0] : '-';
    buffer[n++] = static_cast<char>('a' + r.Dest % 10 - 1);
    buffer[n++] = static_cast<char>('0' + r.Dest / 10 - 1);
    if (r.Promotion != 0 && r.Promotion <= King) buffer[n++] = PieceLetter[At(r.Promotion)];
    in.MoveText.assign(buffer, n);
}

// F.1 to F.6: InputMove and the record, without the game-end test.
PlayOutcome PlayText(Position& pos, GameRecord& record, MoveInput& input, std::string_view coordinateText) {
    if (pos.CurrentPly >= MaxPlies) return PlayOutcome::RecordFull;
    const int from = SquareNumber(coordinateText);
    if (from == 0) return PlayOutcome::Illegal;
    const char movingLetter = PieceLetterOf(pos.Board[At(from)]);
    if (InputMove(pos, input, coordinateText) == 0) return PlayOutcome::Illegal;
    RecordPly(pos, record, input, movingLetter, coordinateText, false);
    return PlayOutcome::Played;
}

class MovetextReader {
public:
    MovetextReader(const GameText& game, Position& pos, GameRecord& record, MoveInput& input,
                   const ReplayOptions& options, ReplayInfo& info)
        : game_(game), pos_(pos), record_(record), input_(input), options_(options), info_(info), text_(game.Movetext) {
        text_ += ' ';
        Skip();
    }

    // D: the token loop, to the end of the movetext or the first failure.
    void Run() {
        for (;;) {
            const bool more = black_ ? BlackState() : WhiteState();
            if (!more) break;
        }
        if (info_.Error) return;
        if (!buffer_.empty()) StoreBuffer();
    }

private:
    bool Starts(std::string_view s) const {
        return at_ < text_.size() && text_[at_] == s[0] && text_.compare(at_, s.size(), s) == 0;
    }
    bool AtEnd() const { return at_ >= text_.size(); }
    void Skip() {
        while (at_ < text_.size() && text_[at_] == ' ') ++at_;
    }
    // Removes n characters from the front, then the blanks that follow.
    void Take(std::size_t n) {
        at_ += n;
        Skip();
    }
    // The next word (up to the next blank) and where it starts; false at the end.
    bool Word(std::string_view& word, std::size_t& where) const {
        const std::size_t sp = text_.find(' ', at_);
        if (sp == None) return false;
        word = std::string_view(text_).substr(at_, sp - at_);
        where = at_;
        return true;
    }

    bool Fail(ReadErrorKind kind, std::size_t offset, std::string token = {}, std::string text = LoadErrorText) {
        const MovetextLine place = game_.Movetext.empty() ? MovetextLine{offset, 0, 0}
                                                          : game_.Locate(std::min(offset, game_.Movetext.size() - 1));
        ReadError& e = info_.Error;
        e.Kind = kind;
        e.Line = place.Line;
        e.Column = place.Column;
        e.Game = game_.Game;
        e.Ply = pos_.CurrentPly + 1;
        e.Token = std::move(token);
        e.Text = std::move(text);
        return false;
    }

    // Comment: "{" to the first "}".
    bool Comment() {
        const std::size_t close = text_.find('}', at_);
        if (close == None) return Fail(ReadErrorKind::UnclosedComment, at_);
        std::size_t begin = at_ + 1;
        while (begin < close && text_[begin] == ' ') ++begin;
        buffer_.append(text_, begin, close - begin);
        buffer_ += CrLf;
        Take(close + 1 - at_);
        record_.HasComments = 1;
        return true;
    }

    // Variation: "(" to its matching ")", kept as text with glyphs replaced.
    // A comment inside is skipped whole, so its parentheses do not count.
    bool Variation() {
        int depth = 1;
        std::size_t i = at_ + 1;
        for (; i < text_.size(); ++i) {
            const char c = text_[i];
            if (c == '{') {
                const std::size_t close = text_.find('}', i);
                if (close == None) return Fail(ReadErrorKind::UnclosedComment, i);
                i = close;
            } else if (c == '(') {
                ++depth;
            } else if (c == ')' && --depth == 0) {
                break;
            }
        }
        if (i >= text_.size()) return Fail(ReadErrorKind::UnclosedVariation, at_);

        // Each "$n" up to the next blank becomes the glyph's text and a blank;
        // the blank that ended the number stays too.
        std::string v;
        std::size_t k = at_ + 1;
        while (k < i) {
            const std::size_t j = text_.find('$', k);
            if (j == None || j >= i) {
                v.append(text_, k, i - k);
                break;
            }
            v.append(text_, k, j - k);
            std::size_t sp = text_.find(' ', j);
            if (sp == None || sp > i) sp = i;
            int n = 0;
            if (!GlyphNumber(std::string_view(text_).substr(j + 1, sp - j - 1), n))
                return Fail(ReadErrorKind::GlyphOutOfRange, j);
            v += NagText(n);
            v += ' ';
            k = sp;
        }
        const std::size_t first = v.find_first_not_of(' ');
        if (first != None) buffer_.append(v, first);
        buffer_ += CrLf;
        Take(i + 1 - at_);
        record_.HasComments = 1;
        return true;
    }

    // Glyph: "$n" up to the first blank.
    bool Glyph() {
        const std::size_t sp = text_.find(' ', at_);  // the movetext ends in a blank
        int n = 0;
        if (!GlyphNumber(std::string_view(text_).substr(at_ + 1, sp - at_ - 1), n))
            return Fail(ReadErrorKind::GlyphOutOfRange, at_);
        Take(sp + 1 - at_);
        buffer_ += NagText(n);
        buffer_ += CrLf;
        record_.HasComments = 1;
        return true;
    }

    // What may stand between moves: "*", results, glyphs, comments (in
    // Black's turn each followed by an optional "Z0") and variations, in any
    // order and number.
    bool SkipAnnotations(bool blackTurn) {
        while (!AtEnd()) {
            const char c = text_[at_];
            if (c == '*') {
                Take(1);
            } else if (c == '$') {
                if (!Glyph()) return false;
            } else if (Starts("1/2-1/2")) {
                Take(7);
            } else if (Starts("1-0") || Starts("0-1")) {
                Take(3);
            } else if (c == '{') {
                if (!Comment()) return false;
                if (blackTurn && Starts("Z0")) Take(2);
            } else if (c == '(') {
                if (!Variation()) return false;
            } else {
                break;
            }
        }
        return true;
    }

    static bool AllDots(std::string_view w) { return w.size() >= 2 && w.find_first_not_of('.') == None; }
    // "12." or "12...": digits, then dots only.
    static bool MoveNumber(std::string_view w) {
        const std::size_t digits = w.find_first_not_of("0123456789");
        return digits != None && digits > 0 && w.find_first_not_of('.', digits) == None;
    }

    bool WhiteState() {
        buffer_.clear();
        if (!SkipAnnotations(false)) return false;
        // A move number, with or without a blank after its dot.
        const std::size_t sp = text_.find(' ', at_);
        if (sp == None) return false;
        const std::size_t dot = std::string_view(text_).substr(at_, sp - at_).find('.');
        if (dot != None) {
            Take(dot + 1);
            if (!SkipAnnotations(false)) return false;
        }
        std::string_view token;
        std::size_t where = 0;
        if (!Word(token, where)) return false;
        Take(token.size() + 1);
        black_ = true;
        // "1... e5": the dots left of Black's move number stand alone.
        bool blackNumber = false;
        if (AllDots(token)) {
            if (!Word(token, where)) return false;
            Take(token.size() + 1);
            blackNumber = true;
        }
        if (Starts("$") && !Glyph()) return false;
        return HandleMove(token, where, blackNumber);
    }

    bool BlackState() {
        buffer_.clear();
        if (Starts("*")) Take(1);
        if (Starts("Z0")) Take(2);
        if (!SkipAnnotations(true)) return false;
        std::string_view token;
        std::size_t where = 0;
        if (!Word(token, where)) return false;
        black_ = false;
        if (token.size() >= 3 && token.substr(token.size() - 3) == "...") {
            // "12... Qd8": Black's move number.
            Take(token.size() + 1);
            if (!Word(token, where)) return false;
        } else if (MoveNumber(token)) {
            // "12. ... Qd8": the number, then its dots standing alone.
            std::string_view dots;
            std::size_t dotsAt = 0;
            const std::size_t numberLength = token.size();
            Take(numberLength + 1);
            if (Word(dots, dotsAt) && AllDots(dots)) {
                Take(dots.size() + 1);
                if (!Word(token, where)) return false;
            } else {
                at_ = where;  // not a Black move number: the word is the move token
            }
        } else if (const std::size_t number = token.find("..."); number != None && number > 0 &&
                                                                 MoveNumber(token.substr(0, number + 3)) &&
                                                                 number + 3 < token.size()) {
            // "12...Qd8": the number joined to the move.
            Take(number + 3);
            if (!Word(token, where)) return false;
        }
        if (Starts("$")) {
            if (!Glyph()) return false;
            if (!Word(token, where)) return false;
        }
        Take(token.size() + 1);
        return HandleMove(token, where, false);
    }

    void StoreBuffer() { record_.Comments[At(pos_.CurrentPly)] = buffer_.substr(0, buffer_.size() - CrLf.size()); }

    // E and F: one move token.
    bool HandleMove(std::string_view token, std::size_t where, bool blackNumber) {
        if (!buffer_.empty()) StoreBuffer();

        std::string_view t = WithoutMarks(token);
        const bool dots = t.size() >= 2 && t[0] == '.' && t[1] == '.';
        if (dots) t.remove_prefix(2);
        if ((dots || blackNumber) && info_.FenSideToMove == -1) black_ = false;

        const ParsedMove m = ParseToken(t, pos_.SideToMove);
        const int dest = m.Dest.size() == 2 ? SquareNumber(std::string{UpperChar(m.Dest[0]), m.Dest[1]}) : 0;

        std::string coordinate;
        PlayOutcome outcome;
        if (options_.Matcher == MoveMatcher::Literal) {
            const int slot = dest == 0 ? -1 : LiteralMatch(pos_, dest, m);
            coordinate = slot >= 0 ? Coordinate(pos_.MoveList[At(slot)].Source, m) : FallbackText(t);
            outcome = PlayText(pos_, record_, input_, coordinate);
            if (outcome == PlayOutcome::Played) info_.GameOver = pos_.TestGameEnd() != GameEnd::None ? 1 : 0;
        } else {
            MoveRecord found;
            FastMatcher matcher(pos_, m, dest);
            if (pos_.CurrentPly >= MaxPlies) {
                outcome = PlayOutcome::RecordFull;
            } else if (dest != 0 && matcher.Find(found)) {
                coordinate = Coordinate(found.Source, m);
                outcome = RecordFound(found, coordinate, matcher.MovingLetter());
            } else {
                coordinate = FallbackText(t);
                outcome = PlayText(pos_, record_, input_, coordinate);
            }
            // The fold the game-end test makes: the position becomes the root.
            if (outcome == PlayOutcome::Played) pos_.InitGameTree();
        }

        if (outcome == PlayOutcome::RecordFull) return Fail(ReadErrorKind::RecordFull, where, std::string(token));
        if (outcome == PlayOutcome::Illegal)
            return Fail(ReadErrorKind::IllegalMove, where, std::string(token), coordinate + ": Illegal move!");
        info_.GameHasMoves = 1;
        if (options_.AfterPly) options_.AfterPly(pos_, record_, pos_.CurrentPly);
        return true;
    }

    // The coordinate text of a matched move: its from-square, the token's
    // destination and promotion letter, upper case.
    static std::string Coordinate(int source, const ParsedMove& m) {
        std::string text(4, ' ');
        text[0] = static_cast<char>('A' + source % 10 - 1);
        text[1] = static_cast<char>('0' + source / 10 - 1);
        text[2] = UpperChar(m.Dest[0]);
        text[3] = m.Dest[1];
        if (m.HasPromotion) text += m.Promotion;
        return text;
    }

    // What InputMove would do with the coordinate text of the move the fast
    // matcher found and made: keep it, or, for a promotion written without
    // its letter, refuse it.
    PlayOutcome RecordFound(const MoveRecord& r, std::string_view coordinate, char movingLetter) {
        input_.LastWasCapture = 0;
        input_.LastWasPromotion = 0;
        if (r.Promotion != 0 && r.Promotion != WantedPromotion(coordinate)) {
            pos_.TakeBackMove(0);
            return PlayOutcome::Illegal;
        }
        if (r.Captured != 0) input_.LastWasCapture = 1;
        if (r.Promotion > 0) input_.LastWasPromotion = 1;
        FastMoveText(pos_, input_, r, movingLetter);
        input_.LastMoveSlot = 0;
        RecordPly(pos_, record_, input_, movingLetter, coordinate, true);
        return PlayOutcome::Played;
    }

    const GameText& game_;
    Position& pos_;
    GameRecord& record_;
    MoveInput& input_;
    const ReplayOptions& options_;
    ReplayInfo& info_;
    std::string text_;  // the movetext and one blank
    std::size_t at_ = 0;
    std::string buffer_;  // the comment of the next ply, pieces ended by CR LF
    bool black_ = false;  // Black state: the next word is the reply move
};

}  // namespace

ReplayInfo ReplayGame(const GameText& game, Position& pos, GameRecord& record, MoveInput& input,
                      const ReplayOptions& options) {
    ReplayInfo info;

    // A: the engine half of the game reset, and the record's.
    pos.BlackStarts = 0;
    pos.LoadStandardPosition();
    pos.ResetTree();
    const std::string whiteName = record.WhiteName, blackName = record.BlackName;
    record.Reset(whiteName);
    record.BlackName = blackName;
    record.HasComments = 0;

    // B: the FEN of a set-up game.
    if (game.Tags.SetupTag == "1") {
        FenInfo fen;
        const ReadError fault = pos.ReadFen(game.Tags.FenTag, &fen);
        if (fault) {
            ReadError& e = info.Error;
            e.Kind = ReadErrorKind::BadFen;
            e.Game = game.Game;
            e.Ply = 1;
            e.Text = LoadErrorText;
            e.Field = fault.Field;
            e.Detail = std::string(ReadErrorKindText(fault.Kind)) + " (field " + std::to_string(fault.Field) +
                       ", character " + std::to_string(fault.Column) + ") in \"" + game.Tags.FenTag + "\"";
            pos.GenerateMoves(1);
            return info;
        }
        pos.BlackStarts = 0;  // the side to move comes from the FEN alone
        // The FEN's en passant target belongs to the start position: stepping
        // back to it, and saving the game, keep it.
        record.PlayedEp[0] = pos.EpTarget[0];
        info.FenRead = true;
        info.FenSideToMove = fen.FenSideToMove;
        info.FenMoveNumber = fen.FenMoveNumber;
    }

    // C, D: the replay.
    const bool literal = options.Matcher == MoveMatcher::Literal;
    if (literal) pos.GenerateMoves(1);
    MovetextReader reader(game, pos, record, input, options, info);
    reader.Run();

    // The fast path leaves what the literal one leaves: the game-end test of
    // the final position and its legal moves at depth 0; or, when the caller
    // has no use for that list, only the answer whether any move is legal.
    if (!literal) {
        if (!options.FinalMoveList) {
            if (info.GameHasMoves != 0) info.GameOver = AnyLegalMove(pos) ? 0 : 1;
        } else if (info.GameHasMoves != 0) {
            info.GameOver = pos.TestGameEnd() != GameEnd::None ? 1 : 0;
        } else {
            pos.GenerateMoves(1);
        }
    }
    return info;
}

int GamePlyNumber(const ReplayInfo& info, int ply) {
    return NumberingPly(ply, info.FenRead ? "1" : "", info.FenMoveNumber, info.FenSideToMove);
}

std::string_view RecordedDisplayText(const GameRecord& record, int ply) {
    const std::string& text = record.RecordText(ply);
    const std::size_t blank = text.find(' ', 1);
    return blank == None ? std::string_view() : std::string_view(text).substr(blank + 1);
}

SanMatch MatchSanMove(Position& pos, std::string_view token, MoveRecord& found) {
    const ParsedMove m = ParseToken(WithoutMarks(token), pos.SideToMove);
    const int dest = m.Dest.size() == 2 ? SquareNumber(std::string{UpperChar(m.Dest[0]), m.Dest[1]}) : 0;
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

PlayOutcome PlayAndRecord(Position& pos, GameRecord& record, MoveInput& input, std::string_view coordinateText) {
    const PlayOutcome outcome = PlayText(pos, record, input, coordinateText);
    if (outcome == PlayOutcome::Played) pos.TestGameEnd();
    return outcome;
}

}  // namespace orvane::pgn
