#include "panel/PrintPage.h"

#include <cstddef>

#include "res/resource.h"

namespace {

// The page's statics (its icons are among them).
constexpr int kStatics[] = {IDC_REDUCTION_GROUP, IDC_REDUCTION_ICON, IDC_DIRECTION_GROUP, IDC_DIRECTION_ICON};

constexpr CheckBinding kChecks[] = {{IDC_QUIET_PRINT, SettingId::QuietPrint}};

constexpr RadioPairBinding kPairs[] = {
    {IDC_DIRECTION_ONE_WAY, IDC_DIRECTION_TWO_WAY, IDC_DIRECTION_ONE_WAY, SettingId::Bidirectional},
};

constexpr ListBinding kLists[] = {{IDC_REDUCTION, SettingId::Reduction}};

constexpr uint16_t kReductionIcons[] = {IDI_REDUCE_NONE, IDI_REDUCE_2_3_LEFT, IDI_REDUCE_2_3_CENTRE,
                                        IDI_REDUCE_4_5_LEFT, IDI_REDUCE_4_5_CENTRE};
// The same two pictures serve the DOS dialog's direction, whose pair has the other sense.
constexpr uint16_t kDirectionIcons[] = {IDI_DIRECTION_ONE_WAY, IDI_DIRECTION_TWO_WAY};
constexpr IconBinding kIcons[] = {
    {IDC_REDUCTION_ICON, IDC_REDUCTION, kReductionIcons},
    {IDC_DIRECTION_ICON, IDC_DIRECTION_ONE_WAY, kDirectionIcons},
};

// ---- DosEnvironmentDialog ---------------------------------------------------------------------

constexpr CheckBinding kDraft[] = {{IDC_DOS_DRAFT_AT_POWER_ON, SettingId::DraftAtPowerOn}};
// Set DosUnidirectional means the first button, 片方向.
constexpr RadioPairBinding kDosPairs[] = {
    {IDC_DOS_HD_PICA, IDC_DOS_HS_PICA, IDC_DOS_HD_PICA, SettingId::DosHsPica},
    {IDC_DOS_TWO_WAY_SHORTEST, IDC_DOS_ONE_WAY, IDC_DOS_ONE_WAY, SettingId::DosUnidirectional},
    {IDC_DOS_FEEDER_ESC_A, IDC_DOS_FEEDER_ESC_ALL, IDC_DOS_FEEDER_ESC_A, SettingId::SheetFeederEscAll},
    {IDC_DOS_GRAPHICS_NATIVE, IDC_DOS_GRAPHICS_COPY, IDC_DOS_GRAPHICS_NATIVE, SettingId::DotGraphicsCopy},
};
constexpr uint16_t kDosDirectionIcons[] = {IDI_DIRECTION_TWO_WAY, IDI_DIRECTION_ONE_WAY};
constexpr IconBinding kDosIcons[] = {{IDC_DOS_DIRECTION_ICON, IDC_DOS_ONE_WAY, kDosDirectionIcons}};

// The NHS/SHS pica default has no switch: shown, never checked, never enabled.
constexpr int kNhsShsGroup[] = {IDC_DOS_NHS_SHS_GROUP, IDC_DOS_SHS_PICA, IDC_DOS_NHS_PICA};
// A new print direction reaches the panel at once, also when the dialog is then cancelled.
constexpr int kDirectionButtons[] = {IDC_DOS_ONE_WAY, IDC_DOS_TWO_WAY_SHORTEST};

// ---- PrintAdvancedDialog -----------------------------------------------------------------------

constexpr ListBinding kTrims[] = {
    {IDC_PRESSURE, SettingId::PressureAdjust},
    {IDC_POSITION, SettingId::PositionAdjust},
};

constexpr DetailButton kDetailButtons[] = {
    {IDC_DOS_ENVIRONMENT, &DosEnvironmentDialog},
    {IDC_PRINT_ADVANCED, &PrintAdvancedDialog},
};

}  // namespace

const DetailDialogDefinition DosEnvironmentDialog{
    .TemplateId = IDD_DOS_ENVIRONMENT,
    .Bindings = {.Checks = kDraft, .RadioPairs = kDosPairs, .Icons = kDosIcons},
    .AlwaysDisabled = kNhsShsGroup,
    .NoticeAtOnce = kDirectionButtons,
};

const DetailDialogDefinition PrintAdvancedDialog{
    .TemplateId = IDD_PRINT_ADVANCED,
    .Bindings = {.Lists = kTrims},
};

const PageDefinition PrintPage{
    .TemplateId = IDD_PRINT_PAGE,
    .TitleId = IDS_TAB_PRINT,
    .IconId = IDI_TAB_PRINT,
    .Statics = kStatics,
    .Bindings = {.Checks = kChecks, .RadioPairs = kPairs, .Lists = kLists, .Icons = kIcons},
    .DetailButtons = kDetailButtons,
};
