// WriteSettings.h - a printer's settings made into the command that writes them, and the command
// handed to the library on the panel's session.
#ifndef RP_LINK_WRITESETTINGS_H
#define RP_LINK_WRITESETTINGS_H

#include <windows.h>

#include <cstdint>

#include "link/KovQmx.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsCommand.h"

// The command that writes `settings` (odd feed distances included). False when a value cannot be
// carried by the command: the user has been told which (box owned by `owner`) and nothing is to be
// sent.
bool PrepareSettingsCommand(HWND owner, const PrinterSettings& settings, SettingsCommand* command);

// Hands `command` to the library once, on AppState.Session: synchronously (synchronous 1) or as a
// request answered by WM_WRITE_DONE to AppState.PanelWindow (synchronous 0, the request id in
// *requestId). Returns the library's result, 0 = taken.
QMXSTATUS HandOverSettingsCommand(const SettingsCommand& command, int synchronous, int32_t* requestId);

#endif
