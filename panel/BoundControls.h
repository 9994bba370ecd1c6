// The window side of the bindings: one helper per kind of bound control shows a record's value
// in it, collects it back, and keeps the icons and labels that follow it in step. Used by the page
// and detail-dialog procedures of PageKit.cpp.
#ifndef RP_PANEL_BOUNDCONTROLS_H
#define RP_PANEL_BOUNDCONTROLS_H

#include <windows.h>

#include "panel/PageKit.h"

// Whether the kit is filling the window's controls (their notifications are not the user's).
bool IsFilling(HWND window);

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

#endif
