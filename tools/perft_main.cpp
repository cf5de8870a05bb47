// orvane-perft [--divide] <depth> [<FEN>]: counts the leaf nodes of the legal
// move tree of a position with the program's own move generator.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/perft.h"
#include "engine/position.h"
#include "notation/notation.h"

namespace {

// The usage: on standard output when asked for (exit status 0), else on
// standard error (2).
int Usage(std::FILE* to = stderr) {
    std::fprintf(to,
                 "usage: orvane-perft [--divide] <depth> [<FEN>]\n"
                 "  --divide       the count below each legal move first, then the total\n"
                 "  -h, --help     show this help\n"
                 "  -v, --version  show the version\n");
    return to == stdout ? 0 : 2;
}

// Coordinate text of a move in lower case, with the promotion letter: e7e8q.
std::string Coordinates(const orvane::Position& pos, const orvane::MoveRecord& r) {
    std::string text = orvane::SquareNotation(pos, r.Source) + orvane::SquareNotation(pos, r.Dest);
    if (r.Promotion != 0)
        text += orvane::Lower(std::string(1, orvane::PieceLetter[static_cast<std::size_t>(r.Promotion)]));
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    bool divide = false;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--divide") {
            divide = true;
        } else if (arg == "-h" || arg == "--help") {
            return Usage(stdout);
        } else if (arg == "-v" || arg == "--version") {
            std::printf("orvane-perft %s\n", ORVANE_VERSION);
            return 0;
        } else if (arg.size() > 1 && arg[0] == '-' && (arg[1] < '0' || arg[1] > '9')) {
            return Usage();  // an unknown option; "-1" is a depth, refused below
        } else {
            args.push_back(arg);
        }
    }
    if (args.empty() || args.size() > 2) return Usage();

    char* end = nullptr;
    const long depth = std::strtol(args[0].c_str(), &end, 10);
    if (end == args[0].c_str() || *end != '\0' || depth < 0 || depth > 20) return Usage();

    orvane::Position pos;
    if (args.size() == 2) {
        if (const orvane::ReadError err = pos.ReadFen(args[1])) {
            std::fprintf(stderr, "orvane-perft: bad FEN: %s (field %d, character %ld)\n",
                         orvane::ReadErrorKindText(err.Kind), err.Field, err.Column);
            return 2;
        }
    }

    try {
        std::uint64_t total = 0;
        if (divide && depth > 0) {
            pos.GenerateMoves(1);
            const int first = pos.DepthStart[0];
            const int last = pos.DepthStart[1];
            for (int i = first; i < last; ++i) {
                const orvane::MoveRecord r = pos.MoveList[static_cast<std::size_t>(i)];
                pos.PerformMove(i);
                const std::uint64_t nodes = orvane::Perft(pos, static_cast<int>(depth) - 1);
                pos.TakeBackMove(i);
                total += nodes;
                std::printf("%s %llu\n", Coordinates(pos, r).c_str(), static_cast<unsigned long long>(nodes));
            }
        } else {
            total = orvane::Perft(pos, static_cast<int>(depth));
        }
        std::printf("%llu\n", static_cast<unsigned long long>(total));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "orvane-perft: %s\n", e.what());
        return 1;
    }
    return 0;
}
