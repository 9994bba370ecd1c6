// The frame is told that the installed printers changed: find the current printer again, and
// when it has gone let the user choose another one or end the program.
#include <windows.h>

#include <string>

#include "base/AppState.h"
#include "base/Text.h"
#include "base/Ui.h"
#include "link/Notifications.h"
#include "link/PrinterState.h"
#include "panel/FollowPrinter.h"
#include "panel/PanelControl.h"
#include "panel/PanelDialog.h"
#include "panel/ToolbarButtons.h"
#include "printers/PrinterEnumeration.h"
#include "printers/SingleInstance.h"
#include "res/resource.h"
#include "shell/PrintersChanged.h"

namespace {

// Ends the program: the panel's exit command, or closing the frame when there is no panel.
void EndProgram(HWND frame) {
    if (AppState.PanelWindow) {
        SendMessageA(AppState.PanelWindow, WM_COMMAND, IDC_EXIT,
                     reinterpret_cast<LPARAM>(GetDlgItem(AppState.PanelWindow, IDC_EXIT)));
    } else {
        SendMessageA(frame, WM_CLOSE, 0, 0);
    }
}

void ShowRemovedMessage(HWND owner, const std::string& keptName, UINT secondText, UINT icon) {
    char removed[kTextBufferSize];
    char second[kTextBufferSize] = "";
    char text[2 * kTextBufferSize];
    LoadText(IDS_PRINTER_REMOVED, removed, sizeof removed);
    if (secondText) LoadText(secondText, second, sizeof second);
    FormatBounded(text, sizeof text, "%s%s", removed, second);
    // The printer that has gone names the box, also when it is no longer the current one.
    ShowPrinterMessage(owner, text, MB_OK | icon, keptName.c_str());
}

bool ListHoldsName(const std::string& name) {
    for (PrinterEntry* entry = AppState.PrinterList; entry; entry = entry->Next) {
        if (entry->Name && name == entry->Name) return true;
    }
    return false;
}

}  // namespace

LRESULT OnPrintersChanged(HWND frame) {
    if (!AppState.CurrentPrinter) return 1;
    HWND owner = AppState.PanelWindow ? AppState.PanelWindow : frame;
    const std::string keptName = AppState.CurrentPrinter->Name ? AppState.CurrentPrinter->Name : "";

    AppState.PrinterCount = EnumerateSupportedPrinters();
    if (AppState.PrinterCount == 0) {
        ShowRemovedMessage(owner, keptName, IDS_NO_SUPPORTED_PRINTER, MB_ICONWARNING);
        EndProgram(frame);
        return 1;
    }
    AppState.SeveralPrinters = AppState.PrinterCount != 1;
    UpdateToolbarButtons();
    if (ListHoldsName(keptName)) return 1;

    // The current printer has gone.
    AppState.CanUpdate = 0;
    AppState.CanRead = 0;
    if (HWND panel = AppState.PanelWindow) {
        // Its session closes: a read or write on it is over. Unsent edits (and the values of a
        // write that may not have arrived) stay held on the disabled pages until the user lets
        // them go.
        EndRequestOfClosingSession(panel);
        HoldForUnusablePrinter(panel);
        ShowPrinterHeader(panel);
        LoadText(IDS_PRINTER_REMOVED, AppState.StatusText, sizeof AppState.StatusText);
        RefreshStatusArea(GetDlgItem(panel, IDC_STATUS_AREA));
        UpdateToolbarButtons();
    }
    CloseSession();
    ReleaseInstanceMapping();
    ShowRemovedMessage(owner, keptName, 0, MB_ICONINFORMATION);

    // The user chooses another printer, or the program ends.
    const PrinterChange change = ChangeToChosenPrinter(AppState.PanelWindow, owner);
    if (change == PrinterChange::MustEnd || change == PrinterChange::Kept) EndProgram(frame);
    return 0;
}
