// The panel's unsent edits (PanelState.h): what the pages and detail dialogs report, what a write
// and the printer's state do to them, the update buttons that show them, and the question asked
// before anything drops them.
#ifndef RP_PANEL_PANELEDITS_H
#define RP_PANEL_PANELEDITS_H

#include <windows.h>

#include <cstddef>

#include "panel/PanelController.h"

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

#endif
