// Whole-file reading and atomic writing of the program's small text files.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// The whole content of a file, or nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Writes content to a temporary file beside path and renames it over path,
// so a crash or a full disk never leaves a half-written file. A path that is
// a symbolic link is written through: the file it names is replaced and the
// link stays. Returns an empty text on success, else what went wrong.
std::string WriteFileAtomically(const std::filesystem::path& path, std::string_view content);

}  // namespace orvane
