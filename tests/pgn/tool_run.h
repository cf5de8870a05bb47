// Runs orvane-pgn as a user runs it and keeps what it printed on stdout and
// stderr and its exit status. Targets that include this header define
// ORVANE_PGN_TOOL as the path of the built program.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/textfile.h"

#ifndef ORVANE_PGN_TOOL
#error "ORVANE_PGN_TOOL must name the orvane-pgn program"
#endif

namespace orvane::pgntest {

struct ToolRun {
    int Status = -1;
    std::string Out, Err;
};

// args are passed to the shell as they stand; dir receives the two outputs.
// feed, when given, is a shell command whose output is piped into the tool.
inline ToolRun RunTool(const std::filesystem::path& dir, const std::string& args, const std::string& feed = {}) {
    const std::filesystem::path out = dir / "stdout.txt";
    const std::filesystem::path err = dir / "stderr.txt";
    const std::string command = (feed.empty() ? std::string() : feed + " | ") + "'" + ORVANE_PGN_TOOL + "' " + args +
                                " >'" + out.string() + "' 2>'" + err.string() + "'";
    const int status = std::system(command.c_str());
    ToolRun run;
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Out = ReadWholeFile(out).value_or("?");
    run.Err = ReadWholeFile(err).value_or("?");
    return run;
}

}  // namespace orvane::pgntest
