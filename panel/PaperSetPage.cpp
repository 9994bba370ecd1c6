#include "panel/PaperSetPage.h"

#include <cstddef>

#include "res/resource.h"

namespace {

using S = PanelSettingsRecord;

// Enabled by a refresh with loaded settings, disabled on request (the two icons are not in it).
constexpr int kControls[] = {
    IDC_PAPER_SET_GROUP,   IDC_PAPER_SET_CENTER, IDC_PAPER_SET_LEFT, IDC_POSTCARD_MODE,  IDC_PERFORATION_SKIP,
    IDC_HEAD_CENTER_GROUP, IDC_HC_CUT_LABEL,     IDC_HC_CUT_EDIT,    IDC_HC_CUT_SPIN,    IDC_HC_CUT_UNIT,
    IDC_HC_FRONT_LABEL,    IDC_HC_FRONT_EDIT,    IDC_HC_FRONT_SPIN,  IDC_HC_FRONT_UNIT,  IDC_HC_REAR_LABEL,
    IDC_HC_REAR_EDIT,      IDC_HC_REAR_SPIN,     IDC_HC_REAR_UNIT,   IDC_PAPER_ADVANCED,
};

constexpr CheckBinding kChecks[] = {
    {IDC_POSTCARD_MODE, SettingSwitch::IsOne(FieldAt(offsetof(S, PostcardMode)))},
    {IDC_PERFORATION_SKIP, SettingSwitch::BitSet(PerforationSkip)},
};

constexpr RadioPairBinding kPairs[] = {
    {IDC_PAPER_SET_LEFT, IDC_PAPER_SET_CENTER, IDC_PAPER_SET_CENTER,
     SettingSwitch::NonZero(FieldAt(offsetof(S, PaperSetCenter)))},
};

constexpr NumberBinding kNumbers[] = {
    {IDC_HC_CUT_EDIT, IDC_HC_CUT_SPIN, FieldAt(offsetof(S, HeadCenterCutSheet)), HeadCenterFrontRange,
     IDS_BAD_HEAD_CENTERING},
    {IDC_HC_FRONT_EDIT, IDC_HC_FRONT_SPIN, FieldAt(offsetof(S, HeadCenterContFront)), HeadCenterFrontRange,
     IDS_BAD_HEAD_CENTERING},
    {IDC_HC_REAR_EDIT, IDC_HC_REAR_SPIN, FieldAt(offsetof(S, HeadCenterContRear)), HeadCenterRearRange,
     IDS_BAD_HEAD_CENTERING},
};

constexpr uint16_t kPaperSetIcons[] = {IDI_PAPER_SET_LEFT, IDI_PAPER_SET_CENTER};
constexpr uint16_t kPerforationIcons[] = {IDI_PERFORATION_OFF, IDI_PERFORATION_SKIP};
constexpr IconBinding kIcons[] = {
    {IDC_PAPER_SET_ICON, IDC_PAPER_SET_CENTER, kPaperSetIcons},
    {IDC_PERFORATION_ICON, IDC_PERFORATION_SKIP, kPerforationIcons},
};

// ---- PaperAdvancedDialog ---------------------------------------------------------------------

constexpr CheckBinding kRememberFeedPosition[] = {
    {IDC_REMEMBER_FEED_POS, SettingSwitch::BitCleared(NoFeedPosMemory)},
};
// A thickness outside 1..12 shows "オート" (entry 0).
constexpr ListBinding kThickness[] = {
    {IDC_THICKNESS_LIST, FieldAt(offsetof(S, PaperThickness)), &PaperThicknessList, ListHolds::Index, 0,
     false},
};

constexpr DetailButton kDetailButtons[] = {{IDC_PAPER_ADVANCED, &PaperAdvancedDialog}};

}  // namespace

const DetailDialogDefinition PaperAdvancedDialog{
    .TemplateId = IDD_PAPER_ADVANCED,
    .Bindings = {.Checks = kRememberFeedPosition, .Lists = kThickness},
};

const PageDefinition PaperSetPage{
    .TemplateId = IDD_PAPER_PAGE,
    .TitleId = IDS_TAB_PAPER,
    .IconId = IDI_TAB_PAPER,
    .Controls = kControls,
    .Bindings = {.Checks = kChecks, .RadioPairs = kPairs, .Numbers = kNumbers, .Icons = kIcons},
    .DetailButtons = kDetailButtons,
    .EditChangeCode = EN_UPDATE,
};
