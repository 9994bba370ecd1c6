// The traps of the 印刷, 動作環境 and その他 pages and their dialogs that the binding table cannot
// show: pairs whose button ids interleave, the DOS dialog's early change notice and its dead
// NHS/SHS group, the icon a reduction outside the list keeps, and Cancel.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "PanelRig.h"
#include "panel/TabPages.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"
#include "shell/Messages.h"

namespace {

using rptest::PanelRig;

// How many buttons are checked in each group of auto radio buttons, in template order.
std::vector<int> CheckedPerGroup(HWND window) {
    std::vector<int> counts;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[16] = "";
        GetClassNameA(child, name, sizeof name);
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        if (lstrcmpiA(name, "Button") != 0 || (style & BS_TYPEMASK) != BS_AUTORADIOBUTTON) continue;
        if ((style & WS_GROUP) || counts.empty()) counts.push_back(0);
        counts.back() += IsDlgButtonChecked(window, GetDlgCtrlID(child)) == BST_CHECKED ? 1 : 0;
    }
    return counts;
}

bool Shows(HWND window, int staticId, int iconId) {
    return SendDlgItemMessageA(window, staticId, STM_GETICON, 0, 0) ==
           reinterpret_cast<LRESULT>(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId)));
}

class PrintEnvironmentOtherPages : public ::testing::Test {
protected:
    PrintEnvironmentOtherPages() : rig(false) { LoadInitialSettings(); }

    HWND Page(int tab) {
        ShowPage(rig.Panel(), tab);
        SendMessageA(rig.Page(tab), WM_PAGE_REFRESH, 0, 0);
        rig.notices.clear();
        return rig.Page(tab);
    }
    bool Unchanged(const PanelSettingsRecord& before) { return std::memcmp(&before, &PanelSettings, sizeof before) == 0; }

    rptest::MessageBoxRecorder boxes;
    PanelRig rig;
};

TEST_F(PrintEnvironmentOtherPages, EachPairShowsOneButtonAndCollectKeepsEverySwitch) {
    struct Where { int tab; int opener; std::vector<int> checked; };
    const Where places[] = {
        {3, 0, {1}}, {3, IDC_DOS_ENVIRONMENT, {1, 0, 1, 1, 1}}, {4, 0, {1, 1, 1}},
        {4, IDC_ENVIRONMENT_ADVANCED, {1, 1, 1, 1, 1}}, {5, 0, {1, 1, 1}},
    };
    // Every switch with a control set (no byte becomes 0xFF), then every switch clear.
    for (const int32_t bits : {static_cast<int32_t>(~SwitchBitsWithoutControl), 0}) {
        for (const Where& where : places) {
            PanelSettings.SwitchBits = bits;
            HWND page = Page(where.tab);
            std::vector<int> shown;
            if (where.opener == 0) {
                shown = CheckedPerGroup(page);
                int32_t accepted = 0;
                SendMessageA(page, WM_PAGE_COLLECT, 0, reinterpret_cast<LPARAM>(&accepted));
            } else {
                rptest::RunDetailDialogFrom(boxes, page, where.opener, [&](HWND d) { shown = CheckedPerGroup(d); }, IDOK);
            }
            EXPECT_EQ(shown, where.checked) << where.tab << "/" << where.opener << " bits " << std::hex << bits;
            EXPECT_EQ(PanelSettings.SwitchBits, bits) << where.tab << "/" << where.opener;
        }
    }
}

TEST_F(PrintEnvironmentOtherPages, DosDirectionTellsThePanelAtOnceAlsoWhenCancelled) {
    HWND page = Page(3);
    const PanelSettingsRecord before = PanelSettings;
    HWND dos = nullptr;
    bool nhsShsEnabled = true, oneWayIcon = false;
    rptest::RunDetailDialogFrom(boxes, page, IDC_DOS_ENVIRONMENT, [&](HWND d) {
        dos = d;
        nhsShsEnabled = IsWindowEnabled(GetDlgItem(d, IDC_DOS_NHS_SHS_GROUP)) || IsWindowEnabled(GetDlgItem(d, IDC_DOS_SHS_PICA)) ||
                        IsWindowEnabled(GetDlgItem(d, IDC_DOS_NHS_PICA));
        SendDlgItemMessageA(d, IDC_DOS_ONE_WAY, BM_CLICK, 0, 0);
        oneWayIcon = Shows(d, IDC_DOS_DIRECTION_ICON, IDI_DIRECTION_ONE_WAY);
    }, IDCANCEL);
    ASSERT_NE(dos, nullptr);
    EXPECT_FALSE(nhsShsEnabled);
    EXPECT_TRUE(oneWayIcon);
    EXPECT_EQ(rig.notices, std::vector<HWND>{dos}) << "from the dialog, none from the page";
    EXPECT_TRUE(Unchanged(before));
}

TEST_F(PrintEnvironmentOtherPages, CancelStoresNothingAndOkTellsThePanelFromThePage) {
    struct Change { int tab; int opener; int control; bool list; };
    const Change changes[] = {
        {3, IDC_DOS_ENVIRONMENT, IDC_DOS_HS_PICA, false},
        {3, IDC_PRINT_ADVANCED, IDC_PRESSURE, true},
        {4, IDC_ENVIRONMENT_ADVANCED, IDC_FEEDER_EJECT_REAR, false},
    };
    for (const int press : {IDCANCEL, IDOK}) {
        for (const Change& change : changes) {
            LoadInitialSettings();
            HWND page = Page(change.tab);
            const PanelSettingsRecord before = PanelSettings;
            rptest::RunDetailDialogFrom(boxes, page, change.opener, [&](HWND d) {
                HWND control = GetDlgItem(d, change.control);
                if (change.list) {
                    SendMessageA(control, CB_SETCURSEL, 0, 0);
                    SendMessageA(d, WM_COMMAND, MAKEWPARAM(change.control, CBN_SELCHANGE), reinterpret_cast<LPARAM>(control));
                } else {
                    SendMessageA(control, BM_CLICK, 0, 0);
                }
            }, press);
            EXPECT_EQ(Unchanged(before), press == IDCANCEL) << change.opener;
            EXPECT_EQ(rig.notices, press == IDOK ? std::vector<HWND>{page} : std::vector<HWND>{}) << change.opener;
        }
    }
}

TEST_F(PrintEnvironmentOtherPages, ReductionIconFollowsTheListAndTrimsWithoutSelectionStoreZero) {
    PanelSettings.Reduction = 2;
    HWND page = Page(3);
    PanelSettings.Reduction = 9;
    SendMessageA(page, WM_PAGE_REFRESH, 0, 0);
    EXPECT_TRUE(Shows(page, IDC_REDUCTION_ICON, IDI_REDUCE_2_3_CENTRE)) << "a reduction outside the list keeps the icon";
    SendDlgItemMessageA(page, IDC_REDUCTION, CB_SETCURSEL, 4, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_REDUCTION, CBN_SELCHANGE), 0);
    EXPECT_TRUE(Shows(page, IDC_REDUCTION_ICON, IDI_REDUCE_4_5_CENTRE));
    EXPECT_EQ(rig.notices, std::vector<HWND>{page});

    PanelSettings.PressureAdjust = 2;
    PanelSettings.PositionAdjust = 254;
    rptest::RunDetailDialogFrom(boxes, page, IDC_PRINT_ADVANCED, [](HWND d) {
        SendDlgItemMessageA(d, IDC_PRESSURE, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        SendDlgItemMessageA(d, IDC_POSITION, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    }, IDOK);
    EXPECT_EQ(PanelSettings.PressureAdjust, 0);
    EXPECT_EQ(PanelSettings.PositionAdjust, 0);

    // その他: any command that reaches the page is a change, a click on the checked button too.
    HWND other = Page(5);
    SendDlgItemMessageA(other, IDC_PRINT_CMD_CR, BM_CLICK, 0, 0);
    SendMessageA(other, WM_COMMAND, MAKEWPARAM(IDC_PRINT_CMD_GROUP, 0), 0);
    EXPECT_EQ(rig.notices.size(), 2u);
}

}  // namespace
