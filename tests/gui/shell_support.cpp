#include "tests/gui/shell_support.h"

#include <gtest/gtest.h>

#include "panel/PanelDialog.h"
#include "qmx/VirtualPrinters.h"
#include "shell/Frame.h"
#include "shell/PendingApis.h"

namespace shelltest {
namespace {

const char kSuiteKey[] = "Software\\KOV\\Kestrovane";

char* Copy(const char* text) {
    size_t length = lstrlenA(text);
    char* copy = static_cast<char*>(LocalAlloc(LPTR, length + 1));
    CopyMemory(copy, text, length);
    return copy;
}

}  // namespace

PrinterEntry* MakeEntry(const char* name, const char* port, const char* model) {
    auto* entry = static_cast<PrinterEntry*>(LocalAlloc(LPTR, sizeof(PrinterEntry)));
    entry->Name = Copy(name);
    entry->PortText = Copy(port);
    entry->Model = Copy(model);
    return entry;
}

void InstallPrinters(const std::vector<std::string>& names) {
    InstalledPrinters = names;
    AppState.PrinterCount = EnumerateSupportedPrinters();
}

void SetStoredPassword(const char* password) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSuiteKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "Password", 0, REG_SZ, reinterpret_cast<const BYTE*>(password),
                   lstrlenA(password) + 1);
    RegCloseKey(key);
}

void RemoveStoredPassword() {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSuiteKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegDeleteValueA(key, "Password");
    RegCloseKey(key);
}

void RemoveSuiteKey() {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSuiteKey);
}

void OpenSession(const char* printer) {
    qmx::vp::PrinterInfo info;
    if (qmx::vp::Get(printer, info) != 0) {
        qmx::vp::NewPrinter made;
        made.name = printer;
        ASSERT_EQ(qmx::vp::Add(made), 0u);
    }
    ASSERT_EQ(OpenManagerExA(printer, "tester", QMX_OPEN_MODE, &AppState.Session), 0u);
}

void ResetProgram() {
    if (AppState.Session) CloseManager(AppState.Session);
    if (AppState.HelpOverlay && IsWindow(AppState.HelpOverlay)) DestroyWindow(AppState.HelpOverlay);
    ReleasePanelRecord(AppState.PanelWindow);
    if (AppState.FrameWindow && IsWindow(AppState.FrameWindow)) DestroyWindow(AppState.FrameWindow);
    if (AppState.InstanceMapping) CloseHandle(AppState.InstanceMapping);
    // The frame's destruction posted a quit message: take it off the queue.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT) DispatchMessageA(&message);
    }
    HINSTANCE instance = GetModuleHandleA(nullptr);
    UnregisterClassA(kFrameClassName, instance);
    UnregisterClassA(kOverlayClassName, instance);
    FreePrinterList(AppState.PrinterList);
    AppState = AppStateRecord{};
    AppState.Instance = instance;
    HelpCalls.clear();
    InstalledPrinters.clear();
}

HWND MakeFrame() {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    if (!RegisterFrameClass(AppState.Instance)) return nullptr;
    return CreateFrameWindow();
}

}  // namespace shelltest
