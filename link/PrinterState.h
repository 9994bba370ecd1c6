// PrinterState.h - what the current printer's state allows, judged into AppState, and the status
// area that shows it. Runs on the user-interface thread.
#ifndef RP_LINK_PRINTERSTATE_H
#define RP_LINK_PRINTERSTATE_H

#include <windows.h>

#include <cstddef>
#include <cstdint>

// The status text of a judged state (PrinterStateDecision::TextId): a string of the program, or
// the text of the print-enable switch, bounded to `size` bytes.
void LoadStatusText(uint32_t textId, char* out, size_t size);

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

#endif
