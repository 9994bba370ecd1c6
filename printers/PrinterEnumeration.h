// The spooler's printers of the supported model, with their port texts: as a list of their own for
// whoever asks (rpsettings too), and as AppState's printer list for the program.
#ifndef RP_PRINTERS_PRINTERENUMERATION_H
#define RP_PRINTERS_PRINTERENUMERATION_H

#include <windows.h>

#include <cstdint>

#include "base/AppState.h"
#include "printers/SupportedModels.h"

// What a search for the supported printers found.
struct PrinterSearch {
    // The printers whose driver is the supported model's (exact names), in the spooler's order;
    // the caller releases the list with FreePrinterList.
    PrinterEntry* List = nullptr;
    int32_t Count = 0;
    // Why the list is empty when that is not for want of such printers (None otherwise), and the
    // system's error code of a failed allocation.
    SearchFailure Failure = SearchFailure::None;
    DWORD Error = 0;
};

// The spooler's printers whose driver name is one of the supported model's, without any message
// and without port texts (PortText null: PortTextOf reads one when it is wanted).
PrinterSearch FindSupportedPrinters();

// Rebuilds AppState.PrinterList, PrinterCount and CurrentPrinter (found again by name) from
// FindSupportedPrinters, and returns the count; 0 when no printer qualified or after a failure was
// reported (boxes without an owner). The port texts are left to first use (PortTextOf): with many
// printers the selection dialog's state probes read them anyway, and a probe session each at
// start would cost as much again.
int32_t EnumerateSupportedPrinters();

// The entry's port text, probed on first use and kept ("不明" when the printer cannot be opened or
// its port read); the text of a probe made meanwhile (SetPortText) counts as well.
const char* PortTextOf(PrinterEntry* entry);
void SetPortText(PrinterEntry* entry, const char* text);

// Releases a list of entries and their strings (nullptr is allowed).
void FreePrinterList(PrinterEntry* list);
// Releases AppState's printer list: no printers, no current printer.
void ReleasePrinterList();

// The entry of PrinterList with exactly this name (case-sensitive), or nullptr.
PrinterEntry* FindPrinterEntry(const char* name);

#endif
