// The window side of the bindings: one helper per kind of bound control shows a record's value
// in it, collects it back, and keeps the icons and labels that follow it in step. Used by the page
// and detail-dialog procedures of PageKit.cpp.
#ifndef RP_PANEL_BOUNDCONTROLS_H
#define RP_PANEL_BOUNDCONTROLS_H

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>

#include "panel/SettingBindings.h"

// A refused entry: the message and the control that gets the focus (TextId 0: accepted).
struct Refusal {
    uint16_t TextId;
    int ControlId;
};

// Whether the kit is filling the window's controls (their notifications are not the user's).
bool IsFilling(HWND window);

// Shows `record` in every bound control of the window, with the labels and icons that follow
// them (a dialog's own values too: the form dialog's クリア).
void FillBindings(HWND window, const BindingTables& bindings, const EditedRecord& record);

// Stores every bound control into `record`, in the order of BindingTables. Returns the first
// refused number (TextId 0 when every entry was accepted); what came before it is stored.
Refusal CollectBindings(HWND window, const BindingTables& bindings, const EditedRecord& record);

// A command from a control of the window: the icons and labels that follow the control are
// brought up to date. Returns whether it is a user's change of a bound value (a click on a check
// box or radio button, a new selection in a list, or `editChangeCode` from a number edit).
bool FollowCommand(HWND window, const BindingTables& bindings, int controlId, int code, int editChangeCode);

// An up-down of a number edit moved: the labels of its edit follow. Returns whether the up-down
// belongs to a bound number.
bool FollowScroll(HWND window, const BindingTables& bindings, int spinId);

// ---- Small window helpers ----------------------------------------------------------------------

// Enables or disables every control of a list.
void EnableControls(HWND dialog, std::span<const int> controls, bool enable);
bool IsChecked(HWND dialog, int controlId);
// The number an edit shows (see ParseEnteredNumber).
std::optional<int32_t> ReadEnteredNumber(HWND dialog, int editId);
// Shows icon resource iconId in a static icon control (nothing when the icon is missing).
void ShowIcon(HWND dialog, int controlId, UINT iconId);
// The selected entry of a combo box, -1 for none.
int32_t SelectedEntry(HWND dialog, int comboId);

#endif
