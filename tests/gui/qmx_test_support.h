// Helpers for the in-process tests of the stand-in library: a window that receives the library's
// messages, a message pump with a deadline (to fail instead of hanging, never to measure speed),
// and running qmxctl as a second process.
#ifndef RP_TESTS_GUI_QMX_TEST_SUPPORT_H
#define RP_TESTS_GUI_QMX_TEST_SUPPORT_H

#include <windows.h>

#include <string>
#include <vector>

namespace qmxtest {

// A message-only window owned by the calling thread; posted messages wait in its queue.
class MessageWindow {
public:
    MessageWindow();
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;
    ~MessageWindow();
    HWND Get() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};

// Pumps the thread's messages until `message` arrives for `window` or `timeoutMs` passes. Other
// messages for the window are appended to `others` when given.
bool WaitForMessage(HWND window, UINT message, DWORD timeoutMs, MSG* got = nullptr,
                    std::vector<UINT>* others = nullptr);

// Pumps for `ms` milliseconds and returns the messages (WM_USER and above) posted to `window`.
std::vector<MSG> CollectMessages(HWND window, DWORD ms);

// Removes whatever is queued for the window now.
void DrainMessages(HWND window);

// Runs qmxctl.exe from the test program's folder with the given command line; returns its exit
// code, or -1 when it could not be started. Its output is discarded.
int RunQmxctl(const std::string& arguments);

}  // namespace qmxtest

#endif
