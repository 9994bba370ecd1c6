// Every bound control of the pages and their detail dialogs, as a table: a stored value, what
// the control shows for it, and what is collected back (or the message that refuses it). The
// rows follow the settings' own tables: inverted senses, values shown as another entry, values
// outside a control's range that must be shown as they are and refused only when collected.
// After the table, the traps it cannot show: interleaved pairs, the DOS dialog's early notice.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "PanelRig.h"
#include "base/Messages.h"
#include "panel/SettingBindings.h"
#include "panel/TabPages.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"
#include "tests/support/PageItems.h"

namespace {

using rptest::PanelRig;

constexpr int32_t kRefused = INT32_MIN;

// Where a row's setting lives: PanelSettings, or for the form dialog's settings stored form 2
// (the form the rows open the dialog on).
EditedRecord RecordOf(SettingId id) {
    if (!Describe(id).Field.InForm) return CurrentSettingsRecord();
    return {&PanelSettings.Forms[1], &FeedPosOther[FeedPosOtherSlot(FeedGroupForm(1), FeedPathContFront)]};
}

enum class View { Checked, Selection, Text, Icon };

struct Row {
    const char* what;
    int tab;
    int opener;  // 0: the control is on the page; else the page's button that opens its dialog
    SettingId setting;
    int32_t stored;
    std::vector<int> controls;  // Checked: the buttons of the pair or group; else one control
    View view;
    int32_t shownIndex;     // Checked: which of `controls` is checked (-1 none); Selection: the
                            // entry; Icon: the icon resource the static shows
    const char* shownText;  // Text
    int32_t collected;      // kRefused: the collect or OK is refused
    int otherSlot = -1;     // a FeedPosOther slot given a value for the row
    int32_t otherValue = 0;
};

std::string Shown(HWND window, const Row& row) {
    switch (row.view) {
        case View::Checked: {
            int checked = -1, count = 0;
            for (size_t i = 0; i < row.controls.size(); ++i) {
                if (IsDlgButtonChecked(window, row.controls[i]) == BST_CHECKED) {
                    checked = static_cast<int>(i);
                    ++count;
                }
            }
            return count > 1 ? "several" : std::to_string(checked);
        }
        case View::Selection:
            return std::to_string(SendDlgItemMessageA(window, row.controls[0], CB_GETCURSEL, 0, 0));
        case View::Text:
            return rptest::WindowText(GetDlgItem(window, row.controls[0]));
        case View::Icon: {
            const auto shown =
                reinterpret_cast<HICON>(SendDlgItemMessageA(window, row.controls[0], STM_GETICON, 0, 0));
            for (int id = 200; id < 250; ++id) {
                if (shown && shown == rptest::PageIcon(id)) return std::to_string(id);
            }
            return "none";
        }
    }
    return "";
}

std::string Expected(const Row& row) {
    return row.view == View::Text ? std::string(row.shownText) : std::to_string(row.shownIndex);
}

// One case per line, as a table.
// clang-format off
const std::vector<Row>& Rows() {
    static const std::vector<Row> rows = {
        // 用紙: a head-centering column from the printer is shown as it is, refused on collect.
        {"head cut sheet 5", 0, 0, SettingId::HeadCenterCutSheet, 5, {IDC_HC_CUT_EDIT}, View::Text, 0, "5", kRefused},
        {"head rear 127", 0, 0, SettingId::HeadCenterContRear, 127, {IDC_HC_REAR_EDIT}, View::Text, 0, "127", kRefused},
        {"head front 68", 0, 0, SettingId::HeadCenterContFront, 68, {IDC_HC_FRONT_EDIT}, View::Text, 0, "68", 68},
        {"paper set 2", 0, 0, SettingId::PaperSetCenter, 2, {IDC_PAPER_SET_LEFT, IDC_PAPER_SET_CENTER}, View::Checked, 1, nullptr, 1},
        {"thickness 13", 0, IDC_PAPER_ADVANCED, SettingId::PaperThickness, 13, {IDC_THICKNESS_LIST}, View::Selection, 0, nullptr, 0},
        // 書式
        {"feed front 0", 1, 0, SettingId::FeedPosContFront, 0, {IDC_FEED_FRONT}, View::Selection, 0, nullptr, 0},
        {"feed rear 7", 1, 0, SettingId::FeedPosContRear, 7, {IDC_FEED_REAR}, View::Selection, 7, nullptr, 7},
        {"feed front other 100", 1, 0, SettingId::FeedPosContFront, 8, {IDC_FEED_FRONT}, View::Text, 0, "100/120インチ", 8, 0, 100},
        {"feed front other, slot 0", 1, 0, SettingId::FeedPosContFront, 8, {IDC_FEED_FRONT}, View::Selection, -1, nullptr, 8},
        {"feed cut other 77", 1, 0, SettingId::FeedPosCutSheet, 9, {IDC_FEED_CUT}, View::Selection, 9, nullptr, 9, 2, 77},
        {"feed postcard 8", 1, 0, SettingId::FeedPosPostcard, 8, {IDC_FEED_POSTCARD}, View::Selection, 8, nullptr, 8},
        {"page length 1", 1, 0, SettingId::PageLength, 1, {IDC_PAGE_LENGTH_EDIT}, View::Text, 0, "1", 1},
        {"page length 99", 1, 0, SettingId::PageLength, 99, {IDC_PAGE_LENGTH_EDIT}, View::Text, 0, "99", 99},
        {"page length 100", 1, 0, SettingId::PageLength, 100, {IDC_PAGE_LENGTH_EDIT}, View::Text, 0, "100", kRefused},
        {"page length 0", 1, 0, SettingId::PageLength, 0, {IDC_PAGE_LENGTH_EDIT}, View::Text, 0, "0", kRefused},
        {"correction 68", 1, 0, SettingId::CutSheetOffset, 68, {IDC_CUT_OFFSET_EDIT}, View::Text, 0, "68", 68},
        {"correction 69", 1, 0, SettingId::CutSheetOffset, 69, {IDC_CUT_OFFSET_EDIT}, View::Text, 0, "69", kRefused},
        {"correction 28 names A4", 1, 0, SettingId::CutSheetOffset, 28, {IDC_CUT_OFFSET_SIZE}, View::Text, 0, "A4タテ", 28},
        {"correction 29 names none", 1, 0, SettingId::CutSheetOffset, 29, {IDC_CUT_OFFSET_SIZE}, View::Text, 0, "     ", 29},
        {"form select 4", 1, 0, SettingId::FormSelect, 4, {IDC_FORM_SELECT}, View::Selection, 4, nullptr, 4},
        {"form select 7", 1, 0, SettingId::FormSelect, 7, {IDC_FORM_SELECT}, View::Selection, -1, nullptr, 7},
        // The form dialog, on form 2.
        {"form page length 100", 1, IDC_FORM_SETTINGS, SettingId::FormPageLength, 100, {IDC_FORM_PAGE_LENGTH_EDIT}, View::Text, 0, "100", kRefused},
        {"form page length 99", 1, IDC_FORM_SETTINGS, SettingId::FormPageLength, 99, {IDC_FORM_PAGE_LENGTH_EDIT}, View::Text, 0, "99", 99},
        {"form left 135", 1, IDC_FORM_SETTINGS, SettingId::FormLeftMargin, 135, {IDC_LEFT_MARGIN_EDIT}, View::Text, 0, "135", 135},
        {"form left 136", 1, IDC_FORM_SETTINGS, SettingId::FormLeftMargin, 136, {IDC_LEFT_MARGIN_EDIT}, View::Text, 0, "136", kRefused},
        {"form right 1", 1, IDC_FORM_SETTINGS, SettingId::FormRightMargin, 1, {IDC_RIGHT_MARGIN_EDIT}, View::Text, 0, "1", 1},
        {"form right 137", 1, IDC_FORM_SETTINGS, SettingId::FormRightMargin, 137, {IDC_RIGHT_MARGIN_EDIT}, View::Text, 0, "137", kRefused},
        {"form correction 50", 1, IDC_FORM_SETTINGS, SettingId::FormCutSheetOffset, 50, {IDC_FORM_CUT_OFFSET_SIZE}, View::Text, 0, "ハガキ", 50},
        {"form feed rear 3", 1, IDC_FORM_SETTINGS, SettingId::FormFeedPosContRear, 3, {IDC_FORM_FEED_REAR}, View::Selection, 3, nullptr, 3},
        {"form feed postcard other 33", 1, IDC_FORM_SETTINGS, SettingId::FormFeedPosPostcard, 9, {IDC_FORM_FEED_POSTCARD}, View::Selection, 9, nullptr, 9, 11, 33},
        // フォント
        {"typeface 0", 2, 0, SettingId::Typeface, 0, {IDC_TYPEFACE_MINCHO, IDC_TYPEFACE_GOTHIC}, View::Checked, 0, nullptr, 0},
        {"typeface 5", 2, 0, SettingId::Typeface, 5, {IDC_TYPEFACE_MINCHO, IDC_TYPEFACE_GOTHIC}, View::Checked, 1, nullptr, 1},
        {"font 1 = 4", 2, 0, SettingId::Font1, 4, {IDC_FONT1}, View::Selection, 4, nullptr, 4},
        {"font 1 = 7 kept", 2, 0, SettingId::Font1, 7, {IDC_FONT1}, View::Selection, -1, nullptr, 7},
        {"font 2 = 2", 2, 0, SettingId::Font2, 2, {IDC_FONT2}, View::Selection, 2, nullptr, 2},
        {"slash single", 2, 0, SettingId::SlashZeroSingle, 1, {IDC_SLASH_ZERO_SINGLE}, View::Checked, 0, nullptr, 1},
        {"slash double off", 2, 0, SettingId::SlashZeroDouble, 0, {IDC_SLASH_ZERO_DOUBLE}, View::Checked, -1, nullptr, 0},
        {"slash double icon", 2, 0, SettingId::SlashZeroDouble, 1, {IDC_SLASH_ZERO_DOUBLE_ICON}, View::Icon, IDI_ZERO_DOUBLE_SLASHED, nullptr, 1},
        {"typeface icon", 2, 0, SettingId::Typeface, 1, {IDC_TYPEFACE_ICON}, View::Icon, IDI_FACE_GOTHIC, nullptr, 1},
        {"perforation icon", 0, 0, SettingId::PerforationSkip, 1, {IDC_PERFORATION_ICON}, View::Icon, IDI_PERFORATION_SKIP, nullptr, 1},
        {"country 0", 2, IDC_FONT_ADVANCED, SettingId::IntlCharSet, 0, {IDC_INTL_CHARSET}, View::Selection, 0, nullptr, 0},
        {"country 3", 2, IDC_FONT_ADVANCED, SettingId::IntlCharSet, 3, {IDC_INTL_CHARSET}, View::Selection, 2, nullptr, 3},
        {"country 1 as Sweden", 2, IDC_FONT_ADVANCED, SettingId::IntlCharSet, 1, {IDC_INTL_CHARSET}, View::Selection, 4, nullptr, 5},
        {"country 7 as Sweden", 2, IDC_FONT_ADVANCED, SettingId::IntlCharSet, 7, {IDC_INTL_CHARSET}, View::Selection, 4, nullptr, 5},
        {"kanji 1", 2, IDC_FONT_ADVANCED, SettingId::KanjiCodeTable, 1, {IDC_KANJI_1978, IDC_KANJI_1983, IDC_KANJI_1990}, View::Checked, 1, nullptr, 1},
        {"kanji 3 checks none", 2, IDC_FONT_ADVANCED, SettingId::KanjiCodeTable, 3, {IDC_KANJI_1978, IDC_KANJI_1983, IDC_KANJI_1990}, View::Checked, -1, nullptr, 2},
        // 印刷: the reduction by index with its icon; a value outside the list is kept.
        {"reduction 9 kept", 3, 0, SettingId::Reduction, 9, {IDC_REDUCTION}, View::Selection, -1, nullptr, 9},
        {"reduction 0 icon", 3, 0, SettingId::Reduction, 0, {IDC_REDUCTION_ICON}, View::Icon, IDI_REDUCE_NONE, nullptr, 0},
        {"reduction 1 icon", 3, 0, SettingId::Reduction, 1, {IDC_REDUCTION_ICON}, View::Icon, IDI_REDUCE_2_3_LEFT, nullptr, 1},
        {"reduction 2 icon", 3, 0, SettingId::Reduction, 2, {IDC_REDUCTION_ICON}, View::Icon, IDI_REDUCE_2_3_CENTRE, nullptr, 2},
        {"reduction 3 icon", 3, 0, SettingId::Reduction, 3, {IDC_REDUCTION_ICON}, View::Icon, IDI_REDUCE_4_5_LEFT, nullptr, 3},
        {"reduction 4 icon", 3, 0, SettingId::Reduction, 4, {IDC_REDUCTION_ICON}, View::Icon, IDI_REDUCE_4_5_CENTRE, nullptr, 4},
        {"reduction 9 keeps the icon of the row before", 3, 0, SettingId::Reduction, 9, {IDC_REDUCTION_ICON}, View::Icon, IDI_REDUCE_4_5_CENTRE, nullptr, 9},
        {"both ways", 3, 0, SettingId::Bidirectional, 1, {IDC_DIRECTION_ONE_WAY, IDC_DIRECTION_TWO_WAY}, View::Checked, 1, nullptr, 1},
        {"both ways icon", 3, 0, SettingId::Bidirectional, 1, {IDC_DIRECTION_ICON}, View::Icon, IDI_DIRECTION_TWO_WAY, nullptr, 1},
        {"one way icon", 3, 0, SettingId::Bidirectional, 0, {IDC_DIRECTION_ICON}, View::Icon, IDI_DIRECTION_ONE_WAY, nullptr, 0},
        {"quiet 2 is off", 3, 0, SettingId::QuietPrint, 2, {IDC_QUIET_PRINT}, View::Checked, -1, nullptr, 0},
        {"pressure -6", 3, IDC_PRINT_ADVANCED, SettingId::PressureAdjust, 0xFA, {IDC_PRESSURE}, View::Selection, 9, nullptr, 250},
        {"pressure 0x7F as 0", 3, IDC_PRINT_ADVANCED, SettingId::PressureAdjust, 0x7F, {IDC_PRESSURE}, View::Selection, 3, nullptr, 0},
        {"pressure low byte -1", 3, IDC_PRINT_ADVANCED, SettingId::PressureAdjust, 0x1FF, {IDC_PRESSURE}, View::Selection, 4, nullptr, 255},
        {"position -1.3mm", 3, IDC_PRINT_ADVANCED, SettingId::PositionAdjust, 253, {IDC_POSITION}, View::Selection, 6, nullptr, 253},
        {"position 252 as 0mm", 3, IDC_PRINT_ADVANCED, SettingId::PositionAdjust, 252, {IDC_POSITION}, View::Selection, 0, nullptr, 0},
        // The DOS dialog: set DosUnidirectional is its FIRST button.
        {"dos HS pica", 3, IDC_DOS_ENVIRONMENT, SettingId::DosHsPica, 1, {IDC_DOS_HD_PICA, IDC_DOS_HS_PICA}, View::Checked, 1, nullptr, 1},
        {"dos one way", 3, IDC_DOS_ENVIRONMENT, SettingId::DosUnidirectional, 1, {IDC_DOS_ONE_WAY, IDC_DOS_TWO_WAY_SHORTEST}, View::Checked, 0, nullptr, 1},
        {"dos one way icon", 3, IDC_DOS_ENVIRONMENT, SettingId::DosUnidirectional, 1, {IDC_DOS_DIRECTION_ICON}, View::Icon, IDI_DIRECTION_ONE_WAY, nullptr, 1},
        {"dos shortest icon", 3, IDC_DOS_ENVIRONMENT, SettingId::DosUnidirectional, 0, {IDC_DOS_DIRECTION_ICON}, View::Icon, IDI_DIRECTION_TWO_WAY, nullptr, 0},
        {"dos feeder codes", 3, IDC_DOS_ENVIRONMENT, SettingId::SheetFeederEscAll, 1, {IDC_DOS_FEEDER_ESC_A, IDC_DOS_FEEDER_ESC_ALL}, View::Checked, 1, nullptr, 1},
        {"dos copy mode", 3, IDC_DOS_ENVIRONMENT, SettingId::DotGraphicsCopy, 1, {IDC_DOS_GRAPHICS_NATIVE, IDC_DOS_GRAPHICS_COPY}, View::Checked, 1, nullptr, 1},
        {"dos draft", 3, IDC_DOS_ENVIRONMENT, SettingId::DraftAtPowerOn, 1, {IDC_DOS_DRAFT_AT_POWER_ON}, View::Checked, 0, nullptr, 1},
        // 動作環境 and its dialog: set SheetFeederControl is the FIRST button.
        {"rear eject", 4, 0, SettingId::CutSheetRearEject, 1, {IDC_EJECT_FRONT, IDC_EJECT_REAR}, View::Checked, 1, nullptr, 1},
        {"no edge detection", 4, 0, SettingId::NoEdgeDetect, 1, {IDC_EDGE_DETECT, IDC_EDGE_NO_DETECT}, View::Checked, 1, nullptr, 1},
        {"sheet guide by switch", 4, 0, SettingId::SheetGuideBySwitch, 1, {IDC_SHEET_GUIDE_AUTO, IDC_SHEET_GUIDE_SWITCH}, View::Checked, 1, nullptr, 1},
        {"feeder rear fixed", 4, IDC_ENVIRONMENT_ADVANCED, SettingId::SheetFeederRearFixed, 1, {IDC_FEEDER_EJECT_AS_SET, IDC_FEEDER_EJECT_REAR}, View::Checked, 1, nullptr, 1},
        {"feeder control on", 4, IDC_ENVIRONMENT_ADVANCED, SettingId::SheetFeederControl, 1, {IDC_FEEDER_CONTROL_ON, IDC_FEEDER_CONTROL_OFF}, View::Checked, 0, nullptr, 1},
        {"80 columns", 4, IDC_ENVIRONMENT_ADVANCED, SettingId::Columns80, 1, {IDC_COLUMNS_136, IDC_COLUMNS_80}, View::Checked, 1, nullptr, 1},
        {"CR is CR+LF", 4, IDC_ENVIRONMENT_ADVANCED, SettingId::CrIsCrLf, 1, {IDC_CR_RETURN_ONLY, IDC_CR_RETURN_LINE_FEED}, View::Checked, 1, nullptr, 1},
        {"auto CR only", 4, IDC_ENVIRONMENT_ADVANCED, SettingId::AutoCrOnly, 1, {IDC_AUTO_CR_LINE_FEED, IDC_AUTO_CR_RETURN_ONLY}, View::Checked, 1, nullptr, 1},
        {"print on CR+other", 5, 0, SettingId::PrintCmdCrOther, 1, {IDC_PRINT_CMD_CR, IDC_PRINT_CMD_CR_OTHER}, View::Checked, 1, nullptr, 1},
        {"DC1/DC3 disabled", 5, 0, SettingId::Dc1Dc3Disabled, 1, {IDC_DC1_DC3_ENABLED, IDC_DC1_DC3_DISABLED}, View::Checked, 1, nullptr, 1},
        {"7-bit data", 5, 0, SettingId::SevenBitData, 1, {IDC_DATA_8_BIT, IDC_DATA_7_BIT}, View::Checked, 1, nullptr, 1},
    };
    return rows;
}
// clang-format on

constexpr int kDisabledGroup = 100;  // added to the count of a group whose buttons are disabled

// How many buttons are checked in each group of auto radio buttons, in template order.
std::vector<int> CheckedPerGroup(HWND window) {
    std::vector<int> counts;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!(SendMessageA(child, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)) continue;
        if ((GetWindowLongA(child, GWL_STYLE) & WS_GROUP) || counts.empty())
            counts.push_back(IsWindowEnabled(child) ? 0 : kDisabledGroup);
        counts.back() += IsDlgButtonChecked(window, GetDlgCtrlID(child)) == BST_CHECKED ? 1 : 0;
    }
    return counts;
}

// A user's click on every enabled radio button and a new choice in every list of a dialog.
void ChangeEverything(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[16] = "";
        GetClassNameA(child, name, sizeof name);
        if (IsWindowEnabled(child) && (SendMessageA(child, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON))
            SendMessageA(child, BM_CLICK, 0, 0);
        if (lstrcmpiA(name, "ComboBox") != 0 || SendMessageA(child, CB_SETCURSEL, 0, 0) != 0) continue;
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(child));
    }
}

class PageBindings : public ::testing::Test {
protected:
    PageBindings() : rig(false) {}

    HWND Page(int tab) {
        ShowPage(rig.Panel(), tab);
        return rig.Page(tab);
    }

    rptest::MessageBoxRecorder boxes;
    PanelRig rig;
};

TEST_F(PageBindings, EveryRowShowsItsValueAndCollectsItBack) {
    for (const Row& row : Rows()) {
        const EditedRecord settings = RecordOf(row.setting);
        const SettingDescription& setting = Describe(row.setting);
        LoadInitialSettings();
        for (int32_t& slot : FeedPosOther) slot = 0;
        if (row.otherSlot >= 0) FeedPosOther[row.otherSlot] = row.otherValue;
        PanelSettings.FormSelect = 2;
        StoreSetting(settings, setting, row.stored);
        const int32_t before = ReadSetting(settings, setting);
        HWND page = Page(row.tab);
        SendMessageA(page, WM_PAGE_REFRESH, 0, 0);
        boxes.Clear();
        int32_t collected = kRefused;
        if (row.opener == 0) {
            EXPECT_EQ(Shown(page, row), Expected(row)) << row.what;
            int32_t flag = -1;
            SendMessageA(page, WM_PAGE_COLLECT, 0, reinterpret_cast<LPARAM>(&flag));
            if (flag == 1) collected = ReadSetting(settings, setting);
        } else {
            std::string shown = "no dialog";
            rptest::RunDetailDialogFrom(
                boxes, page, row.opener, [&](HWND dialog) { shown = Shown(dialog, row); }, IDOK);
            EXPECT_EQ(shown, Expected(row)) << row.what;
            if (boxes.Count() == 0) collected = ReadSetting(settings, setting);
        }
        EXPECT_EQ(collected, row.collected) << row.what;
        EXPECT_EQ(boxes.Count(), row.collected == kRefused ? 1u : 0u) << row.what;
        if (row.collected == kRefused) {
            EXPECT_EQ(ReadSetting(settings, setting), before)
                << row.what << ": a refused entry is not stored";
        }
    }
}

// With every switch set, then clear: Cancel after a change of everything stores nothing and only
// the DOS direction has told the panel; OK and collect keep every bit, one button of a pair checked.
TEST_F(PageBindings, CancelStoresNothingAndOkShowsAndKeepsEverySwitch) {
    const struct {
        int tab, opener;
        std::vector<int> checked;
    } places[] = {{3, 0, {1}},
                  {3, IDC_DOS_ENVIRONMENT, {1, kDisabledGroup, 1, 1, 1}},
                  {3, IDC_PRINT_ADVANCED, {}},
                  {4, 0, {1, 1, 1}},
                  {4, IDC_ENVIRONMENT_ADVANCED, {1, 1, 1, 1, 1}},
                  {5, 0, {1, 1, 1}}};
    for (const int32_t bits : {static_cast<int32_t>(~SwitchBitsWithoutControl), 0}) {  // no byte 0xFF
        for (const auto& place : places) {
            PanelSettings.SwitchBits = bits;
            HWND page = Page(place.tab), dialog = nullptr;
            SendMessageA(page, WM_PAGE_REFRESH, 0, 0);
            std::vector<int> shown = CheckedPerGroup(page);
            SendMessageA(page, WM_PAGE_COLLECT, 0, 0);
            if (place.opener) {
                const PanelSettingsRecord before = PanelSettings;
                rig.notices.clear();
                rptest::RunDetailDialogFrom(
                    boxes, page, place.opener, [&](HWND d) { ChangeEverything(dialog = d); }, IDCANCEL);
                EXPECT_EQ(std::memcmp(&before, &PanelSettings, sizeof before), 0) << place.opener;
                EXPECT_EQ(rig.notices, std::vector<HWND>(place.opener == IDC_DOS_ENVIRONMENT ? 2 : 0, dialog))
                    << place.opener;
                rptest::RunDetailDialogFrom(
                    boxes, page, place.opener, [&](HWND d) { shown = CheckedPerGroup(d); }, IDOK);
            }
            EXPECT_EQ(shown, place.checked)
                << place.tab << "/" << place.opener << " bits " << std::hex << bits;
            EXPECT_EQ(PanelSettings.SwitchBits, bits) << place.tab << "/" << place.opener;
        }
    }
}

}  // namespace
