// What the harnesses share: a scratch folder of their own for the readers
// that take a file, and a way to stop with a message when a property fails.
#pragma once

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>

namespace orvane::fuzz {

// A property of the code under test does not hold: report it and abort, which
// libFuzzer records as a crash together with the input.
[[noreturn]] inline void Fail(const std::string& what) {
    std::fprintf(stderr, "property failed: %s\n", what.c_str());
    std::abort();
}

// For fixed texts; a text that is put together is built only on failure:
// `if (!holds) Fail(...)`.
inline void Require(bool holds, const char* what) {
    if (!holds) Fail(what);
}

// The input as text.
inline std::string_view Text(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A folder for this process (parallel jobs each get their own) in memory
// where the system offers it, else under the temporary folder; removed when
// the process ends normally.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name) {
        std::error_code ec;
        std::filesystem::path base = "/dev/shm";
        if (::access(base.c_str(), W_OK) != 0) base = std::filesystem::temp_directory_path(ec);
        // A run that stopped at a finding leaves its folder behind: remove
        // those of processes that are gone.
        const std::string prefix = "orvane-fuzz-" + name + "-";
        for (const auto& entry : std::filesystem::directory_iterator(base, ec)) {
            const std::string file = entry.path().filename().string();
            if (file.rfind(prefix, 0) != 0) continue;
            const std::string pid = file.substr(prefix.size());
            if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos) continue;
            if (::kill(static_cast<pid_t>(std::stol(pid)), 0) != 0 && errno == ESRCH)
                std::filesystem::remove_all(entry.path(), ec);
        }
        path_ = base / (prefix + std::to_string(::getpid()));
        std::filesystem::remove_all(path_, ec);
        std::filesystem::create_directories(path_, ec);
        if (ec) Fail("cannot create " + path_.string() + ": " + ec.message());
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// The input as an open file, read and sought in memory (fmemopen), for the
// readers that take an open file: nothing touches the disk. The bytes stay
// the caller's and must outlive it; an empty input is an empty file.
class MemoryFile {
public:
    explicit MemoryFile(std::string_view bytes)
        : file_(::fmemopen(bytes.empty() ? empty_ : const_cast<char*>(bytes.data()), bytes.size(), "rb")) {
        if (file_ == nullptr) Fail("cannot open the input in memory: " + std::string(std::strerror(errno)));
        // Unbuffered: the bytes are in memory already, and a buffer would be
        // allocated for every input.
        std::setvbuf(file_, nullptr, _IONBF, 0);
    }
    ~MemoryFile() { std::fclose(file_); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;
    std::FILE* Get() const { return file_; }

private:
    char empty_[1] = {};  // a buffer for the empty input, which may have none
    std::FILE* file_;
};

// Replaces a file's content with the bytes given.
inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) Fail("cannot write " + path.string());
}

// The bytes of a file of the source tree, "" when it is not there.
inline std::string SourceFile(const std::string& relative) {
    std::ifstream in(std::filesystem::path(ORVANE_SOURCE_DIR) / relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Reads the input a byte at a time; zeros once it is used up.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Done() const { return next_ >= size_; }
    std::uint8_t Next() { return next_ < size_ ? data_[next_++] : 0; }
    // A value 0..n-1 (n > 0).
    int Pick(int n) { return static_cast<int>(Next() % static_cast<unsigned>(n)); }
    // A signed value -128..127.
    int Signed() { return static_cast<int>(Next()) - 128; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t next_ = 0;
};

}  // namespace orvane::fuzz
