// The printer link as the panel uses it: reading and judging the printer's state, the status
// area, the change notifications with the session's end, and writing the settings. All of it runs
// on the user-interface thread and works on AppState.
#ifndef RP_LINK_LINK_H
#define RP_LINK_LINK_H

#include <windows.h>

#include <cstdint>

#include "link/LibraryCalls.h"
#include "settings/SettingsCommand.h"

// ---- Printer state ---------------------------------------------------------------------------

// Reads one state item of AppState.Session into its AppState value (the value is kept only when
// the library call succeeds). Returns 0 when the value is usable, else the id of the failure text
// (the ext status, status or authority could not be read): the call failed, or ext / status
// word 1 / status word 2 is -1.
UINT ReadStateItem(StateItem item);

// Reads "PrinterExtStatus", "PrinterStatus" and "UserAuthority" in this order, stopping at the
// first failure. Returns 1 when all three were read, else 0 with the failure text in
// AppState.MessageText.
int ReadPrinterState();

// Decides what the printer allows from its state words and sets CanUpdate, CanRead, PrinterBusy
// and StatusText. Returns 1 when the panel can be used with this printer, 0 when it is refused:
// with several printers the text that the panel cannot be used is appended to the status text; with one printer the user is
// told (box owned by `owner`) that the program ends, with `note` (when given) before that line.
int EvaluatePrinterState(HWND owner, int32_t ext, const int32_t status[3], int32_t auth,
                         const char* note = nullptr);

// Shows the status text (or the reading / writing text) in `statusControl` and has the state icon
// redrawn; does nothing when exactly this was shown last and nothing is pending or busy.
void RefreshStatusArea(HWND statusControl);

// The status control of the panel (IDC_STATUS_AREA), or null without a panel.
HWND StatusControlOf(HWND panel);

// The state icon (read only, update only, neither) for the current CanUpdate / CanRead, or 0
// for none.
UINT CurrentStatusIconId();

// Forgets what the status area showed last (as at load). For tests and a new panel.
void ResetStatusAreaRecord();

// ---- Notifications and the session -------------------------------------------------------------

// Opens the session on `printerName` into AppState.Session as the current user. Returns the
// library's result; every session opened gets a serial of its own.
QMXSTATUS OpenCurrentSession(const char* printerName);

// The serial of the session open now (0: none). A request made on a session carries its serial: a
// reply or retry that comes when another session is open, or none, is not that request's.
uint32_t CurrentSessionSerial();

// Registers the six change notifications of AppState.Session, posted to `window`. Returns 1 when
// all six are registered; else 0 with the failed-registration text in AppState.MessageText, the registrations made
// so far staying in place for the next CloseSession.
int RegisterNotifications(HWND window);

// Cancels every registered notification and closes AppState.Session; nothing without a session.
void CloseSession();

// ---- Writing ---------------------------------------------------------------------------------

// The command that writes PanelSettings. The block is read once more first, for the distances
// of feed positions set to "other" (FeedPosOther). False when a value cannot be carried by the
// command: the user has been told which (box owned by `owner`) and nothing is to be sent.
bool PrepareSettingsCommand(HWND owner, SettingsCommand* command);

// Hands `command` to the library once, on AppState.Session: synchronously (synchronous 1) or as a
// request answered by WM_WRITE_DONE (synchronous 0, the request id in AppState.WriteRequestId).
// Returns the library's result, 0 = taken.
QMXSTATUS HandOverSettingsCommand(const SettingsCommand& command, int synchronous);

#endif
