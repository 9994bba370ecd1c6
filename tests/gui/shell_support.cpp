#include "tests/gui/shell_support.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/Messages.h"
#include "help/Help.h"
#include "link/KovQmx.h"
#include "link/Link.h"
#include "panel/HelpMode.h"
#include "panel/PanelDialog.h"
#include "printers/Printers.h"
#include "qmx/VirtualPrinters.h"
#include "shell/Frame.h"
#include "tests/support/ProgramState.h"
#include "tests/support/Pump.h"

namespace shelltest {

std::vector<HelpCall> HelpCalls;

namespace {

const char kSuiteKey[] = "Software\\KOV\\Kestrovane";

// The help file is a WinHelp file, so every request reaches WinHelpA with the window, the command
// and the data it was given.
BOOL WINAPI RecordWinHelp(HWND window, LPCSTR, UINT command, ULONG_PTR data) {
    HelpCalls.push_back({window, command, data});
    return TRUE;
}

}  // namespace

void Install(const std::vector<std::string>& names) {
    std::vector<std::string> present;
    ASSERT_EQ(qmx::vp::List(present), 0u);
    for (const std::string& name : present) {
        if (std::find(names.begin(), names.end(), name) == names.end()) qmx::vp::Remove(name);
    }
    for (const std::string& name : names) {
        if (std::find(present.begin(), present.end(), name) != present.end()) continue;
        qmx::vp::NewPrinter printer;
        printer.name = name;
        printer.spoolerEntry = true;
        ASSERT_EQ(qmx::vp::Add(printer), 0u) << name;
    }
}

void InstallPrinters(const std::vector<std::string>& names) {
    Install(names);
    AppState.PrinterCount = EnumerateSupportedPrinters();
}

void OpenSession(const char* printer) {
    ASSERT_EQ(OpenManagerExA(printer, "tester", QMX_OPEN_MODE, &AppState.Session), 0u);
}

void SetStoredPassword(const char* password) {
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSuiteKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    RegSetValueExA(key, "Password", 0, REG_SZ, reinterpret_cast<const BYTE*>(password),
                   lstrlenA(password) + 1);
    RegCloseKey(key);
}

void RemoveStoredPassword() { RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kSuiteKey, "Password"); }

void RemoveSuiteKey() { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSuiteKey); }

void ResetProgram(bool keepPrinters) {
    if (AppState.HelpOverlay && IsWindow(AppState.HelpOverlay)) DestroyWindow(AppState.HelpOverlay);
    ReleasePanelRecord(AppState.PanelWindow);
    if (AppState.FrameWindow && IsWindow(AppState.FrameWindow)) DestroyWindow(AppState.FrameWindow);
    if (AppState.InstanceMapping) CloseHandle(AppState.InstanceMapping);
    if (AppState.Session) CloseManager(AppState.Session);
    // The frame's destruction posted a quit message: take it off the queue.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT) DispatchMessageA(&message);
    }
    HINSTANCE instance = GetModuleHandleA(nullptr);
    UnregisterClassA(kFrameClassName, instance);
    UnregisterClassA(kOverlayClassName, instance);
    FreePrinterList(AppState.PrinterList);
    rptest::ResetAppState();

    if (!keepPrinters) qmx::vp::ResetAll();
    ASSERT_EQ(qmx::vp::InstallModel("remotepanel.hlp"), 0u);
    HelpEngines recorder;
    recorder.WinHelp = RecordWinHelp;
    SetHelpEngines(recorder);
    HelpCalls.clear();
}

HWND MakeFrame() {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    if (!RegisterFrameClass(AppState.Instance)) return nullptr;
    return CreateFrameWindow();
}

bool WaitUntilPanelIdle() {
    return rptest::PumpUntil([] { return AppState.ReadPending == 0 && AppState.WritePending == 0; });
}

}  // namespace shelltest
