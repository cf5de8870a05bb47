// Whole-file reading and atomic writing of the program's small text files.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/readerror.h"

namespace orvane {

// What a file was when it was read: its size, its last change and its
// identity, so that a later read can tell whether it still reads the same file.
struct FileStamp {
    std::uintmax_t Size = 0;
    std::int64_t ModifiedNs = 0;  // nanoseconds since the epoch
    std::uint64_t Device = 0;
    std::uint64_t Inode = 0;
    bool operator==(const FileStamp&) const = default;
};

using FileHandle = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// Opens a file for reading. Anything that is not a regular file (a folder, a
// FIFO, a device) is refused at once with NotRegularFile, without waiting
// for a writer; a file that cannot be opened gives FileUnreadable with the
// system's reason in Detail. Both errors name the file. stamp, when given,
// receives the opened file's stamp.
FileHandle OpenRegularFile(const std::filesystem::path& path, ReadError& error, FileStamp* stamp = nullptr);

// The whole content of a file, or nothing when it cannot be opened or read
// or is not a regular file.
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

// A path whose file name has no extension (no "." after its first
// character, or one only at its end) with extension (".orv") added; any
// other path as it is.
std::string WithDefaultExtension(const std::string& path, std::string_view extension);

// The line end a text uses: that of its first line (CR LF, LF or CR), CR LF
// when it has none.
std::string_view LineEndOf(std::string_view text);

}  // namespace orvane
