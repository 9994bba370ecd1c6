// The panel dialog (IDD_PANEL): its start on a printer and the restart on another, the commands,
// the header (model, port, printer picture with the state icon) and closing. Reads, writes and the
// printer's notifications are in PanelRead.cpp, PanelWrite.cpp and FollowPrinter.cpp.
#include "panel/PanelDialog.h"

#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "base/AppState.h"
#include "base/ArtScale.h"
#include "base/Memory.h"
#include "base/Messages.h"
#include "base/Procedures.h"
#include "base/ScopedHandles.h"
#include "base/StartupTrace.h"
#include "base/Text.h"
#include "base/Ui.h"
#include "help/Help.h"
#include "link/Notifications.h"
#include "link/PrinterState.h"
#include "link/StateRead.h"
#include "panel/Drawing.h"
#include "panel/FollowPrinter.h"
#include "panel/HelpMode.h"
#include "panel/PanelControl.h"
#include "panel/PanelFiles.h"
#include "panel/PanelPages.h"
#include "panel/PanelRead.h"
#include "panel/PanelRules.h"
#include "panel/PanelWrite.h"
#include "panel/TabPages.h"
#include "panel/Toolbar.h"
#include "panel/ToolbarButtons.h"
#include "printers/PrinterEnumeration.h"
#include "printers/PrinterSelection.h"
#include "printers/SingleInstance.h"
#include "res/resource.h"
#include "settings/PanelSettings.h"

namespace {

constexpr char kFilePort[] = "FILE:";
constexpr char kEllipsis[] = "...";
constexpr COLORREF kPictureKeyColour = RGB(0, 128, 128);
constexpr int kPictureSize = 35;    // the printer picture, as drawn
constexpr int kStateIconSize = 32;  // the state icon over it, as drawn
constexpr ScaledBitmap kPicture{IDB_PRINTER, IDB_PRINTER_150, IDB_PRINTER_200};

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

// ---- Start on a printer ---------------------------------------------------------------------

// The panel's record, attached to the dialog, with the tabs and the first page; the panel moves
// under the toolbar. False when the record cannot be allocated.
bool CreatePanelRecord(HWND panel) {
    void* memory = AllocateZeroed(sizeof(PanelPages));
    if (!memory) return false;
    auto* pages = new (memory) PanelPages{};
    pages->TabControl = GetDlgItem(panel, IDC_TABS);
    SetWindowLongPtrA(panel, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pages));
    SetUpTabs(panel);
    SetWindowPos(panel, nullptr, 0, ToolbarClientHeight(), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

bool OnFilePort() {
    const char* port = PortTextOf(AppState.CurrentPrinter);
    return port && std::strcmp(port, kFilePort) == 0;
}

// Opens the session on the current printer. False when the library refused it (the failure has
// been reported); true otherwise, also when there is no printer name to open.
bool OpenSession(HWND panel) {
    const PrinterEntry* printer = AppState.CurrentPrinter;
    if (!printer || !printer->Name || printer->Name[0] == '\0') return true;
    if (OpenCurrentSession(printer->Name) != 0) {
        ReportLinkFailure(panel, IDS_OPEN_FAILED);
        return false;
    }
    return true;
}

// The panel's start on the current printer: the first time with its record, tabs and first page,
// and again after a restart on another printer.
void StartOnPrinter(HWND panel) {
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
    ShowPrinterHeader(panel);
    RefreshStatusArea(StatusControlOf(panel));

    if (!AppState.Session) {
        if (!OpenSession(panel) || !AppState.Session) return;
        TraceStartup("session");
    }

    // Nothing of another session's settings, edits or reads stays.
    Dispatch(panel, SessionOpened{CurrentSessionSerial()});
    PanelStateOf(panel)->ReadAttemptsLeft = kReadAttempts;
    MarkSettingsNotLoaded();
    RefreshStatusArea(StatusControlOf(panel));

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
    RefreshStatusArea(StatusControlOf(panel));
    if (!usable) {
        if (!AppState.SeveralPrinters) EndAfterFailure(panel);
        return;
    }

    TraceStartup("printer-state");
    FollowUpState(panel, FollowUpAtStart(CurrentFlags()), true);
    TraceStartup("read-requested");
}

// Whatever belongs to the printer the panel leaves: its detail dialogs are cancelled (nothing of
// them is stored), its request is dropped with its retries, and its edits (the user was asked
// before the panel moved) are gone.
void LeavePrinter(HWND panel) {
    PanelPages* pages = PanelPagesOf(panel);
    if (!pages) return;
    for (HWND dialog : pages->OpenDialogs) {
        if (dialog && IsWindow(dialog)) EndDialog(dialog, 0);
    }
    EndRequest(panel);
    Dispatch(panel, SessionOpened{0});
    pages->State.NotedNotifications = 0;
}

// The panel starts over on the new current printer: disabled, started again, on its first tab.
void RestartOnPrinter(HWND panel) {
    LeavePrinter(panel);
    SetPanelEnabled(panel, 0);
    ShowEditState(panel);
    StartOnPrinter(panel);
    if (PanelStillOpen(panel)) RestartPages(panel);
}

// ---- Commands -------------------------------------------------------------------------------

void InitialValuesCommand(HWND panel) {
    // The initial values replace what the pages showed, every one of them to be written; the
    // printer still has its own. The odd feed distances stay as they are.
    PrinterSettings initial = PagesSettings();
    LoadInitialSettings(initial.Record);
    Dispatch(panel, InitialValuesAsked{initial, AppState.CanUpdate == 1});
    PrinterSettings shown = PagesSettings();
    std::memcpy(shown.FeedPosOther, initial.FeedPosOther, sizeof shown.FeedPosOther);
    SetPagesSettings(shown);
    SendToPages(panel, WM_PAGE_REFRESH);
    FocusCurrentPage(panel);
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
        case IDM_SAVE_SETTINGS:
            SaveSettingsCommand(panel);
            return true;
        case IDM_OPEN_SETTINGS:
            OpenSettingsCommand(panel);
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

void OnTimer(HWND panel, WPARAM timer) {
    switch (TimedOutRequest(panel, timer).Kind) {
        case RequestKind::Read:
            ReadTimedOut(panel);
            break;
        case RequestKind::Write:
            WriteTimedOut(panel);
            break;
        case RequestKind::None:
            break;
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

// The printer picture with the state icon over it (the owner-drawn button IDC_PRINTER_PICTURE),
// each at the screen's scale where it fits its place.
void DrawPrinterPicture(HWND panel, const DRAWITEMSTRUCT* item) {
    HWND picture = GetDlgItem(panel, IDC_PRINTER_PICTURE);
    if (!picture) return;
    if (item && item->hDC) FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_BTNFACE));
    RECT room{};
    GetClientRect(picture, &room);
    const int pictureScale = ArtScaleToFit(kPictureSize, kPictureSize, room.right, room.bottom);
    DrawBitmapCentered(picture, kPicture.For(pictureScale), kPictureKeyColour, GetSysColor(COLOR_BTNFACE));
    RECT frame{};
    GetClientRect(GetDlgItem(panel, IDC_PICTURE_FRAME), &frame);
    const int iconSize = ScaledArtSize(
        kStateIconSize, ArtScaleToFit(kStateIconSize, kStateIconSize, frame.right, frame.bottom));
    const IconOrigin origin = StateIconOrigin(frame.right - frame.left, frame.bottom - frame.top, iconSize);
    if (const UINT icon = CurrentStatusIconId()) {
        DrawIconAt(panel, POINT{origin.X, origin.Y}, IDC_PRINTER_PICTURE, icon, iconSize);
    }
}

void OnDestroy(HWND panel) {
    // Also when the panel goes with its frame rather than through ClosePanel.
    if (PanelPagesOf(panel)) {
        DestroyPages(panel);
        ReleasePanelRecord(panel);
    }
    if (AppState.PanelWindow == panel) AppState.PanelWindow = nullptr;
}

INT_PTR HandleMessage(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            StartOnPrinter(panel);
            // Focusing a control of the hidden frame would activate it for nothing: the focus is
            // given when the frame is shown.
            return IsWindowVisible(GetAncestor(panel, GA_ROOT)) ? TRUE : FALSE;
        case WM_COMMAND:
            return OnCommand(panel, wParam, lParam) ? TRUE : FALSE;
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
            if (SettingsLoaded()) ChangeEdits(panel, EditEvent::Edited);
            return TRUE;
        case WM_TIMER:
            OnTimer(panel, wParam);
            return TRUE;
        case WM_READ_DONE:
            OnReadDone(panel);
            return TRUE;
        case WM_WRITE_DONE:
            OnWriteDone(panel);
            return TRUE;
        case WM_EXTSTATUS_CHANGED:
        case WM_STATUS_CHANGED:
        case WM_AUTHORITY_CHANGED:
        case WM_NAME_CHANGED:
        case WM_PORT_CHANGED:
            OnNotification(panel, message);
            return TRUE;
        case WM_DESTROY:
            OnDestroy(panel);
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
    return FALSE;
}

void ClosePanelWindow(HWND panel) {
    if (panel) EndRequest(panel);
    if (PanelPagesOf(panel)) DestroyPages(panel);
    CloseSession();
    ReleaseInstanceMapping();
    AppState.ForegroundWindow = AppState.FrameWindow;
    ReleasePanelRecord(panel);
    if (panel && IsWindow(panel)) DestroyWindow(panel);
    AppState.PanelWindow = nullptr;
    if (AppState.FrameWindow && IsWindow(AppState.FrameWindow)) DestroyWindow(AppState.FrameWindow);
}

}  // namespace

INT_PTR CALLBACK PanelDialogProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    return GuardDialogMessage([&] { return HandleMessage(panel, message, wParam, lParam); });
}

void EnablePanelHeader(HWND panel, bool enable) {
    EnableItem(panel, IDC_MODEL_TEXT, enable);
    EnableItem(panel, IDC_PORT_TEXT, enable);
    EnableToolbarButton(IDM_INITIAL_VALUES, enable);
    if (!enable) EnableToolbarButton(IDM_READ_SETTINGS, false);
    // The file buttons follow whether the record holds settings, whatever else is enabled.
    EnableToolbarButton(IDM_SAVE_SETTINGS, SettingsLoaded());
    EnableToolbarButton(IDM_OPEN_SETTINGS, SettingsLoaded());
}

void SetPanelEnabled(HWND panel, int enable) {
    EnablePanelHeader(panel, enable != 0);
    SendToPages(panel, enable ? WM_PAGE_REFRESH : WM_PAGE_DISABLE);
    ShowEditState(panel);
}

void RefreshPanel(HWND panel) {
    for (UINT message = WM_PANEL_REFRESH_FIRST; message <= WM_PANEL_REFRESH_LAST; ++message) {
        SendMessageA(panel, message, 0, 0);
    }
}

void FocusCurrentPage(HWND panel) {
    // Not before the program's window is first shown (see ShowPage): it is focused then.
    if (const PanelPages* pages = PanelPagesOf(panel);
        pages && pages->CurrentPage && IsWindowVisible(GetAncestor(panel, GA_ROOT))) {
        SetFocus(pages->CurrentPage);
    }
}

bool PanelStillOpen(HWND panel) { return panel && IsWindow(panel) && PanelPagesOf(panel) != nullptr; }

bool RefuseWhileBusy() {
    const uint32_t refusal = BusyRefusalText(CurrentFlags());
    if (!refusal) return false;
    ShowPrinterMessage(AppState.PanelWindow, refusal, MB_ICONINFORMATION);
    return true;
}

void ShowPrinterHeader(HWND panel) {
    HWND frame = GetParent(panel);
    char title[kTextBufferSize];
    if (PrinterEntry* printer = AppState.CurrentPrinter) {
        ShowFitted(panel, IDC_MODEL_TEXT, printer->Model);
        const char* port = PortTextOf(printer);
        ShowFitted(panel, IDC_PORT_TEXT, port ? port : "");
        FormatCaptionFor(printer->Name ? printer->Name : "", title, sizeof title);
    } else {
        char program[kTextBufferSize];
        LoadText(IDS_APP_TITLE, program, sizeof program);
        FormatBounded(title, sizeof title, "%s - ", program);
    }
    if (frame) SetTextIfChanged(frame, title);
}

PrinterChange ChangeToChosenPrinter(HWND panel, HWND owner) {
    // The printer worked on so far, by name: the list may be rebuilt while the dialog is up.
    const std::string before = CurrentPrinterName() ? CurrentPrinterName() : "";
    const auto askAboutEdits = panel ? &ProgramPanelHasUnsentEdits : nullptr;
    const INT_PTR chosen = DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_SELECT_PRINTER), owner,
                                           PrinterSelectionDialog, reinterpret_cast<LPARAM>(askAboutEdits));
    if (panel && !PanelStillOpen(panel)) return PrinterChange::PanelClosed;
    if (chosen != 1 || !AppState.CurrentPrinter) {
        return AppState.CurrentPrinter ? PrinterChange::Kept : PrinterChange::MustEnd;
    }
    AppState.ForegroundWindow = panel;
    // The new printer's mapping first: when it cannot be had (another panel works on it), the
    // panel is back on its printer exactly as it was, session and mapping included, and the
    // program ends as before, unless the user keeps unsent edits at the question.
    HANDLE mapping = GuardSingleInstance(AppState.CurrentPrinter->Name);
    if (panel && !PanelStillOpen(panel)) {
        if (mapping) CloseHandle(mapping);
        return PrinterChange::PanelClosed;
    }
    if (!mapping) {
        AppState.CurrentPrinter = FindPrinterEntry(before.c_str());
        return PrinterChange::MustEnd;
    }
    CloseSession();
    HoldInstanceMapping(mapping);
    if (panel) RestartOnPrinter(panel);
    return PrinterChange::Restarted;
}

void ExitCommand(HWND panel) {
    if (!PanelStillOpen(panel) || !MayDropEdits(panel, AppState.PanelWindow)) return;
    if (AppState.FrameWindow) ShowWindow(AppState.FrameWindow, SW_HIDE);
    ClosePanelWindow(panel);
}

void ClosePanel() { ClosePanelWindow(AppState.PanelWindow); }

void EndAfterFailure(HWND panel) {
    if (!PanelStillOpen(panel)) return;
    if (AppState.FrameWindow) ShowWindow(AppState.FrameWindow, SW_HIDE);
    ClosePanel();
}

void ReleasePanelRecord(HWND panel) {
    if (PanelPages* pages = PanelPagesOf(panel)) {
        SetWindowLongPtrA(panel, GWLP_USERDATA, 0);
        pages->~PanelPages();
        ReleaseMemory(pages);
    }
}

PanelProcessExit SetPanelProcessExit(PanelProcessExit exitFunction) {
    PanelProcessExit previous = processExit;
    processExit = exitFunction ? exitFunction : EndProcessNormally;
    return previous;
}
