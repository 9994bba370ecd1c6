// Judging what the printer's state allows, and the status area.
#include <cstring>

#include "base/AppState.h"
#include "base/Text.h"
#include "base/Ui.h"
#include "link/PrinterState.h"
#include "link/StateRules.h"
#include "res/resource.h"

static_assert(kStatusTextSize == kTextBufferSize, "the status area keeps a copy of StatusText");

namespace {

// What the status area showed last; all zero and empty at load.
StatusAreaState lastShown{};

}  // namespace

void LoadStatusText(uint32_t textId, char* out, size_t size) {
    if (textId == kPrintSwitchText) {
        CopyBounded(out, size, RP_PRINT_SWITCH_TEXT);
    } else {
        LoadText(textId, out, static_cast<int>(size));
    }
}

HWND StatusControlOf(HWND panel) { return panel ? GetDlgItem(panel, IDC_STATUS_AREA) : nullptr; }

int EvaluatePrinterState(HWND owner, int32_t ext, const int32_t status[3], int32_t auth, const char* note) {
    const PrinterStateDecision decision = DecidePrinterState(ext, status, auth);
    AppState.CanUpdate = decision.CanUpdate;
    AppState.CanRead = decision.CanRead;
    AppState.PrinterBusy = decision.PrinterBusy;
    LoadStatusText(decision.TextId, AppState.StatusText, sizeof AppState.StatusText);
    if (decision.Result) return 1;

    if (AppState.SeveralPrinters) {
        // The panel stays open with the reason and "the panel cannot be used" on one line, so that another
        // printer can be chosen.
        char unavailable[kTextBufferSize];
        LoadText(IDS_PANEL_UNAVAILABLE, unavailable, sizeof unavailable);
        const size_t length = std::strlen(AppState.StatusText);
        CopyBounded(AppState.StatusText + length, sizeof AppState.StatusText - length, unavailable);
        return 0;
    }

    if (AppState.PanelWindow) RefreshStatusArea(StatusControlOf(AppState.PanelWindow));
    char programEnds[kTextBufferSize];
    LoadText(IDS_PROGRAM_ENDS, programEnds, sizeof programEnds);
    char text[3 * kTextBufferSize];
    if (note) {
        FormatBounded(text, sizeof text, "%s\n%s\n%s", AppState.StatusText, note, programEnds);
    } else {
        FormatBounded(text, sizeof text, "%s\n%s", AppState.StatusText, programEnds);
    }
    CopyBounded(AppState.MessageText, sizeof AppState.MessageText, text);
    ShowPrinterMessage(owner, text, MB_ICONWARNING | MB_OK);
    return 0;
}

void RefreshStatusArea(HWND statusControl) {
    StatusAreaState now{CurrentFlags(), {}};
    CopyBounded(now.StatusText, sizeof now.StatusText, AppState.StatusText);

    const StatusAreaChoice choice = ChooseStatusAreaText(lastShown, now);
    if (!choice.Write) return;
    if (choice.TextId == kStatusAreaStateText) {
        SetWindowTextA(statusControl, now.StatusText);
    } else {
        char text[kTextBufferSize];
        LoadText(choice.TextId, text, sizeof text);
        SetWindowTextA(statusControl, text);
    }
    if (AppState.PanelWindow) {
        InvalidateRect(GetDlgItem(AppState.PanelWindow, IDC_PRINTER_PICTURE), nullptr, TRUE);
    }
    RecordStatusAreaShown(lastShown, now);
}

UINT CurrentStatusIconId() { return StatusIconFor(AppState.CanUpdate, AppState.CanRead); }

void ResetStatusAreaRecord() { lastShown = StatusAreaState{}; }
