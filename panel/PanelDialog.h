// The panel dialog (IDD_PANEL) inside the frame: the printer being worked on and its state, the tab
// pages, the command buttons, and the conversation with the printer through the status library
// (session, notifications, state, reads and writes, and the library's replies).
#ifndef RP_PANEL_PANELDIALOG_H
#define RP_PANEL_PANELDIALOG_H

#include <windows.h>

#include "link/Link.h"
#include "panel/PanelRules.h"

INT_PTR CALLBACK PanelDialogProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);

// Enables or disables the model and port lines and the toolbar's initial-values button (and, when
// disabling, its read button), then has every existing page refresh or disable itself.
void SetPanelEnabled(HWND panel, int enable);
// The same without the pages.
void EnablePanelHeader(HWND panel, bool enable);

// Destroys the pages, closes the session and the instance mapping, destroys the panel and then
// the frame (which ends the program).
void ClosePanel();

// Releases the panel's record (nothing when the panel or its record does not exist).
void ReleasePanelRecord(HWND panel);

// ---- Operations shared by the panel's commands and its handling of the library's replies ----

// The panel's refresh: the five refresh messages, in ascending order; each one enables the
// panel as far as the settings are loaded and has the pages refresh themselves.
void RefreshPanel(HWND panel);

// Says that a write is outstanding, a read is outstanding or the printer is busy (information
// icon) when one of them is in the way of a read or an update; returns whether it refused.
bool RefuseWhileBusy();

// How the read command ended.
enum class ReadStart {
    NotStarted,  // not readable, refused while busy, or the user kept the unwritten edits
    Requested,   // the request is outstanding; WM_READ_DONE follows
    Refused,     // the library refused the request; the read has been given up
};
// Whether a read begins anew (the command, or the automatic read) or is the next attempt of the
// read under way.
enum class ReadChain { New, Retry };
// The read command (the toolbar's read-settings button).
ReadStart ReadSettingsCommand(HWND panel, ReadChain chain);

// How a call of WriteSettings ended.
enum class WriteOutcome {
    HandedOver,       // the library took the command (result 1)
    Cancelled,        // the library refused it and the user cancelled the retries (result 0)
    ValueDoesNotFit,  // a value cannot be carried by the command; nothing was sent (result 0)
};

// Writes PanelSettings to the printer, synchronously (synchronous 1) or as a request answered by
// WM_WRITE_DONE (synchronous 0); while the command is handed over the write shows as outstanding
// (WritePending, toolbar, status area, update buttons off). Returns 1 when the command was handed
// over, 0 when it was not (the user cancelled after a refusal: the write no longer shows as
// outstanding; or a value does not fit the command: nothing changed); `outcome`, when given, says
// which.
int WriteSettings(HWND panel, int synchronous, WriteOutcome* outcome = nullptr);

// What came of letting the user choose another printer.
enum class PrinterChange {
    Restarted,    // the panel (when there is one) started over on the printer chosen
    Kept,         // nothing new was chosen, and the current printer is still there
    MustEnd,      // nothing to go on with: no printer chosen and none current, or the chosen
                  // printer's single-instance mapping could not be had
    PanelClosed,  // the panel closed while the dialog or a message box was up
};
// The change of printer after the change-printer command and after the installed printers
// changed: the selection dialog (owned by `owner`), the chosen printer's single-instance mapping,
// and the restart of `panel` (null when there is no panel) on it. The caller ends the program
// when it must.
PrinterChange ChangeToChosenPrinter(HWND panel, HWND owner);

// The exit command (IDC_EXIT): asks about unwritten edits, then hides the frame and closes the panel.
void ExitCommand(HWND panel);

// A failure of the link: reading and updating are off; with several printers the user is told
// and the status area says that this printer cannot be used; with one the program ends.
void ReportLinkFailure(HWND panel, UINT textId);
void ReportLinkFailureText(HWND panel, const char* text);

// Carries out what the printer's state calls for once it allows reading or updating: a read, an
// empty panel, or the initial values (telling the user that they are shown when `tellUser`).
void FollowUpState(HWND panel, StateFollowUp step, bool tellUser);

// After a state item was read again: judges the state and follows it up.
void ReevaluateState(HWND panel, bool statusItemChanged);

// The library's replies and notifications (WM_READ_DONE, WM_WRITE_DONE, WM_EXTSTATUS_CHANGED to WM_PORT_CHANGED); false
// for every other message.
bool HandleLibraryMessage(HWND panel, UINT message);

// Whether `panel` is still the working panel (not closed, its record in place). Code that has
// shown a message box checks it before going on, since the box lets other messages run.
bool PanelStillOpen(HWND panel);

// The enabled state of the update buttons (IDC_UPDATE_AND_EXIT, IDC_UPDATE), which is what marks unwritten edits.
bool UpdateButtonsEnabled(HWND panel);
void EnableUpdateButtons(HWND panel, bool enable);

// Gives the focus to the page on view.
void FocusCurrentPage(HWND panel);

// ---- When the printer or the link lets the panel down (PanelRecovery.cpp) -------------------

// The printer cannot be used now, with several printers: the update buttons go off; unsent
// edits stay on the pages, held; without any the settings shown are marked not loaded.
void HoldEditsWhileUnusable(HWND panel);
// The printer can be used again: held edits come back on enabled pages, with the update buttons
// when it takes updates. False when nothing was held.
bool ComeBackWithHeldEdits(HWND panel);
void DropHeldEdits(HWND panel);
// The line that says that edits were not written, or nullptr when there are none.
const char* UnsentEditsNote(HWND panel, char* buffer, size_t size);
// Ends the program after a failure that its message said ends it: no question about edits.
void EndAfterFailure(HWND panel);
// Turns an update away (busy, no update allowed, no settings loaded) with a message; true when
// refused.
bool RefuseUpdate(HWND panel);
// A read or write request outstanding is given up when its reply does not come in time.
void StartRequestTimer(HWND panel);
void StopRequestTimer(HWND panel);
bool OnRequestTimer(HWND panel, WPARAM timer);

// ---- Test seam ------------------------------------------------------------------------------

// How long a request may stay unanswered (30 s); returns the previous value.
UINT SetPanelRequestTimeout(UINT milliseconds);

// How the panel ends the process when it cannot work at all (a printer on the port "FILE:", no
// memory for its record): std::exit by default. Tests put a recorder in place; after it returns
// the panel's initialisation stops. Returns the previous function.
using PanelProcessExit = void (*)(int code);
PanelProcessExit SetPanelProcessExit(PanelProcessExit exitFunction);

#endif
