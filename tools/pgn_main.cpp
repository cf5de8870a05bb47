// orvane-pgn COMMAND [OPTION]... FILE...: the program's PGN reading from the
// command line. One function per command; each returns the exit status (0
// done, 1 some game does not replay, 2 a file cannot be read or is not PGN).
// Every command reads its files through a buffer of fixed size ("-" is
// standard input), so memory does not grow with the file.
#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include "common/readerror.h"
#include "common/textfile.h"
#include "notation/notation.h"
#include "pgn/collection.h"
#include "pgn/replay.h"
#include "replay_batches.h"

namespace {

using Args = std::vector<std::string>;

// The text the tools print for a failure: the window's own words where the
// program has them, otherwise FILE:LINE:COLUMN: game N: what went wrong.
std::string DescribeError(const orvane::ReadError& error, const std::string& file) {
    using orvane::ReadErrorKind;
    switch (error.Kind) {
    case ReadErrorKind::NotPgn: return file + " is not a PGN file";
    case ReadErrorKind::NoGames: return file + ": No games found!";
    case ReadErrorKind::NotRegularFile: return file + ": not a regular file";
    default: break;
    }
    std::string text = file;
    if (error.Line > 0) {
        text += ':' + std::to_string(error.Line);
        if (error.Column > 0) text += ':' + std::to_string(error.Column);
    }
    text += ": ";
    if (error.Game > 0) text += "game " + std::to_string(error.Game) + ": ";
    text += orvane::ReadErrorKindText(error.Kind);
    if (!error.Detail.empty()) text += " (" + error.Detail + ')';
    return text;
}

// Collects output in large blocks; the index of a big file is many small lines.
class Output {
public:
    ~Output() { Flush(); }
    void Add(std::string_view text) {
        buffer_.append(text);
        if (buffer_.size() >= (1u << 16)) Flush();
    }
    void Add(char c) { buffer_ += c; }
    void Flush() {
        if (!buffer_.empty()) std::fwrite(buffer_.data(), 1, buffer_.size(), stdout);
        buffer_.clear();
    }
    // Drops what has not been written yet.
    void Discard() { buffer_.clear(); }

private:
    std::string buffer_;
};

// What a command was asked to do: its files ("-" for standard input) and
// the number of replay threads.
struct Request {
    Args Files;
    unsigned Jobs = 1;
};

// An input opened: standard input for "-", else the named file, refused
// unless it is a regular file (a folder, a FIFO, a device is never waited
// on). File is null when it cannot be opened; error then says why.
struct Input {
    orvane::FileHandle Held{nullptr, &std::fclose};
    std::FILE* File = nullptr;
};

Input OpenInput(const std::string& name, orvane::ReadError& error) {
    Input input;
    error = {};
    if (name == "-") {
        input.File = stdin;
        return input;
    }
    input.Held = orvane::OpenRegularFile(name, error);
    input.File = input.Held.get();
    return input;
}

// index FILE: the game index, a header line and one tab-separated row per
// game, each row printed as soon as the game's tags are read; nothing is
// kept of a game once its row is out. On a fault after the first 64 KB of
// output the rows before it have been printed.
int IndexCommand(const Request& request) {
    if (request.Files.size() != 1) {
        std::fprintf(stderr, "usage: orvane-pgn index FILE\n");
        return 2;
    }
    const std::string& file = request.Files[0];
    orvane::ReadError openError;
    const Input input = OpenInput(file, openError);
    if (input.File == nullptr) {
        std::fprintf(stderr, "%s\n", DescribeError(openError, file).c_str());
        return 2;
    }
    Output out;
    for (int k = 1; k <= orvane::pgn::IndexColumns; ++k) {
        if (k > 1) out.Add('\t');
        out.Add(orvane::pgn::IndexHeaders[static_cast<std::size_t>(k - 1)]);
    }
    out.Add('\n');
    orvane::pgn::ScanOptions options;
    options.KeepRows = false;
    options.Row = [&out](long, const std::array<std::string_view, orvane::pgn::IndexColumns>& values) {
        for (std::size_t k = 0; k < values.size(); ++k) {
            if (k > 0) out.Add('\t');
            out.Add(values[k]);
        }
        out.Add('\n');
    };
    const orvane::pgn::ScanResult scan = orvane::pgn::ScanStream(input.File, options);
    if (scan.Error) {
        out.Discard();
        std::fprintf(stderr, "%s\n", DescribeError(scan.Error, file).c_str());
        return 2;
    }
    return 0;
}

// What went wrong in a game that does not replay: for an illegal move the
// token as written and the window's message, else the kind of load error.
std::string DescribeReplayError(const orvane::ReadError& error) {
    std::string text;
    if (error.Kind == orvane::ReadErrorKind::IllegalMove) {
        text = "illegal move \"" + error.Token + "\" (" + error.Text + ")";
    } else {
        text = orvane::ReadErrorKindText(error.Kind);
        if (!error.Token.empty()) text += " at \"" + error.Token + '"';
        if (!error.Detail.empty()) text += " (" + error.Detail + ')';
    }
    if (error.Ply > 0) text += ", ply " + std::to_string(error.Ply);
    return text;
}

// Replays every game of one input on request.Jobs threads, handing each to
// describe and what it printed, in the file's order, to out and totals.
// Returns 2 when the input cannot be read or holds no PGN games (after
// saying so), else 0.
int ReplayFile(const std::string& file, unsigned jobs, const orvane::pgntool::DescribeGame& describe, Output& out,
               orvane::pgntool::Tally& totals) {
    orvane::ReadError openError;
    const Input input = OpenInput(file, openError);
    if (input.File == nullptr) {
        std::fprintf(stderr, "%s: %s\n", file.c_str(),
                     openError.Kind == orvane::ReadErrorKind::NotRegularFile ? "not a regular file" : "cannot be read");
        return 2;
    }
    const orvane::ReadError scan =
        orvane::pgntool::ReplayGames(input.File, jobs, describe, [&](orvane::pgntool::Tally& tally) {
            out.Add(tally.Out);
            totals.Games += tally.Games;
            totals.Plies += tally.Plies;
            totals.Errors += tally.Errors;
        });
    if (!scan) return 0;
    std::fprintf(stderr, "%s\n", DescribeError(scan, file).c_str());
    return 2;
}

// check FILE...: replays every game; one line per failing game, then the totals.
int CheckCommand(const Request& request) {
    if (request.Files.empty()) {
        std::fprintf(stderr, "usage: orvane-pgn check FILE...\n");
        return 2;
    }
    orvane::pgntool::Tally totals;
    int status = 0;
    Output out;
    for (const std::string& file : request.Files) {
        const orvane::pgntool::DescribeGame describe =
            [&file](const orvane::pgn::GameText& game, const orvane::pgn::ReplayInfo& info,
                    const orvane::GameRecord& record, orvane::pgntool::Tally& tally) {
                ++tally.Games;
                if (!info.Error) {
                    tally.Plies += record.LastPly;
                    return;
                }
                ++tally.Errors;
                const orvane::ReadError& e = info.Error;
                tally.Out += file + ':' + std::to_string(e.Line) + ':' + std::to_string(e.Column) + ": game " +
                             std::to_string(game.Game) + " (" + game.Tags.pgnWhite + " - " + game.Tags.pgnBlack +
                             "): " + DescribeReplayError(e) + '\n';
            };
        const int fileStatus = ReplayFile(file, request.Jobs, describe, out, totals);
        if (fileStatus != 0) status = fileStatus;
    }
    out.Add(std::to_string(totals.Games) + " games, " + std::to_string(totals.Plies) + " plies, " +
            std::to_string(totals.Errors) + " errors\n");
    if (status != 0) return status;
    return totals.Errors > 0 ? 1 : 0;
}

// moves FILE: each game's main line in lower-case coordinate form.
int MovesCommand(const Request& request) {
    if (request.Files.size() != 1) {
        std::fprintf(stderr, "usage: orvane-pgn moves FILE\n");
        return 2;
    }
    const orvane::pgntool::DescribeGame describe = [](const orvane::pgn::GameText& game,
                                                      const orvane::pgn::ReplayInfo& info,
                                                      const orvane::GameRecord& record, orvane::pgntool::Tally& tally) {
        ++tally.Games;
        std::string& line = tally.Out;
        line += std::to_string(game.Game);
        line += ':';
        if (info.Error) {
            ++tally.Errors;
            line += " error: " + DescribeReplayError(info.Error);
        } else {
            for (int ply = 1; ply <= record.LastPly; ++ply) {
                line += ' ';
                line += orvane::Lower(record.ReplayText(ply));
            }
        }
        line += '\n';
    };
    orvane::pgntool::Tally totals;
    Output out;
    const int status = ReplayFile(request.Files[0], request.Jobs, describe, out, totals);
    if (status != 0) return status;
    return totals.Errors > 0 ? 1 : 0;
}

struct Command {
    std::string_view Name;
    std::string_view Usage;
    int (*Run)(const Request& request);
};

const Command Commands[] = {
    {"index", "index FILE        the game index: 27 tab-separated columns per game", IndexCommand},
    {"check", "check FILE...     replay every game; report the games that fail", CheckCommand},
    {"moves", "moves FILE        each game's main line as coordinate moves (e2e4 e7e8q)", MovesCommand},
};

// The usage: on standard output when asked for (exit status 0), else on
// standard error (2).
int Usage(std::FILE* to) {
    std::fprintf(to, "usage: orvane-pgn COMMAND [OPTION]... FILE...\n");
    for (const Command& command : Commands)
        std::fprintf(to, "  %.*s\n", static_cast<int>(command.Usage.size()), command.Usage.data());
    std::fprintf(to,
                 "  a FILE named - is standard input: zstdcat games.pgn.zst | orvane-pgn check -\n"
                 "  -j, --jobs N      replay on N threads (check, moves); default: one per processor\n"
                 "  -h, --help        show this help\n"
                 "  -v, --version     show the version\n");
    return to == stdout ? 0 : 2;
}

// One thread per processor, when the system tells how many there are.
unsigned DefaultJobs() {
    const unsigned processors = std::thread::hardware_concurrency();
    return std::clamp(processors, 1u, orvane::pgntool::MaxJobs);
}

// A number of threads written in decimal, 1 to MaxJobs; 0 when it is not one.
unsigned ReadJobs(std::string_view text) {
    unsigned jobs = 0;
    const auto [end, fault] = std::from_chars(text.data(), text.data() + text.size(), jobs);
    if (fault != std::errc() || end != text.data() + text.size() || jobs > orvane::pgntool::MaxJobs) return 0;
    return jobs;
}

// The arguments after the command: files ("-" among them), -j/--jobs N
// (or --jobs=N) anywhere, and "--", after which every argument is a file.
// problem receives what is wrong with them, if anything.
Request ReadArguments(const Args& args, std::string& problem, bool& help) {
    Request request;
    request.Jobs = DefaultJobs();
    bool options = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!options || arg.size() < 2 || arg[0] != '-') {
            request.Files.push_back(arg);
        } else if (arg == "--") {
            options = false;
        } else if (arg == "-h" || arg == "--help") {
            help = true;
        } else if (arg == "-j" || arg == "--jobs" || arg.starts_with("--jobs=")) {
            const bool inline_value = arg.starts_with("--jobs=");
            if (!inline_value && i + 1 >= args.size()) {
                problem = "option " + arg + " needs a number of threads";
                break;
            }
            const std::string& value = inline_value ? arg.substr(7) : args[++i];
            request.Jobs = ReadJobs(value);
            if (request.Jobs == 0) {
                problem = "option " + arg.substr(0, arg.find('=')) + " takes a number of threads from 1 to " +
                          std::to_string(orvane::pgntool::MaxJobs) + ", not \"" + value + '"';
                break;
            }
        } else {
            problem = "unknown option " + arg;
            break;
        }
    }
    return request;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage(stderr);
    const std::string_view name = argv[1];
    if (name == "-h" || name == "--help") return Usage(stdout);
    if (name == "-v" || name == "--version") {
        std::printf("orvane-pgn %s\n", ORVANE_VERSION);
        return 0;
    }
    for (const Command& command : Commands) {
        if (command.Name != name) continue;
        std::string problem;
        bool help = false;
        const Request request = ReadArguments(Args(argv + 2, argv + argc), problem, help);
        if (help) return Usage(stdout);
        if (!problem.empty()) {
            std::fprintf(stderr, "orvane-pgn: %s\n", problem.c_str());
            return Usage(stderr);
        }
        return command.Run(request);
    }
    return Usage(stderr);
}
