#include "panel/PageKit.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "base/AppState.h"
#include "base/Messages.h"
#include "base/Procedures.h"
#include "base/Text.h"
#include "base/Ui.h"
#include "help/Help.h"
#include "panel/BoundControls.h"
#include "panel/PanelControl.h"
#include "panel/PanelPages.h"
#include "panel/TabPages.h"
#include "panel/TabRules.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"
#include "settings/SettingTable.h"

namespace {

// ---- Pages ---------------------------------------------------------------------------------------

void PlacePage(HWND page) {
    const PanelPages* pages = PanelPagesOf(PanelOfPage(page));
    if (!pages) return;
    const PixelPoint origin = PageOrigin(
        {pages->PageArea.left, pages->PageArea.top, pages->PageArea.right, pages->PageArea.bottom});
    SetWindowPos(page, nullptr, origin.X, origin.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A page's controls are enabled and disabled together, its first static (a group box) with them,
// and a page is created with all of them disabled; so a page whose first static is disabled is
// disabled through. A read disables the pages twice before it fills them, and each control's
// change is a round of messages.
bool PageDisabled(const PageDefinition& definition, HWND page) {
    return !definition.Statics.empty() && !IsWindowEnabled(GetDlgItem(page, definition.Statics.front()));
}

// Enables or disables every control of the page: its statics, its bound controls and its detail
// buttons.
void EnablePage(const PageDefinition& definition, HWND page, bool enable) {
    if (!enable && PageDisabled(definition, page)) return;
    EnableControls(page, definition.Statics, enable);
    EnableControls(page, BoundControlIds(definition.Bindings), enable);
    for (const DetailButton& button : definition.DetailButtons)
        EnableWindow(GetDlgItem(page, button.ButtonId), enable);
}

void RefreshPage(const PageDefinition& definition, HWND page) {
    if (!SettingsLoaded()) return;
    EnablePage(definition, page, true);
    FillBindings(page, definition.Bindings, CurrentSettingsRecord());
    if (definition.AfterEnable) definition.AfterEnable(page);
}

bool OpensDetailDialog(const PageDefinition& definition, HWND page, int id) {
    for (const DetailButton& button : definition.DetailButtons) {
        if (button.ButtonId != id) continue;
        RunDetailDialogOnShown(page, *button.Dialog);
        return true;
    }
    return false;
}

void OnPageCommand(const PageDefinition& definition, HWND page, int id, int code) {
    // The page's own refresh is not the user's change.
    if (IsFilling(page)) return;
    const bool changed = FollowCommand(page, definition.Bindings, id, code, definition.EditChangeCode);
    if (code == BN_CLICKED && OpensDetailDialog(definition, page, id)) return;
    if (changed || definition.AnyCommandNotifies) NotifySettingsChanged(page);
    if (definition.Command) definition.Command(page, id, code);
}

// ---- Detail dialogs ------------------------------------------------------------------------------

struct DetailLaunch {
    const DetailDialogDefinition* Definition;
    EditedRecord Record;
    LPARAM Parameter;
    int32_t* SwitchBits;  // the switch bits of the copy the dialog edits, when it holds them
};

// The panel keeps the detail dialogs open on its settings, so that a restart on another printer
// can cancel them before they store anything into the new printer's record.
void KeepTrackOfDialog(HWND dialog, bool open) {
    PanelPages* pages = PanelPagesOf(AppState.PanelWindow);
    if (!pages) return;
    for (HWND& slot : pages->OpenDialogs) {
        if (open ? slot == nullptr : slot == dialog) {
            slot = open ? dialog : nullptr;
            return;
        }
    }
}

const DetailLaunch* LaunchOf(HWND dialog) {
    return reinterpret_cast<const DetailLaunch*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

void RefuseInDialog(HWND dialog, const Refusal& refusal) {
    ShowPrinterMessage(dialog, refusal.TextId, MB_OK | MB_ICONWARNING);
    SetFocus(GetDlgItem(dialog, refusal.ControlId));
}

void OnDetailOk(HWND dialog, const DetailLaunch& launch) {
    const DetailDialogDefinition& definition = *launch.Definition;
    const int32_t shownBits = launch.SwitchBits ? *launch.SwitchBits : 0;
    Refusal refusal = definition.CheckEntries ? definition.CheckEntries(dialog) : Refusal{0, 0};
    if (refusal.TextId == 0) refusal = CollectBindings(dialog, definition.Bindings, launch.Record);
    if (refusal.TextId != 0) {
        RefuseInDialog(dialog, refusal);
        return;
    }
    // The dialog stays open for the user to choose otherwise.
    if (launch.SwitchBits && RefuseUnreadableSwitches(dialog, *launch.SwitchBits, shownBits) >= 0) return;
    EndDialog(dialog, 1);
}

INT_PTR HandleDetailMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
        const auto* launch = reinterpret_cast<const DetailLaunch*>(lParam);
        if (!launch) return TRUE;
        if (launch->Definition->BeforeFill) launch->Definition->BeforeFill(dialog, launch->Parameter);
        EnableControls(dialog, launch->Definition->AlwaysDisabled, false);
        FillBindings(dialog, launch->Definition->Bindings, launch->Record);
        AppState.ForegroundWindow = dialog;
        KeepTrackOfDialog(dialog, true);
        return TRUE;
    }
    if (message == WM_DESTROY) {
        KeepTrackOfDialog(dialog, false);
        return FALSE;
    }
    const DetailLaunch* launch = LaunchOf(dialog);
    if (!launch) return FALSE;
    const DetailDialogDefinition& definition = *launch->Definition;
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const int code = HIWORD(wParam);
            if (id == IDOK) {
                OnDetailOk(dialog, *launch);
                return TRUE;
            }
            if (id == IDCANCEL) {
                EndDialog(dialog, 0);
                return TRUE;
            }
            if (IsFilling(dialog)) return FALSE;
            if (FollowCommand(dialog, definition.Bindings, id, code, EN_CHANGE) &&
                std::ranges::find(definition.NoticeAtOnce, id) != definition.NoticeAtOnce.end()) {
                NotifySettingsChanged(dialog);
                return TRUE;
            }
            // Commands that are not the dialog's own go to the default dialog handling.
            return definition.Command && definition.Command(dialog, id, code) ? TRUE : FALSE;
        }
        case WM_VSCROLL:
            return lParam && FollowScroll(dialog, definition.Bindings,
                                          GetDlgCtrlID(reinterpret_cast<HWND>(lParam)))
                       ? TRUE
                       : FALSE;
        case WM_HELP:
        case WM_CONTEXTMENU:
            return AnswerHelpRequest(message, wParam, lParam) ? TRUE : FALSE;
        default:
            return FALSE;
    }
}

INT_PTR HandlePageMessage(const PageDefinition& definition, HWND page, UINT message, WPARAM wParam,
                          LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            PlacePage(page);
            AppState.ForegroundWindow = page;
            RefreshPage(definition, page);
            // The tab framework decides where the focus goes when it shows the page; the
            // dialog manager must not move it to the page's first control.
            return FALSE;
        case WM_PAGE_REFRESH:
            RefreshPage(definition, page);
            return TRUE;
        case WM_PAGE_DISABLE:
            EnablePage(definition, page, false);
            return TRUE;
        case WM_PAGE_ENABLE:
            EnablePage(definition, page, true);
            if (definition.AfterEnable) definition.AfterEnable(page);
            return TRUE;
        case WM_PAGE_COLLECT: {
            const Refusal refusal = CollectBindings(page, definition.Bindings, CurrentSettingsRecord());
            if (refusal.TextId != 0) RejectEntry(page, refusal.TextId, refusal.ControlId);
            if (auto* flag = reinterpret_cast<int32_t*>(lParam)) *flag = refusal.TextId == 0 ? 1 : 0;
            return TRUE;
        }
        case WM_COMMAND:
            OnPageCommand(definition, page, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_VSCROLL:
            if (lParam == 0 || IsFilling(page)) return FALSE;
            if (!FollowScroll(page, definition.Bindings, GetDlgCtrlID(reinterpret_cast<HWND>(lParam))))
                return FALSE;
            NotifySettingsChanged(page);
            return TRUE;
        case WM_HELP:
        case WM_CONTEXTMENU:
            return AnswerHelpRequest(message, wParam, lParam) ? TRUE : FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR RunPage(const PageDefinition& definition, HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return GuardDialogMessage([&] { return HandlePageMessage(definition, page, message, wParam, lParam); });
}

INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(page, GWLP_USERDATA, lParam);
    const auto* definition = reinterpret_cast<const PageDefinition*>(GetWindowLongPtrA(page, GWLP_USERDATA));
    return definition ? RunPage(*definition, page, message, wParam, lParam) : FALSE;
}

INT_PTR CALLBACK DetailDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return GuardDialogMessage([&] { return HandleDetailMessage(dialog, message, wParam, lParam); });
}

INT_PTR RunDetailDialog(HWND owner, const DetailDialogDefinition& dialog, const EditedRecord& record,
                        LPARAM parameter, int32_t* switchBits) {
    DetailLaunch launch{&dialog, record, parameter, switchBits};
    return DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(dialog.TemplateId), owner, DetailDialogProc,
                           reinterpret_cast<LPARAM>(&launch));
}

INT_PTR RunDetailDialogOnShown(HWND page, const DetailDialogDefinition& dialog, int32_t form) {
    const PrinterSettings shown = PagesSettings();
    PrinterSettings edited = shown;
    const EditedRecord record =
        form >= 1 && form <= FormCount
            ? EditedRecord{&edited.Record.Forms[form - 1],
                           &edited.FeedPosOther[FeedPosOtherSlot(FeedGroupForm(form - 1), FeedPathContFront)]}
            : EditedRecord{&edited.Record, edited.FeedPosOther};
    const INT_PTR result =
        RunDetailDialog(page, dialog, record, form, form > 0 ? nullptr : &edited.Record.SwitchBits);
    if (result == 1) TakeDialogEdits(PanelOfPage(page), shown, edited);
    AfterDetailDialog(page, result);
    return result;
}

void AfterDetailDialog(HWND page, INT_PTR result) {
    if (result == 1) NotifySettingsChanged(page);
    AppState.ForegroundWindow = page;
}

const EditedRecord* DialogRecord(HWND dialog) {
    const DetailLaunch* launch = LaunchOf(dialog);
    return launch ? &launch->Record : nullptr;
}

HWND PanelOfPage(HWND page) { return GetParent(page); }

int RefuseUnreadableSwitches(HWND owner, int32_t& bits, int32_t bitsBefore) {
    const int32_t byte = UnreadableSwitchByte(bits);
    if (byte < 0) return -1;
    bits = bitsBefore;
    std::string names;
    int32_t perTab[kPageCount] = {};
    for (const SettingDescription* s : SwitchesOfByte(byte)) {
        names += std::string("\n・") + s->Label + ": " + s->OnText;
        if (s->Tab >= 0 && s->Tab < kPageCount) ++perTab[s->Tab];
    }
    char format[kTextBufferSize];
    LoadText(IDS_SWITCHES_UNREADABLE, format, sizeof format);
    char text[4 * kTextBufferSize];
    FormatBounded(text, sizeof text, format, names.c_str());
    ShowPrinterMessage(owner, text, MB_OK | MB_ICONWARNING);
    return static_cast<int>(std::max_element(perTab, perTab + kPageCount) - perTab);
}

void NotifySettingsChanged(HWND sender) {
    const bool isPage = (GetWindowLongA(sender, GWL_STYLE) & WS_CHILD) != 0;
    HWND panel = isPage ? PanelOfPage(sender) : AppState.PanelWindow;
    if (panel) SendMessageA(panel, WM_SETTINGS_CHANGED, reinterpret_cast<WPARAM>(sender), 0);
}

void RejectEntry(HWND page, UINT textId, int controlId) {
    ShowPrinterMessage(page, textId, MB_OK | MB_ICONWARNING);
    HWND panel = PanelOfPage(page);
    // The page comes back into view also when it is still the current page but hidden: a tab
    // whose page could not be created hides the page before it without replacing it.
    const int tabIndex = TabOfPage(page);
    if (const PanelPages* pages = PanelPagesOf(panel);
        pages && tabIndex >= 0 && (pages->CurrentPage != page || !IsWindowVisible(page))) {
        SelectTab(panel, tabIndex);
    }
    SetFocus(GetDlgItem(page, controlId));
}
