// Starting remotepanel.exe (or another program of the build) and watching its windows from the
// test process.
#ifndef RP_TESTS_E2E_SUPPORT_H
#define RP_TESTS_E2E_SUPPORT_H

#include <windows.h>

#include <string>

#include "tests/support/Texts.h"

namespace e2e {

// A program of the build's output folder, started with the given arguments.
class Child {
public:
    Child(const char* program, const std::string& arguments);
    ~Child();  // ends the process when a test left it running
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool Started() const { return process_.hProcess != nullptr; }
    DWORD Id() const { return process_.dwProcessId; }
    // The exit code once the process has ended within timeoutMs; STILL_ACTIVE otherwise.
    DWORD Wait(DWORD timeoutMs = 20000);
    bool Running() { return Wait(0) == STILL_ACTIVE; }

private:
    PROCESS_INFORMATION process_{};
};

// A visible top-level window of the process with that class (and title, when given), waiting up
// to timeoutMs for it; nullptr when none appears.
HWND WaitForWindow(DWORD processId, const char* className, const char* title = nullptr,
                   DWORD timeoutMs = 20000);

// A message box of the process: its window, text and caption.
struct Box {
    HWND window = nullptr;
    std::string text;
    std::string caption;
};
Box WaitForBox(DWORD processId, DWORD timeoutMs = 20000);

// The panel dialog inside a frame of the program (nullptr when there is none).
HWND PanelOf(HWND frame);
// Waits until the program's first settings read has ended: the toolbar's read button (282) is
// available again. False when that does not happen within timeoutMs.
bool WaitUntilReadEnded(HWND frame, DWORD timeoutMs = 20000);

// Presses a dialog's or box's button.
void Press(HWND dialog, int buttonId);

// The text of a window of the program under test (another process).
using rptest::WindowText;

// Runs a program of the build's output folder to its end and returns what it wrote to its
// standard output (empty when it could not be started).
std::string RunAndCapture(const char* program, const std::string& arguments, DWORD timeoutMs = 20000);

// The same with `input` on its standard input, and its exit code (0xFFFFFFFF when it could not be
// started, STILL_ACTIVE when it did not end in time). Standard error is in `output` as well.
struct Run {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;
};
Run RunProgram(const char* program, const std::string& arguments, const std::string& input = "",
               DWORD timeoutMs = 20000);

// Full path of a file in the test program's own folder (a full path "C:..." stays as it is).
std::string BesideMe(const char* fileName);
// The same, in double quotes, for a command line.
std::string QuotedBesideMe(const char* fileName);

}  // namespace e2e

#endif
