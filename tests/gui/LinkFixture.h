// Shared set-up of the link tests: a fresh AppState, a visible panel-like dialog with the status
// area 281, the picture 277 and the update buttons, and a counter of writes to the status area.
#ifndef RP_TESTS_GUI_LINKFIXTURE_H
#define RP_TESTS_GUI_LINKFIXTURE_H

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "base/AppState.h"
#include "base/Memory.h"
#include "link/KovQmx.h"
#include "link_test.h"
#include "panel/PanelPages.h"
#include "qmx/VirtualPrinters.h"
#include "res/resource.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/PageItems.h"
#include "tests/support/ProgramState.h"

namespace linktest {

inline INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

// Counts WM_SETTEXT reaching the status control.
inline int statusWrites = 0;
inline WNDPROC statusOriginalProc = nullptr;
inline LRESULT CALLBACK CountingStatusProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT) ++statusWrites;
    return CallWindowProcA(statusOriginalProc, window, message, wParam, lParam);
}

using rptest::ProgramString;

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        rptest::ResetProgramState();
        panel_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_LINK_TEST_PANEL), nullptr,
                                    QuietDialogProc, 0);
        ASSERT_NE(panel_, nullptr);
        ShowWindow(panel_, SW_SHOWNOACTIVATE);
        // The panel's own record, which keeps its edits and its request.
        SetWindowLongPtrA(panel_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&record_));
        AppState.PanelWindow = panel_;
        statusWrites = 0;
        statusOriginalProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(Status(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingStatusProc)));
    }

    void TearDown() override {
        if (panel_) DestroyWindow(panel_);
        ClearCurrentPrinter();
        rptest::ResetProgramState();
    }

    // The store holds one new virtual printer `name`, with a session on it in AppState.Session.
    void AddPrinterAndOpenSession(const char* name) {
        ASSERT_EQ(qmx::vp::ResetAll(), 0u);
        qmx::vp::NewPrinter printer;
        printer.name = name;
        ASSERT_EQ(qmx::vp::Add(printer), 0u);
        OpenSessionOn(name);
    }

    void OpenSessionOn(const char* name) {
        ASSERT_EQ(OpenManagerExA(name, "tester", QMX_OPEN_MODE, &AppState.Session), 0u);
        ASSERT_NE(AppState.Session, nullptr);
    }

    void SetCurrentPrinter(const char* name) {
        ClearCurrentPrinter();
        printer_.Name = DuplicateString(name);
        AppState.CurrentPrinter = &printer_;
    }

    void ClearCurrentPrinter() {
        ReleaseMemory(printer_.Name);
        printer_ = PrinterEntry{};
        AppState.CurrentPrinter = nullptr;
    }

    // A toolbar of the panel with one enabled button for each command; it is the program's toolbar.
    HWND AddToolbar(std::initializer_list<int> commands) {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_BAR_CLASSES};
        InitCommonControlsEx(&init);
        HWND toolbar =
            CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | CCS_NODIVIDER, 0, 0, 0, 0, panel_,
                            reinterpret_cast<HMENU>(IDC_TOOLBAR), GetModuleHandleA(nullptr), nullptr);
        SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        for (const int command : commands) {
            TBBUTTON button{I_IMAGENONE, command, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0};
            SendMessageA(toolbar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
        }
        AppState.ToolbarWindow = toolbar;
        return toolbar;
    }

    HWND Status() const { return GetDlgItem(panel_, IDC_STATUS_AREA); }
    std::string StatusShown() const { return rptest::WindowText(Status()); }
    bool ButtonEnabled(int id) const { return rptest::ItemEnabled(panel_, id); }

    HWND panel_ = nullptr;
    PanelPages record_{};
    PrinterEntry printer_{};
};

}  // namespace linktest

#endif
