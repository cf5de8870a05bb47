// The rows the game picker shows: the games of a collection's index that
// hold the filter text in one of their visible cells, in the order of the
// column the user sorted by. The Qt picker and the recording view both show
// their rows through it, so the filter and the order are the same in both.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "pgn/collection.h"

namespace orvane::ui {

// Text for comparing without regard to case: ASCII letters and the letters
// of Latin-1, Latin Extended-A, Greek and Cyrillic written in UTF-8 become
// lower case; every other byte stays as it is. The result is as long as the
// text.
std::string FoldCase(std::string_view utf8);

class PickerRows {
public:
    // The rows of every game in file order. visible[k - 1] tells whether
    // column k is shown; only shown cells count for the filter.
    PickerRows(const pgn::GameIndex& index, const std::array<bool, pgn::IndexColumns>& visible);

    // Keeps the games that contain text in a visible cell as the picker
    // shows it (the value followed by three spaces), ignoring case; "" keeps
    // every game. The rows keep the current order.
    void SetFilter(std::string_view text);
    const std::string& Filter() const { return filter_; }

    // Orders the rows by column 1..27. Column 1 (Number) is the file's order
    // (descending: the last game first). Dates, rounds, Elo ratings and ply
    // counts compare as numbers part by part ("1995.??.??" before
    // "1995.03.12", round "2.10" after "2.9"); other columns compare as text
    // ignoring case. Empty cells come last in either direction, and games
    // that compare equal keep their file order. Another column number
    // restores the file's order.
    void SortBy(int column, bool descending);
    int SortColumn() const { return sortColumn_; }  // 0 before any sort
    bool Descending() const { return descending_; }

    // The number of games in the index, and of the rows shown.
    long Total() const { return index_.Count; }
    long Count() const { return static_cast<long>(shown_.size()); }
    // The game number (1-based) of row 0..Count() - 1; 0 outside.
    long GameAt(long row) const;
    // The row that shows a game, -1 when the filter hides it.
    long RowOf(long game) const;

private:
    void ApplyFilter();

    const pgn::GameIndex& index_;
    std::array<bool, pgn::IndexColumns> visible_;
    // Every game's visible cells as shown, case folded, each cell ended by
    // a line feed (which no cell holds); game g ends at rowEnd_[g - 1].
    std::string folded_;
    std::vector<std::size_t> rowEnd_;
    std::string filter_;
    std::vector<unsigned char> kept_;  // by game number: the filter keeps it
    std::vector<long> order_;          // every game in the sort order
    std::vector<long> shown_;          // the games of order_ the filter keeps
    int sortColumn_ = 0;
    bool descending_ = false;
};

}  // namespace orvane::ui
