#include "fakeuser.h"

#include <algorithm>
#include <sstream>
#include <utility>

namespace orvane::scenarios {

namespace {

// The key code a list reports for a key.
int KeyCode(Key key) {
    switch (key) {
    case Key::Up: return 38;
    case Key::Down: return 40;
    case Key::Home: return 36;
    case Key::End: return 35;
    case Key::Enter: return ui::KeyEnter;
    }
    return 0;
}

// Square controls are 586 twips apart; the press lands in the middle.
constexpr int Pitch = 586;
constexpr int Middle = 300;

std::string SecondsText(double seconds) {
    std::ostringstream out;
    out << seconds;
    return out.str();
}

}  // namespace

FakeUser::FakeUser() : view_(*this) {
    // What the picker showed after each filter and click on a header.
    view_.onInteraction = [this](const std::string& line) {
        if (line.rfind("picker ", 0) == 0) Meet(line);
    };
}
FakeUser::~FakeUser() = default;

void FakeUser::Start(const std::filesystem::path& folder) {
    ui::ProgramPaths paths;
    paths.ProgramFolder = folder;
    form_ = std::make_unique<ui::frmMain>(view_, paths);
    form_->Form_Load("");
    view_.ShowWindow();
}

void FakeUser::Meet(const std::string& what) {
    met_.push_back(what);
    std::vector<int> pictures(view_.squares.pictures.begin(), view_.squares.pictures.end());
    boardWhenMet_ = RanksOf(pictures);
}

ui::MsgAnswer FakeUser::View::MsgBox(const std::string& text, const std::string& title, ui::MsgIcon icon,
                                     ui::MsgButtons buttons) {
    user_.Meet("box " + (title.empty() ? std::string("Orvane") : title) + ": " + text);
    return FakeView::MsgBox(text, title, icon, buttons);
}

void FakeUser::View::ShowAbout(const std::string& versionLine) {
    user_.Meet("about " + versionLine);
    FakeView::ShowAbout(versionLine);
}

std::string FakeUser::View::PopupMenu(const std::string& menuName, const std::vector<ui::MenuItem>& items) {
    std::string line = "menu " + menuName + ":";
    for (const ui::MenuItem& item : items)
        if (!item.Separator && item.Enabled) line += " " + item.Caption;
    user_.Meet(line);
    return FakeView::PopupMenu(menuName, items);
}

void FakeUser::View::Pause(double seconds) {
    user_.Meet("pause " + SecondsText(seconds));
    FakeView::Pause(seconds);
}

void FakeUser::Drag(const std::string& from, const std::string& to) {
    const int a = ControlOf(from);
    const int b = ControlOf(to);
    const int x = (b % 8 - a % 8) * Pitch + Middle;
    const int y = (b / 8 - a / 8) * Pitch + Middle;
    form_->c_MouseMove(a, Middle, Middle);  // the pointer arrives over the piece
    form_->c_MouseDown(a, ui::MouseButton::Left, Middle, Middle);
    form_->c_MouseMove(a, x, y);
    form_->c_MouseUp(a, ui::MouseButton::Left, x, y);
}

void FakeUser::Click(const std::string& square) {
    const int a = ControlOf(square);
    form_->c_MouseMove(a, Middle, Middle);
    form_->c_MouseDown(a, ui::MouseButton::Left, Middle, Middle);
    form_->c_MouseUp(a, ui::MouseButton::Left, Middle, Middle);
}

void FakeUser::ClickList1(int row) {
    if (!view_.list1.enabled || row < 0 || row >= view_.list1.ListCount()) return;
    view_.list1.SetListIndex(row);
    form_->List1_MouseUp();
}

void FakeUser::MoveSelection(ui::fake::FakeList& list, Key key) {
    const int count = list.ListCount();
    if (count == 0) return;
    switch (key) {
    case Key::Up: list.SetListIndex(list.index < 0 ? 0 : std::max(list.index - 1, 0)); break;
    case Key::Down: list.SetListIndex(list.index < 0 ? 0 : std::min(list.index + 1, count - 1)); break;
    case Key::Home: list.SetListIndex(0); break;
    case Key::End: list.SetListIndex(count - 1); break;
    case Key::Enter: break;
    }
}

void FakeUser::KeyInList1(Key key) {
    if (!view_.list1.enabled) return;
    MoveSelection(view_.list1, key);
    form_->List1_KeyUp(KeyCode(key));
}

void FakeUser::KeyInList2(Key key) {
    if (!view_.list2.enabled) return;
    MoveSelection(view_.list2, key);
    form_->List2_KeyUp(KeyCode(key));
}

void FakeUser::DoubleClickList2(const std::string& entry) {
    if (!view_.list2.enabled) return;
    const auto found = std::find(view_.list2.items.begin(), view_.list2.items.end(), entry);
    if (found == view_.list2.items.end()) return;
    view_.list2.SetListIndex(static_cast<int>(found - view_.list2.items.begin()));
    form_->List2_DblClick();
}

void FakeUser::TypeComment(const std::string& text) {
    for (const char c : text) {
        view_.text1.text += c;
        form_->Text1_KeyUp();
    }
}

void FakeUser::Menu(const std::string& name) {
    const auto state = view_.menu.Get(name);
    if (!state.enabled || !state.visible) return;
    form_->MenuClick(name);
}

void FakeUser::Button(const std::string& key) {
    if (!view_.toolbarEnabled || !view_.toolbar.Get(key).enabled) return;
    form_->Toolbar1_ButtonClick(key);
}

std::string FakeUser::View::OpenFileDialog(const std::string&, const std::string&, const std::string&) {
    return user_.openPath_;
}

void FakeUser::Open(const std::filesystem::path& path) {
    openPath_ = path.string();
    Menu("Open1");
    openPath_.clear();
}

void FakeUser::Answer(const std::string& button) { view_.QueueAnswer(button); }

long FakeUser::View::ShowPicker(const ui::PickerContent& content) {
    // The picker shows the preselected game selected, else the first.
    const long rows = content.Index != nullptr ? content.Index->Count : 0;
    const long selected = content.Selected >= 1 ? content.Selected : (rows > 0 ? 1 : 0);
    user_.Meet("picker " + content.Caption + " selected=" + std::to_string(selected));
    if (user_.whilePicker_) std::exchange(user_.whilePicker_, nullptr)();
    return FakeView::ShowPicker(content);
}

Lines FakeUser::List1() const { return view_.list1.items; }
int FakeUser::List1Selected() const { return view_.list1.index; }
Lines FakeUser::List2() const { return view_.list2.items; }
int FakeUser::List2Selected() const { return view_.list2.index; }
bool FakeUser::List2Enabled() const { return view_.list2.enabled; }
std::string FakeUser::Comment() const { return view_.text1.text; }
std::string FakeUser::Status(int panel) const { return view_.status.PanelText(panel); }
std::string FakeUser::Caption() const { return view_.caption; }
bool FakeUser::MenuEnabled(const std::string& name) const {
    const auto state = view_.menu.Get(name);
    return state.enabled && state.visible;
}
bool FakeUser::ButtonEnabled(const std::string& key) const {
    return view_.toolbarEnabled && view_.toolbar.Get(key).enabled;
}
int FakeUser::Picture(int control) const { return view_.squares.Picture(control); }

}  // namespace orvane::scenarios
