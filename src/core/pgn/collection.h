// A PGN collection: recognising the file, the scan into the game index (one
// row of 27 cells per game), reading one chosen game directly by its
// recorded place in the file, and walking every game in order.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/readerror.h"
#include "common/textfile.h"
#include "pgn/tags.h"

namespace orvane::pgn {

inline constexpr int IndexColumns = 27;

// A column of the game index: its header and the tag value it shows. The
// Number column (no value) and the Event column (the event and its round)
// are worked out by the scan.
struct IndexColumn {
    std::string_view Header;
    std::string PgnTags::*Value;
};

// The 27 columns in the picker's order, "Number" .. "BlackTeamCountry".
inline constexpr std::array<IndexColumn, IndexColumns> IndexColumnList = {{
    {"Number", nullptr},
    {"Event", &PgnTags::pgnEvent},
    {"Site", &PgnTags::pgnSite},
    {"Date", &PgnTags::pgnDate},
    {"Round", &PgnTags::RoundTag},
    {"White", &PgnTags::pgnWhite},
    {"Black", &PgnTags::pgnBlack},
    {"Result", &PgnTags::GameResult},
    {"Setup", &PgnTags::SetupTag},
    {"ECO", &PgnTags::EcoTag},
    {"WhiteElo", &PgnTags::WhiteEloTag},
    {"BlackElo", &PgnTags::BlackEloTag},
    {"Annotator", &PgnTags::AnnotatorTag},
    {"PlyCount", &PgnTags::PlyCountTag},
    {"EventDate", &PgnTags::EventDateTag},
    {"WhiteTitle", &PgnTags::WhiteTitleTag},
    {"BlackTitle", &PgnTags::BlackTitleTag},
    {"WhiteCountry", &PgnTags::WhiteCountryTag},
    {"BlackCountry", &PgnTags::BlackCountryTag},
    {"Opening", &PgnTags::OpeningTag},
    {"Variation", &PgnTags::VariationTag},
    {"Source", &PgnTags::SourceTag},
    {"SourceDate", &PgnTags::SourceDateTag},
    {"WhiteTeam", &PgnTags::WhiteTeamTag},
    {"BlackTeam", &PgnTags::BlackTeamTag},
    {"WhiteTeamCountry", &PgnTags::WhiteTeamCountryTag},
    {"BlackTeamCountry", &PgnTags::BlackTeamCountryTag},
}};

// The picker's column headers, as listed above.
inline constexpr std::array<std::string_view, IndexColumns> IndexHeaders = [] {
    std::array<std::string_view, IndexColumns> headers{};
    for (std::size_t k = 0; k < headers.size(); ++k) headers[k] = IndexColumnList[k].Header;
    return headers;
}();

// True when the first 1000 bytes of a file look like PGN: after anything
// before the first "[", a tag name (a letter, then letters, digits or "_"),
// a space and a double quote, or "[! ".
bool LooksLikePgn(std::string_view firstBytes);

// One line of a game's movetext as it went into GameText::Movetext.
struct MovetextLine {
    std::size_t At = 0;  // offset in Movetext where the line's text begins
    long Line = 0;       // 1-based line in the file
    long Column = 1;     // 1-based column in that line of the text's first character
};

// Everything the movetext reader needs of one game.
struct GameText {
    long Game = 0;         // 1-based game number
    PgnTags Tags;          // the values a scan from the file's start gives at this game
    std::string Remarks;   // ForEachGame: the remark lines of this and every earlier game, each ended by CR LF
    std::string Movetext;  // the movetext lines joined by single spaces and trimmed
    std::vector<MovetextLine> Lines;

    // The file line and column of a character offset into Movetext.
    MovetextLine Locate(std::size_t offset) const;
};

// Where each game starts, so that one game can be read without the others.
// A game's tag section begins at the first tag line of the file (game 1) or
// at the line that ended the previous game's movetext; from there on nothing
// of the earlier games counts but the last FEN read.
struct GameSeek {
    std::size_t Offset = 0;  // byte offset of the line where the game's tag section begins
    long Line = 1;           // 1-based line number at Offset
    std::size_t Fen = 0;     // FenTag at Offset: GameIndex::Fens[Fen]
};

struct GameIndex {
    long Count = 0;
    bool Aborted = false;                            // the scan stopped at the caller's limit
    std::array<int, IndexColumns + 1> ColumnUsed{};  // 1..27: longest value put into the column

    // The value of a cell (game 1..Count, column 1..27), without the three
    // trailing spaces the picker's cells carry; "" outside the index.
    std::string_view Cell(long game, int column) const;

    // What pass 2 needs to read one game directly (one entry per game).
    std::vector<GameSeek> Seeks;
    std::vector<std::string> Fens{std::string()};  // every FEN value carried into a game; [0] is ""
    std::string Remarks;                           // every remark line of the scanned part, in file order
    FileStamp Stamp;                               // of the file as scanned

    // The cells: each row's values one after another in CellText; row g
    // starts at RowStart[g - 1], its cell k ends CellEnd[27 * (g - 1) + k - 1]
    // bytes further on.
    std::string CellText;
    std::vector<std::size_t> RowStart;
    std::vector<std::uint32_t> CellEnd;
};

struct ScanOptions {
    // Stop at this many games (0: no limit). The limit is looked at with the
    // progress, every 100 games: the game that reaches it keeps an empty row
    // and Aborted is set (the window passes 30,000).
    long Limit = 0;
    // Called every 100 games with "Loading PGN file... 300 games".
    std::function<void(const std::string&)> Progress;
    // Called with each game's row as soon as its tags are read: its number
    // and its 27 values, column k at [k - 1], without the cells' spaces.
    std::function<void(long game, const std::array<std::string_view, IndexColumns>& values)> Row;
    // Off: the index keeps nothing of a game (no cells, no places), so a
    // scan of any size runs in constant memory; Count and ColumnUsed count.
    bool KeepRows = true;
};

// Pass 1 over a whole file: recognition, then the index. Errors:
// FileUnreadable, NotRegularFile, NotPgn, TagTooShort (with line, column
// and game), NoGames. The window and the tools word them themselves.
struct ScanResult {
    GameIndex Index;
    ReadError Error;
};
ScanResult ScanFile(const std::filesystem::path& path, const ScanOptions& options = {});
// The same over an open file (standard input too) from where it stands:
// errors name no file and the index has no stamp.
ScanResult ScanStream(std::FILE* file, const ScanOptions& options = {});

// Pass 2 by seeking: reads game `game` (1-based) of a scanned file, from
// its tag section on only, with the tags and movetext a scan from the
// file's start would give (not the remarks). A game number outside the index
// gives FileUnreadable; a file whose size, last change or identity is not
// the scanned file's gives FileChanged, so that it is scanned again rather
// than read at the old places.
struct GameResultText {
    GameText Game;
    ReadError Error;
};
GameResultText ReadGame(const std::filesystem::path& path, const GameIndex& index, long game);
// The same from an open file that holds what was scanned, without looking
// at its stamp; errors name no file.
GameResultText ReadGameFrom(std::FILE* file, const GameIndex& index, long game);

// Walks every game of a file's bytes in order, as the scan finds them
// (what pass 2 would give for each game number). The visitor returns false
// to stop early; it may read or take the texts it is given, which are
// filled anew for the next game. Errors as ScanFile's, without a file name;
// the games before a TagTooShort have been visited.
ReadError ForEachGame(std::string_view bytes, const std::function<bool(GameText&)>& visit);
// The same over an open file (standard input too), read from where it
// stands through a buffer of fixed size: memory does not grow with the file.
ReadError ForEachGame(std::FILE* file, const std::function<bool(GameText&)>& visit);

}  // namespace orvane::pgn
