// Every window and dialog procedure of the program hands its message to its handler through one
// of these guards: a C++ exception (a failed allocation inside a string, say) never crosses into
// the window manager. A dialog then reports the message as not handled; a window gets the default
// processing.
#ifndef RP_BASE_PROCEDURES_H
#define RP_BASE_PROCEDURES_H

#include <windows.h>

template <class Handler>
INT_PTR GuardDialogMessage(Handler&& handle) noexcept {
    try {
        return handle();
    } catch (...) {
        return FALSE;
    }
}

template <class Handler>
LRESULT GuardWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                           Handler&& handle) noexcept {
    try {
        return handle();
    } catch (...) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

#endif
