// Whole-file reading and atomic writing of the program's small text files.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/readerror.h"

namespace orvane {

// The whole content of a file, or nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Writes content to a temporary file beside path and renames it over path,
// so a crash or a full disk never leaves a half-written file. A path that is
// a symbolic link is written through: the file it names is replaced and the
// link stays. Returns no error on success, else a WriteFailed error with the
// file (the temporary file when it cannot be created), the system's reason in
// Detail and both in Text ("/games/a.orv: Permission denied").
ReadError WriteFileAtomically(const std::filesystem::path& path, std::string_view content);

// The part of a path after its last "/", the whole path when there is none.
std::string FileNameOf(const std::string& path);

// Whether something exists by that name; false when it cannot be told.
bool FileExists(const std::string& path);

// The process's current folder, or "" when it cannot be told.
std::string CurrentFolder();

// A path whose file name has no extension (no "." after its first
// character, or one only at its end) with extension (".orv") added; any
// other path as it is.
std::string WithDefaultExtension(const std::string& path, std::string_view extension);

// The line end a text uses: that of its first line (CR LF, LF or CR), CR LF
// when it has none.
std::string_view LineEndOf(std::string_view text);

}  // namespace orvane
