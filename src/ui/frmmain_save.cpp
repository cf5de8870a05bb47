// Saving the game on the board in the program's own game file (.orv): the
// Save command, its dialog and overwrite question, and the atomic write.
#include <filesystem>
#include <system_error>

#include "common/textfile.h"
#include "gamefile/gamefile.h"
#include "ui/frmmain.h"

namespace orvane::ui {

namespace {

const char* const SaveFilter = "Orvane File (*.orv)|*.orv|";

}  // namespace

void frmMain::SaveGameFile(const std::string& name) {
    std::string path;
    const bool direct = !name.empty() && (name.size() < 3 || Upper(name.substr(name.size() - 3)) != "PGN");
    if (direct) {
        // The file last read or saved, wherever it is; a bare name is
        // taken from the current folder.
        path = !GameFilePath.empty() && FileNameOf(GameFilePath) == name ? GameFilePath : name;
    } else {
        path = view_.SaveFileDialog("Save Game", SaveFilter, CurrentFolder());
        GameFileName = FileNameOf(path);
        GameFilePath = path;
        view_.SetCaption(" Orvane " + C1version + " Beta - " + GameFileName);
        if (path.empty()) return;
        if (FileExists(path) && view_.MsgBox(GameFileName + " already exists, overwrite?", "Confirmation",
                                             MsgIcon::Question, MsgButtons::YesNo) == MsgAnswer::No) {
            // Refused: the game is no file's yet, so the next Save asks again
            // rather than writing over the file the user kept.
            ForgetGameFile();
            return;
        }
    }

    const ReadError error = WriteFileAtomically(path, gamefile::WriteGameText(Pos, Record));
    if (error) {
        // Nothing was written; the next Save asks for a name, so another
        // folder can be chosen.
        ForgetGameFile();
        ShowError(error, ErrorContext::SaveGame);
        return;
    }
    view_.StatusBar1().SetPanelText(1, "Game saved!");
}

// As after a cancelled save dialog: no game file name, and the caption says so.
void frmMain::ForgetGameFile() {
    GameFileName.clear();
    GameFilePath.clear();
    view_.SetCaption(" Orvane " + C1version + " Beta - ");
}

}  // namespace orvane::ui
