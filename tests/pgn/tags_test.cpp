// Tag pairs and glyph texts: every known name lands in its own member and
// nowhere else, the value is cut the program's way (the last two characters
// go, whatever they are), City joins Site, remark lines collect, and a line
// too short for its value is told apart.
#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "pgn/nag.h"
#include "pgn/tags.h"

namespace orvane::pgn {
namespace {

using Member = std::string PgnTags::*;

// Every member with a printable name, to report which one changed.
struct NamedMember {
    const char* Name;
    Member Field;
};
const NamedMember Members[] = {
    {"pgnEvent", &PgnTags::pgnEvent},
    {"pgnSite", &PgnTags::pgnSite},
    {"pgnDate", &PgnTags::pgnDate},
    {"pgnWhite", &PgnTags::pgnWhite},
    {"pgnBlack", &PgnTags::pgnBlack},
    {"pgnResult", &PgnTags::pgnResult},
    {"GameResult", &PgnTags::GameResult},
    {"RoundTag", &PgnTags::RoundTag},
    {"SetupTag", &PgnTags::SetupTag},
    {"FenTag", &PgnTags::FenTag},
    {"EcoTag", &PgnTags::EcoTag},
    {"WhiteEloTag", &PgnTags::WhiteEloTag},
    {"BlackEloTag", &PgnTags::BlackEloTag},
    {"AnnotatorTag", &PgnTags::AnnotatorTag},
    {"PlyCountTag", &PgnTags::PlyCountTag},
    {"EventDateTag", &PgnTags::EventDateTag},
    {"WhiteTitleTag", &PgnTags::WhiteTitleTag},
    {"BlackTitleTag", &PgnTags::BlackTitleTag},
    {"WhiteCountryTag", &PgnTags::WhiteCountryTag},
    {"BlackCountryTag", &PgnTags::BlackCountryTag},
    {"OpeningTag", &PgnTags::OpeningTag},
    {"VariationTag", &PgnTags::VariationTag},
    {"SourceTag", &PgnTags::SourceTag},
    {"SourceDateTag", &PgnTags::SourceDateTag},
    {"WhiteTeamTag", &PgnTags::WhiteTeamTag},
    {"BlackTeamTag", &PgnTags::BlackTeamTag},
    {"WhiteTeamCountryTag", &PgnTags::WhiteTeamCountryTag},
    {"BlackTeamCountryTag", &PgnTags::BlackTeamCountryTag},
};

// The names of the members whose values differ between two tag sets.
std::string Changed(const PgnTags& before, const PgnTags& after) {
    std::string names;
    for (const NamedMember& m : Members)
        if (before.*m.Field != after.*m.Field) names += std::string(names.empty() ? "" : " ") + m.Name;
    return names;
}

TEST(Tags, EveryNameFillsItsOwnMemberOnly) {
    struct Row {
        const char* Tag;
        const char* Changes;  // the members that change, "pgnResult" last where both change
    };
    const Row rows[] = {
        {"Event", "pgnEvent"},
        {"Date", "pgnDate"},
        {"Year", "pgnDate"},
        {"Site", "pgnSite"},
        {"City", "pgnSite"},
        {"Round", "RoundTag"},
        {"White", "pgnWhite"},
        {"Black", "pgnBlack"},
        {"WhiteElo", "WhiteEloTag"},
        {"WhiteELO", "WhiteEloTag"},
        {"BlackElo", "BlackEloTag"},
        {"Result", "pgnResult GameResult"},
        {"SetUp", "SetupTag"},
        {"Setup", "SetupTag"},
        {"FEN", "FenTag"},
        {"ECO", "EcoTag"},
        {"Eco", "EcoTag"},
        {"eco", "EcoTag"},
        {"Annotator", "AnnotatorTag"},
        {"PlyCount", "PlyCountTag"},
        {"EventDate", "EventDateTag"},
        {"WhiteTitle", "WhiteTitleTag"},
        {"BlackTitle", "BlackTitleTag"},
        {"WhiteCountry", "WhiteCountryTag"},
        {"BlackCountry", "BlackCountryTag"},
        {"Opening", "OpeningTag"},
        {"Variation", "VariationTag"},
        {"Source", "SourceTag"},
        {"SourceDate", "SourceDateTag"},
        {"WhiteTeam", "WhiteTeamTag"},
        {"BlackTeam", "BlackTeamTag"},
        {"WhiteTeamCountry", "WhiteTeamCountryTag"},
        {"BlackTeamCountry", "BlackTeamCountryTag"},
        // Known only in another case, or not at all: nothing changes.
        {"Comment", ""},
        {"event", ""},
        {"EVENT", ""},
        {"BlackELO", ""},
        {"Blackelo", ""},
        {"Fen", ""},
        {"Rem", ""},
        {"TimeControl", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Tag);
        PgnTags tags;
        tags.ResetForGame();
        const PgnTags before = tags;
        std::string remarks;
        const std::string line = std::string("[") + row.Tag + " \"v1\"]";
        const TagLine kind = ParseTagPair(tags, remarks, line);
        EXPECT_EQ(Changed(before, tags), row.Changes);
        EXPECT_EQ(kind, *row.Changes ? TagLine::Stored : TagLine::Ignored);
        EXPECT_EQ(remarks, "");
        if (*row.Changes && std::string_view(row.Tag) != "City") {
            // Every member that changed holds exactly the value.
            for (const NamedMember& m : Members) {
                if (before.*m.Field != tags.*m.Field) {
                    EXPECT_EQ(tags.*m.Field, "v1") << m.Name;
                }
            }
        }
    }
}

TEST(Tags, LinesAreCutByPositionNotByQuotes) {
    struct Row {
        const char* Name;
        std::vector<std::string> Lines;
        const char* Event;  // pgnEvent afterwards
        const char* Site;   // pgnSite afterwards
        TagLine LastKind;   // what the last line gave
    };
    const Row rows[] = {
        {"plain value", {"[Event \"Open\"]"}, "Open", "", TagLine::Stored},
        {"empty value clears", {"[Event \"Open\"]", "[Event \"\"]"}, "", "", TagLine::Stored},
        {"text after the bracket stays but its last two characters",
         {"[Event \"Open\"] 12"},
         "Open\"] ",
         "",
         TagLine::Stored},
        {"a quote inside the value stays", {"[Event \"The \"Big\" Open\"]"}, "The \"Big\" Open", "", TagLine::Stored},
        {"no closing characters: the last two go anyway", {"[Event \"Open"}, "Op", "", TagLine::Stored},
        {"one space too many is not a tag", {"[Event  \"Open\"]"}, "", "", TagLine::Ignored},
        {"no space is not a tag", {"[Event\"Open\"]"}, "", "", TagLine::Ignored},
        {"Site with two spaces", {"[Site  \"Bern\"]"}, "", "Bern", TagLine::Stored},
        {"Site with three spaces is not a tag", {"[Site   \"Bern\"]"}, "", "", TagLine::Ignored},
        {"City after Site joins it", {"[Site \"Bern\"]", "[City \"Zurich\"]"}, "", "Zurich, Bern", TagLine::Stored},
        {"Site after City replaces it", {"[City \"Zurich\"]", "[Site \"Bern\"]"}, "", "Bern", TagLine::Stored},
        {"City alone keeps the comma", {"[City \"Zurich\"]"}, "", "Zurich, ", TagLine::Stored},
        {"two cities", {"[Site \"Bern\"]", "[City \"A\"]", "[City \"B\"]"}, "", "B, A, Bern", TagLine::Stored},
        {"ends right after the quote", {"[Event \"Open\"]", "[Event \""}, "Open", "", TagLine::TooShort},
        {"one character short", {"[Event \"]"}, "", "", TagLine::TooShort},
        {"value and quote, no bracket", {"[Event \"\""}, "", "", TagLine::TooShort},
        {"just long enough", {"[Event \"\"]"}, "", "", TagLine::Stored},
        {"short City leaves Site alone", {"[Site \"Bern\"]", "[City \""}, "", "Bern", TagLine::TooShort},
        {"short Comment is still ignored", {"[Comment \""}, "", "", TagLine::Ignored},
        {"short unknown tag is ignored", {"[Whatever \""}, "", "", TagLine::Ignored},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        PgnTags tags;
        tags.ResetForGame();
        std::string remarks;
        TagLine kind = TagLine::Ignored;
        for (const std::string& line : row.Lines) kind = ParseTagPair(tags, remarks, line);
        EXPECT_EQ(tags.pgnEvent, row.Event);
        EXPECT_EQ(tags.pgnSite, row.Site);
        EXPECT_EQ(kind, row.LastKind);
        EXPECT_EQ(remarks, "");
    }
}

TEST(Tags, ResultSetsBothResults) {
    PgnTags tags;
    tags.ResetForGame();
    std::string remarks;
    EXPECT_EQ(tags.GameResult, "*");
    EXPECT_EQ(tags.pgnResult, "*");
    ParseTagPair(tags, remarks, "[Result \"1-0\"]");
    EXPECT_EQ(tags.GameResult, "1-0");
    EXPECT_EQ(tags.pgnResult, "1-0");
    ParseTagPair(tags, remarks, "[Result \"\"]");
    EXPECT_EQ(tags.GameResult, "");
    EXPECT_EQ(tags.pgnResult, "");
}

TEST(Tags, RemarkLinesCollectWithLineEnds) {
    struct Row {
        std::vector<std::string> Lines;
        const char* Remarks;
    };
    const Row rows[] = {
        {{"[! A remark]"}, "A remark\r\n"},
        {{"[! one]", "[Event \"x\"]", "[! two]"}, "one\r\ntwo\r\n"},
        {{"[! no bracket"}, "no bracke\r\n"},
        {{"[! x]"}, "x\r\n"},
        {{"[! ]"}, "\r\n"},
        {{"[! \"quoted\"]"}, "\"quoted\"\r\n"},
        {{"[!no space]"}, ""},
        {{"[ ! spaced]"}, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Lines.front());
        PgnTags tags;
        std::string remarks = "";
        for (const std::string& line : row.Lines) ParseTagPair(tags, remarks, line);
        EXPECT_EQ(remarks, row.Remarks);
    }
    PgnTags tags;
    std::string remarks = "before\r\n";
    EXPECT_EQ(ParseTagPair(tags, remarks, "[! more]"), TagLine::Remark);
    EXPECT_EQ(remarks, "before\r\nmore\r\n");
}

TEST(Tags, ResetKeepsOnlyTheFen) {
    PgnTags tags;
    std::string remarks;
    for (const NamedMember& m : Members) tags.*m.Field = "old";
    tags.ResetForGame();
    for (const NamedMember& m : Members) {
        const std::string_view name = m.Name;
        const char* expected = name == "FenTag" ? "old" : (name == "pgnResult" || name == "GameResult") ? "*" : "";
        EXPECT_EQ(tags.*m.Field, expected) << m.Name;
    }
}

TEST(Glyphs, TextsAtTheEdgesAndOutside) {
    struct Row {
        int N;
        const char* Text;
    };
    const Row rows[] = {
        {1, "good move"},
        {2, "poor move"},
        {9, "worst move"},
        {10, "drawish position"},
        {11, "equal chances, quiet position"},
        {20, "White has a crushing advantage (Black should resign)"},
        {21, "Black has a crushing advantage (White should resign)"},
        {30, "White has a slight time (development) advantage"},
        {46, "White has more than adequate compensation for material deficit"},
        {48, "White has a slight center control advantage"},
        {69, "Black has a well protected first rank"},
        {100, "White has good queen placement"},
        {138, "White has severe time control pressure"},
        {139, "Black has severe time control pressure"},
        {0, ""},
        {140, ""},
        {-1, ""},
        {256, ""},
        {INT_MIN, ""},
        {INT_MAX, ""},
    };
    for (const Row& row : rows) EXPECT_EQ(NagText(row.N), row.Text) << row.N;
}

TEST(Glyphs, EveryTextIsDistinctAndPlain) {
    std::set<std::string_view> seen;
    for (int n = 1; n <= 139; ++n) {
        const std::string_view text = NagText(n);
        ASSERT_FALSE(text.empty()) << n;
        EXPECT_NE(text.back(), '.') << n;
        EXPECT_NE(text.front(), ' ') << n;
        EXPECT_TRUE(seen.insert(text).second) << n << " repeats " << text;
        // From 14 on the texts alternate between White (even) and Black (odd).
        if (n >= 14) {
            EXPECT_EQ(text.substr(0, 5), n % 2 == 0 ? "White" : "Black") << n;
        }
    }
}

}  // namespace
}  // namespace orvane::pgn
