// The real collections and samples of the shared data: their game counts,
// and every game as the index pass, the walk over all games and the direct
// read by recorded offset give it, each held against a plain reading that
// keeps every line in memory and follows the scan steps one by one.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "common/textfile.h"
#include "pgn/collection.h"
#include "pgn_test_util.h"
#include "support/shared_data.h"

namespace orvane::pgn {
namespace {

using testsupport::SharedDataFile;
using testsupport::SharedDataMissing;
using testsupport::SharedDataPresent;

struct DataFile {
    const char* Path;
    long Games;
};

const DataFile Files[] = {
    {"pgn/collections/Capablanca.pgn", 597},
    {"pgn/collections/Fischer.pgn", 827},
    {"pgn/collections/Kasparov.pgn", 2017},
    {"pgn/collections/Carlsen.pgn", 1423},
    {"pgn/collections/Nimzowitsch.pgn", 512},
    {"pgn/samples/anastasian-lewis.pgn", 1},
    {"pgn/samples/chessbase-empty-line.pgn", 1},
    {"pgn/samples/kasparov-deep-blue-1997.pgn", 6},
    {"pgn/samples/molinari-bordais-1979.pgn", 1},
    {"pgn/samples/nepomniachtchi-liren-game1.pgn", 1},
    {"pgn/samples/stockfish-learning.pgn", 1},
    {"pgn/samples/uci-moves.pgn", 1},
    {"pgn/samples/utf8-bom.pgn", 2},
};

// The index row the reference tags give, as pgntest::RowText renders it.
std::string ExpectedRow(const PgnTags& t, long game) {
    const std::string event = t.RoundTag.empty() ? t.pgnEvent : t.pgnEvent + " " + t.RoundTag;
    const std::string values[IndexColumns] = {" " + std::to_string(game),
                                              event,
                                              t.pgnSite,
                                              t.pgnDate,
                                              t.RoundTag,
                                              t.pgnWhite,
                                              t.pgnBlack,
                                              t.GameResult,
                                              t.SetupTag,
                                              t.EcoTag,
                                              t.WhiteEloTag,
                                              t.BlackEloTag,
                                              t.AnnotatorTag,
                                              t.PlyCountTag,
                                              t.EventDateTag,
                                              t.WhiteTitleTag,
                                              t.BlackTitleTag,
                                              t.WhiteCountryTag,
                                              t.BlackCountryTag,
                                              t.OpeningTag,
                                              t.VariationTag,
                                              t.SourceTag,
                                              t.SourceDateTag,
                                              t.WhiteTeamTag,
                                              t.BlackTeamTag,
                                              t.WhiteTeamCountryTag,
                                              t.BlackTeamCountryTag};
    std::string text;
    for (int k = 0; k < IndexColumns; ++k) {
        if (values[k].empty()) continue;
        if (!text.empty()) text += "; ";
        text += std::string(IndexHeaders[static_cast<std::size_t>(k)]) + "=" + values[k];
    }
    return text;
}

std::string WithoutByteOrderMark(std::string bytes) {
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
    return bytes;
}

TEST(Collections, EveryGameReadsAlikeInEveryPass) {
    for (const DataFile& data : Files) {
        const std::filesystem::path path = SharedDataFile(data.Path);
        if (!SharedDataPresent(path)) GTEST_SKIP() << SharedDataMissing(path);
        SCOPED_TRACE(data.Path);
        const std::optional<std::string> bytes = ReadWholeFile(path);
        ASSERT_TRUE(bytes.has_value());
        const std::vector<pgntest::ReferenceGame> reference =
            pgntest::ReferenceReading(pgntest::SplitLines(WithoutByteOrderMark(*bytes)));
        ASSERT_EQ(static_cast<long>(reference.size()), data.Games);

        const ScanResult scan = ScanFile(path);
        ASSERT_FALSE(scan.Error) << ReadErrorKindText(scan.Error.Kind);
        ASSERT_EQ(scan.Index.Count, data.Games);
        EXPECT_FALSE(scan.Index.Aborted);

        ReadError walkError;
        const std::vector<GameText> walk = pgntest::AllGames(*bytes, &walkError);
        EXPECT_FALSE(walkError);
        ASSERT_EQ(static_cast<long>(walk.size()), data.Games);

        for (long n = 1; n <= data.Games; ++n) {
            const std::size_t i = static_cast<std::size_t>(n - 1);
            SCOPED_TRACE("game " + std::to_string(n));
            EXPECT_EQ(pgntest::RowText(scan.Index, n), ExpectedRow(reference[i].Tags, n));
            EXPECT_EQ(walk[i].Game, n);
            pgntest::ExpectSameGame(walk[i], reference[i]);
            const GameResultText one = ReadGame(path, scan.Index, n);
            ASSERT_FALSE(one.Error) << ReadErrorKindText(one.Error.Kind) << " " << one.Error.Detail;
            EXPECT_EQ(one.Game.Game, n);
            pgntest::ExpectSameGame(one.Game, reference[i], false);
            if (::testing::Test::HasFailure()) return;  // one game's report is enough
        }
    }
}

// A bare-LF file reads as the CR LF copy the program once made of it read.
TEST(Collections, BareLineFeedFilesReadLikeTheirOldCopy) {
    int checked = 0;
    for (const DataFile& data : Files) {
        const std::filesystem::path path = SharedDataFile(data.Path);
        if (!SharedDataPresent(path)) GTEST_SKIP() << SharedDataMissing(path);
        const std::optional<std::string> bytes = ReadWholeFile(path);
        ASSERT_TRUE(bytes.has_value());
        if (bytes->substr(0, 285).find('\r') != std::string::npos) continue;  // the copy was never made
        SCOPED_TRACE(data.Path);
        ++checked;
        const std::string copy = pgntest::OldNormalisedCopy(*bytes);
        EXPECT_EQ(pgntest::SplitAtCr(copy), pgntest::SplitLines(*bytes));
        const std::vector<GameText> original = pgntest::AllGames(*bytes);
        const std::vector<GameText> copied = pgntest::AllGames(copy);
        ASSERT_EQ(original.size(), copied.size());
        for (std::size_t i = 0; i < original.size(); ++i) {
            EXPECT_EQ(original[i].Movetext, copied[i].Movetext) << "game " << i + 1;
            EXPECT_EQ(original[i].Tags.pgnWhite, copied[i].Tags.pgnWhite) << "game " << i + 1;
            EXPECT_EQ(original[i].Lines.back().Line, copied[i].Lines.back().Line) << "game " << i + 1;
        }
    }
    EXPECT_GT(checked, 0);
}

TEST(Collections, TheByteOrderMarkDoesNotHideTheFirstTag) {
    const std::filesystem::path path = SharedDataFile("pgn/samples/utf8-bom.pgn");
    if (!SharedDataPresent(path)) GTEST_SKIP() << SharedDataMissing(path);
    const ScanResult scan = ScanFile(path);
    ASSERT_EQ(scan.Index.Count, 2);
    EXPECT_EQ(scan.Index.Cell(1, 2), "A ?");  // Event A, Round ?
    EXPECT_EQ(scan.Index.Cell(2, 2), "B ?");
    EXPECT_EQ(ReadGame(path, scan.Index, 1).Game.Tags.pgnEvent, "A");
}

}  // namespace
}  // namespace orvane::pgn
