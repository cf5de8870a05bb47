// The user acting on the real Qt window: real mouse and key events on its
// widgets (the square controls, the lists, the comment box, the menu bar and
// the toolbar buttons), message boxes and dialogs answered by clicking their
// buttons once they are up, and what is seen read from the widgets.
#pragma once

#include <QTimer>

#include <deque>
#include <memory>

#include "ui/frmmain.h"
#include "ui/qt/dlgpgn.h"
#include "ui/qt/mainwindow.h"
#include "user.h"

class QListWidget;
class QPlainTextEdit;

namespace orvane::scenarios {

class QtUser : public User {
public:
    QtUser();
    ~QtUser() override;

    void Start(const std::filesystem::path& folder) override;

    void Drag(const std::string& from, const std::string& to) override;
    void Click(const std::string& square) override;
    void ClickList1(int row) override;
    void KeyInList1(Key key) override;
    void KeyInList2(Key key) override;
    void DoubleClickList2(const std::string& entry) override;
    void TypeComment(const std::string& text) override;
    void Menu(const std::string& name) override;
    void Button(const std::string& key) override;
    void Open(const std::filesystem::path& path) override;
    void Answer(const std::string& button) override { answers_.push_back(button); }
    void WhilePickerShows(std::function<void()> action) override { whilePicker_ = std::move(action); }

    Lines List1() const override;
    int List1Selected() const override;
    Lines List2() const override;
    int List2Selected() const override;
    bool List2Enabled() const override;
    std::string Comment() const override;
    std::string Status(int panel) const override;
    std::string Caption() const override;
    bool MenuEnabled(const std::string& name) const override;
    bool ButtonEnabled(const std::string& key) const override;
    int Picture(int control) const override;
    Events Met() const override { return met_; }
    Lines BoardWhenLastMet() const override { return boardWhenMet_; }

private:
    // The real window; only its pause is also told to the user, after it
    // has run as it always does.
    class Window : public ui::qt::MainWindow {
    public:
        explicit Window(QtUser& user) : user_(user) {}
        void Pause(double seconds) override;

    private:
        QtUser& user_;
    };

    void Meet(const std::string& what);
    // Answers the pop-up menu, modal box or dialog that is up, if any.
    void AnswerModal();
    bool AnswerPopup(const std::string& answer);
    // Filters, clicks headers and closes the game picker as answered.
    void AnswerPicker(ui::qt::dlgPGN& picker, std::string answer);
    QListWidget* ListWidget(const char* name) const;
    QPlainTextEdit* CommentBox() const;
    QAction* MenuAction(const std::string& name) const;
    QAction* ToolbarAction(const std::string& key) const;
    void PressKey(QListWidget* list, Key key);

    std::unique_ptr<Window> window_;
    std::unique_ptr<ui::frmMain> form_;
    QTimer answerer_;
    std::deque<std::string> answers_;
    std::function<void()> whilePicker_;
    Events met_;
    Lines boardWhenMet_;
};

}  // namespace orvane::scenarios
