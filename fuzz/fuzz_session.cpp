// Whole window sessions: the input is read as a start-up (settings, book or
// none, screen) and a sequence of user commands on frmMain over the recording
// fake window: mouse presses, moves and releases on any square in any order
// (a release may never come), drags, the setup menu with the fake's answers,
// List2 and List1, the walk through the game, new game, Switch Colors,
// turning the board, comments and options.
// After every command the window must agree with the game it shows: the
// position's invariants hold, List1 has one entry a ply, List2 holds exactly
// the legal moves of the position on the board (found afresh from the board,
// with the king squares read off it; where a side has one king), and the
// squares show that board.
// With ORVANE_FUZZ_TRACE set in the environment, each command and each
// message box and pop-up menu is printed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "book/availablemoves.h"
#include "fakeview.h"
#include "fuzz_support.h"
#include "ui/frmmain.h"
#include "ui/settingsfile.h"

namespace {

using orvane::Position;
using orvane::fuzz::ByteReader;
using orvane::fuzz::Fail;
using orvane::fuzz::Require;
using orvane::ui::frmMain;
using orvane::ui::MouseButton;
using orvane::ui::fake::FakeView;

std::size_t At(int i) { return static_cast<std::size_t>(i); }

// Every setup choice is made: position setup keeps the king squares in step
// with the board. Setting this to false leaves out the choices that would
// put a king square off its king, to look for other faults behind such one.
constexpr bool SetupKeepsKingSquares = true;

const char* const SetupAnswers[] = {"Empty",
                                    "White Pawn",
                                    "White Rook",
                                    "White Knight",
                                    "White Bishop",
                                    "White Queen",
                                    "White King",
                                    "Black Pawn",
                                    "Black Rook",
                                    "Black Knight",
                                    "Black Bishop",
                                    "Black Queen",
                                    "Black King",
                                    "Black moves",
                                    "White moves",
                                    "Clear Board",
                                    ""};
constexpr int SetupValues[] = {0, 1, 2, 4, 3, 5, 6, -1, -2, -4, -3, -5, -6};

// Every answer a question of the window can take, queued ahead of any
// command; the last four answer the setup menu, which a right release can
// open (left out while setup choices are, see above).
const char* const Answers[] = {"Yes",    "No",     "OK",   "Cancel", "",           "Queen",      "Rook",
                               "Bishop", "Knight", "King", "Empty",  "White King", "Black King", "Clear Board"};
constexpr int SetupMenuAnswers = 4;

const char* const OptionsAnswers[] = {"OK",          "Cancel",        "Check3=0;OK",   "Check3=1;OK",   "Check5=1;OK",
                                      "Check5=0;OK", "Option1(1);OK", "Option1(0);OK", "Check6=0;Close"};

// Commands per session: enough for games, setups and walks through them,
// few enough that a session takes milliseconds.
constexpr int MaxCommands = 64;

const char* const WalkMenu[] = {"First", "Moveback", "MoveForward", "Last"};
const char* const WalkButtons[] = {"First", "Back", "Forward", "Last"};

// The program folders: one with a small book beside the program, one without.
struct Folders {
    orvane::fuzz::ScratchFolder withBook{"session-book"};
    orvane::fuzz::ScratchFolder withoutBook{"session-nobook"};
    Folders() {
        // The shipped book's header, its first moves lines and first names.
        const std::string book = orvane::fuzz::SourceFile("data/orvane.bok");
        std::string small;
        std::size_t pos = 0;
        int line = 0;
        bool names = false;
        int namesLines = 0;
        while (pos < book.size()) {
            std::size_t end = book.find('\n', pos);
            if (end == std::string::npos) end = book.size() - 1;
            const std::string text = book.substr(pos, end + 1 - pos);
            pos = end + 1;
            if (text.rfind("names", 0) == 0) names = true;
            if (!names && line++ < 60) small += text;
            if (names && namesLines++ < 40) small += text;
        }
        small += "end\r\n";
        orvane::fuzz::WriteBytes(withBook.Path() / "orvane.bok", small);
    }
};

std::string SquareName(int square) {
    return {static_cast<char>('A' + square % 10 - 1), static_cast<char>('1' + square / 10 - 2)};
}

int KingSquare(const Position& pos, int king, int& count) {
    int found = 0;
    count = 0;
    for (int s = 21; s <= 98; ++s) {
        if (pos.Board[At(s)] != king) continue;
        if (count++ == 0) found = s;
    }
    return found;
}

// The legal moves of the position on the board as coordinate texts (E2E4,
// E7E8Q, E1G1), sorted, with the king squares read off the board. Only for
// positions with one king a side: without a king, or with several, a
// position is not chess (the setup menu allows it) and its moves have no one
// right answer; false then.
bool LegalMoves(const frmMain& form, std::vector<std::string>& moves) {
    static Position pos;
    pos = form.Pos;
    int count = 0;
    pos.WhiteKing = KingSquare(pos, orvane::King, count);
    if (count != 1) return false;
    pos.BlackKing = KingSquare(pos, -orvane::King, count);
    if (count != 1) return false;
    pos.GenerateMoves(1);
    moves.clear();
    for (int slot = pos.DepthStart[At(pos.TreeDepth)]; slot < pos.MoveCount; ++slot) {
        const orvane::MoveRecord& r = pos.MoveList[At(slot)];
        std::string text = SquareName(r.Source) + SquareName(r.Dest);
        if (r.Promotion != 0) text += orvane::PieceLetter[At(std::abs(r.Promotion))];
        moves.push_back(text);
    }
    std::sort(moves.begin(), moves.end());
    return true;
}

// The board, rank 8 first, with the side to move and the king squares.
std::string Picture(const Position& pos) {
    std::string text;
    for (int rank = 8; rank >= 1; --rank) {
        text += "\n  ";
        for (int file = 1; file <= 8; ++file) {
            const int piece = pos.Board[At((rank + 1) * 10 + file)];
            const char c = ".PRBNQK"[std::abs(piece)];
            text += piece < 0 ? static_cast<char>(c - 'A' + 'a') : c;
        }
    }
    return text + "\n  side " + std::to_string(pos.SideToMove) + " kings " + SquareName(pos.WhiteKing) + " " +
           SquareName(pos.BlackKing) + " depth " + std::to_string(pos.TreeDepth);
}

std::string Joined(const std::vector<std::string>& texts) {
    std::string all;
    for (const std::string& t : texts) all += " " + t;
    return all;
}

// The picture a square shows when nothing is lifted: the piece, or the empty square.
bool ShowsPiece(int picture, int piece) {
    static constexpr int PictureBase[7] = {0, 10, 16, 1, 7, 13, 4};
    if (piece == 0) return picture == 19 || picture == 20;
    const int base = PictureBase[std::abs(piece)] + (piece > 0 ? 20 : 0);
    return picture == base || picture == base + 1;
}

class Session {
public:
    Session(const std::uint8_t* data, std::size_t size) : in_(data, size) {}

    void Run(const Folders& folders) {
        const int setup = in_.Next();
        orvane::ui::Settings settings;
        settings.Notation = setup & 1;
        settings.BoardTurned = (setup >> 1) & 1;
        settings.ShowMoves = (setup >> 2) & 1;
        settings.CapNot = (setup >> 3) & 1;
        settings.CapCharacter = (setup >> 4) & 1;
        orvane::ui::ProgramPaths paths;
        paths.ProgramFolder = (setup & 32) != 0 ? folders.withBook.Path() : folders.withoutBook.Path();
        orvane::fuzz::WriteBytes(paths.ProgramFolder / "orvane.ini", orvane::ui::SettingsText("ORVANE0.10", settings));
        view_.twipsPerPixel = (setup & 64) != 0 ? 12 : 15;

        if (std::getenv("ORVANE_FUZZ_TRACE") != nullptr)
            view_.onInteraction = [](const std::string& line) { std::fprintf(stderr, "   %s\n", line.c_str()); };
        frmMain form(view_, paths);
        form_ = &form;
        Require(form.Form_Load(""), "the program did not start");
        Check("start-up");
        for (int step = 0; step < MaxCommands && !in_.Done() && !view_.quit; ++step) {
            const std::string command = Command();
            if (command.empty()) continue;  // an answer queued for the next command
            view_.answers.clear();
            Check(command);
        }
    }

private:
    int Control() { return in_.Pick(64); }
    // A pointer position in twips relative to the pressed square, up to about
    // eight squares either way, often near a square's edge.
    double Twips() { return in_.Signed() * 37; }

    std::string Command() {
        frmMain& f = *form_;
        switch (in_.Pick(17)) {
        case 0: {
            const int c = Control();
            f.c_MouseDown(c, MouseButton::Left, Twips(), Twips());
            return "press " + std::to_string(c);
        }
        case 1: {
            const int c = Control();
            f.c_MouseMove(c, Twips(), Twips());
            return "move " + std::to_string(c);
        }
        case 2: {
            const int c = Control();
            f.c_MouseUp(c, MouseButton::Left, Twips(), Twips());
            return "release " + std::to_string(c);
        }
        case 3: {  // a whole drag from one square to another, as the driver makes it
            const int a = Control();
            const int b = Control();
            const int pitch = view_.largeFont ? 456 : 586;
            const double x = (b % 8 - a % 8) * pitch + 300;
            const double y = (b / 8 - a / 8) * pitch + 300;
            f.c_MouseDown(a, MouseButton::Left, 300, 300);
            f.c_MouseMove(a, x, y);
            f.c_MouseUp(a, MouseButton::Left, x, y);
            return "drag " + std::to_string(a) + " " + std::to_string(b);
        }
        case 4: {  // the setup menu on a square, answered
            const int c = Control();
            const int pick = in_.Pick(static_cast<int>(std::size(SetupAnswers)));
            if (!SetupKeepsKingSquares && pick < static_cast<int>(std::size(SetupValues)) &&
                LeavesKingSquareBehind(f.SquareOfControl(c), SetupValues[pick]))
                return "setup left out";
            // The menu takes this answer, not one queued before.
            if (!SetupKeepsKingSquares) view_.answers.clear();
            view_.QueueAnswer(SetupAnswers[pick]);
            f.c_MouseDown(c, MouseButton::Right, 300, 300);
            f.c_MouseUp(c, MouseButton::Right, 300, 300);
            return "setup " + std::to_string(c) + " \"" + SetupAnswers[pick] + "\"";
        }
        case 5: {
            const int c = Control();
            f.c_MouseDown(c, MouseButton::Right, Twips(), Twips());
            return "right press " + std::to_string(c);
        }
        case 6: {  // a right release may open the setup menu: dismissed
            const int c = Control();
            f.c_MouseUp(c, MouseButton::Right, Twips(), Twips());
            return "right release " + std::to_string(c);
        }
        case 7: {
            const int count = static_cast<int>(std::size(Answers)) - (SetupKeepsKingSquares ? 0 : SetupMenuAnswers);
            view_.QueueAnswer(Answers[in_.Pick(count)]);
            return {};
        }
        case 8: {
            const int count = view_.list2.ListCount();
            const int how = in_.Pick(3);
            if (count == 0 || !view_.list2.enabled) return "list2 (none)";
            const int i = in_.Pick(count);
            view_.list2.SetListIndex(i);
            if (how == 0)
                f.List2_DblClick();
            else
                f.List2_KeyUp(how == 1 ? orvane::ui::KeyEnter : 40);
            return "list2 \"" + view_.list2.List(i) + "\"";
        }
        case 9: {
            const int count = view_.list1.ListCount();
            const int how = in_.Pick(2);
            if (count == 0 || !view_.list1.enabled) return "list1 (none)";
            const int i = in_.Pick(count);
            view_.list1.SetListIndex(i);
            if (how == 0)
                f.List1_MouseUp();
            else
                f.List1_KeyUp(orvane::ui::KeyEnter);
            return "list1 " + std::to_string(i);
        }
        case 10: {  // only commands that are enabled can be given
            const int i = in_.Pick(8);
            if (i < 4) {
                if (!view_.menu.Get(WalkMenu[i]).enabled) return "menu disabled";
                f.MenuClick(WalkMenu[i]);
                return std::string("menu ") + WalkMenu[i];
            }
            if (!view_.toolbarEnabled || !view_.toolbar.Get(WalkButtons[i - 4]).enabled) return "button disabled";
            f.Toolbar1_ButtonClick(WalkButtons[i - 4]);
            return std::string("button ") + WalkButtons[i - 4];
        }
        case 11:
            view_.QueueAnswer(in_.Pick(2) == 0 ? "Yes" : "No");
            if (in_.Pick(2) == 0)
                f.MenuClick("New");
            else
                f.Toolbar1_ButtonClick("New Game");
            return "new game";
        case 12:
            if (!view_.toolbarEnabled || !view_.toolbar.Get("Switch Colors").enabled) return "button disabled";
            f.Toolbar1_ButtonClick("Switch Colors");
            return "switch colors";
        case 13: {
            const int i = in_.Pick(3);
            if (i == 0)
                f.MenuClick("Turn");
            else if (i == 1)
                f.Toolbar1_ButtonClick("TurnBoard");
            else
                f.MenuClick("Nonotation");
            return "turn or notation";
        }
        case 14: {
            const int i = in_.Pick(3);
            if (i == 0) {
                view_.text1.text += static_cast<char>('a' + in_.Pick(26));
                f.Text1_KeyUp();
                return "comment";
            }
            if (i == 1) {
                f.Form_MouseMove();
                return "leave the board";
            }
            const int c = Control();
            f.c_MouseMove(c, 300, 300);
            return "hover " + std::to_string(c);
        }
        case 15: {  // the game or the position out through the clipboard, and back in
            const int i = in_.Pick(3);
            const std::string copy = i == 1 ? "copyfen" : "copygame";
            f.MenuClick(copy);
            if (i == 2) return "menu " + copy;
            const int plies = f.Record.LastPly;
            const std::vector<orvane::MoveRecord> moves(f.Record.PlayedMoves.begin() + 1,
                                                        f.Record.PlayedMoves.begin() + 1 + plies);
            const std::size_t met = view_.interactions.size();
            view_.QueueAnswer("Yes");
            f.MenuClick("paste");
            // A game the reader takes back (a set-up board may be no chess
            // position: its FEN is refused) has the moves it had.
            bool refused = false;
            for (std::size_t k = met; k < view_.interactions.size(); ++k)
                refused = refused || view_.interactions[k].find("title=\"Error\"") != std::string::npos;
            if (copy == "copygame" && !refused &&
                (f.Record.LastPly != plies ||
                 !std::equal(moves.begin(), moves.end(), f.Record.PlayedMoves.begin() + 1)))
                Fail("the game pasted back has other moves than the game copied" + Picture(f.Pos));
            return "menu " + copy + ", menu paste";
        }
        default:
            view_.QueueAnswer(OptionsAnswers[in_.Pick(static_cast<int>(std::size(OptionsAnswers)))]);
            f.MenuClick("Options");
            return "options";
        }
    }

    // Whether choosing `value` for `square` in the setup menu would leave a
    // side's king square off its king (see SetupKeepsKingSquares).
    bool LeavesKingSquareBehind(int square, int value) const {
        const Position& pos = form_->Pos;
        auto board = pos.Board;
        board[At(square)] = value;
        int white = pos.WhiteKing;
        int black = pos.BlackKing;
        if (value == orvane::King) white = square;
        if (value == -orvane::King) black = square;
        const auto stale = [&board](int king, int named) {
            if (std::find(board.begin() + 21, board.begin() + 99, king) == board.begin() + 99) return false;
            return board[At(named)] != king;
        };
        return stale(orvane::King, white) || stale(-orvane::King, black);
    }

    void Check(const std::string& command) {
        if (view_.quit) return;
        const frmMain& f = *form_;
        ++commands_;
        static const bool trace = std::getenv("ORVANE_FUZZ_TRACE") != nullptr;
        if (trace) std::fprintf(stderr, "%d: %s (DragSource %d)\n", commands_, command.c_str(), f.Mouse.DragSource);
        const std::string where = " after command " + std::to_string(commands_) + " (" + command + ")";
        const std::string invariants = f.Pos.CheckInvariants();
        if (!invariants.empty()) Fail(invariants + where + Picture(f.Pos));
        if (f.Pos.CurrentPly < 0 || f.Pos.CurrentPly > f.Record.LastPly) Fail("CurrentPly outside the record" + where);
        if (view_.list1.ListCount() != f.Record.LastPly) Fail("List1 does not have one entry a ply" + where);

        if (f.GameOver == 0) {
            // The moves are worked out again only when the position or the list changed.
            if (!SamePosition(f.Pos, checkedPos_) || view_.list2.items != checkedList_) {
                std::vector<std::string> listed;
                for (const std::string& entry : view_.list2.items) {
                    orvane::ListMove move;
                    if (!orvane::ParseAvailableMoveEntry(entry, f.Pos.SideToMove, f.Input.CaptureChar, move))
                        Fail("List2 entry \"" + entry + "\" is no move" + where);
                    listed.push_back(move.MoveText);
                }
                std::sort(listed.begin(), listed.end());
                std::vector<std::string> legal;
                if (LegalMoves(f, legal) && listed != legal)
                    Fail("List2 holds" + Joined(listed) + "\n  legal moves" + Joined(legal) + where + Picture(f.Pos));
                checkedPos_ = f.Pos;
                checkedList_ = view_.list2.items;
            }
        } else if (view_.list2.enabled) {
            Fail("List2 is enabled after the game ended" + where);
        }

        // A piece lifted by a press stays off its square until the release.
        if (f.Mouse.DragSource < 0) {
            for (int control = 0; control < 64; ++control) {
                const int square = f.SquareOfControl(control);
                if (!ShowsPiece(view_.squares.pictures[At(control)], f.Pos.Board[At(square)]))
                    Fail("square " + SquareName(square) + " shows picture " +
                         std::to_string(view_.squares.pictures[At(control)]) + " for piece " +
                         std::to_string(f.Pos.Board[At(square)]) + where);
            }
        }
    }

    // What the legal moves depend on.
    static bool SamePosition(const Position& a, const Position& b) {
        return a.Board == b.Board && a.SideToMove == b.SideToMove && a.MoveCounts == b.MoveCounts &&
               a.WhiteKing == b.WhiteKing && a.BlackKing == b.BlackKing && a.TreeDepth == b.TreeDepth &&
               a.EpTarget[At(a.TreeDepth)] == b.EpTarget[At(b.TreeDepth)];
    }

    ByteReader in_;
    FakeView view_;
    Position checkedPos_;  // the position and List2 of the last full check
    std::vector<std::string> checkedList_{"(none)"};
    frmMain* form_ = nullptr;
    int commands_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Folders folders;
    Session session(data, size);
    session.Run(folders);
    return 0;
}
