#include "replay_batches.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "engine/position.h"
#include "notation/notation.h"
#include "pgn/replay.h"

namespace orvane::pgntool {

namespace {

// Output is handed over in pieces of at least this size (the last one aside).
constexpr std::size_t TakeAt = std::size_t{1} << 16;
// A batch is closed at this many games or this much movetext, whichever
// comes first: enough work to make the hand-over cheap, little memory.
constexpr std::size_t BatchGames = 256;
constexpr std::size_t BatchMovetext = std::size_t{1} << 19;

// What one thread replays with.
struct Replayer {
    Position Pos;
    GameRecord Record;
    MoveInput Input;
    pgn::ReplayOptions Options;

    Replayer() { Options.FinalMoveList = false; }  // the tool never shows the available moves

    void Replay(const pgn::GameText& game, const DescribeGame& describe, Tally& tally) {
        const pgn::ReplayInfo info = pgn::ReplayGame(game, Pos, Record, Input, Options);
        describe(game, info, Record, tally);
    }
};

void Hand(Tally& tally, const TakeTally& take) {
    take(tally);
    tally.Out.clear();
    tally.Games = tally.Plies = tally.Errors = 0;
}

// Everything on the calling thread, game after game.
ReadError ReplayHere(std::FILE* in, const DescribeGame& describe, const TakeTally& take) {
    const auto replayer = std::make_unique<Replayer>();
    Tally tally;
    const ReadError error = pgn::ForEachGame(in, [&](pgn::GameText& game) {
        replayer->Replay(game, describe, tally);
        if (tally.Out.size() >= TakeAt) Hand(tally, take);
        return true;
    });
    Hand(tally, take);
    return error;
}

// Games in file order, replayed by one worker into one tally.
struct Batch {
    std::vector<pgn::GameText> Games;  // the first Count are this batch's; the rest keep their memory
    std::size_t Count = 0;
    std::size_t Movetext = 0;  // bytes of movetext in the batch
    Tally Result;
    bool Done = false;  // replayed (under the pipeline's mutex)
};

// The walk's thread fills batches and queues them; the workers replay them;
// the walk's thread hands the replayed batches over in the order it filled
// them. A fixed number of batches circulates: when all are in flight, the
// walk waits for the oldest.
class Pipeline {
public:
    Pipeline(unsigned jobs, const DescribeGame& describe, const TakeTally& take) : describe_(describe), take_(take) {
        const unsigned batches = 2 * jobs + 2;
        for (unsigned k = 0; k < batches; ++k) {
            batches_.push_back(std::make_unique<Batch>());
            free_.push_back(batches_.back().get());
        }
        try {
            for (unsigned k = 0; k < jobs; ++k) workers_.emplace_back([this] { Work(); });
        } catch (const std::system_error&) {
            // No more threads to be had: those started do the work, or the walk's thread alone.
        }
        if (workers_.empty()) here_ = std::make_unique<Replayer>();
    }

    ~Pipeline() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            closing_ = true;
        }
        workReady_.notify_all();
        for (std::thread& worker : workers_) worker.join();
    }

    Pipeline(const Pipeline&) = delete;
    Pipeline& operator=(const Pipeline&) = delete;

    // Takes a game's texts into the batch being filled (swapping them, so
    // that no memory is allocated once every batch has held a full load).
    void Add(pgn::GameText& game) {
        if (current_ == nullptr) current_ = TakeFree();
        Batch& batch = *current_;
        if (batch.Count == batch.Games.size()) batch.Games.emplace_back();
        pgn::GameText& slot = batch.Games[batch.Count++];
        slot.Game = game.Game;
        slot.Tags = game.Tags;
        slot.Movetext.swap(game.Movetext);
        slot.Lines.swap(game.Lines);
        batch.Movetext += slot.Movetext.size();
        if (batch.Count >= BatchGames || batch.Movetext >= BatchMovetext) Submit();
    }

    // Replays what is left and hands every batch over.
    void Finish() {
        if (current_ != nullptr && current_->Count > 0) Submit();
        while (!inFlight_.empty()) HandFront(true);
    }

private:
    void Work() {
        const auto replayer = std::make_unique<Replayer>();
        for (;;) {
            Batch* batch = nullptr;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                workReady_.wait(lock, [this] { return !todo_.empty() || closing_; });
                if (todo_.empty()) return;
                batch = todo_.front();
                todo_.pop_front();
            }
            for (std::size_t k = 0; k < batch->Count; ++k) replayer->Replay(batch->Games[k], describe_, batch->Result);
            {
                const std::lock_guard<std::mutex> lock(mutex_);
                batch->Done = true;
            }
            batchDone_.notify_one();  // only the walk's thread waits
        }
    }

    void Submit() {
        Batch* batch = current_;
        current_ = nullptr;
        inFlight_.push_back(batch);
        if (here_) {
            for (std::size_t k = 0; k < batch->Count; ++k) here_->Replay(batch->Games[k], describe_, batch->Result);
            batch->Done = true;
        } else {
            {
                const std::lock_guard<std::mutex> lock(mutex_);
                todo_.push_back(batch);
            }
            workReady_.notify_one();
        }
        // Output goes out as soon as it is in order, not only when memory runs short.
        while (HandFront(false)) {}
    }

    Batch* TakeFree() {
        while (free_.empty()) HandFront(true);
        Batch* batch = free_.back();
        free_.pop_back();
        return batch;
    }

    // Hands over the oldest batch in flight once it is replayed (waiting for
    // it when asked) and puts it back among the free ones; false when there
    // was none to hand over.
    bool HandFront(bool wait) {
        if (inFlight_.empty()) return false;
        Batch* batch = inFlight_.front();
        {
            std::unique_lock<std::mutex> lock(mutex_);
            if (!batch->Done) {
                if (!wait) return false;
                batchDone_.wait(lock, [batch] { return batch->Done; });
            }
        }
        inFlight_.pop_front();
        Hand(batch->Result, take_);
        batch->Count = 0;
        batch->Movetext = 0;
        batch->Done = false;
        free_.push_back(batch);
        return true;
    }

    const DescribeGame& describe_;
    const TakeTally& take_;
    std::vector<std::unique_ptr<Batch>> batches_;
    std::vector<Batch*> free_;        // the walk's thread only
    std::deque<Batch*> inFlight_;     // queued or replayed, in file order; the walk's thread only
    Batch* current_ = nullptr;        // being filled
    std::unique_ptr<Replayer> here_;  // when no thread could be started
    std::mutex mutex_;
    std::condition_variable workReady_;
    std::condition_variable batchDone_;
    std::deque<Batch*> todo_;  // waiting for a worker (under mutex_)
    bool closing_ = false;     // under mutex_
    std::vector<std::thread> workers_;
};

}  // namespace

ReadError ReplayGames(std::FILE* in, unsigned jobs, const DescribeGame& describe, const TakeTally& take) {
    if (jobs <= 1) return ReplayHere(in, describe, take);
    Pipeline pipeline(jobs, describe, take);
    const ReadError error = pgn::ForEachGame(in, [&pipeline](pgn::GameText& game) {
        pipeline.Add(game);
        return true;
    });
    pipeline.Finish();
    return error;
}

}  // namespace orvane::pgntool
