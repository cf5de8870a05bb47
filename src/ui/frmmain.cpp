// Start-up, the settings file and shutdown.
#include "ui/frmmain.h"

#include <unistd.h>

#include "common/textfile.h"
#include "ui/settingsfile.h"

namespace orvane::ui {

frmMain::frmMain(View& view, ProgramPaths paths) : view_(view), paths_(std::move(paths)) {
    // No game has been read: there is no result to show.
    Tags.pgnResult.clear();
}

bool frmMain::ProgramFolderWritable() const {
    return !paths_.ProgramFolder.empty() && ::access(paths_.ProgramFolder.c_str(), W_OK) == 0;
}

std::filesystem::path frmMain::SettingsPath() const {
    // A program installed system-wide keeps its settings with the user, even
    // when its folder can be written (by root); one run from its build folder
    // keeps them beside it.
    if (paths_.ConfigFolder.empty()) return paths_.ProgramFolder / "orvane.ini";
    if (!paths_.Installed && ProgramFolderWritable()) return paths_.ProgramFolder / "orvane.ini";
    return paths_.ConfigFolder / "orvane.ini";
}

bool frmMain::Form_Load(const std::string& commandLine) {
    TwipsPerPixelX = view_.TwipsPerPixelX();
    TwipsPerPixelY = view_.TwipsPerPixelY();

    // debug1 is 0 unless the program was started for debugging; the Debug
    // item and Label7 show only then.
    debug1 = DebugAtStart != 0 ? 1 : 0;
    view_.Menu().SetVisible("debug2", debug1 == 1);
    view_.Labels(7).SetVisible(debug1 == 1);

    // A PGN file named on the command line is opened once the window shows.
    std::string fileToOpen;
    if (commandLine.size() >= 3 && Lower(commandLine.substr(commandLine.size() - 3)) == "pgn") fileToOpen = commandLine;

    Cversion = "0.10";
    C1version = "0.26";
    view_.Toolbar().SetEnabled("New Variant", false);

    Collection.CurrentFilePath.clear();
    Collection.GetGame1 = -1;
    KeepPosition = 0;
    Pos.BlackStarts = 0;
    PlayerName = "Player";

    if (const ReadError error = ReadSettingsFile()) {
        ShowError(error, ErrorContext::StartUp);
        view_.Quit();
        return false;
    }

    if (Config.Notation == 1) view_.Menu().SetChecked("Nonotation", true);
    ResetGame();
    view_.LayoutWindow(TwipsPerPixelX == 12);
    DrawBoard();
    if (fileToOpen.empty()) return true;

    Collection.CurrentFilePath = fileToOpen;
    Collection.CurrentFileName = FileNameOf(fileToOpen);
    view_.ShowWindow();
    LoadGameFile(Collection.CurrentFilePath);
    return true;
}

// Reads the settings file. A missing, short or other-version file, and one
// the program cannot use (a value that does not fit, or that is not 0 or 1),
// is replaced by the defaults, so that one bad file never keeps the program
// from starting. An error only when no settings file can be written.
ReadError frmMain::ReadSettingsFile() {
    const std::string header = "ORVANE" + Cversion;
    Settings settings;
    ReadError error;
    error.Kind = ReadErrorKind::FileUnreadable;
    if (const auto text = ReadWholeFile(SettingsPath())) error = ParseSettings(*text, header, settings);
    const bool useDefaults = static_cast<bool>(error);

    if (useDefaults) {
        settings = Settings{};
        Pos.BlackStarts = 0;
        PlayerName = "Player";
    }
    Config = settings;

    if (useDefaults) {
        const std::filesystem::path path = SettingsPath();
        std::error_code ec;
        std::filesystem::create_directories(path.parent_path(), ec);
        return WriteFileAtomically(path, SettingsText(header, settings));
    }
    return {};
}

void frmMain::WriteSettings() {
    const Settings& settings = Config;
    const std::filesystem::path path = SettingsPath();
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    if (const ReadError error = WriteFileAtomically(path, SettingsText("ORVANE" + Cversion, settings)))
        ShowError(error, ErrorContext::SaveSettings);
}

void frmMain::SaveSettings() { WriteSettings(); }

void frmMain::ExitCommand() {
    if (Config.AskExit == 1 && view_.MsgBox("Are you sure you want to exit?", "Confirmation", MsgIcon::Question,
                                            MsgButtons::YesNo) == MsgAnswer::No)
        return;
    unloading_ = true;
    SaveSettings();
    view_.Quit();
}

bool frmMain::Form_QueryUnload() {
    if (Config.AskExit != 1) return false;
    return view_.MsgBox("Are you sure you want to exit?", "Confirmation", MsgIcon::Question, MsgButtons::YesNo) ==
           MsgAnswer::No;
}

void frmMain::Form_Unload() {
    unloading_ = true;
    SaveSettings();
}

void frmMain::Pause(double seconds) { view_.Pause(seconds); }

}  // namespace orvane::ui
