// The fourth tab page, 印刷 (template IDD_PRINT_PAGE): reduced printing, the print direction of dot rows and
// quiet printing; its buttons open DosEnvironmentDialog (template IDD_DOS_ENVIRONMENT) for the power-on defaults
// of DOS jobs and PrintAdvancedDialog (template IDD_PRINT_ADVANCED) for the pressure and position trims.
#ifndef RP_PANEL_PRINTPAGE_H
#define RP_PANEL_PRINTPAGE_H

#include "panel/PageKit.h"

extern const PageDefinition PrintPage;
extern const DetailDialogDefinition DosEnvironmentDialog;
extern const DetailDialogDefinition PrintAdvancedDialog;

#endif
