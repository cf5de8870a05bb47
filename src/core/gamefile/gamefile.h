// The program's own game file (.orv): a header, the start position, the side
// that moves first, its castling rights and en passant target, then the
// plies as coordinate moves, each preceded by the comment of the position
// before it. Lines end with CR LF; comments are UTF-8, their line breaks
// written as two bytes 0xFF (which UTF-8 never holds).
//
//   ORVANE Version=0.10
//   Setup=243563421111111100000000000000000000000000000000777777778A9BC9A8
//   BlackStarts=0
//   Castling=KQkq
//   EnPassant=-
//   START
//   e2e4
//   {Open game}
//   e7e5
//
// Readers ignore the lines before START they do not know, so files with the
// castling and en passant lines keep the format version; a file without them
// takes the castling rights from the pieces on their home squares.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/readerror.h"
#include "engine/position.h"
#include "notation/notation.h"
#include "record/gamerecord.h"

namespace orvane::gamefile {

// The format version the program writes and reads (Cversion).
inline constexpr std::string_view FormatVersion = "0.10";
inline constexpr std::string_view Header = "ORVANE Version=";

// The whole file for a game: its start position (StartBoard), the side to
// move, castling rights and en passant target of that start (worked out from
// pos and the record, whatever ply pos shows), and the plies 1..LastPly of
// the record with their comments. The comment of the final position follows
// the last move line, so nothing the user typed is lost. Comments are
// written as UTF-8 (text that is not valid UTF-8 is taken as Windows-1252);
// their line breaks (CR LF, LF or CR) become two bytes of code 255.
std::string WriteGameText(const Position& pos, const GameRecord& record);

// One ply of a file: the comment of the position before it and its move line.
struct FilePly {
    std::string Comment;  // "" when the file has none
    bool CommentSeen = false;
    std::string Move;  // the move line upper-cased (E2E4, A7A8N)
    long Line = 0;     // 1-based line of the move in the file
};

// A game file as read, before its moves are played.
struct GameFile {
    std::string Version;  // the header's text after "ORVANE Version="
    std::string Setup;    // the 64-character position string; "" when the file has none
    int BlackStarts = 0;
    bool HasBlackStarts = false;
    std::string Castling;  // the castling field ("KQkq", "-"); "" when the file has none
    int EpTarget = 0;      // the start position's en passant target, 0 none
    std::vector<FilePly> Plies;
    std::string FinalComment;  // the comment after the last ply, "" when none
    bool FinalCommentSeen = false;
    long LinesAfterStart = 0;  // decides whether "Loading and analyzing..." is shown
};

struct ParsedGameFile {
    GameFile File;
    ReadError Error;  // NotGameFile, WrongVersion, MissingStart, BadSetup, BadMoveLine
};

// Reads a file's bytes. name is the file name shown in messages. The text is
// read as UTF-8 when it is valid UTF-8 (line-break marks aside), else as
// Windows-1252; a byte-order mark is skipped. A castling or en passant line
// that the start position cannot hold is a BadSetup error at its line.
ParsedGameFile ParseGameFile(std::string_view bytes, std::string_view name);

// Sets up the file's start position in pos (after the caller's game reset):
// the position string, the side to move (White when the file does not say),
// the castling rights (from the pieces alone when the file does not say) and
// the en passant target, also as record.PlayedEp(0); then replays its plies
// through the shared play-and-record steps, with each comment on its ply and
// the final comment on the last. An illegal move ends
// the replay with an IllegalMove error ("E2E5: Illegal move!") at its line;
// pos and record then hold the plies read so far.
ReadError ReplayGameFile(const GameFile& file, Position& pos, GameRecord& record, MoveInput& input);

// The numeric value of a version text as the program compares it (the
// leading number, single precision): "0.1" and "0.10" are the same version.
bool SameVersion(std::string_view fileVersion, std::string_view programVersion);

}  // namespace orvane::gamefile
