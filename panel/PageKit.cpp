#include "panel/PageKit.h"

#include <commctrl.h>

#include "panel/PanelPages.h"
#include "panel/ProgramResources.h"
#include "panel/TabPages.h"
#include "panel/TabRules.h"
#include "shell/AppState.h"
#include "shell/Messages.h"
#include "shell/Ui.h"

#include "help/Help.h"

namespace {

void RefreshPage(const PageDefinition& page, HWND window) {
    if (!SettingsLoaded()) return;
    EnableControls(window, page.Controls, true);
    page.Fill(window);
}


}  // namespace

INT_PTR RunPage(const PageDefinition& page, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        switch (message) {
            case WM_INITDIALOG:
                PlacePage(window);
                AppState.ForegroundWindow = window;
                RefreshPage(page, window);
                // The tab framework decides where the focus goes when it shows the page; the
                // dialog manager must not move it to the page's first control.
                return FALSE;
            case WM_PAGE_REFRESH:
                RefreshPage(page, window);
                return TRUE;
            case WM_PAGE_DISABLE:
                EnableControls(window, page.Controls, false);
                return TRUE;
            case WM_PAGE_COLLECT: {
                const bool accepted = page.Collect(window);
                if (auto* flag = reinterpret_cast<int32_t*>(lParam)) *flag = accepted ? 1 : 0;
                return TRUE;
            }
            case WM_COMMAND:
                if (!page.Command) return FALSE;
                page.Command(window, LOWORD(wParam), HIWORD(wParam));
                return TRUE;
            case WM_VSCROLL:
                if (!page.Scroll || lParam == 0) return FALSE;
                page.Scroll(window, GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
                return TRUE;
            case WM_HELP:
            case WM_CONTEXTMENU:
                return AnswerHelpRequest(message, wParam, lParam) ? TRUE : FALSE;
            default:
                return FALSE;
        }
    } catch (...) {
        return FALSE;
    }
}

HWND PanelOfPage(HWND page) { return GetParent(page); }

void PlacePage(HWND page) {
    const PanelPages* pages = PanelPagesOf(PanelOfPage(page));
    if (!pages) return;
    const PixelPoint origin = PageOrigin(
        {pages->PageArea.left, pages->PageArea.top, pages->PageArea.right, pages->PageArea.bottom});
    SetWindowPos(page, nullptr, origin.X, origin.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void NotifySettingsChanged(HWND sender) {
    const bool isPage = (GetWindowLongA(sender, GWL_STYLE) & WS_CHILD) != 0;
    HWND panel = isPage ? PanelOfPage(sender) : AppState.PanelWindow;
    if (panel) SendMessageA(panel, WM_SETTINGS_CHANGED, reinterpret_cast<WPARAM>(sender), 0);
}

void SetIgnoredEditUpdates(HWND page, int count) { SetWindowLongPtrA(page, GWLP_USERDATA, count); }

bool ConsumeIgnoredEditUpdate(HWND page) {
    const LONG_PTR left = GetWindowLongPtrA(page, GWLP_USERDATA);
    if (left <= 0) return false;
    SetWindowLongPtrA(page, GWLP_USERDATA, left - 1);
    return true;
}

void RejectEntry(HWND page, int tabIndex, UINT textId, int controlId) {
    LoadText(textId, AppState.MessageText, sizeof AppState.MessageText);
    FormatCaption(AppState.MessageCaption, sizeof AppState.MessageCaption);
    ShowMessageBox(page, AppState.MessageText, AppState.MessageCaption, MB_OK | MB_ICONWARNING);
    HWND panel = PanelOfPage(page);
    // The page comes back into view also when it is still the current page but hidden: a tab
    // whose page could not be created hides the page before it without replacing it.
    if (const PanelPages* pages = PanelPagesOf(panel);
        pages && (pages->CurrentPage != page || !IsWindowVisible(page))) {
        SendMessageA(pages->TabControl, TCM_SETCURSEL, static_cast<WPARAM>(tabIndex), 0);
        ShowPage(panel, tabIndex);
    }
    SetFocus(GetDlgItem(page, controlId));
}

INT_PTR OpenDetailDialog(HWND page, UINT templateId, DLGPROC procedure) {
    const INT_PTR result =
        DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(templateId), page, procedure, 0);
    if (result == 1) NotifySettingsChanged(page);
    AppState.ForegroundWindow = page;
    return result;
}

INT_PTR RunDetailDialog(const DetailDialogDefinition& dialog, HWND window, UINT message,
                        WPARAM wParam, LPARAM lParam) {
    try {
        switch (message) {
            case WM_INITDIALOG:
                dialog.Fill(window);
                AppState.ForegroundWindow = window;
                return TRUE;
            case WM_COMMAND: {
                const int id = LOWORD(wParam);
                if (id == IDOK) {
                    if (dialog.Store(window)) EndDialog(window, 1);
                    return TRUE;
                }
                if (id == IDCANCEL) {
                    EndDialog(window, 0);
                    return TRUE;
                }
                if (!dialog.Command) return FALSE;
                dialog.Command(window, id, HIWORD(wParam));
                return TRUE;
            }
            case WM_HELP:
            case WM_CONTEXTMENU:
                return AnswerHelpRequest(message, wParam, lParam) ? TRUE : FALSE;
            default:
                return FALSE;
        }
    } catch (...) {
        return FALSE;
    }
}

void EnableControls(HWND dialog, std::span<const int> controls, bool enable) {
    for (int id : controls) EnableWindow(GetDlgItem(dialog, id), enable ? TRUE : FALSE);
}

bool IsChecked(HWND dialog, int controlId) {
    return IsDlgButtonChecked(dialog, controlId) == BST_CHECKED;
}

void ShowCheck(HWND dialog, const CheckBinding& check) {
    CheckDlgButton(dialog, check.ControlId,
                   SettingIsOn(PanelSettings, check.Setting) ? BST_CHECKED : BST_UNCHECKED);
}

void CollectCheck(HWND dialog, const CheckBinding& check) {
    StoreSwitch(PanelSettings, check.Setting, IsChecked(dialog, check.ControlId));
}

void ShowRadioPair(HWND dialog, const RadioPairBinding& pair) {
    // Both buttons are set explicitly: a call that checks one button of an id range would also
    // clear unrelated buttons whose ids lie between the two.
    const bool on = SettingIsOn(PanelSettings, pair.Setting);
    CheckDlgButton(dialog, pair.OnButton, on ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, pair.OffButton, on ? BST_UNCHECKED : BST_CHECKED);
}

void CollectRadioPair(HWND dialog, const RadioPairBinding& pair) {
    StoreSwitch(PanelSettings, pair.Setting, RadioPairReadsOn(pair, IsChecked(dialog, pair.ReadButton)));
}

void ShowNumber(HWND dialog, int spinId, int32_t min, int32_t max, int32_t value) {
    HWND spin = GetDlgItem(dialog, spinId);
    SendMessageA(spin, UDM_SETRANGE32, static_cast<WPARAM>(min), static_cast<LPARAM>(max));
    SendMessageA(spin, UDM_SETPOS32, 0, static_cast<LPARAM>(value));
}

void ShowNumbers(HWND page, std::span<const NumberBinding<PanelSettingsRecord>> numbers) {
    SetIgnoredEditUpdates(page, static_cast<int>(numbers.size()));
    for (const auto& number : numbers) ShowNumber(page, number, PanelSettings);
    SetIgnoredEditUpdates(page, 0);
}

int32_t ReadNumber(HWND dialog, int editId) {
    BOOL translated = FALSE;
    const UINT value = GetDlgItemInt(dialog, editId, &translated, FALSE);
    return translated ? static_cast<int32_t>(value) : 0;
}

void FillList(HWND dialog, int listId, const ValueList& values) {
    HWND list = GetDlgItem(dialog, listId);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (int32_t i = 0; i < values.Size; ++i) {
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(values.Items[i].Label));
    }
}

void ShowList(HWND dialog, const ListBinding& list) {
    FillList(dialog, list.ControlId, *list.List);
    const int32_t index = ListIndexForValue(list, PanelSettings.*list.Field);
    SendDlgItemMessageA(dialog, list.ControlId, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void CollectList(HWND dialog, const ListBinding& list) {
    const auto index = static_cast<int32_t>(SendDlgItemMessageA(dialog, list.ControlId, CB_GETCURSEL, 0, 0));
    int32_t value = 0;
    if (ListValueForIndex(list, index, &value)) PanelSettings.*list.Field = value;
}

void ShowIcon(HWND dialog, int controlId, UINT iconId) {
    HICON icon = LoadIconA(ProgramInstance(), MAKEINTRESOURCEA(iconId));
    SendDlgItemMessageA(dialog, controlId, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

void ShowIconPair(HWND dialog, const IconPair& icons, bool on) {
    ShowIcon(dialog, icons.ControlId, IconFor(icons, on));
}

