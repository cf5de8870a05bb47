// Builds: frmMain's layer sees its own headers and the core's.
#include "engine/position.h"
#include "ui/frmmain.h"

int LayerProbe() { return 0; }
