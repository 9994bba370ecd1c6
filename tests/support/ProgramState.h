// The program's state as at load, for the in-process tests' set-up and tear-down.
#ifndef RP_TESTS_SUPPORT_PROGRAMSTATE_H
#define RP_TESTS_SUPPORT_PROGRAMSTATE_H

#include <windows.h>

#include "base/AppState.h"
#include "link/Link.h"

namespace rptest {

// AppState as at load, with the test executable as the program's instance (its resources are the
// program's), and the status area's record of what it last showed forgotten.
inline void ResetAppState() {
    AppState = AppStateRecord{};
    AppState.Instance = GetModuleHandleA(nullptr);
    ResetStatusAreaRecord();
}

}  // namespace rptest

#endif
