// The opening book "orvane.bok": a text file of book lines (games written as
// from-square/to-square pairs, "e2e4 e7e5 g1f3", variations indented under the
// move where they branch off) and of opening names. A lookup finds the moves
// that follow the game so far on any book line, whether the game is still in
// the book, and the name of its opening.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/readerror.h"

namespace orvane {

inline constexpr int BookMoveSlots = 101;  // BookMoves(0 To 100)
using BookMoveList = std::array<std::string, BookMoveSlots>;

// How a lookup ended; what went wrong, and where, is the result's Error.
enum class BookStatus {
    Missing,           // no book file: nothing found, status bar untouched
    Refused,           // a file of another kind (NotBook: first 15 bytes are not
                       // "ORVANE Version=") or version (WrongVersion): the window
                       // shows Error.Text
    NotStandardStart,  // the game does not start from the standard position: no book
    Completed,         // lookup ran to its end: ShownOpening = OpeningName, shown
    Aborted,           // a failure part-way (BookNameWithoutTilde, TooManyBookMoves,
                       // FileUnreadable): results so far stay, status bar untouched
};

struct BookResult {
    BookStatus Status = BookStatus::Missing;
    // Refused and Aborted: the kind, the file, and the line (and column of
    // the version) where the lookup stopped; Text is the window's message
    // for a refused file.
    ReadError Error;
    BookMoveList BookMoves{};  // continuations "g1f3"; first empty entry ends the list
    int InBook = 0;
    std::string OpeningName;
};

// Reads the book file once and again only when the file changes (another
// file under the name, or a change of its size, modification or change
// time); every lookup behaves as if the file had been read afresh. Only what
// can change a lookup's result is kept, so a book of millions of empty or
// repeated lines costs what its few useful lines cost.
class OpeningBook {
public:
    OpeningBook() = default;
    explicit OpeningBook(std::filesystem::path path);
    void SetPath(std::filesystem::path path);
    const std::filesystem::path& Path() const;

    // Looks the game up. gameKey: the game's moves "e2e4 e7e5" ("" at ply 0);
    // startPosition: PositionString() of StartBoard; programVersion: the
    // program's version text ("0.10"), which the book's header must equal as a number.
    BookResult LookUp(std::string_view gameKey, std::string_view startPosition, std::string_view programVersion);

private:
    // A stretch of one of the buffers below.
    struct Span {
        std::uint32_t Offset = 0;
        std::uint32_t Length = 0;
    };
    // A run of equal lines of the moves section: as read, and expanded (its
    // indentation replaced by the columns of the previous expanded line it
    // repeats). SharedMoves counts the leading moves (4-character slices at
    // columns 1, 6, 11, ...) that the expanded line has in common with the
    // run kept before it; Repeat is how many lines in a row the run stands for
    // (held at its largest value beyond that: past 101 lines the count no
    // longer changes a lookup).
    struct MovesLine {
        Span Raw;
        Span Expanded;
        std::uint32_t SharedMoves = 0;
        std::uint32_t Repeat = 1;
        std::uint64_t Line = 0;  // the file line of the run's first line
    };
    // A line of the names section with the position of its first "~".
    struct NamesLine {
        Span Raw;
        std::uint32_t Tilde = 0;
    };
    // Everything a lookup needs of the file, none of it depending on the game.
    struct ParsedBook {
        bool IsBook = false;          // the header is there
        float Version = 0.0f;         // the number after the header, single precision
        bool HasStart = false;        // a "start" line was found
        std::uint64_t StartLine = 0;  // its line: moves line k is line StartLine + k
        std::string RawText;          // the kept lines as read, one after another
        std::string ExpandedText;     // the kept moves lines expanded, one after another
        // At the start of the game every moves line gives its first four
        // characters, and more lines than the list holds end the lookup:
        // the first lines' four characters and the count are all that needs.
        std::vector<std::string> FirstMoves;
        std::uint64_t MovesLines = 0;
        // Moves lines that a game can follow, equal neighbours as one run.
        // A line whose expanded text is empty follows no game.
        std::vector<MovesLine> Moves;       // up to "names", "end" or the end of the file
        bool HasNames = false;              // the moves section ended with "names"
        std::vector<NamesLine> Names;       // up to "end", the end of the file or a line without "~"
        bool NamesBroken = false;           // the names section holds a line without "~"
        std::uint64_t NamesBrokenLine = 0;  // the first such line
    };
    // What tells one state of the file from another.
    struct FileIdentity {
        std::uint64_t Device = 0;
        std::uint64_t Inode = 0;
        std::uint64_t Size = 0;
        std::int64_t ModifiedSeconds = 0;
        std::int64_t ModifiedNanoseconds = 0;
        std::int64_t ChangedSeconds = 0;
        std::int64_t ChangedNanoseconds = 0;
        friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
    };

    enum class CacheState { Missing, Unreadable, Loaded };
    // Brings the parse up to date with the file on disk.
    CacheState Refresh();
    bool Load();

    std::string_view RawLine(const Span& span) const;
    std::string_view ExpandedLine(const Span& span) const;

    std::filesystem::path path_;
    bool loaded_ = false;
    FileIdentity loadedIdentity_{};
    ParsedBook book_;
};

// Message texts (the caller shows them in message boxes):
// "orvane.bok is not an Orvane Book file"
std::string BookNotABookText(std::string_view fileName);
// "Incorrect version of orvane.bok" CR LF "Need version 0.10"
std::string BookWrongVersionText(std::string_view fileName, std::string_view programVersion);

// The numeric value of the leading number of a text, as the program reads
// numbers from its files: leading blanks skipped, optional sign, digits,
// optional decimal point and digits; no number gives 0.
// ("0.10" -> 0.1, "0.1abc" -> 0.1, "" -> 0, " 12 " -> 12).
double LeadingNumber(std::string_view text);

}  // namespace orvane
