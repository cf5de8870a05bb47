// The PGN reader on arbitrary bytes. Every game the walk finds is replayed
// with both move matchers, which must agree on everything (the failure and
// its place, every ply recorded, every comment, the final position), with
// the position's invariants checked after every ply. That is the one
// replay of each game: the scan into the game index (its end, its count, its
// rows) and the direct read of a game (its tags, movetext, lines and
// columns) are compared with the text the walk gave, not replayed again.
// The input is never written out: the scan and the direct reads go through
// an open file over the input's own bytes, which seeks as a file on disk.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "pgn/collection.h"
#include "pgn/replay.h"

namespace {

using orvane::GameRecord;
using orvane::Position;
using orvane::ReadError;
using orvane::fuzz::Fail;
using orvane::fuzz::Require;
using orvane::pgn::GameText;
using orvane::pgn::PgnTags;

constexpr std::size_t MaxGames = 16;  // games replayed per input
constexpr long MaxDirectReads = 6;    // games read again by seeking

bool SameTags(const PgnTags& a, const PgnTags& b) {
    for (const orvane::pgn::IndexColumn& column : orvane::pgn::IndexColumnList)
        if (column.Value != nullptr && a.*column.Value != b.*column.Value) return false;
    return a.pgnResult == b.pgnResult && a.FenTag == b.FenTag;
}

bool SameLines(const std::vector<orvane::pgn::MovetextLine>& a, const std::vector<orvane::pgn::MovetextLine>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.At == y.At && x.Line == y.Line && x.Column == y.Column;
    });
}

bool SameError(const ReadError& a, const ReadError& b) {
    return a.Kind == b.Kind && a.Line == b.Line && a.Column == b.Column && a.Game == b.Game && a.Ply == b.Ply &&
           a.Token == b.Token && a.Text == b.Text;
}

std::string Describe(const ReadError& e) {
    return std::string(orvane::ReadErrorKindText(e.Kind)) + " line " + std::to_string(e.Line) + " column " +
           std::to_string(e.Column) + " game " + std::to_string(e.Game) + " ply " + std::to_string(e.Ply) +
           " token \"" + e.Token + "\" text \"" + e.Text + "\"";
}

// One replay and what it left.
struct Replayed {
    Position Pos;
    GameRecord Record;
    orvane::MoveInput Input;
    orvane::pgn::ReplayInfo Info;
};

void Replay(const GameText& game, orvane::pgn::MoveMatcher matcher, Replayed& out) {
    static const Position fresh;
    out.Pos = fresh;
    out.Input = orvane::MoveInput{};
    orvane::pgn::ReplayOptions options;
    options.Matcher = matcher;
    // The literal replay is compared with this one ply by ply afterwards.
    if (matcher == orvane::pgn::MoveMatcher::Fast) {
        options.AfterPly = [](const Position& pos, const GameRecord& record, int ply) {
            const std::string invariants = pos.CheckInvariants();
            if (!invariants.empty()) Fail("after ply " + std::to_string(ply) + ": " + invariants);
            Require(record.LastPly == ply && pos.CurrentPly == ply, "the record and the position disagree on the ply");
        };
    }
    out.Info = orvane::pgn::ReplayGame(game, out.Pos, out.Record, out.Input, options);
}

void CompareReplays(const GameText& game, const Replayed& fast, const Replayed& literal) {
    const std::string where = " in game " + std::to_string(game.Game);
    if (!SameError(fast.Info.Error, literal.Info.Error))
        Fail("the matchers fail differently" + where + ":\n  fast    " + Describe(fast.Info.Error) + "\n  literal " +
             Describe(literal.Info.Error));
    const orvane::pgn::ReplayInfo& a = fast.Info;
    const orvane::pgn::ReplayInfo& b = literal.Info;
    if (a.FenRead != b.FenRead || a.FenSideToMove != b.FenSideToMove || a.FenMoveNumber != b.FenMoveNumber ||
        a.GameHasMoves != b.GameHasMoves || a.GameOver != b.GameOver)
        Fail("the matchers report the game differently" + where);
    const GameRecord& r = fast.Record;
    const GameRecord& s = literal.Record;
    if (r.LastPly != s.LastPly || r.HasComments != s.HasComments || r.GameResult != s.GameResult)
        Fail("the matchers record different games" + where);
    for (int ply = 0; ply <= r.LastPly; ++ply) {
        const auto p = static_cast<std::size_t>(ply);
        if (r.Comments[p] != s.Comments[p]) Fail("the comments differ at ply " + std::to_string(ply) + where);
        if (ply == 0) continue;
        if (!(r.PlayedMoves[p] == s.PlayedMoves[p]) || r.PlayedEp[p] != s.PlayedEp[p] ||
            r.RecordText(ply) != s.RecordText(ply))
            Fail("the matchers play different moves at ply " + std::to_string(ply) + where);
    }
    if (fast.Pos.Board != literal.Pos.Board || fast.Pos.SideToMove != literal.Pos.SideToMove ||
        fast.Pos.MoveCounts != literal.Pos.MoveCounts || fast.Pos.CurrentPly != literal.Pos.CurrentPly)
        Fail("the matchers end in different positions" + where);
    if (!a.Error) {
        const std::string invariants = fast.Pos.CheckInvariants();
        if (!invariants.empty()) Fail("at the end" + where + ": " + invariants);
        // Left with the legal moves of the final position: none exactly when the game is over.
        Require((fast.Pos.CurrentMoveCount() == 0) == (a.GameOver != 0), "GameOver does not match the moves left");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Replayed fast;
    static Replayed literal;
    const std::string_view bytes = orvane::fuzz::Text(data, size);
    (void)orvane::pgn::LooksLikePgn(bytes.substr(0, 1000));

    // The games the walk handed over, kept in objects that live from input
    // to input so that their strings keep their room.
    static std::vector<GameText> kept(MaxGames);
    std::size_t walked = 0;
    const ReadError walk = orvane::pgn::ForEachGame(bytes, [&walked](GameText& game) {
        kept[walked++] = game;
        return walked < MaxGames;
    });
    const std::span<const GameText> games(kept.data(), walked);
    for (const GameText& game : games) {
        Require(game.Game == static_cast<long>(&game - games.data()) + 1, "games are not numbered in order");
        Replay(game, orvane::pgn::MoveMatcher::Fast, fast);
        Replay(game, orvane::pgn::MoveMatcher::Literal, literal);
        CompareReplays(game, fast, literal);
    }

    // The scan of the same bytes as an open file, and games read by seeking.
    const orvane::fuzz::MemoryFile file(bytes);
    const orvane::pgn::ScanResult scan = orvane::pgn::ScanStream(file.Get());
    const bool walkedAll = games.size() < MaxGames;
    if (walkedAll) {
        if (scan.Error.Kind != walk.Kind || scan.Error.Line != walk.Line || scan.Error.Column != walk.Column ||
            scan.Error.Game != walk.Game)
            Fail("the scan and the walk end differently:\n  scan " + Describe(scan.Error) + "\n  walk " +
                 Describe(walk));
        if (!scan.Error && scan.Index.Count != static_cast<long>(games.size()))
            Fail("the scan counts " + std::to_string(scan.Index.Count) + " games, the walk " +
                 std::to_string(games.size()));
    }
    if (scan.Error) return 0;
    // The index rows hold the tags the walk handed over with each game.
    const long rows = std::min(scan.Index.Count, static_cast<long>(games.size()));
    for (long n = 1; n <= rows; ++n) {
        const PgnTags& tags = games[static_cast<std::size_t>(n - 1)].Tags;
        if (scan.Index.Cell(n, 1) != " " + std::to_string(n) || !scan.Index.Cell(n, 2).starts_with(tags.pgnEvent))
            Fail("the index row of game " + std::to_string(n) + " is misnumbered or lost its event");
        for (int k = 3; k <= orvane::pgn::IndexColumns; ++k)
            if (scan.Index.Cell(n, k) != tags.*orvane::pgn::IndexColumnList[static_cast<std::size_t>(k - 1)].Value)
                Fail("the index row of game " + std::to_string(n) + " differs from the walk's tags in column " +
                     std::to_string(k));
    }
    // Games read by seeking: their text, lines and columns as the walk's.
    const long reads = std::min(rows, MaxDirectReads);
    for (long n = 1; n <= reads; ++n) {
        const orvane::pgn::GameResultText direct = orvane::pgn::ReadGameFrom(file.Get(), scan.Index, n);
        const GameText& walkedGame = games[static_cast<std::size_t>(n - 1)];
        if (direct.Error) Fail("game " + std::to_string(n) + " cannot be read directly: " + Describe(direct.Error));
        if (direct.Game.Game != n || !SameTags(direct.Game.Tags, walkedGame.Tags) ||
            direct.Game.Movetext != walkedGame.Movetext || !SameLines(direct.Game.Lines, walkedGame.Lines))
            Fail("game " + std::to_string(n) + " read directly differs from the walk's");
    }
    return 0;
}
