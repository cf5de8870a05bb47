#include "pgn/tags.h"

#include <array>

#include "common/encoding.h"

namespace orvane::pgn {

namespace {

enum class Store { Replace, Result, City, Nothing };

struct TagName {
    std::string_view Begin;  // "[", the name, the spaces and the opening quote
    std::string PgnTags::*Member;
    Store How;
};

// The names in the order they are tried. No beginning is a prefix of
// another, so the order only decides how soon a common tag is found.
const std::array<TagName, 35> TagNames = {{
    {"[Event \"", &PgnTags::pgnEvent, Store::Replace},
    {"[Date \"", &PgnTags::pgnDate, Store::Replace},
    {"[Year \"", &PgnTags::pgnDate, Store::Replace},
    {"[Site \"", &PgnTags::pgnSite, Store::Replace},
    {"[Site  \"", &PgnTags::pgnSite, Store::Replace},
    {"[Round \"", &PgnTags::RoundTag, Store::Replace},
    {"[Black \"", &PgnTags::pgnBlack, Store::Replace},
    {"[BlackElo \"", &PgnTags::BlackEloTag, Store::Replace},
    {"[White \"", &PgnTags::pgnWhite, Store::Replace},
    {"[WhiteElo \"", &PgnTags::WhiteEloTag, Store::Replace},
    {"[WhiteELO \"", &PgnTags::WhiteEloTag, Store::Replace},
    {"[Result \"", &PgnTags::GameResult, Store::Result},
    {"[SetUp \"", &PgnTags::SetupTag, Store::Replace},
    {"[Setup \"", &PgnTags::SetupTag, Store::Replace},
    {"[Comment \"", nullptr, Store::Nothing},
    {"[ECO \"", &PgnTags::EcoTag, Store::Replace},
    {"[Eco \"", &PgnTags::EcoTag, Store::Replace},
    {"[eco \"", &PgnTags::EcoTag, Store::Replace},
    // (the remark line "[! " is tried here)
    {"[Annotator \"", &PgnTags::AnnotatorTag, Store::Replace},
    {"[PlyCount \"", &PgnTags::PlyCountTag, Store::Replace},
    {"[EventDate \"", &PgnTags::EventDateTag, Store::Replace},
    {"[FEN \"", &PgnTags::FenTag, Store::Replace},
    {"[City \"", &PgnTags::pgnSite, Store::City},
    {"[WhiteTitle \"", &PgnTags::WhiteTitleTag, Store::Replace},
    {"[BlackTitle \"", &PgnTags::BlackTitleTag, Store::Replace},
    {"[WhiteCountry \"", &PgnTags::WhiteCountryTag, Store::Replace},
    {"[BlackCountry \"", &PgnTags::BlackCountryTag, Store::Replace},
    {"[Opening \"", &PgnTags::OpeningTag, Store::Replace},
    {"[Variation \"", &PgnTags::VariationTag, Store::Replace},
    {"[Source \"", &PgnTags::SourceTag, Store::Replace},
    {"[SourceDate \"", &PgnTags::SourceDateTag, Store::Replace},
    {"[BlackTeam \"", &PgnTags::BlackTeamTag, Store::Replace},
    {"[WhiteTeam \"", &PgnTags::WhiteTeamTag, Store::Replace},
    {"[BlackTeamCountry \"", &PgnTags::BlackTeamCountryTag, Store::Replace},
    {"[WhiteTeamCountry \"", &PgnTags::WhiteTeamCountryTag, Store::Replace},
}};

constexpr std::size_t RemarkAfter = 18;  // the remark line is tried after "[eco "
constexpr std::string_view RemarkBegin = "[! ";

TagLine Remark(std::string& remarks, std::string_view line) {
    // The text from the fourth character to the second-to-last: the last
    // character is taken to be the closing bracket.
    if (line.size() < RemarkBegin.size() + 1) return TagLine::TooShort;
    remarks.append(DecodeText(line.substr(RemarkBegin.size(), line.size() - RemarkBegin.size() - 1)));
    remarks.append("\r\n");
    return TagLine::Remark;
}

TagLine StoreTag(PgnTags& tags, const TagName& name, std::string_view line) {
    if (name.How == Store::Nothing) return TagLine::Ignored;
    // The value runs to the line's end less two characters, taken to be the
    // closing quote and bracket, whatever they really are.
    const std::size_t p = name.Begin.size();
    if (line.size() < p + 2) return TagLine::TooShort;
    const std::string_view value = line.substr(p, line.size() - p - 2);
    switch (name.How) {
    case Store::Replace:
        (tags.*name.Member).assign(value);
        DecodeTextInPlace(tags.*name.Member);
        break;
    case Store::Result:
        tags.GameResult = DecodeText(value);
        tags.pgnResult = tags.GameResult;
        break;
    case Store::City: {
        std::string site = DecodeText(value);
        site += ", ";
        site += tags.pgnSite;
        tags.pgnSite = std::move(site);
        break;
    }
    case Store::Nothing: break;
    }
    return TagLine::Stored;
}

}  // namespace

void PgnTags::ResetForGame() {
    pgnEvent.clear();
    pgnSite.clear();
    pgnDate.clear();
    pgnWhite.clear();
    pgnBlack.clear();
    pgnResult = "*";
    GameResult = "*";
    for (std::string* value :
         {&RoundTag,        &SetupTag,        &EcoTag,       &WhiteEloTag,         &BlackEloTag,
          &AnnotatorTag,    &PlyCountTag,     &EventDateTag, &WhiteTitleTag,       &BlackTitleTag,
          &WhiteCountryTag, &BlackCountryTag, &OpeningTag,   &VariationTag,        &SourceTag,
          &SourceDateTag,   &WhiteTeamTag,    &BlackTeamTag, &WhiteTeamCountryTag, &BlackTeamCountryTag})
        value->clear();
}

TagLine ParseTagPair(PgnTags& tags, std::string& remarks, std::string_view line) {
    // A beginning can only match where the line's first space ends the
    // name: one character before the quote, or two for the Site form.
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos) return TagLine::Ignored;
    for (std::size_t i = 0; i < TagNames.size(); ++i) {
        if (i == RemarkAfter && line.starts_with(RemarkBegin)) return Remark(remarks, line);
        const std::size_t size = TagNames[i].Begin.size();
        if ((size == space + 2 || size == space + 3) && line.starts_with(TagNames[i].Begin))
            return StoreTag(tags, TagNames[i], line);
    }
    return TagLine::Ignored;
}

}  // namespace orvane::pgn
