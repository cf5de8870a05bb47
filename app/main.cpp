// Orvane: start-up of the program. Reads the command line, builds the
// window, hands it to frmMain and runs the event loop.
#include <QApplication>

#include <cstdio>
#include <string>
#include <vector>

#include "commandline.h"
#include "program.h"
#include "ui/frmmain.h"
#include "ui/qt/mainwindow.h"

namespace {

// True for a name ending in ".orv" in any case: a game file of the program's own.
bool IsGameFile(const std::string& file) {
    if (file.size() < 4) return false;
    std::string ending = file.substr(file.size() - 4);
    for (char& c : ending)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return ending == ".orv";
}

}  // namespace

int main(int argc, char* argv[]) {
    using orvane::app::StartRequest;
    // --help and --version are answered before anything needs a display.
    StartRequest request = orvane::app::ReadCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (request.What) {
    case StartRequest::Action::Help: std::fputs(orvane::app::UsageText().c_str(), stdout); return 0;
    case StartRequest::Action::Version: std::fputs(orvane::app::VersionText(ORVANE_VERSION).c_str(), stdout); return 0;
    case StartRequest::Action::BadOption:
        std::fprintf(stderr, "orvane: %s\n%s", request.Problem.c_str(), orvane::app::UsageText().c_str());
        return 2;
    case StartRequest::Action::Run: break;
    }

    // QApplication sees the program's name and the toolkit's own options.
    std::vector<char*> toolkitArgv{argv[0]};
    for (std::string& arg : request.ToolkitArgs) toolkitArgv.push_back(arg.data());
    int toolkitArgc = static_cast<int>(toolkitArgv.size());
    toolkitArgv.push_back(nullptr);
    QApplication app(toolkitArgc, toolkitArgv.data());
    orvane::app::SetUpApplication();

    orvane::ui::qt::MainWindow window;
    orvane::ui::frmMain form(window, orvane::app::PathsFromSystem());
    window.SetForm(&form);
    // ORVANE_DEBUG=1 starts the program with its Debug command and Label7.
    form.DebugAtStart = qEnvironmentVariable("ORVANE_DEBUG") == QStringLiteral("1") ? 1 : 0;
    // Start-up opens a named PGN collection itself.
    if (!form.Form_Load(request.File) || window.QuitRequested()) return 1;
    window.ShowWindow();
    // A game file of the program's own named on the command line (the file
    // manager opens .orv files with the program) is opened as if dropped on
    // the window.
    if (IsGameFile(request.File)) form.Form_OLEDragDrop(request.File);
    return QApplication::exec();
}
