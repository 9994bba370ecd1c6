// The first tab page, 用紙 (template IDD_PAPER_PAGE): where paper is set, the head-centering columns for
// the three paper paths, postcard mode and perforation skip; its button opens
// PaperAdvancedDialog (template IDD_PAPER_ADVANCED) for the feed-position memory and the paper thickness.
#ifndef RP_PANEL_PAPERSETPAGE_H
#define RP_PANEL_PAPERSETPAGE_H

#include "panel/PageKit.h"

extern const PageDefinition PaperSetPage;
extern const DetailDialogDefinition PaperAdvancedDialog;

#endif
