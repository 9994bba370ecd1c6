#include "tests/support/Pump.h"

#include <map>
#include <utility>

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

std::map<UINT_PTR, std::function<void()>>& LaterSteps() {
    static std::map<UINT_PTR, std::function<void()>> steps;
    return steps;
}

void CALLBACK RunStep(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    auto found = LaterSteps().find(timer);
    if (found == LaterSteps().end()) return;
    const std::function<void()> step = std::move(found->second);
    LaterSteps().erase(found);
    step();
}
}  // namespace

void PressOkLater(HWND dialog, UINT delayMs) { SetTimer(dialog, 1, delayMs, PressOk); }

void RunLater(UINT delayMs, std::function<void()> step) {
    if (const UINT_PTR timer = SetTimer(nullptr, 0, delayMs, RunStep)) LaterSteps()[timer] = std::move(step);
}

}  // namespace rptest
