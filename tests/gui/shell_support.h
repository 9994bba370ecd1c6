// Helpers of the shell's in-process tests: printers in AppState, the stored password, a fresh
// program state for each test, and what the help engine was asked for.
#ifndef RP_TESTS_GUI_SHELL_SUPPORT_H
#define RP_TESTS_GUI_SHELL_SUPPORT_H

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "shell/AppState.h"
#include "shell/PendingApis.h"

namespace shelltest {

struct HelpCall {
    HWND window;
    UINT command;
    ULONG_PTR data;
};

// What the help engine was asked for, in order.
extern std::vector<HelpCall> HelpCalls;
// Names of the installed printers of the supported model, in the spooler's order.
extern std::vector<std::string> InstalledPrinters;

// A printer entry as the enumeration makes it (local memory, owned strings).
PrinterEntry* MakeEntry(const char* name, const char* port = "LPT1:",
                        const char* model = "KOV Brindlemark 400ZX");

// Opens a session of the status library on a virtual printer of that name (made when missing)
// into AppState.Session.
void OpenSession(const char* printer);

// Installs the printers and enumerates them into AppState.
void InstallPrinters(const std::vector<std::string>& names);

// The stored password: a value, "" for an empty value, or removed; the suite's key itself can be
// removed too (then the gate stays closed).
void SetStoredPassword(const char* password);
void RemoveStoredPassword();
void RemoveSuiteKey();

// Destroys the program's windows, unregisters its classes, frees the printer list and resets
// AppState and the recorded calls.
void ResetProgram();

// Makes the frame (class, window) for the current printer as start-up does; nullptr on failure.
HWND MakeFrame();

}  // namespace shelltest

#endif
