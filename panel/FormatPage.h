// The second tab page, 書式 (template IDD_FORMAT_PAGE): the feed positions of the four paper paths, the page
// length, the cut-sheet correction with the paper size it names, and the stored form chosen; its
// button opens FormSettingsDialog (template IDD_FORM_SETTINGS), which edits one of the four stored forms on a
// private copy that is stored only on OK.
#ifndef RP_PANEL_FORMATPAGE_H
#define RP_PANEL_FORMATPAGE_H

#include "panel/PageKit.h"

extern const PageDefinition FormatPage;
extern const DetailDialogDefinition FormSettingsDialog;

// What the form dialog edits: a copy of one stored form and its four FeedPosOther slots.
struct EditedFormCopy {
    FormSettings Form;
    int32_t FeedOther[FeedPathCount];

    EditedRecord Record() { return {&Form, FeedOther}; }
};

// The copy of stored form `form` (1..4), and storing a copy back into PanelSettings and
// FeedPosOther.
EditedFormCopy CopyOfForm(int32_t form);
void StoreForm(int32_t form, const EditedFormCopy& copy);

#endif
