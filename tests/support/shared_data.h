// Where the shared test data lives: the folder ../shared/data beside the
// project root. A user's clone has no such folder, so every test or benchmark
// that reads it checks for the file first and skips with SharedDataMissing's
// text when it is absent.
//
// Targets that include this header define ORVANE_SOURCE_DIR as the project
// root (CMAKE_SOURCE_DIR).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#ifndef ORVANE_SOURCE_DIR
#error "ORVANE_SOURCE_DIR must name the project root"
#endif

namespace orvane::testsupport {

// <project root>/../shared/data
inline std::filesystem::path SharedDataDir() {
    return (std::filesystem::path(ORVANE_SOURCE_DIR) / ".." / "shared" / "data").lexically_normal();
}

// A file below the shared data folder, e.g. SharedDataFile("perft/tricky.perft").
inline std::filesystem::path SharedDataFile(std::string_view relative) {
    return SharedDataDir() / std::filesystem::path(relative);
}

// True when the file exists as a regular file.
inline bool SharedDataPresent(const std::filesystem::path& file) {
    std::error_code ec;
    return std::filesystem::is_regular_file(file, ec);
}

// Debug and sanitizer builds (which check the position after every move)
// run the tests about ten times slower: tests that go through every game of
// the collections several times over take every n-th game there, every game
// in the other builds.
#ifdef ORVANE_CHECK_INVARIANTS
inline constexpr long SlowBuildSample = 8;
#else
inline constexpr long SlowBuildSample = 1;
#endif

// The skip message for a missing data file.
inline std::string SharedDataMissing(const std::filesystem::path& file) {
    return "shared test data not found: " + file.string() +
           " (expected in ../shared/data beside the project root; skipped)";
}

}  // namespace orvane::testsupport
