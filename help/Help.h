// Help for every window of the program: finds the help file named in the registry once, and hands
// each request to WinHelp or HTML Help according to the file's extension. Context help for a
// compiled help file goes to WinHelp with its ".POP" companion where that file exists, and
// otherwise to HTML Help's text pop-ups from the compiled file itself.
#ifndef RP_HELP_HELP_H
#define RP_HELP_HELP_H

#include <windows.h>

#include "help/HelpIds.h"

// Opens help for `window` with a WinHelp command (HELP_WM_HELP, HELP_CONTEXTMENU, HELP_FINDER,
// HELP_CONTEXTPOPUP) and its data (HelpIdTable, a help context id, or 0).
void ShowHelp(HWND window, UINT command, ULONG_PTR data);

// Answers a window's WM_HELP (for a control: HELP_WM_HELP) or WM_CONTEXTMENU (HELP_CONTEXTMENU),
// always with HelpIdTable. Returns true when it answered; false for other messages and for help
// requests that are not about a window.
bool AnswerHelpRequest(UINT message, WPARAM wParam, LPARAM lParam);

// Passes a request to HTML Help on `fileName` (HELP_FINDER becomes HH_DISPLAY_TOPIC). Returns 1
// when the request was passed on, 0 when HTML Help is not available.
int ShowHtmlHelp(UINT command, ULONG_PTR data, const char* fileName);

// The help file name as read from the registry (empty until a request has found it).
const char* HelpFileNameForTest();

// The help engines, replaceable as one seam so that tests can record the calls and the real
// engines never run in tests.
using WinHelpFunction = BOOL(WINAPI*)(HWND window, LPCSTR file, UINT command, ULONG_PTR data);
using HtmlHelpFunction = HWND(WINAPI*)(HWND owner, LPCSTR file, UINT command, DWORD_PTR data);
struct HelpEngines {
    WinHelpFunction WinHelp = nullptr;     // nullptr: the system's WinHelpA
    HtmlHelpFunction HtmlHelp = nullptr;   // nullptr: "HtmlHelpA" looked up in HtmlHelpModule
    const char* HtmlHelpModule = nullptr;  // a library of the system folder; nullptr: "HHCTRL.OCX"
};
// Installs `engines` and returns the ones installed before. Also forgets the help file name and
// unloads the HTML Help module, so that the next request starts afresh.
HelpEngines SetHelpEngines(const HelpEngines& engines);

#endif
