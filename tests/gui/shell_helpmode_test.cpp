// Help mode: the overlay over the frame, and what a click on it asks the help engine for.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "panel/PanelPages.h"
#include "res/resource.h"
#include "shell/Frame.h"
#include "tests/gui/shell_support.h"
#include "tests/support/MessageBoxRecorder.h"

namespace {

class HelpModeTest : public shelltest::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        Install({"LP1"});
        frame_ = ProgramTest::Start("LP1", false);
        ASSERT_NE(frame_, nullptr);
        RECT toolbar{};
        GetClientRect(AppState.ToolbarWindow, &toolbar);
        toolbarHeight_ = toolbar.bottom;
    }

    bool Start() {
        SendMessageA(frame_, WM_COMMAND, IDM_HELP_MODE, 0);
        return AppState.HelpOverlay != nullptr;
    }
    bool HelpButtonChecked() {
        return SendMessageA(AppState.ToolbarWindow, TB_ISBUTTONCHECKED, IDM_HELP_MODE, 0) != 0;
    }
    // A click on the overlay at a point of the frame's client area.
    void ClickFrameClient(POINT point) {
        SendMessageA(AppState.HelpOverlay, WM_LBUTTONDOWN, MK_LBUTTON,
                     MAKELPARAM(point.x, point.y + GetSystemMetrics(SM_CYCAPTION)));
    }
    // A click on the overlay at the centre of a window inside the frame.
    void ClickOn(HWND window) {
        RECT rect{};
        GetWindowRect(window, &rect);
        POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        ScreenToClient(frame_, &centre);
        ClickFrameClient(centre);
    }
    HWND Child(HWND parent, int id, RECT rect) {
        return CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, rect.left, rect.top, rect.right,
                               rect.bottom, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               nullptr, nullptr);
    }
    void ExpectOneCall(HWND window, DWORD context) {
        ASSERT_EQ(shelltest::HelpCalls.size(), 1u);
        EXPECT_EQ(shelltest::HelpCalls[0].window, window);
        EXPECT_EQ(shelltest::HelpCalls[0].command, static_cast<UINT>(HELP_CONTEXTPOPUP));
        EXPECT_EQ(shelltest::HelpCalls[0].data, context);
        shelltest::HelpCalls.clear();
    }

    HWND frame_ = nullptr;
    int toolbarHeight_ = 0;
};

TEST_F(HelpModeTest, StartLaysTheOverlayExactlyOverTheFrame) {
    ASSERT_TRUE(Start());
    HWND overlay = AppState.HelpOverlay;
    char className[64] = {};
    GetClassNameA(overlay, className, sizeof className);
    EXPECT_STREQ(className, "TransWndClassName");
    RECT frameRect{}, overlayRect{};
    GetWindowRect(frame_, &frameRect);
    GetWindowRect(overlay, &overlayRect);
    EXPECT_TRUE(EqualRect(&frameRect, &overlayRect));
    EXPECT_TRUE(GetWindowLongA(overlay, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    const DWORD style = GetWindowLongA(overlay, GWL_STYLE);
    EXPECT_EQ(style & (WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CAPTION),
              static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS));
    EXPECT_EQ(GetWindow(overlay, GW_OWNER), frame_);
    EXPECT_EQ(AppState.ForegroundWindow, overlay);
    EXPECT_TRUE(HelpButtonChecked());
}

TEST_F(HelpModeTest, ClickOnTheCaptionOnlyEndsHelpMode) {
    ASSERT_TRUE(Start());
    HWND overlay = AppState.HelpOverlay;
    SendMessageA(overlay, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, GetSystemMetrics(SM_CYCAPTION) / 2));
    EXPECT_FALSE(IsWindow(overlay));
    EXPECT_EQ(AppState.HelpOverlay, nullptr);
    EXPECT_EQ(AppState.ForegroundWindow, panel_);
    EXPECT_FALSE(HelpButtonChecked());
    EXPECT_TRUE(shelltest::HelpCalls.empty());
}

TEST_F(HelpModeTest, ClickOnAPanelControlOrTheToolbarShowsItsPopupHelp) {
    const struct {
        int id;
        DWORD context;
    } controls[] = {
        {IDC_STATUS_AREA, 0x80000700}, {IDC_EXIT, 0x80000200},
        {IDC_UPDATE, 0x80000300},  // disabled controls are found too
        {IDC_PORT_LABEL, 0x80000A00},  {IDC_TABS, 0x80000C00},
    };
    for (const auto& control : controls) {
        SCOPED_TRACE(control.id);
        ASSERT_TRUE(Start());
        ClickOn(GetDlgItem(panel_, control.id));
        ExpectOneCall(GetDlgItem(panel_, control.id), control.context);
        EXPECT_EQ(AppState.HelpOverlay, nullptr);
    }
    ASSERT_TRUE(Start());
    ClickFrameClient({10, toolbarHeight_ / 2});
    ExpectOneCall(AppState.ToolbarWindow, 0x80000000);
}

TEST_F(HelpModeTest, ClickOnAControlWithoutHelpIdOnlyEndsHelpMode) {
    RECT free{220, 34, 10, 8};  // dialog units where the panel has no control
    MapDialogRect(panel_, &free);
    HWND stranger = Child(panel_, 4242, free);
    ASSERT_TRUE(Start());
    ClickOn(stranger);
    EXPECT_TRUE(shelltest::HelpCalls.empty());
    EXPECT_EQ(AppState.HelpOverlay, nullptr);
}

TEST_F(HelpModeTest, ClickOnAControlOfTheCurrentPageFindsThatControl) {
    RECT area{6, 50, 200, 120};
    MapDialogRect(panel_, &area);
    HWND page = Child(panel_, 0, area);
    HWND control = Child(page, IDCANCEL, {30, 40, 60, 20});
    SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    PanelPagesOf(panel_)->CurrentPage = page;
    ASSERT_TRUE(Start());
    ClickOn(control);
    ExpectOneCall(control, 0x81000400);
    // A click on the page's empty part asks for nothing.
    ASSERT_TRUE(Start());
    RECT pageRect{};
    GetWindowRect(page, &pageRect);
    POINT corner{pageRect.left + 5, pageRect.bottom - 5};
    ScreenToClient(frame_, &corner);
    ClickFrameClient(corner);
    EXPECT_TRUE(shelltest::HelpCalls.empty());
}

TEST_F(HelpModeTest, WithoutThePanelsRecordAClickOnlyEndsHelpMode) {
    LONG_PTR record = SetWindowLongPtrA(panel_, GWLP_USERDATA, 0);
    ASSERT_TRUE(Start());
    ClickOn(GetDlgItem(panel_, IDC_EXIT));
    EXPECT_TRUE(shelltest::HelpCalls.empty());
    EXPECT_EQ(AppState.HelpOverlay, nullptr);
    SetWindowLongPtrA(panel_, GWLP_USERDATA, record);
}

TEST_F(HelpModeTest, MovingTheFrameMovesTheOverlay) {
    ASSERT_TRUE(Start());
    RECT before{};
    GetWindowRect(AppState.HelpOverlay, &before);
    SetWindowPos(frame_, nullptr, before.left + 37, before.top + 21, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT frameRect{}, after{};
    GetWindowRect(frame_, &frameRect);
    GetWindowRect(AppState.HelpOverlay, &after);
    EXPECT_EQ(after.left, frameRect.left);
    EXPECT_EQ(after.top, frameRect.top);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(HelpModeTest, OverlayClassThatCannotBeRegisteredGivesMessagesAndNoHelpMode) {
    // A window of the class keeps it from being unregistered and registered again.
    WNDCLASSA taken{};
    taken.lpfnWndProc = PlainProc;
    taken.hInstance = AppState.Instance;
    taken.lpszClassName = "TransWndClassName";
    ASSERT_TRUE(RegisterClassA(&taken));
    HWND holder = CreateWindowExA(0, "TransWndClassName", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  AppState.Instance, nullptr);
    rptest::MessageBoxRecorder recorder;
    EXPECT_FALSE(Start());
    ASSERT_EQ(recorder.Count(), 1u);
    EXPECT_EQ(recorder.Boxes()[0].text, "ウィンドウクラスを登録できません。\nこの機能は使用できません。");
    EXPECT_EQ(recorder.Boxes()[0].caption, "Kestrovane リモートパネル");
    EXPECT_EQ(recorder.Boxes()[0].icon, rptest::BoxIcon::Warning);
    EXPECT_EQ(recorder.Boxes()[0].owner, frame_);
    EXPECT_FALSE(HelpButtonChecked());
    DestroyWindow(holder);
}

TEST_F(HelpModeTest, NoHelpModeWithoutToolbar) {
    DestroyWindow(AppState.ToolbarWindow);
    AppState.ToolbarWindow = nullptr;
    EXPECT_FALSE(Start());
}

}  // namespace
