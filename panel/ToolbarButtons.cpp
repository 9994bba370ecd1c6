#include "panel/ToolbarButtons.h"

#include <windows.h>
#include <commctrl.h>

#include "base/AppState.h"
#include "panel/PanelPages.h"
#include "res/resource.h"

void UpdateToolbarButtons() {
    if (!AppState.ToolbarWindow) return;
    const PanelPages* pages = PanelPagesOf(AppState.PanelWindow);
    // The first page's paper-set group box is enabled exactly while the pages show settings.
    const bool pagesShowSettings = pages && pages->PageWindows[0] &&
                                   IsWindowEnabled(GetDlgItem(pages->PageWindows[0], IDC_PAPER_SET_GROUP));
    const ToolbarButtonStates states =
        ChooseToolbarButtons({CurrentFlags(), AppState.SeveralPrinters, pages != nullptr, pagesShowSettings});
    SendMessageA(AppState.ToolbarWindow, TB_ENABLEBUTTON, IDM_READ_SETTINGS, MAKELPARAM(states.Read, 0));
    SendMessageA(AppState.ToolbarWindow, TB_ENABLEBUTTON, IDM_INITIAL_VALUES,
                 MAKELPARAM(states.InitialValues, 0));
    SendMessageA(AppState.ToolbarWindow, TB_ENABLEBUTTON, IDM_CHANGE_PRINTER,
                 MAKELPARAM(states.ChangePrinter, 0));
}
