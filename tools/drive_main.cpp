// orvane-drive [--home DIR] [--config DIR] [--data DIR] [--args TEXT] [--twips N] [--debug] [SCRIPT]:
// runs the window's behaviour over a recording fake window, reads commands
// from SCRIPT or standard input and prints what a user would see.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "drive/driver.h"

int main(int argc, char** argv) {
    orvane::ui::ProgramPaths paths;
    paths.ProgramFolder = ".";
    std::string commandLine;
    std::string script;
    int twips = 15;
    bool debug = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--home" && hasValue)
            paths.ProgramFolder = argv[++i];
        else if (arg == "--config" && hasValue)
            paths.ConfigFolder = argv[++i];
        else if (arg == "--data" && hasValue)
            paths.DataFolder = argv[++i];
        else if (arg == "--args" && hasValue)
            commandLine = argv[++i];
        else if (arg == "--twips" && hasValue)
            twips = std::atoi(argv[++i]);
        else if (arg == "--debug")
            debug = true;
        else if (!arg.empty() && arg[0] != '-' && script.empty())
            script = arg;
        else {
            std::fprintf(stderr,
                         "usage: orvane-drive [--home DIR] [--config DIR] [--data DIR] [--args TEXT] [--twips N] "
                         "[--debug] [SCRIPT]\n");
            return 2;
        }
    }

    orvane::drive::Driver driver(std::cout, paths, commandLine, twips == 12 ? 12 : 15, debug);
    if (script.empty()) return driver.RunScript(std::cin);
    std::ifstream in(script);
    if (!in) {
        std::fprintf(stderr, "orvane-drive: cannot read %s\n", script.c_str());
        return 2;
    }
    return driver.RunScript(in);
}
