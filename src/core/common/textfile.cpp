#include "common/textfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>
#include <utility>

namespace orvane {

FileHandle OpenRegularFile(const std::filesystem::path& path, ReadError& error, FileStamp* stamp) {
    FileHandle none(nullptr, &std::fclose);
    error = {};
    error.File = path.string();
    // Opened without waiting, so a FIFO with no writer does not block; the
    // descriptor's own status then tells what was opened.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error.Kind = ReadErrorKind::FileUnreadable;
        error.Detail = std::strerror(errno);
        return none;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        error.Kind = ReadErrorKind::NotRegularFile;
        error.Detail = "not a regular file";
        return none;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(fd, "rb");
    if (file == nullptr) {
        error.Kind = ReadErrorKind::FileUnreadable;
        error.Detail = std::strerror(errno);
        ::close(fd);
        return none;
    }
    if (stamp != nullptr) {
        stamp->Size = static_cast<std::uintmax_t>(st.st_size);
        stamp->ModifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
        stamp->Device = static_cast<std::uint64_t>(st.st_dev);
        stamp->Inode = static_cast<std::uint64_t>(st.st_ino);
    }
    error.File.clear();
    return FileHandle(file, &std::fclose);
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    ReadError error;
    FileStamp stamp;
    const FileHandle in = OpenRegularFile(path, error, &stamp);
    if (!in) return std::nullopt;
    std::string content;
    content.resize(static_cast<std::size_t>(stamp.Size));
    std::size_t got = std::fread(content.data(), 1, content.size(), in.get());
    content.resize(got);
    // The file may have grown since it was opened.
    char block[1 << 14];
    while ((got = std::fread(block, 1, sizeof block, in.get())) > 0) content.append(block, got);
    if (std::ferror(in.get()) != 0) return std::nullopt;
    return content;
}

namespace {

// The file a path finally names: symbolic links followed (a relative one from
// the link's own folder), up to the system's usual 40 links.
std::filesystem::path FinalTarget(std::filesystem::path path) {
    for (int links = 0; links < 40; ++links) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec))) break;
        const std::filesystem::path next = std::filesystem::read_symlink(path, ec);
        if (ec) break;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

ReadError WriteError(const std::filesystem::path& file, std::string reason) {
    ReadError error;
    error.Kind = ReadErrorKind::WriteFailed;
    error.File = file.string();
    error.Text = error.File + ": " + reason;
    error.Detail = std::move(reason);
    return error;
}

}  // namespace

ReadError WriteFileAtomically(const std::filesystem::path& linkOrFile, std::string_view content) {
    // A link is written through: the file it names is replaced, the link stays.
    const std::filesystem::path path = FinalTarget(linkOrFile);
    std::filesystem::path temp = path;
    temp += ".tmp~";
    {
        std::FILE* out = std::fopen(temp.c_str(), "wb");
        // The new copy goes beside the file; the user knows only the file.
        if (out == nullptr)
            return WriteError(linkOrFile,
                              std::string("cannot be written in its folder (") + std::strerror(errno) + ")");
        const bool written = std::fwrite(content.data(), 1, content.size(), out) == content.size();
        const bool flushed = std::fflush(out) == 0;
        const bool closed = std::fclose(out) == 0;
        if (!written || !flushed || !closed) {
            std::remove(temp.c_str());
            return WriteError(linkOrFile, "could not be written");
        }
    }
    std::error_code ec;
    // The new file keeps the permissions of the one it replaces.
    const std::filesystem::file_status old = std::filesystem::status(path, ec);
    if (!ec && std::filesystem::is_regular_file(old)) std::filesystem::permissions(temp, old.permissions(), ec);
    ec.clear();
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        return WriteError(linkOrFile, ec.message());
    }
    return {};
}

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::path(path), ec);
}

std::string CurrentFolder() {
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::current_path(ec);
    return ec ? std::string() : folder.string();
}

std::string WithDefaultExtension(const std::string& path, std::string_view extension) {
    const std::string name = FileNameOf(path);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0 && dot + 1 < name.size()) return path;
    std::string named = path;
    if (!name.empty() && name.back() == '.') named.pop_back();
    return named + std::string(extension);
}

std::string_view LineEndOf(std::string_view text) {
    const std::size_t end = text.find_first_of("\r\n");
    if (end == std::string_view::npos) return "\r\n";
    if (text[end] == '\n') return "\n";
    return end + 1 < text.size() && text[end + 1] == '\n' ? "\r\n" : "\r";
}

}  // namespace orvane
