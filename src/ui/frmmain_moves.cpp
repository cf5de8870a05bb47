// The game reset, recording a played move, the available-moves list, the
// opening book and the end of the game.
#include <cstdlib>

#include "book/availablemoves.h"
#include "common/index.h"
#include "ui/frmmain.h"

namespace orvane::ui {

void frmMain::ResetGame() {
    ResetGameState();
    ListAvailableMoves();
}

void frmMain::ResetGameState() {
    view_.SetCaption(" Orvane " + C1version + " Beta");
    if (KeepPosition == 0) Pos.LoadStandardPosition();

    Mouse.PopupJustClosed = 0;
    Mouse.SetupJustEdited = 0;
    Mouse.RightPressControl = -1;
    Mouse.HoverControl = -1;
    // A piece lifted by a press whose release never came goes back.
    ForgetPress();
    Pos.TreeDepth = 0;
    GameOver = 0;
    File.GameFileName.clear();
    File.GameFilePath.clear();
    GameHasMoves = 0;

    view_.StatusBar1().SetPanelText(1, Pos.SideToMove == -1 ? "Black moves" : "White moves");
    Record.Reset(PlayerName);
    view_.Text1().SetText("");

    Pos.ResetTree();
    Loading = 0;
    Book.ShownOpening.clear();
    view_.StatusBar1().SetPanelText(2, Book.ShownOpening);

    view_.List2().SetEnabled(true);
    EnableBackCommands(false);
    EnableForwardCommands(false);
    view_.List1().Clear();
    Input.CaptureChar = Config.CapCharacter == 1 ? ":" : "x";
    Mouse.HintsShown = 0;
    view_.Text2().SetText("");
}

void frmMain::EnableBackCommands(bool enabled) {
    view_.Menu().SetEnabled("First", enabled);
    view_.Menu().SetEnabled("Moveback", enabled);
    view_.Toolbar().SetEnabled("First", enabled);
    view_.Toolbar().SetEnabled("Back", enabled);
}

void frmMain::EnableForwardCommands(bool enabled) {
    view_.Menu().SetEnabled("MoveForward", enabled);
    view_.Menu().SetEnabled("Last", enabled);
    view_.Toolbar().SetEnabled("Forward", enabled);
    view_.Toolbar().SetEnabled("Last", enabled);
}

void frmMain::ListAvailableMoves() {
    Pos.GenerateMoves(1);
    ListGeneratedMoves();
}

// The available-moves list of the moves already generated at the current depth.
void frmMain::ListGeneratedMoves() {
    view_.List2().Clear();
    LookUpBook();
    const int first = Pos.DepthStart[At(Pos.TreeDepth)];
    const int end = Pos.MoveCount;
    for (int slot = first; slot < end; ++slot) {
        DisplayMove(Pos, Input, slot);
        const MoveRecord& r = Pos.MoveList[At(slot)];
        view_.List2().AddItem(AvailableMoveEntry(Input.MoveText, Book.BookMoves, SquareNotation(Pos, r.Source),
                                                 SquareNotation(Pos, r.Dest)));
    }
}

void frmMain::LookUpBook() { LookUpBookAt(Pos.CurrentPly); }

// The book lookup for the game's first `plies` plies.
void frmMain::LookUpBookAt(int plies) {
    // The book next to the program wins over the installed one.
    std::filesystem::path path = paths_.ProgramFolder / "orvane.bok";
    std::error_code ec;
    if (!paths_.DataFolder.empty() && !std::filesystem::exists(path, ec)) path = paths_.DataFolder / "orvane.bok";
    if (book_.Path() != path) book_.SetPath(path);

    const BookResult result = book_.LookUp(Record.GameKey(plies), Pos.PositionString(), Cversion);
    Book.BookMoves = result.BookMoves;
    Book.InBook = result.InBook;
    Book.OpeningName = result.OpeningName;
    switch (result.Status) {
    case BookStatus::Refused: ShowError(result.Error, ErrorContext::LookUpBook); break;
    case BookStatus::Completed:
        Book.ShownOpening = Book.OpeningName;
        view_.StatusBar1().SetPanelText(2, Book.ShownOpening);
        break;
    case BookStatus::Missing:
    case BookStatus::NotStandardStart:
    case BookStatus::Aborted: break;
    }
}

void frmMain::CheckGameEnd(int Quiet) {
    const GameEnd end = Pos.TestGameEnd();
    if (end == GameEnd::None) return;
    Pause(0.5);
    GameOver = 1;
    view_.List2().SetEnabled(false);
    DrawBoard();
    view_.List1().SetVisible(true);
    view_.List2().SetVisible(true);
    if (Quiet == 0) {
        const std::string text = GameEndText(end, Pos.SideToMove);
        view_.StatusBar1().SetPanelText(1, text);
        view_.MsgBox(text, GameEndTitle(end), MsgIcon::Exclamation, MsgButtons::OK);
    }
}

bool frmMain::RecordFull() const { return Pos.CurrentPly >= MaxPlies; }

void frmMain::RefuseFullRecord() {
    ReadError error;
    error.Kind = ReadErrorKind::RecordFull;
    error.Ply = Pos.CurrentPly + 1;
    ShowError(error, ErrorContext::EnterMove);
}

void frmMain::AppendPly(char pieceLetter, const std::string& moveText, int numberingPly, bool clearComment) {
    const int ply = Pos.CurrentPly;
    view_.StatusBar1().SetPanelText(2, "");
    GameHasMoves = 1;
    EnableBackCommands(true);

    const MoveRecord& played = Pos.MoveList[At(Input.LastMoveSlot)];
    const std::string display = DisplayText(pieceLetter, moveText, Input.CaptureChar, Input.LastWasCapture != 0,
                                            Input.LastWasPromotion != 0 ? std::abs(played.Promotion) : 0);

    Record.PlayedMoves[At(ply)] = played;
    Record.PlayedEp[At(ply)] = Pos.EpTarget[At(Pos.TreeDepth)];
    Record.PlayedMoves[At(ply + 1)].Source = 0;
    EnableForwardCommands(false);

    // A move entered inside the game cuts off the old continuation.
    for (int k = Record.LastPly - 1; k >= ply - 1; --k) {
        view_.List1().RemoveItem(k);
        Record.Comments[At(k + 1)].clear();
    }
    Record.LastPly = ply;
    Record.GameResult.clear();
    DrawBoard();

    Record.RecordText(ply) = RecordTextOf(pieceLetter, moveText, display);
    std::string entry = MoveListEntry(numberingPly, display);
    LookUpBook();
    if (Book.InBook == 1) entry += 'b';
    view_.List1().AddItem(entry);
    if (clearComment) view_.Text1().SetText("");
    view_.List1().SetListIndex(ply - 1);
}

void frmMain::List2_DblClick() {
    const int selected = view_.List2().ListIndex();
    if (selected < 0 || selected >= view_.List2().ListCount()) return;
    ListMove move;
    if (!ParseAvailableMoveEntry(view_.List2().List(selected), Pos.SideToMove, Input.CaptureChar, move)) return;
    if (RecordFull()) {
        RefuseFullRecord();
        return;
    }
    if (InputMove(Pos, Input, move.MoveText) == 0) {
        DrawBoard();
        ReadError error;
        error.Kind = ReadErrorKind::IllegalMove;
        error.Ply = Pos.CurrentPly + 1;
        error.Token = move.MoveText;
        ShowError(error, ErrorContext::EnterMove);
        return;
    }
    view_.List2().Clear();
    AppendPly(move.PieceLetter, move.MoveText,
              NumberingPly(Pos.CurrentPly, Tags.SetupTag, FenMoveNumber, FenSideToMove), Tags.SetupTag.empty());
    CheckGameEnd(0);
    // The game-end test has just generated the new position's moves.
    if (GameOver == 0) ListGeneratedMoves();
}

void frmMain::List2_KeyUp(int keyCode) {
    if (keyCode == KeyEnter) List2_DblClick();
}

void frmMain::Text1_KeyUp() { Record.Comments[At(Pos.CurrentPly)] = view_.Text1().Text(); }

}  // namespace orvane::ui
