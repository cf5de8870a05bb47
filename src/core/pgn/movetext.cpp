// The movetext is consumed from the left. Each state of the token loop takes
// what may stand before a move (results, comments, variations, glyphs, a move
// number), then the move token, which is parsed into a destination, a piece
// letter, a from-hint and a promotion letter, matched to a legal move, played
// and recorded.
#include "pgn/movetext.h"

#include <algorithm>
#include <cmath>

#include "common/encoding.h"
#include "common/index.h"
#include "pgn/nag.h"
#include "pgn/san.h"
#include "record/play.h"

namespace orvane::pgn {

namespace {

constexpr std::string_view CrLf = "\r\n";
constexpr std::size_t None = std::string_view::npos;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Where c first stands in a word, None when nowhere. Words are short: a
// plain loop beats a library search here.
std::size_t FindIn(std::string_view word, char c) {
    for (std::size_t i = 0; i < word.size(); ++i)
        if (word[i] == c) return i;
    return None;
}

// Where "..." first stands in a word, None when nowhere.
std::size_t FindThreeDots(std::string_view word) {
    for (std::size_t i = 0; i + 3 <= word.size(); ++i)
        if (word[i] == '.' && word[i + 1] == '.' && word[i + 2] == '.') return i;
    return None;
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

class MovetextReader {
public:
    MovetextReader(const GameText& game, Position& pos, GameRecord& record, MoveInput& input,
                   const ReplayOptions& options, ReplayInfo& info)
        : game_(game), pos_(pos), record_(record), input_(input), options_(options), info_(info), text_(game.Movetext) {
        text_ += ' ';
        Skip();
    }

    // The token loop, to the end of the movetext or the first failure.
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
        if (at_ >= text_.size() || text_.size() - at_ < s.size()) return false;
        for (std::size_t i = 0; i < s.size(); ++i)
            if (text_[at_ + i] != s[i]) return false;
        return true;
    }
    bool AtEnd() const { return at_ >= text_.size(); }
    // The first blank at or after from, None when there is none. Words are
    // short: a plain loop beats a library search here.
    std::size_t Blank(std::size_t from) const {
        const std::size_t size = text_.size();
        for (std::size_t i = from; i < size; ++i)
            if (text_[i] == ' ') return i;
        return None;
    }
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
        const std::size_t sp = Blank(at_);
        if (sp == None) return false;
        word = std::string_view(text_).substr(at_, sp - at_);
        where = at_;
        return true;
    }

    bool Fail(ReadErrorKind kind, std::size_t offset, std::string token = {}, std::string text = {}) {
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
        buffer_ += DecodeText(std::string_view(text_).substr(begin, close - begin));
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
        if (first != None) buffer_ += DecodeText(std::string_view(v).substr(first));
        buffer_ += CrLf;
        Take(i + 1 - at_);
        record_.HasComments = 1;
        return true;
    }

    // Glyph: "$n" up to the first blank.
    bool Glyph() {
        const std::size_t sp = Blank(at_);  // the movetext ends in a blank
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
        // Each kind is told by its first character.
        while (!AtEnd()) {
            switch (text_[at_]) {
            case '*': Take(1); break;
            case '$':
                if (!Glyph()) return false;
                break;
            case '1':
                if (Starts("1/2-1/2")) {
                    Take(7);
                } else if (Starts("1-0")) {
                    Take(3);
                } else {
                    return true;
                }
                break;
            case '0':
                if (!Starts("0-1")) return true;
                Take(3);
                break;
            case '{':
                if (!Comment()) return false;
                if (blackTurn && Starts("Z0")) Take(2);
                break;
            case '(':
                if (!Variation()) return false;
                break;
            default: return true;
            }
        }
        return true;
    }

    static bool AllDots(std::string_view w) {
        if (w.size() < 2) return false;
        for (const char c : w)
            if (c != '.') return false;
        return true;
    }
    // "12." or "12...": digits, then dots only.
    static bool MoveNumber(std::string_view w) {
        std::size_t digits = 0;
        while (digits < w.size() && IsDigit(w[digits])) ++digits;
        if (digits == 0 || digits == w.size()) return false;
        for (std::size_t i = digits; i < w.size(); ++i)
            if (w[i] != '.') return false;
        return true;
    }

    bool WhiteState() {
        buffer_.clear();
        if (!SkipAnnotations(false)) return false;
        // A move number, with or without a blank after its dot.
        const std::size_t sp = Blank(at_);
        if (sp == None) return false;
        const std::size_t dot = FindIn(std::string_view(text_).substr(at_, sp - at_), '.');
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
        } else if (const std::size_t number = FindThreeDots(token); number != None && number > 0 &&
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

    // One move token: the comment before it stored, the token parsed and
    // matched, the move played and recorded.
    bool HandleMove(std::string_view token, std::size_t where, bool blackNumber) {
        if (!buffer_.empty()) StoreBuffer();

        std::string_view t = WithoutMarks(token);
        const bool dots = t.size() >= 2 && t[0] == '.' && t[1] == '.';
        if (dots) t.remove_prefix(2);
        if ((dots || blackNumber) && info_.FenSideToMove == -1) black_ = false;

        const ParsedMove m = ParseToken(t, pos_.SideToMove);
        const int dest = DestinationSquare(m);

        std::string text;  // the coordinate text, unless the fast matcher found the move
        CoordinateChars foundChars;
        std::string_view coordinate;
        PlayOutcome outcome;
        if (options_.Matcher == MoveMatcher::Literal) {
            const int slot = dest == 0 ? -1 : LiteralMatch(pos_, dest, m);
            text = slot >= 0 ? CoordinateText(pos_.MoveList[At(slot)].Source, m) : FallbackText(t);
            coordinate = text;
            outcome = PlayText(pos_, record_, input_, coordinate);
            if (outcome == PlayOutcome::Played) info_.GameOver = pos_.TestGameEnd() != GameEnd::None ? 1 : 0;
        } else {
            MoveRecord found;
            FastMatcher matcher(pos_, m, dest, check_);
            check_ = KingCheck::Unknown;
            if (pos_.CurrentPly >= MaxPlies) {
                outcome = PlayOutcome::RecordFull;
            } else if (dest != 0 && matcher.Find(found)) {
                coordinate = CoordinateText(foundChars, found.Source, m);
                outcome = RecordMadeMove(pos_, record_, input_, found, coordinate, matcher.MovingLetter());
                // The game was legal up to the move: the check it gives
                // follows from the squares it changed.
                if (outcome == PlayOutcome::Played) check_ = pos_.CheckAfterMove(found);
            } else {
                text = FallbackText(t);
                coordinate = text;
                outcome = PlayText(pos_, record_, input_, coordinate);
            }
            // The fold the game-end test makes: the position becomes the root.
            if (outcome == PlayOutcome::Played) pos_.InitGameTree();
        }

        if (outcome == PlayOutcome::RecordFull) return Fail(ReadErrorKind::RecordFull, where, std::string(token));
        if (outcome == PlayOutcome::Illegal)
            return Fail(ReadErrorKind::IllegalMove, where, std::string(token),
                        std::string(coordinate) + ": Illegal move!");
        info_.GameHasMoves = 1;
        if (options_.AfterPly) options_.AfterPly(pos_, record_, pos_.CurrentPly);
        return true;
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
    // Whether the side to move stands in check, where the last move tells.
    KingCheck check_ = KingCheck::Unknown;
};

}  // namespace

void ReadMovetext(const GameText& game, Position& pos, GameRecord& record, MoveInput& input,
                  const ReplayOptions& options, ReplayInfo& info) {
    MovetextReader reader(game, pos, record, input, options, info);
    reader.Run();
}

}  // namespace orvane::pgn
