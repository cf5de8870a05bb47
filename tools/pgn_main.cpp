// orvane-pgn COMMAND FILE...: the program's PGN reading from the command
// line. One function per command; each returns the exit status (0 done,
// 1 some game does not replay, 2 a file cannot be read or is not PGN).
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/readerror.h"
#include "common/textfile.h"
#include "notation/notation.h"
#include "pgn/collection.h"
#include "pgn/replay.h"

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

private:
    std::string buffer_;
};

// index FILE: the game index, a header line and one tab-separated row per game.
int IndexCommand(const Args& files) {
    if (files.size() != 1) {
        std::fprintf(stderr, "usage: orvane-pgn index FILE\n");
        return 2;
    }
    const orvane::pgn::ScanResult scan = orvane::pgn::ScanFile(files[0]);
    if (scan.Error) {
        std::fprintf(stderr, "%s\n", DescribeError(scan.Error, files[0]).c_str());
        return 2;
    }
    Output out;
    for (int k = 1; k <= orvane::pgn::IndexColumns; ++k) {
        if (k > 1) out.Add('\t');
        out.Add(orvane::pgn::IndexHeaders[static_cast<std::size_t>(k - 1)]);
    }
    out.Add('\n');
    for (long game = 1; game <= scan.Index.Count; ++game) {
        for (int k = 1; k <= orvane::pgn::IndexColumns; ++k) {
            if (k > 1) out.Add('\t');
            out.Add(scan.Index.Cell(game, k));
        }
        out.Add('\n');
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

// The bytes of a whole file, read in large blocks; nothing, after saying
// why, when it cannot be opened or read or is not a regular file (a folder,
// a FIFO, a device: refused before anything is read from it).
std::optional<std::string> ReadFile(const std::string& file) {
    orvane::ReadError error;
    const orvane::FileHandle in = orvane::OpenRegularFile(file, error);
    if (!in) {
        std::fprintf(stderr, "%s: %s\n", file.c_str(),
                     error.Kind == orvane::ReadErrorKind::NotRegularFile ? "not a regular file" : "cannot be read");
        return std::nullopt;
    }
    std::string bytes;
    std::vector<char> block(1 << 20);
    std::size_t n;
    while ((n = std::fread(block.data(), 1, block.size(), in.get())) > 0) bytes.append(block.data(), n);
    if (std::ferror(in.get()) != 0) {
        std::fprintf(stderr, "%s: cannot be read\n", file.c_str());
        return std::nullopt;
    }
    return bytes;
}

// Replays every game of one file, handing each to `done`. Returns 2 when the
// file cannot be read or holds no PGN games (after saying so), else 0.
template <typename Done>
int ReplayFile(const std::string& file, Done&& done) {
    const std::optional<std::string> bytes = ReadFile(file);
    if (!bytes) return 2;
    orvane::Position pos;
    orvane::GameRecord record;
    orvane::MoveInput input;
    orvane::pgn::ReplayOptions options;
    options.FinalMoveList = false;  // the tools never show the available moves
    const orvane::ReadError scan = orvane::pgn::ForEachGame(*bytes, [&](orvane::pgn::GameText& game) {
        const orvane::pgn::ReplayInfo info = orvane::pgn::ReplayGame(game, pos, record, input, options);
        done(game, info, record);
        return true;
    });
    if (scan) {
        orvane::ReadError named = scan;
        if (scan.Kind == orvane::ReadErrorKind::NotPgn) {
            std::fprintf(stderr, "%s is not a PGN file\n", file.c_str());
        } else if (scan.Kind == orvane::ReadErrorKind::NoGames) {
            std::fprintf(stderr, "%s: No games found!\n", file.c_str());
        } else {
            std::fprintf(stderr, "%s\n", DescribeError(scan, file).c_str());
        }
        return 2;
    }
    return 0;
}

// check FILE...: replays every game; one line per failing game, then the totals.
int CheckCommand(const Args& files) {
    if (files.empty()) {
        std::fprintf(stderr, "usage: orvane-pgn check FILE...\n");
        return 2;
    }
    long games = 0, plies = 0, errors = 0;
    int status = 0;
    Output out;
    for (const std::string& file : files) {
        const int fileStatus =
            ReplayFile(file, [&](const orvane::pgn::GameText& game, const orvane::pgn::ReplayInfo& info,
                                 const orvane::GameRecord& record) {
                ++games;
                if (!info.Error) plies += record.LastPly;
                if (!info.Error) return;
                ++errors;
                const orvane::ReadError& e = info.Error;
                std::string line = file + ':' + std::to_string(e.Line) + ':' + std::to_string(e.Column) + ": game " +
                                   std::to_string(game.Game) + " (" + game.Tags.pgnWhite + " - " + game.Tags.pgnBlack +
                                   "): " + DescribeReplayError(e) + '\n';
                out.Add(line);
            });
        if (fileStatus != 0) status = fileStatus;
    }
    out.Add(std::to_string(games) + " games, " + std::to_string(plies) + " plies, " + std::to_string(errors) +
            " errors\n");
    if (status != 0) return status;
    return errors > 0 ? 1 : 0;
}

// moves FILE: each game's main line in lower-case coordinate form.
int MovesCommand(const Args& files) {
    if (files.size() != 1) {
        std::fprintf(stderr, "usage: orvane-pgn moves FILE\n");
        return 2;
    }
    bool failed = false;
    Output out;
    const int status = ReplayFile(files[0], [&](const orvane::pgn::GameText& game, const orvane::pgn::ReplayInfo& info,
                                                const orvane::GameRecord& record) {
        std::string line = std::to_string(game.Game) + ':';
        if (info.Error) {
            failed = true;
            line += " error: " + DescribeReplayError(info.Error);
        } else {
            for (int ply = 1; ply <= record.LastPly; ++ply) {
                line += ' ';
                line += orvane::Lower(record.ReplayText(ply));
            }
        }
        line += '\n';
        out.Add(line);
    });
    if (status != 0) return status;
    return failed ? 1 : 0;
}

struct Command {
    std::string_view Name;
    std::string_view Usage;
    int (*Run)(const Args& files);
};

const Command Commands[] = {
    {"index", "index FILE        the game index: 27 tab-separated columns per game", IndexCommand},
    {"check", "check FILE...     replay every game; report the games that fail", CheckCommand},
    {"moves", "moves FILE        each game's main line as coordinate moves (e2e4 e7e8q)", MovesCommand},
};

// The usage: on standard output when asked for (exit status 0), else on
// standard error (2).
int Usage(std::FILE* to) {
    std::fprintf(to, "usage: orvane-pgn COMMAND FILE...\n");
    for (const Command& command : Commands)
        std::fprintf(to, "  %.*s\n", static_cast<int>(command.Usage.size()), command.Usage.data());
    std::fprintf(to, "  -h, --help        show this help\n  -v, --version     show the version\n");
    return to == stdout ? 0 : 2;
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
    const Args files(argv + 2, argv + argc);
    for (const Command& command : Commands)
        if (command.Name == name) return command.Run(files);
    return Usage(stderr);
}
