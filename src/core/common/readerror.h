// The error value every reader and writer of the program returns: what went
// wrong and where. The window turns it into its own message text in one
// place; the command-line tools print the place.
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
    // Files in general:
    FileMissing,     // the file named does not exist
    NotRegularFile,  // a folder, a FIFO, a device: refused before anything is read from it
    FileChanged,     // the file is no longer the one scanned (size, time or identity changed)
    WriteFailed,     // the file cannot be written (Detail: the system's reason)
    // The opening book (a lookup that stops part-way keeps what it found):
    NotBook,               // the book's first bytes are not "ORVANE Version=" (the version: WrongVersion)
    BookNameWithoutTilde,  // a line of the names section without "~"
    TooManyBookMoves,      // more continuations than the list of book moves holds
    // The settings file:
    NotSettingsFile,  // the first line is not the header of this version
    MissingValue,     // the file ends before its sixth number
    ValueOutOfRange,  // a number that does not fit the program's whole numbers
    NotAFlag,         // a number other than 0 and 1
    // A FEN (Field 1..6) or position string (Field 0); Column is the
    // 1-based character of the text where the fault was seen:
    BadLength,             // position string not 64 characters
    BadCharacter,          // a character that has no meaning in its field
    RankTooLong,           // more than eight squares' worth in one rank
    RankTooShort,          // fewer than eight squares' worth in one rank
    MissingRank,           // fewer than eight ranks
    BadSide,               // side field not "w" or "b"
    BadCastling,           // castling field not "-" or letters of KQkq
    BadEnPassant,          // en passant field not "-" or a possible target square
    MissingField,          // the text ends before the side field
    NoWhiteKing,           // field 1 holds no "K"
    NoBlackKing,           // field 1 holds no "k"
    SeveralWhiteKings,     // a second "K" (Column points at it)
    SeveralBlackKings,     // a second "k" (Column points at it)
    PawnOnEdgeRank,        // a pawn on the first or last rank (Column points at it)
    SideNotToMoveInCheck,  // the king of the side not to move is attacked (Column: the side letter)
    // Moves entered in the window:
    WrongSide,         // a square without a piece of the side to move was pressed
    NoMoveFromSquare,  // the pressed piece has no legal move
};

struct ReadError {
    ReadErrorKind Kind = ReadErrorKind::None;
    std::string File;    // the path as given, "" when not known
    long Line = 0;       // 1-based line of the file, 0 when not known
    long Column = 0;     // 1-based column in that line (character of a FEN), 0 when not known
    int Field = 0;       // 1-based field of a FEN, 0 when not one
    long Game = 0;       // 1-based game number in a collection, 0 when not known
    int Ply = 0;         // the ply being read (the move that failed is ply Ply), 0 when not known
    std::string Token;   // the move token as written (IllegalMove), the value as read (settings)
    std::string Text;    // the reader's message for the window, e.g. "E7E8: Illegal move!"
                         // (the window's ShowError decides where it is used)
    std::string Detail;  // further words for the tools (the FEN fault, ...)

    explicit operator bool() const { return Kind != ReadErrorKind::None; }
};

// A short English description of the kind ("unclosed comment", ...).
const char* ReadErrorKindText(ReadErrorKind kind);

}  // namespace orvane
