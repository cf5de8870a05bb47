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
//   frmmain_save.cpp        saving the game in the program's own game file and as PGN
//   frmmain_clipboard.cpp   the game and the position to the clipboard, and pasting
//   frmmain_errors.cpp      error values turned into message boxes
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "book/book.h"
#include "common/readerror.h"
#include "engine/position.h"
#include "notation/notation.h"
#include "pgn/collection.h"
#include "pgn/tags.h"
#include "record/gamerecord.h"
#include "ui/settingsfile.h"
#include "ui/view.h"

namespace orvane::ui {

// Where the program finds and keeps its files.
struct ProgramPaths {
    std::filesystem::path ProgramFolder;  // the folder of the executable
    std::filesystem::path ConfigFolder;   // the user's configuration folder (settings of an install)
    std::filesystem::path DataFolder;     // the installed data folder (book fallback); may be empty
    // The program runs from an install (/usr/bin): its settings go to the
    // configuration folder even where the program folder can be written.
    bool Installed = false;
};

// What the opening book said for the position on the board.
struct BookState {
    BookMoveList BookMoves{};  // the book's continuations, marked in the available-moves list
    int InBook = 0;            // 1 while the game so far lies on a book line
    std::string OpeningName;   // the name of the opening the lookup found
    std::string ShownOpening;  // the opening name the status bar shows
};

// Move entry by mouse: a press, the drag and the release on the square
// controls, and the right-click setup menu. Controls are c(0)..c(63).
struct MouseState {
    int DragSource = -1;  // the control pressed with a piece lifted, -1 none
    int DragX = 0;        // the pointer's last position, twips from that control
    int DragY = 0;
    int DragStarted = 0;         // 1 once the pointer moved after the press
    int EmptyPress = 0;          // 1 after a left press on an empty square
    int HoverSquare = 0;         // the last movable piece's square under the pointer
    int HoverControl = -1;       // and its control, -1 none
    int HintsShown = 0;          // 1 once the hint boxes are drawn; 0 redraws them at the next move
    int PopupJustClosed = 0;     // 1 right after the setup menu closed
    int RightPressControl = -1;  // the control a right button went down on, -1 none
    int SetupJustEdited = 0;     // 1 after a setup edit until the pointer moves
    std::string PromoLetter;     // the promotion piece chosen last ("Q", "N", ...)
    int SetupSquare = 0;         // the square the setup menu edits
    int SquareIsLight = 0;       // SquareColour's answer: 1 for a light square
};

class frmMain {
public:
    frmMain(View& view, ProgramPaths paths);
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    // ---- the window's events --------------------------------------------
    // The view (src/ui/qt, the fake view's driver) calls these as the user
    // acts; Form_Load runs once, before any other.

    // Start-up: reads the settings file (a bad one is replaced by the
    // defaults), shows a fresh game and, when commandLine (the argument
    // string as a whole) ends in "pgn", opens that file once the window
    // shows. False when no settings file can be written: the user was told
    // and the program has been told to end.
    bool Form_Load(const std::string& commandLine);
    // The close box: asks "Are you sure you want to exit?" when Config.AskExit
    // is 1. True when the user answered No and the window stays open.
    bool Form_QueryUnload();
    // The window closes (after Form_QueryUnload said false): saves the settings.
    void Form_Unload();
    // The pointer moved over the window off the board: with hints on, they
    // are drawn afresh when it comes back over a square.
    void Form_MouseMove();

    // The square controls c(0)..c(63), numbered in the current orientation
    // (see ControlOfSquare); x, y in twips from the top left corner of the
    // control where the button went down.
    // A left press lifts a piece of the side to move that has a move (else a
    // message says why); a right press marks the control for the setup menu.
    void c_MouseDown(int index, MouseButton button, double x, double y);
    // Draws the hint boxes (Config.ShowMoves) and, with a piece pressed,
    // starts the drag; x, y are where the piece would be dropped.
    void c_MouseMove(int index, double x, double y);
    // A left release plays the pressed piece's move to the square under x, y
    // (asking for a promotion piece; "Illegal move" refuses it; off the board
    // the piece goes back). A right release on its own square opens the
    // setup menu.
    void c_MouseUp(int index, MouseButton button, double x, double y);

    // The move list: a click, or Enter (keyCode KeyEnter; other keys do
    // nothing), shows the position after the selected entry.
    void List1_MouseUp();
    void List1_KeyUp(int keyCode);
    // The available moves: a double-click, or Enter, plays the selected entry.
    void List2_DblClick();
    void List2_KeyUp(int keyCode);
    // The comment box changed: its text becomes the current ply's comment.
    void Text1_KeyUp();

    // A menu item by its control name ("First", "Turn", "mnu_Help_About", ...).
    // While a file is being opened only About works.
    void MenuClick(const std::string& name);
    // A toolbar button by its identifying text ("Back", "Switch Colors", ...);
    // none works while a file is being opened.
    void Toolbar1_ButtonClick(const std::string& key);
    // A file dropped on the window: opened as Open does with it chosen;
    // ignored while a game loads.
    void Form_OLEDragDrop(const std::string& path);
    // True while a game file is being opened (the batch check runs the
    // event loop between games); the commands wait.
    bool Opening() const { return opening_; }

    // ---- procedures -----------------------------------------------------
    // Called by the events above and by each other; public so that the
    // benchmarks and the fuzz harnesses can drive them directly.

    // A fresh, empty game: the standard position (a set-up one when
    // KeepPosition is 1), empty record, lists and comment, the side to move
    // in the status bar, no file name. The board is not redrawn.
    void ResetGame();
    // The same without the list of available moves, for a caller that lists
    // them itself once the new position is known (a game being read).
    void ResetGameState();
    // Shows Pos on the squares in the current orientation, the material
    // counts, the coordinates (unless Config.Notation is 1) and the players.
    void DrawBoard();
    // The players' names and colours in Label1..Label4; the side to move's
    // label is red.
    void ShowPlayers();
    // Exchanges the white and the black player's names (after a mate).
    void SwapPlayerNames();
    // Walks the game record: Count > 0 goes back Count plies, Count <= 0
    // forward -Count plies, stopping at either end, then shows that position
    // with its comment. First passes CurrentPly, Back 1, Last and List1 the
    // difference. Nothing happens while the record is empty.
    void StepPlies(int Count);
    // The Forward command: one ply forward; nothing at the end of the record.
    void StepForward();
    // Fills List2 with every legal move of the side to move, book moves marked.
    void ListAvailableMoves();
    // Fills List2 with the moves already generated for the current position
    // (after CheckGameEnd's test, which generates them), book moves marked.
    void ListGeneratedMoves();
    // Consults the opening book for the game up to the current ply: fills
    // Book and names the opening in the status bar; a bad book file is told.
    void LookUpBook();
    // After a move: on mate or stalemate the game is over (List2 disabled);
    // with Quiet 0 the end is also shown in the status bar and a message box.
    void CheckGameEnd(int Quiet);
    // Waits seconds with the window shown as it is.
    void Pause(double seconds);
    // Writes Config to the settings file; a failure is told.
    void SaveSettings();
    // New Game (Mode 0) and New Variant (Mode 1): asks "Quit current game?"
    // when the game has moves, then starts from the standard position; Mode
    // 1 then opens the collection being viewed again, or asks for a file when
    // there is none.
    void StartNewGame(int Mode);
    // The Options dialog: OK takes its four settings; the board and List2 are
    // shown again with them either way.
    void ShowOptions();
    // Sets Mouse.SquareIsLight for a board square (21 = a1 .. 98 = h8).
    void SquareColour(int square);
    // Opens a game file: an empty path asks for one; any other text reopens
    // the collection being viewed again, preselecting the game last picked.
    void LoadGameFile(const std::string& path);
    // The Debug menu's batch check: replays every game of a collection the
    // user picks, stopping at the first illegal move.
    void CheckPgnFile();
    // The Game, Play and Board menus and the toolbar, off while a game loads
    // and on again after.
    void DisableCommands();
    void EnableCommands();
    // Saves the game in the program's own file format: to the file last read
    // or saved when name is its name (not a PGN file), else where the save
    // dialog says.
    void SaveGameFile(const std::string& name);
    // Save as PGN: asks for a file; the game in the PGN standard's export
    // format becomes its content, or is added at its end when the file
    // exists and the user agrees. Nothing is changed on a failure.
    void SavePgnFile();
    // Copy Game: the game's PGN export text to the clipboard.
    void CopyGame();
    // Copy Position: the FEN of the position on the board to the clipboard.
    void CopyPosition();
    // Paste: a FEN on the clipboard becomes the start of a new game, a PGN
    // text's game is loaded (a picker first when it holds several).
    void Paste();

    // ---- state ----------------------------------------------------------
    Position Pos;       // Board, StartBoard, SideToMove, MoveList, ...
    GameRecord Record;  // PlayedMoves, PlayedEp, Comments, MoveTexts, ...
    MoveInput Input;    // LastWasCapture, LastWasPromotion, LastMoveSlot, MoveText, CaptureChar

    // The settings, as the settings file keeps them.
    Settings Config;

    std::string Cversion = "0.10";
    std::string C1version = "0.26";
    std::string PlayerName = "Player";
    int debug1 = 0;
    // Set before Form_Load to start with debug1 = 1 (ORVANE_DEBUG=1).
    int DebugAtStart = 0;
    int KeepPosition = 0;
    // The PGN collection being viewed.
    struct CollectionFile {
        std::string CurrentFilePath;  // its full path; "" when a game file of the program's own was read
        std::string CurrentFileName;  // its file name, as captions show it
        long GetGame1 = -1;           // the game last picked from it, -1 none: preselected when it is read again
    };
    CollectionFile Collection;
    int TwipsPerPixelX = 15;
    int TwipsPerPixelY = 15;

    int GameOver = 0;
    int GameHasMoves = 0;
    int Loading = 0;
    // The file the game on the board was read from or saved to last; Save
    // writes there again unless it is a PGN file.
    struct GameFile {
        std::string GameFileName;  // its file name, "" when the game is no file's
        // Its full path: Save writes there, wherever the current folder is.
        // Emptied with GameFileName.
        std::string GameFilePath;
    };
    GameFile File;
    std::string FenMoveNumber;
    int FenSideToMove = 1;

    // The tag values of the game read last, as the Details dialog edits
    // them. pgnResult is "" until a game is read: a game entered on the
    // board shows no result at its end. SetupTag numbers the moves of a game
    // that starts from its own position.
    pgn::PgnTags Tags;

    // The opening book's answer for the position on the board.
    BookState Book;

    // Move entry by mouse and the setup menu.
    MouseState Mouse;

    // The settings file in use: the configuration folder's for an installed
    // program, else the program folder's, or the configuration folder's when
    // the program folder cannot be written.
    std::filesystem::path SettingsPath() const;
    // The folders the program was started with.
    const ProgramPaths& Paths() const { return paths_; }

    // The square control showing a square (21 = a1 .. 98 = h8), and the
    // square a control (0..63, top left first) shows, in the current
    // orientation. The driver names squares through them.
    int ControlOfSquare(int square) const;
    int SquareOfControl(int index) const;

private:
    // frmmain.cpp
    // Reads the settings file; an error only when no settings file can be written.
    ReadError ReadSettingsFile();
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
    int DropSquare(int source) const;
    void PutPieceBack(int source);
    void ForgetDrag();
    std::string AskPromotionPiece();
    void RecordBoardMove(char pieceLetter, const std::string& moveText);

    // frmmain_setup.cpp
    void OpenSetupMenu(int index);
    void SetupCommand(const std::string& item);
    void SwitchColors();

    // frmmain_navigation.cpp
    void StepBackOnce();
    // False when the stored move cannot be played again; nothing changed then.
    bool StepForwardOnce();
    void AfterBackSteps();
    void AfterForwardSteps();
    void GoFirst();
    void GoLast();
    void List1Select();

    // frmmain_files.cpp
    // Pasted: a PGN text from the clipboard, written to a file of its own
    // (droppedPath), shown as "Clipboard"; a text of one game needs no picker.
    enum class OpenKind { Ask, Reopen, Dropped, Check, Pasted };
    // What the window showed of the game on the board before an Open, so
    // that an Open that reads no game can show it again.
    struct ShownGame {
        std::vector<std::string> MoveList;  // List1's entries
        int Selected = -1;                  // List1's selected entry
        std::string Status1;
        std::string Status2;
        std::string Text2;
        std::string WhiteName;
        std::string BlackName;
        int HasComments = 0;
    };
    enum class GameRead {
        Loaded,
        Failed,       // stopped with a message; the game is reset
        FileChanged,  // the file is no longer the one scanned; nothing was changed
    };
    // Opens a file as kind says. False when nothing was opened (the user
    // said No or cancelled, or the file was refused before it was read);
    // true when the window shows a game again, the file's or the one it had.
    bool OpenGameFile(OpenKind kind, const std::string& droppedPath);
    static bool IsCollectionPath(const std::string& path);
    bool ChooseGameFile(OpenKind kind, const std::string& droppedPath, std::string& path, std::string& name);
    void ClearForOpen(bool check);
    ShownGame ShownGameNow() const;
    void ShowGameAgain(const ShownGame& before, const std::string& status);
    void OpenCollection(const std::string& path, const std::string& name, OpenKind kind, const ShownGame& before);
    long PickGame(const pgn::GameIndex& index, const std::string& name, OpenKind kind);
    void CheckEveryGame(const std::string& path, const std::string& name, const pgn::GameIndex& index);
    void ReadNativeFile(const std::string& path, const std::string& name, bool check, const ShownGame& before);
    // Reads game `game` of a scanned collection by its place in the file,
    // then sets it up, replays and shows it.
    GameRead ReadPgnGame(const std::string& path, const pgn::GameIndex& index, long game);
    // Sets up, replays and shows a game read (the batch check: in its way).
    GameRead LoadGameText(const pgn::GameText& game, bool check);
    // The move list of a game just replayed, every ply numbered by
    // numberOf(ply) with its book marker.
    void FillMoveList(const std::function<int(int)>& numberOf);
    // What the window was doing when an error value came back: it decides
    // the words of the message (frmmain_errors.cpp).
    enum class ErrorContext {
        StartUp,          // reading the settings at start-up
        OpenCollection,   // opening a file (missing, or a PGN collection) and reading a game of it
        CheckCollection,  // the batch check of a collection
        OpenGameFile,     // reading a game file of the program's own
        SaveGame,
        SaveSettings,
        LookUpBook,
        EnterMove,  // a move entered with the mouse or from the available-moves list
        CopyGame,   // the game's PGN text for the clipboard
        PasteFen,   // a FEN from the clipboard
    };
    // The one place where an error value becomes a message box.
    void ShowError(const ReadError& error, ErrorContext context);
    // The context of opening a file by its name (a collection or a game file).
    static ErrorContext OpenContext(const std::string& path, bool check);
    void IllegalMoveSteps(const ReadError& error, ErrorContext context);
    void BeginLoad(bool tellLoading);
    void FinishLoad(const std::string& name, const std::string& path);
    void ShowGameStart();
    void LoadErrorSteps(const ReadError& error, ErrorContext context);
    void NativeLoadErrorSteps(const ReadError& error);
    void LookUpBookAt(int plies);

    // frmmain_save.cpp
    void ForgetGameFile();

    // frmmain_clipboard.cpp
    // The game's start position as a FEN describes it: the move list's
    // full-move number and, for a game set up from the FEN of that very
    // position, the FEN's half-move clock.
    FenPosition GameStartFen() const;
    void PasteFen(const std::string& fen);
    void PastePgn(const std::string& text);

    // frmmain_commands.cpp
    void ShowDetails();
    void ShowAbout();
    void ExitCommand();

    View& view_;
    ProgramPaths paths_;
    OpeningBook book_;
    bool settingsInProgramFolder_ = true;
    bool opening_ = false;    // a game file is being opened
    bool unloading_ = false;  // the window is closing: a running batch check stops
};

}  // namespace orvane::ui
