// orvane-pgn COMMAND FILE...: the program's PGN reading from the command
// line. One function per command; each returns the exit status (0 done,
// 2 a file cannot be read or is not PGN).
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "common/readerror.h"
#include "pgn/collection.h"

namespace {

using Args = std::vector<std::string>;

// The text the tools print for a failure: the window's own words where the
// program has them, otherwise FILE:LINE:COLUMN: game N: what went wrong.
std::string DescribeError(const orvane::ReadError& error, const std::string& file) {
    using orvane::ReadErrorKind;
    switch (error.Kind) {
    case ReadErrorKind::NotPgn: return file + " is not a PGN file";
    case ReadErrorKind::NoGames: return file + ": No games found!";
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

struct Command {
    std::string_view Name;
    std::string_view Usage;
    int (*Run)(const Args& files);
};

const Command Commands[] = {
    {"index", "index FILE        the game index: 27 tab-separated columns per game", IndexCommand},
};

int Usage() {
    std::fprintf(stderr, "usage: orvane-pgn COMMAND FILE...\n");
    for (const Command& command : Commands)
        std::fprintf(stderr, "  %.*s\n", static_cast<int>(command.Usage.size()), command.Usage.data());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::string_view name = argv[1];
    const Args files(argv + 2, argv + argc);
    for (const Command& command : Commands)
        if (command.Name == name) return command.Run(files);
    return Usage();
}
