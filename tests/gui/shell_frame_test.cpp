// The frame window: creation around toolbar and panel, the messages it handles, the About box.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Messages.h"
#include "help/HelpIds.h"
#include "panel/Toolbar.h"
#include "res/resource.h"
#include "shell/Frame.h"
#include "tests/gui/shell_support.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/Pump.h"

namespace {

using shelltest::kTitle;

// Commands that reach the panel, recorded by a subclass in front of the panel's procedure.
std::vector<WORD> panelCommands;
WNDPROC panelProcedure = nullptr;

LRESULT CALLBACK PanelSpy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) panelCommands.push_back(LOWORD(wParam));
    return CallWindowProcA(panelProcedure, window, message, wParam, lParam);
}

class FrameTest : public shelltest::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        Install({"LP1", "LP2"});
        frame_ = Start("LP1", false);
        ASSERT_NE(frame_, nullptr);
        panelCommands.clear();
    }

    void SpyOnPanel() {
        panelProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(AppState.PanelWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PanelSpy)));
    }

    HWND frame_ = nullptr;
};

RECT WindowRectIn(HWND window, HWND parent) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST_F(FrameTest, CreationBuildsToolbarAndPanelAndFitsTheFrameAroundThem) {
    EXPECT_EQ(AppState.FrameWindow, frame_);
    ASSERT_NE(AppState.ToolbarWindow, nullptr);
    ASSERT_NE(AppState.PanelWindow, nullptr);
    EXPECT_EQ(GetParent(AppState.PanelWindow), frame_);
    EXPECT_EQ(GetDlgCtrlID(AppState.ToolbarWindow), IDC_TOOLBAR);
    EXPECT_EQ(rptest::WindowText(frame_), std::string(kTitle) + " - LP1");

    const LONG style = GetWindowLongA(frame_, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX), WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
    EXPECT_TRUE(GetWindowLongA(frame_, GWL_EXSTYLE) & WS_EX_APPWINDOW);

    RECT toolbar{}, panel{}, client{};
    GetClientRect(AppState.ToolbarWindow, &toolbar);
    GetClientRect(AppState.PanelWindow, &panel);
    GetClientRect(frame_, &client);
    EXPECT_GT(toolbar.bottom, 0);
    // The panel sits right under the toolbar and the frame's client area is exactly both.
    RECT placed = WindowRectIn(AppState.PanelWindow, frame_);
    EXPECT_EQ(placed.left, 0);
    EXPECT_EQ(placed.top, toolbar.bottom);
    EXPECT_EQ(client.right, panel.right);
    EXPECT_EQ(client.bottom, panel.bottom + toolbar.bottom);

    // The panel has its record, and the About entry closes the system menu after a separator.
    EXPECT_NE(GetWindowLongPtrA(AppState.PanelWindow, GWLP_USERDATA), 0);
    HMENU menu = GetSystemMenu(frame_, FALSE);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_EQ(GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUT));
    char text[64] = {};
    GetMenuStringA(menu, count - 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "バージョン情報(&A)...");
    EXPECT_TRUE(GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR);
}

TEST_F(FrameTest, ToolbarHoldsItsItemsInOrder) {
    // A toolbar as created, before the panel sets its buttons from the printer's state.
    HWND toolbar = CreateToolbar(frame_);
    ASSERT_NE(toolbar, nullptr);
    ASSERT_EQ(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 13);
    const struct {
        int command;
        BYTE style;
        int image;
    } items[] = {
        {0, TBSTYLE_SEP, 4},
        {IDM_READ_SETTINGS, TBSTYLE_BUTTON, 0},
        {IDM_INITIAL_VALUES, TBSTYLE_BUTTON, 1},
        {0, TBSTYLE_SEP, 4},
        {0, TBSTYLE_SEP, 4},
        {IDM_CHANGE_PRINTER, TBSTYLE_BUTTON, 2},
        {0, TBSTYLE_SEP, 4},
        {0, TBSTYLE_SEP, 4},
        {IDM_HELP_MODE, TBSTYLE_CHECK, 3},
        {0, TBSTYLE_SEP, 4},
        {0, TBSTYLE_SEP, 4},
        {IDM_SAVE_SETTINGS, TBSTYLE_BUTTON, 4},
        {IDM_OPEN_SETTINGS, TBSTYLE_BUTTON, 5},
    };
    for (int i = 0; i < 13; ++i) {
        SCOPED_TRACE(i);
        TBBUTTON button{};
        ASSERT_TRUE(SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)));
        EXPECT_EQ(button.idCommand, items[i].command);
        EXPECT_EQ(button.fsStyle & (TBSTYLE_SEP | TBSTYLE_CHECK), items[i].style);
        EXPECT_EQ(button.iBitmap, items[i].image);
        EXPECT_TRUE(button.fsState & TBSTATE_ENABLED);
    }
    EXPECT_TRUE(GetWindowLongA(toolbar, GWL_STYLE) & TBSTYLE_TOOLTIPS);
    DestroyWindow(toolbar);
}

TEST_F(FrameTest, ToolTipsNameTheStringOfEachButton) {
    const struct {
        UINT command, text;
    } tips[] = {
        {IDM_INITIAL_VALUES, IDS_TIP_INITIAL},
        {IDM_READ_SETTINGS, IDS_TIP_READ},
        {IDM_CHANGE_PRINTER, IDS_TIP_CHANGE_PRINTER},
        {IDM_HELP_MODE, IDS_TIP_HELP},
        {IDM_SAVE_SETTINGS, IDS_TIP_SAVE_SETTINGS},
        {IDM_OPEN_SETTINGS, IDS_TIP_OPEN_SETTINGS},
        {IDC_EXIT, 0},
    };
    for (const auto& tip : tips) {
        NMTTDISPINFOA info{};
        info.hdr.hwndFrom = AppState.ToolbarWindow;
        info.hdr.idFrom = tip.command;
        info.hdr.code = TTN_NEEDTEXTA;
        SendMessageA(frame_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(info.lpszText, tip.text ? MAKEINTRESOURCEA(tip.text) : nullptr) << tip.command;
        EXPECT_EQ(info.hinst, tip.text ? AppState.Instance : nullptr) << tip.command;
    }
    EXPECT_EQ(rptest::ProgramString(IDS_TIP_READ), "プリンタの設定の読み込み (Ctrl+R)");
    EXPECT_EQ(rptest::ProgramString(IDS_TIP_SAVE_SETTINGS), "設定をファイルに保存 (Ctrl+S)");
    EXPECT_EQ(rptest::ProgramString(IDS_TIP_OPEN_SETTINGS), "ファイルから設定を読み込み (Ctrl+O)");
}

TEST_F(FrameTest, OnlyTheToolbarCommandsGoOnToThePanel) {
    ASSERT_TRUE(shelltest::WaitUntilPanelIdle());
    SpyOnPanel();
    // Change printer offers the selection dialog, the file commands their file dialogs: each is
    // closed without a choice.
    rptest::MessageBoxRecorder recorder;
    recorder.OnDialog([](HWND dialog) {
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return true;
    });
    const std::vector<WORD> forwarded{IDM_INITIAL_VALUES, IDM_READ_SETTINGS, IDM_CHANGE_PRINTER,
                                      IDM_SAVE_SETTINGS, IDM_OPEN_SETTINGS};
    for (WORD command : forwarded) EXPECT_EQ(SendMessageA(frame_, WM_COMMAND, command, 0), 0);
    for (WORD command : {IDC_EXIT, IDC_HELP_CONTENTS, 1030})
        EXPECT_EQ(SendMessageA(frame_, WM_COMMAND, command, 0), 0);
    EXPECT_EQ(panelCommands, forwarded);
    EXPECT_TRUE(IsWindow(frame_));
}

TEST_F(FrameTest, AboutBoxOnlyForExactlyE000) {
    std::vector<std::string> seen;
    HWND foregroundDuring = nullptr;
    rptest::MessageBoxRecorder recorder;
    recorder.OnDialog([&](HWND dialog) {
        seen.push_back(rptest::WindowText(dialog));
        foregroundDuring = AppState.ForegroundWindow;
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), frame_);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        return true;
    });
    for (WPARAM command : {WPARAM{0xE001}, WPARAM{0xE00F}, WPARAM{0xDFFF}}) {
        SendMessageA(frame_, WM_SYSCOMMAND, command, 0);
    }
    EXPECT_TRUE(seen.empty());
    AppState.ForegroundWindow = frame_;
    EXPECT_EQ(SendMessageA(frame_, WM_SYSCOMMAND, IDM_ABOUT, 0), 0);
    ASSERT_EQ(seen, std::vector<std::string>{"リモートパネルのバージョン情報"});
    EXPECT_NE(foregroundDuring, frame_);
    EXPECT_NE(foregroundDuring, nullptr);
    EXPECT_EQ(AppState.ForegroundWindow, AppState.PanelWindow);
}

TEST_F(FrameTest, CloseRunsThePanelsExitCommandAndEndsTheLoop) {
    for (UINT close : {UINT{WM_CLOSE}, UINT{WM_CLOSE_REQUEST}}) {
        SCOPED_TRACE(close);
        if (!IsWindow(frame_)) SetUp();
        HANDLE mapping =
            CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READONLY, 0, 32, "KOVRP_frame-test");
        AppState.InstanceMapping = mapping;
        ASSERT_NE(AppState.Session, nullptr);  // the panel's session on LP1
        rptest::MessageBoxRecorder recorder;
        EXPECT_EQ(SendMessageA(frame_, close, 0, 0), 0);
        EXPECT_FALSE(IsWindow(frame_));
        EXPECT_EQ(AppState.PanelWindow, nullptr);
        EXPECT_EQ(AppState.InstanceMapping, nullptr);
        EXPECT_EQ(AppState.Session, nullptr);
        EXPECT_EQ(recorder.Count(), 0u);
        EXPECT_TRUE(QuitPosted());
        shelltest::ResetProgram();
    }
}

TEST_F(FrameTest, CloseWithUnwrittenChangesAsksFirst) {
    ASSERT_TRUE(shelltest::WaitUntilPanelIdle());  // the settings are read, then edited
    SendMessageA(AppState.PanelWindow, WM_SETTINGS_CHANGED, 0, 0);
    rptest::MessageBoxRecorder recorder({IDCANCEL, IDOK});
    SendMessageA(frame_, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(frame_));
    ASSERT_EQ(recorder.Count(), 1u);
    const rptest::RecordedBox& box = recorder.Boxes()[0];
    EXPECT_EQ(box.text, "設定が変更されています。コマンドを続行すると設定の変更は破棄されます。");
    EXPECT_EQ(box.caption, std::string(kTitle) + " - LP1");
    EXPECT_EQ(box.icon, rptest::BoxIcon::Question);
    EXPECT_EQ(box.buttons, (std::vector<int>{IDOK, IDCANCEL}));
    EXPECT_EQ(box.owner, frame_);  // the panel's box: the system owns it by the panel's top level
    SendMessageA(frame_, WM_CLOSE_REQUEST, 0, 0);
    EXPECT_FALSE(IsWindow(frame_));
}

TEST_F(FrameTest, CloseWithoutPanelReleasesThePrintersAndDestroysTheFrame) {
    DestroyWindow(AppState.PanelWindow);
    AppState.PanelWindow = nullptr;
    rptest::MessageBoxRecorder recorder;
    SendMessageA(frame_, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(frame_));
    EXPECT_EQ(AppState.PrinterList, nullptr);
    EXPECT_EQ(AppState.CurrentPrinter, nullptr);
    EXPECT_EQ(recorder.Count(), 0u);
    EXPECT_TRUE(QuitPosted());
}

TEST_F(FrameTest, BringForwardRaisesTheProgramsActiveWindow) {
    HWND other = CreateWindowExA(0, "Static", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
    HWND detail = CreateWindowExA(0, "Static", "detail", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, frame_, nullptr,
                                  nullptr, nullptr);
    SetForegroundWindow(other);
    AppState.ForegroundWindow = detail;
    EXPECT_EQ(SendMessageA(frame_, WM_BRING_FORWARD, 0, 0), 0);
    EXPECT_EQ(GetForegroundWindow(), detail);

    SetForegroundWindow(other);
    AppState.ForegroundWindow = nullptr;
    SendMessageA(frame_, WM_BRING_FORWARD, 0, 0);
    EXPECT_EQ(GetForegroundWindow(), frame_);

    // The panel and its pages are children: the frame they sit in comes forward.
    SetForegroundWindow(other);
    AppState.ForegroundWindow = AppState.PanelWindow;
    SendMessageA(frame_, WM_BRING_FORWARD, 0, 0);
    EXPECT_EQ(GetForegroundWindow(), frame_);
    DestroyWindow(detail);
    DestroyWindow(other);
}

TEST_F(FrameTest, HelpRequestsGoToTheHelpEngineWithTheTable) {
    HWND status = GetDlgItem(AppState.PanelWindow, IDC_STATUS_AREA);
    HELPINFO info{sizeof info, HELPINFO_WINDOW, IDC_STATUS_AREA, status, 0, {}};
    EXPECT_EQ(SendMessageA(frame_, WM_HELP, 0, reinterpret_cast<LPARAM>(&info)), 1);
    HELPINFO menuHelp{sizeof menuHelp, HELPINFO_MENUITEM, 0, nullptr, 0, {}};
    EXPECT_EQ(SendMessageA(frame_, WM_HELP, 0, reinterpret_cast<LPARAM>(&menuHelp)), 1);
    EXPECT_EQ(SendMessageA(frame_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(status), 0), 1);
    ASSERT_EQ(shelltest::HelpCalls.size(), 2u);
    EXPECT_EQ(shelltest::HelpCalls[0].window, status);
    EXPECT_EQ(shelltest::HelpCalls[0].command, static_cast<UINT>(HELP_WM_HELP));
    EXPECT_EQ(shelltest::HelpCalls[1].command, static_cast<UINT>(HELP_CONTEXTMENU));
    for (const auto& call : shelltest::HelpCalls) {
        EXPECT_EQ(call.data, reinterpret_cast<ULONG_PTR>(HelpIdTable));
    }
}

}  // namespace
