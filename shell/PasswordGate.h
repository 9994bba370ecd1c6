// The password gate and the choice of the printer the program starts on.
#ifndef RP_SHELL_PASSWORDGATE_H
#define RP_SHELL_PASSWORDGATE_H

#include <windows.h>

#include "base/AppState.h"

// The printer to start on, after the password gate: the first printer of the list when the
// command line names none, the named printer when it is installed; nullptr when the gate stays
// closed or the named printer is not installed (after telling the user that it is not a supported printer).
PrinterEntry* ChooseStartPrinter(const char* commandLine);

// The password gate: 1 when the panel may be used, 0 when not. *printerName receives the printer
// named on the command line (a pointer into it) or nullptr.
int PasswordGate(const char* commandLine, const char** printerName);

// The password dialog (IDD_PASSWORD); the dialog parameter is the stored password (const char*). Ends with 1 when the
// user typed it, 0 on Cancel.
INT_PTR CALLBACK PasswordDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
