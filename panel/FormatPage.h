// The second tab page, 書式 (template IDD_FORMAT_PAGE): the feed positions of the four paper paths, the page
// length, the cut-sheet correction with the paper size it names, and the stored form chosen; its
// button opens FormSettingsDialog (template IDD_FORM_SETTINGS), which edits one of the four stored forms on a
// copy of the settings shown; only its OK hands the change to the panel.
#ifndef RP_PANEL_FORMATPAGE_H
#define RP_PANEL_FORMATPAGE_H

#include "panel/PageKit.h"

extern const PageDefinition FormatPage;
extern const DetailDialogDefinition FormSettingsDialog;

#endif
