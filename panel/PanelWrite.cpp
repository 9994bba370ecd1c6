#include "panel/PanelWrite.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "base/AppState.h"
#include "base/Text.h"
#include "base/Ui.h"
#include "link/KovQmx.h"
#include "link/WriteSettings.h"
#include "panel/FollowPrinter.h"
#include "panel/PageKit.h"
#include "panel/PanelDialog.h"
#include "panel/PanelEdits.h"
#include "panel/PanelRequests.h"
#include "panel/TabPages.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"

namespace {

enum class HandOver { Accepted, Cancelled, Dropped };

// Hands the command over; when the library refuses it the user retries or cancels, as often as it
// takes. A retry goes only to the write's own session: once the panel has moved to another
// printer (the write is no longer outstanding) the retry is dropped. The box's text and caption
// are made once, before the first box: while it is up the panel's handlers reuse the shared
// message buffers, and the current printer may change.
HandOver HandOverWithRetries(HWND panel, const PanelRequest& write, const SettingsCommand& command,
                             int synchronous) {
    if (HandOverSettingsCommand(command, synchronous) == 0) return HandOver::Accepted;
    char text[kTextBufferSize];
    LoadText(IDS_WRITE_FAILED_RETRY, text, sizeof text);
    const char* current = CurrentPrinterName();
    const std::string printer = current ? current : "";
    for (;;) {
        const int answer = ShowPrinterMessage(panel, text, MB_ICONWARNING | MB_RETRYCANCEL,
                                              current ? printer.c_str() : nullptr);
        if (!IsOutstanding(panel, write)) return HandOver::Dropped;
        if (answer != IDRETRY) return HandOver::Cancelled;
        if (HandOverSettingsCommand(command, synchronous) == 0) return HandOver::Accepted;
    }
}

// The write ended without its values reaching the printer: they are unsent edits again.
void WriteFailed(HWND panel) {
    EndRequest(panel);
    ChangeEdits(panel, EditEvent::WriteFailed);
}

// Turns an update away (busy, no update allowed, no settings loaded) with a message; true when
// refused.
bool RefuseUpdate(HWND panel) {
    if (RefuseWhileBusy() || !PanelStillOpen(panel)) return true;
    if (AppState.CanUpdate != 1) {
        // The status area says why: the printer or the user's rights allow no update now.
        CopyBounded(AppState.MessageText, sizeof AppState.MessageText, AppState.StatusText);
        ShowPrinterMessage(panel, AppState.MessageText, MB_OK | MB_ICONINFORMATION);
        return true;
    }
    if (!SettingsLoaded()) {
        // The record holds no settings (the read gave up): writing it would send nonsense.
        ShowPrinterMessage(AppState.PanelWindow, IDS_NOTHING_TO_WRITE, MB_ICONWARNING);
        return true;
    }
    return false;
}

}  // namespace

int WriteSettings(HWND panel, int synchronous, WriteOutcome* outcome) {
    WriteOutcome ignored = WriteOutcome::HandedOver;
    WriteOutcome& ended = outcome ? *outcome : ignored;
    SettingsCommand command{};
    if (!PrepareSettingsCommand(panel, &command)) {
        // The edits stay in PanelSettings and on the pages, for correcting.
        ended = WriteOutcome::ValueDoesNotFit;
        return 0;
    }
    const PanelRequest write = BeginRequest(panel, RequestKind::Write);
    switch (HandOverWithRetries(panel, write, command, synchronous)) {
        case HandOver::Accepted:
            ChangeEdits(panel, EditEvent::WriteAccepted);
            // A synchronous write stays outstanding until the panel closes.
            if (!synchronous) LimitTime(panel, write);
            ended = WriteOutcome::HandedOver;
            return 1;
        case HandOver::Cancelled:
            WriteFailed(panel);
            ended = WriteOutcome::Cancelled;
            return 0;
        case HandOver::Dropped:
            break;
    }
    // Nothing of this write is left: the printer it was for is not the panel's any more.
    ended = WriteOutcome::Dropped;
    return 0;
}

// Collects the pages for a write; false when a page refused its input or the settings would hold a
// switch byte that no one could read back (then the page of those switches is brought forward and
// the record keeps the switches it had, the edits staying on the pages).
bool CollectForWrite(HWND panel) {
    const int32_t shownBits = PanelSettings.SwitchBits;
    if (!CollectPages(panel) || !PanelStillOpen(panel)) return false;
    const int tab = RefuseUnreadableSwitches(panel, shownBits);
    if (tab < 0) return true;
    if (PanelStillOpen(panel)) SelectTab(panel, tab);
    return false;
}

void UpdateCommand(HWND panel) {
    if (RefuseUpdate(panel) || !PanelStillOpen(panel)) return;
    if (!CollectForWrite(panel)) return;
    WriteSettings(panel, 0);
}

void UpdateAndExitCommand(HWND panel) {
    if (RefuseUpdate(panel) || !PanelStillOpen(panel)) return;
    if (!CollectForWrite(panel)) return;
    WriteOutcome outcome = WriteOutcome::HandedOver;
    if (!WriteSettings(panel, 1, &outcome)) {
        // A value that does not fit has been named: the user corrects it, there is nothing to
        // ask. A write dropped with its printer belongs to the panel no more.
        if (!PanelStillOpen(panel) || outcome == WriteOutcome::ValueDoesNotFit ||
            outcome == WriteOutcome::Dropped)
            return;
        if (ShowPrinterMessage(AppState.PanelWindow, IDS_WRITE_INCOMPLETE_EXIT, MB_ICONQUESTION | MB_YESNO) !=
            IDYES)
            return;
        if (!PanelStillOpen(panel)) return;
    }
    ClosePanel();
}

void OnWriteDone(HWND panel) {
    const PanelRequest write = OutstandingRequest(panel, RequestKind::Write);
    if (write.Kind == RequestKind::None) return;  // left over from a closed session or a write given up
    int32_t result = -1;
    const QMXSTATUS status = ResSetPrinterStatus(AppState.Session, AppState.WriteRequestId, &result);
    // The write outstanding is still under way: this completion was posted for an earlier write,
    // given up after the time limit.
    if (status == QMX_STATUS_PENDING) return;
    const HandlingScope handling(panel);
    if (status != 0 || result != 0) {
        WriteFailed(panel);
        ShowPrinterMessage(AppState.PanelWindow, IDS_WRITE_FAILED, MB_ICONWARNING);
        if (!PanelStillOpen(panel)) return;
    } else {
        EndRequest(panel);
    }
    FocusCurrentPage(panel);
}

void WriteTimedOut(HWND panel) {
    const HandlingScope handling(panel);
    WriteFailed(panel);
    ShowPrinterMessage(AppState.PanelWindow, IDS_WRITE_FAILED, MB_ICONWARNING);
}
