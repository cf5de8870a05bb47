#include "driver.h"
#include "common/index.h"

#include <algorithm>
#include <istream>
#include <ostream>
#include <sstream>

namespace orvane::drive {

using ui::MouseButton;
using ui::fake::Quoted;

namespace {

// The piece a square control shows, from its picture: upper case White,
// lower case Black, "." empty.
char PieceOfPicture(int picture) {
    if (picture == 19 || picture == 20 || picture <= 0 || picture > 40) return '.';
    const bool white = picture > 20;
    const int kind = ((white ? picture - 20 : picture) - 1) / 3;  // bishop king knight pawn queen rook
    static constexpr char Letters[] = {'b', 'k', 'n', 'p', 'q', 'r'};
    if (kind < 0 || kind > 5) return '?';
    const char letter = Letters[kind];
    return white ? static_cast<char>(letter - 'a' + 'A') : letter;
}

bool ParseInt(const std::string& text, int& value) {
    try {
        std::size_t used = 0;
        value = std::stoi(text, &used);
        return used == text.size();
    } catch (...) {
        return false;
    }
}

}  // namespace

std::vector<std::string> SplitWords(const std::string& line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        if (i >= line.size()) break;
        std::string word;
        if (line[i] == '"') {
            ++i;
            while (i < line.size() && line[i] != '"') {
                if (line[i] == '\\' && i + 1 < line.size()) {
                    ++i;
                    word += line[i] == 'n' ? '\n' : line[i];
                } else {
                    word += line[i];
                }
                ++i;
            }
            ++i;  // the closing quote
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') word += line[i++];
        }
        words.push_back(word);
    }
    return words;
}

Driver::Driver(std::ostream& out, ui::ProgramPaths paths, const std::string& commandLine, int twipsPerPixel, bool debug)
    : out_(out) {
    view_.twipsPerPixel = twipsPerPixel;
    view_.onInteraction = [this](const std::string& line) { out_ << line << '\n'; };
    form_ = std::make_unique<ui::frmMain>(view_, std::move(paths));
    form_->DebugAtStart = debug ? 1 : 0;
    commandLine_ = commandLine;
    if (commandLine_.empty()) EnsureStarted();
}

void Driver::EnsureStarted() {
    if (started_) return;
    started_ = true;
    if (!form_->Form_Load(commandLine_) || view_.quit) ended_ = true;
}

Driver::Result Driver::Fail(const std::string& message) {
    out_ << "error: " << message << '\n';
    return Result::Error;
}

int Driver::ControlOf(const std::string& name, bool& ok) const {
    ok = name.size() == 2 && name[0] >= 'a' && name[0] <= 'h' && name[1] >= '1' && name[1] <= '8';
    if (!ok) return -1;
    const int square = (name[1] - '1') * 10 + 21 + (name[0] - 'a');
    return form_->ControlOfSquare(square);
}

Driver::Result Driver::Mouse(const std::vector<std::string>& words) {
    const std::string& command = words[0];
    if (words.size() < 2) return Fail(command + " needs a square");
    bool ok = false;
    const int index = ControlOf(words[1], ok);
    if (!ok) return Fail("no square " + words[1]);

    std::size_t next = 2;
    MouseButton button = MouseButton::Left;
    if (command != "move" && next < words.size() && (words[next] == "left" || words[next] == "right")) {
        button = words[next] == "right" ? MouseButton::Right : MouseButton::Left;
        ++next;
    }
    int x = 300;
    int y = 300;
    if (next < words.size()) {
        if (next + 1 >= words.size() || !ParseInt(words[next], x) || !ParseInt(words[next + 1], y))
            return Fail(command + ": X and Y must be whole numbers of twips");
    } else if (command != "press") {
        return Fail(command + " needs X and Y");
    }

    if (command == "press")
        form_->c_MouseDown(index, button, x, y);
    else if (command == "move")
        form_->c_MouseMove(index, x, y);
    else
        form_->c_MouseUp(index, button, x, y);
    return Result::Ok;
}

// A left press in the middle of FROM, a move to TO and the release there,
// with positions relative to FROM's control as the mouse reports them.
Driver::Result Driver::Drag(const std::string& from, const std::string& to) {
    bool okFrom = false;
    bool okTo = false;
    const int a = ControlOf(from, okFrom);
    const int b = ControlOf(to, okTo);
    if (!okFrom || !okTo) return Fail("drag needs two squares such as e2 e4");
    const int pitch = view_.largeFont ? 456 : 586;
    const int x = (b % 8 - a % 8) * pitch + 300;
    const int y = (b / 8 - a / 8) * pitch + 300;
    form_->c_MouseDown(a, MouseButton::Left, 300, 300);
    form_->c_MouseMove(a, x, y);
    form_->c_MouseUp(a, MouseButton::Left, x, y);
    return Result::Ok;
}

Driver::Result Driver::Run(const std::string& line) {
    const std::vector<std::string> words = SplitWords(line);
    if (words.empty() || words[0].rfind('#', 0) == 0) return Result::Ok;
    if (words[0] != "answer") EnsureStarted();
    if (ended_) return Result::Quit;
    const std::string& command = words[0];
    const std::string argument = words.size() > 1 ? words[1] : std::string();

    if (command == "show") {
        out_ << Show();
    } else if (command == "answer") {
        if (words.size() < 2) return Fail("answer needs a text");
        view_.QueueAnswer(argument);
    } else if (command == "list2" || command == "list2key") {
        int found = -1;
        for (int i = 0; i < view_.list2.ListCount(); ++i)
            if (view_.list2.List(i) == argument) found = i;
        if (found < 0) return Fail("List2 has no entry " + Quoted(argument));
        if (!view_.list2.enabled) {
            out_ << "List2 is disabled\n";
            return Result::Ok;
        }
        view_.list2.SetListIndex(found);
        if (command == "list2")
            form_->List2_DblClick();
        else
            form_->List2_KeyUp(ui::KeyEnter);
    } else if (command == "list1" || command == "list1key") {
        int n = 0;
        if (!ParseInt(argument, n) || n < 0 || n >= view_.list1.ListCount())
            return Fail("List1 has no entry " + argument);
        if (!view_.list1.enabled) {
            out_ << "List1 is disabled\n";
            return Result::Ok;
        }
        view_.list1.SetListIndex(n);
        if (command == "list1")
            form_->List1_MouseUp();
        else
            form_->List1_KeyUp(ui::KeyEnter);
    } else if (command == "menu") {
        if (words.size() < 2) return Fail("menu needs an item name");
        if (!view_.menu.Get(argument).enabled || !view_.menu.Get(argument).visible) {
            out_ << "menu " << argument << " is disabled\n";
            return Result::Ok;
        }
        form_->MenuClick(argument);
    } else if (command == "button") {
        if (words.size() < 2) return Fail("button needs its text");
        if (!view_.toolbarEnabled || !view_.toolbar.Get(argument).enabled) {
            out_ << "button " << Quoted(argument) << " is disabled\n";
            return Result::Ok;
        }
        form_->Toolbar1_ButtonClick(argument);
    } else if (command == "comment") {
        for (const char c : argument) {
            view_.text1.text += c;
            form_->Text1_KeyUp();
        }
    } else if (command == "press" || command == "move" || command == "release") {
        const Result r = Mouse(words);
        if (r != Result::Ok) return r;
    } else if (command == "drag") {
        if (words.size() < 3) return Fail("drag needs two squares");
        const Result r = Drag(words[1], words[2]);
        if (r != Result::Ok) return r;
    } else if (command == "rightclick") {
        bool ok = false;
        const int index = ControlOf(argument, ok);
        if (!ok) return Fail("no square " + argument);
        form_->c_MouseDown(index, MouseButton::Right, 300, 300);
        form_->c_MouseUp(index, MouseButton::Right, 300, 300);
    } else if (command == "hover") {
        bool ok = false;
        const int index = ControlOf(argument, ok);
        if (!ok) return Fail("no square " + argument);
        form_->c_MouseMove(index, 300, 300);
    } else if (command == "leave") {
        form_->Form_MouseMove();
    } else if (command == "options") {
        form_->MenuClick("Options");
    } else if (command == "details") {
        form_->MenuClick("Details");
    } else if (command == "about") {
        form_->MenuClick("mnu_Help_About");
    } else if (command == "clipboard") {
        if (words.size() < 2) return Fail("clipboard needs a text");
        view_.clipboard = argument;
    } else if (command == "drop") {
        if (words.size() < 2) return Fail("drop needs a path");
        form_->Form_OLEDragDrop(argument);
    } else if (command == "close") {
        if (!form_->Form_QueryUnload()) {
            form_->Form_Unload();
            out_ << "closed\n";
            ended_ = true;
        }
    } else {
        return Fail("unknown command " + Quoted(command));
    }
    if (view_.quit) ended_ = true;
    return ended_ ? Result::Quit : Result::Ok;
}

int Driver::RunScript(std::istream& in) {
    if (ended_) return 0;
    std::string line;
    while (std::getline(in, line)) {
        const Result r = Run(line);
        if (r == Result::Error) return 2;
        if (r == Result::Quit) return 0;
    }
    EnsureStarted();
    return 0;
}

std::string Driver::Show() const {
    std::ostringstream s;
    s << "caption " << Quoted(view_.caption) << '\n';
    s << "status1 " << Quoted(view_.status.panel1) << '\n';
    s << "status2 " << Quoted(view_.status.panel2) << '\n';
    for (int rank = 8; rank >= 1; --rank) {
        s << "rank " << rank << ':';
        for (int file = 1; file <= 8; ++file) {
            const int index = form_->ControlOfSquare((rank + 1) * 10 + file);
            s << ' ' << PieceOfPicture(view_.squares.pictures[At(index)]);
        }
        s << '\n';
    }
    const auto list = [&s](const char* name, const ui::fake::FakeList& l) {
        s << name << ' ' << l.ListCount() << '\n';
        for (int i = 0; i < l.ListCount(); ++i)
            s << (i == l.index ? "* " : "  ") << i << ' ' << Quoted(l.items[At(i)]) << '\n';
    };
    list("list1", view_.list1);
    list("list2", view_.list2);
    s << "text1 " << Quoted(view_.text1.text) << '\n';
    s << "text2 " << Quoted(view_.text2.text) << '\n';
    for (int n = 1; n <= 6; ++n) {
        const ui::fake::FakeLabel& label = view_.labels[At(n)];
        s << "label" << n << ' ' << Quoted(label.caption);
        if (label.back == ui::Red) s << " (highlighted)";
        s << '\n';
    }
    if (view_.labels[7].visible) s << "label7 " << Quoted(view_.labels[7].caption) << '\n';
    s << "pointer " << (view_.busyPointer || view_.squaresBusyPointer ? "busy" : "normal") << '\n';
    s << "enabled First=" << view_.menu.Get("First").enabled << " Moveback=" << view_.menu.Get("Moveback").enabled
      << " MoveForward=" << view_.menu.Get("MoveForward").enabled << " Last=" << view_.menu.Get("Last").enabled
      << " List2=" << view_.list2.enabled << '\n';

    // Hint boxes by square, and the coordinates drawn beside the board.
    s << "hints";
    for (int rank = 8; rank >= 1; --rank) {
        for (int file = 1; file <= 8; ++file) {
            const int index = form_->ControlOfSquare((rank + 1) * 10 + file);
            if (view_.squares.hints[At(index)].empty()) continue;
            s << ' ' << static_cast<char>('a' + file - 1) << rank
              << (view_.squares.hints[At(index)].back() == ui::Yellow ? "(yellow)" : "(black)");
        }
    }
    s << '\n';
    std::string letters;
    std::string digits;
    std::vector<ui::fake::FakeSurface::Text> texts = view_.canvas.texts;
    std::sort(texts.begin(), texts.end(), [](const auto& a, const auto& b) { return a.x < b.x; });
    for (const auto& t : texts)
        if (t.y > 4000 && t.x > 300) letters += t.text;
    std::sort(texts.begin(), texts.end(), [](const auto& a, const auto& b) { return a.y > b.y; });
    for (const auto& t : texts)
        if (t.x < 300) digits += t.text;
    s << "coordinates letters=" << Quoted(letters) << " digits=" << Quoted(digits) << '\n';
    return s.str();
}

}  // namespace orvane::drive
