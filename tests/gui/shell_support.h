// Helpers of the shell's in-process tests: installed printers (virtual printers of the stand-in
// library with their spooler entries), the stored password, a fresh program state for each test,
// and what the help engine was asked for.
#ifndef RP_TESTS_GUI_SHELL_SUPPORT_H
#define RP_TESTS_GUI_SHELL_SUPPORT_H

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "base/AppState.h"
#include "link/KovQmx.h"

namespace shelltest {

struct HelpCall {
    HWND window;
    UINT command;
    ULONG_PTR data;
};

// What the help engine was asked for, in order.
extern std::vector<HelpCall> HelpCalls;

// Makes exactly these printers of the supported model installed (a printer that stays keeps its
// virtual printer and sessions).
void Install(const std::vector<std::string>& names);
// The same, then enumerates them into AppState.
void InstallPrinters(const std::vector<std::string>& names);

// Opens a session of the status library on the virtual printer into AppState.Session.
void OpenSession(const char* printer);

// The stored password: a value, "" for an empty value, or removed; the suite's key itself can be
// removed too (then the gate stays closed).
void SetStoredPassword(const char* password);
void RemoveStoredPassword();
void RemoveSuiteKey();

// Destroys the program's windows, unregisters its classes, frees the printer list, closes the
// session, resets AppState and the recorded help calls, and puts the help recorder in place; the
// virtual printers are removed too unless `keepPrinters`.
void ResetProgram(bool keepPrinters = false);

// Makes the frame (class, window) for the current printer as start-up does; nullptr on failure.
// Its panel opens the session and asks for the settings.
HWND MakeFrame();

// Dispatches messages until no read or write of the panel is outstanding; false on time-out.
bool WaitUntilPanelIdle();

}  // namespace shelltest

#endif
