// The spooler's printers of the supported model, with their port texts, as AppState's printer
// list.
#ifndef RP_PRINTERS_PRINTERENUMERATION_H
#define RP_PRINTERS_PRINTERENUMERATION_H

#include <cstdint>

#include "base/AppState.h"

// Rebuilds AppState.PrinterList, PrinterCount and CurrentPrinter (found again by name) and returns
// the count; 0 when no printer qualified or after a failure was reported.
int32_t EnumerateSupportedPrinters();

// Releases a list of entries and their strings (nullptr is allowed).
void FreePrinterList(PrinterEntry* list);
// Releases AppState's printer list: no printers, no current printer.
void ReleasePrinterList();

#endif
