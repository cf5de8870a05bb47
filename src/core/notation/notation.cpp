#include "notation/notation.h"
#include "common/index.h"

namespace orvane {

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string SquareNotation(const Position& pos, int SquareNum) {
    if (SquareNum < 21 || SquareNum > 98 || pos.Board[At(SquareNum)] == BorderValue) return "--";
    std::string name(2, ' ');
    name[0] = static_cast<char>('a' + SquareNum % 10 - 1);
    name[1] = static_cast<char>('1' + SquareNum / 10 - 2);
    return name;
}

int InputMove(Position& pos, MoveInput& in, std::string_view Move) {
    in.LastWasCapture = 0;
    in.LastWasPromotion = 0;
    if (Move.size() <= 3) return 0;

    const int from = SquareNumber(Move.substr(0, 2));
    const int to = SquareNumber(Move.substr(2, 2));
    int wanted = 0;
    if (Move.size() == 5) {
        switch (Move[4]) {
        case 'K': wanted = King; break;
        case 'Q': wanted = Queen; break;
        case 'R': wanted = Rook; break;
        case 'N': wanted = Knight; break;
        case 'B': wanted = Bishop; break;
        default: wanted = 0; break;
        }
    }

    pos.GenerateMoves(1);
    const int d = pos.TreeDepth;
    for (int i = pos.DepthStart[At(d)]; i < pos.DepthStart[At(d + 1)]; ++i) {
        const MoveRecord& r = pos.MoveList[At(i)];
        if (r.Source != from || r.Dest != to) continue;
        if (r.Promotion != wanted && r.Promotion != 0) continue;
        if (r.Captured != 0) in.LastWasCapture = 1;
        if (r.Promotion > 0) in.LastWasPromotion = 1;
        pos.InitGameTree();
        DisplayMove(pos, in, i);
        pos.PerformMove(i);
        in.LastMoveSlot = i;
        return 1;
    }
    return 0;
}

void DisplayMove(const Position& pos, MoveInput& in, int CurrMove) {
    const MoveRecord& r = pos.MoveList[At(CurrMove)];
    const int piece = pos.Board[At(r.Source)];
    const int type = piece < 0 ? -piece : piece;
    std::string text;
    text += type <= 6 ? PieceLetter[At(type)] : '.';
    text += SquareNotation(pos, r.Source);
    text += r.Captured != 0 ? in.CaptureChar : std::string("-");
    text += SquareNotation(pos, r.Dest);
    if (r.Promotion != 0 && r.Promotion <= 6) text += PieceLetter[At(r.Promotion)];
    in.MoveText = std::move(text);
}

std::string CastleText(std::string_view text) {
    if (text == "Ke1-g1" || text == "Ke8-g8" || text == "Ke1g1" || text == "Ke8g8") return "O-O";
    if (text == "Ke1-c1" || text == "Ke8-c8" || text == "Ke1c1" || text == "Ke8c8") return "O-O-O";
    return std::string(text);
}

PromotionMenu PromotionDefault(const std::array<int, 7>& PromoChoice) {
    PromotionMenu menu;
    // Menu entries Rook, Bishop, Knight, Queen, King: piece types 2..6.
    for (int type = Rook; type <= King; ++type) {
        const bool allowed = PromoChoice[At(type)] != 0;
        menu.Enabled[At(type - Rook)] = allowed;
        if (!allowed) continue;
        if (type == King) {
            if (menu.Default.empty()) menu.Default.assign(1, 'K');
        } else {
            menu.Default.assign(1, PieceLetter[At(type)]);
        }
    }
    return menu;
}

std::string RightAlign6(std::string_view text) {
    std::string out;
    if (text.size() < 6) out.assign(6 - text.size(), ' ');
    out += text;
    return out;
}

}  // namespace orvane
