// The About box: dialog resource 1 with the icon, the version and a credit line,
// faded in where translucency is available. This module owns AboutOpen and the
// credit line.
#pragma once
#include <windows.h>

extern int AboutOpen;  // set while the box is open; a second one must not open

// Runs the box modally with no owner, so the panel keeps working meanwhile;
// returns how it ended (41 after OK).
INT_PTR OpenAboutBox();
