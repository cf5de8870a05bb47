// Where the program keeps its files, decided from plain values so that the
// rules can be tested without the toolkit: the user's configuration folder,
// whether the program runs from an install, and its data folder.
#pragma once

#include <filesystem>
#include <string_view>

namespace orvane::app {

// The program's folder in the user's configuration folder:
// $XDG_CONFIG_HOME/orvane when that variable holds an absolute path (a
// relative one is ignored, as the base directory rules say), else
// HOME/.config/orvane. Empty when neither gives an absolute path.
std::filesystem::path UserConfigFolder(std::string_view xdgConfigHome, std::string_view home);

// True when the program runs from an install rather than from a build
// folder: its folder is the install's bin folder (installBinFolder), or a
// "share/orvane" folder lies beside it (PREFIX/bin next to
// PREFIX/share/orvane, so an install moved to another prefix counts too).
// Whether the folder can be written does not matter: root can write /usr/bin.
bool RunsInstalled(const std::filesystem::path& programFolder, const std::filesystem::path& installBinFolder);

// The installed data folder: PREFIX/share/orvane beside the program when it
// exists, else installDataFolder (the folder the build was configured for).
std::filesystem::path DataFolder(const std::filesystem::path& programFolder,
                                 const std::filesystem::path& installDataFolder);

}  // namespace orvane::app
