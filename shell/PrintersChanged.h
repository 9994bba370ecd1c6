// The frame is told that the installed printers changed.
#ifndef RP_SHELL_PRINTERSCHANGED_H
#define RP_SHELL_PRINTERSCHANGED_H

#include <windows.h>

// The set of installed printers changed (WM_PRINTERS_CHANGED): the current printer is found again,
// and when it has gone the user chooses another one or the program ends.
LRESULT OnPrintersChanged(HWND frame);

#endif
