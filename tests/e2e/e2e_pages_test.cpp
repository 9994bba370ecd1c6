// remotepanel.exe's tab pages and detail dialogs driven from this process as a user would: one
// control changed on each page or dialog, 更新, and the virtual printer's block must differ from
// the original exactly where those controls put their values.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "qmx/VirtualPrinters.h"
#include "tests/e2e/e2e_support.h"

namespace {

namespace vp = qmx::vp;

constexpr int kTabs = 284;
constexpr int kUpdate = 12321;

enum class Act { Type, Choose, Click };

// One user action: on the page of `tab`, or in the detail dialog that `opener` opens from it.
struct Edit {
    int tab;
    int opener;           // 0: a control of the page
    const char* dialog;   // the detail dialog's caption
    int control;
    Act act;
    const char* text;     // Type
    int index;            // Choose
};

// A block byte the edits must leave as `value` in the bits of `mask`.
struct Expected {
    size_t offset;
    uint8_t mask;
    uint8_t value;
};

class PagesProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(vp::ResetAll(), 0u);
        ASSERT_EQ(vp::InstallModel(), 0u);
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, "Software\\KOV\\Kestrovane", "Password");
        vp::NewPrinter printer;
        printer.name = "LP1";
        printer.spoolerEntry = true;
        ASSERT_EQ(vp::Add(printer), 0u);
    }
    void TearDown() override { vp::ResetAll(); }

    void Start(e2e::Child& child) {
        ASSERT_TRUE(child.Started());
        HWND frame = e2e::WaitForWindow(child.Id(), "RPWndClass", "Kestrovane リモートパネル - LP1");
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(e2e::WaitUntilReadEnded(frame));
        panel_ = e2e::PanelOf(frame);
        ASSERT_NE(panel_, nullptr);
        process_ = child.Id();
    }

    // The page of a tab, shown as a click on its tab would (created on first view).
    HWND ShowTab(int tab) {
        SendMessageA(GetDlgItem(panel_, kTabs), TCM_SETCURFOCUS, static_cast<WPARAM>(tab), 0);
        for (HWND page = nullptr; (page = FindWindowExA(panel_, page, "#32770", nullptr));) {
            if (IsWindowVisible(page)) return page;
        }
        return nullptr;
    }

    static void Do(HWND window, const Edit& edit) {
        HWND control = GetDlgItem(window, edit.control);
        switch (edit.act) {
            case Act::Type:
                SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(edit.text));
                break;
            case Act::Choose:
                SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(edit.index), 0);
                SendMessageA(window, WM_COMMAND, MAKEWPARAM(edit.control, CBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(control));
                break;
            case Act::Click:
                SendMessageA(control, BM_CLICK, 0, 0);
                break;
        }
    }

    void Apply(const Edit& edit) {
        HWND page = ShowTab(edit.tab);
        ASSERT_NE(page, nullptr) << "tab " << edit.tab;
        if (edit.opener == 0) {
            Do(page, edit);
            return;
        }
        PostMessageA(GetDlgItem(page, edit.opener), BM_CLICK, 0, 0);
        HWND dialog = e2e::WaitForWindow(process_, "#32770", edit.dialog);
        ASSERT_NE(dialog, nullptr) << edit.dialog;
        Do(dialog, edit);
        e2e::Press(dialog, IDOK);
        for (int i = 0; i < 200 && IsWindow(dialog); ++i) Sleep(20);
        ASSERT_FALSE(IsWindow(dialog)) << edit.dialog << " did not accept OK";
    }

    // Presses 更新 and waits until the printer has stored the write.
    qmx::SettingsBlockBytes Update() {
        vp::PrinterInfo info;
        vp::Get("LP1", info);
        const uint32_t applied = info.appliedCount;
        PostMessageA(panel_, WM_COMMAND, MAKEWPARAM(kUpdate, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(panel_, kUpdate)));
        for (int i = 0; i < 400 && info.appliedCount == applied; ++i) {
            Sleep(25);
            vp::Get("LP1", info);
        }
        EXPECT_GT(info.appliedCount, applied) << "the write did not reach the printer";
        return info.block;
    }

    HWND panel_ = nullptr;
    DWORD process_ = 0;
};

// Form 1 must be chosen before its dialog opens; each edit changes one setting from its initial value.
const Edit kEdits[] = {
    {1, 0, nullptr, 1317, Act::Type, "50", 0},                      // 用紙長 66 -> 50
    {1, 0, nullptr, 1134, Act::Choose, nullptr, 1},                 // 書式選択 -> 書式１
    {1, 1142, "書式の設定： 書式", 1167, Act::Type, "5", 0},        // 書式１ レフトマージン 0 -> 5
    {2, 0, nullptr, 1306, Act::Choose, nullptr, 2},                 // フォント1 -> クーリエ
};
const Expected kChanges[] = {
    {25, 0xFF, 50},
    {68, 0xFF, 1},
    {69 + 1, 0xFF, 5},
    {20, 0x0F, 2},
};

TEST_F(PagesProgramTest, EachEditedControlChangesExactlyItsOwnBytes) {
    qmx::SettingsBlockBytes original{};
    ASSERT_EQ(vp::GetBlock("LP1", original), 0u);
    e2e::Child child("remotepanel.exe", "");
    Start(child);
    for (const Edit& edit : kEdits) {
        Apply(edit);
        if (HasFatalFailure()) return;
    }
    const qmx::SettingsBlockBytes written = Update();
    for (size_t offset = 0; offset < written.size(); ++offset) {
        uint8_t mask = 0, value = 0;
        for (const Expected& change : kChanges) {
            if (change.offset == offset) mask |= change.mask, value |= change.value;
        }
        EXPECT_EQ(written[offset] & mask, value) << "byte " << offset;
        EXPECT_EQ(written[offset] & ~mask, original[offset] & ~mask) << "byte " << offset << " changed";
    }
    PostMessageA(panel_, WM_COMMAND, MAKEWPARAM(8, BN_CLICKED), 0);
    EXPECT_EQ(child.Wait(), 0u);
}

}  // namespace
