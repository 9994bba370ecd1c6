// The fifth tab page, 動作環境 (template IDD_ENVIRONMENT_PAGE): the cut sheets' eject direction, paper edge
// detection and the sheet guide's feed mode; its button opens EnvironmentAdvancedDialog
// (template IDD_ENVIRONMENT_ADVANCED) for the sheet feeder, the print columns and the two carriage-return switches.
#ifndef RP_PANEL_ENVIRONMENTPAGE_H
#define RP_PANEL_ENVIRONMENTPAGE_H

#include "panel/PageKit.h"

extern const PageDefinition EnvironmentPage;
extern const DetailDialogDefinition EnvironmentAdvancedDialog;

#endif
