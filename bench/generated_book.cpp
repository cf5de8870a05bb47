#include "generated_book.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "engine/position.h"
#include "notation/notation.h"

namespace orvane::bench {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t BookLines = 3800;
constexpr std::size_t NamesLines = 300;

// One random game of 6 to 14 plies from the start, as book moves "e2e4".
// Early moves favour the first few moves of the generator's order so that
// lines share their openings the way a real book's lines do.
std::vector<std::string> RandomLine(std::mt19937& rng) {
    orvane::Position pos;
    std::vector<std::string> moves;
    const int plies = 6 + static_cast<int>(rng() % 9);
    for (int ply = 0; ply < plies; ++ply) {
        pos.GenerateMoves(1);
        const int first = pos.DepthStart[static_cast<std::size_t>(pos.TreeDepth)];
        const int count = pos.DepthStart[static_cast<std::size_t>(pos.TreeDepth) + 1] - first;
        if (count <= 0) break;
        const auto roll = rng() % 100;
        int pick = roll < 45 ? 0 : roll < 70 ? 1 : roll < 85 ? 2 : static_cast<int>(rng() % 40u);
        pick %= count;
        const int slot = first + pick;
        const orvane::MoveRecord& r = pos.MoveList[static_cast<std::size_t>(slot)];
        moves.push_back(orvane::SquareNotation(pos, r.Source) + orvane::SquareNotation(pos, r.Dest));
        pos.InitGameTree();
        pos.PerformMove(slot);
    }
    return moves;
}

std::string Joined(const std::vector<std::string>& moves, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count && i < moves.size(); ++i) {
        if (i > 0) text += ' ';
        text += moves[i];
    }
    return text;
}

}  // namespace

GeneratedBook WriteBook() {
    std::mt19937 rng(20260508u);
    std::vector<std::vector<std::string>> lines;
    while (lines.size() < BookLines) {
        std::vector<std::string> line = RandomLine(rng);
        if (line.size() >= 6) lines.push_back(std::move(line));
        if (lines.size() == BookLines) {
            std::sort(lines.begin(), lines.end());
            lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
        }
    }

    GeneratedBook book;
    book.Folder = fs::temp_directory_path() / ("orvane_bench_book_" + std::to_string(std::random_device{}()));
    fs::create_directories(book.Folder);
    book.File = book.Folder / "orvane.bok";
    std::ofstream out(book.File, std::ios::binary);
    out << "ORVANE Version=0.10\r\nstart\r\n";

    // Every other line that shares moves with the one above is written as a
    // variation, indented under the move where it branches off.
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string text = Joined(lines[i], lines[i].size());
        std::size_t shared = 0;
        while (shared < lines[i].size() && i > 0 && shared < lines[i - 1].size() &&
               lines[i][shared] == lines[i - 1][shared])
            ++shared;
        if (shared > 0 && shared < lines[i].size() && i % 2 == 0) {
            const std::size_t columns = shared * 5;
            out << std::string(columns, ' ') << text.substr(columns) << "\r\n";
        } else {
            out << text << "\r\n";
        }
    }

    // Names for openings of one to four moves, general before particular.
    std::vector<std::string> prefixes;
    for (std::size_t i = 0; i < NamesLines; ++i) {
        const std::vector<std::string>& line = lines[rng() % lines.size()];
        prefixes.push_back(Joined(line, 1 + rng() % 4));
    }
    std::stable_sort(prefixes.begin(), prefixes.end(),
                     [](const std::string& a, const std::string& b) { return a.size() < b.size(); });
    out << "names\r\n";
    for (std::size_t i = 0; i < prefixes.size(); ++i) out << prefixes[i] << "~Opening " << i << "~\r\n";
    out << "end\r\n";

    // A four-ply game that several lines continue, but fewer than the 101
    // continuations the book keeps.
    for (const std::vector<std::string>& line : lines) {
        const std::string key = Joined(line, 4);
        const auto following = std::count_if(
            lines.begin(), lines.end(), [&](const std::vector<std::string>& other) { return Joined(other, 4) == key; });
        if (following >= 5 && following <= 100) {
            book.FourPlyKey = key;
            break;
        }
    }
    return book;
}

}  // namespace orvane::bench
