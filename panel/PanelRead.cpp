#include "panel/PanelRead.h"

#include <cstdint>

#include "base/AppState.h"
#include "base/Messages.h"
#include "base/StartupTrace.h"
#include "base/Ui.h"
#include "link/KovQmx.h"
#include "link/Notifications.h"
#include "link/SettingsRead.h"
#include "panel/FollowPrinter.h"
#include "panel/PanelControl.h"
#include "panel/PanelDialog.h"
#include "panel/PanelRules.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"

namespace {

int32_t& AttemptsLeft(HWND panel) {
    static int32_t none = kReadAttempts;  // a panel without a record keeps no count
    PanelState* state = PanelStateOf(panel);
    return state ? state->ReadAttemptsLeft : none;
}

// A read that found nothing: it is over, the user is told, and the pages come back as they are
// (empty and disabled while nothing is loaded); the user can read again.
void ReadFoundNothing(HWND panel) {
    AttemptsLeft(panel) = kReadAttempts;
    ShowPrinterMessage(AppState.PanelWindow, IDS_SETTINGS_READ_FAILED, MB_ICONWARNING);
    if (!PanelStillOpen(panel)) return;
    SetPanelEnabled(panel, 1);
    FocusCurrentPage(panel);
}

void ShowSettingsOnPages(HWND panel) {
    SetPanelEnabled(panel, 1);  // refreshes every page once
    FocusCurrentPage(panel);
}

}  // namespace

ReadStart ReadSettingsCommand(HWND panel, ReadChain chain) {
    if (AppState.CanRead == 0) return ReadStart::NotStarted;
    // Every new read has its three attempts, whatever an earlier one left over.
    if (chain != ReadChain::Retry) AttemptsLeft(panel) = kReadAttempts;
    if (RefuseWhileBusy()) return ReadStart::NotStarted;
    if (chain == ReadChain::New && !MayDropEdits(panel, AppState.PanelWindow)) return ReadStart::NotStarted;
    // A read that brings back the settings under held edits keeps them; any other lets them go.
    if (chain != ReadChain::KeepEdits) Dispatch(panel, EditsDropped{});
    SetPanelEnabled(panel, 0);
    Dispatch(panel, SettingsDropped{});
    MarkSettingsNotLoaded();
    RefreshPanel(panel);
    const PanelRequest read = BeginRequest(panel, RequestKind::Read);
    if (GetReqPrinterStatusMsgA(AppState.Session, QMX_ITEM_SETTINGS, panel, WM_READ_DONE) == 0) {
        LimitTime(panel, read);
        return ReadStart::Requested;
    }
    // No WM_READ_DONE will come for a refused request: rather than wait for it for ever, the
    // read ends here as one that found nothing.
    EndRequest(panel);
    ReadFoundNothing(panel);
    return ReadStart::Refused;
}

void OnReadDone(HWND panel) {
    const PanelRequest readTicket = OutstandingRequest(panel, RequestKind::Read);
    if (readTicket.Kind == RequestKind::None) return;  // left over from a closed session or a read given up
    const HandlingScope handling(panel);
    EndRequest(panel);
    const PanelModel* model = ModelOf(panel);
    if (HasUnsentEdits(panel) && model && model->Settings.Edits.Empty()) {
        // Edits typed on the pages while the read was under way are only there: the printer's
        // block does not overwrite them.
        AttemptsLeft(panel) = kReadAttempts;
        return;
    }
    TraceStartup("read-reply");
    PrinterSettings read;
    MarkSettingsNotLoaded(read.Record);
    uint32_t size = 0;
    if (DecodeSettingsBlock(AppState.Session, QMX_ITEM_SETTINGS, &read, SettingsBlockSize, &size) != 0) {
        ShowPrinterMessage(AppState.PanelWindow, IDS_SETTINGS_READ_FAILED, MB_ICONWARNING);
        // While the box was up the panel may have closed or moved to another printer.
        if (!PanelStillOpen(panel) || CurrentSessionSerial() != readTicket.Session) return;
    }
    const bool loaded = SettingsLoaded(read.Record);
    const ReadDoneDecision decision = DecideReadDone(loaded, AttemptsLeft(panel));
    AttemptsLeft(panel) = decision.AttemptsLeft;
    switch (decision.Step) {
        case ReadDoneStep::ShowSettings:
            // The settings read, with the edits still held over them, fill the pages.
            TraceStartup("block-decoded");
            Dispatch(panel, SettingsRead{read});
            ShowSettingsOnPages(panel);
            TraceStartup("pages-filled");
            if (IsWindowVisible(GetAncestor(panel, GA_ROOT))) WriteStartupTrace();
            break;
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

void ReadTimedOut(HWND panel) {
    const HandlingScope handling(panel);
    EndRequest(panel);
    ReadFoundNothing(panel);
}
