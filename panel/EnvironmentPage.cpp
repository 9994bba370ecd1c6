#include "panel/EnvironmentPage.h"

#include "res/resource.h"

namespace {

constexpr int kStatics[] = {IDC_EJECT_GROUP, IDC_SHEET_GUIDE_GROUP, IDC_EDGE_GROUP};

// The eject buttons' ids lie between the edge-detection buttons' ids; the kit checks both
// buttons of every pair by id, and the eject pair is set last all the same.
constexpr RadioPairBinding kPairs[] = {
    {IDC_SHEET_GUIDE_AUTO, IDC_SHEET_GUIDE_SWITCH, IDC_SHEET_GUIDE_SWITCH, SettingId::SheetGuideBySwitch},
    {IDC_EDGE_DETECT, IDC_EDGE_NO_DETECT, IDC_EDGE_DETECT, SettingId::NoEdgeDetect},
    {IDC_EJECT_FRONT, IDC_EJECT_REAR, IDC_EJECT_REAR, SettingId::CutSheetRearEject},
};

// ---- EnvironmentAdvancedDialog -----------------------------------------------------------------

// Set SheetFeederControl means the first button, する. The two carriage-return pairs list their
// choices in opposite orders.
constexpr RadioPairBinding kAdvancedPairs[] = {
    {IDC_COLUMNS_136, IDC_COLUMNS_80, IDC_COLUMNS_136, SettingId::Columns80},
    {IDC_CR_RETURN_ONLY, IDC_CR_RETURN_LINE_FEED, IDC_CR_RETURN_ONLY, SettingId::CrIsCrLf},
    {IDC_FEEDER_EJECT_AS_SET, IDC_FEEDER_EJECT_REAR, IDC_FEEDER_EJECT_AS_SET,
     SettingId::SheetFeederRearFixed},
    {IDC_AUTO_CR_LINE_FEED, IDC_AUTO_CR_RETURN_ONLY, IDC_AUTO_CR_LINE_FEED, SettingId::AutoCrOnly},
    {IDC_FEEDER_CONTROL_OFF, IDC_FEEDER_CONTROL_ON, IDC_FEEDER_CONTROL_ON, SettingId::SheetFeederControl},
};

constexpr DetailButton kDetailButtons[] = {{IDC_ENVIRONMENT_ADVANCED, &EnvironmentAdvancedDialog}};

}  // namespace

const DetailDialogDefinition EnvironmentAdvancedDialog{
    .TemplateId = IDD_ENVIRONMENT_ADVANCED,
    .Bindings = {.RadioPairs = kAdvancedPairs},
};

const PageDefinition EnvironmentPage{
    .TemplateId = IDD_ENVIRONMENT_PAGE,
    .TitleId = IDS_TAB_ENVIRONMENT,
    .IconId = IDI_TAB_ENVIRONMENT,
    .Statics = kStatics,
    .Bindings = {.RadioPairs = kPairs},
    .DetailButtons = kDetailButtons,
};
