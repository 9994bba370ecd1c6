// The program's entry point.
#include <windows.h>

#include "shell/Startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show) {
    return RunProgram(instance, commandLine, show);
}
