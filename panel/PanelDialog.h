// The panel dialog (IDD_PANEL) inside the frame: its start on a printer and its restart on
// another, the commands that are neither a read nor a write, the header (model, port, the printer
// picture with the state icon), enabling the panel, and closing it. Reading, writing and following
// the printer are PanelRead.h, PanelWrite.h and FollowPrinter.h.
#ifndef RP_PANEL_PANELDIALOG_H
#define RP_PANEL_PANELDIALOG_H

#include <windows.h>

INT_PTR CALLBACK PanelDialogProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);

// Enables or disables the model and port lines and the toolbar's initial-values button (and, when
// disabling, its read button), then has every existing page refresh or disable itself.
void SetPanelEnabled(HWND panel, int enable);
// The same without the pages.
void EnablePanelHeader(HWND panel, bool enable);

// The panel's refresh: the five refresh messages, in ascending order; each one enables the
// panel as far as the settings are loaded and has the pages refresh themselves.
void RefreshPanel(HWND panel);

// Gives the focus to the page on view.
void FocusCurrentPage(HWND panel);

// Whether `panel` is still the working panel (not closed, its record in place). Code that has
// shown a message box checks it before going on, since the box lets other messages run.
bool PanelStillOpen(HWND panel);

// Says that a write is outstanding, a read is outstanding or the printer is busy (information
// icon) when one of them is in the way of a read or an update; returns whether it refused.
bool RefuseWhileBusy();

// The current printer in the header and the frame's title: model and port shortened to their
// lines, the name in the title (the program's name alone without a printer).
void ShowPrinterHeader(HWND panel);

// What came of letting the user choose another printer.
enum class PrinterChange {
    Restarted,    // the panel (when there is one) started over on the printer chosen
    Kept,         // nothing new was chosen, and the current printer is still there
    MustEnd,      // nothing to go on with: no printer chosen and none current, or the chosen
                  // printer's single-instance mapping could not be had (the panel is then back
                  // on its printer as it was, for the exit command's question)
    PanelClosed,  // the panel closed while the dialog or a message box was up
};
// The change of printer after the change-printer command and after the installed printers
// changed: the selection dialog (owned by `owner`), which asks before it lets unsent edits go,
// the chosen printer's single-instance mapping, and the restart of `panel` (null when there is no
// panel) on it. The caller ends the program when it must.
PrinterChange ChangeToChosenPrinter(HWND panel, HWND owner);

// The exit command (IDC_EXIT): asks about unsent edits, then hides the frame and closes the panel.
void ExitCommand(HWND panel);

// Destroys the pages, closes the session and the instance mapping, destroys the panel and then
// the frame (which ends the program).
void ClosePanel();

// Ends the program after a failure that its message said ends it: no question about edits.
void EndAfterFailure(HWND panel);

// Releases the panel's record (nothing when the panel or its record does not exist).
void ReleasePanelRecord(HWND panel);

// How the panel ends the process when it cannot work at all (a printer on the port "FILE:", no
// memory for its record): std::exit by default. Tests put a recorder in place; after it returns
// the panel's initialisation stops. Returns the previous function.
using PanelProcessExit = void (*)(int code);
PanelProcessExit SetPanelProcessExit(PanelProcessExit exitFunction);

#endif
