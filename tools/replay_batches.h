// The replay of every game of an open PGN file for orvane-pgn, on the
// calling thread or on several, with what the games print handed back in
// the file's order.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "common/readerror.h"
#include "pgn/collection.h"
#include "pgn/movetext.h"
#include "record/gamerecord.h"

namespace orvane::pgntool {

// What a run of consecutive games printed and counted.
struct Tally {
    std::string Out;
    long Games = 0;
    long Plies = 0;   // of the games that replay
    long Errors = 0;  // games that do not replay
};

// Adds one replayed game to a tally. With several threads it is called on
// all of them at once, so it must use nothing but its arguments and what
// it only reads.
using DescribeGame =
    std::function<void(const pgn::GameText& game, const pgn::ReplayInfo& info, const GameRecord& record, Tally& tally)>;

// Receives the tallies in the file's order, on the calling thread; it may
// take the text away. The text is cleared and the counts zeroed after.
using TakeTally = std::function<void(Tally& tally)>;

// The largest number of replay threads accepted.
inline constexpr unsigned MaxJobs = 256;

// Walks every game of `in` from where it stands and replays each, without
// the final position's move list, handing it to describe. With jobs 1
// everything runs on the calling thread. With more, the walk (which must
// run in order: line numbers count from the start, a game's FEN may come
// from an earlier game) stays on the calling thread and hands batches of
// games to `jobs` threads that replay them; a bounded number of batches is
// in flight, so memory does not grow with the file. Either way take sees
// the same tallies' sum, in the same order, in pieces of about 64 KB of
// text or more. Returns the walk's error; the games before it have been
// described and taken.
ReadError ReplayGames(std::FILE* in, unsigned jobs, const DescribeGame& describe, const TakeTally& take);

}  // namespace orvane::pgntool
