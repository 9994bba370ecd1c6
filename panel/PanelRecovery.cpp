// What the panel does when the printer or the link lets it down: unsent edits are held while the
// printer cannot be used and offered again when it can, nothing is written that cannot be, the
// program ends without a question after a failure that ends it, and a request whose reply never
// comes is given up after a while.
#include <windows.h>

#include "base/AppState.h"
#include "base/Messages.h"
#include "base/Text.h"
#include "base/Ui.h"
#include "panel/PanelDialog.h"
#include "panel/PanelPages.h"
#include "panel/TabPages.h"
#include "panel/ToolbarButtons.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"

namespace {

constexpr UINT_PTR kRequestTimer = 1;
UINT requestTimeoutMs = 30000;

}  // namespace

void HoldEditsWhileUnusable(HWND panel) {
    PanelPages* pages = PanelPagesOf(panel);
    if (pages && UpdateButtonsEnabled(panel)) pages->UnsentEditsHeld = 1;
    EnableUpdateButtons(panel, false);
    // Without edits to keep, the settings shown are dropped, so that the printer's own are read
    // again once it can be used.
    if (!pages || !pages->UnsentEditsHeld) MarkSettingsNotLoaded();
}

bool ComeBackWithHeldEdits(HWND panel) {
    PanelPages* pages = PanelPagesOf(panel);
    if (!pages || !pages->UnsentEditsHeld) return false;
    EnablePanelHeader(panel, true);
    SendToPages(panel, WM_PAGE_ENABLE);
    // The edits can be written once the printer takes updates; until then they stay held.
    if (AppState.CanUpdate == 1) {
        pages->UnsentEditsHeld = 0;
        EnableUpdateButtons(panel, true);
    }
    return true;
}

void DropHeldEdits(HWND panel) {
    if (PanelPages* pages = PanelPagesOf(panel)) pages->UnsentEditsHeld = 0;
}

bool HasUnsentEdits(HWND panel) {
    const PanelPages* pages = PanelPagesOf(panel);
    return UpdateButtonsEnabled(panel) || (pages && pages->UnsentEditsHeld);
}

const char* UnsentEditsNote(HWND panel, char* buffer, size_t size) {
    if (!HasUnsentEdits(panel)) return nullptr;
    LoadText(IDS_EDITS_NOT_WRITTEN, buffer, static_cast<int>(size));
    return buffer;
}

void EndAfterFailure(HWND panel) {
    if (!PanelStillOpen(panel)) return;
    if (AppState.FrameWindow) ShowWindow(AppState.FrameWindow, SW_HIDE);
    ClosePanel();
}

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
        if (PanelStillOpen(panel)) EnableUpdateButtons(panel, false);
        return true;
    }
    return false;
}

void StartRequestTimer(HWND panel) { SetTimer(panel, kRequestTimer, requestTimeoutMs, nullptr); }

void StopRequestTimer(HWND panel) { KillTimer(panel, kRequestTimer); }

bool OnRequestTimer(HWND panel, WPARAM timer) {
    if (timer != kRequestTimer) return false;
    StopRequestTimer(panel);
    if (AppState.ReadPending == 1) {
        // The reply to the read never came: the read ends as one that found nothing.
        AppState.ReadPending = 0;
        AppState.ReadAttemptsLeft = kReadAttempts;
        UpdateToolbarButtons();
        RefreshStatusArea(StatusControlOf(panel));
        ShowPrinterMessage(AppState.PanelWindow, IDS_SETTINGS_READ_FAILED, MB_ICONWARNING);
        if (!PanelStillOpen(panel)) return true;
        SetPanelEnabled(panel, 1);
        FocusCurrentPage(panel);
    } else if (AppState.WritePending == 1) {
        // Nor did the end of the write: the edits count as unwritten.
        AppState.WritePending = 0;
        UpdateToolbarButtons();
        RefreshStatusArea(StatusControlOf(panel));
        ShowPrinterMessage(AppState.PanelWindow, IDS_WRITE_FAILED, MB_ICONWARNING);
        if (PanelStillOpen(panel)) EnableUpdateButtons(panel, true);
    }
    return true;
}

UINT SetPanelRequestTimeout(UINT milliseconds) {
    const UINT previous = requestTimeoutMs;
    requestTimeoutMs = milliseconds;
    return previous;
}
