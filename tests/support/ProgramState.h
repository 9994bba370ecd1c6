// The program's state as at load, for the in-process tests' set-up and tear-down: the one place
// that resets it.
#ifndef RP_TESTS_SUPPORT_PROGRAMSTATE_H
#define RP_TESTS_SUPPORT_PROGRAMSTATE_H

#include <windows.h>

#include <algorithm>
#include <iterator>

#include "base/AppState.h"
#include "link/PrinterState.h"
#include "settings/PanelSettings.h"

namespace rptest {

// AppState as at load, with the test executable as the program's instance (its resources are the
// program's); the status area's record of what it last showed forgotten; the settings record
// marked not loaded and the odd feed distances cleared, as start-up leaves them.
inline void ResetProgramState() {
    AppState = AppStateRecord{};
    AppState.Instance = GetModuleHandleA(nullptr);
    ResetStatusAreaRecord();
    PanelSettings = PanelSettingsRecord{};
    MarkSettingsNotLoaded();
    std::fill(std::begin(FeedPosOther), std::end(FeedPosOther), 0);
}

}  // namespace rptest

#endif
