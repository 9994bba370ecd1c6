// The paper set page (tab 0) and its advanced dialog, in the test panel.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "PanelRig.h"
#include "base/AppState.h"
#include "base/Messages.h"
#include "panel/TabPages.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/PageItems.h"
#include "tests/support/Pump.h"

namespace {

using rptest::ClickItem;
using rptest::CollectPage;
using rptest::ExpectIcon;
using rptest::ItemChecked;
using rptest::ItemEnabled;
using rptest::ItemText;
using rptest::PanelRig;

const int kControlList[] = {1159, 1160, 1162, 1169, 1171, 1164, 1173, 1323, 1326, 1176,
                            1174, 1324, 1327, 1177, 1175, 1325, 1328, 1179, 1166};

class PaperPage : public ::testing::Test {
protected:
    void Refresh() {
        SendMessageA(page(), WM_PAGE_REFRESH, 0, 0);
        rig.notices.clear();
    }
    HWND page() const { return rig.Page(0); }

    rptest::MessageBoxRecorder boxes;
    PanelRig rig;
};

TEST_F(PaperPage, StartsDisabledAndARefreshWithoutSettingsChangesNothing) {
    HWND dialog = page();
    for (int id : kControlList) EXPECT_FALSE(ItemEnabled(dialog, id)) << id;
    EXPECT_FALSE(ItemEnabled(dialog, 1301));
    EXPECT_FALSE(ItemEnabled(dialog, 1302));
    PanelSettings.HeadCenterCutSheet = 40;  // not loaded: SwitchBits still 0xFFFFFFFF
    SendMessageA(dialog, WM_PAGE_REFRESH, 0, 0);
    for (int id : kControlList) EXPECT_FALSE(ItemEnabled(dialog, id)) << id;
    EXPECT_EQ(ItemText(dialog, 1323), "");
    EXPECT_FALSE(ItemChecked(dialog, 1160));
    EXPECT_FALSE(ItemChecked(dialog, 1162));
    EXPECT_TRUE(rig.notices.empty());
}

TEST_F(PaperPage, RefreshEnablesTheControlListAndShowsTheSettings) {
    LoadInitialSettings();
    PanelSettings.PaperSetCenter = 1;
    PanelSettings.HeadCenterCutSheet = 11;
    PanelSettings.HeadCenterContFront = 67;
    PanelSettings.HeadCenterContRear = 125;
    SendMessageA(page(), WM_PAGE_REFRESH, 0, 0);
    for (int id : kControlList) EXPECT_TRUE(ItemEnabled(page(), id)) << id;
    EXPECT_FALSE(ItemEnabled(page(), 1301));  // the icons are not in the control list
    EXPECT_FALSE(ItemEnabled(page(), 1302));
    EXPECT_EQ(ItemText(page(), 1323), "11");
    EXPECT_EQ(ItemText(page(), 1324), "67");
    EXPECT_EQ(ItemText(page(), 1325), "125");
    const int spins[][3] = {{1326, 10, 68}, {1327, 10, 68}, {1328, 68, 126}};
    for (const auto& spin : spins) {
        int low = 0, high = 0;
        SendDlgItemMessageA(page(), spin[0], UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                            reinterpret_cast<LPARAM>(&high));
        EXPECT_EQ(low, spin[1]) << spin[0];
        EXPECT_EQ(high, spin[2]) << spin[0];
    }
    EXPECT_TRUE(rig.notices.empty()) << "a refresh is not the user's change";

    SendMessageA(page(), WM_PAGE_DISABLE, 0, 0);
    for (int id : kControlList) EXPECT_FALSE(ItemEnabled(page(), id)) << id;
}

TEST_F(PaperPage, EditUpdatesOfTheRefreshAreIgnoredAndTheFirstUserEditNotifies) {
    LoadInitialSettings();
    Refresh();
    // A second refresh with the same values, as the panel sends several in a row: the up-downs
    // do not rewrite edits that already show their numbers.
    Refresh();
    Refresh();
    SetDlgItemTextA(page(), 1324, "5");
    ASSERT_EQ(rig.notices.size(), 1u);
    EXPECT_EQ(rig.notices[0], page());
    SetDlgItemTextA(page(), 1325, "99");
    EXPECT_EQ(rig.notices.size(), 2u);
    // A refresh with new values: its own three edit writes still notify nobody.
    PanelSettings.HeadCenterCutSheet = 12;
    PanelSettings.HeadCenterContFront = 13;
    PanelSettings.HeadCenterContRear = 70;
    Refresh();
    SendMessageA(page(), WM_PAGE_REFRESH, 0, 0);
    EXPECT_TRUE(rig.notices.empty());
    SetDlgItemTextA(page(), 1323, "20");
    EXPECT_EQ(rig.notices.size(), 1u);
}

struct PaperSetCase {
    int32_t value;
    int checked;
    UINT icon;
};

TEST_F(PaperPage, PaperSetPositionShowsCentreForAnyNonZeroValue) {
    const PaperSetCase cases[] = {{0, 1162, 233}, {1, 1160, 234}, {2, 1160, 234}, {-1, 1160, 234}};
    for (const PaperSetCase& c : cases) {
        LoadInitialSettings();
        PanelSettings.PaperSetCenter = c.value;
        Refresh();
        EXPECT_TRUE(ItemChecked(page(), c.checked)) << c.value;
        EXPECT_FALSE(ItemChecked(page(), c.checked == 1160 ? 1162 : 1160)) << c.value;
        ExpectIcon(page(), 1301, c.icon);
        EXPECT_EQ(CollectPage(page()), 1);
        EXPECT_EQ(PanelSettings.PaperSetCenter, c.value == 0 ? 0 : 1) << c.value;
    }
}

TEST_F(PaperPage, PostcardModeIsCheckedOnlyForExactlyOne) {
    const int32_t values[] = {0, 1, 2};
    for (int32_t value : values) {
        LoadInitialSettings();
        PanelSettings.PostcardMode = value;
        Refresh();
        EXPECT_EQ(ItemChecked(page(), 1169), value == 1) << value;
        EXPECT_EQ(CollectPage(page()), 1);
        EXPECT_EQ(PanelSettings.PostcardMode, value == 1 ? 1 : 0) << value;
    }
}

TEST_F(PaperPage, PerforationSkipFollowsItsBitAndLeavesTheOtherBits) {
    for (bool on : {false, true}) {
        LoadInitialSettings();
        PanelSettings.SwitchBits = 0x0A5B000C | (on ? 0x00800000 : 0);
        Refresh();
        EXPECT_EQ(ItemChecked(page(), 1171), on);
        ExpectIcon(page(), 1302, on ? 232 : 231);
        ClickItem(page(), 1171);
        EXPECT_EQ(ItemChecked(page(), 1171), !on);
        ExpectIcon(page(), 1302, on ? 231 : 232);
        EXPECT_EQ(CollectPage(page()), 1);
        EXPECT_EQ(static_cast<uint32_t>(PanelSettings.SwitchBits), 0x0A5B000Cu | (on ? 0 : 0x00800000u));
    }
}

TEST_F(PaperPage, EveryUserActionNotifiesThePanel) {
    LoadInitialSettings();
    Refresh();
    ClickItem(page(), 1160);
    ExpectIcon(page(), 1301, 234);
    ClickItem(page(), 1162);
    ExpectIcon(page(), 1301, 233);
    ClickItem(page(), 1169);
    ClickItem(page(), 1171);
    EXPECT_EQ(rig.notices, std::vector<HWND>(4, page()));

    // The up-downs' scroll messages notify; scroll messages from other windows do not.
    rig.notices.clear();
    for (int spin : {1326, 1327, 1328}) {
        SendMessageA(page(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 40),
                     reinterpret_cast<LPARAM>(GetDlgItem(page(), spin)));
    }
    SendMessageA(page(), WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(GetDlgItem(page(), 1166)));
    EXPECT_EQ(rig.notices.size(), 3u);

    // An arrow key in an edit moves its up-down: the edit update and the scroll both notify.
    rig.notices.clear();
    SendDlgItemMessageA(page(), 1323, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(ItemText(page(), 1323), "41");
    EXPECT_GE(rig.notices.size(), 1u);
}

struct RangeCase {
    int edit;
    const char* text;
    bool accepted;
};

TEST_F(PaperPage, CollectChecksTheHeadCenteringRanges) {
    const RangeCase cases[] = {
        {1323, "9", false},  {1323, "10", true}, {1323, "68", true},          {1323, "69", false},
        {1324, "9", false},  {1324, "10", true}, {1324, "68", true},          {1324, "69", false},
        {1325, "67", false}, {1325, "68", true}, {1325, "126", true},         {1325, "127", false},
        {1323, "", false},   {1325, "", false},  {1324, "4294967296", false},
    };
    for (const RangeCase& c : cases) {
        LoadInitialSettings();  // 40, 36, 96
        Refresh();
        boxes.Clear();
        SetDlgItemTextA(page(), c.edit, c.text);
        const int32_t flag = CollectPage(page());
        const std::string what = std::to_string(c.edit) + " = '" + c.text + "'";
        EXPECT_EQ(flag, c.accepted ? 1 : 0) << what;
        EXPECT_EQ(boxes.Count(), c.accepted ? 0u : 1u) << what;
        const int32_t stored[] = {PanelSettings.HeadCenterCutSheet, PanelSettings.HeadCenterContFront,
                                  PanelSettings.HeadCenterContRear};
        const int32_t before[] = {40, 36, 96};
        for (int i = 0; i < 3; ++i) {
            const int edit = 1323 + i;
            if (edit == c.edit && c.accepted) {
                EXPECT_EQ(stored[i], std::stoi(c.text)) << what;
            } else {
                EXPECT_EQ(stored[i], before[i]) << what << ", field " << edit;
            }
        }
        if (!c.accepted) {
            EXPECT_EQ(GetFocus(), GetDlgItem(page(), c.edit)) << what;
        }
    }
}

TEST_F(PaperPage, RejectedCollectShowsMessage79WithTheProgramCaption) {
    LoadInitialSettings();
    Refresh();
    SetDlgItemTextA(page(), 1323, "9");
    EXPECT_EQ(CollectPage(page()), 0);
    ASSERT_EQ(boxes.Count(), 1u);
    const rptest::RecordedBox& box = boxes.Boxes()[0];
    EXPECT_EQ(box.text,
              "用紙吸入時ヘッドセンタリング位置に設定されている値が正しくありません。"
              "正しい値を指定して下さい。");
    EXPECT_EQ(box.caption, "Kestrovane リモートパネル");
    EXPECT_EQ(box.icon, rptest::BoxIcon::Warning);
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_EQ(box.owner, rig.Frame());  // a box owned by a child window belongs to its top window

    char name[] = "営業部のプリンタ";
    PrinterEntry printer{name, nullptr, nullptr, nullptr};
    AppState.CurrentPrinter = &printer;
    EXPECT_EQ(CollectPage(page()), 0);
    AppState.CurrentPrinter = nullptr;
    ASSERT_EQ(boxes.Count(), 2u);
    EXPECT_EQ(boxes.Boxes()[1].caption, "Kestrovane リモートパネル - 営業部のプリンタ");
}

TEST_F(PaperPage, FieldsBeforeTheRejectedOneKeepTheirNewValues) {
    LoadInitialSettings();  // レフト, postcard off, perforation off
    Refresh();
    ClickItem(page(), 1160);
    ClickItem(page(), 1169);
    ClickItem(page(), 1171);
    SetDlgItemTextA(page(), 1323, "20");
    SetDlgItemTextA(page(), 1324, "70");  // the edit takes it; only the arrows are limited
    EXPECT_EQ(ItemText(page(), 1324), "70");
    EXPECT_EQ(CollectPage(page()), 0);
    EXPECT_EQ(PanelSettings.PaperSetCenter, 1);
    EXPECT_EQ(PanelSettings.PostcardMode, 1);
    EXPECT_NE(PanelSettings.SwitchBits & 0x00800000, 0);
    EXPECT_EQ(PanelSettings.HeadCenterCutSheet, 20);
    EXPECT_EQ(PanelSettings.HeadCenterContFront, 36);
    EXPECT_EQ(GetFocus(), GetDlgItem(page(), 1324));
}

TEST_F(PaperPage, RejectWhileAnotherPageIsOnViewBringsTheFirstTabBack) {
    LoadInitialSettings();
    Refresh();
    SetDlgItemTextA(page(), 1325, "127");
    rig.ChangeTabLikeUser(3);
    ASSERT_EQ(rig.Pages().CurrentPage, rig.Page(3));
    EXPECT_EQ(CollectPages(rig.Panel()), 0);
    EXPECT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(rig.SelectedTab(), 0);
    EXPECT_EQ(rig.Pages().CurrentPage, page());
    EXPECT_TRUE(IsWindowVisible(page()));
    EXPECT_FALSE(IsWindowVisible(rig.Page(3)));
    EXPECT_EQ(GetFocus(), GetDlgItem(page(), 1325));
    EXPECT_TRUE(rig.testPageCalls.empty()) << "pages after the refusing one are not asked";
}

TEST(PaperPageAlone, RejectAfterChoosingATabWithoutAPageBringsTheFirstTabBack) {
    rptest::MessageBoxRecorder boxes;
    PanelRig rig(false);
    rig.Pages().PageDefinitions[2] = nullptr;  // a page that cannot be created leaves the area empty
    LoadInitialSettings();
    HWND page = rig.Page(0);
    SendMessageA(page, WM_PAGE_REFRESH, 0, 0);
    SetDlgItemTextA(page, 1325, "127");
    rig.ChangeTabLikeUser(2);
    ASSERT_EQ(rig.Page(2), nullptr);
    ASSERT_FALSE(IsWindowVisible(page));

    EXPECT_EQ(CollectPages(rig.Panel()), 0);
    EXPECT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(rig.SelectedTab(), 0);
    EXPECT_EQ(rig.Pages().CurrentPage, page);
    EXPECT_TRUE(IsWindowVisible(page));
    EXPECT_EQ(GetFocus(), GetDlgItem(page, 1325));
}

// ---- PaperAdvancedDialog ------------------------------------------------------------------

struct AdvancedSeen {
    bool remember = false;
    std::vector<std::string> entries;
    int selected = -2;
    std::string caption;
    LONG style = 0;
    LONG exStyle = 0;
    bool isForeground = false;
};

// Opens the advanced dialog with the page's button; `drive` sets the dialog's controls before
// the chosen button is pressed.
AdvancedSeen RunAdvanced(HWND page, rptest::MessageBoxRecorder& boxes, int button,
                         void (*drive)(HWND dialog) = nullptr) {
    AdvancedSeen seen;
    AdvancedSeen* into = &seen;
    boxes.OnDialog([into, drive, button](HWND dialog) {
        into->remember = IsDlgButtonChecked(dialog, 1231) == BST_CHECKED;
        HWND list = GetDlgItem(dialog, 1308);
        const int count = static_cast<int>(SendMessageA(list, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[32] = {};
            SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            into->entries.push_back(text);
        }
        into->selected = static_cast<int>(SendMessageA(list, CB_GETCURSEL, 0, 0));
        into->caption = rptest::WindowText(dialog);
        into->style = GetWindowLongA(dialog, GWL_STYLE);
        into->exStyle = GetWindowLongA(dialog, GWL_EXSTYLE);
        into->isForeground = AppState.ForegroundWindow == dialog;
        if (drive) drive(dialog);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
        return true;
    });
    ClickItem(page, 1166);
    boxes.OnDialog(nullptr);
    return seen;
}

TEST_F(PaperPage, AdvancedDialogShowsTheThicknessListAndTheInvertedMemorySwitch) {
    LoadInitialSettings();
    PanelSettings.PaperThickness = 7;
    Refresh();
    const AdvancedSeen seen = RunAdvanced(page(), boxes, IDCANCEL);
    EXPECT_EQ(seen.caption, "高度な設定： 用紙 ");
    EXPECT_EQ(seen.style & (WS_POPUP | WS_CAPTION | WS_SYSMENU), WS_POPUP | WS_CAPTION | WS_SYSMENU);
    EXPECT_NE(seen.exStyle & WS_EX_DLGMODALFRAME, 0);
    EXPECT_NE(seen.exStyle & WS_EX_CONTEXTHELP, 0);
    EXPECT_TRUE(seen.remember) << "checked while NoFeedPosMemory is clear";
    const std::vector<std::string> entries = {"オート", "1", "2", "3",  "4",  "5", "6",
                                              "7",      "8", "9", "10", "11", "12"};
    EXPECT_EQ(seen.entries, entries);
    EXPECT_EQ(seen.selected, 7);
    EXPECT_TRUE(seen.isForeground);
    EXPECT_EQ(AppState.ForegroundWindow, page());
}

TEST_F(PaperPage, AdvancedDialogShowsAutoForThicknessOutsideOneToTwelve) {
    for (int32_t thickness : {0, 13, -1}) {
        LoadInitialSettings();
        PanelSettings.PaperThickness = thickness;
        Refresh();
        EXPECT_EQ(RunAdvanced(page(), boxes, IDCANCEL).selected, 0) << thickness;
    }
}

TEST_F(PaperPage, AdvancedDialogOkStoresAndNotifies) {
    LoadInitialSettings();
    PanelSettings.SwitchBits = 0x0A5B000C;  // NoFeedPosMemory (byte 2 bit 2) clear
    Refresh();
    const AdvancedSeen seen = RunAdvanced(page(), boxes, IDOK, [](HWND dialog) {
        SendDlgItemMessageA(dialog, 1308, CB_SETCURSEL, 12, 0);
        CheckDlgButton(dialog, 1231, BST_UNCHECKED);
    });
    EXPECT_TRUE(seen.remember);
    EXPECT_EQ(PanelSettings.PaperThickness, 12);
    EXPECT_EQ(static_cast<uint32_t>(PanelSettings.SwitchBits), 0x0A5F000Cu);
    EXPECT_EQ(rig.notices, std::vector<HWND>{page()});
    EXPECT_EQ(AppState.ForegroundWindow, page());
}

TEST_F(PaperPage, AdvancedDialogOkUnchangedKeepsTheSetMemoryBit) {
    LoadInitialSettings();
    PanelSettings.SwitchBits = 0x00040000;  // NoFeedPosMemory set: shown unchecked
    PanelSettings.PaperThickness = 3;
    Refresh();
    const AdvancedSeen seen = RunAdvanced(page(), boxes, IDOK);
    EXPECT_FALSE(seen.remember);
    EXPECT_EQ(static_cast<uint32_t>(PanelSettings.SwitchBits), 0x00040000u);
    EXPECT_EQ(PanelSettings.PaperThickness, 3);
}

TEST_F(PaperPage, AdvancedDialogCancelChangesNothingAndSendsNothing) {
    LoadInitialSettings();
    PanelSettings.PaperThickness = 5;
    Refresh();
    const PanelSettingsRecord before = PanelSettings;
    RunAdvanced(page(), boxes, IDCANCEL, [](HWND dialog) {
        SendDlgItemMessageA(dialog, 1308, CB_SETCURSEL, 12, 0);
        CheckDlgButton(dialog, 1231, BST_UNCHECKED);
    });
    EXPECT_EQ(std::memcmp(&before, &PanelSettings, sizeof before), 0);
    EXPECT_TRUE(rig.notices.empty());
    EXPECT_EQ(AppState.ForegroundWindow, page());
}

}  // namespace
