#include "book/book.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <limits>
#include <system_error>
#include <utility>

#include "engine/position.h"

namespace orvane {

namespace {

constexpr std::string_view BookHeader = "ORVANE Version=";

inline std::size_t At(int i) { return static_cast<std::size_t>(i); }

// Up to count characters from the 0-based start, fewer (or none) where the
// text ends first.
std::string_view Mid(std::string_view text, std::size_t start, std::size_t count) {
    if (start >= text.size()) return {};
    return text.substr(start, count);
}

// Reads the line that starts at pos and moves pos past its end. A line ends
// at CR LF, at a lone CR or at a lone LF; a line end at the very end of the
// text does not begin another line. False when the text is used up.
bool NextLine(std::string_view text, std::size_t& pos, std::string_view& line) {
    if (pos >= text.size()) return false;
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    line = text.substr(pos, end - pos);
    if (end == text.size()) {
        pos = end;
        return true;
    }
    pos = end + 1;
    if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
    return true;
}

// Moves of a game key or book line are the 4-character slices at columns 1,
// 6, 11, ...; only they are compared, not what lies between them.
constexpr std::size_t MoveColumns = 5;

// How many moves the game key has: one per slice that starts inside it.
std::size_t KeyMoves(std::string_view gameKey) { return (gameKey.size() + MoveColumns - 1) / MoveColumns; }

// Counts the leading moves of the game key that the expanded line holds at
// the same columns, going on from move `from` (the ones before it are known
// to agree).
std::size_t MovesInCommon(std::string_view expanded, std::string_view gameKey, std::size_t from) {
    std::size_t move = from;
    for (std::size_t p = from * MoveColumns; p < gameKey.size(); p += MoveColumns, ++move) {
        if (Mid(expanded, p, 4) != gameKey.substr(p, 4)) break;
    }
    return move;
}

// Leading moves two expanded lines share; a move missing from both ends the count.
std::size_t SharedMoves(std::string_view a, std::string_view b) {
    std::size_t move = 0;
    for (std::size_t p = 0; p < a.size() && p < b.size(); p += MoveColumns, ++move) {
        if (Mid(a, p, 4) != Mid(b, p, 4)) break;
    }
    return move;
}

std::uint32_t Narrow(std::size_t value) { return static_cast<std::uint32_t>(value); }

}  // namespace

OpeningBook::OpeningBook(std::filesystem::path path) : path_(std::move(path)) {}

void OpeningBook::SetPath(std::filesystem::path path) {
    path_ = std::move(path);
    loaded_ = false;
}

const std::filesystem::path& OpeningBook::Path() const { return path_; }

std::string_view OpeningBook::RawLine(const Span& span) const {
    return std::string_view(book_.Text).substr(span.Offset, span.Length);
}

std::string_view OpeningBook::ExpandedLine(const Span& span) const {
    return std::string_view(book_.ExpandedText).substr(span.Offset, span.Length);
}

OpeningBook::CacheState OpeningBook::Refresh() {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path_, ec);
    if (ec) {
        loaded_ = false;
        return CacheState::Missing;
    }
    const std::filesystem::file_time_type time = std::filesystem::last_write_time(path_, ec);
    if (ec) {
        loaded_ = false;
        return CacheState::Missing;
    }
    if (loaded_ && size == loadedSize_ && time == loadedTime_) return CacheState::Loaded;

    loaded_ = false;
    if (!Load()) return CacheState::Unreadable;
    loaded_ = true;
    loadedSize_ = size;
    loadedTime_ = time;
    return CacheState::Loaded;
}

// Reads the file and takes it apart into what every lookup needs: the header,
// the version, and the moves and names sections.
bool OpeningBook::Load() {
    book_ = ParsedBook{};
    std::string text;
    {
        std::ifstream in(path_, std::ios::binary);
        if (!in) return false;
        char buffer[1 << 16];
        while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
            text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (in.bad()) return false;
    }
    // Spans are 32-bit; a book never comes near that size.
    if (text.size() > std::numeric_limits<std::uint32_t>::max()) return false;

    ParsedBook parsed;
    parsed.IsBook = text.size() >= BookHeader.size() && text.compare(0, BookHeader.size(), BookHeader) == 0;
    if (!parsed.IsBook) {
        book_ = std::move(parsed);
        return true;
    }

    const std::string_view all(text);
    std::size_t pos = 0;
    std::string_view line;
    NextLine(all, pos, line);
    parsed.Version = static_cast<float>(LeadingNumber(line.substr(BookHeader.size())));

    while (NextLine(all, pos, line)) {
        if (line == "start") {
            parsed.HasStart = true;
            break;
        }
    }

    if (parsed.HasStart) {
        // A line whose first non-blank character stands in column q repeats
        // the first q - 1 columns of the previous expanded line (padded with
        // blanks where that line is shorter). A line of blanks only repeats
        // as many columns as it has blanks.
        std::string previous;
        std::string expanded;
        while (NextLine(all, pos, line)) {
            if (line == "names") {
                parsed.HasNames = true;
                break;
            }
            if (line == "end") break;
            std::size_t indent = line.find_first_not_of(' ');
            if (indent == std::string_view::npos) indent = line.size();
            expanded.assign(previous, 0, indent);
            expanded.resize(indent, ' ');
            expanded.append(line.substr(indent));

            MovesLine entry;
            entry.Raw = {Narrow(static_cast<std::size_t>(line.data() - all.data())), Narrow(line.size())};
            entry.Expanded = {Narrow(parsed.ExpandedText.size()), Narrow(expanded.size())};
            entry.SharedMoves = parsed.Moves.empty() ? 0 : Narrow(SharedMoves(expanded, previous));
            parsed.ExpandedText += expanded;
            parsed.Moves.push_back(entry);
            previous.swap(expanded);
        }
    }

    if (parsed.HasNames) {
        while (NextLine(all, pos, line)) {
            if (line == "end") break;
            const std::size_t tilde = line.find('~');
            if (tilde == std::string_view::npos) {
                // Every lookup stops here, so nothing after it matters.
                parsed.NamesBroken = true;
                break;
            }
            NamesLine entry;
            entry.Raw = {Narrow(static_cast<std::size_t>(line.data() - all.data())), Narrow(line.size())};
            entry.Tilde = Narrow(tilde);
            parsed.Names.push_back(entry);
        }
    }

    parsed.Text = std::move(text);
    book_ = std::move(parsed);
    return true;
}

BookResult OpeningBook::LookUp(std::string_view gameKey, std::string_view startPosition,
                               std::string_view programVersion) {
    BookResult result;
    switch (Refresh()) {
    case CacheState::Missing: result.Status = BookStatus::Missing; return result;
    case CacheState::Unreadable: result.Status = BookStatus::Aborted; return result;
    case CacheState::Loaded: break;
    }

    if (!book_.IsBook) {
        result.Status = BookStatus::NotABook;
        return result;
    }
    if (book_.Version != static_cast<float>(LeadingNumber(programVersion))) {
        result.Status = BookStatus::WrongVersion;
        return result;
    }
    if (startPosition != StandardPositionString) {
        result.Status = BookStatus::NotStandardStart;
        return result;
    }
    result.Status = BookStatus::Completed;
    if (!book_.HasStart) return result;

    // Moves section. At the start of the game every line contributes its
    // first move; later, every line that begins with the game's moves
    // contributes the move after them, cut from the line as read (an
    // indented line keeps its columns, so the cut lands on the same move).
    int count = 0;
    auto store = [&](std::string_view move) {
        if (count == BookMoveSlots) return false;
        result.BookMoves[At(count++)] = move;
        return true;
    };
    if (gameKey.empty()) {
        for (const MovesLine& line : book_.Moves) {
            if (!store(Mid(RawLine(line.Raw), 0, 4))) {
                result.Status = BookStatus::Aborted;
                return result;
            }
        }
    } else {
        // Neighbouring lines share their openings, so most lines are decided
        // by what they share with the line before: `matched` is how many
        // leading moves of the game the previous line holds. Sharing fewer
        // moves than that with it means holding just the shared ones; sharing
        // more means failing where the previous line failed. Only a line that
        // branches off where the previous one stopped matching is compared.
        const std::size_t gameMoves = KeyMoves(gameKey);
        std::size_t matched = 0;
        for (const MovesLine& line : book_.Moves) {
            if (line.SharedMoves < matched)
                matched = line.SharedMoves;
            else if (line.SharedMoves == matched && matched < gameMoves)
                matched = MovesInCommon(ExpandedLine(line.Expanded), gameKey, matched);
            if (matched < gameMoves) continue;

            result.InBook = 1;
            if (!store(Mid(RawLine(line.Raw), gameKey.size() + 1, 4))) {
                result.Status = BookStatus::Aborted;
                return result;
            }
        }
    }

    // Names section: the last line whose moves begin the game names it.
    if (book_.HasNames) {
        for (const NamesLine& line : book_.Names) {
            const std::string_view raw = RawLine(line.Raw);
            if (!gameKey.starts_with(raw.substr(0, line.Tilde))) continue;
            // Between the first "~" and the line's last character.
            const std::size_t nameStart = std::size_t{line.Tilde} + 1;
            result.OpeningName = nameStart < raw.size() ? raw.substr(nameStart, raw.size() - nameStart - 1)
                                                        : std::string_view{};
        }
        if (book_.NamesBroken) result.Status = BookStatus::Aborted;
    }
    return result;
}

std::string BookNotABookText(std::string_view fileName) {
    std::string text(fileName);
    text += " is not an Orvane Book file";
    return text;
}

std::string BookWrongVersionText(std::string_view fileName, std::string_view programVersion) {
    std::string text = "Incorrect version of ";
    text += fileName;
    text += "\r\nNeed version ";
    text += programVersion;
    return text;
}

double LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const std::size_t wholeStart = i;
    while (i < text.size() && isDigit(text[i])) ++i;
    const std::string_view whole = text.substr(wholeStart, i - wholeStart);
    std::string_view fraction;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fractionStart = ++i;
        while (i < text.size() && isDigit(text[i])) ++i;
        fraction = text.substr(fractionStart, i - fractionStart);
    }
    if (whole.empty() && fraction.empty()) return 0.0;

    // from_chars ignores the locale, unlike strtod; give it "digits.digits".
    std::string number(whole.empty() ? std::string_view("0") : whole);
    number += '.';
    number += fraction.empty() ? std::string_view("0") : fraction;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value,
                                           std::chars_format::fixed);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        const bool large = whole.find_first_not_of('0') != std::string_view::npos;
        value = large ? HUGE_VAL : 0.0;
    }
    return negative ? -value : value;
}

}  // namespace orvane
