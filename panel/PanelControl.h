// The panel's state on the window side: its transitions (PanelController.h) run on it, an event
// handed to the state as it is now and what follows carried out (the pages filled or emptied, the
// printer read for a write, the question before overwriting, the hand-over), and after every box
// or dialog the answer handed back as an event to the state as it is then; the user's edits as the
// update buttons show them and the question before anything drops them; and the one request (a
// settings read or write) outstanding on the printer, begun on the open session, found again by its
// ticket when a reply, retry or time limit comes, and ended in one place.
#ifndef RP_PANEL_PANELCONTROL_H
#define RP_PANEL_PANELCONTROL_H

#include <windows.h>

#include <cstddef>

#include "panel/PanelController.h"

// The panel's state and its model, or nullptr when the panel has no record.
PanelState* PanelStateOf(HWND panel);
PanelModel* ModelOf(HWND panel);

// What the pages hold now: PanelSettings and FeedPosOther as one value, and the other way round.
PrinterSettings PagesSettings();
void SetPagesSettings(const PrinterSettings& settings);

// Hands `event` to the panel's state and carries out its effects; the update buttons then show
// the state. Nothing when the panel has no record.
void Dispatch(HWND panel, const PanelEvent& event);

// The pages have been collected into PanelSettings: what differs from the settings shown becomes
// the user's edits.
void TakePagesEdits(HWND panel);

// A detail dialog opened on `before` (a copy of the settings shown) closed with OK and `after`: its
// changes become edits, and the pages' settings take them while they hold settings.
void TakeDialogEdits(HWND panel, const PrinterSettings& before, const PrinterSettings& after);

// ---- The user's edits ----------------------------------------------------------------------------

// Applies `event` to the panel's edits and shows the result on the update buttons.
void ChangeEdits(HWND panel, EditEvent event);

// The update buttons (IDC_UPDATE_AND_EXIT, IDC_UPDATE) as the edits and the printer's state offer
// them.
void ShowEditState(HWND panel);

// The panel's edits (none without a record).
PanelEdits EditsOf(HWND panel);

// Whether leaving the settings shown would drop the user's edits (unsent or held).
bool HasUnsentEdits(HWND panel);
// The same for the program's panel (AppState.PanelWindow); the selection dialog asks it.
bool ProgramPanelHasUnsentEdits();

// Before something drops the edits: with edits that would be lost, asks the question about
// unsent changes (OK/Cancel, box owned by `owner`). True when there are none or the user let them
// go, false on Cancel or when the panel closed while the question was up.
bool MayDropEdits(HWND panel, HWND owner);

// The line that says that edits were not written, or nullptr when there are none.
const char* UnsentEditsNote(HWND panel, char* buffer, size_t size);

// ---- The request outstanding ----------------------------------------------------------------------

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
