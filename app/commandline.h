// The program's command line, read before the window exists, so that
// --help and --version work without a display.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvane::app {

struct StartRequest {
    enum class Action { Run, Help, Version, BadOption };
    Action What = Action::Run;
    // The toolkit's own options (-platform NAME, -style NAME, -reverse, ...;
    // also with two dashes) as given, each with its value; they go on to
    // QApplication.
    std::vector<std::string> ToolkitArgs;
    // The file to open: the arguments that are not options, joined by single
    // blanks (the argument string as a whole); empty when none.
    std::string File;
    // What was wrong (BadOption): "unknown option --x", "option -style needs a value".
    std::string Problem;
};

// Reads the arguments after the program's name. "-h" and "--help" ask for
// the usage, "-v" and "--version" for the version; "--" ends the options,
// so that "orvane -- -game.pgn" opens a file whose name begins with "-"
// (as does "orvane ./-game.pgn"). A lone "-" is a file name. Any other
// argument beginning with "-" that is not one of the toolkit's options is a
// BadOption; a toolkit option that needs a value and has none is one too.
StartRequest ReadCommandLine(const std::vector<std::string>& args);

// The usage text: one line of synopsis, then the options, each on its own line.
std::string UsageText();

// The version line: "Orvane 0.26".
std::string VersionText(std::string_view version);

}  // namespace orvane::app
