#include "commandline.h"

#include <array>
#include <utility>

namespace orvane::app {

namespace {

// The toolkit's own command-line options, as QGuiApplication and
// QApplication document them, and whether each takes the next argument as
// its value. "-style=NAME" and the like carry their value in the argument.
// They are known here so that an unknown option is refused before anything
// needs a display.
struct ToolkitOption {
    std::string_view Name;
    bool TakesValue;
};

constexpr std::array<ToolkitOption, 15> ToolkitOptions{{
    {"-platform", true},
    {"-platformpluginpath", true},
    {"-platformtheme", true},
    {"-plugin", true},
    {"-qwindowgeometry", true},
    {"-qwindowicon", true},
    {"-qwindowtitle", true},
    {"-session", true},
    {"-display", true},
    {"-geometry", true},
    {"-style", true},
    {"-stylesheet", true},
    {"-reverse", false},
    {"-widgetcount", false},
    {"-qmljsdebugger", false},  // only as -qmljsdebugger=...
}};

const ToolkitOption* FindToolkitOption(std::string_view arg) {
    // "-style=fusion" is "-style" with its value; Qt takes "--style" too.
    std::string_view name = arg.substr(0, arg.find('='));
    if (name.substr(0, 2) == "--") name.remove_prefix(1);
    for (const ToolkitOption& option : ToolkitOptions)
        if (option.Name == name) return &option;
    return nullptr;
}

}  // namespace

StartRequest ReadCommandLine(const std::vector<std::string>& args) {
    StartRequest request;
    auto addFile = [&](const std::string& arg) {
        if (!request.File.empty()) request.File += ' ';
        request.File += arg;
    };
    auto bad = [&](std::string problem) {
        request.What = StartRequest::Action::BadOption;
        request.Problem = std::move(problem);
        return request;
    };
    bool options = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!options || arg.size() < 2 || arg[0] != '-') {
            addFile(arg);
            continue;
        }
        if (arg == "--") {
            options = false;
        } else if (arg == "-h" || arg == "--help") {
            request.What = StartRequest::Action::Help;
            return request;
        } else if (arg == "-v" || arg == "--version") {
            request.What = StartRequest::Action::Version;
            return request;
        } else if (const ToolkitOption* option = FindToolkitOption(arg)) {
            const bool valueFollows = option->TakesValue && arg.find('=') == std::string::npos;
            if (valueFollows && i + 1 >= args.size()) return bad("option " + arg + " needs a value");
            request.ToolkitArgs.push_back(arg);
            if (valueFollows) request.ToolkitArgs.push_back(args[++i]);
        } else {
            return bad("unknown option " + arg);
        }
    }
    return request;
}

std::string UsageText() {
    return "usage: orvane [OPTION]... [FILE]\n"
           "Opens FILE, a PGN collection (.pgn) or a game file of the program's own (.orv).\n"
           "  -h, --help     show this help and exit\n"
           "  -v, --version  show the version and exit\n"
           "  --             end of options: a FILE that begins with \"-\" follows\n"
           "Qt's own options (-platform NAME, -style NAME, -reverse, ...) are passed on to Qt.\n";
}

std::string VersionText(std::string_view version) { return "Orvane " + std::string(version) + "\n"; }

}  // namespace orvane::app
