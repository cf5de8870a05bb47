// What the program does when it starts, shared by orvane and its start-up
// timing probe: the application's names and icon, the folders it uses, the
// command line as one string.
#pragma once

#include <string>

#include "ui/frmmain.h"

namespace orvane::app {

// Names the application and gives it its icon; call after QApplication exists.
void SetUpApplication();

// The program folder (the executable's), the user's configuration folder
// ($XDG_CONFIG_HOME/orvane or ~/.config/orvane), the installed data folder,
// and whether the program runs from an install (see folders.h).
ui::ProgramPaths PathsFromSystem();

// The arguments after the program's name joined by single blanks.
std::string CommandLine(int argc, char** argv);

}  // namespace orvane::app
