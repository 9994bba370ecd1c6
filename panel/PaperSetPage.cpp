#include "panel/PaperSetPage.h"

#include "panel/PageKit.h"
#include "res/resource.h"

namespace {

constexpr int kPaperTab = 0;

// Enabled by a refresh with loaded settings, disabled on request (the two icons are not in it).
constexpr int kControls[] = {
    IDC_PAPER_SET_GROUP, IDC_PAPER_SET_CENTER, IDC_PAPER_SET_LEFT, IDC_POSTCARD_MODE,
    IDC_PERFORATION_SKIP, IDC_HEAD_CENTER_GROUP, IDC_HC_CUT_LABEL,  IDC_HC_CUT_EDIT,
    IDC_HC_CUT_SPIN,      IDC_HC_CUT_UNIT,       IDC_HC_FRONT_LABEL, IDC_HC_FRONT_EDIT,
    IDC_HC_FRONT_SPIN,    IDC_HC_FRONT_UNIT,     IDC_HC_REAR_LABEL, IDC_HC_REAR_EDIT,
    IDC_HC_REAR_SPIN,     IDC_HC_REAR_UNIT,      IDC_PAPER_ADVANCED,
};

constexpr RadioPairBinding kPaperSet{IDC_PAPER_SET_LEFT, IDC_PAPER_SET_CENTER, IDC_PAPER_SET_CENTER,
                                     SettingSwitch::NonZero(&PanelSettingsRecord::PaperSetCenter)};
constexpr IconPair kPaperSetIcon{IDC_PAPER_SET_ICON, IDI_PAPER_SET_LEFT, IDI_PAPER_SET_CENTER};

constexpr CheckBinding kPostcardMode{IDC_POSTCARD_MODE,
                                     SettingSwitch::IsOne(&PanelSettingsRecord::PostcardMode)};
constexpr CheckBinding kPerforationSkip{IDC_PERFORATION_SKIP, SettingSwitch::BitSet(PerforationSkip)};
constexpr IconPair kPerforationIcon{IDC_PERFORATION_ICON, IDI_PERFORATION_OFF, IDI_PERFORATION_SKIP};

// The head-centering columns, in the order they are collected.
constexpr NumberBinding<PanelSettingsRecord> kHeadCentering[] = {
    {IDC_HC_CUT_EDIT, IDC_HC_CUT_SPIN, &PanelSettingsRecord::HeadCenterCutSheet, 10, 68},
    {IDC_HC_FRONT_EDIT, IDC_HC_FRONT_SPIN, &PanelSettingsRecord::HeadCenterContFront, 10, 68},
    {IDC_HC_REAR_EDIT, IDC_HC_REAR_SPIN, &PanelSettingsRecord::HeadCenterContRear, 68, 126},
};

void Fill(HWND page) {
    ShowNumbers(page, kHeadCentering);
    ShowRadioPair(page, kPaperSet);
    ShowIconPair(page, kPaperSetIcon, SettingIsOn(PanelSettings, kPaperSet.Setting));
    ShowCheck(page, kPostcardMode);
    ShowCheck(page, kPerforationSkip);
    ShowIconPair(page, kPerforationIcon, SettingIsOn(PanelSettings, kPerforationSkip.Setting));
}

bool Collect(HWND page) {
    CollectRadioPair(page, kPaperSet);
    CollectCheck(page, kPostcardMode);
    CollectCheck(page, kPerforationSkip);
    for (const auto& number : kHeadCentering) {
        if (!CollectNumber(page, number, PanelSettings)) {
            RejectEntry(page, kPaperTab, IDS_BAD_HEAD_CENTERING, number.EditId);
            return false;
        }
    }
    return true;
}

bool IsHeadCenteringEdit(int id) {
    for (const auto& number : kHeadCentering) {
        if (number.EditId == id) return true;
    }
    return false;
}

bool IsHeadCenteringSpin(int id) {
    for (const auto& number : kHeadCentering) {
        if (number.SpinId == id) return true;
    }
    return false;
}

void Command(HWND page, int id, int code) {
    if (IsHeadCenteringEdit(id)) {
        if (code == EN_UPDATE && !ConsumeIgnoredEditUpdate(page)) NotifySettingsChanged(page);
        return;
    }
    if (code != BN_CLICKED) return;
    switch (id) {
        case IDC_PAPER_SET_CENTER:
        case IDC_PAPER_SET_LEFT:
            ShowIconPair(page, kPaperSetIcon, IsChecked(page, IDC_PAPER_SET_CENTER));
            NotifySettingsChanged(page);
            break;
        case IDC_POSTCARD_MODE:
            NotifySettingsChanged(page);
            break;
        case IDC_PERFORATION_SKIP:
            ShowIconPair(page, kPerforationIcon, IsChecked(page, IDC_PERFORATION_SKIP));
            NotifySettingsChanged(page);
            break;
        case IDC_PAPER_ADVANCED:
            OpenDetailDialog(page, IDD_PAPER_ADVANCED, PaperAdvancedDialog);
            break;
        default:
            break;
    }
}

void Scroll(HWND page, int id) {
    if (IsHeadCenteringSpin(id)) NotifySettingsChanged(page);
}

constexpr PageDefinition kPage{kPaperTab, kControls, Fill, Collect, Command, Scroll};

// ---- PaperAdvancedDialog ---------------------------------------------------------------------

constexpr CheckBinding kRememberFeedPosition{IDC_REMEMBER_FEED_POS,
                                             SettingSwitch::BitCleared(NoFeedPosMemory)};
// A thickness outside 1..12 shows "オート" (entry 0).
const ListBinding kThickness{IDC_THICKNESS_LIST, &PanelSettingsRecord::PaperThickness,
                             &PaperThicknessList, ListHolds::Index, 0};

void FillAdvanced(HWND dialog) {
    ShowCheck(dialog, kRememberFeedPosition);
    ShowList(dialog, kThickness);
}

bool StoreAdvanced(HWND dialog) {
    CollectCheck(dialog, kRememberFeedPosition);
    CollectList(dialog, kThickness);
    return true;
}

constexpr DetailDialogDefinition kAdvanced{FillAdvanced, StoreAdvanced, nullptr};

}  // namespace

INT_PTR CALLBACK PaperSetPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunPage(kPage, page, message, wParam, lParam);
}

INT_PTR CALLBACK PaperAdvancedDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunDetailDialog(kAdvanced, dialog, message, wParam, lParam);
}
