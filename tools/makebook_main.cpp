// orvane-makebook <book> <openings.tsv>...: builds the opening book
// "orvane.bok" from lists of named openings.
//
// Each list is tab-separated text with a header line and the columns eco,
// name and moves in standard algebraic notation ("1. e4 c5 2. Nf3 d6"). Every
// move is matched to a legal move as the PGN reader matches it and written as
// from-square/to-square ("e2e4"); a move that fits no legal move, or more
// than one, stops the tool with the file and line it came from.
//
// The book gets every listed opening in its names section, shorter move
// sequences first, so that the most particular name of a game comes last and
// wins. Its moves section holds one main line for each of the most common
// opening families, at most MaxBookLines of them: a lookup collects at most
// 101 continuations and gives up beyond that, and at the start of the game
// every book line gives one. Lines that share their first moves are written
// as indented variations.
//
// The shipped book is made with
//   orvane-makebook data/orvane.bok a.tsv b.tsv c.tsv d.tsv e.tsv
#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <exception>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/position.h"
#include "notation/notation.h"
#include "pgn/replay.h"

namespace {

using orvane::MoveRecord;
using orvane::Position;

constexpr std::string_view BookHeader = "ORVANE Version=0.10";
constexpr std::string_view LineEnd = "\r\n";

// At the start of the game every book line contributes its first move, and a
// lookup that collects more than 101 continuations gives up; 100 lines keep
// every lookup, at the start and along every line, within that.
constexpr std::size_t MaxBookLines = 100;

// Book lines of this many plies are long enough to be worth following and
// short enough to stay on well-trodden ground.
constexpr std::size_t ShortestPreferred = 6;
constexpr std::size_t LongestPreferred = 12;

class Failure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One named opening of the lists.
struct Opening {
    std::string Name;
    std::vector<std::string> Moves;  // "e2e4", "c7c5", ...
};

// Plays a game given in standard algebraic notation from the initial
// position and returns its moves as from-square/to-square texts.
std::vector<std::string> Replay(std::string_view text) {
    Position pos;
    std::vector<std::string> moves;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view token = text.substr(start, end - start);
        start = end + 1;
        // Move numbers: "1." and "1...".
        if (token.empty() || token.find_first_not_of("0123456789.") == std::string_view::npos) continue;

        MoveRecord r;
        switch (orvane::pgn::MatchSanMove(pos, token, r)) {
        case orvane::pgn::SanMatch::Found: break;
        case orvane::pgn::SanMatch::Unreadable: throw Failure("cannot read the move \"" + std::string(token) + "\"");
        case orvane::pgn::SanMatch::None: throw Failure("the move \"" + std::string(token) + "\" fits no legal move");
        case orvane::pgn::SanMatch::Several:
            throw Failure("the move \"" + std::string(token) + "\" fits more than one legal move");
        }
        // The matcher does not look at the capture sign; a list must not
        // call a quiet move a capture, nor a capture a quiet move.
        if ((token.find('x') != std::string_view::npos) != (r.Captured != 0))
            throw Failure("the move \"" + std::string(token) + "\" fits no legal move");
        moves.push_back(orvane::SquareNotation(pos, r.Source) + orvane::SquareNotation(pos, r.Dest));
        pos.MoveList[0] = r;
        pos.PerformMove(0);
        pos.InitGameTree();
    }
    if (moves.empty()) throw Failure("no moves");
    return moves;
}

// The tab-separated fields of a line.
std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

void ReadList(const std::string& path, std::vector<Opening>& openings) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Failure(path + ": cannot read the file");
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        const std::vector<std::string_view> fields = Fields(line);
        const std::string where = path + ":" + std::to_string(number) + ": ";
        if (fields.size() != 3) throw Failure(where + "expected eco, name and moves separated by tabs");
        if (number == 1 && fields[0] == "eco") continue;
        Opening opening;
        opening.Name = fields[1];
        // The name stands between "~" marks in the book.
        if (opening.Name.empty() || opening.Name.find_first_of("~\r\n") != std::string::npos)
            throw Failure(where + "the name is empty or holds a \"~\"");
        try {
            opening.Moves = Replay(fields[2]);
        } catch (const Failure& e) {
            throw Failure(where + e.what() + " in \"" + opening.Name + "\": " + std::string(fields[2]));
        }
        openings.push_back(std::move(opening));
    }
    if (in.bad()) throw Failure(path + ": cannot read the file");
}

// "Sicilian Defense" of "Sicilian Defense: Najdorf Variation, English Attack".
std::string_view Family(std::string_view name) { return name.substr(0, name.find(':')); }

// "Najdorf Variation" of the same; "" for a family's own line.
std::string_view Variation(std::string_view name) {
    const std::size_t colon = name.find(':');
    if (colon == std::string_view::npos) return {};
    std::string_view rest = name.substr(colon + 1);
    rest = rest.substr(0, rest.find(','));
    while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    return rest;
}

// How many sub-variations deep a name goes: the commas after the variation.
std::size_t Depth(std::string_view name) { return static_cast<std::size_t>(std::count(name.begin(), name.end(), ',')); }

// How far a line's length lies outside the preferred range.
std::size_t Distance(std::size_t plies) {
    if (plies < ShortestPreferred) return ShortestPreferred - plies;
    if (plies > LongestPreferred) return plies - LongestPreferred;
    return 0;
}

bool IsPrefix(const std::vector<std::string>& shorter, const std::vector<std::string>& longer) {
    return shorter.size() <= longer.size() && std::equal(shorter.begin(), shorter.end(), longer.begin());
}

// The distinct keys in the order they are first seen, each with how often it occurs.
template <typename Key>
std::vector<std::pair<Key, std::size_t>> CountInOrder(const std::vector<Key>& keys) {
    std::vector<std::pair<Key, std::size_t>> counts;
    std::map<Key, std::size_t> index;
    for (const Key& key : keys) {
        const auto [it, added] = index.try_emplace(key, counts.size());
        if (added) counts.emplace_back(key, 0);
        ++counts[it->second].second;
    }
    return counts;
}

// Which of two lines of a variation makes the better book line: the one
// nearer the preferred length, then the variation's own line before its
// sub-variations, then the longer.
bool BetterLine(const Opening& a, const Opening& b) {
    const std::size_t distanceA = Distance(a.Moves.size());
    const std::size_t distanceB = Distance(b.Moves.size());
    if (distanceA != distanceB) return distanceA < distanceB;
    if (Depth(a.Name) != Depth(b.Name)) return Depth(a.Name) < Depth(b.Name);
    return a.Moves.size() > b.Moves.size();
}

// The main line of a family: the best line of its most represented
// variation. Among variations listed equally often the one with a line
// nearer the preferred length wins, then the one listed first.
const Opening& MainLine(const std::vector<const Opening*>& family) {
    std::vector<std::string_view> names;
    for (const Opening* opening : family) names.push_back(Variation(opening->Name));

    struct Candidate {
        std::size_t Count = 0;
        const Opening* Best = nullptr;
    };
    std::vector<Candidate> candidates;
    for (const auto& [variation, count] : CountInOrder(names)) {
        Candidate candidate{count, nullptr};
        for (const Opening* opening : family) {
            if (Variation(opening->Name) != variation) continue;
            if (candidate.Best == nullptr || BetterLine(*opening, *candidate.Best)) candidate.Best = opening;
        }
        candidates.push_back(candidate);
    }
    const auto chosen =
        std::min_element(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
            if (a.Count != b.Count) return a.Count > b.Count;
            return Distance(a.Best->Moves.size()) < Distance(b.Best->Moves.size());
        });
    return *chosen->Best;
}

// The book lines: main lines of the families with the most listed openings,
// none of them the beginning of another.
std::vector<std::vector<std::string>> ChooseLines(const std::vector<Opening>& openings) {
    std::vector<std::string_view> familyOf;
    for (const Opening& opening : openings) familyOf.push_back(Family(opening.Name));
    std::vector<std::pair<std::string_view, std::size_t>> families = CountInOrder(familyOf);
    std::stable_sort(families.begin(), families.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });

    std::vector<std::vector<std::string>> lines;
    for (const auto& [family, count] : families) {
        if (lines.size() == MaxBookLines) break;
        std::vector<const Opening*> members;
        for (const Opening& opening : openings)
            if (Family(opening.Name) == family) members.push_back(&opening);
        const std::vector<std::string>& line = MainLine(members).Moves;
        // A line that ends where another goes on would give the empty
        // continuation there; the longer line covers it.
        if (std::any_of(lines.begin(), lines.end(), [&](const auto& kept) { return IsPrefix(line, kept); })) continue;
        std::erase_if(lines, [&](const auto& kept) { return IsPrefix(kept, line); });
        lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

std::string Joined(const std::vector<std::string>& moves, std::size_t from) {
    std::string text;
    for (std::size_t i = from; i < moves.size(); ++i) {
        if (i > from) text += ' ';
        text += moves[i];
    }
    return text;
}

void WriteBook(const std::string& path, const std::vector<std::vector<std::string>>& lines,
               const std::vector<Opening>& openings) {
    std::string text;
    auto add = [&text](std::string_view line) {
        text += line;
        text += LineEnd;
    };
    add(BookHeader);
    add("start");
    // A line repeats what it shares with the one before as blanks: five
    // columns for each move.
    const std::vector<std::string>* previous = nullptr;
    for (const std::vector<std::string>& line : lines) {
        std::size_t shared = 0;
        if (previous != nullptr)
            while (shared < line.size() && shared < previous->size() && line[shared] == (*previous)[shared]) ++shared;
        if (shared == line.size()) throw Failure("a book line repeats the beginning of the one before");
        add(std::string(5 * shared, ' ') + Joined(line, shared));
        previous = &line;
    }
    add("names");
    // The last name that fits a game wins: the general before the particular.
    std::vector<const Opening*> named;
    for (const Opening& opening : openings) named.push_back(&opening);
    std::stable_sort(named.begin(), named.end(),
                     [](const Opening* a, const Opening* b) { return a->Moves.size() < b->Moves.size(); });
    for (const Opening* opening : named) add(Joined(opening->Moves, 0) + "~" + opening->Name + "~");
    add("end");

    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) throw Failure(path + ": cannot write the book");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: orvane-makebook <book> <openings.tsv>...\n");
        return 2;
    }
    try {
        std::vector<Opening> openings;
        for (int i = 2; i < argc; ++i) ReadList(argv[i], openings);
        const std::vector<std::vector<std::string>> lines = ChooseLines(openings);
        WriteBook(argv[1], lines, openings);
        std::printf("%s: %zu book lines, %zu names\n", argv[1], lines.size(), openings.size());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "orvane-makebook: %s\n", e.what());
        return 1;
    }
    return 0;
}
