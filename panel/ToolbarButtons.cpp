#include "panel/ToolbarButtons.h"

#include <windows.h>
#include <commctrl.h>

#include <initializer_list>

#include "base/AppState.h"
#include "panel/PanelPages.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"

void UpdateToolbarButtons() {
    if (!AppState.ToolbarWindow) return;
    const PanelPages* pages = PanelPagesOf(AppState.PanelWindow);
    // The first page's paper-set group box is enabled exactly while the pages show settings.
    const bool pagesShowSettings = pages && pages->PageWindows[0] &&
                                   IsWindowEnabled(GetDlgItem(pages->PageWindows[0], IDC_PAPER_SET_GROUP));
    const ToolbarButtonStates states = ChooseToolbarButtons(
        {CurrentFlags(), AppState.SeveralPrinters, pages != nullptr, pagesShowSettings, SettingsLoaded()});
    SendMessageA(AppState.ToolbarWindow, TB_ENABLEBUTTON, IDM_READ_SETTINGS, MAKELPARAM(states.Read, 0));
    SendMessageA(AppState.ToolbarWindow, TB_ENABLEBUTTON, IDM_INITIAL_VALUES,
                 MAKELPARAM(states.InitialValues, 0));
    SendMessageA(AppState.ToolbarWindow, TB_ENABLEBUTTON, IDM_CHANGE_PRINTER,
                 MAKELPARAM(states.ChangePrinter, 0));
    for (const int command : {IDM_SAVE_SETTINGS, IDM_OPEN_SETTINGS}) {
        SendMessageA(AppState.ToolbarWindow, TB_ENABLEBUTTON, command, MAKELPARAM(states.Files, 0));
    }
}
