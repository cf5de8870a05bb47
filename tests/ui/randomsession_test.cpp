// Long sessions of commands picked at random (with fixed seeds) from what a
// user can do: after every command the window must agree with the game it
// shows. Run under the sanitizers, these also look for undefined behaviour
// in paths no scenario thought of.
#include <algorithm>
#include <random>
#include <utility>

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

    // Runs one command of one or more script lines. An answer that no
    // question took must not answer a later one.
    void RunCommand(const std::string& command) {
        Lines script;
        std::istringstream lines(command);
        for (std::string line; std::getline(lines, line);) script.push_back(line);
        Run(script);
        View().answers.clear();
    }

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
        RunCommand(command);
        CheckConsistent(command);
        if (HasFatalFailure()) return;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomSession, ::testing::Range(1u, 9u));

// ---- the rules against a plain model --------------------------------------
//
// A model of the rules written for the tests alone, as plainly as possible:
// every pseudo-legal move of the side to move, each made on a copy of the
// board and kept when it leaves no king of the mover's in check. With a
// set-up board holding several kings of a side, the first in square order
// is the one that counts; a side without a king is never in check.

using Board120 = std::array<int, BoardSize>;

int FirstKing(const Board120& board, int side) {
    for (int s = 21; s <= 98; ++s)
        if (board[static_cast<std::size_t>(s)] == King * side) return s;
    return NoKing;
}

int PieceAt(const Board120& board, int square) { return board[static_cast<std::size_t>(square)]; }

// Whether a piece of colour `by` attacks the square, tried piece by piece.
bool Attacked(const Board120& board, int square, int by) {
    static constexpr int Knights[] = {19, 21, 12, -8, -19, -21, -12, 8};
    static constexpr int Diagonals[] = {9, 11, -9, -11};
    static constexpr int Lines[] = {1, -1, 10, -10};
    if (PieceAt(board, square - 11 * by) == Pawn * by || PieceAt(board, square - 9 * by) == Pawn * by) return true;
    for (const int d : Knights)
        if (PieceAt(board, square + d) == Knight * by) return true;
    for (const int d : Diagonals) {
        if (PieceAt(board, square + d) == King * by) return true;
        int to = square + d;
        while (PieceAt(board, to) == 0) to += d;
        if (PieceAt(board, to) == Bishop * by || PieceAt(board, to) == Queen * by) return true;
    }
    for (const int d : Lines) {
        if (PieceAt(board, square + d) == King * by) return true;
        int to = square + d;
        while (PieceAt(board, to) == 0) to += d;
        if (PieceAt(board, to) == Rook * by || PieceAt(board, to) == Queen * by) return true;
    }
    return false;
}

std::string Name(int square) {
    return std::string(1, static_cast<char>('a' + square % 10 - 1)) + static_cast<char>('0' + square / 10 - 1);
}

// The available-moves entries of the legal moves of the position, sorted.
Lines ModelEntries(const Position& pos, const std::string& captureChar) {
    const Board120& board = pos.Board;
    const int side = pos.SideToMove;
    Lines entries;
    auto tryMove = [&](int from, int to, int promotion, int victim, const std::string& text) {
        Board120 after = board;
        const int piece = PieceAt(board, from);
        after[static_cast<std::size_t>(to)] = promotion != 0 ? promotion * side : piece;
        after[static_cast<std::size_t>(from)] = 0;
        if (victim != 0) after[static_cast<std::size_t>(victim)] = 0;
        if (text == "   O-O") {
            after[static_cast<std::size_t>(from + 3)] = 0;
            after[static_cast<std::size_t>(from + 1)] = Rook * side;
        } else if (text == " O-O-O") {
            after[static_cast<std::size_t>(from - 4)] = 0;
            after[static_cast<std::size_t>(from - 1)] = Rook * side;
        }
        const int king = FirstKing(after, side);
        if (king == NoKing || !Attacked(after, king, -side)) entries.push_back(text);
    };
    // A move to `to`, unless it lands on the mover's own piece, the border or a king.
    auto add = [&](int from, int to, bool pawn) {
        const int target = PieceAt(board, to);
        const std::string letters = " RBNQK";
        const char letter = letters[static_cast<std::size_t>(std::abs(PieceAt(board, from)) - 1)];
        const std::string text = letter + Name(from) + (target != 0 ? captureChar : "-") + Name(to);
        const bool lastRank = side == 1 ? to >= 91 : to <= 28;
        if (pawn && lastRank) {
            for (const auto& [promo, type] :
                 {std::pair{'Q', Queen}, std::pair{'N', Knight}, std::pair{'B', Bishop}, std::pair{'R', Rook}})
                tryMove(from, to, type, 0, text + promo);
        } else {
            tryMove(from, to, 0, 0, text);
        }
    };
    auto enemy = [&](int square) {
        const int v = PieceAt(board, square);
        return v != BorderValue && v * side < 0 && v != -King * side;
    };
    for (int s = 21; s <= 98; ++s) {
        const int piece = PieceAt(board, s);
        if (piece == BorderValue || piece * side <= 0) continue;
        const int type = std::abs(piece);
        if (type == Pawn) {
            const int ahead = s + 10 * side;
            const int rank = s / 10 - 1;
            if (PieceAt(board, ahead) == 0) {
                add(s, ahead, true);
                const bool early = side == 1 ? rank <= 2 : rank >= 7;
                if (early && PieceAt(board, ahead + 10 * side) == 0) add(s, ahead + 10 * side, true);
            }
            for (const int to : {ahead - 1, ahead + 1})
                if (enemy(to)) add(s, to, true);
            continue;
        }
        static const std::vector<int> KnightSteps = {19, 21, 12, -8, -19, -21, -12, 8};
        static const std::vector<int> AllSteps = {9, 11, -9, -11, 1, -1, 10, -10};
        static const std::vector<int> DiagonalSteps = {9, 11, -9, -11};
        static const std::vector<int> LineSteps = {1, -1, 10, -10};
        const std::vector<int>& steps = type == Knight   ? KnightSteps
                                        : type == Bishop ? DiagonalSteps
                                        : type == Rook   ? LineSteps
                                                         : AllSteps;
        const bool slides = type == Bishop || type == Rook || type == Queen;
        for (const int d : steps) {
            for (int to = s + d;; to += d) {
                if (PieceAt(board, to) == 0) {
                    add(s, to, false);
                    if (slides) continue;
                } else if (enemy(to)) {
                    add(s, to, false);
                }
                break;
            }
        }
    }
    // En passant onto the target the last double push passed.
    if (const int t = pos.EpTarget[static_cast<std::size_t>(pos.TreeDepth)]; t != 0) {
        for (const int from : {t - 10 * side - 1, t - 10 * side + 1})
            if (PieceAt(board, from) == Pawn * side)
                tryMove(from, t, 0, t - 10 * side, " " + Name(from) + captureChar + Name(t));
    }
    // Castling: the king that counts on its home square, it and the rook
    // never moved, the squares between empty, the king's path not attacked.
    const int home = side == 1 ? 25 : 95;
    const auto moved = [&](int square) { return pos.MoveCounts[static_cast<std::size_t>(square)] != 0; };
    if (FirstKing(board, side) == home && !moved(home)) {
        if (PieceAt(board, home + 3) == Rook * side && !moved(home + 3) && PieceAt(board, home + 1) == 0 &&
            PieceAt(board, home + 2) == 0 && !Attacked(board, home, -side) && !Attacked(board, home + 1, -side) &&
            !Attacked(board, home + 2, -side))
            tryMove(home, home + 2, 0, 0, "   O-O");
        if (PieceAt(board, home - 4) == Rook * side && !moved(home - 4) && PieceAt(board, home - 1) == 0 &&
            PieceAt(board, home - 2) == 0 && PieceAt(board, home - 3) == 0 && !Attacked(board, home, -side) &&
            !Attacked(board, home - 1, -side) && !Attacked(board, home - 2, -side))
            tryMove(home, home - 2, 0, 0, " O-O-O");
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

// Sessions rich in position setup (kings put down, covered, taken away, the
// board cleared) between moves by the list and by dragging, navigation and
// new games. After every command the king squares name the kings on the
// board, List2 holds exactly the model's legal moves, and the board drawn is
// the engine's.
class SetupSession : public RandomSession {
protected:
    std::string NextSetupOrOther() {
        const int kind = Pick(100);
        const std::string square = SquareName(Pick(8), Pick(8));
        if (kind < 12) {
            static const char* const Kings[] = {"White King", "Black King", "Empty",       "White Knight",
                                                "Black Pawn", "White Pawn", "Black moves", "White moves"};
            return "answer \"" + std::string(Kings[Pick(8)]) + "\"\nrightclick " + square;
        }
        if (kind < 14) return "answer \"Clear Board\"\nrightclick " + square;
        if (kind < 16) return "answer Yes\nmenu New";
        if (kind < 30 && View().list2.ListCount() > 0 && View().list2.enabled) {
            // A legal move, dragged on the board.
            std::string entry = View().list2.List(Pick(View().list2.ListCount()));
            if (entry.back() == 'b') entry.pop_back();
            const bool white = Form().Pos.SideToMove == 1;
            std::string from, to;
            if (entry == "   O-O")
                from = white ? "e1" : "e8", to = white ? "g1" : "g8";
            else if (entry == " O-O-O")
                from = white ? "e1" : "e8", to = white ? "c1" : "c8";
            else
                from = entry.substr(1, 2), to = entry.substr(4, 2);
            return "hover " + from + "\ndrag " + from + " " + to;
        }
        return NextCommand();
    }

    void CheckRules(const std::string& command) {
        const frmMain& f = Form();
        ASSERT_EQ(f.Pos.WhiteKing, FirstKing(f.Pos.Board, 1)) << command;
        ASSERT_EQ(f.Pos.BlackKing, FirstKing(f.Pos.Board, -1)) << command;
        ASSERT_EQ(f.Pos.CheckInvariants(), "") << command;
        const Lines model = ModelEntries(f.Pos, f.Input.CaptureChar);
        if (f.GameOver == 1) {
            ASSERT_EQ(model, Lines{}) << command << ": the game was ended with legal moves left";
            return;
        }
        Lines shown = Show().list2;
        for (std::string& entry : shown)
            if (!entry.empty() && entry.back() == 'b') entry.pop_back();
        std::sort(shown.begin(), shown.end());
        ASSERT_EQ(shown, model) << command;
    }
};

TEST_P(SetupSession, KingSquaresAndAvailableMovesFollowTheBoard) {
    for (int step = 0; step < 500; ++step) {
        const std::string command = NextSetupOrOther();
        RunCommand(command);
        CheckConsistent(command);
        if (HasFatalFailure()) return;
        CheckRules(command);
        if (HasFatalFailure()) return;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, SetupSession, ::testing::Range(1u, 13u));

}  // namespace
}  // namespace orvane::ui::test
