// The clipboard: the game as PGN text (Copy Game), the position on the board
// as a FEN (Copy Position), and a FEN or a PGN text taken from it (Paste).
#include <stdlib.h>  // mkdtemp

#include <filesystem>
#include <system_error>

#include "common/textfile.h"
#include "pgn/export.h"
#include "ui/frmmain.h"

namespace orvane::ui {

namespace {

const char* const NothingToPaste = "The clipboard holds no game or position.";

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// A text meant as a FEN: one line whose first word holds only the letters of
// pieces, digits and at least one "/". Whether the position is a good one is
// the FEN reader's to say.
bool LooksLikeFen(std::string_view text) {
    if (text.find_first_of("\r\n") != std::string_view::npos) return false;
    const std::string_view board = text.substr(0, text.find(' '));
    return board.find('/') != std::string_view::npos &&
           board.find_first_not_of("pnbrqkPNBRQK12345678/") == std::string_view::npos;
}

// A folder of its own under the system's temporary folder, removed with
// everything in it when the object goes.
class TemporaryFolder {
public:
    TemporaryFolder() {
        std::error_code ec;
        std::string pattern = (std::filesystem::temp_directory_path(ec) / "orvane-paste-XXXXXX").string();
        if (!ec && ::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~TemporaryFolder() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    // "" when no folder could be made.
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace

FenPosition frmMain::GameStartFen() const {
    FenPosition start = StartFen(Pos, Record, 0, StartFullMoveNumber(Tags.SetupTag, FenMoveNumber));
    if (Tags.SetupTag.empty() || Tags.FenTag.empty()) return start;
    // The FEN read last may belong to another game than the one on the board.
    Position fen;
    FenInfo info;
    if (fen.ReadFen(Tags.FenTag, &info) || fen.Board != start.Board || fen.SideToMove != start.SideToMove) return start;
    const std::string& clock = info.FenHalfMoveClock;
    if (!clock.empty() && clock.size() <= 4 && clock.find_first_not_of("0123456789") == std::string::npos)
        start.HalfMoveClock = std::stoi(clock);
    return start;
}

void frmMain::CopyGame() {
    pgn::ExportedGame game = pgn::ExportGame(Tags, GameStartFen(), Record, "\n");
    if (game.Error) {
        ShowError(game.Error, ErrorContext::CopyGame);
        return;
    }
    // Without the empty line that ends a game in a file.
    if (game.Text.size() >= 2 && game.Text.compare(game.Text.size() - 2, 2, "\n\n") == 0) game.Text.pop_back();
    view_.SetClipboardText(game.Text);
}

void frmMain::CopyPosition() {
    const FenPosition start = GameStartFen();
    const int ply = Pos.CurrentPly;
    // The number of the move pair the next ply falls in, as the move list
    // numbers it: the standard's count, except in a game set up with Black
    // to move, where the list counts White's reply in the first pair.
    const int fullMove = (NumberingPly(ply + 1, Tags.SetupTag, FenMoveNumber, FenSideToMove) + 1) / 2;
    view_.SetClipboardText(WriteFen(Pos.CurrentFen(HalfMoveClock(Record, start.HalfMoveClock, ply), fullMove)));
}

void frmMain::Paste() {
    const std::string text = view_.ClipboardText();
    const std::string_view content = Trimmed(text);
    if (LooksLikeFen(content)) {
        PasteFen(std::string(content));
        return;
    }
    if (pgn::LooksLikePgn(text)) {
        PastePgn(text);
        return;
    }
    view_.MsgBox(NothingToPaste, "Error", MsgIcon::Exclamation, MsgButtons::OK);
}

// The position becomes the start of a new, empty game, as position setup
// makes it, numbered from the FEN's full-move number as a PGN game set up
// from it would be.
void frmMain::PasteFen(const std::string& fen) {
    {
        Position probe;
        if (const ReadError fault = probe.ReadFen(fen)) {
            ShowError(fault, ErrorContext::PasteFen);
            return;
        }
    }
    if (GameHasMoves != 0 &&
        view_.MsgBox("Quit current game?", "Confirmation", MsgIcon::Question, MsgButtons::YesNo) == MsgAnswer::No)
        return;
    FenInfo info;
    Pos.ReadFen(fen, &info);
    const int epTarget = Pos.EpTarget[0];
    KeepPosition = 1;
    Tags.SetupTag = "1";
    Tags.FenTag = fen;
    Tags.pgnResult.clear();
    FenMoveNumber = info.FenMoveNumber;
    FenSideToMove = info.FenSideToMove;
    ResetGame();
    // The start position keeps its en passant target when the game is
    // walked back to it and when it is saved.
    Record.PlayedEp[0] = epTarget;
    Pos.EpTarget[0] = epTarget;
    ListAvailableMoves();
    DrawBoard();
}

// A PGN text is read as a collection of its own: written to a temporary file
// and opened as a dropped file is, without a picker when it holds one game.
// The file is gone afterwards, and the game belongs to no file: New Variant
// stays off and Save asks for a name.
void frmMain::PastePgn(const std::string& text) {
    long games = 0;
    pgn::ForEachGame(text, [&games](pgn::GameText&) { return ++games < 2; });
    if (games == 0) {
        view_.MsgBox(NothingToPaste, "Error", MsgIcon::Exclamation, MsgButtons::OK);
        return;
    }
    const TemporaryFolder folder;
    const std::filesystem::path file = folder.Path() / "Clipboard.pgn";
    if (folder.Path().empty() || WriteFileAtomically(file, text)) {
        ReadError error;
        error.Kind = ReadErrorKind::FileUnreadable;
        error.File = file.string();
        ShowError(error, ErrorContext::OpenCollection);
        return;
    }
    const std::string path = file.string();
    OpenGameFile(OpenKind::Pasted, path);
    if (Collection.CurrentFilePath == path) {
        Collection.CurrentFilePath.clear();
        Collection.CurrentFileName.clear();
        view_.Toolbar().SetEnabled("New Variant", false);
    }
    if (File.GameFilePath == path) {
        File.GameFileName.clear();
        File.GameFilePath.clear();
    }
}

}  // namespace orvane::ui
