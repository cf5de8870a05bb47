// The user acting on the recording fake view: each action is what the
// window would report to frmMain for it, through frmMain's event entry
// points; a list's keys move its selection as a list box does.
#pragma once

#include <deque>
#include <memory>

#include "fakeview.h"
#include "ui/frmmain.h"
#include "user.h"

namespace orvane::scenarios {

class FakeUser : public User {
public:
    FakeUser();
    ~FakeUser() override;

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
    void Answer(const std::string& button) override;
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
    // The fake view, telling the user what modal things it shows.
    class View : public ui::fake::FakeView {
    public:
        explicit View(FakeUser& user) : user_(user) {}
        ui::MsgAnswer MsgBox(const std::string& text, const std::string& title, ui::MsgIcon icon,
                             ui::MsgButtons buttons) override;
        void ShowAbout(const std::string& versionLine) override;
        std::string PopupMenu(const std::string& menuName, const std::vector<ui::MenuItem>& items) override;
        void Pause(double seconds) override;
        std::string OpenFileDialog(const std::string& title, const std::string& filter,
                                   const std::string& initialFolder) override;
        long ShowPicker(const ui::PickerContent& content) override;

    private:
        FakeUser& user_;
    };

    void Meet(const std::string& what);
    // Moves a list's selection as the key does in a list box.
    static void MoveSelection(ui::fake::FakeList& list, Key key);

    View view_;
    std::string openPath_;  // the Open dialog's answer
    std::unique_ptr<ui::frmMain> form_;
    Events met_;
    Lines boardWhenMet_;
    std::function<void()> whilePicker_;
};

}  // namespace orvane::scenarios
