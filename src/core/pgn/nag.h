// Texts of the numeric annotation glyphs ($1 .. $139).
#pragma once

#include <string_view>

namespace orvane::pgn {

// The text of glyph n for 1 <= n <= 139 ("good move" for 1), "" otherwise.
std::string_view NagText(int n);

}  // namespace orvane::pgn
