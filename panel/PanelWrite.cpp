#include "panel/PanelWrite.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "base/AppState.h"
#include "base/Text.h"
#include "base/Ui.h"
#include "link/KovQmx.h"
#include "link/SettingsRead.h"
#include "link/WriteSettings.h"
#include "panel/FollowPrinter.h"
#include "panel/PageKit.h"
#include "panel/PanelControl.h"
#include "panel/PanelDialog.h"
#include "panel/TabPages.h"
#include "printers/SettingsHistory.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"
#include "settings/SettingsFile.h"

namespace {

enum class HandOver { Accepted, Cancelled, Dropped };

// Hands the command over; when the library refuses it the user retries or cancels, as often as it
// takes. A retry goes only to the write's own session: once the panel has moved to another
// printer (the write is no longer outstanding) the retry is dropped. The box's text and caption
// are made once, before the first box: while it is up the panel's handlers reuse the shared
// message buffers, and the current printer may change.
HandOver HandOverWithRetries(HWND panel, const PanelRequest& write, const SettingsCommand& command,
                             PanelState& state) {
    const int synchronous = state.WriteSynchronous ? 1 : 0;
    if (HandOverSettingsCommand(command, synchronous, &state.WriteRequestId) == 0) return HandOver::Accepted;
    char text[kTextBufferSize];
    LoadText(IDS_WRITE_FAILED_RETRY, text, sizeof text);
    const char* current = CurrentPrinterName();
    const std::string printer = current ? current : "";
    for (;;) {
        const int answer = ShowPrinterMessage(panel, text, MB_ICONWARNING | MB_RETRYCANCEL,
                                              current ? printer.c_str() : nullptr);
        if (!IsOutstanding(panel, write)) return HandOver::Dropped;
        if (answer != IDRETRY) return HandOver::Cancelled;
        if (HandOverSettingsCommand(command, synchronous, &state.WriteRequestId) == 0)
            return HandOver::Accepted;
    }
}

// The write ended without its values reaching the printer: they are unsent edits again.
void WriteFailed(HWND panel) {
    EndRequest(panel);
    ChangeEdits(panel, EditEvent::WriteFailed);
    Dispatch(panel, WriteEnded{false});
}

// The write ended before anything was handed over: the edits stay as they were.
void WriteNotSent(HWND panel, WriteOutcome outcome) {
    EndRequest(panel);
    Dispatch(panel, WriteEnded{false});
    if (PanelState* state = PanelStateOf(panel)) state->LastWrite = outcome;
}

// Turns an update away (busy, no update allowed, no settings loaded) with a message; true when
// refused.
bool RefuseUpdate(HWND panel) {
    if (RefuseWhileBusy() || !PanelStillOpen(panel)) return true;
    if (AppState.CanUpdate != 1) {
        // The status area says why: the printer or the user's rights allow no update now.
        char text[kTextBufferSize];
        CopyBounded(text, sizeof text, AppState.StatusText);
        ShowPrinterMessage(panel, text, MB_OK | MB_ICONINFORMATION);
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
    PanelState* state = PanelStateOf(panel);
    if (!state) {
        ended = WriteOutcome::Dropped;
        return 0;
    }
    TakePagesEdits(panel);
    state->WriteSynchronous = synchronous != 0;
    // Nothing to write (no settings shown) unless a step below says otherwise.
    state->LastWrite = WriteOutcome::Cancelled;
    const PanelRequest write = BeginRequest(panel, RequestKind::Write);
    Dispatch(panel, WriteWanted{});
    state = PanelStateOf(panel);
    if (!state) {
        ended = WriteOutcome::Dropped;
        return 0;
    }
    // A question answered with Cancel, or nothing to write at all: the write is over.
    if (IsOutstanding(panel, write) && state->LastWrite != WriteOutcome::HandedOver) EndRequest(panel);
    ended = state->LastWrite;
    return ended == WriteOutcome::HandedOver ? 1 : 0;
}

void ReadPrinterForWrite(HWND panel) {
    // The settings the printer holds now, which the edits go over; a read that fails leaves the
    // settings shown to be written as they are.
    Dispatch(panel, PrinterNow{ReadPrinterSettings(AppState.Session)});
}

void AskBeforeOverwriting(HWND panel, const std::vector<const SettingKey*>& keys) {
    const PanelRequest write = OutstandingRequest(panel, RequestKind::Write);
    if (write.Kind == RequestKind::None) return;
    char text[8 * kTextBufferSize];
    FormatBounded(text, sizeof text, ProgramText(IDS_OVERWRITE_CHANGED).c_str(), SettingLabels(keys).c_str());
    const int answer = ShowPrinterMessage(panel, text, MB_ICONQUESTION | MB_OKCANCEL);
    // While the question was up the printer may have gone: the answer is for a write that is no more.
    if (!IsOutstanding(panel, write)) {
        if (PanelState* state = PanelStateOf(panel)) state->LastWrite = WriteOutcome::Dropped;
        return;
    }
    if (answer != IDOK) WriteNotSent(panel, WriteOutcome::NotOverwritten);
    Dispatch(panel, OverwriteAnswer{answer == IDOK});
}

namespace {

// Keeps what the printer held before the write in its history; false, after telling the user, when
// it cannot be kept: then nothing is sent and the edits stay.
bool KeepBeforeWrite(HWND panel, const std::string& printer, const PrinterSettings& before,
                     const PrinterSettings& values) {
    // A session without a printer entry has no name to file the history under: the write goes on
    // as it did before there was a history.
    if (printer.empty()) return true;
    HistoryNote note;
    note.Program = "RemotePanel";
    note.Reason = PanelStateOf(panel)->WriteSynchronous ? "更新後終了" : "更新";
    note.Changes = static_cast<int>(CompareSettings(before, values).size());
    std::string problem;
    if (KeepHistory(HistoryPlace{}, printer, before, ProgramText(IDS_MODEL_NAME), note, &problem)) return true;
    char text[4 * kTextBufferSize];
    FormatBounded(text, sizeof text, ProgramText(IDS_HISTORY_NOT_KEPT).c_str(), problem.c_str());
    ShowPrinterMessage(panel, text, MB_OK | MB_ICONWARNING);
    return false;
}

}  // namespace

void SendWrite(HWND panel, const PrinterSettings& values, const std::optional<PrinterSettings>& before) {
    const PanelRequest write = OutstandingRequest(panel, RequestKind::Write);
    PanelState* state = PanelStateOf(panel);
    if (!state || write.Kind == RequestKind::None) return;
    // The user's switches over another program's switches of the same byte may turn all its bits
    // on, which no printer could be read back with; or a value may not fit the command. Nothing is
    // sent then, and the edits stay on the pages, for correcting.
    int32_t bits = values.Record.SwitchBits;
    SettingsCommand command{};
    if (RefuseUnreadableSwitches(panel, bits, 0) >= 0 || !PrepareSettingsCommand(panel, values, &command)) {
        if (IsOutstanding(panel, write)) WriteNotSent(panel, WriteOutcome::ValueDoesNotFit);
        return;
    }
    // A printer that cannot be read (update only) has no settings to keep. The history is the
    // write's printer's, whatever a retry box below lets happen meanwhile.
    const std::string printer = CurrentPrinterName() ? CurrentPrinterName() : "";
    if (before && !KeepBeforeWrite(panel, printer, *before, values)) {
        if (IsOutstanding(panel, write)) WriteNotSent(panel, WriteOutcome::HistoryNotKept);
        return;
    }
    const HandOver handOver = HandOverWithRetries(panel, write, command, *state);
    state = PanelStateOf(panel);
    if (!state) return;
    switch (handOver) {
        case HandOver::Accepted:
            state->LastWrite = WriteOutcome::HandedOver;
            if (before && !printer.empty()) PruneHistory(HistoryPlace{}, printer);
            ChangeEdits(panel, EditEvent::WriteAccepted);
            // A synchronous write stays outstanding until the panel closes.
            if (!state->WriteSynchronous) LimitTime(panel, write);
            break;
        case HandOver::Cancelled:
            state->LastWrite = WriteOutcome::Cancelled;
            WriteFailed(panel);
            break;
        case HandOver::Dropped:
            // Nothing of this write is left: the printer it was for is not the panel's any more.
            state->LastWrite = WriteOutcome::Dropped;
            break;
    }
}

// Collects the pages for a write; false when a page refused its input or the settings would hold a
// switch byte that no one could read back (then the page of those switches is brought forward and
// the record keeps the switches it had, the edits staying on the pages).
bool CollectForWrite(HWND panel) {
    const int32_t shownBits = PanelSettings.SwitchBits;
    if (!CollectPages(panel) || !PanelStillOpen(panel)) return false;
    const int tab = RefuseUnreadableSwitches(panel, PanelSettings.SwitchBits, shownBits);
    if (tab < 0) {
        TakePagesEdits(panel);
        return true;
    }
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
        // A value that does not fit or a history that could not be kept has been named: the user
        // corrects it; the user chose to keep the edits rather than overwrite the printer's newer
        // values: the panel stays; there is nothing to ask. A write dropped with its printer
        // belongs to the panel no more.
        if (!PanelStillOpen(panel) || outcome == WriteOutcome::ValueDoesNotFit ||
            outcome == WriteOutcome::HistoryNotKept || outcome == WriteOutcome::NotOverwritten ||
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
    const QMXSTATUS status =
        ResSetPrinterStatus(AppState.Session, PanelStateOf(panel)->WriteRequestId, &result);
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
        Dispatch(panel, WriteEnded{true});
    }
    FocusCurrentPage(panel);
}

void WriteTimedOut(HWND panel) {
    const HandlingScope handling(panel);
    WriteFailed(panel);
    ShowPrinterMessage(AppState.PanelWindow, IDS_WRITE_FAILED, MB_ICONWARNING);
}
