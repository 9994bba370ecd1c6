// The printer's settings kept in a file from the panel: saved as rpsettings exports them, and a
// saved set opened onto the pages as unsent edits, checked by the same rules as rpsettings' import.
// Neither writes to the printer.
#ifndef RP_PANEL_PANELFILES_H
#define RP_PANEL_PANELFILES_H

#include <windows.h>

// 設定をファイルに保存 (IDM_SAVE_SETTINGS, Ctrl+S): the pages are collected as for an update, the
// user names the file (the standard save dialog), and the settings shown are written to it.
void SaveSettingsCommand(HWND panel);

// ファイルから設定を読み込み (IDM_OPEN_SETTINGS, Ctrl+O): the pages are collected, the user picks a
// file (the standard open dialog), and when the whole file passes, the settings it names replace
// those shown and count as unsent edits; a bad file is named with its bad lines and changes nothing.
void OpenSettingsCommand(HWND panel);

#endif
