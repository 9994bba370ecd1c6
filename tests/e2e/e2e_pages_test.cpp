// remotepanel.exe's tab pages and detail dialogs driven from this process as a user would: one
// control changed on each page or dialog, 更新, and the virtual printer's block must differ from
// the original exactly where those controls put their values.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "qmx/VirtualPrinters.h"
#include "tests/e2e/e2e_fixture.h"
#include "tests/e2e/e2e_support.h"

namespace {

namespace vp = qmx::vp;

constexpr int kTabs = 284;
constexpr int kUpdate = 12321;

enum class Act { Type, Choose, Click };

// One user action: on the page of `tab`, or in the detail dialog that `opener` opens from it.
struct Edit {
    int tab;
    int opener;          // 0: a control of the page
    const char* dialog;  // the detail dialog's caption
    int control;
    Act act;
    const char* text;  // Type
    int index;         // Choose
    size_t offset;     // where the edit leaves `value` in the bits of `mask`
    uint8_t mask, value;
};

// A block byte that must end as `value` in the bits of `mask`.
struct Expected {
    size_t offset;
    uint8_t mask;
    uint8_t value;
};

class PagesProgramTest : public e2e::OnePrinterTest {
protected:
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

    void Apply(const Edit& edit, bool act) {
        HWND page = ShowTab(edit.tab);
        ASSERT_NE(page, nullptr) << "tab " << edit.tab;
        if (edit.opener == 0) {
            if (act) Do(page, edit);
            return;
        }
        PostMessageA(GetDlgItem(page, edit.opener), BM_CLICK, 0, 0);
        HWND dialog = e2e::WaitForWindow(process_, "#32770", edit.dialog);
        ASSERT_NE(dialog, nullptr) << edit.dialog;
        if (act) Do(dialog, edit);
        e2e::Press(dialog, IDOK);
        for (int i = 0; i < 200 && IsWindow(dialog); ++i) Sleep(20);
        ASSERT_FALSE(IsWindow(dialog)) << edit.dialog << " did not accept OK";
    }

    // Presses 更新 and waits until the printer has stored the write.
    qmx::SettingsBlockBytes Update() {
        vp::PrinterInfo info;
        vp::Get("LP1", info);
        const uint32_t applied = info.appliedCount;
        PostMessageA(panel_, WM_COMMAND, MAKEWPARAM(kUpdate, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(panel_, kUpdate)));
        for (int i = 0; i < 400 && info.appliedCount == applied; ++i) {
            Sleep(25);
            vp::Get("LP1", info);
        }
        EXPECT_GT(info.appliedCount, applied) << "the write did not reach the printer";
        return info.block;
    }

    HWND panel_ = nullptr;
    DWORD process_ = 0;

    // Runs the edits (only opens their pages and dialogs without `act`), 更新: only `changes` differ.
    void ExpectOnly(bool act, std::vector<Expected> changes);
};

// Form 1 must be chosen before its dialog opens; each edit changes one setting from its initial value.
const Edit kEdits[] = {
    {0, 0, nullptr, 1171, Act::Click, nullptr, 0, 6, 0x80, 0x80},                 // ミシン目スキップ
    {0, 1166, "高度な設定： 用紙 ", 1308, Act::Choose, nullptr, 3, 60, 0xFF, 3},  // 用紙厚 3
    {1, 0, nullptr, 1317, Act::Type, "50", 0, 25, 0xFF, 50},                      // 用紙長 66 -> 50
    {1, 0, nullptr, 1134, Act::Choose, nullptr, 1, 68, 0xFF, 1},                  // 書式選択 -> 書式１
    {1, 1142, "書式の設定： 書式", 1167, Act::Type, "5", 0, 69 + 1, 0xFF, 5},  // 書式１ レフトマージン 5
    {2, 0, nullptr, 1306, Act::Choose, nullptr, 2, 20, 0x0F, 2},  // フォント1 -> クーリエ
    {2, 1191, "高度な設定： フォント", 1258, Act::Click, nullptr, 0, 21, 0x03, 2},  // JIS規格1990年度版
    {3, 0, nullptr, 1309, Act::Choose, nullptr, 4, 2, 0xFF, 7},                     // 4/5中央基準, code 7
    {3, 1197, "DOS環境： 印刷", 1266, Act::Click, nullptr, 0, 5, 0x80, 0x80},       // 印刷方向 片方向
    {3, 1198, "高度な設定： 印刷", 1311, Act::Choose, nullptr, 9, 61, 0xFF, 0xFA},  // 印刷圧 -6
    {4, 0, nullptr, 1209, Act::Click, nullptr, 0, 7, 0x20, 0x20},                   // 後方排出
    {4, 1213, "高度な設定： 動作環境", 1361, Act::Click, nullptr, 0, 7, 0x02, 0x02},  // 用紙吸入制御 する
    {5, 0, nullptr, 1229, Act::Click, nullptr, 0, 5, 0x20, 0x20},                     // 7ビット
};

void PagesProgramTest::ExpectOnly(bool act, std::vector<Expected> changes) {
    qmx::SettingsBlockBytes original{};
    ASSERT_EQ(vp::GetBlock("LP1", original), 0u);
    e2e::Child child("remotepanel.exe", "");
    Start(child);
    for (const Edit& edit : kEdits) {
        Apply(edit, act);
        if (HasFatalFailure()) return;
        if (act) changes.push_back({edit.offset, edit.mask, edit.value});
    }
    const qmx::SettingsBlockBytes written = Update();
    for (size_t offset = 0; offset < written.size(); ++offset) {
        uint8_t mask = 0, value = 0;
        for (const Expected& change : changes) {
            if (change.offset == offset) mask |= change.mask, value |= change.value;
        }
        EXPECT_EQ(written[offset] & mask, value) << "byte " << offset;
        EXPECT_EQ(written[offset] & ~mask, original[offset] & ~mask) << "byte " << offset << " changed";
    }
    PostMessageA(panel_, WM_COMMAND, MAKEWPARAM(8, BN_CLICKED), 0);
    EXPECT_EQ(child.Wait(), 0u);
}

TEST_F(PagesProgramTest, EachEditedControlChangesExactlyItsOwnBytes) { ExpectOnly(true, {}); }

// The printer reports values that a dialog shows as another entry; OK stores that entry. Form 2
// is chosen so that the form dialog opens.
TEST_F(PagesProgramTest, OkEverywhereRewritesOnlyTheValuesShownAsAnotherEntry) {
    const struct {
        Expected reported, stored;
    } values[] = {
        {{60, 0xFF, 13}, {60, 0xFF, 0}},    // thickness 13: オート
        {{61, 0xFF, 0x7F}, {61, 0xFF, 0}},  // pressure outside its table: "0"
        {{64, 0xFF, 0x10}, {64, 0xFF, 0}},  // position outside its table: "0mm"
        {{4, 0xFF, 0x07}, {4, 0x07, 5}},    // character set code 7: スウェーデン
        {{21, 0xFF, 0x03}, {21, 0x03, 2}},  // kanji table 3: no button, OK stores 1990
        {{68, 0xFF, 2}, {68, 0, 0}},
    };
    std::vector<Expected> changes;
    for (const auto& value : values) {
        ASSERT_EQ(vp::PatchBlock("LP1", value.reported.offset, {value.reported.value}), 0u);
        changes.push_back(value.stored);
    }
    ExpectOnly(false, changes);
}

}  // namespace
