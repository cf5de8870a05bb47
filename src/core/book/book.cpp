#include "book/book.h"

#include <sys/stat.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>
#include <utility>

#include "common/index.h"
#include "common/linereader.h"
#include "common/textfile.h"
#include "engine/position.h"

namespace orvane {

namespace {

constexpr std::string_view BookHeader = "ORVANE Version=";

// Up to count characters from the 0-based start, fewer (or none) where the
// text ends first.
std::string_view Mid(std::string_view text, std::size_t start, std::size_t count) {
    if (start >= text.size()) return {};
    return text.substr(start, count);
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

// Stores a move `times` times over at the end of the list; false when the
// list overflows. Kept out of line: the loop over the book lines that calls
// it is the hot one, and it runs faster with its counters in registers.
[[gnu::noinline]] bool StoreMove(BookResult& result, int& count, std::string_view move, std::uint32_t times) {
    for (std::uint32_t i = 0; i < times; ++i) {
        if (count == BookMoveSlots) return false;
        result.BookMoves[At(count++)] = move;
    }
    return true;
}

}  // namespace

OpeningBook::OpeningBook(std::filesystem::path path) : path_(std::move(path)) {}

void OpeningBook::SetPath(std::filesystem::path path) {
    path_ = std::move(path);
    loaded_ = false;
}

const std::filesystem::path& OpeningBook::Path() const { return path_; }

std::string_view OpeningBook::RawLine(const Span& span) const {
    return std::string_view(book_.RawText).substr(span.Offset, span.Length);
}

std::string_view OpeningBook::ExpandedLine(const Span& span) const {
    return std::string_view(book_.ExpandedText).substr(span.Offset, span.Length);
}

OpeningBook::CacheState OpeningBook::Refresh() {
    // Size and modification time alone miss a book replaced by another of the
    // same size and time ("cp -p"): the file's identity and its change time,
    // which no copy can set, tell them apart.
    struct stat st {};
    if (::stat(path_.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        loaded_ = false;
        return CacheState::Missing;
    }
    auto wide = [](auto value) { return static_cast<std::int64_t>(value); };
    const FileIdentity identity{static_cast<std::uint64_t>(st.st_dev),
                                static_cast<std::uint64_t>(st.st_ino),
                                static_cast<std::uint64_t>(st.st_size),
                                wide(st.st_mtim.tv_sec),
                                wide(st.st_mtim.tv_nsec),
                                wide(st.st_ctim.tv_sec),
                                wide(st.st_ctim.tv_nsec)};
    if (loaded_ && identity == loadedIdentity_) return CacheState::Loaded;

    loaded_ = false;
    if (!Load()) return CacheState::Unreadable;
    loaded_ = true;
    loadedIdentity_ = identity;
    return CacheState::Loaded;
}

// Reads the file and takes it apart into what every lookup needs: the header,
// the version, and the moves and names sections. Reading stops where every
// lookup stops, and lines that cannot change a result are not kept.
bool OpeningBook::Load() {
    book_ = ParsedBook{};
    ReadError error;
    const FileHandle in = OpenRegularFile(path_, error);
    if (!in) return false;
    // Read in blocks: only the line at hand is held, never the whole file.
    LineReader reader(in.get(), 0, 0, std::size_t{1} << 16);

    ParsedBook parsed;
    std::string_view line;
    if (!reader.Next(line)) return !reader.Failed();
    parsed.IsBook = line.starts_with(BookHeader);
    if (!parsed.IsBook) {
        book_ = std::move(parsed);
        return !reader.Failed();
    }
    parsed.Version = static_cast<float>(LeadingNumber(line.substr(BookHeader.size())));

    for (;;) {
        reader.SkipEmptyLines();
        if (!reader.Next(line)) break;
        if (line == "start") {
            parsed.HasStart = true;
            parsed.StartLine = static_cast<std::uint64_t>(reader.LineNumber());
            break;
        }
    }

    // Spans are 32-bit; the kept text of a book never comes near that size.
    constexpr std::size_t SpanLimit = std::numeric_limits<std::uint32_t>::max();
    auto keep = [&](std::string_view raw) {
        const Span span{Narrow(parsed.RawText.size()), Narrow(raw.size())};
        parsed.RawText += raw;
        return span;
    };
    auto expandedOf = [&parsed](const MovesLine& entry) {
        return std::string_view(parsed.ExpandedText).substr(entry.Expanded.Offset, entry.Expanded.Length);
    };

    if (parsed.HasStart) {
        // A line whose first non-blank character stands in column q repeats
        // the first q - 1 columns of the previous expanded line (padded with
        // blanks where that line is shorter). A line of blanks only repeats
        // as many columns as it has blanks.
        std::string previous;  // the expanded line before this one
        std::string expanded;
        std::string lastKeptRaw;  // the raw line of the last run kept
        for (;;) {
            // Runs of empty lines, the bulk of a padded book, in one sweep.
            if (const std::uint64_t empty = reader.SkipEmptyLines(); empty > 0) {
                for (std::uint64_t i = 0; i < empty && parsed.FirstMoves.size() < std::size_t{BookMoveSlots}; ++i)
                    parsed.FirstMoves.emplace_back();
                parsed.MovesLines += empty;
                previous.clear();
            }
            if (!reader.Next(line)) break;
            if (line == "names") {
                parsed.HasNames = true;
                break;
            }
            if (line == "end") break;
            ++parsed.MovesLines;
            if (parsed.FirstMoves.size() < std::size_t{BookMoveSlots}) parsed.FirstMoves.emplace_back(Mid(line, 0, 4));
            if (line.empty()) {
                // Expands to nothing, so it follows no game; the next line
                // repeats nothing of what came before it.
                previous.clear();
                continue;
            }
            std::size_t indent = line.find_first_not_of(' ');
            if (indent == std::string_view::npos) indent = line.size();
            expanded.assign(previous, 0, indent);
            expanded.resize(indent, ' ');
            expanded.append(line.substr(indent));

            // Only lines in a row make a run, so that a run's lines are
            // numbered from its first.
            const std::uint64_t lineNumber = static_cast<std::uint64_t>(reader.LineNumber());
            if (!parsed.Moves.empty() && line == lastKeptRaw &&
                lineNumber == parsed.Moves.back().Line + parsed.Moves.back().Repeat &&
                expandedOf(parsed.Moves.back()) == std::string_view(expanded)) {
                std::uint32_t& repeat = parsed.Moves.back().Repeat;
                if (repeat < std::numeric_limits<std::uint32_t>::max()) ++repeat;
            } else {
                if (parsed.RawText.size() + line.size() > SpanLimit ||
                    parsed.ExpandedText.size() + expanded.size() > SpanLimit)
                    return false;
                MovesLine entry;
                entry.SharedMoves =
                    parsed.Moves.empty() ? 0 : Narrow(SharedMoves(expanded, expandedOf(parsed.Moves.back())));
                entry.Raw = keep(line);
                entry.Expanded = {Narrow(parsed.ExpandedText.size()), Narrow(expanded.size())};
                entry.Line = lineNumber;
                parsed.ExpandedText += expanded;
                parsed.Moves.push_back(entry);
                lastKeptRaw.assign(line);
            }
            previous.swap(expanded);
        }
    }

    if (parsed.HasNames) {
        std::string lastName;
        while (reader.Next(line)) {
            if (line == "end") break;
            const std::size_t tilde = line.find('~');
            if (tilde == std::string_view::npos) {
                // Every lookup stops here, so nothing after it matters.
                parsed.NamesBroken = true;
                parsed.NamesBrokenLine = static_cast<std::uint64_t>(reader.LineNumber());
                break;
            }
            // The last matching line names the opening: a line equal to the
            // one before it names nothing new.
            if (!parsed.Names.empty() && line == lastName) continue;
            if (parsed.RawText.size() + line.size() > SpanLimit) return false;
            NamesLine entry;
            entry.Raw = keep(line);
            entry.Tilde = Narrow(tilde);
            parsed.Names.push_back(entry);
            lastName.assign(line);
        }
    }

    if (reader.Failed()) return false;
    parsed.RawText.shrink_to_fit();
    parsed.ExpandedText.shrink_to_fit();
    parsed.Moves.shrink_to_fit();
    parsed.Names.shrink_to_fit();
    book_ = std::move(parsed);
    return true;
}

BookResult OpeningBook::LookUp(std::string_view gameKey, std::string_view startPosition,
                               std::string_view programVersion) {
    BookResult result;
    // Where a lookup stops on a fault: its kind and line.
    const auto stop = [&](BookStatus status, ReadErrorKind kind, std::uint64_t line) {
        result.Status = status;
        result.Error.Kind = kind;
        result.Error.File = path_.string();
        result.Error.Line = static_cast<long>(line);
        return result;
    };
    switch (Refresh()) {
    case CacheState::Missing: result.Status = BookStatus::Missing; return result;
    case CacheState::Unreadable: return stop(BookStatus::Aborted, ReadErrorKind::FileUnreadable, 0);
    case CacheState::Loaded: break;
    }

    const std::string fileName = path_.filename().string();
    if (!book_.IsBook) {
        stop(BookStatus::Refused, ReadErrorKind::NotBook, 1);
        result.Error.Column = 1;
        result.Error.Text = BookNotABookText(fileName);
        return result;
    }
    if (book_.Version != static_cast<float>(LeadingNumber(programVersion))) {
        stop(BookStatus::Refused, ReadErrorKind::WrongVersion, 1);
        result.Error.Column = static_cast<long>(BookHeader.size()) + 1;
        result.Error.Text = BookWrongVersionText(fileName, programVersion);
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
    auto store = [&](std::string_view move, std::uint32_t times) { return StoreMove(result, count, move, times); };
    if (gameKey.empty()) {
        for (const std::string& move : book_.FirstMoves) store(move, 1);
        if (book_.MovesLines > book_.FirstMoves.size())
            return stop(BookStatus::Aborted, ReadErrorKind::TooManyBookMoves, book_.StartLine + BookMoveSlots + 1);
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
            const int stored = count;
            if (!store(Mid(RawLine(line.Raw), gameKey.size() + 1, 4), line.Repeat)) {
                // The run's lines are in a row: the one that did not fit.
                return stop(BookStatus::Aborted, ReadErrorKind::TooManyBookMoves,
                            line.Line + static_cast<std::uint64_t>(BookMoveSlots - stored));
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
            result.OpeningName =
                nameStart < raw.size() ? raw.substr(nameStart, raw.size() - nameStart - 1) : std::string_view{};
        }
        if (book_.NamesBroken) stop(BookStatus::Aborted, ReadErrorKind::BookNameWithoutTilde, book_.NamesBrokenLine);
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
    const auto [end, ec] =
        std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::fixed);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        const bool large = whole.find_first_not_of('0') != std::string_view::npos;
        value = large ? HUGE_VAL : 0.0;
    }
    return negative ? -value : value;
}

}  // namespace orvane
