// The module whose resources (templates, icons, bitmaps, strings) the panel loads.
#ifndef RP_PANEL_PROGRAMRESOURCES_H
#define RP_PANEL_PROGRAMRESOURCES_H

#include <windows.h>

#include "shell/AppState.h"

inline HINSTANCE ProgramInstance() {
    return AppState.Instance ? AppState.Instance : GetModuleHandleA(nullptr);
}

#endif
