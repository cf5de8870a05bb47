#include "fakeview.h"
#include "common/index.h"
#include "ui/pickerrows.h"

#include <algorithm>
#include <sstream>

namespace orvane::ui::fake {

namespace {

bool Valid(int index) { return index >= 0 && index < 64; }

const char* IconName(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Exclamation: return "exclamation";
    case MsgIcon::Question: return "question";
    case MsgIcon::Information: return "information";
    case MsgIcon::None: break;
    }
    return "none";
}

const char* AnswerName(MsgAnswer answer) {
    switch (answer) {
    case MsgAnswer::Yes: return "Yes";
    case MsgAnswer::No: return "No";
    case MsgAnswer::Cancel: return "Cancel";
    case MsgAnswer::OK: break;
    }
    return "OK";
}

std::vector<std::string> SplitActions(const std::string& text) {
    std::vector<std::string> actions;
    std::string current;
    std::istringstream in(text);
    while (std::getline(in, current, ';')) {
        while (!current.empty() && current.front() == ' ') current.erase(current.begin());
        while (!current.empty() && current.back() == ' ') current.pop_back();
        if (!current.empty()) actions.push_back(current);
    }
    return actions;
}

}  // namespace

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '\r') continue;
        if (c == '\n')
            out += "\\n";
        else if (c == '"')
            out += "\\\"";
        else if (c == '\\')
            out += "\\\\";
        else
            out += c;
    }
    return out + "\"";
}

void FakeList::RemoveItem(int i) {
    if (i < 0 || i >= ListCount()) return;
    items.erase(items.begin() + i);
    if (index >= ListCount()) index = -1;
}

std::string FakeList::List(int i) const { return i >= 0 && i < ListCount() ? items[At(i)] : std::string(); }

FakeCommands::State FakeCommands::Get(const std::string& name) const {
    const auto it = states.find(name);
    return it == states.end() ? State{} : it->second;
}

void FakeSquares::SetPicture(int index, int picture) {
    if (!Valid(index)) return;
    pictures[At(index)] = picture;
    hints[At(index)].clear();
}

int FakeSquares::Picture(int index) const { return Valid(index) ? pictures[At(index)] : 0; }

void FakeSquares::DrawHintBox(int index, Rgb colour) {
    if (Valid(index)) hints[At(index)].push_back(colour);
}

void FakeSquares::SetDragPointer(int index, int picture) {
    if (Valid(index)) pointers[At(index)] = picture;
}

void FakeSurface::DrawText(int x, int y, const std::string& text) {
    for (Text& t : texts) {
        if (t.x == x && t.y == y) {
            t.text = text;
            return;
        }
    }
    texts.push_back({x, y, text});
}

Label& FakeView::Labels(int number) { return labels[At(number >= 1 && number <= 7 ? number : 0)]; }

bool FakeView::NextAnswer(std::string& answer) {
    if (answers.empty()) return false;
    answer = answers.front();
    answers.pop_front();
    return true;
}

void FakeView::Log(const std::string& line) {
    interactions.push_back(line);
    if (onInteraction) onInteraction(line);
}

MsgAnswer FakeView::MsgBox(const std::string& text, const std::string& title, MsgIcon icon, MsgButtons buttons) {
    // Without a scripted answer the default button is taken; a Yes/No box
    // answered anything but Yes is answered No.
    MsgAnswer answer = buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::OK;
    std::string scripted;
    if (NextAnswer(scripted) && buttons == MsgButtons::YesNo)
        answer = scripted == "Yes" ? MsgAnswer::Yes : MsgAnswer::No;
    Log("msgbox title=" + Quoted(title.empty() ? "Orvane" : title) + " icon=" + IconName(icon) +
        " text=" + Quoted(text) + " -> " + AnswerName(answer));
    return answer;
}

std::string FakeView::PopupMenu(const std::string& menuName, const std::vector<MenuItem>& items) {
    std::string scripted;
    std::string chosen;
    std::string chosenCaption;
    if (NextAnswer(scripted)) {
        for (const MenuItem& item : items) {
            if (!item.Separator && item.Enabled && item.Caption == scripted) {
                chosen = item.Name;
                chosenCaption = item.Caption;
                break;
            }
        }
    }
    std::string line = "popup " + menuName + ":";
    for (const MenuItem& item : items) {
        if (item.Separator) {
            line += " |";
            continue;
        }
        line += " ";
        if (item.Checked) line += "[x]";
        line += Quoted(item.Caption);
        if (!item.Enabled) line += "(disabled)";
    }
    line += " -> " + (chosen.empty() ? std::string("dismissed") : Quoted(chosenCaption));
    Log(line);
    return chosen;
}

// Runs a dialog's scripted actions in order: each is handed to act until a
// button closes the dialog. Without a script the dialog is closed with OK.
// Returns the button's name.
std::string FakeView::RunDialog(const std::function<void(const std::string&)>& act) {
    std::string scripted;
    if (!NextAnswer(scripted)) return "OK";
    for (const std::string& action : SplitActions(scripted)) {
        if (action == "OK" || action == "Cancel" || action == "Close") return action;
        act(action);
    }
    return "Cancel";
}

DialogClose FakeView::ShowOptions(OptionsControls& controls) {
    OptionsControls edited = controls;
    const std::string before = "Check3=" + std::to_string(edited.Check3) + " Check5=" + std::to_string(edited.Check5) +
                               " Check6=" + std::to_string(edited.Check6) +
                               " Option1(0)=" + (edited.Option1_0 ? "1" : "0") +
                               " Option1(1)=" + (edited.Option1_1 ? "1" : "0");
    const std::string closedBy = RunDialog([&edited](const std::string& action) {
        const auto ticked = [&action] { return action.back() == '1' ? 1 : 0; };
        if (action == "Option1(0)" || action == "Option1(1)") {
            edited.Option1_0 = action == "Option1(0)";
            edited.Option1_1 = !edited.Option1_0;
        } else if (action.rfind("Check3=", 0) == 0) {
            edited.Check3 = ticked();
        } else if (action.rfind("Check5=", 0) == 0) {
            edited.Check5 = ticked();
        } else if (action.rfind("Check6=", 0) == 0) {
            edited.Check6 = ticked();
        }
    });
    Log("dialog Options: " + before + " -> " + closedBy);
    if (closedBy != "OK") return DialogClose::Cancel;
    controls = edited;
    return DialogClose::OK;
}

DialogClose FakeView::ShowDetails(DetailsControls& controls, const std::function<void(const DetailsControls&)>& apply) {
    DetailsControls edited = controls;
    std::string line = "dialog Details: Event=" + Quoted(edited.Text1) + " Site=" + Quoted(edited.Text2) +
                       " Date=" + Quoted(edited.Text3) + " Black=" + Quoted(edited.Text4) +
                       " White=" + Quoted(edited.Text5);
    const std::string closedBy = RunDialog([&](const std::string& action) {
        if (action == "Apply") {
            apply(edited);
            line += " -> Apply";
            return;
        }
        const std::size_t eq = action.find('=');
        if (eq == std::string::npos) return;
        const std::string field = action.substr(0, eq);
        const std::string value = action.substr(eq + 1);
        if (field == "Event" || field == "Text1")
            edited.Text1 = value;
        else if (field == "Site" || field == "Text2")
            edited.Text2 = value;
        else if (field == "Date" || field == "Text3")
            edited.Text3 = value;
        else if (field == "Black" || field == "Text4")
            edited.Text4 = value;
        else if (field == "White" || field == "Text5")
            edited.Text5 = value;
    });
    Log(line + " -> " + closedBy);
    if (closedBy != "OK") return DialogClose::Cancel;
    controls = edited;
    return DialogClose::OK;
}

void FakeView::ShowAbout(const std::string& versionLine) {
    std::string scripted;
    NextAnswer(scripted);
    Log("dialog About: " + Quoted(versionLine) + " -> OK");
}

std::string FakeView::OpenFileDialog(const std::string& title, const std::string& filter, const std::string&) {
    std::string path;
    NextAnswer(path);
    Log("dialog Open: title=" + Quoted(title) + " filter=" + Quoted(filter) + " -> " + Quoted(path));
    return path;
}

std::string FakeView::SaveFileDialog(const std::string& title, const std::string& filter, const std::string&) {
    std::string path;
    NextAnswer(path);
    Log("dialog Save: title=" + Quoted(title) + " filter=" + Quoted(filter) + " -> " + Quoted(path));
    return path;
}

long FakeView::ShowPicker(const PickerContent& content) {
    ++pickerShown;
    picker = Picker{};
    picker.caption = content.Caption;
    picker.label = content.Label;
    picker.rows = content.Index != nullptr ? content.Index->Count : 0;
    picker.selected = content.Selected >= 1 ? content.Selected : 0;
    picker.text2 = text2.text;
    std::string columns;
    for (int k = 1; k <= pgn::IndexColumns; ++k) {
        if (!content.Visible[At(k - 1)]) continue;
        const std::string header(pgn::IndexHeaders[At(k - 1)]);
        picker.columns.push_back(header);
        columns += (columns.empty() ? "" : ",") + header;
    }

    // The rows as the picker shows them; the preselected game, else the
    // first row, is selected.
    const pgn::GameIndex empty;
    PickerRows rows(content.Index != nullptr ? *content.Index : empty, content.Visible);
    long selectedRow = rows.Count() > 0 ? 0 : -1;
    if (picker.selected > 0 && picker.selected <= rows.Total()) selectedRow = rows.RowOf(picker.selected);
    const auto firstGame = [&rows] { return std::to_string(rows.GameAt(0)); };

    // Filters and clicks on headers until an answer closes the picker;
    // without one it closes with OK.
    long chosen = -1;
    std::string answer;
    while (true) {
        if (!NextAnswer(answer)) answer = "OK";
        if (answer.rfind("filter ", 0) == 0) {
            rows.SetFilter(answer.substr(7));
            selectedRow = rows.Count() > 0 ? 0 : -1;
            Log("picker filter=" + Quoted(answer.substr(7)) + " shown=" + std::to_string(rows.Count()) +
                " first=" + firstGame());
            continue;
        }
        if (answer.rfind("sort ", 0) == 0) {
            const std::string name = answer.substr(5);
            const auto found = std::find(picker.columns.begin(), picker.columns.end(), name);
            if (found != picker.columns.end()) {
                int column = 1;
                while (pgn::IndexHeaders[At(column - 1)] != name) ++column;
                rows.SortBy(column, rows.SortColumn() == column && !rows.Descending());
                selectedRow = rows.Count() > 0 ? 0 : -1;
            }
            Log("picker sort=" + name + " first=" + firstGame() +
                (found == picker.columns.end() ? " (no such column)" : ""));
            continue;
        }
        break;
    }
    if (answer == "OK") {
        chosen = selectedRow >= 0 ? rows.GameAt(selectedRow) : -1;
    } else if (answer != "Cancel" && !answer.empty()) {
        // A game number: that game's row is selected, then OK. A game the
        // filter hides cannot be selected.
        try {
            std::size_t used = 0;
            const long number = std::stol(answer, &used);
            chosen = used == answer.size() && rows.RowOf(number) >= 0 ? number : -1;
        } catch (...) {
            chosen = -1;
        }
    }
    picker.chosen = chosen;
    Log("dialog dlgPGN: caption=" + Quoted(content.Caption) + " label=" + Quoted(content.Label) +
        " columns=" + Quoted(columns) + " selected=" + std::to_string(picker.selected) + " -> " +
        (chosen == -1 ? std::string("Cancel") : std::to_string(chosen)));
    return chosen;
}

void FakeView::SetClipboardText(const std::string& text) {
    clipboard = text;
    Log("clipboard " + Quoted(text));
}

void FakeView::Quit() {
    quit = true;
    Log("quit");
}

}  // namespace orvane::ui::fake
