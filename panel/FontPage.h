// The third tab page, フォント (template IDD_FONT_PAGE): the typeface, the two resident fonts and the
// slashed zeros of the single-byte and double-byte code sets; its button opens
// FontAdvancedDialog (template IDD_FONT_ADVANCED) for the international character set and the JIS edition.
#ifndef RP_PANEL_FONTPAGE_H
#define RP_PANEL_FONTPAGE_H

#include "panel/PageKit.h"

extern const PageDefinition FontPage;
extern const DetailDialogDefinition FontAdvancedDialog;

#endif
