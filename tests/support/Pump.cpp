#include "tests/support/Pump.h"

namespace rptest {

void PumpPending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        PumpPending();
        if (done()) return true;
        ULONGLONG now = GetTickCount64();
        if (now >= deadline) return done();
        DWORD wait = static_cast<DWORD>(deadline - now);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, wait < 10 ? wait : 10, QS_ALLINPUT);
    }
}

namespace {
// A timer's procedure is a system callback (stdcall on x86), which a lambda cannot stand for there.
void CALLBACK PressOk(HWND dialog, UINT, UINT_PTR, DWORD) { PostMessageA(dialog, WM_COMMAND, IDOK, 0); }
}  // namespace

void PressOkLater(HWND dialog, UINT delayMs) { SetTimer(dialog, 1, delayMs, PressOk); }

}  // namespace rptest
