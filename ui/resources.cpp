#include <QtCore/QtGlobal>

// The pictures are compiled into the window's library; a static library's resources must be
// registered by hand, outside any namespace.
void InitLumiquadResources() { Q_INIT_RESOURCE(lumiquad); }
