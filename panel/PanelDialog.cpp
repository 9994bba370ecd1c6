#include "panel/PanelDialog.h"

#include <commctrl.h>

#include "help/Help.h"
#include "help/HelpIds.h"
#include "link/Link.h"
#include "panel/PanelPages.h"
#include "panel/TabPages.h"
#include "panel/Toolbar.h"
#include "res/resource.h"
#include "shell/AppState.h"
#include "shell/Frame.h"
#include "shell/Messages.h"
#include "shell/Ui.h"

namespace {

void EnableItem(HWND panel, int id, bool enable) {
    if (HWND item = GetDlgItem(panel, id)) EnableWindow(item, enable);
}

void EnableToolbarButton(int command, bool enable) {
    if (AppState.ToolbarWindow) {
        SendMessageA(AppState.ToolbarWindow, TB_ENABLEBUTTON, command, MAKELPARAM(enable, 0));
    }
}

// First initialisation: the panel's record, attached to the dialog, the tabs with the first page,
// and the panel's place under the toolbar.
void CreatePanelRecord(HWND panel) {
    auto* pages = static_cast<PanelPages*>(LocalAlloc(LPTR, sizeof(PanelPages)));
    if (!pages) return;
    pages->TabControl = GetDlgItem(panel, IDC_TABS);
    SetWindowLongPtrA(panel, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pages));
    SetUpTabs(panel);
    SetWindowPos(panel, nullptr, 0, ToolbarClientHeight(), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void OnInitDialog(HWND panel) {
    AppState.ForegroundWindow = panel;
    SetForegroundWindow(panel);
    if (!PanelPagesOf(panel)) CreatePanelRecord(panel);
}

void ExitCommand(HWND panel) {
    if (IsWindowEnabled(GetDlgItem(panel, IDC_UPDATE)) &&
        PanelMessage(IDS_UNSENT_CHANGES, MB_ICONQUESTION, MB_OKCANCEL) == IDCANCEL) {
        return;
    }
    if (AppState.FrameWindow) ShowWindow(AppState.FrameWindow, SW_HIDE);
    ClosePanel();
}

}  // namespace

INT_PTR CALLBACK PanelDialogProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog(panel);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_EXIT:
                case IDCANCEL:
                    ExitCommand(panel);
                    return TRUE;
                case IDC_HELP_CONTENTS:
                    ShowHelp(panel, HELP_FINDER, 0);
                    return TRUE;
                case IDM_HELP_MODE:
                    StartHelpMode();
                    return TRUE;
                case IDC_UPDATE_AND_EXIT:
                case IDOK:
                case IDC_UPDATE:
                case IDM_INITIAL_VALUES:
                case IDM_READ_SETTINGS:
                case IDM_CHANGE_PRINTER:
                    // Reading, writing and changing the printer come with the panel's own work;
                    // until then these commands do nothing (and are never handed on).
                    return TRUE;
                default: {
                    HWND active = AppState.ForegroundWindow;
                    if (active && active != panel && IsWindow(active)) {
                        SendMessageA(active, WM_COMMAND, wParam, lParam);
                    }
                    return FALSE;
                }
            }
        case WM_NOTIFY:
            return lParam && HandleTabNotify(panel, reinterpret_cast<const NMHDR*>(lParam)) ? TRUE
                                                                                           : FALSE;
        case WM_HELP: {
            const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
            if (info && info->iContextType == HELPINFO_WINDOW) {
                ShowHelp(static_cast<HWND>(info->hItemHandle), HELP_WM_HELP,
                         reinterpret_cast<ULONG_PTR>(HelpIdTable));
            }
            return TRUE;
        }
        case WM_CONTEXTMENU:
            ShowHelp(reinterpret_cast<HWND>(wParam), HELP_CONTEXTMENU,
                     reinterpret_cast<ULONG_PTR>(HelpIdTable));
            return TRUE;
        case WM_SETFOCUS:
            if (AppState.PanelWindow) SetFocus(AppState.PanelWindow);
            return FALSE;
    }
    return FALSE;
}

void SetPanelEnabled(HWND panel, int enable) {
    EnableItem(panel, IDC_MODEL_TEXT, enable != 0);
    EnableItem(panel, IDC_PORT_TEXT, enable != 0);
    EnableToolbarButton(IDM_INITIAL_VALUES, enable != 0);
    if (!enable) EnableToolbarButton(IDM_READ_SETTINGS, false);
    SendToPages(panel, enable ? WM_PAGE_REFRESH : WM_PAGE_DISABLE);
}

void ClosePanel() {
    HWND panel = AppState.PanelWindow;
    if (PanelPagesOf(panel)) DestroyPages(panel);
    CloseSession();
    if (AppState.InstanceMapping) {
        CloseHandle(AppState.InstanceMapping);
        AppState.InstanceMapping = nullptr;
    }
    AppState.ForegroundWindow = AppState.FrameWindow;
    ReleasePanelRecord(panel);
    if (panel) DestroyWindow(panel);
    AppState.PanelWindow = nullptr;
    if (AppState.FrameWindow) DestroyWindow(AppState.FrameWindow);
}

int PanelMessage(UINT textId, UINT icon, UINT buttons) {
    LoadText(textId, AppState.MessageText, sizeof AppState.MessageText);
    FormatCaption(AppState.MessageCaption, sizeof AppState.MessageCaption);
    return ShowMessageBox(AppState.PanelWindow, AppState.MessageText, AppState.MessageCaption,
                          icon | buttons);
}

void ReleasePanelRecord(HWND panel) {
    if (PanelPages* pages = PanelPagesOf(panel)) {
        SetWindowLongPtrA(panel, GWLP_USERDATA, 0);
        LocalFree(pages);
    }
}
