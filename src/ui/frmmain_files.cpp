// Opening game files: the Open command and its callers, the collection scan
// with the game picker, the chosen game replayed onto the board, the
// program's own game files, and the batch check of a whole collection.
#include <filesystem>
#include <functional>
#include <optional>
#include <system_error>

#include "common/index.h"
#include "common/textfile.h"
#include "gamefile/gamefile.h"
#include "pgn/replay.h"
#include "ui/frmmain.h"

namespace orvane::ui {

namespace {

constexpr long MaxGames = 30000;
const char* const OpenFilter = "Portable Game Notation File (*.pgn)|*.pgn|Orvane File (*.orv)|*.orv";

}  // namespace

void frmMain::LoadGameFile(const std::string& path) {
    OpenGameFile(path.empty() ? OpenKind::Ask : OpenKind::Reopen, std::string());
}

void frmMain::CheckPgnFile() { OpenGameFile(OpenKind::Check, std::string()); }

void frmMain::Form_OLEDragDrop(const std::string& path) {
    if (Loading == 1 || path.empty()) return;
    OpenGameFile(OpenKind::Dropped, path);
}

void frmMain::DisableCommands() {
    for (const char* menu : {"mnuGame", "mnuPlay", "mnu_Board1"}) view_.Menu().SetEnabled(menu, false);
    view_.SetToolbarEnabled(false);
}

void frmMain::EnableCommands() {
    for (const char* menu : {"mnuGame", "mnuPlay", "mnu_Board1"}) view_.Menu().SetEnabled(menu, true);
    view_.SetToolbarEnabled(true);
}

bool frmMain::OpenGameFile(OpenKind kind, const std::string& droppedPath) {
    // The batch check lets the event loop run between games: no command may
    // start another file meanwhile.
    if (opening_) return false;
    struct Guard {
        bool& flag;
        explicit Guard(bool& f) : flag(f) { flag = true; }
        ~Guard() { flag = false; }
        Guard(const Guard&) = delete;
        Guard& operator=(const Guard&) = delete;
    } guard(opening_);
    const bool check = kind == OpenKind::Check;

    // What the window shows now, for an Open that ends up reading no game.
    const ShownGame before = ShownGameNow();
    std::string path;
    std::string name;
    if (!ChooseGameFile(kind, droppedPath, path, name)) return false;

    Record.HasComments = 0;
    ClearForOpen(check);
    if (!IsCollectionPath(path)) {
        Collection.CurrentFilePath.clear();
        view_.Toolbar().SetEnabled("New Variant", false);
        ReadNativeFile(path, name, check, before);
        return true;
    }
    Collection.CurrentFilePath = path;
    Collection.CurrentFileName = name;
    view_.Toolbar().SetEnabled("New Variant", true);
    OpenCollection(path, name, kind, before);
    return true;
}

bool frmMain::IsCollectionPath(const std::string& path) {
    return path.size() >= 3 && Upper(path.substr(path.size() - 3)) == "PGN";
}

frmMain::ErrorContext frmMain::OpenContext(const std::string& path, bool check) {
    if (!IsCollectionPath(path)) return ErrorContext::OpenGameFile;
    return check ? ErrorContext::CheckCollection : ErrorContext::OpenCollection;
}

// The file to open: the collection being viewed, or one the user chooses
// (after "Quit current game?") or dropped. False when nothing is to be
// opened: the user said No or cancelled, or the file was refused.
bool frmMain::ChooseGameFile(OpenKind kind, const std::string& droppedPath, std::string& path, std::string& name) {
    if (kind == OpenKind::Reopen) {
        path = Collection.CurrentFilePath;
        name = Collection.CurrentFileName;
    } else {
        if (GameHasMoves != 0 &&
            view_.MsgBox("Quit current game?", "Confirmation", MsgIcon::Question, MsgButtons::YesNo) == MsgAnswer::No)
            return false;
        path = kind == OpenKind::Dropped || kind == OpenKind::Pasted
                   ? droppedPath
                   : view_.OpenFileDialog("Load Game", OpenFilter, CurrentFolder());
        if (path.empty()) return false;
        name = kind == OpenKind::Pasted ? std::string("Clipboard") : FileNameOf(path);
        if (!FileExists(path)) {
            ReadError error;
            error.Kind = ReadErrorKind::FileMissing;
            error.File = path;
            ShowError(error, OpenContext(path, kind == OpenKind::Check));
            return false;
        }
    }
    // A folder, a FIFO or a device is refused before anything is read from
    // it, as a file that cannot be read is: reading would block the window.
    ReadError error;
    if (!OpenRegularFile(path, error)) {
        ShowError(error, OpenContext(path, kind == OpenKind::Check));
        return false;
    }
    if (kind != OpenKind::Reopen) {
        Collection.GetGame1 = -1;
        if (kind != OpenKind::Check) {
            Record.WhiteName = PlayerName;
            Record.BlackName = PlayerName;
        }
    }
    return true;
}

// The window while a file is read: the lists and the comment emptied and the
// progress in the status bar.
void frmMain::ClearForOpen(bool check) {
    view_.Refresh();
    view_.StatusBar1().SetPanelText(1, "Loading PGN file...");
    view_.List1().Clear();
    view_.List2().Clear();
    view_.Text1().SetText("");
    if (!check) {
        view_.Text2().SetText("");
        ShowPlayers();
    }
    view_.Refresh();
}

frmMain::ShownGame frmMain::ShownGameNow() const {
    ShownGame shown;
    ListBox& list = view_.List1();
    for (int i = 0; i < list.ListCount(); ++i) shown.MoveList.push_back(list.List(i));
    shown.Selected = list.ListIndex();
    shown.Status1 = view_.StatusBar1().PanelText(1);
    shown.Status2 = view_.StatusBar1().PanelText(2);
    shown.Text2 = view_.Text2().Text();
    shown.WhiteName = Record.WhiteName;
    shown.BlackName = Record.BlackName;
    shown.HasComments = Record.HasComments;
    return shown;
}

// An Open that read no game: the game on the board shows again as it was,
// its move list with the current ply selected, its available moves and its
// comment, with the status text given.
void frmMain::ShowGameAgain(const ShownGame& before, const std::string& status) {
    view_.SetBusyPointer(false);
    Record.WhiteName = before.WhiteName;
    Record.BlackName = before.BlackName;
    Record.HasComments = before.HasComments;
    view_.List1().Clear();
    for (const std::string& entry : before.MoveList) view_.List1().AddItem(entry);
    view_.List1().SetListIndex(before.Selected);
    view_.Text1().SetText(Record.Comments[At(Pos.CurrentPly)]);
    ListAvailableMoves();
    view_.StatusBar1().SetPanelText(1, status);
    Book.ShownOpening = before.Status2;
    view_.StatusBar1().SetPanelText(2, before.Status2);
    ShowPlayers();
    DrawBoard();
}

// A PGN collection: the scan into the game index, the picker, then the
// chosen game, or every game for the batch check. A file that changed
// between the scan and the read is scanned again and the picker shown again.
void frmMain::OpenCollection(const std::string& path, const std::string& name, OpenKind kind, const ShownGame& before) {
    const bool check = kind == OpenKind::Check;
    const ErrorContext context = check ? ErrorContext::CheckCollection : ErrorContext::OpenCollection;
    for (;;) {
        view_.SetBusyPointer(true);
        pgn::ScanOptions options;
        options.Limit = MaxGames;
        options.Progress = [this](const std::string& text) { view_.StatusBar1().SetPanelText(1, text); };
        const pgn::ScanResult scan = pgn::ScanFile(path, options);
        view_.SetBusyPointer(false);
        if (scan.Error) {
            // No game was read: the game on the board stays. After "No games
            // found!" the remark lines read stay in the information box.
            if (scan.Error.Kind == ReadErrorKind::NoGames) {
                ShowGameAgain(before, "");
                view_.Text2().SetText((check ? before.Text2 : std::string()) + scan.Index.Remarks);
            } else {
                ShowGameAgain(before, before.Status1);
                view_.Text2().SetText(before.Text2);
            }
            ShowError(scan.Error, context);
            return;
        }
        const pgn::GameIndex& index = scan.Index;
        // The remark lines of the whole file show while the game is picked.
        if (!index.Remarks.empty()) view_.Text2().SetText(view_.Text2().Text() + index.Remarks);
        const long chosen = PickGame(index, name, kind);

        view_.Canvas().Clear();
        view_.Text2().SetText("");
        view_.Refresh();
        view_.SetBusyPointer(true);
        view_.StatusBar1().SetPanelText(1, "");

        if (check) {
            CheckEveryGame(path, name, index);
            return;
        }
        Collection.GetGame1 = chosen;
        if (chosen == -1) {
            ShowGameAgain(before, "");
            return;
        }
        switch (ReadPgnGame(path, index, chosen)) {
        case GameRead::Loaded:
            view_.SetCaption(" " + name + " - Game: " + std::to_string(Collection.GetGame1));
            FinishLoad(name, path);
            ShowGameStart();
            return;
        case GameRead::Failed: return;
        case GameRead::FileChanged:
            // Read again from the start, the chosen game preselected.
            view_.StatusBar1().SetPanelText(1, "Loading PGN file...");
            break;
        }
    }
}

// Fills and shows the picker: the chosen game, -1 on Cancel. A pasted text
// of one game needs no picker.
long frmMain::PickGame(const pgn::GameIndex& index, const std::string& name, OpenKind kind) {
    PickerContent picker;
    picker.Caption = "Open PGN game from " + name;
    picker.Label = "Number of games:" + SignedText(index.Count);
    if (index.Aborted) picker.Label += "   Aborted! Maximum number of games.";
    picker.Index = &index;
    for (int k = 1; k <= pgn::IndexColumns; ++k) picker.Visible[At(k - 1)] = k == 1 || index.ColumnUsed[At(k)] != 0;
    picker.Selected = Collection.GetGame1 >= 1 && Collection.GetGame1 <= index.Count ? Collection.GetGame1 : -1;
    const long chosen = kind == OpenKind::Pasted && index.Count == 1 ? 1 : view_.ShowPicker(picker);
    return chosen >= 1 && chosen <= index.Count ? chosen : -1;
}

// The batch check: every game replayed in turn, whatever was picked, up to
// the first that fails; the last game stays on the board at its final
// position. Closing the window meanwhile ends the check at once.
void frmMain::CheckEveryGame(const std::string& path, const std::string& name, const pgn::GameIndex& index) {
    // The file is read once, from game to game; it must still be the one
    // scanned.
    ReadError error;
    FileStamp stamp;
    const FileHandle in = OpenRegularFile(path, error, &stamp);
    if (in && stamp != index.Stamp) error.Kind = ReadErrorKind::FileChanged;
    if (error) {
        error.File = path;
        LoadErrorSteps(error, ErrorContext::CheckCollection);
        return;
    }
    const long count = index.Count;
    bool stopped = false;
    error = pgn::ForEachGame(in.get(), [&](pgn::GameText& game) {
        if (game.Game > count) return false;
        view_.DoEvents();
        if (unloading_) {
            stopped = true;
            return false;
        }
        view_.Labels(7).SetCaption(std::to_string(game.Game) + "/" + std::to_string(count));
        view_.Canvas().Clear();
        view_.Text2().SetText("");
        view_.Refresh();
        view_.SetBusyPointer(true);
        stopped = LoadGameText(game, true) != GameRead::Loaded;
        return !stopped;
    });
    if (stopped) return;
    if (error) {
        error.File = path;
        LoadErrorSteps(error, ErrorContext::CheckCollection);
        return;
    }
    // The end of the load, with the last game at its final position.
    Record.WhiteName = Tags.pgnWhite.empty() ? "Player" : Tags.pgnWhite;
    Record.BlackName = Tags.pgnBlack.empty() ? "Player" : Tags.pgnBlack;
    view_.StatusBar1().SetPanelText(1, Tags.pgnResult + (Record.HasComments == 0 ? "; no comments" : ""));
    view_.SetCaption(" Orvane " + C1version + " Beta - " + name);
    DrawBoard();
    FinishLoad(name, path);
    ShowPlayers();
}

// The steps every load of a game's moves starts with: busy pointers, a clear
// canvas, the lists and commands locked until FinishLoad
// or an error's steps; "Loading and analyzing..." when told to.
void frmMain::BeginLoad(bool tellLoading) {
    view_.SetBusyPointer(true);
    view_.SetSquaresBusyPointer(true);
    view_.List2().Clear();
    view_.Canvas().Clear();
    view_.List1().SetEnabled(false);
    view_.List2().SetEnabled(false);
    if (tellLoading) view_.StatusBar1().SetPanelText(1, "Loading and analyzing...");
    Loading = 1;
    DisableCommands();
}

// The steps every successful load ends with: the file is the game's own,
// the lists and commands work again and the pointers are normal.
void frmMain::FinishLoad(const std::string& name, const std::string& path) {
    File.GameFileName = name;
    File.GameFilePath = path;
    if (GameHasMoves == 1) EnableBackCommands(true);
    view_.List1().SetEnabled(true);
    view_.List2().SetEnabled(true);
    KeepPosition = 0;
    view_.Text1().SetText(Record.Comments[At(Pos.CurrentPly)]);
    view_.SetBusyPointer(false);
    view_.SetSquaresBusyPointer(false);
    Loading = 0;
    EnableCommands();
}

// A loaded game is shown at its start, with the status text it was given.
void frmMain::ShowGameStart() {
    const std::string status = view_.StatusBar1().PanelText(1);
    if (Pos.CurrentPly != 0) {
        // The walk back shows the start: its board and its moves.
        StepPlies(Pos.CurrentPly);
    } else {
        ListAvailableMoves();
        DrawBoard();
    }
    view_.StatusBar1().SetPanelText(1, status);
    ShowPlayers();
}

frmMain::GameRead frmMain::ReadPgnGame(const std::string& path, const pgn::GameIndex& index, long game) {
    const pgn::GameResultText read = pgn::ReadGame(path, index, game);
    if (read.Error) {
        if (read.Error.Kind == ReadErrorKind::FileChanged) return GameRead::FileChanged;
        LoadErrorSteps(read.Error, ErrorContext::OpenCollection);
        return GameRead::Failed;
    }
    return LoadGameText(read.Game, false);
}

frmMain::GameRead frmMain::LoadGameText(const pgn::GameText& game, bool check) {
    const ErrorContext context = check ? ErrorContext::CheckCollection : ErrorContext::OpenCollection;
    Tags = game.Tags;

    // The start position: the standard array, or the game's FEN. The reset
    // also empties the game information box: the remark lines showed while
    // the game was picked.
    KeepPosition = 0;
    Pos.BlackStarts = 0;
    ResetGameState();

    BeginLoad(!check);
    // The batch check shows each game's start while it runs; a game read to
    // be shown is drawn once, at its start, when it has been read.
    if (check) DrawBoard();

    // The moves of the last position are listed after the walk back to the
    // start, if at all: the replay only asks whether the game is over.
    pgn::ReplayOptions options;
    options.FinalMoveList = false;
    const pgn::ReplayInfo info = pgn::ReplayGame(game, Pos, Record, Input, options);
    FenSideToMove = info.FenSideToMove;
    FenMoveNumber = info.FenMoveNumber;
    if (info.Error.Kind == ReadErrorKind::IllegalMove) {
        if (check) {
            DrawBoard();
            view_.List1().SetEnabled(true);
            view_.List2().SetEnabled(true);
        }
        IllegalMoveSteps(info.Error, context);
        return GameRead::Failed;
    }
    if (info.Error) {
        LoadErrorSteps(info.Error, context);
        return GameRead::Failed;
    }
    GameHasMoves = info.GameHasMoves;
    GameOver = info.GameOver;
    Record.GameResult.clear();

    FillMoveList([&info](int ply) { return pgn::GamePlyNumber(info, ply); });
    if (GameOver == 1 && !check) view_.List2().SetEnabled(false);

    // The batch check stays at the last position; a game shown goes back to
    // its start, whose moves are listed then.
    if (check) ListAvailableMoves();
    Record.WhiteName = Tags.pgnWhite.empty() ? "Player" : Tags.pgnWhite;
    Record.BlackName = Tags.pgnBlack.empty() ? "Player" : Tags.pgnBlack;
    view_.StatusBar1().SetPanelText(1, Tags.pgnResult + (Record.HasComments == 0 ? "; no comments" : ""));
    return GameRead::Loaded;
}

// The move list: every ply with its number and book marker, the last one
// selected. A game that has left the book cannot come back into it (a longer
// game is held by no line that does not hold the shorter one), so the
// lookups stop there.
void frmMain::FillMoveList(const std::function<int(int)>& numberOf) {
    bool inBook = true;
    for (int ply = 1; ply <= Record.LastPly; ++ply) {
        std::string entry = MoveListEntry(numberOf(ply), pgn::RecordedDisplayText(Record, ply));
        if (inBook) {
            LookUpBookAt(ply);
            inBook = Book.InBook == 1;
        }
        if (inBook) entry += 'b';
        view_.List1().AddItem(entry);
    }
    view_.List1().SetListIndex(Record.LastPly - 1);
}

void frmMain::IllegalMoveSteps(const ReadError& error, ErrorContext context) {
    Pos.BlackStarts = 0;
    Tags.pgnEvent.clear();
    Tags.pgnSite.clear();
    Tags.pgnDate.clear();
    Tags.pgnBlack.clear();
    Tags.pgnWhite.clear();
    ShowError(error, context);
    view_.Canvas().Clear();
    KeepPosition = 0;
    ResetGame();
    view_.SetBusyPointer(false);
    view_.SetSquaresBusyPointer(false);
    Loading = 0;
    EnableCommands();
    // The move list takes clicks again and the board shows the fresh game.
    view_.List1().SetEnabled(true);
    ShowPlayers();
    DrawBoard();
}

void frmMain::LoadErrorSteps(const ReadError& error, ErrorContext context) {
    view_.SetSquaresBusyPointer(false);
    Loading = 0;
    EnableCommands();
    ShowError(error, context);
    view_.List1().SetEnabled(true);
    view_.List2().SetEnabled(true);
    KeepPosition = 0;
    ResetGame();
    view_.SetBusyPointer(false);
    DrawBoard();
}

// A game file of the program's own: its start position and moves replayed
// as a PGN game's are, shown at its start with every comment in place (the
// batch check leaves it at its last ply).
void frmMain::ReadNativeFile(const std::string& path, const std::string& name, bool check, const ShownGame& before) {
    const std::optional<std::string> bytes = ReadWholeFile(path);
    gamefile::ParsedGameFile parsed;
    if (bytes) {
        parsed = gamefile::ParseGameFile(*bytes, name);
    } else {
        parsed.Error.Kind = ReadErrorKind::FileUnreadable;
        parsed.Error.File = path;
    }
    const ReadErrorKind kind = parsed.Error.Kind;
    if (kind == ReadErrorKind::NotGameFile || kind == ReadErrorKind::WrongVersion) {
        // Refused before any move was read: the game on the board stays.
        ShowGameAgain(before, "");
        view_.Text2().SetText(before.Text2);
        ShowError(parsed.Error, ErrorContext::OpenGameFile);
        return;
    }

    KeepPosition = 0;
    ResetGameState();
    // The moves of a native file are numbered from its first ply, also when
    // they are continued on the board.
    Tags.SetupTag.clear();
    FenMoveNumber.clear();
    FenSideToMove = 1;
    if (parsed.Error) {
        // The file cannot be read, ends before START or has a broken line.
        NativeLoadErrorSteps(parsed.Error);
        return;
    }
    const gamefile::GameFile& file = parsed.File;

    BeginLoad(file.LinesAfterStart > 0);

    const ReadError error = gamefile::ReplayGameFile(file, Pos, Record, Input);
    if (error.Kind == ReadErrorKind::IllegalMove) {
        IllegalMoveSteps(error, ErrorContext::OpenGameFile);
        return;
    }
    if (error) {
        NativeLoadErrorSteps(error);
        return;
    }
    GameHasMoves = Record.LastPly > 0 ? 1 : 0;
    GameOver = GameHasMoves == 1 && Pos.TestGameEndOnly() != GameEnd::None ? 1 : 0;
    Record.GameResult.clear();
    FillMoveList([](int ply) { return ply; });
    if (GameOver == 1) view_.List2().SetEnabled(false);

    // The end of the load.
    Record.WhiteName = PlayerName;
    Record.BlackName = PlayerName;
    view_.StatusBar1().SetPanelText(1, "");
    view_.SetCaption(" Orvane " + C1version + " Beta - " + name);
    if (check) {
        // The batch check ends at the game's last ply.
        ListAvailableMoves();
        DrawBoard();
        FinishLoad(name, path);
        ShowPlayers();
        return;
    }
    FinishLoad(name, path);
    ShowGameStart();
}

// A native file that fails while it is read: the commands and lists work
// again, the game is a fresh one and the user is told.
void frmMain::NativeLoadErrorSteps(const ReadError& error) {
    Pos.BlackStarts = 0;
    LoadErrorSteps(error, ErrorContext::OpenGameFile);
    ShowPlayers();
}

}  // namespace orvane::ui
