// Saving the game on the board in the program's own game file (.orv): the
// Save command, its dialog and overwrite question, and the atomic write; and
// Save as PGN, which writes the game in PGN or adds it to a collection.
#include <filesystem>
#include <optional>
#include <system_error>

#include "common/encoding.h"
#include "common/textfile.h"
#include "gamefile/gamefile.h"
#include "pgn/export.h"
#include "ui/frmmain.h"

namespace orvane::ui {

namespace {

const char* const SaveFilter = "Orvane File (*.orv)|*.orv|";
const char* const PgnFilter = "Portable Game Notation File (*.pgn)|*.pgn|";

// A collection's text with a game added at its end, in the collection's own
// line ends and code page: an empty line between its last game and the new
// one. A collection kept in Windows-1252 stays so when the game's text fits
// the code page; else the whole file becomes UTF-8.
std::string AddedAtEnd(const std::string& collection, const std::string& game) {
    if (collection.empty()) return game;
    const std::string_view lineEnd = LineEndOf(collection);
    std::string text = collection;
    if (text.back() != '\n' && text.back() != '\r') text += lineEnd;
    const auto endsWith = [&text](std::string_view tail) {
        return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
    };
    if (!endsWith("\n\n") && !endsWith("\r\n\r\n") && !endsWith("\r\r")) text += lineEnd;
    if (IsValidUtf8(text)) return text + game;
    std::string encoded;
    if (Utf8ToWindows1252(game, encoded)) return text + encoded;
    return Windows1252ToUtf8(text) + game;
}

}  // namespace

void frmMain::SaveGameFile(const std::string& name) {
    std::string path;
    const bool direct = !name.empty() && (name.size() < 3 || Upper(name.substr(name.size() - 3)) != "PGN");
    if (direct) {
        // The file last read or saved, wherever it is; a bare name is
        // taken from the current folder.
        path = !File.GameFilePath.empty() && FileNameOf(File.GameFilePath) == name ? File.GameFilePath : name;
    } else {
        path = view_.SaveFileDialog("Save Game", SaveFilter, CurrentFolder());
        // A name typed without an extension gets the program's own, so Open
        // lists the file.
        if (!path.empty()) path = WithDefaultExtension(path, ".orv");
        File.GameFileName = FileNameOf(path);
        File.GameFilePath = path;
        view_.SetCaption(" Orvane " + C1version + " Beta - " + File.GameFileName);
        if (path.empty()) return;
        if (FileExists(path) && view_.MsgBox(File.GameFileName + " already exists, overwrite?", "Confirmation",
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

void frmMain::SavePgnFile() {
    std::string path = view_.SaveFileDialog("Save Game as PGN", PgnFilter, CurrentFolder());
    if (path.empty()) return;
    path = WithDefaultExtension(path, ".pgn");

    std::string collection;
    if (FileExists(path)) {
        if (view_.MsgBox(FileNameOf(path) + " already exists. Add the game at its end?", "Confirmation",
                         MsgIcon::Question, MsgButtons::YesNo) == MsgAnswer::No)
            return;
        const std::optional<std::string> bytes = ReadWholeFile(path);
        if (!bytes) {
            ReadError error;
            error.Kind = ReadErrorKind::FileUnreadable;
            error.File = path;
            error.Text = path + ": the file cannot be read";
            ShowError(error, ErrorContext::SaveGame);
            return;
        }
        collection = *bytes;
    }

    const pgn::ExportedGame game = pgn::ExportGame(Tags, GameStartFen(), Record, LineEndOf(collection));
    if (game.Error) {
        ShowError(game.Error, ErrorContext::SaveGame);
        return;
    }
    // The collection and the game are written as a new file that then takes
    // the old one's place: a failure leaves the collection as it was.
    const ReadError error = WriteFileAtomically(path, AddedAtEnd(collection, game.Text));
    if (error) {
        ShowError(error, ErrorContext::SaveGame);
        return;
    }
    view_.StatusBar1().SetPanelText(1, "Game saved!");
}

// As after a cancelled save dialog: no game file name, and the caption says so.
void frmMain::ForgetGameFile() {
    File.GameFileName.clear();
    File.GameFilePath.clear();
    view_.SetCaption(" Orvane " + C1version + " Beta - ");
}

}  // namespace orvane::ui
