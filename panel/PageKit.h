// What every tab page and detail dialog of the panel is made of. A page or dialog is a definition:
// the tables of its bound controls (SettingBindings.h) plus only what is truly its own. One page
// procedure and one detail-dialog procedure drive every definition: they fill the controls from
// the record, collect them back, report the user's changes to the panel, keep icons and labels in
// step with their controls, and answer help.
#ifndef RP_PANEL_PAGEKIT_H
#define RP_PANEL_PAGEKIT_H

#include <windows.h>

#include <cstdint>
#include <span>

#include "panel/BoundControls.h"
#include "panel/SettingBindings.h"

struct DetailDialogDefinition;

// A button that opens a detail dialog on the settings shown; an OK tells the panel of the change.
struct DetailButton {
    int ButtonId;
    const DetailDialogDefinition* Dialog;
};

// ---- A page ------------------------------------------------------------------------------------

struct PageDefinition {
    // The page's dialog template, and its tab's title (string id) and 16 x 16 icon.
    uint16_t TemplateId = 0;
    uint16_t TitleId = 0;
    uint16_t IconId = 0;
    // Besides its bound controls and its detail buttons, the page's statics (labels, group boxes,
    // units, icons) and buttons of its own: all are enabled by a refresh with loaded settings and
    // disabled on request.
    std::span<const int> Statics{};
    BindingTables Bindings{};  // bound to PanelSettings
    std::span<const DetailButton> DetailButtons{};
    // The edit notification that is a user's change of a number (EN_UPDATE or EN_CHANGE).
    int EditChangeCode = 0;
    // Every command that reaches the page is a change (a page of radio buttons only).
    bool AnyCommandNotifies = false;
    // The page's own part of enabling its controls (after a refresh fills them, or when they come
    // back as they were); may be null.
    void (*AfterEnable)(HWND page) = nullptr;
    // The page's own commands, after the kit has handled the bound controls; may be null.
    void (*Command)(HWND page, int controlId, int code) = nullptr;
    // The page's dialog procedure when it wraps the kit's (RunPage); null for the kit's PageProc.
    DLGPROC Procedure = nullptr;
};

// The dialog procedure of every page: the definition arrives as the creation parameter.
//  WM_INITDIALOG: place the page in the panel, make it ForegroundWindow, then refresh;
//  WM_PAGE_REFRESH: when the settings are loaded, enable the controls and fill them;
//  WM_PAGE_DISABLE: disable the controls; WM_PAGE_ENABLE: enable them again as they are;
//  WM_PAGE_COLLECT: collect and write 1 (accepted) or 0 into the int32 flag at lParam;
//  WM_COMMAND, WM_VSCROLL: the user's changes; WM_HELP, WM_CONTEXTMENU: help.
INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
// The same with the definition given (a page procedure of its own that wraps the kit).
INT_PTR RunPage(const PageDefinition& definition, HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The panel that a page belongs to (its parent).
HWND PanelOfPage(HWND page);

// Sends WM_SETTINGS_CHANGED (wParam = sender) to the panel: a page's parent, or for a detail
// dialog the panel of AppState.
void NotifySettingsChanged(HWND sender);

// Refuses a page's input: message `textId` in a box owned by the page (warning icon, OK, the
// program's caption with the current printer), then, when another page is on view, selects the
// page's tab and shows it, and puts the focus on controlId.
void RejectEntry(HWND page, UINT textId, int controlId);

// ---- A detail dialog ---------------------------------------------------------------------------

struct DetailDialogDefinition {
    uint16_t TemplateId = 0;
    BindingTables Bindings{};  // bound to the record the dialog is opened on
    // Before the bound controls are filled; may be null. `parameter` is the opener's.
    void (*BeforeFill)(HWND dialog, LPARAM parameter) = nullptr;
    // On OK, before anything is collected: the checks that span several controls; may be null.
    Refusal (*CheckEntries)(HWND dialog) = nullptr;
    // Commands that are the dialog's own; true when handled (the others are left to the default
    // dialog handling). May be null.
    bool (*Command)(HWND dialog, int controlId, int code) = nullptr;
    // Controls shown but bound to nothing and disabled for the dialog's whole life.
    std::span<const int> AlwaysDisabled{};
    // Bound controls whose change the panel hears of at once, whether the dialog then ends with
    // OK or with Cancel.
    std::span<const int> NoticeAtOnce{};
};

// The procedure of every detail dialog. WM_INITDIALOG: disable AlwaysDisabled, fill,
// ForegroundWindow := the dialog. A change of a NoticeAtOnce control: the change notice. OK:
// check, collect into the record, end with 1; a refused entry keeps the dialog open. Cancel: end
// with 0, nothing stored. WM_HELP, WM_CONTEXTMENU: help.
INT_PTR CALLBACK DetailDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs a detail dialog modally, owned by `owner`, on `record`; returns 1 for OK, 0 for Cancel.
// With `switchBits` (the record's switches), an OK that would leave a switch byte the printer
// cannot be read back with is refused, and the dialog stays open.
INT_PTR RunDetailDialog(HWND owner, const DetailDialogDefinition& dialog, const EditedRecord& record,
                        LPARAM parameter = 0, int32_t* switchBits = nullptr);
// Runs a detail dialog from a page on a copy of the settings shown (`form` 1..4: on that stored
// form, passed as the dialog's parameter; 0: on the whole record): nothing that happens to the
// settings meanwhile reaches the dialog, and its OK hands exactly what it changed to the panel as
// the user's edits. Then as AfterDetailDialog.
INT_PTR RunDetailDialogOnShown(HWND page, const DetailDialogDefinition& dialog, int32_t form = 0);
// What follows a detail dialog opened from a page: with 1 (OK) the panel gets the change notice;
// in every case the page becomes ForegroundWindow again.
void AfterDetailDialog(HWND page, INT_PTR result);

// `bits` after the user's input would hold a switch byte of 0xFF, which no printer could be read
// back with (the record would count as not loaded): the switches are put back to `bitsBefore`,
// the user is told which switches of the byte are all on (box owned by `owner`), and the tab that
// shows most of them is returned. -1 when nothing is wrong. Never is a bit changed for the user.
int RefuseUnreadableSwitches(HWND owner, int32_t& bits, int32_t bitsBefore);

// The record a detail dialog was opened on (nullptr before its initialisation).
const EditedRecord* DialogRecord(HWND dialog);

#endif
