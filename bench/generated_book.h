// A generated opening book of 3,800 lines in the program's book format, for
// the benchmarks: random games from the start, sorted so that lines share
// their openings, every other branching line written as an indented variation,
// and 300 names lines.
#pragma once

#include <filesystem>
#include <string>

namespace orvane::bench {

struct GeneratedBook {
    std::filesystem::path Folder;  // a fresh temporary folder holding the book
    std::filesystem::path File;    // Folder / "orvane.bok"
    std::string FourPlyKey;        // a four-ply game key with 5..100 continuations
};

GeneratedBook WriteBook();

}  // namespace orvane::bench
