// Following the printer: the session's notifications of changed items (state, name, port), the
// state judged again and what it calls for (a read, the initial values, an empty panel), the
// edits held while the printer cannot be used and brought back when it can, and failures of the
// link.
#ifndef RP_PANEL_FOLLOWPRINTER_H
#define RP_PANEL_FOLLOWPRINTER_H

#include <windows.h>

#include "panel/PanelRules.h"

// While a reply or a notification is being handled (a box of it may be up, and with it a message
// loop), the notifications that arrive are noted and handled once each after it: one handling
// never runs inside another, and a read's reply never meets a second read started meanwhile.
class HandlingScope {
public:
    explicit HandlingScope(HWND panel);
    ~HandlingScope();
    HandlingScope(const HandlingScope&) = delete;
    HandlingScope& operator=(const HandlingScope&) = delete;

private:
    HWND panel_;
};

// The session's notifications WM_EXTSTATUS_CHANGED to WM_PORT_CHANGED.
void OnNotification(HWND panel, UINT message);

// After a state item was read again: judges the state and follows it up.
void ReevaluateState(HWND panel, bool statusItemChanged);

// Carries out what the printer's state calls for once it allows reading or updating: a read, an
// empty panel, or the initial values (telling the user that they are shown when `tellUser`).
void FollowUpState(HWND panel, StateFollowUp step, bool tellUser);

// The printer cannot be used now, with several printers: unsent edits are held on the disabled
// pages; without any the settings shown are marked not loaded, to be read again when it can.
void HoldForUnusablePrinter(HWND panel);

// A failure of the link: reading and updating are off; with several printers the user is told
// and the status area says that this printer cannot be used; with one the program ends, naming
// edits that were not written.
void ReportLinkFailure(HWND panel, UINT textId);
void ReportLinkFailureText(HWND panel, const char* text);

#endif
