// The dialog in which the user picks one of the supported printers.
#ifndef RP_PRINTERS_PRINTERSELECTION_H
#define RP_PRINTERS_PRINTERSELECTION_H

#include <windows.h>

// Whether the panel holds edits that choosing another printer would drop.
using UnsentEditsQuery = bool (*)();

// The printer selection dialog IDD_SELECT_PRINTER, run with DialogBoxParamA. Its parameter is an
// UnsentEditsQuery of the panel (0 when there is no panel): before another printer is taken, the
// user is asked whether the edits may go. Ends with 1 when the user chose a printer other than
// CurrentPrinter (then CurrentPrinter is that entry; the session and the single-instance mapping
// of the printer before are left to the caller, which closes them once the new printer's mapping
// is held, or goes back to that printer), 0 otherwise.
INT_PTR CALLBACK PrinterSelectionDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
