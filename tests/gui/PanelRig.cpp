#include "PanelRig.h"

#include "base/AppState.h"
#include "base/Messages.h"
#include "pages_test.h"
#include "panel/PageKit.h"
#include "panel/TabPages.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"
#include "tests/support/ProgramState.h"
#include "tests/support/Pump.h"

namespace rptest {
namespace {

PanelRig* current = nullptr;

INT_PTR CALLBACK TestPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

constexpr int kTestControls[] = {IDC_TEST_CHECK, IDC_TEST_EDIT};
const PageDefinition kTestPage{
    .TemplateId = IDD_TEST_PAGE, .Statics = kTestControls, .Procedure = TestPageProc};

INT_PTR CALLBACK TestPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    const int tab = TabOfPage(page);
    if (current) {
        if (message == WM_INITDIALOG) ++current->testPagesCreated;
        if (message == WM_PAGE_REFRESH || message == WM_PAGE_DISABLE || message == WM_PAGE_COLLECT) {
            current->testPageCalls.push_back({tab, message});
        }
        if (message == WM_PAGE_COLLECT && tab == current->refusingTab) {
            RejectEntry(page, IDS_BAD_PAGE_LENGTH, IDC_TEST_EDIT);
            *reinterpret_cast<int32_t*>(lParam) = 0;
            return TRUE;
        }
    }
    return RunPage(kTestPage, page, message, wParam, lParam);
}

INT_PTR CALLBACK TestPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            auto* pages = new PanelPages{};
            SetWindowLongPtrA(panel, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pages));
            pages->TabControl = GetDlgItem(panel, IDC_TABS);
            SetUpTabs(panel);
            return FALSE;
        }
        case WM_NOTIFY:
            return HandleTabNotify(panel, reinterpret_cast<const NMHDR*>(lParam)) ? TRUE : FALSE;
        case WM_SETTINGS_CHANGED:
            if (current) current->notices.push_back(reinterpret_cast<HWND>(wParam));
            return TRUE;
        default:
            return FALSE;
    }
}

const char kFrameClass[] = "RpPagesTestFrame";

}  // namespace

PanelRig::PanelRig(bool withTestPages) {
    current = this;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    ResetProgramState();

    WNDCLASSA frameClass{};
    frameClass.lpfnWndProc = DefWindowProcA;
    frameClass.hInstance = instance;
    frameClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    frameClass.lpszClassName = kFrameClass;
    RegisterClassA(&frameClass);
    frame_ = CreateWindowExA(0, kFrameClass, "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 460, 520,
                             nullptr, nullptr, instance, nullptr);
    AppState.FrameWindow = frame_;
    panel_ = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_TEST_PANEL), frame_, TestPanelProc, 0);
    // Like the real panel: placed under a toolbar after the tabs are set up.
    SetWindowPos(panel_, nullptr, 0, 28, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    AppState.PanelWindow = panel_;
    if (withTestPages) {
        for (int tab = 1; tab < kPageCount; ++tab) Pages().PageDefinitions[tab] = &kTestPage;
    }
    SetForegroundWindow(frame_);
    PumpPending();
}

PanelRig::~PanelRig() {
    PanelPages* pages = PanelPagesOf(panel_);
    DestroyPages(panel_);
    DestroyWindow(frame_);
    delete pages;
    PumpPending();
    ResetProgramState();
    current = nullptr;
}

int PanelRig::SelectedTab() const { return static_cast<int>(SendMessageA(Tabs(), TCM_GETCURSEL, 0, 0)); }

void PanelRig::ChangeTabLikeUser(int tab) {
    NMHDR header{Tabs(), static_cast<UINT_PTR>(IDC_TABS), static_cast<UINT>(TCN_SELCHANGING)};
    SendMessageA(panel_, WM_NOTIFY, IDC_TABS, reinterpret_cast<LPARAM>(&header));
    SendMessageA(Tabs(), TCM_SETCURSEL, static_cast<WPARAM>(tab), 0);
    header.code = static_cast<UINT>(TCN_SELCHANGE);
    SendMessageA(panel_, WM_NOTIFY, IDC_TABS, reinterpret_cast<LPARAM>(&header));
}

}  // namespace rptest
