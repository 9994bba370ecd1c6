#include "tests/gui/shell_support.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/Memory.h"
#include "base/Messages.h"
#include "help/Help.h"
#include "link/KovQmx.h"
#include "panel/HelpMode.h"
#include "panel/PanelDialog.h"
#include "printers/PrinterEnumeration.h"
#include "qmx/VirtualPrinters.h"
#include "res/resource.h"
#include "shell/Frame.h"
#include "tests/support/ProgramState.h"
#include "tests/support/Pump.h"

namespace shelltest {

std::vector<HelpCall> HelpCalls;
std::vector<int> exitCodes;

namespace {

void RecordExit(int code) { exitCodes.push_back(code); }

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
    rptest::ResetProgramState();

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

std::string Caption(const std::string& printer) { return std::string(kTitle) + " - " + printer; }

void ProgramTest::SetUp() {
    ResetProgram();
    exitCodes.clear();
    SetPanelProcessExit(RecordExit);
}

void ProgramTest::TearDown() {
    SetAllocationGate(nullptr);
    SetPanelProcessExit(nullptr);
    ResetProgram();
}

HWND ProgramTest::Start(const std::string& current, bool waitForRead) {
    AppState.PrinterCount = EnumerateSupportedPrinters();
    AppState.SeveralPrinters = AppState.PrinterCount != 1 ? 1 : 0;
    AppState.CurrentPrinter = AppState.PrinterList;
    for (PrinterEntry* entry = AppState.PrinterList; entry; entry = entry->Next) {
        if (!current.empty() && current == entry->Name) AppState.CurrentPrinter = entry;
    }
    HWND frame = MakeFrame();
    panel_ = AppState.PanelWindow;
    if (frame) {
        ShowWindow(frame, SW_SHOW);
        UpdateWindow(frame);
    }
    if (frame && waitForRead) {
        EXPECT_TRUE(WaitIdle());
    }
    return frame;
}

HWND ProgramTest::Page0() const {
    const PanelPages* pages = Pages();
    return pages ? pages->PageWindows[0] : nullptr;
}

bool ProgramTest::ToolbarEnabled(int command) const {
    return SendMessageA(AppState.ToolbarWindow, TB_ISBUTTONENABLED, command, 0) != 0;
}

bool ProgramTest::PagesShowSettings() const {
    HWND page = Page0();
    return page && IsWindowEnabled(GetDlgItem(page, IDC_PAPER_SET_GROUP));
}

std::string ProgramTest::Status() const { return rptest::WindowText(Control(IDC_STATUS_AREA)); }

std::string ProgramTest::Text(int id) const { return rptest::WindowText(Control(id)); }

void ProgramTest::Command(int id) {
    SendMessageA(panel_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(panel_, id)));
}

void ProgramTest::FrameCommand(int id) {
    SendMessageA(AppState.FrameWindow, WM_COMMAND, MAKEWPARAM(id, 1), 0);
}

void ProgramTest::TypeOnPage0(int editId, const std::string& text) {
    SetDlgItemTextA(Page0(), editId, text.c_str());
}

void ProgramTest::Settle(DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    rptest::PumpUntil([end] { return GetTickCount64() >= end; }, milliseconds + 1000);
}

bool ProgramTest::QuitPosted() {
    MSG message;
    return PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

vp::PrinterInfo ProgramTest::Printer(const std::string& name) {
    vp::PrinterInfo info;
    EXPECT_EQ(vp::Get(name, info), 0u) << name;
    return info;
}

}  // namespace shelltest
