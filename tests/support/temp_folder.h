// A fresh folder under the system's temporary folder for one test, named
// after the test, removed with everything in it afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace orvane::testing {

class TempFolder {
public:
    TempFolder() {
        std::string name = "orvane_";
        if (const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info()) {
            name += info->test_suite_name();
            name += '_';
            name += info->name();
            name += '_';
        }
        name += std::to_string(std::random_device{}());
        for (char& c : name)
            if (c == '/') c = '_';
        path_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        // A test may have taken the write permission away.
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace orvane::testing
