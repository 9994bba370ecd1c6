// The string duplicate, the allocation-failure message and its test seam, and AppState at load.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/AppState.h"
#include "base/Memory.h"
#include "link/KovQmx.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/ProgramState.h"

namespace {

TEST(DuplicateString, CopiesCp932BytesIntoZeroFilledLocalMemory) {
    // "ソ表" has backslashes as trail bytes; the copy must keep every byte.
    const char* source = "プリンタ ソ表 \\\\server\\lp1";
    char* copy = DuplicateString(source);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, source);
    EXPECT_STREQ(copy, source);
    EXPECT_GE(LocalSize(copy), std::strlen(source) + 1);
    ReleaseMemory(copy);

    char* empty = DuplicateString("");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty[0], '\0');
    ReleaseMemory(empty);

    EXPECT_EQ(DuplicateString(nullptr), nullptr);
}

size_t gateSawBytes = 0;
bool RefuseEverything(size_t bytes) {
    gateSawBytes = bytes;
    return false;
}

TEST(DuplicateString, AFailedAllocationGivesNullAndTheReason) {
    AllocationGate previous = SetAllocationGate(RefuseEverything);
    SetLastError(0);
    char* copy = DuplicateString("abcd");
    DWORD error = GetLastError();
    SetAllocationGate(previous);
    EXPECT_EQ(copy, nullptr);
    EXPECT_EQ(gateSawBytes, 5u);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));

    // With the gate gone, allocations work again.
    char* again = DuplicateString("abcd");
    EXPECT_NE(again, nullptr);
    ReleaseMemory(again);
}

TEST(AllocationFailure, MessageNamesTheCodeInLowerCaseHexWithTitleCaptionAndNoIcon) {
    HWND owner =
        CreateWindowExA(0, "Static", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    rptest::ResetProgramState();
    rptest::MessageBoxRecorder recorder;
    ShowAllocationFailure(owner, ERROR_NOT_ENOUGH_MEMORY);
    ShowAllocationFailure(nullptr, 0xDEADBEEF);
    ASSERT_EQ(recorder.Count(), 2u);
    const rptest::RecordedBox& first = recorder.Boxes()[0];
    EXPECT_EQ(first.text, std::string("領域確保に失敗しました。\nエラーコード： 8"));
    EXPECT_EQ(first.caption, std::string("Kestrovane リモートパネル"));
    EXPECT_EQ(first.icon, rptest::BoxIcon::None);
    EXPECT_EQ(first.buttons, std::vector<int>{IDOK});
    EXPECT_EQ(first.owner, owner);
    EXPECT_EQ(recorder.Boxes()[1].text, std::string("領域確保に失敗しました。\nエラーコード： deadbeef"));
    EXPECT_EQ(recorder.Boxes()[1].owner, nullptr);
    DestroyWindow(owner);
}

TEST(AppStateRecord, ValuesAtLoad) {
    const AppStateRecord s{};
    EXPECT_EQ(s.PrinterList, nullptr);
    EXPECT_EQ(s.PrinterCount, 0);
    EXPECT_EQ(s.CurrentPrinter, nullptr);
    EXPECT_EQ(s.SeveralPrinters, 1);
    EXPECT_EQ(s.CanUpdate, 1);
    EXPECT_EQ(s.CanRead, 1);
    EXPECT_EQ(s.PrinterBusy, 0);
    EXPECT_EQ(s.ReadPending, 0);
    EXPECT_EQ(s.WritePending, 0);
    EXPECT_EQ(s.LastUserAuthority, -1);
    EXPECT_EQ(s.LastExtStatus, -1);
    for (int32_t word : s.LastPrinterStatus) EXPECT_EQ(word, -1);
    EXPECT_EQ(sizeof s.LastPrinterStatus, 12u);
    EXPECT_EQ(s.Session, nullptr);
    for (QMXNOTIFY handle : s.NotificationHandles) EXPECT_EQ(handle, nullptr);
    EXPECT_EQ(s.InstanceMapping, nullptr);
    EXPECT_EQ(s.ForegroundWindow, nullptr);
    EXPECT_EQ(s.StatusText[0], '\0');
    EXPECT_EQ(sizeof s.StatusText, 256u);
    EXPECT_EQ(sizeof s.MessageText, 256u);
    EXPECT_EQ(sizeof s.MessageCaption, 256u);
}

}  // namespace
