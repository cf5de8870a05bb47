// The menu and toolbar commands, a new game, and the three dialogs.
#include "ui/frmmain.h"

namespace orvane::ui {

void frmMain::MenuClick(const std::string& name) {
    if (opening_ && name != "mnu_Help_About") return;
    if (name == "New")
        StartNewGame(0);
    else if (name == "Details")
        ShowDetails();
    else if (name == "Exit")
        ExitCommand();
    else if (name == "First")
        GoFirst();
    else if (name == "Moveback")
        StepPlies(1);
    else if (name == "MoveForward")
        StepForward();
    else if (name == "Last")
        GoLast();
    else if (name == "Options")
        ShowOptions();
    else if (name == "Turn")
        TurnBoard();
    else if (name == "Nonotation")
        ToggleNotation();
    else if (name == "mnu_Help_About")
        ShowAbout();
    else if (name == "New1") {
        Collection.CurrentFilePath.clear();
        view_.Toolbar().SetEnabled("New Variant", false);
        StartNewGame(1);
    } else if (name == "Open1")
        LoadGameFile(std::string());
    else if (name == "debug2")
        CheckPgnFile();
    else if (name == "saveopen")
        SaveGameFile(File.GameFileName);
    else if (name == "savepgn")
        SavePgnFile();
    else if (name == "copygame")
        CopyGame();
    else if (name == "copyfen")
        CopyPosition();
    else if (name == "paste")
        Paste();
}

void frmMain::Toolbar1_ButtonClick(const std::string& key) {
    if (opening_) return;
    if (key == "New Game") {
        StartNewGame(0);
    } else if (key == "New Variant") {
        if (!Collection.CurrentFilePath.empty()) StartNewGame(1);
    } else if (key == "Open") {
        LoadGameFile(std::string());
    } else if (key == "Save") {
        SaveGameFile(File.GameFileName);
    } else if (key == "First") {
        GoFirst();
    } else if (key == "Back") {
        StepPlies(1);
    } else if (key == "Forward") {
        StepForward();
    } else if (key == "Last") {
        GoLast();
    } else if (key == "Options") {
        ShowOptions();
    } else if (key == "TurnBoard") {
        TurnBoard();
    } else if (key == "Switch Colors") {
        SwitchColors();
    }
}

void frmMain::StartNewGame(int Mode) {
    if (GameHasMoves != 0 &&
        view_.MsgBox("Quit current game?", "Confirmation", MsgIcon::Question, MsgButtons::YesNo) == MsgAnswer::No)
        return;
    if (Mode == 0) {
        view_.Toolbar().SetEnabled("New Variant", false);
        Collection.CurrentFilePath.clear();
    }
    KeepPosition = 0;
    File.GameFileName.clear();
    Tags.pgnResult.clear();
    Tags.SetupTag.clear();
    // A fresh game starts from the standard position with White to move,
    // also after a set-up position where Black moved first.
    Pos.BlackStarts = 0;
    // No en passant target before the first ply; a game read next brings
    // its own start position's.
    if (Mode == 1) {
        // The file read next shows a game, or this fresh one again.
        ResetGameState();
        Record.PlayedEp[0] = 0;
        const OpenKind kind = Collection.CurrentFilePath.empty() ? OpenKind::Ask : OpenKind::Reopen;
        if (OpenGameFile(kind, std::string())) return;
        // Nothing was read: the fresh game is shown.
        ListAvailableMoves();
        DrawBoard();
        return;
    }
    ResetGame();
    Record.PlayedEp[0] = 0;
    ListAvailableMoves();
    DrawBoard();
}

void frmMain::ShowOptions() {
    OptionsControls controls;
    controls.Check3 = Config.ShowMoves;
    controls.Check5 = Config.CapNot;
    controls.Check6 = Config.AskExit;
    controls.Option1_1 = Config.CapCharacter != 0;
    controls.Option1_0 = !controls.Option1_1;

    if (view_.ShowOptions(controls) == DialogClose::OK) {
        // The settings are flags: a box is on or off, whatever it reports.
        Config.ShowMoves = controls.Check3 != 0 ? 1 : 0;
        // The coordinate letters are drawn straight onto the window: erase
        // them before they are drawn in the other case.
        const int capNot = controls.Check5 != 0 ? 1 : 0;
        if (Config.CapNot != capNot) view_.Canvas().Clear();
        Config.CapNot = capNot;
        Config.AskExit = controls.Check6 != 0 ? 1 : 0;
        Config.CapCharacter = controls.Option1_0 ? 0 : 1;
    }
    Input.CaptureChar = Config.CapCharacter == 1 ? ":" : "x";
    DrawBoard();
    ListAvailableMoves();
}

void frmMain::ShowDetails() {
    DetailsControls controls{Tags.pgnEvent, Tags.pgnSite, Tags.pgnDate, Tags.pgnBlack, Tags.pgnWhite};
    const auto copyBack = [this](const DetailsControls& c) {
        Tags.pgnEvent = c.Text1;
        Tags.pgnSite = c.Text2;
        Tags.pgnDate = c.Text3;
        Tags.pgnBlack = c.Text4;
        Tags.pgnWhite = c.Text5;
    };
    if (view_.ShowDetails(controls, copyBack) == DialogClose::OK) copyBack(controls);
}

void frmMain::ShowAbout() {
    view_.ShowAbout("Version " + C1version + " Beta");
    Mouse.HintsShown = 0;
}

}  // namespace orvane::ui
