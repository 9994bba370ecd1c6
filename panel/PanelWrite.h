// Writing the panel's settings to the printer: the two update commands, the write as a request of
// the panel's own (prepared, handed over, retried on the user's word while it is still the
// request outstanding), its completion, and the time limit after which it counts as failed.
#ifndef RP_PANEL_PANELWRITE_H
#define RP_PANEL_PANELWRITE_H

#include <windows.h>

#include <optional>
#include <vector>

#include "panel/PanelState.h"
#include "settings/SettingKeys.h"

// Writes the user's edits (what the pages hold, PanelSettings, against the settings shown) over
// what the printer holds now, synchronously (synchronous 1) or as a request answered by
// WM_WRITE_DONE (synchronous 0); the printer is read first, and where it changed a setting that the
// user also edited, the user is asked before it is overwritten. While the write is under way it
// shows as outstanding (WritePending, toolbar, status area, update buttons off). Returns 1 when the
// command was handed over, 0 when it was not (the edits stay unsent); `outcome`, when given, says
// why.
int WriteSettings(HWND panel, int synchronous, WriteOutcome* outcome = nullptr);

// Collects the pages into PanelSettings, as for a write; false when a page refused its input or
// the settings would hold a switch byte that no one could read back (then the page of those
// switches is brought forward and the record keeps the switches it had, the edits staying on the
// pages).
bool CollectForWrite(HWND panel);

// 更新 (IDC_UPDATE): collects the pages and writes them asynchronously.
void UpdateCommand(HWND panel);
// 更新後終了 (IDC_UPDATE_AND_EXIT, IDOK): collects the pages, writes them synchronously and closes
// the panel; after a failed write only when the user says so.
void UpdateAndExitCommand(HWND panel);

// WM_WRITE_DONE: the completion of the asynchronous write outstanding on the open session, and no
// other.
void OnWriteDone(HWND panel);

// The write's completion did not come in time: the edits count as unwritten.
void WriteTimedOut(HWND panel);

// The steps of a write, run for the panel's state (PanelControl.h): the printer's settings read
// now, the question before overwriting settings the printer changed meanwhile, and the hand-over.
void ReadPrinterForWrite(HWND panel);
void AskBeforeOverwriting(HWND panel, const std::vector<const SettingKey*>& keys);
void SendWrite(HWND panel, const PrinterSettings& values, const std::optional<PrinterSettings>& before);

#endif
