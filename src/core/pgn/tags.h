// Tag pairs of a PGN game: the values the program knows by name, and the
// remark lines ("[! ...]") that collect in the game information text.
#pragma once

#include <string>
#include <string_view>

namespace orvane::pgn {

// Every tag value the program keeps, under the name the window uses for it.
struct PgnTags {
    std::string pgnEvent, pgnSite, pgnDate, pgnWhite, pgnBlack;
    std::string pgnResult = "*";
    std::string GameResult = "*";
    std::string RoundTag, SetupTag, FenTag, EcoTag, WhiteEloTag, BlackEloTag, AnnotatorTag, PlyCountTag, EventDateTag,
        WhiteTitleTag, BlackTitleTag, WhiteCountryTag, BlackCountryTag, OpeningTag, VariationTag, SourceTag,
        SourceDateTag, WhiteTeamTag, BlackTeamTag, WhiteTeamCountryTag, BlackTeamCountryTag;

    // The reset between games: both results "*", every other value "",
    // except FenTag, which keeps the last FEN read.
    void ResetForGame();
};

enum class TagLine {
    Ignored,   // no known tag name (or Comment): nothing changed
    Stored,    // a value was stored
    Remark,    // a remark line was appended to the remarks
    TooShort,  // a known tag whose line cannot hold its value and closing characters
};

// Decodes one trimmed line that starts with "[". Known tags store their value
// in tags; a remark line ("[! text]") appends its text and CR LF to remarks.
// Values and remarks are stored as UTF-8 (read as Windows-1252 when they are
// not valid UTF-8).
TagLine ParseTagPair(PgnTags& tags, std::string& remarks, std::string_view line);

}  // namespace orvane::pgn
