#include "panel/FormatPage.h"

#include <cstddef>
#include <cstring>

#include "base/AppState.h"
#include "base/Ui.h"
#include "res/resource.h"

namespace {

// The page's statics, and its button that opens the form dialog.
constexpr int kStatics[] = {
    IDC_FEED_GROUP,          IDC_FEED_FRONT_LABEL,  IDC_FEED_REAR_LABEL,  IDC_FEED_CUT_LABEL,
    IDC_FEED_POSTCARD_LABEL, IDC_PAGE_LENGTH_LABEL, IDC_PAGE_LENGTH_UNIT, IDC_CUT_OFFSET_GROUP,
    IDC_CUT_OFFSET_UNIT,     IDC_FORM_SELECT_GROUP, IDC_FORM_SETTINGS,
};

constexpr FeedComboBinding kFeeds[] = {
    {IDC_FEED_FRONT, SettingId::FeedPosContFront},
    {IDC_FEED_REAR, SettingId::FeedPosContRear},
    {IDC_FEED_CUT, SettingId::FeedPosCutSheet},
    {IDC_FEED_POSTCARD, SettingId::FeedPosPostcard},
};

constexpr NumberBinding kNumbers[] = {
    {IDC_PAGE_LENGTH_EDIT, IDC_PAGE_LENGTH_SPIN, SettingId::PageLength},
    {IDC_CUT_OFFSET_EDIT, IDC_CUT_OFFSET_SPIN, SettingId::CutSheetOffset},
};

constexpr ListBinding kLists[] = {{IDC_FORM_SELECT, SettingId::FormSelect}};

constexpr LabelBinding kLabels[] = {{IDC_CUT_OFFSET_SIZE, IDC_CUT_OFFSET_EDIT, CutSheetSizeText}};

// The form the selection names (1..4), or 0 for "選択なし" and no selection.
int32_t SelectedForm(HWND page) {
    const int32_t selected = SelectedEntry(page, IDC_FORM_SELECT);
    return selected >= 1 && selected <= FormCount ? selected : 0;
}

// The form dialog needs a chosen form.
void FollowFormSelection(HWND page) {
    EnableWindow(GetDlgItem(page, IDC_FORM_SETTINGS), SelectedForm(page) != 0);
}

void OpenFormSettings(HWND page) {
    const int32_t EditedForm = SelectedForm(page);
    if (EditedForm != 0) RunDetailDialogOnShown(page, FormSettingsDialog, EditedForm);
}

void Command(HWND page, int id, int code) {
    if (id == IDC_FORM_SELECT && code == CBN_SELCHANGE) FollowFormSelection(page);
    if (id == IDC_FORM_SETTINGS && code == BN_CLICKED) OpenFormSettings(page);
}

// ---- FormSettingsDialog ----------------------------------------------------------------------

constexpr FeedComboBinding kFormFeeds[] = {
    {IDC_FORM_FEED_FRONT, SettingId::FormFeedPosContFront},
    {IDC_FORM_FEED_REAR, SettingId::FormFeedPosContRear},
    {IDC_FORM_FEED_CUT, SettingId::FormFeedPosCutSheet},
    {IDC_FORM_FEED_POSTCARD, SettingId::FormFeedPosPostcard},
};

constexpr NumberBinding kFormNumbers[] = {
    {IDC_FORM_PAGE_LENGTH_EDIT, IDC_FORM_PAGE_LENGTH_SPIN, SettingId::FormPageLength},
    {IDC_LEFT_MARGIN_EDIT, IDC_LEFT_MARGIN_SPIN, SettingId::FormLeftMargin},
    {IDC_RIGHT_MARGIN_EDIT, IDC_RIGHT_MARGIN_SPIN, SettingId::FormRightMargin},
    {IDC_FORM_CUT_OFFSET_EDIT, IDC_FORM_CUT_OFFSET_SPIN, SettingId::FormCutSheetOffset},
};

constexpr LabelBinding kFormLabels[] = {
    {IDC_FORM_CUT_OFFSET_SIZE, IDC_FORM_CUT_OFFSET_EDIT, CutSheetSizeText}};

constexpr BindingTables kFormBindings{
    .FeedCombos = kFormFeeds, .Numbers = kFormNumbers, .Labels = kFormLabels};

void NameTheForm(HWND dialog, LPARAM EditedForm) {
    constexpr UINT kNames[] = {IDS_FORM_1, IDS_FORM_2, IDS_FORM_3, IDS_FORM_4};
    const UINT name = EditedForm >= 1 && EditedForm <= 3 ? kNames[EditedForm - 1] : IDS_FORM_4;
    char text[kTextBufferSize];
    LoadText(name, text, sizeof text);
    SetDlgItemTextA(dialog, IDC_FORM_NAME, text);
}

// The margins are checked together, in the order that names the first wrong entry.
Refusal CheckFormNumbers(HWND dialog) {
    const FormEntries entries{ReadEnteredNumber(dialog, IDC_FORM_PAGE_LENGTH_EDIT),
                              ReadEnteredNumber(dialog, IDC_LEFT_MARGIN_EDIT),
                              ReadEnteredNumber(dialog, IDC_RIGHT_MARGIN_EDIT),
                              ReadEnteredNumber(dialog, IDC_FORM_CUT_OFFSET_EDIT)};
    switch (CheckFormEntries(entries)) {
        case FormCheck::Accepted:
            return {0, 0};
        case FormCheck::BadPageLength:
            return {IDS_BAD_PAGE_LENGTH, IDC_FORM_PAGE_LENGTH_EDIT};
        case FormCheck::BadLeftMargin:
            return {IDS_BAD_LEFT_MARGIN, IDC_LEFT_MARGIN_EDIT};
        case FormCheck::LeftAboveRight:
            return {IDS_LEFT_ABOVE_RIGHT, IDC_LEFT_MARGIN_EDIT};
        case FormCheck::BadRightMargin:
            return {IDS_BAD_RIGHT_MARGIN, IDC_RIGHT_MARGIN_EDIT};
        case FormCheck::RightNotAboveLeft:
            return {IDS_RIGHT_NOT_ABOVE_LEFT, IDC_RIGHT_MARGIN_EDIT};
        case FormCheck::BadCutSheetOffset:
            return {IDS_BAD_CUT_SHEET_OFFSET, IDC_FORM_CUT_OFFSET_EDIT};
    }
    return {0, 0};
}

// クリア: the controls show the initial form values; nothing is stored before OK.
bool FormCommand(HWND dialog, int id, int code) {
    if (id != IDC_FORM_CLEAR || code != BN_CLICKED) return false;
    const EditedRecord* edited = DialogRecord(dialog);
    if (!edited) return true;
    FormSettings initial = InitialFormSettings();
    FillBindings(dialog, kFormBindings, {&initial, edited->FeedOther});
    return true;
}

}  // namespace

const DetailDialogDefinition FormSettingsDialog{
    .TemplateId = IDD_FORM_SETTINGS,
    .Bindings = kFormBindings,
    .BeforeFill = NameTheForm,
    .CheckEntries = CheckFormNumbers,
    .Command = FormCommand,
};

const PageDefinition FormatPage{
    .TemplateId = IDD_FORMAT_PAGE,
    .TitleId = IDS_TAB_FORMAT,
    .IconId = IDI_TAB_FORMAT,
    .Statics = kStatics,
    .Bindings = {.FeedCombos = kFeeds, .Numbers = kNumbers, .Lists = kLists, .Labels = kLabels},
    .EditChangeCode = EN_CHANGE,
    .AfterEnable = FollowFormSelection,
    .Command = Command,
};
