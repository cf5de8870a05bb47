// The view seam: the controls of the main window as frmMain sees them.
//
// Each interface is shaped like a control the window's behaviour talks about
// (a list box, a text box, a label, the status bar, the menu and toolbar
// commands, the 64 square controls, the drawing surface) plus the modal
// interactions (message box, pop-up menus, dialogs, pause). The Qt layer
// implements them with widgets; the tests implement them with plain data.
// Nothing here includes a toolkit header.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "pgn/collection.h"

namespace orvane::ui {

// Colour as 0xRRGGBB.
using Rgb = std::uint32_t;
inline constexpr Rgb Black = 0x000000;
inline constexpr Rgb White = 0xFFFFFF;
inline constexpr Rgb Red = 0xFF0000;
inline constexpr Rgb Yellow = 0xFFFF00;

enum class MsgIcon { None, Exclamation, Question, Information };
enum class MsgButtons { OK, YesNo };
enum class MsgAnswer { OK, Yes, No, Cancel };
enum class MouseButton { Left = 1, Right = 2, Middle = 4 };

// Key codes the handlers compare.
inline constexpr int KeyEnter = 13;

// A list box (List1: the game's moves, List2: the available moves).
class ListBox {
public:
    virtual ~ListBox() = default;
    virtual void AddItem(const std::string& text) = 0;
    virtual void RemoveItem(int index) = 0;
    virtual void Clear() = 0;
    virtual int ListCount() const = 0;
    virtual std::string List(int index) const = 0;
    // Selected entry, -1 when none.
    virtual int ListIndex() const = 0;
    virtual void SetListIndex(int index) = 0;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
};

// A text box (Text1: the comment of the current ply, Text2).
class TextBox {
public:
    virtual ~TextBox() = default;
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
};

// A label (Label1..Label7).
class Label {
public:
    virtual ~Label() = default;
    virtual std::string Caption() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void SetColors(Rgb back, Rgb fore) = 0;
    virtual void SetVisible(bool visible) = 0;
};

// The status bar StatusBar1 with its panels 1 and 2.
class StatusBar {
public:
    virtual ~StatusBar() = default;
    virtual std::string PanelText(int panel) const = 0;
    virtual void SetPanelText(int panel, const std::string& text) = 0;
};

// Commands by name: menu items by their control name ("First", "Moveback",
// "Nonotation", "mnuGame", ...), toolbar buttons by their identifying text
// ("First", "Back", "New Variant", ...).
class Commands {
public:
    virtual ~Commands() = default;
    virtual bool Enabled(const std::string& name) const = 0;
    virtual void SetEnabled(const std::string& name, bool enabled) = 0;
    virtual bool Checked(const std::string& name) const = 0;
    virtual void SetChecked(const std::string& name, bool checked) = 0;
    virtual void SetVisible(const std::string& name, bool visible) = 0;
};

// The control array c(0..63) of square pictures, index = 8 x screen row +
// screen column from the top left.
class Squares {
public:
    virtual ~Squares() = default;
    // Puts picture 1..38 of the piece image list into a square; this erases
    // the hint boxes drawn on it.
    virtual void SetPicture(int index, int picture) = 0;
    virtual int Picture(int index) const = 0;
    // Draws the outline of a hint box inside a square.
    virtual void DrawHintBox(int index, Rgb colour) = 0;
    // Makes picture the pointer shown over a square while its button is
    // held; 0 restores the default pointer.
    virtual void SetDragPointer(int index, int picture) = 0;
};

// The window's own drawing surface around the board. Positions in twips
// from the client area's top left.
class Surface {
public:
    virtual ~Surface() = default;
    virtual void Clear() = 0;
    virtual void DrawText(int x, int y, const std::string& text) = 0;
    virtual void DrawRectangle(int x1, int y1, int x2, int y2, Rgb colour) = 0;
};

// An entry of a pop-up menu.
struct MenuItem {
    std::string Name;     // control name, returned when chosen
    std::string Caption;  // "" with Separator
    bool Checked = false;
    bool Enabled = true;
    bool Separator = false;
};

// The controls of the Options dialog frmoptions1.
struct OptionsControls {
    int Check3 = 0;          // "Show available moves"
    int Check5 = 0;          // "Notation in capital letters"
    int Check6 = 0;          // "Ask confirmation on exit"
    bool Option1_0 = true;   // capture character "X"
    bool Option1_1 = false;  // capture character ":"
};

// The text boxes of the Game Details dialog dlgDetails.
struct DetailsControls {
    std::string Text1;  // Event
    std::string Text2;  // Site
    std::string Text3;  // Date
    std::string Text4;  // Black
    std::string Text5;  // White
};

// What the game picker dlgPGN shows: the caption, the count label, the game
// index (row k = game k) and which of its 27 columns are visible.
struct PickerContent {
    std::string Caption;  // "Open PGN game from NAME"
    std::string Label;    // "Number of games: 57"
    const pgn::GameIndex* Index = nullptr;
    std::array<bool, pgn::IndexColumns> Visible{};  // column k at [k - 1]
    long Selected = -1;                             // the preselected game (1-based), -1 none
};

// How a dialog was closed.
enum class DialogClose { OK, Cancel };

class View {
public:
    virtual ~View() = default;

    virtual ListBox& List1() = 0;
    virtual ListBox& List2() = 0;
    virtual TextBox& Text1() = 0;
    virtual TextBox& Text2() = 0;
    // Label1..Label7.
    virtual Label& Labels(int number) = 0;
    virtual StatusBar& StatusBar1() = 0;
    virtual Commands& Menu() = 0;
    virtual Commands& Toolbar() = 0;
    virtual Squares& Board() = 0;
    virtual Surface& Canvas() = 0;

    virtual std::string Caption() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;

    // The screen's whole twips per pixel.
    virtual int TwipsPerPixelX() const = 0;
    virtual int TwipsPerPixelY() const = 0;
    // Places the controls for the normal or the large-font layout.
    virtual void LayoutWindow(bool largeFont) = 0;
    // Enables or disables the whole toolbar.
    virtual void SetToolbarEnabled(bool enabled) = 0;
    // Shows the window (before a file named on the command line is read).
    virtual void ShowWindow() = 0;

    // A modal message box; an empty title means the application's own.
    virtual MsgAnswer MsgBox(const std::string& text, const std::string& title, MsgIcon icon, MsgButtons buttons) = 0;
    // Shows a pop-up menu (mnuSetup, mnuPromo) at the pointer and returns the
    // name of the chosen item, or "" when it was dismissed.
    virtual std::string PopupMenu(const std::string& menuName, const std::vector<MenuItem>& items) = 0;
    // Returns after the given time without taking input meanwhile.
    virtual void Pause(double seconds) = 0;

    // The dialogs, shown modally with their controls set from the argument.
    // OK copies the controls back into it; Cancel and the close box do not.
    virtual DialogClose ShowOptions(OptionsControls& controls) = 0;
    // Apply hands the current controls to apply and leaves the dialog open.
    virtual DialogClose ShowDetails(DetailsControls& controls,
                                    const std::function<void(const DetailsControls&)>& apply) = 0;
    virtual void ShowAbout(const std::string& versionLine) = 0;

    // The Open file dialog: title, filter ("Name (*.pgn)|*.pgn|..."), initial
    // folder. Returns the chosen path, "" when cancelled.
    virtual std::string OpenFileDialog(const std::string& title, const std::string& filter,
                                       const std::string& initialFolder) = 0;
    // The Save file dialog: title, filter as for Open, initial folder; the
    // file name starts empty. Returns the chosen path, "" when cancelled. It
    // asks nothing about an existing file: the program asks that itself.
    virtual std::string SaveFileDialog(const std::string& title, const std::string& filter,
                                       const std::string& initialFolder) = 0;
    // The game picker, shown modally: the chosen game (1-based), -1 on Cancel.
    virtual long ShowPicker(const PickerContent& content) = 0;
    // The hourglass pointer over the window, and over the 64 square controls.
    virtual void SetBusyPointer(bool busy) = 0;
    virtual void SetSquaresBusyPointer(bool busy) = 0;
    // Paints what has changed now, without taking input.
    virtual void Refresh() = 0;
    // Lets the event loop run once (input and painting).
    virtual void DoEvents() = 0;

    // The text on the system clipboard, "" when it holds none; and new text
    // for it.
    virtual std::string ClipboardText() = 0;
    virtual void SetClipboardText(const std::string& text) = 0;

    // Ends the program at once.
    virtual void Quit() = 0;
};

}  // namespace orvane::ui
