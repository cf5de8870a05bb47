#include "engine/position.h"

namespace orvane {

GameEnd Position::TestGameEnd() {
    InitGameTree();
    GenerateMoves(1);
    // The generated list holds only moves that leave the mover's king safe,
    // so the game goes on exactly when it is not empty.
    if (DepthStart[1] > DepthStart[0]) return GameEnd::None;
    return InCheck() ? GameEnd::Checkmate : GameEnd::Stalemate;
}

GameEnd Position::TestGameEndOnly() {
    InitGameTree();
    if (HasLegalMove()) return GameEnd::None;
    return InCheck() ? GameEnd::Checkmate : GameEnd::Stalemate;
}

}  // namespace orvane
