// The opening book reader on arbitrary bytes: every lookup of a game that
// follows the book's own moves (and of a few other keys) is compared with a
// plain reading of the book (each line expanded and compared move by move,
// no sharing between lines), and a reader that looked up several games must
// answer like one that reads the file for the last game only.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "book/book.h"
#include "engine/position.h"
#include "fuzz_support.h"

namespace {

using orvane::BookResult;
using orvane::BookStatus;
using orvane::fuzz::Fail;
using orvane::fuzz::Require;

constexpr std::string_view Header = "ORVANE Version=";
constexpr std::string_view ProgramVersion = "0.10";

std::string_view Mid(std::string_view text, std::size_t start, std::size_t count) {
    return start >= text.size() ? std::string_view{} : text.substr(start, count);
}

// Lines end at CR LF, CR or LF; a line end at the very end begins no line.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = pos;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        lines.push_back(text.substr(pos, end - pos));
        if (end == text.size()) break;
        pos = end + 1;
        if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
    }
    return lines;
}

// The book read straight from its description, line by line.
struct PlainBook {
    BookStatus Status = BookStatus::Completed;  // Refused or Completed
    std::vector<std::string_view> Moves;        // the moves lines as read
    std::vector<std::string> Expanded;          // and expanded
    bool HasNames = false;
    std::vector<std::string_view> Names;  // up to "end" or the end of the file
};

PlainBook ReadPlain(std::string_view book) {
    PlainBook plain;
    if (book.substr(0, Header.size()) != Header) {
        plain.Status = BookStatus::Refused;
        return plain;
    }
    const std::vector<std::string_view> lines = Lines(book);
    const auto version = static_cast<float>(orvane::LeadingNumber(lines[0].substr(Header.size())));
    if (version != static_cast<float>(orvane::LeadingNumber(ProgramVersion))) {
        plain.Status = BookStatus::Refused;
        return plain;
    }
    std::size_t i = 1;
    while (i < lines.size() && lines[i] != "start") ++i;
    if (i == lines.size()) return plain;
    std::string previous;
    for (++i; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line == "names") {
            plain.HasNames = true;
            ++i;
            break;
        }
        if (line == "end") break;
        // The indentation repeats as many columns of the line before.
        std::size_t indent = line.find_first_not_of(' ');
        if (indent == std::string_view::npos) indent = line.size();
        std::string expanded = previous.substr(0, indent);
        expanded.resize(indent, ' ');
        expanded += line.substr(indent);
        plain.Moves.push_back(line);
        plain.Expanded.push_back(expanded);
        previous = expanded;
    }
    for (; plain.HasNames && i < lines.size() && lines[i] != "end"; ++i) plain.Names.push_back(lines[i]);
    return plain;
}

// The lookup: every line that holds the game's moves at their columns gives
// the move after them; the last names line whose moves begin the game names it.
BookResult PlainLookUp(const PlainBook& book, std::string_view key) {
    BookResult result;
    result.Status = book.Status;
    if (book.Status != BookStatus::Completed) return result;
    int count = 0;
    for (std::size_t n = 0; n < book.Moves.size(); ++n) {
        bool matches = true;
        for (std::size_t p = 0; p < key.size() && matches; p += 5)
            matches = Mid(book.Expanded[n], p, 4) == key.substr(p, 4);
        if (!matches) continue;
        if (!key.empty()) result.InBook = 1;
        if (count == orvane::BookMoveSlots) {
            result.Status = BookStatus::Aborted;
            return result;
        }
        result.BookMoves[static_cast<std::size_t>(count++)] =
            key.empty() ? Mid(book.Moves[n], 0, 4) : Mid(book.Moves[n], key.size() + 1, 4);
    }
    for (const std::string_view line : book.Names) {
        const std::size_t tilde = line.find('~');
        if (tilde == std::string_view::npos) {
            result.Status = BookStatus::Aborted;
            break;
        }
        if (!key.starts_with(line.substr(0, tilde))) continue;
        result.OpeningName = tilde + 1 < line.size() ? line.substr(tilde + 1, line.size() - tilde - 2) : "";
    }
    return result;
}

std::string Describe(const BookResult& r) {
    std::string text = "status " + std::to_string(static_cast<int>(r.Status)) + " in book " + std::to_string(r.InBook) +
                       " name \"" + r.OpeningName + "\" moves";
    for (const std::string& move : r.BookMoves) text += " \"" + move + "\"";
    return text;
}

bool Same(const BookResult& a, const BookResult& b) {
    return a.Status == b.Status && a.InBook == b.InBook && a.OpeningName == b.OpeningName && a.BookMoves == b.BookMoves;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const orvane::fuzz::ScratchFolder folder("book");
    const std::filesystem::path path = folder.Path() / "orvane.bok";
    const std::string_view bytes = orvane::fuzz::Text(data, size);
    orvane::fuzz::WriteBytes(path, bytes);

    orvane::OpeningBook book(path);
    const PlainBook plain = ReadPlain(bytes);
    const std::string standard(orvane::StandardPositionString);
    const auto check = [&](const std::string& key) {
        const BookResult got = book.LookUp(key, standard, ProgramVersion);
        const BookResult expected = PlainLookUp(plain, key);
        if (!Same(got, expected))
            Fail("key \"" + key + "\":\n  got      " + Describe(got) + "\n  expected " + Describe(expected));
        return got;
    };

    // A game that follows the book, a move chosen by the input at every ply.
    std::string key;
    for (std::size_t ply = 0; ply < 5; ++ply) {
        const BookResult result = check(key);
        int moves = 0;
        while (moves < orvane::BookMoveSlots && !result.BookMoves[static_cast<std::size_t>(moves)].empty()) ++moves;
        if (moves == 0) break;
        const std::size_t pick = size == 0 ? 0 : data[(ply * 31) % size];
        if (!key.empty()) key += ' ';
        key += result.BookMoves[pick % static_cast<std::size_t>(moves)];
    }
    // Keys that end inside a move, and one that no book line holds.
    if (key.size() > 7) check(key.substr(0, key.size() - 2));
    check("e2e4 e7e5 g1f3 b8c6");

    // A fresh reader gives the same answer for the last game.
    orvane::OpeningBook fresh(path);
    const BookResult again = fresh.LookUp(key, standard, ProgramVersion);
    Require(Same(again, book.LookUp(key, standard, ProgramVersion)), "a fresh reader answers differently");

    // A game from another position never uses the book.
    std::string other = standard;
    other[0] = '0';
    const BookResult elsewhere = book.LookUp("", other, ProgramVersion);
    if (elsewhere.Status != BookStatus::Refused)
        Require(elsewhere.Status == BookStatus::NotStandardStart, "a set-up game was looked up in the book");
    return 0;
}
