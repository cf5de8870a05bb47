// Long sessions of commands picked at random (with fixed seeds) from what a
// user can do: after every command the window must agree with the game it
// shows. Run under the sanitizers, these also look for undefined behaviour
// in paths no scenario thought of.
#include <random>

#include "uitest.h"

namespace orvane::ui::test {
namespace {

const char* const SetupItems[] = {"Empty",        "White Pawn",  "White Rook", "White Knight", "White Bishop",
                                  "White Queen",  "White King",  "Black Pawn", "Black Rook",   "Black Knight",
                                  "Black Bishop", "Black Queen", "Black King", "Black moves",  "White moves"};

std::string SquareName(int file, int rank) {
    return std::string(1, static_cast<char>('a' + file)) + static_cast<char>('1' + rank);
}

// The ranks as "show" prints them, from the position itself.
Lines RanksOf(const Position& pos) {
    Lines ranks;
    for (int rank = 8; rank >= 1; --rank) {
        std::string line;
        for (int file = 1; file <= 8; ++file) {
            const int piece = pos.Board[static_cast<std::size_t>((rank + 1) * 10 + file)];
            char c = piece == 0 ? '.' : "?prbnqk"[piece > 0 ? piece : -piece];
            if (piece > 0) c = static_cast<char>(c - 'a' + 'A');
            if (!line.empty()) line += ' ';
            line += c;
        }
        ranks.push_back(line);
    }
    return ranks;
}

class RandomSession : public UiTest, public ::testing::WithParamInterface<unsigned> {
protected:
    std::mt19937 random{GetParam()};

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }

    std::string NextCommand() {
        const int kind = Pick(100);
        const auto& list2 = View().list2;
        if (kind < 50 && list2.ListCount() > 0 && list2.enabled)
            return "list2 \"" + list2.List(Pick(list2.ListCount())) + "\"";
        if (kind < 68) {
            const std::string from = SquareName(Pick(8), Pick(8));
            return "hover " + from + "\ndrag " + from + " " + SquareName(Pick(8), Pick(8));
        }
        if (kind < 83) {
            static const char* const Walk[] = {"menu First", "menu Moveback", "menu MoveForward",
                                               "menu Last",  "button Back",   "button Forward"};
            const std::string command = Walk[Pick(6)];
            if (command.rfind("menu ", 0) == 0 && !View().menu.Get(command.substr(5)).enabled) return "show";
            if (command.rfind("button ", 0) == 0 && !View().toolbar.Get(command.substr(7)).enabled) return "show";
            return command;
        }
        if (kind < 89 && View().list1.ListCount() > 0) return "list1 " + std::to_string(Pick(View().list1.ListCount()));
        if (kind < 92)
            return "answer \"" + std::string(SetupItems[Pick(15)]) + "\"\nrightclick " + SquareName(Pick(8), Pick(8));
        if (kind < 93) return "answer \"Clear Board\"\nrightclick " + SquareName(Pick(8), Pick(8));
        if (kind < 94) return "button \"Switch Colors\"";
        if (kind < 95) return std::string("answer ") + (Pick(2) == 0 ? "Yes" : "No") + "\nmenu New";
        if (kind < 97) return "menu Turn";
        if (kind < 99) return "comment x";
        return std::string("answer \"") + (Pick(2) == 0 ? "Option1(1)" : "Option1(0)") + ";OK\"\noptions";
    }

    // What must hold whenever a command has finished.
    void CheckConsistent(const std::string& command) {
        const frmMain& f = Form();
        const Screen screen = Show();
        ASSERT_GE(f.Pos.CurrentPly, 0) << command;
        ASSERT_LE(f.Pos.CurrentPly, f.Record.LastPly) << command;
        ASSERT_EQ(static_cast<int>(screen.list1.size()), f.Record.LastPly) << command;
        const std::string back = f.Pos.CurrentPly > 0 ? "1" : "0";
        const std::string forward = f.Pos.CurrentPly < f.Record.LastPly ? "1" : "0";
        ASSERT_EQ(screen.enabled, "First=" + back + " Moveback=" + back + " MoveForward=" + forward +
                                      " Last=" + forward + " List2=" + (f.GameOver == 0 ? "1" : "0"))
            << command;
        ASSERT_EQ(screen.ranks, RanksOf(f.Pos)) << command;
        for (const std::string& entry : screen.list1) {
            ASSERT_GE(entry.size(), 12u) << command;
            ASSERT_LE(entry.size(), 14u) << command;
        }
    }
};

TEST_P(RandomSession, WindowAgreesWithTheGame) {
    for (int step = 0; step < 600; ++step) {
        const std::string command = NextCommand();
        Lines script;
        std::istringstream lines(command);
        for (std::string line; std::getline(lines, line);) script.push_back(line);
        Run(script);
        // An answer that no question took must not answer a later one.
        View().answers.clear();
        CheckConsistent(command);
        if (HasFatalFailure()) return;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomSession, ::testing::Range(1u, 9u));

}  // namespace
}  // namespace orvane::ui::test
