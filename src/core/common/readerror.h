// The error value every reader of the program returns: what went wrong and
// where. The window turns it into its own message text; the command-line
// tools print the place.
#pragma once

#include <string>

namespace orvane {

enum class ReadErrorKind {
    None,
    FileUnreadable,     // the file cannot be opened or read
    NotPgn,             // the first bytes do not look like a PGN file
    NoGames,            // no movetext line after any tag section
    TagTooShort,        // a tag line too short to hold its value and closing characters
    UnclosedComment,    // "{" without "}"
    UnclosedVariation,  // "(" without its ")"
    GlyphOutOfRange,    // "$n" with n beyond the 16-bit range
    RecordFull,         // more plies than the game record holds
    BadFen,             // the FEN of a set-up game is refused by the engine
    IllegalMove,        // a move the position does not allow
    NotGameFile,        // a game file without the "ORVANE Version=" header
    WrongVersion,       // a game file of another format version
    MissingStart,       // a game file that ends before its "START" line
    BadSetup,           // a game file's "Setup=" line without a valid position
    BadMoveLine,        // a game file's line too long to be a move
};

struct ReadError {
    ReadErrorKind Kind = ReadErrorKind::None;
    std::string File;   // the path as given, "" when not known
    long Line = 0;      // 1-based line of the file, 0 when not known
    long Column = 0;    // 1-based column in that line, 0 when not known
    long Game = 0;      // 1-based game number in a collection, 0 when not known
    int Ply = 0;        // the ply being read (the move that failed is ply Ply), 0 when not known
    std::string Token;  // the move token as written (IllegalMove)
    std::string Text;   // what the window shows, e.g. "E7E8: Illegal move!"
    std::string Detail; // further words for the tools (the FEN fault, ...)

    explicit operator bool() const { return Kind != ReadErrorKind::None; }
};

// A short English description of the kind ("unclosed comment", ...).
const char* ReadErrorKindText(ReadErrorKind kind);

}  // namespace orvane
