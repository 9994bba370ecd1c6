#include "panel/FollowPrinter.h"

#include <cstdint>
#include <cstring>

#include "base/AppState.h"
#include "base/Memory.h"
#include "base/Messages.h"
#include "base/Text.h"
#include "base/Ui.h"
#include "link/KovQmx.h"
#include "link/PrinterState.h"
#include "link/StateItems.h"
#include "link/StateRead.h"
#include "panel/PanelControl.h"
#include "panel/PanelDialog.h"
#include "panel/PanelPages.h"
#include "panel/PanelRead.h"
#include "panel/TabPages.h"
#include "panel/ToolbarButtons.h"
#include "printers/SingleInstance.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"

namespace {

constexpr UINT kFirstNotification = WM_EXTSTATUS_CHANGED;
constexpr UINT kLastNotification = WM_PORT_CHANGED;
static_assert(kLastNotification - kFirstNotification + 1 == kFollowedNotifications);

void OnStateItemChanged(HWND panel, StateItem item) {
    if (const UINT failure = ReadStateItem(item)) {
        ReportLinkFailure(panel, failure);
        return;
    }
    ReevaluateState(panel, item == StateItem::Status);
}

// A second start with the printer's new name must find this panel: the mapping of the new name
// replaces the old one, which is kept only when the new one cannot be had.
void FollowNameWithInstanceMapping(const char* name) {
    bool existed = false;
    HANDLE mapping = CreateInstanceMapping(name, &existed);
    if (mapping) HoldInstanceMapping(mapping);
}

void OnNameChanged(HWND panel) {
    char name[kTextBufferSize] = "";
    uint32_t size = 0;
    if (GetPrinterStatusA(AppState.Session, QMX_ITEM_PRINTER_NAME, name, sizeof name, &size) != 0) {
        RefreshStatusArea(StatusControlOf(panel));
        ReportLinkFailure(panel, IDS_NAME_READ_FAILED);
        return;
    }
    name[sizeof name - 1] = '\0';
    TruncateCp932(name, sizeof name - 1);  // a name cut at the field's end may end in half a character
    if (PrinterEntry* printer = AppState.CurrentPrinter) {
        // The new name is copied before the old one is let go, so that a failed allocation
        // leaves the printer with its old name rather than none.
        char* copy = DuplicateString(name);
        if (!copy) {
            ShowAllocationFailure(AppState.PanelWindow, GetLastError());
            return;
        }
        ReleaseMemory(printer->Name);
        printer->Name = copy;
        FollowNameWithInstanceMapping(copy);
    }
    ShowPrinterHeader(panel);
}

void OnPortChanged(HWND panel) {
    // The work cannot go on: the program ends as the message says, naming unwritten edits.
    char unsent[kTextBufferSize];
    char text[2 * kTextBufferSize];
    LoadText(IDS_PORT_CHANGED, text, sizeof text);
    if (const char* note = UnsentEditsNote(panel, unsent, sizeof unsent)) {
        const size_t length = std::strlen(text);
        FormatBounded(text + length, sizeof text - length, "\n%s", note);
    }
    ShowPrinterMessage(AppState.PanelWindow, text, MB_OK | MB_ICONINFORMATION);
    EndAfterFailure(panel);
}

void HandleNotification(HWND panel, UINT message) {
    switch (message) {
        case WM_EXTSTATUS_CHANGED:
            OnStateItemChanged(panel, StateItem::ExtStatus);
            break;
        case WM_STATUS_CHANGED:
            OnStateItemChanged(panel, StateItem::Status);
            break;
        case WM_AUTHORITY_CHANGED:
            OnStateItemChanged(panel, StateItem::Authority);
            break;
        case WM_NAME_CHANGED:
            OnNameChanged(panel);
            break;
        case WM_PORT_CHANGED:
            OnPortChanged(panel);
            break;
        default:
            break;
    }
}

// The printer can be used again: edits held on the disabled pages come back as the user left
// them, and settings kept with a write under way come back with them. Edits made while the
// settings were dropped (a detail dialog's OK while the printer was away) get the printer's
// settings read under them. False when nothing was kept (what follows is then the state's
// follow-up).
bool ComeBackWithWhatWasKept(HWND panel) {
    const PanelEdits before = EditsOf(panel);
    if (!before.PrinterUnusable) return false;
    ChangeEdits(panel, EditEvent::PrinterUsable);
    const bool held = before.State == EditState::Held;
    const PanelModel* model = ModelOf(panel);
    if (!model || model->Settings.Source == ShownSource::Nothing || !SettingsLoaded()) {
        if (!held || AppState.CanRead != 1) return false;
        if (NothingInTheWay(CurrentFlags())) ReadSettingsCommand(panel, ReadChain::KeepEdits);
        return true;
    }
    EnablePanelHeader(panel, true);
    SendToPages(panel, held ? WM_PAGE_ENABLE : WM_PAGE_REFRESH);
    return true;
}

void ShowInitialValues(HWND panel, bool tellUser) {
    MarkSettingsNotLoaded();
    RefreshPanel(panel);
    PrinterSettings initial = PagesSettings();
    LoadInitialSettings(initial.Record);
    Dispatch(panel, InitialValuesShown{initial});
    if (tellUser) {
        ShowPrinterMessage(AppState.PanelWindow, IDS_INITIAL_VALUES_SHOWN, MB_ICONINFORMATION);
        if (!PanelStillOpen(panel)) return;
    }
    SetPanelEnabled(panel, SettingsLoaded() ? 1 : 0);
}

}  // namespace

HandlingScope::HandlingScope(HWND panel) : panel_(panel) {
    if (PanelState* state = PanelStateOf(panel_)) ++state->HandlingDepth;
}

HandlingScope::~HandlingScope() {
    PanelState* state = PanelStateOf(panel_);
    if (!state) return;  // the panel closed meanwhile
    if (state->HandlingDepth > 1) {
        --state->HandlingDepth;
        return;
    }
    // The outermost handling: what was noted meanwhile is handled now, one at a time, each still
    // inside it so that what arrives during one is noted in turn.
    while (state && state->NotedNotifications != 0 && AppState.Session) {
        for (UINT next = kFirstNotification; next <= kLastNotification; ++next) {
            const uint32_t bit = 1u << (next - kFirstNotification);
            if (!(state->NotedNotifications & bit)) continue;
            state->NotedNotifications &= ~bit;
            HandleNotification(panel_, next);
            break;
        }
        state = PanelStateOf(panel_);
    }
    if (!state) return;
    state->NotedNotifications = 0;
    state->HandlingDepth = 0;
}

void OnNotification(HWND panel, UINT message) {
    // Notifications come from the session; without one they are left over from a closed one.
    PanelState* state = PanelStateOf(panel);
    if (!AppState.Session || !state || message < kFirstNotification || message > kLastNotification) return;
    if (state->HandlingDepth > 0) {
        state->NotedNotifications |= 1u << (message - kFirstNotification);
        return;
    }
    const HandlingScope handling(panel);
    HandleNotification(panel, message);
}

void ReevaluateState(HWND panel, bool statusItemChanged) {
    char unsent[kTextBufferSize];
    const int usable =
        EvaluatePrinterState(panel, AppState.LastExtStatus, AppState.LastPrinterStatus,
                             AppState.LastUserAuthority, UnsentEditsNote(panel, unsent, sizeof unsent));
    if (!PanelStillOpen(panel)) return;
    UpdateToolbarButtons();
    RefreshStatusArea(StatusControlOf(panel));
    if (!usable) {
        if (AppState.SeveralPrinters) {
            HoldForUnusablePrinter(panel);
        } else {
            EndAfterFailure(panel);
        }
        return;
    }
    if (ComeBackWithWhatWasKept(panel)) return;
    ShowEditState(panel);
    const StateFollowUp step = FollowUpAfterChange(CurrentFlags(), SettingsLoaded());
    // Unlike at initialisation, the initial values come without a message: the state changed
    // under the user's eyes.
    FollowUpState(panel, step, false);
    if (step == StateFollowUp::ShowInitialValues && statusItemChanged)
        RefreshStatusArea(StatusControlOf(panel));
}

void FollowUpState(HWND panel, StateFollowUp step, bool tellUser) {
    switch (step) {
        case StateFollowUp::StartRead:
            ReadSettingsCommand(panel, ReadChain::New);
            break;
        case StateFollowUp::ShowNotLoaded:
            Dispatch(panel, SettingsDropped{});
            MarkSettingsNotLoaded();
            RefreshPanel(panel);
            break;
        case StateFollowUp::ShowInitialValues:
            ShowInitialValues(panel, tellUser);
            break;
        case StateFollowUp::Nothing:
            break;
    }
}

void HoldForUnusablePrinter(HWND panel) {
    ChangeEdits(panel, EditEvent::PrinterUnusable);
    // Without edits to keep (or a write under way, whose values may be needed again), the settings
    // shown are dropped, so that the printer's own are read again once it can be used.
    Dispatch(panel, SettingsDropped{});
    SetPanelEnabled(panel, 0);
}

void ReportLinkFailure(HWND panel, UINT textId) {
    char text[kTextBufferSize];
    LoadText(textId, text, sizeof text);
    ReportLinkFailureText(panel, text);
}

void ReportLinkFailureText(HWND panel, const char* text) {
    char failure[kTextBufferSize];
    CopyBounded(failure, sizeof failure, text ? text : "");
    AppState.CanRead = 0;
    AppState.CanUpdate = 0;
    UpdateToolbarButtons();
    if (AppState.SeveralPrinters) {
        // The panel stays, so that another printer can be chosen; nothing can be written now.
        ChangeEdits(panel, EditEvent::PrinterUnusable);
        Dispatch(panel, SettingsDropped{});
        ShowPrinterMessage(AppState.PanelWindow, failure, MB_OK | MB_ICONWARNING);
        if (!PanelStillOpen(panel)) return;
        LoadText(IDS_PANEL_UNAVAILABLE, AppState.StatusText, sizeof AppState.StatusText);
        RefreshStatusArea(StatusControlOf(panel));
        return;
    }
    // The program ends as the message says, without asking; edits that were not written are
    // named in it.
    char programEnds[kTextBufferSize];
    LoadText(IDS_PROGRAM_ENDS, programEnds, sizeof programEnds);
    char unsent[kTextBufferSize];
    char message[3 * kTextBufferSize];
    if (const char* note = UnsentEditsNote(panel, unsent, sizeof unsent)) {
        FormatBounded(message, sizeof message, "%s\n%s\n%s", failure, note, programEnds);
    } else {
        FormatBounded(message, sizeof message, "%s\n%s", failure, programEnds);
    }
    ShowPrinterMessage(AppState.PanelWindow, message, MB_OK | MB_ICONWARNING);
    EndAfterFailure(panel);
}
