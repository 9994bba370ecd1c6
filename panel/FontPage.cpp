#include "panel/FontPage.h"

#include <cstddef>

#include "res/resource.h"

namespace {

// The page's statics (its icons are among them).
constexpr int kStatics[] = {
    IDC_TYPEFACE_GROUP,         IDC_TYPEFACE_ICON,          IDC_FONT_GROUP, IDC_FONT1_LABEL, IDC_FONT2_LABEL,
    IDC_SLASH_ZERO_SINGLE_ICON, IDC_SLASH_ZERO_DOUBLE_ICON,
};

constexpr CheckBinding kChecks[] = {
    {IDC_SLASH_ZERO_SINGLE, SettingId::SlashZeroSingle},
    {IDC_SLASH_ZERO_DOUBLE, SettingId::SlashZeroDouble},
};

constexpr RadioPairBinding kPairs[] = {
    {IDC_TYPEFACE_MINCHO, IDC_TYPEFACE_GOTHIC, IDC_TYPEFACE_MINCHO, SettingId::Typeface},
};

constexpr ListBinding kLists[] = {
    {IDC_FONT1, SettingId::Font1},
    {IDC_FONT2, SettingId::Font2},
};

constexpr uint16_t kTypefaceIcons[] = {IDI_FACE_MINCHO, IDI_FACE_GOTHIC};
constexpr uint16_t kSingleZeroIcons[] = {IDI_ZERO_SINGLE, IDI_ZERO_SINGLE_SLASHED};
constexpr uint16_t kDoubleZeroIcons[] = {IDI_ZERO_DOUBLE, IDI_ZERO_DOUBLE_SLASHED};
constexpr IconBinding kIcons[] = {
    {IDC_TYPEFACE_ICON, IDC_TYPEFACE_MINCHO, kTypefaceIcons},
    {IDC_SLASH_ZERO_SINGLE_ICON, IDC_SLASH_ZERO_SINGLE, kSingleZeroIcons},
    {IDC_SLASH_ZERO_DOUBLE_ICON, IDC_SLASH_ZERO_DOUBLE, kDoubleZeroIcons},
};

// ---- FontAdvancedDialog ----------------------------------------------------------------------

constexpr ListBinding kCountry[] = {{IDC_INTL_CHARSET, SettingId::IntlCharSet}};
constexpr int kKanjiButtons[] = {IDC_KANJI_1978, IDC_KANJI_1983, IDC_KANJI_1990};
constexpr RadioGroupBinding kKanji[] = {{kKanjiButtons, SettingId::KanjiCodeTable}};

constexpr DetailButton kDetailButtons[] = {{IDC_FONT_ADVANCED, &FontAdvancedDialog}};

}  // namespace

const DetailDialogDefinition FontAdvancedDialog{
    .TemplateId = IDD_FONT_ADVANCED,
    .Bindings = {.RadioGroups = kKanji, .Lists = kCountry},
};

const PageDefinition FontPage{
    .TemplateId = IDD_FONT_PAGE,
    .TitleId = IDS_TAB_FONT,
    .IconId = IDI_TAB_FONT,
    .Statics = kStatics,
    .Bindings = {.Checks = kChecks, .RadioPairs = kPairs, .Lists = kLists, .Icons = kIcons},
    .DetailButtons = kDetailButtons,
};
