// Must not build in the core or in frmMain's layer: neither sees Qt.
#include <QString>

int LayerProbe() { return 0; }
