// WriteSettings.h - PanelSettings made into the command that writes them, and the command handed
// to the library on the panel's session.
#ifndef RP_LINK_WRITESETTINGS_H
#define RP_LINK_WRITESETTINGS_H

#include <windows.h>

#include "link/KovQmx.h"
#include "settings/SettingsCommand.h"

// The command that writes PanelSettings. The block is read once more first, for the distances
// of feed positions set to "other" (FeedPosOther). False when a value cannot be carried by the
// command: the user has been told which (box owned by `owner`) and nothing is to be sent.
bool PrepareSettingsCommand(HWND owner, SettingsCommand* command);

// Hands `command` to the library once, on AppState.Session: synchronously (synchronous 1) or as a
// request answered by WM_WRITE_DONE (synchronous 0, the request id in AppState.WriteRequestId).
// Returns the library's result, 0 = taken.
QMXSTATUS HandOverSettingsCommand(const SettingsCommand& command, int synchronous);

#endif
