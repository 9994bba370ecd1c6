// The panel's one request on the printer, a settings read or write: begun on the open session,
// found again by its ticket when a reply, retry or time limit comes, and ended in one place.
#ifndef RP_PANEL_PANELREQUESTS_H
#define RP_PANEL_PANELREQUESTS_H

#include <windows.h>

#include "panel/PanelController.h"

// The panel's state (its record's), or nullptr when the panel has no record.
PanelState* PanelStateOf(HWND panel);

// Begins a request of `kind` on the session open now: ReadPending or WritePending, the toolbar,
// the status area and the update buttons show it. Returns its ticket.
PanelRequest BeginRequest(HWND panel, RequestKind kind);

// Once the library has taken the request: its reply is given up when it has not come in time
// (WM_TIMER, TimedOutRequest).
void LimitTime(HWND panel, const PanelRequest& ticket);

// Whether `ticket` is still the panel's request, on the session open now.
bool IsOutstanding(HWND panel, const PanelRequest& ticket);

// The request of `kind` outstanding on the session open now, or a ticket of kind None.
PanelRequest OutstandingRequest(HWND panel, RequestKind kind);

// Ends the request outstanding, whatever became of it: the pending flag clears, its time limit
// stops, and the toolbar, the status area and the update buttons show that nothing is pending.
void EndRequest(HWND panel);

// The session the request was made on closes under it (its printer has gone): no reply will come.
// The request ends; a write's values may not have reached the printer, so they are edits again.
void EndRequestOfClosingSession(HWND panel);

// The request whose time limit `timer` is (a WM_TIMER of the panel), or a ticket of kind None
// when it is no request's, or no longer outstanding.
PanelRequest TimedOutRequest(HWND panel, WPARAM timer);

// How long a request may stay unanswered (kRequestTimeLimitMs); returns the previous value. For
// tests.
UINT SetPanelRequestTimeout(UINT milliseconds);

#endif
