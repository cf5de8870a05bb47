// Text from files becomes the program's one inner encoding, UTF-8, as it is
// read: bytes that are valid UTF-8 stay as they are, any other bytes are
// taken as Windows-1252 (the code page of older desktop databases).
#pragma once

#include <string>
#include <string_view>

namespace orvane {

// Whether bytes are well-formed UTF-8 (no overlong forms, no surrogates,
// nothing beyond U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Windows-1252 bytes as UTF-8. The five bytes the code page leaves
// unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) keep their own code point.
std::string Windows1252ToUtf8(std::string_view bytes);

// Text read from a file as UTF-8: the bytes themselves when they are valid
// UTF-8, else their Windows-1252 reading.
std::string DecodeText(std::string_view bytes);

// The same in place, for text that is usually plain ASCII.
void DecodeTextInPlace(std::string& text);

// UTF-8 text as Windows-1252 bytes, for a file kept in that code page.
// False (and out unspecified) when the text is not valid UTF-8 or holds a
// character the code page does not have.
bool Utf8ToWindows1252(std::string_view text, std::string& out);

// The UTF-8 byte-order mark at the start of a file, which no text keeps.
inline constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace orvane
