// The single-instance guard: one mapping per printer, and what a second start brings forward.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Messages.h"
#include "printers/SingleInstance.h"
#include "shell/Startup.h"
#include "tests/gui/shell_support.h"
#include "tests/support/MessageBoxRecorder.h"

namespace {

using shelltest::kTitle;
const char kAlreadyRunning[] = "このプリンタのリモートパネルは現在起動されています。";
const char kMappingFailed[] = "ファイルマッピングオブジェクトの作成に失敗しました。";

std::vector<UINT> frameMessages;

LRESULT CALLBACK RecordingFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_BRING_FORWARD) frameMessages.push_back(message);
    return DefWindowProcA(window, message, wParam, lParam);
}

class InstanceTest : public shelltest::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        frameMessages.clear();
    }
    void TearDown() override {
        for (HWND window : windows_) DestroyWindow(window);
        for (HANDLE handle : handles_) CloseHandle(handle);
        UnregisterClassA("RPWndClass", GetModuleHandleA(nullptr));
        ProgramTest::TearDown();
    }
    HANDLE Keep(HANDLE handle) {
        if (handle) handles_.push_back(handle);
        return handle;
    }
    HWND Window(const char* className, const std::string& title) {
        HWND window = CreateWindowExA(0, className, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                                      200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        windows_.push_back(window);
        return window;
    }
    HWND Dialog(const std::string& title) { return Window(MAKEINTATOM(32770), title); }
    HWND Frame(const std::string& title) {
        WNDCLASSA frameClass{};
        frameClass.lpfnWndProc = RecordingFrameProc;
        frameClass.hInstance = GetModuleHandleA(nullptr);
        frameClass.lpszClassName = "RPWndClass";
        RegisterClassA(&frameClass);
        return Window("RPWndClass", title);
    }
    // Someone else's window in front.
    void Elsewhere() { SetForegroundWindow(Window("Static", "elsewhere")); }

private:
    std::vector<HWND> windows_;
    std::vector<HANDLE> handles_;
};

TEST_F(InstanceTest, SecondGuardForTheSamePrinterIsRefusedWithMessage70) {
    const char* const pairs[][2] = {
        {"LP1", "LP1"},
        {"\\\\srv\\lp1", "\\\\srv\\lp1"},
        // Names that differ only by "\" and "," share the mapping.
        {"\\\\srv\\lp2", ",,srv,lp2"},
        {",,srv,lp3", "\\\\srv\\lp3"},
    };
    for (const auto& pair : pairs) {
        SCOPED_TRACE(std::string(pair[0]) + " then " + pair[1]);
        rptest::MessageBoxRecorder recorder;
        ASSERT_NE(Keep(GuardSingleInstance(pair[0])), nullptr);
        EXPECT_EQ(recorder.Count(), 0u);
        EXPECT_EQ(GuardSingleInstance(pair[1]), nullptr);
        ASSERT_EQ(recorder.Count(), 1u);
        const rptest::RecordedBox& box = recorder.Boxes()[0];
        EXPECT_EQ(box.text, kAlreadyRunning);
        EXPECT_EQ(box.caption, std::string(kTitle) + " - " + pair[1]);
        EXPECT_EQ(box.icon, rptest::BoxIcon::None);
        EXPECT_EQ(box.owner, nullptr);
    }
}

TEST_F(InstanceTest, DifferentPrintersAndTrailBytesDoNotCollide) {
    rptest::MessageBoxRecorder recorder;
    // "\\srv\ソ" and "\\srv\ƒ," must differ: the 5C of "ソ" (83 5C) is no backslash.
    EXPECT_NE(Keep(GuardSingleInstance("\\\\srv\\\x83\x5C")), nullptr);
    EXPECT_NE(Keep(GuardSingleInstance("\\\\srv\\\x83,")), nullptr);
    EXPECT_NE(Keep(GuardSingleInstance("LP1")), nullptr);
    EXPECT_NE(Keep(GuardSingleInstance("lp1")), nullptr);
    EXPECT_EQ(recorder.Count(), 0u);
}

TEST_F(InstanceTest, ClosedMappingFreesThePrinter) {
    HANDLE first = GuardSingleInstance("LP1");
    ASSERT_NE(first, nullptr);
    CloseHandle(first);
    EXPECT_NE(Keep(GuardSingleInstance("LP1")), nullptr);
}

TEST_F(InstanceTest, MappingThatCannotBeCreatedGivesMessage71) {
    // Another kind of object holds the name.
    ASSERT_NE(Keep(CreateEventA(nullptr, TRUE, FALSE, "KOVRP_,,srv,busy")), nullptr);
    rptest::MessageBoxRecorder recorder;
    EXPECT_EQ(GuardSingleInstance("\\\\srv\\busy"), nullptr);
    ASSERT_EQ(recorder.Count(), 1u);
    EXPECT_EQ(recorder.Boxes()[0].text, kMappingFailed);
    EXPECT_EQ(recorder.Boxes()[0].caption, std::string(kTitle) + " - \\\\srv\\busy");
    EXPECT_EQ(recorder.Boxes()[0].icon, rptest::BoxIcon::None);
}

TEST_F(InstanceTest, BringsForwardTheProgramsBoxThenItsDialogThenItsFrame) {
    const std::string caption = std::string(kTitle) + " - LP1";
    ASSERT_NE(Keep(GuardSingleInstance("LP1")), nullptr);
    HWND frame = Frame(caption);
    HWND dialog = Dialog(caption);
    HWND box = Dialog(kTitle);
    Window("Static", caption);  // the right title on a window of another class counts for nothing
    rptest::MessageBoxRecorder recorder;

    Elsewhere();
    EXPECT_EQ(GuardSingleInstance("LP1"), nullptr);
    EXPECT_EQ(GetForegroundWindow(), box);

    DestroyWindow(box);
    Elsewhere();
    EXPECT_EQ(GuardSingleInstance("LP1"), nullptr);
    EXPECT_EQ(GetForegroundWindow(), dialog);

    DestroyWindow(dialog);
    Elsewhere();
    EXPECT_EQ(GuardSingleInstance("LP1"), nullptr);
    EXPECT_EQ(frameMessages, std::vector<UINT>{WM_BRING_FORWARD});

    // A minimised frame is restored and brought forward instead.
    frameMessages.clear();
    ShowWindow(frame, SW_MINIMIZE);
    Elsewhere();
    EXPECT_EQ(GuardSingleInstance("LP1"), nullptr);
    EXPECT_FALSE(IsIconic(frame));
    EXPECT_EQ(GetForegroundWindow(), frame);
    EXPECT_TRUE(frameMessages.empty());
    EXPECT_EQ(recorder.Count(), 0u);
}

TEST_F(InstanceTest, LongPrinterNameNeverOverrunsTheCaption) {
    const std::string name(300, 'L');
    rptest::MessageBoxRecorder recorder;
    HANDLE first = Keep(GuardSingleInstance(name.c_str()));
    if (first) {
        EXPECT_EQ(GuardSingleInstance(name.c_str()), nullptr);
    }
    ASSERT_EQ(recorder.Count(), 1u);  // 70, or 71 when the system refuses so long a name
    const std::string& caption = recorder.Boxes()[0].caption;
    EXPECT_EQ(caption.size(), 255u);
    EXPECT_EQ(caption.substr(0, sizeof kTitle + 2), std::string(kTitle) + " - ");
}

}  // namespace
