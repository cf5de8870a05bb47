// Where the program keeps its files: the user's configuration folder, how
// an install is told from a build folder, and where the data folder is.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "folders.h"
#include "support/temp_folder.h"

namespace orvane::app {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

struct ConfigRow {
    const char* Name;
    const char* XdgConfigHome;
    const char* Home;
    const char* Expected;
};

std::ostream& operator<<(std::ostream& out, const ConfigRow& row) { return out << row.Name; }

class UserConfigFolderTest : public ::testing::TestWithParam<ConfigRow> {};

TEST_P(UserConfigFolderTest, FollowsTheBaseDirectoryRules) {
    const ConfigRow& row = GetParam();
    EXPECT_EQ(UserConfigFolder(row.XdgConfigHome, row.Home), fs::path(row.Expected));
}

INSTANTIATE_TEST_SUITE_P(Rows, UserConfigFolderTest,
                         ::testing::Values(ConfigRow{"XdgConfigHome", "/srv/cfg", "/home/anna", "/srv/cfg/orvane"},
                                           ConfigRow{"HomeWithoutXdg", "", "/home/anna", "/home/anna/.config/orvane"},
                                           ConfigRow{"RootsHome", "", "/root", "/root/.config/orvane"},
                                           // A relative XDG_CONFIG_HOME is ignored, as the rules say.
                                           ConfigRow{"RelativeXdgIgnored", "cfg", "/home/anna",
                                                     "/home/anna/.config/orvane"},
                                           ConfigRow{"NoHome", "", "", ""}, ConfigRow{"RelativeHome", "", "anna", ""}),
                         [](const ::testing::TestParamInfo<ConfigRow>& row) { return std::string(row.param.Name); });

// A folder tree like an install or a build: PREFIX/bin, PREFIX/share/orvane.
class Tree {
public:
    fs::path Make(const std::string& folder) {
        const fs::path path = root_.Path() / folder;
        fs::create_directories(path);
        return path;
    }
    const fs::path& Root() const { return root_.Path(); }

private:
    TempFolder root_;
};

TEST(RunsInstalled, InstallsAreToldFromBuildFolders) {
    Tree tree;
    const fs::path usrBin = tree.Make("usr/bin");
    tree.Make("usr/share/orvane");
    const fs::path buildBin = tree.Make("work/orvane/build/bin");
    const fs::path optBin = tree.Make("opt/orvane/bin");
    tree.Make("opt/orvane/share/orvane");
    const fs::path bareBin = tree.Make("local/bin");

    // An install: share/orvane beside bin, whatever the install folder
    // the build was configured for (an install moved to another prefix).
    EXPECT_TRUE(RunsInstalled(usrBin, "/nonexistent/bin"));
    EXPECT_TRUE(RunsInstalled(optBin, usrBin));
    // The configured bin folder counts even before share/orvane exists.
    EXPECT_TRUE(RunsInstalled(bareBin, bareBin));
    // The same folder reached through a link.
    fs::create_directory_symlink(bareBin, tree.Root() / "bin");
    EXPECT_TRUE(RunsInstalled(tree.Root() / "bin", bareBin));
    // A build folder, even one that can be written, is not an install.
    EXPECT_FALSE(RunsInstalled(buildBin, usrBin));
    EXPECT_FALSE(RunsInstalled(buildBin, ""));
    EXPECT_FALSE(RunsInstalled("", usrBin));
}

TEST(DataFolder, TheOneBesideTheProgramElseTheConfiguredOne) {
    Tree tree;
    const fs::path optBin = tree.Make("opt/orvane/bin");
    const fs::path optData = tree.Make("opt/orvane/share/orvane");
    const fs::path buildBin = tree.Make("build/bin");
    EXPECT_EQ(DataFolder(optBin, "/usr/share/orvane"), fs::canonical(optData));
    EXPECT_EQ(DataFolder(buildBin, "/usr/share/orvane"), fs::path("/usr/share/orvane"));
    EXPECT_EQ(DataFolder("", "/usr/share/orvane"), fs::path("/usr/share/orvane"));
}

}  // namespace
}  // namespace orvane::app
