#include "panel/OtherPage.h"

#include "res/resource.h"

namespace {

constexpr int kStatics[] = {IDC_PRINT_CMD_GROUP, IDC_DC1_DC3_GROUP, IDC_DATA_BITS_GROUP};

constexpr RadioPairBinding kPairs[] = {
    {IDC_PRINT_CMD_CR, IDC_PRINT_CMD_CR_OTHER, IDC_PRINT_CMD_CR, SettingId::PrintCmdCrOther},
    {IDC_DC1_DC3_ENABLED, IDC_DC1_DC3_DISABLED, IDC_DC1_DC3_ENABLED, SettingId::Dc1Dc3Disabled},
    {IDC_DATA_8_BIT, IDC_DATA_7_BIT, IDC_DATA_8_BIT, SettingId::SevenBitData},
};

}  // namespace

// Every command that reaches the page is a change, a click on an already checked button too.
const PageDefinition OtherPage{
    .TemplateId = IDD_OTHER_PAGE,
    .TitleId = IDS_TAB_OTHER,
    .IconId = IDI_TAB_OTHER,
    .Statics = kStatics,
    .Bindings = {.RadioPairs = kPairs},
    .AnyCommandNotifies = true,
};
