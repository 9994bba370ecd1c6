// The traps of the 書式 and フォント pages and their dialogs that the binding table cannot show:
// the form dialog's check order and its クリア, the jump back to the 書式 tab, edits right after
// a refresh.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "PanelRig.h"
#include "base/Messages.h"
#include "panel/TabPages.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"
#include "tests/support/PageItems.h"
#include "tests/support/Texts.h"

namespace {

using rptest::PanelRig;

class FormatAndFontPages : public ::testing::Test {
protected:
    FormatAndFontPages() : rig(false) {
        LoadInitialSettings();
        SendToPages(rig.Panel(), WM_PAGE_REFRESH);
    }

    HWND Page(int tab) {
        ShowPage(rig.Panel(), tab);
        SendMessageA(rig.Page(tab), WM_PAGE_REFRESH, 0, 0);
        rig.notices.clear();
        boxes.Clear();
        return rig.Page(tab);
    }
    // Opens the form dialog on the page, sets its numbers (nullptr: unchanged) and presses `press`.
    void RunFormDialog(HWND page, const char* left, const char* right, int press, bool clear = false) {
        rptest::RunDetailDialogFrom(
            boxes, page, IDC_FORM_SETTINGS,
            [&](HWND dialog) {
                formName = rptest::WindowText(GetDlgItem(dialog, IDC_FORM_NAME));
                if (clear) rptest::ClickItem(dialog, IDC_FORM_CLEAR);
                if (left) SetDlgItemTextA(dialog, IDC_LEFT_MARGIN_EDIT, left);
                if (right) SetDlgItemTextA(dialog, IDC_RIGHT_MARGIN_EDIT, right);
            },
            press);
    }

    rptest::MessageBoxRecorder boxes;
    PanelRig rig;
    std::string formName;
};

TEST_F(FormatAndFontPages, FormDialogRefusesTheMarginsInItsOrderAndStoresOnlyOnOk) {
    PanelSettings.FormSelect = 0;
    HWND page = Page(1);
    EXPECT_FALSE(rptest::ItemEnabled(page, IDC_FORM_SETTINGS));
    // 書式２ chosen on the page: the dialog edits form 2 before the page is collected.
    SendDlgItemMessageA(page, IDC_FORM_SELECT, CB_SETCURSEL, 2, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_FORM_SELECT, CBN_SELCHANGE), 0);
    ASSERT_TRUE(rptest::ItemEnabled(page, IDC_FORM_SETTINGS));
    rig.notices.clear();

    struct Case {
        const char* left;
        const char* right;
        UINT text;
    };
    const Case refused[] = {
        {"5", "0", IDS_LEFT_ABOVE_RIGHT},  // before the right margin's range check
        {"20", "10", IDS_LEFT_ABOVE_RIGHT},  {"10", "10", IDS_RIGHT_NOT_ABOVE_LEFT},
        {"136", "136", IDS_BAD_LEFT_MARGIN}, {"0", "137", IDS_BAD_RIGHT_MARGIN},
        {"", "136", IDS_BAD_LEFT_MARGIN},
    };
    const FormSettings before = PanelSettings.Forms[1];
    for (const Case& c : refused) {
        boxes.Clear();
        RunFormDialog(page, c.left, c.right, IDOK);
        ASSERT_EQ(boxes.Count(), 1u) << c.left << "/" << c.right;
        EXPECT_EQ(boxes.Boxes()[0].text, rptest::ProgramString(c.text)) << c.left << "/" << c.right;
    }
    EXPECT_EQ(formName, "書式２");
    EXPECT_EQ(std::memcmp(&before, &PanelSettings.Forms[1], sizeof before), 0);
    EXPECT_TRUE(rig.notices.empty());

    // クリア then キャンセル stores nothing; クリア then OK stores the initial form.
    PanelSettings.Forms[1] = {12, 1, 2, 3, 4, 5, 60, 11};
    RunFormDialog(page, nullptr, nullptr, IDCANCEL, true);
    EXPECT_EQ(PanelSettings.Forms[1].PageLength, 12);
    EXPECT_TRUE(rig.notices.empty());
    RunFormDialog(page, nullptr, nullptr, IDOK, true);
    const FormSettings initial = InitialFormSettings();
    EXPECT_EQ(std::memcmp(&initial, &PanelSettings.Forms[1], sizeof initial), 0);
    EXPECT_EQ(rig.notices, std::vector<HWND>{page});
}

TEST_F(FormatAndFontPages, ARefusedPageLengthBringsTheFormatTabBackWithTheFocusOnIt) {
    HWND page = Page(1);
    SendDlgItemMessageA(page, IDC_FEED_FRONT, CB_SETCURSEL, 3, 0);
    SetDlgItemTextA(page, IDC_PAGE_LENGTH_EDIT, "0");
    rig.ChangeTabLikeUser(2);
    ASSERT_EQ(rig.Pages().CurrentPage, rig.Page(2));
    EXPECT_EQ(CollectPages(rig.Panel()), 0);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(rig.SelectedTab(), 1);
    EXPECT_EQ(rig.Pages().CurrentPage, page);
    EXPECT_TRUE(IsWindowVisible(page));
    EXPECT_EQ(GetFocus(), GetDlgItem(page, IDC_PAGE_LENGTH_EDIT));
    EXPECT_EQ(PanelSettings.FeedPosContFront, 3) << "what came before the refused entry is stored";
}

TEST_F(FormatAndFontPages, NoRefreshSwallowsTheNextEdit) {
    HWND page = Page(1);
    for (int32_t length : {66, 66, 12}) {
        PanelSettings.PageLength = length;
        SendMessageA(page, WM_PAGE_REFRESH, 0, 0);
    }
    EXPECT_TRUE(rig.notices.empty()) << "a refresh is not the user's change";
    SetDlgItemTextA(page, IDC_CUT_OFFSET_EDIT, "11");
    EXPECT_EQ(rig.notices, std::vector<HWND>{page});
    EXPECT_EQ(rptest::WindowText(GetDlgItem(page, IDC_CUT_OFFSET_SIZE)), "A4ヨコ");
    SetDlgItemTextA(page, IDC_PAGE_LENGTH_EDIT, "13");
    EXPECT_EQ(rig.notices.size(), 2u);
}

}  // namespace
