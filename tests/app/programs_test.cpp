// The three installed programs as a user runs them: --help on standard
// output with status 0, --version, and an unknown option with the usage on
// standard error and status 2. The window program answers without a display.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "common/textfile.h"
#include "drive/driver.h"
#include "support/temp_folder.h"

namespace orvane::app {
namespace {

namespace fs = std::filesystem;

struct Ran {
    int Status = -1;
    std::string Out, Err;
};

// Runs program with args (passed to the shell as they stand) with no display
// of any kind in its environment.
Ran RunProgram(const std::string& program, const std::string& args) {
    testing::TempFolder dir;
    const fs::path out = dir.Path() / "out";
    const fs::path err = dir.Path() / "err";
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" + program + "' " + args +
                                " >'" + out.string() + "' 2>'" + err.string() + "' </dev/null";
    const int status = std::system(command.c_str());
    Ran ran;
    ran.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    ran.Out = ReadWholeFile(out).value_or("?");
    ran.Err = ReadWholeFile(err).value_or("?");
    return ran;
}

struct Program {
    const char* Name;
    const char* Path;
    const char* VersionLine;
    const char* UsageStart;
};

std::ostream& operator<<(std::ostream& out, const Program& p) { return out << p.Name; }

class ProgramOptions : public ::testing::TestWithParam<Program> {};

TEST_P(ProgramOptions, HelpVersionAndAnUnknownOption) {
    const Program& p = GetParam();
    const Ran help = RunProgram(p.Path, "--help");
    EXPECT_EQ(help.Status, 0);
    EXPECT_EQ(help.Out.rfind(p.UsageStart, 0), 0u) << help.Out;
    EXPECT_EQ(help.Err, "");
    EXPECT_EQ(RunProgram(p.Path, "-h").Out, help.Out);

    const Ran version = RunProgram(p.Path, "--version");
    EXPECT_EQ(version.Status, 0);
    EXPECT_EQ(version.Out, p.VersionLine);
    EXPECT_EQ(version.Err, "");
    EXPECT_EQ(RunProgram(p.Path, "-v").Out, p.VersionLine);

    // The same usage, on standard error this time.
    const Ran bad = RunProgram(p.Path, "--no-such-option");
    EXPECT_EQ(bad.Status, 2);
    EXPECT_EQ(bad.Out, "");
    ASSERT_GE(bad.Err.size(), help.Out.size());
    EXPECT_EQ(bad.Err.substr(bad.Err.size() - help.Out.size()), help.Out) << bad.Err;
}

INSTANTIATE_TEST_SUITE_P(
    Programs, ProgramOptions,
    ::testing::Values(Program{"orvane", ORVANE_PROGRAM, "Orvane " ORVANE_VERSION "\n", "usage: orvane [OPTION]"},
                      Program{"orvane_pgn", ORVANE_PGN_PROGRAM, "orvane-pgn " ORVANE_VERSION "\n",
                              "usage: orvane-pgn COMMAND"},
                      Program{"orvane_perft", ORVANE_PERFT_PROGRAM, "orvane-perft " ORVANE_VERSION "\n",
                              "usage: orvane-perft [--divide]"}),
    [](const ::testing::TestParamInfo<Program>& row) { return std::string(row.param.Name); });

TEST(ProgramOptions, UnknownOptionIsNamedAndAToolkitOptionNeedsItsValue) {
    EXPECT_EQ(RunProgram(ORVANE_PROGRAM, "--fullscreen").Err.rfind("orvane: unknown option --fullscreen\nusage:", 0),
              0u);
    const Ran missing = RunProgram(ORVANE_PROGRAM, "-platform");
    EXPECT_EQ(missing.Status, 2);
    EXPECT_EQ(missing.Err.rfind("orvane: option -platform needs a value\n", 0), 0u) << missing.Err;
    // Without a command orvane-pgn says how it is used, on standard error.
    const Ran none = RunProgram(ORVANE_PGN_PROGRAM, "");
    EXPECT_EQ(none.Status, 2);
    EXPECT_EQ(none.Err, RunProgram(ORVANE_PGN_PROGRAM, "--help").Out);
}

TEST(ProgramVersion, TheWindowShowsTheVersionTheProgramReports) {
    // The window's caption and About box carry the version of the build
    // (and so of the package): a new version must reach both.
    testing::TempFolder home;
    ui::ProgramPaths paths;
    paths.ProgramFolder = home.Path();
    std::ostringstream out;
    drive::Driver driver(out, paths);
    EXPECT_EQ(driver.Form().C1version, ORVANE_VERSION);
}

}  // namespace
}  // namespace orvane::app
