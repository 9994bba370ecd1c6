// The sixth tab page, その他 (template IDD_OTHER_PAGE): the codes that trigger printing, DC1/DC3 handling and
// 7/8-bit data. It has no detail dialog.
#ifndef RP_PANEL_OTHERPAGE_H
#define RP_PANEL_OTHERPAGE_H

#include "panel/PageKit.h"

extern const PageDefinition OtherPage;

#endif
