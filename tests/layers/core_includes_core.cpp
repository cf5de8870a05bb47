// Builds: a core source may use any core header.
#include "engine/position.h"
#include "pgn/replay.h"

int LayerProbe() { return 0; }
