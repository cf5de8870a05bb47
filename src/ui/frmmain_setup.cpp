// Position setup with the right-click menu, and Switch Colors.
#include "common/index.h"
#include "ui/frmmain.h"

namespace orvane::ui {

namespace {

struct SetupItem {
    const char* Name;
    const char* Caption;
    int Value;  // the piece code written to the square
};

// The square items of the setup menu, in menu order.
constexpr SetupItem SquareItems[] = {
    {"empty1", "Empty", 0},
    {"whitepawn", "White Pawn", Pawn},
    {"whiterook", "White Rook", Rook},
    {"whiteknight", "White Knight", Knight},
    {"whitebishop", "White Bishop", Bishop},
    {"whitequeen", "White Queen", Queen},
    {"whiteking", "White King", King},
    {"blackpawn", "Black Pawn", -Pawn},
    {"blackrook", "Black Rook", -Rook},
    {"blackknight", "Black Knight", -Knight},
    {"blackbishop", "Black Bishop", -Bishop},
    {"blackqueen", "Black Queen", -Queen},
    {"blackking", "Black King", -King},
};

}  // namespace

void frmMain::OpenSetupMenu(int index) {
    const int square = SquareOfControl(index);
    Mouse.PopupJustClosed = 1;

    std::vector<MenuItem> items;
    items.push_back({"mnu_PopUp_ClearBoard", "Clear Board", false, true, false});
    items.push_back({"", "", false, true, true});
    for (const SetupItem& item : SquareItems)
        items.push_back({item.Name, item.Caption, Pos.Board[At(square)] == item.Value, true, false});
    items.push_back({"", "", false, true, true});
    items.push_back({"mnu_PopUp_BlackM", "Black moves", Pos.SideToMove != 1, true, false});
    items.push_back({"WhiteM", "White moves", Pos.SideToMove == 1, true, false});

    Mouse.SetupSquare = square;
    const std::string chosen = view_.PopupMenu("mnuSetup", items);
    if (!chosen.empty()) SetupCommand(chosen);

    // Once anything was edited, every closing of the menu makes the position
    // on the board the start of a new, empty game.
    if (KeepPosition != 1) return;
    Pos.StartBoard = Pos.Board;
    Pos.MoveCounts.fill(0);
    Pos.EpTarget.fill(0);
    Pos.BlackStarts = Pos.SideToMove == -1 ? 1 : 0;
    ResetGame();
    Mouse.PopupJustClosed = 1;
    Mouse.SetupJustEdited = 1;
    DrawBoard();
}

void frmMain::SetupCommand(const std::string& item) {
    KeepPosition = 1;
    if (item == "mnu_PopUp_ClearBoard") {
        for (int s = 0; s < BoardSize; ++s)
            if (Pos.Board[At(s)] != BorderValue) Pos.Board[At(s)] = 0;
        Pos.LocateKings();
        return;
    }
    if (item == "mnu_PopUp_BlackM" || item == "WhiteM") {
        const bool black = item == "mnu_PopUp_BlackM";
        Pos.SideToMove = black ? -1 : 1;
        view_.StatusBar1().SetPanelText(1, black ? "Black moves" : "White moves");
        return;
    }
    for (const SetupItem& square : SquareItems) {
        if (item != square.Name) continue;
        Pos.Board[At(Mouse.SetupSquare)] = square.Value;
        // Any edit can put a king down or take one away (also by covering
        // it with another piece): the king squares are found on the board
        // again, so the legality of every later move rests on where the
        // kings really stand.
        Pos.LocateKings();
        return;
    }
}

void frmMain::SwitchColors() {
    KeepPosition = 1;
    if (Pos.SideToMove == 1) {
        Pos.BlackStarts = 1;
        Pos.SideToMove = -1;
        view_.StatusBar1().SetPanelText(1, "Black moves");
    } else {
        Pos.BlackStarts = 0;
        Pos.SideToMove = 1;
        view_.StatusBar1().SetPanelText(1, "White moves");
    }
    Pos.StartBoard = Pos.Board;
    Pos.EpTarget.fill(0);

    // The old side's hint boxes go; the new side's movable pieces are marked
    // whatever the hint setting says.
    const auto eachCurrentMove = [this](auto&& action) {
        const int first = Pos.DepthStart[At(Pos.TreeDepth)];
        const int end = Pos.DepthStart[At(Pos.TreeDepth + 1)];
        for (int i = first; i < end; ++i) action(Pos.MoveList[At(i)].Source);
    };
    eachCurrentMove([this](int source) { view_.Board().SetPicture(ControlOfSquare(source), PlainPicture(source)); });
    ResetGame();
    ListAvailableMoves();
    eachCurrentMove([this](int source) {
        const int index = ControlOfSquare(source);
        view_.Board().SetPicture(index, PlainPicture(source));
        DrawHint(index, source);
    });
    // The board stays as it is, but the player labels must show whose turn it is now.
    ShowPlayers();
}

}  // namespace orvane::ui
