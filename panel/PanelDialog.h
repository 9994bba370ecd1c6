// The panel dialog 117 inside the frame. This is the part the frame relies on: creation in the
// frame, the exit command and closing, the commands the frame hands on, enabling and message
// boxes; the printer conversation and the pages come with the panel's own work.
#ifndef RP_PANEL_PANELDIALOG_H
#define RP_PANEL_PANELDIALOG_H

#include <windows.h>

INT_PTR CALLBACK PanelDialogProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);

// Enables or disables the lines 278 and 279 and the toolbar's initial-values button (and, when
// disabling, its read button), then has every existing page refresh or disable itself.
void SetPanelEnabled(HWND panel, int enable);

// Destroys the pages, closes the session and the instance mapping, destroys the panel and then
// the frame (which ends the program).
void ClosePanel();

// A message box owned by the panel with a string-table text and the current printer's caption.
int PanelMessage(UINT textId, UINT icon, UINT buttons = MB_OK);

// Releases the panel's record (nothing when the panel or its record does not exist).
void ReleasePanelRecord(HWND panel);

#endif
