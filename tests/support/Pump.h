// Message pumping for tests that wait for posted messages. The deadline only turns a hang into a
// failure; tests never assert how fast something happened.
#ifndef RP_TESTS_SUPPORT_PUMP_H
#define RP_TESTS_SUPPORT_PUMP_H

#include <windows.h>

#include <functional>

namespace rptest {

// Dispatches this thread's messages until done() is true (checked after every message and at
// least every 10 ms) or timeoutMs passes. Returns done()'s final value.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);

// Dispatches every message already queued for this thread.
void PumpPending();

// Presses OK of `dialog` every `delayMs` until the dialog is gone (a timer of the dialog's, id 1).
void PressOkLater(HWND dialog, UINT delayMs);

// Runs `step` once, `delayMs` from now, inside whatever message loop of this thread runs then (a
// dialog's, a box's): the world changing while a modal loop is up.
void RunLater(UINT delayMs, std::function<void()> step);

}  // namespace rptest

#endif
