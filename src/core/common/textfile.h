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
// path as given (never the temporary file, which the user does not know),
// the system's reason in Detail and both in Text ("/games/a.orv: Permission
// denied").
ReadError WriteFileAtomically(const std::filesystem::path& path, std::string_view content);

// The part of a path after its last "/", the whole path when there is none.
std::string FileNameOf(const std::string& path);

// Whether something exists by that name; false when it cannot be told.
bool FileExists(const std::string& path);

// The process's current folder, or "" when it cannot be told.
std::string CurrentFolder();

}  // namespace orvane
