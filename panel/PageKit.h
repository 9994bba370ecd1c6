// The pieces every tab page and detail dialog of the panel is made of: one dialog procedure
// skeleton for the page protocol, one for the detail dialogs, and one helper per kind of bound
// control (SettingBindings.h). A page is a table of its controls plus its own fill, collect and
// command handlers.
#ifndef RP_PANEL_PAGEKIT_H
#define RP_PANEL_PAGEKIT_H

#include <windows.h>

#include <cstdint>
#include <span>

#include "panel/SettingBindings.h"

// ---- A page ----------------------------------------------------------------------------------

struct PageDefinition {
    int TabIndex;                  // the page's tab (TabRules.h)
    std::span<const int> Controls; // enabled by a refresh with loaded settings, disabled on request
    // Shows PanelSettings in the controls (after they have been enabled).
    void (*Fill)(HWND page);
    // Copies the controls into PanelSettings; false after the page has told the user what is
    // wrong (RejectEntry).
    bool (*Collect)(HWND page);
    // WM_COMMAND from a control; may be null.
    void (*Command)(HWND page, int controlId, int code);
    // WM_VSCROLL from a control (an up-down); may be null.
    void (*Scroll)(HWND page, int controlId);
};

// The dialog procedure of a page, driven by its definition:
//  WM_INITDIALOG: place the page in the panel, make it ForegroundWindow, then refresh;
//  WM_PAGE_REFRESH: when the settings are loaded, enable the controls and fill them;
//  WM_PAGE_DISABLE: disable the controls;
//  WM_PAGE_COLLECT: collect and write 1 (accepted) or 0 into the int32 flag at lParam;
//  WM_COMMAND, WM_VSCROLL: the page's handlers; WM_HELP, WM_CONTEXTMENU: help.
INT_PTR RunPage(const PageDefinition& page, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The panel that a page belongs to (its parent).
HWND PanelOfPage(HWND page);

// Moves a page (without resizing) to the page area's left + 6 and top + 50 of its panel.
void PlacePage(HWND page);

// Sends WM_SETTINGS_CHANGED (wParam = sender) to the panel: a page's parent, or for a detail
// dialog the panel of AppState.
void NotifySettingsChanged(HWND sender);

// The page's count of edit notifications still to be ignored (the ones its own refresh causes).
void SetIgnoredEditUpdates(HWND page, int count);
// True (and one fewer left) when an edit notification is to be ignored.
bool ConsumeIgnoredEditUpdate(HWND page);

// Refuses a page's input: message `textId` in a box owned by the page (warning icon, OK, the
// program's caption with the current printer), then, when another page is on view, selects the
// page's tab and shows it, and puts the focus on controlId.
void RejectEntry(HWND page, int tabIndex, UINT textId, int controlId);

// Runs a detail dialog modally, owned by the page. When it ends with 1 (OK) the panel gets the
// change notice; in every case the page becomes ForegroundWindow again. Returns the result.
INT_PTR OpenDetailDialog(HWND page, UINT templateId, DLGPROC procedure);

// ---- A detail dialog -------------------------------------------------------------------------

struct DetailDialogDefinition {
    void (*Fill)(HWND dialog);
    // Stores the controls into PanelSettings on OK; false keeps the dialog open (after telling
    // the user what is wrong).
    bool (*Store)(HWND dialog);
    // Any other WM_COMMAND; may be null.
    void (*Command)(HWND dialog, int controlId, int code);
};

// WM_INITDIALOG: fill, ForegroundWindow := the dialog. OK: store, end with 1. Cancel: end with 0,
// nothing stored. WM_HELP, WM_CONTEXTMENU: help.
INT_PTR RunDetailDialog(const DetailDialogDefinition& dialog, HWND window, UINT message,
                        WPARAM wParam, LPARAM lParam);

// ---- Bound controls --------------------------------------------------------------------------

// Enables or disables every control of a list.
void EnableControls(HWND dialog, std::span<const int> controls, bool enable);

void ShowCheck(HWND dialog, const CheckBinding& check);
void CollectCheck(HWND dialog, const CheckBinding& check);

void ShowRadioPair(HWND dialog, const RadioPairBinding& pair);
void CollectRadioPair(HWND dialog, const RadioPairBinding& pair);

// Sets the up-down's range and position; the up-down writes the position into its edit.
void ShowNumber(HWND dialog, int spinId, int32_t min, int32_t max, int32_t value);
// The edit's text as an unsigned decimal number; text that is not a number reads as 0.
int32_t ReadNumber(HWND dialog, int editId);

template <class Record>
void ShowNumber(HWND dialog, const NumberBinding<Record>& number, const Record& record) {
    ShowNumber(dialog, number.SpinId, number.Min, number.Max, record.*number.Field);
}
// Shows a page's number edits from PanelSettings. Moving each up-down rewrites its edit, and
// those edit notifications are not the user's: the page ignores as many as there are edits. An
// up-down leaves its edit alone when the edit already shows the number, so fewer may arrive;
// every notification comes while the positions are set, so what is left to ignore afterwards is
// cleared, or the user's next edits would go unreported.
void ShowNumbers(HWND page, std::span<const NumberBinding<PanelSettingsRecord>> numbers);

// Stores the edit's number when it is in range; false (nothing stored) otherwise.
template <class Record>
bool CollectNumber(HWND dialog, const NumberBinding<Record>& number, Record& record) {
    const int32_t value = ReadNumber(dialog, number.EditId);
    if (!NumberInRange(value, number.Min, number.Max)) return false;
    record.*number.Field = value;
    return true;
}

// Empties a drop-down list and adds the labels of a value list in order.
void FillList(HWND dialog, int listId, const ValueList& values);
void ShowList(HWND dialog, const ListBinding& list);
void CollectList(HWND dialog, const ListBinding& list);

// Shows one of the two icons of a pair in its static control.
void ShowIconPair(HWND dialog, const IconPair& icons, bool on);
// Shows icon resource iconId in a static icon control (nothing when the icon is missing).
void ShowIcon(HWND dialog, int controlId, UINT iconId);

bool IsChecked(HWND dialog, int controlId);


#endif
