// frmMain: the main window's behaviour. It owns the position, the game
// record, the book state and the settings, and implements every procedure and
// event handler of the window under its own name. It reaches the screen only
// through the view seam (view.h); no toolkit header is included here.
//
// The implementation is split by concern:
//   frmmain.cpp             start-up, settings file, shutdown
//   frmmain_board.cpp       DrawBoard, ShowPlayers, Turn Board / None
//   frmmain_mouse.cpp       move entry by mouse
//   frmmain_setup.cpp       position setup and Switch Colors
//   frmmain_moves.cpp       reset, recording moves, List2, book, game end
//   frmmain_navigation.cpp  First / Back / Forward / Last and List1
//   frmmain_commands.cpp    menu and toolbar commands, the dialogs
//   frmmain_files.cpp       opening game files, the game picker, the batch check
//   frmmain_save.cpp        saving the game in the program's own game file
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "book/book.h"
#include "engine/position.h"
#include "notation/notation.h"
#include "pgn/collection.h"
#include "record/gamerecord.h"
#include "ui/view.h"

namespace orvane::ui {

// Where the program finds and keeps its files.
struct ProgramPaths {
    std::filesystem::path ProgramFolder;  // the folder of the executable
    std::filesystem::path ConfigFolder;   // the user's configuration folder (settings fallback)
    std::filesystem::path DataFolder;     // the installed data folder (book fallback); may be empty
};

class frmMain {
public:
    frmMain(View& view, ProgramPaths paths);
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    // ---- the window's events --------------------------------------------
    // Start-up. commandLine is the argument string as a whole. Returns false
    // when start-up failed and the program has been told to end.
    bool Form_Load(const std::string& commandLine);
    // The close box: returns true when the close is cancelled.
    bool Form_QueryUnload();
    void Form_Unload();
    void Form_MouseMove();

    // The square controls c(index); x, y in twips relative to the control
    // where the button went down.
    void c_MouseDown(int index, MouseButton button, double x, double y);
    void c_MouseMove(int index, double x, double y);
    void c_MouseUp(int index, MouseButton button, double x, double y);

    void List1_MouseUp();
    void List1_KeyUp(int keyCode);
    void List2_DblClick();
    void List2_KeyUp(int keyCode);
    void Text1_KeyUp();

    // A menu item by its control name ("First", "Turn", "mnu_Help_About", ...).
    void MenuClick(const std::string& name);
    // A toolbar button by its identifying text ("Back", "Switch Colors", ...).
    void Toolbar1_ButtonClick(const std::string& key);
    // A file dropped on the window: opened as Open does with it chosen.
    void Form_OLEDragDrop(const std::string& path);
    // True while a game file is being opened (the batch check runs the
    // event loop between games); the commands wait.
    bool Opening() const { return opening_; }

    // ---- procedures -----------------------------------------------------
    void ResetGame();
    void DrawBoard();
    void ShowPlayers();
    void SwapPlayerNames();
    void StepPlies(int Count);
    void StepForward();
    void ListAvailableMoves();
    void ListGeneratedMoves();
    void LookUpBook();
    void CheckGameEnd(int Quiet);
    void CheckGameEndQuiet();
    void Pause(double seconds);
    void SaveSettings();
    void StartNewGame(int Mode);
    void ShowOptions();
    void SquareColour(int square);
    // Opens a game file: an empty path asks for one; any other text reopens
    // CurrentFilePath under CurrentFileName, preselecting GetGame1.
    void LoadGameFile(const std::string& path);
    // Replays every game of a collection, stopping at the first illegal move.
    void CheckPgnFile();
    void DisableCommands();
    void EnableCommands();
    // Saves the game in the program's own file format: to the file last read
    // or saved when name is its name (not a PGN file), else where the save
    // dialog says.
    void SaveGameFile(const std::string& name);

    // ---- state ----------------------------------------------------------
    Position Pos;        // Board, StartBoard, SideToMove, MoveList, ...
    GameRecord Record;   // PlayedMoves, PlayedEp, Comments, MoveTexts, ...
    MoveInput Input;     // LastWasCapture, LastWasPromotion, LastMoveSlot, MoveText, CaptureChar

    // Settings (the settings file).
    int Notation = 0;
    int BoardTurned = 0;
    int ShowMoves = 1;
    int CapNot = 0;
    int AskExit = 1;
    int CapCharacter = 0;

    std::string Cversion = "0.10";
    std::string C1version = "0.26";
    std::string PlayerName = "Player";
    int debug1 = 0;
    // Set before Form_Load to start with debug1 = 1 (ORVANE_DEBUG=1).
    int DebugAtStart = 0;
    int GetGame = 1;
    int GetGame1 = -1;
    int KeepPosition = 0;
    std::string CurrentFilePath;
    std::string CurrentFileName;
    int TwipsPerPixelX = 15;
    int TwipsPerPixelY = 15;

    int GameOver = 0;
    int GameHasMoves = 0;
    int Loading = 0;
    std::string GameFileName;
    // The full path of that file: Save writes there, wherever the current
    // folder is. Emptied with GameFileName.
    std::string GameFilePath;
    std::string SetupTag;
    std::string FenMoveNumber;
    int FenSideToMove = 1;

    // Tags of the game read last.
    std::string pgnEvent, pgnSite, pgnDate, pgnWhite, pgnBlack, pgnResult;
    std::string RoundTag, FenTag;

    // The opening book.
    BookMoveList BookMoves{};
    int InBook = 0;
    std::string OpeningName;
    std::string ShownOpening;

    // Move entry by mouse.
    int DragSource = -1;
    int DragX = 0;
    int DragY = 0;
    int DragStarted = 0;
    int EmptyPress = 0;
    int HoverSquare = 0;
    int HoverControl = -1;
    int HintsShown = 0;
    int PopupJustClosed = 0;
    int RightPressControl = -1;
    int SetupJustEdited = 0;
    std::string PromoLetter;
    int SetupSquare = 0;
    int SquareIsLight = 0;

    // The settings file in use (the program folder's, or the configuration
    // folder's when the program folder cannot be written).
    std::filesystem::path SettingsPath() const;
    const ProgramPaths& Paths() const { return paths_; }

    // The square control showing a square, and the square a control shows,
    // in the current orientation.
    int ControlOfSquare(int square) const;
    int SquareOfControl(int index) const;

private:
    // frmmain.cpp
    bool ReadSettingsFile();
    void WriteSettings();
    bool ProgramFolderWritable() const;

    // frmmain_board.cpp
    int PlainPicture(int square) const;
    int CursorPicture(int square) const;
    void DrawHint(int index, int square);
    void ToggleNotation();
    void TurnBoard();

    // frmmain_moves.cpp
    bool RecordFull() const;
    void RefuseFullRecord();
    // Appends the ply just played by InputMove to the record and List1; the
    // steps shared by the mouse and the available-moves list.
    void AppendPly(char pieceLetter, const std::string& moveText, int numberingPly, bool clearComment);
    void EnableBackCommands(bool enabled);
    void EnableForwardCommands(bool enabled);

    // frmmain_mouse.cpp
    bool HasMoveFrom(int square) const;
    // Forgets a press whose release never came: its piece goes back on its
    // square and the drag state is cleared.
    void ForgetPress();
    void ShowMovableHints();
    void RecordBoardMove(char pieceLetter, const std::string& moveText);

    // frmmain_setup.cpp
    void OpenSetupMenu(int index);
    void SetupCommand(const std::string& item);
    void SwitchColors();

    // frmmain_navigation.cpp
    void StepBackOnce();
    void StepForwardOnce();
    void AfterBackSteps();
    void AfterForwardSteps();
    void GoFirst();
    void GoLast();
    void List1Select();

    // frmmain_files.cpp
    enum class OpenKind { Ask, Reopen, Dropped, Check };
    void OpenGameFile(OpenKind kind, const std::string& droppedPath);
    void ReadNativeFile(const std::string& path, const std::string& name);
    // Sets up, replays and shows game `game` of a scanned collection; false
    // when it stopped with a message (the game is then reset).
    bool ReadPgnGame(const std::string& path, const pgn::GameIndex& index, long game, bool check);
    // The move list of a game just replayed, every ply numbered by
    // numberOf(ply) with its book marker.
    void FillMoveList(const std::function<int(int)>& numberOf);
    void IllegalMoveSteps(const std::string& message);
    void FinishLoad(const std::string& name, const std::string& path);
    void ShowGameStart();
    void LoadErrorSteps(const std::string& message);
    void NativeLoadErrorSteps();
    void LookUpBookAt(int plies);

    // frmmain_save.cpp
    void ForgetGameFile();

    // frmmain_commands.cpp
    void ShowDetails();
    void ShowAbout();
    void ExitCommand();

    View& view_;
    ProgramPaths paths_;
    OpeningBook book_;
    bool settingsInProgramFolder_ = true;
    bool opening_ = false;  // a game file is being opened
};

}  // namespace orvane::ui
