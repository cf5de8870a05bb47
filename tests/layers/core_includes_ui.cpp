// Must not build: the core cannot see the window's headers.
#include "ui/frmmain.h"

int LayerProbe() { return 0; }
