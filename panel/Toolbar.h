// The frame's toolbar: read settings, initial values, change printer, help mode, and the settings
// saved to a file and opened from one.
#ifndef RP_PANEL_TOOLBAR_H
#define RP_PANEL_TOOLBAR_H

#include <windows.h>

// Creates the toolbar (window identifier IDC_TOOLBAR) at the top of the frame; nullptr on failure.
HWND CreateToolbar(HWND frame);

// Height of the toolbar's client rectangle; 0 without a toolbar.
int ToolbarClientHeight();

#endif
