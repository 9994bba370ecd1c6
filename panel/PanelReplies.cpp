// The status library's replies to the panel's requests and its notifications of changed items:
// the settings block fetched with its three attempts, the end of an asynchronous write, the state
// items read again and judged, the printer's new name, and the end of work on a moved printer.
#include <cstdint>
#include <cstring>

#include "base/AppState.h"
#include "base/Memory.h"
#include "base/Messages.h"
#include "base/StartupTrace.h"
#include "base/Text.h"
#include "base/Ui.h"
#include "link/KovQmx.h"
#include "link/Link.h"
#include "link/SettingsRead.h"
#include "panel/PanelDialog.h"
#include "panel/PanelPages.h"
#include "panel/PanelRules.h"
#include "panel/TabPages.h"
#include "panel/ToolbarButtons.h"
#include "printers/SingleInstance.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"
#include "settings/SettingsBlock.h"

namespace {

void ShowSettingsOnPages(HWND panel) {
    SetPanelEnabled(panel, 1);  // refreshes every page once
    FocusCurrentPage(panel);
}

void OnReadDone(HWND panel) {
    // Only the reply to the read outstanding on the session is this panel's: without them it is
    // left over from a session already closed, or from a read already given up.
    if (!AppState.Session || AppState.ReadPending != 1) return;
    StopRequestTimer(panel);
    AppState.ReadPending = 0;
    UpdateToolbarButtons();
    RefreshStatusArea(StatusControlOf(panel));
    uint32_t size = 0;
    TraceStartup("read-reply");
    if (DecodeSettingsBlock(AppState.Session, QMX_ITEM_SETTINGS, &PanelSettings, SettingsBlockSize, &size) !=
        0) {
        ShowPrinterMessage(AppState.PanelWindow, IDS_SETTINGS_READ_FAILED, MB_ICONWARNING);
        if (!PanelStillOpen(panel)) return;
    }
    const ReadDoneDecision decision = DecideReadDone(SettingsLoaded(), AppState.ReadAttemptsLeft);
    AppState.ReadAttemptsLeft = decision.AttemptsLeft;
    switch (decision.Step) {
        case ReadDoneStep::ShowSettings:
        case ReadDoneStep::GiveUp:
            // Given up, the pages stay empty and disabled: the record is not loaded.
            TraceStartup("block-decoded");
            ShowSettingsOnPages(panel);
            TraceStartup("pages-filled");
            if (IsWindowVisible(GetAncestor(panel, GA_ROOT))) WriteStartupTrace();
            break;
        case ReadDoneStep::ReadAgain:
            if (ReadSettingsCommand(panel, ReadChain::Retry) != ReadStart::Refused && PanelStillOpen(panel)) {
                SetPanelEnabled(panel, 0);
            }
            break;
    }
}

void OnWriteDone(HWND panel) {
    // Only an asynchronous write that is still outstanding is answered; a completion of a
    // session already closed (the panel moved to another printer since) is not this write's.
    if (!AppState.Session || AppState.WritePending == 0) return;
    StopRequestTimer(panel);
    AppState.WritePending = 0;
    UpdateToolbarButtons();
    RefreshStatusArea(StatusControlOf(panel));
    int32_t result = -1;
    if (ResSetPrinterStatus(AppState.Session, AppState.WriteRequestId, &result) != 0 || result != 0) {
        ShowPrinterMessage(AppState.PanelWindow, IDS_WRITE_FAILED, MB_ICONWARNING);
        if (!PanelStillOpen(panel)) return;
        // The edits are still unwritten.
        EnableUpdateButtons(panel, true);
    }
    FocusCurrentPage(panel);
}

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
    // The header and the frame's title show the new name.
    SendMessageA(panel, WM_PAINT, 0, 0);
}

void OnPortChanged(HWND panel) {
    // The work cannot go on: the program ends as the message says, naming unwritten edits.
    char unsent[kTextBufferSize];
    LoadText(IDS_PORT_CHANGED, AppState.MessageText, sizeof AppState.MessageText);
    if (const char* note = UnsentEditsNote(panel, unsent, sizeof unsent)) {
        const size_t length = std::strlen(AppState.MessageText);
        FormatBounded(AppState.MessageText + length, sizeof AppState.MessageText - length, "\n%s", note);
    }
    ShowPrinterMessage(AppState.PanelWindow, AppState.MessageText, MB_OK | MB_ICONINFORMATION);
    EndAfterFailure(panel);
}

// The notifications WM_EXTSTATUS_CHANGED to WM_PORT_CHANGED, by their offset from the first.
constexpr UINT kFirstNotification = WM_EXTSTATUS_CHANGED;
constexpr UINT kLastNotification = WM_PORT_CHANGED;

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

// A notification's handling may show a message box, which lets further notifications in. Those
// are not handled inside it (a storm of them would stack box upon box, and an inner one could
// close the panel under the outer one): they are noted and handled once each after it.
int notificationDepth = 0;
uint32_t notedNotifications = 0;

void OnNotification(HWND panel, UINT message) {
    // Notifications come from the session; without one they are left over from a closed one.
    if (!AppState.Session) return;
    const uint32_t bit = 1u << (message - kFirstNotification);
    if (notificationDepth > 0) {
        notedNotifications |= bit;
        return;
    }
    ++notificationDepth;
    HandleNotification(panel, message);
    while (notedNotifications != 0 && PanelStillOpen(panel) && AppState.Session) {
        for (UINT next = kFirstNotification; next <= kLastNotification; ++next) {
            const uint32_t nextBit = 1u << (next - kFirstNotification);
            if (!(notedNotifications & nextBit)) continue;
            notedNotifications &= ~nextBit;
            HandleNotification(panel, next);
            break;
        }
    }
    notedNotifications = 0;
    --notificationDepth;
}

}  // namespace

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
            HoldEditsWhileUnusable(panel);
            SetPanelEnabled(panel, 0);
        } else {
            EndAfterFailure(panel);
        }
        return;
    }
    // Edits held while the printer could not be used come back as the user left them.
    if (ComeBackWithHeldEdits(panel)) return;
    const StateFollowUp step = FollowUpAfterChange(CurrentFlags(), SettingsLoaded());
    // Unlike at initialisation, the initial values come without a message: the state changed
    // under the user's eyes.
    FollowUpState(panel, step, false);
    if (step == StateFollowUp::ShowInitialValues && statusItemChanged)
        RefreshStatusArea(StatusControlOf(panel));
}

bool HandleLibraryMessage(HWND panel, UINT message) {
    switch (message) {
        case WM_READ_DONE:
            OnReadDone(panel);
            return true;
        case WM_WRITE_DONE:
            OnWriteDone(panel);
            return true;
        case WM_EXTSTATUS_CHANGED:
        case WM_STATUS_CHANGED:
        case WM_AUTHORITY_CHANGED:
        case WM_NAME_CHANGED:
        case WM_PORT_CHANGED:
            OnNotification(panel, message);
            return true;
        default:
            return false;
    }
}
