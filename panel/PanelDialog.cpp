// The panel dialog (IDD_PANEL): initialisation on a printer, the commands, the header (model, port,
// printer picture with the state icon) and closing. The library's replies and notifications are
// in PanelReplies.cpp.
#include "panel/PanelDialog.h"

#include <commctrl.h>

#include <cstdlib>
#include <cstring>

#include "base/AppState.h"
#include "base/Memory.h"
#include "base/Messages.h"
#include "base/Procedures.h"
#include "base/ScopedHandles.h"
#include "base/StartupTrace.h"
#include "base/Text.h"
#include "base/Ui.h"
#include "help/Help.h"
#include "help/HelpIds.h"
#include "link/KovQmx.h"
#include "panel/Drawing.h"
#include "panel/HelpMode.h"
#include "panel/PanelPages.h"
#include "panel/PanelRules.h"
#include "panel/TabPages.h"
#include "panel/Toolbar.h"
#include "panel/ToolbarButtons.h"
#include "printers/Printers.h"
#include "printers/SingleInstance.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"

namespace {

constexpr char kFilePort[] = "FILE:";
constexpr char kEllipsis[] = "...";
constexpr COLORREF kPictureKeyColour = RGB(0, 128, 128);

void EndProcessNormally(int code) { std::exit(code); }
PanelProcessExit processExit = EndProcessNormally;

void EnableItem(HWND panel, int id, bool enable) {
    if (HWND item = GetDlgItem(panel, id)) EnableWindow(item, enable);
}

void EnableToolbarButton(int command, bool enable) {
    if (AppState.ToolbarWindow) {
        SendMessageA(AppState.ToolbarWindow, TB_ENABLEBUTTON, command, MAKELPARAM(enable, 0));
    }
}

HWND StatusArea(HWND panel) { return StatusControlOf(panel); }

// ---- Initialisation -------------------------------------------------------------------------

// The panel's record, attached to the dialog, with the tabs and the first page; the panel moves
// under the toolbar. False when the record cannot be allocated.
bool CreatePanelRecord(HWND panel) {
    auto* pages = static_cast<PanelPages*>(AllocateZeroed(sizeof(PanelPages)));
    if (!pages) return false;
    pages->TabControl = GetDlgItem(panel, IDC_TABS);
    SetWindowLongPtrA(panel, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pages));
    SetUpTabs(panel);
    SetWindowPos(panel, nullptr, 0, ToolbarClientHeight(), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

bool OnFilePort() {
    const PrinterEntry* printer = AppState.CurrentPrinter;
    return printer && printer->PortText && std::strcmp(printer->PortText, kFilePort) == 0;
}

// Opens the session on the current printer. False when the library refused it (the failure has
// been reported); true otherwise, also when there is no printer name to open.
bool OpenSession(HWND panel) {
    // Requests made on an earlier session can no longer complete: whether or not the new
    // session opens, nothing is outstanding any more (otherwise a refused open would leave the
    // panel waiting for a reply that never comes, and change printer refused for good).
    AppState.ReadPending = 0;
    AppState.WritePending = 0;
    AppState.ReadAttemptsLeft = kReadAttempts;
    const PrinterEntry* printer = AppState.CurrentPrinter;
    if (!printer || !printer->Name || printer->Name[0] == '\0') return true;
    QMXSESSION session = nullptr;
    if (OpenPrinterSession(printer->Name, nullptr, &session) != 0) {
        AppState.Session = nullptr;
        ReportLinkFailure(panel, IDS_OPEN_FAILED);
        return false;
    }
    AppState.Session = session;
    return true;
}

void ShowInitialValues(HWND panel, bool tellUser) {
    MarkSettingsNotLoaded();
    RefreshPanel(panel);
    LoadInitialSettings();
    if (tellUser) {
        ShowPrinterMessage(AppState.PanelWindow, IDS_INITIAL_VALUES_SHOWN, MB_ICONINFORMATION);
        if (!PanelStillOpen(panel)) return;
    }
    SetPanelEnabled(panel, SettingsLoaded() ? 1 : 0);
}

void Initialise(HWND panel) {
    AppState.ForegroundWindow = panel;
    SetForegroundWindow(panel);

    if (OnFilePort()) {
        ShowProgramMessage(panel, IDS_FILE_PORT_REFUSED, MB_OK | MB_ICONWARNING);
        processExit(1);
        return;
    }

    TraceStartup("panel-dialog");
    if (!PanelPagesOf(panel) && !CreatePanelRecord(panel)) {
        // Every operation of the panel needs its record: the program cannot go on.
        ShowAllocationFailure(panel, GetLastError());
        processExit(1);
        return;
    }
    TraceStartup("tabs-and-first-page");
    DropHeldEdits(panel);  // a new start: what another printer's pages held is gone

    RefreshStatusArea(StatusArea(panel));

    if (!AppState.Session) {
        if (!OpenSession(panel) || !AppState.Session) return;
        TraceStartup("session");
    }

    MarkSettingsNotLoaded();
    RefreshStatusArea(StatusArea(panel));

    const bool registered = RegisterNotifications(panel);
    TraceStartup("notifications");
    if (!registered || !ReadPrinterState()) {
        ReportLinkFailureText(panel, AppState.MessageText);
        return;
    }

    const int usable = EvaluatePrinterState(panel, AppState.LastExtStatus, AppState.LastPrinterStatus,
                                            AppState.LastUserAuthority);
    if (!PanelStillOpen(panel)) return;
    UpdateToolbarButtons();
    RefreshStatusArea(StatusArea(panel));
    if (!usable) {
        if (!AppState.SeveralPrinters) EndAfterFailure(panel);
        return;
    }

    TraceStartup("printer-state");
    FollowUpState(panel, FollowUpAtStart(CurrentFlags()), true);
    TraceStartup("read-requested");
    // The header follows the printer (also after a restart on another one).
    if (PanelStillOpen(panel)) InvalidateRect(panel, nullptr, FALSE);
}

// ---- Commands -------------------------------------------------------------------------------

void ClosePanelWindow(HWND panel) {
    if (panel) StopRequestTimer(panel);
    if (PanelPagesOf(panel)) DestroyPages(panel);
    CloseSession();
    ReleaseInstanceMapping();
    AppState.ForegroundWindow = AppState.FrameWindow;
    ReleasePanelRecord(panel);
    if (panel && IsWindow(panel)) DestroyWindow(panel);
    AppState.PanelWindow = nullptr;
    if (AppState.FrameWindow && IsWindow(AppState.FrameWindow)) DestroyWindow(AppState.FrameWindow);
}

void UpdateAndExitCommand(HWND panel) {
    if (RefuseUpdate(panel) || !PanelStillOpen(panel)) return;
    if (!CollectPages(panel) || !PanelStillOpen(panel)) return;
    WriteOutcome outcome = WriteOutcome::HandedOver;
    const int written = WriteSettings(panel, 1, &outcome);
    if (!PanelStillOpen(panel)) return;
    if (!written) {
        // A value the printer cannot take has been named to the user: the edits stay for
        // correcting, and the question whether to end without writing does not arise.
        if (outcome == WriteOutcome::ValueDoesNotFit) return;
        if (ShowPrinterMessage(AppState.PanelWindow, IDS_WRITE_INCOMPLETE_EXIT, MB_ICONQUESTION | MB_YESNO) !=
            IDYES)
            return;
        if (!PanelStillOpen(panel)) return;
    }
    ClosePanelWindow(panel);
}

void UpdateCommand(HWND panel) {
    if (RefuseUpdate(panel) || !PanelStillOpen(panel)) return;
    if (!CollectPages(panel) || !PanelStillOpen(panel)) return;
    if (WriteSettings(panel, 0) && PanelStillOpen(panel)) StartRequestTimer(panel);
}

void InitialValuesCommand(HWND panel) {
    LoadInitialSettings();
    SendToPages(panel, WM_PAGE_REFRESH);
    FocusCurrentPage(panel);
    if (AppState.CanUpdate == 1) EnableUpdateButtons(panel, true);
}

void ChangePrinterCommand(HWND panel) {
    // A read or write outstanding on this printer is answered on its session, which a change of
    // printer would close: the change waits, as the toolbar button does, also for Ctrl+C.
    PanelFlags pending = CurrentFlags();
    pending.PrinterBusy = 0;
    if (const uint32_t refusal = BusyRefusalText(pending)) {
        ShowPrinterMessage(AppState.PanelWindow, refusal, MB_ICONINFORMATION);
        return;
    }

    AppState.PrinterCount = EnumerateSupportedPrinters();
    if (AppState.PrinterCount == 0) {
        ShowProgramMessage(panel, IDS_NO_SUPPORTED_PRINTER, MB_OK | MB_ICONWARNING);
        if (PanelStillOpen(panel)) ExitCommand(panel);
        return;
    }
    AppState.SeveralPrinters = AppState.PrinterCount != 1 ? 1 : 0;
    if (AppState.PrinterCount == 1 && AppState.CurrentPrinter) {
        UpdateToolbarButtons();
        return;
    }
    // Several printers, or a single one that is not the current printer any more (it has gone
    // from the spooler): the user chooses.
    if (ChangeToChosenPrinter(panel, panel) == PrinterChange::MustEnd) ExitCommand(panel);
}

// Returns whether the command was the panel's own (otherwise it was handed on).
bool OnCommand(HWND panel, WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
        case IDC_UPDATE_AND_EXIT:
        case IDOK:
            UpdateAndExitCommand(panel);
            return true;
        case IDC_EXIT:
        case IDCANCEL:
            ExitCommand(panel);
            return true;
        case IDC_HELP_CONTENTS:
            ShowHelp(panel, HELP_FINDER, 0);
            return true;
        case IDM_INITIAL_VALUES:
            InitialValuesCommand(panel);
            return true;
        case IDM_READ_SETTINGS:
            ReadSettingsCommand(panel, ReadChain::New);
            return true;
        case IDM_CHANGE_PRINTER:
            ChangePrinterCommand(panel);
            return true;
        case IDM_HELP_MODE:
            if (AppState.ToolbarWindow) StartHelpMode();
            return true;
        case IDC_UPDATE:
            UpdateCommand(panel);
            return true;
        default: {
            // Commands of the active page or detail dialog go there.
            HWND active = AppState.ForegroundWindow;
            if (active && active != panel && IsWindow(active)) {
                SendMessageA(active, WM_COMMAND, wParam, lParam);
            }
            return false;
        }
    }
}

// ---- Header ---------------------------------------------------------------------------------

void SetTextIfChanged(HWND window, const char* text) {
    char shown[kTextBufferSize] = "";
    GetWindowTextA(window, shown, sizeof shown);
    if (std::strcmp(shown, text) != 0) SetWindowTextA(window, text);
}

// Shows `text` in static `id`, shortened with "..." to the static's width in its own font.
void ShowFitted(HWND panel, int id, const char* text) {
    HWND control = GetDlgItem(panel, id);
    if (!control) return;
    char fitted[kTextBufferSize] = "";
    if (const WindowDc dc(control); dc.Get()) {
        const SelectedObject font(dc.Get(), reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
        RECT client{};
        GetClientRect(control, &client);
        FitTextWithEllipsis(dc.Get(), client.right - client.left, text ? text : "", kEllipsis, fitted,
                            sizeof fitted);
    }
    SetTextIfChanged(control, fitted);
}

void PaintHeader(HWND panel) {
    HWND frame = GetParent(panel);
    char title[kTextBufferSize];
    if (const PrinterEntry* printer = AppState.CurrentPrinter) {
        ShowFitted(panel, IDC_MODEL_TEXT, printer->Model);
        ShowFitted(panel, IDC_PORT_TEXT, printer->PortText);
        FormatCaptionFor(printer->Name ? printer->Name : "", title, sizeof title);
    } else {
        char program[kTextBufferSize];
        LoadText(IDS_APP_TITLE, program, sizeof program);
        FormatBounded(title, sizeof title, "%s - ", program);
    }
    if (frame) SetTextIfChanged(frame, title);
}

// The printer picture with the state icon over it (the owner-drawn button IDC_PRINTER_PICTURE).
void DrawPrinterPicture(HWND panel, const DRAWITEMSTRUCT* item) {
    HWND picture = GetDlgItem(panel, IDC_PRINTER_PICTURE);
    if (!picture) return;
    if (item && item->hDC) FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_BTNFACE));
    DrawBitmapCentered(picture, IDB_PRINTER, kPictureKeyColour, GetSysColor(COLOR_BTNFACE));
    RECT frame{};
    GetClientRect(GetDlgItem(panel, IDC_PICTURE_FRAME), &frame);
    const IconOrigin origin = StateIconOrigin(frame.right - frame.left, frame.bottom - frame.top);
    if (const UINT icon = CurrentStatusIconId()) {
        DrawIconAt(panel, POINT{origin.X, origin.Y}, IDC_PRINTER_PICTURE, icon);
    }
}

INT_PTR HandleMessage(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            Initialise(panel);
            return TRUE;
        case WM_COMMAND:
            return OnCommand(panel, wParam, lParam) ? TRUE : FALSE;
        case WM_PAINT:
            PaintHeader(panel);
            return FALSE;
        case WM_DRAWITEM:
            if (wParam != IDC_PRINTER_PICTURE) return FALSE;
            DrawPrinterPicture(panel, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_NOTIFY:
            return lParam && HandleTabNotify(panel, reinterpret_cast<const NMHDR*>(lParam)) ? TRUE : FALSE;
        case WM_HELP:
        case WM_CONTEXTMENU:
            AnswerHelpRequest(message, wParam, lParam);
            return TRUE;
        case WM_SETFOCUS:
            if (AppState.PanelWindow) SetFocus(AppState.PanelWindow);
            return FALSE;
        case WM_SETTINGS_CHANGED:
            // Only edits of loaded settings can be written.
            if (EditEnablesUpdate(CurrentFlags()) && SettingsLoaded()) EnableUpdateButtons(panel, true);
            return TRUE;
        case WM_TIMER:
            return OnRequestTimer(panel, wParam) ? TRUE : FALSE;
        case WM_DESTROY:
            // Also when the panel goes with its frame rather than through ClosePanel.
            if (PanelPagesOf(panel)) {
                DestroyPages(panel);
                ReleasePanelRecord(panel);
            }
            if (AppState.PanelWindow == panel) AppState.PanelWindow = nullptr;
            return FALSE;
        default:
            break;
    }
    if (message >= WM_PANEL_REFRESH_FIRST && message <= WM_PANEL_REFRESH_LAST) {
        // The five come as one series in ascending order: the pages are refreshed once, when the
        // last one arrives. Enabling the panel refreshes them or disables them, as loaded.
        if (message == WM_PANEL_REFRESH_LAST) SetPanelEnabled(panel, SettingsLoaded() ? 1 : 0);
        return TRUE;
    }
    return HandleLibraryMessage(panel, message) ? TRUE : FALSE;
}

}  // namespace

PrinterChange ChangeToChosenPrinter(HWND panel, HWND owner) {
    const INT_PTR chosen = DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_SELECT_PRINTER), owner,
                                           PrinterSelectionDialog, 0);
    if (panel && !PanelStillOpen(panel)) return PrinterChange::PanelClosed;
    if (chosen != 1 || !AppState.CurrentPrinter) {
        return AppState.CurrentPrinter ? PrinterChange::Kept : PrinterChange::MustEnd;
    }
    AppState.ForegroundWindow = panel;
    AppState.InstanceMapping = GuardSingleInstance(AppState.CurrentPrinter->Name);
    if (panel && !PanelStillOpen(panel)) return PrinterChange::PanelClosed;
    if (!AppState.InstanceMapping) return PrinterChange::MustEnd;
    if (panel) {
        // The panel starts over on the new printer: disabled, initialised again, on its first tab.
        SetPanelEnabled(panel, 0);
        EnableUpdateButtons(panel, false);
        SendMessageA(panel, WM_INITDIALOG, 0, 0);
        if (PanelStillOpen(panel)) RestartPages(panel);
    }
    return PrinterChange::Restarted;
}

void FollowUpState(HWND panel, StateFollowUp step, bool tellUser) {
    switch (step) {
        case StateFollowUp::StartRead:
            ReadSettingsCommand(panel, ReadChain::New);
            break;
        case StateFollowUp::ShowNotLoaded:
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

INT_PTR CALLBACK PanelDialogProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    return GuardDialogMessage([&] { return HandleMessage(panel, message, wParam, lParam); });
}

void EnablePanelHeader(HWND panel, bool enable) {
    EnableItem(panel, IDC_MODEL_TEXT, enable);
    EnableItem(panel, IDC_PORT_TEXT, enable);
    EnableToolbarButton(IDM_INITIAL_VALUES, enable);
    if (!enable) EnableToolbarButton(IDM_READ_SETTINGS, false);
}

void SetPanelEnabled(HWND panel, int enable) {
    EnablePanelHeader(panel, enable != 0);
    SendToPages(panel, enable ? WM_PAGE_REFRESH : WM_PAGE_DISABLE);
}

void RefreshPanel(HWND panel) {
    for (UINT message = WM_PANEL_REFRESH_FIRST; message <= WM_PANEL_REFRESH_LAST; ++message) {
        SendMessageA(panel, message, 0, 0);
    }
}

bool RefuseWhileBusy() {
    const uint32_t refusal = BusyRefusalText(CurrentFlags());
    if (!refusal) return false;
    ShowPrinterMessage(AppState.PanelWindow, refusal, MB_ICONINFORMATION);
    return true;
}

ReadStart ReadSettingsCommand(HWND panel, ReadChain chain) {
    if (AppState.CanRead == 0) return ReadStart::NotStarted;
    // Every new read has its three attempts, whatever an earlier one left over.
    if (chain == ReadChain::New) AppState.ReadAttemptsLeft = kReadAttempts;
    if (RefuseWhileBusy()) return ReadStart::NotStarted;
    if (UpdateButtonsEnabled(panel) && (ShowPrinterMessage(AppState.PanelWindow, IDS_UNSENT_CHANGES,
                                                           MB_ICONQUESTION | MB_OKCANCEL) != IDOK ||
                                        !PanelStillOpen(panel))) {
        return ReadStart::NotStarted;
    }
    SetPanelEnabled(panel, 0);
    EnableUpdateButtons(panel, false);
    MarkSettingsNotLoaded();
    RefreshPanel(panel);
    AppState.ReadPending = 1;
    UpdateToolbarButtons();
    RefreshStatusArea(StatusArea(panel));
    if (GetReqPrinterStatusMsgA(AppState.Session, QMX_ITEM_SETTINGS, panel, WM_READ_DONE) == 0) {
        StartRequestTimer(panel);
        return ReadStart::Requested;
    }
    // No WM_READ_DONE will come for a refused request: rather than wait for it for ever, the
    // read ends here as one that found nothing, and the user can read again.
    AppState.ReadPending = 0;
    AppState.ReadAttemptsLeft = kReadAttempts;
    UpdateToolbarButtons();
    RefreshStatusArea(StatusArea(panel));
    ShowPrinterMessage(AppState.PanelWindow, IDS_SETTINGS_READ_FAILED, MB_ICONWARNING);
    if (!PanelStillOpen(panel)) return ReadStart::Refused;
    SetPanelEnabled(panel, 1);
    FocusCurrentPage(panel);
    return ReadStart::Refused;
}

void ExitCommand(HWND panel) {
    if (!PanelStillOpen(panel)) return;
    if (UpdateButtonsEnabled(panel) && (ShowPrinterMessage(AppState.PanelWindow, IDS_UNSENT_CHANGES,
                                                           MB_ICONQUESTION | MB_OKCANCEL) != IDOK ||
                                        !PanelStillOpen(panel))) {
        return;
    }
    if (AppState.FrameWindow) ShowWindow(AppState.FrameWindow, SW_HIDE);
    ClosePanelWindow(panel);
}

void ClosePanel() { ClosePanelWindow(AppState.PanelWindow); }

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
        HoldEditsWhileUnusable(panel);
        CopyBounded(AppState.MessageText, sizeof AppState.MessageText, failure);
        ShowPrinterMessage(AppState.PanelWindow, AppState.MessageText, MB_OK | MB_ICONWARNING);
        if (!PanelStillOpen(panel)) return;
        LoadText(IDS_PANEL_UNAVAILABLE, AppState.StatusText, sizeof AppState.StatusText);
        RefreshStatusArea(StatusArea(panel));
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

bool PanelStillOpen(HWND panel) { return panel && IsWindow(panel) && PanelPagesOf(panel) != nullptr; }

bool UpdateButtonsEnabled(HWND panel) {
    HWND update = GetDlgItem(panel, IDC_UPDATE);
    return update && IsWindowEnabled(update);
}

void EnableUpdateButtons(HWND panel, bool enable) {
    EnableItem(panel, IDC_UPDATE_AND_EXIT, enable);
    EnableItem(panel, IDC_UPDATE, enable);
}

void FocusCurrentPage(HWND panel) {
    if (const PanelPages* pages = PanelPagesOf(panel); pages && pages->CurrentPage) {
        SetFocus(pages->CurrentPage);
    }
}

void ReleasePanelRecord(HWND panel) {
    if (PanelPages* pages = PanelPagesOf(panel)) {
        SetWindowLongPtrA(panel, GWLP_USERDATA, 0);
        ReleaseMemory(pages);
    }
}

PanelProcessExit SetPanelProcessExit(PanelProcessExit exitFunction) {
    PanelProcessExit previous = processExit;
    processExit = exitFunction ? exitFunction : EndProcessNormally;
    return previous;
}
