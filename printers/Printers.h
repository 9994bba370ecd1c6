// The printers the panel can serve: the supported model from the registry, the spooler's printers
// of that model with their port texts, and the dialog in which the user picks one of them.
#ifndef RP_PRINTERS_PRINTERS_H
#define RP_PRINTERS_PRINTERS_H

#include <windows.h>

#include <cstdint>

#include "base/AppState.h"

// The driver names a printer must carry to be served: the entry of the installed model whose
// subkey equals the model name (IDS_MODEL_NAME) byte for byte, with Model = "KOV <model>" (Name
// and PortText empty). Returns nullptr after showing a message when the registry key cannot be
// opened, no model matches or memory runs out. The caller releases the list with FreePrinterList.
PrinterEntry* LoadSupportedModels();

// Rebuilds AppState.PrinterList, PrinterCount and CurrentPrinter (found again by name) and returns
// the count; 0 when no printer qualified or after a failure was reported.
int32_t EnumerateSupportedPrinters();

// Releases a list of entries and their strings (nullptr is allowed).
void FreePrinterList(PrinterEntry* list);
// Releases AppState's printer list: no printers, no current printer.
void ReleasePrinterList();

// Whether the panel holds edits that choosing another printer would drop.
using UnsentEditsQuery = bool (*)();

// The printer selection dialog IDD_SELECT_PRINTER, run with DialogBoxParamA. Its parameter is an
// UnsentEditsQuery of the panel (0 when there is no panel): before another printer is taken, the
// user is asked whether the edits may go. Ends with 1 when the user chose a printer other than
// CurrentPrinter (then CurrentPrinter is that entry, the session and the single-instance mapping
// are closed), 0 otherwise.
INT_PTR CALLBACK PrinterSelectionDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
