// Start-up as a whole, in-process: every way it can fail ends with code 1 and its message; a
// good start runs the loop until the frame is closed.
#include <windows.h>

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "base/Messages.h"
#include "printers/SingleInstance.h"
#include "qmx/VirtualPrinters.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"
#include "settings/SettingsBlock.h"
#include "shell/Startup.h"
#include "tests/gui/shell_support.h"
#include "tests/support/MessageBoxRecorder.h"

namespace {

using shelltest::kTitle;

class StartupTest : public shelltest::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        shelltest::RemoveStoredPassword();
    }
    void TearDown() override {
        shelltest::RemoveStoredPassword();
        ProgramTest::TearDown();
    }
    int Run(const char* commandLine) {
        return RunProgram(GetModuleHandleA(nullptr), commandLine, SW_SHOWNORMAL);
    }
};

TEST_F(StartupTest, NoSupportedPrinterEndsWithMessage74) {
    LoadInitialSettings();
    rptest::MessageBoxRecorder recorder;
    EXPECT_EQ(Run(""), 1);
    EXPECT_FALSE(SettingsLoaded());
    ASSERT_EQ(recorder.Count(), 1u);
    EXPECT_EQ(recorder.Boxes()[0].text, "Brindlemark 400ZXが存在しません。リモートパネルを終了します。");
    EXPECT_EQ(recorder.Boxes()[0].caption, kTitle);
    EXPECT_EQ(recorder.Boxes()[0].icon, rptest::BoxIcon::Warning);
    EXPECT_EQ(recorder.Boxes()[0].owner, nullptr);
}

TEST_F(StartupTest, ClosedGateOrUnknownPrinterEndsWithCodeOne) {
    shelltest::Install({"LP1"});
    {
        rptest::MessageBoxRecorder recorder;
        EXPECT_EQ(Run("LP9"), 1);
        ASSERT_EQ(recorder.Count(), 1u);
        EXPECT_EQ(recorder.Boxes()[0].caption, std::string(kTitle) + " - LP9");
        EXPECT_EQ(AppState.PrinterList, nullptr);
    }
    shelltest::SetStoredPassword("pw");
    {
        rptest::MessageBoxRecorder recorder;
        int dialogs = 0;
        recorder.OnDialog([&](HWND dialog) {
            ++dialogs;
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            return true;
        });
        EXPECT_EQ(Run("LP1"), 1);
        EXPECT_EQ(dialogs, 1);
        EXPECT_EQ(recorder.Count(), 0u);
    }
}

TEST_F(StartupTest, PrinterAlreadyServedEndsWithMessage70) {
    shelltest::Install({"LP1"});
    HANDLE other = GuardSingleInstance("LP1");
    ASSERT_NE(other, nullptr);
    rptest::MessageBoxRecorder recorder;
    EXPECT_EQ(Run("/p:x LP1"), 1);
    ASSERT_EQ(recorder.Count(), 1u);
    EXPECT_EQ(recorder.Boxes()[0].text, "このプリンタのリモートパネルは現在起動されています。");
    CloseHandle(other);
}

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(StartupTest, FrameClassThatCannotBeRegisteredEndsWithMessages125And76) {
    shelltest::Install({"LP1"});
    WNDCLASSA taken{};
    taken.lpfnWndProc = PlainProc;
    taken.hInstance = GetModuleHandleA(nullptr);
    taken.lpszClassName = "RPWndClass";
    ASSERT_TRUE(RegisterClassA(&taken));
    rptest::MessageBoxRecorder recorder;
    EXPECT_EQ(Run(""), 1);
    ASSERT_EQ(recorder.Count(), 1u);
    EXPECT_EQ(recorder.Boxes()[0].text, "ウィンドウクラスを登録できません。\nリモートパネルを終了します。");
    EXPECT_EQ(recorder.Boxes()[0].caption, kTitle);
    EXPECT_EQ(recorder.Boxes()[0].icon, rptest::BoxIcon::Warning);
    // The failed start let go of the printer.
    HANDLE again = GuardSingleInstance("LP1");
    EXPECT_NE(again, nullptr);
    CloseHandle(again);
}

HHOOK refuseHook = nullptr;
LRESULT CALLBACK RefuseFrames(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
        const char* name = create->lpcs->lpszClass;
        if (!IS_INTRESOURCE(name) && lstrcmpA(name, "RPWndClass") == 0) return 1;
    }
    return CallNextHookEx(refuseHook, code, wParam, lParam);
}

TEST_F(StartupTest, FrameThatCannotBeCreatedEndsSilently) {
    shelltest::Install({"LP1"});
    refuseHook = SetWindowsHookExA(WH_CBT, RefuseFrames, nullptr, GetCurrentThreadId());
    rptest::MessageBoxRecorder recorder;
    EXPECT_EQ(Run(""), 1);
    UnhookWindowsHookEx(refuseHook);
    EXPECT_EQ(recorder.Count(), 0u);
    EXPECT_EQ(AppState.PrinterList, nullptr);
}

// Seen from inside the running loop.
struct Running {
    bool frameVisible = false;
    std::vector<int32_t> feedSlots;
    HANDLE mapping = nullptr;
    std::string title;
} running;

void CALLBACK CloseOnceRunning(HWND, UINT, UINT_PTR timer, DWORD) {
    if (!AppState.FrameWindow) return;
    KillTimer(nullptr, timer);
    running.frameVisible = IsWindowVisible(AppState.FrameWindow) != FALSE;
    running.feedSlots.assign(std::begin(FeedPosOther), std::end(FeedPosOther));
    running.mapping = AppState.InstanceMapping;
    char title[300] = {};
    GetWindowTextA(AppState.FrameWindow, title, sizeof title);
    running.title = title;
    PostMessageA(AppState.FrameWindow, WM_CLOSE_REQUEST, 0, 0);
}

TEST_F(StartupTest, GoodStartRunsUntilTheFrameIsClosedAndReleasesEverything) {
    shelltest::Install({"LP1"});
    // A continuous-front feed distance that no list names; the other slots held something before.
    ASSERT_EQ(qmx::vp::PatchBlock("LP1", BlockFeedPos + FeedPathContFront, {100}), 0u);
    for (int32_t& slot : FeedPosOther) slot = 7;
    SetTimer(nullptr, 0, 10, CloseOnceRunning);
    rptest::MessageBoxRecorder recorder;
    EXPECT_EQ(Run(""), 0);
    EXPECT_TRUE(running.frameVisible);
    std::vector<int32_t> reported(FeedPosOtherCount, 0);
    reported[FeedPosOtherSlot(FeedGroupCurrent, FeedPathContFront)] = 100;
    EXPECT_EQ(running.feedSlots, reported) << "what the printer reports, nothing left from before";
    EXPECT_NE(running.mapping, nullptr);
    EXPECT_EQ(running.title, std::string(kTitle) + " - LP1");
    EXPECT_EQ(recorder.Count(), 0u);
    EXPECT_EQ(AppState.PrinterList, nullptr);
    EXPECT_EQ(AppState.InstanceMapping, nullptr);
    EXPECT_EQ(AppState.PanelWindow, nullptr);
    HANDLE again = GuardSingleInstance("LP1");
    EXPECT_NE(again, nullptr);
    CloseHandle(again);
}

}  // namespace
