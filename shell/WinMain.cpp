// The program's entry point.
#include <windows.h>

#include "base/SystemLibraries.h"
#include "shell/Startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show) {
    // Before anything loads a library: none comes from the current folder.
    KeepCurrentFolderOutOfLibrarySearch(GetModuleHandleA("KOVQMX.DLL"));
    return RunProgram(instance, commandLine, show);
}
