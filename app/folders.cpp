#include "folders.h"

#include <system_error>

namespace orvane::app {

namespace fs = std::filesystem;

namespace {

// The data folder an install puts beside its bin folder.
fs::path ShareBeside(const fs::path& programFolder) { return programFolder / ".." / "share" / "orvane"; }

}  // namespace

fs::path UserConfigFolder(std::string_view xdgConfigHome, std::string_view home) {
    const fs::path xdg(xdgConfigHome);
    if (xdg.is_absolute()) return xdg / "orvane";
    const fs::path homeFolder(home);
    if (homeFolder.is_absolute()) return homeFolder / ".config" / "orvane";
    return {};
}

bool RunsInstalled(const fs::path& programFolder, const fs::path& installBinFolder) {
    if (programFolder.empty()) return false;
    std::error_code ec;
    if (!installBinFolder.empty() && fs::equivalent(programFolder, installBinFolder, ec)) return true;
    return fs::is_directory(ShareBeside(programFolder), ec);
}

fs::path DataFolder(const fs::path& programFolder, const fs::path& installDataFolder) {
    std::error_code ec;
    const fs::path beside = ShareBeside(programFolder);
    if (!programFolder.empty() && fs::is_directory(beside, ec)) {
        const fs::path canonical = fs::canonical(beside, ec);
        if (!ec) return canonical;
    }
    return installDataFolder;
}

}  // namespace orvane::app
