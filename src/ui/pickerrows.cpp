#include "ui/pickerrows.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

#include "common/encoding.h"
#include "common/index.h"

namespace orvane::ui {

namespace {

// The lower-case letter of a code point written in two UTF-8 bytes
// (U+0080..U+07FF), where that letter is written in two bytes too.
char32_t LowerTwoByte(char32_t c) {
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;  // Latin-1: A with grave .. Thorn
    // Latin Extended-A pairs capital, small. U+0130 (capital I with dot)
    // has a one-byte small letter and stays.
    if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c | 1;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) != 0 ? c + 1 : c;
    if (c == 0x178) return 0xFF;                                  // Y with diaeresis
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 0x20;  // Greek capitals
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;                // Cyrillic with marks
    if (c >= 0x410 && c <= 0x42F) return c + 0x20;                // Cyrillic basic
    return c;
}

void FoldInPlace(std::string& text, std::size_t from) {
    for (std::size_t i = from; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            if (byte >= 'A' && byte <= 'Z') text[i] = static_cast<char>(byte + ('a' - 'A'));
            continue;
        }
        // A two-byte sequence: a lead byte 0xC2..0xDF and one continuation.
        if (byte < 0xC2 || byte > 0xDF || i + 1 >= text.size()) continue;
        const auto next = static_cast<unsigned char>(text[i + 1]);
        if ((next & 0xC0) != 0x80) continue;
        const char32_t c = (static_cast<char32_t>(byte & 0x1F) << 6) | (next & 0x3F);
        const char32_t lower = LowerTwoByte(c);
        if (lower != c) {
            text[i] = static_cast<char>(0xC0 | (lower >> 6));
            text[i + 1] = static_cast<char>(0x80 | (lower & 0x3F));
        }
        ++i;
    }
}

// A cell as the picker shows it, as UTF-8.
void AppendShown(std::string& out, std::string_view cell) {
    const bool ascii =
        std::all_of(cell.begin(), cell.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii || IsValidUtf8(cell))
        out.append(cell);
    else
        out += Windows1252ToUtf8(cell);
}

// The columns whose values are numbers or dates: Number, Date, Round,
// WhiteElo, BlackElo, PlyCount, EventDate, SourceDate.
bool NumberLike(int column) {
    switch (column) {
    case 1:
    case 4:
    case 5:
    case 11:
    case 12:
    case 14:
    case 15:
    case 23: return true;
    default: return false;
    }
}

struct SortKey {
    int Rank = 2;  // 0: begins with a digit, 1: other text, 2: empty
    std::array<std::int64_t, 3> Parts{};
    std::string Text;  // folded, for text and for ties
};

// The key of one cell: for a value that begins with a digit in a column of
// numbers or dates, its first three parts between dots as numbers ("??" or
// no digits count 0), so "1995.??.??" < "1995.03.12" and "2.9" < "2.10".
SortKey KeyOf(std::string_view cell, bool numberLike) {
    SortKey key;
    std::string text;
    AppendShown(text, cell);
    FoldInPlace(text, 0);
    key.Text = std::move(text);
    if (key.Text.empty()) return key;
    key.Rank = 1;
    if (!numberLike || key.Text[0] < '0' || key.Text[0] > '9') return key;
    key.Rank = 0;
    std::size_t at = 0;
    for (std::size_t part = 0; part < key.Parts.size() && at < key.Text.size(); ++part) {
        std::int64_t value = 0;
        while (at < key.Text.size() && key.Text[at] >= '0' && key.Text[at] <= '9') {
            // Longer numbers than any tag holds all count as the largest.
            if (value < 100'000'000'000'000'000) value = value * 10 + (key.Text[at] - '0');
            ++at;
        }
        key.Parts[part] = value;
        at = key.Text.find('.', at);
        if (at == std::string::npos) break;
        ++at;
    }
    return key;
}

}  // namespace

std::string FoldCase(std::string_view utf8) {
    std::string text(utf8);
    FoldInPlace(text, 0);
    return text;
}

PickerRows::PickerRows(const pgn::GameIndex& index, const std::array<bool, pgn::IndexColumns>& visible)
    : index_(index), visible_(visible) {
    const long games = std::max(0L, index.Count);
    rowEnd_.reserve(static_cast<std::size_t>(games));
    folded_.reserve(index.CellText.size() + static_cast<std::size_t>(games) * 40);
    for (long game = 1; game <= games; ++game) {
        for (int k = 1; k <= pgn::IndexColumns; ++k) {
            if (!visible_[At(k - 1)]) continue;
            AppendShown(folded_, index.Cell(game, k));
            folded_ += "   \n";
        }
        rowEnd_.push_back(folded_.size());
    }
    FoldInPlace(folded_, 0);
    order_.resize(static_cast<std::size_t>(games));
    std::iota(order_.begin(), order_.end(), 1L);
    kept_.assign(static_cast<std::size_t>(games) + 1, 1);
    shown_ = order_;
}

long PickerRows::GameAt(long row) const {
    if (row < 0 || row >= Count()) return 0;
    return shown_[static_cast<std::size_t>(row)];
}

long PickerRows::RowOf(long game) const {
    const auto found = std::find(shown_.begin(), shown_.end(), game);
    return found == shown_.end() ? -1 : static_cast<long>(found - shown_.begin());
}

void PickerRows::SetFilter(std::string_view text) {
    filter_ = std::string(text);
    std::string pattern;
    AppendShown(pattern, text);
    FoldInPlace(pattern, 0);

    if (pattern.empty()) {
        std::fill(kept_.begin(), kept_.end(), 1);
    } else {
        std::fill(kept_.begin(), kept_.end(), 0);
        // A line feed ends every cell, so a text that holds one is in none.
        if (pattern.find('\n') == std::string::npos) {
            // One pass over all rows' text: each match marks its game, and
            // the search goes on at the next game's text.
            const std::string_view all(folded_);
            std::size_t row = 0;
            std::size_t at = all.find(pattern);
            while (at != std::string_view::npos) {
                while (rowEnd_[row] <= at) ++row;
                kept_[row + 1] = 1;
                at = all.find(pattern, rowEnd_[row]);
            }
        }
    }
    ApplyFilter();
}

void PickerRows::SortBy(int column, bool descending) {
    const long games = static_cast<long>(order_.size());
    sortColumn_ = column >= 1 && column <= pgn::IndexColumns ? column : 0;
    descending_ = sortColumn_ != 0 && descending;
    std::iota(order_.begin(), order_.end(), 1L);
    if (sortColumn_ == 1 && descending_) std::reverse(order_.begin(), order_.end());
    if (sortColumn_ > 1) {
        std::vector<SortKey> keys(static_cast<std::size_t>(games) + 1);
        const bool numberLike = NumberLike(sortColumn_);
        for (long game = 1; game <= games; ++game)
            keys[static_cast<std::size_t>(game)] = KeyOf(index_.Cell(game, sortColumn_), numberLike);
        const bool down = descending_;
        std::sort(order_.begin(), order_.end(), [&keys, down](long a, long b) {
            const SortKey& x = keys[static_cast<std::size_t>(a)];
            const SortKey& y = keys[static_cast<std::size_t>(b)];
            if (x.Rank != y.Rank) return x.Rank < y.Rank;
            if (x.Parts != y.Parts) return down ? y.Parts < x.Parts : x.Parts < y.Parts;
            if (const int text = x.Text.compare(y.Text); text != 0) return down ? text > 0 : text < 0;
            return a < b;
        });
    }
    ApplyFilter();
}

void PickerRows::ApplyFilter() {
    shown_.clear();
    for (const long game : order_)
        if (kept_[static_cast<std::size_t>(game)] != 0) shown_.push_back(game);
}

}  // namespace orvane::ui
