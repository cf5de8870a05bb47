#include "common/textfile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>

namespace orvane {

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    // A failed read (a folder opened by this name, an I/O error) throws out
    // of the stream buffer whatever the stream's exception mask says.
    try {
        std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad()) return std::nullopt;
        return content;
    } catch (const std::ios_base::failure&) {
        return std::nullopt;
    }
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
        if (out == nullptr) return WriteError(temp, std::strerror(errno));
        const bool written = std::fwrite(content.data(), 1, content.size(), out) == content.size();
        const bool flushed = std::fflush(out) == 0;
        const bool closed = std::fclose(out) == 0;
        if (!written || !flushed || !closed) {
            std::remove(temp.c_str());
            return WriteError(path, "could not be written");
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
        return WriteError(path, ec.message());
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
