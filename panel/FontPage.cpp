#include "panel/FontPage.h"

#include <cstddef>

#include "res/resource.h"

namespace {

using S = PanelSettingsRecord;

// Enabled by a refresh with loaded settings, disabled on request (the icons are in it).
constexpr int kControls[] = {
    IDC_TYPEFACE_GROUP,
    IDC_TYPEFACE_MINCHO,
    IDC_TYPEFACE_GOTHIC,
    IDC_TYPEFACE_ICON,
    IDC_FONT_GROUP,
    IDC_FONT1_LABEL,
    IDC_FONT1,
    IDC_FONT2_LABEL,
    IDC_FONT2,
    IDC_SLASH_ZERO_SINGLE,
    IDC_SLASH_ZERO_SINGLE_ICON,
    IDC_SLASH_ZERO_DOUBLE,
    IDC_SLASH_ZERO_DOUBLE_ICON,
    IDC_FONT_ADVANCED,
};

constexpr CheckBinding kChecks[] = {
    {IDC_SLASH_ZERO_SINGLE, SettingSwitch::BitSet(SlashZeroSingle)},
    {IDC_SLASH_ZERO_DOUBLE, SettingSwitch::BitSet(SlashZeroDouble)},
};

// 明朝体 for 0, ゴシック体 for any other value; collected as 0 / 1.
constexpr RadioPairBinding kPairs[] = {
    {IDC_TYPEFACE_MINCHO, IDC_TYPEFACE_GOTHIC, IDC_TYPEFACE_MINCHO,
     SettingSwitch::NonZero(FieldAt(offsetof(S, Typeface)))},
};

// A font outside the list shows no selection and is kept.
constexpr ListBinding kLists[] = {
    {IDC_FONT1, FieldAt(offsetof(S, Font1)), &FontList, ListHolds::Index, -1, false},
    {IDC_FONT2, FieldAt(offsetof(S, Font2)), &FontList, ListHolds::Index, -1, false},
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

// Codes 1, 6 and 7 name no country and show as スウェーデン (entry 4); no selection stores 0.
constexpr ListBinding kCountry[] = {
    {IDC_INTL_CHARSET, SwitchOf(IntlCharSet), &IntlCharSetList, ListHolds::Value, 4, true},
};

// An edition outside 0..2 checks none; OK without a choice stores 2 (1990).
constexpr int kKanjiButtons[] = {IDC_KANJI_1978, IDC_KANJI_1983, IDC_KANJI_1990};
constexpr RadioGroupBinding kKanji[] = {{kKanjiButtons, FieldAt(offsetof(S, KanjiCodeTable)), 2}};

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
    .Controls = kControls,
    .Bindings = {.Checks = kChecks, .RadioPairs = kPairs, .Lists = kLists, .Icons = kIcons},
    .DetailButtons = kDetailButtons,
};
