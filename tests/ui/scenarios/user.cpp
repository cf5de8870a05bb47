#include "user.h"

namespace orvane::scenarios {

int ControlOf(const std::string& square) {
    if (square.size() != 2 || square[0] < 'a' || square[0] > 'h' || square[1] < '1' || square[1] > '8') return -1;
    return 8 * ('8' - square[1]) + (square[0] - 'a');
}

char PieceOfPicture(int picture) {
    // The piece image list: per colour six pieces of three pictures each
    // (dark square, light square, dragged), bishop, king, knight, pawn,
    // queen, rook; black from 1, white from 21; 19 and 20 the empty squares.
    if (picture == 19 || picture == 20) return '.';
    const bool white = picture >= 21 && picture <= 38;
    const bool black = picture >= 1 && picture <= 18;
    if (!white && !black) return '?';
    const int piece = ((white ? picture - 20 : picture) - 1) / 3;
    const char letter = "bknpqr"[piece];
    return white ? static_cast<char>(letter - 'a' + 'A') : letter;
}

Lines RanksOf(const std::vector<int>& pictures) {
    Lines ranks(8, std::string(8, '?'));
    for (std::size_t i = 0; i < pictures.size() && i < 64; ++i) ranks[i / 8][i % 8] = PieceOfPicture(pictures[i]);
    return ranks;
}

Lines User::Board() const {
    std::vector<int> pictures;
    for (int i = 0; i < 64; ++i) pictures.push_back(Picture(i));
    return RanksOf(pictures);
}

char User::On(const std::string& square) const {
    const int control = ControlOf(square);
    return control < 0 ? '?' : PieceOfPicture(Picture(control));
}

}  // namespace orvane::scenarios
