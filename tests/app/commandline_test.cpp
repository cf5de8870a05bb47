// The program's command line: which arguments are options, which go to Qt,
// which make the file to open, and what is refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commandline.h"

namespace orvane::app {
namespace {

using Action = StartRequest::Action;
using Args = std::vector<std::string>;

struct Row {
    const char* Name;
    Args Given;
    Action What;
    Args ToolkitArgs;
    std::string File;
    std::string Problem;
};

std::ostream& operator<<(std::ostream& out, const Row& row) { return out << row.Name; }

class CommandLineTest : public ::testing::TestWithParam<Row> {};

TEST_P(CommandLineTest, ReadsTheArguments) {
    const Row& row = GetParam();
    const StartRequest request = ReadCommandLine(row.Given);
    EXPECT_EQ(request.What, row.What);
    EXPECT_EQ(request.ToolkitArgs, row.ToolkitArgs);
    EXPECT_EQ(request.File, row.File);
    EXPECT_EQ(request.Problem, row.Problem);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CommandLineTest,
    ::testing::Values(
        Row{"Nothing", {}, Action::Run, {}, "", ""},
        Row{"AFullPath", {"/home/anna/Games 2024.PGN"}, Action::Run, {}, "/home/anna/Games 2024.PGN", ""},
        // The argument string as a whole: words the shell split are joined again.
        Row{"WordsJoinedByBlanks", {"my", "games.pgn"}, Action::Run, {}, "my games.pgn", ""},
        Row{"GameFile", {"opening.orv"}, Action::Run, {}, "opening.orv", ""},
        Row{"Help", {"--help"}, Action::Help, {}, "", ""}, Row{"ShortHelp", {"-h"}, Action::Help, {}, "", ""},
        Row{"HelpAfterAFile", {"games.pgn", "--help"}, Action::Help, {}, "games.pgn", ""},
        Row{"Version", {"--version"}, Action::Version, {}, "", ""},
        Row{"ShortVersion", {"-v"}, Action::Version, {}, "", ""},
        Row{"UnknownLongOption",
            {"--fullscreen", "games.pgn"},
            Action::BadOption,
            {},
            "",
            "unknown option --fullscreen"},
        Row{"UnknownShortOption", {"-x"}, Action::BadOption, {}, "", "unknown option -x"},
        Row{"HelpWithAnUnknownOptionBeforeIt",
            {"--bogus", "--help"},
            Action::BadOption,
            {},
            "",
            "unknown option --bogus"},
        // A file whose name begins with "-" follows "--" (or is named ./-x.pgn).
        Row{"DashFileAfterDoubleDash", {"--", "-draft.pgn"}, Action::Run, {}, "-draft.pgn", ""},
        Row{"HelpAfterDoubleDashIsAFile", {"--", "--help"}, Action::Run, {}, "--help", ""},
        Row{"DashFileWithItsFolder", {"./-draft.pgn"}, Action::Run, {}, "./-draft.pgn", ""},
        Row{"LoneDashIsAFileName", {"-"}, Action::Run, {}, "-", ""},
        // Qt's own options go to Qt with their values.
        Row{"ToolkitOptionAndItsValue",
            {"-platform", "offscreen", "games.pgn"},
            Action::Run,
            {"-platform", "offscreen"},
            "games.pgn",
            ""},
        Row{"ToolkitOptionWithItsValueAttached", {"-style=fusion"}, Action::Run, {"-style=fusion"}, "", ""},
        Row{"ToolkitOptionWithTwoDashes", {"--style", "fusion"}, Action::Run, {"--style", "fusion"}, "", ""},
        Row{"ToolkitFlag", {"-reverse", "games.pgn"}, Action::Run, {"-reverse"}, "games.pgn", ""},
        Row{"ToolkitOptionWithoutItsValue",
            {"games.pgn", "-style"},
            Action::BadOption,
            {},
            "games.pgn",
            "option -style needs a value"},
        Row{"ToolkitOptionNameAfterDoubleDashIsAFile", {"--", "-reverse"}, Action::Run, {}, "-reverse", ""}),
    [](const ::testing::TestParamInfo<Row>& row) { return std::string(row.param.Name); });

TEST(CommandLineTexts, UsageNamesEveryOptionAndVersionIsOneLine) {
    const std::string usage = UsageText();
    EXPECT_EQ(usage.rfind("usage: orvane [OPTION]... [FILE]\n", 0), 0u) << usage;
    for (const char* option : {"-h, --help", "-v, --version", "--  ", "-platform"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    EXPECT_EQ(usage.back(), '\n');
    EXPECT_EQ(VersionText("0.26"), "Orvane 0.26\n");
}

}  // namespace
}  // namespace orvane::app
