// The settings file reader on arbitrary bytes: the parser itself (only a
// Read result fills the settings; what was read is written back and read
// again the same), and the program's start-up over such a file, up to a
// second start after the user turned the board and the notation and closed
// the program: whatever the first start accepted, the file the program wrote
// on the way out must start it again.
#include <array>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "fakeview.h"
#include "fuzz_support.h"
#include "ui/frmmain.h"
#include "ui/settingsfile.h"

namespace {

using orvane::fuzz::Require;
using orvane::ui::Settings;

bool Same(const Settings& a, const Settings& b) {
    return a.Notation == b.Notation && a.BoardTurned == b.BoardTurned && a.ShowMoves == b.ShowMoves &&
           a.CapNot == b.CapNot && a.AskExit == b.AskExit && a.CapCharacter == b.CapCharacter;
}

Settings Of(const orvane::ui::frmMain& form) { return form.Config; }

const std::string Header = "ORVANE0.10";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const orvane::fuzz::ScratchFolder folder("settings");
    const std::string_view text = orvane::fuzz::Text(data, size);

    // A marker value no parse can give: it must survive every non-Read result.
    const Settings marker{-7, -7, -7, -7, -7, -7};
    Settings read = marker;
    const orvane::ReadError error = orvane::ui::ParseSettings(text, Header, read);
    if (error) {
        Require(Same(read, marker), "a settings text that was not read changed the settings");
        // Files of another header are all alike to the program: the defaults.
        if (error.Kind == orvane::ReadErrorKind::NotSettingsFile && text.substr(0, Header.size()) != Header) return 0;
    } else {
        Settings again = marker;
        Require(!orvane::ui::ParseSettings(orvane::ui::SettingsText(Header, read), Header, again) && Same(again, read),
                "settings written back do not read the same");
    }

    // The start-up depends on nothing but what the parse gave, so each
    // outcome is started once per process.
    static std::set<std::array<int, 7>> outcomes;
    if (outcomes.size() > 1000000) outcomes.clear();
    if (!outcomes
             .insert({static_cast<int>(error.Kind), read.Notation, read.BoardTurned, read.ShowMoves, read.CapNot,
                      read.AskExit, read.CapCharacter})
             .second)
        return 0;

    orvane::ui::ProgramPaths paths;
    paths.ProgramFolder = folder.Path();
    orvane::fuzz::WriteBytes(folder.Path() / "orvane.ini", text);
    {
        orvane::ui::fake::FakeView view;
        orvane::ui::frmMain form(view, paths);
        const bool started = form.Form_Load("");
        Require(started != view.quit, "start-up result and the end of the program disagree");
        if (!started) return 0;
        if (!error)
            Require(Same(Of(form), read) || Same(Of(form), Settings{}),
                    "the program started with settings that are neither the file's nor the defaults");
        else
            Require(Same(Of(form), Settings{}), "a settings file that was not read did not give the defaults");
        form.MenuClick("Turn");
        form.MenuClick("Nonotation");
        view.QueueAnswer("Yes");
        Require(!form.Form_QueryUnload(), "the close was cancelled");
        form.Form_Unload();
    }
    orvane::ui::fake::FakeView view;
    orvane::ui::frmMain form(view, paths);
    Require(form.Form_Load(""), "the settings file the program wrote on exit stops the next start");
    return 0;
}
