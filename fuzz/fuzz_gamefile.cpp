// The program's own game file reader on arbitrary bytes. A refusal is one of
// the reader's own kinds, with the window's text where it shows one; a file
// read is replayed from the standard position with the position's
// invariants checked, and a game replayed to its end is written, read and
// replayed again into the same game and the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "gamefile/gamefile.h"

namespace {

using orvane::GameRecord;
using orvane::Position;
using orvane::ReadErrorKind;
using orvane::fuzz::Fail;
using orvane::fuzz::Require;

struct Replayed {
    Position Pos;
    GameRecord Record;
    orvane::MoveInput Input;
    orvane::ReadError Error;
};

void Replay(const orvane::gamefile::GameFile& file, Replayed& out) {
    static const Position fresh;
    out.Pos = fresh;
    out.Record = GameRecord{};
    out.Input = orvane::MoveInput{};
    out.Error = orvane::gamefile::ReplayGameFile(file, out.Pos, out.Record, out.Input);
    const std::string invariants = out.Pos.CheckInvariants();
    if (!invariants.empty()) Fail("after the replay: " + invariants);
    Require(out.Record.LastPly == out.Pos.CurrentPly, "the record and the position disagree on the ply");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Replayed first;
    static Replayed second;
    const std::string_view bytes = orvane::fuzz::Text(data, size);
    const orvane::gamefile::ParsedGameFile parsed = orvane::gamefile::ParseGameFile(bytes, "fuzz.orv");
    switch (parsed.Error.Kind) {
    case ReadErrorKind::None: break;
    case ReadErrorKind::NotGameFile:
        Require(parsed.Error.Text == "fuzz.orv is not an Orvane file", "the header message");
        return 0;
    case ReadErrorKind::WrongVersion:
        Require(parsed.Error.Text == "Incorrect game file!\r\nNeed version 0.10", "the version message");
        return 0;
    case ReadErrorKind::MissingStart:
    case ReadErrorKind::BadSetup:
    case ReadErrorKind::BadMoveLine: Require(parsed.Error.Line >= 1, "a refusal without its line"); return 0;
    default: Fail(std::string("a refusal of another reader's kind: ") + orvane::ReadErrorKindText(parsed.Error.Kind));
    }

    const orvane::gamefile::GameFile& file = parsed.File;
    Replay(file, first);
    if (first.Error) {
        Require(first.Error.Kind == ReadErrorKind::IllegalMove || first.Error.Kind == ReadErrorKind::RecordFull,
                "the replay fails with a reader's kind");
        if (first.Error.Kind == ReadErrorKind::IllegalMove)
            Require(first.Error.Text == first.Error.Token + ": Illegal move!", "the illegal-move message");
        return 0;
    }
    Require(first.Record.LastPly == static_cast<int>(file.Plies.size()), "a ply of the file was not played");

    // What the game writes reads back into the same game, and writes the same.
    const std::string written = orvane::gamefile::WriteGameText(first.Pos, first.Record);
    const orvane::gamefile::ParsedGameFile again = orvane::gamefile::ParseGameFile(written, "fuzz.orv");
    if (again.Error) Fail("the written game is refused: " + std::string(orvane::ReadErrorKindText(again.Error.Kind)));
    Replay(again.File, second);
    if (second.Error) Fail("the written game does not replay: " + second.Error.Text);
    const GameRecord& a = first.Record;
    const GameRecord& b = second.Record;
    Require(a.LastPly == b.LastPly, "the written game has another length");
    for (int ply = 0; ply <= a.LastPly; ++ply) {
        const auto p = static_cast<std::size_t>(ply);
        if (a.Comments[p] != b.Comments[p]) Fail("the comment of ply " + std::to_string(ply) + " changed");
        // A move line may carry a fifth character that is no promotion
        // (e2e4x, e2e4 and a blank): the move ignores it, the record text
        // keeps it after the squares, and the file written leaves it out.
        if (ply > 0 && (!(a.PlayedMoves[p] == b.PlayedMoves[p]) || a.PlayedEp[p] != b.PlayedEp[p] ||
                        a.RecordText(ply).substr(0, 5) != b.RecordText(ply).substr(0, 5)))
            Fail("ply " + std::to_string(ply) + " changed");
    }
    Require(first.Pos.Board == second.Pos.Board && first.Pos.SideToMove == second.Pos.SideToMove &&
                first.Pos.StartBoard == second.Pos.StartBoard && first.Pos.BlackStarts == second.Pos.BlackStarts,
            "the written game ends in another position");
    Require(orvane::gamefile::WriteGameText(second.Pos, second.Record) == written, "writing again gives other bytes");
    return 0;
}
