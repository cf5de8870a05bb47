// The main window: menus, toolbar, status bar, the board of 64 square
// controls, the move lists, the comment box and the labels, placed at fixed
// positions in twips. It implements the view seam for frmMain and forwards
// every user action to frmMain's event handlers; it decides nothing itself.
#pragma once

#include <QElapsedTimer>
#include <QMainWindow>

#include <array>
#include <string>

#include "ui/qt/controls.h"
#include "ui/qt/drawingsurface.h"
#include "ui/qt/squarecontrol.h"
#include "ui/qt/windowlayout.h"
#include "ui/view.h"

class QToolBar;

namespace orvane::ui {
class frmMain;
}

namespace orvane::ui::qt {

// Twips per pixel of a screen with the given logical dots per inch and
// device pixel ratio: 15 at 96 dpi, 12 at 120 dpi (or 96 dpi scaled by 1.25).
int ScreenTwipsPerPixel(double logicalDpi, double pixelRatio);

class MainWindow : public QMainWindow, public View {
public:
    MainWindow();
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // The behaviour that receives the window's events; set once after
    // frmMain has been constructed with this window.
    void SetForm(frmMain* form) { form_ = form; }

    // True once Quit() has been called.
    bool QuitRequested() const { return quitRequested_; }

    // The controls, for the program's tests.
    SquareControl* Square(int index) const;
    DrawingSurface* SurfaceWidget() const { return surface_; }
    QToolBar* ToolBar1() const { return toolbar_; }
    const WindowLayout& Layout() const { return layout_; }
    // Twips per pixel as the widgets count pixels: what the layouts' twips
    // are converted with.
    int LayoutTwipsPerPixel() const;

    // ---- the view seam ------------------------------------------------
    ListBox& List1() override { return *list1_; }
    ListBox& List2() override { return *list2_; }
    TextBox& Text1() override { return *text1_; }
    TextBox& Text2() override { return *text2_; }
    Label& Labels(int number) override;
    StatusBar& StatusBar1() override { return status_; }
    Commands& Menu() override { return menu_; }
    Commands& Toolbar() override { return toolbarCommands_; }
    Squares& Board() override { return board_; }
    Surface& Canvas() override { return *surface_; }

    std::string Caption() const override { return caption_; }
    void SetCaption(const std::string& caption) override;

    int TwipsPerPixelX() const override;
    int TwipsPerPixelY() const override;
    void LayoutWindow(bool largeFont) override;
    void SetToolbarEnabled(bool enabled) override;
    void ShowWindow() override;

    MsgAnswer MsgBox(const std::string& text, const std::string& title, MsgIcon icon, MsgButtons buttons) override;
    std::string PopupMenu(const std::string& menuName, const std::vector<MenuItem>& items) override;
    void Pause(double seconds) override;

    DialogClose ShowOptions(OptionsControls& controls) override;
    DialogClose ShowDetails(DetailsControls& controls,
                            const std::function<void(const DetailsControls&)>& apply) override;
    void ShowAbout(const std::string& versionLine) override;

    std::string OpenFileDialog(const std::string& title, const std::string& filter,
                               const std::string& initialFolder) override;
    std::string SaveFileDialog(const std::string& title, const std::string& filter,
                               const std::string& initialFolder) override;
    long ShowPicker(const PickerContent& content) override;
    void SetBusyPointer(bool busy) override;
    void SetSquaresBusyPointer(bool busy) override;
    void Refresh() override;
    void DoEvents() override;

    std::string ClipboardText() override;
    void SetClipboardText(const std::string& text) override;

    void Quit() override;

    // Tests stand in for the Open dialog: when set, it gives the path.
    std::function<std::string()> OpenFileAnswer;
    // And for the Save dialog.
    std::function<std::string()> SaveFileAnswer;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The 64 square controls as the seam's control array.
    class SquareArray : public Squares {
    public:
        explicit SquareArray(MainWindow& window) : window_(window) {}
        void SetPicture(int index, int picture) override;
        int Picture(int index) const override;
        void DrawHintBox(int index, Rgb colour) override;
        void SetDragPointer(int index, int picture) override;

    private:
        MainWindow& window_;
    };

    void BuildMenus();
    void BuildToolbar();
    void BuildControls();
    QAction* AddMenuItem(QMenu* menu, const char* name, const char* caption, const char* shortcut = nullptr);

    frmMain* form_ = nullptr;
    PictureCache pictures_;
    WindowLayout layout_;
    std::string caption_;
    bool quitRequested_ = false;
    bool closing_ = false;  // the window is going away: no more questions
    bool placed_ = false;   // the window has had its first place on the screen
    QSize pickerSize_;      // the game picker's size when it last closed
    bool windowBusy_ = false;
    bool squaresBusy_ = false;
    bool overrideCursor_ = false;
    void UpdateBusyCursor();
    QElapsedTimer lastFrame_;  // the last paint by Refresh or DoEvents
    bool FrameDue();

    DrawingSurface* surface_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    ListControl* list1_ = nullptr;
    ListControl* list2_ = nullptr;
    TextControl* text1_ = nullptr;
    TextControl* text2_ = nullptr;
    std::array<LabelControl*, 8> labels_{};  // [0] stands in for a label number out of range
    ShapeControl* shape1_ = nullptr;
    ShapeControl* shape2_ = nullptr;
    ShapeControl* line3_ = nullptr;
    std::array<SquareControl*, 64> squares_{};
    QLabel* panel1_;
    QLabel* panel2_;
    StatusPanels status_;
    CommandSet menu_;
    CommandSet toolbarCommands_;
    SquareArray board_;
};

}  // namespace orvane::ui::qt
