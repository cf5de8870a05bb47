// Walking through the game record: First, Back, Forward, Last and List1.
#include "common/index.h"
#include "ui/frmmain.h"

namespace orvane::ui {

void frmMain::StepBackOnce() {
    const int ply = Pos.CurrentPly;
    // Slot 0 of the move list serves as scratch for the stored record.
    Pos.MoveList[0] = Record.PlayedMoves[At(ply)];
    Pos.EpTarget[0] = Record.PlayedEp[At(ply - 1)];
    Pos.TakeBackMove(0);
    Pos.TreeDepth = 0;

    if (Pos.CurrentPly < 1)
        view_.List1().SetListIndex(-1);
    else if (view_.List1().ListCount() > 0)
        view_.List1().SetListIndex(Pos.CurrentPly - 1);
    if (Record.WhiteName == "Computer" || Record.BlackName == "Computer") SwapPlayerNames();
}

bool frmMain::StepForwardOnce() {
    const int ply = Pos.CurrentPly;
    const std::string move = Record.ReplayText(ply + 1);
    Pos.EpTarget[0] = Record.PlayedEp[At(ply)];
    if (InputMove(Pos, Input, move) == 0) return false;
    view_.Text1().SetText(Record.Comments[At(ply + 1)]);
    if (Record.WhiteName == "Computer" || Record.BlackName == "Computer") SwapPlayerNames();
    return true;
}

void frmMain::AfterBackSteps() {
    view_.Text1().SetText(Record.Comments[At(Pos.CurrentPly)]);
    LookUpBook();
    ShowPlayers();
    DrawBoard();
    if (Pos.CurrentPly == 0) EnableBackCommands(false);
    view_.StatusBar1().SetPanelText(1, "");
    EnableForwardCommands(true);
    view_.List2().SetEnabled(true);
    ListAvailableMoves();
}

void frmMain::AfterForwardSteps() {
    LookUpBook();
    ShowPlayers();
    DrawBoard();
    view_.List1().SetListIndex(Pos.CurrentPly - 1);
    view_.StatusBar1().SetPanelText(1, "");
    if (!Tags.pgnResult.empty() && Pos.CurrentPly == Record.LastPly)
        view_.StatusBar1().SetPanelText(1, Tags.pgnResult + (Record.HasComments == 0 ? "; no comments" : ""));
    EnableBackCommands(true);
    CheckGameEnd(0);
    if (Record.PlayedMoves[At(Pos.CurrentPly + 1)].Source == 0) EnableForwardCommands(false);
    // The game-end test has just listed the position's moves.
    ListGeneratedMoves();
}

void frmMain::StepPlies(int Count) {
    if (Record.LastPly <= 0) return;
    if (Count >= 1) {
        GameOver = 0;
        // The enabled commands keep the walk inside the record; the bounds
        // are checked here as well.
        for (int i = 0; i < Count && Pos.CurrentPly > 0; ++i) StepBackOnce();
        AfterBackSteps();
    } else {
        bool stuck = false;
        for (int i = 0; i < -Count && Pos.CurrentPly < Record.LastPly && !stuck; ++i) stuck = !StepForwardOnce();
        AfterForwardSteps();
        // A stored move that cannot be played again ends the walk: the board,
        // the lists and the commands show the last ply reached.
        if (stuck) EnableForwardCommands(false);
    }
}

void frmMain::StepForward() {
    if (Pos.CurrentPly >= Record.LastPly) return;
    const bool stuck = !StepForwardOnce();
    AfterForwardSteps();
    if (stuck) EnableForwardCommands(false);
}

void frmMain::GoFirst() {
    if (Loading != 1 && Pos.CurrentPly != 0) StepPlies(Pos.CurrentPly);
}

void frmMain::GoLast() {
    if (Loading == 1) return;
    const int n = Pos.CurrentPly - view_.List1().ListCount();
    if (n != 0) StepPlies(n);
}

void frmMain::List1Select() {
    if (Loading == 1) return;
    // With no entry selected (a click on no entry) there is nowhere to go;
    // the start of the game is reached by First.
    const int index = view_.List1().ListIndex();
    if (index < 0) return;
    const int n = Pos.CurrentPly - index - 1;
    if (n != 0) StepPlies(n);
}

void frmMain::List1_MouseUp() { List1Select(); }

void frmMain::List1_KeyUp(int keyCode) {
    if (keyCode == KeyEnter) List1Select();
}

}  // namespace orvane::ui
