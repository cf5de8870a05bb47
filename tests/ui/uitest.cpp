#include "uitest.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

namespace orvane::ui::test {

namespace {

// The text of a quoted field as the fake window writes it (\n, \", \\).
std::string Unquote(const std::string& field) {
    std::string text;
    const std::size_t open = field.find('"');
    if (open == std::string::npos) return text;
    for (std::size_t i = open + 1; i < field.size() && field[i] != '"'; ++i) {
        if (field[i] == '\\' && i + 1 < field.size()) {
            ++i;
            text += field[i] == 'n' ? '\n' : field[i];
        } else {
            text += field[i];
        }
    }
    return text;
}

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

// Reads "list1 N" and its N entry lines ("* 3 \"text\"" marks the selection).
void ParseList(const Lines& lines, std::size_t& i, Lines& entries, int& selected) {
    const int count = std::stoi(lines[i].substr(lines[i].find(' ') + 1));
    for (int n = 0; n < count && i + 1 < lines.size(); ++n) {
        const std::string& entry = lines[++i];
        if (StartsWith(entry, "* ")) selected = n;
        entries.push_back(Unquote(entry));
    }
}

}  // namespace

Screen ParseShow(const std::string& text) {
    Lines lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);

    Screen s;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (StartsWith(line, "caption "))
            s.caption = Unquote(line);
        else if (StartsWith(line, "status1 "))
            s.status1 = Unquote(line);
        else if (StartsWith(line, "status2 "))
            s.status2 = Unquote(line);
        else if (StartsWith(line, "rank "))
            s.ranks.push_back(line.substr(8));
        else if (StartsWith(line, "list1 "))
            ParseList(lines, i, s.list1, s.list1Selected);
        else if (StartsWith(line, "list2 "))
            ParseList(lines, i, s.list2, s.list2Selected);
        else if (StartsWith(line, "text1 "))
            s.text1 = Unquote(line);
        else if (StartsWith(line, "text2 "))
            s.text2 = Unquote(line);
        else if (StartsWith(line, "label7 ")) {
            s.label7 = Unquote(line);
            s.label7Visible = true;
        } else if (StartsWith(line, "pointer "))
            s.busy = line == "pointer busy";
        else if (StartsWith(line, "label")) {
            const int n = line[5] - '0';
            if (n >= 1 && n <= 6) {
                s.labels[static_cast<std::size_t>(n)] = Unquote(line);
                if (line.find("(highlighted)") != std::string::npos) s.highlighted = n;
            }
        } else if (StartsWith(line, "enabled "))
            s.enabled = line.substr(8);
        else if (StartsWith(line, "hints"))
            s.hints = line.size() > 6 ? line.substr(6) : "";
        else if (StartsWith(line, "coordinates ")) {
            const std::size_t digits = line.find(" digits=");
            s.letters = Unquote(line.substr(0, digits));
            s.digits = Unquote(line.substr(digits));
        }
    }
    return s;
}

Lines StartRanks() {
    return {"r n b q k b n r", "p p p p p p p p", ". . . . . . . .", ". . . . . . . .",
            ". . . . . . . .", ". . . . . . . .", "P P P P P P P P", "R N B Q K B N R"};
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    ASSERT_TRUE(out.good()) << path;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string CrLf(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

Lines Play(const Lines& moves) {
    Lines script;
    for (const std::string& move : moves) script.push_back("list2 \"" + move + "\"");
    return script;
}

bool Contains(const Lines& lines, const std::string& text) {
    return std::find(lines.begin(), lines.end(), text) != lines.end();
}

std::string MsgLine(const std::string& title, const std::string& icon, const std::string& text,
                    const std::string& answer) {
    return "msgbox title=" + fake::Quoted(title) + " icon=" + icon + " text=" + fake::Quoted(text) + " -> " + answer;
}

void UiTest::Start(int twipsPerPixel) {
    ASSERT_EQ(driver_, nullptr) << "the program runs already";
    ProgramPaths paths;
    paths.ProgramFolder = Home();
    driver_ = std::make_unique<drive::Driver>(out_, paths, "", twipsPerPixel);
}

void UiTest::StartWith(const std::string& commandLine, bool debug, const Lines& answers) {
    ASSERT_EQ(driver_, nullptr) << "the program runs already";
    ProgramPaths paths;
    paths.ProgramFolder = Home();
    driver_ = std::make_unique<drive::Driver>(out_, paths, commandLine, 15, debug);
    for (const std::string& answer : answers) driver_->View().QueueAnswer(answer);
    driver_->EnsureStarted();
}

drive::Driver& UiTest::Driver() {
    if (!driver_) Start();
    return *driver_;
}

Lines UiTest::Run(const Lines& script) {
    Driver();
    for (const std::string& line : script) {
        const drive::Driver::Result result = driver_->Run(line);
        EXPECT_NE(result, drive::Driver::Result::Error) << "command: " << line << "\nprinted:\n" << out_.str();
        if (result == drive::Driver::Result::Error) break;
    }
    const std::string all = out_.str();
    Lines printed;
    std::istringstream in(all.substr(consumed_));
    for (std::string line; std::getline(in, line);) printed.push_back(line);
    consumed_ = all.size();
    return printed;
}

drive::Driver::Result UiTest::RunRaw(const std::string& line) {
    const drive::Driver::Result result = Driver().Run(line);
    consumed_ = out_.str().size();
    return result;
}

Screen UiTest::Show() { return ParseShow(Driver().Show()); }

std::vector<int> SettingsShown(drive::Driver& driver) {
    const fake::FakeView& view = driver.View();
    const int notation = view.menu.Get("Nonotation").checked ? 1 : 0;
    const int turned = view.squares.pictures[0] == 37 ? 1 : 0;  // the white rook on light h1
    driver.Run("answer Cancel");
    driver.Run("options");
    const std::string line = view.interactions.empty() ? std::string() : view.interactions.back();
    EXPECT_EQ(line.rfind("dialog Options: ", 0), 0U) << line;
    const auto box = [&line](const std::string& name) {
        const std::size_t at = line.find(" " + name + "=");
        return at == std::string::npos ? -1 : line[at + name.size() + 2] - '0';
    };
    return {notation, turned, box("Check3"), box("Check5"), box("Check6"), box("Option1(1)")};
}

std::vector<int> UiTest::SettingsShown() {
    const std::vector<int> shown = test::SettingsShown(Driver());
    consumed_ = out_.str().size();
    return shown;
}

Lines UiTest::SavedMoves(const std::string& name) {
    const fs::path path = Home() / name;
    const Lines printed = Run({"answer \"" + path.string() + "\"", "button Save"});
    EXPECT_EQ(printed.size(), 1U) << "Save asks for a name and nothing else";
    Lines moves;
    std::istringstream in(ReadFile(path));
    bool started = false;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (started && !line.empty() && line.front() != '{') moves.push_back(line);
        if (line == "START") started = true;
    }
    return moves;
}

}  // namespace orvane::ui::test
