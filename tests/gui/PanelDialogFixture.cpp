#include "tests/gui/PanelDialogFixture.h"

#include <cstring>

#include "base/Memory.h"
#include "panel/PanelDialog.h"
#include "printers/Printers.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"
#include "shell/Frame.h"
#include "tests/gui/shell_support.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/Pump.h"

namespace paneltest {

std::vector<int> exitCodes;

namespace {

void RecordExit(int code) { exitCodes.push_back(code); }

}  // namespace

std::string Caption(const std::string& printer) { return std::string(kTitle) + " - " + printer; }

void PanelDialogTest::SetUp() {
    shelltest::ResetProgram();
    MarkSettingsNotLoaded();  // as start-up leaves the record
    exitCodes.clear();
    SetPanelProcessExit(RecordExit);
}

void PanelDialogTest::TearDown() {
    SetAllocationGate(nullptr);
    SetPanelProcessExit(nullptr);
    shelltest::ResetProgram();
}

void PanelDialogTest::Install(const std::vector<std::string>& names) { shelltest::Install(names); }

HWND PanelDialogTest::Start(const std::string& current, bool waitForRead) {
    AppState.PrinterCount = EnumerateSupportedPrinters();
    AppState.SeveralPrinters = AppState.PrinterCount != 1 ? 1 : 0;
    AppState.CurrentPrinter = AppState.PrinterList;
    for (PrinterEntry* entry = AppState.PrinterList; entry; entry = entry->Next) {
        if (!current.empty() && current == entry->Name) AppState.CurrentPrinter = entry;
    }
    HWND frame = shelltest::MakeFrame();
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

HWND PanelDialogTest::Page0() const {
    const PanelPages* pages = Pages();
    return pages ? pages->PageWindows[0] : nullptr;
}

bool PanelDialogTest::ToolbarEnabled(int command) const {
    return SendMessageA(AppState.ToolbarWindow, TB_ISBUTTONENABLED, command, 0) != 0;
}

bool PanelDialogTest::PagesShowSettings() const {
    HWND page = Page0();
    return page && IsWindowEnabled(GetDlgItem(page, IDC_PAPER_SET_GROUP));
}

std::string PanelDialogTest::Status() const { return rptest::WindowText(Control(IDC_STATUS_AREA)); }

std::string PanelDialogTest::Text(int id) const { return rptest::WindowText(Control(id)); }

void PanelDialogTest::Command(int id) {
    SendMessageA(panel_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(panel_, id)));
}

void PanelDialogTest::FrameCommand(int id) {
    SendMessageA(AppState.FrameWindow, WM_COMMAND, MAKEWPARAM(id, 1), 0);
}

void PanelDialogTest::TypeOnPage0(int editId, const std::string& text) {
    SetDlgItemTextA(Page0(), editId, text.c_str());
}

bool PanelDialogTest::WaitIdle() { return shelltest::WaitUntilPanelIdle(); }

void PanelDialogTest::Settle(DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    rptest::PumpUntil([end] { return GetTickCount64() >= end; }, milliseconds + 1000);
}

bool PanelDialogTest::QuitPosted() {
    MSG message;
    return PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

vp::PrinterInfo PanelDialogTest::Printer(const std::string& name) {
    vp::PrinterInfo info;
    EXPECT_EQ(vp::Get(name, info), 0u) << name;
    return info;
}

}  // namespace paneltest
