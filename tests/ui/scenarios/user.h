// A user at the main window: what they do (drag pieces, click and press keys
// in the lists, type a comment, choose commands, answer boxes) and what they
// see (list rows, the selected row, texts, the pieces on the board, the boxes
// shown). The window scenarios are written once against this interface and
// run over two windows: the recording fake view, acted on through frmMain's
// event entry points, and the real Qt window, acted on with real key and
// mouse events on its widgets.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace orvane::scenarios {

using Lines = std::vector<std::string>;

// Keys pressed and released in a list.
enum class Key { Up, Down, Home, End, Enter };

// Something modal the user met, in the order met: a message box
// ("box TITLE: TEXT"), the About box ("about VERSION LINE"), a pop-up menu
// ("menu NAME: CAPTION CAPTION ..." with its enabled items), the game
// picker as it opens ("picker CAPTION selected=K", K the selected game),
// what the picker showed after a filter was typed ("picker filter="TEXT"
// shown=ROWS first=GAME") or a column header clicked ("picker sort=COLUMN
// first=GAME"), GAME the number of the game in its first row, another
// dialog ("dialog TITLE") or a pause of the program ("pause SECONDS").
using Events = std::vector<std::string>;

class User {
public:
    User() = default;
    virtual ~User() = default;
    User(const User&) = delete;
    User& operator=(const User&) = delete;

    // Starts the program with the given folder as its program folder; files
    // it should find at start-up (the book) are written there before.
    virtual void Start(const std::filesystem::path& folder) = 0;

    // ---- doing ----------------------------------------------------------
    // Drags the piece on one square ("e2") to another with the left button.
    virtual void Drag(const std::string& from, const std::string& to) = 0;
    // Presses and releases the left button on a square without moving.
    virtual void Click(const std::string& square) = 0;
    // Clicks a row of the move list.
    virtual void ClickList1(int row) = 0;
    // Presses and releases a key while a list has the focus.
    virtual void KeyInList1(Key key) = 0;
    virtual void KeyInList2(Key key) = 0;
    // Selects an entry of the available moves by clicking it and
    // double-clicks it.
    virtual void DoubleClickList2(const std::string& entry) = 0;
    // Types text at the end of the comment box, key by key.
    virtual void TypeComment(const std::string& text) = 0;
    // A menu item by its control name, a toolbar button by its text. A
    // disabled one does nothing.
    virtual void Menu(const std::string& name) = 0;
    virtual void Button(const std::string& key) = 0;
    // Opens a file with the Open command, choosing path in its dialog.
    virtual void Open(const std::filesystem::path& path) = 0;
    // The button the next message box is answered with ("Yes", "No"), or
    // the caption of the item chosen in the next pop-up menu; a box without
    // one is answered with its default button, a menu without one dismissed.
    // The game picker takes "filter TEXT" (typed into its filter field) and
    // "sort COLUMN" (a click on that header) until "OK", "Cancel" or a game
    // number (that game's row clicked, then OK) closes it; without one it
    // closes with OK.
    virtual void Answer(const std::string& button) = 0;
    // Something that happens while the next game picker is up, before the
    // user answers it (another program rewriting the file, say).
    virtual void WhilePickerShows(std::function<void()> action) = 0;

    // ---- seeing ---------------------------------------------------------
    virtual Lines List1() const = 0;
    virtual int List1Selected() const = 0;
    virtual Lines List2() const = 0;
    virtual int List2Selected() const = 0;
    virtual bool List2Enabled() const = 0;
    virtual std::string Comment() const = 0;
    // Status bar panel 1 or 2.
    virtual std::string Status(int panel) const = 0;
    virtual std::string Caption() const = 0;
    // Whether a menu item, a toolbar button can be chosen.
    virtual bool MenuEnabled(const std::string& name) const = 0;
    virtual bool ButtonEnabled(const std::string& key) const = 0;
    // The picture number shown by square control 0..63 (top left first).
    virtual int Picture(int control) const = 0;
    // Everything modal met since the start.
    virtual Events Met() const = 0;
    // The board as it was shown when the last of those was met.
    virtual Lines BoardWhenLastMet() const = 0;

    // The board as eight ranks, rank 8 first, White at the bottom: "rnbqkbnr",
    // upper case White, '.' an empty square, '?' a picture of no piece.
    Lines Board() const;
    // What one square shows: 'P', 'n', '.', ...
    char On(const std::string& square) const;
};

// The control showing a square ("e4") with White at the bottom.
int ControlOf(const std::string& square);
// The piece a picture shows, as in Board().
char PieceOfPicture(int picture);
// The ranks drawn in a list of 64 pictures.
Lines RanksOf(const std::vector<int>& pictures);

}  // namespace orvane::scenarios
