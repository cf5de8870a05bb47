// A recording fake of the window: every control is plain data, modal
// interactions take scripted answers, and nothing ever waits. Tests and the
// behaviour driver run frmMain over it.
#pragma once

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/view.h"

namespace orvane::ui::fake {

class FakeList : public ListBox {
public:
    void AddItem(const std::string& text) override { items.push_back(text); }
    void RemoveItem(int index) override;
    void Clear() override {
        items.clear();
        index = -1;
    }
    int ListCount() const override { return static_cast<int>(items.size()); }
    std::string List(int i) const override;
    int ListIndex() const override { return index; }
    void SetListIndex(int i) override { index = i >= 0 && i < ListCount() ? i : -1; }
    bool Enabled() const override { return enabled; }
    void SetEnabled(bool e) override { enabled = e; }
    bool Visible() const override { return visible; }
    void SetVisible(bool v) override { visible = v; }

    std::vector<std::string> items;
    int index = -1;
    bool enabled = true;
    bool visible = true;
};

class FakeText : public TextBox {
public:
    std::string Text() const override { return text; }
    void SetText(const std::string& t) override { text = t; }
    std::string text;
};

class FakeLabel : public Label {
public:
    std::string Caption() const override { return caption; }
    void SetCaption(const std::string& c) override {
        caption = c;
        ++captionsSet;
    }
    void SetColors(Rgb b, Rgb f) override {
        back = b;
        fore = f;
    }
    void SetVisible(bool v) override { visible = v; }
    std::string caption;
    Rgb back = White;
    Rgb fore = Black;
    bool visible = true;
    long captionsSet = 0;  // how often a caption was set (Label5's: how often the board was drawn)
};

class FakeStatusBar : public StatusBar {
public:
    std::string PanelText(int panel) const override { return panel == 2 ? panel2 : panel1; }
    void SetPanelText(int panel, const std::string& text) override { (panel == 2 ? panel2 : panel1) = text; }
    std::string panel1;
    std::string panel2;
};

class FakeCommands : public Commands {
public:
    struct State {
        bool enabled = true;
        bool checked = false;
        bool visible = true;
    };
    bool Enabled(const std::string& name) const override { return Get(name).enabled; }
    void SetEnabled(const std::string& name, bool e) override { states[name].enabled = e; }
    bool Checked(const std::string& name) const override { return Get(name).checked; }
    void SetChecked(const std::string& name, bool c) override { states[name].checked = c; }
    void SetVisible(const std::string& name, bool v) override { states[name].visible = v; }
    State Get(const std::string& name) const;
    std::map<std::string, State> states;
};

class FakeSquares : public Squares {
public:
    void SetPicture(int index, int picture) override;
    int Picture(int index) const override;
    void DrawHintBox(int index, Rgb colour) override;
    void SetDragPointer(int index, int picture) override;
    std::array<int, 64> pictures{};
    std::array<std::vector<Rgb>, 64> hints;
    std::array<int, 64> pointers{};
};

class FakeSurface : public Surface {
public:
    struct Text {
        int x;
        int y;
        std::string text;
    };
    void Clear() override {
        texts.clear();
        rectangles = 0;
    }
    // A text drawn where one stands already covers it.
    void DrawText(int x, int y, const std::string& text) override;
    void DrawRectangle(int, int, int, int, Rgb) override { ++rectangles; }
    std::vector<Text> texts;
    int rectangles = 0;
};

// Describes each modal interaction on one line as it happens.
using InteractionLog = std::function<void(const std::string&)>;

class FakeView : public View {
public:
    ListBox& List1() override { return list1; }
    ListBox& List2() override { return list2; }
    TextBox& Text1() override { return text1; }
    TextBox& Text2() override { return text2; }
    Label& Labels(int number) override;
    StatusBar& StatusBar1() override { return status; }
    Commands& Menu() override { return menu; }
    Commands& Toolbar() override { return toolbar; }
    Squares& Board() override { return squares; }
    Surface& Canvas() override { return canvas; }
    std::string Caption() const override { return caption; }
    void SetCaption(const std::string& c) override { caption = c; }
    int TwipsPerPixelX() const override { return twipsPerPixel; }
    int TwipsPerPixelY() const override { return twipsPerPixel; }
    void LayoutWindow(bool large) override { largeFont = large; }
    void SetToolbarEnabled(bool enabled) override { toolbarEnabled = enabled; }
    void ShowWindow() override { shown = true; }

    MsgAnswer MsgBox(const std::string& text, const std::string& title, MsgIcon icon, MsgButtons buttons) override;
    std::string PopupMenu(const std::string& menuName, const std::vector<MenuItem>& items) override;
    void Pause(double seconds) override { pausedSeconds += seconds; }
    DialogClose ShowOptions(OptionsControls& controls) override;
    DialogClose ShowDetails(DetailsControls& controls,
                            const std::function<void(const DetailsControls&)>& apply) override;
    void ShowAbout(const std::string& versionLine) override;
    std::string OpenFileDialog(const std::string& title, const std::string& filter,
                               const std::string& initialFolder) override;
    std::string SaveFileDialog(const std::string& title, const std::string& filter,
                               const std::string& initialFolder) override;
    long ShowPicker(const PickerContent& content) override;
    void SetBusyPointer(bool busy) override { busyPointer = busy; }
    void SetSquaresBusyPointer(bool busy) override { squaresBusyPointer = busy; }
    void Refresh() override { ++refreshes; }
    void DoEvents() override {
        ++eventPasses;
        if (onEvents) onEvents();
    }
    std::string ClipboardText() override { return clipboard; }
    // Prints the text put on the clipboard: clipboard "TEXT".
    void SetClipboardText(const std::string& text) override;
    void Quit() override;

    // Answers for the next modal interactions, in order: "Yes", "No", "OK",
    // "Cancel", a pop-up item's caption, "" to dismiss or cancel, or for a
    // dialog a list of actions separated by ";" ("Check3=0;Option1(1);OK");
    // the Open and Save dialogs take a path ("" cancels), the game picker a game
    // number, "OK" or "Cancel", after any number of "filter TEXT" (typed into
    // its filter field) and "sort COLUMN" (a click on that column's header).
    void QueueAnswer(const std::string& answer) { answers.push_back(answer); }

    FakeList list1, list2;
    FakeText text1, text2;
    std::array<FakeLabel, 8> labels;
    FakeStatusBar status;
    FakeCommands menu, toolbar;
    FakeSquares squares;
    FakeSurface canvas;
    std::string caption;
    std::string clipboard;  // the system clipboard's text
    int twipsPerPixel = 15;
    bool largeFont = false;
    bool toolbarEnabled = true;
    bool shown = false;
    bool quit = false;
    double pausedSeconds = 0;
    bool busyPointer = false;
    bool squaresBusyPointer = false;
    int refreshes = 0;
    int eventPasses = 0;
    std::function<void()> onEvents;  // what the user does while the event loop runs

    // The game picker as it was shown last.
    struct Picker {
        std::string caption;
        std::string label;
        std::vector<std::string> columns;  // the visible columns' headers in order
        long rows = 0;
        long selected = 0;  // preselected game, 0 none
        std::string text2;  // Text2 while the picker was open
        long chosen = -1;
    };
    Picker picker;
    int pickerShown = 0;

    std::deque<std::string> answers;
    std::vector<std::string> interactions;  // every interaction line so far
    InteractionLog onInteraction;           // also told each line as it happens

private:
    bool NextAnswer(std::string& answer);
    std::string RunDialog(const std::function<void(const std::string&)>& act);
    void Log(const std::string& line);
};

// A text in double quotes, with line breaks written as \n and quotes as \".
std::string Quoted(const std::string& text);

}  // namespace orvane::ui::fake
