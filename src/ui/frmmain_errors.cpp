// The one place where error values become message boxes: for each kind of
// failure, and what the window was doing when it came back, the text, title
// and icon the user sees.
#include <string>

#include "common/textfile.h"
#include "ui/frmmain.h"

namespace orvane::ui {

namespace {

struct ErrorMessage {
    std::string Text;
    std::string Title;  // "" is the application's own title
    MsgIcon Icon = MsgIcon::Exclamation;
};

}  // namespace

void frmMain::ShowError(const ReadError& error, ErrorContext context) {
    ErrorMessage message{error.Text, "Error"};
    switch (context) {
    case ErrorContext::StartUp:
        // Whatever failed, start-up ends with the same words.
        message.Text = "Error found! Orvane will exit";
        break;
    case ErrorContext::SaveSettings: message.Text = "The settings could not be saved:\n" + error.Text; break;
    case ErrorContext::SaveGame: message.Text = "The game could not be saved: " + error.Text; break;
    case ErrorContext::CopyGame: message.Text = "The game could not be copied: " + error.Text; break;
    case ErrorContext::PasteFen:
        // What the FEN reader found, and where.
        message.Text = std::string("FEN refused: ") + ReadErrorKindText(error.Kind) + " (field " +
                       std::to_string(error.Field) + ", character " + std::to_string(error.Column) + ")";
        break;
    case ErrorContext::LookUpBook:
        // A file of another kind, or of another version (Text names the
        // file and the version the program needs).
        if (error.Kind == ReadErrorKind::NotBook) message.Title = "Orvane";
        break;
    case ErrorContext::EnterMove:
        switch (error.Kind) {
        case ReadErrorKind::WrongSide: message.Text = Pos.SideToMove == 1 ? "White moves" : "Black moves"; break;
        case ReadErrorKind::NoMoveFromSquare: message.Text = "You cannot move that piece"; break;
        case ReadErrorKind::RecordFull:
            message.Text = "The game record is full: a game can hold at most " + std::to_string(MaxPlies) +
                           " plies, so no further move can be entered.";
            break;
        default: message.Text = "Illegal move"; break;
        }
        break;
    case ErrorContext::OpenCollection:
    case ErrorContext::CheckCollection:
    case ErrorContext::OpenGameFile:
        switch (error.Kind) {
        case ReadErrorKind::FileMissing:
            message = {FileNameOf(error.File) + " does not exist", "", MsgIcon::Exclamation};
            break;
        case ReadErrorKind::NotPgn:
            message = {FileNameOf(error.File) + " is not a PGN file", "", MsgIcon::Exclamation};
            break;
        case ReadErrorKind::NoGames: message = {"No games found!", "Orvane", MsgIcon::None}; break;
        case ReadErrorKind::NotGameFile: message.Title.clear(); break;  // Text: "a.orv is not an Orvane file"
        case ReadErrorKind::IllegalMove:
            // Text: the move as written, "E7E8: Illegal move!"; the batch
            // check puts the game's number above it.
            if (context == ErrorContext::CheckCollection) message.Text = SignedText(error.Game) + "\r\n" + error.Text;
            break;
        case ReadErrorKind::WrongVersion:
            if (context == ErrorContext::OpenGameFile) break;  // Text names the version needed
            [[fallthrough]];
        default:
            // Any other failure of the file is told in one sentence.
            message.Text =
                context == ErrorContext::OpenGameFile ? "Error in loading game file!" : "Error in loading PGN file!";
            break;
        }
        break;
    }
    view_.MsgBox(message.Text, message.Title, message.Icon, MsgButtons::OK);
}

}  // namespace orvane::ui
