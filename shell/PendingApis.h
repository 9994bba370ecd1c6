// Functions of other subsystems that the shell calls: printer enumeration and selection, and
// help. Their owners' headers replace this file when they
// are in the tree.
#ifndef RP_SHELL_PENDINGAPIS_H
#define RP_SHELL_PENDINGAPIS_H

#include <windows.h>

#include <cstdint>

#include "shell/AppState.h"

// printers/
int32_t EnumerateSupportedPrinters();
void FreePrinterList(PrinterEntry* list);
INT_PTR CALLBACK PrinterSelectionDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// help/
void ShowHelp(HWND window, UINT command, ULONG_PTR data);
extern const DWORD HelpIdTable[];

#endif
