// Reader for move-generation test vectors: "epd <FEN without counters>"
// followed by "perft <depth> <nodes>" lines; "id <name>" names the next
// position; '#' starts a comment line; blank lines are ignored.
#pragma once

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace orvane::testsupport {

struct PerftCount {
    int Depth = 0;
    std::uint64_t Nodes = 0;
};

struct PerftPosition {
    std::string Id;   // from the "id" line before it, else "line <n>"
    std::string Fen;  // the four fields as written
    int Line = 0;     // 1-based line of the "epd" line
    std::vector<PerftCount> Counts;
};

struct PerftFile {
    std::vector<PerftPosition> Positions;
    std::vector<std::string> Problems;  // lines that could not be read, with their numbers
};

inline PerftFile ReadPerftFile(const std::string& path) {
    PerftFile result;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.Problems.push_back("cannot open " + path);
        return result;
    }
    std::string line;
    std::string pendingId;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
        const std::size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        line.erase(0, first);

        std::istringstream words(line);
        std::string keyword;
        words >> keyword;
        if (keyword == "id") {
            words >> pendingId;
        } else if (keyword == "epd") {
            const std::size_t fenAt = line.find_first_not_of(" \t", 3);
            if (fenAt == std::string::npos) {
                result.Problems.push_back("line " + std::to_string(lineNumber) + ": epd without a position");
                continue;
            }
            PerftPosition p;
            p.Line = lineNumber;
            p.Fen = line.substr(fenAt);
            p.Id = pendingId.empty() ? "line " + std::to_string(lineNumber) : pendingId;
            pendingId.clear();
            result.Positions.push_back(std::move(p));
        } else if (keyword == "perft" && !result.Positions.empty()) {
            PerftCount c;
            if (words >> c.Depth >> c.Nodes)
                result.Positions.back().Counts.push_back(c);
            else
                result.Problems.push_back("line " + std::to_string(lineNumber) + ": " + line);
        } else {
            result.Problems.push_back("line " + std::to_string(lineNumber) + ": " + line);
        }
    }
    return result;
}

}  // namespace orvane::testsupport
