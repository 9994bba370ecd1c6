// Start-up, the message loop and shutdown.
#ifndef RP_SHELL_STARTUP_H
#define RP_SHELL_STARTUP_H

#include <windows.h>

// The program: start-up, message loop and shutdown. Returns the exit code (1 when start-up
// fails, otherwise the quit message's code).
int RunProgram(HINSTANCE instance, const char* commandLine, int show);

// Runs the message loop until the quit message; returns its code.
int RunMessageLoop(HACCEL accelerators);

// Releases what start-up built once the loop has ended: the instance mapping, the panel's record
// and the printer list.
void ShutDown();

#endif
