#include "panel/PaperSetPage.h"

#include <cstddef>

#include "res/resource.h"

namespace {

// The page's statics (its two icons stay enabled).
constexpr int kStatics[] = {
    IDC_PAPER_SET_GROUP, IDC_HEAD_CENTER_GROUP, IDC_HC_CUT_LABEL,  IDC_HC_CUT_UNIT,
    IDC_HC_FRONT_LABEL,  IDC_HC_FRONT_UNIT,     IDC_HC_REAR_LABEL, IDC_HC_REAR_UNIT,
};

constexpr CheckBinding kChecks[] = {
    {IDC_POSTCARD_MODE, SettingId::PostcardMode},
    {IDC_PERFORATION_SKIP, SettingId::PerforationSkip},
};

constexpr RadioPairBinding kPairs[] = {
    {IDC_PAPER_SET_LEFT, IDC_PAPER_SET_CENTER, IDC_PAPER_SET_CENTER, SettingId::PaperSetCenter},
};

constexpr NumberBinding kNumbers[] = {
    {IDC_HC_CUT_EDIT, IDC_HC_CUT_SPIN, SettingId::HeadCenterCutSheet},
    {IDC_HC_FRONT_EDIT, IDC_HC_FRONT_SPIN, SettingId::HeadCenterContFront},
    {IDC_HC_REAR_EDIT, IDC_HC_REAR_SPIN, SettingId::HeadCenterContRear},
};

constexpr uint16_t kPaperSetIcons[] = {IDI_PAPER_SET_LEFT, IDI_PAPER_SET_CENTER};
constexpr uint16_t kPerforationIcons[] = {IDI_PERFORATION_OFF, IDI_PERFORATION_SKIP};
constexpr IconBinding kIcons[] = {
    {IDC_PAPER_SET_ICON, IDC_PAPER_SET_CENTER, kPaperSetIcons},
    {IDC_PERFORATION_ICON, IDC_PERFORATION_SKIP, kPerforationIcons},
};

// ---- PaperAdvancedDialog ---------------------------------------------------------------------

constexpr CheckBinding kRememberFeedPosition[] = {{IDC_REMEMBER_FEED_POS, SettingId::NoFeedPosMemory}};
constexpr ListBinding kThickness[] = {{IDC_THICKNESS_LIST, SettingId::PaperThickness}};

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
    .Statics = kStatics,
    .Bindings = {.Checks = kChecks, .RadioPairs = kPairs, .Numbers = kNumbers, .Icons = kIcons},
    .DetailButtons = kDetailButtons,
    .EditChangeCode = EN_UPDATE,
};
